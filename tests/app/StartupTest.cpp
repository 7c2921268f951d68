// Guards the application object's own start-up steps (trace topics, names, version texts, splash
// time) and that every start-up failure ends with the fatal-error report and exit code 99
// without touching the profile.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>

#include "AppTestEnv.h"
#include "app/Fatalrpt.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "productdata/Catalog.h"
#include "productdb/txdbExcp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

namespace fs = std::filesystem;

// Writes each message box's text to a file, since the process ends right after the report.
class CReportCatcher : public CScriptedDialogService
{
public:
  explicit CReportCatcher(std::string path) : m_path(std::move(path)) {}
  int MessageBox(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, UINT nIDHelp) override
  {
    std::ofstream(m_path, std::ios::binary | std::ios::app) << caption.str() << "|" << text.str();
    return CScriptedDialogService::MessageBox(pOwner, text, caption, nType, nIDHelp);
  }

private:
  std::string m_path;
};

class StartupTest : public ::testing::Test
{
protected:
  void SetUp() override { SetHelpSink(&sink); }
  void TearDown() override
  {
    SetDialogService(nullptr);
    SetHelpSink(nullptr);
  }
  // A profile that shows no splash and names the database folder.
  std::string Profile(const std::string& databaseDir, const char* splash = "0") const
  {
    return std::string("[Misc]\nSplashScreenTime=") + splash + "\nProductDatabaseDir=" + databaseDir + "\n";
  }
  // Writes TXDB.SDF from the sample catalogue into the folder; the DBVER table left out or empty.
  static void WriteDatabase(const std::string& dir, bool withDbverTable)
  {
    fs::create_directories(dir);
    CCatalogue catalogue = CCatalogue::Load(CatalogueSourceFolder().c_str());
    CTableWriter writer;
    for (const CCatalogueTable& table : catalogue.GetTables()) {
      bool isDbver = table.layout.name == "DBVER";
      if (isDbver && !withDbverTable)
        continue;
      int number = writer.AddTable(table.layout);
      if (!isDbver)
        for (const CCsvRecord& record : table.rows)
          writer.AddRow(number, CCatalogue::MakeRow(table, record));
    }
    writer.WriteFile((dir + "/TXDB.SDF").c_str());
  }
  // Runs the start-up steps in a child process, which must end with the report and code 99;
  // returns the report and checks that the profile was left exactly as it was.
  std::string StartUpFails(const std::string& databaseDir)
  {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (!config.ProfileExists())
      config.WriteProfile(Profile(databaseDir));
    struct stat before
    {};
    ::stat(config.ProfilePath().c_str(), &before);
    std::string text = config.ReadProfile();
    std::string reportPath = config.Path() + "/report.txt";
    EXPECT_EXIT(
        {
          CReportCatcher catcher(reportPath);
          SetDialogService(&catcher);
          CTestCApp app;
          app.InitApplication();
          app.StartUp();
          std::_Exit(0);
        },
        ::testing::ExitedWithCode(kFatalExitCode), "");
    struct stat after
    {};
    ::stat(config.ProfilePath().c_str(), &after);
    EXPECT_EQ(config.ReadProfile(), text);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(fs::path(config.ProfilePath()).parent_path()))
      ++files;
    EXPECT_EQ(files, 1) << "no temporary profile file is left";
    std::ifstream in(reportPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  CConfigFolder config;
  CRecordingHelpSink sink;
};

constexpr const char* kReportStart =
    "Panecraft|An internal error has occurred within Panecraft;\nthe application will terminate.\n\n";
constexpr const char* kReportEnd =
    "We apologize for this inconvenience.  Please report this error to your support representative.";

TEST_F(StartupTest, NewApplicationNamesEveryTopicAtWarning)
{
  CTestCApp app;
  CTrace& trace = theTrace();
  const char* topics[] = {"Application",
                          "Serialization",
                          "Document",
                          "Preferences",
                          "Paint",
                          "Unit",
                          "Workbench",
                          "Workbench Tools",
                          "Views",
                          "VRX Entities",
                          "Zooming & Scrolling",
                          "Translators",
                          "Assemblers",
                          "Dialog boxes",
                          "Reports",
                          "Snapping & Alignment",
                          "Joining"};
  for (int topic = 0; topic < 17; ++topic) {
    EXPECT_EQ(trace.GetTopicName(topic), topics[topic]);
    EXPECT_EQ(trace.GetLevel(topic), TL_WARNING);
  }
  EXPECT_EQ(trace.GetLevelName(0), "None");
  EXPECT_EQ(trace.GetLevelName(4), "Verbose");
}

TEST_F(StartupTest, VersionTestsAndTemplateGettersBeforeStartUp)
{
  CTestCApp app;
  app.InitApplication();
  EXPECT_TRUE(app.IsWinNT());
  EXPECT_FALSE(app.IsWin32s());
  app.SetWindowsVersion(0x80000004);
  EXPECT_TRUE(app.IsWin95());
  EXPECT_FALSE(app.IsWinNT());
  app.SetWindowsVersion(0x80000003);
  EXPECT_TRUE(app.IsWin32s());
  EXPECT_FALSE(app.IsWin95());

  int firstLine = 0;
  try {
    app.GetWarehouseTemplate();
    ADD_FAILURE() << "no exception";
  } catch (const CAppFatalException& e) {
    EXPECT_EQ(e.file, "App");
    firstLine = e.line;
  }
  try {
    app.GetUnitInfoReportViewTemplate();
    ADD_FAILURE() << "no exception";
  } catch (const CAppFatalException& e) {
    EXPECT_GT(e.line, firstLine) << "each getter names its own line";
  }
}

TEST_F(StartupTest, VersionStampIsWrittenAndChecked)
{
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(CApp::SerializeVersion(ar), 10000u);
    ar << DWORD{9236} << DWORD{9235};
    ar.Close();
  }
  std::vector<BYTE> bytes = file.Detach();
  ASSERT_EQ(bytes.size(), 12u);
  EXPECT_EQ(bytes[0], 0x10);
  EXPECT_EQ(bytes[1], 0x27);
  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&in, CArchive::load);
  EXPECT_EQ(CApp::SerializeVersion(ar), 10000u);
  EXPECT_EQ(CApp::SerializeVersion(ar, 10000), 9236u) << "the limit is 9236 whatever is asked";
  try {
    CApp::SerializeVersion(ar);
    ADD_FAILURE() << "no exception";
  } catch (const CAppSerializeException& e) {
    EXPECT_EQ(e.code, 3);
  }
}

