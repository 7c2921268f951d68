// Guards report files: written whole with carriage return and line feed, one page header and no
// page breaks in the text form, and a failed export leaving the target and the folder as they
// were.
#include <filesystem>
#include <gtest/gtest.h>

#include "RptFixture.h"
#include "platform/core/Exception.h"
#include "reports/Rptfile.h"

namespace {

class ExportTest : public ReportTest
{};

TEST_F(ExportTest, TextFileHoldsOnePageOfTheKeptRows)
{
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  BuildSampleProject(doc);
  CReportContent content(schedule);
  content.Generate(&doc, 0);
  ASSERT_GE(content.GetPageStarts().GetSize(), 2);
  const std::string path = dir.Path("plain.csv");  // the form, not the name, decides
  content.ExportText(path.c_str(), 0);
  const std::string text = ReadFile(path);
  size_t pages = 0;
  for (size_t at = text.find("Page "); at != std::string::npos; at = text.find("Page ", at + 1))
    ++pages;
  EXPECT_EQ(pages, 1u);
  EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1);
  // The shown 60-line layout is untouched by the export.
  EXPECT_EQ(content.GetPageStarts().GetSize() >= 2, true);
}

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
