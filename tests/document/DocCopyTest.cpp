// Guards the complete copy ("NAME.saved.tpf") a save in place leaves when it is killed: opening
// the file names it, through any of the file's names, whenever the file's bytes are not the
// copy's, with a text true of what the file may hold; a file holding the copy's bytes opens
// silently and the copy goes; the next complete save removes the copy only while it is as the
// save left it and once the user was told of it, and a copy the user opened, changed and saved
// stays the user's.
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

#include "DocFixture.h"
#include "platform/core/Atommark.h"
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
    doc.GetProjectData().SetProjectName("Project Name");
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
    ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(limit, [](CDoc& doc) {
      for (int i = 0; i < kDeleted; ++i)
        doc.DeleteDesign(0);
    }));
    ASSERT_LT(ReadFileBytes(m_copy).size(), m_previous.size()) << "the copy holds the smaller project";
  }

  // The same with the edit given, by a child of the user and group given (0: as this process).
  void KillASaveInPlace(rlim_t limit, const std::function<void(CDoc&)>& edit, uid_t user = 0, gid_t group = 0)
  {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_DFL);
      CDoc doc;
      if (!doc.OnOpenDocument(m_path.c_str()))
        ::_exit(2);
      edit(doc);
      if (user != 0 && (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0))
        ::_exit(4);
      CProjectFile::SetWriteFileFactory([limit] { return std::make_unique<CLimitAfterSyncFile>(limit); });
      doc.OnSaveDocument(m_path.c_str());
      ::_exit(3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the save ended otherwise, status " << status;
  }

  // An edit that keeps every byte where it was, in two places far apart: the project's name at
  // the start of the file and the last design's name near its end.
  static void KeepTheLayout(CDoc& doc)
  {
    const CString name = doc.GetProjectName();
    doc.GetProjectData().SetProjectName(name.Left(name.GetLength() - 3) + (name.Right(3) == "ame" ? "bme" : "ame"));
    const CString last = doc.GetStoredDesigns().GetAt(kDesigns - 1)->GetName();
    doc.ReplaceDesign(MakeStore((last.Left(6) + (last[6] == 'X' ? "Y" : "X") + last.Mid(7)).c_str()), kDesigns - 1);
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

  // The project's name and its last design's, as the project at the path opens; empty when it
  // does not.
  std::string NamesIn(const std::string& path)
  {
    CDoc doc;
    if (!doc.OnOpenDocument(path.c_str()) || doc.GetDesignCount() == 0)
      return std::string();
    return std::string(doc.GetProjectName().c_str()) + " / " +
           doc.GetStoredDesigns().GetAt(doc.GetDesignCount() - 1)->GetName().c_str();
  }

  // The one message shown when the path opens, which must name the copy, as a save that changed
  // the file was interrupted.
  void ExpectThePartlySavedText(const std::string& path)
  {
    ASSERT_EQ(dialogs.messages.size(), 1u) << path;
    EXPECT_EQ(dialogs.messages[0].text,
              CString("A save of the file '") + path.c_str() +
                  "' was interrupted before it was complete, and the file does not hold what that save was "
                  "writing: it was opened as it is now, which may be as it was before that save or only partly "
                  "saved. The project that save was writing is complete in '" +
                  m_copy.c_str() + "'.\n\nUnless that copy is opened first, the next save of this file removes it.");
  }

  const std::string m_path = PathOf("house.tpf");
  const std::string m_other = PathOf("site.tpf");
  const std::string m_copy = PathOf("house.saved.tpf");
  Bytes m_previous;
};

