#pragma once
// Small product databases built in-process with the writer, for the reader's tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "productdata/TableWriter.h"

SdfFieldLayout Field(const char* name, SdfFieldKind kind, int offset, int width = 0);

// A layout whose indexes are given by field names, each part built from its field.
SdfTableLayout MakeLayout(const char* name, int recordLength, std::vector<SdfFieldLayout> fields,
                          const std::vector<std::vector<const char*>>& indexes);

// The layout of one of the program's tables, with the field offsets and indexes its record
// class reads; field names are "F<offset>".
SdfTableLayout ProductTableLayout(const std::string& table);

// A folder of its own under the system's temporary folder, removed with the object.
class CTempFolder
{
public:
  CTempFolder();
  ~CTempFolder();
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;

  const std::string& Path() const { return m_path; }
  // Writes bytes to a file of that name in the folder and returns its path.
  std::string WriteFile(const std::string& name, const std::vector<BYTE>& bytes) const;

private:
  std::string m_path;
};

// Every test starts and ends with empty registries and the database directory at its folder.
class DbTest : public ::testing::Test
{
protected:
  void SetUp() override;
  void TearDown() override;

  // Writes TXDB.SDF into the test's folder.
  void UseDatabase(const CTableWriter& writer);
  void UseBytes(const std::vector<BYTE>& bytes);
  std::string DatabasePath() const { return m_folder.Path() + "/TXDB.SDF"; }

  CTempFolder m_folder;
};

// One row as (field, text) pairs, converted by the writer.
using TextRow = std::vector<std::pair<const char*, CString>>;

// Adds one of the program's tables (ProductTableLayout) with the given rows.
int AddProductTable(CTableWriter& writer, const std::string& table, const std::vector<TextRow>& rows);
