#include "reports/Rptfile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/File.h"
#include "support/Trace.h"

namespace {

// A hidden name in the target's folder, so the rename never crosses file systems.
CString TemporaryPathFor(const CString& path)
{
  static unsigned counter = 0;
  const int slash = path.ReverseFind('/');
  return path.Left(slash + 1) + "." + path.Mid(slash + 1) +
         CString::Formatted(".%ld.%u.tmp", static_cast<long>(::getpid()), ++counter);
}

// A replaced file keeps its permissions.
void CopyPermissions(const CString& from, const CString& to)
{
  struct stat st
  {};
  if (::stat(from.ToUtf8().c_str(), &st) == 0)
    ::chmod(to.ToUtf8().c_str(), st.st_mode & 07777);
}

std::string Contents(const CStringArray& lines)
{
  std::string text;
  for (const CString& line : lines) {
    text += line.str();
    text += "\r\n";
  }
  return text;
}

}  // namespace

void WriteReportFile(const CString& path, const CStringArray& lines)
{
  const CString temporary = TemporaryPathFor(path);
  const std::string text = Contents(lines);
  CFile out;
  CFileException error;
  if (!out.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &error))
    throw CFileException(error.m_cause, error.m_lOsError, path);
  try {
    out.Write(text.data(), static_cast<UINT>(text.size()));
    out.Sync();
    out.Close();
    CopyPermissions(path, temporary);
    if (std::rename(temporary.ToUtf8().c_str(), path.ToUtf8().c_str()) != 0)
      throw CFileException(CFileException::OsErrorToException(errno), errno, path);
  } catch (...) {
    PCTRACE(TT_REPORTS, TL_WARNING)("Report file not written; the previous file is kept.\n");
    out.Abort();
    ::unlink(temporary.ToUtf8().c_str());
    throw;
  }
}
