// Guards the database writer: layouts and values that cannot be stored are refused with a message
// naming table, row and field; records are packed in the file's encodings; every positions array
// follows the reader's key order (stable for equal keys); and the file is laid out and chained as
// the reader expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/core/File.h"
#include "productdata/TableWriter.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Sdfdef.h"
#include "productdb/Sdfkey.h"

namespace {

SdfTableLayout Layout()
{
  SdfTableLayout l;
  l.name = "MIXED";
  l.recordLength = 32;
  l.fields = {{"TEXT", SdfFieldKind::Text, 1, 6},      {"SHORT", SdfFieldKind::Short, 7, 2},
              {"LONG", SdfFieldKind::Long, 9, 4},      {"FLOAT", SdfFieldKind::Float, 13, 4},
              {"DOUBLE", SdfFieldKind::Double, 17, 8}, {"DATE", SdfFieldKind::Date, 25, 6},
              {"FLAG", SdfFieldKind::Logical, 31, 2}};
  return l;
}

CString ErrorOf(const std::function<void()>& action)
{
  try {
    action();
  } catch (const CTableWriterException& e) {
    return e.message;
  }
  return "(no error)";
}

std::vector<DWORD> Positions(const SdfImage& image, int table, int index)
{
  const SdfTablePlacement& p = image.tables[static_cast<size_t>(table)];
  std::vector<DWORD> positions;
  for (int i = 0; i < p.recordCount; ++i)
    positions.push_back(
        SdfLoadU32(image.bytes.data() + p.start + p.positionsOffsets[static_cast<size_t>(index)] + 4 * i));
  return positions;
}

TEST(TableWriterTest, LayoutsThatTheFileCannotHoldAreRefused)
{
  auto refused = [](const std::function<void(SdfTableLayout&)>& change) {
    SdfTableLayout l = Layout();
    change(l);
    return ErrorOf([&] { CTableWriter().AddTable(l); });
  };
  EXPECT_EQ(refused([](SdfTableLayout&) {}), CString("(no error)"));
  EXPECT_NE(refused([](SdfTableLayout& l) { l.name = CString('N', 32); }).Find("1 to 31"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.recordLength = 0; }).Find("record length"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.fields[0].width = 40; }).Find("outside the record"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.fields[2].offset = 8; }).Find("overlap"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.fields[2].width = 2; }).Find("does not suit"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.fields[1].name = "text"; }).Find("named twice"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.fields.resize(31, l.fields[0]); }).Find("30 fields"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) {
              l.indexes.resize(11, {"I", {{sdfKeyLong, 8, 4}}});
            }).Find("10 indexes"),
            -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.indexes = {{"I", {}}}; }).Find("1 to 10 key parts"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.indexes = {{"I", {{2, 0, 4}}}}; }).Find("type 2"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.indexes = {{"I", {{sdfKeyLong, 30, 4}}}}; }).Find("does not fit"), -1);
  EXPECT_NE(refused([](SdfTableLayout& l) { l.indexes = {{"I", {{sdfKeyDouble, 0, 4}}}}; }).Find("does not fit"), -1);
  CString date = ErrorOf([] { Layout().KeyPartOf("DATE"); });
  EXPECT_NE(date.Find("date field DATE"), -1);
  SdfKeyPartLayout part = Layout().KeyPartOf("float");
  EXPECT_EQ(part.type, sdfKeyFloat);
  EXPECT_EQ(part.offset, 12);
  EXPECT_EQ(part.length, 4);
}

