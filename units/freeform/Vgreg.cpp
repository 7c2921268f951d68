#include "units/freeform/Vgreg.h"

#include "model/Unitutil.h"
#include "units/freeform/Vgap1.h"
#include "units/freeform/Vgap2.h"
#include "units/freeform/Vgdi.h"
#include "units/freeform/Vghp.h"
#include "units/freeform/Vghx.h"
#include "units/freeform/Vgit.h"
#include "units/freeform/Vgoc.h"
#include "units/freeform/Vgpp.h"
#include "units/freeform/Vgre.h"
#include "units/freeform/Vgrh.h"
#include "units/freeform/Vgrt1.h"
#include "units/freeform/Vgrt2.h"
#include "units/freeform/Vgtz.h"
#include "units/freeform/Vgvp.h"

namespace {
template <class T>
CUnit* MakeFreeformUnit()
{
  return new T;
}
}  // namespace

void RegisterFreeformUnits()
{
  RegisterUnitClass("VGDI010", &MakeFreeformUnit<CVGDiamond>);
  RegisterUnitClass("VGHP010", &MakeFreeformUnit<CVGHorizontalParallelogram>);
  RegisterUnitClass("VGHX010", &MakeFreeformUnit<CVGHexagon>);
  RegisterUnitClass("VGIT010", &MakeFreeformUnit<CVGIsocolesTriangle>);
  RegisterUnitClass("VGOC010", &MakeFreeformUnit<CVGOctagon>);
  RegisterUnitClass("VGP1010", &MakeFreeformUnit<CVGAngledPentagonType1>);
  RegisterUnitClass("VGP2010", &MakeFreeformUnit<CVGAngledPentagonType2>);
  RegisterUnitClass("VGPP010", &MakeFreeformUnit<CVGPeakPentagon>);
  RegisterUnitClass("VGRE010", &MakeFreeformUnit<CVGRectangle>);
  RegisterUnitClass("VGRH010", &MakeFreeformUnit<CVGRegularHexagon>);
  RegisterUnitClass("VGT1010", &MakeFreeformUnit<CVGRightTriangleType1>);
  RegisterUnitClass("VGT2010", &MakeFreeformUnit<CVGRightTriangleType2>);
  RegisterUnitClass("VGTZ010", &MakeFreeformUnit<CVGTrapezoid>);
  RegisterUnitClass("VGVP010", &MakeFreeformUnit<CVGVerticalParallelogram>);
}
