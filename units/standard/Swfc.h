#pragma once
// The full-chord casement window "SWFC039".
#include "units/standard/Stdchord.h"

class CSWFullChordCasement : public CStandardFullChord
{
  DECLARE_DYNAMIC(CSWFullChordCasement)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWFullChordCasement();
  CSWFullChordCasement(const CSWFullChordCasement& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
