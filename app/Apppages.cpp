#include "app/Apppages.h"

#include "app/Appprefs.h"
#include "app/Dlgids.h"
#include "app/Dxfunits.h"
#include "ui/dlg/DataExch.h"
#include "support/Assoctbl.h"

IMPLEMENT_DYNAMIC(CUserInfoDlg, CPropertyPage)
IMPLEMENT_DYNAMIC(CPlanConfigDlg, CPropertyPage)
IMPLEMENT_DYNAMIC(CMiscInfoDlg, CPropertyPage)

namespace {
CString TextOfCode(const CAssocIntAndString& table, int code)
{
  CString text;
  table.Lookup(code, text);
  return text;
}

void FillFromTable(CComboBox& box, const CAssocIntAndString& table, const CString& current)
{
  box.ResetContent();
  POSITION pos = table.GetStartPosition();
  while (pos) {
    int code = 0;
    CString text;
    table.GetNextAssoc(pos, code, text);
    box.AddString(text);
  }
  box.SetCurSel(box.FindStringExact(-1, current));
}

CString SelectedText(const CComboBox& box)
{
  CString text;
  int line = box.GetCurSel();
  if (line != CB_ERR)
    box.GetLBText(line, text);
  return text;
}

const char kFeetAndInches[] = "Feet And Inches";
const char kMetricMillimeters[] = "Metric Millimeters";
const char kOneInch[] = "One Inch";
const char kOneMillimeter[] = "One Millimeter";
}  // namespace

BEGIN_MESSAGE_MAP(CUserInfoDlg, CPropertyPage)
  ON_EN_CHANGE(IDC_USER_ADDRESS, OnFieldChanged)
  ON_EN_CHANGE(IDC_USER_CITY, OnFieldChanged)
  ON_EN_CHANGE(IDC_USER_COMPANY, OnFieldChanged)
  ON_EN_CHANGE(IDC_USER_CONTACT, OnFieldChanged)
  ON_EN_CHANGE(IDC_USER_STATE, OnFieldChanged)
  ON_EN_CHANGE(IDC_USER_ZIP_CODE, OnFieldChanged)
END_MESSAGE_MAP()

CUserInfoDlg::CUserInfoDlg(CAppPrefs& prefs) : CPropertyPage(IDD_USER_INFO_PAGE)
{
  const CUserLicenseInfo& info = *prefs.GetUserLicenseInfo();
  m_strAddress = info.GetAddress();
  m_strCity = info.GetCity();
  m_strCompany = info.GetCompany();
  m_strContact = info.GetContact();
  m_strState = info.GetState();
  m_strZipCode = info.GetZipCode();
}

void CUserInfoDlg::WriteTo(CAppPrefs& prefs) const
{
  CUserLicenseInfo& info = *prefs.GetUserLicenseInfo();
  info.SetAddress(m_strAddress);
  info.SetCity(m_strCity);
  info.SetCompany(m_strCompany);
  info.SetContact(m_strContact);
  info.SetState(m_strState);
  info.SetZipCode(m_strZipCode);
}

void CUserInfoDlg::DoDataExchange(CDataExchange* pDX)
{
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_USER_ADDRESS, m_strAddress);
  DDX_Text(pDX, IDC_USER_CITY, m_strCity);
  DDX_Text(pDX, IDC_USER_COMPANY, m_strCompany);
  DDX_Text(pDX, IDC_USER_CONTACT, m_strContact);
  DDX_Text(pDX, IDC_USER_STATE, m_strState);
  DDX_Text(pDX, IDC_USER_ZIP_CODE, m_strZipCode);
}

BOOL CUserInfoDlg::OnInitDialog()
{
  BOOL result = CPropertyPage::OnInitDialog();
  m_bInitialized = TRUE;
  return result;
}

void CUserInfoDlg::OnFieldChanged()
{
  if (m_bInitialized)
    SetModified(TRUE);
}

BEGIN_MESSAGE_MAP(CPlanConfigDlg, CPropertyPage)
  ON_BN_CLICKED(IDC_SHOW_FRAMES, OnShowFrames)
  ON_BN_CLICKED(IDC_SHOW_FULL_FRAME, OnSwitchClicked)
  ON_BN_CLICKED(IDC_SHOW_FRAME_LINES, OnSwitchClicked)
  ON_BN_CLICKED(IDC_SHOW_SILL_LINES, OnSwitchClicked)
  ON_BN_CLICKED(IDC_ONE_GLASS_LINE, OnSwitchClicked)
  ON_BN_CLICKED(IDC_TWO_GLASS_LINES, OnSwitchClicked)
END_MESSAGE_MAP()

CPlanConfigDlg::CPlanConfigDlg(CAppPrefs& prefs) : CPropertyPage(IDD_PLAN_VIEW_PAGE)
{
  const CPlanSectionViewConfig& config = *prefs.GetPlanSectionViewConfig();
  m_bSillLinesOn = config.GetSillLinesOn();
  m_nGlassLines = config.GetGlassLines();
  m_bFrameOn = config.GetFrameOn();
  m_bFrameLinesOn = config.GetFrameLinesOn();
  m_bFullFrameWidthOn = config.GetFullFrameWidthOn();
}

