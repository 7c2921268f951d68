#pragma once
// The springline arch "SLAR012".
#include "units/standard/Sprnglin.h"

class CSLArch : public CStandardSpringlineUnit
{
  DECLARE_DYNAMIC(CSLArch)
public:
  CSLArch();
  CSLArch(const CSLArch& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