TEST_F(StartupTest, FatalReportTexts)
{
  CAppSerializeException serialize("Doc", 412, 3);
  EXPECT_EQ(FormatFatalErrorReport("Panecraft", &serialize),
            "An internal error has occurred within Panecraft;\nthe application will terminate.\n\n"
            "Diagnostic information:\nApplication Version = 1.0\nModule = Doc\nLine = 412\n\n"
            "Additional Information: \nA error has occurred while reading or writing a project file.\n\n"
            "We apologize for this inconvenience.  Please report this error to your support representative.");
  CCommonException plain("Unitscvt", 361);
  EXPECT_EQ(FormatFatalErrorReport("P", &plain),
            "An internal error has occurred within P;\nthe application will terminate.\n\n"
            "Diagnostic information:\nApplication Version = 1.0\nModule = Unitscvt\nLine = 361\n\n"
            "We apologize for this inconvenience.  Please report this error to your support representative.");
  CFileException other(CFileException::diskFull);
  EXPECT_EQ(FormatFatalErrorReport("P", &other),
            "An internal error has occurred within P;\nthe application will terminate.\n\n"
            "We apologize for this inconvenience.  Please report this error to your support representative.");
  EXPECT_EQ(FormatFatalErrorReport("P", nullptr), FormatFatalErrorReport("P", &other));
}

TEST_F(StartupTest, StartUpReadsNamesPreferencesAndVersionTextsOnce)
{
  config.WriteProfile(Profile(CatalogueFolder()) + "[PlanSectionView]\nGlassLines=1\n");
  CTestCApp app;
  app.InitApplication();
  app.StartUp();
  EXPECT_EQ(app.GetProductName(), "Panecraft");
  EXPECT_EQ(app.GetSpecificationVersion(), "2.04");
  EXPECT_EQ(app.GetProductDataVersion(), "1998.06 Sample");
  EXPECT_EQ(app.GetDatePopulated(), "06/15/1998");
  EXPECT_EQ(app.GetAppPrefs().GetPlanSectionViewConfig()->GetGlassLines(), 1) << "the profile in the maker's folder";
  EXPECT_EQ(FindTopLevel("SplashWindow"), nullptr) << "a splash time of 0 shows no splash";
}

