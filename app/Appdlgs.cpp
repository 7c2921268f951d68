#include "app/Appdlgs.h"

#include "app/App.h"
#include "app/Dlgids.h"
#include "document/Doc.h"
#include "ui/dlg/DataExch.h"
#include "project/DocServices.h"
#include "project/Docver.h"

IMPLEMENT_DYNAMIC(CPerformanceTuningDlg, CDialog)
IMPLEMENT_DYNAMIC(CStoreNewDesignDlg, CDialog)
IMPLEMENT_DYNAMIC(CRenameDesignDlg, CDialog)
IMPLEMENT_DYNAMIC(CDbVersionDlg, CDialog)
IMPLEMENT_DYNAMIC(CProjectInfoDlg, CDialog)

namespace {
CApp* TheApp() { return static_cast<CApp*>(AfxGetApp()); }

// The longest distance and time a resize may wait before it follows the pointer.
constexpr double kMaxResizeDistance = 24.0;
constexpr int kMaxResizeTime = 2000;

CString Trimmed(CString text)
{
  text.TrimLeft();
  text.TrimRight();
  return text;
}

// OK of a dialog that asks for a name: the name is taken trimmed and shown trimmed; a blank one is
// refused with that message and the dialog stays open.
bool AcceptName(CDialog* pDlg, CString& name, const char* blankMessage)
{
  if (!pDlg->UpdateData(TRUE))
    return false;
  name = Trimmed(name);
  pDlg->UpdateData(FALSE);
  if (!name.IsEmpty())
    return true;
  ShowBlankNameMessage(pDlg, blankMessage);
  return false;
}
}  // namespace

void ShowBlankNameMessage(CWnd* pOwner, const char* text)
{
  pOwner->MessageBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
}

CPerformanceTuningDlg::CPerformanceTuningDlg(CWnd* pParent) : CDialog(IDD_PERFORMANCE_TUNING, pParent) {}

BOOL CPerformanceTuningDlg::OnInitDialog()
{
  CApp* pApp = TheApp();
  m_nResizeTimeThreshold = pApp->GetResizeTimeThreshold();
  m_dResizeDistanceThreshold = pApp->GetResizeDistanceThreshold();
  return CDialog::OnInitDialog();
}

void CPerformanceTuningDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_RESIZE_DISTANCE, m_dResizeDistanceThreshold);
  DDV_MinMaxDouble(pDX, m_dResizeDistanceThreshold, 0.0, kMaxResizeDistance);
  DDX_Text(pDX, IDC_RESIZE_TIME, m_nResizeTimeThreshold);
  DDV_MinMaxInt(pDX, m_nResizeTimeThreshold, 0, kMaxResizeTime);
}

CStoreNewDesignDlg::CStoreNewDesignDlg(const CString& designName, BOOL bCancelAllowed, CWnd* pParent)
  : CDialog(IDD_STORE_NEW_DESIGN, pParent), m_strDesignName(designName), m_bCancelAllowed(bCancelAllowed)
{}

BOOL CStoreNewDesignDlg::OnInitDialog()
{
  BOOL result = CDialog::OnInitDialog();
  m_btnCancel.EnableWindow(m_bCancelAllowed);
  return result;
}

void CStoreNewDesignDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDCANCEL, m_btnCancel);
  DDX_Text(pDX, IDC_NEW_DESIGN_NAME, m_strDesignName);
}

void CStoreNewDesignDlg::OnOK()
{
  if (AcceptName(this, m_strDesignName, "The name cannot be blank."))
    EndDialog(IDOK);
}

CRenameDesignDlg::CRenameDesignDlg(CWnd* pParent) : CDialog(IDD_RENAME_DESIGN, pParent) {}

void CRenameDesignDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_CURRENT_NAME, m_strCurrentName);
  DDX_Text(pDX, IDC_NEW_NAME, m_strNewName);
}

void CRenameDesignDlg::OnOK()
{
  if (AcceptName(this, m_strNewName, "The new name cannot be blank."))
    EndDialog(IDOK);
}

CDbVersionDlg::CDbVersionDlg(const CDocVersion& projectVersion, CWnd* pParent)
  : CDialog(IDD_DB_VERSION, pParent),
    m_strProjectDataVersion(projectVersion.GetProductDataVersion()),
    m_strProjectSpecificationVersion(projectVersion.GetSpecificationVersion()),
    m_strProjectDatePopulated(projectVersion.GetDatePopulated()),
    m_strAppDataVersion(GetDocServices().GetProductDataVersion()),
    m_strAppSpecificationVersion(GetDocServices().GetSpecificationVersion()),
    m_strAppDatePopulated(GetDocServices().GetDatePopulated())
{}

void CDbVersionDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PROJECT_DATA_VERSION, m_strProjectDataVersion);
  DDX_Text(pDX, IDC_PROJECT_SPEC_VERSION, m_strProjectSpecificationVersion);
  DDX_Text(pDX, IDC_PROJECT_DATE_POPULATED, m_strProjectDatePopulated);
  DDX_Text(pDX, IDC_APP_DATA_VERSION, m_strAppDataVersion);
  DDX_Text(pDX, IDC_APP_SPEC_VERSION, m_strAppSpecificationVersion);
  DDX_Text(pDX, IDC_APP_DATE_POPULATED, m_strAppDatePopulated);
}

CProjectInfoDlg::CProjectInfoDlg(CDoc* pDoc, CWnd* pParent) : CDialog(IDD_PROJECT_INFO, pParent), m_pDoc(pDoc) {}

BOOL CProjectInfoDlg::OnInitDialog()
{
  const CProjectData& data = m_pDoc->GetProjectData();
  m_strProjectName = data.GetProjectName();
  m_strDesigner = data.GetDesigner();
  m_strNotes = data.GetNotes();
  const CDocVersion& version = m_pDoc->GetDocVersion();
  m_strCreated = version.GetCreated().Format("%c");
  m_strModified = version.GetModified().Format("%c");
  return CDialog::OnInitDialog();
}

void CProjectInfoDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PROJECT_NAME, m_strProjectName);
  DDX_Text(pDX, IDC_PROJECT_DESIGNER, m_strDesigner);
  DDX_Text(pDX, IDC_PROJECT_CREATED, m_strCreated);
  DDX_Text(pDX, IDC_PROJECT_MODIFIED, m_strModified);
  DDX_Text(pDX, IDC_PROJECT_NOTES, m_strNotes);
}

void CProjectInfoDlg::OnOK()
{
  if (!UpdateData(TRUE))
    return;
  CProjectData& data = m_pDoc->GetProjectData();
  data.SetProjectName(m_strProjectName);
  data.SetDesigner(m_strDesigner);
  data.SetNotes(m_strNotes);
  EndDialog(IDOK);
}

void ShowDbVersionDialog(const CDocVersion& projectVersion)
{
  CDbVersionDlg dialog(projectVersion, AfxGetMainWnd());
  dialog.DoModal();
}

BOOL AskNewDesignName(CString& name, BOOL bAllowCancel)
{
  CStoreNewDesignDlg dialog(name, bAllowCancel, AfxGetMainWnd());
  if (dialog.DoModal() != IDOK)
    return FALSE;
  name = dialog.m_strDesignName;
  return TRUE;
}
