// Opening a design on the Workbench, storing the Workbench state back into it, and the switch
// between the editable and the read-only mode.
#include <algorithm>

#include "document/Doc.h"
#include "document/Dochints.h"
#include "project/DocServices.h"
#include "project/Docmsg.h"
#include "geometry/2drect.h"
#include "ui/wnd/CmdTarget.h"
#include "ui/draw/Dc.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/WinApp.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Unititem.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/items/Wbsvc.h"
#include "workbench/view/Wbview.h"
#include "workbench/tools/Wbzoom.h"

namespace {
constexpr const char* kModule = "Workview";
constexpr int kNoEditMenuLine = 1520;
constexpr int kMenuTextLimit = 20;
constexpr int kMinFrameHeight = 50;
constexpr int kMinFrameWidth = 150;
// The size a design without a usable stored size is fitted as.
constexpr double kFallbackDesignSize = 120.0;

// The position of the top-level "&Edit" item, the last match; -1 where there is none.
int EditMenuPosition(CMenu* pMenu)
{
  int editPos = -1;
  for (int i = 0; i < static_cast<int>(pMenu->GetMenuItemCount()); ++i) {
    char text[kMenuTextLimit + 1] = {};
    pMenu->GetMenuString(static_cast<UINT>(i), text, kMenuTextLimit, MF_BYPOSITION);
    if (CString(text) == "&Edit")
      editPos = i;
  }
  return editPos;
}

CMenu* SharedWorkbenchMenu()
{
  CWorkbenchServices* pServices = GetWorkbenchServices();
  return pServices ? CMenu::FromHandle(pServices->GetWorkbenchMenu()) : nullptr;
}

CWnd* MdiClientOf(CFrameWnd* pFrame)
{
  auto* pChild = dynamic_cast<CMDIChildWnd*>(pFrame);
  CMDIFrameWnd* pMain = pChild ? pChild->GetMDIFrame() : nullptr;
  return pMain && pMain->m_hWndMDIClient ? CWnd::FromHandle(pMain->m_hWndMDIClient) : nullptr;
}
}  // namespace

void CWorkbenchView::OnInitialUpdate()
{
  CWaitCursor wait;
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("CWorkbenchView::OnInitialUpdate.");
  m_nStatusUnits = GetDocServices().GetMeasurementUnits();
  OnUpdate(nullptr, kHintColours, nullptr);
  CDoc* pDoc = GetDoc();
  if (!pDoc)
    return;
  if (!pDoc->GetEditedDesign() && !pDoc->NewEditedDesign()) {
    // The user has been told; there is no design for this Workbench to show.
    if (CWorkbenchFrame* pFrame = GetWorkbenchFrame())
      pFrame->CloseWithoutStoring();
    return;
  }
  if (!m_bJoiningTablesRead || !BindToDesign()) {
    ReportUnopenable();
    return;
  }
  if (CWorkbenchFrame* pFrame = GetWorkbenchFrame())
    pFrame->SetQuantity(GetDesign()->GetQuantity());
  SetReadOnly(FALSE);
  SizeFrameToDesign();
  const CDesignData& data = GetDesign()->GetDesignData();
  SetExtent(CVRX2DVector(data.GetWorkbenchExtentX(), data.GetWorkbenchExtentY()), FALSE);
  RestoreStoredView();
}

BOOL CWorkbenchView::BindToDesign()
{
  CObList& items = GetDesign()->GetItemList();
  try {
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
      if (auto* pUnitItem = dynamic_cast<CUnitItem*>(pItem))
        pUnitItem->GetUnit();
      else if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem))
        pGroup->UpdateComponentEnts();
    }
  } catch (const CException&) {
    return FALSE;
  }
  m_pItemList = &items;
  for (POSITION pos = items.GetHeadPosition(); pos;)
    AddAlignmentEntities(static_cast<CDesignItem*>(items.GetNext(pos)));
  return TRUE;
}

