#pragma once
// The sizing pages of the units sized by free dimensions: the custom arched units (up to three
// dimensions and a base chosen from a list) and the free-form units (up to four dimensions).
// The typed values go to the working unit when the page's data is saved; a unit that refuses
// them keeps the page open.
#include "workbench/sheets/Unitpage.h"

class CCustomArchedUnit;
class CStringArray;
class CVarigonUnit;

// The label and edit pairs shared by both kinds of page.
class CUnitDimensionsPageDlg : public CUnitPageDlg
{
  DECLARE_DYNAMIC(CUnitDimensionsPageDlg)
  DECLARE_MESSAGE_MAP()
public:
  CUnitDimensionsPageDlg(UINT nIDTemplate, CUnit* pUnit, int maxCount);

  int GetDimensionCount() const { return m_nCount; }
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Shows the first count pairs with the labels given; more than the page holds is an
  // internal error. Hidden pairs are disabled.
  void SetUpDimensions(const CStringArray& labels, const CArray<double, double>& values);
  // Whether the value at the index is read as a length.
  virtual BOOL IsLength(int) const { return TRUE; }
  // Hands the typed values to the unit; FALSE when it refuses them.
  virtual BOOL ApplyDimensions(CArray<double, double>& values) = 0;
  // The field a refusal of the typed values is laid to.
  int RefusedField(const double typed[]) const;
  // The unit's heights and widths in the four statics.
  void ShowSizes();
  void OnEditChange();

  int m_nMaxCount;
  int m_nCount = 0;
  double m_dValues[4] = {};
  // Pairs beyond the unit's count keep their template state on the free-form page.
  BOOL m_bHideUnused = TRUE;
  // TRUE while the page fills its own fields: those changes do not enable Apply.
  BOOL m_bFilling = FALSE;
};

class CCustomArchedUnitSizingPageDlg : public CUnitDimensionsPageDlg
{
  DECLARE_DYNAMIC(CCustomArchedUnitSizingPageDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CCustomArchedUnitSizingPageDlg(CUnit* pUnit);

  BOOL OnInitDialog() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void LoadControls() override;
  BOOL ApplyDimensions(CArray<double, double>& values) override;
  CCustomArchedUnit* Unit() const;
  double ChosenBase();
  void SetUpFromUnit();
  void OnSelEndOkBase();

  CArray<double, double> m_Bases;
  int m_nLocked = 0;
};

class CCustomArchedDLUnitSizingPageDlg : public CCustomArchedUnitSizingPageDlg
{
  DECLARE_DYNAMIC(CCustomArchedDLUnitSizingPageDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CCustomArchedDLUnitSizingPageDlg(CUnit* pUnit);

  BOOL OnInitDialog() override;

protected:
  void OnLockEqualLegs();
};

class CVarigonUnitSizingPageDlg : public CUnitDimensionsPageDlg
{
  DECLARE_DYNAMIC(CVarigonUnitSizingPageDlg)
public:
  explicit CVarigonUnitSizingPageDlg(CUnit* pUnit);

  BOOL OnInitDialog() override;

protected:
  void LoadControls() override { ShowSizes(); }
  BOOL IsLength(int index) const override;
  BOOL ApplyDimensions(CArray<double, double>& values) override;
  CVarigonUnit* Unit() const;
};
