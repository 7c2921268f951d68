#pragma once
// The casement/awning quarter-round units: a rectangle of the row's width and height with one
// corner rounded by an arc of the row's radius. The leaves draw it; this base starts the unit at
// its lowest, then narrowest size, offers only the current sizes, and measures the straight
// lengths beside the rounded corner.
#include "model/Stdarch.h"

class CStandardCasementAwningQtrRound : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CStandardCasementAwningQtrRound)
public:
  // Throws CUnitException when the unit has no standard size.
  CStandardCasementAwningQtrRound(const CString& type, const CString& subtype);
  CStandardCasementAwningQtrRound(const CStandardCasementAwningQtrRound& source) = default;
  CStandardCasementAwningQtrRound& operator=(const CStandardCasementAwningQtrRound& source) = default;

  CUnit& operator=(const CUnit& source) override;
  // One value each: the current height, width and radius; no shoulder height.
  void GetSizesForHeight(CArray<double, double>& out) const override;
  void GetSizesForWidth(CArray<double, double>& out) const override;
  void GetArchRadiiForShoulderHeight(CArray<double, double>& out) const override;
  void GetShoulderHeightsForWidth(CArray<double, double>& out) const override;

  // The straight lengths of the two sides that meet the rounded corner.
  double GetHeightLessRadius() const;
  double GetWidthLessRadius() const;
  double GetProposedHeightLessRadius() const;
  double GetProposedWidthLessRadius() const;
  static double SideFromHypotenuse(double a, double b);

protected:
  static const char* const kArchCode;    // "AG"
  static const char* const kLegCode;     // "AP"
  static const char* const kBottomCode;  // "BJ"
};
