#include "reports/Rptview.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "document/Doc.h"
#include "platform/core/Exception.h"
#include "platform/core/Filemsg.h"
#include "ui/dlg/DialogService.h"
#include "ui/dlg/FileDlg.h"
#include "ui/dlg/Progress.h"
#include "ui/frame/Frame.h"
#include "ui/output/Clipbrd.h"
#include "ui/output/Clipguard.h"
#include "ui/output/Print.h"
#include "ui/wnd/CmdTarget.h"
#include "ui/wnd/WinApp.h"
#include "project/DocServices.h"
#include "reports/Rptsvc.h"
#include "reports/Rptwalk.h"
#include "reports/Schrptgn.h"
#include "reports/Uirptgen.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CReportView, CScrollView)
IMPLEMENT_DYNCREATE(CScheduleReportView, CReportView)
IMPLEMENT_DYNCREATE(CUnitInfoReportView, CReportView)

BEGIN_MESSAGE_MAP(CReportView, CScrollView)
  ON_COMMAND(ID_REPORT_INSERT, OnReportInsert)
  ON_UPDATE_COMMAND_UI(ID_REPORT_INSERT, OnUpdateReportInsert)
  ON_COMMAND(ID_REPORT_EXPORT, OnReportExport)
  ON_COMMAND(ID_REPORT_PRINT, OnReportPrint)
  ON_COMMAND(ID_REPORT_COPY, OnReportCopy)
  ON_COMMAND(ID_REPORT_UPDATE, OnReportUpdate)
  ON_COMMAND(ID_FILE_PRINT, OnReportPrint)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnReportPrintPreview)
END_MESSAGE_MAP()

