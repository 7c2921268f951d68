#pragma once
// Exception bases of the class library, thrown by value and caught by reference. A failed
// allocation is the std::bad_alloc that new and the containers throw; code catches it only where it
// has a reaction of its own to give (a message, a damaged-file error), so no memory exception here.
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CException : public CObject
{
  DECLARE_DYNAMIC(CException)
public:
  CException() = default;
  CException(const CException&) = default;
  CException& operator=(const CException&) = default;
  // A short description for reports; the class library's default is empty.
  virtual CString GetErrorMessage() const { return CString(); }
};

class CFileException : public CException
{
  DECLARE_DYNAMIC(CFileException)
public:
  enum
  {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
  {}
  CString GetErrorMessage() const override;
  // Maps an errno value to a cause code.
  static int OsErrorToException(int err);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
  // Told instead of the system's text where that alone would mislead (a refusal caused by the
  // folder, a pipe named as a target, a complete copy left elsewhere); usually empty.
  CString m_strReason;
};

class CArchiveException : public CException
{
  DECLARE_DYNAMIC(CArchiveException)
public:
  enum
  {
    none,
    generic,
    readOnly,
    endOfFile,
    writeOnly,
    badIndex,
    badClass,
    badSchema
  };

  explicit CArchiveException(int cause = none, const char* fileName = nullptr) : m_cause(cause), m_strFileName(fileName)
  {}
  CString GetErrorMessage() const override;

  int m_cause;
  CString m_strFileName;
};
