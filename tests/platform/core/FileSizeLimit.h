#pragma once
// A full disk without privileges: a file-size limit the process sets on itself, so a write past
// the given size fails (EFBIG) as a write on a full disk fails. SIGXFSZ is ignored meanwhile, so
// the write returns its error instead of ending the process. Lifted when the object goes.
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <sys/resource.h>

#include "platform/core/File.h"

class CFileSizeLimit
{
public:
  explicit CFileSizeLimit(rlim_t bytes)
  {
    if (::getrlimit(RLIMIT_FSIZE, &m_saved) != 0) {
      m_refusal = std::string("the file-size limit cannot be read: ") + std::strerror(errno);
      return;
    }
    m_previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = m_saved;
    small.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &small) == 0)
      m_set = true;
    else
      m_refusal = std::string("the file-size limit cannot be lowered here: ") + std::strerror(errno);
  }
  ~CFileSizeLimit() { Lift(); }
  CFileSizeLimit(const CFileSizeLimit&) = delete;
  CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

  // Empty while the limit holds; else why it could not be set, for the test's skip message.
  const std::string& Refusal() const { return m_refusal; }
  void Lift()
  {
    if (m_set)
      ::setrlimit(RLIMIT_FSIZE, &m_saved);
    if (m_previous != SIG_ERR)
      std::signal(SIGXFSZ, m_previous);
    m_set = false;
    m_previous = SIG_ERR;
  }

private:
  rlimit m_saved{};
  void (*m_previous)(int) = SIG_ERR;
  bool m_set = false;
  std::string m_refusal;
};

// A file that passes its sync on, then lowers the file-size limit: what the writer does after the
// sync (a copy in place) goes past it. With SIGXFSZ at its default the process ends there, in
// the middle of that copy, as a kill would end it; with a limit of 0, before its first byte.
class CLimitAfterSyncFile : public CFile
{
public:
  static constexpr rlim_t kLimit = 64 * 1024;

  explicit CLimitAfterSyncFile(rlim_t limit = kLimit) : m_limit(limit) {}

protected:
  int SyncDescriptor(int fd) override
  {
    const int result = CFile::SyncDescriptor(fd);
    rlimit small{};
    ::getrlimit(RLIMIT_FSIZE, &small);
    small.rlim_cur = m_limit;
    ::setrlimit(RLIMIT_FSIZE, &small);
    return result;
  }

private:
  rlim_t m_limit;
};
