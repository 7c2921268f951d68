// The drawing views' output: printing and print preview at a scale or fitted to the page, the
// picture on the clipboard, and the DXF file.
#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>

#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "platform/core/Exception.h"
#include "platform/core/Filemsg.h"
#include "document/Doc.h"
#include "ui/dlg/FileDlg.h"
#include "ui/draw/Dc.h"
#include "ui/frame/Frame.h"
#include "ui/output/Clipguard.h"
#include "ui/output/Print.h"
#include "ui/wnd/WinApp.h"
#include "project/DocServices.h"
#include "support/Trace.h"
#include "views/Aspview.h"
#include "views/Prtscale.h"
#include "views/Viewsvc.h"
#include "views/Xltdata.h"
#include "views/Xltdxf.h"

namespace {
// Larger pictures do not fit the 16-bit window of the clipboard picture.
constexpr int kPictureLimit = 32767;

// The blank border round the copied drawing, on each side, as a part of its larger side.
constexpr int kPictureMarginParts = 20;

int PictureMargin(CSize drawing)
{
  return std::max(1, static_cast<int>(std::max(drawing.cx, drawing.cy)) / kPictureMarginParts);
}

// The clipboard copy's failures, as the design list's copy words them.
constexpr const char* kOpenClipboardFailed = "Unable to open clipboard.  COPY not performed!";
constexpr const char* kCopyFailed = "Unable to copy to the clipboard.  COPY not performed!";

CString LoadText(UINT nID)
{
  CString text;
  AfxLoadString(nID, text);
  return text;
}

// The description of an exception for the user; a generic one when it carries none.
CString DescribeFailure(const CException& e)
{
  const CString message = e.GetErrorMessage();
  return message.IsEmpty() ? CString("The view could not be output.") : message;
}
}  // namespace

void CAspectView::ReportOutputFailure(const CString& text)
{
  MessageBox(text, GetDocServices().GetProductName(), MB_OK | MB_ICONEXCLAMATION);
}

BOOL CAspectView::TakeProjectsTypedValues()
{
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  return pDoc ? pDoc->TakeTypedValues() : TakeTypedValues();
}

// Printing -------------------------------------------------------------------------------------

void CAspectView::OnPrintView()
{
  if (!TakeProjectsTypedValues())
    return;
  try {
    OnFilePrint();
  } catch (const CException& e) {
    ReportOutputFailure(DescribeFailure(e));
  } catch (const std::exception&) {
    ReportOutputFailure("The view could not be printed.");
  }
}

void CAspectView::OnPrintPreview()
{
  if (!TakeProjectsTypedValues())
    return;
  try {
    OnFilePrintPreview();
  } catch (const CException& e) {
    ReportOutputFailure(DescribeFailure(e));
  } catch (const std::exception&) {
    ReportOutputFailure("The view could not be printed.");
  }
}

BOOL CAspectView::OnPreparePrinting(CPrintInfo* pInfo)
{
  delete pInfo->m_pPD;
  auto* pDialog = new CAspectPrintDlg(m_nPrintScaleList, FALSE, PD_USEDEVMODECOPIES | PD_NOSELECTION, nullptr,
                                      m_nPrintScaleNumerator, m_nPrintScaleDenominator);
  pInfo->m_pPD = pDialog;
  pDialog->m_pd.nMinPage = 1;
  pDialog->m_pd.nMaxPage = 1;
  pDialog->m_pd.Flags |= PD_ENABLEPRINTTEMPLATE;
  pDialog->m_pd.nPrintTemplateId = pInfo->m_bPreview ? IDD_PRINT_SCALE : IDD_ASPECT_PRINT;
  if (!DoPreparePrinting(pInfo))
    return FALSE;
  int numerator = -1;
  int denominator = -1;
  pDialog->GetScale(numerator, denominator);
  SetPrintScale(numerator, denominator);
  return TRUE;
}

BOOL CAspectView::DoPreparePrinting(CPrintInfo* pInfo)
{
  CPrintDialog* pDialog = pInfo->m_pPD;
  pDialog->m_pd.nFromPage = pDialog->m_pd.nMinPage;
  pDialog->m_pd.nToPage = pDialog->m_pd.nMaxPage;
  CWinApp* pApp = AfxGetApp();
  if (!pApp || pApp->DoPrintDialog(pDialog) != IDOK)
    return FALSE;
  pInfo->m_nNumPreviewPages = 1;
  pInfo->m_strPageDesc = "Page %u\nPages %u-%u\n";
  return TRUE;
}

