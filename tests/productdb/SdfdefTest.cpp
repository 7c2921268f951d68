// Guards the table-store layout as the reader finds and checks it: magic, chain, name lookup, and
// that every damaged or out-of-range definition is refused with cause 1 before anything is read.
#include <gtest/gtest.h>

#include <functional>

#include "DbTestUtil.h"
#include "platform/core/File.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Recobj.h"
#include "productdb/Sdfdef.h"
#include "productdb/Typesrec.h"
#include "productdb/txdbExcp.h"

namespace {

SdfTableLayout NumbersLayout(const char* name = "NUMBERS")
{
  return MakeLayout(name, 12, {Field("KEY", SdfFieldKind::Long, 1), Field("NAME", SdfFieldKind::Text, 5, 8)},
                    {{"KEY"}, {"NAME"}});
}

SdfImage NumbersImage(const char* name = "NUMBERS", int rows = 3)
{
  CTableWriter writer;
  int t = writer.AddTable(NumbersLayout(name));
  for (int i = 0; i < rows; ++i)
    writer.AddRow(t, CSdfRow().SetInt("KEY", i).Set("NAME", CString::Formatted("N%d", i)));
  return writer.Build();
}

class SdfdefTest : public DbTest
{
protected:
  // Loads the named table from bytes written to the test's database file.
  CSdfTableDef Load(const std::vector<BYTE>& bytes, const char* name = "NUMBERS")
  {
    UseBytes(bytes);
    CFile file(DatabasePath().c_str(), CFile::modeRead);
    CSdfTableDef def;
    def.Load(file, name);
    return def;
  }

  // Expects the load to fail with cause 1 from the definition reader at that line.
  void ExpectRefused(const std::vector<BYTE>& bytes, int line)
  {
    try {
      Load(bytes);
      ADD_FAILURE() << "damaged file was accepted, expected line " << line;
    } catch (const CTXDBException& e) {
      EXPECT_EQ(e.cause, 1);
      EXPECT_EQ(e.file, CString("Sdfdef"));
      EXPECT_EQ(e.line, line);
      EXPECT_EQ(e.message, CString("Error reading the database; cause = 1."));
    }
  }
};

void Patch32(SdfImage& image, long long offset, DWORD value) { SdfStoreU32(image.bytes.data() + offset, value); }

TEST_F(SdfdefTest, OneTableFileStartsWithMagicAndEndsTheChain)
{
  SdfImage image = NumbersImage();
  ASSERT_EQ(image.tables.size(), 1u);
  EXPECT_EQ(std::vector<BYTE>(image.bytes.begin(), image.bytes.begin() + 4), (std::vector<BYTE>{0, 0, 0, 0x40}));
  EXPECT_EQ(image.tables[0].start, 4);
  EXPECT_EQ(SdfLoadU32(image.bytes.data() + 4 + 36), kSdfEndOfChain);
  CSdfTableDef def = Load(image.bytes);
  EXPECT_EQ(def.tableStart, 4);
  EXPECT_EQ(def.header.recordCount, 3);
  EXPECT_EQ(def.header.fieldCount, 2);
  EXPECT_EQ(def.GetIndexCount(), 2);
  EXPECT_EQ(def.GetIndex(2).keyLength, 8);
  EXPECT_EQ(def.fields[1].offset, 4);  // descriptors hold 0-based offsets
}

TEST_F(SdfdefTest, NamesMatchWithoutCaseAndTheFirstOfTwoWins)
{
  CTableWriter writer;
  int first = writer.AddTable(NumbersLayout("NUMBERS"));
  int second = writer.AddTable(NumbersLayout("NUMBERS"));
  writer.AddRow(first, CSdfRow().SetInt("KEY", 1));
  writer.AddRow(second, CSdfRow().SetInt("KEY", 1));
  writer.AddRow(second, CSdfRow().SetInt("KEY", 2));
  SdfImage image = writer.Build();
  CSdfTableDef def = Load(image.bytes, "numbers");
  EXPECT_EQ(def.tableStart, image.tables[0].start);
  EXPECT_EQ(def.header.recordCount, 1);
}

TEST_F(SdfdefTest, MissingTableAndBadMagicFailWithTheirLines)
{
  SdfImage image = NumbersImage();
  try {
    Load(image.bytes, "OTHER");
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.line, 178);
  }
  image.bytes[3] = 0x41;
  try {
    Load(image.bytes);
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.line, 160);
  }
}

