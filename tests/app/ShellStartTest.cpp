// Start-up opens a new project or the command line's file, closes the untouched first project
// when a file opens, saving a reopened project gives its bytes again, and a second instance
// finds an open project in use; an error at start-up comes in front, the splash picture gone.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "ChildRun.h"
#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "document/Doc.h"
#include "document/Whview.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/Dialog.h"
#include "ui/frame/Frame.h"
#include "ui/docview/View.h"
#include "productdb/txrecobj.h"

namespace {
constexpr UINT kStoreDesignButton = 337;
const char kChildProjectVariable[] = "PANECRAFT_CHILD_PROJECT";

// Runs one test of this program in a process of its own, with the project path for it.
int RunChildTest(const char* testName, const std::string& projectPath)
{
  return RunThisTestInChild(testName, {std::string(kChildProjectVariable) + "=" + projectPath});
}

// The project path a child test works on; empty when the test runs on its own.
std::string ChildProject()
{
  const char* path = std::getenv(kChildProjectVariable);
  return path ? path : "";
}

class StartTest : public ShellTest
{
protected:
  // Names and stores the design on the Workbench through its Store Design button.
  void StoreEditedDesign(CDoc* pDoc, const char* name)
  {
    SetWorkbenchQuantity(pDoc, 4);
    OnNextDialog([name](CDialog& dialog) {
      SetControlText(dialog, IDC_NEW_DESIGN_NAME, name);
      ClickButton(dialog, IDOK);
    });
    pDoc->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_COMMAND, kStoreDesignButton);
  }

  // A project with one design, "Kitchen", saved under the path.
  void WriteProject(const std::string& path)
  {
    ASSERT_TRUE(Start());
    CDoc* pDoc = ActiveProject();
    ASSERT_NE(pDoc, nullptr);
    StoreEditedDesign(pDoc, "Kitchen");
    service.filePaths.push_back(path.c_str());
    Command(ID_FILE_SAVE_AS);
    ASSERT_TRUE(std::filesystem::exists(path));
  }
};

// The modified time of the version record: after the tag, the version and the three database texts.
size_t ModifiedTimeOffset(const std::vector<unsigned char>& bytes)
{
  size_t offset = 15 + 4 + 4;
  for (int i = 0; i < 3; ++i)
    offset += 1 + bytes.at(offset);
  return offset + 4;
}
}  // namespace

TEST_F(StartTest, AnEmptyCommandLineStartsProj1WithANewDesignOnTheWorkbench)
{
  ASSERT_TRUE(Start());
  ASSERT_NE(MainFrame(), nullptr);
  std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 1u);
  EXPECT_EQ(projects[0]->GetTitle(), "Proj1");
  EXPECT_NE(projects[0]->GetEditedDesign(), nullptr);
  ASSERT_NE(projects[0]->GetWorkbenchView(), nullptr);
  CString caption;
  projects[0]->GetWorkbenchView()->GetParentFrame()->GetWindowText(caption);
  EXPECT_EQ(caption, "Unnamed (Workbench)");
}

TEST_F(StartTest, WithoutADatabaseDirectoryTheCatalogueInTheProgramsDataFolderIsFound)
{
  {
    std::ofstream profile(ShellTempDir() + "/Tarvex Windows/Panecraft.ini", std::ios::trunc);
    profile << "[Misc]\nSplashScreenTime=0\n";
  }
  // The data folder as the program finds it from its own folder (here, the test program's).
  const std::string program = std::filesystem::read_symlink("/proc/self/exe");
  const std::string data = program.substr(0, program.rfind('/') + 1) + PANECRAFT_DATA_FROM_BIN;
  std::filesystem::create_directories(data);
  std::filesystem::copy_file(std::string(std::getenv("PANECRAFT_BINARY_DIR")) + "/productdata/TXDB.SDF",
                             data + "/TXDB.SDF", std::filesystem::copy_options::overwrite_existing);
  std::filesystem::current_path(ShellTempDir());
  const BOOL started = Start();
  std::filesystem::remove(data + "/TXDB.SDF");
  ASSERT_TRUE(started);
  EXPECT_EQ(std::string(CTXRecObj::GetDatabaseDirectory().c_str()), data + "/");
  EXPECT_EQ(Projects().size(), 1u);
}

// Run by the tests below in a process of their own.
TEST_F(StartTest, ChildWritesAProject)
{
  if (ChildProject().empty())
    GTEST_SKIP() << "run by the tests that need a project file";
  WriteProject(ChildProject());
}

TEST_F(StartTest, ChildFindsTheProjectInUse)
{
  if (ChildProject().empty())
    GTEST_SKIP() << "run by the tests that need a second instance";
  ASSERT_TRUE(Start(ChildProject().c_str()));
  EXPECT_TRUE(Projects().empty());
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text,
            ("The file " + ChildProject() + " is currently in use and cannot be opened.").c_str());
}

