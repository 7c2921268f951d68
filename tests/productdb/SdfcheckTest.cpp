// Guards the whole-file check made when a database file is opened: a file the writer made passes,
// and damage anywhere (an index out of order, a position naming no record or a record twice, a
// chain that loops, a truncated file) refuses the file at once, whichever table is asked for; a
// fault the table reader names itself reaches the user as that reader's failure.
#include <gtest/gtest.h>

#include "DbTestUtil.h"
#include "NumberRec.h"
#include "platform/core/File.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Sdfcheck.h"
#include "productdb/txdbExcp.h"

namespace {

SdfTableLayout NumbersLayout(const char* name)
{
  return MakeLayout(name, 12, {Field("KEY", SdfFieldKind::Long, 1), Field("NAME", SdfFieldKind::Text, 5, 8)},
                    {{"KEY"}, {"NAME"}});
}

// Two tables: FIRST (three rows) and NUMBERS (four rows), in that order in the file.
SdfImage TwoTables()
{
  CTableWriter writer;
  int first = writer.AddTable(NumbersLayout("FIRST"));
  int numbers = writer.AddTable(NumbersLayout("NUMBERS"));
  for (int i = 0; i < 3; ++i)
    writer.AddRow(first, CSdfRow().SetInt("KEY", i).Set("NAME", CString::Formatted("F%d", i)));
  for (int i = 0; i < 4; ++i)
    writer.AddRow(numbers, CSdfRow().SetInt("KEY", 10 * i).Set("NAME", CString::Formatted("N%d", 3 - i)));
  return writer.Build();
}

// Absolute offset of entry p of index i's positions array in the second table.
long long PositionAt(const SdfImage& image, int index, int p)
{
  const SdfTablePlacement& table = image.tables[1];
  return table.start + table.positionsOffsets[static_cast<size_t>(index)] + 4LL * p;
}

struct CRefusal
{
  CString file;
  int line = 0;
  int cause = 0;
  CString message;
};

class SdfcheckTest : public DbTest
{
protected:
  // The failure the opening of one table of the bytes ends with; an empty file name when it
  // opens.
  CRefusal OpeningRefusal(const std::vector<BYTE>& bytes, const char* table)
  {
    UseBytes(bytes);
    try {
      CNumberRec rec(table);
    } catch (const CTXDBException& e) {
      return CRefusal{e.file, e.line, e.cause, e.message};
    }
    return CRefusal{};
  }
  // Checks the bytes as a file; the exception's line, or 0 when the file passes.
  int CheckLine(const std::vector<BYTE>& bytes)
  {
    UseBytes(bytes);
    CFile file(DatabasePath().c_str(), CFile::modeRead);
    try {
      CheckSdfFile(file);
      return 0;
    } catch (const CTXDBException& e) {
      EXPECT_EQ(e.cause, 1);
      return e.line;
    }
  }
  // The module that refused the bytes, found by opening the first table only.
  CString RefusingModule(const std::vector<BYTE>& bytes)
  {
    UseBytes(bytes);
    try {
      CNumberRec rec("FIRST");
      return CString();
    } catch (const CTXDBException& e) {
      return e.file;
    }
  }
};

void ExpectReaderFailure(const CRefusal& refusal, int line, const char* what)
{
  EXPECT_EQ(refusal.file, CString("Sdfdef")) << what;
  EXPECT_EQ(refusal.line, line) << what;
  EXPECT_EQ(refusal.cause, 1) << what;
  EXPECT_EQ(refusal.message, CString("Error reading the database; cause = 1.")) << what;
}

TEST_F(SdfcheckTest, EachFailureTheTableReaderNamesKeepsItsModuleLineAndCause)
{
  const SdfImage image = TwoTables();
  const long long second = image.tables[1].start;
  SdfImage magic = image;
  magic.bytes[3] = 0x41;
  ExpectReaderFailure(OpeningRefusal(magic.bytes, "FIRST"), 160, "bad magic");
  ExpectReaderFailure(OpeningRefusal(std::vector<BYTE>{0, 0}, "FIRST"), 160, "too short for the magic");
  SdfImage fields = image;
  SdfStoreU32(fields.bytes.data() + second + 52, 31);
  ExpectReaderFailure(OpeningRefusal(fields.bytes, "FIRST"), 129, "31 fields in the second table");
  SdfImage indexes = image;
  SdfStoreU32(indexes.bytes.data() + second + 56, 11);
  ExpectReaderFailure(OpeningRefusal(indexes.bytes, "FIRST"), 138, "11 indexes in the second table");
  SdfImage parts = image;
  SdfStoreU32(parts.bytes.data() + second + image.tables[1].indexDescriptorOffsets[1] + 24, 11);
  ExpectReaderFailure(OpeningRefusal(parts.bytes, "FIRST"), 98, "11 key parts in the second table");
  EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 0) << "a refused file is not kept open";
  ExpectReaderFailure(OpeningRefusal(image.bytes, "MISSING"), 178, "no table of that name");
  EXPECT_TRUE(OpeningRefusal(image.bytes, "FIRST").file.IsEmpty()) << "the sound file opens";
}

