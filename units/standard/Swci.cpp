#include "units/standard/Swci.h"

#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CSWCircle, CStandardCircularUnit)

namespace {
constexpr const char* kModule = "SWCI";
constexpr int kOtherClassAssignedLine = 73;
} // namespace

CSWCircle::CSWCircle() : CStandardCircularUnit("SW", "CI009") {}

CUnit& CSWCircle::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardCircularUnit::operator=(source);
}

CUnit* CSWCircle::Clone() const { return new CSWCircle(*this); }
