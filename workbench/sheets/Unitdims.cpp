#include "workbench/sheets/Unitdims.h"

#include <algorithm>
#include <cmath>

#include "model/Custarch.h"
#include "model/Sizelimit.h"
#include "model/Varigon.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DataExch.h"
#include "ui/dlg/Ddx.h"
#include "project/DocServices.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CUnitDimensionsPageDlg, CUnitPageDlg)
IMPLEMENT_DYNAMIC(CCustomArchedUnitSizingPageDlg, CUnitDimensionsPageDlg)
IMPLEMENT_DYNAMIC(CCustomArchedDLUnitSizingPageDlg, CCustomArchedUnitSizingPageDlg)
IMPLEMENT_DYNAMIC(CVarigonUnitSizingPageDlg, CUnitDimensionsPageDlg)

namespace {
constexpr const char* kModule = "Unitdims";
constexpr int kTooManyLine = 61;
constexpr int kNotCustomArchedLine = 142;
constexpr int kNotVarigonLine = 265;

constexpr int kCustomArchedMax = 3;
constexpr int kVarigonMax = 4;
// A field left alone reads back within the rounding of its text, well under this.
constexpr double kUnchanged = 1e-6;

const char kInvalidDimensions[] =
    "One or more of the new dimension sizes causes the unit to be invalid.  Please enter valid values.";

// The page's refusal, followed by the limit the unit's check noted, when it noted one.
CString InvalidDimensionsText(int measurementUnits)
{
  CString text(kInvalidDimensions);
  if (CSizeLimit::HasRefusal())
    text += "\n\n" + CSizeLimit::Text(measurementUnits);
  return text;
}

UINT LabelId(int i) { return IDC_UNIT_DIM_LABEL_FIRST + static_cast<UINT>(i); }
UINT EditId(int i) { return IDC_UNIT_DIM_EDIT_FIRST + static_cast<UINT>(i); }
}  // namespace

BEGIN_MESSAGE_MAP(CUnitDimensionsPageDlg, CUnitPageDlg)
  ON_EN_CHANGE(IDC_UNIT_DIM_EDIT_FIRST, OnEditChange)
  ON_EN_CHANGE(IDC_UNIT_DIM_EDIT_FIRST + 1, OnEditChange)
  ON_EN_CHANGE(IDC_UNIT_DIM_EDIT_FIRST + 2, OnEditChange)
  ON_EN_CHANGE(IDC_UNIT_DIM_EDIT_FIRST + 3, OnEditChange)
END_MESSAGE_MAP()

CUnitDimensionsPageDlg::CUnitDimensionsPageDlg(UINT nIDTemplate, CUnit* pUnit, int maxCount)
  : CUnitPageDlg(nIDTemplate, pUnit), m_nMaxCount(maxCount)
{}

void CUnitDimensionsPageDlg::SetUpDimensions(const CStringArray& labels, const CArray<double, double>& values)
{
  const int count = static_cast<int>(labels.GetSize());
  if (count > m_nMaxCount)
    throw CAppFatalException(kModule, kTooManyLine);
  m_nCount = count;
  for (int i = 0; i < m_nMaxCount; ++i) {
    if (i < count) {
      m_dValues[i] = i < values.GetSize() ? values[i] : 0.0;
      SetDlgItemText(static_cast<int>(LabelId(i)), labels[i]);
      ShowControl(LabelId(i), TRUE);
      ShowControl(EditId(i), TRUE);
    } else if (m_bHideUnused) {
      ShowControl(LabelId(i), FALSE);
      ShowControl(EditId(i), FALSE);
    }
  }
}

