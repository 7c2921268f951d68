#include "units/standard/Stdreg.h"

#include "model/Unitutil.h"
#include "units/standard/Glba.h"

namespace {
template <class T>
CUnit* MakeStandardUnit()
{
  return new T;
}
} // namespace

void RegisterStandardUnits() { RegisterUnitClass("GLBA005", &MakeStandardUnit<CGLBasic>); }
