#pragma once
// Windows over Qt widgets. A window keeps the Windows behaviour the program is written for:
// handlers with Windows signatures, messages sent and posted by number, capture, timers with
// ids, a retained client surface with its own invalid region, and painting through CDC.
#include <memory>

#include "platform/core/String.h"
#include "ui/wnd/CmdTarget.h"
#include "ui/draw/Gdi.h"
#include "ui/wnd/Msg.h"

class CDC;
class CFrameWnd;
class CMenu;
class CScrollBar;
class CDataExchange;
class CWndImpl;
class CWnd;

struct CREATESTRUCT
{
  DWORD dwExStyle = 0;
  CString lpszClass;
  CString lpszName;
  DWORD style = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  CWnd* pParent = nullptr;
  UINT nID = 0;
  void* lpCreateParams = nullptr;  // the creation context of frames and views
};
using LPCREATESTRUCT = CREATESTRUCT*;

constexpr UINT HTCLIENT = 1;
constexpr UINT HTERROR = static_cast<UINT>(-2);

// Window class attributes registered by name (cursor and background).
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            const void* hIcon = nullptr);

class CWnd : public CCmdTarget
{
  DECLARE_DYNAMIC(CWnd)
  DECLARE_MESSAGE_MAP()
public:
  CWnd();
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // Creation and destruction.
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                      UINT nID, void* pContext = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y, int nWidth,
                int nHeight, HWND hWndParent, UINT nID, void* lpParam = nullptr);
  virtual BOOL DestroyWindow();
  // Whether a window is being destroyed now: the focus changes its going makes are no user's
  // leaving a field, and a refusal then must not move the keyboard into a window that goes.
  static BOOL IsDestroyingWindows();
  // Binds this object to an existing widget that paints itself.
  BOOL Attach(HWND hWnd);
  HWND Detach();
  // Takes over an existing window, painting included: its messages come to this object.
  BOOL SubclassWindow(HWND hWnd);
  HWND UnsubclassWindow();

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);

  // Identity and relations.
  int GetDlgCtrlID() const { return static_cast<int>(m_nID); }
  void SetDlgCtrlID(int nID) { m_nID = static_cast<UINT>(nID); }
  CWnd* GetParent() const;
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd) { m_pOwner = pOwnerWnd; }
  CWnd* GetDlgItem(int nID) const;
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  BOOL IsChild(const CWnd* pWnd) const;
  DWORD GetStyle() const { return m_dwStyle; }
  DWORD GetExStyle() const { return m_dwExStyle; }
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

  void SetWindowText(LPCTSTR lpszString);
  void GetWindowText(CString& rString) const;
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  int GetWindowTextLength() const;
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  // The font the window shows its text in (its own object, valid while the window lives).
  CFont* GetFont() const;

  // Visibility and geometry (window rectangles in screen coordinates).
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  // Whether the window is maximised.
  BOOL IsZoomed() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  void GetClientRect(LPRECT lpRect) const;
  void GetWindowRect(LPRECT lpRect) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void BringWindowToTop();
  static const CWnd wndTop;
  static const CWnd wndBottom;

  // The retained surface and its invalid region.
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  void ValidateRgn(CRgn* pRgn);
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
  // Copies the invalid region into the region (which must have been created); its kind.
  int GetUpdateRgn(CRgn* pRgn, BOOL bErase = FALSE);
  // Whether every pixel of the rectangle is invalid already; never for an empty rectangle.
  BOOL IsRectInvalid(const CRect& rect) const;
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate, LPRECT lpRectUpdate,
                     UINT flags);
  void ScrollWindow(int dx, int dy, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);
  CDC* GetDC();
  int ReleaseDC(CDC* pDC);
  // The retained pixel at a client point (for checks of what the window shows).
  COLORREF GetSurfacePixel(int x, int y) const;

  // Input.
  CWnd* SetCapture();
  static CWnd* GetCapture();
  CWnd* SetFocus();
  static CWnd* GetFocus();
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer);
  BOOL KillTimer(UINT_PTR nIDEvent);
  void DragAcceptFiles(BOOL bAccept = TRUE);

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

  // Menus.
  virtual CMenu* GetMenu() const;
  virtual BOOL SetMenu(CMenu* pMenu);
  void DrawMenuBar();

  // Dialog data and controls addressed by id, available on every window.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  BOOL OpenClipboard();
  // Sends update requests to the child controls (dialog bars, dialogs).
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

  // The widget that holds this window's children, and the one that shows its frame.
  HWND GetChildHost() const;
  HWND GetOuterHandle() const;
  CWndImpl* Impl() const { return m_pImpl.get(); }

