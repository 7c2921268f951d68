#include "units/standard/Awba.h"

#include "model/Unitexcp.h"
#include "productdb/Operchoi.h"

IMPLEMENT_DYNAMIC(CAWBasic, CStandardAwningUnit)

namespace {
constexpr const char* kModule = "Awba";
constexpr int kOtherClassAssignedLine = 116;
constexpr const char* kUnitCode = "BA002";
}  // namespace

// Only the choices of the first size are looked at: a venting choice of another size would be
// refused by the first size, and the unit could not be made at all.
CAWBasic::CAWBasic() : CStandardAwningUnit(kUnitCode)
{
  if (GetOperatingChoice().Find('V') >= 0)
    return;
  COperChoiRec row;
  row.SetTypeCode(GetType());
  row.SetSubtypeCode(kUnitCode);
  row.SetSizeCode(GetSizeCode());
  row.SetOperationCode("");
  BOOL atEnd = FALSE;
  for (int rc = row.SeekGE(1, &atEnd); rc == 0 && !atEnd; rc = row.Next(&atEnd)) {
    if (row.GetTypeCode() != GetType() || row.GetSubtypeCode() != kUnitCode || row.GetSizeCode() != GetSizeCode())
      return;
    if (row.GetOperationCode().Find('V') >= 0) {
      SetOperatingChoice(row.GetOperationCode());
      return;
    }
  }
}

CUnit& CAWBasic::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardAwningUnit::operator=(source);
}

CUnit* CAWBasic::Clone() const { return new CAWBasic(*this); }
