#include "workbench/Wbtools.h"

#include <memory>

#include "project/DocServices.h"
#include "model/Unit.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/Groupitm.h"
#include "workbench/Unititem.h"
#include "workbench/Wbview.h"

namespace {
constexpr const char* kModule = "Wbtools";
constexpr int kBadHitLine = 412;
}  // namespace

void CWorkbenchTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)
  ("OnLButtonDown  point = ( %d, %d )  nFlags = %d \n", pPoint->x, pPoint->y, nFlags);
  m_ptDown = *pPoint;
  m_ptLast = *pPoint;
  m_bButtonDown = TRUE;
}

void CWorkbenchTool::OnLButtonUp(UINT nFlags, CPoint* pPoint)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)
  ("OnLButtonUp  point = ( %d, %d )  nFlags = %d \n", pPoint->x, pPoint->y, nFlags);
  m_ptLast = *pPoint;
  m_bButtonDown = FALSE;
}

void CWorkbenchTool::OnLButtonDblClk(UINT nFlags, CPoint* pPoint)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)
  ("OnLButtonDblClk  point = ( %d, %d )  nFlags = %d \n", pPoint->x, pPoint->y, nFlags);
}

void CWorkbenchTool::OnRButtonDown(UINT nFlags, CPoint* pPoint)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)
  ("OnRButtonDown  point = ( %d, %d )  nFlags = %d \n", pPoint->x, pPoint->y, nFlags);
}

void CWorkbenchTool::OnRButtonUp(UINT nFlags, CPoint* pPoint)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)
  ("OnRButtonUp  point = ( %d, %d )  nFlags = %d \n", pPoint->x, pPoint->y, nFlags);
}

void CWorkbenchTool::OnMouseMove(UINT, CPoint* pPoint) { m_ptLast = *pPoint; }

CSelectTool::~CSelectTool()
{
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
    PressOnItem(pItem, *pPoint);
    break;
  case hitHandle:
    PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Select tool: item handle hit   nHandle = %d. \n", handle);
    pItem->Resize(handle, pItem->GetHandlePoint(handle, m_pView), m_pView);
    m_pView->UpdateAlignmentEntities(pItem);
    break;
  default:
    throw CAppFatalException(kModule, kBadHitLine);
  }
}

void CSelectTool::PressOnItem(CDesignItem* pItem, CPoint point)
{
  const BOOL selected = m_pView->IsSelected(pItem);
  if (!selected && (CWorkbenchView::IsShiftDown() || CWorkbenchView::IsCtrlDown())) {
    m_pView->Select(pItem);
    m_bJustSelected = TRUE;
  } else if (!selected) {
    m_pView->DeselectAll();
    m_pView->Select(pItem);
  }
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
    if (!CWorkbenchView::IsShiftDown() && !CWorkbenchView::IsCtrlDown()) {
      m_pView->DeselectAll();
      m_pView->Select(pItem);
    } else if (!m_bJustSelected) {
      m_pView->Deselect(pItem);
    }
  }
  m_bJustSelected = FALSE;
  m_bMoved = FALSE;
}

void CSelectTool::OnLButtonDblClk(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDblClk(nFlags, pPoint);
  m_pView->OnEditProperties();
}

void CSelectTool::OnRButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnRButtonDown(nFlags, pPoint);
  CDesignItem* pItem = nullptr;
  int handle = -1;
  if (m_pView->HitTest(*pPoint, pItem, handle) != hitNothing && !m_pView->IsSelected(pItem)) {
    m_pView->DeselectAll();
    m_pView->Select(pItem);
  }
}

void CUnitTool::OnLButtonDown(UINT nFlags, CPoint* pPoint)
{
  CWorkbenchTool::OnLButtonDown(nFlags, pPoint);
  const CString caption = GetDocServices().GetProductName();
  std::unique_ptr<CUnitItem> item;
  try {
    item = std::make_unique<CUnitItem>(m_strType, m_strSubtype);
  } catch (const CCommonException&) {
    m_pView->MessageBox("Failed to create a new unit.", caption, MB_OK);
    return;
  }
  if (!item->GetUnit()) {
    m_pView->MessageBox("The CUnit class for " + m_strType + " - " + m_strSubtype + " is not impelemented yet.",
                        caption, MB_OK);
    return;
  }
  CVRX2DVector position = m_pView->ClientToWorld(*pPoint).AsVector();
  position += m_pView->AdjustPoint(position);
  item->Offset(position);
  CDesignItem* pItem = item.release();
  m_pView->AddItem(pItem, TRUE);
  BOOL linesOff = FALSE;
  BOOL snapOff = FALSE;
  m_pView->GetAlignmentSettings(linesOff, snapOff);
  pItem->SetShowAlignmentLines(!linesOff);
  pItem->SetSnapToAlignmentLines(!snapOff);
  pItem->Invalidate(m_pView);
  m_pView->DeselectAll();
  m_pView->Select(pItem);
}
