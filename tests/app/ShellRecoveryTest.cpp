// When the fatal report ends the program, each project with unsaved changes is first written to a
// recovery copy (beside its file, never over one; an unnamed project into the documents folder),
// the report names the copies, and the copies load with the changes; a Workbench that could not
// be taken is named. The copies an earlier end noted are named at the next start, and a project
// whose recovery copy beside it is newer names the copy when it is opened; each offers the copy.
// A name taken beside the project gives way to the next free one there, and a copy is readable by
// no more people than its project.
// Noted copies keep any path whole and the latest sixteen; an open file is found by any spelling.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "ChildRun.h"
#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Fatalrpt.h"
#include "app/Recoffer.h"
#include "app/Recovery.h"
#include "document/Doc.h"
#include "platform/core/Profile.h"
#include "ui/dlg/Dialog.h"
#include "ui/frame/Frame.h"
#include "ui/docview/View.h"
#include "ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "platform/core/Umask.h"

namespace {
namespace fs = std::filesystem;

constexpr UINT kStoreDesignButton = 337;
const char kFolderVariable[] = "PANECRAFT_RECOVERY_FOLDER";

// Runs one test of this program in a process of its own, with the folder for it.
int RunChildTest(const char* testName, const std::string& folder)
{
  return RunThisTestInChild(testName, {std::string(kFolderVariable) + "=" + folder});
}

class RecoveryTest : public ShellTest
{
protected:
  // A copy of the sample house at the path, changed at the time given (seconds from now).
  static void PlaceHouse(const std::string& path, int secondsFromNow)
  {
    const char* source = std::getenv("PANECRAFT_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    fs::copy_file(std::string(source) + "/samples/Sample House.tpf", path, fs::copy_options::overwrite_existing);
    fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::seconds(secondsFromNow));
  }

  static CString Noted(const char* entry) { return ShellApp().GetProfileString("Recovery Copies", entry); }

  // Notes copies in the profile as an earlier end did, before the program starts and reads it.
  static void NoteBeforeStart(const std::vector<std::pair<std::string, std::string>>& copies)
  {
    std::ofstream profile(ShellTempDir() + "/Tarvex Windows/Panecraft.ini", std::ios::app);
    profile << "[Recovery Copies]\n";
    for (size_t i = 0; i < copies.size(); ++i)
      profile << "Copy" << i + 1 << "=" << copies[i].first << "\nProject" << i + 1 << "=" << copies[i].second << "\n";
  }

  void StoreEditedDesign(CDoc* pDoc, const char* name)
  {
    SetWorkbenchQuantity(pDoc, 3);
    OnNextDialog([name](CDialog& dialog) {
      SetControlText(dialog, IDC_NEW_DESIGN_NAME, name);
      ClickButton(dialog, IDOK);
    });
    pDoc->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_COMMAND, kStoreDesignButton);
  }
};
}  // namespace

