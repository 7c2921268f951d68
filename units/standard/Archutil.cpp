#include "units/standard/Archutil.h"

#include <algorithm>
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Stdarch.h"
#include "productdb/Elemcomp.h"
#include "productdb/Grilhdrs.h"
#include "productdb/Grilprop.h"
#include "productdb/txdbExcp.h"

namespace Arch {
double SideFromHypotenuse(double a, double b) { return std::sqrt(std::max(0.0, a * a - b * b)); }

double Rise(double radius, double chord) { return radius - SideFromHypotenuse(radius, chord * 0.5); }

double Clamp(double value, double low, double high) { return std::max(low, std::min(value, high)); }

void AddLine(CVRX2DEntityArray& out, int category, const CVRX2DPoint& from, const CVRX2DPoint& to)
{
  out.Add(new CVRX2DLine(category, from, to));
}

void AddArc(CVRX2DEntityArray& out, int category, const CVRX2DPoint& centre, double radius, double start, double end)
{
  const double r = std::max(0.0, radius);
  out.Add(new CVRX2DArc(category, centre, r, r, CVRXAngle(0.0), CVRXAngle(start), CVRXAngle(end)));
}

void AddArcThrough(CVRX2DEntityArray& out, int category, const CVRX2DPoint& centre, double radius,
                   const CVRX2DPoint& from, const CVRX2DPoint& to)
{
  AddArc(out, category, centre, radius, DirectionOf(centre, from), DirectionOf(centre, to));
}

void AddCircle(CVRX2DEntityArray& out, int category, const CVRX2DPoint& centre, double radius)
{
  AddArc(out, category, centre, radius, 0.0, 0.0);
}

CVRX2DPoint PointAt(const CVRX2DPoint& centre, double radius, double angle)
{
  return CVRX2DPoint(centre.GetX() + radius * std::cos(angle), centre.GetY() + radius * std::sin(angle));
}

double DirectionOf(const CVRX2DPoint& centre, const CVRX2DPoint& p) { return centre.AngleTo(p).GetRadians(); }

void AddPlanSection(const CPlanSectionSwitches& switches, const CPlanSectionPreferences& preferences, double planWidth,
                    double offset, CVRX2DEntityArray& out)
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkFixed;
  dimensions.m_dPlanWidth = planWidth;
  dimensions.m_nPanelCount = 1;
  dimensions.m_dStartOffset = offset;
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  section.GetEntities(out);
}

namespace {
enum
{
  cBottom,
  cRightLeg,
  cArch,
  cLeftLeg
};
}  // namespace

void BuildShoulderComponents(const CStandardArchedUnit& unit, CSizedComponentArray& out)
{
  const char* const kArchCode = "AG";
  const char* const kLegCode = "AP";
  const char* const kBottomCode = "BJ";
  const CElemCompRec arch(unit.GetType(), unit.GetSubtype(), kArchCode);
  const CElemCompRec leg(unit.GetType(), unit.GetSubtype(), kLegCode);
  const CElemCompRec bottom(unit.GetType(), unit.GetSubtype(), kBottomCode);
  const double w = unit.GetWidth();
  const double s = unit.GetShoulderHeight();
  const CVRX2DPoint p0(0.0, 0.0), p1(w, 0.0), p2(0.0, s), p3(w, s);
  out.Add(new CSizedComponent(kBottomCode, bottom.GetComponent(), "P", p0, p1));
  out.Add(new CSizedComponent(kLegCode, leg.GetComponent(), "P", p1, p3));
  out.Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", p3, p2));
  out.Add(new CSizedComponent(kLegCode, leg.GetComponent(), "P", p2, p0));
}

double ElevationShoulderHeight(const CStandardArchedUnit& unit, int line)
{
  const double r = unit.GetArchRadius();
  return unit.GetHeight() - r +
         SideFromHypotenuse(r - unit.GetComponentDistance(cArch, 0, line),
                            0.5 * unit.GetWidth() - unit.GetComponentDistance(cLeftLeg, 0, line));
}

