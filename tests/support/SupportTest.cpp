// Guards the trace level test, its switch and base names, the exception texts and their naming in
// a test's output, the owning arrays' deletion rules and the CRC-32 values.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

#include "platform/core/Archive.h"
#include "platform/core/Crc32.h"
#include "support/Checksum.h"
#include "support/Exceptn.h"
#include "support/Ownarray.h"
#include "support/Trace.h"
#include "support/VEntExcp.h"

namespace {

int g_alive = 0;

class CCounted : public CClonableObject
{
public:
  explicit CCounted(int v, bool clonable = true) : value(v), canClone(clonable) { ++g_alive; }
  ~CCounted() override { --g_alive; }
  CClonableObject* Clone() const override { return canClone ? new CCounted(value) : nullptr; }
  int value;
  bool canClone;
};

class CStamp : public CObject
{
public:
  void Serialize(CArchive& ar) override { ar << CString("123456789"); }
};

}  // namespace

TEST(Trace, LevelsFilterMessages)
{
  CTrace trace(1);
  EXPECT_EQ(trace.SetLevel(TT_UNIT, 2), 1);
  EXPECT_TRUE(trace.IsEnabled(TT_UNIT, 1));
  EXPECT_TRUE(trace.IsEnabled(TT_UNIT, 2));
  EXPECT_FALSE(trace.IsEnabled(TT_UNIT, 3));
  trace.SetLevel(TT_UNIT, 0);
  EXPECT_FALSE(trace.IsEnabled(TT_UNIT, 1));
  // Out-of-range indexes are ignored rather than written past the arrays.
  EXPECT_EQ(trace.SetLevel(32, 4), 0);
  EXPECT_FALSE(trace.IsEnabled(-1, 0));
  trace.SetLevelName(100, "x");
  EXPECT_EQ(trace.GetLevelName(100), "");
}

TEST(Trace, OutputIsWantedUnlessTheSwitchIsUnsetEmptyOrZero)
{
  EXPECT_FALSE(TraceOutputWanted(nullptr));
  EXPECT_FALSE(TraceOutputWanted(""));
  EXPECT_FALSE(TraceOutputWanted("0"));
  EXPECT_TRUE(TraceOutputWanted("1"));
  EXPECT_TRUE(TraceOutputWanted("yes"));
}

TEST(Trace, StripPathTakesTheTextAfterTheLastSeparator)
{
  CTrace trace(1);
  EXPECT_STREQ(trace.StripPath("src\\model\\Unit.cpp"), "Unit.cpp");
  EXPECT_STREQ(trace.StripPath("C:Unit.cpp"), "Unit.cpp");
  EXPECT_STREQ(trace.StripPath("a/b\\c/Join.cpp"), "Join.cpp");
  EXPECT_STREQ(trace.StripPath("Plain.cpp"), "Plain.cpp");
  EXPECT_STREQ(trace.GetBaseName(), "Plain.cpp");
  EXPECT_STREQ(trace.StripPath("dir/"), "");
}

TEST(Exceptions, TextsFileLineAndKinds)
{
  try {
    throw CCommonMemoryException("Unitutil", 180);
  } catch (const CCommonException& e) {
    EXPECT_EQ(e.file, "Unitutil");
    EXPECT_EQ(e.line, 180);
    EXPECT_EQ(e.description, "A memory error has occurred.");
    EXPECT_EQ(e.message, e.description);
  }
  CAppException plain("Exceptn", 10);
  EXPECT_TRUE(plain.description.IsEmpty());
  try {
    throw CAppSerializeException("Doc", 5, 3);
  } catch (const CException& e) {
    ASSERT_TRUE(e.IsKindOf(RUNTIME_CLASS(CAppException)));
    EXPECT_EQ(static_cast<const CAppSerializeException&>(e).code, 3);
    EXPECT_FALSE(e.IsKindOf(RUNTIME_CLASS(CVRXEntityException)));
  }
  CCommonException unknown;
  EXPECT_EQ(unknown.file, "-Unknown-");
  EXPECT_EQ(CVRXEntityException("VEntExcp", 1).message, "An internal entity error has occurred.");
  EXPECT_EQ(CAppFatalException("x", 1).description, "A fatal error has occurred.");
}

// Runs only inside the child process that the test below starts.
TEST(Exceptions, DISABLED_ChildThrowsTheProgramsException) { throw CAppFatalException("Testmod", 4711); }

// A test that ends through the program's exception names it in its output as the fatal-error
// report does, with module, failure number and text.
TEST(Exceptions, OneThrownThroughATestIsNamedInItsOutput)
{
  char self[4096] = {};
  ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
  const std::string command = std::string("'") + self +
                              "' --gtest_also_run_disabled_tests "
                              "--gtest_filter=Exceptions.DISABLED_ChildThrowsTheProgramsException 2>&1";
  FILE* child = ::popen(command.c_str(), "r");
  ASSERT_NE(child, nullptr);
  std::string output;
  char buffer[1024];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, child)) > 0;)
    output.append(buffer, read);
  EXPECT_NE(::pclose(child), 0) << "the child's test failed";
  EXPECT_NE(output.find("CAppFatalException thrown in the test body.\nModule = Testmod\nLine = 4711\n"
                        "A fatal error has occurred."),
            std::string::npos)
      << output;
}

