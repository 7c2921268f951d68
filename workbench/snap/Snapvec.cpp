#include "model/Entcat.h"
#include "workbench/snap/Snapvec.h"

#include <algorithm>
#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {
constexpr const char* kModule = "Snapvec";
constexpr int kNotLineOrArcLine = 2871;
// Directions closer than this count as the same, the opposite or a right angle.
constexpr double kDirectionSlack = 1e-6;
// How far beyond the snap range the crossing of two oblique snaps may lie, as a factor.
constexpr double kCrossingReach = 1.5;

BOOL Near(double value, double target) { return std::abs(value - target) <= kDirectionSlack; }

BOOL AreParallel(double a, double b)
{
  const double d = std::abs(a - b);
  return Near(d, 0.0) || Near(d, VRX_PI) || Near(d, VRX_TWO_PI);
}

BOOL AreAtRightAngles(double a, double b)
{
  const double d = std::abs(a - b);
  return Near(d, VRX_HALF_PI) || Near(d, 3.0 * VRX_HALF_PI);
}

double Normalized(double radians) { return CVRXAngle(radians).GetRadians(); }

// Of two snaps of the same or opposite direction, the one that stays: a join snap over any
// other, else the shorter, the first on equal length.
BOOL SecondWins(const CSnapVector& first, const CSnapVector& second)
{
  const BOOL firstJoins = first.m_nCategory == ecatJoinSnap;
  const BOOL secondJoins = second.m_nCategory == ecatJoinSnap;
  if (firstJoins != secondJoins)
    return secondJoins;
  return std::abs(second.m_dLength) < std::abs(first.m_dLength);
}

void ThinParallel(CSnapVectorArray& vectors)
{
  for (int i = 0; i < vectors.GetSize(); ++i) {
    // Later comparisons keep the direction of the vector that first stood here.
    const double direction = vectors[i]->m_dDirection;
    for (int j = i + 1; j < vectors.GetSize();) {
      if (!AreParallel(direction, vectors[j]->m_dDirection)) {
        ++j;
        continue;
      }
      if (SecondWins(*vectors[i], *vectors[j])) {
        delete vectors[i];
        vectors.SetAt(i, vectors[j]);
        vectors.RemoveAtNoDelete(j);
      } else {
        vectors.RemoveAt(j);
      }
    }
  }
}

void DropLongest(CSnapVectorArray& vectors)
{
  while (vectors.GetSize() > 2) {
    int longest = 0;
    for (int i = 1; i < vectors.GetSize(); ++i)
      if (std::abs(vectors[i]->m_dLength) > std::abs(vectors[longest]->m_dLength))
        longest = i;
    vectors.RemoveAt(longest);
  }
}

// Two snaps of different directions: the point that satisfies both, if it is near enough.
CVRX2DVector CombineTwo(const CSnapVector& a, const CSnapVector& b, double range)
{
  const CVRX2DVector va = a.AsVector();
  const CVRX2DVector vb = b.AsVector();
  const CSnapVector& shorter = std::abs(a.m_dLength) < std::abs(b.m_dLength) ? a : b;
  if (a.m_dLength == 0.0 || b.m_dLength == 0.0)
    return va + vb;
  if (AreParallel(a.m_dDirection, b.m_dDirection))
    return shorter.AsVector();
  if (AreAtRightAngles(a.m_dDirection, b.m_dDirection))
    return va + vb;
  // X . ua = length a and X . ub = length b: the perpendiculars through both tips.
  const double ax = std::cos(a.m_dDirection);
  const double ay = std::sin(a.m_dDirection);
  const double bx = std::cos(b.m_dDirection);
  const double by = std::sin(b.m_dDirection);
  const double det = ax * by - ay * bx;
  if (std::abs(det) < kDirectionSlack)
    return shorter.AsVector();
  const CVRX2DVector x((a.m_dLength * by - b.m_dLength * ay) / det, (ax * b.m_dLength - bx * a.m_dLength) / det);
  if (x.GetLength() <= kCrossingReach * range)
    return x;
  return shorter.AsVector();
}

