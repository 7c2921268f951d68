#include "units/standard/Glba.h"

#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "productdb/Elemcomp.h"

IMPLEMENT_DYNAMIC(CGLBasic, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Glba";
constexpr int kOtherClassAssignedLine = 90;

constexpr const char* kLineCode = "GL";
constexpr const char* kUnitCode = "BA005";

// Sized components, in array order: the frame counter-clockwise from the lower-left corner
// (bottoms left to right, right side up, tops right to left, left side down), then the joint.
enum
{
  cBottomLeft,
  cBottomRight,
  cRightSide,
  cTopRight,
  cTopLeft,
  cLeftSide,
  cJoint,
  cComponentCount
};
constexpr const char* kElementCodes[cComponentCount] = {"BI", "BK", "AQ", "AH", "AF", "AM", "BC"};

void AddRectangle(CVRX2DEntityArray& out, int category, double left, double bottom, double right, double top)
{
  const CVRX2DPoint corners[] = {CVRX2DPoint(left, bottom), CVRX2DPoint(right, bottom), CVRX2DPoint(right, top),
                                 CVRX2DPoint(left, top)};
  for (int i = 0; i < 4; ++i)
    out.Add(new CVRX2DLine(category, corners[i], corners[(i + 1) % 4]));
}
}  // namespace

CGLBasic::CGLBasic() : CStandardRectangularUnit(kLineCode, kUnitCode) {}

CUnit& CGLBasic::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  return CStandardRectangularUnit::operator=(source);
}

CUnit* CGLBasic::Clone() const { return new CGLBasic(*this); }

// The left panel slides, the right one stands, whatever the operating choice says.
void CGLBasic::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                      const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPanelPositions[0] = GetSizeValue(1);
  dimensions.m_dPanelPositions[1] = GetSizeValue(2);
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkSlidingPlusY;
  dimensions.m_nPanelKinds[1] = CPlanSectionUnitDimensions::pkSlidingMinusY;
  dimensions.m_dPlanWidth = GetWidth();
  dimensions.m_nPanelCount = GetPanelCount();
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  section.GetEntities(out);
}

// The rectangular conformer takes handle (k + 2) mod 4 as the corner opposite handle k.
void CGLBasic::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int component : {cBottomLeft, cRightSide, cTopRight, cLeftSide})
    out.Add(new CSizingHandle(components.GetAt(component)->GetStartPoint(), CSizingHandle::allSides));
}

void CGLBasic::BuildSizedComponents() const
{
  const double w = GetWidth();
  const double h = GetHeight();
  const double j = GetSizeValue(1);
  const CVRX2DPoint ends[cComponentCount][2] = {
      {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(j, 0.0)}, {CVRX2DPoint(j, 0.0), CVRX2DPoint(w, 0.0)},
      {CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h)},     {CVRX2DPoint(w, h), CVRX2DPoint(j, h)},
      {CVRX2DPoint(j, h), CVRX2DPoint(0.0, h)},     {CVRX2DPoint(0.0, h), CVRX2DPoint(0.0, 0.0)},
      {CVRX2DPoint(j, 0.0), CVRX2DPoint(j, h)}};
  for (int i = 0; i < cComponentCount; ++i) {
    const CElemCompRec element(kLineCode, kUnitCode, kElementCodes[i]);
    m_pSizedComponents->Add(
        new CSizedComponent(kElementCodes[i], element.GetComponent(), i == cJoint ? "I" : "P", ends[i][0], ends[i][1]));
  }
}

void CGLBasic::Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  const double bottom = GetComponentDistance(cBottomLeft, 0, -1);
  const double left = GetComponentDistance(cLeftSide, 0, -1);
  const double right = GetWidth() - GetComponentDistance(cRightSide, 0, -1);
  const double top = GetHeight() - GetComponentDistance(cTopRight, 0, -1);
  AddRectangle(out, ecatDoorElevationFrame, left, bottom, right, top);
  GetJointLineEntities(lines, out);
}

void CGLBasic::GetJointLineEntities(int lines, CVRX2DEntityArray& out) const
{
  const double x = GetSizeValue(1) - GetComponentDistance(cJoint, 0, lines == 1 ? -1 : 1);
  const int frameLine = lines < 3 ? -1 : 3;
  const double y0 = GetComponentDistance(cBottomLeft, 0, frameLine);
  const double y1 = GetHeight() - GetComponentDistance(cTopRight, 0, frameLine);
  out.Add(new CVRX2DLine(ecatDoorElevationFrame, CVRX2DPoint(x, y0), CVRX2DPoint(x, y1)));
}

// One rectangle per panel. The members describe two panels; a size of more panels takes its
// further joints from the size's joint positions and the second panel's bottom and top members.
void CGLBasic::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int panels = GetPanelCount();
  double previousRight = 0.0;
  for (int i = 0; i < panels; ++i) {
    const bool last = i == panels - 1;
    const double left =
        i == 0 ? GetComponentDistance(cLeftSide, 0, 2) : previousRight + GetComponentDistance(cJoint, -2, 2);
    const double right = last ? GetWidth() - GetComponentDistance(cRightSide, 0, 2)
                              : GetSizeValue(i < 4 ? i + 1 : 4) - GetComponentDistance(cJoint, -2, 0);
    const double top = GetHeight() - GetComponentDistance(i == 0 ? cTopLeft : cTopRight, 0, 2);
    const double bottom = GetComponentDistance(i == 0 ? cBottomLeft : cBottomRight, 0, 2);
    AddRectangle(out, ecatDoorElevationGlassSash, left, bottom, right, top);
    previousRight = right;
  }
}

void CGLBasic::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double bottom = GetComponentDistance(cBottomLeft, 0, 3);
  const double left = GetComponentDistance(cLeftSide, 0, 3);
  const double right = GetWidth() - GetComponentDistance(cRightSide, 0, 3);
  const double top = GetHeight() - GetComponentDistance(cTopRight, 0, 3);
  AddRectangle(out, ecatDoorElevationGlassSash, left, bottom, right, top);
}
