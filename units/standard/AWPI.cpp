#include "units/standard/AWPI.h"

#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CAWPicture, CStandardAwningUnit)

namespace {
constexpr const char* kModule = "AWPI";
constexpr int kOtherClassAssignedLine = 72;
constexpr const char* kUnitCode = "PI002";
}  // namespace

CAWPicture::CAWPicture() : CStandardAwningUnit(kUnitCode) {}

CUnit& CAWPicture::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardAwningUnit::operator=(source);
}

CUnit* CAWPicture::Clone() const { return new CAWPicture(*this); }
