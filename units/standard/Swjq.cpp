#include "units/standard/Swjq.h"

IMPLEMENT_DYNAMIC(CSWFullChordMarquell, CStandardFullChord)

namespace {
constexpr const char* kModule = "Swjq";
constexpr int kOtherClassAssignedLine = 78;
}  // namespace

CSWFullChordMarquell::CSWFullChordMarquell() : CStandardFullChord("SW", "JQ039") {}

CUnit& CSWFullChordMarquell::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

CUnit* CSWFullChordMarquell::Clone() const { return new CSWFullChordMarquell(*this); }
