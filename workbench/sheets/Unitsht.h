#pragma once
// "Unit Properties": edits one unit item's size, option choices, free-form sizing style and
// position. The pages work on a copy of the item's unit; Apply and OK copy it back into the
// item and tell the views when anything changed, and Cancel drops what was not applied.
#include <memory>
#include <vector>

#include "ui/dlg/RetSheet.h"

class CItemPositionPropertyPage;
class CUnit;
class CUnitItem;
class CUnitPageDlg;
class CVRX2DVector;
class CWorkbenchView;

class CUnitSheetDlg : public CRetainedPropertySheet
{
  DECLARE_DYNAMIC(CUnitSheetDlg)
public:
  // Throws CUnitException, before anything is shown, for a unit type that has no sizing page.
  CUnitSheetDlg(CWorkbenchView* pView, CUnitItem* pItem, LPCTSTR pszCaption, UINT iSelectPage);
  ~CUnitSheetDlg() override;

  CString GetRetainedPageTitle() override;
  void SetRetainedPageTitle(const CString& title) override;
  CUnit* GetWorkingUnit() const { return m_pWorking.get(); }

protected:
  void OnApplyNow() override;
  void OnOK() override;

private:
  void AddOwnedPage(std::unique_ptr<CPropertyPage> page);
  // The item's unit becomes the working copy, and the views hear of it.
  void ApplyToItem();
  // Whether the pages committed anything: the item moved from the offset it had before, or the
  // working unit differs from the item's.
  bool Changed(const CVRX2DVector& offsetBefore) const;

  CWorkbenchView* m_pView;
  CUnitItem* m_pItem;
  CUnit* m_pUnit;
  std::unique_ptr<CUnit> m_pWorking;
  // Declared after the working unit, so the pages that point at it go first.
  std::vector<std::unique_ptr<CPropertyPage>> m_Pages;
};

// The sizing page of a unit type, on the given unit. A key the unit-type map does not know is an
// internal error; a known type without a sizing page throws CUnitException.
std::unique_ptr<CUnitPageDlg> MakeUnitSizingPageDlg(const CString& type, const CString& subtype, CUnit* pUnit);

// The unit pages' dialog templates.
void RegisterUnitSheetResources();