// The first crossing of the measuring line with the entity; for an arc the nearer of the first two.
BOOL FirstCrossing(const CVRX2DPoint& p, const CVRX2DLine& measure, const CVRX2DEntity& entity, CVRX2DPoint& foot)
{
  CVRX2DPointArray points;
  if (entity.GetType() == VRX_LINE) {
    const auto& line = static_cast<const CVRX2DLine&>(entity);
    // A point already on a line parallel to the measure: the shared stretch says nothing.
    if (line.IsColinear(measure)) {
      foot = p;
      return TRUE;
    }
    line.IntersectLine(measure, points);
  } else {
    entity.IntersectLine(measure, points);
  }
  if (points.GetSize() == 0)
    return FALSE;
  foot = *points[0];
  if (entity.GetType() == VRX_ARC && points.GetSize() > 1 && p.DistanceTo(*points[1]) < p.DistanceTo(foot))
    foot = *points[1];
  return TRUE;
}

void RequireLineOrArc(const CVRX2DEntity& entity)
{
  if (entity.GetType() != VRX_LINE && entity.GetType() != VRX_ARC)
    throw CAppFatalException(kModule, kNotLineOrArcLine);
}

double OffSegment(const CVRX2DEntity& entity, const CVRX2DPoint& foot, double d, BOOL onSegment)
{
  return onSegment && !entity.Contains(foot) ? kNoCrossingDistance : d;
}
}  // namespace

CVRX2DVector CSnapVector::AsVector() const
{
  return CVRX2DVector(m_dLength * std::cos(m_dDirection), m_dLength * std::sin(m_dDirection));
}

BOOL IsWithinSnapRange(double distance, double range)
{
  return distance <= range || std::abs(distance - range) <= kSnapRangeSlack;
}

namespace {
// Weaker: a larger priority number, or the same priority and longer.
BOOL Weaker(const CSnapVector& s, double length, int priority)
{
  return s.m_nPriority > priority || (s.m_nPriority == priority && std::abs(s.m_dLength) > std::abs(length));
}
}  // namespace

void CSnapVectorArray::Reindex()
{
  m_kinds.clear();
  for (int i = 0; i < GetSize(); ++i) {
    CSnapVector* s = GetAt(i);
    CKind& kind = m_kinds[CKey{s->m_dDirection, s->m_nCategory}];
    if (!kind.vectors.empty() && Weaker(*kind.vectors.back(), s->m_dLength, s->m_nPriority))
      kind.ordered = false;
    kind.vectors.push_back(s);
  }
  m_nIndexed = GetSize();
}

// The vectors of one kind stand from the strongest to the weakest: a new one is appended only
// when none of them is weaker, and overwrites only the first that is, so the first weaker one
// is found by halving.
CSnapVector* AddSnapVector(CSnapVectorArray& vectors, double length, double direction, int category, int priority,
                           BOOL& added, CSnapVector& saved)
{
  if (vectors.m_nIndexed != vectors.GetSize())
    vectors.Reindex();
  CSnapVectorArray::CKind& kind = vectors.m_kinds[CSnapVectorArray::CKey{direction, category}];
  const auto weaker = [&](const CSnapVector* s) { return Weaker(*s, length, priority); };
  auto first = kind.ordered ? std::partition_point(kind.vectors.begin(), kind.vectors.end(),
                                                   [&](const CSnapVector* s) { return !weaker(s); })
                            : std::find_if(kind.vectors.begin(), kind.vectors.end(), weaker);
  if (first != kind.vectors.end()) {
    CSnapVector* s = *first;
    saved = *s;
    s->m_dLength = length;
    s->m_dDirection = direction;
    s->m_nCategory = category;
    s->m_nPriority = priority;
    added = FALSE;
    return s;
  }
  // The same line snap again, from every line on the same line as the first: combining keeps
  // only one of them, so one is recorded. A join snap is filled in by its caller after this.
  if (category != ecatJoinSnap) {
    CSnapVector* pSame = nullptr;
    for (auto it = first; it != kind.vectors.begin();) {
      CSnapVector* s = *--it;
      if (kind.ordered && (s->m_nPriority != priority || std::abs(s->m_dLength) != std::abs(length)))
        break;
      if (s->m_nPriority == priority && s->m_dLength == length)
        pSame = s;
    }
    if (pSame) {
      added = FALSE;
      saved = *pSame;
      return pSame;
    }
  }
  auto* s = new CSnapVector(length, direction, category, priority);
  vectors.Add(s);
  kind.vectors.push_back(s);
  vectors.m_nIndexed = vectors.GetSize();
  added = TRUE;
  return s;
}

