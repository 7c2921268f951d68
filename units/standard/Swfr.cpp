#include "units/standard/Swfr.h"

IMPLEMENT_DYNAMIC(CSWMonumentalFullRound, CStandardCircularUnit)

namespace {
constexpr const char* kModule = "SWFR";
constexpr int kOtherClassAssignedLine = 74;
}  // namespace

CSWMonumentalFullRound::CSWMonumentalFullRound() : CStandardCircularUnit("SW", "FR040") {}

CUnit& CSWMonumentalFullRound::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

CUnit* CSWMonumentalFullRound::Clone() const { return new CSWMonumentalFullRound(*this); }
