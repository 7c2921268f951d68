// A project whose file name is as long as the file system takes, or nearly (255 bytes; 250 bytes;
// 80 characters of three bytes each) saves, exports its elevation as DXF and its schedule as
// CSV, and, when the X server goes away with unsaved changes, gets its recovery copy beside it
// under a name shortened to fit, at a character boundary, which standard error names. Each run
// is a child test of this program on an X server of the test's own.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QString>

#include "ChildRun.h"
#include "WbGuiFixture.h"
#include "WbTestReader.h"
#include "app/Shellids.h"
#include "reports/Rptframe.h"
#include "reports/Rptview.h"
#include "ui/wnd/Exitcode.h"
#include "views/DxfReader.h"
#include "views/Viewids.h"

namespace {
namespace fs = std::filesystem;

const char kFolderVariable[] = "PANECRAFT_LONG_NAME_FOLDER";
const char kStemVariable[] = "PANECRAFT_LONG_NAME_STEM";
const char kChildTest[] = "WbLongNameTest.ChildSavesExportsAndLosesItsDisplay";
// A character of three bytes in UTF-8: U+7A93, a window.
const char kWindow[] = "\xE7\xAA\x93";

std::string Repeated(const std::string& text, int times)
{
  std::string repeated;
  for (int i = 0; i < times; ++i)
    repeated += text;
  return repeated;
}

// A project's file name without its ".tpf", and the recovery copy's name as it must come out.
struct LongName
{
  const char* label;
  std::string stem;
  std::string recovered;
};

void PrintTo(const LongName& name, std::ostream* out) { *out << name.label; }

const std::vector<LongName>& LongNames()
{
  static const std::vector<LongName> names = {
      // 246 + ".tpf": the copy's name keeps 241 bytes of the stem before ".recovered.tpf".
      {"Bytes250", std::string(246, 'd'), std::string(241, 'd') + ".recovered.tpf"},
      // 240 + ".tpf": the copy's name fits whole.
      {"ThreeByteCharacters80", Repeated(kWindow, 80), Repeated(kWindow, 80) + ".recovered.tpf"},
      // 251 + ".tpf": 241 bytes would end inside the 80th character, so it is left out.
      {"Bytes255", "ab" + Repeated(kWindow, 83), "ab" + Repeated(kWindow, 79) + ".recovered.tpf"}};
  return names;
}

class WbLongNameTest : public WorkbenchGuiTest
{
protected:
  // A glider stored as "Opening" and the project saved under the long name; then a second glider
  // placed, unsaved, and the elevation and the schedule exported beside the project under its stem.
  void SaveChangeAndExport(const std::string& base)
  {
    const CRect client = View()->GetClientRect();
    const UINT glider = CommandFor("GL", "BA005");
    ASSERT_NE(PlaceUnit(glider, CPoint(client.Width() / 4, client.Height() * 3 / 4)), nullptr);
    StoreDesign("Opening", 1);
    service.filePaths.push_back((base + ".tpf").c_str());
    Command(ID_FILE_SAVE_AS);
    ASSERT_FALSE(m_pDoc->IsProjectModified()) << "the project was saved";
    ASSERT_NE(PlaceUnit(glider, CPoint(client.Width() * 3 / 4, client.Height() / 4)), nullptr);

    Command(ID_SHOW_ELEVATION);
    service.filePaths.push_back((base + ".dxf").c_str());
    Command(ID_EXPORT_DXF);
    Command(ID_VIEW_SCHEDULE_REPORT);
    Pump();
    auto* pReport = dynamic_cast<CReportView*>(m_pDoc->GetScheduleReportView());
    ASSERT_NE(pReport, nullptr);
    service.filePaths.push_back((base + ".csv").c_str());
    service.fileFilters.push_back(1);
    ClickButton(*dynamic_cast<CReportFrame*>(pReport->GetParentFrame())->GetDialogBar(), ID_REPORT_EXPORT);
    Pump();
  }
};

class WbLongNameEachTest : public WbLongNameTest, public ::testing::WithParamInterface<LongName>
{};

// The one entry of the folder whose name ends so; empty when there is not exactly one.
std::string OnlyEntryEndingWith(const std::string& folder, const std::string& ending)
{
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
      found.push_back(name);
  }
  return found.size() == 1 ? found[0] : std::string();
}

