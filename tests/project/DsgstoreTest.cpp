// Guards the stored-design record: its byte layout, block checks, checksum, rename and retrieval;
// and the design list's name index, which must find what a walk comparing without case finds.
#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "project/Design.h"
#include "project/DocTestSupport.h"
#include "project/Dsgstore.h"
#include "project/Projreg.h"
#include "support/Checksum.h"
#include "support/Exceptn.h"

namespace {

Bytes StoreRecord(CDesignStore& store)
{
  return StoreBytes([&](CArchive& ar) { store.Serialize(ar); });
}

CDesignStore MakeStore(const char* name, int quantity = 1)
{
  CDesign design;
  design.SetName(name);
  design.GetDesignData().SetQuantity(quantity);
  design.GetDesignData().SetScaleFactor(2.5);
  design.GetDesignData().SetScrollPosition(CPoint(30, 40));
  design.GetDesignData().SetWindowRect(CRect(5, 6, 705, 506));
  design.GetDesignData().SetDesignWidth(72.0);
  CDesignStore store;
  store.Store(&design);
  return store;
}

}  // namespace

TEST(DesignStoreBytes, FreshRecordHasNoBlockAndCannotBeRetrieved)
{
  CDesignStore store;
  CTime created = store.GetCreated();
  Bytes expected = CByteWriter()
                       .Dword(10000)
                       .Byte(0)
                       .Dword(0)
                       .Double(0.0)
                       .Double(0.0)
                       .Double(0.0)
                       .Dword(static_cast<unsigned>(created.GetTime()))
                       .Dword(static_cast<unsigned>(store.GetModified().GetTime()))
                       .Dword(0)
                       .Dword(0)
                       .Dword(0)
                       .Dword(0)
                       .Dword(100)
                       .Dword(100)
                       .Get();
  EXPECT_EQ(StoreRecord(store), expected);
  EXPECT_EQ(store.GetCRC(), 0u);
  CDesign design;
  EXPECT_THROW(store.Retrieve(&design), CAppException);
}

TEST(DesignStoreBytes, RecordCarriesBlockAndWindowStateInFileOrder)
{
  CDesignStore store = MakeStore("Bay");
  Bytes record = StoreRecord(store);
  const Bytes& block = store.GetBlock();
  ASSERT_EQ(block.size(), 37u);
  Bytes expected = CByteWriter()
                       .Dword(10000)
                       .Str("Bay")
                       .Dword(37)
                       .Append(block)
                       .Double(72.0)
                       .Double(120.0)
                       .Double(2.5)
                       .Dword(static_cast<unsigned>(store.GetCreated().GetTime()))
                       .Dword(static_cast<unsigned>(store.GetModified().GetTime()))
                       .Dword(30)
                       .Dword(40)
                       .Dword(5)
                       .Dword(6)
                       .Dword(705)
                       .Dword(506)
                       .Get();
  EXPECT_EQ(record, expected);
  EXPECT_EQ(store.GetCRC(), CChecksum(block.data(), static_cast<int>(block.size())).GetValue());

  CDesignStore copy;
  LoadBytes(record, [&](CArchive& ar) { copy.Serialize(ar); });
  EXPECT_EQ(copy.GetCRC(), store.GetCRC());
  EXPECT_EQ(StoreRecord(copy), record);
}

