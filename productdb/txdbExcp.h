#pragma once
// The exception through which every failure of the product database travels.
#include "support/ComExcpt.h"

class CTXDBException : public CCommonException
{
  DECLARE_DYNAMIC(CTXDBException)
public:
  // Causes 2 and 3 are the file-not-found and bad-path codes of a file exception; 1 is every
  // internal or format failure.
  enum
  {
    readError = 1,
    fileNotFound = 2,
    badPath = 3
  };

  CTXDBException(const char* file, int line, int cause);

  // Adds "  File = " and the path to both texts (used where the database path cannot be used).
  void AppendFileName(const char* path);

  int cause;
};
