// The shape-independent geometry of a unit: elevation dispatch, outlines, sizing handles, detail
// specifications and the outline offset by the frame depths.
#include "model/Unit.h"

#include <cmath>
#include <memory>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "geometry/Angle.h"
#include "model/Dtlspec.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "productdb/Componet.h"

namespace {
constexpr const char* kModule = "Unit";
constexpr int kBadReferenceEntityLine = 1064;
constexpr int kNoComponentRowLine = 1078;
constexpr int kBadOffsetEntityLine = 1094;
constexpr int kBadComparisonEntityLine = 1121;
constexpr int kBadTrimEndEntityLine = 1146;
constexpr int kBadTrimStartEntityLine = 1158;
constexpr int kEntitiesDoNotMeetLine = 1169;

constexpr int kDefaultHandles = 4;

BOOL IsPerimeter(const CSizedComponent& component) { return component.GetKind() == "P"; }

CVRX2DPoint Midpoint(const CVRX2DPoint& a, const CVRX2DPoint& b)
{
  return CVRX2DPoint((a.GetX() + b.GetX()) / 2.0, (a.GetY() + b.GetY()) / 2.0);
}

// A point inside the outline, from the first outline entity: the midpoint of its ends, 1 inch up.
CVRX2DPoint ReferencePoint(const CVRX2DEntity& first)
{
  CVRX2DPoint start, end;
  if (first.GetType() == VRX_LINE) {
    const auto& line = static_cast<const CVRX2DLine&>(first);
    start = line.GetStartPoint();
    end = line.GetEndPoint();
  } else if (first.GetType() == VRX_ARC)
    static_cast<const CVRX2DArc&>(first).GetEndPoints(start, end);
  else
    throw CUnitException(kModule, kBadReferenceEntityLine);
  return Midpoint(start, end) + CVRX2DVector(0.0, 1.0);
}

CVRX2DEntity* OffsetOutward(const CVRX2DEntity& entity, double depth, const CVRX2DPoint& reference)
{
  if (entity.GetType() == VRX_LINE)
    return static_cast<const CVRX2DLine&>(entity).GetOffsetLine(-depth, reference);
  if (entity.GetType() != VRX_ARC)
    throw CUnitException(kModule, kBadOffsetEntityLine);
  const auto& arc = static_cast<const CVRX2DArc&>(entity);
  return new CVRX2DArc(arc.GetCategory(), arc.GetCentre(), arc.GetMajorRadius() + depth, arc.GetMinorRadius() + depth,
                       arc.GetAxisAngle(), arc.GetStartAngle(), arc.GetEndAngle());
}

CVRX2DPoint EndOf(const CVRX2DEntity& entity)
{
  if (entity.GetType() == VRX_LINE)
    return static_cast<const CVRX2DLine&>(entity).GetEndPoint();
  if (entity.GetType() == VRX_ARC) {
    const auto& arc = static_cast<const CVRX2DArc&>(entity);
    return arc.GetPointAtAngle(arc.GetEndAngle());
  }
  throw CUnitException(kModule, kBadComparisonEntityLine);
}

void SetEnd(CVRX2DEntity& entity, const CVRX2DPoint& p)
{
  if (entity.GetType() == VRX_LINE)
    static_cast<CVRX2DLine&>(entity).SetEndPoint(p);
  else if (entity.GetType() == VRX_ARC) {
    auto& arc = static_cast<CVRX2DArc&>(entity);
    arc.SetEndAngle(arc.GetCentre().AngleTo(p));
  } else
    throw CUnitException(kModule, kBadTrimEndEntityLine);
}

void SetStart(CVRX2DEntity& entity, const CVRX2DPoint& p)
{
  if (entity.GetType() == VRX_LINE)
    static_cast<CVRX2DLine&>(entity).SetStartPoint(p);
  else if (entity.GetType() == VRX_ARC) {
    auto& arc = static_cast<CVRX2DArc&>(entity);
    arc.SetStartAngle(arc.GetCentre().AngleTo(p));
  } else
    throw CUnitException(kModule, kBadTrimStartEntityLine);
}

// Trims entity i and the next one, j, to meet at their crossing nearest to the end of i.
void JoinToNext(CVRX2DEntity& i, CVRX2DEntity& j)
{
  const CVRX2DPoint end = EndOf(i);
  CVRX2DPointArray points;
  i.Intersect(j, points);
  if (points.GetSize() == 0) {
    if (i.GetType() == VRX_ARC && j.GetType() == VRX_ARC)
      return;
    if (!j.Contains(end))
      throw CUnitException(kModule, kEntitiesDoNotMeetLine);
    return;
  }
  const CVRX2DPoint* nearest = points.GetAt(0);
  for (int k = 1; k < points.GetSize(); ++k)
    if (points.GetAt(k)->DistanceTo(end) < nearest->DistanceTo(end))
      nearest = points.GetAt(k);
  const CVRX2DPoint meet = *nearest;
  SetEnd(i, meet);
  SetStart(j, meet);
}
}  // namespace

