#pragma once
// The sample catalogue as kept in the repository: the table layouts (Tables.layout) and one CSV
// file per table (NAME.csv, header naming the layout's fields in order), read from one folder.
// The generator adds it to a database writer; tests compare the generated file with it.
#include <vector>

#include "productdata/Csvfile.h"
#include "productdata/TableWriter.h"

struct CCatalogueTable
{
  SdfTableLayout layout;
  CString csvPath;
  std::vector<CCsvRecord> rows;  // values in the layout's field order
};

class CCatalogue
{
public:
  static constexpr const char* kLayoutFileName = "Tables.layout";

  // Reads the layouts and every table's CSV file from the folder and checks each value against
  // its field: numbers must be given, and a text must fit its width and read back unchanged.
  // Any fault throws CCatalogueException naming the file and line.
  static CCatalogue Load(const CString& folder);

  const std::vector<CCatalogueTable>& GetTables() const { return m_tables; }
  // The table of that name (exact), or null.
  const CCatalogueTable* FindTable(const char* name) const;

  // Adds every table, in layout order, and every row, in file order, to the writer.
  void AddTo(CTableWriter& writer) const;
  // The writer's row for one CSV record of the table.
  static CSdfRow MakeRow(const CCatalogueTable& table, const CCsvRecord& record);

private:
  std::vector<CCatalogueTable> m_tables;
};