bool IsWholeUtf8(const std::string& text) { return QString::fromUtf8(text.c_str()).toUtf8().toStdString() == text; }

}  // namespace

// Run by the tests below in a process of its own, on their X server; the process ends when the
// server does. Standard error goes to a file the test reads.
TEST_F(WbLongNameTest, ChildSavesExportsAndLosesItsDisplay)
{
  const char* folder = std::getenv(kFolderVariable);
  const char* stem = std::getenv(kStemVariable);
  if (!folder || !stem)
    GTEST_SKIP() << "run by the tests of long names";
  const std::string base = std::string(folder) + "/" + stem;
  ASSERT_NE(std::freopen((std::string(folder) + "/stderr.txt").c_str(), "w", stderr), nullptr);
  StartProgram();
  const std::string ready = std::string(folder) + "/ready";
  QTimer::singleShot(0, [this, base, ready] {
    SaveChangeAndExport(base);
    std::ofstream(ready) << "ready";
  });
  ShellApp().Run();
  ADD_FAILURE() << "the message loop ended while the display was there";
}

TEST_P(WbLongNameEachTest, SavesExportsAndGetsItsRecoveryCopyWhenTheDisplayIsLost)
{
  CPrivateDisplay display;
  if (!display.Start())
    GTEST_SKIP() << "no Xvfb on this machine";
  ASSERT_FALSE(display.Name().empty()) << "Xvfb named no display";
  const LongName& name = GetParam();
  const std::string folder = ShellTempDir() + "/" + name.label;
  fs::create_directories(folder);
  const int code = RunChildUntilReadyThenStop(
      display, kChildTest, {std::string(kFolderVariable) + "=" + folder, std::string(kStemVariable) + "=" + name.stem},
      folder + "/ready");
  ASSERT_NE(code, kChildNeverReady) << "the child ended before its changes were made";
  EXPECT_EQ(code, kDisplayLostExitCode);

  const std::string base = folder + "/" + name.stem;
  CStoredDesignImage saved;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(base + ".tpf"), "Opening", saved)) << saved.error;
  ASSERT_EQ(saved.units.size(), 1u);
  const CDxfReading reading = ReadWithEzdxf(base + ".dxf");
  ASSERT_TRUE(reading.ran) << "the elevation was exported";
  EXPECT_EQ(reading.errors, 0);
  EXPECT_FALSE(reading.entities.empty());
  EXPECT_EQ(ReadText(base + ".csv").substr(0, 20), "SerialID,DesignName,") << "the schedule was exported";

  const std::string recovered = OnlyEntryEndingWith(folder, ".recovered.tpf");
  EXPECT_EQ(recovered, name.recovered);
  ASSERT_FALSE(recovered.empty()) << "one recovery copy beside the project";
  EXPECT_LE(recovered.size(), 255u);
  EXPECT_TRUE(IsWholeUtf8(recovered));
  CStoredDesignImage copy;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(folder + "/" + recovered), "Opening", copy)) << copy.error;
  EXPECT_EQ(copy.units.size(), 2u) << "the copy holds the unit placed after the save";
  EXPECT_NE(ReadText(folder + "/stderr.txt").find(folder + "/" + recovered), std::string::npos)
      << "standard error names the copy as written";
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 6)
      << "the project, its two exports, the copy, standard error and the ready mark: no temporary file";
}

INSTANTIATE_TEST_SUITE_P(LongNames, WbLongNameEachTest, ::testing::ValuesIn(LongNames()),
                         [](const ::testing::TestParamInfo<LongName>& info) { return std::string(info.param.label); });
