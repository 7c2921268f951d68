#pragma once
// The unit model's exception: where it was thrown and "An internal unit error has occurred."
// unless the thrower replaces the message.
#include "support/ComExcpt.h"

class CUnitException : public CCommonException
{
  DECLARE_DYNAMIC(CUnitException)
public:
  CUnitException(const char* file, int line);
  // Replaces the message text; the class text (description) stays.
  void SetMessage(const CString& text) { message = text; }
};
