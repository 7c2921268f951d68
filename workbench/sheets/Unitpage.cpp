#include "workbench/sheets/Unitpage.h"

#include "model/Stdarch.h"
#include "model/Stdunit.h"
#include "ui/dlg/Ctrls.h"
#include "ui/wnd/WinApp.h"
#include "productdb/Opers.h"
#include "project/DocServices.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"

IMPLEMENT_DYNCREATE(CUnitPageDlg, CPropertyPage)
IMPLEMENT_DYNAMIC(CStandardUnitSizingPageDlg, CUnitPageDlg)
IMPLEMENT_DYNAMIC(CStandardArchedUnitSizingPageDlg, CStandardUnitSizingPageDlg)

namespace {
constexpr const char* kModule = "Unitpage";
constexpr int kNoUnitLine = 38;
constexpr int kNotStandardLine = 117;
constexpr int kNotArchedLine = 211;
}  // namespace

CUnitPageDlg::CUnitPageDlg() : CPropertyPage(IDD_UNIT_STANDARD_SIZING)
{
  throw CAppFatalException(kModule, kNoUnitLine);
}

CUnitPageDlg::CUnitPageDlg(UINT nIDTemplate, CUnit* pUnit) : CPropertyPage(nIDTemplate), m_pUnit(pUnit) {}

BOOL CUnitPageDlg::OnInitDialog()
{
  m_nMeasurementUnits = GetDocServices().GetMeasurementUnits();
  CPropertyPage::OnInitDialog();
  SetDlgItemText(IDC_UNIT_TYPE_TEXT, m_pUnit->GetTypeDescription() + " " + m_pUnit->GetSubtypeDescription());
  LoadControls();
  return TRUE;
}

// A size or operation chosen on another page changes the options, grilles and operations offered.
BOOL CUnitPageDlg::OnSetActive()
{
  const BOOL bReturning = !m_bFirstSetActive;
  const BOOL result = CPropertyPage::OnSetActive();
  if (bReturning)
    LoadControls();
  return result;
}

CString CUnitPageDlg::FormatLength(double inches) const
{
  return CUnitsConverter().FormatLength(m_nMeasurementUnits, inches);
}

CComboBox& CUnitPageDlg::Combo(UINT nID) { return *static_cast<CComboBox*>(GetDlgItem(static_cast<int>(nID))); }

void CUnitPageDlg::ReportUnitException()
{
  MessageBox("Exception during Unit Info dialog.", GetDocServices().GetProductName(), MB_OK | MB_ICONEXCLAMATION);
}

void CUnitPageDlg::ShowControl(UINT nID, BOOL bShow)
{
  if (CWnd* pControl = GetDlgItem(static_cast<int>(nID))) {
    pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    pControl->EnableWindow(bShow);
  }
}

void CUnitPageDlg::ApplyComboRule(CComboBox& combo)
{
  combo.EnableWindow(TRUE);
  const int count = combo.GetCount();
  if (count == 1)
    combo.SetCurSel(0);
  if (count <= 1)
    combo.EnableWindow(FALSE);
}

void CUnitPageDlg::FillLengths(CComboBox& combo, const CArray<double, double>& values, double current)
{
  combo.ResetContent();
  for (int i = 0; i < values.GetSize(); ++i)
    combo.AddString(FormatLength(values[i]));
  combo.SetCurSel(combo.FindStringExact(-1, FormatLength(current)));
  ApplyComboRule(combo);
}

BEGIN_MESSAGE_MAP(CStandardUnitSizingPageDlg, CUnitPageDlg)
  ON_CBN_SELENDOK(IDC_UNIT_SIZE_CODE, OnSelEndOkSizeCode)
  ON_CBN_SELENDOK(IDC_UNIT_OPERATION, OnSelEndOkOperation)
  ON_CBN_SELENDOK(IDC_UNIT_HEIGHT, OnSelEndOkHeight)
  ON_CBN_SELENDOK(IDC_UNIT_WIDTH, OnSelEndOkWidth)
END_MESSAGE_MAP()

CStandardUnitSizingPageDlg::CStandardUnitSizingPageDlg(CUnit* pUnit) : CUnitPageDlg(IDD_UNIT_STANDARD_SIZING, pUnit)
{
  if (!dynamic_cast<CStandardUnit*>(pUnit))
    throw CAppFatalException(kModule, kNotStandardLine);
}

CStandardUnit* CStandardUnitSizingPageDlg::Unit() const { return static_cast<CStandardUnit*>(m_pUnit); }

void CStandardUnitSizingPageDlg::LoadControls()
{
  CStandardUnit* pUnit = Unit();
  CComboBox& sizes = Combo(IDC_UNIT_SIZE_CODE);
  sizes.ResetContent();
  CStdSizesRecArray rows;
  pUnit->GetStandardSizes(rows);
  for (int i = 0; i < rows.GetSize(); ++i)
    sizes.AddString(rows[i]->GetSizeCode());
  sizes.SetCurSel(sizes.FindStringExact(-1, pUnit->GetSizeCode()));
  ApplyComboRule(sizes);

  CComboBox& operations = Combo(IDC_UNIT_OPERATION);
  operations.ResetContent();
  m_OperationCodes.RemoveAll();
  COpersRecArray choices;
  pUnit->GetOperatingChoices(choices);
  int current = -1;
  for (int i = 0; i < choices.GetSize(); ++i) {
    const int line = operations.AddString(choices[i]->GetDescription());
    m_OperationCodes.SetAtGrow(line, choices[i]->GetCode());
    if (choices[i]->GetCode() == pUnit->GetOperatingChoice())
      current = line;
  }
  operations.SetCurSel(current);
  ApplyComboRule(operations);

  pUnit->GetSizesForHeight(m_Heights);
  FillLengths(Combo(IDC_UNIT_HEIGHT), m_Heights, pUnit->GetHeight());
  pUnit->GetSizesForWidth(m_Widths);
  FillLengths(Combo(IDC_UNIT_WIDTH), m_Widths, pUnit->GetWidth());
  SetDlgItemText(IDC_UNIT_RO_HEIGHT, FormatLength(pUnit->GetOutlineHeight()));
  SetDlgItemText(IDC_UNIT_RO_WIDTH, FormatLength(pUnit->GetOutlineWidth()));
}

