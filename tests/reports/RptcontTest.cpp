// Guards report files: written whole with carriage return and line feed, and a failed write
// leaving the target and the folder as they were.
#include <filesystem>
#include <gtest/gtest.h>

#include "RptFixture.h"
#include "platform/core/Exception.h"
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
