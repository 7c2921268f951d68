#include "units/standard/Slar.h"

#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CSLArch, CStandardSpringlineUnit)

namespace {
constexpr const char* kModule = "SLAR";
constexpr int kOtherClassAssignedLine = 73;
} // namespace

CSLArch::CSLArch() : CStandardSpringlineUnit("SL", "AR012") {}

CUnit& CSLArch::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardSpringlineUnit::operator=(source);
}

CUnit* CSLArch::Clone() const { return new CSLArch(*this); }