template <class Change>
void CStandardUnitSizingPageDlg::ApplyChange(Change change)
{
  try {
    change();
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CCommonException& e) {
    PCTRACE(TT_UNIT, TL_WARNING)("Unit change refused: %s\n", e.GetErrorMessage().c_str());
    ReportUnitException();
  }
  SetModified(TRUE);
  LoadControls();
}

void CStandardUnitSizingPageDlg::OnSelEndOkSizeCode()
{
  CComboBox& combo = Combo(IDC_UNIT_SIZE_CODE);
  const int line = combo.GetCurSel();
  if (line < 0)
    return;
  CString code;
  combo.GetLBText(line, code);
  if (code != Unit()->GetSizeCode())
    ApplyChange([&] { Unit()->SetSizeCode(code); });
}

void CStandardUnitSizingPageDlg::OnSelEndOkOperation()
{
  const int line = Combo(IDC_UNIT_OPERATION).GetCurSel();
  if (line < 0 || line >= m_OperationCodes.GetSize())
    return;
  const CString code = m_OperationCodes[line];
  if (code != Unit()->GetOperatingChoice())
    ApplyChange([&] { Unit()->SetOperatingChoice(code); });
}

void CStandardUnitSizingPageDlg::OnSelEndOkHeight()
{
  const int line = Combo(IDC_UNIT_HEIGHT).GetCurSel();
  if (line < 0 || line >= m_Heights.GetSize())
    return;
  const double height = m_Heights[line];
  if (height != Unit()->GetHeight())
    ApplyChange([&] { Unit()->SetHeight(height); });
}

void CStandardUnitSizingPageDlg::OnSelEndOkWidth()
{
  const int line = Combo(IDC_UNIT_WIDTH).GetCurSel();
  if (line < 0 || line >= m_Widths.GetSize())
    return;
  const double width = m_Widths[line];
  if (width != Unit()->GetWidth())
    ApplyChange([&] { Unit()->SetWidth(width); });
}

BEGIN_MESSAGE_MAP(CStandardArchedUnitSizingPageDlg, CStandardUnitSizingPageDlg)
  ON_CBN_SELENDOK(IDC_UNIT_SHOULDER_HEIGHT, OnSelEndOkShoulderHeight)
  ON_CBN_SELENDOK(IDC_UNIT_ARCH_RADIUS, OnSelEndOkArchRadius)
END_MESSAGE_MAP()

CStandardArchedUnitSizingPageDlg::CStandardArchedUnitSizingPageDlg(CUnit* pUnit) : CStandardUnitSizingPageDlg(pUnit)
{
  if (!dynamic_cast<CStandardArchedUnit*>(pUnit))
    throw CAppFatalException(kModule, kNotArchedLine);
}

CStandardArchedUnit* CStandardArchedUnitSizingPageDlg::ArchedUnit() const
{
  return static_cast<CStandardArchedUnit*>(m_pUnit);
}

BOOL CStandardArchedUnitSizingPageDlg::OnInitDialog()
{
  // The arch controls are part of the template but shown only for arched units.
  for (UINT id : {IDC_UNIT_SHOULDER_LABEL, IDC_UNIT_SHOULDER_HEIGHT, IDC_UNIT_ARCH_RADIUS_LABEL, IDC_UNIT_ARCH_RADIUS})
    ShowControl(id, TRUE);
  return CStandardUnitSizingPageDlg::OnInitDialog();
}

void CStandardArchedUnitSizingPageDlg::LoadControls()
{
  CStandardUnitSizingPageDlg::LoadControls();
  CStandardArchedUnit* pUnit = ArchedUnit();
  pUnit->GetShoulderHeightsForWidth(m_ShoulderHeights);
  FillLengths(Combo(IDC_UNIT_SHOULDER_HEIGHT), m_ShoulderHeights, pUnit->GetShoulderHeight());
  pUnit->GetArchRadiiForShoulderHeight(m_Radii);
  FillLengths(Combo(IDC_UNIT_ARCH_RADIUS), m_Radii, pUnit->GetArchRadius());
}

void CStandardArchedUnitSizingPageDlg::OnSelEndOkShoulderHeight()
{
  const int line = Combo(IDC_UNIT_SHOULDER_HEIGHT).GetCurSel();
  if (line < 0 || line >= m_ShoulderHeights.GetSize())
    return;
  const double shoulder = m_ShoulderHeights[line];
  if (shoulder != ArchedUnit()->GetShoulderHeight())
    ApplyChange([&] { ArchedUnit()->SetShoulderHeight(shoulder); });
}

void CStandardArchedUnitSizingPageDlg::OnSelEndOkArchRadius()
{
  const int line = Combo(IDC_UNIT_ARCH_RADIUS).GetCurSel();
  if (line < 0 || line >= m_Radii.GetSize())
    return;
  const double radius = m_Radii[line];
  if (radius != ArchedUnit()->GetArchRadius())
    ApplyChange([&] { ArchedUnit()->SetArchRadius(radius); });
}
