#pragma once
// Failure to read the sample catalogue: the message names the file and line at fault.
#include "support/ComExcpt.h"

class CCatalogueException : public CCommonException
{
  DECLARE_DYNAMIC(CCatalogueException)
public:
  CCatalogueException(const char* sourceFile, int sourceLine, const CString& text);
};