void CUnitDimensionsPageDlg::DoDataExchange(CDataExchange* pDX)
{
  CUnitPageDlg::DoDataExchange(pDX);
  // The typed values are exchanged as a set: a refused one leaves the members as they were.
  double values[4];
  std::copy(std::begin(m_dValues), std::end(m_dValues), values);
  for (int i = 0; i < m_nCount; ++i) {
    if (IsLength(i))
      DDX_Length(pDX, static_cast<int>(EditId(i)), values[i]);
    else
      DDX_Text(pDX, static_cast<int>(EditId(i)), values[i]);
  }
  if (!pDX->m_bSaveAndValidate)
    return;
  // A value read back as the one shown keeps its last digits: its text is a rounding, and taking
  // that would change the unit where the user changed nothing.
  for (int i = 0; i < m_nCount; ++i)
    if (std::fabs(values[i] - m_dValues[i]) <= kUnchanged)
      values[i] = m_dValues[i];
  CArray<double, double> typed;
  for (int i = 0; i < m_nCount; ++i)
    typed.Add(values[i]);
  CSizeLimit::Clear();
  if (!ApplyDimensions(typed)) {
    MessageBox(InvalidDimensionsText(m_nMeasurementUnits), GetDocServices().GetProductName(),
               MB_OK | MB_ICONEXCLAMATION);
    if (m_nCount > 0)
      pDX->PrepareEditCtrl(static_cast<int>(EditId(RefusedField(values))));
    pDX->Fail();
  }
  std::copy(std::begin(values), std::end(values), m_dValues);
  ShowSizes();
}

// The first field the user changed that lies beyond the length bound the unit noted, else the
// first field changed, else the first. A field left alone reads back within the rounding of its
// text, well under the tolerance.
int CUnitDimensionsPageDlg::RefusedField(const double typed[]) const
{
  int changed = -1;
  for (int i = 0; i < m_nCount; ++i) {
    if (std::fabs(typed[i] - m_dValues[i]) <= kUnchanged)
      continue;
    if (IsLength(i) && CSizeLimit::IsBeyond(typed[i]))
      return i;
    if (changed < 0)
      changed = i;
  }
  return std::max(changed, 0);
}

void CUnitDimensionsPageDlg::ShowSizes()
{
  SetDlgItemText(IDC_UNIT_HEIGHT_VALUE, FormatLength(m_pUnit->GetHeight()));
  SetDlgItemText(IDC_UNIT_WIDTH_VALUE, FormatLength(m_pUnit->GetWidth()));
  SetDlgItemText(IDC_UNIT_RO_HEIGHT, FormatLength(m_pUnit->GetOutlineHeight()));
  SetDlgItemText(IDC_UNIT_RO_WIDTH, FormatLength(m_pUnit->GetOutlineWidth()));
}

BOOL CUnitDimensionsPageDlg::OnInitDialog()
{
  m_bFilling = TRUE;
  const BOOL result = CUnitPageDlg::OnInitDialog();
  m_bFilling = FALSE;
  return result;
}

BOOL CUnitDimensionsPageDlg::OnSetActive()
{
  m_bFilling = TRUE;
  const BOOL result = CUnitPageDlg::OnSetActive();
  m_bFilling = FALSE;
  return result;
}

void CUnitDimensionsPageDlg::OnEditChange()
{
  if (!m_bFilling)
    SetModified(TRUE);
}

BEGIN_MESSAGE_MAP(CCustomArchedUnitSizingPageDlg, CUnitDimensionsPageDlg)
  ON_CBN_SELENDOK(IDC_UNIT_ARCH_RADIUS, OnSelEndOkBase)
END_MESSAGE_MAP()

CCustomArchedUnitSizingPageDlg::CCustomArchedUnitSizingPageDlg(CUnit* pUnit)
  : CUnitDimensionsPageDlg(IDD_UNIT_CUSTOM_ARCHED_SIZING, pUnit, kCustomArchedMax)
{
  if (!dynamic_cast<CCustomArchedUnit*>(pUnit))
    throw CAppFatalException(kModule, kNotCustomArchedLine);
}

CCustomArchedUnit* CCustomArchedUnitSizingPageDlg::Unit() const { return static_cast<CCustomArchedUnit*>(m_pUnit); }

void CCustomArchedUnitSizingPageDlg::SetUpFromUnit()
{
  CStringArray labels;
  Unit()->GetDimensionLabels(labels);
  double base = 0.0;
  CArray<double, double> values;
  Unit()->GetDimensionValues(base, m_nLocked, values);
  SetUpDimensions(labels, values);
}

BOOL CCustomArchedUnitSizingPageDlg::OnInitDialog()
{
  SetUpFromUnit();
  return CUnitDimensionsPageDlg::OnInitDialog();
}

void CCustomArchedUnitSizingPageDlg::DoDataExchange(CDataExchange* pDX)
{
  DDX_Check(pDX, IDC_UNIT_LOCK_EQUAL_LEGS, m_nLocked);
  CUnitDimensionsPageDlg::DoDataExchange(pDX);
}

