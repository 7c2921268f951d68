#include "app/Dlgids.h"
#include "app/Shellres.h"
#include "ui/wnd/Resource.h"

namespace {
CDialogItemTemplate Label(const char* text, int x, int y, int cx, int cy = 8)
{
  return DialogItem(CDlgCtl::Static, static_cast<UINT>(-1), text, x, y, cx, cy);
}

CDialogItemTemplate Edit(UINT id, int x, int y, int cx, int cy = 12, DWORD style = 0)
{
  return DialogItem(CDlgCtl::Edit, id, "", x, y, cx, cy, style);
}

CDialogItemTemplate Button(UINT id, const char* text, int x, int y, BOOL isDefault = FALSE)
{
  return DialogItem(isDefault ? CDlgCtl::DefPushButton : CDlgCtl::PushButton, id, text, x, y, 50, 14);
}

void AddPerformanceTuning()
{
  CDialogTemplate dlg{"Performance Tuning", CSize(186, 70), {}};
  dlg.items = {
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "Resizing Threshholds", 7, 7, 114, 56),
      Label("Time (milliseconds)", 14, 24, 72),
      Edit(IDC_RESIZE_TIME, 88, 22, 28),
      Label("Distance (inches)", 14, 42, 72),
      Edit(IDC_RESIZE_DISTANCE, 88, 40, 28),
      Button(IDOK, "OK", 129, 7, TRUE),
      Button(IDCANCEL, "Cancel", 129, 24),
  };
  CResources::Get().AddDialog(IDD_PERFORMANCE_TUNING, std::move(dlg));
}

void AddStoreNewDesign()
{
  CDialogTemplate dlg{"Store New Design", CSize(240, 78), {}};
  dlg.items = {
      Label("This design is unnamed; please provide a name to store it with in the project file.", 7, 7, 226, 18),
      Label("New design name:", 7, 34, 66),
      Edit(IDC_NEW_DESIGN_NAME, 75, 32, 158),
      Button(IDOK, "Store", 127, 56, TRUE),
      Button(IDCANCEL, "Cancel", 183, 56),
  };
  CResources::Get().AddDialog(IDD_STORE_NEW_DESIGN, std::move(dlg));
}

void AddRenameDesign()
{
  CDialogTemplate dlg{"Rename Design", CSize(240, 70), {}};
  dlg.items = {
      Label("Current name:", 7, 9, 50),  Edit(IDC_CURRENT_NAME, 60, 7, 173, 12, ES_READONLY),
      Label("New name:", 7, 27, 50),     Edit(IDC_NEW_NAME, 60, 25, 173),
      Button(IDOK, "OK", 127, 49, TRUE), Button(IDCANCEL, "Cancel", 183, 49),
  };
  CResources::Get().AddDialog(IDD_RENAME_DESIGN, std::move(dlg));
}

void AddDbVersion()
{
  CDialogTemplate dlg{"Product Database Information", CSize(300, 172), {}};
  dlg.items = {
      Label("The project you are opening was saved with a different product database than the database now "
            "used by the application.  This may occur when opening a project saved in a previous version, or if "
            "the product database has been upgraded.",
            7, 7, 286, 34),
      Label("This Project", 110, 46, 85),
      Label("Application", 202, 46, 85),
      Label("Database Version:", 7, 60, 98),
      Label("Database Specification:", 7, 74, 98),
      Label("Population Date:", 7, 88, 98),
      DialogItem(CDlgCtl::Static, IDC_PROJECT_DATA_VERSION, "", 110, 60, 88, 8),
      DialogItem(CDlgCtl::Static, IDC_PROJECT_SPEC_VERSION, "", 110, 74, 88, 8),
      DialogItem(CDlgCtl::Static, IDC_PROJECT_DATE_POPULATED, "", 110, 88, 88, 8),
      DialogItem(CDlgCtl::Static, IDC_APP_DATA_VERSION, "", 202, 60, 88, 8),
      DialogItem(CDlgCtl::Static, IDC_APP_SPEC_VERSION, "", 202, 74, 88, 8),
      DialogItem(CDlgCtl::Static, IDC_APP_DATE_POPULATED, "", 202, 88, 88, 8),
      Label("You may continue with opening and editing this project.  It will automatically be upgraded to the "
            "current database when the project is saved.  However, if you do encounter problems, the product "
            "database information could be useful for support purposes.",
            7, 104, 286, 40),
      Button(IDOK, "OK", 125, 151, TRUE),
  };
  CResources::Get().AddDialog(IDD_DB_VERSION, std::move(dlg));
}

