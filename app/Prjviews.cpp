#include "app/Prjviews.h"

#include "platform/ui/draw/Dc.h"
#include "platform/ui/wnd/Resource.h"

IMPLEMENT_DYNCREATE(CScheduleReportFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CUnitInfoReportFrame, CDlgAdornedFrame)
IMPLEMENT_DYNAMIC(CBlankView, CView)
IMPLEMENT_DYNCREATE(CPlanView, CBlankView)
IMPLEMENT_DYNCREATE(CElevationView, CBlankView)
IMPLEMENT_DYNCREATE(CDetailView, CBlankView)
IMPLEMENT_DYNCREATE(CScheduleReportView, CBlankView)
IMPLEMENT_DYNCREATE(CUnitInfoReportView, CBlankView)

namespace {
constexpr UINT IDD_PLAN_BAR = 1501;
constexpr UINT IDD_ELEVATION_BAR = 1601;
constexpr UINT IDD_DETAIL_BAR = 1702;
constexpr UINT IDD_REPORT_BAR = 3102;

void AddBar(UINT id, std::vector<CDialogItemTemplate> items)
{
  CResources::Get().AddDialog(id, CDialogTemplate{"", CSize(220, 16), std::move(items)});
}
}  // namespace

void RegisterProjectViewBars()
{
  AddBar(IDD_PLAN_BAR, {});
  AddBar(IDD_ELEVATION_BAR, {});
  AddBar(IDD_DETAIL_BAR, {});
  AddBar(IDD_REPORT_BAR, {});
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
