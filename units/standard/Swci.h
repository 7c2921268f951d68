#pragma once
// The circle window "SWCI009".
#include "units/standard/Stdcircl.h"

class CSWCircle : public CStandardCircularUnit
{
  DECLARE_DYNAMIC(CSWCircle)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWCircle();
  CSWCircle(const CSWCircle& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
