#include "productdata/Catalog.h"

#include "productdata/Catexcpt.h"
#include "productdata/Layfile.h"

namespace {

constexpr const char* kSource = "Catalog";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineWrongHeader = 25,
  kLineBadField = 59,
  kLineRowRefused = 110,
};

CString Where(const CCatalogueTable& table, int line) { return table.csvPath + CString::Formatted(":%d: ", line); }

void CheckHeader(const CCatalogueTable& table, const CCsvFile& file)
{
  const std::vector<CString>& header = file.GetHeader();
  bool same = header.size() == table.layout.fields.size();
  for (size_t i = 0; same && i < header.size(); ++i)
    same = header[i] == table.layout.fields[i].name;
  if (!same) {
    CString expected;
    for (const SdfFieldLayout& field : table.layout.fields)
      expected += (expected.IsEmpty() ? "" : ",") + field.name;
    throw CCatalogueException(kSource, kLineWrongHeader, Where(table, 1) + "the header must read " + expected + ".");
  }
}

// A text read from the database ends at a NUL and loses trailing blanks and control characters;
// trailing bytes from 0x80 up are refused as well, so that a reader with a stricter trim still
// reads the same. A value that would not read back as written is refused here rather than
// changed without notice.
CString TextFault(const SdfFieldLayout& field, const CString& value)
{
  if (value.GetLength() > field.width)
    return CString::Formatted("longer than its %d characters.", field.width);
  for (int i = 0; i < value.GetLength(); ++i)
    if (static_cast<unsigned char>(value[i]) < 0x20)
      return "holds a control character.";
  if (!value.IsEmpty()) {
    unsigned char last = static_cast<unsigned char>(value[value.GetLength() - 1]);
    if (last == ' ' || last >= 0x80)
      return "ends with a blank or a character the database would drop.";
  }
  return CString();
}

void CheckRecord(const CCatalogueTable& table, const CCsvRecord& record)
{
  for (size_t i = 0; i < record.values.size(); ++i) {
    const SdfFieldLayout& field = table.layout.fields[i];
    const CString& value = record.values[i];
    CString fault;
    if (field.kind == SdfFieldKind::Text)
      fault = TextFault(field, value);
    else if (value.IsEmpty() || value.SpanIncluding(" ").GetLength() == value.GetLength())
      fault = "is empty.";
    if (!fault.IsEmpty())
      throw CCatalogueException(kSource, kLineBadField,
                                Where(table, record.line) + "field " + field.name + " " + fault);
  }
}

CCatalogueTable LoadTable(const CString& folder, const SdfTableLayout& layout)
{
  CCatalogueTable table;
  table.layout = layout;
  table.csvPath = folder + "/" + layout.name + ".csv";
  CCsvFile file = CCsvFile::Load(table.csvPath);
  CheckHeader(table, file);
  for (const CCsvRecord& record : file.GetRecords())
    CheckRecord(table, record);
  table.rows = file.GetRecords();
  return table;
}

}  // namespace

CCatalogue CCatalogue::Load(const CString& folder)
{
  CCatalogue catalogue;
  for (const SdfTableLayout& layout : CLayoutFile::Load(folder + "/" + kLayoutFileName))
    catalogue.m_tables.push_back(LoadTable(folder, layout));
  return catalogue;
}

const CCatalogueTable* CCatalogue::FindTable(const char* name) const
{
  for (const CCatalogueTable& table : m_tables)
    if (table.layout.name == name)
      return &table;
  return nullptr;
}

CSdfRow CCatalogue::MakeRow(const CCatalogueTable& table, const CCsvRecord& record)
{
  CSdfRow row;
  for (size_t i = 0; i < table.layout.fields.size(); ++i)
    row.Set(table.layout.fields[i].name, record.values[i]);
  return row;
}

void CCatalogue::AddTo(CTableWriter& writer) const
{
  for (const CCatalogueTable& table : m_tables) {
    int number = writer.AddTable(table.layout);
    for (const CCsvRecord& record : table.rows) {
      try {
        writer.AddRow(number, MakeRow(table, record));
      } catch (CTableWriterException& e) {
        throw CCatalogueException(kSource, kLineRowRefused, Where(table, record.line) + e.message);
      }
    }
  }
}
