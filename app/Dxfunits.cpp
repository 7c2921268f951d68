#include "app/Dxfunits.h"

#include "views/Xltdxf.h"

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

// The export's own table, so that the settings and the files never disagree.
double CAssocDXFTranslationUnitAndDescription::GetScaleFactor(int code) { return DXFTranslationFactor(code); }
