// Guards that the program's own reader finds every table and every unit-type key of the
// generated database, and reads each row back exactly as its CSV source states it.
#include <gtest/gtest.h>

#include <algorithm>

#include "productdata/Catalog.h"
#include "productdata/TxdbImage.h"
#include "productdb/Subtypes.h"
#include "productdb/Typesrec.h"
#include "productdb/txrecobj.h"

namespace {

// The unit-type keys the unit factory knows, each a type code and a subtype code.
constexpr const char* kUnitTypeKeys[] = {
    "ARBA011", "ARDL013", "ARS1013", "ARS2013", "AWBA002", "AWPI002", "AWVP002", "BUBA020", "CABA001",
    "CAPI001", "DHQV004", "DHPI003", "DHTR003", "DHKC003", "VGDI010", "VGHP010", "VGHX010", "VGIT010",
    "VGOC010", "VGP1010", "VGP2010", "VGPP010", "VGRE010", "VGRH010", "VGT1010", "VGT2010", "VGTZ010",
    "VGVP010", "FGBA015", "FHBA014", "GLBA005", "PSBA016", "RWST100", "RWVE101", "RWVT102", "SKBA110",
    "SLAR012", "SLBA012", "SWCC006", "SWCD007", "SWCI009", "SWCL006", "SWCR006", "SWET008", "SWFC039",
    "SWFD039", "SWFR040", "SWJQ039", "SWGT041", "SWML042", "SWMR042", "SWOC010", "SWOV009"};

using Row = std::vector<std::string>;

// A value in one spelling, whichever side it comes from: numbers as the field stores them.
std::string Canonical(const SdfFieldLayout& field, const CString& text)
{
  switch (field.kind) {
  case SdfFieldKind::Text:
    return text.str();
  case SdfFieldKind::Short:
  case SdfFieldKind::Long:
    return CString::Formatted("%ld", StrToLong(text)).str();
  case SdfFieldKind::Float:
    return CString::Formatted("%.9g", static_cast<double>(static_cast<float>(StrToDouble(text)))).str();
  case SdfFieldKind::Double:
    return CString::Formatted("%.17g", StrToDouble(text)).str();
  case SdfFieldKind::Logical: {
    CString upper = text;
    upper.MakeUpper();
    bool set = upper == "1" || upper == "TRUE" || upper == "T" || upper == "YES" || upper == "Y";
    return set ? "1" : "0";
  }
  case SdfFieldKind::Date: {
    // "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"; missing parts are 0.
    long parts[6] = {};
    const char* p = text;
    for (long& part : parts) {
      const char* end = nullptr;
      part = StrToLong(p, &end);
      if (*end == '\0')
        break;
      p = end + 1;
    }
    return CString::Formatted("%04ld-%02ld-%02ld %02ld:%02ld:%02ld", parts[0], parts[1], parts[2], parts[3], parts[4],
                              parts[5])
        .str();
  }
  }
  return std::string();
}

Row CanonicalRow(const CCatalogueTable& table, const CCsvRecord& record)
{
  Row row;
  for (size_t i = 0; i < table.layout.fields.size(); ++i)
    row.push_back(Canonical(table.layout.fields[i], record.values[i]));
  return row;
}

// A record object for any table of the catalogue: it reads every field the layout names and
// packs the keys of any index from CSV values.
class CCatalogueRec : public CTXRecObj
{
public:
  explicit CCatalogueRec(const CCatalogueTable& table) : CTXRecObj(table.layout.name), m_layout(table.layout) {}

  Row values;
  const CCsvRecord* key = nullptr;

protected:
  void UnpackRecord() override
  {
    values.clear();
    for (const SdfFieldLayout& field : m_layout.fields)
      values.push_back(Read(field));
  }

  void PackKey() override
  {
    ClearKeyBuffer();
    int index = GetCurrentIndex();
    if (!key || index < 1 || index > static_cast<int>(m_layout.indexes.size()))
      return;
    int position = 1;
    for (const SdfKeyPartLayout& part : m_layout.indexes[index - 1].parts) {
      size_t f = FieldAt(part.offset + 1);
      Put(m_layout.fields[f], key->values[f], position);
      position += part.length;
    }
  }

private:
  size_t FieldAt(int offset) const
  {
    for (size_t i = 0; i < m_layout.fields.size(); ++i)
      if (m_layout.fields[i].offset == offset)
        return i;
    throw std::runtime_error("no field at a key part's offset");
  }

  std::string Read(const SdfFieldLayout& field) const
  {
    switch (field.kind) {
    case SdfFieldKind::Text:
      return ReadString(field.offset, field.width).str();
    case SdfFieldKind::Short:
      return CString::Formatted("%d", ReadShort(field.offset)).str();
    case SdfFieldKind::Long:
      return CString::Formatted("%d", ReadLong(field.offset)).str();
    case SdfFieldKind::Float:
      return CString::Formatted("%.9g", ReadFloat(field.offset)).str();
    case SdfFieldKind::Double:
      return CString::Formatted("%.17g", ReadDouble(field.offset)).str();
    case SdfFieldKind::Logical:
      return ReadLogical(field.offset) ? "1" : "0";
    case SdfFieldKind::Date: {
      CTime t = ReadDate(field.offset);
      return CString::Formatted("%04d-%02d-%02d %02d:%02d:%02d", t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(),
                                t.GetMinute(), t.GetSecond())
          .str();
    }
    }
    return std::string();
  }

