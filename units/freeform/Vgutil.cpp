#include "units/freeform/Vgutil.h"

#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "productdb/Elemcomp.h"
#include "support/Trace.h"

namespace vg {

CString FormatValues(const std::vector<double>& values)
{
  CString text;
  for (double value : values)
    text += CString::Formatted(",%.15g", value);
  return text;
}

double ReadNumber(CString& attributes, const char* module, int line)
{
  const double value = StrToDouble(CUnit::GetNextAttribute(attributes));
  if (!std::isfinite(value))
    throw CUnitException(module, line);
  return value;
}

BOOL AllFinite(std::initializer_list<double> values)
{
  for (double value : values)
    if (!std::isfinite(value))
      return FALSE;
  return TRUE;
}

BOOL Refuse(const char* tag, const char* reason, CSizeLimit::Kind kind, double limit)
{
  CSizeLimit::Refused(reason, kind, limit);
  PCTRACE(TT_UNIT, TL_VERBOSE)("%s: Are requested dimensions valid? NO (%s)\n", tag, reason);
  return FALSE;
}

BOOL Accept(const char* tag)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("%s: Are requested dimensions valid? YES\n", tag);
  return TRUE;
}

int TraceResult(int result, const CVRX2DVector& offset, const CResultTexts& texts)
{
  if (result == CUnit::outOfBoundsUnchanged) {
    PCTRACE(TT_UNIT, TL_DETAIL)("%s", texts.outOfBounds);
  } else if (result == CUnit::inboundsUnchanged) {
    PCTRACE(TT_UNIT, TL_DETAIL)("%s", texts.unchanged);
  } else {
    PCTRACE(TT_UNIT, TL_DETAIL)("%s(%f, %f)\n", texts.delta, offset.GetX(), offset.GetY());
    PCTRACE(TT_UNIT, TL_DETAIL)("%s", texts.changed);
  }
  return result;
}

double Ratio(double num, double den)
{
  if (den == 0.0)
    return 0.0;
  const double quotient = num / den;
  return std::isfinite(quotient) ? quotient : 0.0;
}

std::vector<CVRX2DLine> PolygonLines(const std::vector<CVRX2DPoint>& corners, int category)
{
  std::vector<CVRX2DLine> lines;
  const size_t n = corners.size();
  for (size_t i = 0; i < n; ++i)
    lines.emplace_back(category, corners[i], corners[(i + 1) % n]);
  return lines;
}

void AddPolygon(CVRX2DEntityArray& out, int category, const std::vector<CVRX2DPoint>& corners)
{
  AddLines(out, PolygonLines(corners, category));
}

void AddLines(CVRX2DEntityArray& out, const std::vector<CVRX2DLine>& lines)
{
  for (const CVRX2DLine& line : lines)
    out.Add(new CVRX2DLine(line));
}

CVRX2DVector ProposedOutline(CVRX2DEntityArray& out, const std::vector<CVRX2DPoint>& corners,
                             const CVRX2DVector& offset)
{
  out.RemoveAll();
  AddPolygon(out, catProposed, corners);
  return offset;
}

void BuildComponents(CSizedComponentArray& out, const char* unitCode, const std::vector<CSide>& sides)
{
  std::map<std::string, int> numbers;
  for (const CSide& side : sides)
    if (!numbers.count(side.code))
      numbers[side.code] = CElemCompRec("VG", unitCode, side.code).GetComponent();
  for (const CSide& side : sides)
    out.Add(new CSizedComponent(side.code, numbers[side.code], "P", side.start, side.end));
}

std::vector<CVRX2DLine> ComponentLines(const CSizedComponentArray& components, int category)
{
  std::vector<CVRX2DLine> lines;
  for (int i = 0; i < components.GetSize(); ++i)
    lines.emplace_back(category, components.GetAt(i)->GetStartPoint(), components.GetAt(i)->GetEndPoint());
  return lines;
}

void AddComponentHandles(CSizingHandleArray& out, const CSizedComponentArray& components, int code)
{
  out.RemoveAll();
  for (int i = 0; i < components.GetSize(); ++i)
    out.Add(new CSizingHandle(components.GetAt(i)->GetStartPoint(), code));
}

