#include "units/standard/Slar.h"

IMPLEMENT_DYNAMIC(CSLArch, CStandardSpringlineUnit)

namespace {
constexpr const char* kModule = "SLAR";
constexpr int kOtherClassAssignedLine = 73;
}  // namespace

CSLArch::CSLArch() : CStandardSpringlineUnit("SL", "AR012") {}

CUnit& CSLArch::operator=(const CUnit& source) { return AssignSameClass(source, kModule, kOtherClassAssignedLine); }

CUnit* CSLArch::Clone() const { return new CSLArch(*this); }
