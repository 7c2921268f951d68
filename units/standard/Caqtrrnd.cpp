#include "units/standard/Caqtrrnd.h"

#include "model/Unitexcp.h"
#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CStandardCasementAwningQtrRound, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "CAQTRRND";
constexpr int kNoSizeLine = 72;
constexpr int kOtherClassAssignedLine = 103;
}  // namespace

const char* const CStandardCasementAwningQtrRound::kArchCode = "AG";
const char* const CStandardCasementAwningQtrRound::kLegCode = "AP";
const char* const CStandardCasementAwningQtrRound::kBottomCode = "BJ";

// The lowest size, then the narrowest of that height, with the first operating choice it offers.
CStandardCasementAwningQtrRound::CStandardCasementAwningQtrRound(const CString& type, const CString& subtype)
  : CStandardArchedUnit(type, subtype)
{
  CStdSizesRec first(GetCurrentSize());
  first.SetTypeCode(type);
  first.SetSubtypeCode(subtype);
  SetStdSizesKey(first, 0.0f, 0.0f, first);
  BOOL atEnd = FALSE;
  if (first.SeekGE(CStdSizesRec::byHeightWidth, &atEnd) != 0 || atEnd || !IsOwnRow(first))
    throw CUnitException(kModule, kNoSizeLine);
  SelectSize(first);
  SetDefaultOperatingChoice();
  ResetProposedSize();
}

CUnit& CStandardCasementAwningQtrRound::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

double CStandardCasementAwningQtrRound::SideFromHypotenuse(double a, double b)
{
  return Arch::SideFromHypotenuse(a, b);
}
double CStandardCasementAwningQtrRound::GetHeightLessRadius() const { return GetHeight() - GetArchRadius(); }
double CStandardCasementAwningQtrRound::GetWidthLessRadius() const { return GetWidth() - GetArchRadius(); }
double CStandardCasementAwningQtrRound::GetProposedHeightLessRadius() const
{
  return GetProposedHeight() - GetProposedArchRadius();
}
double CStandardCasementAwningQtrRound::GetProposedWidthLessRadius() const
{
  return GetProposedWidth() - GetProposedArchRadius();
}

void CStandardCasementAwningQtrRound::GetSizesForHeight(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetHeight());
}

void CStandardCasementAwningQtrRound::GetSizesForWidth(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetWidth());
}

void CStandardCasementAwningQtrRound::GetArchRadiiForShoulderHeight(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetArchRadius());
}

void CStandardCasementAwningQtrRound::GetShoulderHeightsForWidth(CArray<double, double>& out) const { out.RemoveAll(); }