double RoundUpToEighth(double value)
{
  const double eighths = std::floor(8.0 * value);
  if (std::fabs(value - eighths / 8.0) <= 1e-8)
    return value;
  return (eighths + 1.0) / 8.0;
}

void CUnit::GetElevationEntities(int lines, BOOL /*showOperation*/, BOOL /*showGrilles*/, CVRX2DEntityArray& out) const
{
  const int components = GetSizedComponents()->GetSize();
  out.RemoveAll();
  const int growth = 20 * GetPanelCount() + lines * components;
  Get1LineElevationEntities(lines, out);
  if (lines > 1)
    Get2LineElevationEntities(lines, out);
  if (lines > 2)
    Get3LineElevationEntities(lines, out);
  if (12 * out.GetSize() + 255 < 12 * growth)
    out.FreeExtra();
}

void CUnit::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i) {
    const CSizedComponent& c = *components.GetAt(i);
    out.Add(new CVRX2DLine(IsPerimeter(c) ? catOutlinePerimeter : catOutlineInner, c.GetStartPoint(), c.GetEndPoint()));
  }
}

// Consecutive colinear members come out as one line.
void CUnit::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  int category = catPartOutlineInner;
  CVRX2DLine* previous = nullptr;
  for (int i = 0; i < components.GetSize(); ++i) {
    const CSizedComponent& c = *components.GetAt(i);
    if (c.GetKind() == "P")
      category = catPartOutlinePerimeter;
    else if (c.GetKind() == "I")
      category = catPartOutlineInner;
    auto line = std::make_unique<CVRX2DLine>(category, c.GetStartPoint(), c.GetEndPoint());
    if (previous && line->IsColinear(*previous)) {
      previous->SetEndPoint(line->GetEndPoint());
      continue;
    }
    previous = line.get();
    out.Add(line.release());
  }
}

void CUnit::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  const int count = components.GetSize() < kDefaultHandles ? components.GetSize() : kDefaultHandles;
  for (int i = 0; i < count; ++i)
    out.Add(new CSizingHandle(components.GetAt(i)->GetStartPoint(), CSizingHandle::allSides));
}

void CUnit::BuildDetailSpecifications()
{
  CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i) {
    CDetailSpecification spec;
    spec.SetDetailID(components.GetAt(i)->GetID());
    components.GetAt(i)->SetDetailSpecification(&spec);
  }
  components.SetDetailDirections();
}

void CUnit::BuildDetailSpecificationsAgain()
{
  CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i)
    components.GetAt(i)->SetDetailSpecification(nullptr);
  BuildDetailSpecifications();
}

CDetailSpecification CUnit::GetDetailSpecification(int i)
{
  if (!GetSizedComponents()->GetAt(i)->GetDetailSpecification())
    BuildDetailSpecificationsAgain();
  const CDetailSpecification* spec = GetSizedComponents()->GetAt(i)->GetDetailSpecification();
  return spec ? *spec : CDetailSpecification();
}

void CUnit::BuildOutline() const
{
  m_Outline.RemoveAll();
  CVRX2DEntityArray outline;
  GetOutlineEntities(outline);
  if (outline.GetSize() == 0)
    return;
  const CVRX2DPoint reference = ReferencePoint(*outline.GetAt(0));
  const CSizedComponentArray& components = *GetSizedComponents();
  CVRX2DEntityArray offset;
  for (int i = 0; i < components.GetSize() && i < outline.GetSize() && IsPerimeter(*components.GetAt(i)); ++i) {
    CComponetRec component;
    component.SetComponent(components.GetAt(i)->GetID());
    if (component.Find(1) != 0)
      throw CUnitException(kModule, kNoComponentRowLine);
    offset.Add(OffsetOutward(*outline.GetAt(i), component.GetField60(), reference));
  }
  const int n = offset.GetSize();
  for (int i = 0; n > 1 && i < n; ++i)
    JoinToNext(*offset.GetAt(i), *offset.GetAt((i + 1) % n));
  m_Outline.Append(offset);
  offset.RemoveAllNoDelete();
}

double CUnit::GetOutlineHeight() const
{
  if (m_Outline.GetSize() == 0)
    BuildOutline();
  const CVRX2DRectangle extents = m_Outline.GetExtents();
  return RoundUpToEighth(std::fabs(extents.GetMaxPoint().GetY() - extents.GetMinPoint().GetY()));
}

double CUnit::GetOutlineWidth() const
{
  if (m_Outline.GetSize() == 0)
    BuildOutline();
  const CVRX2DRectangle extents = m_Outline.GetExtents();
  return RoundUpToEighth(std::fabs(extents.GetMaxPoint().GetX() - extents.GetMinPoint().GetX()));
}
