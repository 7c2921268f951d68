// Under a file-size limit (ulimit -f, a service's LimitFSIZE) with SIGXFSZ at its default when the
// program starts: Save, the report export and printing to a PDF file past the limit fail with
// their usual message and the system's "File too large", the previous file stays byte for byte,
// no temporary file is left, and the program goes on. Each run is a child of its own that sets
// the signal's default before the program starts; the exit code tells that it lived to its end.
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QPrinter>

#include "ChildRun.h"
#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "reports/Rptframe.h"
#include "reports/Rptview.h"

namespace {
namespace fs = std::filesystem;

const char kFolderVariable[] = "PANECRAFT_FILE_LIMIT_FOLDER";
const char kChildTest[] = "FileLimitTest.ChildSavesAndExportsPastTheLimit";

// Designs enough that the saved project and its schedule are some kilobytes.
void AddDesigns(CDoc* pDoc, int count)
{
  for (int i = 0; i < count; ++i)
    AddDesignOfUnits(pDoc, CString::Formatted("Opening %03d", i + 1).c_str(), {{"GL", "BA005"}});
}

// No file of the process may grow past the size from here on.
bool LimitFileSizes(rlim_t bytes)
{
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
    return false;
  limit.rlim_cur = bytes;
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// Every name in the folder, the hidden ones included.
std::vector<std::string> Entries(const std::string& folder)
{
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class FileLimitTest : public ShellTest
{};
}  // namespace

// Run by the test below in a process of its own.
TEST_F(FileLimitTest, ChildSavesAndExportsPastTheLimit)
{
  const char* folderVariable = std::getenv(kFolderVariable);
  if (!folderVariable)
    GTEST_SKIP() << "run by the test of the file-size limit";
  const std::string folder = folderVariable;
  // As a shell or a service starts the program: the signal at its default, which ends a process
  // that writes past the limit unless the program says otherwise.
  std::signal(SIGXFSZ, SIG_DFL);
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  ASSERT_NE(pDoc, nullptr);
  const std::string project = folder + "/Limited.tpf";
  service.filePaths.push_back(project.c_str());
  Command(ID_FILE_SAVE_AS);
  ASSERT_TRUE(fs::exists(project));
  const std::vector<unsigned char> previous = ReadFileBytes(project);
  const std::string report = folder + "/schedule.csv";
  std::ofstream(report) << "previous";

  AddDesigns(pDoc, 40);
  Command(ID_VIEW_SCHEDULE_REPORT);
  Pump();
  auto* pView = dynamic_cast<CReportView*>(pDoc->GetScheduleReportView());
  ASSERT_NE(pView, nullptr);
  auto* pFrame = dynamic_cast<CReportFrame*>(pView->GetParentFrame());
  ASSERT_NE(pFrame, nullptr);
  ASSERT_TRUE(LimitFileSizes(previous.size())) << std::strerror(errno);

  service.messages.clear();
  Command(ID_FILE_SAVE);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("An error occurred while saving the project file '") + project.c_str() +
                                          "'.\nThe project has not been saved.\nReason:  " + std::strerror(EFBIG));
  EXPECT_EQ(ReadFileBytes(project), previous);
  EXPECT_TRUE(pDoc->IsProjectModified());

  service.messages.clear();
  service.filePaths.push_back(report.c_str());
  service.fileFilters.push_back(1);
  ClickButton(*pFrame->GetDialogBar(), ID_REPORT_EXPORT);
  Pump();
  ASSERT_EQ(service.messages.size(), 2u) << "the replace question (answered Yes), then the failure";
  EXPECT_EQ(service.messages[1].text, CString("The report could not be exported.\nFile:  ") + report.c_str() +
                                          "\nReason:  " + std::strerror(EFBIG));
  EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Limited.tpf", "schedule.csv"})) << "no temporary file";

  // Without a printer the schedule is printed to a PDF file, which is cut at the limit.
  const std::string pdf = folder + "/schedule.pdf";
  std::ofstream(pdf) << "%PDF previous";
  ShellApp().GetPrinter()->setOutputFormat(QPrinter::PdfFormat);
  service.messages.clear();
  service.filePaths.push_back(pdf.c_str());
  ClickButton(*pFrame->GetDialogBar(), ID_REPORT_PRINT);
  Pump();
  ASSERT_EQ(service.messages.size(), 2u) << "the replace question (answered Yes), then the failure";
  EXPECT_EQ(service.messages[1].text,
            CString("The file could not be written.\nFile:  ") + pdf.c_str() + "\nReason:  " + std::strerror(EFBIG));
  EXPECT_EQ(ReadText(pdf), "%PDF previous");
  EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Limited.tpf", "schedule.csv", "schedule.pdf"}));

  // The session goes on: once the limit is lifted the same commands write their files.
  ASSERT_TRUE(LimitFileSizes(RLIM_INFINITY));
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(pDoc->IsProjectModified());
  EXPECT_GT(ReadFileBytes(project).size(), previous.size());
}

TEST_F(FileLimitTest, SaveAndExportPastTheLimitFailWithTheirMessageAndTheProgramGoesOn)
{
  const std::string folder = ShellTempDir() + "/limited";
  fs::create_directories(folder);
  EXPECT_EQ(RunThisTestInChild(kChildTest, {std::string(kFolderVariable) + "=" + folder}), 0)
      << "-1: the child ended by a signal (SIGXFSZ), 1: a check failed in it";
  EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Limited.tpf", "schedule.csv", "schedule.pdf"}));
  EXPECT_EQ(ReadText(folder + "/schedule.csv"), "previous");
  EXPECT_EQ(ReadText(folder + "/schedule.pdf"), "%PDF previous");
  EXPECT_EQ(ReadText(folder + "/Limited.tpf").substr(0, 4), "TPF-");
}
