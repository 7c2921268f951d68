#include "workbench/view/Wbview.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "document/Doc.h"
#include "document/Dochints.h"
#include "document/Hint.h"
#include "geometry/2drect.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/frame/Frame.h"
#include "productdb/Joining.h"
#include "productdb/Joinspac.h"
#include "productdb/txdbExcp.h"
#include "project/DocServices.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Selector.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Lineitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Tracker.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/frame/Wbids.h"
#include "workbench/items/Wbsvc.h"
#include "workbench/tools/Wbzoom.h"

IMPLEMENT_DYNCREATE(CWorkbenchView, CScaleView)

namespace {
constexpr const char* kModule = "Workview";
constexpr int kNotSelectedLine = 731;
constexpr int kEditModeLine = 748;
// One screen inch shows two world feet.
constexpr double kInitialScale = 1.0 / 24.0;
// How many items ahead of the one drawn a redraw starts fetching the drawing of: far enough for
// memory to answer while the items between are drawn.
constexpr size_t kPrefetchAhead = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CWorkbenchView, CScaleView)
  ON_COMMAND(ID_SELECT_TOOL, OnSelectTool)
  ON_UPDATE_COMMAND_UI(ID_SELECT_TOOL, OnUpdateSelectTool)
  ON_COMMAND(ID_JOIN_TOOL, OnJoinTool)
  ON_UPDATE_COMMAND_UI(ID_JOIN_TOOL, OnUpdateJoinTool)
  ON_COMMAND(ID_LOCK_TOOL, OnLockTool)
  ON_UPDATE_COMMAND_UI(ID_LOCK_TOOL, OnUpdateLockTool)
  ON_COMMAND(ID_ZOOM_IN, OnZoomIn)
  ON_UPDATE_COMMAND_UI(ID_ZOOM_IN, OnUpdateZoomIn)
  ON_COMMAND(ID_ZOOM_OUT, OnZoomOut)
  ON_UPDATE_COMMAND_UI(ID_ZOOM_OUT, OnUpdateZoomOut)
  ON_COMMAND(ID_SCALE_TO_SELECTION, OnScaleToSelection)
  ON_UPDATE_COMMAND_UI(ID_SCALE_TO_SELECTION, OnUpdateScaleToSelection)
  ON_COMMAND(ID_SCALE_TO_FIT, OnScaleToFit)
  ON_UPDATE_COMMAND_UI(ID_SCALE_TO_FIT, OnUpdateScaleToFit)
  ON_COMMAND(ID_DELETE_ITEM, OnEditDeleteItem)
  ON_UPDATE_COMMAND_UI(ID_DELETE_ITEM, OnUpdateEditDeleteItem)
  ON_COMMAND(ID_DELETE_SELECTOR, OnEditDeleteItem)
  ON_COMMAND(ID_EDIT_PROPERTIES, OnEditProperties)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PROPERTIES, OnUpdateEditProperties)
  ON_COMMAND(ID_VERT_GUIDELINE_TOOL, OnVertGuideLineTool)
  ON_UPDATE_COMMAND_UI(ID_VERT_GUIDELINE_TOOL, OnUpdateVertGuideLineTool)
  ON_COMMAND(ID_HORZ_GUIDELINE_TOOL, OnHorzGuideLineTool)
  ON_UPDATE_COMMAND_UI(ID_HORZ_GUIDELINE_TOOL, OnUpdateHorzGuideLineTool)
  ON_COMMAND(ID_ANGLED_GUIDELINE_TOOL, OnAngledGuideLineTool)
  ON_UPDATE_COMMAND_UI(ID_ANGLED_GUIDELINE_TOOL, OnUpdateAngledGuideLineTool)
  ON_COMMAND(ID_GROUP_ITEMS, OnGroupItems)
  ON_UPDATE_COMMAND_UI(ID_GROUP_ITEMS, OnUpdateGroupItems)
  ON_COMMAND(ID_UNGROUP_ITEMS, OnUngroupItems)
  ON_UPDATE_COMMAND_UI(ID_UNGROUP_ITEMS, OnUpdateUngroupItems)
  ON_COMMAND(ID_PLAN_VIEW_ON, OnPlanViewShow)
  ON_COMMAND(ID_PLAN_VIEW_OFF, OnPlanViewHide)
  ON_COMMAND(ID_ELEVATION_VIEW_ON, OnElevationViewShow)
  ON_COMMAND(ID_ELEVATION_VIEW_OFF, OnElevationViewHide)
  ON_COMMAND(ID_DETAIL_VIEW_ON, OnDetailViewShow)
  ON_COMMAND(ID_DETAIL_VIEW_OFF, OnDetailViewHide)
  ON_COMMAND(ID_REMOVE_DETAIL_SELECTOR, OnEditDeleteItem)
  ON_COMMAND(ID_SHOW_THIS_DETAIL, OnShowDetail)
  ON_COMMAND(ID_JOINING_MARKERS, OnJoiningMarkers)
  ON_UPDATE_COMMAND_UI(ID_JOINING_MARKERS, OnUpdateJoiningMarkers)
  ON_COMMAND(ID_SNAP_HIGHLIGHTS, OnSnapHighlights)
  ON_UPDATE_COMMAND_UI(ID_SNAP_HIGHLIGHTS, OnUpdateSnapHighlights)
  ON_COMMAND(ID_WORKBENCH_PROPERTIES, OnWorkbenchProperties)
  ON_COMMAND(ID_ALIGNMENT_LINE_ATTRIBUTES, OnAlignmentLines)
  ON_COMMAND(ID_SNAPPING_TEST, OnSnappingTest)
  ON_UPDATE_COMMAND_UI(ID_SNAPPING_TEST, OnUpdateSnappingTest)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
  ON_COMMAND(ID_EDIT_CUT, OnEditCut)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopy)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
  ON_COMMAND(ID_POPUPS_PASTE, OnPopupsPaste)
  ON_UPDATE_COMMAND_UI(ID_POPUPS_PASTE, OnUpdateEditPaste)
  ON_COMMAND(ID_VIEW_REFRESH, OnRefresh)
  ON_COMMAND(ID_NEXT_PANE, OnSwitchPane)
  ON_COMMAND(ID_PREV_PANE, OnSwitchPane)
  ON_COMMAND(ID_ALIGNMENT_LINES, OnAlignmentLinesToggle)
  ON_UPDATE_COMMAND_UI(ID_ALIGNMENT_LINES, OnUpdateAlignmentLinesToggle)
  ON_COMMAND(ID_SNAP_TO_ALIGNMENT, OnSnapToToggle)
  ON_UPDATE_COMMAND_UI(ID_SNAP_TO_ALIGNMENT, OnUpdateSnapToToggle)
  ON_COMMAND(ID_SELECT_ALL, OnSelectAll)
  ON_UPDATE_COMMAND_UI(ID_SELECT_ALL, OnUpdateSelectAll)
  ON_COMMAND(ID_SPACE_HORIZONTALLY, OnSpaceHorizontally)
  ON_COMMAND(ID_SPACE_VERTICALLY, OnSpaceVertically)
  ON_COMMAND(ID_RENAME_DESIGN, OnRenameDesign)
  ON_COMMAND(ID_REMOVE_JOINING, OnRemoveJoining)
  ON_UPDATE_COMMAND_UI(ID_REMOVE_JOINING, OnUpdateRemoveJoining)