namespace {
// Points to logical inches: the cell height makes the characters the font size high.
constexpr double kPointsToInches = 0.01383508577753182;
constexpr const char* kNoMemory =
    "There is not enough memory for a copy to be performed. The copy operation cannot be completed.";
constexpr const char* kNoLock =
    "The memory used for copying could not be locked to an address. The copy operation cannot be completed.";
constexpr const char* kNoClipboard =
    "Communication with the clipboard could not be established. The copy operation cannot be completed.";

BOOL CreateReportFont(CFont& font, int height, const CString& face)
{
  font.DeleteObject();
  return font.CreateFont(height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

// The metrics of a font selected for a moment into the device context.
TEXTMETRIC Measure(CDC* pDC, int height, const CString& face)
{
  CFont font;
  CreateReportFont(font, height, face);
  CFont* pPrevious = pDC->SelectObject(&font);
  TEXTMETRIC metrics;
  pDC->GetTextMetrics(&metrics);
  pDC->SelectObject(pPrevious);
  font.DeleteObject();
  return metrics;
}
}  // namespace

CReportView::CReportView() = default;

CReportView::~CReportView() = default;

int CReportView::GetMeasurementUnits() const { return GetDocServices().GetMeasurementUnits(); }

CReportContent* CReportView::Content()
{
  if (!m_pContent && m_strFailure.IsEmpty())
    if (CReportGenerator* pGenerator = GetGenerator())
      m_pContent = std::make_unique<CReportContent>(*pGenerator);
  return m_pContent.get();
}

BOOL CReportView::GenerateReport()
{
  CReportGenerator* pGenerator = GetGenerator();
  if (!pGenerator)
    return TRUE;
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  CWaitCursor wait;
  // Made aside, so a cancelled or failed run leaves the shown report as it was.
  auto pContent = std::make_unique<CReportContent>(*pGenerator);
  CProgress progress(this, "Generating the " + pGenerator->GetTitle() + "...", pDoc ? pDoc->GetDesignCount() : 0, TRUE);
  try {
    pContent->Generate(pDoc, GetMeasurementUnits(), &progress);
  } catch (const CReportCancelled&) {
    PCTRACE(TT_REPORTS, TL_IMPORTANT)("The %s was cancelled.\n", pGenerator->GetTitle().c_str());
    return FALSE;
  }
  m_pContent = std::move(pContent);
  return TRUE;
}

void CReportView::OnInitialUpdate()
{
  SetScrollSizes(MM_TEXT, CSize(0, 0));
  CScrollView::OnInitialUpdate();
  MakeReport(TRUE);
}

void CReportView::MakeReport(BOOL bFirst)
{
  CString failure;
  try {
    const BOOL made = GenerateReport();
    if (bFirst)
      m_bCancelled = !made;
    if (made)
      m_strFailure.Empty();
    return;
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CException& e) {
    failure = e.GetErrorMessage();
  } catch (const std::exception& e) {
    PCTRACE(TT_REPORTS, TL_WARNING)("The report could not be made: %s\n", e.what());
  }
  // Nothing half made is shown or given out: the window says why instead.
  m_strFailure = failure.IsEmpty() ? CString("The report could not be made.") : failure;
  m_pContent.reset();
  m_bLaidOut = FALSE;
  SetScrollSizes(MM_TEXT, CSize(0, 0));
  Invalidate(TRUE);
  TellFailure(m_strFailure);
}

BOOL CReportView::HasReport()
{
  if (m_strFailure.IsEmpty())
    return TRUE;
  TellFailure(m_strFailure);
  return FALSE;
}

void CReportView::SelectReportFont(CDC* pDC)
{
  const int internalLeading = Measure(pDC, 0, m_strFontFace).tmInternalLeading;
  int height = static_cast<int>(pDC->GetDeviceCaps(LOGPIXELSY) * kPointsToInches * m_dFontSize + 0.5) + internalLeading;
  CReportGenerator* pGenerator = GetGenerator();
  if (pDC->IsPrinting() && pGenerator) {
    const int lineWidth = pGenerator->GetLineWidth();
    while (height > 1 && pDC->GetDeviceCaps(HORZRES) < lineWidth * Measure(pDC, height, m_strFontFace).tmAveCharWidth)
      --height;
  }
  CreateReportFont(m_reportFont, height, m_strFontFace);
  m_pPreviousFont = pDC->SelectObject(&m_reportFont);

  // The layout for the device.
  CReportContent* pContent = Content();
  if (!pContent)
    return;
  TEXTMETRIC metrics;
  pDC->GetTextMetrics(&metrics);
  const int lineHeight = std::max<int>(1, metrics.tmHeight);
  const int charWidth = std::max<int>(1, metrics.tmAveCharWidth);
  const BOOL printing = pDC->IsPrinting();
  const int lineWidth = printing ? pDC->GetDeviceCaps(HORZRES) / charWidth : pContent->GetGenerator().GetLineWidth();
  const int pageLength = printing ? pDC->GetDeviceCaps(VERTRES) / lineHeight : -1;
  // Lengths are written in the units of the layout: a change of the units lays the report out anew.
  const int units = GetMeasurementUnits();
  if (!m_bLaidOut || m_bLaidOutForPrinter != printing || m_nLaidOutUnits != units) {
    pContent->Layout(lineWidth, pageLength, units);
    m_nLaidOutUnits = units;
  }
  const CStringArray& shown = pContent->GetShownLines();
  if (printing)
    return;
  m_nLineHeight = lineHeight;
  m_nCharWidth = charWidth;
  if (shown.GetSize() > 0)
    SetScrollSizes(MM_TEXT, CSize(lineWidth * charWidth, static_cast<int>(shown.GetSize()) * lineHeight));
}

void CReportView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
  CRect client;
  GetClientRect(&client);
  const int page = std::max(1, client.Height() / m_nLineHeight) * m_nLineHeight;
  CPoint to = GetScrollPosition();
  switch (nChar) {
  case VK_UP:
    to.y -= m_nLineHeight;
    break;
  case VK_DOWN:
    to.y += m_nLineHeight;
    break;
  case VK_LEFT:
    to.x -= m_nCharWidth;
    break;
  case VK_RIGHT:
    to.x += m_nCharWidth;
    break;
  case VK_PRIOR:
    to.y -= page;
    break;
  case VK_NEXT:
    to.y += page;
    break;
  case VK_HOME:
    to.y = 0;
    break;
  case VK_END:
    to.y = GetTotalSize().cy;
    break;
  default:
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
    return;
  }
  ScrollToPosition(to);
}

void CReportView::ReleaseReportFont(CDC* pDC)
{
  if (m_pPreviousFont)
    pDC->SelectObject(m_pPreviousFont);
  m_pPreviousFont = nullptr;
  m_reportFont.DeleteObject();
}

void CReportView::OnDraw(CDC* pDC)
{
  // A failed layout draws nothing rather than ending the program from a paint.
  try {
    SelectReportFont(pDC);
  } catch (const CAppFatalException&) {
    ReleaseReportFont(pDC);
    throw;
  } catch (const CException& e) {
    PCTRACE(TT_REPORTS, TL_WARNING)("The report could not be laid out: %s\n", e.GetErrorMessage().c_str());
    ReleaseReportFont(pDC);
    return;
  }
  TEXTMETRIC metrics;
  pDC->GetTextMetrics(&metrics);
  const int lineHeight = metrics.tmHeight;
  if (!m_strFailure.IsEmpty())
    pDC->TextOut(0, 0, m_strFailure);
  if (m_pContent) {
    const CStringArray& lines = m_pContent->GetShownLines();
    const CReportPageStarts& starts = m_pContent->GetShownPageStarts();
    int first = 0;
    int end = lines.GetSize();
    if (m_nPageBeingPrinted > 0 && m_nPageBeingPrinted <= starts.GetSize()) {
      first = starts[m_nPageBeingPrinted - 1];
      if (m_nPageBeingPrinted < starts.GetSize())
        end = starts[m_nPageBeingPrinted];
    } else if (m_nPageBeingPrinted > 0) {
      end = 0;
    }
    // The first line of the page (or of the report on the screen) stands at the top.
    const int top = first;
    if (!pDC->IsPrinting())
      KeepToClip(pDC, lineHeight, top, first, end);
    for (int i = first; i < end && i < lines.GetSize(); ++i)
      pDC->TextOut(0, static_cast<int>(i - top) * lineHeight, lines[i]);
  }
  ReleaseReportFont(pDC);
  m_bLaidOut = TRUE;
  m_bLaidOutForPrinter = pDC->IsPrinting();
}

void CReportView::KeepToClip(CDC* pDC, int lineHeight, int top, int& first, int& end)
{
  CRect clip;
  if (pDC->GetClipBox(&clip) == NULLREGION) {
    end = first;
    return;
  }
  if (lineHeight <= 0)
    return;
  // A line more on either side, for glyphs that reach beyond their line's cell.
  const int above = std::max(0, clip.top / lineHeight - 1);
  const int below = std::max(0, (clip.bottom + lineHeight - 1) / lineHeight + 1);
  end = std::min(end, top + below);
  first = std::clamp(top + above, first, std::max(first, end));
}

void CReportView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
  m_nPageBeingPrinted = pInfo ? static_cast<int>(pInfo->m_nCurPage) : 0;
  CScrollView::OnPrepareDC(pDC, pInfo);
  if (pDC->IsPrinting() && pInfo) {
    const int pages = m_pContent ? static_cast<int>(m_pContent->GetPageStarts().GetSize()) : 0;
    pInfo->m_bContinuePrinting = m_nPageBeingPrinted <= std::max(pages, 1);
  }
}

