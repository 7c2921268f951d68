#include "app/Splash.h"

#include "ui/draw/Dc.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CSplashWnd, CWnd)

CSplashWnd::CSplashWnd() { PCTRACE(TT_APPLICATION, TL_DETAIL)("CSplashWnd construction \n"); }

CSplashWnd::~CSplashWnd() { Close(); }

void CSplashWnd::Show(UINT milliseconds)
{
  if (!m_picture.LoadBitmap(kPictureId))
    return;
  CSize size = m_picture.GetSize();
  m_nPictureWidth = size.cx;
  m_nPictureHeight = size.cy;
  // Integer division truncates toward zero, so a screen smaller than the picture gives a
  // negative edge and the picture is still drawn whole from its own corner.
  CSize screen = CDC::GetScreenSize();
  int left = (screen.cx - m_nPictureWidth) / 2;
  int top = (screen.cy - m_nPictureHeight) / 2;
  if (!CreateEx(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_TOPMOST, AfxRegisterWndClass(0), "SplashWindow",
                WS_POPUP | WS_VISIBLE | WS_BORDER, left, top, m_nPictureWidth, m_nPictureHeight, nullptr, 0))
    return;
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  m_nTimerId = SetTimer(kTimerId, milliseconds, nullptr);
}

void CSplashWnd::Close()
{
  if (GetSafeHwnd())
    DestroyWindow();
}

void CSplashWnd::OnPaint()
{
  CPaintDC dc(this);
  dc.DrawBitmap(0, 0, &m_picture);
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
  CWnd::OnTimer(nIDEvent);
  if (nIDEvent == m_nTimerId) {
    KillTimer(m_nTimerId);
    DestroyWindow();
  }
}

BOOL CSplashWnd::PreTranslateMessage(MSG* pMsg)
{
  bool press = pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_MBUTTONDOWN;
  if (press && GetSafeHwnd() && pMsg->hwnd == GetSafeHwnd()) {
    DestroyWindow();
    return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}