TEST_F(StartupTest, ExitSavesThePreferencesOnlyAfterTheyWereLoaded)
{
  config.WriteProfile(Profile(CatalogueFolder()));
  {
    CTestCApp app;
    app.ExitInstance();
  }
  EXPECT_EQ(config.ReadProfile(), Profile(CatalogueFolder())) << "nothing loaded, nothing written";
  EXPECT_FALSE(fs::exists(config.Path() + "/Panecraft"));
  {
    CTestCApp app;
    app.InitApplication();
    app.StartUp();
    app.GetAppPrefs().GetUserLicenseInfo()->SetContact("R. Lindqvist");
    // Every replacement of the profile is written as a new temporary file of its own name first
    // (named apart, so the kernel never folds two of these events into one).
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, fs::path(config.ProfilePath()).parent_path().c_str(), IN_CREATE), 0);
    app.ExitInstance();
    int replacements = 0;
    alignas(inotify_event) char events[65536];
    for (ssize_t got; (got = ::read(watch, events, sizeof events)) > 0;)
      for (char* at = events; at < events + got;
           at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
        ++replacements;
    ::close(watch);
    EXPECT_EQ(replacements, 1) << "the settings kept at exit are written in one go";
  }
  auto ini = ParseIni(config.ReadProfile());
  EXPECT_EQ(IniValue(ini, "UserLicenseInfo", "Contact"), "R. Lindqvist");
  EXPECT_EQ(IniValue(ini, "Misc", "SplashScreenTime"), "0") << "read-only keys stay as they were";
  EXPECT_EQ(ini["ExportToGDI"].size(), 11u);
}

TEST_F(StartupTest, SplashStaysForSplashScreenTime)
{
  config.WriteProfile(Profile(CatalogueFolder(), "400"));
  CTestCApp app;
  app.InitApplication();
  QElapsedTimer started;
  started.start();
  app.StartUp();
  QWidget* splash = FindTopLevel("SplashWindow");
  ASSERT_NE(splash, nullptr);
  // Closed by its own timer and never before its time; a loaded machine can only make it later.
  ASSERT_TRUE(PumpUntil([] { return FindTopLevel("SplashWindow") == nullptr; }));
  EXPECT_GE(started.elapsed(), 400);
}

TEST_F(StartupTest, SplashDefaultsToThreeSeconds)
{
  config.WriteProfile("[Misc]\nProductDatabaseDir=" + CatalogueFolder() + "\n");
  CTestCApp app;
  app.InitApplication();
  QElapsedTimer started;
  started.start();
  app.StartUp();
  ASSERT_NE(FindTopLevel("SplashWindow"), nullptr);
  ASSERT_TRUE(PumpUntil([] { return FindTopLevel("SplashWindow") == nullptr; }));
  EXPECT_GE(started.elapsed(), 3000);
}

TEST_F(StartupTest, MissingDatabaseEndsWithTheReport)
{
  std::string dir = config.Path() + "/nodb";
  std::string report = StartUpFails(dir);
  EXPECT_EQ(report.rfind(kReportStart, 0), 0u) << report;
  EXPECT_NE(report.find("Application Version = 1.0\nModule = Recobj\nLine = 176\n\n"), std::string::npos) << report;
  EXPECT_NE(report.find("Additional Information: \nThe database file was not found.  File = " + dir + "/TXDB.SDF"),
            std::string::npos)
      << report;
  EXPECT_EQ(report.substr(report.size() - std::string(kReportEnd).size()), kReportEnd);
}

TEST_F(StartupTest, DatabaseWithoutVersionTableEndsWithTheReport)
{
  std::string dir = config.Path() + "/nodbver";
  if (!fs::exists(dir + "/TXDB.SDF"))
    WriteDatabase(dir, false);
  std::string report = StartUpFails(dir);
  EXPECT_EQ(report.rfind(kReportStart, 0), 0u) << report;
  EXPECT_NE(report.find("Diagnostic information:\nApplication Version = 1.0\nModule = "), std::string::npos) << report;
  EXPECT_NE(report.find("Error reading the database; cause = 1."), std::string::npos) << report;
}

TEST_F(StartupTest, EmptyVersionTableEndsWithTheReport)
{
  std::string dir = config.Path() + "/emptydbver";
  if (!fs::exists(dir + "/TXDB.SDF"))
    WriteDatabase(dir, true);
  std::string report = StartUpFails(dir);
  EXPECT_EQ(report.rfind(kReportStart, 0), 0u) << report;
  EXPECT_NE(report.find("Module = App\nLine = "), std::string::npos) << report;
  EXPECT_NE(report.find("Additional Information: \nError reading the database; cause = 1.\n\n"), std::string::npos)
      << report;
}

}  // namespace

namespace {

// The whole catalogue is checked when it is opened: a file cut short anywhere is refused at
// start-up, even where the version table it reads first is whole.
TEST_F(StartupTest, TruncatedDatabaseIsRefusedAtStartUp)
{
  std::string dir = config.Path() + "/truncated";
  if (!fs::exists(dir + "/TXDB.SDF")) {
    fs::create_directories(dir);
    std::ifstream in(CatalogueFolder() + "/TXDB.SDF", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(bytes.size(), 1000u);
    std::ofstream(dir + "/TXDB.SDF", std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size() - 100));
  }
  std::string report = StartUpFails(dir);
  EXPECT_EQ(report.rfind(kReportStart, 0), 0u) << report;
  EXPECT_NE(report.find("Additional Information: \nError reading the database; cause = 1."), std::string::npos)
      << report;
}

}  // namespace
