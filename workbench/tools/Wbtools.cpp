#include "workbench/tools/Wbtools.h"

#include <memory>

#include "document/Whids.h"
#include "model/Unit.h"
#include "model/Unitutil.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/Cursor.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/Wnd.h"
#include "project/DocServices.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Tracker.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbsvc.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CWorkbenchTool, CObject)
IMPLEMENT_DYNAMIC(CSelectTool, CWorkbenchTool)
IMPLEMENT_DYNAMIC(CUnitTool, CWorkbenchTool)
IMPLEMENT_DYNAMIC(CJoinTool, CWorkbenchTool)

namespace {
constexpr const char* kModule = "Wbtools";
constexpr int kBadHitLine = 412;
constexpr int kNoContextMenuLine = 530;

void TraceLife(const CObject* pTool, const char* what)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("%s %s. \n", pTool->GetRuntimeClass()->m_lpszClassName, what);
}
}  // namespace

CWorkbenchTool::CWorkbenchTool(CWorkbenchView* pView) : m_pView(pView)
{
  m_hDefaultCursor = AfxResourceCursor(kCursorToolDefault);
}

CWorkbenchTool::~CWorkbenchTool() = default;

HCURSOR CWorkbenchTool::GetCursor() { return m_hDefaultCursor; }

void CWorkbenchTool::TraceMouse(const char* operation, const CPoint& point, UINT nFlags, int level) const
{
  PCTRACE(TT_WORKBENCH_TOOLS, level)
  ("%s::%s  point = ( %d, %d )  nFlags = %d \n", GetRuntimeClass()->m_lpszClassName, operation, point.x, point.y,
   nFlags);
}

void CWorkbenchTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  TraceMouse("OnLButtonDown", *pPoint, nFlags, TL_DETAIL);
  m_ptDown = *pPoint;
  m_bButtonDown = TRUE;
}

void CWorkbenchTool::OnLButtonUp(UINT nFlags, CPoint* pPoint)
{
  TraceMouse("OnLButtonUp", *pPoint, nFlags, TL_DETAIL);
  m_bButtonDown = FALSE;
}

void CWorkbenchTool::OnLButtonDblClk(UINT nFlags, CPoint* pPoint)
{
  TraceMouse("OnLButtonDblClk", *pPoint, nFlags, TL_DETAIL);
}

void CWorkbenchTool::OnMouseMove(UINT, CPoint*) {}

void CWorkbenchTool::OnRButtonDown(UINT nFlags, CPoint* pPoint)
{
  TraceMouse("OnRButtonDown", *pPoint, nFlags, TL_VERBOSE);
  m_ptRDown = *pPoint;
  m_bRButtonDown = TRUE;
}

void CWorkbenchTool::OnRButtonUp(UINT nFlags, CPoint* pPoint)
{
  TraceMouse("OnRButtonUp", *pPoint, nFlags, TL_DETAIL);
  m_bRButtonDown = FALSE;
}

void CWorkbenchTool::TrackContextMenu(int popup, CPoint client, BOOL bFillNewUnit)
{
  CMenu menu;
  if (!menu.LoadMenu(IDR_CONTEXT_MENUS))
    throw CAppFatalException(kModule, kNoContextMenuLine);
  CMenu* pPopup = menu.GetSubMenu(popup);
  if (!pPopup)
    throw CAppFatalException(kModule, kNoContextMenuLine);
  if (bFillNewUnit) {
    CMenu* pNewUnit = pPopup->GetSubMenu(kNewUnitPopupPosition);
    CWorkbenchServices* pServices = GetWorkbenchServices();
    if (pNewUnit && pServices)
      pServices->FillNewUnitMenu(pNewUnit);
  }
  m_pView->ClientToScreen(&client);
  pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, client.x, client.y, AfxGetMainWnd());
}

CSelectTool::CSelectTool(CWorkbenchView* pView) : CWorkbenchTool(pView)
{
  m_hArrowCursor = AfxResourceCursor(kCursorSelectArrow);
  TraceLife(this, "construction");
}

