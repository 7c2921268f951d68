#pragma once
// The custom arched unit with two legs, "ARDL013": a sill, an upright leg at each end and one arc
// of the base's radius from the top of the right leg to the top of the left one. Locked, both
// legs have one height and the arc is centred over the unit; unlocked, each leg has its own
// height and the arc centre moves sideways.
#include "model/Custarch.h"
#include "model/Sizelimit.h"

class CARDoubleLeg : public CCustomArchedUnit
{
  DECLARE_DYNAMIC(CARDoubleLeg)
public:
  // Only the unit factory makes one: 24 inches wide, unlocked, the crown 24 inches high at the
  // first base of at least 72.
  CARDoubleLeg();
  CARDoubleLeg(const CARDoubleLeg& source) = default;
  CARDoubleLeg& operator=(const CARDoubleLeg& source)
  {
    return static_cast<CARDoubleLeg&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  // The base's fields, then "LOCKED" and the leg height, or "UNLOCKED" and both leg heights.
  CString GetAttributes() const override;
  // Values that give no valid shape throw CUnitException; the unit then stays as it was.
  void SetAttributes(CString& attributes) override;
  // Type, proposed width, both legs and height, and the base; whole inches unless metric.
  CString GetSizeText(int lengthFormat) const override;
  double GetHeight() const override { return HeightOf(Current()); }
  void GetReportData(CUnitInfoReportDataArray& records) const override;
  void GetReportData(CScheduleReportDataArray& rows) const override;
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  // The four corners, lower-left first, counter-clockwise.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  // The corner across from the dragged one.
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;

  // Locked "Base:" and "Left/Right:"; unlocked "Base:", "Left:" and "Right:".
  void GetDimensionLabels(CStringArray& labels) const override;
  // Base, the locked flag, then width and the left leg (and the right one when unlocked).
  void GetDimensionValues(double& base, int& locked, CArray<double, double>& values) const override;
  // The inverse of GetDimensionValues. Locking a unit whose legs differ keeps its height.
  BOOL SetDimensionValues(double base, int locked, CArray<double, double>& values) override;

  double GetProposedChordLength(int n) const override { return ChordAtLine(Proposed(), n); }
  CVRXAngle GetProposedFirstArchAngle() const override { return ArcEndAngle(Proposed()); }
  double GetProposedAreaHeight() const override { return DaylightHeight(Proposed()); }
  double GetProposedAreaWidth() const override { return DaylightWidth(Proposed()); }
  CVRXAngle GetProposedSecondArchAngle(const CVRXAngle&) const override { return ArcStartAngle(Proposed()); }
  double GetProposedHeight() const override { return HeightOf(Proposed()); }
  BOOL IsProposedSizeValid() const override;
  double GetChordLength(int n) const override { return ChordAtLine(Current(), n); }
  CVRXAngle GetFirstArchAngle() const override { return ArcEndAngle(Current()); }
  double GetAreaHeight() const override { return DaylightHeight(Current()); }
  double GetAreaWidth() const override { return DaylightWidth(Current()); }
  CVRXAngle GetSecondArchAngle(const CVRXAngle&) const override { return ArcStartAngle(Current()); }
  // A corner angle within the arch limits.
  BOOL IsArchAngleWithinLimits(const CVRXAngle& angle) const override;
  BOOL IsSizeValid() const override;
  // The corners at both leg tops, from the arc's end (left) and start (right) angle.
  BOOL AreArchAnglesWithinLimits(const CVRXAngle& endAngle, const CVRXAngle& startAngle) const override;

  BOOL IsLocked() const { return m_bLocked; }
  double GetLeftLegHeight() const { return LeftLeg(Current()); }
  double GetRightLegHeight() const { return RightLeg(Current()); }
  double GetProposedLeftLegHeight() const { return LeftLeg(Proposed()); }
  double GetProposedRightLegHeight() const { return RightLeg(Proposed()); }
  double GetRightLegOffset() const { return GetWidth() - GetArchCentre().GetX(); }
  double GetProposedRightLegOffset() const { return GetProposedWidth() - GetProposedArchCentre().GetX(); }
  // The glass opening's sides along the legs.
  double GetDaylightLeftLegHeight() const { return DaylightLeftLeg(Current()); }
  double GetDaylightRightLegHeight() const { return DaylightRightLeg(Current()); }
  double GetProposedDaylightLeftLegHeight() const { return DaylightLeftLeg(Proposed()); }
  double GetProposedDaylightRightLegHeight() const { return DaylightRightLeg(Proposed()); }
  // Where the legs' lines n meet the arc's line n; the centre's height where they miss it.
  double GetLeftLegHeightAtLine(int n) const { return LeftLegAtLine(Current(), n); }
  double GetRightLegHeightAtLine(int n) const { return RightLegAtLine(Current(), n); }
  double GetProposedLeftLegHeightAtLine(int n) const { return LeftLegAtLine(Proposed(), n); }
  double GetProposedRightLegHeightAtLine(int n) const { return RightLegAtLine(Proposed(), n); }
  // The arc's height t beyond a jamb, relative to that leg's top.
  double GetArcRiseBeyondLeftLeg(double t) const;
  double GetArcRiseBeyondRightLeg(double t) const;
  BOOL IsArcCentred() const;

  BOOL IsLegHeightValid(double h) const
  {
    return CSizeLimit::Within(GetMinLegHeight() <= h, h <= GetMaxLegHeight(), "leg too short", CSizeLimit::minLength,
                              GetMinLegHeight(), "leg too long", CSizeLimit::maxLength, GetMaxLegHeight());
  }
  // Both legs allowed, and they differ by no more than the base.
  BOOL AreLegHeightsValid(double left, double right) const;
  BOOL AreCurrentLegHeightsValid() const { return AreLegHeightsValid(GetLeftLegHeight(), GetRightLegHeight()); }
  BOOL AreProposedLegHeightsValid() const;
  BOOL IsGlassWithinLimits(double left, double right, double height, double width) const;
  BOOL IsGlassSizeValid() const;
  BOOL IsProposedGlassSizeValid() const;
  // Fits the arc through both leg tops; FALSE, changing nothing, when the legs or the shape are
  // out of limits.
  BOOL SetLegHeights(double left, double right);

private:
  // One size of the unit: current or proposed.
  struct CShape
  {
    double width;
    CVRX2DVector centre;
  };
  // Sized components counter-clockwise from the origin.
  enum
  {
    cSill,
    cRightLeg,
    cArch,
    cLeftLeg,
    cComponentCount
  };

  CShape Current() const { return {GetWidth(), GetArchCentre()}; }
  CShape Proposed() const { return {GetProposedWidth(), GetProposedArchCentre()}; }
  // Height of the arc's circle at x, on the upper half.
  double ArcY(const CShape& s, double x) const;
  double LeftLeg(const CShape& s) const { return ArcY(s, 0.0); }
  double RightLeg(const CShape& s) const { return ArcY(s, s.width); }
  double HeightOf(const CShape& s) const;
  CVRXAngle ArcStartAngle(const CShape& s) const;
  CVRXAngle ArcEndAngle(const CShape& s) const;
  double DaylightLeftLeg(const CShape& s) const;
  double DaylightRightLeg(const CShape& s) const;
  double DaylightWidth(const CShape& s) const { return s.width - 2.0 * GetEmbeddedLimitValue(); }
  double DaylightHeight(const CShape& s) const;
  double LineDistance(int component, int n) const { return GetComponentDistance(component, 0, n); }
  double LeftLegAtLine(const CShape& s, int n) const;
  double RightLegAtLine(const CShape& s, int n) const;
  double ChordAtLine(const CShape& s, int n) const;
  // The height of the inset arc of radius r at x from the centre; the centre's where it misses.
  double InsetArcY(const CShape& s, double r, double x) const;
  BOOL ApplyLocked(double base, const CArray<double, double>& values, BOOL wasLocked);
  void AppendElevation(int n, CVRX2DEntityArray& out) const;
  CString LegFields() const;

  BOOL m_bLocked = FALSE;
};
