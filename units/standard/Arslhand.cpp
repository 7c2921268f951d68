// The two hands of the single-leg unit: codes, the class checks of assignment and the default size.
#include "model/Unitexcp.h"
#include "units/standard/Arsl.h"

IMPLEMENT_DYNAMIC(CARSingleLegType1, CARSingleLeg)
IMPLEMENT_DYNAMIC(CARSingleLegType2, CARSingleLeg)

namespace {
constexpr const char* kRightHandUnitCode = "S1013";
constexpr const char* kLeftHandUnitCode = "S2013";
constexpr int kRightHandAssignedLine = 387;
constexpr int kRightHandBadHandleLine = 436;
constexpr int kLeftHandAssignedLine = 972;
constexpr int kLeftHandBadHandleLine = 1019;
}  // namespace

CARSingleLegType1::CARSingleLegType1() : CARSingleLeg(kRightHandUnitCode, kSingleLegDefaultSize, CVRX2DVector())
{
  SetArchCentre(DefaultCentre());
  ResetProposedSize();
}

CARSingleLegType1::CARSingleLegType1(const CARSingleLegType1& source) : CARSingleLeg(source) { ResetProposedSize(); }

CUnit& CARSingleLegType1::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kSingleLegModule, kRightHandAssignedLine);
  CARSingleLeg::operator=(source);
  ResetProposedSize();
  return *this;
}

CUnit* CARSingleLegType1::Clone() const { return new CARSingleLegType1(*this); }

int CARSingleLegType1::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  return ConformHandle(handle, drag, kRightHandBadHandleLine);
}

CVRX2DLine CARSingleLegType1::GetChordLine(double h, double w) const
{
  return CVRX2DLine(0, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, h));
}

CARSingleLegType2::CARSingleLegType2() : CARSingleLeg(kLeftHandUnitCode, kSingleLegDefaultSize, CVRX2DVector())
{
  SetArchCentre(DefaultCentre());
  ResetProposedSize();
}

CARSingleLegType2::CARSingleLegType2(const CARSingleLegType2& source) : CARSingleLeg(source) { ResetProposedSize(); }

CUnit& CARSingleLegType2::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kSingleLegModule, kLeftHandAssignedLine);
  CARSingleLeg::operator=(source);
  ResetProposedSize();
  return *this;
}

CUnit* CARSingleLegType2::Clone() const { return new CARSingleLegType2(*this); }

int CARSingleLegType2::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  return ConformHandle(handle, drag, kLeftHandBadHandleLine);
}

CVRX2DLine CARSingleLegType2::GetChordLine(double h, double w) const
{
  return CVRX2DLine(0, CVRX2DPoint(0.0, h), CVRX2DPoint(w, 0.0));
}