HCURSOR CSelectTool::GetCursor()
{
  CPoint point;
  GetCursorPos(&point);
  m_pView->ScreenToClient(&point);
  CDesignItem* pItem = nullptr;
  int handle = -1;
  if (m_pView->HitTest(point, pItem, handle) == hitHandle && pItem->GetTracker())
    return pItem->GetTracker()->GetHandleCursor(handle);
  return m_hArrowCursor;
}

CSelectTool::~CSelectTool()
{
  TraceLife(this, "destruction");
  if (!m_pMoveGroup)
    return;
  // Only a view destroyed in the middle of a drag gets here: the design keeps no pointer to it.
  if (CObList* pList = m_pView->GetItemList())
    if (POSITION pos = pList->Find(m_pMoveGroup))
      pList->RemoveAt(pos);
  delete m_pMoveGroup;
}

void CSelectTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  CDesignItem* pItem = nullptr;
  int handle = -1;
  switch (m_pView->HitTest(*pPoint, pItem, handle)) {
  case hitNothing:
    PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Select tool: nothing hit. \n");
    m_pView->DeselectAll();
    break;
  case hitItem:
    PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Select tool: item interior hit. \n");
    PressOnItem(pItem, nFlags, *pPoint);
    break;
  case hitHandle:
    PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Select tool: item handle hit   nHandle = %d. \n", handle);
    PressOnHandle(pItem, handle);
    break;
  default:
    throw CAppFatalException(kModule, kBadHitLine);
  }
}

void CSelectTool::PressOnItem(CDesignItem* pItem, UINT nFlags, CPoint point)
{
  // Shift or Ctrl adds an unselected item; a plain press on a selected item keeps the whole
  // selection, so that a drag moves all of it.
  if (!m_pView->IsSelected(pItem)) {
    if (nFlags & (MK_SHIFT | MK_CONTROL)) {
      m_pView->Select(pItem);
      m_bJustSelected = TRUE;
    } else {
      m_pView->DeselectAll();
      m_pView->Select(pItem);
    }
  }
  m_pView->UpdateJoinSelection();
  if (m_pView->GetSelectedCount(TRUE) > 1) {
    m_pMoveGroup = m_pView->MakeMoveGroup();
    m_pView->Select(m_pMoveGroup);
    pItem = m_pMoveGroup;
  }
  // The moving item must not snap to its own lines.
  m_pView->EnableAlignmentEntities(pItem, FALSE);
  m_bMoved = pItem->Move(m_pView->ClientToWorld(point), m_pView);
  if (m_bMoved && !m_pMoveGroup)
    m_pView->UpdateAlignmentEntities(pItem);
  m_pView->EnableAlignmentEntities(pItem, TRUE);
}

void CSelectTool::PressOnHandle(CDesignItem* pItem, int handle)
{
  const CVRX2DPoint grip = pItem->GetHandlePoint(handle, m_pView);
  m_pView->EnableAlignmentEntities(pItem, FALSE);
  pItem->Resize(handle, grip, m_pView);
  m_pView->UpdateAlignmentEntities(pItem);
  m_pView->EnableAlignmentEntities(pItem, TRUE);
}

void CSelectTool::OnLButtonUp(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonUp(nFlags, pPoint);
  if (m_pMoveGroup) {
    CMoveGroupItem* pGroup = m_pMoveGroup;
    m_pMoveGroup = nullptr;
    m_pView->DissolveMoveGroup(pGroup);
  }
  CDesignItem* pItem = nullptr;
  int handle = -1;
  if (!m_bMoved && m_pView->HitTest(*pPoint, pItem, handle) == hitItem) {
    if ((nFlags & (MK_SHIFT | MK_CONTROL)) == 0) {
      m_pView->DeselectAll();
      m_pView->Select(pItem);
    } else {
      if (!m_bJustSelected)
        m_pView->Deselect(pItem);
      m_pView->UpdateJoinSelection();
    }
  }
  m_bJustSelected = FALSE;
  m_bMoved = FALSE;
}

