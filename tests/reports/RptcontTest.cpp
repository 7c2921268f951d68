// Guards report files: written whole with carriage return and line feed, and a failed write
// leaving the target and the folder as they were.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "RptFixture.h"
#include "platform/core/Exception.h"
#include "platform/core/FileSizeLimit.h"
#include "reports/Rptfile.h"

namespace {

class ExportTest : public ReportTest
{};

TEST_F(ExportTest, FailedWriteLeavesTargetAndFolderAsTheyWere)
{
  CStringArray lines;
  lines.Add("a,\"b\"");
  lines.Add("");
  const std::string path = dir.Path("out.csv");
  WriteReportFile(path.c_str(), lines);
  EXPECT_EQ(ReadFile(path), "a,\"b\"\r\n\r\n");
  lines.Add("more");
  WriteReportFile(path.c_str(), lines);
  EXPECT_EQ(ReadFile(path), "a,\"b\"\r\n\r\nmore\r\n");

  // A folder in the target's place cannot be replaced: the error reaches the caller and no
  // temporary file is left behind.
  const std::string folder = dir.Path("taken");
  std::filesystem::create_directory(folder);
  std::filesystem::create_directory(folder + "/inside");
  EXPECT_THROW(WriteReportFile(folder.c_str(), lines), CFileException);
  EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside"));
  EXPECT_EQ(dir.EntryCount(), 2u);
  // A missing folder fails before anything is written.
  EXPECT_THROW(WriteReportFile(dir.Path("none/out.csv").c_str(), lines), CFileException);
  EXPECT_EQ(dir.EntryCount(), 2u);
}

}  // namespace

namespace {

void WriteFileText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Text and CSV reports share the writer; each kind of name is tried.
TEST_F(ExportTest, AReadOnlyTargetIsRefusedAndKept)
{
  CStringArray lines;
  lines.Add("new");
  for (const char* name : {"schedule.txt", "schedule.csv"}) {
    const std::string path = dir.Path(name);
    WriteFileText(path, "previous");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    try {
      WriteReportFile(path.c_str(), lines);
      ADD_FAILURE() << name << " was replaced";
    } catch (const CFileException& e) {
      EXPECT_EQ(e.m_cause, CFileException::accessDenied) << name;
      EXPECT_EQ(e.m_strFileName, CString(path.c_str())) << name;
    }
    EXPECT_EQ(ReadFile(path), "previous") << name;
  }
  EXPECT_EQ(dir.EntryCount(), 2u);
}

// Report files are written in UTF-8, as the system's other programs read text: the code page's
// letters and signs become their characters, and Python's csv module reads the fields as shown.
TEST_F(ExportTest, ReportFilesAreWrittenInUtf8)
{
  CStringArray lines;
  lines.Add("DesignName,Price");
  lines.Add("K\xFC"
            "che,\x80"
            "12");
  for (const char* name : {"schedule.txt", "schedule.csv"}) {
    const std::string path = dir.Path(name);
    WriteReportFile(path.c_str(), lines);
    EXPECT_EQ(ReadFile(path), "DesignName,Price\r\nKüche,€12\r\n") << name;
  }
  const auto records = ReadCSVWithPython(dir.Path("schedule.csv"));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1], (std::vector<std::string>{"Küche", "€12"}));
}

TEST_F(ExportTest, AFullDiskKeepsThePreviousFileByteForByte)
{
  CStringArray lines;
  for (int i = 0; i < 5000; ++i)
    lines.Add("a line of the schedule report that fills the disk");
  for (const char* name : {"schedule.txt", "schedule.csv"}) {
    const std::string path = dir.Path(name);
    const std::string previous(20000, 'r');
    WriteFileText(path, previous);
    CFileSizeLimit full(64 * 1024);
    if (!full.Refusal().empty())
      GTEST_SKIP() << full.Refusal();
    try {
      WriteReportFile(path.c_str(), lines);
      ADD_FAILURE() << name << " was written on a full disk";
    } catch (const CFileException& e) {
      EXPECT_EQ(e.m_cause, CFileException::diskFull) << name;
      EXPECT_EQ(e.m_strFileName, CString(path.c_str())) << name;
    }
    full.Lift();
    EXPECT_EQ(ReadFile(path), previous) << name;
  }
  EXPECT_EQ(dir.EntryCount(), 2u) << "no temporary file is left";
}

}  // namespace