END_MESSAGE_MAP()

CWorkbenchView::CWorkbenchView()
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Constructing the Workbench view. \n");
  SetScaleFactor(kInitialScale, FALSE);
  for (int i = 0; i < wbtCount; ++i) {
    switch (i) {
    case wbtSelect:
      m_Tools[i] = std::make_unique<CSelectTool>(this);
      break;
    case wbtUnit:
      m_Tools[i] = std::make_unique<CUnitTool>(this);
      break;
    case wbtVertGuideLine:
      m_Tools[i] = std::make_unique<CVertGuideLineTool>(this);
      break;
    case wbtHorzGuideLine:
      m_Tools[i] = std::make_unique<CHorzGuideLineTool>(this);
      break;
    case wbtAngledGuideLine:
      m_Tools[i] = std::make_unique<CAngledGuideLineTool>(this);
      break;
    case wbtPlanSelector:
      m_Tools[i] = std::make_unique<CPlanSelectorTool>(this);
      break;
    case wbtDetailSelector:
      m_Tools[i] = std::make_unique<CDetailSelectorTool>(this);
      break;
    case wbtView:
      m_Tools[i] = std::make_unique<CViewTool>(this);
      break;
    case wbtJoin:
      m_Tools[i] = std::make_unique<CJoinTool>(this);
      break;
    case wbtZoom:
      m_Tools[i] = std::make_unique<CZoomTool>(this);
      break;
    default:
      m_Tools[i] = std::make_unique<CWorkbenchTool>(this);
      break;
    }
  }
  m_pCurrentTool = m_Tools[wbtSelect].get();
  m_pPlanSelector = new CPlanSelectorItem(CVRX2DVector());
  m_SelectorItems.AddTail(m_pPlanSelector);
  InitSnapEngine();
  m_bJoiningTablesRead = ReadJoiningTables();
}

