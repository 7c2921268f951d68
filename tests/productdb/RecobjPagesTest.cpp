// Guards tables too large to be kept in memory: served page by page from the file, every search
// lands where the same search on the table in memory lands; a file that shrinks while open is a
// damaged database, not a crash. And the in-memory search over normal keys keeps -0.0 equal to 0.0.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "NumberRec.h"
#include "productdb/txdbExcp.h"

namespace {

// More rows than the page cache holds pages: 24-byte records, 12,000 of them.
constexpr int kRows = 12000;
constexpr int kRecordLength = 24;

CString NameOf(int i) { return CString::Formatted("N%05d", (i * 7919) % kRows); }

class RecobjPagesTest : public DbTest
{
protected:
  void SetUp() override
  {
    DbTest::SetUp();
    CTableWriter writer;
    std::vector<int> order(kRows);
    for (int i = 0; i < kRows; ++i)
      order[static_cast<size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(5));
    for (const char* table : {"DISK", "MEMORY"}) {
      int t = writer.AddTable(NumbersLayout(kRecordLength, table));
      for (int i : order)
        writer.AddRow(t, CSdfRow().SetInt("KEY", 2 * i).Set("NAME", NameOf(i)));
    }
    UseDatabase(writer);
  }
};

struct Landing
{
  int result;
  BOOL atEnd;
  int key;
  CString name;
  bool operator==(const Landing&) const = default;
};

Landing Probe(CNumberRec& rec, int op, int index)
{
  BOOL atEnd = FALSE;
  int result = -1;
  switch (op) {
  case 0:
    result = rec.Find(index);
    break;
  case 1:
    result = rec.SeekGE(index, &atEnd);
    break;
  case 2:
    result = rec.SeekGT(index, &atEnd);
    break;
  case 3:
    result = rec.SeekLE(index, &atEnd);
    break;
  default:
    result = rec.SeekLT(index, &atEnd);
    break;
  }
  return {result, atEnd, rec.key, rec.name};
}

TEST_F(RecobjPagesTest, SearchesOnTheFileLandAsOnTheTableInMemory)
{
  CNumberRec disk("DISK");
  CNumberRec memory("~MEMORY");
  ASSERT_FALSE(disk.IsTableCached());
  ASSERT_TRUE(memory.IsTableCached());
  std::mt19937 random(9);
  std::uniform_int_distribution<int> keys(-2, 2 * kRows + 1);
  for (int i = 0; i < 3000; ++i) {
    const int op = i % 5;
    const int index = 1 + (i / 5) % 2;
    disk.key = memory.key = keys(random);
    disk.name = memory.name = CString::Formatted("N%05d", keys(random) / 2);
    if (i % 3 == 0)
      disk.name = memory.name = disk.name.Left(4);
    ASSERT_EQ(Probe(disk, op, index), Probe(memory, op, index)) << "probe " << i;
  }
}

TEST_F(RecobjPagesTest, WalkingTheWholeIndexReadsEveryRecordInOrder)
{
  CNumberRec rec("DISK");
  ASSERT_EQ(rec.First(1), 0);
  BOOL atEnd = FALSE;
  int count = 1;
  int previous = rec.key;
  while (rec.Next(&atEnd) == 0) {
    EXPECT_EQ(rec.key, previous + 2);
    previous = rec.key;
    ++count;
  }
  EXPECT_TRUE(atEnd);
  EXPECT_EQ(count, kRows);
}

TEST_F(RecobjPagesTest, AFileThatShrinksWhileOpenIsADamagedDatabase)
{
  CNumberRec disk("DISK");
  CNumberRec memory("~MEMORY");
  std::filesystem::resize_file(DatabasePath(), 4096);
  disk.key = 2 * (kRows / 3);
  try {
    disk.Find(1);
    ADD_FAILURE() << "a probe past the end of the shrunk file succeeded";
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.cause, CTXDBException::readError);
  }
  // The table read at its first open is unharmed.
  memory.key = 2 * (kRows / 3);
  ASSERT_EQ(memory.Find(1), 0);
  EXPECT_EQ(memory.name, NameOf(kRows / 3));
}

// A float key, to see the search in memory keep both zeros equal.
class CFloatRec : public CTXRecObj
{
public:
  CFloatRec() : CTXRecObj("FLOATS") {}
  float value = 0;
  int id = 0;

protected:
  void UnpackRecord() override
  {
    value = static_cast<float>(ReadFloat(1));
    id = ReadLong(5);
  }
  void PackKey() override
  {
    ClearKeyBuffer();
    PutKeyFloat(value, 1);
  }
};

TEST(RecobjNormalKeysTest, BothZerosAreOneKeyAndNegativesSortFirst)
{
  CTempFolder folder;
  ASSERT_TRUE(CRecObj::ResetRegistries());
  CTXRecObj::SetDatabaseDirectory(folder.Path().c_str());
  {
    CTableWriter writer;
    int t = writer.AddTable(MakeLayout(
        "FLOATS", 8, {Field("VALUE", SdfFieldKind::Float, 1), Field("ID", SdfFieldKind::Long, 5)}, {{"VALUE"}}));
    const float values[] = {2.5f, -0.0f, -7.0f, 1e-30f, -1e-30f};
    for (int i = 0; i < 5; ++i)
      writer.AddRow(t, CSdfRow().SetReal("VALUE", values[i]).SetInt("ID", i));
    writer.WriteFile(CString((folder.Path() + "/TXDB.SDF").c_str()));
    CFloatRec rec;
    ASSERT_TRUE(rec.IsTableCached());
    rec.value = 0.0f;
    ASSERT_EQ(rec.Find(1), 0);
    EXPECT_EQ(rec.id, 1);
    rec.value = -1.0f;
    BOOL atEnd = FALSE;
    ASSERT_EQ(rec.SeekGE(1, &atEnd), 0);
    EXPECT_EQ(rec.id, 4) << "-1e-30 is the first key not below -1";
    rec.value = -8.0f;
    ASSERT_EQ(rec.SeekLT(1, &atEnd), -1);
    EXPECT_TRUE(atEnd);
  }
  EXPECT_TRUE(CRecObj::ResetRegistries());
}

}  // namespace
