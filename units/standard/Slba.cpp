#include "units/standard/Slba.h"

IMPLEMENT_DYNAMIC(CSLBasic, CStandardSpringlineUnit)

namespace {
constexpr const char* kModule = "SLBA";
constexpr int kOtherClassAssignedLine = 73;
}  // namespace

CSLBasic::CSLBasic() : CStandardSpringlineUnit("SL", "BA012") {}

CUnit& CSLBasic::operator=(const CUnit& source) { return AssignSameClass(source, kModule, kOtherClassAssignedLine); }

CUnit* CSLBasic::Clone() const { return new CSLBasic(*this); }
