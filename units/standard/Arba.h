#pragma once
// The arched basic window "ARBA011": a rectangle up to the shoulder height closed by one
// circular arch of the row's radius. Besides its drawings it reports its area and draws its own
// bar or fan grille (grille choice 6).
#include "model/Stdarch.h"

class CVRX2DArc;

class CARBasic : public CStandardArchedUnit
{
  DECLARE_DYNAMIC(CARBasic)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CARBasic();
  CARBasic(const CARBasic& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  CString GetSizeText(int lengthFormat) const override;
  double GetHeight() const override;
  void GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                              const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const override;
  // The arched part outline and the centre line.
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetSizingHandles(CSizingHandleArray& out) const override;
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray& out) const override;
  void BuildSizedComponents() const override;
  void Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void Get2LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  // The unit has two line sets only: throws CUnitException.
  void Get3LineElevationEntities(int lines, CVRX2DEntityArray& out) const override;
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;
  double GetProposedHeight() const override;
  // Square feet: the rectangle below the springline and the arch's segment.
  virtual double GetArea() const;

  CVRX2DPoint GetArchCentre() const;
  double GetArchRise() const;
  double GetProposedArchRise() const;
  double GetElevationShoulderHeight(int line) const;
  static double SideFromHypotenuse(double a, double b);
  double GetArchAngle() const;
  double GetArchSegmentArea() const;

  // Bars across, an arch bar concentric with the frame, spokes out to the frame.
  void BuildBarGrille(int grilleId, CVRX2DEntityArray& out) const;
  // A half hub on the glass line with spokes out to the frame.
  void BuildFanGrille(int grilleId, CVRX2DEntityArray& out) const;

  enum
  {
    cBottom,
    cRightLeg,
    cArch,
    cLeftLeg,
    cComponentCount
  };

private:
  void AddElevationRing(int line, int category, CVRX2DEntityArray& out) const;
  // The inner arch of the frame between the springline points of line 2.
  CVRX2DArc GetInnerArch() const;
};
