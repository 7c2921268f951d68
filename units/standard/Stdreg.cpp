#include "units/standard/Stdreg.h"

#include "model/Unitutil.h"
#include "units/standard/Ardl.h"
#include "units/standard/Arsl.h"
#include "units/standard/Glba.h"

namespace {
template <class T>
CUnit* MakeStandardUnit()
{
  return new T;
}
} // namespace

void RegisterStandardUnits()
{
  RegisterUnitClass("GLBA005", &MakeStandardUnit<CGLBasic>);
  // Custom arched units.
  RegisterUnitClass("ARS1013", &MakeStandardUnit<CARSingleLegType1>);
  RegisterUnitClass("ARS2013", &MakeStandardUnit<CARSingleLegType2>);
  RegisterUnitClass("ARDL013", &MakeStandardUnit<CARDoubleLeg>);
}
