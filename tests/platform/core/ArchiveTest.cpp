// Guards the archive's byte layout (prefixes, counts, object tags), its checks on damaged input,
// and its object map, which a count sizes so that it never grows on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/List.h"
#include "platform/core/Time.h"

namespace {

// A versionable class as the design classes register themselves.
class CDesignStore : public CObject
{
  DECLARE_SERIAL(CDesignStore)
public:
  void Serialize(CArchive& ar) override
  {
    if (ar.IsStoring())
      ar << value;
    else
      ar >> value;
  }
  DWORD value = 0;
};
IMPLEMENT_SERIAL(CDesignStore, CObject, VERSIONABLE_SCHEMA | 10000)

class CHolder : public CObject
{
  DECLARE_SERIAL(CHolder)
public:
  ~CHolder() override { delete owned; }
  void Serialize(CArchive& ar) override
  {
    if (ar.IsStoring()) {
      ar << owned << shared;
    } else {
      owned = ar.ReadObject(RUNTIME_CLASS(CDesignStore));
      shared = ar.ReadObject(RUNTIME_CLASS(CDesignStore));
    }
  }
  CObject* owned = nullptr;
  CObject* shared = nullptr;  // refers to an object owned elsewhere
};
IMPLEMENT_SERIAL(CHolder, CObject, VERSIONABLE_SCHEMA | 10000)

// Loading by name finds only classes registered explicitly, as the program does at start-up.
void RegisterTestClasses()
{
  CRuntimeClass::Register(RUNTIME_CLASS(CDesignStore));
  CRuntimeClass::Register(RUNTIME_CLASS(CHolder));
}

std::vector<BYTE> Store(const std::function<void(CArchive&)>& write)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  write(ar);
  ar.Close();
  return file.GetBytes();
}

std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
  std::vector<BYTE> out;
  for (int v : values)
    out.push_back(static_cast<BYTE>(v));
  return out;
}

std::vector<BYTE> Concat(std::vector<BYTE> a, const char* text)
{
  for (const char* p = text; *p; ++p)
    a.push_back(static_cast<BYTE>(*p));
  return a;
}

}  // namespace

TEST(ArchiveBytes, StringPrefixesSwitchAt255And65534)
{
  auto b254 = Store([](CArchive& ar) { ar << CString('a', 254); });
  ASSERT_EQ(b254.size(), 255u);
  EXPECT_EQ(b254[0], 254);

  auto b255 = Store([](CArchive& ar) { ar << CString('a', 255); });
  ASSERT_EQ(b255.size(), 258u);
  EXPECT_EQ(std::vector<BYTE>(b255.begin(), b255.begin() + 3), Bytes({0xFF, 0xFF, 0x00}));

  auto b65533 = Store([](CArchive& ar) { ar << CString('a', 65533); });
  EXPECT_EQ(std::vector<BYTE>(b65533.begin(), b65533.begin() + 3), Bytes({0xFF, 0xFD, 0xFF}));

  auto b65534 = Store([](CArchive& ar) { ar << CString('a', 65534); });
  EXPECT_EQ(std::vector<BYTE>(b65534.begin(), b65534.begin() + 7), Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}));

  for (int n : {0, 254, 255, 65533, 65534, 70000}) {
    auto bytes = Store([n](CArchive& ar) { ar << CString('x', n); });
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&in, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_EQ(s.GetLength(), n);
  }
}

TEST(ArchiveBytes, CountsSwitchAt65535)
{
  EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(65534); }), Bytes({0xFE, 0xFF}));
  EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(65535); }), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
  auto bytes = Store([](CArchive& ar) {
    ar.WriteCount(65535);
    ar.WriteCount(3);
  });
  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&in, CArchive::load);
  EXPECT_EQ(ar.ReadCount(), 65535u);
  EXPECT_EQ(ar.ReadCount(), 3u);
}