BOOL CWorkbenchView::ReadJoiningTables()
{
  try {
    BOOL atEnd = FALSE;
    CJoiningRec joining;
    for (int result = joining.First(1); result == 0 && !atEnd; result = joining.Next(&atEnd))
      m_JoiningOrder.Add(static_cast<DWORD>(joining.GetJoining()));
    atEnd = FALSE;
    CJoinSpacRec spacing;
    double capture = 0.0;
    for (int result = spacing.First(1); result == 0 && !atEnd; result = spacing.Next(&atEnd))
      capture = std::max(capture, 2.0 * spacing.GetSpacing());
    m_Snap.SetJoinCaptureDistance(capture);
    return TRUE;
  } catch (const CTXDBException&) {
    // A catalogue changed under the program since it was checked: the view is made all the same
    // and the design it is to show is refused once the view is bound to it.
    PCTRACE(TT_WORKBENCH, TL_WARNING)("The joining tables could not be read.\n");
    m_JoiningOrder.RemoveAll();
    return FALSE;
  }
}

CWorkbenchView::~CWorkbenchView()
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Destructing the Workbench view. \n");
  // Joins kept aside by a drag that never ended belong to nobody else.
  for (const CDetachedJoin& detached : m_DetachedJoins)
    delete detached.pJoin;
  while (!m_SelectorItems.IsEmpty())
    delete static_cast<CDesignItem*>(m_SelectorItems.RemoveHead());
  while (!m_NewJoins.IsEmpty())
    delete static_cast<CDesignItem*>(m_NewJoins.RemoveHead());
}

CDoc* CWorkbenchView::GetDoc() const { return dynamic_cast<CDoc*>(GetDocument()); }

CDesign* CWorkbenchView::GetDesign() const
{
  CDoc* pDoc = GetDoc();
  return pDoc ? pDoc->GetEditedDesign() : nullptr;
}

CWorkbenchFrame* CWorkbenchView::GetWorkbenchFrame() const { return dynamic_cast<CWorkbenchFrame*>(GetParentFrame()); }