void CSelectTool::OnLButtonDblClk(UINT nFlags, CPoint* pPoint)
{
  TraceMouse("OnLButtonDblClk", *pPoint, nFlags, TL_DETAIL);
  CDesignItem* pItem = nullptr;
  int handle = -1;
  m_pView->HitTest(*pPoint, pItem, handle);
  if (!pItem) {
    m_pView->OnWorkbenchProperties();
    return;
  }
  if (m_pView->GetSelectedCount(FALSE) > 1) {
    m_pView->MessageBox("You can only edit a single item at a time.", GetDocServices().GetProductName(),
                        MB_OK | MB_ICONINFORMATION);
    return;
  }
  pItem->Edit(m_pView);
}

void CSelectTool::OnRButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnRButtonDown(nFlags, pPoint);
  CDesignItem* pItem = nullptr;
  int handle = -1;
  m_pView->HitTest(*pPoint, pItem, handle);
  if (pItem && !m_pView->IsSelected(pItem)) {
    m_pView->DeselectAll();
    m_pView->Select(pItem);
  }
}

int CSelectTool::ContextPopupAt(CPoint point)
{
  CDesignItem* pItem = nullptr;
  int handle = -1;
  m_pView->HitTest(point, pItem, handle);
  if (!pItem)
    return ctxWorkbench;
  switch (pItem->GetItemType()) {
  case ditUnit:
    return ctxUnitItem;
  case ditJoin:
    return ctxJoinItem;
  case ditGroup:
    return ctxGroupItem;
  default:
    return ctxDesignItem;
  }
}

void CSelectTool::OnRButtonUp(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnRButtonUp(nFlags, pPoint);
  const int popup = ContextPopupAt(*pPoint);
  TrackContextMenu(popup, *pPoint, popup == ctxWorkbench);
  m_bMoved = FALSE;
  m_bJustSelected = FALSE;
}

CUnitTool::CUnitTool(CWorkbenchView* pView) : CWorkbenchTool(pView)
{
  m_hUnitCursor = AfxResourceCursor(kCursorUnitTool);
  TraceLife(this, "construction");
}

CUnitTool::~CUnitTool() { TraceLife(this, "destruction"); }

CDesignItem* CUnitTool::MakeUnitItem()
{
  const CString caption = GetDocServices().GetProductName();
  // A unit type the factory knows but has no class for is told apart from every other failure
  // (an unknown key, product data the unit cannot read), which would otherwise end the program.
  std::unique_ptr<CUnitItem> item;
  BOOL hasClass = FALSE;
  try {
    item = std::make_unique<CUnitItem>(m_strType, m_strSubtype);
    MakeUnit(m_strType, m_strSubtype, &hasClass);
    if (hasClass)
      item->GetUnit();
  } catch (const CCommonException&) {
    m_pView->MessageBox("Failed to create a new unit.", caption, MB_OK);
    return nullptr;
  }
  if (!hasClass) {
    m_pView->MessageBox("The CUnit class for " + m_strType + " - " + m_strSubtype + " is not impelemented yet.",
                        caption, MB_OK);
    return nullptr;
  }
  return item.release();
}

void CUnitTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  CDesignItem* pItem = MakeUnitItem();
  if (!pItem)
    return;
  CVRX2DVector position = m_pView->ClientToWorld(*pPoint).AsVector();
  position += m_pView->AdjustPoint(position);
  pItem->Offset(position);
  // A unit placed near the edge stands against it: past it, no small drag could move it.
  pItem->Offset(pItem->IntoSquare());
  // The flags decide what the item offers to snapping, which adding it registers.
  m_pView->ApplyAlignmentSettings(pItem);
  m_pView->AddItem(pItem, TRUE);
  pItem->Invalidate(m_pView);
  m_pView->DeselectAll();
  m_pView->Select(pItem);
}

CJoinTool::CJoinTool(CWorkbenchView* pView) : CWorkbenchTool(pView)
{
  m_hJoinCursor = AfxResourceCursor(kCursorJoinTool);
  TraceLife(this, "construction");
}

CJoinTool::~CJoinTool() { TraceLife(this, "destruction"); }