BOOL CReportView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CReportView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
  SelectReportFont(pDC);
  ReleaseReportFont(pDC);
  // The printer layout now stands: the drawings of the pages keep it.
  m_bLaidOut = TRUE;
  m_bLaidOutForPrinter = TRUE;
  const int pages = m_pContent ? std::max<int>(1, static_cast<int>(m_pContent->GetPageStarts().GetSize())) : 1;
  pInfo->SetMaxPage(static_cast<UINT>(pages));
  if (pInfo->m_nNumPreviewPages > static_cast<UINT>(pages))
    pInfo->m_nNumPreviewPages = static_cast<UINT>(pages);
}

void CReportView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
  CScrollView::OnEndPrinting(pDC, pInfo);
  m_nPageBeingPrinted = 0;
  // The screen shows the report laid out for it again.
  Invalidate(TRUE);
}

void CReportView::OnUpdateReportInsert(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void CReportView::TellFailure(const CString& text)
{
  DialogService().MessageBox(this, text, GetDocServices().GetProductName(), MB_OK | MB_ICONEXCLAMATION, 0);
}

void CReportView::RunCommand(const char* what, void (CReportView::*work)())
{
  try {
    (this->*work)();
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CException& e) {
    PCTRACE(TT_REPORTS, TL_WARNING)("The report could not be %s: %s\n", what, e.GetErrorMessage().c_str());
    CString text = e.GetErrorMessage();
    if (text.IsEmpty())
      text = CString("The report could not be ") + what + ".";
    TellFailure(text);
  } catch (const std::exception& e) {
    PCTRACE(TT_REPORTS, TL_WARNING)("The report could not be %s: %s\n", what, e.what());
    TellFailure(CString("The report could not be ") + what + ".");
  }
}

void CReportView::OnReportPrint()
{
  if (HasReport())
    RunCommand("printed", &CReportView::DoPrint);
}

void CReportView::OnReportPrintPreview()
{
  if (HasReport())
    RunCommand("previewed", &CReportView::DoPrintPreview);
}

void CReportView::OnReportExport()
{
  if (HasReport())
    RunCommand("exported", &CReportView::DoExport);
}

void CReportView::DoExport()
{
  CFileDialog dialog(FALSE, "csv", SuggestOutputName(),
                     OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST, kExportFilter, this);
  if (dialog.DoModal() != IDOK)
    return;
  if (dialog.m_ofn.nFilterIndex == 2)
    ExportText(dialog.GetPathName());
  else
    ExportCSV(dialog.GetPathName());
}

void CReportView::ExportCSV(const CString& path)
{
  CWaitCursor wait;
  if (CReportContent* pContent = Content())
    TellFileFailure(path, [&] { pContent->ExportCSV(path, GetMeasurementUnits()); });
}

void CReportView::ExportText(const CString& path)
{
  CWaitCursor wait;
  if (CReportContent* pContent = Content())
    TellFileFailure(path, [&] { pContent->ExportText(path, GetMeasurementUnits()); });
}

void CReportView::TellFileFailure(const CString& path, const std::function<void()>& write)
{
  try {
    write();
  } catch (const CFileException& e) {
    PCTRACE(TT_REPORTS, TL_WARNING)("The report could not be exported: %s\n", e.GetErrorMessage().c_str());
    TellFailure(FileFailureMessage("The report could not be exported.", path, e));
  }
}

std::string CReportView::GetClipboardBytes() const
{
  std::string bytes = m_pContent ? m_pContent->GetText().str() : std::string();
  bytes += '\0';
  return bytes;
}

void CReportView::OnReportCopy()
{
  if (!HasReport())
    return;
  const std::string bytes = GetClipboardBytes();
  CGlobalMemory block(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
  if (!block.Get()) {
    TellFailure(kNoMemory);
    return;
  }
  if (!CopyIntoBlock(block.Get(), bytes.data(), bytes.size())) {
    TellFailure(kNoLock);
    return;
  }
  CClipboardSession clipboard(AfxGetMainWnd());
  if (!clipboard.IsOpen()) {
    TellFailure(kNoClipboard);
    return;
  }
  ::EmptyClipboard();
  block.SetClipboardData(CF_TEXT);
}

void CReportView::OnReportUpdate()
{
  // The report is headed by what the design list shows.
  if (auto* pDoc = dynamic_cast<CDoc*>(GetDocument()); pDoc && !pDoc->TakeTypedValues())
    return;
  MakeReport(FALSE);
  Invalidate(TRUE);
}

CReportGenerator* CScheduleReportView::GetGenerator() const
{
  CReportServices* pServices = GetReportServices();
  return pServices ? pServices->GetScheduleReportGenerator() : nullptr;
}

void CScheduleReportView::OnInitialUpdate()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CScheduleReportView::OnInitialUpdate() called.\n");
  CReportView::OnInitialUpdate();
}

void CScheduleReportView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CScheduleReportView::OnPrepareDC() called.\n");
  CReportView::OnPrepareDC(pDC, pInfo);
}

CReportGenerator* CUnitInfoReportView::GetGenerator() const
{
  CReportServices* pServices = GetReportServices();
  return pServices ? pServices->GetUnitInfoReportGenerator() : nullptr;
}

void CUnitInfoReportView::OnInitialUpdate()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CUnitInfoReportView::OnInitialUpdate() called. \n");
  CReportView::OnInitialUpdate();
}