void CWorkbenchView::ReportUnopenable()
{
  // A stored unit the product database no longer knows, or a database that can no longer be
  // read: the stored design stays as it is and the Workbench goes without storing anything.
  PCTRACE(TT_WORKBENCH, TL_WARNING)("The design could not be opened on the Workbench.\n");
  const CString name = GetDesign()->GetName();
  MessageBox(name.IsEmpty() ? GetNewDesignUnopenableMessage() : GetDesignUnreadableMessage(name),
             GetDocServices().GetProductName(), MB_OK | MB_ICONEXCLAMATION);
  if (CWorkbenchFrame* pFrame = GetWorkbenchFrame())
    pFrame->CloseWithoutStoring();
}

void CWorkbenchView::SizeFrameToDesign()
{
  CFrameWnd* pFrame = GetParentFrame();
  CWnd* pClient = MdiClientOf(pFrame);
  CWorkbenchServices* pServices = GetWorkbenchServices();
  const CDesignData& data = GetDesign()->GetDesignData();
  const double w = data.GetDesignWidth();
  const double h = data.GetDesignHeight();
  // Without a usable stored size there are no proportions to keep.
  if (!pClient || !pServices || !(w > 0.0) || !(h > 0.0))
    return;
  CRect area;
  pClient->GetClientRect(&area);
  const CSize caption = pServices->GetCaptionAndBorderSize();
  const int height = std::max(static_cast<int>(h / w * (area.Width() - caption.cx)), kMinFrameHeight);
  if (height <= area.Height()) {
    SizeFrameWithItsBars(pClient, CSize(area.Width() - caption.cx, height));
    return;
  }
  const int width = std::max(static_cast<int>(w / h * (area.Height() - caption.cy)), kMinFrameWidth);
  if (area.Width() >= width)
    SizeFrameWithItsBars(pClient, CSize(width, area.Height() - caption.cy));
}

