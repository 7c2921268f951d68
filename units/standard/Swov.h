#pragma once
// The oval window "SWOV009": a full ellipse inscribed in the unit's standard width and height.
// Its four quarters, split where the tangent runs at 45 degrees, are the sized components; a
// side handle snaps the dragged size to the nearest standard size of the unit; its grille is
// rings about a hub with spokes out to the glass.
#include "units/standard/Stdround.h"

class CVRX2DArc;
class CGrilPropRec;

class CSWOval : public CStandardRoundUnit
{
  DECLARE_DYNAMIC(CSWOval)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWOval();
  CSWOval(const CSWOval& source) : CStandardRoundUnit(source) {}

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  double GetHeight() const override;
  double GetWidth() const override;
  // The ellipse's chord at the cut height; a cut outside the unit is taken at its nearer end.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  // One elliptical arc per sized component.
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void GetSizesForHeight(CArray<double, double>& out) const override;
  void GetSizesForWidth(CArray<double, double>& out) const override;
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;
  double GetProposedHeight() const override;
  double GetProposedWidth() const override;
  // The whole ellipse with both semi-axes shortened by the inset.
  void GetArchCurveEntities(int category, double inset, CVRX2DEntityArray& out) const override;

  CVRX2DPoint GetCentre() const;
  double GetSemiMajor() const;
  double GetSemiMinor() const;
  CVRXAngle GetMajorAxisAngle() const;
  BOOL IsWide() const { return GetWidth() >= GetHeight(); }

private:
  CVRX2DArc MakeEllipse(int category, double horizontal, double vertical) const;
  int MoveProposal(int handle, const CStdSizesRec& chosen, BOOL outOfBounds);
  BOOL StartGrille(int grilleId, CGrilPropRec& h, CGrilPropRec& v, double& hubOffset) const;
  void AddSpokes(int grilleId, const CVRX2DArc& hub, double hubOffset, CVRX2DEntityArray& out) const;
  CVRX2DPoint SpokeOrigin(double angle, double hubOffset) const;

  // Numbers of "V" and "H" rows of the grille last drawn; only the grille builder sets them.
  mutable int m_nVRows = 0;
  mutable int m_nHRows = 0;
};
