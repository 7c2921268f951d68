#include "units/standard/Panelrow.h"

#include "geometry/2dline.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Stdunit.h"
#include "productdb/Elemcomp.h"

void CComponentGroups::SetSideBySide(int panels)
{
  BottomGroupIndex = 0;
  RightGroupIndex = panels;
  TopGroupIndex = panels + 1;
  LeftGroupIndex = 2 * panels + 1;
  InteriorGroupIndex = LeftGroupIndex + 1;
}

CComponentSlots::CComponentSlots(int count, const CString& type, const CString& subtype)
  : m_strType(type), m_strSubtype(subtype), m_slots(static_cast<size_t>(count > 0 ? count : 0))
{}

CComponentSlots::~CComponentSlots() = default;

BOOL CComponentSlots::Put(int index, const char* code, const char* name, const CVRX2DPoint& start,
                          const CVRX2DPoint& end)
{
  if (index < 0 || index >= static_cast<int>(m_slots.size()))
    return FALSE;
  const CElemCompRec element(m_strType, m_strSubtype, code);
  m_slots[static_cast<size_t>(index)] =
      std::make_unique<CSizedComponent>(code, element.GetComponent(), name, start, end);
  return TRUE;
}

BOOL CComponentSlots::IsComplete() const
{
  for (const auto& slot : m_slots)
    if (!slot)
      return FALSE;
  return TRUE;
}

void CComponentSlots::MoveTo(CSizedComponentArray& components)
{
  for (auto& slot : m_slots)
    components.Add(slot.release());
  m_slots.clear();
}

namespace PanelRow {

void PutSingleFrame(CComponentSlots& slots, double width, double height, const char* top, const char* side,
                    const char* bottom)
{
  const CVRX2DPoint lowerLeft(0.0, 0.0), lowerRight(width, 0.0), upperRight(width, height), upperLeft(0.0, height);
  slots.Put(0, bottom, "P", lowerLeft, lowerRight);
  slots.Put(1, side, "P", lowerRight, upperRight);
  slots.Put(2, top, "P", upperRight, upperLeft);
  slots.Put(3, side, "P", upperLeft, lowerLeft);
}

double PanelEdge(const CStandardUnit& unit, int edge)
{
  if (edge <= 0)
    return 0.0;
  return edge >= unit.GetPanelCount() ? unit.GetWidth() : unit.GetSizeValue(edge);
}

void AddElevationLine(CVRX2DEntityArray& out, int category, double x0, double y0, double x1, double y1)
{
  out.Add(new CVRX2DLine(category, CVRX2DPoint(x0, y0), CVRX2DPoint(x1, y1)));
}

void AddElevationRectangle(CVRX2DEntityArray& out, int category, double left, double bottom, double right, double top)
{
  AddElevationLine(out, category, left, bottom, right, bottom);
  AddElevationLine(out, category, right, bottom, right, top);
  AddElevationLine(out, category, right, top, left, top);
  AddElevationLine(out, category, left, top, left, bottom);
}

void GetCornerHandles(const CUnit& unit, const int (&components)[4], CSizingHandleArray& out)
{
  out.RemoveAll();
  const CSizedComponentArray& sized = *unit.GetSizedComponents();
  for (int component : components)
    out.Add(new CSizingHandle(sized.GetAt(component)->GetStartPoint(), CSizingHandle::allSides));
}

void GetFrameRectangle(const CStandardUnit& unit, const CComponentGroups& groups, int key, int category,
                       CVRX2DEntityArray& out)
{
  const double bottom = unit.GetComponentDistance(groups.BottomGroupIndex, 0, key);
  const double left = unit.GetComponentDistance(groups.LeftGroupIndex, 0, key);
  const double right = unit.GetWidth() - unit.GetComponentDistance(groups.RightGroupIndex, 0, key);
  const double top = unit.GetHeight() - unit.GetComponentDistance(groups.TopGroupIndex, 0, key);
  AddElevationRectangle(out, category, left, bottom, right, top);
}

void GetPanelRectangles(const CStandardUnit& unit, const CComponentGroups& groups, int key, int category,
                        CVRX2DEntityArray& out)
{
  const int n = unit.GetPanelCount();
  const int b = groups.BottomGroupIndex, l = groups.LeftGroupIndex, joint = groups.InteriorGroupIndex;
  double right = 0.0;
  for (int p = 1; p <= n; ++p) {
    const double left =
        p == 1 ? unit.GetComponentDistance(l, 0, key) : right + unit.GetComponentDistance(joint + p - 2, -key, key);
    right = p < n ? unit.GetSizeValue(p) - unit.GetComponentDistance(joint + p - 1, -key, 0)
                  : unit.GetWidth() - unit.GetComponentDistance(groups.RightGroupIndex, 0, key);
    const double top = unit.GetHeight() - unit.GetComponentDistance(l - p, 0, key);
    const double bottom = unit.GetComponentDistance(b + p - 1, 0, key);
    AddElevationRectangle(out, category, left, bottom, right, top);
  }
}

void GetPanelSymbols(const CStandardUnit& unit, const CComponentGroups& groups, int lines, int frameKey, int jointLine,
                     int category, const PanelSymbolSide& side, CVRX2DEntityArray& out)
{
  const int n = unit.GetPanelCount();
  const int joint = groups.InteriorGroupIndex;
  double right = 0.0;
  for (int p = 1; p <= n; ++p) {
    double left = p == 1 ? unit.GetComponentDistance(groups.LeftGroupIndex, 0, frameKey) : right;
    if (p > 1 && lines > 1)
      left += unit.GetComponentDistance(joint + p - 2, -jointLine, jointLine);
    if (p < n)
      right = unit.GetSizeValue(p) - (lines < 2 ? 0.0 : unit.GetComponentDistance(joint + p - 1, -jointLine, 0));
    else
      right = unit.GetWidth() - unit.GetComponentDistance(groups.RightGroupIndex, 0, frameKey);
    const double top = unit.GetHeight() - unit.GetComponentDistance(groups.LeftGroupIndex - p, 0, frameKey);
    const double bottom = unit.GetComponentDistance(groups.BottomGroupIndex + p - 1, 0, frameKey);
    const double middle = (bottom + top) * 0.5;
    const char meets = side(p);
    if (meets != 'L' && meets != 'R')
      continue;
    const double apex = meets == 'L' ? left : right, base = meets == 'L' ? right : left;
    AddElevationLine(out, category, base, bottom, apex, middle);
    AddElevationLine(out, category, apex, middle, base, top);
  }
}

void GetSingleFrameRectangle(const CStandardUnit& unit, int key, int category, CVRX2DEntityArray& out)
{
  enum
  {
    bottom,
    right,
    top,
    left
  };
  const double a = unit.GetComponentDistance(bottom, 0, key);
  const double x = unit.GetComponentDistance(left, 0, key);
  const double t = unit.GetHeight() - unit.GetComponentDistance(top, 0, key);
  AddElevationRectangle(out, category, x, a, unit.GetWidth() - x, t);
}

void GetPlanSection(const CPlanSectionUnitDimensions& dimensions, const CPlanSectionSwitches& switches,
                    const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out)
{
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  section.GetEntities(out);
}

void GetSingleFramePlanSection(const CUnit& unit, const CPlanSectionSwitches& switches,
                               const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out)
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkFixed;
  dimensions.m_dPlanWidth = unit.GetWidth();
  dimensions.m_nPanelCount = 1;
  GetPlanSection(dimensions, switches, preferences, out);
}

}  // namespace PanelRow
