#include "views/Xltent.h"

#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/Angle.h"
#include "support/ComExcpt.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CEntityTranslator, CObject)

namespace {
constexpr const char* kModule = "Xltent";
constexpr int kUnknownEntityLine = 88;
constexpr int kBadRadiusLine = 143;
constexpr int kCrossingLine = 171;
constexpr int kCentreLine = 188;
constexpr int kStartLine = 231;
constexpr double kQuarter = VRX_HALF_PI;
// The walk ends at the latest after two full turns of four quadrants each.
constexpr int kMaxQuadrantSteps = 8;

[[noreturn]] void Fail(int line) { throw CCommonException(kModule, line); }

// The crossing of the infinite line through p along d with the axis line x = 0 (axis 1) or y = 0
// (axis 0).
CVRX2DPoint CrossAxis(const CVRX2DPoint& p, const CVRX2DVector& d, int axis)
{
  double along = axis == 0 ? d.GetY() : d.GetX();
  if (along == 0.0)
    Fail(kCentreLine);
  double t = -(axis == 0 ? p.GetY() : p.GetX()) / along;
  return CVRX2DPoint(p.GetX() + t * d.GetX(), p.GetY() + t * d.GetY());
}

// The point of the quarter ellipse x²/a² + y²/b² = 1 at height y, on the positive side.
CVRX2DPoint QuarterPointAt(double a, double b, double y)
{
  double ratio = 1.0 - (y / b) * (y / b);
  if (!(ratio >= 0.0))
    Fail(kCrossingLine);
  return CVRX2DPoint(a * std::sqrt(ratio), y);
}

// The n circular pieces of the first quadrant, from (a, 0) to (0, b).
void BuildQuarter(CVRX2DEntityArray& pieces, double a, double b, int n, int category)
{
  const double h = b / n;
  CVRX2DPoint p(a, 0.0);
  for (int k = 0; k < n; ++k) {
    CVRX2DPoint q = k == n - 1 ? CVRX2DPoint(0.0, b) : QuarterPointAt(a, b, (k + 1) * h);
    CVRX2DPoint m((p.GetX() + q.GetX()) / 2.0, (p.GetY() + q.GetY()) / 2.0);
    CVRX2DVector chord(p, q);
    CVRX2DPoint z = CrossAxis(m, CVRX2DVector(-chord.GetY(), chord.GetX()), k == 0 ? 0 : 1);
    pieces.Add(
        new CVRX2DArc(category, z, z.DistanceTo(q), z.DistanceTo(q), CVRXAngle(0.0), z.AngleTo(p), z.AngleTo(q)));
    p = q;
  }
}

// Mirrors every piece about the minor axis (x = 0) or the major axis (y = 0).
void Mirror(CVRX2DEntityArray& pieces, bool aboutMinorAxis)
{
  CVRX2DTransformationMatrix mirror(aboutMinorAxis ? -1.0 : 1.0, aboutMinorAxis ? 1.0 : -1.0);
  pieces.Transform(mirror);
}

// The first crossing of the piece's circle with the ray line along direction that lies on the
// piece (and, with ray set, on the segment of length a from the origin).
BOOL FirstCrossingOn(const CVRX2DArc& piece, double a, const CVRXAngle& direction, BOOL onRay, CVRX2DPoint& found)
{
  CVRX2DLine line(0, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(0.0, 0.0) + CVRX2DVector(a, direction));
  CVRX2DPointArray points;
  piece.IntersectLine(line, points);
  for (int i = 0; i < points.GetSize(); ++i) {
    const CVRX2DPoint& p = *points[i];
    if (!piece.Contains(p))
      continue;
    if (onRay && !line.Contains(p))
      continue;
    found = p;
    return TRUE;
  }
  return FALSE;
}
}  // namespace

void CEntityTranslator::Translate(const CVRX2DEntityArray& entities)
{
  for (int i = 0; i < entities.GetSize(); ++i)
    TranslateEntity(*entities[i]);
}

void CEntityTranslator::TranslateEntity(const CVRX2DEntity& entity)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("Translating a %s.", entity.GetRuntimeClass()->m_lpszClassName);
  switch (entity.GetType()) {
  case VRX_LINE:
    TranslateLine(static_cast<const CVRX2DLine&>(entity));
    break;
  case VRX_ARC:
    TranslateArc(static_cast<const CVRX2DArc&>(entity));
    break;
  default:
    Fail(kUnknownEntityLine);
  }
}

void CEntityTranslator::SplitArc(CVRX2DEntityArray& pieces, CVRX2DArc arc)
{
  pieces.RemoveAll();
  const double a = arc.GetMajorRadius();
  const double b = arc.GetMinorRadius();
  const double quotient = std::floor(a / b - 0.001) + 1.0;
  if (!(quotient >= 1.0) || !std::isfinite(quotient))
    Fail(kBadRadiusLine);
  const int n = static_cast<int>(quotient);
  const int category = arc.GetCategory();
  if (n == 1) {
    pieces.Add(
        new CVRX2DArc(category, arc.GetCentre(), a, a, arc.GetAxisAngle(), arc.GetStartAngle(), arc.GetEndAngle()));
    return;
  }
  CVRX2DEntityArray work;
  BuildQuarter(work, a, b, n, category);

  const CVRXAngle s = arc.GetStartAngle() - arc.GetAxisAngle();
  const CVRXAngle e = arc.GetEndAngle() - arc.GetAxisAngle();
  const double endLimit = e.GetRadians() == 0.0 ? 2.0 * VRX_PI : e.GetRadians();
  int q = 1;
  int k = 0;
  int d = 1;
  int quadrantSteps = 0;
  bool started = false;
  bool finished = false;
  bool skipEnd = false;
  while (!finished) {
    CVRX2DArc piece(*static_cast<CVRX2DArc*>(work[k]));
    if (!started) {
      if (s.GetRadians() <= q * kQuarter) {
        CVRX2DPoint p;
        if (FirstCrossingOn(piece, a, s, FALSE, p)) {
          CVRXAngle t = piece.GetCentre().AngleTo(p);
          if (t != piece.GetEndAngle()) {
            piece.SetStartAngle(t);
            started = true;
            skipEnd = s == e;
          }
        }
      } else if (q == 4) {
        Fail(kStartLine);
      }
    }
    if (started) {
      CVRX2DPoint p;
      if (skipEnd)
        skipEnd = false;
      else if (q * kQuarter >= endLimit && FirstCrossingOn(piece, a, e, TRUE, p)) {
        piece.SetEndAngle(piece.GetCentre().AngleTo(p));
        finished = true;
      }
      pieces.Add(piece.Clone());
    }
    k += d;
    if (k == n || k == -1) {
      if (++quadrantSteps > kMaxQuadrantSteps)
        Fail(kStartLine);
      ++q;
      d = -d;
      k += d;
      if (q > 4)
        q = 1;
      Mirror(work, q % 2 == 0);
    }
  }
  CVRX2DTransformationMatrix place{CVRXAngle(arc.GetAxisAngle())};
  place.Translate(arc.GetCentre().AsVector());
  pieces.Transform(place);
}
