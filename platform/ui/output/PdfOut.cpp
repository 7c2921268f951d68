#include "platform/ui/output/PdfOut.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <QPrinter>

#include "platform/ui/wnd/WinApp.h"

namespace {

// A hidden name in the target's folder, so that the final rename never crosses file systems.
CString TemporaryPathFor(const CString& path)
{
  static unsigned counter = 0;
  const int slash = path.ReverseFind('/');
  return path.Left(slash + 1) + "." + path.Mid(slash + 1) +
         CString::Formatted(".%ld.%u.tmp", static_cast<long>(::getpid()), ++counter);
}

CString FolderOf(const CString& path)
{
  const int slash = path.ReverseFind('/');
  return slash < 0 ? CString(".") : (slash == 0 ? CString("/") : path.Left(slash));
}

// A whole PDF ends with its end-of-file marker (a line end may follow).
BOOL IsWholePdf(const std::string& path)
{
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0)
    return FALSE;
  char tail[64] = {};
  const off_t size = ::lseek(fd, 0, SEEK_END);
  const off_t from = size > static_cast<off_t>(sizeof tail) ? size - static_cast<off_t>(sizeof tail) : 0;
  const ssize_t read = size > 0 ? ::pread(fd, tail, sizeof tail, from) : 0;
  // Synced before the rename: after a crash the path holds the previous file or the whole new one.
  const BOOL synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced && read > 0 && std::string(tail, static_cast<size_t>(read)).find("%%EOF") != std::string::npos;
}

// Why a file that should be whole is not: a full disk, or the write failed.
CString IncompleteReason(const CString& path)
{
  struct statvfs fs
  {};
  if (::statvfs(FolderOf(path).c_str(), &fs) == 0 && fs.f_bavail == 0)
    return std::strerror(ENOSPC);
  return "the file could not be written completely";
}

BOOL IsReadOnly(const CString& path)
{
  struct stat info
  {};
  if (::stat(path.c_str(), &info) != 0)
    return FALSE;
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

CPdfOutput::CPdfOutput(QPrinter& printer)
  : m_printer(printer),
    m_nOldFormat(static_cast<int>(printer.outputFormat())),
    m_strOldName(printer.outputFileName().toUtf8().constData()),
    m_strOldPrinter(printer.printerName().toUtf8().constData())
{}

CPdfOutput::~CPdfOutput()
{
  if (m_bActive)
    ::unlink(m_strTemporary.c_str());
  if (m_printer.outputFormat() == m_nOldFormat && m_nOldFormat == QPrinter::PdfFormat) {
    m_printer.setOutputFileName(QString::fromUtf8(m_strOldName.c_str()));
    return;
  }
  m_printer.setOutputFormat(static_cast<QPrinter::OutputFormat>(m_nOldFormat));
  if (m_nOldFormat == QPrinter::PdfFormat)
    m_printer.setOutputFileName(QString::fromUtf8(m_strOldName.c_str()));
  else
    m_printer.setPrinterName(QString::fromUtf8(m_strOldPrinter.c_str()));
}

CString CPdfOutput::FailureText(const CString& path, const CString& reason)
{
  return "The file " + path + " could not be written:\n" + reason + ".";
}

BOOL CPdfOutput::Fail(const CString& reason)
{
  if (m_bActive)
    ::unlink(m_strTemporary.c_str());
  m_bActive = FALSE;
  AfxMessageBox(FailureText(m_strPath, reason), MB_ICONEXCLAMATION);
  return FALSE;
}

BOOL CPdfOutput::Begin(const CString& path)
{
  m_strPath = path;
  if (IsReadOnly(path))
    return Fail("it is read-only");
  m_strTemporary = TemporaryPathFor(path);
  // The temporary file is made here so that a folder that cannot be written is reported by name.
  const int fd = ::open(m_strTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0)
    return Fail(std::strerror(errno));
  ::close(fd);
  m_bActive = TRUE;
  m_printer.setOutputFormat(QPrinter::PdfFormat);
  // Paths are the system's own bytes, as the temporary file was made with them.
  m_printer.setOutputFileName(QString::fromUtf8(m_strTemporary.c_str()));
  return TRUE;
}

BOOL CPdfOutput::Finish()
{
  if (!m_bActive)
    return FALSE;
  if (!IsWholePdf(m_strTemporary.ToUtf8()))
    return Fail(IncompleteReason(m_strTemporary));
  // The new file takes the permissions of the file it replaces.
  struct stat old
  {};
  if (::stat(m_strPath.c_str(), &old) == 0)
    ::chmod(m_strTemporary.c_str(), old.st_mode & 07777);
  if (::rename(m_strTemporary.c_str(), m_strPath.c_str()) != 0)
    return Fail(std::strerror(errno));
  m_bActive = FALSE;
  return TRUE;
}