void CCustomArchedUnitSizingPageDlg::LoadControls()
{
  Unit()->GetBaseList(m_Bases);
  FillLengths(Combo(IDC_UNIT_ARCH_RADIUS), m_Bases, Unit()->GetBase());
  ShowSizes();
}

// The base chosen in the combo: the unit's own, except while a new choice is being applied.
double CCustomArchedUnitSizingPageDlg::ChosenBase()
{
  const int line = Combo(IDC_UNIT_ARCH_RADIUS).GetCurSel();
  return line >= 0 && line < m_Bases.GetSize() ? m_Bases[line] : Unit()->GetBase();
}

BOOL CCustomArchedUnitSizingPageDlg::ApplyDimensions(CArray<double, double>& values)
{
  return Unit()->SetDimensionValues(ChosenBase(), m_nLocked, values);
}

// A new base goes to the unit with the dimensions as typed, read and checked as Apply reads them.
// A value refused is told as Apply tells it; the unit, the typed texts and the base shown then stay
// as they were.
void CCustomArchedUnitSizingPageDlg::OnSelEndOkBase()
{
  const int line = Combo(IDC_UNIT_ARCH_RADIUS).GetCurSel();
  if (line < 0 || line >= m_Bases.GetSize() || m_Bases[line] == Unit()->GetBase())
    return;
  BOOL taken = FALSE;
  try {
    taken = UpdateData(TRUE);
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CCommonException& e) {
    PCTRACE(TT_UNIT, TL_WARNING)("Base refused: %s\n", e.GetErrorMessage().c_str());
    ReportUnitException();
  }
  if (!taken) {
    LoadControls();
    return;
  }
  SetModified(TRUE);
  SetUpFromUnit();
  UpdateData(FALSE);
  LoadControls();
}

BEGIN_MESSAGE_MAP(CCustomArchedDLUnitSizingPageDlg, CCustomArchedUnitSizingPageDlg)
  ON_BN_CLICKED(IDC_UNIT_LOCK_EQUAL_LEGS, OnLockEqualLegs)
END_MESSAGE_MAP()

CCustomArchedDLUnitSizingPageDlg::CCustomArchedDLUnitSizingPageDlg(CUnit* pUnit) : CCustomArchedUnitSizingPageDlg(pUnit)
{}

BOOL CCustomArchedDLUnitSizingPageDlg::OnInitDialog()
{
  if (CWnd* pCheck = GetDlgItem(IDC_UNIT_LOCK_EQUAL_LEGS))
    pCheck->ShowWindow(SW_SHOW);
  return CCustomArchedUnitSizingPageDlg::OnInitDialog();
}

// Locking changes how many legs the page shows, so the page is set up again from the unit.
void CCustomArchedDLUnitSizingPageDlg::OnLockEqualLegs()
{
  UpdateData(TRUE);
  SetUpFromUnit();
  UpdateData(FALSE);
  LoadControls();
  SetModified(TRUE);
}

CVarigonUnitSizingPageDlg::CVarigonUnitSizingPageDlg(CUnit* pUnit)
  : CUnitDimensionsPageDlg(IDD_UNIT_VARIGON_SIZING, pUnit, kVarigonMax)
{
  if (!dynamic_cast<CVarigonUnit*>(pUnit))
    throw CAppFatalException(kModule, kNotVarigonLine);
  m_bHideUnused = FALSE;
}

CVarigonUnit* CVarigonUnitSizingPageDlg::Unit() const { return static_cast<CVarigonUnit*>(m_pUnit); }

BOOL CVarigonUnitSizingPageDlg::OnInitDialog()
{
  CStringArray labels;
  Unit()->GetDimensionLabels(labels);
  CArray<double, double> values;
  Unit()->GetDimensionValues(values);
  SetUpDimensions(labels, values);
  return CUnitDimensionsPageDlg::OnInitDialog();
}

BOOL CVarigonUnitSizingPageDlg::IsLength(int index) const { return Unit()->IsDimensionLength(index); }

BOOL CVarigonUnitSizingPageDlg::ApplyDimensions(CArray<double, double>& values)
{
  return Unit()->SetDimensionValues(values);
}
