#pragma once
// The sample catalogue with rows added for one test, written to a folder of its own and made the
// product database, for faults the shipped catalogue does not hold.
#include <string>
#include <vector>

#include "productdata/TableWriter.h"

class COddCatalogue
{
public:
  COddCatalogue();
  ~COddCatalogue();
  COddCatalogue(const COddCatalogue&) = delete;
  COddCatalogue& operator=(const COddCatalogue&) = delete;

  // Values as text, in the table's field order.
  void AddRow(const char* table, const std::vector<const char*>& values);
  // Writes the file and points the database at it; no record object may be alive.
  void Use();
  // The folder the file is written to, for a program that reads its catalogue from a folder.
  const std::string& GetFolder() const { return m_folder; }

private:
  CTableWriter m_writer;
  std::string m_folder;
};
