#include "platform/core/Filemsg.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "platform/core/Exception.h"

namespace {

// "Resource temporarily unavailable" alone does not tell the user that another program holds it.
bool IsHeldElsewhere(const CFileException& e)
{
  return e.m_cause == CFileException::sharingViolation || e.m_cause == CFileException::lockViolation;
}

}  // namespace

CString FileFailureReason(const CException& e)
{
  const auto* file = dynamic_cast<const CFileException*>(&e);
  if (!file || file->m_lOsError <= 0 || !file->m_strReason.IsEmpty())
    return e.GetErrorMessage();
  const CString system = std::strerror(static_cast<int>(file->m_lOsError));
  if (IsHeldElsewhere(*file))
    return "The file is in use by another program (" + system + ").";
  return system;
}

CString FileFailureReason(std::exception_ptr failure)
{
  try {
    std::rethrow_exception(failure);
  } catch (const CException& e) {
    return FileFailureReason(e);
  } catch (const std::bad_alloc&) {
    return std::strerror(ENOMEM);
  } catch (...) {
    return CString();
  }
}

CString FileFailureMessage(const CString& message, const CString& path, const CException& e)
{
  return FileFailureMessage(message, path, FileFailureReason(e));
}

CString FileFailureMessage(const CString& message, const CString& path, const CString& reason)
{
  CString text = message + "\nFile:  " + path;
  if (!reason.IsEmpty())
    text += "\nReason:  " + reason;
  return text;
}
