#include "units/freeform/Vgreg.h"

#include "model/Unitutil.h"
#include "units/freeform/Vgit.h"
#include "units/freeform/Vgre.h"

namespace {
template <class T>
CUnit* MakeFreeformUnit()
{
  return new T;
}
} // namespace

void RegisterFreeformUnits()
{
  RegisterUnitClass("VGIT010", &MakeFreeformUnit<CVGIsocolesTriangle>);
  RegisterUnitClass("VGRE010", &MakeFreeformUnit<CVGRectangle>);
}
