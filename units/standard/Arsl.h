#pragma once
// The custom arched units with one leg, "ARS1013" (leg on the right) and "ARS2013" (leg on the
// left): a sill, one upright leg at one end of it and an arc of the base's radius from the top of
// the leg down to the other end of the sill. The user types base, width and leg height; the arc
// centre follows from the chord between the leg-less sill end and the leg top. The hands mirror
// each other: the common class holds the shape, the rules and the checks once for both, and a
// hand gives its side, its chord line and its codes.
#include "geometry/2dline.h"
#include "model/Custarch.h"
#include "model/Sizelimit.h"

class CVRX2DArc;

// The source module that the exceptions of the single-leg units name.
inline constexpr const char* kSingleLegModule = "Arsl";
// Width and leg height of a new unit, inches.
inline constexpr double kSingleLegDefaultSize = 24.0;

class CARSingleLeg : public CCustomArchedUnit
{
  DECLARE_DYNAMIC(CARSingleLeg)
public:
  CARSingleLeg(const CString& unitCode, double width, const CVRX2DVector& archCentre);
  CARSingleLeg(const CARSingleLeg& source) = default;
  CARSingleLeg& operator=(const CARSingleLeg& source)
  {
    return static_cast<CARSingleLeg&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  // The base's fields, then the leg height ("%.15g").
  CString GetAttributes() const override;
  // Values that give no valid shape throw CUnitException; the unit then stays as it was.
  void SetAttributes(CString& attributes) override;
  // Type, proposed width and leg height and the base, in whole inches unless metric.
  CString GetSizeText(int lengthFormat) const override;
  double GetHeight() const override { return HeightOf(Current()); }
  void GetReportData(CUnitInfoReportDataArray& records) const override;
  void GetReportData(CScheduleReportDataArray& rows) const override;
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;

  // "Base:" and the hand's leg label.
  void GetDimensionLabels(CStringArray& labels) const override;
  // Base, 0, then width and leg height.
  void GetDimensionValues(double& base, int& count, CArray<double, double>& values) const override;
  // Base, an ignored number, then width and leg height.
  BOOL SetDimensionValues(double base, int count, CArray<double, double>& values) override;

  // Chord n is measured between the lines n of sill, leg and arc.
  double GetProposedChordLength(int n) const override { return ChordAtLine(Proposed(), n); }
  // From the leg-less sill end to the top of the leg of the proposed size.
  double GetProposedChordLength() const;
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
  // The corners at the leg top and at the leg-less sill end, from the arc's end and start angle.
  BOOL AreArchAnglesWithinLimits(const CVRXAngle& endAngle, const CVRXAngle& startAngle) const override;

  // Across from the arc centre to the leg.
  double GetLegOffsetFromCentre() const { return LegOffset(Current()); }
  double GetProposedLegOffsetFromCentre() const { return LegOffset(Proposed()); }
  double GetLegHeight() const { return LegHeight(Current()); }
  double GetProposedLegHeight() const { return LegHeight(Proposed()); }
  // The glass opening's side along the leg.
  double GetDaylightLegHeight() const { return DaylightLegHeight(Current()); }
  double GetProposedDaylightLegHeight() const { return DaylightLegHeight(Proposed()); }
  // Where the arc's line n meets the sill's line n.
  double GetArcSillLineX(int n) const { return ArcSillLineX(Current(), n); }
  double GetProposedArcSillLineX(int n) const { return ArcSillLineX(Proposed(), n); }
  // From the leg-less sill end to the top of a leg h high on a unit w wide.
  virtual CVRX2DLine GetChordLine(double h, double w) const = 0;

  BOOL IsLegHeightValid() const { return IsLegAllowed(GetLegHeight()); }
  BOOL IsProposedLegHeightValid() const { return IsLegAllowed(GetProposedLegHeight()); }
  BOOL IsGlassSizeValid() const;
  BOOL IsProposedGlassSizeValid() const;
  BOOL IsGlassWithinLimits(double leg, double height, double width) const;

  // The corners in component order: sized component i runs from corner i to the next one.
  void GetSizingHandles(CSizingHandleArray& out) const override;

protected:
  // One size of the unit: current or proposed.
  struct CShape
  {
    double width;
    CVRX2DVector centre;
  };

  virtual BOOL IsLegOnRight() const = 0;
  // The proposal of a drag of one handle; another handle number throws at the hand's line.
  int ConformHandle(int handle, const CVRX2DVector& drag, int badHandleLine);
  // The centre of the default size, 24 by 24 inches with the arc through both chord ends.
  CVRX2DVector DefaultCentre() const;

private:
  // Sized components: the sill first, then leg and arc counter-clockwise.
  int LegPart() const { return IsLegOnRight() ? 1 : 2; }
  int ArcPart() const { return IsLegOnRight() ? 2 : 1; }
  int FootHandle() const { return IsLegOnRight() ? 1 : 0; }
  // +1 when the leg stands right of the leg-less sill end.
  double Side() const { return IsLegOnRight() ? 1.0 : -1.0; }

  CShape Current() const { return {GetWidth(), GetArchCentre()}; }
  CShape Proposed() const { return {GetProposedWidth(), GetProposedArchCentre()}; }
  double LegX(const CShape& s) const { return IsLegOnRight() ? s.width : 0.0; }
  double LeglessX(const CShape& s) const { return IsLegOnRight() ? 0.0 : s.width; }
  double LegOffset(const CShape& s) const { return LegX(s) - s.centre.GetX(); }
  double LegHeight(const CShape& s) const;
  double HeightOf(const CShape& s) const;
  CVRXAngle LegTopAngle(const CShape& s) const;
  CVRXAngle LeglessEndAngle(const CShape& s) const;
  CVRXAngle ArcStartAngle(const CShape& s) const { return IsLegOnRight() ? LegTopAngle(s) : LeglessEndAngle(s); }
  CVRXAngle ArcEndAngle(const CShape& s) const { return IsLegOnRight() ? LeglessEndAngle(s) : LegTopAngle(s); }
  double DaylightLegHeight(const CShape& s) const;
  double DaylightHeight(const CShape& s) const;
  double DaylightWidth(const CShape& s) const;
  double LineDistance(int component, int n) const { return GetComponentDistance(component, 0, n); }
  double LegLineX(const CShape& s, int n) const;
  double ArcSillLineX(const CShape& s, int n) const;
  // Where the leg's line n meets the arc's line n.
  double LegLineTop(const CShape& s, int n) const;
  double ChordAtLine(const CShape& s, int n) const;
  BOOL IsLegAllowed(double h) const
  {
    return CSizeLimit::Within(GetMinLegHeight() <= h, h <= GetMaxLegHeight(), "leg too short", CSizeLimit::minLength,
                              GetMinLegHeight(), "leg too long", CSizeLimit::maxLength, GetMaxLegHeight());
  }
  // The three corners counter-clockwise from the origin: the ends of the sill and the leg top.
  void GetCorners(const CShape& s, CVRX2DPoint corners[3]) const;
  // Corners and arc in component order.
  void AppendShape(const CVRX2DPoint corners[3], const CVRX2DArc& arc, int category, CVRX2DEntityArray& out) const;
  void AppendElevation(int n, CVRX2DEntityArray& out) const;
  // How far the leg top rises when the leg slides sideways by dx along the arc's circle.
  double LegTopRise(double dx) const;
  // How far the leg-less sill end moves outward when the sill is raised by dy along the circle.
  double LeglessEndShift(double dy) const;
};

// Leg on the right: the arc runs from the leg top down to the origin.
class CARSingleLegType1 : public CARSingleLeg
{
  DECLARE_DYNAMIC(CARSingleLegType1)
public:
  // Only the unit factory makes one: 24 by 24 inches.
  CARSingleLegType1();
  // The copy's proposed size is its current one.
  CARSingleLegType1(const CARSingleLegType1& source);
  CARSingleLegType1& operator=(const CARSingleLegType1& source)
  {
    return static_cast<CARSingleLegType1&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DLine GetChordLine(double h, double w) const override;

protected:
  BOOL IsLegOnRight() const override { return TRUE; }
};

// Leg on the left: the arc runs from the leg-less sill end up to the leg top.
class CARSingleLegType2 : public CARSingleLeg
{
  DECLARE_DYNAMIC(CARSingleLegType2)
public:
  // Only the unit factory makes one: 24 by 24 inches.
  CARSingleLegType2();
  // The copy's proposed size is its current one.
  CARSingleLegType2(const CARSingleLegType2& source);
  CARSingleLegType2& operator=(const CARSingleLegType2& source)
  {
    return static_cast<CARSingleLegType2&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DLine GetChordLine(double h, double w) const override;

protected:
  BOOL IsLegOnRight() const override { return FALSE; }
};
