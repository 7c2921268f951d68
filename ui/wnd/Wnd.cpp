#include "ui/wnd/Wnd.h"

#include <cstring>
#include <map>

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStyle>
#include <QWidget>

#include "ui/wnd/Cursor.h"
#include "ui/draw/Dc.h"
#include "ui/draw/DcDevice.h"
#include "ui/draw/DcMapping.h"
#include "ui/dlg/DialogService.h"
#include "ui/frame/Frame.h"
#include "ui/wnd/MessagePump.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;

namespace {
struct CWndClass
{
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
};

std::map<std::string, CWndClass>& ClassRegistry()
{
  // Never destroyed, like the other registries windows reach at exit.
  static auto* registry = new std::map<std::string, CWndClass>;
  return *registry;
}
}  // namespace

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, const void*)
{
  CString name;
  name.Format("Afx:%x:%p:%p", nClassStyle, static_cast<const void*>(hCursor), static_cast<const void*>(hbrBackground));
  auto& registry = ClassRegistry();
  auto it = registry.emplace(name.str(), CWndClass{hCursor, hbrBackground}).first;
  return it->first.c_str();
}

CWnd::CWnd() : m_pImpl(std::make_unique<CWndImpl>(this)) {}

CWnd::~CWnd()
{
  if (m_hWnd) {
    QWidget* outer = m_pImpl->Outer();
    const bool owned = m_pImpl->m_bOwnsWidget;
    DetachHandle();
    if (outer && owned)
      outer->deleteLater();
  }
}

CWnd* CWnd::FromHandle(HWND hWnd) { return FromHandlePermanent(hWnd); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
  if (!hWnd)
    return nullptr;
  auto& handles = CWndGlobals::Get().handles;
  auto it = handles.find(hWnd);
  return it == handles.end() ? nullptr : it->second;
}

HWND CWnd::GetChildHost() const { return m_pImpl->ChildHost(); }
HWND CWnd::GetOuterHandle() const { return m_pImpl->Outer(); }

void CWnd::AttachHandle(HWND hClient, HWND hOuter, BOOL bOwnerPaints)
{
  m_hWnd = hClient;
  m_pImpl->Attach(hClient, hOuter, bOwnerPaints != FALSE);
}

void CWnd::DetachHandle()
{
  m_pImpl->Detach();
  m_hWnd = nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

HWND CWnd::CreateHandle(const CREATESTRUCT& cs, HWND hParentHost)
{
  QWidget* widget = nullptr;
  if (cs.style & WS_CHILD)
    widget = new QWidget(hParentHost);
  else {
    Qt::WindowFlags flags = Qt::Window;
    if (cs.style & WS_POPUP)
      flags |= Qt::FramelessWindowHint;
    if (cs.dwExStyle & WS_EX_TOPMOST)
      flags |= Qt::WindowStaysOnTopHint;
    widget = new QWidget(hParentHost ? hParentHost->window() : nullptr, flags);
  }
  AttachHandle(widget, nullptr, TRUE);
  return widget;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext)
{
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, UINT nID, void* lpParam)
{
  CREATESTRUCT cs;
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.pParent = FromHandle(hWndParent);
  cs.nID = nID;
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs))
    return FALSE;
  m_dwStyle = cs.style;
  m_dwExStyle = cs.dwExStyle;
  m_nID = cs.nID;
  m_strClass = cs.lpszClass;
  auto cls = ClassRegistry().find(cs.lpszClass.str());
  if (cls != ClassRegistry().end()) {
    m_pImpl->m_hClassCursor = cls->second.hCursor;
    if (cls->second.hbrBackground)
      m_pImpl->SetBackgroundColour(cls->second.hbrBackground->GetColor(), true);
    else
      m_pImpl->SetBackgroundColour(RGB(255, 255, 255), false);
  }
  if (!CreateHandle(cs, cs.pParent ? cs.pParent->GetChildHost() : nullptr) || !m_hWnd)
    return FALSE;
  QWidget* outer = m_pImpl->Outer();
  if (cs.cx > 0 || cs.cy > 0)
    outer->setGeometry(cs.x, cs.y, std::max(cs.cx, 0), std::max(cs.cy, 0));
  m_strText = cs.lpszName;
  ApplyWindowText(m_strText);
  if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow();
    return FALSE;
  }
  if (!m_hWnd)
    return FALSE;
  SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(m_hWnd->width(), m_hWnd->height()));
  if (m_dwStyle & WS_DISABLED)
    EnableWindow(FALSE);
  if (m_dwStyle & WS_VISIBLE)
    ShowWindow(SW_SHOW);
  return TRUE;
}