void AddElevationRing(const CStandardArchedUnit& unit, const CVRX2DPoint& centre, int line, int category,
                      CVRX2DEntityArray& out)
{
  const double y0 = unit.GetComponentDistance(cBottom, 0, line);
  const double xL = unit.GetComponentDistance(cLeftLeg, 0, line);
  const double xR = unit.GetWidth() - unit.GetComponentDistance(cRightLeg, 0, line);
  const double ys = ElevationShoulderHeight(unit, line);
  const CVRX2DPoint a(xL, y0), b(xR, y0), d(xR, ys), e(xL, ys);
  AddLine(out, category, a, b);
  AddLine(out, category, b, d);
  AddArcThrough(out, category, centre, unit.GetArchRadius() - unit.GetComponentDistance(cArch, 0, line), d, e);
  AddLine(out, category, e, a);
}

BOOL UpperCrossing(const CVRX2DArc& arc, const CVRX2DPoint& a, const CVRX2DPoint& b, CVRX2DPoint& crossing)
{
  CVRX2DPointArray points;
  arc.IntersectLine(CVRX2DLine(0, a, b), points);
  if (points.GetSize() == 0)
    return FALSE;
  crossing = *points.GetAt(0);
  if (points.GetSize() > 1 && !points.GetAt(0)->IsAbove(*points.GetAt(1)))
    crossing = *points.GetAt(1);
  return TRUE;
}

namespace {
template <class Holder>
BOOL FirstContained(const Holder& holder, const CVRX2DLine& line, CVRX2DPoint& crossing)
{
  CVRX2DPointArray points;
  holder.Intersect(line, points);
  for (int i = 0; i < points.GetSize(); ++i) {
    if (holder.Contains(*points.GetAt(i))) {
      crossing = *points.GetAt(i);
      return TRUE;
    }
  }
  return FALSE;
}
}  // namespace

BOOL FirstCrossingOn(const CVRX2DArc& holder, const CVRX2DLine& line, CVRX2DPoint& crossing)
{
  return FirstContained(holder, line, crossing);
}

BOOL FirstCrossingOnLine(const CVRX2DLine& holder, const CVRX2DLine& line, CVRX2DPoint& crossing)
{
  return FirstContained(holder, line, crossing);
}

namespace {
BOOL IsOfGrille(const CGrilPropRec& row, int grilleId, const CString& code)
{
  return row.GetGrilleId() == grilleId && row.GetPropertyCode() == code;
}
}  // namespace

BOOL SeekGrilleRow(CGrilPropRec& row, int grilleId, const CString& code, double value, Seek seek)
{
  row.SetGrilleId(grilleId);
  row.SetPropertyCode(code);
  row.SetValue(static_cast<float>(value));
  BOOL atEnd = FALSE;
  int rc = -1;
  switch (seek) {
  case seekGT:
    rc = row.SeekGT(1, &atEnd);
    break;
  case seekGE:
    rc = row.SeekGE(1, &atEnd);
    break;
  case seekLE:
    rc = row.SeekLE(1, &atEnd);
    break;
  }
  return rc == 0 && IsOfGrille(row, grilleId, code);
}

CVRX2DPoint ReadGrilleHub(int grilleId, const char* module, int xLine, int yLine)
{
  CGrilPropRec row;
  if (!SeekGrilleRow(row, grilleId, "H", 0.0, seekGT))
    throw CTXDBException(module, xLine, CTXDBException::readError);
  const double x = row.GetValue();
  if (!SeekGrilleRow(row, grilleId, "V", 0.0, seekGT))
    throw CTXDBException(module, yLine, CTXDBException::readError);
  return CVRX2DPoint(x, row.GetValue());
}

BOOL NextGrilleRow(CGrilPropRec& row, int grilleId, const CString& code)
{
  BOOL atEnd = FALSE;
  return row.Next(&atEnd) == 0 && IsOfGrille(row, grilleId, code);
}

BOOL PrevGrilleRow(CGrilPropRec& row, int grilleId, const CString& code)
{
  BOOL atEnd = FALSE;
  return row.Prev(&atEnd) == 0 && IsOfGrille(row, grilleId, code);
}

int FindGrilleId(const CString& type, const CString& subtype, const CString& sizeCode, int choice)
{
  const CGrilHdrsRec header(type, subtype, sizeCode, choice);
  return header.GetTypeCode().IsEmpty() ? 0 : header.GetGrilleId();
}
}  // namespace Arch
