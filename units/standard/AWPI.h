#pragma once
// The awning picture "AWPI002": one panel that does not open.
#include "units/standard/STDAWNG.h"

class CAWPicture : public CStandardAwningUnit
{
  DECLARE_DYNAMIC(CAWPicture)
public:
  // Only the unit factory makes one.
  CAWPicture();
  CAWPicture(const CAWPicture& source) = default;
  CAWPicture& operator=(const CAWPicture& source)
  {
    return static_cast<CAWPicture&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
