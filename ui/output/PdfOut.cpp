#include "ui/output/PdfOut.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <memory>

#include <cerrno>
#include <cstring>
#include <string>

#include <QPrinter>

#include "platform/core/Atomfile.h"
#include "platform/core/Filemsg.h"
#include "ui/wnd/WinApp.h"

namespace {

// A whole PDF ends with its end-of-file marker (a line end may follow).
BOOL IsWholePdf(const CString& path)
{
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0)
    return FALSE;
  char tail[64] = {};
  const off_t size = ::lseek(fd, 0, SEEK_END);
  const off_t from = size > static_cast<off_t>(sizeof tail) ? size - static_cast<off_t>(sizeof tail) : 0;
  const ssize_t read = size > 0 ? ::pread(fd, tail, sizeof tail, from) : 0;
  ::close(fd);
  return read > 0 && std::string(tail, static_cast<size_t>(read)).find("%%EOF") != std::string::npos;
}

// The printer does not say why its writing stopped. A file that reached the process's file-size
// limit was cut there, as every other write past the limit is.
bool ReachedSizeLimit(const CString& path)
{
  struct rlimit limit
  {};
  struct stat st
  {};
  return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && ::stat(path.c_str(), &st) == 0 &&
         static_cast<rlim_t>(st.st_size) >= limit.rlim_cur;
}

// Why a file that should be whole is not: a file-size limit, a full disk, or the write failed.
CString IncompleteReason(const CString& path)
{
  if (ReachedSizeLimit(path))
    return std::strerror(EFBIG);
  const int slash = path.ReverseFind('/');
  const CString folder = slash < 0 ? CString(".") : (slash == 0 ? CString("/") : path.Left(slash));
  struct statvfs fs
  {};
  if (::statvfs(folder.c_str(), &fs) == 0 && fs.f_bavail == 0)
    return std::strerror(ENOSPC);
  return "the file could not be written completely";
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
  // An unfinished temporary file goes with its writer.
  m_pFile.reset();
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
  return FileFailureMessage("The file could not be written.", path, reason);
}

BOOL CPdfOutput::Fail(const CString& reason)
{
  m_pFile.reset();
  AfxMessageBox(FailureText(m_strPath, reason), MB_ICONEXCLAMATION);
  return FALSE;
}

BOOL CPdfOutput::Begin(const CString& path)
{
  m_strPath = path;
  try {
    // Made here so that a target or folder that cannot be written is reported by name.
    m_pFile = std::make_unique<CAtomicFile>(path);
    m_pFile->ReleaseFile();
  } catch (const CFileException& e) {
    return Fail(FileFailureReason(e));
  }
  m_printer.setOutputFormat(QPrinter::PdfFormat);
  // Paths are the system's own bytes, as the temporary file was made with them.
  m_printer.setOutputFileName(QString::fromUtf8(m_pFile->GetTemporaryPath().c_str()));
  return TRUE;
}

BOOL CPdfOutput::Finish()
{
  if (!m_pFile)
    return FALSE;
  const CString temporary = m_pFile->GetTemporaryPath();
  if (!IsWholePdf(temporary))
    return Fail(IncompleteReason(temporary));
  try {
    m_pFile->Commit();
  } catch (const CFileException& e) {
    return Fail(FileFailureReason(e));
  }
  m_pFile.reset();
  return TRUE;
}