struct timespec ChangeTimeOf(const std::string& path)
{
  struct stat st
  {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_ctim;
}

void SetModified(const std::string& path, const struct timespec& time)
{
  const struct timespec times[2] = {time, time};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// A nanosecond before.
struct timespec Before(struct timespec time)
{
  if (time.tv_nsec > 0)
    return {time.tv_sec, time.tv_nsec - 1};
  return {time.tv_sec - 1, 999999999};
}

// TRUE when a process of that user and group may make files in the folder: a temporary folder
// only its owner may enter (mode 0700) keeps every other user out of what lies in it.
bool UserMayWriteIn(const std::string& folder, uid_t user, gid_t group)
{
  const pid_t child = ::fork();
  if (child < 0)
    return false;
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0)
      ::_exit(2);
    ::_exit(::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : 1);
  }
  int status = 0;
  return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

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

// The save ended before the file changed. A save that makes the file larger reserves the room
// before it names the copy, which moves the file's time to just before the naming: the file is
// still as before that save. A file whose time is the naming's or later may have been written by
// the save: the text says no more than that.
TEST_F(SavedCopyTest, AFileOpenedBesideANewerCompleteCopyOpensAndNamesIt)
{
  ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(0));
  ASSERT_EQ(ReadFileBytes(m_path), m_previous) << "the save ended before the file changed";
  const struct timespec named = ChangeTimeOf(m_copy);
  SetModified(m_path, Before(named));
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
  const struct timespec later = {named.tv_sec + 60, 0};
  for (const struct timespec& time : {named, later}) {
    SetModified(m_path, time);
    dialogs.messages.clear();
    EXPECT_EQ(DesignsIn(m_path), kDesigns);
    ExpectThePartlySavedText(m_path);
  }
  // As the message says: the copy is still the save's own, and the next save removes it.
  EXPECT_LT(ReadFileBytes(m_copy).size(), m_previous.size());
  ASSERT_NO_FATAL_FAILURE(SaveAnotherProjectOverTheFile());
  EXPECT_FALSE(std::filesystem::exists(m_copy));
  EXPECT_EQ(dir.EntryCount(), 2u);
}

// A save killed in its final sync: the file holds every byte of the copy, its time that of the
// copy's naming to the nanosecond. It opens silently by either name, and the copy and its twin go.
TEST_F(SavedCopyTest, AFileHoldingTheCopysBytesOpensSilentlyAndTheCopyGoes)
{
  ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(0));
  WriteFileBytes(m_path, ReadFileBytes(m_copy));
  SetModified(m_path, ChangeTimeOf(m_copy));
  for (const std::string& name : {m_other, m_path}) {
    dialogs.messages.clear();
    EXPECT_EQ(DesignsIn(name), kDesigns - kDeleted);
    EXPECT_TRUE(dialogs.messages.empty()) << name << ": " << dialogs.messages.front().text.c_str();
  }
  EXPECT_FALSE(std::filesystem::exists(m_copy));
  EXPECT_EQ(dir.EntryCount(), 2u) << "the twin went with the copy";
}

// The file's second name is in another folder. Through it the damaged file names the copy the
// save through the first name left; a file holding the copy's bytes opens silently through it,
// and the copy, its twin and the file's mark of them go.
TEST_F(SavedCopyTest, ANameInAnotherFolderNamesTheCopyToo)
{
  if (::setxattr(m_path.c_str(), "user.probe", "1", 1, 0) != 0)
    GTEST_SKIP() << "the file system of " << dir.Dir() << " keeps no user attributes";
  ::removexattr(m_path.c_str(), "user.probe");
  std::filesystem::create_directory(PathOf("elsewhere"));
  const std::string far = PathOf("elsewhere/house.tpf");
  ASSERT_EQ(::link(m_path.c_str(), far.c_str()), 0);
  ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(CLimitAfterSyncFile::kLimit));
  const std::string copy = std::filesystem::canonical(dir.Dir()).string() + "/house.saved.tpf";
  const CString message = OpenMessage(far);
  const CString note = DamagedNote(copy);
  ASSERT_GT(message.GetLength(), note.GetLength()) << message.c_str();
  EXPECT_EQ(message.Right(note.GetLength()), note) << message.c_str();

  WriteFileBytes(m_path, ReadFileBytes(m_copy));
  dialogs.messages.clear();
  EXPECT_EQ(DesignsIn(far), kDesigns - kDeleted);
  EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text.c_str();
  EXPECT_FALSE(std::filesystem::exists(m_copy));
  EXPECT_EQ(dir.EntryCount(), 3u) << "the two names and the other folder: the twin went with the copy";
  EXPECT_EQ(::getxattr(m_path.c_str(), kCopyMarkAttribute, nullptr, 0), -1) << "the mark is left";
}