TEST(TableWriterTest, ValuesPackInTheFileEncodings)
{
  CSdfRow row;
  row.Set("TEXT", "AB").Set("short", "-2").SetInt("LONG", 70000).Set("FLOAT", " 72.5 ").SetReal("DOUBLE", -0.125);
  row.Set("DATE", "1996-05-17 14:30:00").Set("FLAG", "yes");
  std::vector<BYTE> r = CTableWriter::PackRecord(Layout(), row);
  ASSERT_EQ(r.size(), 32u);
  EXPECT_EQ(std::vector<BYTE>(r.begin(), r.begin() + 6), (std::vector<BYTE>{'A', 'B', 0, 0, 0, 0}));
  EXPECT_EQ(SdfLoadU16(&r[6]), 0xFFFE);
  EXPECT_EQ(SdfLoadU32(&r[8]), 70000u);
  EXPECT_EQ(SdfLoadFloat(&r[12]), 72.5f);
  EXPECT_EQ(SdfLoadDouble(&r[16]), -0.125);
  EXPECT_EQ(std::vector<BYTE>(r.begin() + 24, r.begin() + 30), (std::vector<BYTE>{96, 5, 17, 14, 30, 0}));
  EXPECT_EQ(SdfLoadU16(&r[30]), 0xFFFF);
  std::vector<BYTE> empty = CTableWriter::PackRecord(Layout(), CSdfRow().Set("FLOAT", "").Set("FLAG", "N"));
  EXPECT_EQ(empty, std::vector<BYTE>(32, 0));
  std::vector<BYTE> typed =
      CTableWriter::PackRecord(Layout(), CSdfRow().SetDate("DATE", {2001, 2, 3, 4, 5, 6}).SetLogical("FLAG", true));
  EXPECT_EQ(typed[24], 101);
  EXPECT_EQ(typed[29], 6);
}

TEST(TableWriterTest, ValuesThatDoNotFitAreRefusedNamingRowAndField)
{
  CTableWriter writer;
  int t = writer.AddTable(Layout());
  writer.AddRow(t, CSdfRow().Set("TEXT", "ok"));
  auto error = [&](const CSdfRow& row) { return ErrorOf([&] { writer.AddRow(t, row); }); };
  CString tooLong = error(CSdfRow().Set("TEXT", "SEVEN77"));
  EXPECT_NE(tooLong.Find("Table MIXED"), -1);
  EXPECT_NE(tooLong.Find("field TEXT"), -1);
  EXPECT_NE(tooLong.Find("(row 2)"), -1);
  EXPECT_NE(error(CSdfRow().Set("NOPE", "1")).Find("no field named NOPE"), -1);
  EXPECT_NE(error(CSdfRow().Set("SHORT", "40000")).Find("range of a short"), -1);
  EXPECT_NE(error(CSdfRow().SetInt("LONG", 1LL << 32)).Find("range of a long"), -1);
  EXPECT_NE(error(CSdfRow().Set("LONG", "12abc")).Find("not a whole number"), -1);
  EXPECT_NE(error(CSdfRow().Set("FLOAT", "1e39")).Find("range of a float"), -1);
  EXPECT_NE(error(CSdfRow().Set("DOUBLE", "nan")).Find("finite"), -1);
  EXPECT_NE(error(CSdfRow().Set("DOUBLE", "7,5")).Find("not a number"), -1);
  EXPECT_NE(error(CSdfRow().Set("FLAG", "maybe")).Find("logical"), -1);
  EXPECT_NE(error(CSdfRow().Set("DATE", "17.05.1996")).Find("YYYY-MM-DD"), -1);
  EXPECT_NE(error(CSdfRow().Set("DATE", "1996-13-01")).Find("not a date the file can hold"), -1);
  EXPECT_NE(error(CSdfRow().Set("DATE", "1998-04-31")).Find("not a date the file can hold"), -1);
  EXPECT_NE(error(CSdfRow().SetDate("DATE", {1999, 2, 29})).Find("not a date the file can hold"), -1);
  EXPECT_EQ(ErrorOf([] { CTableWriter::PackRecord(Layout(), CSdfRow().Set("DATE", "2000-02-29")); }),
            CString("(no error)"));
  EXPECT_NE(error(CSdfRow().SetReal("LONG", 1.5)).Find("does not suit"), -1);
  EXPECT_NE(ErrorOf([&] { writer.AddRecord(t, std::vector<BYTE>(31)); }).Find("31 bytes"), -1);
  EXPECT_EQ(writer.GetRowCount(t), 1);  // nothing refused was added
}

