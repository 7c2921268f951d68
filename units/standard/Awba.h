#pragma once
// The awning "AWBA002": it starts with a venting operating choice where its first size offers one.
#include "units/standard/STDAWNG.h"

class CAWBasic : public CStandardAwningUnit
{
  DECLARE_DYNAMIC(CAWBasic)
public:
  // Only the unit factory makes one.
  CAWBasic();
  CAWBasic(const CAWBasic& source) = default;
  CAWBasic& operator=(const CAWBasic& source)
  {
    return static_cast<CAWBasic&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