TEST(DesignStoreBytes, WindowStateIsLittleEndianWhateverTheHost)
{
  // Spelled out byte by byte, not through the host's own order: 72.0, 120.0 and 2.5 as IEEE
  // doubles, then the two times, then the scroll position and window rectangle, one negative.
  CDesign design;
  design.SetName("Bay");
  design.GetDesignData().SetDesignWidth(72.0);
  design.GetDesignData().SetScaleFactor(2.5);
  design.GetDesignData().SetScrollPosition(CPoint(-2, 0x01020304));
  design.GetDesignData().SetWindowRect(CRect(5, 6, 705, 506));
  CDesignStore store;
  store.Store(&design);
  const Bytes record = StoreRecord(store);
  const DWORD created = static_cast<DWORD>(store.GetCreated().GetTime());
  const DWORD modified = static_cast<DWORD>(store.GetModified().GetTime());
  Bytes expected = {0, 0, 0, 0, 0, 0, 0x52, 0x40, 0, 0, 0, 0, 0, 0, 0x5E, 0x40, 0, 0, 0, 0, 0, 0, 0x04, 0x40};
  for (DWORD time : {created, modified})
    for (int shift = 0; shift < 32; shift += 8)
      expected.push_back(static_cast<BYTE>(time >> shift));
  const Bytes tail = {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 5,    0,    0, 0,
                      6,    0,    0,    0,    0xC1, 0x02, 0,    0,    0xFA, 0x01, 0, 0};
  expected.insert(expected.end(), tail.begin(), tail.end());
  ASSERT_GE(record.size(), expected.size());
  EXPECT_EQ(Bytes(record.end() - static_cast<long>(expected.size()), record.end()), expected);

  CDesignStore copy;
  LoadBytes(record, [&](CArchive& ar) { copy.Serialize(ar); });
  EXPECT_EQ(copy.GetScrollPosition().x, -2);
  EXPECT_EQ(copy.GetScrollPosition().y, 0x01020304);
  EXPECT_EQ(copy.GetDesignWidth(), 72.0);
  EXPECT_EQ(copy.GetScaleFactor(), 2.5);
  EXPECT_EQ(copy.GetWindowRect().right, 705);
}

TEST(DesignStoreBytes, WindowStateCutShortIsAnErrorAndChangesNothing)
{
  CDesignStore store = MakeStore("Bay");
  Bytes record = StoreRecord(store);
  record.resize(record.size() - 1);
  CDesignStore target;
  const CRect before = target.GetWindowRect();
  EXPECT_THROW(LoadBytes(record, [&](CArchive& ar) { target.Serialize(ar); }), CArchiveException);
  EXPECT_EQ(target.GetWindowRect().right, before.right);
  EXPECT_EQ(target.GetDesignWidth(), 0.0);
}

TEST(DesignStoreBytes, TimesBeyond2038AreReadAsUnsigned)
{
  CDesignStore store = MakeStore("Bay");
  Bytes record = StoreRecord(store);
  const size_t created = 4 + 4 + 4 + store.GetBlockLength() + 3 * 8;
  const DWORD late = 0xF0000000u;
  std::memcpy(record.data() + created, &late, 4);
  std::memcpy(record.data() + created + 4, &late, 4);
  CDesignStore copy;
  LoadBytes(record, [&](CArchive& ar) { copy.Serialize(ar); });
  EXPECT_EQ(copy.GetCreated().GetTime(), static_cast<std::time_t>(0xF0000000u));
  EXPECT_EQ(copy.GetModified().GetTime(), static_cast<std::time_t>(0xF0000000u));
  EXPECT_EQ(StoreRecord(copy), record);
}

TEST(DesignStoreBytes, BlockLongerThanTheRestIsDamagedAndAllocatesNothing)
{
  CDesignStore store = MakeStore("Bay");
  Bytes record = StoreRecord(store);
  Bytes huge = record;
  const DWORD length = 0xFFFFFFF0u;
  std::memcpy(huge.data() + 8, &length, 4);
  Bytes cut(record.begin(), record.begin() + 8 + 4 + 20);  // inside the block

  for (const Bytes& image : {huge, cut}) {
    CDesignStore copy = MakeStore("Old");
    try {
      LoadBytes(image, [&](CArchive& ar) { copy.Serialize(ar); });
      FAIL() << "accepted";
    } catch (const CAppSerializeException& e) {
      EXPECT_EQ(e.code, CAppSerializeException::damaged);
    }
    EXPECT_EQ(copy.GetBlockLength(), 0u) << "the previous block is freed first";
  }

  Bytes afterBlock(record.begin(), record.end() - 10);
  CDesignStore copy;
  EXPECT_THROW(LoadBytes(afterBlock, [&](CArchive& ar) { copy.Serialize(ar); }), CArchiveException);
}

