// The correction of a move, decided by where it ends. The candidate ends are taken in order:
// every snap and join correction together; each join with the snaps that stay clear of it, the
// shorter first; the snaps the move would have with joining off; where the move alone put the
// units. The first whose final places leave every moved unit clear of every unit standing still
// is taken, so a move with joining on never ends worse than with joining off; only where the
// move alone put them may units stand inside one another. A moved selection moves as one: a
// correction found for one of its units is taken only where it keeps every one of them clear.
// The joins are made afterwards, from where the units end (Snapend.cpp).
#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "workbench/snap/Snapeng.h"

namespace {
// Directions closer than this count as parallel.
constexpr double kParallelSlack = 1e-6;

BOOL Parallel(double a, double b)
{
  const double d = std::fmod(std::abs(a - b), VRX_PI);
  return d <= kParallelSlack || VRX_PI - d <= kParallelSlack;
}

void CopyInto(CSnapVectorArray& to, const CSnapVector& s) { to.Add(new CSnapVector(s)); }
}  // namespace

void CSnapEngine::NoteJoinFace(const CVRX2DLine& line, const CSnapVector& snap, const CVRX2DEntityArray& lines,
                               const CDWordArray& indices, int stationaryIndex)
{
  const int count = std::min(lines.GetSize(), indices.GetSize());
  for (int i = 0; i < count; ++i) {
    if (static_cast<int>(indices[i]) != stationaryIndex || lines[i]->GetType() != VRX_LINE)
      continue;
    // A unit's sides run with the unit on their left: the outside is a quarter turn clockwise.
    const auto& side = static_cast<const CVRX2DLine&>(*lines[i]);
    const double outward = (side.GetAngle() - VRX_HALF_PI).GetRadians();
    const CVRX2DVector from(side.GetStartPoint(), line.GetStartPoint());
    const double gap = from.GetX() * std::cos(outward) + from.GetY() * std::sin(outward);
    m_Faces.push_back(CJoinFace{snap, outward, gap});
    return;
  }
}

void CSnapEngine::SettleFaces()
{
  m_FaceBounds.clear();
  for (const CJoinFace& face : m_Faces) {
    const double x = std::cos(face.outward);
    const double y = std::sin(face.outward);
    auto same = std::find_if(m_FaceBounds.begin(), m_FaceBounds.end(), [&](const CFaceBound& bound) {
      return std::abs(bound.x - x) <= kParallelSlack && std::abs(bound.y - y) <= kParallelSlack;
    });
    if (same == m_FaceBounds.end())
      m_FaceBounds.push_back(CFaceBound{x, y, face.gap});
    else
      same->gap = std::min(same->gap, face.gap);
  }
}

BOOL CSnapEngine::LeavesFacesClear(const CVRX2DVector& correction) const
{
  for (const CFaceBound& bound : m_FaceBounds)
    if (bound.gap + correction.GetX() * bound.x + correction.GetY() * bound.y < -kClearSlack)
      return FALSE;
  return TRUE;
}

CVRX2DVector CSnapEngine::CombinedWithEnds(const CVRX2DVector& v, CSnapVectorArray& vectors)
{
  if (vectors.GetSize() == 1 && vectors[0]->m_nCategory == ecatJoinSnap)
    AlignJoinEnds(v, vectors);
  return CombineSnapVectors(vectors);
}

CVRX2DVector CSnapEngine::CorrectionFor(const CVRX2DVector& v, const std::vector<CSnapOutline>& outlines,
                                        const CSnapQuery& query, CSnapVectorArray& vectors)
{
  m_pMovingOutlines = &outlines;
  m_vMove = v;
  m_FacedSides.clear();
  m_dFacedReach = -1.0;
  // A moved selection meets thousands of sides: the faces of one outward direction are bound by
  // the one standing least outside, and of the join snaps of one direction combining keeps only
  // the shortest, so each trial costs the directions, not the sides.
  SettleFaces();
  // Combining thins the snaps out: the others are taken first.
  CSnapVectorArray others;
  for (int i = 0; i < vectors.GetSize(); ++i)
    if (vectors[i]->m_nCategory != ecatJoinSnap)
      CopyInto(others, *vectors[i]);
  CVRX2DVector correction = CombinedWithEnds(v, vectors);
  if (Keeps(correction))
    return correction;
  if (m_Faces.empty())
    return CVRX2DVector();
  if (OneJoinKept(v, others, correction))
    return correction;
  CSnapVectorArray unjoined;
  CollectSnaps(v, outlines, query, FALSE, unjoined);
  correction = CombineSnapVectors(unjoined);
  return KeepsUnitsClear(correction) ? correction : CVRX2DVector();
}

BOOL CSnapEngine::OneJoinKept(const CVRX2DVector& v, const CSnapVectorArray& others, CVRX2DVector& correction)
{
  std::vector<const CSnapVector*> shortest;
  for (const CJoinFace& face : m_Faces) {
    const CSnapVector& snap = face.snap;
    auto same = std::find_if(shortest.begin(), shortest.end(),
                             [&](const CSnapVector* s) { return Parallel(s->m_dDirection, snap.m_dDirection); });
    if (same == shortest.end())
      shortest.push_back(&snap);
    else if (std::abs(snap.m_dLength) < std::abs((*same)->m_dLength))
      *same = &snap;
  }
  std::vector<const CSnapVector*> order;
  for (const CJoinFace& face : m_Faces)
    order.push_back(&face.snap);
  std::stable_sort(order.begin(), order.end(), [](const CSnapVector* a, const CSnapVector* b) {
    return std::abs(a->m_dLength) < std::abs(b->m_dLength);
  });
  // One join snap in turn, the shorter first, with the shortest across it and the other snaps.
  const CSnapVector* pTried = nullptr;
  for (const CSnapVector* pSnap : order) {
    if (pTried && pTried->AsVector() == pSnap->AsVector())
      continue;
    pTried = pSnap;
    CSnapVectorArray tried;
    for (int i = 0; i < others.GetSize(); ++i)
      CopyInto(tried, *others[i]);
    CopyInto(tried, *pSnap);
    for (const CSnapVector* pAcross : shortest)
      if (!Parallel(pAcross->m_dDirection, pSnap->m_dDirection))
        CopyInto(tried, *pAcross);
    correction = CombinedWithEnds(v, tried);
    if (Keeps(correction))
      return TRUE;
  }
  return FALSE;
}
