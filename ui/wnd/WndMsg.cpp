// Message dispatch of windows: the standard messages reach their virtual handlers, the others
// the message map, and what no handler takes gets the default window behaviour.
#include "ui/dlg/Ctrls.h"
#include "ui/wnd/Cursor.h"
#include "ui/draw/Dc.h"
#include "ui/wnd/Wnd.h"
#include "ui/wnd/WndImpl.h"

namespace {
// The message being handled, for Default(); kept outside the window, which a handler may delete.
MSG g_currentMessage;
}  // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  const MSG saved = g_currentMessage;
  g_currentMessage.hwnd = m_hWnd;
  g_currentMessage.message = message;
  g_currentMessage.wParam = wParam;
  g_currentMessage.lParam = lParam;
  LRESULT result = 0;
  if (!DispatchMapMessage(message, wParam, lParam, result)) {
    BOOL handled = FALSE;
    result = DispatchStandard(message, wParam, lParam, handled);
    if (!handled)
      result = DefWindowProc(message, wParam, lParam);
  }
  g_currentMessage = saved;
  return result;
}

LRESULT CWnd::DispatchStandard(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled)
{
  handled = TRUE;
  const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  const UINT flags = static_cast<UINT>(wParam);
  switch (message) {
  case WM_CREATE:
    return OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
  case WM_DESTROY:
    OnDestroy();
    return 0;
  case WM_CLOSE:
    OnClose();
    return 0;
  case WM_PAINT:
    OnPaint();
    return 0;
  case WM_ERASEBKGND:
    return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
  case WM_SIZE:
    OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
           HIWORD(static_cast<std::uintptr_t>(lParam)));
    return 0;
  case WM_MOVE:
    OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case WM_TIMER:
    OnTimer(static_cast<UINT_PTR>(wParam));
    return 0;
  case WM_LBUTTONDOWN:
    OnLButtonDown(flags, point);
    return 0;
  case WM_LBUTTONUP:
    OnLButtonUp(flags, point);
    return 0;
  case WM_LBUTTONDBLCLK:
    OnLButtonDblClk(flags, point);
    return 0;
  case WM_RBUTTONDOWN:
    OnRButtonDown(flags, point);
    return 0;
  case WM_RBUTTONUP:
    OnRButtonUp(flags, point);
    return 0;
  case WM_MBUTTONDOWN:
    OnMButtonDown(flags, point);
    return 0;
  case WM_MOUSEMOVE:
    OnMouseMove(flags, point);
    return 0;
  case WM_MOUSEWHEEL:
    return OnMouseWheel(LOWORD(static_cast<std::uintptr_t>(wParam)),
                        static_cast<short>(HIWORD(static_cast<std::uintptr_t>(wParam))), point);
  case WM_MOUSEHWHEEL:
    OnMouseHWheel(LOWORD(static_cast<std::uintptr_t>(wParam)),
                  static_cast<short>(HIWORD(static_cast<std::uintptr_t>(wParam))), point);
    return 0;
  case WM_KEYDOWN:
    OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
              HIWORD(static_cast<std::uintptr_t>(lParam)));
    return 0;
  case WM_KEYUP:
    OnKeyUp(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
            HIWORD(static_cast<std::uintptr_t>(lParam)));
    return 0;
  case WM_CHAR:
    OnChar(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
           HIWORD(static_cast<std::uintptr_t>(lParam)));
    return 0;
  case WM_SETCURSOR:
    return OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(static_cast<std::uintptr_t>(lParam)),
                       HIWORD(static_cast<std::uintptr_t>(lParam)));
  case WM_SETFOCUS:
    OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
    return 0;
  case WM_KILLFOCUS:
    OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
    return 0;
  case WM_HSCROLL:
  case WM_VSCROLL: {
    auto* bar = dynamic_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam)));
    const UINT code = LOWORD(wParam);
    const UINT pos = HIWORD(wParam);
    if (message == WM_HSCROLL)
      OnHScroll(code, pos, bar);
    else
      OnVScroll(code, pos, bar);
    return 0;
  }
  case WM_COMMAND:
    return OnCommand(wParam, lParam);
  case WM_SYSCOMMAND:
    OnSysCommand(static_cast<UINT>(wParam), lParam);
    return 0;
  case WM_QUERYENDSESSION:
    return OnQueryEndSession();
  case WM_ENDSESSION:
    OnEndSession(static_cast<BOOL>(wParam));
    return 0;
  case WM_SHOWWINDOW:
    OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
    return 0;
  case WM_CAPTURECHANGED:
    OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
    return 0;
  case WM_DROPFILES:
    if (const auto* path = reinterpret_cast<const CString*>(lParam))
      OnDropFiles(*path);
    return 0;
  default:
    handled = FALSE;
    return 0;
  }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM, LPARAM)
{
  switch (message) {
  case WM_CLOSE:
    DestroyWindow();
    return 0;
  default:
    return 0;
  }
}

