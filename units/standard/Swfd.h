#pragma once
// The full-chord double-hung window "SWFD039".
#include "units/standard/Stdchord.h"

class CSWFullChordDoubleHung : public CStandardFullChord
{
  DECLARE_DYNAMIC(CSWFullChordDoubleHung)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWFullChordDoubleHung();
  CSWFullChordDoubleHung(const CSWFullChordDoubleHung& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