// Run by the test below in a process of its own: a saved project changed since, and an unnamed
// changed project, when a fatal error ends the program.
TEST_F(RecoveryTest, ChildEndsWithAFatalErrorWhileProjectsAreChanged)
{
  const char* folder = std::getenv(kFolderVariable);
  if (!folder)
    GTEST_SKIP() << "run by the test of the recovery copies";
  // The documents folder as the desktop names it.
  std::ofstream(ShellTempDir() + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << folder << "/Documents\"\n";
  ASSERT_TRUE(Start());
  CDoc* pSaved = ActiveProject();
  ASSERT_NE(pSaved, nullptr);
  StoreEditedDesign(pSaved, "Kitchen");
  service.filePaths.push_back((std::string(folder) + "/Lake House.tpf").c_str());
  Command(ID_FILE_SAVE_AS);
  ASSERT_FALSE(pSaved->IsProjectModified());
  Command(ID_FILE_NEW);
  CDoc* pUnnamed = ActiveProject();
  ASSERT_NE(pUnnamed, pSaved);
  StoreEditedDesign(pUnnamed, "Attic");
  ASSERT_TRUE(pSaved->RenameDesign(pSaved->FindDesign("Kitchen"), "Porch"));
  ASSERT_TRUE(pSaved->IsProjectModified());

  CReportCatcher catcher(std::string(folder) + "/report.txt");
  SetDialogService(&catcher);
  AfxProcessException(std::make_exception_ptr(CAppFatalException("Test", 1)), nullptr);
}

TEST_F(RecoveryTest, AFatalErrorWritesChangedProjectsToRecoveryCopiesBesideTheirFiles)
{
  const std::string folder = ShellTempDir() + "/recovery";
  fs::create_directories(folder);
  // A copy from an earlier crash stays as it is.
  std::ofstream(folder + "/Lake House.recovered.tpf") << "earlier";
  ASSERT_EQ(RunChildTest("RecoveryTest.ChildEndsWithAFatalErrorWhileProjectsAreChanged", folder), kFatalExitCode);

  const std::string savedCopy = folder + "/Lake House.recovered-2.tpf";
  const std::string unnamedCopy = folder + "/Documents/Proj2.recovered.tpf";
  EXPECT_EQ(ReadText(folder + "/Lake House.recovered.tpf"), "earlier");
  ASSERT_TRUE(fs::exists(savedCopy));
  ASSERT_TRUE(fs::exists(unnamedCopy));
  const std::string report = ReadText(folder + "/report.txt");
  EXPECT_NE(report.find("An internal error has occurred"), std::string::npos) << report;
  EXPECT_NE(report.find(savedCopy), std::string::npos) << report;
  EXPECT_NE(report.find(unnamedCopy), std::string::npos) << report;

  // The project file keeps what was saved; the copy has the change made after. Opening the file
  // names the newer copy beside it; the user opens the file.
  service.messageAnswers.push_back(IDNO);
  ASSERT_TRUE(Start((folder + "/Lake House.tpf").c_str()));
  ASSERT_EQ(Messages().size(), 1u) << "opening the project did not offer its newer recovery copy once";
  EXPECT_NE(Messages()[0].Find(savedCopy.c_str()), -1) << Messages()[0];
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_GE(Projects()[0]->FindDesign("Kitchen"), 0);
  EXPECT_LT(Projects()[0]->FindDesign("Porch"), 0);
  service.filePaths.push_back(savedCopy.c_str());
  Command(ID_FILE_OPEN);
  service.filePaths.push_back(unnamedCopy.c_str());
  Command(ID_FILE_OPEN);
  std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 3u);
  EXPECT_LT(projects[1]->FindDesign("Kitchen"), 0);
  EXPECT_GE(projects[1]->FindDesign("Porch"), 0);
  EXPECT_GE(projects[2]->FindDesign("Attic"), 0);
}

// A Workbench that could not be taken is told apart from a copy that holds everything: with
// nothing else changed no copy is claimed, and without a folder for the copy both are told.
TEST(RecoveryReportTest, AWorkbenchNotTakenIsNamedAndNothingMoreIsClaimed)
{
  CRecoveryCopy whole{"House.tpf", "/p/House.recovered.tpf", true, "", true, "", "/p/House.tpf"};
  CRecoveryCopy nothingElse{"Barn.tpf", "", false, "the design \"Gable\"", true, "", "/p/Barn.tpf"};
  CRecoveryCopy nowhere{"Shed.tpf", "", true, "the new design", false, "", "/p/Shed.tpf"};
  const std::string text = DescribeRecoveryCopies({whole, nothingElse, nowhere}).str();
  EXPECT_EQ(text, "\n\nThe unsaved changes were written to:\n/p/House.recovered.tpf"
                  "\n\nNo copy of the unsaved changes could be written, in the project's folder, the documents "
                  "folder or the temporary folder, for:\nShed.tpf"
                  "\n\nThe Workbench of Barn.tpf could not be taken into a recovery copy: the design \"Gable\" is "
                  "kept only as last stored. Nothing else had changed, so no copy was written."
                  "\n\nThe Workbench of Shed.tpf could not be taken either: the new design on it is lost.");
}

