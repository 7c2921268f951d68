#include "app/Prjviews.h"

#include "platform/ui/draw/Dc.h"
#include "platform/ui/wnd/Resource.h"
#include "views/Aspbars.h"

IMPLEMENT_DYNCREATE(CScheduleReportFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CUnitInfoReportFrame, CDlgAdornedFrame)
IMPLEMENT_DYNAMIC(CBlankView, CView)
IMPLEMENT_DYNCREATE(CScheduleReportView, CBlankView)
IMPLEMENT_DYNCREATE(CUnitInfoReportView, CBlankView)

namespace {
constexpr UINT IDD_REPORT_BAR = 3102;

void AddBar(UINT id, std::vector<CDialogItemTemplate> items)
{
  CResources::Get().AddDialog(id, CDialogTemplate{"", CSize(220, 16), std::move(items)});
}
}  // namespace

void RegisterProjectViewBars()
{
  RegisterAspectViewBars();
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
