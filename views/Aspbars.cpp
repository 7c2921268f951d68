#include "views/Aspbars.h"

#include <vector>

#include "ui/wnd/Msg.h"
#include "ui/wnd/Resource.h"
#include "views/Aspview.h"
#include "views/Dtlview.h"
#include "views/Elevview.h"
#include "views/Planview.h"

namespace {
constexpr UINT IDC_STATIC = static_cast<UINT>(-1);

CDialogItemTemplate Hidden(CDlgCtl kind, UINT id, const char* text, int x, int y, int cx, int cy)
{
  CDialogItemTemplate item = DialogItem(kind, id, text, x, y, cx, cy);
  item.hidden = TRUE;
  return item;
}

// The row of buttons that every drawing bar starts with.
std::vector<CDialogItemTemplate> ButtonRow()
{
  return {DialogItem(CDlgCtl::PushButton, ID_INSERT_VIEW_INTO_CAD, "&Insert...", 5, 1, 33, 12),
          DialogItem(CDlgCtl::PushButton, ID_EXPORT_DXF, "&Export...", 39, 1, 33, 12),
          DialogItem(CDlgCtl::PushButton, ID_PRINT_VIEW, "&Print...", 73, 1, 33, 12),
          DialogItem(CDlgCtl::PushButton, ID_COPY_VIEW, "&Copy", 107, 1, 33, 12),
          DialogItem(CDlgCtl::PushButton, ID_CLOSE_THE_VIEW, "C&lose", 141, 1, 33, 12),
          DialogItem(CDlgCtl::PushButton, ID_HELP, "&Help", 180, 1, 33, 12)};
}

void AddBar(UINT id, CSize size, std::vector<CDialogItemTemplate> below, UINT extentsId)
{
  std::vector<CDialogItemTemplate> items = ButtonRow();
  items.insert(items.end(), below.begin(), below.end());
  items.push_back(Hidden(CDlgCtl::Static, extentsId, "Extents", 180, size.cy - 11, 33, 8));
  CResources::Get().AddDialog(id, CDialogTemplate{"", size, std::move(items)});
}

void AddPlanBar()
{
  CDialogItemTemplate placement(CDlgCtl::ComboBox, IDC_PLAN_SYMBOL_PLACEMENT, "", CRect(88, 28, 168, 88),
                                CBS_DROPDOWNLIST, {"Centered", "Face of frame", "Installation Flange"});
  AddBar(IDD_PLAN_BAR, CSize(218, 41),
         {DialogItem(CDlgCtl::Static, IDC_STATIC, "&Wall Width:", 5, 17, 45, 8),
          DialogItem(CDlgCtl::Edit, IDC_PLAN_WALL_WIDTH, "", 52, 15, 36, 12),
          DialogItem(CDlgCtl::Static, IDC_STATIC, "   &Offset:", 95, 17, 40, 8),
          DialogItem(CDlgCtl::Edit, IDC_PLAN_OFFSET, "", 132, 15, 36, 12),
          DialogItem(CDlgCtl::Static, IDC_STATIC, "&Symbol Placement:", 5, 30, 82, 8), placement},
         IDC_PLAN_EXTENTS);
}
}  // namespace

void RegisterAspectViewBars()
{
  AddPlanBar();
  AddBar(IDD_ELEVATION_BAR, CSize(217, 27),
         {DialogItem(CDlgCtl::CheckBox, ID_TOGGLE_SHOW_GRILLES, "Show &Grilles", 5, 15, 60, 10),
          DialogItem(CDlgCtl::CheckBox, ID_TOGGLE_SHOW_OPERATION, "Show &Operation", 73, 15, 70, 10)},
         IDC_ELEVATION_EXTENTS);
  AddBar(IDD_DETAIL_BAR, CSize(217, 27),
         {DialogItem(CDlgCtl::CheckBox, IDC_INSTALLATION_FLANGE, "Installation &Flange", 5, 15, 80, 10)},
         IDC_DETAIL_EXTENTS);
}