// An earlier end noted two copies, of which one is still there: the start names that one, opens
// it on Yes, and never names the one that is gone. Told once, neither is noted any more; the
// copy itself stays.
TEST_F(RecoveryTest, TheStartNamesTheCopyAnEarlierEndKeptAndOpensIt)
{
  const std::string folder = ShellTempDir() + "/kept";
  fs::create_directories(folder);
  const std::string copy = folder + "/House.recovered.tpf";
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(copy, 0));
  NoteBeforeStart({{folder + "/Barn.recovered.tpf", folder + "/Barn.tpf"}, {copy, folder + "/House.tpf"}});
  service.messageAnswers.push_back(IDYES);
  ASSERT_TRUE(Start());

  ASSERT_EQ(Messages().size(), 1u) << "the start did not name the one copy still there, once";
  EXPECT_EQ(Messages()[0], CString("Panecraft ended before the changes to " + folder +
                                   "/House.tpf were saved. They were kept in the recovery copy\n\n" + copy +
                                   "\n\nDo you want to open the recovery copy now?"));
  ASSERT_NE(ActiveProject(), nullptr);
  EXPECT_EQ(ActiveProject()->GetPathName(), CString(copy.c_str()));
  EXPECT_TRUE(Noted("Copy1").IsEmpty());
  EXPECT_TRUE(Noted("Copy2").IsEmpty());
  EXPECT_TRUE(fs::exists(copy));
}

// Where nobody can be asked, the copies stay noted for a start where somebody can.
TEST_F(RecoveryTest, AStartWithNobodyToAskKeepsTheCopiesNoted)
{
  const std::string copy = ShellTempDir() + "/House.recovered.tpf";
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(copy, 0));
  NoteBeforeStart({{copy, "Proj1"}});
  service.canAsk = FALSE;
  ASSERT_TRUE(Start());
  EXPECT_TRUE(Messages().empty()) << "a start with nobody to ask asked: " << Messages()[0];
  EXPECT_EQ(Noted("Copy1"), CString(copy.c_str()));
}

// A project whose recovery copy beside it is newer than the file says so when it is opened, from
// File > Open as from the command line, and opens the copy or the file as the user answers; an
// older copy says nothing.
TEST_F(RecoveryTest, OpeningAProjectWithANewerRecoveryCopyBesideItOffersTheCopy)
{
  const std::string folder = ShellTempDir() + "/beside";
  fs::create_directories(folder);
  const std::string project = folder + "/House.tpf";
  const std::string copy = folder + "/House.recovered.tpf";
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(project, -60));
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(copy, -30));
  const CString question("The recovery copy\n\n" + copy + "\n\nis newer than the project file " + project +
                         ". It holds changes that were not saved when Panecraft ended.\n\nDo you want to open the "
                         "recovery copy instead?");

  service.messageAnswers.push_back(IDNO);
  ASSERT_TRUE(Start(project.c_str()));
  ASSERT_EQ(Messages().size(), 1u) << "opening from the command line did not offer the newer copy once";
  EXPECT_EQ(Messages()[0], question);
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_EQ(Projects()[0]->GetPathName(), CString(project.c_str()));

  Command(ID_FILE_CLOSE);
  service.messageAnswers.push_back(IDYES);
  service.filePaths.push_back(project.c_str());
  Command(ID_FILE_OPEN);
  ASSERT_EQ(Messages().size(), 2u) << "File > Open did not offer the newer copy once";
  EXPECT_EQ(Messages()[1], question);
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_EQ(Projects()[0]->GetPathName(), CString(copy.c_str()));

  Command(ID_FILE_CLOSE);
  fs::last_write_time(copy, fs::last_write_time(project) - std::chrono::seconds(1));
  service.filePaths.push_back(project.c_str());
  Command(ID_FILE_OPEN);
  EXPECT_EQ(Messages().size(), 2u) << "an older copy was offered: " << Messages().back();
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_EQ(Projects()[0]->GetPathName(), CString(project.c_str()));
}

