#pragma once
// The pages of the "Unit Properties" sheet that size a catalogue unit. Every unit page works on
// the sheet's working copy of the unit, never on the item's own unit, so Cancel loses nothing
// but the working copy.
#include "platform/core/Array.h"
#include "ui/dlg/PropSheet.h"

class CComboBox;
class CStandardArchedUnit;
class CStandardUnit;
class CUnit;

// Dialog templates of the unit pages.
enum : UINT
{
  IDD_UNIT_STANDARD_SIZING = 2201,
  IDD_UNIT_VARIGON_SIZING = 2202,
  IDD_UNIT_CUSTOM_ARCHED_SIZING = 2203,
  IDD_UNIT_OPTION_CHOICES = 2204,
  IDD_UNIT_WORKBENCH = 2205
};

// Controls of the sizing templates.
enum : UINT
{
  IDC_UNIT_ARCH_RADIUS = 2301,
  IDC_UNIT_HEIGHT = 2302,
  IDC_UNIT_OPERATION = 2303,
  IDC_UNIT_SHOULDER_HEIGHT = 2306,
  IDC_UNIT_SIZE_CODE = 2307,
  IDC_UNIT_WIDTH = 2308,
  IDC_UNIT_ARCH_RADIUS_LABEL = 2309,
  IDC_UNIT_SHOULDER_LABEL = 2310,
  IDC_UNIT_DIM_LABEL_FIRST = 2311,
  IDC_UNIT_DIM_EDIT_FIRST = 2315,
  IDC_UNIT_HEIGHT_VALUE = 2319,
  IDC_UNIT_WIDTH_VALUE = 2320,
  IDC_UNIT_RO_HEIGHT = 2321,
  IDC_UNIT_RO_WIDTH = 2322,
  IDC_UNIT_TYPE_TEXT = 2323,
  IDC_UNIT_LOCK_EQUAL_LEGS = 2332
};

// Common base: the working unit and the user's measurement units, in which every length of
// the page is shown.
class CUnitPageDlg : public CPropertyPage
{
  DECLARE_DYNCREATE(CUnitPageDlg)
public:
  // Only the dynamic-creation record uses it; a page without a unit is an internal error.
  CUnitPageDlg();
  CUnitPageDlg(UINT nIDTemplate, CUnit* pUnit);

  BOOL OnInitDialog() override;
  // The sheet's pages share one working unit: a page shown again lists what the unit offers now.
  BOOL OnSetActive() override;
  CUnit* GetUnit() const { return m_pUnit; }

protected:
  // Fills the controls from the unit; nothing here.
  virtual void LoadControls() {}
  CString FormatLength(double inches) const;
  CComboBox& Combo(UINT nID);
  // An exception of the unit while a choice is applied.
  void ReportUnitException();
  void ShowControl(UINT nID, BOOL bShow);
  // One entry is selected and cannot be changed; no entry leaves the combo disabled.
  static void ApplyComboRule(CComboBox& combo);
  // Fills a combo with formatted lengths and selects the one equal to `current`.
  void FillLengths(CComboBox& combo, const CArray<double, double>& values, double current);

  CUnit* m_pUnit = nullptr;
  int m_nMeasurementUnits = 0;
};

class CStandardUnitSizingPageDlg : public CUnitPageDlg
{
  DECLARE_DYNAMIC(CStandardUnitSizingPageDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CStandardUnitSizingPageDlg(CUnit* pUnit);

protected:
  void LoadControls() override;
  CStandardUnit* Unit() const;
  // Applies one change of the unit, then shows the unit as it now is.
  template <class Change>
  void ApplyChange(Change change);

  void OnSelEndOkSizeCode();
  void OnSelEndOkOperation();
  void OnSelEndOkHeight();
  void OnSelEndOkWidth();

  CArray<double, double> m_Heights;
  CArray<double, double> m_Widths;
  CStringArray m_OperationCodes;
};

class CStandardArchedUnitSizingPageDlg : public CStandardUnitSizingPageDlg
{
  DECLARE_DYNAMIC(CStandardArchedUnitSizingPageDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CStandardArchedUnitSizingPageDlg(CUnit* pUnit);

  BOOL OnInitDialog() override;

protected:
  void LoadControls() override;
  CStandardArchedUnit* ArchedUnit() const;
  void OnSelEndOkShoulderHeight();
  void OnSelEndOkArchRadius();

  CArray<double, double> m_ShoulderHeights;
  CArray<double, double> m_Radii;
};