  void Put(const SdfFieldLayout& field, const CString& text, int position)
  {
    switch (field.kind) {
    case SdfFieldKind::Text:
      PutKeyString(text, position, field.width);
      break;
    case SdfFieldKind::Short:
      PutKeyShort(static_cast<short>(StrToLong(text)), position);
      break;
    case SdfFieldKind::Long:
      PutKeyLong(static_cast<int>(StrToLong(text)), position);
      break;
    case SdfFieldKind::Float:
      PutKeyFloat(static_cast<float>(StrToDouble(text)), position);
      break;
    case SdfFieldKind::Double:
      PutKeyDouble(StrToDouble(text), position);
      break;
    case SdfFieldKind::Logical:
      PutKeyLogical(Canonical(field, text) == "1", position);
      break;
    case SdfFieldKind::Date:
      break;
    }
  }

  SdfTableLayout m_layout;
};

class TxdbRoundTrip : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::string path = GeneratedTxdbPath();
    CTXRecObj::SetDatabaseDirectory(path.substr(0, path.rfind('/')).c_str());
  }

  // Every row of the table in the order of its first index.
  static std::vector<Row> ReadAll(CCatalogueRec& rec)
  {
    std::vector<Row> rows;
    BOOL atEnd = FALSE;
    for (int found = rec.First(1); found == 0; found = rec.Next(&atEnd))
      rows.push_back(rec.values);
    return rows;
  }

  CCatalogue m_catalogue = CCatalogue::Load(CatalogueFolder().c_str());
};

}  // namespace

TEST_F(TxdbRoundTrip, EveryRowReadsBackAsItsCsvSourceStatesIt)
{
  ASSERT_EQ(m_catalogue.GetTables().size(), 24u);
  for (const CCatalogueTable& table : m_catalogue.GetTables()) {
    SCOPED_TRACE(table.layout.name.str());
    CCatalogueRec rec(table);
    std::vector<Row> read = ReadAll(rec);
    std::vector<Row> expected;
    for (const CCsvRecord& record : table.rows)
      expected.push_back(CanonicalRow(table, record));
    ASSERT_EQ(read.size(), expected.size());
    std::sort(read.begin(), read.end());
    std::sort(expected.begin(), expected.end());
    auto mismatch = std::mismatch(read.begin(), read.end(), expected.begin());
    if (mismatch.first != read.end())
      ADD_FAILURE() << "a row reads back differently from its source; first differing field "
                    << std::mismatch(mismatch.first->begin(), mismatch.first->end(), mismatch.second->begin()).second -
                           mismatch.second->begin();
  }
}

TEST_F(TxdbRoundTrip, EveryRowIsFoundByItsFirstIndexKey)
{
  for (const CCatalogueTable& table : m_catalogue.GetTables()) {
    SCOPED_TRACE(table.layout.name.str());
    CCatalogueRec rec(table);
    for (const CCsvRecord& record : table.rows) {
      rec.key = &record;
      ASSERT_EQ(rec.Find(1), 0) << "row of line " << record.line << " is not found";
      Row expected = CanonicalRow(table, record);
      for (const SdfKeyPartLayout& part : table.layout.indexes[0].parts)
        for (size_t f = 0; f < table.layout.fields.size(); ++f)
          if (table.layout.fields[f].offset == part.offset + 1) {
            EXPECT_EQ(rec.values[f], expected[f])
                << "line " << record.line << ", field " << table.layout.fields[f].name;
          }
    }
  }
}

TEST_F(TxdbRoundTrip, EveryUnitTypeKeyHasItsSubtypeAndType)
{
  for (const char* key : kUnitTypeKeys) {
    CString type = CString(key).Left(2), subtype = CString(key).Mid(2);
    CSubTypesRec unit(type, subtype);
    EXPECT_EQ(unit.GetTypeCode(), type) << key;
    EXPECT_EQ(unit.GetSubtypeCode(), subtype) << key;
    EXPECT_FALSE(unit.GetShortDescription().IsEmpty()) << key;
    CTypesRec line(type);
    EXPECT_EQ(line.GetTypeCode(), type) << key;
  }
  CCatalogueRec subtypes(*m_catalogue.FindTable("SUBTYPES"));
  EXPECT_EQ(ReadAll(subtypes).size(), std::size(kUnitTypeKeys)) << "SUBTYPES holds keys the factory does not know";
}

// The "New Window Unit" menu lists a line's units in the order of SUBTYPES index 2.
TEST_F(TxdbRoundTrip, MenuOrdinalsOrderEachLineWithoutTies)
{
  CCatalogueRec subtypes(*m_catalogue.FindTable("SUBTYPES"));
  BOOL atEnd = FALSE;
  Row previous;
  for (int found = subtypes.First(2); found == 0; found = subtypes.Next(&atEnd)) {
    const Row& row = subtypes.values;  // TypeCode, SubtypeCode, ..., Field68 last
    if (!previous.empty() && previous[0] == row[0]) {
      EXPECT_LT(std::stoi(previous.back()), std::stoi(row.back())) << row[0] << row[1];
    }
    previous = row;
  }
  EXPECT_TRUE(atEnd);
}
