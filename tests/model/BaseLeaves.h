#pragma once
// Small leaf classes that stand in for the unit classes on the base unit classes, so the bases
// can be tested on the sample catalogue without the leaf library.
#include <vector>

#include "model/Custarch.h"
#include "model/Stdarch.h"
#include "model/Stdrect.h"
#include "model/Varigon.h"

// A rectangle of four perimeter members: sill, right jamb, head, left jamb; the default handles
// thus stand at the four corners. Its two-line elevation is an inset rectangle per panel, or a
// diamond touching the middle of each side.
class CRectLeaf : public CStandardRectangularUnit
{
  DECLARE_DYNAMIC(CRectLeaf)
public:
  CRectLeaf(const CString& type, const CString& subtype) : CStandardRectangularUnit(type, subtype) {}
  CRectLeaf(const CRectLeaf&) = default;

  CUnit* Clone() const override { return new CRectLeaf(*this); }
  void GetPlanSectionEntities(double, const CPlanSectionSwitches&, const CPlanSectionPreferences&,
                              CVRX2DEntityArray&) const override
  {}
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void UpdateComponentIndices() override { ++m_nIndexUpdates; }

  bool m_bDiamond = false;
  int m_nIndexUpdates = 0;
};

// Another class on the same key, for the assignment checks.
class COtherRectLeaf : public CRectLeaf
{
  DECLARE_DYNAMIC(COtherRectLeaf)
public:
  using CRectLeaf::CRectLeaf;
  CUnit* Clone() const override { return new COtherRectLeaf(*this); }
};

// An arched unit whose top handles stand at the shoulder line.
class CArchLeaf : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CArchLeaf)
public:
  CArchLeaf(const CString& type, const CString& subtype) : CStandardArchedUnit(type, subtype) {}
  CArchLeaf(const CArchLeaf&) = default;

  CUnit* Clone() const override { return new CArchLeaf(*this); }
  void GetPlanSectionEntities(double, const CPlanSectionSwitches&, const CPlanSectionPreferences&,
                              CVRX2DEntityArray&) const override
  {}
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get2LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get3LineElevationEntities(int, CVRX2DEntityArray&) const override {}
};

// A round-topped unit of two legs of one height with the arch over their tops; the chord is the
// width. Its corner angle is that of the arch at the legs.
class CCustomArchLeaf : public CCustomArchedUnit
{
  DECLARE_DYNAMIC(CCustomArchLeaf)
public:
  CCustomArchLeaf(double width = 48.0, double leg = 36.0);
  CCustomArchLeaf(const CCustomArchLeaf&) = default;

  CUnit* Clone() const override { return new CCustomArchLeaf(*this); }
  CString GetAttributes() const override;
  void SetAttributes(CString& attributes) override;
  CString GetSizeText(int) const override { return CString::Formatted("%g", GetWidth()); }
  double GetHeight() const override { return GetArchCentre().GetY() + GetBase(); }
  void GetPlanSectionEntities(double, const CPlanSectionSwitches&, const CPlanSectionPreferences&,
                              CVRX2DEntityArray&) const override
  {}
  void GetSidesMovedByHandle(int, CDWordArray&) const override {}
  // The chord follows the drag across; the drag's x is handed on as the base-point offset.
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray&) const override { return m_vProposedOffset; }
  void BuildSizedComponents() const override {}
  void Get1LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get2LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get3LineElevationEntities(int, CVRX2DEntityArray&) const override {}

  void GetDimensionLabels(CStringArray& labels) const override;
  void GetDimensionValues(double& base, int& count, CArray<double, double>& values) const override;
  BOOL SetDimensionValues(double base, int count, CArray<double, double>& values) override;
  double GetProposedChordLength(int) const override { return GetProposedWidth(); }
  CVRXAngle GetProposedFirstArchAngle() const override
  {
    return CornerAngle(GetProposedWidth(), GetProposedArchCentre());
  }
  double GetProposedAreaHeight() const override { return GetProposedHeight(); }
  double GetProposedAreaWidth() const override { return GetProposedWidth(); }
  CVRXAngle GetProposedSecondArchAngle(const CVRXAngle& first) const override { return first; }
  double GetProposedHeight() const override { return GetProposedArchCentre().GetY() + GetBase(); }
  BOOL IsProposedSizeValid() const override;
  double GetChordLength(int) const override { return GetWidth(); }
  CVRXAngle GetFirstArchAngle() const override { return CornerAngle(GetWidth(), GetArchCentre()); }
  double GetAreaHeight() const override { return m_dAreaHeight >= 0.0 ? m_dAreaHeight : GetHeight(); }
  double GetAreaWidth() const override { return m_dAreaWidth >= 0.0 ? m_dAreaWidth : GetWidth(); }
  CVRXAngle GetSecondArchAngle(const CVRXAngle& first) const override { return first; }
  BOOL IsArchAngleWithinLimits(const CVRXAngle& angle) const override;
  BOOL IsSizeValid() const override;
  BOOL AreArchAnglesWithinLimits(const CVRXAngle& first, const CVRXAngle& second) const override;

  double GetLeg() const { return m_dLeg; }
  // A width as it stands, for the checks of widths that no valid shape has.
  void SetWidthUnchecked(double width) { SetWidthValue(width); }
  // Area lengths other than the unit's height and width, when set.
  double m_dAreaHeight = -1.0;
  double m_dAreaWidth = -1.0;
  // The angles the pair check was last asked about.
  mutable std::vector<double> m_CheckedAngles;

private:
  // The direction from the arch centre to the top of the right leg.
  CVRXAngle CornerAngle(double width, const CVRX2DVector& centre) const;

  double m_dLeg;
};

// A free-form rectangle.
class CVarigonLeaf : public CVarigonUnit
{
  DECLARE_DYNAMIC(CVarigonLeaf)
public:
  CVarigonLeaf() : CVarigonUnit("VG", "RE010") {}
  CVarigonLeaf(const CVarigonLeaf&) = default;

  CUnit* Clone() const override { return new CVarigonLeaf(*this); }
  double GetHeight() const override { return m_dHeight; }
  double GetWidth() const override { return m_dWidth; }
  void GetPlanSectionEntities(double, const CPlanSectionSwitches&, const CPlanSectionPreferences&,
                              CVRX2DEntityArray&) const override
  {}
  void GetSidesMovedByHandle(int, CDWordArray&) const override {}
  int ConformProposedSize(int, const CVRX2DVector&) override { return inboundsUnchanged; }
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray&) const override { return m_vProposedOffset; }
  void BuildSizedComponents() const override {}
  void Get1LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get2LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get3LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void GetDimensionLabels(CStringArray& labels) const override;
  void GetDimensionValues(CArray<double, double>& values) const override;
  BOOL SetDimensionValues(const CArray<double, double>& values) override;
  double GetProposedWidth() const override { return m_dWidth; }
  double GetProposedHeight() const override { return m_dHeight; }

private:
  double m_dWidth = 36.0;
  double m_dHeight = 24.5;
};