namespace {
CVRX2DPoint Midpoint(const CVRX2DPoint& a, const CVRX2DPoint& b)
{
  return CVRX2DPoint(a.GetX() + (b.GetX() - a.GetX()) * 0.5, a.GetY() + (b.GetY() - a.GetY()) * 0.5);
}
}  // namespace

void AddAnchoredHandles(CSizingHandleArray& out, const CSizedComponentArray& components, int anchorMode)
{
  out.RemoveAll();
  for (int i = 0; i < components.GetSize(); ++i) {
    const CSizedComponent& side = *components.GetAt(i);
    CVRX2DPoint point;
    if (anchorMode == 0)
      point = side.GetStartPoint();
    else if (anchorMode == 1)
      point = Midpoint(side.GetStartPoint(), side.GetEndPoint());
    out.Add(new CSizingHandle(point, handleFree));
  }
}

double Projection(const CVRX2DPoint& anchor, const CVRX2DPoint& handle, const CVRX2DPoint& dragged)
{
  const CVRX2DVector direction(anchor, handle);
  return Ratio(CVRX2DVector(anchor, dragged).Dot(direction), direction.GetLength());
}

void TraceOppositeSideDrag(const char* tag, const CSizedComponent& side, const CVRX2DPoint& from, const CVRX2DPoint& to)
{
  CVRX2DLine perpendicular;
  CVRX2DLine(0, side.GetStartPoint(), side.GetEndPoint()).GetPerpendicular(perpendicular, to);
  PCTRACE(TT_UNIT, TL_VERBOSE)("%s -- ConformForOppositeSide()\n", tag);
  PCTRACE(TT_UNIT, TL_VERBOSE)("\tOriginal Handle Location: (%f, %f)\n", from.GetX(), from.GetY());
  PCTRACE(TT_UNIT, TL_VERBOSE)("\tCurrent Handle Location.: (%f, %f)\n", to.GetX(), to.GetY());
  PCTRACE(TT_UNIT, TL_VERBOSE)("\tPerpendicular Distance..: %f\n", perpendicular.GetLength());
}

void SetFlags(CDWordArray& flags, int count, std::initializer_list<int> anchored)
{
  flags.RemoveAll();
  for (int i = 0; i < count; ++i)
    flags.Add(0);
  for (int i : anchored)
    if (i >= 0 && i < count)
      flags.SetAt(i, 1);
}

void SetHandleFlags(CDWordArray& flags, int handle, const std::vector<std::vector<int>>& moved)
{
  const int count = static_cast<int>(moved.size());
  flags.RemoveAll();
  for (int i = 0; i < count; ++i)
    flags.Add(0);
  if (handle >= 0 && handle < count)
    for (int side : moved[handle])
      flags.SetAt(side, 1);
}

void AddPlanSection(double width, double startOffset, const CPlanSectionSwitches& switches,
                    const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out)
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkFixed;
  dimensions.m_nPanelCount = 1;
  dimensions.m_dPlanWidth = std::isfinite(width) && width > 0.0 ? width : 0.0;
  dimensions.m_dStartOffset = std::isfinite(startOffset) ? startOffset : 0.0;
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetViewPreferences(preferences);
  section.SetUnitDimensions(dimensions);
  section.GetEntities(out);
}

BOOL GetCrossing(const CVRX2DLine& a, const CVRX2DLine& b, CVRX2DPoint& at)
{
  if (a.IsParallel(b))
    return FALSE;
  CVRX2DPointArray points;
  a.IntersectLine(b, points);
  if (points.GetSize() == 0 || !AllFinite({points.GetAt(0)->GetX(), points.GetAt(0)->GetY()}))
    return FALSE;
  at = *points.GetAt(0);
  return TRUE;
}

std::vector<CVRX2DLine> OffsetLines(const std::vector<CVRX2DLine>& lines, const std::vector<double>& distances,
                                    const CVRX2DPoint& reference)
{
  std::vector<CVRX2DLine> moved;
  for (size_t i = 0; i < lines.size(); ++i) {
    const double distance = distances.size() == 1 ? distances[0] : distances.at(i);
    std::unique_ptr<CVRX2DLine> line(lines[i].GetOffsetLine(distance, reference));
    moved.push_back(*line);
  }
  return moved;
}