// A symbolic link that leads nowhere, planted at the copy's first name beside a private project,
// is never followed: the copy takes the next free name beside the project, where opening the
// project finds it, and the project's mode, whatever the umask.
TEST_F(RecoveryTest, ACopyBesideAPrivateProjectTakesTheNextFreeNameThereAndTheProjectsMode)
{
  const CUmask none(0);
  const std::string folder = ShellTempDir() + "/private";
  fs::create_directories(folder);
  const std::string project = folder + "/Haus.tpf";
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(project, -60));
  ASSERT_EQ(::chmod(project.c_str(), 0600), 0);
  const std::string planted = folder + "/Haus.recovered.tpf";
  fs::create_symlink(folder + "/elsewhere/Haus.tpf", planted);
  ASSERT_TRUE(Start(project.c_str()));
  ASSERT_NE(ActiveProject(), nullptr);
  ASSERT_TRUE(ActiveProject()->RenameDesign(0, "Porch"));
  ASSERT_TRUE(ActiveProject()->IsProjectModified());

  const std::vector<CRecoveryCopy> copies = WriteRecoveryCopies(ShellApp());
  ASSERT_EQ(copies.size(), 1u);
  const std::string copy = folder + "/Haus.recovered-2.tpf";
  EXPECT_EQ(copies[0].path, CString(copy.c_str()))
      << "the copy went elsewhere than to the next free name beside the project";
  EXPECT_TRUE(fs::is_symlink(planted) && !fs::exists(folder + "/elsewhere")) << "the planted link was followed";
  struct stat st
  {};
  ASSERT_EQ(::stat(copy.c_str(), &st), 0) << copy;
  EXPECT_EQ(st.st_mode & 07777, 0600u) << "the copy of a project of mode 0600 has mode 0" << std::oct
                                       << (st.st_mode & 07777);
}

// A copy changed in the same instant as its project holds nothing newer: only a later copy is
// offered.
TEST_F(RecoveryTest, OnlyACopyLaterThanItsProjectIsNewer)
{
  const std::string project = ShellTempDir() + "/Same.tpf";
  const std::string copy = ShellTempDir() + "/Same.recovered.tpf";
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(project, -60));
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(copy, -60));
  fs::last_write_time(copy, fs::last_write_time(project));
  EXPECT_TRUE(NewerRecoveryCopyOf(project.c_str()).IsEmpty()) << "a copy exactly as old as its project was newer";
  fs::last_write_time(copy, fs::last_write_time(project) + std::chrono::nanoseconds(1000));
  EXPECT_EQ(NewerRecoveryCopyOf(project.c_str()), CString(copy.c_str())) << "a later copy was not newer";
}

// Past the copies the profile notes, the oldest give way to the copies of the latest end, which
// come first; the others keep their order.
TEST_F(RecoveryTest, PastSixteenNotedCopiesTheOldestGiveWay)
{
  std::vector<std::pair<std::string, std::string>> earlier;
  for (int i = 1; i <= 16; ++i)
    earlier.push_back({"/p/Old" + std::to_string(i) + ".recovered.tpf", "/p/Old" + std::to_string(i) + ".tpf"});
  NoteBeforeStart(earlier);
  service.canAsk = FALSE;
  ASSERT_TRUE(Start());
  CRecoveryCopy latest;
  latest.title = "New.tpf";
  latest.path = "/p/New.recovered.tpf";
  latest.project = "/p/New.tpf";
  NoteRecoveryCopies(ShellApp(), {latest});

  const CProfile stored(ShellApp().GetProfile().GetPath());
  const auto noted = [&](const char* entry) { return stored.GetProfileString("Recovery Copies", entry); };
  EXPECT_EQ(noted("Copy1"), CString("/p/New.recovered.tpf")) << "the latest copy is not noted first";
  EXPECT_EQ(noted("Project1"), CString("/p/New.tpf"));
  EXPECT_EQ(noted("Copy2"), CString("/p/Old1.recovered.tpf")) << "the earlier copies did not keep their order";
  EXPECT_EQ(noted("Copy16"), CString("/p/Old15.recovered.tpf")) << "the earlier copies did not keep their order";
  EXPECT_EQ(noted("Project16"), CString("/p/Old15.tpf"));
  EXPECT_TRUE(noted("Copy17").IsEmpty()) << "more than sixteen copies are noted";
  EXPECT_EQ(ReadText(stored.GetPath()).find("Old16"), std::string::npos) << "the oldest copy did not give way";
}

