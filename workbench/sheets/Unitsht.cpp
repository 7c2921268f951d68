#include "workbench/sheets/Unitsht.h"

#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "model/Varigon.h"
#include "ui/wnd/Resource.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/sheets/Itempos.h"
#include "workbench/sheets/Unitdims.h"
#include "workbench/items/Unititem.h"
#include "workbench/sheets/Unitopts.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CUnitSheetDlg, CRetainedPropertySheet)

namespace {
constexpr const char* kModule = "Unitsht";
constexpr int kUnknownKeyLine = 112;
constexpr int kUnimplementedLine = 131;
constexpr int kInvalidKeyLine = 135;
constexpr int kFreeFormKeyLine = 146;

// The page last shown, shared by every unit sheet while the program runs.
CString& RetainedPageTitle()
{
  static CString title;
  return title;
}

// How a key of the unit-type map is sized; a key the map does not know is an internal error.
EUnitSizing SizingOf(const CString& type, const CString& subtype, int failLine)
{
  int index = 0;
  if (!TheUnitTypeMap().Lookup(type, subtype, index))
    throw CAppFatalException(kModule, failLine);
  return CUnitTypeMap::GetSizing(index);
}

// Whether the working unit is the item's unit as it stands: its stored form, and for a free-form
// unit the sizing style, which is not stored with it.
bool SameUnit(const CUnit& unit, const CUnit& working)
{
  if (unit.GetAttributes() != working.GetAttributes())
    return false;
  const auto* pFreeForm = dynamic_cast<const CVarigonUnit*>(&unit);
  const auto* pWorkingFreeForm = dynamic_cast<const CVarigonUnit*>(&working);
  return !pFreeForm || !pWorkingFreeForm || pFreeForm->GetAnchorMode() == pWorkingFreeForm->GetAnchorMode();
}

CUnitException NoPage(const char* text, int line, const CString& type, const CString& subtype)
{
  CUnitException e(kModule, line);
  e.SetMessage(CString(text) + type + subtype);
  return e;
}
}  // namespace

std::unique_ptr<CUnitPageDlg> MakeUnitSizingPageDlg(const CString& type, const CString& subtype, CUnit* pUnit)
{
  PCTRACE(TT_UNIT, TL_IMPORTANT)
  ("MakeUnitSizingPageDlg:  construct a %s unit sizing page. \n", (type + subtype).c_str());
  switch (SizingOf(type, subtype, kUnknownKeyLine)) {
  case EUnitSizing::Standard:
    return std::make_unique<CStandardUnitSizingPageDlg>(pUnit);
  case EUnitSizing::StandardArched:
    return std::make_unique<CStandardArchedUnitSizingPageDlg>(pUnit);
  case EUnitSizing::CustomArched:
    return std::make_unique<CCustomArchedUnitSizingPageDlg>(pUnit);
  case EUnitSizing::CustomArchedDL:
    return std::make_unique<CCustomArchedDLUnitSizingPageDlg>(pUnit);
  case EUnitSizing::Varigon:
    return std::make_unique<CVarigonUnitSizingPageDlg>(pUnit);
  case EUnitSizing::None:
    throw NoPage("Cannot create CUnitPageDlg: unimplemented type/subtype of ", kUnimplementedLine, type, subtype);
  }
  throw NoPage("Cannot create CUnitPageDlg: invalid type/subtype of ", kInvalidKeyLine, type, subtype);
}

CUnitSheetDlg::CUnitSheetDlg(CWorkbenchView* pView, CUnitItem* pItem, LPCTSTR pszCaption, UINT iSelectPage)
  : CRetainedPropertySheet(pszCaption, nullptr, iSelectPage),
    m_pView(pView),
    m_pItem(pItem),
    m_pUnit(pItem->GetUnit()),
    m_pWorking(m_pUnit->Clone())
{
  const CString type = m_pUnit->GetType();
  const CString subtype = m_pUnit->GetSubtype();
  AddOwnedPage(MakeUnitSizingPageDlg(type, subtype, m_pWorking.get()));
  AddOwnedPage(std::make_unique<CUnitOptionChoicesDlg>(m_pWorking.get()));
  if (SizingOf(type, subtype, kFreeFormKeyLine) == EUnitSizing::Varigon) {
    CStringArray modes;
    static_cast<CVarigonUnit*>(m_pWorking.get())->GetAnchorModeNames(modes);
    if (modes.GetSize() != 1)
      AddOwnedPage(std::make_unique<CUnitWorkbenchPage>(m_pWorking.get()));
  }
  AddOwnedPage(std::make_unique<CItemPositionPropertyPage>(pView, pItem));
}

CUnitSheetDlg::~CUnitSheetDlg() = default;

void CUnitSheetDlg::AddOwnedPage(std::unique_ptr<CPropertyPage> page)
{
  AddPage(page.get());
  m_Pages.push_back(std::move(page));
}

CString CUnitSheetDlg::GetRetainedPageTitle() { return RetainedPageTitle(); }

void CUnitSheetDlg::SetRetainedPageTitle(const CString& title) { RetainedPageTitle() = title; }

void CUnitSheetDlg::ApplyToItem()
{
  *m_pUnit = *m_pWorking;
  m_pView->SendItemPropertiesHint(m_pItem);
}

// A sheet that changed nothing leaves the item alone: copying the unit back and sending the hint
// would snap and join the item afresh, which may turn its joins round and change the design
// unasked.
bool CUnitSheetDlg::Changed(const CVRX2DVector& offsetBefore) const
{
  return m_pItem->GetOffset() != offsetBefore || !SameUnit(*m_pUnit, *m_pWorking);
}

void CUnitSheetDlg::OnApplyNow()
{
  const CVRX2DVector offset = m_pItem->GetOffset();
  if (!CommitShownPages(FALSE))
    return;
  if (Changed(offset))
    ApplyToItem();
  CancelToClose();
}

void CUnitSheetDlg::OnOK()
{
  const CVRX2DVector offset = m_pItem->GetOffset();
  if (!CommitShownPages(TRUE))
    return;
  const bool changed = Changed(offset);
  if (changed)
    *m_pUnit = *m_pWorking;
  // The retained sheet's OK ends the sheet and remembers the active page.
  CRetainedPropertySheet::OnOK();
  if (changed)
    m_pView->SendItemPropertiesHint(m_pItem);
}
