// The tools of the read-only Workbench: the plan selector tool drags the plan selector, the
// detail selector tool picks detail selectors or draws the select line that makes a new one, and
// the view tool lets clicks change nothing.
#include "document/Doc.h"
#include "document/Dochints.h"
#include "ui/frame/Frame.h"
#include "ui/wnd/CmdTarget.h"
#include "ui/wnd/Cursor.h"
#include "ui/wnd/Wnd.h"
#include "support/Trace.h"
#include "workbench/items/Selector.h"
#include "workbench/items/Tracker.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/view/Wbview.h"

namespace {

void ActivateViewFrame(CView* pView)
{
  if (!pView)
    return;
  if (CFrameWnd* pFrame = pView->GetParentFrame())
    pFrame->ActivateFrame(-1);
}

CDoc* DocOf(CWorkbenchView* pView) { return pView->GetDoc(); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// CPlanSelectorTool

CPlanSelectorTool::CPlanSelectorTool(CWorkbenchView* pView)
  : CWorkbenchTool(pView), m_hCursor(AfxResourceCursor(kCursorPlanSelector))
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CPlanSelectorTool construction. \n");
}

CPlanSelectorTool::~CPlanSelectorTool()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CPlanSelectorTool destruction. \n");
}

HCURSOR CPlanSelectorTool::GetCursor() { return m_hCursor; }

void CPlanSelectorTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  CDesignItem* pSelector = nullptr;
  if (!m_pView->HitTestSelectors(*pPoint, pSelector))
    return;
  pSelector->Select(m_pView);
  pSelector->Move(m_pView->ClientToWorld(*pPoint), m_pView);
  pSelector->Deselect(m_pView);
}

void CPlanSelectorTool::OnLButtonUp(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonUp(nFlags, pPoint);
  // The selector's move has updated the plan view already.
  if (CDoc* pDoc = DocOf(m_pView))
    ActivateViewFrame(pDoc->GetPlanView());
}

// ---------------------------------------------------------------------------------------------
// CDetailSelectorTool

CDetailSelectorTool::CDetailSelectorTool(CWorkbenchView* pView)
  : CWorkbenchTool(pView),
    m_hOverSelectorCursor(AfxResourceCursor(kCursorOverDetailSelector)),
    m_hCursor(AfxResourceCursor(kCursorDetailSelector))
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CDetailSelectorTool construction. \n");
}

CDetailSelectorTool::~CDetailSelectorTool()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CDetailSelectorTool destruction. \n");
}

HCURSOR CDetailSelectorTool::GetCursor()
{
  CPoint point;
  GetCursorPos(&point);
  m_pView->ScreenToClient(&point);
  CDesignItem* pSelector = nullptr;
  return m_pView->HitTestSelectors(point, pSelector) ? m_hOverSelectorCursor : m_hCursor;
}

void CDetailSelectorTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  CDesignItem* pSelector = nullptr;
  if (m_pView->HitTestSelectors(*pPoint, pSelector)) {
    m_pView->DeselectAll();
    m_pView->Select(pSelector);
    return;
  }
  const CVRX2DPoint press = m_pView->ClientToWorld(*pPoint);
  m_pSelectLine = std::make_unique<CSelectLineItem>(press.AsVector());
  m_pSelectLine->Select(m_pView);
  m_pSelectLine->Resize(1, press, m_pView);
  // The drag loop took the release; hand it to the view now so that the line is used at once.
  WPARAM keys = 0;
  if (CWorkbenchView::IsShiftDown())
    keys |= MK_SHIFT;
  if (CWorkbenchView::IsCtrlDown())
    keys |= MK_CONTROL;
  m_pView->SendMessage(WM_LBUTTONUP, keys, MAKELPARAM(pPoint->x, pPoint->y));
}

void CDetailSelectorTool::OnLButtonUp(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonUp(nFlags, pPoint);
  CDoc* pDoc = DocOf(m_pView);
  CDesignItem* pSelector = nullptr;
  if (m_pView->HitTestSelectors(*pPoint, pSelector) && m_pView->IsSelected(pSelector)) {
    if (pDoc) {
      pDoc->UpdateAllViews(nullptr, kHintDetailSelector, pSelector);
      ActivateViewFrame(pDoc->GetDetailView());
    }
    return;
  }
  if (!m_pSelectLine)
    return;
  CWaitCursor wait;
  const BOOL made = m_pView->CreateDetailSelector(m_pSelectLine->GetLine());
  if (!made)
    MessageBeep(MB_ICONASTERISK);
  else if (pDoc)
    ActivateViewFrame(pDoc->GetDetailView());
  // Nothing of the line may stay on the screen, nor its size in the status bar.
  m_pSelectLine->Invalidate(m_pView);
  m_pSelectLine->Deselect(m_pView);
  m_pSelectLine.reset();
}

void CDetailSelectorTool::OnRButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnRButtonDown(nFlags, pPoint);
  CDesignItem* pSelector = nullptr;
  if (m_pView->HitTestSelectors(*pPoint, pSelector) && pSelector->GetItemType() == ditDetailSelector) {
    m_pView->DeselectAll();
    m_pView->Select(pSelector);
  }
}

// ---------------------------------------------------------------------------------------------
// CViewTool

CViewTool::CViewTool(CWorkbenchView* pView) : CWorkbenchTool(pView), m_hCursor(AfxResourceCursor(kCursorArrow))
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CViewTool construction. \n");
}

CViewTool::~CViewTool() { PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CViewTool destruction. \n"); }

HCURSOR CViewTool::GetCursor() { return m_hCursor; }

void CPlanSelectorTool::OnRButtonUp(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnRButtonUp(nFlags, pPoint);
  TrackContextMenu(ctxPlanItem, *pPoint);
}

void CDetailSelectorTool::OnRButtonUp(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnRButtonUp(nFlags, pPoint);
  CDesignItem* pSelector = nullptr;
  const BOOL overDetail =
      m_pView->HitTestSelectors(*pPoint, pSelector) && pSelector && pSelector->GetItemType() == ditDetailSelector;
  TrackContextMenu(overDetail ? ctxDetailItem : ctxReadOnly, *pPoint);
}

void CViewTool::OnRButtonUp(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnRButtonUp(nFlags, pPoint);
  TrackContextMenu(ctxReadOnly, *pPoint);
}
