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

void RegisterFreeformUnits()
{
  RegisterUnitClass<CVGDiamond>(RUNTIME_CLASS(CVGDiamond));
  RegisterUnitClass<CVGHorizontalParallelogram>(RUNTIME_CLASS(CVGHorizontalParallelogram));
  RegisterUnitClass<CVGHexagon>(RUNTIME_CLASS(CVGHexagon));
  RegisterUnitClass<CVGIsocolesTriangle>(RUNTIME_CLASS(CVGIsocolesTriangle));
  RegisterUnitClass<CVGOctagon>(RUNTIME_CLASS(CVGOctagon));
  RegisterUnitClass<CVGAngledPentagonType1>(RUNTIME_CLASS(CVGAngledPentagonType1));
  RegisterUnitClass<CVGAngledPentagonType2>(RUNTIME_CLASS(CVGAngledPentagonType2));
  RegisterUnitClass<CVGPeakPentagon>(RUNTIME_CLASS(CVGPeakPentagon));
  RegisterUnitClass<CVGRectangle>(RUNTIME_CLASS(CVGRectangle));
  RegisterUnitClass<CVGRegularHexagon>(RUNTIME_CLASS(CVGRegularHexagon));
  RegisterUnitClass<CVGRightTriangleType1>(RUNTIME_CLASS(CVGRightTriangleType1));
  RegisterUnitClass<CVGRightTriangleType2>(RUNTIME_CLASS(CVGRightTriangleType2));
  RegisterUnitClass<CVGTrapezoid>(RUNTIME_CLASS(CVGTrapezoid));
  RegisterUnitClass<CVGVerticalParallelogram>(RUNTIME_CLASS(CVGVerticalParallelogram));
}