CVRX2DVector CombineSnapVectors(CSnapVectorArray& vectors, double range)
{
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_IMPORTANT)("CombineSnapVectors() with %d vectors.\n", vectors.GetSize());
  if (vectors.GetSize() == 0)
    return CVRX2DVector();
  if (vectors.GetSize() == 1)
    return vectors[0]->AsVector();
  ThinParallel(vectors);
  DropLongest(vectors);
  if (vectors.GetSize() == 1)
    return vectors[0]->AsVector();
  return CombineTwo(*vectors[0], *vectors[1], range);
}

double DistanceToEntity(const CVRX2DPoint& p, const CVRX2DEntity& entity, CVRX2DPoint& foot, double& direction,
                        BOOL onSegment)
{
  direction = -100.0;
  RequireLineOrArc(entity);
  if (entity.GetType() == VRX_LINE) {
    const auto& line = static_cast<const CVRX2DLine&>(entity);
    if (line.IsVertical()) {
      foot = CVRX2DPoint(line.GetStartPoint().GetX(), p.GetY());
      direction = p.GetX() <= foot.GetX() ? 0.0 : VRX_PI;
      return OffSegment(entity, foot, std::abs(p.GetX() - foot.GetX()), onSegment);
    }
    if (line.IsHorizontal()) {
      foot = CVRX2DPoint(p.GetX(), line.GetStartPoint().GetY());
      direction = p.GetY() <= foot.GetY() ? VRX_HALF_PI : 3.0 * VRX_HALF_PI;
      return OffSegment(entity, foot, std::abs(p.GetY() - foot.GetY()), onSegment);
    }
  }
  CVRX2DLine measure;
  if (entity.GetType() == VRX_LINE) {
    const CVRXAngle across = static_cast<const CVRX2DLine&>(entity).GetAngle() + VRX_HALF_PI;
    measure = CVRX2DLine(0, p, p + CVRX2DVector(1.0, across));
  } else {
    measure = CVRX2DLine(0, p, static_cast<const CVRX2DArc&>(entity).GetCentre());
  }
  if (!FirstCrossing(p, measure, entity, foot))
    return kNoCrossingDistance;
  direction = p.AngleTo(foot).GetRadians();
  return OffSegment(entity, foot, p.DistanceTo(foot), onSegment);
}

double DistanceAlongDirection(const CVRX2DPoint& p, double along, const CVRX2DEntity& entity, CVRX2DPoint& foot,
                              double& direction, BOOL onSegment)
{
  RequireLineOrArc(entity);
  const CVRX2DVector unit(1.0, CVRXAngle(along));
  const CVRX2DLine measure(0, p, p + unit);
  if (!FirstCrossing(p, measure, entity, foot))
    return kNoCrossingDistance;
  const CVRX2DVector towards = foot - p;
  direction = Normalized(towards.Dot(unit) < 0.0 ? along + VRX_PI : along);
  return OffSegment(entity, foot, p.DistanceTo(foot), onSegment);
}
