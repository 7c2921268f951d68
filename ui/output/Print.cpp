#include "ui/output/Print.h"

#include <algorithm>

#include <QPainter>
#include <QPrinter>

#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DataExch.h"
#include "ui/draw/Dc.h"
#include "ui/draw/DcDevice.h"
#include "ui/dlg/DialogService.h"
#include "ui/wnd/WinApp.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CDialog)

BEGIN_MESSAGE_MAP(CPrintDialog, CDialog)
  ON_BN_CLICKED(ID_PRINT_SETUP_BUTTON, OnPrinterSetup)
END_MESSAGE_MAP()

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
  : CDialog(0, pParentWnd), m_bPrintSetupOnly(bPrintSetupOnly)
{
  m_pd.Flags = dwFlags | (bPrintSetupOnly ? static_cast<DWORD>(PD_PRINTSETUP) : 0u);
}

int CPrintDialog::DoModal()
{
  if ((m_pd.Flags & PD_ENABLEPRINTTEMPLATE) && m_pd.nPrintTemplateId) {
    m_nIDTemplate = m_pd.nPrintTemplateId;
    m_nIDHelp = m_pd.nPrintTemplateId;
    return CDialog::DoModal();
  }
  const int result = DialogService().PrintDialog(m_pParentWnd, *this);
  if (result == IDOK)
    TakePrinterCopies();
  return result;
}

void CPrintDialog::TakePrinterCopies()
{
  // The system's dialog leaves the copies and their collation on the printer.
  const QPrinter* printer = GetPrinter();
  m_pd.nCopies = static_cast<WORD>(std::clamp(printer->copyCount(), 1, kMaxCopies));
  if (printer->collateCopies())
    m_pd.Flags |= PD_COLLATE;
  else
    m_pd.Flags &= ~static_cast<DWORD>(PD_COLLATE);
}

QPrinter* CPrintDialog::GetPrinter() const
{
  CWinApp* app = AfxGetApp();
  if (app)
    return app->GetPrinter();
  // Never destroyed: a Qt object must not outlive the Qt application.
  static auto* fallback = new QPrinter;
  return fallback;
}

QList<int> QualityResolutions(const QPrinter& printer)
{
  // The resolution the printer works at is one of its own even when its driver does not list
  // it (the PDF writer lists only 72 dpi but prints at its high resolution).
  QList<int> resolutions = printer.supportedResolutions();
  if (!resolutions.isEmpty() && !resolutions.contains(printer.resolution()))
    resolutions.append(printer.resolution());
  std::sort(resolutions.begin(), resolutions.end());
  return resolutions;
}

BOOL CPrintDialog::PrintsToFile() const
{
  const QPrinter* printer = GetPrinter();
  return (m_pd.Flags & PD_PRINTTOFILE) || printer->outputFormat() == QPrinter::PdfFormat;
}

BOOL CPrintDialog::OnInitDialog()
{
  CDialog::OnInitDialog();
  auto* list = dynamic_cast<CComboBox*>(GetDlgItem(ID_PRINT_QUALITY_LIST));
  if (!list)
    return TRUE;
  const QPrinter* printer = GetPrinter();
  const QList<int> resolutions = QualityResolutions(*printer);
  for (int dpi : resolutions) {
    const int index = list->AddString(CString::Formatted("%d dpi", dpi));
    list->SetItemData(index, static_cast<std::uintptr_t>(dpi));
    if (dpi == printer->resolution())
      list->SetCurSel(index);
  }
  if (resolutions.isEmpty()) {
    list->ShowWindow(SW_HIDE);
    if (CWnd* label = GetDlgItem(ID_PRINT_QUALITY_LABEL))
      label->ShowWindow(SW_HIDE);
  } else if (list->GetCurSel() < 0) {
    list->SetCurSel(0);
  }
  return TRUE;
}

void CPrintDialog::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  if (GetDlgItem(ID_PRINT_COPIES_EDIT)) {
    int copies = m_pd.nCopies;
    DDX_Text(pDX, ID_PRINT_COPIES_EDIT, copies);
    DDV_MinMaxInt(pDX, copies, 1, kMaxCopies);
    m_pd.nCopies = static_cast<WORD>(copies);
  }
  if (GetDlgItem(ID_PRINT_COLLATE_BOX)) {
    int collate = PrintCollate() ? BST_CHECKED : BST_UNCHECKED;
    DDX_Check(pDX, ID_PRINT_COLLATE_BOX, collate);
    if (collate == BST_CHECKED)
      m_pd.Flags |= PD_COLLATE;
    else
      m_pd.Flags &= ~static_cast<DWORD>(PD_COLLATE);
  }
}

void CPrintDialog::OnOK()
{
  // A refused field keeps the dialog open with nothing taken.
  if (!UpdateData(TRUE))
    return;
  if (IsDlgButtonChecked(ID_PRINT_TO_FILE_BOX))
    m_pd.Flags |= PD_PRINTTOFILE;
  else
    m_pd.Flags &= ~static_cast<DWORD>(PD_PRINTTOFILE);
  if (auto* list = dynamic_cast<CComboBox*>(GetDlgItem(ID_PRINT_QUALITY_LIST)); list && list->GetCurSel() >= 0)
    GetPrinter()->setResolution(static_cast<int>(list->GetItemData(list->GetCurSel())));
  EndDialog(IDOK);
}

void CPrintDialog::OnPrinterSetup()
{
  // The page set-up of File > Print Setup, on the printer this dialog prints with.
  DialogService().PageSetupDialog(this, *GetPrinter());
}

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE)) {}

CPrintInfo::~CPrintInfo() { delete m_pPD; }

void AttachPrinter(CDC& dc, QPainter& painter, QPrinter& printer)
{
  const QRectF pixels = printer.pageRect(QPrinter::DevicePixel);
  const QRectF mm = printer.pageRect(QPrinter::Millimeter);
  auto caps = [resolution = printer.resolution(), pixels, mm](int index) {
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
      return resolution;
    case HORZRES:
      return static_cast<int>(pixels.width());
    case VERTRES:
      return static_cast<int>(pixels.height());
    case HORZSIZE:
      return static_cast<int>(mm.width());
    case VERTSIZE:
      return static_cast<int>(mm.height());
    case BITSPIXEL:
      return 24;
    default:
      return 0;
    }
  };
  dc.AttachDevice(std::make_unique<CPainterDevice>(
      &painter, caps, CRect(0, 0, static_cast<int>(pixels.width()), static_cast<int>(pixels.height()))));
  dc.SetPrinting(TRUE);
}