namespace {
int g_nDestroyingWindows = 0;

// Counts the windows whose destruction is under way, its children's included.
struct CDestroyingWindow
{
  CDestroyingWindow() { ++g_nDestroyingWindows; }
  ~CDestroyingWindow() { --g_nDestroyingWindows; }
  CDestroyingWindow(const CDestroyingWindow&) = delete;
  CDestroyingWindow& operator=(const CDestroyingWindow&) = delete;
};
}  // namespace

BOOL CWnd::IsDestroyingWindows() { return g_nDestroyingWindows > 0; }

BOOL CWnd::DestroyWindow()
{
  if (!m_hWnd)
    return FALSE;
  const CDestroyingWindow destroying;
  if (GetCapture() == this)
    ReleaseCapture();
  SendMessage(WM_DESTROY);
  if (!m_hWnd)
    return TRUE;
  // Child windows go before their parent, as they would with the parent's window.
  std::vector<QPointer<QWidget>> children;
  for (QWidget* w : m_hWnd->findChildren<QWidget*>())
    children.emplace_back(w);
  if (QWidget* outer = m_pImpl->Outer(); outer != m_hWnd)
    for (QWidget* w : outer->findChildren<QWidget*>())
      children.emplace_back(w);
  for (const QPointer<QWidget>& w : children)
    if (CWnd* child = w ? FromHandlePermanent(w) : nullptr;
        child && child != this && child->m_hWnd == w && child->GetParent() == this)
      child->DestroyWindow();
  QWidget* outer = m_pImpl->Outer();
  m_pImpl->m_bClosing = true;
  DetachHandle();
  if (outer && m_pImpl->m_bOwnsWidget) {
    outer->hide();
    outer->deleteLater();
  }
  m_pImpl->m_bClosing = false;
  PostNcDestroy();
  return TRUE;
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
  CWnd* previous = FromHandlePermanent(hWnd);
  if (!hWnd || m_hWnd)
    return FALSE;
  BOOL ownerPaints = TRUE;
  if (previous) {
    m_nID = previous->m_nID;
    m_dwStyle = previous->m_dwStyle;
    previous->m_pImpl->Detach();
    previous->m_hWnd = nullptr;
  }
  AttachHandle(hWnd, nullptr, ownerPaints);
  m_pImpl->m_bOwnsWidget = false;
  return TRUE;
}

BOOL CWnd::Attach(HWND hWnd)
{
  if (!hWnd || m_hWnd)
    return FALSE;
  AttachHandle(hWnd, nullptr, FALSE);
  m_pImpl->m_bOwnsWidget = false;
  return TRUE;
}

HWND CWnd::Detach()
{
  HWND h = m_hWnd;
  DetachHandle();
  return h;
}

HWND CWnd::UnsubclassWindow()
{
  HWND h = m_hWnd;
  DetachHandle();
  return h;
}

CWnd* CWnd::GetParent() const
{
  QWidget* outer = m_pImpl->Outer();
  if (!outer)
    return nullptr;
  for (QWidget* w = outer->parentWidget(); w; w = w->parentWidget())
    if (CWnd* p = FromHandlePermanent(w); p && p != this)
      return p;
  return nullptr;
}

CWnd* CWnd::GetOwner() const { return m_pOwner ? m_pOwner : GetParent(); }