TEST_F(StartTest, TheCommandLineOpensAProjectAndSavingItGivesTheSameBytes)
{
  std::string path = PathIn("Lake House.tpf");
  ASSERT_EQ(RunChildTest("StartTest.ChildWritesAProject", path), 0);
  std::vector<unsigned char> written = ReadFileBytes(path);
  ASSERT_GT(written.size(), 100u);

  ASSERT_TRUE(Start(path.c_str()));
  std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 1u) << "no untitled project besides the file";
  CDoc* pDoc = projects[0];
  EXPECT_EQ(pDoc->GetTitle(), "Lake House.tpf");
  EXPECT_GE(pDoc->FindDesign("Kitchen"), 0);
  EXPECT_EQ(pDoc->GetWorkbenchView(), nullptr) << "a project with designs opens on its list";
  EXPECT_EQ(DesignList(pDoc)->GetDesignListBox()->GetCount(), 1);

  Command(ID_FILE_SAVE);
  std::vector<unsigned char> saved = ReadFileBytes(path);
  ASSERT_EQ(saved.size(), written.size());
  size_t modified = ModifiedTimeOffset(written);
  for (size_t i = 0; i < 4; ++i)
    saved[modified + i] = written[modified + i];
  EXPECT_TRUE(saved == written);
}

TEST_F(StartTest, ASecondInstanceFindsAnOpenProjectInUse)
{
  std::string path = PathIn("Shared.tpf");
  ASSERT_EQ(RunChildTest("StartTest.ChildWritesAProject", path), 0);
  ASSERT_TRUE(Start(path.c_str()));
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_EQ(RunChildTest("StartTest.ChildFindsTheProjectInUse", path), 0);
}

TEST_F(StartTest, OpeningAFileClosesTheUntouchedProj1)
{
  std::string path = PathIn("Cabin.tpf");
  ASSERT_EQ(RunChildTest("StartTest.ChildWritesAProject", path), 0);
  ASSERT_TRUE(Start());
  ASSERT_EQ(Projects().size(), 1u);
  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_OPEN);
  std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 1u);
  EXPECT_EQ(projects[0]->GetTitle(), "Cabin.tpf");

  // Only the first untitled project goes: a later one stays when a file opens.
  Command(ID_FILE_NEW);
  ASSERT_EQ(Projects().size(), 2u);
  EXPECT_EQ(Projects()[1]->GetTitle(), "Proj2");
}

TEST_F(StartTest, AChangedProj1StaysWhenAFileOpens)
{
  std::string path = PathIn("Barn.tpf");
  ASSERT_EQ(RunChildTest("StartTest.ChildWritesAProject", path), 0);
  ASSERT_TRUE(Start());
  SetWorkbenchQuantity(ActiveProject(), 7);
  CDoc* pProj1 = ActiveProject();
  CString dropped(path.c_str());
  MainFrame()->SendMessage(WM_DROPFILES, 0, reinterpret_cast<LPARAM>(&dropped));
  Pump();
  std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 2u) << "the design on Proj1's Workbench was changed";
  EXPECT_EQ(projects[0], pProj1);
  EXPECT_EQ(projects[1]->GetTitle(), "Barn.tpf");
}

// The splash picture stays on top of every window: a message box asked while it shows would stand
// behind it, so the picture goes first. The real box is answered from the keyboard.
TEST_F(StartTest, AnErrorAtStartUpIsNotHiddenBehindTheSplash)
{
  const std::string profilePath = ShellTempDir() + "/Tarvex Windows/Panecraft.ini";
  const std::vector<unsigned char> bytes = ReadFileBytes(profilePath);
  std::string profile(bytes.begin(), bytes.end());
  const std::string noSplash = "SplashScreenTime=0";
  ASSERT_NE(profile.find(noSplash), std::string::npos);
  profile.replace(profile.find(noSplash), noSplash.size(), "SplashScreenTime=3000");
  std::ofstream(profilePath, std::ios::trunc) << profile;
  SetDialogService(nullptr);
  auto splashShown = [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->windowTitle() == "SplashWindow" && w->isVisible())
        return true;
    return false;
  };
  QString asked;
  bool splashWithTheBox = true;
  const CModalAnswer answer("QMessageBox", [&](QWidget* modal) {
    auto* box = static_cast<QMessageBox*>(modal);
    asked = box->text();
    splashWithTheBox = splashShown();
    QTest::keyClick(box, Qt::Key_Return);
  });
  const std::string missing = PathIn("Nowhere.tpf");
  Start(missing.c_str());
  EXPECT_NE(asked.indexOf(QString::fromStdString(missing)), -1) << asked.toStdString();
  EXPECT_FALSE(splashWithTheBox) << "the box would stand behind the picture";
  EXPECT_FALSE(splashShown());
}
