#include "app/Mfclient.h"

#include "app/Shellids.h"
#include "document/Whids.h"
#include "ui/draw/Dc.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CMainFrameClient, CWnd)

namespace {
constexpr const char* kModule = "Mfclient";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineNoCaptionFont = 23,
  kLineNoCaptionPicture = 91,
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

// Where the caption's two texts stand in its picture, the picture's top-right corner being the
// client area's.
struct CMainFrameClient::CCaptionLayout
{
  CSize size;
  CPoint caption;
  CPoint sign;
};

void CMainFrameClient::OnPaint()
{
  PCTRACE(TT_PAINT, TL_VERBOSE)("CMainFrameClient::OnPaint\n");
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kBackground);
  dc.SetBkColor(kBackground);
  if (!m_pCaption)
    MakeCaptionPicture(dc);
  dc.DrawBitmap(client.right - m_sizeCaption.cx, 0, m_pCaption.get());
}

CMainFrameClient::CCaptionLayout CMainFrameClient::MeasureCaption(CDC& dc, int pixelsPerInch)
{
  CFont smallFont;
  CFont largeFont;
  MakeCaptionFont(smallFont, 16, pixelsPerInch);
  MakeCaptionFont(largeFont, 32, pixelsPerInch);
  const TEXTMETRIC smallMetrics = MeasureFont(dc, smallFont);
  const TEXTMETRIC largeMetrics = MeasureFont(dc, largeFont);
  dc.SelectObject(&largeFont);
  const int captionWidth = dc.GetTextExtent(CString(kMakerCaption)).cx;
  dc.SelectObject(&smallFont);
  const int signWidth = dc.GetTextExtent(CString(kRegisteredSign)).cx;
  dc.SelectStockObject(SYSTEM_FONT);
  CCaptionLayout layout;
  // One pixel more on the left and at the top for the embossed highlight.
  const int width = 2 * largeMetrics.tmAveCharWidth + captionWidth + 1;
  layout.size = CSize(width, largeMetrics.tmHeight + largeMetrics.tmDescent + 1);
  layout.caption = CPoint(width - 2 * largeMetrics.tmAveCharWidth - captionWidth, largeMetrics.tmHeight);
  layout.sign = CPoint(width - smallMetrics.tmAveCharWidth - signWidth,
                       smallMetrics.tmHeight + largeMetrics.tmInternalLeading + largeMetrics.tmExternalLeading);
  return layout;
}

void CMainFrameClient::DrawCaption(CDC& dc, int pixelsPerInch, const CCaptionLayout& layout)
{
  CFont smallFont;
  CFont largeFont;
  MakeCaptionFont(smallFont, 16, pixelsPerInch);
  MakeCaptionFont(largeFont, 32, pixelsPerInch);
  dc.FillSolidRect(0, 0, layout.size.cx, layout.size.cy, kBackground);
  dc.SetBkColor(kBackground);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextAlign(TA_BASELINE);
  dc.SelectObject(&largeFont);
  DrawEmbossed(dc, layout.caption.x, layout.caption.y, kMakerCaption);
  dc.SelectObject(&smallFont);
  DrawEmbossed(dc, layout.sign.x, layout.sign.y, kRegisteredSign);
  dc.SelectStockObject(SYSTEM_FONT);
}

// The caption is a picture of its own, measured with the screen's fonts, so that it is drawn at
// the screen's pixel ratio like every other picture and stays sharp under a scale factor.
void CMainFrameClient::MakeCaptionPicture(CDC& dc)
{
  const int pixelsPerInch = dc.GetDeviceCaps(LOGPIXELSY);
  const CCaptionLayout layout = MeasureCaption(dc, pixelsPerInch);
  CResources::Get().AddBitmap(kCaptionPictureId, {layout.size.cx, layout.size.cy, [pixelsPerInch, layout](CDC* pDC) {
                                                    DrawCaption(*pDC, pixelsPerInch, layout);
                                                  }});
  m_pCaption = std::make_unique<CBitmap>();
  if (!m_pCaption->LoadBitmap(kCaptionPictureId))
    throw CAppFatalException(kModule, kLineNoCaptionPicture);
  m_sizeCaption = layout.size;
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