class LayoutKeepingKillTest : public SavedCopyTest, public ::testing::WithParamInterface<bool>
{};

// A save killed part of the way through its copy in place, after an edit that keeps the byte
// layout, leaves a file that reads: the new project name with the old last design. Every name of
// the file names the copy; a save after that removes it. A save of another project over the file
// before the user was told of its copy (Save As onto it) keeps the copy, which the next open names.
// The file has a second hard link, or is a shared one (group-writable, another's) that a user who
// cannot give a new file its owner saves in place.
TEST_P(LayoutKeepingKillTest, EveryNameOfTheFileNamesTheCopyWhichStaysUntilTheUserWasTold)
{
  std::vector<std::string> names = {m_path, m_other};
  uid_t user = 0;
  gid_t group = 0;
  if (GetParam()) {
    if (::geteuid() != 0)
      GTEST_SKIP() << "a file of another user needs the super-user; this case runs as root only";
    user = 65534;
    group = 65534;
    names = {m_path};
    ASSERT_EQ(::unlink(m_other.c_str()), 0);
    ASSERT_EQ(::chown(m_path.c_str(), 0, group), 0);
    ASSERT_EQ(::chmod(m_path.c_str(), 0664), 0);
    ASSERT_EQ(::chmod(dir.Dir().c_str(), 0777), 0);
    if (!UserMayWriteIn(dir.Dir(), user, group))
      GTEST_SKIP() << "the user " << user << " cannot reach " << dir.Dir()
                   << ": the temporary folder holding it is closed to other users";
  }
  const size_t entries = names.size() + 2;
  ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(CLimitAfterSyncFile::kLimit, KeepTheLayout, user, group));
  const Bytes mixed = ReadFileBytes(m_path);
  ASSERT_EQ(mixed.size(), ReadFileBytes(m_copy).size());
  ASSERT_NE(mixed, ReadFileBytes(m_copy));
  ASSERT_NE(mixed, m_previous);
  ASSERT_EQ(dir.EntryCount(), entries) << "the names, the copy and its twin";
  for (const std::string& name : names) {
    dialogs.messages.clear();
    EXPECT_EQ(NamesIn(name), "Project Nbme / Extra 2499") << "the new name with the old last design";
    ExpectThePartlySavedText(name);
  }
  {
    CDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(names.back().c_str()));
    KeepTheLayout(doc);
    ASSERT_TRUE(doc.OnSaveDocument(names.back().c_str()));
  }
  EXPECT_FALSE(std::filesystem::exists(m_copy)) << "the user was told of the copy";
  EXPECT_EQ(dir.EntryCount(), entries - 2);

  ASSERT_NO_FATAL_FAILURE(KillASaveInPlace(CLimitAfterSyncFile::kLimit, KeepTheLayout, user, group));
  const Bytes unseen = ReadFileBytes(m_copy);
  ASSERT_NO_FATAL_FAILURE(SaveAnotherProjectOverTheFile());
  EXPECT_EQ(ReadFileBytes(m_copy), unseen) << "no one was told of this copy";
  EXPECT_EQ(dir.EntryCount(), entries) << "the copy keeps its twin";
  for (const std::string& name : names) {
    dialogs.messages.clear();
    EXPECT_EQ(DesignsIn(name), 1);
    ExpectThePartlySavedText(name);
  }
  ASSERT_NO_FATAL_FAILURE(SaveAnotherProjectOverTheFile());
  EXPECT_FALSE(std::filesystem::exists(m_copy));
  EXPECT_EQ(dir.EntryCount(), entries - 2);
}

INSTANTIATE_TEST_SUITE_P(HardLinkedOrShared, LayoutKeepingKillTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "SharedFileOfAnotherUser" : "HardLinkedFile");
                         });