TEST(ArchiveBytes, PrimitivesAreLittleEndian)
{
  auto bytes = Store([](CArchive& ar) {
    ar << static_cast<BYTE>(1) << static_cast<WORD>(0x1234) << static_cast<DWORD>(0xA1B2C3D4) << static_cast<LONG>(-2)
       << 1.0;
  });
  EXPECT_EQ(bytes,
            Bytes({1, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
}

TEST(ArchiveObjects, NewClassThenKnownClassTags)
{
  CDesignStore first, second;
  auto bytes = Store([&](CArchive& ar) { ar << &first << &second; });
  auto expected = Concat(Bytes({0xFF, 0xFF, 0x10, 0x27, 0x0C, 0x00}), "CDesignStore");
  expected.insert(expected.end(), {0, 0, 0, 0, 0x01, 0x80, 0, 0, 0, 0});
  EXPECT_EQ(bytes, expected);
}

TEST(ArchiveObjects, BackReferenceAndNullRoundTrip)
{
  RegisterTestClasses();
  // Class CHolder index 1, holder object 2, class CDesignStore 3, store object 4: the second
  // reference to the store is written as its object index.
  auto owner = std::make_unique<CHolder>();
  auto* store = new CDesignStore;
  store->value = 7;
  owner->owned = store;
  owner->shared = store;
  CHolder empty;
  auto bytes = Store([&](CArchive& ar) { ar << owner.get() << &empty; });
  ASSERT_GE(bytes.size(), 2u);

  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&in, CArchive::load);
  std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CHolder)));
  auto* holder = static_cast<CHolder*>(loaded.get());
  ASSERT_NE(holder->owned, nullptr);
  EXPECT_EQ(holder->owned, holder->shared);
  EXPECT_EQ(static_cast<CDesignStore*>(holder->owned)->value, 7u);
  std::unique_ptr<CObject> second(ar.ReadObject(RUNTIME_CLASS(CHolder)));
  auto* secondHolder = static_cast<CHolder*>(second.get());
  EXPECT_EQ(secondHolder->owned, nullptr);
  EXPECT_EQ(secondHolder->shared, nullptr);

  // The back-reference is the WORD object index 4 after the store's own bytes.
  auto tail = Concat(Bytes({0xFF, 0xFF, 0x10, 0x27, 0x0C, 0x00}), "CDesignStore");
  tail.insert(tail.end(), {7, 0, 0, 0, 0x04, 0x00});
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), tail.begin(), tail.end()), bytes.end());
}

TEST(ArchiveObjects, TheLoadedObjectsLeaveOutOneWhoseLoadFailed)
{
  RegisterTestClasses();
  CDesignStore first;
  CDesignStore second;
  CHolder holder;
  holder.shared = &first;
  auto bytes = Store([&](CArchive& ar) { ar << &first << &second << &holder; });
  // The holder's reference to the first store is cut off: its load fails after it was made.
  bytes.resize(bytes.size() - 1);
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  std::unique_ptr<CObject> a(ar.ReadObject(nullptr));
  std::unique_ptr<CObject> b(ar.ReadObject(nullptr));
  EXPECT_THROW(ar.ReadObject(nullptr), CArchiveException);
  EXPECT_EQ(ar.GetLoadedObjects(), (std::vector<CObject*>{a.get(), b.get()}));
}

TEST(ArchiveObjects, UnexpectedOrUnknownClassIsAnArchiveError)
{
  RegisterTestClasses();
  CDesignStore store;
  auto bytes = Store([&](CArchive& ar) { ar << &store; });
  {
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&in, CArchive::load);
    try {
      delete ar.ReadObject(RUNTIME_CLASS(CHolder));
      FAIL() << "a CDesignStore was accepted as a CHolder";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::badClass);
    }
  }
  auto unknown = Concat(Bytes({0xFF, 0xFF, 0x10, 0x27, 0x07, 0x00}), "CNoSuch");
  CMemFile in(unknown.data(), static_cast<UINT>(unknown.size()));
  CArchive ar(&in, CArchive::load);
  EXPECT_THROW(delete ar.ReadObject(nullptr), CArchiveException);
}

TEST(ArchiveLoading, TruncatedInputIsAnErrorNotAnAllocation)
{
  // A string that claims 4 GB and a list that claims 4 billion elements, each with no bytes behind it.
  for (auto bytes :
       {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})}) {
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&in, CArchive::load);
    try {
      if (bytes.size() == 8) {
        CString s;
        ar >> s;
      } else {
        CObList list;
        list.Serialize(ar);
      }
      FAIL() << "a damaged length was accepted";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
  }
  // Cut inside a primitive.
  auto bytes = Bytes({1, 2, 3});
  CMemFile in(bytes.data(), 3);
  CArchive ar(&in, CArchive::load);
  DWORD v;
  EXPECT_THROW(ar >> v, CArchiveException);
}

TEST(ArchiveLoading, BadObjectIndexIsRefused)
{
  auto bytes = Bytes({0x05, 0x00});
  CMemFile in(bytes.data(), 2);
  CArchive ar(&in, CArchive::load);
  EXPECT_THROW(ar.ReadObject(nullptr), CArchiveException);
}

TEST(ArchiveObjectMap, ACountMakesRoomForItsObjectsWhenStoringAndLoading)
{
  RegisterTestClasses();
  // 3,000 holders, each owning a store and referring back to it: 6,000 objects in all.
  std::vector<std::unique_ptr<CHolder>> holders;
  for (int i = 0; i < 3000; ++i) {
    holders.push_back(std::make_unique<CHolder>());
    auto* store = new CDesignStore;
    store->value = static_cast<DWORD>(i);
    holders.back()->owned = holders.back()->shared = store;
  }
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.WriteCount(2 * static_cast<DWORD>(holders.size()));
    for (const auto& holder : holders)
      ar << holder.get();
    EXPECT_EQ(ar.GetMapGrowthCount(), 0u);
    ar.Close();
  }
  const std::vector<BYTE>& bytes = file.GetBytes();
  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&in, CArchive::load);
  ASSERT_EQ(ar.ReadCount(), 6000u);
  for (int i = 0; i < 3000; ++i) {
    std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CHolder)));
    auto* holder = static_cast<CHolder*>(loaded.get());
    ASSERT_EQ(holder->owned, holder->shared);
    ASSERT_EQ(static_cast<CDesignStore*>(holder->owned)->value, static_cast<DWORD>(i));
  }
  EXPECT_EQ(ar.GetMapGrowthCount(), 0u);
}

