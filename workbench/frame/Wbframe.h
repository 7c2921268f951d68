#pragma once
// The MDI child frame of the Workbench: its toolbar, the dialog bar with Close, Quantity and
// Store Design, the two scroll bars the scale view drives, the New Window Unit commands that arm
// the unit tool, and a title that names the design and the mode.
#include "ui/frame/CtrlBar.h"
#include "ui/dlg/Ctrls.h"
#include "ui/frame/MdiFrame.h"

class CDoc;
class CWorkbenchView;

// The Workbench's dialog bar; no behaviour of its own.
class CWorkbenchDialogBar : public CDialogBar
{
  DECLARE_DYNAMIC(CWorkbenchDialogBar)
};

constexpr UINT IDD_WORKBENCH_BAR = 306;
constexpr UINT IDB_WORKBENCH_TOOLBAR = 307;
constexpr UINT IDC_WORKBENCH_CLOSE = 314;
constexpr UINT IDC_WORKBENCH_QUANTITY = 316;
constexpr UINT IDC_STORE_DESIGN = 337;

class CWorkbenchFrame : public CMDIChildWnd
{
  DECLARE_DYNCREATE(CWorkbenchFrame)
  DECLARE_MESSAGE_MAP()
public:
  CWorkbenchFrame();
  ~CWorkbenchFrame() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void GetMessageString(UINT nID, CString& rMessage) const override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  void ActivateFrame(int nCmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  // The quantity field as a number; FALSE, leaving quantity as it was, when the field holds no
  // quantity a design can take.
  BOOL GetQuantity(int& quantity) const;
  void SetQuantity(int quantity);
  // TRUE when the quantity field holds a whole number the design can take; otherwise tells the
  // user and gives the field the keyboard with its text selected.
  BOOL ValidateQuantity();
  CWorkbenchView* GetWorkbenchView() const;
  CDialogBar* GetDialogBar() { return &m_wndDialogBar; }
  CToolBar* GetToolBar() { return &m_wndToolBar; }
  // The frame width whose client holds the dialog bar's template whole beside the palette docked
  // at a side, in the pixels of the frame's own font; 0 without a template.
  int WidthForBars();
  // The next close leaves the design unstored (a design that could not be opened).
  void CloseWithoutStoring();
  // The frame is maximised when it is first shown: the design was stored from a maximised frame.
  void ShowMaximisedFirst() { m_bShowMaximised = TRUE; }

  // The title for a design name and edit mode.
  static CString ComposeTitle(const CString& designName, BOOL bReadOnly);

protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnClose() override;
  void OnDestroy() override;
  BOOL OnEraseBkgnd(CDC* pDC) override;
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
  void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) override;

  void OnCloseButton();
  void OnStoreDesign();
  void OnNewUnit(UINT nID);
  void OnUpdateNewUnit(CCmdUI* pCmdUI);
  void OnToggleToolBar();
  void OnUpdateToggleToolBar(CCmdUI* pCmdUI);
  void OnToggleDialogBar();
  void OnUpdateToggleDialogBar(CCmdUI* pCmdUI);
  void OnToggleMainToolBar();
  void OnUpdateToggleMainToolBar(CCmdUI* pCmdUI);

private:
  BOOL CreateBars();
  CDoc* GetDoc();

  CWorkbenchDialogBar m_wndDialogBar;
  CToolBar m_wndToolBar;
  BOOL m_bToolBarHidden = FALSE;
  BOOL m_bDialogBarHidden = FALSE;
  CScrollBar m_wndHScrollBar;
  CScrollBar m_wndVScrollBar;
  BOOL m_bDiscardOnClose = FALSE;
  BOOL m_bShowMaximised = FALSE;
};

// The dialog bar template and the toolbar bitmap of the frame, and the trackers' cursors.
void RegisterWorkbenchResources();
