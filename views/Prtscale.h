#pragma once
// The print scales a drawing view offers: four fixed lists (imperial or metric, plan and
// elevation or detail), and the two dialogs that let the user pick one, the print dialog with a
// scale list and the scale dialog of its own.
#include "ui/dlg/Ctrls.h"
#include "ui/output/Print.h"
#include "views/Viewids.h"

// The list numbers.
enum : int
{
  kDetailImperialScales = 0,
  kDrawingImperialScales = 1,
  kDetailMetricScales = 2,
  kDrawingMetricScales = 3,
  kPrintScaleListCount = 4
};

// One inch of the design is numerator / denominator inches on paper; -1 and -1 fit the drawing
// to the page.
struct CPrintScaleRow
{
  int nStringId;
  int nNumerator;
  int nDenominator;
};

// The rows of a list, none for a list number outside the table.
int GetPrintScaleRowCount(int list);
const CPrintScaleRow* GetPrintScaleRow(int list, int row);
// The first row of the list with the pair (fractions are compared unreduced); -1 when none.
int FindPrintScaleRow(int list, int numerator, int denominator);
// "Scale to Fit", or a positive numerator and denominator.
BOOL IsValidPrintScale(int numerator, int denominator);
// The detail view takes the detail lists, the other views the drawing lists; metric by the
// measurement units (3 is millimetres).
int PrintScaleListFor(BOOL bDetailView, int measurementUnits);

// The print dialog with the scale list (templates 3401 for printing and 1801 for print preview,
// set by the view).
class CAspectPrintDlg : public CPrintDialog
{
public:
  // A scale that is neither "Scale to Fit" nor positive, or that the list does not hold, is taken
  // as "Scale to Fit", which the dialog then shows selected.
  CAspectPrintDlg(int list, BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd, int numerator, int denominator);

  // The chosen row's scale; with no row chosen the scale the dialog was opened with.
  void GetScale(int& numerator, int& denominator) const;

  CListBox m_ScaleList;
  int m_nSelectedRow;
  int m_nList;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnButtonClicked(UINT nID) override;

private:
  int m_nNumerator;
  int m_nDenominator;
};

// "Set a scaling factor for printing." (template 1801).
class CPrintScaleDlg : public CDialog
{
public:
  // A scale that is neither "Scale to Fit" nor positive, or that the list does not hold, is taken
  // as "Scale to Fit", which the dialog then shows selected.
  CPrintScaleDlg(int list, int numerator, int denominator, CWnd* pParentWnd = nullptr);

  // The chosen scale; with no row chosen the scale the dialog was opened with.
  void GetScale(int& numerator, int& denominator) const;

  CListBox m_ScaleList;
  int m_nSelectedRow;
  int m_nList;
  int m_nNumerator;
  int m_nDenominator;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnButtonClicked(UINT nID) override;
};

// The dialog templates and the texts of the scales.
void RegisterPrintScaleResources();
