#include "units/standard/Mqtrrnd.h"

#include "units/standard/Archutil.h"

IMPLEMENT_DYNAMIC(CStandardMonumentalQtrRoundUnit, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "MQTRRND";
constexpr int kOtherClassAssignedLine = 77;
}  // namespace

const char* const CStandardMonumentalQtrRoundUnit::kArchCode = "AG";
const char* const CStandardMonumentalQtrRoundUnit::kLegCode = "AP";
const char* const CStandardMonumentalQtrRoundUnit::kBottomCode = "BJ";

CUnit& CStandardMonumentalQtrRoundUnit::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

double CStandardMonumentalQtrRoundUnit::SideFromHypotenuse(double a, double b)
{
  return Arch::SideFromHypotenuse(a, b);
}
double CStandardMonumentalQtrRoundUnit::GetHeight() const { return GetArchRadius(); }
double CStandardMonumentalQtrRoundUnit::GetWidth() const { return GetArchRadius(); }
double CStandardMonumentalQtrRoundUnit::GetProposedHeight() const { return GetProposedArchRadius(); }
double CStandardMonumentalQtrRoundUnit::GetProposedWidth() const { return GetProposedArchRadius(); }

void CStandardMonumentalQtrRoundUnit::GetSizesForHeight(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetHeight());
}

void CStandardMonumentalQtrRoundUnit::GetSizesForWidth(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetWidth());
}

void CStandardMonumentalQtrRoundUnit::GetArchRadiiForShoulderHeight(CArray<double, double>& out) const
{
  out.RemoveAll();
  out.Add(GetArchRadius());
}

void CStandardMonumentalQtrRoundUnit::GetShoulderHeightsForWidth(CArray<double, double>& out) const { out.RemoveAll(); }