TEST(DesignStoreBehaviour, RetrieveRebuildsDesignWithWindowStateFromRecord)
{
  CDesignStore store = MakeStore("Porch", 4);
  CDesign design;
  store.Retrieve(&design);
  EXPECT_EQ(design.GetName(), "Porch");
  EXPECT_EQ(design.GetQuantity(), 4);
  EXPECT_EQ(design.GetDesignData().GetScaleFactor(), 2.5);
  EXPECT_EQ(design.GetDesignData().GetScrollPosition(), CPoint(30, 40));
  EXPECT_EQ(design.GetDesignData().GetWindowRect().right, 705);
  EXPECT_EQ(design.GetDesignData().GetDesignWidth(), 72.0);
  EXPECT_FALSE(store.GetBlock().empty()) << "the block stays with the record";
}

TEST(DesignStoreBehaviour, StoringTwiceKeepsChecksumAndAdvancesModifiedTime)
{
  CDesign design;
  design.SetName("Den");
  CDesignStore store;
  store.Store(&design);
  DWORD crc = store.GetCRC();
  CTime first = store.GetModified();
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  store.Store(&design);
  EXPECT_EQ(store.GetCRC(), crc);
  EXPECT_GT(store.GetModified(), first);
}

TEST(DesignStoreBehaviour, RenameRewritesTheBlockAndItsChecksum)
{
  CDesignStore store = MakeStore("Unit Type A");
  DWORD crc = store.GetCRC();
  store.SetName("Kitchen");
  EXPECT_EQ(store.GetName(), "Kitchen");
  EXPECT_NE(store.GetCRC(), crc);
  CDesign design;
  store.Retrieve(&design);
  EXPECT_EQ(design.GetName(), "Kitchen");
  EXPECT_EQ(store.GetScaleFactor(), 2.5) << "window state survives the rename";
}

TEST(DesignStoreBehaviour, CopiesOwnTheirBlockAndClearKeepsTheDesignSize)
{
  CDesignStore store = MakeStore("Bay");
  CDesignStore copy(store);
  copy.SetName("Other");
  EXPECT_EQ(store.GetName(), "Bay");
  CDesign design;
  store.Retrieve(&design);
  EXPECT_EQ(design.GetName(), "Bay");
  const CDesignStore& same = copy;
  copy = same;
  EXPECT_EQ(copy.GetName(), "Other");

  copy.Clear();
  EXPECT_EQ(copy.GetBlockLength(), 0u);
  EXPECT_TRUE(copy.GetName().IsEmpty());
  EXPECT_EQ(copy.GetCRC(), 0u);
  EXPECT_EQ(copy.GetDesignWidth(), 72.0);
  EXPECT_EQ(copy.GetScaleFactor(), 0.0);
  EXPECT_EQ(copy.GetWindowRect().bottom, 100);
}

TEST(DesignStoreArray, FindIgnoresCaseAndTheArrayRoundTrips)
{
  RegisterProjectClasses();
  CDesignStoreArray array;
  array.Add(new CDesignStore(MakeStore("Front Bay")));
  array.Add(new CDesignStore(MakeStore("Hall")));
  EXPECT_EQ(array.Find("front bay"), 0);
  EXPECT_EQ(array.Find("HALL"), 1);
  EXPECT_EQ(array.Find("Hal"), -1);

  Bytes bytes = StoreBytes([&](CArchive& ar) { array.Serialize(ar); });
  CDesignStoreArray copy;
  LoadBytes(bytes, [&](CArchive& ar) { copy.Serialize(ar); });
  ASSERT_EQ(copy.GetSize(), 2);
  EXPECT_EQ(copy.GetAt(1)->GetName(), "Hall");
  EXPECT_EQ(copy.GetAt(1)->GetCRC(), array.GetAt(1)->GetCRC());
}