void CWorkbenchView::OnUpdate(CView*, LPARAM lHint, CObject* pHint)
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("OnUpdate: Hint = %d.\n", static_cast<int>(lHint));
  if (lHint == kHintColours) {
    CWorkbenchServices* pServices = GetWorkbenchServices();
    m_pCategoryMap.reset(pServices ? pServices->CreateTranslationMap() : nullptr);
    if (!m_pCategoryMap) {
      m_pCategoryMap = std::make_unique<CMapECatToXLTGDIData>();
      m_pCategoryMap->SetGDIData(0, new CXLTGDIData(RGB(0, 0, 0)));
    }
    Invalidate(TRUE);
  } else if (lHint == kHintItemProperties) {
    // The hint names the item whose sheet it was, selected or not: a Ctrl or Shift double click
    // opens the sheet of an item it has just taken out of the selection.
    const auto* pNamed = dynamic_cast<CHint*>(pHint);
    if (auto* pItem = pNamed ? dynamic_cast<CDesignItem*>(pNamed->GetSubject()) : nullptr)
      RebuildEditedItem(pItem);
  } else if (lHint == kHintPlan) {
    RetellStatusTexts();
  }
}

void CWorkbenchView::RetellStatusTexts()
{
  const int units = GetDocServices().GetMeasurementUnits();
  if (units == m_nStatusUnits || !GetDesign())
    return;
  m_nStatusUnits = units;
  // The status bar tells of the project in front: the Workbench of a project behind tells its
  // selection when it comes forward, and its pointer when the pointer moves over it again.
  if (!IsProjectInFront())
    return;
  if (m_bPointerTold) {
    ShowPointerPosition(m_ptToldPointer);
    CDesignItem* pItem = nullptr;
    int handle = -1;
    HitTest(m_ptToldPointer, pItem, handle);
    SetPaneText(1, pItem ? pItem->GetDescription() : CString());
  }
  ShowSelectionInfo();
}

BOOL CWorkbenchView::IsProjectInFront() const
{
  auto* pChild = dynamic_cast<CMDIChildWnd*>(GetParentFrame());
  CMDIFrameWnd* pMain = pChild ? pChild->GetMDIFrame() : nullptr;
  CMDIChildWnd* pActive = pMain ? pMain->MDIGetActive() : nullptr;
  return pActive && (pActive == pChild || pActive->GetActiveDocument() == GetDocument());
}

void CWorkbenchView::OnDraw(CDC* pDC)
{
  CRect clip;
  pDC->GetClipBox(&clip);
  PCTRACE(TT_WORKBENCH, TL_DETAIL)
  ("CWorkbenchView::OnDraw()   Clip box = (L %d, T %d, R %d, B %d). \n", clip.left, clip.top, clip.right, clip.bottom);
  CScaleView::OnDraw(pDC);
  if (!m_pItemList)
    return;
  // The list is walked once: a large design's items outgrow the caches, and walking the list
  // for each pass cost more than the passes' own decisions.
  std::vector<std::pair<CDesignItem*, int>> items;
  items.reserve(static_cast<size_t>(m_pItemList->GetCount()));
  for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
    items.emplace_back(pItem, pItem->GetItemType());
  }
  for (int pass = 0; pass < 4; ++pass) {
    for (size_t i = 0; i < items.size(); ++i) {
      // A large design's units lie all over memory: while one is drawn, the drawing of one a few
      // places on is fetched, where waiting for each unit's drawing in turn took most of the time.
      if (pass == 2 && i + 2 * kPrefetchAhead < items.size() && items[i + 2 * kPrefetchAhead].second == ditUnit)
        static_cast<const CUnitItem*>(items[i + 2 * kPrefetchAhead].first)->PrefetchDrawingHolder();
      if (pass == 2 && i + kPrefetchAhead < items.size())
        items[i + kPrefetchAhead].first->PrefetchDrawing();
      const auto& [pItem, type] = items[i];
      if (type == ditGroup || type == ditMoveGroup)
        static_cast<CGroupItem*>(pItem)->DrawPass(pass, pDC, this);
      if (pass == 0) {
        if (IsSelectorModeOff())
          pItem->DrawAlignmentEnts(pDC, this);
      } else {
        CGroupItem::DrawItemInPass(pItem, type, pass, pDC, this, clip);
      }
    }
  }
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos));
    if (pItem->GetItemType() != ditJoin)
      pItem->DrawHandles(pDC, this);
  }
  if (m_bShowJoins) {
    for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos));
      if (pItem->GetItemType() == ditJoin)
        pItem->DrawHandles(pDC, this);
    }
  }
  if (m_bPlanViewShown)
    m_pPlanSelector->Draw(pDC, this);
  if (m_bDetailViewShown)
    for (POSITION pos = m_SelectorItems.GetHeadPosition(); pos;)
      static_cast<CDesignItem*>(m_SelectorItems.GetNext(pos))->Draw(pDC, this);
}

