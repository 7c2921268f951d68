#pragma once
// The run-time class that stands for a hint object; the hint numbers: document/Dochints.h.
#include "platform/core/Object.h"

class CHint : public CObject
{
  DECLARE_DYNAMIC(CHint)
public:
  CHint() = default;
};
