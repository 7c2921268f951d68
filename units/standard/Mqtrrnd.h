#pragma once
// The monumental quarter-round units: a quarter circle as wide and as high as the row's arch
// radius. The leaves draw it; this base collapses width, height and the offered sizes onto the
// radius.
#include "model/Stdarch.h"

class CStandardMonumentalQtrRoundUnit : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CStandardMonumentalQtrRoundUnit)
public:
  CStandardMonumentalQtrRoundUnit(const CString& type, const CString& subtype) : CStandardArchedUnit(type, subtype) {}
  CStandardMonumentalQtrRoundUnit(const CStandardMonumentalQtrRoundUnit& source) = default;
  CStandardMonumentalQtrRoundUnit& operator=(const CStandardMonumentalQtrRoundUnit& source) = default;

  CUnit& operator=(const CUnit& source) override;
  double GetHeight() const override;
  double GetWidth() const override;
  // One value each: the current height, width and radius; no shoulder height.
  void GetSizesForHeight(CArray<double, double>& out) const override;
  void GetSizesForWidth(CArray<double, double>& out) const override;
  double GetProposedHeight() const override;
  double GetProposedWidth() const override;
  void GetArchRadiiForShoulderHeight(CArray<double, double>& out) const override;
  void GetShoulderHeightsForWidth(CArray<double, double>& out) const override;

  static double SideFromHypotenuse(double a, double b);

protected:
  static const char* const kArchCode;    // "AG"
  static const char* const kLegCode;     // "AP"
  static const char* const kBottomCode;  // "BJ"
};
