// Guards the recent-file list in the File menu: numbered entries, most recent first, in place of
// the placeholder item; an entry that cannot be opened leaves the list; the list survives in the profile,
// with the files another instance listed meanwhile.
#include <QDir>
#include <QTemporaryDir>

#include "TestFrames.h"
#include "platform/core/Profile.h"
#include "ui/docview/Doc.h"
#include "ui/frame/Menu.h"

namespace {
class RecentFileTest : public FrameTest
{
protected:
  void SetUp() override
  {
    FrameTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    TestApp().SetRegistryKey("Tarvex Windows");
    ASSERT_TRUE(file.CreatePopupMenu());
    file.AppendMenu(MF_STRING, ID_FILE_OPEN, "&Open...");
    file.AppendMenu(MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "Recent File");
    file.AppendMenu(MF_SEPARATOR);
    file.AppendMenu(MF_STRING, ID_APP_EXIT, "E&xit");
  }
  void TearDown() override
  {
    TestApp().LoadStdProfileSettings(0);
    qunsetenv("XDG_CONFIG_HOME");
    TestApp().SetRegistryKey("");
    FrameTest::TearDown();
  }
  // The menu as it is when it opens on the main frame: the request goes along the frame's route.
  std::vector<CString> OpenMenu()
  {
    file.UpdateCommandStates(main, TRUE);
    std::vector<CString> texts;
    for (UINT i = 0; i < file.GetMenuItemCount(); ++i) {
      CString text;
      file.GetMenuString(i, text, MF_BYPOSITION);
      texts.push_back(text);
    }
    return texts;
  }
  bool Enabled(UINT nPos) const { return !(file.GetMenuState(nPos, MF_BYPOSITION) & MF_GRAYED); }

  QTemporaryDir dir;
  CMenu file;
};
}  // namespace

TEST_F(RecentFileTest, TheListReplacesThePlaceholderNumberedMostRecentFirst)
{
  TestApp().WriteProfileString("Recent File List", "File1", "/p/a.tpf");
  TestApp().WriteProfileString("Recent File List", "File2", "/p/R&D.tpf");
  TestApp().LoadStdProfileSettings(4);
  TestApp().AddToRecentFileList("/p/c.tpf");
  EXPECT_EQ(OpenMenu(),
            (std::vector<CString>{"&Open...", "&1 /p/c.tpf", "&2 /p/a.tpf", "&3 /p/R&&D.tpf", "", "E&xit"}));
  for (UINT i = 0; i < 3; ++i) {
    EXPECT_EQ(file.GetMenuItemID(static_cast<int>(i + 1)), ID_FILE_MRU_FILE1 + i);
    EXPECT_TRUE(Enabled(i + 1));
  }

  // Reopening after more files were used shows the new order, at most four, without repeats.
  TestApp().AddToRecentFileList("/p/d.tpf");
  TestApp().AddToRecentFileList("/p/e.tpf");
  TestApp().AddToRecentFileList("/p/a.tpf");
  EXPECT_EQ(OpenMenu(), (std::vector<CString>{"&Open...", "&1 /p/a.tpf", "&2 /p/e.tpf", "&3 /p/d.tpf", "&4 /p/c.tpf",
                                              "", "E&xit"}));
  EXPECT_EQ(file.GetMenuItemID(4), ID_FILE_MRU_FILE1 + 3);
}

