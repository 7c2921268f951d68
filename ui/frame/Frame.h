#pragma once
// Frame windows: a main window with a menu bar, control bars, a status line and the view
// area. Commands go to the active view first, then the frame, then the application.
#include <memory>
#include <optional>
#include <vector>

#include "ui/frame/Menu.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/Wnd.h"

class CControlBar;
class CDocTemplate;
class CDocument;
class CView;
class QObject;

struct CCreateContext
{
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

// Docking sides of control bars.
enum : DWORD
{
  CBRS_ALIGN_LEFT = 0x1000,
  CBRS_ALIGN_TOP = 0x2000,
  CBRS_ALIGN_RIGHT = 0x4000,
  CBRS_ALIGN_BOTTOM = 0x8000,
  CBRS_ALIGN_ANY = 0xF000,
  CBRS_BORDER_TOP = 0x0200,
  CBRS_TOOLTIPS = 0x0010,
  CBRS_FLYBY = 0x0020,
  CBRS_SIZE_DYNAMIC = 0x0004,
  CBRS_TOP = CBRS_ALIGN_TOP,
  CBRS_BOTTOM = CBRS_ALIGN_BOTTOM,
  CBRS_LEFT = CBRS_ALIGN_LEFT
};

class CFrameWnd : public CWnd
{
  DECLARE_DYNCREATE(CFrameWnd)
  DECLARE_MESSAGE_MAP()
public:
  CFrameWnd();
  ~CFrameWnd() override;

  // Creates the frame with the menu, title (first document string) and accelerators of the
  // resource id.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

  virtual CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual void ActivateFrame(int nCmdShow = -1);
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
  // Where a main window opens when nothing else places it: centred on the screen's available
  // area, at four fifths of its width and height.
  static CRect DefaultWindowRect();
  // Lays out the view in the frame's client area (control bars stay where Qt docks them).
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  // The status prompt of a command: the text before "\n" of its string resource.
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  // The message line of the frame's status bar, or of the frame it stands in. A text set here
  // is this frame's message (a view's, through its frame) and holds until the active window
  // changes, a later message or the idle text (AFX_IDS_IDLEMESSAGE) replaces it, or the frame
  // takes it back: a message that no longer holds gives way to the idle text.
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  void TakeBackMessageText();
  CWnd* GetMessageBar();

  void EnableDocking(DWORD dwDockStyle);
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  CControlBar* GetControlBar(UINT nID) const;
  void AddControlBar(CControlBar* pBar);
  // Marks the menu bar's switches of the control bars as the bars stand. The update handlers
  // mark them too, but only when a menu opens; a menu read as it stands (a desktop may show the
  // program's menus itself) would show a shown bar's switch unmarked.
  void ShowBarMarks();
  void RemoveControlBar(CControlBar* pBar);

  // The menu the frame shows (for MDI child frames, the template's shared menu).
  CMenu* GetMenu() const override;
  BOOL SetMenu(CMenu* pMenu) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;
  // The part of the route after a child frame: this frame's own map, its parents, the application.
  BOOL OnCmdMsgFromChild(UINT nID, int nCode, void* pExtra);
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Accelerators of the resource id (used by LoadFrame).
  void LoadAccelTable(UINT nIDResource);

  HMENU m_hMenuDefault = nullptr;
  UINT m_nIDHelp = 0;
  CString m_strTitle;
  BOOL m_bAutoMenuEnable = TRUE;
  enum : UINT
  {
    idleMenu = 1,
    idleTitle = 2
  };
  UINT m_nIdleFlags = 0;
  void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }

protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  void RefreshMenuBar() override;
  void PostNcDestroy() override;
  // The menu that the frame's menu bar shows.
  virtual HMENU GetDisplayedMenu() const;
  // Makes the frame's own widgets (main window and client container) for an existing holder.
  void MakeFrameWidgets(QWidget* pOuter, QWidget* pParentWidget, BOOL bTopLevel);

  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnClose() override;
  BOOL OnQueryEndSession() override;
  void OnDestroy() override;
  void OnSetFocus(CWnd* pOldWnd) override;
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
  void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  BOOL OnBarCheck(UINT nID);
  void OnHelp();

  CView* m_pViewActive = nullptr;
  std::unique_ptr<QObject> m_pLayoutWatcher;
  BOOL m_bOwnsDefaultMenu = FALSE;
  std::vector<CControlBar*> m_bars;
  std::vector<CAccelTemplate> m_accelerators;
  UINT m_nIDTracking = 0;
  DWORD m_dwDockStyle = 0;
  // What the menu bar was last built from; none before it is first built.
  std::optional<CMenuPicture> m_menuBarShows;
  friend class CControlBar;
  friend class CView;
};
