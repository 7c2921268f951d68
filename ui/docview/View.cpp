#include "ui/docview/View.h"

#include <algorithm>
#include <exception>
#include <memory>

#include <QApplication>
#include <QGridLayout>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>

#include "ui/dlg/Ctrls.h"
#include "ui/draw/Dc.h"
#include "ui/dlg/DialogService.h"
#include "ui/dlg/DlgKeys.h"
#include "ui/dlg/DlgWidget.h"
#include "ui/dlg/FileDlg.h"
#include "ui/dlg/FilePrompt.h"
#include "ui/docview/Doc.h"
#include "ui/frame/Frame.h"
#include "ui/frame/MdiFrame.h"
#include "ui/output/Clipguard.h"
#include "ui/output/PdfOut.h"
#include "ui/output/Print.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)
IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CView, CWnd)
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CView::CView() = default;
CView::~CView() = default;

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  // Views are registered to be drawn whole after every change of size: what they show is placed
  // from the client's bottom or scaled to its size, so the pixels kept would stand elsewhere.
  Impl()->m_bRedrawOnSize = true;
  auto* context = static_cast<CCreateContext*>(lpCreateStruct ? lpCreateStruct->lpCreateParams : nullptr);
  if (context && context->m_pCurrentDoc)
    context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy()
{
  if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
    frame->SetActiveView(nullptr, FALSE);
  if (m_pDocument)
    m_pDocument->RemoveView(this);
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint()
{
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
  // Without a known page count only the first page prints.
  if (pInfo && pInfo->GetMaxPage() == 0xFFFF)
    pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
  if (bActivate && pActivateView == this && m_hWnd)
    SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
  if (CWnd::OnCmdMsg(nID, nCode, pExtra))
    return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  // A click in a view makes it the active view of its frame, and the frame the active child.
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
    if (CFrameWnd* frame = GetParentFrame()) {
      if (auto* child = dynamic_cast<CMDIChildWnd*>(frame);
          child && child->GetMDIFrame() && child->GetMDIFrame()->MDIGetActive() != child)
        child->MDIActivate();
      frame->SetActiveView(this);
    }
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
  if (pInfo->m_bPreview)
    return TRUE;
  CWinApp* app = AfxGetApp();
  if (!app)
    return FALSE;
  // The print dialog shows where a PDF would go; the name is asked for once the dialog is done.
  QPrinter* printer = pInfo->m_pPD->GetPrinter();
  if (printer->outputFormat() == QPrinter::PdfFormat)
    printer->setOutputFileName(PathToQString(SuggestedPathFor("pdf", SuggestOutputName() + ".pdf")));
  return app->DoPrintDialog(pInfo->m_pPD) == IDOK;
}

BOOL CView::PrintPage(CDC* pDC, CPrintInfo* pInfo, UINT nPage, BOOL& bFirstSheet, const std::function<void()>& newPage)
{
  pInfo->m_nCurPage = nPage;
  pInfo->m_bContinuePrinting = TRUE;
  pInfo->m_rectDraw = CRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
  CSavedDC saved(pDC);
  OnPrepareDC(pDC, pInfo);
  if (!pInfo->m_bContinuePrinting)
    return FALSE;
  if (!bFirstSheet)
    newPage();
  bFirstSheet = FALSE;
  OnPrint(pDC, pInfo);
  return TRUE;
}

void CView::PrintPages(CDC* pDC, CPrintInfo* pInfo, const std::function<void()>& newPage, UINT nCopies, BOOL bCollate)
{
  OnBeginPrinting(pDC, pInfo);
  const UINT first = std::max<UINT>(pInfo->GetFromPage(), pInfo->GetMinPage());
  const UINT last = std::min<UINT>(pInfo->GetToPage(), pInfo->GetMaxPage());
  BOOL bFirstSheet = TRUE;
  if (bCollate) {
    for (UINT copy = 0; copy < nCopies; ++copy)
      for (UINT page = first; page <= last; ++page)
        if (!PrintPage(pDC, pInfo, page, bFirstSheet, newPage))
          break;
  } else {
    BOOL bMore = TRUE;
    for (UINT page = first; bMore && page <= last; ++page)
      for (UINT copy = 0; bMore && copy < nCopies; ++copy)
        bMore = PrintPage(pDC, pInfo, page, bFirstSheet, newPage);
  }
  OnEndPrinting(pDC, pInfo);
}

namespace {
constexpr const char* kPdfFilter = "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*||";

// The copies of a print: a printer that makes copies itself is given the count; for any other
// (the PDF writer) the print loop repeats the pages. The printer's own setting comes back
// afterwards, so that its next dialog shows what the user last chose there.
class CPrintCopies
{
public:
  CPrintCopies(QPrinter& printer, const CPrintDialog& dialog)
    : m_printer(printer), m_nOldCount(printer.copyCount()), m_bOldCollate(printer.collateCopies())
  {
    const BOOL bPrinterMakes = printer.supportsMultipleCopies();
    printer.setCopyCount(bPrinterMakes ? dialog.GetCopies() : 1);
    printer.setCollateCopies(dialog.PrintCollate());
    m_nRepeats = bPrinterMakes ? 1 : static_cast<UINT>(dialog.GetCopies());
  }
  ~CPrintCopies()
  {
    m_printer.setCopyCount(m_nOldCount);
    m_printer.setCollateCopies(m_bOldCollate);
  }
  CPrintCopies(const CPrintCopies&) = delete;
  CPrintCopies& operator=(const CPrintCopies&) = delete;

  UINT Repeats() const { return m_nRepeats; }

private:
  QPrinter& m_printer;
  int m_nOldCount;
  bool m_bOldCollate;
  UINT m_nRepeats = 1;
};
}  // namespace

CString CView::SuggestOutputName() const
{
  CString caption;
  if (CFrameWnd* frame = GetParentFrame())
    frame->GetWindowText(caption);
  // The project's title may carry its file's extension, which the new file's name should not.
  if (m_pDocument) {
    const CString path = m_pDocument->GetPathName();
    const int dot = path.ReverseFind('.');
    if (dot > path.ReverseFind('/'))
      caption.Replace(path.Mid(dot), "");
  }
  caption.Replace(":", " -");
  // A caption's brackets mark a design without a name; the file name needs none.
  caption.Replace("(", "");
  caption.Replace(")", "");
  // The caption holds program text in 1252 beside the project's file name in the system's bytes;
  // the file name keeps every character as the caption shows it, in the system's UTF-8.
  return PathFromQString(ToQString(SuggestFileName({caption})));
}

void CView::OnFilePrint()
{
  CPrintInfo info;
  if (!OnPreparePrinting(&info))
    return;
  QPrinter* printer = info.m_pPD->GetPrinter();
  std::unique_ptr<CPdfOutput> pdf;
  if (info.m_pPD->PrintsToFile()) {
    // The file is asked for once: here only when the print dialog did not name it.
    CString path = info.m_pPD->m_strOutputFile;
    if (!path.IsEmpty())
      RememberFolderOf("pdf", path);
    if (path.IsEmpty()) {
      CFileDialog dialog(FALSE, "pdf", SuggestOutputName(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPdfFilter, this);
      dialog.m_ofn.lpstrTitle = "Print to File";
      if (dialog.DoModal() != IDOK)
        return;
      path = dialog.GetPathName();
    }
    pdf = std::make_unique<CPdfOutput>(*printer);
    if (!pdf->Begin(path))
      return;
  }
  // Asked once the PDF writer has taken over a printer printing to a file.
  const CPrintCopies copies(*printer, *info.m_pPD);
  QPainter painter;
  if (!painter.begin(printer)) {
    AfxMessageBox("The printer could not be started.", MB_ICONEXCLAMATION);
    return;
  }
  CDC dc;
  AttachPrinter(dc, painter, *printer);
  const auto newPage = [printer] { printer->newPage(); };
  PrintPages(&dc, &info, newPage, copies.Repeats(), info.m_pPD->PrintCollate());
  painter.end();
  if (pdf)
    pdf->Finish();
}

void CView::OnFilePrintPreview()
{
  CPrintInfo info;
  info.m_bPreview = TRUE;
  if (!OnPreparePrinting(&info))
    return;
  QPrinter* printer = info.m_pPD->GetPrinter();
  // The preview asks for its pages from inside its own event handling: a failure is carried
  // out of it and thrown again once the preview has closed, to the command that asked for it.
  std::exception_ptr failure;
  const BOOL bPrint = DialogService().PrintPreview(this, *printer, [this, &info, &failure](QPrinter* target) {
    if (failure)
      return;
    QPainter painter;
    if (!painter.begin(target))
      return;
    CDC dc;
    AttachPrinter(dc, painter, *target);
    try {
      PrintPages(&dc, &info, [target] { target->newPage(); });
    } catch (...) {
      failure = std::current_exception();
    }
    painter.end();
  });
  if (failure)
    std::rethrow_exception(failure);
  // The preview's Print button prints as the view's Print command does: its dialog, the name it
  // suggests in the folder last printed to, and the PDF replaced only once it is whole.
  if (bPrint)
    SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
}

HWND CScrollView::CreateHandle(const CREATESTRUCT&, HWND hParentHost)
{
  auto* container = new QWidget(hParentHost);
  auto* layout = new QGridLayout(container);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* client = new QWidget(container);
  m_pHBar = new QScrollBar(Qt::Horizontal, container);
  m_pVBar = new QScrollBar(Qt::Vertical, container);
  layout->addWidget(client, 0, 0);
  layout->addWidget(m_pVBar, 0, 1);
  layout->addWidget(m_pHBar, 1, 0);
  m_pHBar->hide();
  m_pVBar->hide();
  AttachHandle(client, container, TRUE);
  QObject::connect(m_pHBar, &QScrollBar::valueChanged, Impl()->Bridge(),
                   [this](int x) { ScrollTo(CPoint(x, m_ptScroll.y)); });
  QObject::connect(m_pVBar, &QScrollBar::valueChanged, Impl()->Bridge(),
                   [this](int y) { ScrollTo(CPoint(m_ptScroll.x, y)); });
  return client;
}

void CView::SwitchPaneWithBar(CWnd* pBar)
{
  if (CWnd::GetFocus() == this && pBar && pBar->IsWindowVisible())
    pBar->SetFocus();
  else
    SetFocus();
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
  m_nMapMode = nMapMode;
  m_sizeTotal = sizeTotal;
  m_sizePage = (sizePage.cx || sizePage.cy) ? CSize(sizePage) : CSize(sizeTotal.cx / 10, sizeTotal.cy / 10);
  m_sizeLine = (sizeLine.cx || sizeLine.cy) ? CSize(sizeLine) : CSize(m_sizePage.cx / 10, m_sizePage.cy / 10);
  UpdateBars();
}

void CScrollView::UpdateBars()
{
  if (!m_hWnd || !m_pHBar || m_bUpdatingBars)
    return;
  m_bUpdatingBars = true;
  // Bars are needed from the whole area, so that a form that fits exactly gets none: one bar
  // is needed when the size does not fit, the other when the first one's room makes it not fit.
  const QWidget* area = GetOuterHandle();
  const int barW = m_pVBar->sizeHint().width();
  const int barH = m_pHBar->sizeHint().height();
  bool needH = m_sizeTotal.cx > area->width();
  bool needV = m_sizeTotal.cy > area->height();
  needV = needV || (needH && m_sizeTotal.cy > area->height() - barH);
  needH = needH || (needV && m_sizeTotal.cx > area->width() - barW);
  const int viewW = area->width() - (needV ? barW : 0);
  const int viewH = area->height() - (needH ? barH : 0);
  auto setBar = [](QScrollBar* bar, bool needed, int total, int view, int page, int line) {
    const QSignalBlocker block(bar);
    bar->setRange(0, needed ? std::max(0, total - view) : 0);
    bar->setPageStep(std::max(1, page));
    bar->setSingleStep(std::max(1, line));
    bar->setVisible(needed);
  };
  setBar(m_pHBar, needH, m_sizeTotal.cx, viewW, m_sizePage.cx, m_sizeLine.cx);
  setBar(m_pVBar, needV, m_sizeTotal.cy, viewH, m_sizePage.cy, m_sizeLine.cy);
  if (QLayout* layout = GetOuterHandle()->layout())
    layout->activate();
  m_bUpdatingBars = false;
  ScrollTo(CPoint(std::clamp(static_cast<int>(m_ptScroll.x), 0, m_pHBar->maximum()),
                  std::clamp(static_cast<int>(m_ptScroll.y), 0, m_pVBar->maximum())));
}

void CScrollView::ScrollTo(CPoint pt)
{
  const CPoint old = m_ptScroll;
  m_ptScroll = pt;
  if (m_pHBar) {
    const QSignalBlocker bh(m_pHBar);
    const QSignalBlocker bv(m_pVBar);
    m_pHBar->setValue(pt.x);
    m_pVBar->setValue(pt.y);
  }
  if (old != pt && m_hWnd)
    ScrollWindow(old.x - pt.x, old.y - pt.y);
}

void CScrollView::ScrollToPosition(POINT pt)
{
  // Within the range the bars allow, as the class library keeps it.
  if (m_pHBar) {
    pt.x = std::clamp(static_cast<int>(pt.x), 0, m_pHBar->maximum());
    pt.y = std::clamp(static_cast<int>(pt.y), 0, m_pVBar->maximum());
  }
  ScrollTo(CPoint(pt));
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
  CView::OnPrepareDC(pDC, pInfo);
  pDC->SetMapMode(m_nMapMode);
  if (!pDC->IsPrinting())
    pDC->SetViewportOrg(-m_ptScroll.x, -m_ptScroll.y);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}

CFormView::CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

CFormView::~CFormView() = default;

int CFormView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  if (CScrollView::OnCreate(lpCreateStruct) == -1)
    return -1;
  const CDialogTemplate* tmpl = CResources::Get().FindDialog(m_nIDTemplate);
  if (!tmpl)
    return -1;
  Impl()->SetBackgroundColour(RGB(240, 240, 240), true);
  CreateDialogControls(this, *tmpl);
  SetScrollSizes(MM_TEXT, DialogUnitsToPixels(tmpl->size));
  // The control that last had the keyboard is the one the form gives it back to.
  m_controlFocus.Watch(m_hWnd, Impl()->Bridge());
  return 0;
}

void CFormView::OnSetFocus(CWnd* pOldWnd)
{
  CScrollView::OnSetFocus(pOldWnd);
  m_controlFocus.PassOn(m_hWnd, FirstFocusControl(m_hWnd), Qt::OtherFocusReason);
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
  return PreTranslateDialogKeys(this, pMsg) || CScrollView::PreTranslateMessage(pMsg);
}

void CFormView::OnInitialUpdate()
{
  UpdateData(FALSE);
  CScrollView::OnInitialUpdate();
}

namespace {
// Fits a form's frame after the frame was first shown, when its borders are settled; the fit is
// dropped when the form goes first.
class CFitWhenShown : public QObject
{
public:
  CFitWhenShown(QWidget* outer, CFormView* form, BOOL bShrinkOnly)
    : QObject(outer), m_form(form), m_formWidget(form->m_hWnd), m_bShrinkOnly(bShrinkOnly)
  {}

  bool eventFilter(QObject*, QEvent* event) override
  {
    if (event->type() != QEvent::Show)
      return false;
    // The widget outlives a form destroyed meanwhile (it is deleted later): the fit runs only
    // while the widget is still the form's window.
    if (QWidget* widget = m_formWidget)
      QTimer::singleShot(0, widget, [widget, form = m_form, shrink = m_bShrinkOnly] {
        if (CWnd::FromHandlePermanent(widget) == form)
          form->ResizeParentToFit(shrink);
      });
    deleteLater();
    return false;
  }

private:
  CFormView* m_form;
  QPointer<QWidget> m_formWidget;
  BOOL m_bShrinkOnly;
};
}  // namespace

void CFormView::ResizeParentToFit(BOOL bShrinkOnly)
{
  CFrameWnd* frame = GetParentFrame();
  QWidget* host = frame ? frame->GetChildHost() : nullptr;
  QWidget* outer = frame ? frame->GetOuterHandle() : nullptr;
  if (!host || !outer)
    return;
  // A maximised or minimised frame keeps the size its state gives it, as the window system keeps
  // it; a fit waiting for the frame to show must not undo a maximise that showed it.
  if (outer->isMaximized() || outer->isMinimized())
    return;
  // A hidden frame's borders are known only once it is on screen.
  if (!outer->isVisible()) {
    outer->installEventFilter(new CFitWhenShown(outer, this, bShrinkOnly));
    return;
  }
  const int extraW = outer->width() - host->width();
  const int extraH = outer->height() - host->height();
  int w = m_sizeTotal.cx + extraW;
  int h = m_sizeTotal.cy + extraH;
  if (bShrinkOnly) {
    w = std::min(w, outer->width());
    h = std::min(h, outer->height());
  }
  outer->resize(w, h);
  // The frame's layouts are settled at once, so that the view has its size on return.
  for (QWidget* widget : {outer, static_cast<QWidget*>(frame->m_hWnd)})
    if (QLayout* layout = widget->layout())
      layout->activate();
  frame->RecalcLayout();
}
