#include "app/Newunit.h"
#include "app/Shellids.h"
#include "views/Adorned.h"
#include "views/Viewids.h"
#include "app/Shellres.h"
#include "document/Whids.h"
#include "ui/wnd/Resource.h"
#include "reports/Rptview.h"

namespace {
using Item = CMenuTemplate::Item;

// Never shown: every frame removes it from its menu when it is created.
constexpr UINT ID_DEBUG_TRACE_LEVELS = 5090;
constexpr UINT ID_DEBUG_THROW = 5091;

Item Separator() { return Item(); }

Item DebugPopup()
{
  return Item("&Debug", {Item("Trace Levels...", ID_DEBUG_TRACE_LEVELS), Item("Throw CAppException", ID_DEBUG_THROW)});
}

Item HelpPopup()
{
  return Item("&Help", {Item("&Help Topics", ID_HELP_INDEX), Separator(), Item("&About Panecraft...", ID_APP_ABOUT)});
}

Item SettingsPopup(bool withProject)
{
  std::vector<Item> items{Item("&Application...", ID_APPLICATION_SETTINGS)};
  if (withProject)
    items.push_back(Item("&Project...", ID_PROJECT_SETTINGS));
  items.push_back(Item("Performance...", ID_PERFORMANCE_TUNING));
  return Item("&Settings", std::move(items));
}

Item WindowPopup()
{
  return Item("&Window", {Item("&Cascade", ID_WINDOW_CASCADE), Item("&Tile", ID_WINDOW_TILE_HORZ),
                          Item("&Arrange Icons", ID_WINDOW_ARRANGE)});
}

// The application fills the list in place of this item each time the menu opens.
Item RecentFileItem() { return Item("Recent File", ID_FILE_MRU_FILE1, MF_GRAYED); }

Item ProjectFilePopup()
{
  return Item("&File", {Item("&New\tCtrl+N", ID_FILE_NEW), Item("&Open...\tCtrl+O", ID_FILE_OPEN),
                        Item("&Close", ID_FILE_CLOSE), Item("&Save\tCtrl+S", ID_FILE_SAVE),
                        Item("Save &As...", ID_FILE_SAVE_AS), Separator(), Item("&Print...\tCtrl+P", ID_FILE_PRINT),
                        Item("Print Pre&view", ID_FILE_PRINT_PREVIEW), Item("P&rint Setup...", ID_FILE_PRINT_SETUP),
                        Separator(), RecentFileItem(), Separator(), Item("E&xit", ID_APP_EXIT)});
}

std::vector<Item> ViewItems()
{
  return {Item("&Toolbar", ID_VIEW_TOOLBAR),
          Item("&Status Bar", ID_VIEW_STATUS_BAR),
          Separator(),
          Item("&Workbench", ID_VIEW_WORKBENCH),
          Item("&Plan View", ID_VIEW_PLAN),
          Item("&Elevation View", ID_VIEW_ELEVATION),
          Item("&Detail View", ID_VIEW_DETAIL)};
}

Item ReportsPopup()
{
  return Item("&Reports", {Item("&Window && Patio Door Schedule", ID_VIEW_SCHEDULE_REPORT),
                           Item("Unit &Information Report", ID_VIEW_UNIT_INFO_REPORT)});
}

Item EditPopup()
{
  return Item("&Edit", {Item("Cu&t\tCtrl+X", ID_EDIT_CUT), Item("&Copy\tCtrl+C", ID_EDIT_COPY),
                        Item("&Paste\tCtrl+V", ID_EDIT_PASTE)});
}

void AddMainMenu()
{
  CMenuTemplate menu;
  menu.items = {
      Item("&File", {Item("&New\tCtrl+N", ID_FILE_NEW), Item("&Open...\tCtrl+O", ID_FILE_OPEN), Separator(),
                     Item("P&rint Setup...", ID_FILE_PRINT_SETUP), Separator(), RecentFileItem(), Separator(),
                     Item("E&xit", ID_APP_EXIT)}),
      Item("&View", {Item("&Toolbar", ID_VIEW_TOOLBAR), Item("&Status Bar", ID_VIEW_STATUS_BAR)}),
      SettingsPopup(false),
      HelpPopup(),
      DebugPopup(),
  };
  CResources::Get().AddMenu(IDR_MAINFRAME, std::move(menu));
}

void AddWarehouseMenu()
{
  CMenuTemplate menu;
  Item edit = EditPopup();
  edit.children.push_back(Separator());
  edit.children.push_back(Item("Crea&te Design", ID_CREATE_DESIGN));
  edit.children.push_back(Item("&Edit Design", ID_EDIT_DESIGN));
  edit.children.push_back(Item("Rena&me Design...", ID_RENAME_DESIGN));
  edit.children.push_back(Item("&Delete Design\tDel", ID_DELETE_DESIGN));
  menu.items = {ProjectFilePopup(), edit,       Item("&View", ViewItems()), ReportsPopup(), SettingsPopup(true),
                WindowPopup(),      HelpPopup()};
  CResources::Get().AddMenu(IDR_WAREHOUSE, std::move(menu));
}

// The Insert popup holds the placeholder that the main frame replaces by the unit commands.
void AddWorkbenchMenu()
{
  CMenuTemplate menu;
  std::vector<Item> view = ViewItems();
  view.push_back(Separator());
  view.push_back(Item("&Close Views", ID_CLOSE_VIEWS));
  Item edit = EditPopup();
  edit.children.push_back(Separator());
  edit.children.push_back(Item("&Delete Item\tDel", ID_DELETE_ITEM));
  edit.children.push_back(Item("Select &All\tCtrl+A", ID_SELECT_ALL));
  edit.children.push_back(Separator());
  edit.children.push_back(Item("&Group Items\tCtrl+G", ID_GROUP_ITEMS));
  edit.children.push_back(Item("&Ungroup Items\tCtrl+U", ID_UNGROUP_ITEMS));
  edit.children.push_back(Item(
      "&Space Items Evenly", {Item("&Horizontally", ID_SPACE_HORIZONTALLY), Item("&Vertically", ID_SPACE_VERTICALLY)}));
  edit.children.push_back(Item("Pr&operties...\tEnter", ID_EDIT_PROPERTIES));
  // The Workbench adds its own settings to the Settings popup.
  Item settings = SettingsPopup(true);
  settings.children.push_back(Item("&Workbench...", ID_WORKBENCH_PROPERTIES));
  Item file = ProjectFilePopup();
  // After "Save As...": the edited design's own name.
  file.children.insert(file.children.begin() + 5, Item("&Rename Design...", ID_RENAME_DESIGN));
  Item window = WindowPopup();
  window.children.push_back(Separator());
  window.children.push_back(Item("&Refresh\tF5", ID_VIEW_REFRESH));
  menu.items = {std::move(file),
                edit,
                Item("&View", std::move(view)),
                Item("&Insert", {Item("Start", ID_NEW_UNIT_FIRST)}),
                ReportsPopup(),
                std::move(settings),
                std::move(window),
                HelpPopup(),
                DebugPopup()};
  CResources::Get().AddMenu(IDR_WORKBENCH, std::move(menu));
}

void AddAspectMenu(UINT id, UINT barToggle, const char* barText, bool withDebug, std::vector<Item> viewExtras = {})
{
  CMenuTemplate menu;
  std::vector<Item> view = ViewItems();
  view.push_back(Separator());
  view.push_back(Item(barText, barToggle));
  for (Item& item : viewExtras)
    view.push_back(std::move(item));
  menu.items = {ProjectFilePopup(), EditPopup(), Item("&View", std::move(view)), ReportsPopup(), SettingsPopup(true),
                WindowPopup(),      HelpPopup()};
  if (withDebug)
    menu.items.push_back(DebugPopup());
  CResources::Get().AddMenu(id, std::move(menu));
}

// The report windows: their own output commands in place of the drawing ones.
void AddReportMenu()
{
  CMenuTemplate menu;
  std::vector<Item> view = ViewItems();
  view.push_back(Separator());
  view.push_back(Item("Report Dialog &Bar", ID_TOGGLE_REPORT_BAR));
  Item reports = ReportsPopup();
  reports.children.push_back(Separator());
  reports.children.push_back(Item("&Update Report", ID_REPORT_UPDATE));
  menu.items = {
      Item("&File", {Item("&New\tCtrl+N", ID_FILE_NEW), Item("&Open...\tCtrl+O", ID_FILE_OPEN),
                     Item("&Close", ID_FILE_CLOSE), Item("&Save\tCtrl+S", ID_FILE_SAVE),
                     Item("Save &As...", ID_FILE_SAVE_AS), Separator(), Item("&Insert", ID_REPORT_INSERT),
                     Item("&Export", ID_REPORT_EXPORT), Separator(), Item("&Print...\tCtrl+P", ID_REPORT_PRINT),
                     Item("Print Pre&view...", ID_FILE_PRINT_PREVIEW), Item("P&rint Setup...", ID_FILE_PRINT_SETUP),
                     Separator(), RecentFileItem(), Separator(), Item("E&xit", ID_APP_EXIT)}),
      Item("&Edit", {Item("&Copy\tCtrl+C", ID_REPORT_COPY)}),
      Item("&View", std::move(view)),
      std::move(reports),
      SettingsPopup(true),
      WindowPopup(),
      HelpPopup()};
  CResources::Get().AddMenu(IDR_REPORT_VIEW, std::move(menu));
}

std::vector<Item> ClipboardItems(UINT pasteId)
{
  return {Item("Cut", ID_EDIT_CUT), Item("Copy", ID_EDIT_COPY), Item("Paste", pasteId)};
}

std::vector<Item> ItemPopup(std::vector<Item> middle)
{
  std::vector<Item> items = ClipboardItems(ID_POPUPS_PASTE);
  items.push_back(Separator());
  items.push_back(Item("Delete", ID_DELETE_SELECTOR));
  items.push_back(Separator());
  for (Item& item : middle)
    items.push_back(std::move(item));
  items.push_back(Separator());
  items.push_back(Item("Alignment Lines", ID_ALIGNMENT_LINES));
  items.push_back(Item("Snap To", ID_SNAP_TO_ALIGNMENT));
  return items;
}

void AddContextMenus()
{
  std::vector<Item> workbench = ClipboardItems(ID_POPUPS_PASTE);
  workbench.insert(
      workbench.end(),
      {Item("Select All", ID_SELECT_ALL), Separator(), Item("New Window Unit", {Item("Start", ID_NEW_UNIT_FIRST)}),
       Separator(),
       Item("Tools",
            {Item("Select Tool", ID_SELECT_TOOL), Separator(), Item("Vert GuidelineTool", ID_VERT_GUIDELINE_TOOL),
             Item("Horz Guideline Tool", ID_HORZ_GUIDELINE_TOOL),
             Item("Angled Guideline Tool", ID_ANGLED_GUIDELINE_TOOL), Separator(), Item("Zoom In", ID_ZOOM_IN),
             Item("Zoom Out", ID_ZOOM_OUT), Item("Scale to Selection", ID_SCALE_TO_SELECTION),
             Item("Scale to Fit", ID_SCALE_TO_FIT), Separator(), Item("Lock Tool", ID_LOCK_TOOL)}),
       Separator(), Item("Plan View", ID_SHOW_PLAN), Item("Elevation View", ID_SHOW_ELEVATION),
       Item("Detail View", ID_SHOW_DETAIL), Separator(), Item("Properties...", ID_EDIT_PROPERTIES)});
  std::vector<Item> designItem{Separator()};
  for (Item& item : ItemPopup({Item("Group", ID_GROUP_ITEMS)}))
    designItem.push_back(std::move(item));
  designItem.push_back(Separator());
  designItem.push_back(Item("Properties...", ID_EDIT_PROPERTIES));
  std::vector<Item> unitItem = ItemPopup({Item("Group", ID_GROUP_ITEMS)});
  unitItem.insert(unitItem.end(), {Separator(), Item("Remove Joining", ID_REMOVE_JOINING), Separator(),
                                   Item("Properties...", ID_EDIT_PROPERTIES)});
  std::vector<Item> groupItem = ItemPopup({Item("Ungroup", ID_UNGROUP_ITEMS)});
  groupItem.insert(groupItem.end(), {Separator(), Item("Properties...", ID_EDIT_PROPERTIES)});

  CMenuTemplate menu;
  menu.items = {
      Item("Design LB", {Item("Cut", ID_EDIT_CUT), Item("Copy", ID_EDIT_COPY), Item("Paste...", ID_EDIT_PASTE),
                         Separator(), Item("Create", ID_CREATE_DESIGN), Item("Edit", ID_EDIT_DESIGN),
                         Item("Rename...", ID_RENAME_DESIGN), Item("Delete", ID_DELETE_DESIGN)}),
      Item("Main", {Item("New Project", ID_FILE_NEW), Item("Open Project...", ID_FILE_OPEN), Separator(),
                    Item("Settings...", ID_APPLICATION_SETTINGS)}),
      Item("Views", {Item("Workbench", ID_SHOW_WORKBENCH), Separator(), Item("Plan View", ID_SHOW_PLAN),
                     Item("Elevation View", ID_SHOW_ELEVATION), Item("Detail View", ID_SHOW_DETAIL), Separator(),
                     Item("Close", ID_CLOSE_THE_VIEW)}),
      Item("Workbench", std::move(workbench)),
      Item("Wb Readonly", {Item("Plan View", ID_SHOW_PLAN), Item("Elevation View", ID_SHOW_ELEVATION),
                           Item("Detail View", ID_SHOW_DETAIL), Separator(), Item("Close Views", ID_CLOSE_VIEWS)}),
      Item("Design Item", std::move(designItem)),
      Item("Unit Item", std::move(unitItem)),
      Item("Group Item", std::move(groupItem)),
      Item("Plan Item",
           {Item("Show Plan", ID_SHOW_PLAN), Separator(), Item("Remove Selector", ID_REMOVE_PLAN_SELECTOR)}),
      Item("Detail Item",
           {Item("Show Detail", ID_SHOW_THIS_DETAIL), Separator(), Item("Remove Selector", ID_REMOVE_DETAIL_SELECTOR),
            Item("Remove All Selectors", ID_REMOVE_ALL_DETAIL_SELECTORS)}),
      Item("Join Item", {Item("Delete", ID_DELETE_SELECTOR), Separator(), Item("Properties...", ID_EDIT_PROPERTIES)}),
  };
  CResources::Get().AddMenu(IDR_CONTEXT_MENUS, std::move(menu));
}

void AddAccelerators(UINT id, bool designList, bool workbench = false, bool report = false)
{
  std::vector<CAccelTemplate> table{
      {'N', FVIRTKEY | FCONTROL, ID_FILE_NEW},   {'O', FVIRTKEY | FCONTROL, ID_FILE_OPEN},
      {'S', FVIRTKEY | FCONTROL, ID_FILE_SAVE},  {'P', FVIRTKEY | FCONTROL, ID_FILE_PRINT},
      {'X', FVIRTKEY | FCONTROL, ID_EDIT_CUT},   {'C', FVIRTKEY | FCONTROL, ID_EDIT_COPY},
      {'V', FVIRTKEY | FCONTROL, ID_EDIT_PASTE}, {VK_F1, FVIRTKEY, ID_HELP},
      {VK_F6, FVIRTKEY, ID_NEXT_PANE},           {VK_F6, FVIRTKEY | FSHIFT, ID_PREV_PANE}};
  if (designList)
    table.push_back({VK_DELETE, FVIRTKEY, 219});
  // The report windows print and copy the report.
  if (report) {
    for (CAccelTemplate& accel : table) {
      if (accel.command == ID_FILE_PRINT)
        accel.command = ID_REPORT_PRINT;
      else if (accel.command == ID_EDIT_COPY)
        accel.command = ID_REPORT_COPY;
    }
  }
  if (workbench) {
    table.push_back({VK_DELETE, FVIRTKEY, 318});
    table.push_back({VK_RETURN, FVIRTKEY, 328});
    table.push_back({'G', FVIRTKEY | FCONTROL, 801});
    table.push_back({'U', FVIRTKEY | FCONTROL, 802});
    table.push_back({VK_F7, FVIRTKEY, 903});
    table.push_back({VK_F8, FVIRTKEY, 904});
    table.push_back({'A', FVIRTKEY | FCONTROL, 320});
    table.push_back({VK_F5, FVIRTKEY, 106});
  }
  CResources::Get().AddAccelerators(id, std::move(table));
}
}  // namespace

void RegisterShellMenus()
{
  AddMainMenu();
  AddWarehouseMenu();
  AddWorkbenchMenu();
  AddAspectMenu(IDR_PLAN_VIEW, ID_TOGGLE_PLAN_BAR, "Plan Dialog &Bar", true);
  // The elevation's two switches, also on its dialog bar.
  AddAspectMenu(
      IDR_ELEVATION_VIEW, ID_TOGGLE_ELEVATION_BAR, "Elevation Dialog &Bar", true,
      {Separator(), Item("Show &Grilles", ID_TOGGLE_SHOW_GRILLES), Item("Show &Operation", ID_TOGGLE_SHOW_OPERATION)});
  AddAspectMenu(IDR_DETAIL_VIEW, ID_TOGGLE_DETAIL_BAR, "Detail Dialog &Bar", true);
  AddReportMenu();
  AddContextMenus();
  AddAccelerators(IDR_MAINFRAME, false);
  AddAccelerators(IDR_WAREHOUSE, true);
  AddAccelerators(IDR_WORKBENCH, false, true);
  AddAccelerators(IDR_REPORT_VIEW, false, false, true);
}
