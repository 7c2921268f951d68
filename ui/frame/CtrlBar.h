#pragma once
// Control bars of frames: toolbars with bitmaps of the program's own drawing, the status bar
// with its panes, and dialog bars (a dialog template docked at a side of the frame, or floating).
// Their commands go to the frame; their states come from update handlers at idle time.
#include <climits>
#include <memory>
#include <vector>

#include "ui/dlg/CtrlFocus.h"
#include "ui/frame/Frame.h"
#include "ui/draw/Gdi.h"

class QAction;
class QIcon;
class QDockWidget;
class QLabel;
class QMainWindow;
class QStatusBar;
class QToolBar;

class CControlBar : public CWnd
{
  DECLARE_DYNAMIC(CControlBar)
public:
  ~CControlBar() override;
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
  void EnableDocking(DWORD dwDockStyle);
  virtual BOOL IsFloating() const;
  // Docks the bar at the side of a dock bar id (AFX_IDW_DOCKBAR_*); 0 keeps its style's side.
  virtual void DockAt(UINT nDockBarID);
  virtual void Float(CPoint point);
  DWORD GetBarStyle() const { return m_dwBarStyle; }
  void SetBarStyle(DWORD dwStyle) { m_dwBarStyle = dwStyle; }
  CFrameWnd* GetDockingFrame() const { return m_pDockSite; }
  // The pointer left the bar where it stands now (a menu or window opened over it leaves it too).
  void NotePointerLeft();

protected:
  void Register(CFrameWnd* pFrame, UINT nID, DWORD dwStyle);
  // Registers the bar with a frame parent and makes its window, shown when the style says so.
  BOOL CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
  void OnDestroy() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  QMainWindow* FrameWindow() const;

  CFrameWnd* m_pDockSite = nullptr;
  DWORD m_dwBarStyle = 0;
  DWORD m_dwDockStyle = 0;
  // Where the pointer stood when it last left the bar; none at first.
  CPoint m_ptPointerLeft{INT_MIN, INT_MIN};
};

class CToolBar : public CControlBar
{
  DECLARE_DYNAMIC(CToolBar)

private:
  // The window-creation overload stays reachable only through CWnd.
  using CWnd::Create;

public:
  CToolBar();
  ~CToolBar() override;
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);
  // The strip of button images: one image per button, each as wide as the button size. Buttons of
  // the standard commands show the desktop theme's icons, the strip's images where it has none.
  BOOL LoadBitmap(UINT nIDResource);
  // Button command ids in order; 0 (ID_SEPARATOR) is a separator.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  void SetSizes(CSize sizeButton, CSize sizeImage);
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  int GetCount() const { return static_cast<int>(m_ids.size()); }
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  BOOL IsFloating() const override;
  void DockAt(UINT nDockBarID) override;
  void Float(CPoint point) override;
  // The width the bar takes beside the bars docked at the frame's top and bottom: its column's,
  // shown and docked at a side, known before the frame is laid out; else 0.
  int GetSideWidth() const;
  // The action of a button (for checks of its state).
  QAction* GetAction(int nIndex) const;

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;

private:
  void BuildButtons();
  // The fly-by prompt of the button the pointer came onto.
  void OnButtonHovered(UINT nID);
  QIcon ButtonIcon(UINT nID, int nImage) const;
  std::vector<UINT> m_ids;
  std::vector<QAction*> m_actions;
  CBitmap m_bitmap;
  CBitmap m_bitmapScaled;  // the strip at the screen's device pixel ratio, when above 1
  UINT m_nBitmapID = 0;    // the strip's resource
  CSize m_sizeImage{16, 15};
  // The button whose prompt was shown last.
  UINT m_nFlyByID = 0;
};

class CStatusBar : public CControlBar
{
  DECLARE_DYNAMIC(CStatusBar)

private:
  // The window-creation overload stays reachable only through CWnd.
  using CWnd::Create;

public:
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  // The pane shows the text with the bar's next paint, never at once, whatever bUpdate says. A
  // pane given its width widens to a text longer than that, and stays as wide.
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  // The message line (pane 0) and the window whose message it shows: only that window takes
  // the message back (TakeBackMessage), and a text set without a window has none.
  void SetMessage(LPCTSTR lpszText, const CWnd* pHolder);
  // What the line shows while no message holds: the idle string, else "Ready".
  static CString GetIdleMessage();
  void ShowIdleMessage();
  // The panes after the message line as they stand while no window has told them anything.
  void ShowIdleIndicators();
  void TakeBackMessage(const CWnd* pHolder);
  CString GetPaneText(int nIndex) const;
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  int GetCount() const { return static_cast<int>(m_panes.size()); }
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;

private:
  struct Pane
  {
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    QLabel* label = nullptr;
  };
  static CString IdleIndicatorText(UINT nID);
  std::vector<Pane> m_panes;
  // Compared, never reached through: the window may be gone.
  const CWnd* m_pMessageHolder = nullptr;
};

class CDialogBar : public CControlBar
{
  DECLARE_DYNAMIC(CDialogBar)

private:
  // The window-creation overload stays reachable only through CWnd.
  using CWnd::Create;

public:
  // Makes the bar from a dialog template, docked at the side of its style (CBRS_BOTTOM, CBRS_TOP).
  BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  // Its controls take Return and their Alt mnemonics before the frame and its menus.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL IsFloating() const override;
  void DockAt(UINT nDockBarID) override;
  void Float(CPoint point) override;

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  // The bar itself takes no keys: the keyboard goes on to the control that last had it, else to
  // the first field, its text selected to be typed over.
  void OnSetFocus(CWnd* pOldWnd) override;
  UINT m_nIDTemplate = 0;

private:
  CControlFocusMemory m_controlFocus;
};