void CPlanConfigDlg::WriteTo(CAppPrefs& prefs) const
{
  CPlanSectionViewConfig& config = *prefs.GetPlanSectionViewConfig();
  config.SetSillLinesOn(m_bSillLinesOn);
  config.SetGlassLines(m_nGlassLines);
  config.SetFrameOn(m_bFrameOn);
  config.SetFrameLinesOn(m_bFrameLinesOn);
  config.SetFullFrameWidthOn(m_bFullFrameWidthOn);
}

BOOL CPlanConfigDlg::OnInitDialog()
{
  BOOL result = CPropertyPage::OnInitDialog();
  EnableFrameSwitches();
  return result;
}

void CPlanConfigDlg::DoDataExchange(CDataExchange* pDX)
{
  CPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_SHOW_SILL_LINES, m_bSillLinesOn);
  DDX_Check(pDX, IDC_SHOW_FULL_FRAME, m_bFullFrameWidthOn);
  DDX_Check(pDX, IDC_SHOW_FRAMES, m_bFrameOn);
  DDX_Check(pDX, IDC_SHOW_FRAME_LINES, m_bFrameLinesOn);
  // The radio group shows one line for 1 and two lines for any other value.
  int glassButton = m_nGlassLines == 1 ? 0 : 1;
  DDX_Radio(pDX, IDC_ONE_GLASS_LINE, glassButton);
  if (pDX->m_bSaveAndValidate)
    m_nGlassLines = glassButton == 0 ? 1 : 2;
}

void CPlanConfigDlg::OnShowFrames()
{
  EnableFrameSwitches();
  SetModified(TRUE);
}

void CPlanConfigDlg::OnSwitchClicked() { SetModified(TRUE); }

void CPlanConfigDlg::EnableFrameSwitches()
{
  UpdateData(TRUE);
  GetDlgItem(IDC_SHOW_FULL_FRAME)->EnableWindow(m_bFrameOn);
  GetDlgItem(IDC_SHOW_FRAME_LINES)->EnableWindow(m_bFrameOn);
}

BEGIN_MESSAGE_MAP(CMiscInfoDlg, CPropertyPage)
  ON_CBN_SELCHANGE(IDC_MEASUREMENT_UNITS, OnMeasurementUnitsChanged)
  ON_CBN_SELCHANGE(IDC_DXF_UNITS, OnDXFUnitsChanged)
END_MESSAGE_MAP()

CMiscInfoDlg::CMiscInfoDlg(CAppPrefs& prefs) : CPropertyPage(IDD_UNITS_PAGE)
{
  const CMiscPrefs& misc = *prefs.GetMiscPrefs();
  m_strMeasurementUnits = TextOfCode(CAssocMeasurementUnitsAndDescription(), misc.GetMeasurementUnits());
  m_strDXFUnits = TextOfCode(CAssocDXFTranslationUnitAndDescription(), misc.GetDXFTranslationUnit());
}

void CMiscInfoDlg::WriteTo(CAppPrefs& prefs) const
{
  CMiscPrefs& misc = *prefs.GetMiscPrefs();
  int code = 0;
  if (CAssocMeasurementUnitsAndDescription().LookupCode(m_strMeasurementUnits, code))
    misc.SetMeasurementUnits(code);
  if (CAssocDXFTranslationUnitAndDescription().LookupCode(m_strDXFUnits, code))
    misc.SetDXFTranslationUnit(code);
}

BOOL CMiscInfoDlg::OnInitDialog()
{
  BOOL result = CPropertyPage::OnInitDialog();
  FillFromTable(m_cbMeasurementUnits, CAssocMeasurementUnitsAndDescription(), m_strMeasurementUnits);
  FillFromTable(m_cbDXFUnits, CAssocDXFTranslationUnitAndDescription(), m_strDXFUnits);
  return result;
}

void CMiscInfoDlg::DoDataExchange(CDataExchange* pDX)
{
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_MEASUREMENT_UNITS, m_cbMeasurementUnits);
  DDX_Control(pDX, IDC_DXF_UNITS, m_cbDXFUnits);
  if (pDX->m_bSaveAndValidate) {
    m_strMeasurementUnits = SelectedText(m_cbMeasurementUnits);
    m_strDXFUnits = SelectedText(m_cbDXFUnits);
  }
}

void CMiscInfoDlg::OnMeasurementUnitsChanged()
{
  CString previous = m_strMeasurementUnits;
  CString current = SelectedText(m_cbMeasurementUnits);
  // A new unit system proposes the matching DXF unit; the user may still choose another.
  if (previous == kFeetAndInches && current == kMetricMillimeters)
    m_cbDXFUnits.SetCurSel(m_cbDXFUnits.FindStringExact(-1, kOneMillimeter));
  else if (previous == kMetricMillimeters && current == kFeetAndInches)
    m_cbDXFUnits.SetCurSel(m_cbDXFUnits.FindStringExact(-1, kOneInch));
  SetModified(TRUE);
  UpdateData(TRUE);
}

void CMiscInfoDlg::OnDXFUnitsChanged()
{
  SetModified(TRUE);
  UpdateData(TRUE);
}
