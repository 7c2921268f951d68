#pragma once
// The casement/awning quarter rounds "SWCR006" (upper right corner rounded, jamb on the left)
// and "SWCL006" (its mirror image): a rectangle of the row's width and height with one upper
// corner replaced by a quarter circle of the row's radius, sized by the radius alone. Both
// hands share one implementation that knows which side the jamb is on.
#include "units/standard/Caqtrrnd.h"

class CVRX2DArc;

class CSWCasementAwningQtrRound : public CStandardCasementAwningQtrRound
{
  DECLARE_DYNAMIC(CSWCasementAwningQtrRound)
public:
  CSWCasementAwningQtrRound(const CString& subtype, BOOL left, const char* module)
    : CStandardCasementAwningQtrRound("SW", subtype), m_bLeft(left), m_pszModule(module)
  {}
  CSWCasementAwningQtrRound(const CSWCasementAwningQtrRound& source) = default;
  CSWCasementAwningQtrRound& operator=(const CSWCasementAwningQtrRound& source) = default;

  // The cut is clamped into the unit.
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  // The two bottom ends and the top of the jamb.
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
  CVRXAngle GetAngleAtCorner(const CVRX2DPoint& p) const;

private:
  int ArcIndex() const { return m_bLeft ? 3 : 2; }
  int ArcSideIndex() const { return m_bLeft ? 2 : 1; }
  int JambIndex() const { return m_bLeft ? 1 : 4; }
  void AddInsetElevation(int line, CVRX2DEntityArray& out) const;
  void AddRightInset(int line, CVRX2DEntityArray& out) const;
  void AddLeftInset(int line, CVRX2DEntityArray& out) const;
  CVRX2DArc* MakeRing(const CVRX2DPoint& hub, double v, double dx, double dy, double jamb, double sill,
                      int category) const;
  double ReadHub(int grilleId, const char* code, int line) const;

  BOOL m_bLeft;
  const char* m_pszModule;
};

class CSWCasementAwningQtrRoundRight : public CSWCasementAwningQtrRound
{
  DECLARE_DYNAMIC(CSWCasementAwningQtrRoundRight)
public:
  // Only the unit factory makes one: the smallest standard size of the key.
  CSWCasementAwningQtrRoundRight();
  CSWCasementAwningQtrRoundRight(const CSWCasementAwningQtrRoundRight& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};

class CSWCasementAwningQtrRoundLeft : public CSWCasementAwningQtrRound
{
  DECLARE_DYNAMIC(CSWCasementAwningQtrRoundLeft)
public:
  // Only the unit factory makes one: the smallest standard size of the key.
  CSWCasementAwningQtrRoundLeft();
  CSWCasementAwningQtrRoundLeft(const CSWCasementAwningQtrRoundLeft& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
};
