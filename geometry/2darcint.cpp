// Intersections of the arc with lines and with other arcs.
#include <cmath>
#include <vector>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2dptent.h"
#include "geometry/2drect.h"

namespace {
// One end of the common part of two arcs on the same ellipse. An arc's start opens a common
// stretch (counter-clockwise), its end closes one; a point that does both is a touching point.
struct CommonEnd
{
  CVRX2DPoint point;
  double angle;
  bool opens;
  bool closes;
  bool used = false;
};

void AddEnd(std::vector<CommonEnd>& ends, const CVRX2DPoint& p, const CVRXAngle& angle, bool opens)
{
  for (CommonEnd& e : ends) {
    if (e.point == p) {
      e.opens = e.opens || opens;
      e.closes = e.closes || !opens;
      return;
    }
  }
  ends.push_back(CommonEnd{p, angle.GetRadians(), opens, !opens});
}

double CounterClockwise(double from, double to) { return CVRXAngle(to - from).GetRadians(); }

// The other end of the common stretch that `e` bounds, or null for a touching point.
CommonEnd* Partner(std::vector<CommonEnd>& ends, const CommonEnd& e)
{
  if (e.opens == e.closes)
    return nullptr;
  CommonEnd* best = nullptr;
  double bestSweep = 0.0;
  for (CommonEnd& o : ends) {
    if (o.used || o.opens == o.closes || o.opens == e.opens)
      continue;
    double sweep = e.opens ? CounterClockwise(e.angle, o.angle) : CounterClockwise(o.angle, e.angle);
    if (!best || sweep < bestSweep) {
      best = &o;
      bestSweep = sweep;
    }
  }
  return best;
}
}  // namespace

void CVRX2DArc::IntersectLine(const CVRX2DLine& line, CVRX2DPointArray& points) const
{
  points.RemoveAll();
  CVRX2DPoint s = line.GetStartPoint();
  if (s.GetX() == line.GetEndPoint().GetX() && s.GetY() == line.GetEndPoint().GetY()) {
    if (OnEllipse(s))
      points.AddCopy(s);
    return;
  }
  // A flat ellipse cannot be mapped onto the unit circle.
  if (!(radius2 > 0.0))
    return;
  CVRX2DTransformationMatrix n;
  n.Translate(-centre.AsVector()).Rotate(-axisAngle).Scale(1.0 / radius1, 1.0 / radius2);
  CVRX2DLine onCircle(line);
  onCircle.Transform(n);
  CVRXAngle a = onCircle.GetAngle();
  onCircle.Transform(CVRX2DTransformationMatrix(-a));
  if (onCircle.GetStartPoint().GetY() < 0.0)
    a += VRX_PI;
  // n now maps the line to a horizontal line at height h >= 0 over the unit circle.
  n.Rotate(-a);
  CVRX2DPoint mapped = s;
  double h = mapped.Transform(n).GetY();
  CVRX2DTransformationMatrix back(n);
  back.Invert();
  if (h <= 1.0) {
    double w = std::sqrt(1.0 - h * h);
    CVRX2DPoint first(w, h), second(-w, h);
    first.Transform(back);
    second.Transform(back);
    points.AddCopy(first);
    if (second != first)
      points.AddCopy(second);
    return;
  }
  // Just past tangent by rounding: the ellipse point nearest the line still counts when it touches.
  CVRX2DPoint top(0.0, 1.0);
  top.Transform(back);
  CVRX2DLine perpendicular;
  line.GetPerpendicular(perpendicular, top);
  CVRX2DPoint foot = perpendicular.GetEndPoint();
  if (CVRX2DVector(top, foot) == CVRX2DVector())
    points.AddCopy(CVRX2DPoint((top.GetX() + foot.GetX()) / 2, (top.GetY() + foot.GetY()) / 2));
}

void CVRX2DArc::IntersectArc(const CVRX2DArc& other, CVRX2DPointArray& points) const
{
  if (IsSameEllipse(other))
    IntersectSameEllipse(other, points);
  else
    IntersectDifferentEllipse(other, points);
}

// Both taken as circles of their first radius: the points of this ellipse on their radical line.
void CVRX2DArc::IntersectDifferentEllipse(const CVRX2DArc& other, CVRX2DPointArray& points) const
{
  points.RemoveAll();
  // Concentric circles have no radical line.
  if (centre == other.centre)
    return;
  double x1 = centre.GetX(), y1 = centre.GetY(), x2 = other.centre.GetX(), y2 = other.centre.GetY();
  double a = 2 * (x2 - x1);
  double b = 2 * (y2 - y1);
  double c = radius1 * radius1 - other.radius1 * other.radius1 - x1 * x1 - y1 * y1 + x2 * x2 + y2 * y2;
  // Centres within pi/4 of the horizontal make a steep radical line: take its points at y = 0, 1.
  CVRX2DLine radical;
  if (std::fabs(a) >= std::fabs(b))
    radical = CVRX2DLine(0, CVRX2DPoint(c / a, 0.0), CVRX2DPoint((c - b) / a, 1.0));
  else
    radical = CVRX2DLine(0, CVRX2DPoint(0.0, c / b), CVRX2DPoint(1.0, (c - a) / b));
  IntersectLine(radical, points);
}

// The end points of the common part, each once: the first one found and then the other end of
// its stretch; a closed arc has no ends of its own.
void CVRX2DArc::IntersectSameEllipse(const CVRX2DArc& other, CVRX2DPointArray& points) const
{
  points.RemoveAll();
  CVRX2DPoint s1, e1, s2, e2;
  GetEndPoints(s1, e1);
  other.GetEndPoints(s2, e2);
  if (IsClosed() && other.IsClosed())
    return;
  if (IsEqual(other) || other.IsClosed()) {
    points.AddCopy(s1);
    points.AddUnique(e1);
    return;
  }
  if (IsClosed()) {
    points.AddCopy(s2);
    points.AddUnique(e2);
    return;
  }
  std::vector<CommonEnd> ends;
  if (other.Contains(s1))
    AddEnd(ends, s1, startAngle, true);
  if (other.Contains(e1))
    AddEnd(ends, e1, endAngle, false);
  if (Contains(s2))
    AddEnd(ends, s2, other.startAngle, true);
  if (Contains(e2))
    AddEnd(ends, e2, other.endAngle, false);
  for (CommonEnd& e : ends) {
    if (e.used)
      continue;
    e.used = true;
    points.AddCopy(e.point);
    if (CommonEnd* partner = Partner(ends, e)) {
      partner->used = true;
      points.AddCopy(partner->point);
    }
  }
}

void CVRX2DArc::IntersectPointEntity(const CVRX2DPointEntity& point, CVRX2DPointArray& points) const
{
  point.IntersectArc(*this, points);
}

void CVRX2DArc::IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const
{
  rect.IntersectArc(*this, points);
}