TEST(TableWriterTest, PositionsFollowTheReadersKeyOrderAndKeepEqualKeysInRowOrder)
{
  SdfTableLayout l = Layout();
  l.indexes = {{"FLAG", {l.KeyPartOf("FLAG"), l.KeyPartOf("LONG")}},
               {"TEXT", {l.KeyPartOf("TEXT")}},
               {"FLOAT", {l.KeyPartOf("FLOAT")}}};
  CTableWriter writer;
  int t = writer.AddTable(l);
  const char* texts[] = {"AB ", "AB", "B", "A\xE9", "AB"};
  const char* floats[] = {"2", "-3", "0.5", "-0.25", "2"};
  for (int i = 0; i < 5; ++i)
    writer.AddRow(
        t,
        CSdfRow().Set("TEXT", texts[i]).SetInt("LONG", 5 - i).SetLogical("FLAG", i % 2 == 1).Set("FLOAT", floats[i]));
  SdfImage image = writer.Build();
  EXPECT_EQ(Positions(image, 0, 0), (std::vector<DWORD>{3, 1, 4, 2, 0}));  // TRUE rows first, then by LONG
  EXPECT_EQ(Positions(image, 0, 1), (std::vector<DWORD>{1, 4, 0, 3, 2}));  // NUL pads before blank, 0xE9 high
  EXPECT_EQ(Positions(image, 0, 2), (std::vector<DWORD>{1, 3, 2, 0, 4}));
}

TEST(TableWriterTest, PlacementsMatchTheHeadersAndChainTheTables)
{
  SdfTableLayout l = Layout();
  l.indexes = {{"LONG", {l.KeyPartOf("LONG")}}};
  CTableWriter writer;
  writer.AddTable(l);
  l.name = "SECOND";
  int second = writer.AddTable(l);
  writer.AddRow(second, CSdfRow().SetInt("LONG", 1));
  writer.AddRow(second, CSdfRow().SetInt("LONG", 0));
  SdfImage image = writer.Build();
  ASSERT_EQ(image.tables.size(), 2u);
  const SdfTablePlacement& a = image.tables[0];
  const SdfTablePlacement& b = image.tables[1];
  EXPECT_EQ(b.start, a.end + 1);
  EXPECT_EQ(static_cast<long long>(image.bytes.size()), b.end + 1);
  CSdfTableHeader header;
  header.Parse(image.bytes.data() + a.start);
  EXPECT_EQ(header.GetName(), CString("MIXED"));
  EXPECT_EQ(header.nextHeader, static_cast<DWORD>(b.start));
  EXPECT_EQ(header.endOffset, a.end);
  header.Parse(image.bytes.data() + b.start);
  EXPECT_EQ(header.nextHeader, kSdfEndOfChain);
  EXPECT_EQ(header.recordCount, 2);
  EXPECT_EQ(header.dataOffset, b.dataOffset);
  EXPECT_EQ(header.fieldCount, 7);
  EXPECT_EQ(SdfLoadU32(image.bytes.data() + b.start + b.indexDescriptorOffsets[0] + 16),
            static_cast<DWORD>(b.positionsOffsets[0]));
  EXPECT_EQ(SdfLoadU32(image.bytes.data() + b.start + b.fieldDescriptorsOffset + 12 + 4), 6u);  // 0-based
  EXPECT_EQ(Positions(image, 1, 0), (std::vector<DWORD>{1, 0}));
}

TEST(TableWriterTest, WrittenFileLoadsInTheReaderAndAFailedWriteLeavesNothing)
{
  SdfTableLayout l = Layout();
  l.indexes = {{"TEXT", {l.KeyPartOf("TEXT")}}};
  CTableWriter writer;
  writer.AddRow(writer.AddTable(l), CSdfRow().Set("TEXT", "x"));
  std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tablewriter-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  CString path = (folder / "TXDB.SDF").string().c_str();
  writer.WriteFile(path);
  {
    CFile file(path, CFile::modeRead);
    CSdfTableDef def;
    def.Load(file, "mixed");
    EXPECT_EQ(def.header.recordCount, 1);
    EXPECT_EQ(def.GetIndex(1).keyLength, 6);
  }
  CString missing = (folder / "no-such-folder" / "TXDB.SDF").string().c_str();
  EXPECT_NE(ErrorOf([&] { writer.WriteFile(missing); }).Find("Cannot write"), -1);
  EXPECT_FALSE(std::filesystem::exists(folder / "no-such-folder"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
  std::filesystem::remove_all(folder);
}

}  // namespace
