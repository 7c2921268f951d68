#pragma once
// Raised by the geometry entities on an internal inconsistency.
#include "support/ComExcpt.h"

class CVRXEntityException : public CCommonException
{
  DECLARE_DYNAMIC(CVRXEntityException)
public:
  CVRXEntityException(const char* file, int line);
};
