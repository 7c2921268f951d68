#pragma once
// Plan view (horizontal cut) of one unit or join standing in a wall: wall ends and returns, sill
// lines, frame jambs, panels with their glass lines, mullions and the swing arcs of hinged panels.
// x runs along the wall, y across it: y = 0 on one wall face, y = wall thickness on the other.
#include "platform/core/Object.h"

class CVRX2DEntityArray;
class CVRX2DPoint;

// The plan-section view switches, in the order the plan view fills them.
class CPlanSectionSwitches : public CObject
{
public:
  int SillLinesOn = 0;
  int FrameOn = 1;
  int FrameLinesOn = 0;
  int FullFrameWidthOn = 0;
  int GlassLines = 1;  // glass lines per fixed panel: 1, or 2 for any other value
};

// The wall set-up of a section.
class CPlanSectionPreferences : public CObject
{
public:
  enum
  {
    fotCentered = 0,
    fotFaceOfFrame = 1,
    fotInstallationFlange = 2
  };

  CPlanSectionPreferences() = default;
  CPlanSectionPreferences(const CPlanSectionPreferences&) = default;
  CPlanSectionPreferences& operator=(const CPlanSectionPreferences&) = default;

  int m_bStartEndOn = 1;
  int m_bFinishEndOn = 1;
  int m_bStartReturnOn = 1;
  int m_bFinishReturnOn = 1;
  int m_FrameOffsetType = fotCentered;  // position mode
  double m_dSpanInches = 0.0;           // offset of the frame for modes 1 and 2
  double m_dWallThickness = 12.0;
};

// What a unit (or join) tells the section about itself.
class CPlanSectionUnitDimensions : public CObject
{
public:
  // Panel kinds.
  enum
  {
    pkFixed = 0,
    pkSlidingPlusY = 1,
    pkSlidingMinusY = 2,
    pkHinged0To90 = 3,
    pkHinged90To180 = 4
  };
  static constexpr int kPositions = 4;
  static constexpr int kKinds = 5;

  // Position of the joint after panel i, measured from the unit's start; -1.0 = not given.
  double m_dPanelPositions[kPositions] = {-1.0, -1.0, -1.0, -1.0};
  int m_nPanelKinds[kKinds] = {0, 0, 0, 0, 0};
  double m_dPlanWidth = 40.0;
  int m_nPanelCount = 1;
  double m_dStartOffset = 0.0;
};

class CPlanSection : public CObject
{
public:
  CPlanSection() = default;

  void SetViewSwitches(const CPlanSectionSwitches& switches) { m_Switches = switches; }
  void SetViewPreferences(const CPlanSectionPreferences& preferences) { m_Preferences = preferences; }
  void SetUnitDimensions(const CPlanSectionUnitDimensions& dimensions) { m_Dimensions = dimensions; }

  // The section of a unit; replaces the array's contents.
  void GetEntities(CVRX2DEntityArray& out);
  // The section of a join: sill lines and one jamb of the join's width.
  void GetJoinEntities(CVRX2DEntityArray& out);
  double GetWallDepth() const { return m_dWallDepth; }

  BOOL IsNextPanelKind(int kind, int i) const;
  BOOL IsPreviousPanelKind(int kind, int i) const;

  static void AddLine(CVRX2DEntityArray& out, int category, const CVRX2DPoint& a, const CVRX2DPoint& b);
  // Angles in degrees, counter-clockwise.
  static void AddArc(CVRX2DEntityArray& out, int category, const CVRX2DPoint& centre, double radius,
                     double startDegrees, double endDegrees);

private:
  struct CPanel
  {
    double width = 0.0;
    double gapAfter = 0.0;
    BOOL mullionAfter = FALSE;
  };

  void ComputeLayout();
  void AddStartEnd(CVRX2DEntityArray& out, double& x) const;
  void AddFinishEnd(CVRX2DEntityArray& out, double& x) const;
  void AddSillLines(CVRX2DEntityArray& out, double x) const;
  void AddJamb(CVRX2DEntityArray& out, double x, BOOL start) const;
  void AddPanels(CVRX2DEntityArray& out, double& x) const;
  CPanel MeasurePanel(int i, double x, double x0, double area, double remaining) const;
  void DrawPanel(CVRX2DEntityArray& out, int kind, double x, double w) const;
  void AddHingedPanel(CVRX2DEntityArray& out, int kind, double x, double w) const;
  void AddMullion(CVRX2DEntityArray& out, double x) const;
  int GetPanelCount() const;
  int GetPanelKind(int i) const;
  double GetPanelPosition(int i) const;

  CPlanSectionSwitches m_Switches;
  CPlanSectionPreferences m_Preferences;
  CPlanSectionUnitDimensions m_Dimensions;

  // Built-in dimensions, inches.
  double m_dFrameWidth = 2.0;
  double m_dFrameDepth = 4.0;
  double m_dMullionWidth = 2.0;
  double m_dMullionDepth = 4.0;
  double m_dGlassThickness = 1.0;
  double m_dSashOffset = 1.0;
  double m_dSlidingGap = 2.0;
  double m_dSetback = 1.5;
  double m_dWallDepth = 4.0;

  // Layout computed from the records.
  double m_dFrameX0 = 0.0, m_dFrameX1 = 0.0, m_dFrameY0 = 0.0, m_dFrameY1 = 0.0;
  double m_dBandY0 = 0.0, m_dBandY1 = 0.0;
  double m_dCentreY = 0.0;
  double m_dPlanWidth = 0.0;
  double m_dSillLength = 0.0;
  BOOL m_bFrameOnly = FALSE;
};
