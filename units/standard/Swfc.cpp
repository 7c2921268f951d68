#include "units/standard/Swfc.h"

IMPLEMENT_DYNAMIC(CSWFullChordCasement, CStandardFullChord)

namespace {
constexpr const char* kModule = "Swfc";
constexpr int kOtherClassAssignedLine = 78;
}  // namespace

CSWFullChordCasement::CSWFullChordCasement() : CStandardFullChord("SW", "FC039") {}

CUnit& CSWFullChordCasement::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

CUnit* CSWFullChordCasement::Clone() const { return new CSWFullChordCasement(*this); }