void CAspectView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
  pInfo->SetMaxPage(1);
  pInfo->m_nNumPreviewPages = 1;
  CView::OnBeginPrinting(pDC, pInfo);
  if (m_nPrintScaleNumerator == -1 || m_Entities.GetSize() == 0)
    return;
  // What the printer can reach, not the sheet: a drawing wider than the printable area is cut.
  const double pageWidth = static_cast<double>(pDC->GetDeviceCaps(HORZRES)) / pDC->GetDeviceCaps(LOGPIXELSX);
  const double pageHeight = static_cast<double>(pDC->GetDeviceCaps(VERTRES)) / pDC->GetDeviceCaps(LOGPIXELSY);
  const CVRX2DRectangle drawn = GetEntityExtents();
  const double scale = static_cast<double>(m_nPrintScaleNumerator) / m_nPrintScaleDenominator;
  const double width = (drawn.GetMaxPoint().GetX() - drawn.GetMinPoint().GetX()) * scale;
  const double height = (drawn.GetMaxPoint().GetY() - drawn.GetMinPoint().GetY()) * scale;
  PCTRACE(TT_VIEWS, TL_DETAIL)
  ("Printing %g x %g inches on a printable area of %g x %g inches\n", width, height, pageWidth, pageHeight);
  if (width > pageWidth || height > pageHeight)
    MessageBox(LoadText(IDS_PART_NOT_PRINTED), GetDocServices().GetProductName(), MB_OK);
}

void CAspectView::OnPrint(CDC* pDC, CPrintInfo* pInfo) { CView::OnPrint(pDC, pInfo); }

void CAspectView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) { CView::OnEndPrinting(pDC, pInfo); }

void CAspectView::OnPrintScale()
{
  CPrintScaleDlg dialog(m_nPrintScaleList, m_nPrintScaleNumerator, m_nPrintScaleDenominator, this);
  if (dialog.DoModal() != IDOK)
    return;
  int numerator = -1;
  int denominator = -1;
  dialog.GetScale(numerator, denominator);
  SetPrintScale(numerator, denominator);
}

// The clipboard picture --------------------------------------------------------------------------

CSize CAspectView::PictureFrameSize(const CVRX2DVector& span) const
{
  const CSize drawing = VRXToPage(span);
  const int margin = PictureMargin(drawing);
  return drawing + CSize(1 + 2 * margin, 1 + 2 * margin);
}

void CAspectView::OnCopyView()
{
  if (!TakeProjectsTypedValues())
    return;
  CWaitCursor wait;
  try {
    try {
      // Leaving this block closes the clipboard, before any message is shown.
      CClipboardSession clipboard(this);
      if (!clipboard.IsOpen())
        throw stateNothing;
      if (!EmptyClipboard() || !AddMetaFileToClipboard())
        throw stateOpened;
      if (!clipboard.Close())
        throw stateEmptied;
    } catch (EState state) {
      PCTRACE(TT_VIEWS, TL_WARNING)("Copy failed. Last error is %u.\n", static_cast<unsigned>(state));
      ReportOutputFailure(state == stateNothing ? kOpenClipboardFailed : kCopyFailed);
    }
  } catch (const CException& e) {
    ReportOutputFailure(DescribeFailure(e));
  }
}

