#pragma once
// Base of every exception the program's own code raises: the module that raised it, the failure
// number that module gives the failure, and a fixed text naming the kind of error. Thrown by
// value, caught by reference.
#include "platform/core/Exception.h"

class CCommonException : public CException
{
  DECLARE_DYNAMIC(CCommonException)
public:
  CCommonException();
  CCommonException(const char* file, int line);

  CString GetErrorMessage() const override { return message; }

  // The module's name and its failure number: a constant of the raising code, not the source
  // line it stands on, so that the code a report shows names the same failure when the code moves.
  CString file;
  int line;
  CString message;
  CString description;

protected:
  void SetDescription(const char* text);
};

class CCommonMemoryException : public CCommonException
{
  DECLARE_DYNAMIC(CCommonMemoryException)
public:
  CCommonMemoryException(const char* file, int line);
};