// A project whose path holds a line break or a carriage return: its copy is noted so that the
// next start names it, and its project, as they are, each entry apart from the others.
TEST_F(RecoveryTest, ACopyWhosePathHoldsALineBreakIsNamedRightAtTheNextStart)
{
  const std::string folder = ShellTempDir() + "/odd";
  fs::create_directories(folder);
  const std::vector<std::pair<std::string, std::string>> odd = {
      {folder + "/Two\nlines.recovered.tpf", folder + "/Two\nlines.tpf"},
      {folder + "/Carriage\rreturn.recovered.tpf", folder + "/Carriage\rreturn.tpf"},
      {folder + "/Back\\nslash.recovered.tpf", folder + "/Back\\nslash.tpf"}};
  std::vector<CRecoveryCopy> copies;
  for (const auto& [copy, project] : odd) {
    ASSERT_NO_FATAL_FAILURE(PlaceHouse(copy, 0));
    CRecoveryCopy written;
    written.title = "Odd";
    written.path = copy.c_str();
    written.project = project.c_str();
    copies.push_back(written);
  }
  service.canAsk = FALSE;
  ASSERT_TRUE(Start());
  NoteRecoveryCopies(ShellApp(), copies);

  // The next start reads the profile anew.
  ShellApp().SetRegistryKey(CString(ShellApp().m_strRegistryKey));
  service.canAsk = TRUE;
  OfferNotedRecoveryCopies(ShellApp());
  ASSERT_EQ(Messages().size(), odd.size()) << "not every copy was named at the next start";
  for (size_t i = 0; i < odd.size(); ++i)
    EXPECT_EQ(Messages()[i], CString("Panecraft ended before the changes to " + odd[i].second +
                                     " were saved. They were kept in the recovery copy\n\n" + odd[i].first +
                                     "\n\nDo you want to open the recovery copy now?"))
        << "the copy or its project was named wrong";
}

// A noted copy that the command line opened by another spelling of its path is not offered
// again; opening an open project by another spelling brings its window forward.
TEST_F(RecoveryTest, AnOpenFileIsFoundByAnySpellingOfItsPath)
{
  const std::string folder = ShellTempDir() + "/kept";
  fs::create_directories(folder + "/sub");
  const std::string copy = folder + "/House.recovered-2.tpf";
  const std::string project = folder + "/Barn.tpf";
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(copy, 0));
  ASSERT_NO_FATAL_FAILURE(PlaceHouse(project, 0));
  NoteBeforeStart({{copy, folder + "/House.tpf"}});
  ASSERT_TRUE(Start((folder + "/sub/../House.recovered-2.tpf").c_str()));
  EXPECT_TRUE(Messages().empty()) << "the copy opened by another spelling was offered again: " << Messages()[0];
  EXPECT_TRUE(Noted("Copy1").IsEmpty()) << "the copy opened is still noted";

  service.filePaths.push_back(project.c_str());
  Command(ID_FILE_OPEN);
  ASSERT_EQ(Projects().size(), 2u);
  const size_t asked = Messages().size();
  service.filePaths.push_back((folder + "/./sub/../Barn.tpf").c_str());
  Command(ID_FILE_OPEN);
  EXPECT_EQ(Messages().size(), asked) << "opening the project by another spelling said: " << Messages().back();
  EXPECT_EQ(Projects().size(), 2u) << "the project was opened twice";
}
