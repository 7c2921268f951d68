#include "units/standard/AWVP.h"

#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CAWVentingPicture, CStandardAwningUnit)

namespace {
constexpr const char* kModule = "AWVP";
constexpr int kOtherClassAssignedLine = 72;
constexpr const char* kUnitCode = "VP002";
}  // namespace

CAWVentingPicture::CAWVentingPicture() : CStandardAwningUnit(kUnitCode) {}

CUnit& CAWVentingPicture::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardAwningUnit::operator=(source);
}

CUnit* CAWVentingPicture::Clone() const { return new CAWVentingPicture(*this); }
