#include "workbench/sheets/Unitsht.h"

#include "document/Dochints.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "model/Varigon.h"
#include "ui/docview/Doc.h"
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

enum class CSizingPage
{
  None,
  Standard,
  StandardArched,
  CustomArched,
  CustomArchedDL,
  Varigon,
  Unimplemented
};

struct CSizingPageKey
{
  const char* key;
  CSizingPage page;
};

constexpr CSizingPageKey kSizingPages[] = {
    {"ARBA011", CSizingPage::StandardArched}, {"SLAR012", CSizingPage::StandardArched},
    {"SLBA012", CSizingPage::StandardArched}, {"ARDL013", CSizingPage::CustomArchedDL},
    {"ARS1013", CSizingPage::CustomArched},   {"ARS2013", CSizingPage::CustomArched},
    {"AWBA002", CSizingPage::Standard},       {"AWPI002", CSizingPage::Standard},
    {"AWVP002", CSizingPage::Standard},       {"CABA001", CSizingPage::Standard},
    {"CAPI001", CSizingPage::Standard},       {"DHQV004", CSizingPage::Standard},
    {"DHPI003", CSizingPage::Standard},       {"DHTR003", CSizingPage::Standard},
    {"DHKC003", CSizingPage::Standard},       {"FGBA015", CSizingPage::Standard},
    {"FHBA014", CSizingPage::Standard},       {"GLBA005", CSizingPage::Standard},
    {"PSBA016", CSizingPage::Standard},       {"SWCC006", CSizingPage::Standard},
    {"SWCD007", CSizingPage::Standard},       {"SWCI009", CSizingPage::Standard},
    {"SWCL006", CSizingPage::Standard},       {"SWCR006", CSizingPage::Standard},
    {"SWET008", CSizingPage::Standard},       {"SWFC039", CSizingPage::Standard},
    {"SWFD039", CSizingPage::Standard},       {"SWFR040", CSizingPage::Standard},
    {"SWJQ039", CSizingPage::Standard},       {"SWGT041", CSizingPage::Standard},
    {"SWML042", CSizingPage::Standard},       {"SWMR042", CSizingPage::Standard},
    {"SWOC010", CSizingPage::Standard},       {"SWOV009", CSizingPage::Standard},
    {"VGDI010", CSizingPage::Varigon},        {"VGHP010", CSizingPage::Varigon},
    {"VGHX010", CSizingPage::Varigon},        {"VGIT010", CSizingPage::Varigon},
    {"VGOC010", CSizingPage::Varigon},        {"VGP1010", CSizingPage::Varigon},
    {"VGP2010", CSizingPage::Varigon},        {"VGPP010", CSizingPage::Varigon},
    {"VGRE010", CSizingPage::Varigon},        {"VGRH010", CSizingPage::Varigon},
    {"VGT1010", CSizingPage::Varigon},        {"VGT2010", CSizingPage::Varigon},
    {"VGTZ010", CSizingPage::Varigon},        {"VGVP010", CSizingPage::Varigon},
    {"BUBA020", CSizingPage::Unimplemented},  {"RWST100", CSizingPage::Unimplemented},
    {"RWVE101", CSizingPage::Unimplemented},  {"RWVT102", CSizingPage::Unimplemented},
    {"SKBA110", CSizingPage::Unimplemented}};

// The page kind of a key of the unit-type map; a key the map does not know is an internal error.
CSizingPage SizingPageOf(const CString& type, const CString& subtype, int failLine)
{
  int index = 0;
  if (!TheUnitTypeMap().Lookup(type, subtype, index))
    throw CAppFatalException(kModule, failLine);
  const CString key = type + subtype;
  for (const CSizingPageKey& entry : kSizingPages)
    if (key == entry.key)
      return entry.page;
  return CSizingPage::None;
}

CUnitException NoPage(const char* text, int line, const CString& type, const CString& subtype)
{
  CUnitException e(kModule, line);
  e.SetMessage(CString(text) + type + subtype);
  return e;
}

void SendPropertiesHint(CWorkbenchView* pView)
{
  if (CDocument* pDoc = pView->GetDocument())
    pDoc->UpdateAllViews(nullptr, kHintItemProperties);
}
}  // namespace

std::unique_ptr<CUnitPageDlg> MakeUnitSizingPageDlg(const CString& type, const CString& subtype, CUnit* pUnit)
{
  PCTRACE(TT_UNIT, TL_IMPORTANT)
  ("MakeUnitSizingPageDlg:  construct a %s unit sizing page. \n", (type + subtype).c_str());
  switch (SizingPageOf(type, subtype, kUnknownKeyLine)) {
  case CSizingPage::Standard:
    return std::make_unique<CStandardUnitSizingPageDlg>(pUnit);
  case CSizingPage::StandardArched:
    return std::make_unique<CStandardArchedUnitSizingPageDlg>(pUnit);
  case CSizingPage::CustomArched:
    return std::make_unique<CCustomArchedUnitSizingPageDlg>(pUnit);
  case CSizingPage::CustomArchedDL:
    return std::make_unique<CCustomArchedDLUnitSizingPageDlg>(pUnit);
  case CSizingPage::Varigon:
    return std::make_unique<CVarigonUnitSizingPageDlg>(pUnit);
  case CSizingPage::Unimplemented:
    throw NoPage("Cannot create CUnitPageDlg: unimplemented type/subtype of ", kUnimplementedLine, type, subtype);
  case CSizingPage::None:
    break;
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
  if (SizingPageOf(type, subtype, kFreeFormKeyLine) == CSizingPage::Varigon) {
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
  SendPropertiesHint(m_pView);
}

void CUnitSheetDlg::OnApplyNow()
{
  if (!CommitShownPages(FALSE))
    return;
  ApplyToItem();
  CancelToClose();
}

void CUnitSheetDlg::OnOK()
{
  if (!CommitShownPages(TRUE))
    return;
  *m_pUnit = *m_pWorking;
  // The retained sheet's OK ends the sheet and remembers the active page.
  CRetainedPropertySheet::OnOK();
  SendPropertiesHint(m_pView);
}
