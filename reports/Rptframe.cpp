#include "reports/Rptframe.h"
#include "ui/dlg/Ctrls.h"

#include <algorithm>

#include <vector>

#include "ui/docview/Doc.h"
#include "ui/wnd/Msg.h"
#include "ui/wnd/Resource.h"
#include "reports/Rptview.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CReportFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CScheduleReportFrame, CReportFrame)
IMPLEMENT_DYNCREATE(CUnitInfoReportFrame, CReportFrame)

BEGIN_MESSAGE_MAP(CReportFrame, CDlgAdornedFrame)
  ON_COMMAND(ID_REPORT_CLOSE, OnReportClose)
END_MESSAGE_MAP()

namespace {
constexpr const char* kSchedulePrefix = "Window & Patio Door Schedule: ";
constexpr const char* kUnitInfoPrefix = "Unit Information Report: ";
}  // namespace

CReportFrame::CReportFrame(const CString& caption, UINT nDialogBarID, int reportKind)
  : CDlgAdornedFrame(caption, nDialogBarID), m_nReportType(reportKind)
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("Constructing the Report frame. \n");
}

CReportFrame::~CReportFrame() { PCTRACE(TT_VIEWS, TL_DETAIL)("Destructing the Report frame. \n"); }

CString CReportFrame::ComposeReportCaption(const CString& prefix, const CString& projectTitle)
{
  return prefix + projectTitle;
}

void CReportFrame::OnReportClose() { SendMessage(WM_CLOSE, 0, 0); }

void CReportFrame::UpdateReportTitle(BOOL bAddToTitle, const char* prefix)
{
  if (!bAddToTitle)
    return;
  CDocument* pDoc = GetActiveDocument();
  if (!pDoc)
    return;
  SetWindowText(ComposeReportCaption(prefix, pDoc->GetTitle()));
}

CScheduleReportFrame::CScheduleReportFrame()
  : CReportFrame("Window & Patio Door Schedule", IDD_REPORT_BAR, scheduleReport)
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("Constructing the Schedule Report frame. \n");
  m_strDialogBarTitle = "Schedule Report Dialog Bar";
}

CScheduleReportFrame::~CScheduleReportFrame()
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("Destructing the Schedule Report frame. \n");
}

void CScheduleReportFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
  if (bAddToTitle)
    PCTRACE(TT_APPLICATION, TL_VERBOSE)
  ("Updating the Schedule report frame title:  bAddToTitle = %d \n", bAddToTitle);
  UpdateReportTitle(bAddToTitle, kSchedulePrefix);
}

CUnitInfoReportFrame::CUnitInfoReportFrame() : CReportFrame("Unit Information Report", IDD_REPORT_BAR, unitInfoReport)
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("Constructing the Unit Info Report frame. \n");
  m_strDialogBarTitle = "Unit Info Report Dialog Bar";
}

CUnitInfoReportFrame::~CUnitInfoReportFrame()
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("Destructing the Unit Info Report frame. \n");
}

void CUnitInfoReportFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
  if (bAddToTitle)
    PCTRACE(TT_APPLICATION, TL_VERBOSE)
  ("Updating the Unit Info report frame title:  bAddToTitle = %d \n", bAddToTitle);
  UpdateReportTitle(bAddToTitle, kUnitInfoPrefix);
}

void CReportFrame::SetInitialPosition()
{
  CWnd* pClient = GetParent();
  if (!pClient)
    return;
  CRect window;
  GetWindowRect(&window);
  CRect area;
  pClient->GetClientRect(&area);
  const int width = std::min(std::max(window.Width(), WidthForBar()), area.Width());
  if (width != window.Width())
    SetWindowPos(nullptr, 0, 0, width, window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RegisterReportBars()
{
  std::vector<CDialogItemTemplate> items{DialogItem(CDlgCtl::PushButton, ID_REPORT_INSERT, "&Insert...", 5, 2, 33, 12),
                                         DialogItem(CDlgCtl::PushButton, ID_REPORT_EXPORT, "&Export...", 40, 2, 33, 12),
                                         DialogItem(CDlgCtl::PushButton, ID_REPORT_PRINT, "&Print...", 75, 2, 33, 12),
                                         DialogItem(CDlgCtl::PushButton, ID_REPORT_CLOSE, "C&lose", 110, 2, 33, 12),
                                         DialogItem(CDlgCtl::PushButton, ID_HELP, "&Help", 145, 2, 33, 12),
                                         DialogItem(CDlgCtl::PushButton, ID_REPORT_UPDATE, "&Update", 180, 2, 33, 12),
                                         DialogItem(CDlgCtl::PushButton, ID_REPORT_COPY, "&Copy", 215, 2, 33, 12)};
  CResources::Get().AddDialog(IDD_REPORT_BAR, CDialogTemplate{"", CSize(253, 16), std::move(items)});
}