void CWorkbenchView::ReleaseViewDC(CDC*& pDC) { CScaleView::ReleaseViewDC(pDC); }

void CWorkbenchView::OnBeginScroll()
{
  if (m_pItemList) {
    for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
      if (pItem->GetItemType() == ditGuideline || pItem->GetItemType() == ditGroup)
        pItem->Invalidate(this);
    }
  }
  if (m_bPlanViewShown)
    m_pPlanSelector->InvalidateLabel(this);
  if (m_pTracker)
    m_pTracker->RedrawFeedback();
}

void CWorkbenchView::OnEndScroll()
{
  if (m_pTracker)
    m_pTracker->RedrawFeedbackAndNotify();
}

void CWorkbenchView::SetCurrentTool(int index)
{
  m_pCurrentTool = m_Tools[index].get();
  CPoint point;
  GetCursorPos(&point);
  ScreenToClient(&point);
  if (GetSafeHwnd() && GetClientRect().PtInRect(point))
    SetCursor(m_pCurrentTool->GetCursor());
}

void CWorkbenchView::SetUnitTool(const CString& type, const CString& subtype)
{
  auto* pTool = static_cast<CUnitTool*>(m_Tools[wbtUnit].get());
  pTool->SetUnitType(type);
  pTool->SetUnitSubtype(subtype);
  SetCurrentTool(wbtUnit);
}

void CWorkbenchView::Select(CDesignItem* pItem)
{
  if (IsSelected(pItem))
    return;
  m_SelectedAt[pItem] = m_SelectedItems.AddTail(pItem);
  pItem->Select(this);
  // A move group only stands for the selection while it moves.
  if (pItem->GetItemType() != ditMoveGroup)
    ClearUnjoinablePrompt();
}

void CWorkbenchView::Deselect(CDesignItem* pItem)
{
  if (DropFromSelection(pItem))
    pItem->Deselect(this);
}

BOOL CWorkbenchView::DropFromSelection(CDesignItem* pItem)
{
  const POSITION* pAt = m_SelectedAt.Find(pItem);
  if (!pAt)
    return FALSE;
  // An index out of step with the list could hold the place of an item already taken out: the
  // counts tell it before that place is read.
  if (m_SelectedAt.GetCount() != static_cast<size_t>(m_SelectedItems.GetCount()) || !*pAt ||
      m_SelectedItems.GetAt(*pAt) != pItem)
    throw CAppFatalException(kModule, kNotSelectedLine);
  m_SelectedItems.RemoveAt(*pAt);
  m_SelectedAt.Erase(pItem);
  if (pItem->GetItemType() != ditMoveGroup)
    ClearUnjoinablePrompt();
  return TRUE;
}

void CWorkbenchView::DeselectAll()
{
  if (!m_SelectedItems.IsEmpty())
    ClearUnjoinablePrompt();
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;)
    static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos))->Deselect(this);
  m_SelectedItems.RemoveAll();
  m_SelectedAt.Clear();
}

BOOL CWorkbenchView::IsSelected(CDesignItem* pItem) const { return m_SelectedAt.Contains(pItem); }

