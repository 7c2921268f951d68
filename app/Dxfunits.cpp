#include "app/Dxfunits.h"

IMPLEMENT_DYNAMIC(CAssocDXFTranslationUnitAndDescription, CAssocIntAndString)

CAssocDXFTranslationUnitAndDescription::CAssocDXFTranslationUnitAndDescription()
{
  RemoveAll();
  SetAt(oneInch, "One Inch");
  SetAt(oneFoot, "One Foot");
  SetAt(oneCentimeter, "One Centimeter");
  SetAt(oneMillimeter, "One Millimeter");
  SetAt(oneMeter, "One Meter");
}

double CAssocDXFTranslationUnitAndDescription::GetScaleFactor(int code)
{
  switch (code) {
  // Exactly a twelfth, so that twelve inches are written as one foot.
  case oneFoot:
    return 1.0 / 12.0;
  case oneCentimeter:
    return 2.54;
  case oneMillimeter:
    return 25.4;
  case oneMeter:
    return 0.0254;
  default:
    return 1.0;
  }
}
