#include "views/Aspframe.h"

#include <algorithm>

#include "ui/wnd/WinApp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CAspectFrame, CDlgAdornedFrame)
IMPLEMENT_DYNCREATE(CPlanFrame, CAspectFrame)
IMPLEMENT_DYNCREATE(CElevationFrame, CAspectFrame)
IMPLEMENT_DYNCREATE(CDetailFrame, CAspectFrame)

namespace {
// The dialog bar templates of the three frames.
constexpr UINT kPlanBar = 1501;
constexpr UINT kElevationBar = 1601;
constexpr UINT kDetailBar = 1702;
// The main frame's commands that hide or show each view.
constexpr UINT kTogglePlanView = 1505;
constexpr UINT kToggleElevationView = 1603;
constexpr UINT kToggleDetailView = 1704;
}  // namespace

BEGIN_MESSAGE_MAP(CAspectFrame, CDlgAdornedFrame)
  ON_COMMAND(ID_CLOSE_THE_VIEW, OnCloseView)
END_MESSAGE_MAP()

CAspectFrame::CAspectFrame(const CString& suffix, UINT nDialogBarID, UINT nCloseCommand)
  : CDlgAdornedFrame(suffix, nDialogBarID), m_nCloseCommand(nCloseCommand)
{}

void CAspectFrame::OnCloseView()
{
  if (CWnd* pMain = AfxGetMainWnd())
    pMain->SendMessage(WM_COMMAND, m_nCloseCommand, 0);
}

void CAspectFrame::OnSysCommand(UINT nID, LPARAM lParam)
{
  // The frame is never destroyed by its close box: the main frame hides its view.
  if ((nID & 0xFFF0) == SC_CLOSE) {
    OnCloseView();
    return;
  }
  CDlgAdornedFrame::OnSysCommand(nID, lParam);
}

CRect CAspectFrame::QuarterOf(const CRect& client, int column, int row)
{
  const int w = client.Width();
  const int h = client.Height();
  return CRect(CPoint(column * (w / 2), row * (h / 2)), CSize(w / 2, h / 2));
}

void CAspectFrame::PlaceInQuarter(int column, int row)
{
  CWnd* pClient = GetParent();
  if (!pClient)
    return;
  CRect client;
  pClient->GetClientRect(&client);
  CRect place = QuarterOf(client, column, row);
  // A quarter narrower than the bar (a small client, or a device ratio that shrinks the client
  // in window pixels while the bar keeps them) would cut off the bar's last buttons: the frame
  // takes the bar's width as far as the client reaches, moved left to stay inside it.
  const int width = std::min(std::max(place.Width(), WidthForBar()), client.Width());
  place.left = std::min(place.left, client.right - width);
  place.right = place.left + width;
  PCTRACE(TT_VIEWS, TL_DETAIL)
  ("Placing the aspect frame at (%d, %d), %d by %d\n", place.left, place.top, place.Width(), place.Height());
  SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

CPlanFrame::CPlanFrame() : CAspectFrame("(Plan)", kPlanBar, kTogglePlanView)
{
  m_strDialogBarTitle = "Plan Dialog Bar";
}

void CPlanFrame::SetInitialPosition() { PlaceInQuarter(1, 0); }

CElevationFrame::CElevationFrame() : CAspectFrame("(Elevation)", kElevationBar, kToggleElevationView)
{
  m_strDialogBarTitle = "Elevation Dialog Bar";
}

void CElevationFrame::SetInitialPosition() { PlaceInQuarter(0, 1); }

CDetailFrame::CDetailFrame() : CAspectFrame("(Detail)", kDetailBar, kToggleDetailView)
{
  m_strDialogBarTitle = "Detail Dialog Bar";
}

void CDetailFrame::SetInitialPosition() { PlaceInQuarter(1, 1); }