int CWorkbenchView::GetSelectedCount(BOOL bCopyable) const
{
  if (!bCopyable)
    return m_SelectedItems.GetCount();
  int count = 0;
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;)
    count += IsCopyable(static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos)));
  return count;
}

BOOL CWorkbenchView::IsCopyable(CDesignItem* pItem) const
{
  auto* pJoin = dynamic_cast<CJoinItem*>(pItem);
  if (!pJoin)
    return TRUE;
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  pJoin->GetUnitItems(pFirst, pSecond);
  return pFirst && pSecond && IsSelected(pFirst) && IsSelected(pSecond);
}

void CWorkbenchView::AddItem(CDesignItem* pItem, BOOL bInvalidate)
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Adding a design item to the design. \n");
  pItem->Add(this);
  m_pItemList->AddTail(pItem);
  AddAlignmentEntities(pItem);
  if (bInvalidate)
    pItem->Invalidate(this);
}

int CWorkbenchView::HitTest(CPoint point, CDesignItem*& pItem, int& handle)
{
  pItem = nullptr;
  handle = -1;
  if (!m_pItemList)
    return hitNothing;
  const CVRX2DPoint world = ClientToWorld(point);
  if (m_bShowJoins) {
    for (POSITION pos = m_pItemList->GetTailPosition(); pos;) {
      auto* pJoin = static_cast<CDesignItem*>(m_pItemList->GetPrev(pos));
      if (pJoin->GetItemType() == ditJoin && pJoin->HitTest(world, this)) {
        pItem = pJoin;
        return hitItem;
      }
    }
  }
  if (GetSelectedCount(FALSE) == 1) {
    auto* pOnly = static_cast<CDesignItem*>(m_SelectedItems.GetHead());
    handle = pOnly->HitTestHandle(world, this);
    if (handle >= 0) {
      pItem = pOnly;
      return hitHandle;
    }
  }
  for (POSITION pos = m_SelectedItems.GetTailPosition(); pos;) {
    auto* pSelected = static_cast<CDesignItem*>(m_SelectedItems.GetPrev(pos));
    if (pSelected->HitTest(world, this)) {
      pItem = pSelected;
      return hitItem;
    }
  }
  CDesignItem* pGuideline = nullptr;
  for (POSITION pos = m_pItemList->GetTailPosition(); pos;) {
    auto* pCandidate = static_cast<CDesignItem*>(m_pItemList->GetPrev(pos));
    const int type = pCandidate->GetItemType();
    if (type != ditUnit && type != ditGroup && type != ditMoveGroup && type != ditGuideline)
      continue;
    if (!pCandidate->HitTest(world, this))
      continue;
    if (type != ditGuideline) {
      pItem = pCandidate;
      return hitItem;
    }
    pGuideline = pCandidate;
  }
  pItem = pGuideline;
  return pGuideline ? hitItem : hitNothing;
}

int CWorkbenchView::AdjustPos(CDesignItem* pItem, int handle, CVRX2DVector& v, CVRX2DEntityArray& entities)
{
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_DETAIL)("AdjustPos() for handle %d.\n", handle);
  return pItem->AdjustPos(handle, v, entities, this);
}

CVRX2DVector CWorkbenchView::GetWorkbenchExtent() const
{
  CDesign* pDesign = GetDesign();
  if (!pDesign)
    return CVRX2DVector();
  return CVRX2DVector(pDesign->GetDesignData().GetWorkbenchExtentX(), pDesign->GetDesignData().GetWorkbenchExtentY());
}

int CWorkbenchView::GetEditMode() const
{
  if (m_nEditMode != wemReadOnly && m_nEditMode != wemEditable)
    throw CAppFatalException(kModule, kEditModeLine);
  return m_nEditMode;
}

BOOL CWorkbenchView::IsSelectorModeOff() const
{
  return !m_bPlanViewShown && !m_bElevationViewShown && !m_bDetailViewShown;
}

