#include "app/Mfclient.h"

#include "app/Shellids.h"
#include "document/Whids.h"
#include "platform/ui/draw/Dc.h"
#include "platform/ui/frame/Menu.h"
#include "platform/ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CMainFrameClient, CWnd)

namespace {
constexpr const char* kModule = "Mfclient";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineNoCaptionFont = 23,
  kLineNoContextMenu = 103,
};

const char kMakerCaption[] = "T   A   R   V   E   X  ";
const char kRegisteredSign[] = "\xAE";

void MakeCaptionFont(CFont& font, int points, int pixelsPerInch)
{
  if (!font.CreateFont(points * pixelsPerInch / 72, 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, 0, 0, PROOF_QUALITY,
                       VARIABLE_PITCH | FF_ROMAN, "TIMES NEW ROMAN"))
    throw CAppFatalException(kModule, kLineNoCaptionFont);
}

TEXTMETRIC MeasureFont(CDC& dc, CFont& font)
{
  dc.SelectObject(&font);
  TEXTMETRIC metrics;
  dc.GetTextMetrics(&metrics);
  return metrics;
}

// White one pixel up and to the left, then the text itself: an embossed look on the grey.
void DrawEmbossed(CDC& dc, int x, int y, const CString& text)
{
  dc.SetTextColor(CMainFrameClient::kHighlight);
  dc.TextOut(x - 1, y - 1, text);
  dc.SetTextColor(CMainFrameClient::kCaption);
  dc.TextOut(x, y, text);
}
}  // namespace

void CMainFrameClient::OnPaint()
{
  PCTRACE(TT_PAINT, TL_VERBOSE)("CMainFrameClient::OnPaint\n");
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kBackground);
  dc.SetBkColor(kBackground);
  DrawCaption(dc, client);
}

void CMainFrameClient::DrawCaption(CDC& dc, const CRect& client)
{
  int pixelsPerInch = dc.GetDeviceCaps(LOGPIXELSY);
  CFont smallFont;
  CFont largeFont;
  MakeCaptionFont(smallFont, 16, pixelsPerInch);
  MakeCaptionFont(largeFont, 32, pixelsPerInch);
  TEXTMETRIC smallMetrics = MeasureFont(dc, smallFont);
  TEXTMETRIC largeMetrics = MeasureFont(dc, largeFont);

  dc.SetBkMode(TRANSPARENT);
  dc.SetTextAlign(TA_BASELINE);

  dc.SelectObject(&largeFont);
  CString caption(kMakerCaption);
  int x = client.right - 2 * largeMetrics.tmAveCharWidth - dc.GetTextExtent(caption).cx;
  DrawEmbossed(dc, x, largeMetrics.tmHeight, caption);

  dc.SelectObject(&smallFont);
  CString sign(kRegisteredSign);
  x = client.right - smallMetrics.tmAveCharWidth - dc.GetTextExtent(sign).cx;
  int y = smallMetrics.tmHeight + largeMetrics.tmInternalLeading + largeMetrics.tmExternalLeading;
  DrawEmbossed(dc, x, y, sign);

  dc.SelectStockObject(SYSTEM_FONT);
}

void CMainFrameClient::OnSize(UINT nType, int cx, int cy)
{
  CWnd::OnSize(nType, cx, cy);
  // The caption hangs from the right edge: a new width moves it, a new height does not.
  if (cx != m_nLastWidth)
    InvalidateRect(nullptr, FALSE);
  m_nLastWidth = cx;
  m_nLastHeight = cy;
}

BOOL CMainFrameClient::OnEraseBkgnd(CDC*) { return TRUE; }

void CMainFrameClient::OnRButtonUp(UINT nFlags, CPoint point)
{
  PCTRACE(TT_APPLICATION, TL_DETAIL)("Right mouse up on main frame client window. \n");
  CWnd::OnRButtonUp(nFlags, point);
  CMenu menu;
  if (!menu.LoadMenu(IDR_CONTEXT_MENUS))
    throw CAppFatalException(kModule, kLineNoContextMenu);
  ClientToScreen(&point);
  menu.GetSubMenu(kMainContextPopup)
      ->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
}

void CMainFrameClient::PostNcDestroy() { delete this; }
