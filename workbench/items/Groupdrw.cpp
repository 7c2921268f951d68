// Drawing a group item and its selection: the members in the view's drawing passes, and the
// handles of the group and of its guidelines.
#include "ui/draw/Dc.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Tracker.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr const char* kModule = "Groupitm";
constexpr int kHandleCountLine = 301;
constexpr int kGroupRectMargin = 5;
}  // namespace

BOOL CGroupItem::GetClientRect(CRect& rect, CWorkbenchView* pView)
{
  if (m_SizingHandles.GetSize() != 4)
    throw CAppFatalException(kModule, kHandleCountLine);
  const CPoint topLeft = pView->WorldToClient(m_SizingHandles[3]->GetPoint());
  const CSize size = pView->WorldToDevice(CVRX2DVector(m_dWidth, m_dHeight));
  rect.SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy);
  rect.InflateRect(kGroupRectMargin, kGroupRectMargin);
  return !rect.IsRectEmpty();
}

void CGroupItem::Select(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Selecting a group. \n");
  SetTracker(std::make_unique<CItemTracker>(pView, this));
  CDesignItem::Select(pView);
}

void CGroupItem::InvalidateOwnRect(CWorkbenchView* pView)
{
  CRect rect;
  if (GetClientRect(rect, pView))
    pView->InvalidateRect(&rect, TRUE);
}

void CGroupItem::Invalidate(CWorkbenchView* pView)
{
  InvalidateOwnRect(pView);
  if (m_bShowAlignmentLines)
    pView->Invalidate(TRUE);
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    ItemAt(m_Members, pos)->Invalidate(pView);
  if (m_pTracker)
    m_pTracker->Invalidate();
}

void CGroupItem::Draw(CDC* pDC, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Drawing a group of %d items. \n", m_Members.GetCount());
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    ItemAt(m_Members, pos)->Draw(pDC, pView);
}

void CGroupItem::DrawPass(int pass, CDC* pDC, CWorkbenchView* pView)
{
  CRect clip;
  pDC->GetClipBox(&clip);
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    const int type = pMember->GetItemType();
    if (IsGroup(pMember))
      static_cast<CGroupItem*>(pMember)->DrawPass(pass, pDC, pView);
    DrawItemInPass(pMember, type, pass, pDC, pView, clip);
  }
}

void CGroupItem::DrawItemInPass(CDesignItem* pItem, int type, int pass, CDC* pDC, CWorkbenchView* pView,
                                const CRect& clip)
{
  if (pass == 1 && type == ditGuideline) {
    pItem->Draw(pDC, pView);
  } else if ((pass == 2 && type == ditUnit) || (pass == 3 && type == ditJoin && pView->GetShowJoins())) {
    // An item drawn wholly outside the part of the window being drawn is left out.
    CRect rect;
    if (pItem->GetClientRect(rect, pView) && rect.left < clip.right && clip.left < rect.right &&
        rect.top < clip.bottom && clip.top < rect.bottom)
      pItem->Draw(pDC, pView);
  }
}

void CGroupItem::DrawHandles(CDC* pDC, CWorkbenchView* pView)
{
  if (m_pTracker)
    m_pTracker->Draw(pDC);
  DrawMemberHandles(pDC, pView);
}

void CGroupItem::DrawMemberHandles(CDC* pDC, CWorkbenchView* pView)
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember->GetItemType() == ditGuideline)
      pMember->DrawHandles(pDC, pView);
    else if (IsGroup(pMember))
      static_cast<CGroupItem*>(pMember)->DrawMemberHandles(pDC, pView);
  }
}
