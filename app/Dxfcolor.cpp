#include "app/Dxfcolor.h"

IMPLEMENT_DYNAMIC(CAssocDXFExportColorAndDescription, CAssocIntAndString)

CAssocDXFExportColorAndDescription::CAssocDXFExportColorAndDescription()
{
  RemoveAll();
  SetAt(0, "ByLayer");
  SetAt(1, "Red");
  SetAt(2, "Yellow");
  SetAt(3, "Green");
  SetAt(4, "Cyan");
  SetAt(5, "Blue");
  SetAt(6, "Magenta");
  SetAt(7, "White");
}