void CWorkbenchView::GetAlignmentSettings(BOOL& bAlignmentLinesOff, BOOL& bSnapOff) const
{
  bAlignmentLinesOff = m_bAlignmentLinesOff;
  bSnapOff = m_bSnapOff;
}

void CWorkbenchView::ApplyAlignmentSettings(CDesignItem* pItem) const
{
  pItem->SetShowAlignmentLines(!m_bAlignmentLinesOff);
  pItem->SetSnapToAlignmentLines(!m_bSnapOff);
}

BOOL CWorkbenchView::IsShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

BOOL CWorkbenchView::IsCtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

BOOL CWorkbenchView::IsPaintPending(const CRect& rect) { return IsRectInvalid(rect); }

BOOL CWorkbenchView::IsWholePaintPending() { return IsRectInvalid(GetClientRect()); }

void CWorkbenchView::SetPaneText(int nIndex, const CString& text)
{
  if (nIndex == 1 && m_nSizeTextBatches > 0) {
    m_bSizeTextHeld = TRUE;
    m_strHeldSizeText = text;
    m_pHeldSizeItem = nullptr;
    return;
  }
  if (CWorkbenchServices* pServices = GetWorkbenchServices())
    pServices->SetPaneText(nIndex, text);
}

void CWorkbenchView::SetSizePaneText(CUnitItem* pItem)
{
  if (m_nSizeTextBatches == 0) {
    SetPaneText(1, pItem->GetSizeInfo());
    return;
  }
  m_bSizeTextHeld = TRUE;
  m_strHeldSizeText.Empty();
  m_pHeldSizeItem = pItem;
}

void CWorkbenchView::ShowSelectionInfo()
{
  // A Workbench whose design has gone (brought forward while it closes) has nothing to tell.
  if (!GetDesign() || m_SelectedItems.IsEmpty())
    return;
  auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetTail());
  if (auto* pUnit = dynamic_cast<CUnitItem*>(pItem))
    pUnit->DisplaySizeInfo(this);
  else if (auto* pLine = dynamic_cast<CLineSegmentItem*>(pItem))
    pLine->DisplaySizeInfo(this, TRUE);
}

void CWorkbenchView::ReleaseSizeText()
{
  if (!m_bSizeTextHeld)
    return;
  m_bSizeTextHeld = FALSE;
  CUnitItem* pItem = std::exchange(m_pHeldSizeItem, nullptr);
  const CString text = pItem ? pItem->GetSizeInfo() : m_strHeldSizeText;
  m_strHeldSizeText.Empty();
  SetPaneText(1, text);
}

CWorkbenchView::CSizeTextBatch::CSizeTextBatch(CWorkbenchView* pView)
  : m_pView(pView), m_nUncaught(std::uncaught_exceptions())
{
  ++m_pView->m_nSizeTextBatches;
}

CWorkbenchView::CSizeTextBatch::~CSizeTextBatch() noexcept(false)
{
  if (--m_pView->m_nSizeTextBatches > 0)
    return;
  if (std::uncaught_exceptions() == m_nUncaught) {
    m_pView->ReleaseSizeText();
    return;
  }
  // Leaving by an exception, the bar still gets the last text set before it; a second
  // exception cannot leave here while the first one is on its way, and the first is reported.
  try {
    m_pView->ReleaseSizeText();
  } catch (...) {}
}

void CWorkbenchView::OnLButtonDown(UINT nFlags, CPoint point)
{
  m_bFirstViewPending = FALSE;
  m_bStoredViewPending = FALSE;
  m_bPressRefused = FALSE;
  if (IsInWorldArea(point))
    m_pCurrentTool->OnLButtonDown(nFlags, &point);
  else
    m_bPressRefused = m_pCurrentTool->OnLButtonDownBeyond(point);
  CScaleView::OnLButtonDown(nFlags, point);
}

CString CWorkbenchView::GetGuidelineBeyondSquarePrompt()
{
  return "A guideline is placed only on the Workbench; this point lies beyond its edge.";
}

