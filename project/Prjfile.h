#pragma once
// The project file on disk. While a project is open its file stays open with an exclusive
// advisory lock, so another instance reports it in use. Saving writes a temporary file beside
// it, syncs it and renames it over the project file only when complete, then syncs the folder so
// the new name survives a crash: a failure at any point leaves the previous file as it was, still
// open and locked. A target the user may not write is refused before anything is written. A file
// the atomic writer fills in place (hard links, another user's file) keeps the lock it has.
#include <functional>
#include <memory>
#include <optional>

#include "platform/core/Atomfile.h"
#include "platform/core/File.h"

class CArchive;

class CProjectFile
{
public:
  using ReadFunction = std::function<void(CArchive& ar)>;
  using WriteFunction = ReadFunction;
  using FileFactory = std::function<std::unique_ptr<CFile>()>;

  CProjectFile() = default;
  ~CProjectFile();
  CProjectFile(const CProjectFile&) = delete;
  CProjectFile& operator=(const CProjectFile&) = delete;

  // Opens the file for reading with the lock. A lock held elsewhere raises CAppSerializeException
  // (file in use); any other failure raises the CFileException. A complete copy an interrupted
  // save left, once opened, is the user's own file (see CAtomicFile::ClaimCompleteCopy), and the
  // file's marks of such copies are settled (see CAtomicFile::SettleCopyMarks). Whether
  // the file's clock has passed its last change is told as a save in place tells it, which may
  // set the times of the file's folder to now (see IsChangedOnDisk).
  void Open(const CString& path);
  // Reads the file from its start through an archive. Where the file's times cannot tell a later
  // write, the checksum of the whole file as read is kept for IsChangedOnDisk.
  void Read(const ReadFunction& read);
  // Writes through an archive into a temporary file beside the path and replaces the path by it;
  // after success the project file is the new file, open and locked. Returns the CRC-32 of the
  // bytes written. Exceptions pass on unchanged. A refused save in place of the project file
  // leaves it held as the save left it (the previous content, the new, or part of each) and is
  // not taken for another program's change, unless another program had changed it before.
  DWORD Save(const CString& path, const WriteFunction& write);
  // Writes a new file at the path, which must not exist yet: complete or not at all, and never
  // over an existing file (an existing path raises the link's CFileException). The project file
  // held stays as it is. Temporary files killed writes of the same name left are removed. The
  // new file, from its making on, is readable by no more people than the file at accessOf (see
  // CAtomicFile::GiveCopyAccessOf), and by its owner only where that names no file.
  static void WriteNew(const CString& path, const WriteFunction& write, const CString& accessOf = CString());
  void Close();
  // TRUE when the path is the project file held and another program changed or replaced it
  // since it was opened or last saved here. After a save here the file must also still hold the
  // bytes the save wrote, and after an open within the clock's tick of the file's last change the
  // bytes the open read: its times cannot tell a write of as many bytes within that tick, or one
  // made before the save took them. The file is read only where its times say unchanged.
  BOOL IsChangedOnDisk(const CString& path) const;
  // TRUE when the path is the project file held and nothing is there any more: the file was
  // renamed or removed since it was opened or last saved here.
  BOOL IsGoneFromDisk(const CString& path) const;
  BOOL IsOpen() const { return m_file != nullptr; }
  CString GetPath() const { return m_path; }

  // Makes the file objects the temporary file is written through (tests inject failures here);
  // an empty factory restores plain files. The factory serves every atomic write.
  static void SetWriteFileFactory(FileFactory factory);

private:
  void CheckTargetNotInUse(const CString& path) const;
  bool HoldsFileAt(const CString& path) const;
  // The file's state after this program wrote the bytes of that checksum into it.
  void TakeWrittenState(const CString& path, DWORD checksum);
  // TRUE when a file of that state is as the state kept says; holds tells whether the file holds
  // the bytes of a checksum, asked only where the times cannot tell a change.
  bool IsAsKept(const CDiskState& now, const std::function<bool(DWORD)>& holds) const;
  // After a refused save in place: where the file was as kept before the save changed it, the
  // state follows what the save left.
  void FollowRefusedWrite(const CAtomicFile& out);

  std::unique_ptr<CFile> m_file;
  CString m_path;
  CDiskState m_diskState;
  // The file's clock had passed the state's change time before the open read the file: any
  // write since shows in the times.
  bool m_settled = false;
  // The checksum of the bytes the file held for the state: those the last save here wrote, or
  // those the open read where the state is not settled.
  std::optional<DWORD> m_held;
};
