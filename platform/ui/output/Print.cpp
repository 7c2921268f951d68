#include "platform/ui/output/Print.h"

#include <QPainter>
#include <QPrinter>

#include "platform/ui/draw/Dc.h"
#include "platform/ui/draw/DcDevice.h"
#include "platform/ui/dlg/DialogService.h"
#include "platform/ui/wnd/WinApp.h"

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
  return DialogService().PrintDialog(m_pParentWnd, *this);
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

void CPrintDialog::OnPrinterSetup()
{
  CPrintDialog setup(TRUE, PD_PRINTSETUP, this);
  DialogService().PrintDialog(this, setup);
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
