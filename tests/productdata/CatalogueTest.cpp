// Guards the reading of the catalogue sources: CSV and layout text parse as written, and every
// fault is refused with a message that names the file and line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "productdata/Catalog.h"
#include "productdata/Catexcpt.h"
#include "productdata/Layfile.h"

namespace {

// The message of the catalogue exception the call throws, or "" when it throws none.
template <typename F>
std::string FailureOf(F call)
{
  try {
    call();
  } catch (CCatalogueException& e) {
    return e.message.str();
  }
  return "";
}

constexpr const char* kLayout = "# two tables\n"
                                "table OPERS 26\n"
                                "  field Code text 1 4\n"
                                "  field Description text 5 22\n"
                                "  index Code Code\n"
                                "\n"
                                "table OPTEXCPT 48\n"
                                "  field Field1 long 1\n"
                                "  field TypeCode text 5 2\n"
                                "  field Field36 text 36 1\n"
                                "  field Field37 long 37\n"
                                "  index Number Field1\n"
                                "  index Target TypeCode Field37 Field36\n";

class CatalogueFolder : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "catalogue-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_folder = pattern;
    Write(CCatalogue::kLayoutFileName, kLayout);
    Write("OPERS.csv", "Code,Description\nF,Fixed\nVF,\"Left Vent, Right Fixed\"\n");
    Write("OPTEXCPT.csv", "Field1,TypeCode,Field36,Field37\n1,GL,-,7\n2,PS,+,3\n");
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  void Write(const std::string& name, const std::string& text)
  {
    std::ofstream(m_folder + "/" + name, std::ios::binary) << text;
  }
  CCatalogue Load() const { return CCatalogue::Load(CString(m_folder)); }

  std::string m_folder;
};

}  // namespace

TEST(CsvFile, QuotedFieldsKeepCommasQuotesAndLineBreaks)
{
  CCsvFile file = CCsvFile::Parse("A,B\r\n\"x, y\",\"say \"\"hi\"\"\"\n\n\"two\nlines\",\n3,4", "t.csv");
  ASSERT_EQ(file.GetHeader().size(), 2u);
  ASSERT_EQ(file.GetRecords().size(), 3u);
  EXPECT_EQ(file.GetRecords()[0].values[0], "x, y");
  EXPECT_EQ(file.GetRecords()[0].values[1], "say \"hi\"");
  EXPECT_EQ(file.GetRecords()[1].values[0], "two\nlines");
  EXPECT_EQ(file.GetRecords()[1].values[1], "");
  EXPECT_EQ(file.GetRecords()[1].line, 4);
  EXPECT_EQ(file.GetRecords()[2].line, 6);
  EXPECT_EQ(file.GetRecords()[2].values[1], "4");
}

TEST(CsvFile, DamagedRecordsNameTheirLine)
{
  EXPECT_EQ(FailureOf([] { CCsvFile::Parse("A,B\n1,2\n3\n", "t.csv"); }),
            "t.csv:3: the record has 1 fields, the header names 2.");
  EXPECT_EQ(FailureOf([] { CCsvFile::Parse("A\n\"open\n\n", "t.csv"); }), "t.csv:2: a quoted field is not closed.");
  EXPECT_EQ(FailureOf([] { CCsvFile::Parse("A\nab\"c\n", "t.csv"); }),
            "t.csv:2: a quote inside a field that does not start with one.");
  EXPECT_EQ(FailureOf([] { CCsvFile::Parse("A\n\"ab\"c\n", "t.csv"); }),
            "t.csv:2: text follows the closing quote of a field.");
  EXPECT_EQ(FailureOf([] { CCsvFile::Parse("A\n\xE4\xB8\xAD\n", "t.csv"); }),
            "t.csv:2: a value holds a character that Windows-1252 cannot represent.");
  EXPECT_EQ(FailureOf([] { CCsvFile::Parse("\n\n", "t.csv"); }), "t.csv: the file has no header.");
  EXPECT_EQ(FailureOf([] { CCsvFile::Load("/nonexistent/t.csv"); }), "/nonexistent/t.csv: the file cannot be read.");
}

TEST(LayoutFile, IndexPartsTakeTheFieldsRecordOffsets)
{
  std::vector<SdfTableLayout> tables = CLayoutFile::Parse(kLayout, "t.layout");
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(tables[1].name, "OPTEXCPT");
  EXPECT_EQ(tables[1].recordLength, 48);
  const SdfIndexLayout& target = tables[1].indexes[1];
  ASSERT_EQ(target.parts.size(), 3u);
  // Key positions 1, 3 and 7; record offsets 5, 37 and 36.
  EXPECT_EQ(target.parts[0].offset, 4);
  EXPECT_EQ(target.parts[0].type, 8);
  EXPECT_EQ(target.parts[1].offset, 36);
  EXPECT_EQ(target.parts[1].type, 4);
  EXPECT_EQ(target.parts[2].offset, 35);
  EXPECT_EQ(target.parts[2].length, 1);
}