BOOL CAspectView::AddMetaFileToClipboard()
{
  try {
    CVRX2DEntityArray output;
    CopyOutputEntities(output);
    if (output.GetSize() == 0)
      throw stateNothing;
    CClientDC ref(this);
    CMetaFileDC mf;
    if (!mf.Create())
      throw stateNothing;
    mf.SetAttribDC(&ref);

    // The fit mapping of the client area chooses the page units per inch.
    {
      CSavedDC saved(&ref);
      OnPrepareDC(&ref, nullptr);
    }

    const CVRX2DRectangle extents = output.GetExtents();
    const CVRX2DVector span = extents.GetMaxPoint() - extents.GetMinPoint();
    CSize size = PictureFrameSize(span);
    while ((size.cx > kPictureLimit || size.cy > kPictureLimit) && m_nPageUnitsPerInch > 1) {
      --m_nPageUnitsPerInch;
      size = PictureFrameSize(span);
    }
    // The picture is drawn at the page units per inch its frame was measured with.
    const int pictureUnitsPerInch = m_nPageUnitsPerInch;
    const int margin = PictureMargin(VRXToPage(span));
    mf.SetWindowExt(size.cx, -size.cy);
    const CPoint topLeft = VRXToPage(CVRX2DPoint(extents.GetMinPoint().GetX(), extents.GetMaxPoint().GetY()));
    mf.SetWindowOrg(topLeft.x - margin, topLeft.y + margin);

    // The picture's suggested size: the drawing's size on the screen in hundredths of a
    // millimetre, negative so that only its aspect ratio counts.
    double xExt = 0.0;
    double yExt = 0.0;
    {
      CSavedDC saved(&ref);
      OnPrepareDC(&ref, nullptr);
      CSize device = PictureFrameSize(span);
      ref.LPtoDP(&device);
      xExt = static_cast<double>(device.cx) / ref.GetDeviceCaps(HORZRES) * ref.GetDeviceCaps(HORZSIZE) * 100.0;
      yExt = static_cast<double>(device.cy) / ref.GetDeviceCaps(VERTRES) * ref.GetDeviceCaps(VERTSIZE) * 100.0;
    }
    m_nPageUnitsPerInch = pictureUnitsPerInch;

    DrawEntities(&mf, output);
    CMetaFileHandle picture(mf.Close());
    if (!picture.Get())
      throw stateNothing;

    CGlobalMemory block(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(METAFILEPICT));
    if (!block.Get())
      throw stateNothing;
    {
      CGlobalLock lock(block.Get());
      auto* pPicture = lock.As<METAFILEPICT>();
      if (!pPicture)
        throw stateOpened;
      pPicture->mm = MM_ISOTROPIC;
      pPicture->xExt = -static_cast<LONG>(std::abs(xExt) + 0.5);
      pPicture->yExt = -static_cast<LONG>(std::abs(yExt) + 0.5);
      pPicture->hMF = picture.Get();
    }
    if (!block.SetClipboardData(CF_METAFILEPICT))
      throw stateOpened;
    // The clipboard took the picture with its block.
    picture.Release();
    return TRUE;
  } catch (EState state) {
    PCTRACE(TT_VIEWS, TL_WARNING)
    ("AddMetaFileToClipboard() failed. Last error code is %u.\n", static_cast<unsigned>(state));
    return FALSE;
  }
}

// The DXF file ------------------------------------------------------------------------------------

void CAspectView::OnExportDXF()
{
  if (!TakeProjectsTypedValues())
    return;
  CFileDialog dialog(FALSE, "dxf", SuggestOutputName(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "AutoCAD DXF (*.dxf) | *.dxf | All Files ( *.*) | *.* ||", this);
  dialog.m_ofn.lpstrTitle = "DXF Export";
  if (dialog.DoModal() != IDOK)
    return;
  CWaitCursor wait;
  BOOL written = FALSE;
  CString reason;
  try {
    CVRX2DEntityArray output;
    CopyOutputEntities(output);
    CViewServices* pServices = GetViewServices();
    if (pServices) {
      ScaleToDXFUnit(output, pServices->GetDXFTranslationUnit());
      const std::unique_ptr<CMapECatToXLTDXFData> map(pServices->CreateDXFTranslationMap());
      written = WriteDXFFile(dialog.GetPathName(), output, map.get(), &reason);
    }
  } catch (const CException& e) {
    PCTRACE(TT_VIEWS, TL_WARNING)("DXF export failed: %s\n", e.GetErrorMessage().c_str());
    written = FALSE;
    reason = FileFailureReason(e);
  }
  if (!written) {
    ReportOutputFailure(FileFailureMessage(LoadText(IDS_FILE_NOT_WRITTEN), dialog.GetPathName(), reason));
    return;
  }
  if (auto* pMain = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
    pMain->SetMessageText("DXF Export Complete");
}
