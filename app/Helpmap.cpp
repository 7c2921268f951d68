#include "app/Helpmap.h"

namespace {

struct CTopicRange
{
  DWORD first;  // a whole hundred
  DWORD last;
  const char* page;
};

// One page per group of the program's ids: the project and its design list, the Workbench and
// its tools, units and their sheets, joins and guidelines, drawings and printing, export and
// copying, reports, settings and the About box's notice.
constexpr CTopicRange kTopics[] = {
    {100, 100, "workbench.html"},    // the main window's Workbench switches
    {200, 200, "project.html"},      // design list, project information, store and paste
    {300, 1000, "workbench.html"},   // Workbench frame, tools, groups, zoom, lock
    {1200, 1200, "units.html"},      // new units
    {1500, 1800, "drawings.html"},   // plan, elevation and detail views, printing a view
    {1900, 1900, "project.html"},    // design list, renaming, project settings
    {2000, 2000, "settings.html"},   // application settings
    {2100, 2100, "workbench.html"},  // Workbench properties
    {2200, 2500, "units.html"},      // unit sheets and pages
    {2600, 2800, "joins.html"},      // positions, guidelines, joining types
    {2900, 3000, "export.html"},     // DXF export, report export, copying
    {3100, 3300, "reports.html"},    // report windows
    {3400, 3400, "drawings.html"},   // the print dialog of drawings
    {3500, 3500, "notice.html"},     // the About box's notice
};

}  // namespace

CString ManualTopicFor(std::uintptr_t dwData, UINT nCmd)
{
  if (nCmd != HELP_CONTEXT || dwData < AFX_HELP_BASE)
    return kManualContents;
  const std::uintptr_t id = dwData - AFX_HELP_BASE;
  for (const CTopicRange& range : kTopics)
    if (id >= range.first && id <= range.last)
      return range.page;
  return kManualContents;
}

std::vector<CString> ManualTopics()
{
  std::vector<CString> pages{kManualContents};
  for (const CTopicRange& range : kTopics) {
    bool known = false;
    for (const CString& page : pages)
      known = known || page == range.page;
    if (!known)
      pages.emplace_back(range.page);
  }
  return pages;
}