TEST(LayoutFile, FaultsNameTheirLine)
{
  auto fault = [](const std::string& text) { return FailureOf([&] { CLayoutFile::Parse(text, "t.layout"); }); };
  EXPECT_EQ(fault("table T 8\nfield A text 1\n"), "t.layout:2: a text field needs its width.");
  EXPECT_EQ(fault("table T 8\nfield A long 1 4\n"), "t.layout:2: only a text field is given a width.");
  EXPECT_EQ(fault("table T 8\nfield A int 1\n"), "t.layout:2: unknown field kind int.");
  EXPECT_EQ(fault("table T 8\nfield A long 0\n"), "t.layout:2: \"0\" is not a number from 1 to 65535.");
  EXPECT_EQ(fault("table T 8\nfield A long 1\nindex I B\n"), "t.layout:3: index I names the unknown field B.");
  EXPECT_EQ(fault("table T 8\nfield A date 1\nindex I A\n"),
            "t.layout:3: index I names the date field A, which no key can order.");
  EXPECT_EQ(fault("field A long 1\n"), "t.layout:1: a field or index comes before the first table.");
  EXPECT_EQ(fault("table T 8\ntable t 8\n"), "t.layout:2: table t is described twice.");
  EXPECT_EQ(fault("table T 8\ncolumn A long 1\n"), "t.layout:2: unknown keyword column.");
  EXPECT_EQ(fault("# nothing\n"), "t.layout: the file describes no table.");
  // The writer's own layout checks are reported at the table's line.
  std::string overlap = fault("table T 8\nfield A long 1\nfield B long 3\n");
  EXPECT_EQ(overlap.rfind("t.layout:1: ", 0), 0u) << overlap;
  EXPECT_NE(overlap.find("overlap"), std::string::npos) << overlap;
}

TEST_F(CatalogueFolder, LoadsEveryTableInLayoutOrderAndFeedsTheWriter)
{
  CCatalogue catalogue = Load();
  ASSERT_EQ(catalogue.GetTables().size(), 2u);
  const CCatalogueTable* opers = catalogue.FindTable("OPERS");
  ASSERT_NE(opers, nullptr);
  ASSERT_EQ(opers->rows.size(), 2u);
  EXPECT_EQ(opers->rows[1].values[1], "Left Vent, Right Fixed");
  EXPECT_EQ(catalogue.FindTable("opers"), nullptr);

  CTableWriter writer;
  catalogue.AddTo(writer);
  ASSERT_EQ(writer.GetTableCount(), 2);
  EXPECT_EQ(writer.GetLayout(1).name, "OPTEXCPT");
  EXPECT_EQ(writer.GetRowCount(0), 2);
  EXPECT_EQ(writer.GetRowCount(1), 2);
}

TEST_F(CatalogueFolder, RefusesValuesThatWouldNotReadBackAsWritten)
{
  Write("OPERS.csv", "Code,Description\nFVFVF,Too long\n");
  EXPECT_EQ(FailureOf([&] { Load(); }), m_folder + "/OPERS.csv:2: field Code longer than its 4 characters.");
  Write("OPERS.csv", "Code,Description\nF,\"Fixed \"\n");
  EXPECT_EQ(FailureOf([&] { Load(); }),
            m_folder + "/OPERS.csv:2: field Description ends with a blank or a character the database would drop.");
  Write("OPERS.csv", "Code,Description\nF,\"Fixed\tpanel\"\n");
  EXPECT_EQ(FailureOf([&] { Load(); }), m_folder + "/OPERS.csv:2: field Description holds a control character.");
  Write("OPERS.csv", "Code,Description\nF,Fixed\n");
  Write("OPTEXCPT.csv", "Field1,TypeCode,Field36,Field37\n1,GL,-, \n");
  EXPECT_EQ(FailureOf([&] { Load(); }), m_folder + "/OPTEXCPT.csv:2: field Field37 is empty.");
}

TEST_F(CatalogueFolder, RefusesAWrongHeaderAMissingFileAndABadNumber)
{
  Write("OPERS.csv", "Code,Text\nF,Fixed\n");
  EXPECT_EQ(FailureOf([&] { Load(); }), m_folder + "/OPERS.csv:1: the header must read Code,Description.");
  std::filesystem::remove(m_folder + "/OPERS.csv");
  EXPECT_EQ(FailureOf([&] { Load(); }), m_folder + "/OPERS.csv: the file cannot be read.");
  Write("OPERS.csv", "Code,Description\nF,Fixed\n");
  Write("OPTEXCPT.csv", "Field1,TypeCode,Field36,Field37\n1,GL,-,seven\n");
  CCatalogue catalogue = Load();
  CTableWriter writer;
  std::string fault = FailureOf([&] { catalogue.AddTo(writer); });
  EXPECT_EQ(fault.rfind(m_folder + "/OPTEXCPT.csv:2: ", 0), 0u) << fault;
  EXPECT_NE(fault.find("Field37"), std::string::npos) << fault;
}
