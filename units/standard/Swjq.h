#pragma once
// The full-chord Marquell window "SWJQ039".
#include "units/standard/Stdchord.h"

class CSWFullChordMarquell : public CStandardFullChord
{
  DECLARE_DYNAMIC(CSWFullChordMarquell)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWFullChordMarquell();
  CSWFullChordMarquell(const CSWFullChordMarquell& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
