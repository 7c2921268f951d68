#pragma once
// The awning venting picture "AWVP002": a venting panel below a fixed or stationary one.
#include "units/standard/STDAWNG.h"

class CAWVentingPicture : public CStandardAwningUnit
{
  DECLARE_DYNAMIC(CAWVentingPicture)
public:
  // Only the unit factory makes one.
  CAWVentingPicture();
  CAWVentingPicture(const CAWVentingPicture& source) = default;
  CAWVentingPicture& operator=(const CAWVentingPicture& source)
  {
    return static_cast<CAWVentingPicture&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
