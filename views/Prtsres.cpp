#include <utility>
#include <vector>

#include "ui/wnd/Resource.h"
#include "views/Prtscale.h"

namespace {

// The system print dialog's control ids, which the templates carry.
enum : UINT
{
  kSetupButton = 1024,
  kPrintToFile = 1040,
  kCollate = 1041,
  kAllPages = 1056,
  kSelection = 1057,
  kPages = 1058,
  kRangeGroup = 1072,
  kHelpButton = 1038,
  kSystemDefault = 1088,
  kFromLabel = 1089,
  kToLabel = 1090,
  kQualityLabel = 1091,
  kCopiesLabel = 1092,
  kPrinterLabel = 1093,
  kQualityCombo = 1136,
  kFromEdit = 1152,
  kToEdit = 1153,
  kCopiesEdit = 1154
};

// A control the template carries but does not show: hidden and outside the dialog.
CDialogItemTemplate Hidden(CDlgCtl kind, UINT id, const char* text, int x, int y, int cx, int cy)
{
  CDialogItemTemplate item = DialogItem(kind, id, text, x, y, cx, cy);
  item.hidden = TRUE;
  return item;
}

CDialogItemTemplate ScaleList(int y)
{
  return DialogItem(CDlgCtl::ListBox, IDC_PRINT_SCALE_LIST, "", 7, y, 111, 49,
                    static_cast<DWORD>(LBS_NOTIFY) | WS_VSCROLL | WS_BORDER);
}

// The print range group and its controls, which neither template shows.
void AddHiddenRange(std::vector<CDialogItemTemplate>& items, int x)
{
  items.push_back(Hidden(CDlgCtl::GroupBox, kRangeGroup, "Print Range", x, 300, 120, 60));
  items.push_back(Hidden(CDlgCtl::RadioButton, kAllPages, "&All", x + 5, 310, 40, 10));
  items.push_back(Hidden(CDlgCtl::RadioButton, kSelection, "S&election", x + 5, 322, 50, 10));
  items.push_back(Hidden(CDlgCtl::RadioButton, kPages, "&Pages", x + 5, 334, 40, 10));
  items.push_back(Hidden(CDlgCtl::Static, kFromLabel, "&From:", x + 50, 334, 20, 8));
  items.push_back(Hidden(CDlgCtl::Edit, kFromEdit, "", x + 70, 332, 20, 12));
  items.push_back(Hidden(CDlgCtl::Static, kToLabel, "&To:", x + 92, 334, 12, 8));
  items.push_back(Hidden(CDlgCtl::Edit, kToEdit, "", x + 104, 332, 14, 12));
}

CDialogTemplate PrintScaleTemplate()
{
  std::vector<CDialogItemTemplate> items{
      DialogItem(CDlgCtl::Static, static_cast<UINT>(-1), "&Scaling", 8, 7, 60, 8),
      ScaleList(19),
      DialogItem(CDlgCtl::DefPushButton, IDOK, "OK", 130, 9, 50, 14),
      DialogItem(CDlgCtl::PushButton, IDCANCEL, "Cancel", 130, 26, 50, 14),
      DialogItem(CDlgCtl::PushButton, kHelpButton, "&Help", 130, 46, 50, 14),
      Hidden(CDlgCtl::Static, kPrinterLabel, "Printer:", 300, 5, 40, 8),
      Hidden(CDlgCtl::Static, kSystemDefault, "System Default", 300, 15, 100, 8),
      Hidden(CDlgCtl::Static, kQualityLabel, "Print &Quality:", 300, 30, 50, 8),
      Hidden(CDlgCtl::ComboBox, kQualityCombo, "", 300, 40, 60, 40),
      Hidden(CDlgCtl::CheckBox, kPrintToFile, "Print to Fi&le", 300, 60, 60, 10),
      Hidden(CDlgCtl::Static, kCopiesLabel, "&Copies:", 300, 75, 30, 8),
      Hidden(CDlgCtl::Edit, kCopiesEdit, "", 330, 73, 20, 12),
      Hidden(CDlgCtl::CheckBox, kCollate, "Collate Cop&ies", 300, 90, 64, 10),
      Hidden(CDlgCtl::PushButton, kSetupButton, "&Setup...", 300, 105, 50, 14),
  };
  AddHiddenRange(items, 300);
  return CDialogTemplate{"Print", CSize(205, 80), std::move(items)};
}

CDialogTemplate AspectPrintTemplate()
{
  std::vector<CDialogItemTemplate> items{
      DialogItem(CDlgCtl::Static, kPrinterLabel, "Printer:", 8, 7, 30, 8),
      DialogItem(CDlgCtl::Static, kSystemDefault, "System Default", 40, 7, 120, 8),
      DialogItem(CDlgCtl::Static, static_cast<UINT>(-1), "&Scaling", 8, 27, 60, 8),
      ScaleList(39),
      DialogItem(CDlgCtl::Static, kQualityLabel, "Print &Quality:", 8, 95, 50, 8),
      DialogItem(CDlgCtl::ComboBox, kQualityCombo, "", 60, 93, 58, 40, CBS_DROPDOWNLIST),
      DialogItem(CDlgCtl::CheckBox, kPrintToFile, "Print to Fi&le", 8, 113, 60, 10),
      DialogItem(CDlgCtl::Static, kCopiesLabel, "&Copies:", 125, 95, 30, 8),
      DialogItem(CDlgCtl::Edit, kCopiesEdit, "1", 155, 93, 20, 12, ES_NUMBER),
      DialogItem(CDlgCtl::CheckBox, kCollate, "Collate Cop&ies", 125, 113, 64, 10),
      DialogItem(CDlgCtl::DefPushButton, IDOK, "OK", 168, 6, 50, 14),
      DialogItem(CDlgCtl::PushButton, IDCANCEL, "Cancel", 168, 23, 50, 14),
      DialogItem(CDlgCtl::PushButton, kSetupButton, "&Setup...", 168, 43, 50, 14),
      DialogItem(CDlgCtl::PushButton, kHelpButton, "&Help", 168, 60, 50, 14),
  };
  AddHiddenRange(items, 330);
  return CDialogTemplate{"Print", CSize(225, 133), std::move(items)};
}

void AddScaleTexts(CResources& res)
{
  res.AddString(5006, "Scale to Fit");
  res.AddString(5007, "Full Size");
  res.AddString(5008, "3/4\" = 1' 0\"");
  res.AddString(5009, "1\" = 1' 0\"");
  res.AddString(5010, "1 1/2\" = 1' 0\"");
  res.AddString(5012, "1/16\" = 1' 0\"");
  res.AddString(5013, "1/8\" = 1' 0\"");
  res.AddString(5014, "1/4\" = 1' 0\"");
  res.AddString(5015, "1/2\" = 1' 0\"");
  res.AddString(5024, "1:1");
  res.AddString(5025, "1:5");
  res.AddString(5026, "1:10");
  res.AddString(5027, "1:20");
  res.AddString(5028, "1:50");
  res.AddString(5029, "1:100");
  res.AddString(5030, "1:200");
}

}  // namespace

void RegisterPrintScaleResources()
{
  CResources& res = CResources::Get();
  res.AddDialog(IDD_PRINT_SCALE, PrintScaleTemplate());
  res.AddDialog(IDD_ASPECT_PRINT, AspectPrintTemplate());
  AddScaleTexts(res);
}