TEST_F(SdfdefTest, DescriptorCountsAboveTheirLimitsFail)
{
  SdfImage image = NumbersImage();
  long long start = image.tables[0].start;
  SdfImage fields = image;
  Patch32(fields, start + 52, 31);
  ExpectRefused(fields.bytes, 129);
  SdfImage indexes = image;
  Patch32(indexes, start + 56, 11);
  ExpectRefused(indexes.bytes, 138);
  SdfImage parts = image;
  Patch32(parts, start + image.tables[0].indexDescriptorOffsets[0] + 24, 11);
  ExpectRefused(parts.bytes, 98);
}

struct Damage
{
  const char* what;
  int line;
  std::function<void(SdfImage&)> apply;
};

void PrintTo(const Damage& damage, std::ostream* os) { *os << damage.what; }

class SdfdefDamageTest : public SdfdefTest, public ::testing::WithParamInterface<Damage>
{};

TEST_P(SdfdefDamageTest, IsRefusedWithCauseOne)
{
  SdfImage image = NumbersImage();
  GetParam().apply(image);
  ExpectRefused(image.bytes, GetParam().line);
}

long long Start(const SdfImage& i) { return i.tables[0].start; }
long long Index1(const SdfImage& i) { return Start(i) + i.tables[0].indexDescriptorOffsets[0]; }

INSTANTIATE_TEST_SUITE_P(
    Damages, SdfdefDamageTest,
    ::testing::Values(
        Damage{"file cut inside the records", 190, [](SdfImage& i) { i.bytes.resize(i.bytes.size() - 5); }},
        Damage{"file cut inside the first header", 71, [](SdfImage& i) { i.bytes.resize(30); }},
        Damage{"end offset beyond the file", 190, [](SdfImage& i) { Patch32(i, Start(i) + 32, 100000); }},
        Damage{"end offset before the descriptors end", 194, [](SdfImage& i) { Patch32(i, Start(i) + 32, 70); }},
        Damage{"negative record count", 118, [](SdfImage& i) { Patch32(i, Start(i) + 40, 0xFFFFFFFF); }},
        Damage{"records run past the block", 198, [](SdfImage& i) { Patch32(i, Start(i) + 40, 4); }},
        Damage{"data offset past the block", 198, [](SdfImage& i) { Patch32(i, Start(i) + 44, 0x7FFFFFF0); }},
        Damage{"record length so large the records overflow", 198,
               [](SdfImage& i) { Patch32(i, Start(i) + 48, 0x7FFFFFFF); }},
        Damage{"positions array outside the block", 202, [](SdfImage& i) { Patch32(i, Index1(i) + 16, 0x10000); }},
        Damage{"negative positions offset", 202, [](SdfImage& i) { Patch32(i, Index1(i) + 16, 0xFFFFFFF0); }},
        Damage{"key part beyond the record", 206, [](SdfImage& i) { Patch32(i, Index1(i) + 28 + 4, 10); }},
        Damage{"key part with a negative offset", 206, [](SdfImage& i) { Patch32(i, Index1(i) + 28 + 4, 0xFFFFFFFF); }},
        Damage{"long key part shorter than a long", 206,
               [](SdfImage& i) {
                 Patch32(i, Index1(i) + 28 + 8, 2);
                 Patch32(i, Index1(i) + 20, 2);
               }},
        Damage{"key length differing from its parts", 210, [](SdfImage& i) { Patch32(i, Index1(i) + 20, 5); }},
        Damage{"empty table whose record is longer than the file", 214,
               [](SdfImage& i) {
                 Patch32(i, Start(i) + 40, 0);
                 Patch32(i, Start(i) + 48, 0x7FFFFFFF);
               }},
        Damage{"chain pointing back at itself", 174,
               [](SdfImage& i) {
                 Patch32(i, Start(i) + 36, static_cast<DWORD>(Start(i)));
                 i.bytes[Start(i)] = 'X';  // the wanted name is then never met
               }},
        Damage{"chain pointing past the file", 71,
               [](SdfImage& i) {
                 Patch32(i, Start(i) + 36, 0x00FFFFFF);
                 i.bytes[Start(i)] = 'X';
               }}),
    [](const ::testing::TestParamInfo<Damage>& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c)))
          c = '_';
      return name;
    });

TEST_F(SdfdefTest, DamageComesOutOfRecordObjectConstruction)
{
  CTableWriter writer;
  int t = writer.AddTable(ProductTableLayout("TYPES"));
  writer.AddRow(t, CSdfRow().Set("F1", "DH"));
  SdfImage image = writer.Build();
  Patch32(image, image.tables[0].start + 32, 1u << 30);
  UseBytes(image.bytes);
  try {
    CTypesRec rec("DH");
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.cause, 1);
  }
  EXPECT_EQ(CRecObj::GetOpenTableCount(), 0);
}

}  // namespace
