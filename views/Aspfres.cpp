#include <utility>
#include <vector>

#include "platform/ui/wnd/Resource.h"
#include "views/Aspframe.h"
#include "views/Aspview.h"

namespace {

// The controls of the bars that the drawing views exchange.
enum : UINT
{
  kPlanSymbolPlacement = 1909,
  kPlanWallWidth = 1910,
  kPlanOffset = 1503,
  kPlanExtents = 1504,
  kShowGrilles = 1604,
  kShowOperation = 1605,
  kElevationExtents = 5044,
  kInstallationFlange = 1705,
  kDetailExtents = 5043,
  kBarHelp = 57670
};

CDialogItemTemplate HiddenStatic(UINT id, int x, int y)
{
  CDialogItemTemplate item = DialogItem(CDlgCtl::Static, id, "Extents", x, y, 40, 8);
  item.hidden = TRUE;
  return item;
}

// The row of buttons every bar carries at its top.
std::vector<CDialogItemTemplate> ButtonRow()
{
  return {
      DialogItem(CDlgCtl::PushButton, ID_INSERT_VIEW_INTO_CAD, "&Insert...", 5, 1, 33, 12),
      DialogItem(CDlgCtl::PushButton, ID_EXPORT_DXF, "&Export...", 39, 1, 33, 12),
      DialogItem(CDlgCtl::PushButton, ID_PRINT_VIEW, "&Print...", 73, 1, 33, 12),
      DialogItem(CDlgCtl::PushButton, ID_COPY_VIEW, "&Copy", 107, 1, 33, 12),
      DialogItem(CDlgCtl::PushButton, ID_CLOSE_THE_VIEW, "C&lose", 141, 1, 33, 12),
      DialogItem(CDlgCtl::PushButton, kBarHelp, "&Help", 180, 1, 33, 12),
  };
}

CDialogTemplate PlanBar()
{
  std::vector<CDialogItemTemplate> items = ButtonRow();
  items.push_back(DialogItem(CDlgCtl::Static, static_cast<UINT>(-1), "&Wall Width:", 5, 18, 45, 8));
  items.push_back(DialogItem(CDlgCtl::Edit, kPlanWallWidth, "", 52, 16, 30, 12));
  items.push_back(DialogItem(CDlgCtl::Static, static_cast<UINT>(-1), "&Symbol Placement:", 88, 18, 80, 8));
  items.push_back(DialogItem(CDlgCtl::ComboBox, kPlanSymbolPlacement, "", 168, 16, 45, 60, CBS_DROPDOWNLIST));
  items.push_back(DialogItem(CDlgCtl::Static, static_cast<UINT>(-1), "   &Offset:", 5, 31, 45, 8));
  items.push_back(DialogItem(CDlgCtl::Edit, kPlanOffset, "", 52, 29, 30, 12));
  items.push_back(HiddenStatic(kPlanExtents, 88, 31));
  return CDialogTemplate{"", CSize(218, 41), std::move(items)};
}

CDialogTemplate ElevationBar()
{
  std::vector<CDialogItemTemplate> items = ButtonRow();
  items.push_back(DialogItem(CDlgCtl::CheckBox, kShowGrilles, "Show &Grilles", 5, 16, 60, 10));
  items.push_back(DialogItem(CDlgCtl::CheckBox, kShowOperation, "Show &Operation", 73, 16, 70, 10));
  items.push_back(HiddenStatic(kElevationExtents, 150, 16));
  return CDialogTemplate{"", CSize(217, 27), std::move(items)};
}

CDialogTemplate DetailBar()
{
  std::vector<CDialogItemTemplate> items = ButtonRow();
  items.push_back(DialogItem(CDlgCtl::CheckBox, kInstallationFlange, "Installation &Flange", 5, 16, 80, 10));
  items.push_back(HiddenStatic(kDetailExtents, 150, 16));
  return CDialogTemplate{"", CSize(217, 27), std::move(items)};
}

}  // namespace

void RegisterAspectResources()
{
  CResources& res = CResources::Get();
  res.AddDialog(IDD_PLAN_BAR, PlanBar());
  res.AddDialog(IDD_ELEVATION_BAR, ElevationBar());
  res.AddDialog(IDD_DETAIL_BAR, DetailBar());
  res.AddString(IDS_FILE_NOT_WRITTEN, "The file could not be written.");
  res.AddString(IDS_PART_NOT_PRINTED,
                "Part of the symbol will not be printed because it extends beyond the page boundary.");
}
