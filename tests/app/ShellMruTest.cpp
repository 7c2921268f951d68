// Guards the recent projects in the File menus: a saved project appears in the project frame's and
// the main frame's menu, choosing it opens it, a vanished file leaves the list (one held by another
// instance stays), and exit stores it.
// Any UTF-8 name is saved, listed, shown and opened again as it is; a project file another
// program changed (also keeping its size and modification time) is replaced only after asking,
// and one renamed or removed is made anew under its old name only after asking.
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "document/Doc.h"
#include "ui/dlg/Dialog.h"
#include "ui/frame/Frame.h"
#include "ui/docview/View.h"

namespace {
constexpr UINT kStoreDesignButton = 337;

class MruTest : public ShellTest
{
protected:
  // Saves the started project, with one stored design, under the path.
  void SaveProjectAs(const std::string& path)
  {
    CDoc* pDoc = ActiveProject();
    ASSERT_NE(pDoc, nullptr);
    SetWorkbenchQuantity(pDoc, 2);
    OnNextDialog([](CDialog& dialog) {
      SetControlText(dialog, IDC_NEW_DESIGN_NAME, "Porch");
      ClickButton(dialog, IDOK);
    });
    pDoc->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_COMMAND, kStoreDesignButton);
    service.filePaths.push_back(path.c_str());
    Command(ID_FILE_SAVE_AS);
  }

  static std::string Contents(const std::string& path)
  {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static CString ChangedElsewhereQuestion(const std::string& path)
  {
    return CString::Formatted("The file %s has been changed by another program since it was opened or last "
                              "saved.\n\nDo you want to replace it with this project?",
                              path.c_str());
  }

  // Save asks whether to replace the file another program changed; No keeps their bytes.
  void ExpectSaveAsksAndNoKeeps(const std::string& path, const std::string& theirs)
  {
    service.messages.clear();
    service.messageAnswers.push_back(IDNO);
    Command(ID_FILE_SAVE);
    ASSERT_EQ(service.messages.size(), 1u);
    EXPECT_EQ(service.messages[0].text, ChangedElsewhereQuestion(path));
    EXPECT_EQ(Contents(path), theirs);
  }

  // The File menu of the main window's menu bar, as the user opens it.
  QMenu* OpenFileMenu()
  {
    auto* window = qobject_cast<QMainWindow*>(MainFrame()->m_hWnd);
    for (QAction* action : window->menuBar()->actions())
      if (action->text() == "&File" && action->menu()) {
        emit action->menu()->aboutToShow();
        return action->menu();
      }
    return nullptr;
  }

  // The recent-file entries of the open File menu, in menu order, and whether they can be chosen.
  std::vector<QAction*> RecentEntries(QMenu* pMenu)
  {
    std::vector<QAction*> entries;
    for (QAction* action : pMenu->actions()) {
      const UINT id = action->data().toUInt();
      if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE16)
        entries.push_back(action);
    }
    return entries;
  }
};
}  // namespace

TEST_F(MruTest, ASavedProjectIsListedAndChoosingItAfterClosingOpensItAgain)
{
  ASSERT_TRUE(Start());
  QMenu* pFile = OpenFileMenu();
  ASSERT_NE(pFile, nullptr);
  std::vector<QAction*> entries = RecentEntries(pFile);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0]->text(), QString("Recent File"));
  EXPECT_FALSE(entries[0]->isEnabled());

  const std::string path = PathIn("Porch.tpf");
  SaveProjectAs(path);
  // The project's own frame shows the entry, just before Exit.
  pFile = OpenFileMenu();
  entries = RecentEntries(pFile);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0]->text(), QString::fromStdString("&1 " + path));
  EXPECT_TRUE(entries[0]->isEnabled());
  const QList<QAction*> actions = pFile->actions();
  const qsizetype at = actions.indexOf(entries[0]);
  ASSERT_LT(at + 2, actions.size());
  EXPECT_TRUE(actions[at + 1]->isSeparator());
  EXPECT_EQ(actions[at + 2]->text(), QString("E&xit"));

  service.messageAnswers.push_back(IDNO);
  Command(ID_FILE_CLOSE);
  ASSERT_TRUE(Projects().empty());
  // The main frame's own menu lists it as well; choosing it opens the project.
  entries = RecentEntries(OpenFileMenu());
  ASSERT_EQ(entries.size(), 1u);
  entries[0]->trigger();
  Pump();
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_EQ(Projects()[0]->GetTitle(), "Porch.tpf");
  EXPECT_GE(Projects()[0]->FindDesign("Porch"), 0);
}

// A project another instance holds is refused and stays listed; a vanished one leaves the list.
TEST_F(MruTest, AVanishedProjectLeavesTheListAfterItsOpenFailsAndExitStoresTheList)
{
  ASSERT_TRUE(Start());
  const std::string kept = PathIn("Kept.tpf");
  SaveProjectAs(kept);
  const std::string held = PathIn("Held.tpf");
  std::filesystem::copy_file(kept, held);
  // Held as another instance holds an open project.
  const int fd = ::open(held.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  ShellApp().AddToRecentFileList(held.c_str());
  const CString gone(PathIn("Gone.tpf").c_str());
  ShellApp().AddToRecentFileList(gone);

  std::vector<QAction*> entries = RecentEntries(OpenFileMenu());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1]->text(), QString::fromStdString("&2 " + held));
  size_t shown = Messages().size();
  entries[1]->trigger();
  Pump();
  ASSERT_EQ(Messages().size(), shown + 1);
  EXPECT_EQ(Messages().back(), CString(("The file " + held + " is currently in use and cannot be opened.").c_str()));
  ::close(fd);

  entries = RecentEntries(OpenFileMenu());
  ASSERT_EQ(entries.size(), 3u) << "the refused project stays listed";
  EXPECT_EQ(entries[0]->text(), QString::fromStdString("&1 " + PathIn("Gone.tpf")));
  shown = Messages().size();
  entries[0]->trigger();
  Pump();
  EXPECT_GT(Messages().size(), shown) << "the failed open is reported";
  EXPECT_EQ(Projects().size(), 1u);

  entries = RecentEntries(OpenFileMenu());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0]->text(), QString::fromStdString("&1 " + held));
  EXPECT_EQ(entries[1]->text(), QString::fromStdString("&2 " + kept));

  ShellApp().ExitInstance();
  EXPECT_EQ(ShellApp().GetProfileString("Recent File List", "File1"), CString(held.c_str()));
  EXPECT_EQ(ShellApp().GetProfileString("Recent File List", "File2"), CString(kept.c_str()));
  EXPECT_TRUE(ShellApp().GetProfileString("Recent File List", "File3").IsEmpty());
}

