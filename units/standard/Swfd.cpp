#include "units/standard/Swfd.h"

IMPLEMENT_DYNAMIC(CSWFullChordDoubleHung, CStandardFullChord)

namespace {
constexpr const char* kModule = "Swfd";
constexpr int kOtherClassAssignedLine = 78;
}  // namespace

CSWFullChordDoubleHung::CSWFullChordDoubleHung() : CStandardFullChord("SW", "FD039") {}

CUnit& CSWFullChordDoubleHung::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

CUnit* CSWFullChordDoubleHung::Clone() const { return new CSWFullChordDoubleHung(*this); }