TEST_F(SdfcheckTest, AFileTheWriterMadePasses)
{
  EXPECT_EQ(CheckLine(TwoTables().bytes), 0);
  EXPECT_EQ(RefusingModule(TwoTables().bytes), CString());
}

// The check reads the file ahead of its descriptors: a block larger than what it reads at once
// (64 KiB) between two small tables is read whole, and damage after it is still found.
TEST_F(SdfcheckTest, ABlockLargerThanTheReadAheadIsCheckedWithTheTablesAroundIt)
{
  CTableWriter writer;
  const int first = writer.AddTable(NumbersLayout("FIRST"));
  const int large = writer.AddTable(NumbersLayout("LARGE"));
  const int last = writer.AddTable(NumbersLayout("NUMBERS"));
  for (int i = 0; i < 3; ++i)
    writer.AddRow(first, CSdfRow().SetInt("KEY", i).Set("NAME", CString::Formatted("F%d", i)));
  for (int i = 0; i < 6000; ++i)
    writer.AddRow(large, CSdfRow().SetInt("KEY", i).Set("NAME", CString::Formatted("L%05d", 5999 - i)));
  for (int i = 0; i < 4; ++i)
    writer.AddRow(last, CSdfRow().SetInt("KEY", 10 * i).Set("NAME", CString::Formatted("N%d", 3 - i)));
  SdfImage image = writer.Build();
  ASSERT_GT(image.tables[2].start - image.tables[1].start, 64 * 1024);
  EXPECT_EQ(CheckLine(image.bytes), 0);
  std::vector<BYTE> truncated(image.bytes.begin(), image.bytes.end() - 1);
  EXPECT_NE(CheckLine(truncated), 0) << "one byte short";
  const long long lastPositions = image.tables[2].start + image.tables[2].positionsOffsets[1];
  const DWORD a = SdfLoadU32(image.bytes.data() + lastPositions);
  SdfStoreU32(image.bytes.data() + lastPositions, SdfLoadU32(image.bytes.data() + lastPositions + 4));
  SdfStoreU32(image.bytes.data() + lastPositions + 4, a);
  EXPECT_EQ(CheckLine(image.bytes), 88) << "the last table's index out of order";
}

TEST_F(SdfcheckTest, AnIndexOutOfKeyOrderIsRefused)
{
  SdfImage image = TwoTables();
  // The NAME index lists N0..N3, that is records 3, 2, 1, 0; swap its first two entries.
  const DWORD a = SdfLoadU32(image.bytes.data() + PositionAt(image, 1, 0));
  const DWORD b = SdfLoadU32(image.bytes.data() + PositionAt(image, 1, 1));
  SdfStoreU32(image.bytes.data() + PositionAt(image, 1, 0), b);
  SdfStoreU32(image.bytes.data() + PositionAt(image, 1, 1), a);
  EXPECT_EQ(CheckLine(image.bytes), 88);
  EXPECT_EQ(RefusingModule(image.bytes), CString("Sdfcheck")) << "damage in another table refuses the file";
}

TEST_F(SdfcheckTest, PositionsNamingNoRecordOrARecordTwiceAreRefused)
{
  SdfImage outside = TwoTables();
  SdfStoreU32(outside.bytes.data() + PositionAt(outside, 0, 3), 4);
  EXPECT_EQ(CheckLine(outside.bytes), 79);
  SdfImage twice = TwoTables();
  // Keys 0 0 20 30: still in order, but record 0 is listed twice and record 1 never.
  SdfStoreU32(twice.bytes.data() + PositionAt(twice, 0, 1), 0);
  EXPECT_EQ(CheckLine(twice.bytes), 81);
}

TEST_F(SdfcheckTest, AChainThatLoopsIsRefused)
{
  SdfImage image = TwoTables();
  SdfStoreU32(image.bytes.data() + image.tables[1].start + 36, static_cast<DWORD>(image.tables[0].start));
  EXPECT_EQ(CheckLine(image.bytes), 52);
}

TEST_F(SdfcheckTest, ATruncatedFileIsRefusedWhenAnyTableIsOpened)
{
  SdfImage image = TwoTables();
  for (size_t cut : {size_t{1}, size_t{20}, image.bytes.size() - static_cast<size_t>(image.tables[1].start)}) {
    std::vector<BYTE> truncated(image.bytes.begin(), image.bytes.end() - static_cast<long>(cut));
    EXPECT_NE(CheckLine(truncated), 0) << cut;
    EXPECT_FALSE(RefusingModule(truncated).IsEmpty()) << cut;
    EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 0);
  }
}

}  // namespace
