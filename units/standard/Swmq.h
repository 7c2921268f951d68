#pragma once
// The monumental quarter rounds "SWMR042" (corner at the lower left, arc over the upper right)
// and "SWML042" (its mirror image): a straight bottom, a straight jamb and a quarter circle of
// the row's radius about the corner where they meet, sized by the radius alone. Both hands share
// one implementation that knows which side the corner is on.
#include "units/standard/Mqtrrnd.h"

class CVRX2DArc;

class CSWMonumentalQuarterRound : public CStandardMonumentalQtrRoundUnit
{
  DECLARE_DYNAMIC(CSWMonumentalQuarterRound)
public:
  CSWMonumentalQuarterRound(const CString& subtype, BOOL left, const char* module, int badHandleLine)
    : CStandardMonumentalQtrRoundUnit("SW", subtype),
      m_bLeft(left),
      m_pszModule(module),
      m_nBadHandleLine(badHandleLine)
  {}
  CSWMonumentalQuarterRound(const CSWMonumentalQuarterRound& source) = default;
  CSWMonumentalQuarterRound& operator=(const CSWMonumentalQuarterRound& source) = default;

  // The cut is clamped into the unit.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  // The corner, the bottom end and the top end of the arc; all of code 0 when the unit has one size.
  void GetSizingHandles(CSizingHandleArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override;
  // A drag that does not move the handle gives the proposal up.
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;

  CVRX2DPoint GetArcCentre() const;
  CVRX2DPoint GetProposedArcCentre() const;
  CVRXAngle GetAngleAtCentre(const CVRX2DPoint& p) const;
  // The height at which the jamb's line k meets the arc's line k.
  double GetInsetJambMeet(int line) const;

private:
  int ArcIndex() const { return m_bLeft ? 2 : 1; }
  int JambIndex() const { return m_bLeft ? 1 : 2; }
  double ArcStart() const;
  double ArcEnd() const;
  void AddInsetElevation(int line, CVRX2DEntityArray& out) const;
  // The arc of radius v about the centre between the inset bottom and the inset jamb.
  CVRX2DArc* MakeRing(double v, double bottom, double jamb, int category) const;

  BOOL m_bLeft;
  const char* m_pszModule;
  int m_nBadHandleLine;
};

class CSWMonumentalQuarterRoundRight : public CSWMonumentalQuarterRound
{
  DECLARE_DYNAMIC(CSWMonumentalQuarterRoundRight)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWMonumentalQuarterRoundRight();
  CSWMonumentalQuarterRoundRight(const CSWMonumentalQuarterRoundRight& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};

class CSWMonumentalQuarterRoundLeft : public CSWMonumentalQuarterRound
{
  DECLARE_DYNAMIC(CSWMonumentalQuarterRoundLeft)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWMonumentalQuarterRoundLeft();
  CSWMonumentalQuarterRoundLeft(const CSWMonumentalQuarterRoundLeft& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