LRESULT CWnd::Default()
{
  return DefWindowProc(g_currentMessage.message, g_currentMessage.wParam, g_currentMessage.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
  const UINT nID = LOWORD(wParam);
  // Menus and accelerators (no control) are plain commands; controls carry their notification.
  const int nCode = lParam == 0 ? CN_COMMAND : HIWORD(wParam);
  return OnCmdMsg(nID, nCode, nullptr);
}

int CWnd::OnCreate(LPCREATESTRUCT) { return 0; }
void CWnd::OnDestroy() {}
void CWnd::OnClose() { DestroyWindow(); }

void CWnd::OnPaint()
{
  // Validates the region (and erases when asked) even when nothing is drawn.
  CPaintDC dc(this);
}

BOOL CWnd::OnEraseBkgnd(CDC* pDC)
{
  if (!pDC || !m_pImpl->ErasesBackground())
    return FALSE;
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, m_pImpl->BackgroundColour());
  return TRUE;
}

void CWnd::OnSize(UINT, int, int) {}
void CWnd::OnMove(int, int) {}
void CWnd::OnTimer(UINT_PTR) {}
void CWnd::OnLButtonDown(UINT, CPoint) {}
void CWnd::OnLButtonUp(UINT, CPoint) {}
void CWnd::OnLButtonDblClk(UINT, CPoint) {}
void CWnd::OnRButtonDown(UINT, CPoint) {}
void CWnd::OnRButtonUp(UINT, CPoint) {}
void CWnd::OnMButtonDown(UINT, CPoint) {}
void CWnd::OnMouseMove(UINT, CPoint) {}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return FALSE; }
void CWnd::OnMouseHWheel(UINT, short, CPoint) {}
void CWnd::OnKeyDown(UINT, UINT, UINT) {}
void CWnd::OnKeyUp(UINT, UINT, UINT) {}
void CWnd::OnChar(UINT, UINT, UINT) {}

BOOL CWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
  // The parent may set the cursor for its children; otherwise the window's class cursor shows.
  if (CWnd* parent = GetParent(); parent && (m_dwStyle & WS_CHILD))
    if (parent->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(pWnd ? pWnd->m_hWnd : nullptr),
                            MAKELPARAM(nHitTest, message)))
      return TRUE;
  if (pWnd == this)
    ::SetCursor(m_pImpl->m_hClassCursor ? m_pImpl->m_hClassCursor : AfxStandardCursor(IDC_ARROW));
  return FALSE;
}

void CWnd::OnSetFocus(CWnd*) {}
void CWnd::OnKillFocus(CWnd*) {}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {}

void CWnd::OnSysCommand(UINT nID, LPARAM)
{
  if ((nID & 0xFFF0) == SC_CLOSE)
    SendMessage(WM_CLOSE);
}

BOOL CWnd::OnQueryEndSession() { return TRUE; }
void CWnd::OnEndSession(BOOL) {}
void CWnd::OnShowWindow(BOOL, UINT) {}
void CWnd::OnCaptureChanged(CWnd*) {}
void CWnd::OnDropFiles(const CString&) {}
