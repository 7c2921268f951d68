#include "platform/core/Exception.h"

#include <cerrno>

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CString CFileException::GetErrorMessage() const
{
  if (!m_strReason.IsEmpty())
    return m_strReason;
  switch (m_cause) {
  case fileNotFound:
    return "The file cannot be found.";
  case badPath:
    return "The path is invalid.";
  case accessDenied:
    return "Access is denied to this file.";
  case sharingViolation:
    return "The file is in use.";
  case endOfFile:
    return "An attempt was made to read past the end of the file.";
  case diskFull:
    return "The disk is full.";
  default:
    return "An I/O error has occurred.";
  }
}

int CFileException::OsErrorToException(int err)
{
  switch (err) {
  case 0:
    return none;
  case ENOENT:
    return fileNotFound;
  case ENOTDIR:
  case ENAMETOOLONG:
  case ELOOP:
    return badPath;
  case EACCES:
  case EPERM:
  case EROFS:
  case EISDIR:
    return accessDenied;
  case EMFILE:
  case ENFILE:
    return tooManyOpenFiles;
  case ENOSPC:
  case EDQUOT:
  case EFBIG:
    return diskFull;
  case EWOULDBLOCK:
    return sharingViolation;
  case EIO:
    return hardIO;
  default:
    return generic;
  }
}

CString CArchiveException::GetErrorMessage() const
{
  switch (m_cause) {
  case endOfFile:
    return "An attempt was made to read past the end of the archive.";
  case badClass:
    return "An object of an unexpected class was read.";
  case badSchema:
    return "An object of an unsupported schema was read.";
  case badIndex:
    return "The archive holds an invalid object reference.";
  default:
    return "An archive error has occurred.";
  }
}
