#include "app/About.h"

#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Fatalrpt.h"
#include "ui/dlg/DataExch.h"
#include "ui/draw/Dc.h"

namespace {

constexpr int kPictureLeft = 15;
constexpr int kPictureTop = 15;
constexpr DWORD kNoticeHelpId = 3500;

}  // namespace

IMPLEMENT_DYNAMIC(CAboutDlg, CDialog)
IMPLEMENT_DYNAMIC(CCreditsDlg, CDialog)

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
  ON_BN_CLICKED(IDC_IMPORTANT_NOTICE, OnImportantNotice)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD)
{
  CWinApp* winApp = AfxGetApp();
  CString product = "Panecraft";
  if (winApp && winApp->IsKindOf(RUNTIME_CLASS(CApp))) {
    CApp* app = static_cast<CApp*>(winApp);
    m_strDatePopulated = app->GetDatePopulated();
    m_strProductDataVersion = app->GetProductDataVersion();
    m_strSpecificationVersion = app->GetSpecificationVersion();
    if (!app->GetProductName().IsEmpty())
      product = app->GetProductName();
  }
  m_strVersion = CString::Formatted("%s Version %d.%01d", product.c_str(), kAppVersionMajor, kAppVersionMinor);
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_ABOUT_VERSION, m_strVersion);
  DDX_Text(pDX, IDC_ABOUT_DATE_POPULATED, m_strDatePopulated);
  DDX_Text(pDX, IDC_ABOUT_DATA_VERSION, m_strProductDataVersion);
  DDX_Text(pDX, IDC_ABOUT_SPEC_VERSION, m_strSpecificationVersion);
}

BOOL CAboutDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  if (m_picture.LoadBitmap(kPictureId)) {
    CSize size = m_picture.GetSize();
    m_nPictureWidth = size.cx;
    m_nPictureHeight = size.cy;
  }
  return TRUE;
}

void CAboutDlg::OnPaint()
{
  CPaintDC dc(this);
  if (m_picture.IsCreated())
    dc.DrawBitmap(kPictureLeft, kPictureTop, &m_picture);
  m_rectPicture.SetRect(15, 20, 140, 145);
  m_rectPicture.NormalizeRect();
}

void CAboutDlg::OnLButtonDblClk(UINT nFlags, CPoint point)
{
  if ((nFlags & MK_CONTROL) && (nFlags & MK_SHIFT) && m_rectPicture.PtInRect(point)) {
    CCreditsDlg credits;
    credits.DoModal();
  }
}

void CAboutDlg::OnImportantNotice() { AfxGetApp()->WinHelp(kNoticeHelpId, HELP_CONTEXT); }
