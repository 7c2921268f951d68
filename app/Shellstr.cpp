#include "app/Shellids.h"
#include "views/Adorned.h"
#include "app/Shellres.h"
#include "document/Whids.h"
#include "ui/wnd/Resource.h"
#include "reports/Rptframe.h"
#include "reports/Rptview.h"

namespace {
void AddMainFramePrompts(CResources& res)
{
  res.AddString(ID_VIEW_WORKBENCH, "Show or hide the Workbench\nToggle Workbench");
  res.AddString(ID_VIEW_PLAN, "Show or hide the Plan View\nToggle Plan View");
  res.AddString(ID_VIEW_ELEVATION, "Show or hide the Elevation View\nToggle Elevation View");
  res.AddString(ID_VIEW_DETAIL, "Show or hide the Detail View\nToggle Detail View");
  res.AddString(ID_VIEW_UNIT_INFO_REPORT, "Show or hide the Unit Information Report\nToggle Unit Information Report");
  res.AddString(ID_VIEW_SCHEDULE_REPORT,
                "Show or hide the Window & Patio Door Schedule\nToggle Window & Patio Door Schedule");
  res.AddString(ID_SHOW_PLAN, "Show the Plan View for this design\nShow Plan View");
  res.AddString(ID_SHOW_ELEVATION, "Show the Elevaton View for this design\nShow Elevation View");
  res.AddString(ID_SHOW_DETAIL, "Show the Detail View for the component(s)\nShow Detail View");
  res.AddString(ID_SHOW_WORKBENCH, "Show the Workbench for this design\nShow Workbench");
  res.AddString(ID_CLOSE_VIEWS, "Close all views for this design\nClose all views");
  res.AddString(ID_REMOVE_PLAN_SELECTOR, "Remove the plan selector and close the Plan View");
  res.AddString(ID_CLOSE_ELEVATION, "Close the Elevation View");
  res.AddString(ID_REMOVE_ALL_DETAIL_SELECTORS, "Remove all detail selectors and close the detail view");
}

void AddFramePrompts(CResources& res)
{
  res.AddString(2121, "View and set the Workbench settings\nWorkbench Settings");
  res.AddString(ID_TOGGLE_PLAN_BAR, "Show or hide the Plan dialog bar\nToggle Plan Dialog Bar");
  res.AddString(ID_TOGGLE_ELEVATION_BAR, "Show or hide the Elevation dialog bar\nToggle Elevation Dialog Bar");
  res.AddString(ID_TOGGLE_DETAIL_BAR, "Show or hide the Detail dialog bar\nToggle Detail Dialog Bar");
  res.AddString(ID_TOGGLE_REPORT_BAR, "Show or hide the Report dialog bar\nToggle Report Dialog Bar");
  res.AddString(ID_REPORT_INSERT, "Insert report into CAD package\nInsert Report into CAD");
  res.AddString(ID_REPORT_EXPORT, "Export the report to a text or CSV file\nExport Report to File");
  res.AddString(ID_REPORT_PRINT, "Print the report\nPrint Report");
  res.AddString(ID_REPORT_COPY, "Copy the report to the Clipboard\nCopy Report to Clipboard");
  res.AddString(ID_REPORT_UPDATE, "Update the report for all designs in the project\nUpdate Report for Project");
  res.AddString(ID_REPORT_CLOSE, "Close the report\nClose Report");
}

// The program's wording for the class library's own commands.
void AddStandardPrompts(CResources& res)
{
  res.AddString(ID_FILE_NEW, "Start a new project\nNew");
  res.AddString(ID_FILE_OPEN, "Open a project file\nOpen");
  res.AddString(ID_FILE_CLOSE, "Close the project\nClose");
  res.AddString(ID_FILE_SAVE, "Save the project\nSave");
  res.AddString(ID_FILE_SAVE_AS, "Save the project under a new name\nSave As");
  res.AddString(ID_FILE_PRINT, "Print the active window\nPrint");
  res.AddString(ID_FILE_PRINT_PREVIEW, "Show the printed pages\nPrint Preview");
  res.AddString(ID_FILE_PRINT_SETUP, "Choose the printer and its options\nPrint Setup");
  res.AddString(ID_EDIT_CUT, "Move the selection to the clipboard\nCut");
  res.AddString(ID_EDIT_COPY, "Copy the selection to the clipboard\nCopy");
  res.AddString(ID_EDIT_PASTE, "Insert what the clipboard holds\nPaste");
  res.AddString(ID_APP_ABOUT, "Show the program's version and database information\nAbout");
  res.AddString(ID_APP_EXIT, "Close the program, offering to save the projects\nExit");
  for (UINT id = ID_FILE_MRU_FILE1; id < ID_FILE_MRU_FILE1 + 4; ++id)
    res.AddString(id, "Open this project\nOpen");
  res.AddString(ID_HELP_INDEX, "Show the help topics\nHelp Topics");
  res.AddString(ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar");
  res.AddString(ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle Status Bar");
  res.AddString(ID_APPLICATION_SETTINGS, "View and change the application settings\nApplication Settings");
  res.AddString(ID_PROJECT_SETTINGS, "View and change the settings of this project\nProject Settings");
  res.AddString(ID_PERFORMANCE_TUNING, "Tune the resizing thresholds\nPerformance");
  res.AddString(ID_ALIGNMENT_LINES, "Toggle display of alignment lines for this item\nDisplay alignment lines");
  res.AddString(ID_SNAP_TO_ALIGNMENT, "Toggle snap to alignment lines for this unit\nSnap to alignment lines");
  res.AddString(ID_JOINING_MARKERS, "Show or hide the joining markers\nJoining Markers");
  res.AddString(ID_SNAP_HIGHLIGHTS, "Show or hide the snap highlights\nSnap Highlights");
}
}  // namespace

void RegisterShellStrings()
{
  CResources& res = CResources::Get();
  AddMainFramePrompts(res);
  AddFramePrompts(res);
  AddStandardPrompts(res);
}