CWnd* CWnd::GetDlgItem(int nID) const
{
  if (!m_hWnd)
    return nullptr;
  QList<QWidget*> candidates = m_hWnd->findChildren<QWidget*>();
  if (QWidget* outer = m_pImpl->Outer(); outer && outer != m_hWnd)
    candidates += outer->findChildren<QWidget*>();
  for (QWidget* w : candidates) {
    CWnd* child = FromHandlePermanent(w);
    if (child && child != this && child->m_hWnd == w && child->m_nID == static_cast<UINT>(nID) &&
        child->GetParent() == this)
      return child;
  }
  return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const
{
  for (CWnd* p = GetParent(); p; p = p->GetParent())
    if (auto* frame = dynamic_cast<CFrameWnd*>(p))
      return frame;
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
  CFrameWnd* top = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(this));
  for (CFrameWnd* f = GetParentFrame(); f; f = f->GetParentFrame())
    top = f;
  return top;
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
  for (CWnd* p = pWnd ? pWnd->GetParent() : nullptr; p; p = p->GetParent())
    if (p == this)
      return TRUE;
  return FALSE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
  const DWORD old = m_dwStyle;
  m_dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
  return old != m_dwStyle;
}

void CWnd::ApplyWindowText(const CString& text)
{
  m_strText = text;
  if (QWidget* outer = m_pImpl->Outer())
    outer->setWindowTitle(ToQString(text));
}

CString CWnd::ReadWindowText() const { return m_strText; }

void CWnd::SetWindowText(LPCTSTR lpszString) { ApplyWindowText(CString(lpszString)); }

void CWnd::GetWindowText(CString& rString) const { rString = ReadWindowText(); }

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
  if (!lpszStringBuf || nMaxCount <= 0)
    return 0;
  const CString text = ReadWindowText();
  const int n = std::min(text.GetLength(), nMaxCount - 1);
  std::copy_n(text.c_str(), n, lpszStringBuf);
  lpszStringBuf[n] = '\0';
  return n;
}

int CWnd::GetWindowTextLength() const { return ReadWindowText().GetLength(); }

void CWnd::SetFont(CFont* pFont, BOOL)
{
  if (m_hWnd && pFont)
    m_hWnd->setFont(MakeQFont(pFont->GetLogFontRef(), CDcMapping(), m_hWnd));
}

CFont* CWnd::GetFont() const
{
  if (!m_hWnd)
    return nullptr;
  const QFont font = m_hWnd->font();
  LOGFONT lf;
  // A negative height is the character height, which is what a pixel size gives.
  lf.lfHeight =
      -(font.pixelSize() > 0 ? font.pixelSize()
                             : static_cast<int>(font.pointSizeF() * CDC::GetScreenLogPixels().cy / 72.0 + 0.5));
  lf.lfWeight = font.weight();
  lf.lfItalic = font.italic() ? 1 : 0;
  const QByteArray family = font.family().toLatin1();
  std::strncpy(lf.lfFaceName, family.constData(), sizeof(lf.lfFaceName) - 1);
  m_pImpl->m_font.CreateFontIndirect(&lf);
  return &m_pImpl->m_font;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
  QWidget* outer = m_pImpl->Outer();
  if (!outer)
    return FALSE;
  const BOOL wasVisible = !outer->isHidden();
  switch (nCmdShow) {
  case SW_HIDE:
    outer->hide();
    break;
  case SW_SHOWMINIMIZED:
  case SW_MINIMIZE:
    outer->showMinimized();
    break;
  case SW_SHOWMAXIMIZED:
    outer->showMaximized();
    break;
  case SW_SHOWNA:
  case SW_SHOWNOACTIVATE:
    outer->setAttribute(Qt::WA_ShowWithoutActivating, true);
    outer->show();
    outer->setAttribute(Qt::WA_ShowWithoutActivating, false);
    break;
  default:
    outer->show();
    if (outer->isWindow()) {
      outer->raise();
      outer->activateWindow();
    }
    break;
  }
  return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
  QWidget* outer = m_pImpl->Outer();
  return outer && outer->isVisible();
}

