#include "document/Whids.h"
#include "document/Whpaste.h"
#include "ui/wnd/Resource.h"

namespace {
constexpr UINT kNoId = static_cast<UINT>(-1);

void AddWarehouseForm()
{
  CDialogTemplate form{"", CSize(200, 200), {}};
  form.items = {
      DialogItem(CDlgCtl::GroupBox, kNoId, "Project Information", 7, 4, 186, 44),
      DialogItem(CDlgCtl::Edit, IDC_WAREHOUSE_PROJECT_NAME, "", 14, 16, 172, 12),
      DialogItem(CDlgCtl::PushButton, ID_PROJECT_INFORMATION, "Info...", 14, 31, 50, 13),
      DialogItem(CDlgCtl::PushButton, ID_WAREHOUSE_PROJECT_SETTINGS, "Settings...", 70, 31, 50, 13),
      DialogItem(CDlgCtl::GroupBox, kNoId, "Stored Unit Designs", 7, 52, 186, 142),
      DialogItem(CDlgCtl::ListBox, IDC_DESIGN_LIST, "", 14, 64, 172, 108, DWORD{LBS_NOTIFY} | WS_VSCROLL),
      DialogItem(CDlgCtl::PushButton, ID_CREATE_DESIGN, "Create...", 14, 176, 50, 13),
      DialogItem(CDlgCtl::PushButton, ID_EDIT_DESIGN, "&Edit...", 75, 176, 50, 13),
      DialogItem(CDlgCtl::PushButton, ID_DELETE_DESIGN, "&Delete", 136, 176, 50, 13),
  };
  CResources::Get().AddDialog(IDD_WAREHOUSE_FORM, std::move(form));
}

void AddPasteDialog()
{
  CDialogTemplate dlg{"Paste Design", CSize(220, 76), {}};
  dlg.items = {
      DialogItem(CDlgCtl::Static, kNoId, "A design with this name already exists.  Please specify a different name.", 7,
                 7, 206, 18),
      DialogItem(CDlgCtl::Static, kNoId, "Name of the new design:", 7, 31, 206, 8),
      DialogItem(CDlgCtl::Edit, IDC_PASTE_DESIGN_NAME, "", 7, 41, 206, 12),
      DialogItem(CDlgCtl::DefPushButton, IDOK, "OK", 107, 58, 50, 14),
      DialogItem(CDlgCtl::PushButton, IDCANCEL, "Cancel", 163, 58, 50, 14),
  };
  CResources::Get().AddDialog(IDD_PASTE_DESIGN, std::move(dlg));
}

void AddStrings()
{
  CResources& res = CResources::Get();
  res.AddString(IDS_DESIGN_CLIPBOARD_FORMAT, "Panecraft Design");
  res.AddString(ID_CREATE_DESIGN, "Create a new design on the Workbench\nCreate Design");
  res.AddString(ID_EDIT_DESIGN, "Edit the selected design on the Workbench\nEdit Design");
  res.AddString(ID_RENAME_DESIGN, "Give the selected design a new name\nRename Design");
  res.AddString(ID_DELETE_DESIGN, "Delete the selected design from the project\nDelete Design");
  res.AddString(ID_PROJECT_INFORMATION, "View and change the project information\nProject Information");
  res.AddString(ID_WAREHOUSE_PROJECT_SETTINGS, "View and change the settings of this project\nProject Settings");
}
}  // namespace

void RegisterWarehouseResources()
{
  AddWarehouseForm();
  AddPasteDialog();
  AddStrings();
}