void CWorkbenchView::SizeFrameWithItsBars(CWnd* pClient, CSize size)
{
  CFrameWnd* pFrame = GetParentFrame();
  CRect area;
  pClient->GetClientRect(&area);
  // A client few window pixels wide (a small main window, or a device ratio above 1) would give
  // a tall design's frame less width than its dialog bar needs, cutting off Store Design: the
  // frame takes the bars' width as far as the client reaches, moved left to stay inside it.
  CWorkbenchFrame* pWorkbench = GetWorkbenchFrame();
  const int bars = pWorkbench ? pWorkbench->WidthForBars() : 0;
  size.cx = std::min(std::max(static_cast<int>(size.cx), bars), static_cast<int>(area.Width()));
  CRect place;
  pFrame->GetWindowRect(&place);
  pClient->ScreenToClient(&place);
  if (place.left + size.cx <= area.right) {
    pFrame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  pFrame->SetWindowPos(nullptr, area.right - size.cx, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWorkbenchView::RestoreStoredView()
{
  const CDesignData& data = GetDesign()->GetDesignData();
  if (data.GetScaleFactor() == 0.0) {
    // The frame is laid out and shown after this; the fit is made again once it has its size.
    FitFirstView();
    m_bFirstViewPending = TRUE;
    return;
  }
  SetScaleFactor(data.GetScaleFactor(), TRUE);
  // The frame takes its stored place before the scroll position, which depends on the client
  // size the frame gives the view.
  CFrameWnd* pFrame = GetParentFrame();
  CWnd* pClient = MdiClientOf(pFrame);
  if (pClient) {
    CRect rect = data.GetWindowRect();
    pClient->ScreenToClient(&rect);
    CRect area;
    pClient->GetClientRect(&area);
    CWorkbenchServices* pServices = GetWorkbenchServices();
    const int caption = pServices ? pServices->GetCaptionAndBorderSize().cy : 0;
    // The title bar must stay within reach inside the MDI client.
    const int left = std::clamp(static_cast<int>(rect.left), 0, std::max(0, area.Width() - rect.Width()));
    const int top = std::clamp(static_cast<int>(rect.top), 0, std::max(0, area.Height() - caption));
    pFrame->SetWindowPos(nullptr, left, top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // A maximised frame is as large as the MDI client: in a client as large as the one it was
    // stored in it is maximised again, and keeps the size it had for when it is restored.
    if (rect.Size() == area.Size())
      if (CWorkbenchFrame* pWorkbench = GetWorkbenchFrame())
        pWorkbench->ShowMaximisedFirst();
  }
  ScrollToDevicePosition(data.GetScrollPosition());
  // The view is still hidden and not laid out: whether the window suits the stored view is known
  // once the frame has its size, at the view's first paint.
  m_bStoredViewPending = TRUE;
  m_bStoredViewDue = TRUE;
}

BOOL CWorkbenchView::StoredViewSuitsWindow() const
{
  CFrameWnd* pFrame = GetParentFrame();
  CWnd* pClient = MdiClientOf(pFrame);
  if (!pClient)
    return TRUE;
  const CDesignData& data = GetDesign()->GetDesignData();
  const CSize stored = data.GetWindowRect().Size();
  CRect frame;
  pFrame->GetWindowRect(&frame);
  CRect area;
  pClient->GetClientRect(&area);
  // A maximised frame fills the MDI client and has no caption, so a restored frame of that size
  // has the smaller view. The frames' bars are the same in both states.
  const BOOL storedMaximised = stored == area.Size();
  const BOOL maximised = pFrame->IsZoomed();
  if (storedMaximised && !maximised)
    return FALSE;
  if (frame.Width() < stored.cx || frame.Height() < stored.cy)
    return FALSE;
  const CRect client = GetClientRect();
  if (frame.Size() != stored || storedMaximised != maximised) {
    // A larger window than the stored one shows the design at least as large as a fit would.
    const CVRX2DRectangle design = GetDesignExtents();
    const CVRX2DVector size = design.GetMaxPoint() - design.GetMinPoint();
    if (m_dScaleFactor < CZoomTool::ScaleForRect(size.GetX(), size.GetY(), client.Size(), GetLogPixels()))
      return FALSE;
  }
  // A frame stored maximised in a main window of another size is taken for a restored one; a
  // design its view showed whole and this one cuts is fitted.
  return !StoredViewShowedDesign() || DesignLiesWithin(m_ptScrollPos, client.Size());
}

BOOL CWorkbenchView::StoredViewShowedDesign() const
{
  // A maximised frame's client is as large as its stored rectangle; a restored one's is smaller.
  const CDesignData& data = GetDesign()->GetDesignData();
  return DesignLiesWithin(data.GetScrollPosition(), data.GetWindowRect().Size());
}

BOOL CWorkbenchView::DesignLiesWithin(CPoint origin, CSize size) const
{
  if (!m_pItemList || m_pItemList->IsEmpty())
    return FALSE;
  const CVRX2DRectangle design = GetDesignExtents();
  const CSize low = WorldToDevice(design.GetMinPoint().AsVector());
  const CSize high = WorldToDevice(design.GetMaxPoint().AsVector());
  return low.cx >= origin.x && high.cx < origin.x + size.cx && low.cy >= origin.y && high.cy < origin.y + size.cy;
}

void CWorkbenchView::FitFirstView()
{
  const CRect client = GetClientRect();
  if (client.IsRectEmpty() || !GetDesign())
    return;
  const CDesignData& data = GetDesign()->GetDesignData();
  const double w = data.GetDesignWidth() > 0.0 ? data.GetDesignWidth() : kFallbackDesignSize;
  const double h = data.GetDesignHeight() > 0.0 ? data.GetDesignHeight() : kFallbackDesignSize;
  const double sx = client.Width() / (w * m_sizeLogPixels.cx);
  const double sy = client.Height() / (h * m_sizeLogPixels.cy);
  SetFirstViewScale(std::max(std::min(sx, sy), GetFitScaleFactor(TRUE)));
}

// The first view follows the view's size until the user clicks or types in it, or anything
// scales or scrolls it.
void CWorkbenchView::OnSize(UINT nType, int cx, int cy)
{
  CScaleView::OnSize(nType, cx, cy);
  if (m_bFirstViewPending) {
    FitFirstView();
  } else if (m_bStoredViewPending && !m_bStoredViewDue) {
    m_bStoredViewDue = TRUE;
    Invalidate(TRUE);
  }
}

// Sizes seen while the frame is laid out and shown pass before it is painted: the stored view is
// made for the size the frame has then, from the stored data, so no passing size leaves a trace.
void CWorkbenchView::OnPaint()
{
  if (m_bStoredViewPending && m_bStoredViewDue && IsWindowVisible())
    ApplyStoredView();
  CScaleView::OnPaint();
}

BOOL CWorkbenchView::TakeTypedValues()
{
  CWorkbenchFrame* pFrame = GetWorkbenchFrame();
  return !pFrame || pFrame->ValidateQuantity();
}

void CWorkbenchView::UpdateDesignWithWorkbenchData()
{
  PCTRACE(TT_WORKBENCH, TL_IMPORTANT)("CWorkbenchView::UpdateDesignWithWorkbenchData \n");
  CDesign* pDesign = GetDesign();
  if (!pDesign || !m_pItemList)
    return;
  CDesignData& data = pDesign->GetDesignData();
  // A quantity the design cannot take is refused before anything is stored; where nobody can be
  // told (a recovery copy), the design keeps the last quantity it took.
  int quantity = 0;
  if (CWorkbenchFrame* pFrame = GetWorkbenchFrame(); pFrame && pFrame->GetQuantity(quantity))
    data.SetQuantity(quantity);
  const CVRX2DRectangle extents = GetDesignExtents();
  data.SetDesignWidth(extents.GetMaxPoint().GetX());
  data.SetDesignHeight(extents.GetMaxPoint().GetY());
  data.SetScaleFactor(m_dScaleFactor);
  data.SetScrollPosition(m_ptScrollPos);
  if (CFrameWnd* pParent = GetParentFrame()) {
    CRect rect;
    pParent->GetWindowRect(&rect);
    data.SetWindowRect(rect);
  }
}

void CWorkbenchView::SetReadOnly(BOOL bReadOnly)
{
  if (CMenu* pMenu = SharedWorkbenchMenu()) {
    const int editPos = EditMenuPosition(pMenu);
    PCTRACE(TT_WORKBENCH, TL_DETAIL)("SetReadOnly() bReadOnly = %d, nEditPos = %d \n", bReadOnly, editPos);
    if (editPos < 0)
      throw CAppFatalException(kModule, kNoEditMenuLine);
  }
  if (!bReadOnly && !IsSelectorModeOff())
    return;
  m_nEditMode = bReadOnly ? wemReadOnly : wemEditable;
  // The menu shows the state of the Workbench in front; another one in front keeps its own, and
  // this one's is shown again when it comes forward.
  auto* pChild = dynamic_cast<CMDIChildWnd*>(GetParentFrame());
  CMDIFrameWnd* pMain = pChild ? pChild->GetMDIFrame() : nullptr;
  CMDIChildWnd* pActive = pMain ? pMain->MDIGetActive() : nullptr;
  if (!pActive || pActive == pChild || !dynamic_cast<CWorkbenchFrame*>(pActive))
    ShowEditModeInMenu();
  SetCurrentTool(bReadOnly ? wbtView : wbtSelect);
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->OnUpdateFrameTitle(TRUE);
}

void CWorkbenchView::ShowEditModeInMenu() const
{
  CMenu* pMenu = SharedWorkbenchMenu();
  const int editPos = pMenu ? EditMenuPosition(pMenu) : -1;
  if (editPos < 0)
    return;
  const UINT state = MF_BYPOSITION | (m_nEditMode == wemReadOnly ? MF_GRAYED : MF_ENABLED);
  pMenu->EnableMenuItem(static_cast<UINT>(editPos), state);
  pMenu->EnableMenuItem(static_cast<UINT>(editPos + 2), state);
  // The bar is built again only where this changed what it shows.
  if (CWnd* pMain = AfxGetMainWnd())
    pMain->DrawMenuBar();
}
