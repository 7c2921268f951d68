#include "app/Prjviews.h"

#include "document/Doc.h"
#include "platform/ui/draw/Dc.h"
#include "platform/ui/wnd/Resource.h"

IMPLEMENT_DYNCREATE(CWorkbenchFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CWorkbenchView, CView)
IMPLEMENT_DYNCREATE(CPlanFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CElevationFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CDetailFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CScheduleReportFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CUnitInfoReportFrame, CDlgAdornedFrame)
IMPLEMENT_DYNAMIC(CBlankView, CView)
IMPLEMENT_DYNCREATE(CPlanView, CBlankView)
IMPLEMENT_DYNCREATE(CElevationView, CBlankView)
IMPLEMENT_DYNCREATE(CDetailView, CBlankView)
IMPLEMENT_DYNCREATE(CScheduleReportView, CBlankView)
IMPLEMENT_DYNCREATE(CUnitInfoReportView, CBlankView)

namespace
{
constexpr UINT IDD_WORKBENCH_BAR = 306;
constexpr UINT IDC_WORKBENCH_CLOSE = 314;
constexpr UINT IDC_WORKBENCH_QUANTITY = 316;
constexpr UINT IDC_STORE_DESIGN = 337;
constexpr UINT IDD_PLAN_BAR = 1501;
constexpr UINT IDD_ELEVATION_BAR = 1601;
constexpr UINT IDD_DETAIL_BAR = 1702;
constexpr UINT IDD_REPORT_BAR = 3102;

CDialogItemTemplate BarItem(CDlgCtl kind, UINT id, const char* text, int x, int cx)
{
  CDialogItemTemplate item;
  item.kind = kind;
  item.id = id;
  item.text = text;
  item.rect = CRect(x, 2, x + cx, 14);
  return item;
}

void AddBar(UINT id, std::vector<CDialogItemTemplate> items)
{
  CResources::Get().AddDialog(id, CDialogTemplate{"", CSize(220, 16), std::move(items)});
}
}  // namespace

void RegisterProjectViewBars()
{
  AddBar(IDD_WORKBENCH_BAR, {BarItem(CDlgCtl::PushButton, IDC_WORKBENCH_CLOSE, "&Close", 5, 40),
                             BarItem(CDlgCtl::Static, static_cast<UINT>(-1), "Quantity:", 52, 34),
                             BarItem(CDlgCtl::Edit, IDC_WORKBENCH_QUANTITY, "1", 88, 30),
                             BarItem(CDlgCtl::PushButton, IDC_STORE_DESIGN, "Store &Design", 125, 55)});
  AddBar(IDD_PLAN_BAR, {});
  AddBar(IDD_ELEVATION_BAR, {});
  AddBar(IDD_DETAIL_BAR, {});
  AddBar(IDD_REPORT_BAR, {});
}

BEGIN_MESSAGE_MAP(CWorkbenchFrame, CDlgAdornedFrame)
  ON_COMMAND(IDC_WORKBENCH_CLOSE, OnCloseButton)
  ON_COMMAND(IDC_STORE_DESIGN, OnStoreDesign)
END_MESSAGE_MAP()

CWorkbenchFrame::CWorkbenchFrame() : CDlgAdornedFrame("Workbench", IDD_WORKBENCH_BAR)
{
  m_strDialogBarTitle = "Workbench Dialog Bar";
}

void CWorkbenchFrame::OnCloseButton()
{
  SendMessage(WM_CLOSE);
}

void CWorkbenchFrame::OnStoreDesign()
{
  if (auto* pDoc = dynamic_cast<CDoc*>(GetActiveDocument())) {
    pDoc->StoreEditedDesign(FALSE, TRUE);
    // Storing may have named the design.
    pDoc->UpdateFrameTitles();
  }
}

void CWorkbenchFrame::OnClose()
{
  auto* pDoc = dynamic_cast<CDoc*>(GetActiveDocument());
  if (pDoc && !pDoc->OkToCloseEditedDesign())
    return;
  if (pDoc) {
    for (CView* pView : {pDoc->GetPlanView(), pDoc->GetElevationView(), pDoc->GetDetailView()})
      if (pView)
        pView->GetParentFrame()->DestroyWindow();
    // Before the frame goes: the base close may close the project when this is its last frame.
    pDoc->CloseEditedDesign();
  }
  CDlgAdornedFrame::OnClose();
}

void CWorkbenchView::OnDraw(CDC* pDC)
{
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(255, 255, 255));
}

CPlanFrame::CPlanFrame() : CDlgAdornedFrame("Plan View", IDD_PLAN_BAR)
{
  m_strDialogBarTitle = "Plan Dialog Bar";
}

CElevationFrame::CElevationFrame() : CDlgAdornedFrame("Elevation View", IDD_ELEVATION_BAR)
{
  m_strDialogBarTitle = "Elevation Dialog Bar";
}

CDetailFrame::CDetailFrame() : CDlgAdornedFrame("Detail View", IDD_DETAIL_BAR)
{
  m_strDialogBarTitle = "Detail Dialog Bar";
}

CScheduleReportFrame::CScheduleReportFrame() : CDlgAdornedFrame("Window & Patio Door Schedule", IDD_REPORT_BAR)
{
  m_strDialogBarTitle = "Schedule Report Dialog Bar";
}

CUnitInfoReportFrame::CUnitInfoReportFrame() : CDlgAdornedFrame("Unit Information Report", IDD_REPORT_BAR)
{
  m_strDialogBarTitle = "Unit Info Report Dialog Bar";
}

void CBlankView::OnDraw(CDC* pDC)
{
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(255, 255, 255));
}
