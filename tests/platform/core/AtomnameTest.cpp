// Guards the names a writer makes beside a file: within the folder's limit, cut only at a
// character boundary, apart for files whose long names begin alike, and read back as written.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "platform/core/Atomname.h"

namespace {

// U+7A93, three bytes in UTF-8.
const std::string kWindow = "\xE7\xAA\x93";

std::string Repeated(const std::string& text, int times)
{
  std::string repeated;
  for (int i = 0; i < times; ++i)
    repeated += text;
  return repeated;
}

}  // namespace

TEST(AtomicNameTest, ANameIsCutToTheLimitAtACharacterBoundary)
{
  EXPECT_EQ(FitName("House", ".recovered.tpf", 255), CString("House.recovered.tpf"));
  const CString stem = ("ab" + Repeated(kWindow, 83)).c_str();
  EXPECT_EQ(FitName(stem, ".recovered.tpf", 255), CString(("ab" + Repeated(kWindow, 79) + ".recovered.tpf").c_str()))
      << "241 bytes would end inside a character";
  EXPECT_EQ(FitName(std::string(300, 'a').c_str(), ".tpf", 255), CString((std::string(251, 'a') + ".tpf").c_str()));

  const CString copy = CompleteCopyPathFor(("/p/" + std::string(251, 'h') + ".tpf").c_str(), 2, 255);
  EXPECT_EQ(copy, CString(("/p/" + std::string(243, 'h') + ".saved-2.tpf").c_str()));
  EXPECT_EQ(CompleteCopyPathFor("/p/house.tpf", 1, 255), CString("/p/house.saved.tpf"));
  EXPECT_EQ(CompleteCopyPathFor("/p/.profile", 1, 255), CString("/p/.profile.saved"));
}

TEST(AtomicNameTest, HiddenNamesFitAndAreToldApartForLongNamesThatBeginAlike)
{
  const CString shortName = "house.v2-final.tpf";
  EXPECT_EQ(CHiddenName::StemFor(shortName, 255), shortName);
  const CString one = (std::string(250, 'x') + "1.tpf").c_str();
  const CString two = (std::string(250, 'x') + "2.tpf").c_str();
  const CString stem = CHiddenName::StemFor(one, 255);
  EXPECT_NE(stem, CHiddenName::StemFor(two, 255));
  const struct timespec time = {1700000000, 999999999};
  const CString temporary = CHiddenName::TemporaryName(stem, 4294967295u);
  const CString twin = CHiddenName::TwinName(temporary, 0x7FFFFFFFFFFFFFFFLL, time, 0xFFFFFFFFu);
  EXPECT_LE(twin.GetLength(), 255);

  CHiddenName name;
  ASSERT_TRUE(name.Parse(twin));
  EXPECT_EQ(name.stem, stem);
  EXPECT_EQ(name.pid, static_cast<long>(::getpid()));
  EXPECT_TRUE(name.twin);
  EXPECT_EQ(name.size, 0x7FFFFFFFFFFFFFFFLL);
  EXPECT_EQ(name.time.tv_sec, time.tv_sec);
  EXPECT_EQ(name.time.tv_nsec, time.tv_nsec);
  EXPECT_TRUE(name.hasChecksum);
  EXPECT_EQ(name.checksum, 0xFFFFFFFFu);
  // A twin an earlier version left is stamped without a checksum.
  ASSERT_TRUE(name.Parse(".house.tpf.12.1.a-b-c.tmp"));
  EXPECT_TRUE(name.twin);
  EXPECT_EQ(name.size, 10);
  EXPECT_FALSE(name.hasChecksum);
  ASSERT_TRUE(name.Parse(CHiddenName::TemporaryName(shortName, 7)));
  EXPECT_EQ(name.stem, shortName) << "dots and dashes of the file's own name stay in the stem";
  EXPECT_FALSE(name.twin);
  for (const char* other :
       {".house.tpf.notes", "house.tpf.1.1.tmp", ".house.tpf.0.1.tmp", ".1.1.tmp", ".house.tpf.12.x.tmp",
        ".house.tpf.12.1.a-b.tmp", ".house.tpf.12.1.a-b-c-d-e.tmp", ".house.tpf.12.1.a-b-c-100000000.tmp"})
    EXPECT_FALSE(name.Parse(other)) << other;
}