void CWorkbenchView::TellGuidelineBeyondSquare() { ShowJoinPrompt(GetGuidelineBeyondSquarePrompt()); }

void CWorkbenchView::OnLButtonUp(UINT nFlags, CPoint point)
{
  m_pCurrentTool->OnLButtonUp(nFlags, &point);
  // A tool whose press was refused placed nothing, and stays chosen for the next press.
  if (!m_bLockTool && !IsShiftDown() && !std::exchange(m_bPressRefused, FALSE))
    SetCurrentTool(m_nEditMode == wemReadOnly ? wbtView : wbtSelect);
}

void CWorkbenchView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
  if (IsInWorldArea(point))
    m_pCurrentTool->OnLButtonDblClk(nFlags, &point);
}

void CWorkbenchView::OnRButtonDown(UINT nFlags, CPoint point)
{
  m_bFirstViewPending = FALSE;
  m_bStoredViewPending = FALSE;
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->ActivateFrame(-1);
  if (IsInWorldArea(point)) {
    // Context-menu commands act where the menu was opened.
    m_ptContextPoint = point;
    m_pCurrentTool->OnRButtonDown(nFlags, &point);
  }
}

void CWorkbenchView::OnRButtonUp(UINT nFlags, CPoint point)
{
  if (IsInWorldArea(point))
    m_pCurrentTool->OnRButtonUp(nFlags, &point);
}

void CWorkbenchView::OnMouseMove(UINT nFlags, CPoint point)
{
  if (IsInWorldArea(point)) {
    m_pCurrentTool->OnMouseMove(nFlags, &point);
    ShowPointerPosition(point);
    if ((nFlags & (MK_LBUTTON | MK_RBUTTON)) == 0) {
      CDesignItem* pItem = nullptr;
      int handle = -1;
      HitTest(point, pItem, handle);
      SetPaneText(1, pItem ? pItem->GetDescription() : CString());
    }
  }
  CScaleView::OnMouseMove(nFlags, point);
}

void CWorkbenchView::ShowPointerPosition(CPoint point)
{
  const CVRX2DPoint world = ClientToWorld(point);
  const int units = GetDocServices().GetMeasurementUnits();
  CString x;
  CString y;
  if (units == 0 || units == 1) {
    x.Format("%7.2f", world.GetX());
    y.Format("%7.2f", world.GetY());
  } else {
    CUnitsConverter converter;
    x = converter.FormatLength(units, world.GetX());
    y = converter.FormatLength(units, world.GetY());
  }
  CString text;
  text.Format("X=%s  Y=%s", x.c_str(), y.c_str());
  SetPaneText(2, text);
  m_ptToldPointer = point;
  m_bPointerTold = TRUE;
}

void CWorkbenchView::OnDestroy()
{
  if (GetDesign())
    DeselectAll();
  // The status bar outlives the view: what it said of the view goes with it.
  ClearUnjoinablePrompt();
  SetPaneText(1, CString());
  SetPaneText(2, CString());
  CScaleView::OnDestroy();
}

void CWorkbenchView::OnEditDeleteItem()
{
  std::vector<CDesignItem*> selection;
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;)
    selection.push_back(static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos)));
  RemoveItems(selection);
}

void CWorkbenchView::OnUpdateEditDeleteItem(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_SelectedItems.IsEmpty()); }

void CWorkbenchView::OnEditProperties()
{
  const int count = m_SelectedItems.GetCount();
  if (count > 1) {
    MessageBox("You can only edit a single item at a time.", GetDocServices().GetProductName(),
               MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (count == 1)
    static_cast<CDesignItem*>(m_SelectedItems.GetHead())->Edit(this);
  else
    OnWorkbenchProperties();
}

void CWorkbenchView::OnUpdateEditProperties(CCmdUI* pCmdUI) { pCmdUI->Enable(m_SelectedItems.GetCount() < 2); }
