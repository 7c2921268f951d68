#include "units/standard/Slba.h"

#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CSLBasic, CStandardSpringlineUnit)

namespace {
constexpr const char* kModule = "SLBA";
constexpr int kOtherClassAssignedLine = 73;
} // namespace

CSLBasic::CSLBasic() : CStandardSpringlineUnit("SL", "BA012") {}

CUnit& CSLBasic::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardSpringlineUnit::operator=(source);
}

CUnit* CSLBasic::Clone() const { return new CSLBasic(*this); }