TEST_F(RecentFileTest, AnEntryThatCannotBeOpenedLeavesTheListAndAnEmptyListShowsThePlaceholderGreyed)
{
  TestApp().LoadStdProfileSettings(4);
  EXPECT_EQ(OpenMenu(), (std::vector<CString>{"&Open...", "Recent File", "", "E&xit"}));
  EXPECT_FALSE(Enabled(1));

  const CString missing = CString::FromUtf8((dir.path() + "/gone.tpf").toStdString());
  TestApp().AddToRecentFileList(missing);
  TestApp().AddToRecentFileList("/p/kept.tpf");
  ASSERT_EQ(OpenMenu().size(), 5u);
  main->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + 1, 0);
  Pump();
  EXPECT_EQ(TestApp().GetRecentFile(0), CString("/p/kept.tpf"));
  EXPECT_TRUE(TestApp().GetRecentFile(1).IsEmpty());
  EXPECT_EQ(OpenMenu(), (std::vector<CString>{"&Open...", "&1 /p/kept.tpf", "", "E&xit"}));

  main->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1, 0);
  Pump();
  EXPECT_EQ(OpenMenu(), (std::vector<CString>{"&Open...", "Recent File", "", "E&xit"}));
  EXPECT_FALSE(Enabled(1));
  EXPECT_EQ(file.GetMenuItemID(1), static_cast<UINT>(ID_FILE_MRU_FILE1));
}

TEST_F(RecentFileTest, ADocumentNamedByARelativePathIsListedByItsFullPath)
{
  TestApp().LoadStdProfileSettings(4);
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  CDocument doc;
  doc.SetPathName("./samples/House.tpf");
  QDir::setCurrent(previous);
  const CString full = CString::FromUtf8((dir.path() + "/samples/House.tpf").toStdString());
  EXPECT_EQ(doc.GetPathName(), full);
  EXPECT_EQ(doc.GetTitle(), CString("House.tpf"));
  EXPECT_EQ(TestApp().GetRecentFile(0), full);
  doc.SetPathName("/p/abs.tpf", FALSE);
  EXPECT_EQ(doc.GetPathName(), CString("/p/abs.tpf"));
}

// A line break in a name would split its profile line and its menu entry: two such names would
// come back as one. They are not listed, and what was listed stays as it was.
TEST_F(RecentFileTest, ANameWithAControlCharacterIsNotListed)
{
  TestApp().LoadStdProfileSettings(4);
  TestApp().AddToRecentFileList("/p/kept.tpf");
  TestApp().AddToRecentFileList("/p/a\nb.tpf");
  TestApp().AddToRecentFileList("/p/a\nc.tpf");
  TestApp().AddToRecentFileList("/p/tab\there.tpf");
  EXPECT_EQ(OpenMenu(), (std::vector<CString>{"&Open...", "&1 /p/kept.tpf", "", "E&xit"}));
  TestApp().SaveStdProfileSettings();
  TestApp().WriteProfileString("Recent File List", "File2", "/p/bell\a.tpf");
  TestApp().LoadStdProfileSettings(4);
  EXPECT_EQ(TestApp().GetRecentFile(0), CString("/p/kept.tpf"));
  EXPECT_TRUE(TestApp().GetRecentFile(1).IsEmpty());
}

// Another instance on the same profile lists a file meanwhile: this instance's list is written as
// its own changes applied to the list the profile holds then, so the other's file stays listed.
TEST_F(RecentFileTest, AFileAnotherInstanceListedMeanwhileStaysListed)
{
  TestApp().WriteProfileString("Recent File List", "File1", "/p/old.tpf");
  TestApp().LoadStdProfileSettings(4);
  CProfile other(TestApp().GetProfile().GetPath());
  ASSERT_TRUE(other.WriteProfileString("Recent File List", "File1", "/p/other.tpf"));
  ASSERT_TRUE(other.WriteProfileString("Recent File List", "File2", "/p/old.tpf"));
  TestApp().AddToRecentFileList("/p/mine.tpf");
  TestApp().SaveStdProfileSettings();
  const CProfile stored(TestApp().GetProfile().GetPath());
  EXPECT_EQ(stored.GetProfileString("Recent File List", "File1"), CString("/p/mine.tpf"));
  EXPECT_EQ(stored.GetProfileString("Recent File List", "File2"), CString("/p/other.tpf"))
      << "the file another instance listed meanwhile was lost";
  EXPECT_EQ(stored.GetProfileString("Recent File List", "File3"), CString("/p/old.tpf"));
}
