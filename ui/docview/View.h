#pragma once
// Views: a window that shows its document, draws through OnDraw on the screen and the printer,
// and takes commands before its frame. Scroll views keep a scroll position; form views are
// views laid out from a dialog template.
#include <functional>

#include <QObject>
#include <QPointer>

#include "ui/dlg/CtrlFocus.h"
#include "ui/wnd/Wnd.h"

class CDocument;
class CPrintInfo;
class QScrollBar;

class CView : public CWnd
{
  DECLARE_DYNAMIC(CView)
  DECLARE_MESSAGE_MAP()
public:
  CView();
  ~CView() override;
  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;

  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  // Shows the print dialog (for a print preview too when pInfo asks for it); FALSE when cancelled.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  // Prints; with no printer or "Print to File" ticked, into a PDF file the user names. A view
  // that prints maps the print commands to these; in any other view they stay greyed.
  void OnFilePrint();
  void OnFilePrintPreview();
  // A file name (no folder, no extension) for what the view writes out: its frame's caption,
  // which names the project, the design and the view or report, in the system's bytes (UTF-8).
  virtual CString SuggestOutputName() const;
  // Runs the print loop on a printer device context; newPage starts each page after the first.
  // nCopies copies of the pages: collated the whole range again and again, else each page again.
  void PrintPages(CDC* pDC, CPrintInfo* pInfo, const std::function<void()>& newPage, UINT nCopies = 1,
                  BOOL bCollate = TRUE);

protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnDestroy() override;
  void OnPaint() override;
  // Next Pane and Previous Pane (F6, Shift+F6) in a frame with a dialog bar, the frame's two
  // panes: the keyboard goes from the view to the bar, and from anywhere else back to the view.
  void SwitchPaneWithBar(CWnd* pBar);
  void PostNcDestroy() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CDocument* m_pDocument = nullptr;

private:
  // Prints one page of the range on a fresh sheet (but the first); FALSE when the view has no
  // such page.
  BOOL PrintPage(CDC* pDC, CPrintInfo* pInfo, UINT nPage, BOOL& bFirstSheet, const std::function<void()>& newPage);

  friend class CDocument;
};

class CScrollView : public CView
{
  DECLARE_DYNAMIC(CScrollView)
public:
  static const SIZE sizeDefault;
  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  CPoint GetScrollPosition() const { return m_ptScroll; }
  CSize GetTotalSize() const { return m_sizeTotal; }
  // Scrolls to the point, kept within the scroll range.
  void ScrollToPosition(POINT pt);
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  void OnSize(UINT nType, int cx, int cy) override;
  void UpdateBars();
  void ScrollTo(CPoint pt);

  int m_nMapMode = MM_TEXT;
  CSize m_sizeTotal;
  CSize m_sizePage;
  CSize m_sizeLine;
  CPoint m_ptScroll;
  QScrollBar* m_pHBar = nullptr;
  QScrollBar* m_pVBar = nullptr;
  // Showing a bar resizes the view, which asks for the bars again; that inner request is
  // dropped, the outer one settles both bars.
  bool m_bUpdatingBars = false;
};

class CFormView : public CScrollView
{
  DECLARE_DYNAMIC(CFormView)
public:
  explicit CFormView(UINT nIDTemplate);
  ~CFormView() override;
  void OnInitialUpdate() override;
  void OnDraw(CDC*) override {}
  // Its controls take Return and their Alt mnemonics before the frame and its menus.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Sizes the parent frame so that the form fits in it; a hidden frame once it is shown.
  void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  // The form itself shows no focus and takes no keys: the keyboard goes on to the control that
  // last had it, else to the first one, as a form brought forward gives it back.
  void OnSetFocus(CWnd* pOldWnd) override;
  UINT m_nIDTemplate;

private:
  CControlFocusMemory m_controlFocus;
};
