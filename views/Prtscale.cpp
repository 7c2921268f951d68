#include "views/Prtscale.h"

#include <iterator>

#include "ui/dlg/DataExch.h"
#include "ui/wnd/Resource.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"

namespace {

constexpr const char* kModule = "Prtscale";
// A scale text missing from the resources is fatal.
constexpr int kLineAspectText = 131;
constexpr int kLineScaleText = 205;

// The print dialog's Help button.
constexpr UINT kPrintHelpButton = 1038;

constexpr CPrintScaleRow kDetailImperial[] = {
    {5006, -1, -1}, {5007, 1, 1}, {5008, 3, 48}, {5009, 1, 12}, {5010, 3, 24}};
constexpr CPrintScaleRow kDrawingImperial[] = {{5006, -1, -1}, {5012, 1, 192}, {5013, 1, 96},
                                               {5014, 1, 48},  {5015, 1, 24},  {5008, 3, 48}};
constexpr CPrintScaleRow kDetailMetric[] = {{5006, -1, -1}, {5024, 1, 1}, {5025, 1, 5}, {5026, 1, 10}, {5027, 1, 20}};
constexpr CPrintScaleRow kDrawingMetric[] = {
    {5006, -1, -1}, {5027, 1, 20}, {5028, 1, 50}, {5029, 1, 100}, {5030, 1, 200}};

struct CScaleList
{
  const CPrintScaleRow* rows;
  int count;
};

constexpr CScaleList kLists[kPrintScaleListCount] = {
    {kDetailImperial, static_cast<int>(std::size(kDetailImperial))},
    {kDrawingImperial, static_cast<int>(std::size(kDrawingImperial))},
    {kDetailMetric, static_cast<int>(std::size(kDetailMetric))},
    {kDrawingMetric, static_cast<int>(std::size(kDrawingMetric))},
};

// Fills the list box with the list's texts in row order.
void AddScaleTexts(CListBox& box, int list, int failureLine)
{
  for (int row = 0; row < GetPrintScaleRowCount(list); ++row) {
    CString text;
    if (!AfxLoadString(static_cast<UINT>(GetPrintScaleRow(list, row)->nStringId), text))
      throw CAppFatalException(kModule, failureLine);
    box.AddString(text);
  }
}

// The row a dialog opens on, for the scale it is given. A scale that cannot be printed, or that
// the list does not hold (chosen before the measurement units changed), gives way to the list's
// "Scale to Fit", so that the row shown selected is the scale OK hands back. A list number
// outside the table keeps the scale, with no row.
int OpeningRow(int list, int& numerator, int& denominator)
{
  if (!IsValidPrintScale(numerator, denominator))
    numerator = denominator = -1;
  const int row = FindPrintScaleRow(list, numerator, denominator);
  const int fit = FindPrintScaleRow(list, -1, -1);
  if (row >= 0 || fit < 0)
    return row;
  numerator = denominator = -1;
  return fit;
}

// The row's scale, or the scale given when the row is none of the list's.
void ScaleOfRow(int list, int row, int givenNumerator, int givenDenominator, int& numerator, int& denominator)
{
  const CPrintScaleRow* pRow = GetPrintScaleRow(list, row);
  numerator = pRow ? pRow->nNumerator : givenNumerator;
  denominator = pRow ? pRow->nDenominator : givenDenominator;
}

}  // namespace

int GetPrintScaleRowCount(int list) { return list >= 0 && list < kPrintScaleListCount ? kLists[list].count : 0; }

const CPrintScaleRow* GetPrintScaleRow(int list, int row)
{
  if (row < 0 || row >= GetPrintScaleRowCount(list))
    return nullptr;
  return &kLists[list].rows[row];
}

int FindPrintScaleRow(int list, int numerator, int denominator)
{
  for (int row = 0; row < GetPrintScaleRowCount(list); ++row) {
    const CPrintScaleRow* pRow = GetPrintScaleRow(list, row);
    if (pRow->nNumerator == numerator && pRow->nDenominator == denominator)
      return row;
  }
  return -1;
}

BOOL IsValidPrintScale(int numerator, int denominator)
{
  return (numerator == -1 && denominator == -1) || (numerator > 0 && denominator > 0);
}

int PrintScaleListFor(BOOL bDetailView, int measurementUnits)
{
  const BOOL metric = measurementUnits == CUnitsConverter::metricMillimeters;
  if (bDetailView)
    return metric ? kDetailMetricScales : kDetailImperialScales;
  return metric ? kDrawingMetricScales : kDrawingImperialScales;
}

CAspectPrintDlg::CAspectPrintDlg(int list, BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd, int numerator,
                                 int denominator)
  : CPrintDialog(bPrintSetupOnly, dwFlags, pParentWnd),
    m_nList(list),
    m_nNumerator(numerator),
    m_nDenominator(denominator)
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("CAspectPrintDlg construction \n");
  m_nSelectedRow = OpeningRow(m_nList, m_nNumerator, m_nDenominator);
}

void CAspectPrintDlg::DoDataExchange(CDataExchange* pDX)
{
  CPrintDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PRINT_SCALE_LIST, m_ScaleList);
  DDX_LBIndex(pDX, IDC_PRINT_SCALE_LIST, m_nSelectedRow);
}

BOOL CAspectPrintDlg::OnInitDialog()
{
  CPrintDialog::OnInitDialog();
  AddScaleTexts(m_ScaleList, m_nList, kLineAspectText);
  UpdateData(FALSE);
  return TRUE;
}

BOOL CAspectPrintDlg::OnButtonClicked(UINT nID)
{
  return CPrintDialog::OnButtonClicked(nID == kPrintHelpButton ? static_cast<UINT>(IDHELP) : nID);
}

void CAspectPrintDlg::GetScale(int& numerator, int& denominator) const
{
  ScaleOfRow(m_nList, m_nSelectedRow, m_nNumerator, m_nDenominator, numerator, denominator);
}

CPrintScaleDlg::CPrintScaleDlg(int list, int numerator, int denominator, CWnd* pParentWnd)
  : CDialog(IDD_PRINT_SCALE, pParentWnd), m_nList(list), m_nNumerator(numerator), m_nDenominator(denominator)
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("CPrintScaleDlg construction \n");
  m_nSelectedRow = OpeningRow(m_nList, m_nNumerator, m_nDenominator);
}

void CPrintScaleDlg::DoDataExchange(CDataExchange* pDX)
{
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PRINT_SCALE_LIST, m_ScaleList);
}

BOOL CPrintScaleDlg::OnInitDialog()
{
  CDialog::OnInitDialog();
  AddScaleTexts(m_ScaleList, m_nList, kLineScaleText);
  m_ScaleList.SetCurSel(m_nSelectedRow);
  return TRUE;
}

void CPrintScaleDlg::OnOK()
{
  m_nSelectedRow = m_ScaleList.GetCurSel();
  ScaleOfRow(m_nList, m_nSelectedRow, m_nNumerator, m_nDenominator, m_nNumerator, m_nDenominator);
  CDialog::OnOK();
}

BOOL CPrintScaleDlg::OnButtonClicked(UINT nID)
{
  return CDialog::OnButtonClicked(nID == kPrintHelpButton ? static_cast<UINT>(IDHELP) : nID);
}

void CPrintScaleDlg::GetScale(int& numerator, int& denominator) const
{
  numerator = m_nNumerator;
  denominator = m_nDenominator;
}