TEST(ArchiveObjectMap, ObjectsBeyondTheCountsStillGetTheirIndexes)
{
  std::vector<CDesignStore> stores(500);
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar.WriteCount(10);
  for (CDesignStore& store : stores)
    ar << &store;
  for (CDesignStore& store : stores)
    ar << &store;
  EXPECT_GT(ar.GetMapGrowthCount(), 0u);
  ar.Close();
  // The second pass is all back-references: object i is index i + 2 (index 1 is the class).
  const std::vector<BYTE>& bytes = file.GetBytes();
  ASSERT_GE(bytes.size(), 1000u);
  for (size_t i = 0; i < stores.size(); ++i) {
    size_t at = bytes.size() - 2 * (stores.size() - i);
    EXPECT_EQ(bytes[at] | (bytes[at + 1] << 8), static_cast<int>(i + 2)) << i;
  }
}

TEST(ArchiveObjectMap, ALoadedCountMakesNoMoreRoomThanTheBytesLeft)
{
  // A count of 4 billion with two bytes behind it: the archive must not reserve for it.
  auto bytes = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00});
  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&in, CArchive::load);
  EXPECT_EQ(ar.ReadCount(), 0xFFFFFFFFu);
  EXPECT_EQ(ar.ReadObject(nullptr), nullptr);
}

TEST(ArchiveFiles, StoresThroughADiskFile)
{
  std::string path = (std::filesystem::temp_directory_path() / "archiveXXXXXX").string();
  int fd = mkstemp(path.data());
  ASSERT_GE(fd, 0);
  close(fd);
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    for (int i = 0; i < 3000; ++i)
      ar << static_cast<DWORD>(i);
    ar.Close();
  }
  CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
  EXPECT_EQ(file.GetLength(), 12000);
  CArchive ar(&file, CArchive::load);
  DWORD v = 0;
  for (int i = 0; i < 3000; ++i)
    ar >> v;
  EXPECT_EQ(v, 2999u);
  EXPECT_EQ(ar.GetRemaining(), 0u);
  unlink(path.c_str());
}

TEST(ArchiveFiles, TimesAreUnsigned32BitSeconds)
{
  CTime late(static_cast<std::time_t>(3000000000LL));  // after 2038
  auto bytes = Store([&](CArchive& ar) { ar << late; });
  EXPECT_EQ(bytes, Bytes({0x00, 0x5E, 0xD0, 0xB2}));
  CMemFile in(bytes.data(), 4);
  CArchive ar(&in, CArchive::load);
  CTime back;
  ar >> back;
  EXPECT_EQ(back.GetTime(), 3000000000LL);
  EXPECT_EQ(CTime(1996, 5, 17, 14, 30, 0).Format("%m/%d/%Y %H:%M"), "05/17/1996 14:30");
}

TEST(ArchiveFiles, LockedFileRefusesASecondExclusiveOpener)
{
  std::string path = (std::filesystem::temp_directory_path() / "lockedXXXXXX").string();
  int fd = mkstemp(path.data());
  ASSERT_GE(fd, 0);
  ::write(fd, "keep", 4);
  close(fd);
  {
    CFile holder(path.c_str(), CFile::modeReadWrite | CFile::shareExclusive);
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(holder.GetLength(), 4);  // the refused opener did not truncate it
  }
  CFile missing;
  CFileException error;
  EXPECT_FALSE(missing.Open("/tmp/no/such/dir/file", CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  unlink(path.c_str());
}

TEST(ArchiveFiles, StatusGivesOneFullNameForEverySpelling)
{
  std::string dir = (std::filesystem::temp_directory_path() / "statusXXXXXX").string();
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  std::string file = dir + "/TXDB.SDF";
  {
    CFile f(file.c_str(), CFile::modeCreate | CFile::modeWrite);
  }
  CFileStatus a, b;
  ASSERT_TRUE(CFile::GetStatus(file.c_str(), a));
  ASSERT_TRUE(CFile::GetStatus((dir + "//./TXDB.SDF").c_str(), b));
  EXPECT_EQ(a.m_szFullName, b.m_szFullName);
  EXPECT_FALSE(CFile::GetStatus((dir + "/none").c_str(), a));
  unlink(file.c_str());
  rmdir(dir.c_str());
}
