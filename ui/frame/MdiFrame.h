#pragma once
// The multiple-document frames: the main window holds an MDI client in which each child frame
// is a sub-window carrying its own main-window structure (menu, toolbars, dialog bars).
#include <vector>

#include "ui/frame/Frame.h"

class CMDIChildWnd;
class QMdiArea;
class QSize;
class QWidget;

class CMDIFrameWnd : public CFrameWnd
{
  DECLARE_DYNCREATE(CMDIFrameWnd)
  DECLARE_MESSAGE_MAP()
public:
  CMDIFrameWnd();
  ~CMDIFrameWnd() override;

  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDINext();
  void MDIPrev();
  // The frame's accelerators, then the MDI client's own keys: Ctrl+F4 closes the active child
  // window as its close box does, Ctrl+F6 and Ctrl+Tab activate the next one, and with Shift
  // the one before.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  CFrameWnd* GetActiveFrame() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  void RecalcLayout(BOOL = TRUE) override {}
  // Rebuilds the menu bar for the active child (its shared menu) or the frame's own menu, and
  // gives the message line the idle text.
  void OnChildActivated();

  HWND m_hWndMDIClient = nullptr;
  QMdiArea* MdiArea() const { return m_pMdiArea; }

  // The Window menu's commands: arranging the child windows and activating one from the list
  // of open windows that the menu shows below its own items.
  void OnWindowCascade();
  void OnWindowTile();
  void OnWindowArrange();
  void OnWindowActivate(UINT nID);
  void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  void OnUpdateWindowMenu(CCmdUI* pCmdUI);
  void OnUpdateWindowEntry(CCmdUI* pCmdUI);

  // At most this many open windows are listed.
  static constexpr UINT kMaxWindowEntries = 9;

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  HMENU GetDisplayedMenu() const override;
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

private:
  // The shown child windows, in the order they were made.
  std::vector<CMDIChildWnd*> ShownChildren() const;
  // The window to activate when the active one closes: one of its document while that has any,
  // the frame of the document's first view first; otherwise the one active most recently.
  CMDIChildWnd* SuccessorOf(CMDIChildWnd* pClosing) const;
  // The cascade's step, a caption's height of the window given; how many steps it takes, as many
  // as a third of the client's height holds; and the size it gives a window that can be sized,
  // the client less those steps.
  int CascadeStep(QWidget* pSub) const;
  int CascadeSteps(int step) const;
  QSize CascadeSize(int step) const;
  // Brings the client's scroll bars up to the windows it shows after one of them was shown or
  // hidden: the client works them out again when a window moves, changes size or goes, not when
  // one hides or shows.
  void UpdateScrollBarsAfterShowing(QWidget* pSub) const;

  friend class CMDIChildWnd;
  QMdiArea* m_pMdiArea = nullptr;
  CWnd m_wndMDIClient;
  CMDIChildWnd* m_pLastActive = nullptr;
};

class CMDIChildWnd : public CFrameWnd
{
  DECLARE_DYNCREATE(CMDIChildWnd)
  DECLARE_MESSAGE_MAP()
public:
  CMDIChildWnd();
  ~CMDIChildWnd() override;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  CMDIFrameWnd* GetMDIFrame() const;
  void MDIActivate();
  void MDIDestroy() { DestroyWindow(); }
  void ActivateFrame(int nCmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HMENU m_hMenuShared = nullptr;

protected:
  // Activated, the frame gives its view the keyboard, unless the keyboard is already in the
  // frame where it must stay (below).
  virtual void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  // Whether the keyboard stays where it is in the frame as the frame is activated: in a control
  // a press into it gave it to, or in a refused value's control that took it back.
  BOOL KeepsFocusOnActivation() const;
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  void OnDestroy() override;
  HMENU GetDisplayedMenu() const override { return m_hMenuShared; }
  void RefreshMenuBar() override;
  // Moves (and if need be shrinks) the frame so that it lies inside the MDI client.
  void FitInsideClient();
  // How wide the frame must be for its dialog bar (from the bar's template) and what stands
  // beside the bar, with the frame's border; 0 for a template there is not.
  int WidthForDialogBar(UINT nIDTemplate, int nBeside = 0);

  CMDIFrameWnd* m_pMDIFrame = nullptr;
};
