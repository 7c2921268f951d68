#pragma once
// The springline window "SLBA012".
#include "units/standard/Sprnglin.h"

class CSLBasic : public CStandardSpringlineUnit
{
  DECLARE_DYNAMIC(CSLBasic)
public:
  CSLBasic();
  CSLBasic(const CSLBasic& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
