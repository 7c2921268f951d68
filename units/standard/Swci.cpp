#include "units/standard/Swci.h"

IMPLEMENT_DYNAMIC(CSWCircle, CStandardCircularUnit)

namespace {
constexpr const char* kModule = "SWCI";
constexpr int kOtherClassAssignedLine = 73;
}  // namespace

CSWCircle::CSWCircle() : CStandardCircularUnit("SW", "CI009") {}

CUnit& CSWCircle::operator=(const CUnit& source) { return AssignSameClass(source, kModule, kOtherClassAssignedLine); }

CUnit* CSWCircle::Clone() const { return new CSWCircle(*this); }
