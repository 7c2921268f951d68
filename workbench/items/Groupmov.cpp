// Moving a group item: its drag, with the members' boxes and images kept for the drag's steps,
// and the offset that moves every member with it.
#include <algorithm>

#include "geometry/2dmatrix.h"
#include "support/Trace.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Tracker.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/view/Wbview.h"

// The joins that cross the group's border stay until the move ends, where those that no longer
// stand go (CWorkbenchView::AddJoin).
void CGroupItem::StartMove(CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Starting move operation on a group. \n");
}

BOOL CGroupItem::Move(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Move() on a group. \n");
  m_vTrack = CVRX2DVector();
  GenerateMoveTrackEntities(m_vTrack);
  CVRX2DVector offset;
  int result = trkNotMoved;
  if (m_pTracker) {
    KeepForDrag();
    try {
      result = m_pTracker->Track(point, &offset);
    } catch (...) {
      ForgetDrag();
      throw;
    }
    ForgetDrag();
  }
  BOOL answer = FALSE;
  if (result == trkMoved) {
    Invalidate(pView);
    Offset(offset);
    answer = TRUE;
  } else if (result == trkCancelled) {
    answer = TRUE;
  }
  Invalidate(pView);
  if (m_pTracker)
    m_pTracker->Invalidate();
  pView->AddJoin();
  return answer;
}

BOOL CGroupItem::CanMoveTo(const CVRX2DVector& v) const
{
  if (m_bMoveBoxKept) {
    // Adding v keeps the order of the coordinates, so the box of all those members stays inside
    // the world exactly when each member's box does.
    if (m_bMoveBoxHasMembers && !CanMoveBoxBy(m_moveLow, m_moveHigh, v))
      return FALSE;
    for (const CDesignItem* pMember : m_ownRuleMovers)
      if (!pMember->CanMoveTo(v))
        return FALSE;
    return TRUE;
  }
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (!ItemAt(m_Members, pos)->CanMoveTo(v))
      return FALSE;
  return TRUE;
}

void CGroupItem::KeepForDrag()
{
  m_ownRuleMovers.clear();
  m_bMoveBoxHasMembers = FALSE;
  m_movedDrawing.Clear();
  m_ownImageMembers.clear();
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember->IsMoveImageItsOutline())
      m_movedDrawing.Append(OutlineOf(*pMember));
    else
      m_ownImageMembers.push_back(pMember);
    CVRX2DPoint low;
    CVRX2DPoint high;
    if (!pMember->GetMoveBox(low, high)) {
      m_ownRuleMovers.push_back(pMember);
      continue;
    }
    if (!m_bMoveBoxHasMembers) {
      m_moveLow = low;
      m_moveHigh = high;
      m_bMoveBoxHasMembers = TRUE;
      continue;
    }
    m_moveLow = CVRX2DPoint(std::min(m_moveLow.GetX(), low.GetX()), std::min(m_moveLow.GetY(), low.GetY()));
    m_moveHigh = CVRX2DPoint(std::max(m_moveHigh.GetX(), high.GetX()), std::max(m_moveHigh.GetY(), high.GetY()));
  }
  m_bMoveBoxKept = TRUE;
  m_bDrawingKept = TRUE;
}

void CGroupItem::ForgetDrag()
{
  m_bMoveBoxKept = FALSE;
  m_bDrawingKept = FALSE;
  m_ownRuleMovers.clear();
  m_ownImageMembers.clear();
  m_movedDrawing.Clear();
}

// The images are inverted: in what order the members draw them, and on how many DCs, leaves the
// same pixels, so the members of a large selection share one DC and translator.
void CGroupItem::DrawTrackEntities(CWorkbenchView* pView) { CDesignItem::DrawTrackEntities(pView); }

void CGroupItem::DrawTrackEntities(CWorkbenchView* pView, CTrackerTranslator& translator)
{
  const CVRX2DTransformationMatrix move(m_vMembersTrack);
  if (m_bDrawingKept && m_bMembersTrackMade) {
    translator.TranslateMovedDrawList(m_movedDrawing, move);
    for (CDesignItem* pMember : m_ownImageMembers)
      pMember->DrawTrackEntities(pView, translator);
    return;
  }
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (!m_bMembersTrackMade || !pMember->IsMoveImageItsOutline())
      pMember->DrawTrackEntities(pView, translator);
    else
      translator.TranslateMoved(OutlineOf(*pMember), move);
  }
}

void CGroupItem::GenerateMoveTrackEntities(const CVRX2DVector& v)
{
  if (m_bDrawingKept) {
    for (CDesignItem* pMember : m_ownImageMembers)
      pMember->GenerateMoveTrackEntities(v);
  } else {
    for (POSITION pos = m_Members.GetHeadPosition(); pos;)
      if (CDesignItem* pMember = ItemAt(m_Members, pos); !pMember->IsMoveImageItsOutline())
        pMember->GenerateMoveTrackEntities(v);
  }
  m_vMembersTrack = v;
  m_bMembersTrackMade = TRUE;
}

void CGroupItem::Offset(const CVRX2DVector& v)
{
  if (v.GetLength() == 0.0)
    return;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    ItemAt(m_Members, pos)->Offset(v);
  CDesignItem::Offset(v);
  // The box's centre stays unset: a group is placed by its corner.
  m_ptCenter = CVRX2DPoint(-1.0, -1.0);
  const CVRX2DTransformationMatrix move(v);
  m_ExtentEnts.Transform(move);
  for (int i = 0; i < m_ComponentEnts.GetSize(); ++i)
    m_ComponentEnts[i]->Transform(move);
}