TEST(OwnArray, RemovalDeletesOnlyWhatExists)
{
  {
    CObOwnArray a;
    for (int i = 0; i < 4; ++i)
      a.Add(new CCounted(i));
    a.Add(nullptr);
    a.RemoveAt(2, 10);  // runs past the end
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(g_alive, 2);
    CObject* kept = a[0];
    a.RemoveAtNoDelete(0);
    EXPECT_EQ(g_alive, 2);
    delete kept;
    a.Add(nullptr);
    CObject* taken = a[0];
    a.RemoveAllNoDelete();
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(g_alive, 1);
    delete taken;
    a.Add(new CCounted(9));
  }
  EXPECT_EQ(g_alive, 0);
}

TEST(ClonableArray, DeepCopyRules)
{
  CClonableObArray source;
  source.Add(new CCounted(1));
  source.Add(nullptr);
  source.Add(new CCounted(3));
  CClonableObArray copy(source);
  ASSERT_EQ(copy.GetSize(), 3);
  EXPECT_NE(copy[0], source[0]);
  EXPECT_EQ(copy[1], nullptr);
  EXPECT_EQ(static_cast<CCounted*>(copy[2])->value, 3);

  const CClonableObArray& same = copy;
  copy = same;  // into itself: nothing deleted
  EXPECT_EQ(g_alive, 4);

  // A failed clone leaves the target as it was and throws from Ownarray 144.
  CClonableObArray bad;
  bad.Add(new CCounted(5));
  bad.Add(new CCounted(6, false));
  try {
    copy = bad;
    FAIL();
  } catch (const CCommonException& e) {
    EXPECT_EQ(e.file, "Ownarray");
    EXPECT_EQ(e.line, 144);
  }
  EXPECT_EQ(copy.GetSize(), 3);
  EXPECT_EQ(static_cast<CCounted*>(copy[0])->value, 1);

  CClonableObArray empty;
  copy = empty;
  EXPECT_EQ(copy.GetSize(), 0);
  EXPECT_EQ(g_alive, 4);  // source 2 + bad 2
}

TEST(Checksum, KnownValuesPiecesAndObjects)
{
  EXPECT_EQ(CChecksum("123456789", 9).GetValue(), 0xCBF43926u);
  EXPECT_EQ(CChecksum("abc", 3).GetValue(), 0x352441C2u);
  EXPECT_EQ(CChecksum().GetValue(), 0u);
  EXPECT_EQ(CChecksum(static_cast<CObject*>(nullptr)).GetValue(), 0u);
  EXPECT_EQ(CChecksum("abc", -5).GetValue(), 0u);

  std::string data(1000, '\0');
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<char>(i * 7 + 3);
  CChecksum whole(data.data(), static_cast<int>(data.size()));
  CChecksum pieces;
  pieces.Add(data.data(), 13);
  pieces.Add(data.data() + 13, 987);
  EXPECT_EQ(pieces.GetValue(), whole.GetValue());

  // An object's checksum is that of its stored bytes: a length byte 9 then the digits.
  CStamp stamp;
  EXPECT_EQ(CChecksum(&stamp).GetValue(), CChecksum("\x09"
                                                    "123456789",
                                                    10)
                                              .GetValue());
}

TEST(Checksum, FoldingPathsAgreeWithTheTablePath)
{
  if (!checksum_detail::HasClmul())
    GTEST_SKIP() << "no carry-less multiplication on this processor";
  std::vector<BYTE> data(4096 + 64);
  unsigned x = 99;
  for (auto& b : data) {
    x = x * 1103515245u + 12345u;
    b = static_cast<BYTE>(x >> 16);
  }
  // The wide path folds 256 bytes a turn, then 64, then 16: lengths past two turns with every
  // kind of rest.
  const bool wide = checksum_detail::HasWideClmul();
  for (size_t offset : {0u, 1u, 7u}) {
    for (size_t length = 0; length < 1400; length += (length < 300 ? 1 : 37)) {
      const BYTE* p = data.data() + offset;
      for (const DWORD reg : {0xFFFFFFFFu, 0x12345678u}) {
        const DWORD expected = checksum_detail::UpdateTable(reg, p, length);
        ASSERT_EQ(checksum_detail::UpdateClmul(reg, p, length), expected)
            << "length " << length << " offset " << offset;
        if (wide) {
          ASSERT_EQ(checksum_detail::UpdateWide(reg, p, length), expected)
              << "wide, length " << length << " offset " << offset;
        }
      }
    }
  }
  EXPECT_EQ(checksum_detail::UpdateClmul(0xFFFFFFFFu, data.data(), 4096),
            checksum_detail::UpdateTable(0xFFFFFFFFu, data.data(), 4096));
  if (wide) {
    EXPECT_EQ(checksum_detail::UpdateWide(0xFFFFFFFFu, data.data(), 4096),
              checksum_detail::UpdateTable(0xFFFFFFFFu, data.data(), 4096));
  }
}