BOOL CWnd::IsZoomed() const
{
  QWidget* outer = m_pImpl->Outer();
  return outer && outer->isMaximized();
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
  QWidget* outer = m_pImpl->Outer();
  if (!outer)
    return FALSE;
  const BOOL wasDisabled = !outer->isEnabled();
  outer->setEnabled(bEnable != FALSE);
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
  QWidget* outer = m_pImpl->Outer();
  return outer && outer->isEnabled();
}

void CWnd::GetClientRect(LPRECT lpRect) const { *lpRect = m_pImpl->ClientRect(); }

void CWnd::GetWindowRect(LPRECT lpRect) const
{
  QWidget* outer = m_pImpl->Outer();
  if (!outer) {
    *lpRect = CRect();
    return;
  }
  // A top-level window's rectangle is where MoveWindow put it: its position and its size, so that
  // a rectangle saved at close and restored at the next start stays the same.
  const QPoint topLeft = outer->isWindow() ? outer->pos() : outer->mapToGlobal(QPoint(0, 0));
  const QSize size = outer->size();
  *lpRect = CRect(topLeft.x(), topLeft.y(), topLeft.x() + size.width(), topLeft.y() + size.height());
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL)
{
  if (QWidget* outer = m_pImpl->Outer()) {
    outer->move(x, y);
    outer->resize(std::max(nWidth, 0), std::max(nHeight, 0));
  }
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
  MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
  QWidget* outer = m_pImpl->Outer();
  if (!outer)
    return FALSE;
  if (!(nFlags & SWP_NOMOVE))
    outer->move(x, y);
  if (!(nFlags & SWP_NOSIZE))
    outer->resize(std::max(cx, 0), std::max(cy, 0));
  if (!(nFlags & SWP_NOZORDER) && pWndInsertAfter) {
    if (pWndInsertAfter == &wndBottom)
      outer->lower();
    else if (pWndInsertAfter == &wndTop)
      outer->raise();
    else if (QWidget* other = pWndInsertAfter->m_pImpl->Outer())
      outer->stackUnder(other);
  }
  if (nFlags & SWP_HIDEWINDOW)
    outer->hide();
  if (nFlags & SWP_SHOWWINDOW)
    ShowWindow((nFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  return TRUE;
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
  if (m_hWnd)
    *lpPoint = FromQPoint(m_hWnd->mapToGlobal(ToQPoint(*lpPoint)));
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
  CPoint a(lpRect->left, lpRect->top), b(lpRect->right, lpRect->bottom);
  ClientToScreen(&a);
  ClientToScreen(&b);
  *lpRect = CRect(a, b);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
  if (m_hWnd)
    *lpPoint = FromQPoint(m_hWnd->mapFromGlobal(ToQPoint(*lpPoint)));
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
  CPoint a(lpRect->left, lpRect->top), b(lpRect->right, lpRect->bottom);
  ScreenToClient(&a);
  ScreenToClient(&b);
  *lpRect = CRect(a, b);
}

void CWnd::BringWindowToTop()
{
  if (QWidget* outer = m_pImpl->Outer())
    outer->raise();
}

CWnd* CWnd::SetCapture()
{
  CWndGlobals& g = CWndGlobals::Get();
  CWnd* old = g.pCapture;
  g.pCapture = this;
  if (old && old != this)
    old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
  return old;
}

CWnd* CWnd::GetCapture() { return CWndGlobals::Get().pCapture; }

BOOL ReleaseCapture()
{
  CWndGlobals& g = CWndGlobals::Get();
  CWnd* old = g.pCapture;
  g.pCapture = nullptr;
  if (old && old->m_hWnd)
    old->SendMessage(WM_CAPTURECHANGED, 0, 0);
  // A drag loop waiting for input must notice that its capture is gone.
  CMessagePump::WakeAll();
  return TRUE;
}

CWnd* CWnd::SetFocus()
{
  CWnd* old = GetFocus();
  if (m_hWnd)
    m_hWnd->setFocus(Qt::OtherFocusReason);
  return old;
}

CWnd* CWnd::GetFocus() { return WindowOfWidget(QApplication::focusWidget()); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
  return m_hWnd ? m_pImpl->StartTimer(nIDEvent, nElapse) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return m_pImpl->StopTimer(nIDEvent); }

void CWnd::DragAcceptFiles(BOOL bAccept)
{
  if (QWidget* outer = m_pImpl->Outer())
    outer->setAcceptDrops(bAccept != FALSE);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (!m_hWnd && message != WM_DESTROY)
    return 0;
  return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (!m_hWnd)
    return FALSE;
  MSG msg;
  msg.hwnd = m_hWnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  QCoreApplication::postEvent(m_pImpl->Bridge(), new CPostedMessageEvent(msg));
  return TRUE;
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
  CWnd* item = GetDlgItem(nID);
  return item ? item->SendMessage(message, wParam, lParam) : 0;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
  return DialogService().MessageBox(this, lpszText, lpszCaption, nType, 0);
}

CMenu* CWnd::GetMenu() const { return m_pImpl->m_pMenu; }

BOOL CWnd::SetMenu(CMenu* pMenu)
{
  m_pImpl->m_pMenu = pMenu;
  RefreshMenuBar();
  return TRUE;
}

void CWnd::DrawMenuBar() { RefreshMenuBar(); }

BOOL GetCursorPos(LPPOINT lpPoint)
{
  *lpPoint = CWndGlobals::Get().cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
  CWndGlobals::Get().cursorPos = CPoint(x, y);
  QCursor::setPos(x, y);
  return TRUE;
}

HCURSOR SetCursor(HCURSOR hCursor)
{
  CWndGlobals& g = CWndGlobals::Get();
  HCURSOR old = g.hCursor;
  g.hCursor = hCursor;
  QWidget* target = nullptr;
  if (g.pCapture && g.pCapture->m_hWnd)
    target = g.pCapture->m_hWnd;
  else if (CWnd* under = WindowOfWidget(QApplication::widgetAt(QPoint(g.cursorPos.x, g.cursorPos.y))))
    target = under->m_hWnd;
  if (target)
    ApplyCursor(target, hCursor);
  return old;
}

HCURSOR GetCursor() { return CWndGlobals::Get().hCursor; }

short GetKeyState(int nVirtKey)
{
  const CWndGlobals& g = CWndGlobals::Get();
  bool down = false;
  switch (nVirtKey) {
  case VK_SHIFT:
    down = g.shiftDown;
    break;
  case VK_CONTROL:
    down = g.ctrlDown;
    break;
  case VK_MENU:
    down = g.altDown;
    break;
  case VK_LBUTTON:
    down = (g.buttons & Qt::LeftButton) != 0;
    break;
  case VK_RBUTTON:
    down = (g.buttons & Qt::RightButton) != 0;
    break;
  case VK_MBUTTON:
    down = (g.buttons & Qt::MiddleButton) != 0;
    break;
  default:
    break;
  }
  return down ? static_cast<short>(-128) : 0;
}

int GetSystemMetrics(int nIndex)
{
  const CSize screen = CDC::GetScreenSize();
  QStyle* style = qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
  switch (nIndex) {
  case SM_CXSCREEN:
    return screen.cx;
  case SM_CYSCREEN:
    return screen.cy;
  case SM_CXVSCROLL:
  case SM_CYHSCROLL:
    return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
  case SM_CYCAPTION:
    return style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 18;
  case SM_CXBORDER:
  case SM_CYBORDER:
    return 1;
  // The drag threshold: a press turns into a drag after this many pixels.
  case SM_CXDOUBLECLK:
  case SM_CYDOUBLECLK:
    return 4;
  default:
    return 0;
  }
}

BOOL MessageBeep(UINT)
{
  QApplication::beep();
  return TRUE;
}

DWORD GetTickCount()
{
  static QElapsedTimer timer;
  if (!timer.isValid())
    timer.start();
  return static_cast<DWORD>(timer.elapsed());
}