// The crossings are all taken from the untrimmed lines, so a corner never depends on a line that
// an earlier corner has already shortened.
BOOL CloseCorners(std::vector<CVRX2DLine>& lines)
{
  const size_t n = lines.size();
  std::vector<CVRX2DPoint> corners(n);
  for (size_t k = 0; k < n; ++k)
    if (!GetCrossing(lines[k], lines[(k + n - 1) % n], corners[k]))
      return FALSE;
  for (size_t k = 0; k < n; ++k) {
    lines[k].SetStartPoint(corners[k]);
    lines[(k + n - 1) % n].SetEndPoint(corners[k]);
  }
  return TRUE;
}

int ShortGlassLine(const std::vector<CVRX2DPoint>& corners, double inset, const CVRX2DPoint& reference, double minimum,
                   std::vector<CVRX2DLine>* glass)
{
  std::vector<CVRX2DLine> ring = OffsetLines(PolygonLines(corners, catWork), {inset}, reference);
  if (!CloseCorners(ring))
    return 0;
  if (glass)
    *glass = ring;
  for (size_t i = 0; i < ring.size(); ++i)
    if (ring[i].GetLength() < minimum)
      return static_cast<int>(i);
  return -1;
}

const char* TrimHeldCorners(std::vector<CVRX2DLine>& ring)
{
  const size_t n = ring.size();
  for (size_t k = 0; k < n; ++k) {
    CVRX2DLine& first = ring[k];
    CVRX2DLine& second = ring[(k + n - 1) % n];
    CVRX2DPoint corner;
    if (!GetCrossing(first, second, corner))
      return "no glass line intersection points";
    if (!first.Contains(corner))
      return "glass line does not contain intersection point";
    first.SetStartPoint(corner);
    second.SetEndPoint(corner);
  }
  return nullptr;
}

void AddInsetRing(CVRX2DEntityArray& out, int category, const std::vector<CVRX2DLine>& lines,
                  const std::vector<double>& distances, const CVRX2DPoint& reference, const char* module, int line)
{
  std::vector<CVRX2DLine> ring = OffsetLines(lines, distances, reference);
  if (!CloseCorners(ring))
    throw CUnitException(module, line);
  for (CVRX2DLine& side : ring)
    side.SetCategory(category);
  AddLines(out, ring);
}

CVRX2DLine* InnerQuadSideLine(const CSizedComponentArray& components, int side, const char* module, int line)
{
  static const double inward[4][2] = {{0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}, {1.0, 0.0}};
  if (side < 0 || side >= 4)
    throw CUnitException(module, line);
  const CSizedComponent& component = *components.GetAt(side);
  const CVRX2DLine edge(catTwoLine, component.GetStartPoint(), component.GetEndPoint());
  const CVRX2DPoint reference = component.GetStartPoint() + CVRX2DVector(inward[side][0], inward[side][1]);
  return edge.GetOffsetLine(component.GetElevationDistance(-1, 2), reference);
}

CVRX2DPoint CrossingOrThrow(const CVRX2DLine& first, const CVRX2DLine& second, const char* module, int line,
                            const char* message)
{
  CVRX2DPoint corner;
  if (!GetCrossing(first, second, corner)) {
    CUnitException e(module, line);
    e.SetMessage(message);
    e.description = "No intersect point found for supplied lines.\n";
    throw e;
  }
  return corner;
}

void AddTrimmedRing(CVRX2DEntityArray& out, std::vector<std::unique_ptr<CVRX2DLine>> lines, const CCrossing& cross)
{
  const size_t n = lines.size();
  std::vector<CVRX2DPoint> corners(n);
  for (size_t i = 0; i < n; ++i)
    corners[i] = cross(*lines[(i + n - 1) % n], *lines[i]);
  for (size_t i = 0; i < n; ++i) {
    lines[i]->SetStartPoint(corners[i]);
    lines[i]->SetEndPoint(corners[(i + 1) % n]);
  }
  for (auto& side : lines)
    out.Add(side.release());
}

}  // namespace vg
