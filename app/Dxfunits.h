#pragma once
// The units one DXF drawing unit may stand for, with their names.
#include "support/Assoctbl.h"

class CAssocDXFTranslationUnitAndDescription : public CAssocIntAndString
{
  DECLARE_DYNAMIC(CAssocDXFTranslationUnitAndDescription)
public:
  enum
  {
    oneInch = 0,
    oneFoot = 1,
    oneCentimeter = 2,
    oneMillimeter = 3,
    oneMeter = 4
  };

  CAssocDXFTranslationUnitAndDescription();

  // The factor that turns inches into the unit; 1 for an unknown code.
  static double GetScaleFactor(int code);
};