void AddProjectInfo()
{
  CDialogTemplate dlg{"Project Information", CSize(260, 170), {}};
  dlg.items = {
      Label("Project Name:", 7, 9, 52), Edit(IDC_PROJECT_NAME, 62, 7, 130),
      Label("Designer:", 7, 27, 52),    Edit(IDC_PROJECT_DESIGNER, 62, 25, 130),
      Label("Created:", 7, 45, 52),     DialogItem(CDlgCtl::Static, IDC_PROJECT_CREATED, "", 62, 45, 130, 8),
      Label("Modified:", 7, 59, 52),    DialogItem(CDlgCtl::Static, IDC_PROJECT_MODIFIED, "", 62, 59, 130, 8),
      Label("Notes:", 7, 75, 52),       Edit(IDC_PROJECT_NOTES, 7, 86, 185, 77, ES_MULTILINE),
      Button(IDOK, "OK", 203, 7, TRUE), Button(IDCANCEL, "Cancel", 203, 24),
      Button(ID_HELP, "Help", 203, 41),
  };
  CResources::Get().AddDialog(IDD_PROJECT_INFO, std::move(dlg));
}

void AddUserInfoPage()
{
  CDialogTemplate dlg{"User Info", CSize(230, 130), {}};
  const struct
  {
    UINT id;
    const char* label;
  } fields[] = {{IDC_USER_COMPANY, "&Company:"}, {IDC_USER_ADDRESS, "&Address:"},   {IDC_USER_CITY, "Ci&ty:"},
                {IDC_USER_STATE, "&State:"},     {IDC_USER_ZIP_CODE, "&Zip Code:"}, {IDC_USER_CONTACT, "C&ontact:"}};
  int y = 9;
  for (const auto& field : fields) {
    dlg.items.push_back(Label(field.label, 7, y + 2, 50));
    dlg.items.push_back(Edit(field.id, 60, y, 160));
    y += 18;
  }
  CResources::Get().AddDialog(IDD_USER_INFO_PAGE, std::move(dlg));
}

void AddPlanViewPage()
{
  CDialogTemplate dlg{"Plan View", CSize(230, 130), {}};
  dlg.items = {
      DialogItem(CDlgCtl::CheckBox, IDC_SHOW_FRAMES, "Show Frames", 14, 10, 100, 10, WS_GROUP),
      DialogItem(CDlgCtl::CheckBox, IDC_SHOW_FULL_FRAME, "Show Full Frame", 26, 24, 100, 10),
      DialogItem(CDlgCtl::CheckBox, IDC_SHOW_FRAME_LINES, "Show Frame Lines", 26, 38, 100, 10),
      DialogItem(CDlgCtl::CheckBox, IDC_SHOW_SILL_LINES, "Show Sill Lines", 14, 52, 100, 10),
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "Glass Lines", 7, 70, 120, 46),
      DialogItem(CDlgCtl::RadioButton, IDC_ONE_GLASS_LINE, "Show 1 Glass Line", 14, 84, 100, 10, WS_GROUP),
      DialogItem(CDlgCtl::RadioButton, IDC_TWO_GLASS_LINES, "Show 2 Glass Lines", 14, 98, 100, 10),
  };
  CResources::Get().AddDialog(IDD_PLAN_VIEW_PAGE, std::move(dlg));
}

void AddUnitsPage()
{
  CDialogTemplate dlg{"Units", CSize(230, 130), {}};
  dlg.items = {
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "Measurement Units", 7, 7, 216, 36),
      DialogItem(CDlgCtl::ComboBox, IDC_MEASUREMENT_UNITS, "", 14, 21, 120, 60, DWORD{CBS_DROPDOWNLIST} | WS_GROUP),
      DialogItem(CDlgCtl::GroupBox, static_cast<UINT>(-1), "DXF Export Units", 7, 52, 216, 48),
      Label("One DXF unit equals:", 14, 66, 120),
      DialogItem(CDlgCtl::ComboBox, IDC_DXF_UNITS, "", 14, 78, 120, 80, DWORD{CBS_DROPDOWNLIST} | WS_GROUP),
  };
  CResources::Get().AddDialog(IDD_UNITS_PAGE, std::move(dlg));
}

void AddOptionChoicesPage()
{
  CDialogTemplate dlg{"Option Choices", CSize(300, 150), {}};
  dlg.items = {
      Label("Select Unit Type:", 7, 7, 90),
      DialogItem(CDlgCtl::ListBox, IDC_UNIT_TYPE_LIST, "", 7, 18, 90, 125, DWORD{LBS_NOTIFY} | WS_VSCROLL),
      Label("Select Option:", 104, 7, 90),
      DialogItem(CDlgCtl::ListBox, IDC_OPTION_LIST, "", 104, 18, 90, 125, DWORD{LBS_NOTIFY | LBS_SORT} | WS_VSCROLL),
      Label("Select Option Choice:", 201, 7, 92),
      DialogItem(CDlgCtl::ListBox, IDC_CHOICE_LIST, "", 201, 18, 92, 125, DWORD{LBS_NOTIFY} | WS_VSCROLL),
  };
  CResources::Get().AddDialog(IDD_OPTION_CHOICES_PAGE, std::move(dlg));
}
}  // namespace

void RegisterShellDialogs()
{
  AddPerformanceTuning();
  AddStoreNewDesign();
  AddRenameDesign();
  AddDbVersion();
  AddProjectInfo();
  AddUserInfoPage();
  AddPlanViewPage();
  AddUnitsPage();
  AddOptionChoicesPage();
}
