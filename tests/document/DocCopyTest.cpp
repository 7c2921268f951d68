// Guards the complete copy ("NAME.saved.tpf") a save in place leaves when it is killed: opening
// the file names it, through any of the file's names; a copy newer than a file that still opens
// is named too; the next complete save removes the copy only while it is as the save left it, and
// a copy the user opened, changed and saved stays the user's.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DocFixture.h"
#include "platform/core/FileSizeLimit.h"

namespace {

// Designs enough that the project file takes some archive buffers to write.
constexpr int kDesigns = 2500;
// Deleted before the save that is killed: a smaller file needs no room the file does not have.
constexpr int kDeleted = kDesigns / 5;

class SavedCopyTest : public DocTest
{
protected:
  void SetUp() override
  {
    DocTest::SetUp();
    CDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    for (int i = 0; i < kDesigns; ++i)
      doc.AddDesign(MakeStore(CString::Formatted("Extra %d", i)));
    ASSERT_TRUE(doc.OnSaveDocument(m_path.c_str()));
    ASSERT_EQ(::link(m_path.c_str(), m_other.c_str()), 0);
    // Saved an hour ago, so that a copy made now is plainly newer.
    std::filesystem::last_write_time(m_path, std::filesystem::last_write_time(m_path) - std::chrono::hours(1));
    m_previous = ReadFileBytes(m_path);
  }

  // A child saves the project, smaller, through its first name and is ended during the copy in
  // place by a file-size limit set once the temporary file is complete: part of the way in with
  // the limit below the file's size, before the copy's first byte with a limit of 0.
  void KillASaveInPlace(rlim_t limit)
  {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_DFL);
      CDoc doc;
      if (!doc.OnOpenDocument(m_path.c_str()))
        ::_exit(2);
      for (int i = 0; i < kDeleted; ++i)
        doc.DeleteDesign(0);
      CProjectFile::SetWriteFileFactory([limit] { return std::make_unique<CLimitAfterSyncFile>(limit); });
      doc.OnSaveDocument(m_path.c_str());
      ::_exit(3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the save ended otherwise, status " << status;
    ASSERT_LT(ReadFileBytes(m_copy).size(), m_previous.size()) << "the copy holds the smaller project";
  }

  // A complete save of another project over the file, as Save As onto it.
  void SaveAnotherProjectOverTheFile()
  {
    CDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.AddDesign(MakeStore("Shed"));
    ASSERT_TRUE(doc.OnSaveDocument(m_path.c_str()));
  }

  // The number of designs of the project at the path; -1 when it does not open.
  int DesignsIn(const std::string& path)
  {
    CDoc doc;
    return doc.OnOpenDocument(path.c_str()) ? doc.GetDesignCount() : -1;
  }

  const std::string m_path = PathOf("house.tpf");
  const std::string m_other = PathOf("site.tpf");
  const std::string m_copy = PathOf("house.saved.tpf");
  Bytes m_previous;
};

CString DamagedNote(const std::string& copy)
{
  return CString("\n\nA save of this file was interrupted before it was complete. The project it was saving is "
                 "complete in '") +
         copy.c_str() + "'.";
}

}  // namespace

TEST_F(SavedCopyTest, TheDamagedFileNamesItsCopyThroughEitherNameAndTheNextSaveRemovesTheUntouchedCopy)
{
  ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(CLimitAfterSyncFile::kLimit));
  EXPECT_NE(ReadFileBytes(m_path), m_previous);
  EXPECT_EQ(ReadFileBytes(m_other), ReadFileBytes(m_path));
  for (const std::string& name : {m_path, m_other}) {
    const CString message = OpenMessage(name);
    const CString note = DamagedNote(m_copy);
    ASSERT_GT(message.GetLength(), note.GetLength()) << name << ": " << message.c_str();
    EXPECT_EQ(message.Right(note.GetLength()), note) << name << ": " << message.c_str();
  }

  ASSERT_NO_FATAL_FAILURE(SaveAnotherProjectOverTheFile());
  EXPECT_FALSE(std::filesystem::exists(m_copy)) << "the copy was as the save left it";
  EXPECT_EQ(dir.EntryCount(), 2u) << "nothing but the project's two names is left";
  EXPECT_EQ(DesignsIn(m_other), 1);
}

TEST_F(SavedCopyTest, ACopyOpenedChangedAndSavedSurvivesTheNextSaveOfTheFile)
{
  ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(CLimitAfterSyncFile::kLimit));
  {
    CDoc doc;
    dialogs.messages.clear();
    ASSERT_TRUE(doc.OnOpenDocument(m_copy.c_str()));
    EXPECT_EQ(doc.GetDesignCount(), kDesigns - kDeleted);
    doc.AddDesign(MakeStore("Porch"));
    ASSERT_TRUE(doc.OnSaveDocument(m_copy.c_str()));
    EXPECT_TRUE(dialogs.messages.empty()) << "no question: " << dialogs.messages.front().text.c_str();
    struct stat st
    {};
    ASSERT_EQ(::stat(m_copy.c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 1u) << "the copy is a file of its own";
    doc.m_bAutoDelete = FALSE;
    doc.OnCloseDocument();
  }
  ASSERT_NO_FATAL_FAILURE(SaveAnotherProjectOverTheFile());
  EXPECT_EQ(DesignsIn(m_copy), kDesigns - kDeleted + 1) << "the work saved into the copy is kept";
  EXPECT_EQ(dir.EntryCount(), 3u);
}

TEST_F(SavedCopyTest, AFileOpenedBesideANewerCompleteCopyOpensAndNamesIt)
{
  ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(0));
  ASSERT_EQ(ReadFileBytes(m_path), m_previous) << "the save ended before the file changed";
  // A save that makes the file larger reserves the room before it names the copy, and that moves
  // the file's time past the copy's content: the copy is newer all the same.
  std::filesystem::last_write_time(m_path, std::filesystem::last_write_time(m_copy));
  for (const std::string& name : {m_path, m_other}) {
    dialogs.messages.clear();
    EXPECT_EQ(DesignsIn(name), kDesigns);
    ASSERT_EQ(dialogs.messages.size(), 1u) << name;
    EXPECT_EQ(dialogs.messages[0].text,
              CString("A save of the file '") + name.c_str() +
                  "' was interrupted before it was complete. The file was opened as it was before that save; the "
                  "newer project that save was writing is complete in '" +
                  m_copy.c_str() + "'.\n\nUnless that copy is opened first, the next save of this file removes it.");
  }
  // A file changed after the copy was named is newer than the copy: nothing to tell.
  const auto named = std::filesystem::last_write_time(m_path);
  std::filesystem::last_write_time(m_path, std::filesystem::file_time_type::clock::now() + std::chrono::minutes(1));
  dialogs.messages.clear();
  EXPECT_EQ(DesignsIn(m_path), kDesigns);
  EXPECT_TRUE(dialogs.messages.empty());
  std::filesystem::last_write_time(m_path, named);
  // As the message says: the copy is still the save's own, and the next save removes it.
  EXPECT_LT(ReadFileBytes(m_copy).size(), m_previous.size());
  ASSERT_NO_FATAL_FAILURE(SaveAnotherProjectOverTheFile());
  EXPECT_FALSE(std::filesystem::exists(m_copy));
  EXPECT_EQ(dir.EntryCount(), 2u);
}