TEST(DesignStoreArray, BackReferencesNullsAndOtherClassesAreRefused)
{
  RegisterProjectClasses();
  RegisterCoreClasses();
  CDesignStore one = MakeStore("A");
  Bytes record = StoreBytes([&](CArchive& ar) { ar << static_cast<const CObject*>(&one); });
  Bytes repeated = CByteWriter().Word(2).Append(record).Word(2).Get();
  Bytes null = CByteWriter().Word(1).Word(0).Get();
  Bytes foreign = CByteWriter().Word(1).Word(0xFFFF).Word(0).Word(8).Text("CObArray").Word(0).Get();
  for (const Bytes& image : {repeated, null, foreign}) {
    CDesignStoreArray array;
    EXPECT_THROW(LoadBytes(image, [&](CArchive& ar) { array.Serialize(ar); }), CArchiveException);
  }
}

namespace {

// What Find must answer: the first design whose name equals the given one without regard to case.
int WalkFind(const CDesignStoreArray& array, const CString& name)
{
  for (int i = 0; i < array.GetSize(); ++i)
    if (array.GetAt(i)->GetName().CompareNoCase(name) == 0)
      return i;
  return -1;
}

}  // namespace

TEST(DesignStoreArray, TheNameIndexFindsWhatAWalkFindsThroughAddsReplacesAndRemoves)
{
  RegisterProjectClasses();
  // Names equal but for case, names that differ only in a letter above ASCII (not folded), a
  // name cut by a NUL, and repeats, which only a damaged or older file would hold.
  const char* names[] = {"Bay",  "BAY",  "bay window", "Bay Window",  "Caf\xe9",     "CAF\xc9",
                         "Hall", "hall", "Kitchen",    "Unit Type A", "UNIT TYPE A", "Loft"};
  std::vector<CDesignStore> pool;
  for (const char* name : names)
    pool.push_back(MakeStore(name));
  pool.push_back(MakeStore("Hall"));
  pool.back().SetName(CString("Hall\0North", 10));
  CDesignStoreArray array;
  std::mt19937 random(17);
  for (int step = 0; step < 300; ++step) {
    const CDesignStore& store = pool[random() % pool.size()];
    const int op = static_cast<int>(random() % 4);
    if (op <= 1 || array.GetSize() == 0)
      array.Add(new CDesignStore(store));
    else if (op == 2)
      array.Replace(static_cast<int>(random() % array.GetSize()), store);
    else
      array.RemoveAt(static_cast<int>(random() % array.GetSize()));
    for (const CDesignStore& probe : pool)
      ASSERT_EQ(array.Find(probe.GetName()), WalkFind(array, probe.GetName()))
          << "step " << step << " name " << probe.GetName().c_str();
  }
  array.RemoveAll();
  EXPECT_EQ(array.Find("Bay"), -1);
  // The first names go, and the index keeps only the text of those still there: each of the
  // others is still found, and a name gone is not.
  for (int i = 0; i < 40; ++i)
    array.Add(new CDesignStore(MakeStore(CString::Formatted("Room %d", i))));
  for (int i = 0; i < 30; ++i)
    array.RemoveAt(0);
  for (int i = 0; i < 40; ++i)
    ASSERT_EQ(array.Find(CString::Formatted("ROOM %d", i)), i < 30 ? -1 : i - 30) << "room " << i;
}

TEST(DesignStoreArray, ALoadedListIsIndexedInFileOrder)
{
  RegisterProjectClasses();
  CDesignStoreArray array;
  for (const char* name : {"Porch", "Den", "porch", "Attic"})
    array.Add(new CDesignStore(MakeStore(name)));
  Bytes bytes = StoreBytes([&](CArchive& ar) { array.Serialize(ar); });
  CDesignStoreArray loaded;
  loaded.Add(new CDesignStore(MakeStore("Stale")));
  LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
  ASSERT_EQ(loaded.GetSize(), 4);
  EXPECT_EQ(loaded.Find("PORCH"), 0);
  EXPECT_EQ(loaded.Find("attic"), 3);
  EXPECT_EQ(loaded.Find("Stale"), -1);
  loaded.RemoveAt(0);
  EXPECT_EQ(loaded.Find("Porch"), 1) << "the second of two equal names comes forward";
  EXPECT_EQ(loaded.GetAt(1)->GetName(), "porch");
}
