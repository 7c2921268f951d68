#pragma once
// Exceptions of the application shell and the project document.
#include "support/ComExcpt.h"

class CAppException : public CCommonException
{
  DECLARE_DYNAMIC(CAppException)
public:
  CAppException(const char* file, int line);
};

class CAppFatalException : public CAppException
{
  DECLARE_DYNAMIC(CAppFatalException)
public:
  CAppFatalException(const char* file, int line);
};

class CAppSerializeException : public CAppException
{
  DECLARE_DYNAMIC(CAppSerializeException)
public:
  // Causes of a project-file failure.
  enum
  {
    fileInUse = 1,
    notProjectFile = 2,
    unsupportedVersion = 3,
    damaged = 4
  };

  CAppSerializeException(const char* file, int line, int code);

  int code;
};
