#pragma once
// A disk file that fails at its Nth write: by throwing, or by killing its own process as a power
// cut or a crash would, in the middle of a save; or whose sync fails as a failing disk's does.
#include <cerrno>
#include <csignal>
#include <memory>

#include "platform/core/File.h"
#include "project/Prjfile.h"

class CFaultFile : public CFile
{
public:
  enum Fault
  {
    throwError,
    killProcess,
    failSync
  };
  CFaultFile(int failAt, Fault fault) : m_failAt(failAt), m_fault(fault) {}
  void Write(const void* buffer, UINT count) override
  {
    if (++m_writes == m_failAt) {
      if (m_fault == killProcess) {
        // Half the bytes reach the file first, as an interrupted write would leave them.
        CFile::Write(buffer, count / 2);
        std::raise(SIGKILL);
      }
      throw CFileException(CFileException::diskFull, 28, GetFilePath());
    }
    CFile::Write(buffer, count);
  }

protected:
  int SyncDescriptor(int fd) override
  {
    if (m_fault != failSync)
      return CFile::SyncDescriptor(fd);
    errno = EIO;
    return -1;
  }

private:
  int m_failAt;
  Fault m_fault;
  int m_writes = 0;
};

// Installs failing files for the saves made while it lives.
class CFaultInjection
{
public:
  CFaultInjection(int failAt, CFaultFile::Fault fault)
  {
    CProjectFile::SetWriteFileFactory([failAt, fault] { return std::make_unique<CFaultFile>(failAt, fault); });
  }
  ~CFaultInjection() { CProjectFile::SetWriteFileFactory(nullptr); }
};