TEST_F(MruTest, AProjectUnderAnyUtf8NameIsSavedListedShownAndOpenedAgain)
{
  ASSERT_TRUE(Start());
  std::filesystem::create_directory(PathIn("Документы"));
  const std::string path = PathIn("Документы") + "/✓ Küche.tpf";
  SaveProjectAs(path);
  ASSERT_TRUE(std::filesystem::exists(path));
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_EQ(Projects()[0]->GetPathName(), CString(path.c_str()));
  bool titled = false;
  for (QWidget* widget : QApplication::topLevelWidgets())
    for (QWidget* window : widget->findChildren<QWidget*>())
      titled = titled || window->windowTitle().contains(QString::fromUtf8("✓ Küche.tpf"));
  EXPECT_TRUE(titled) << "a frame shows the file's name as it is";
  std::vector<QAction*> entries = RecentEntries(OpenFileMenu());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0]->text(), QString::fromUtf8(("&1 " + path).c_str()));
  Command(ID_FILE_CLOSE);
  ASSERT_TRUE(Projects().empty());
  entries = RecentEntries(OpenFileMenu());
  ASSERT_EQ(entries.size(), 1u);
  entries[0]->trigger();
  Pump();
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_EQ(Projects()[0]->GetPathName(), CString(path.c_str()));
  EXPECT_GE(Projects()[0]->FindDesign("Porch"), 0);
}

TEST_F(MruTest, AProjectFileAnotherProgramChangedIsReplacedOnlyAfterAsking)
{
  ASSERT_TRUE(Start());
  const std::string path = PathIn("Shared.tpf");
  SaveProjectAs(path);
  ASSERT_TRUE(std::filesystem::exists(path));
  const std::string theirs = "written by another program";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << theirs;
  ExpectSaveAsksAndNoKeeps(path, theirs);
  service.messageAnswers.push_back(IDYES);
  Command(ID_FILE_SAVE);
  EXPECT_EQ(service.messages.size(), 2u);
  EXPECT_NE(Contents(path), theirs);
  // Saved here since: no question.
  Command(ID_FILE_SAVE);
  EXPECT_EQ(service.messages.size(), 2u);
}

TEST_F(MruTest, SavingAProjectWhoseFileWasRenamedOrRemovedAsksFirst)
{
  ASSERT_TRUE(Start());
  const std::string path = PathIn("Moved.tpf");
  SaveProjectAs(path);
  const std::string saved = Contents(path);
  ASSERT_FALSE(saved.empty());
  const std::string renamed = PathIn("Moved by hand.tpf");
  std::filesystem::rename(path, renamed);
  const CString question = CString::Formatted("The file %s has been renamed or removed since it was opened or last "
                                              "saved.\n\nDo you want to save this project as a new file under that "
                                              "name?",
                                              path.c_str());
  service.messages.clear();
  service.messageAnswers.push_back(IDNO);
  Command(ID_FILE_SAVE);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, question);
  EXPECT_FALSE(std::filesystem::exists(path)) << "No writes nothing";
  service.messageAnswers.push_back(IDYES);
  Command(ID_FILE_SAVE);
  ASSERT_EQ(service.messages.size(), 2u);
  EXPECT_EQ(service.messages[1].text, question);
  EXPECT_EQ(Contents(path).substr(0, 4), "TPF-");
  EXPECT_EQ(Contents(renamed), saved) << "the renamed file is not touched";
  // Saved here since: no question.
  Command(ID_FILE_SAVE);
  EXPECT_EQ(service.messages.size(), 2u);
  std::filesystem::remove(path);
  service.messageAnswers.push_back(IDNO);
  Command(ID_FILE_SAVE);
  ASSERT_EQ(service.messages.size(), 3u);
  EXPECT_EQ(service.messages[2].text, question);
  EXPECT_FALSE(std::filesystem::exists(path));
}

// What cp -p leaves: other bytes of the same size, the modification time put back.
TEST_F(MruTest, AChangeThatKeepsSizeAndModificationTimeIsStillAskedAbout)
{
  ASSERT_TRUE(Start());
  const std::string path = PathIn("Copied.tpf");
  SaveProjectAs(path);
  std::string theirs = Contents(path);
  ASSERT_FALSE(theirs.empty());
  theirs.back() = static_cast<char>(theirs.back() ^ 1);
  struct stat before
  {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  // The file clock ticks in milliseconds: the outside write comes a tick after the save.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::ofstream(path, std::ios::binary | std::ios::trunc) << theirs;
  const struct timespec kept[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), kept, 0), 0);
  ExpectSaveAsksAndNoKeeps(path, theirs);
}
