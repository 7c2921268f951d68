#pragma once
// The monumental full round "SWFR040".
#include "units/standard/Stdcircl.h"

class CSWMonumentalFullRound : public CStandardCircularUnit
{
  DECLARE_DYNAMIC(CSWMonumentalFullRound)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWMonumentalFullRound();
  CSWMonumentalFullRound(const CSWMonumentalFullRound& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