protected:
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  // Makes the widgets of the window; the default is a plain owner-painted child or top level.
  virtual HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost);
  virtual void PostNcDestroy();
  virtual void DoDataExchange(CDataExchange* pDX);
  // The window text as the widget shows it (title, control text); controls replace these.
  virtual void ApplyWindowText(const CString& text);
  virtual CString ReadWindowText() const;
  // Frames rebuild their menu bar from their menu.
  virtual void RefreshMenuBar() {}
  // Binds this object to widgets made elsewhere; ownerPaints says whether the retained surface
  // shows in the client widget.
  void AttachHandle(HWND hClient, HWND hOuter, BOOL bOwnerPaints);
  void DetachHandle();

  // Message handlers with the Windows signatures.
  virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
  virtual void OnDestroy();
  virtual void OnClose();
  virtual void OnPaint();
  virtual BOOL OnEraseBkgnd(CDC* pDC);
  virtual void OnSize(UINT nType, int cx, int cy);
  virtual void OnMove(int x, int y);
  virtual void OnTimer(UINT_PTR nIDEvent);
  virtual void OnLButtonDown(UINT nFlags, CPoint point);
  virtual void OnLButtonUp(UINT nFlags, CPoint point);
  virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
  virtual void OnRButtonDown(UINT nFlags, CPoint point);
  virtual void OnRButtonUp(UINT nFlags, CPoint point);
  virtual void OnMButtonDown(UINT nFlags, CPoint point);
  virtual void OnMouseMove(UINT nFlags, CPoint point);
  // The wheel: zDelta in multiples of WHEEL_DELTA, positive away from the user (or to the
  // right); pt in screen coordinates. TRUE when the window scrolled.
  virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  virtual void OnMouseHWheel(UINT nFlags, short zDelta, CPoint pt);
  virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  virtual void OnSetFocus(CWnd* pOldWnd);
  virtual void OnKillFocus(CWnd* pNewWnd);
  virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  virtual void OnSysCommand(UINT nID, LPARAM lParam);
  // TRUE lets the session end; the main frame first offers to save the modified documents.
  virtual BOOL OnQueryEndSession();
  virtual void OnEndSession(BOOL bEnding);
  virtual void OnShowWindow(BOOL bShow, UINT nStatus);
  virtual void OnCaptureChanged(CWnd* pWnd);
  virtual void OnDropFiles(const CString& path);

  UINT m_nID = 0;
  DWORD m_dwStyle = 0;
  DWORD m_dwExStyle = 0;
  CWnd* m_pOwner = nullptr;
  CString m_strClass;
  CString m_strText;

private:
  friend class CWndImpl;
  friend class CWndBridge;
  LRESULT DispatchStandard(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);

  std::unique_ptr<CWndImpl> m_pImpl;
};

// Free functions of the window interface.
BOOL ReleaseCapture();
BOOL GetCursorPos(LPPOINT lpPoint);
BOOL SetCursorPos(int x, int y);
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
// Key state: negative while the key is down (Shift, Ctrl and the mouse buttons).
short GetKeyState(int nVirtKey);
int GetSystemMetrics(int nIndex);
BOOL MessageBeep(UINT uType);
DWORD GetTickCount();
