#pragma once
// A file the user named, written whole or not at all. The bytes go to a hidden temporary file in
// the target's folder (so the final rename never crosses file systems); only a complete, synced
// file is renamed over the target, and any failure leaves the target as it was. A target the user
// may not write is refused before anything is written, as writing it in place would be: renaming
// over a file ignores the file's own mode.
// The file keeps its identity: a symbolic link is followed to the file it names (the link stays a
// link), and the new file takes the old one's owner, group and mode. Where a rename would break
// that identity - a file with several hard links, or an owner or group this process cannot give
// a new file - the complete, synced temporary file is copied over the target's own bytes instead.
// While that copy runs the complete content waits beside it as "NAME.saved.EXT"; a failed copy
// leaves it there and the error names it. While its write runs, another writer never writes that
// copy in place (the write copies from its bytes): a save of it replaces it, and the write then
// removes only names that still lead to its own bytes. The next complete write of the file
// removes the copy only while it is exactly what the writer left, and only where that loses
// nothing the user does not know of: the user was told of the copy (a message named it), or the
// file held the copy's bytes. A copy that has been opened, changed or written since is the user's
// own file and stays.
// While a copy in place runs, the file carries a mark of where its complete copy is (see
// Atommark.h), so that the copy is found through a name of the file in another folder too; the
// mark goes once the copy is complete, and never goes to another file.
// Every name made beside the target fits its folder's limit on the length of a name.
// Extended attributes (the ACL among them) go to the new file with the mode; a copy in place
// keeps them as it keeps the inode.
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/Atommark.h"
#include "platform/core/File.h"

struct stat;
struct timespec;

// What identifies a file's contents on disk without reading them. The change time is there
// because a copy that puts size and modification time back (cp -p) cannot put it back.
struct CDiskState
{
  bool known = false;
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long size = 0;
  long long seconds = 0;
  long long nanoseconds = 0;
  long long changeSeconds = 0;
  long long changeNanoseconds = 0;
  bool operator==(const CDiskState&) const = default;

  // The state of the file at the path (its links followed), or of the open file; not known where
  // it cannot be looked at.
  static CDiskState Of(const CString& path);
  static CDiskState OfOpen(int fd);
};

class CAtomicFile
{
public:
  using FileFactory = std::function<std::unique_ptr<CFile>()>;
  // A file's state with the checksum of the bytes it holds; the state is not known where either
  // could not be taken.
  struct CHeld
  {
    CDiskState state;
    DWORD checksum = 0;
  };

  // Checks the target and opens the temporary file. Throws CFileException naming the target.
  explicit CAtomicFile(const CString& path);
  // Removes the temporary file unless the write was committed.
  ~CAtomicFile();
  CAtomicFile(const CAtomicFile&) = delete;
  CAtomicFile& operator=(const CAtomicFile&) = delete;

  // The open temporary file the contents are written through.
  CFile& GetFile() { return *m_file; }
  CString GetPath() const { return m_strPath; }
  // The file written: the path with its symbolic links followed.
  CString GetTargetPath() const { return m_strTarget; }
  // TRUE when Commit writes over the target's own bytes (the target keeps its inode).
  BOOL WritesInPlace() const { return m_bInPlace; }
  // For writers that open a file by name themselves (a PDF printer): the temporary file exists
  // and is empty; close it with ReleaseFile, let the writer fill it, then Commit.
  CString GetTemporaryPath() const { return m_strTemporary; }
  void ReleaseFile();
  // Syncs the temporary file, gives it the target's owner, group and permissions, renames it over
  // the target and syncs the folder (or copies it in place, see above). Throws CFileException
  // naming the target; the target is then unchanged, or its complete copy is named in the reason.
  void Commit();
  // Drops what was written; the target stays as it was.
  void Abort();
  // After a Commit that threw: TRUE when the file holds every byte written, as a copy in place
  // refused for another program's write into its complete copy may leave it.
  BOOL HoldsNewContent() const { return m_bHoldsNew; }
  // After a Commit in place that threw once it had the target open: the target as the write found
  // it, before it changed anything, and as the write left it (the room reserved, the copy marked,
  // part of the bytes copied), so that a caller that keeps what the file holds can follow this
  // write and take no change of it for another program's. Not known where it did not get so far.
  const CHeld& TargetBefore() const { return m_before; }
  const CHeld& TargetAfter() const { return m_after; }

