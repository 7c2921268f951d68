// The dialog templates of the unit sheet's pages.
#include "ui/wnd/Resource.h"
#include "workbench/sheets/Unitopts.h"
#include "workbench/sheets/Unitpage.h"
#include "workbench/sheets/Unitsht.h"

namespace {
constexpr auto kNone = static_cast<UINT>(-1);
constexpr DWORD kTabStop = WS_TABSTOP;

CDialogItemTemplate Item(CDlgCtl kind, UINT id, const char* text, int x, int y, int cx, int cy, DWORD style = 0,
                         BOOL hidden = FALSE)
{
  return CDialogItemTemplate(kind, id, text, CRect(x, y, x + cx, y + cy), style, {}, hidden);
}

CDialogItemTemplate Combo(UINT id, int x, int y, BOOL hidden = FALSE)
{
  return Item(CDlgCtl::ComboBox, id, "", x, y, 90, 60, CBS_DROPDOWNLIST | kTabStop, hidden);
}

CDialogItemTemplate Label(UINT id, const char* text, int x, int y, BOOL hidden = FALSE)
{
  return Item(CDlgCtl::Static, id, text, x, y, 80, 8, 0, hidden);
}

constexpr const char kTypeText[] = "UnitType that is at least 32 charact";

void RegisterStandardSizing()
{
  CDialogTemplate dlg{"Sizing Info", CSize(230, 160), {}};
  dlg.items = {
      Item(CDlgCtl::Static, IDC_UNIT_TYPE_TEXT, kTypeText, 8, 6, 214, 8),
      Label(kNone, "Size Code:", 8, 22),
      Combo(IDC_UNIT_SIZE_CODE, 100, 20),
      Label(kNone, "Operation Code:", 8, 38),
      Combo(IDC_UNIT_OPERATION, 100, 36),
      Label(kNone, "Height:", 8, 54),
      Combo(IDC_UNIT_HEIGHT, 100, 52),
      Label(kNone, "Width:", 8, 70),
      Combo(IDC_UNIT_WIDTH, 100, 68),
      Label(IDC_UNIT_SHOULDER_LABEL, "Shoulder Height:", 8, 86, TRUE),
      Combo(IDC_UNIT_SHOULDER_HEIGHT, 100, 84, TRUE),
      Label(IDC_UNIT_ARCH_RADIUS_LABEL, "Arch Radius:", 8, 102, TRUE),
      Combo(IDC_UNIT_ARCH_RADIUS, 100, 100, TRUE),
      Label(kNone, "Rough Opening Height:", 8, 122),
      Item(CDlgCtl::Static, IDC_UNIT_RO_HEIGHT, "", 100, 122, 90, 8),
      Label(kNone, "Rough Opening Width:", 8, 136),
      Item(CDlgCtl::Static, IDC_UNIT_RO_WIDTH, "", 100, 136, 90, 8),
  };
  CResources::Get().AddDialog(IDD_UNIT_STANDARD_SIZING, std::move(dlg));
}

// The dimension pages: label and edit pairs, then the unit's sizes. The edits hold an edit-format
// length to seven decimals with feet.
std::vector<CDialogItemTemplate> DimensionItems(int pairs, int shown)
{
  std::vector<CDialogItemTemplate> items{Item(CDlgCtl::Static, IDC_UNIT_TYPE_TEXT, kTypeText, 8, 6, 214, 8)};
  for (int i = 0; i < pairs; ++i) {
    const int y = 22 + 16 * i;
    const BOOL hidden = i >= shown;
    items.push_back(Label(IDC_UNIT_DIM_LABEL_FIRST + static_cast<UINT>(i), "", 8, y + 2, hidden));
    items.push_back(
        Item(CDlgCtl::Edit, IDC_UNIT_DIM_EDIT_FIRST + static_cast<UINT>(i), "", 100, y, 110, 12, WS_TABSTOP, hidden));
  }
  const int y = 100;
  items.push_back(Label(kNone, "Unit Height:", 8, y));
  items.push_back(Item(CDlgCtl::Static, IDC_UNIT_HEIGHT_VALUE, "Unit Height Value", 100, y, 90, 8));
  items.push_back(Label(kNone, "Unit Width:", 8, y + 12));
  items.push_back(Item(CDlgCtl::Static, IDC_UNIT_WIDTH_VALUE, "Unit Width Value", 100, y + 12, 90, 8));
  items.push_back(Label(kNone, "Rough Opening Height:", 8, y + 24));
  items.push_back(Item(CDlgCtl::Static, IDC_UNIT_RO_HEIGHT, "Rough Opening Height", 100, y + 24, 90, 8));
  items.push_back(Label(kNone, "Rough Opening Width:", 8, y + 36));
  items.push_back(Item(CDlgCtl::Static, IDC_UNIT_RO_WIDTH, "Rough Opening Width", 100, y + 36, 90, 8));
  return items;
}

void RegisterDimensionPages()
{
  CDialogTemplate varigon{"Sizing Info", CSize(230, 160), DimensionItems(4, 2)};
  CResources::Get().AddDialog(IDD_UNIT_VARIGON_SIZING, std::move(varigon));
  CDialogTemplate arched{"Sizing Info", CSize(230, 160), DimensionItems(3, 3)};
  arched.items.push_back(Label(IDC_UNIT_ARCH_RADIUS_LABEL, "Arch Radius:", 8, 72));
  arched.items.push_back(Combo(IDC_UNIT_ARCH_RADIUS, 100, 70));
  arched.items.push_back(
      Item(CDlgCtl::CheckBox, IDC_UNIT_LOCK_EQUAL_LEGS, "Lock Equal Legs", 8, 86, 90, 10, WS_TABSTOP, TRUE));
  CResources::Get().AddDialog(IDD_UNIT_CUSTOM_ARCHED_SIZING, std::move(arched));
}

void RegisterOptionAndWorkbenchPages()
{
  CDialogTemplate options{"Option Choices", CSize(230, 160), {}};
  options.items = {
      Label(kNone, "Select Option:", 8, 6),
      Item(CDlgCtl::ListBox, IDC_UNIT_OPTION_LIST, "", 8, 16, 100, 136, LBS_NOTIFY | kTabStop),
      Label(kNone, "Select Option Choice:", 116, 6),
      Item(CDlgCtl::ListBox, IDC_UNIT_CHOICE_LIST, "", 116, 16, 106, 136, LBS_NOTIFY | kTabStop),
  };
  CResources::Get().AddDialog(IDD_UNIT_OPTION_CHOICES, std::move(options));
  CDialogTemplate workbench{"Workbench", CSize(230, 160), {}};
  workbench.items = {
      Item(CDlgCtl::GroupBox, kNone, "Sizing Style", 8, 6, 214, 80),
      Item(CDlgCtl::ListBox, IDC_UNIT_ANCHOR_MODES, "", 16, 18, 198, 60, LBS_NOTIFY | kTabStop),
  };
  CResources::Get().AddDialog(IDD_UNIT_WORKBENCH, std::move(workbench));
}
}  // namespace

void RegisterUnitSheetResources()
{
  RegisterStandardSizing();
  RegisterDimensionPages();
  RegisterOptionAndWorkbenchPages();
}