  // Throws CFileException (with the system's reason) when the user may not write the target (its
  // symbolic links followed): the file exists and is not a regular file, or has no write
  // permission, or its folder cannot take a new file (the reason then names the folder). A file with no write bit in its mode is refused even where the system would
  // let the writer through (the super-user), as a user of a desktop program expects.
  static void CheckWritable(const CString& path);
  // The hidden temporary name beside the target: ".NAME.PID.N.tmp", NAME shortened where the
  // folder's limit on a name's length wants it (see Atomname.h).
  static CString TemporaryPathFor(const CString& path);
  // Removes temporary files beside the target that a write killed before its end left behind
  // (those whose process is gone). Returns how many were removed. Every write does this first.
  static int RemoveLeftovers(const CString& path);
  // The complete copy ("NAME.saved.EXT") an unfinished write in place of the file (its symbolic
  // links followed, through any of its hard-link names in its folder, or in another folder that
  // its mark names) left beside it, as the write left it, the newest when there are several;
  // empty when there is none.
  static CString CompleteCopyOf(const CString& path);
  // That copy compared with the file by their bytes, as the file is opened: where the file holds
  // the copy's bytes the write had ended, and the copy goes with its twin; the copy left
  // beside a file holding other bytes (old, part of the write, or another's) is returned.
  static CString DifferingCompleteCopyOf(const CString& path);
  // TRUE when the file has not been written since the copy was named: it holds what it held
  // before the write that left the copy.
  static BOOL IsUnwrittenSince(const CString& path, const CString& copy);
  // The user was told of the copy (a message named it): from here a complete write of its file
  // may remove it while it is as its write left it. The copies a write of this process left are
  // told by that write's failure.
  static void NoteCopyTold(const CString& copy);
  // Makes the file at the path, when it is the complete copy an unfinished write left, the
  // user's own: its hidden twin is let go, so no write of the other file removes it, and a write
  // of it replaces it as any file of one name. Opening a file and writing it do this.
  static void ClaimCompleteCopy(const CString& path);
  // Drops the marks of the file that lead to no copy as its write left it, and those of copies
  // the file holds byte for byte: their writes had ended, and such a copy goes with its twin.
  // Opening a file does this before it takes the file's state, which a change of its mark moves.
  static void SettleCopyMarks(const CString& path);
  // Syncs the folder's entries, so a rename survives a crash; best effort.
  static void SyncFolderOf(const CString& path);
  // TRUE when the clock of the folder's file system has passed the time: a change made from here
  // gets a later change time. A file changed since (its descriptor, or -1 for none) or the folder
  // shows that clock, the folder's times set to now where neither is later, twice. Where it may
  // wait, that is done again after pauses that outlast a clock of whole seconds while the clock
  // has not moved on; where not, a time within the clock's present tick gives FALSE.
  static bool ClockHasPassed(int changed, const CString& folder, const struct timespec& time, bool mayWait = true);
  // Gives a copy of a file's content, made its owner's only (see CFile::modePrivate), the file's
  // access and never more: its permission bits, and the bits and ACL of its group only where the
  // copy could be given that group. A copy of no file (an empty name, or one no longer there)
  // stays its owner's only.
  static void GiveCopyAccessOf(const CString& copy, const CString& file);
  // Makes the file objects the temporary file is written through (tests inject failures here);
  // an empty factory restores plain files.
  static void SetFileFactory(FileFactory factory);
  // The path with its symbolic links followed, so far as they lead (a loop stops after 40).
  static CString FollowLinks(const CString& path);

private:
  void ReplaceTarget();
  void WriteOverTarget();
  // Names the complete copy, its twin stamped with the copy's stamp and checksum, and marks the
  // target with it.
  CString KeepCompleteCopy(const struct stat& stamped, DWORD checksum);
  // After a complete write in place: its own mark goes, and so do those of copies no longer there.
  void UnmarkCopy(const CString& twin) const;
  // Another name for the complete copy whose twin is given; empty when none could be made.
  CString LinkCompleteCopy(const CString& twin) const;
  // Why a copy in place did not end as it should: what it left, then the name of its complete copy,
  // naming only a file that holds what it is said to.
  CString UnfinishedCopyReason(const CString& text, bool unchanged, const CString& copy, const CString& twin,
                               const struct stat& stamped) const;
  static bool NamesFile(const CString& name, const struct stat& file);
  // As the public one; twins becomes TRUE where a hidden file found has a second name.
  static int RemoveLeftovers(const CString& path, bool& twins);
  // TRUE when the file is the complete copy of a write in place still running in another process.
  static bool IsCopyOfRunningWrite(const CString& target);
  // Before the file changes: the copies earlier unfinished writes in place left, as they left
  // them, that the complete write may remove.
  void NoteRemovableCopies();
  // After a complete write those copies are stale, and the twins of copies that are the user's
  // own are let go.
  void RemoveStaleCopies();

  CString m_strPath;
  CString m_strTarget;
  CString m_strTemporary;
  std::unique_ptr<CFile> m_file;
  std::vector<CString> m_removableCopies;
  // The marks the target carried before it changed; a complete write looks at their copies too.
  std::vector<CCopyMark> m_marks;
  CHeld m_before;
  CHeld m_after;
  bool m_bCommitted = false;
  bool m_bExists = false;
  bool m_bInPlace = false;
  bool m_bHoldsNew = false;
  // A copy an unfinished write in place left may lie beside the target (see the constructor).
  bool m_bMayHaveCopies = true;
  unsigned m_uid = 0;
  unsigned m_gid = 0;
  unsigned m_mode = 0;
};
