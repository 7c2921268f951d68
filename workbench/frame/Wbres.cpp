#include <vector>

#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/wnd/Resource.h"
#include "workbench/sheets/Guideprp.h"
#include "workbench/sheets/Itempos.h"
#include "workbench/sheets/Joinprop.h"
#include "workbench/items/Tracker.h"
#include "workbench/sheets/Unitsht.h"
#include "workbench/items/Wbclip.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/tools/Wbtools.h"
#include "workbench/view/Wbview.h"
#include "workbench/sheets/Wbprops.h"

namespace {
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kInk = RGB(0, 0, 128);
using Picture = std::vector<const char*>;

// One picture per button of the toolbar, separators left out, from text rows: 'X' ink, '.'
// white, anything else the button face. Select, the three guidelines, group, ungroup, zoom in
// and out, scale to selection and to fit, lock.
const Picture kPictures[] = {
    {"  X         ", "  XX        ", "  X.X       ", "  X..X      ", "  X...X     ", "  X....X    ", "  X.....X   ",
     "  X..XXXX   ", "  X.X       ", "  XX        ", "  X         "},
    {"      X     ", "      X     ", "      X     ", "      X     ", "      X     ", "      X     ", "      X     ",
     "      X     ", "      X     ", "      X     ", "      X     "},
    {"            ", "            ", "            ", "            ", "            ", "XXXXXXXXXXXX", "            ",
     "            ", "            ", "            ", "            "},
    {"          XX", "         XX ", "        XX  ", "       XX   ", "      XX    ", "     XX     ", "    XX      ",
     "   XX       ", "  XX        ", " XX         ", "XX          "},
    {"XXXXX XXXXX ", "X...X X...X ", "X...X X...X ", "XXXXX XXXXX ", "            ", "XXXXXXXXXXX ", "X.........X ",
     "X.XXXXXXX.X ", "X.........X ", "XXXXXXXXXXX ", "            "},
    {"XXXXX   XXXXX", "X...X   X...X", "X...X   X...X", "XXXXX   XXXXX", "             ", "   XX   XX   ",
     "    XX XX    ", "     XXX     ", "    XX XX    ", "   XX   XX   ", "             "},
    {"  XXXXX     ", " X.....X    ", "X...X...X   ", "X..XXX..X   ", "X...X...X   ", " X.....X    ", "  XXXXXXX   ",
     "       XXX  ", "        XXX ", "         XXX", "          X "},
    {"  XXXXX     ", " X.....X    ", "X.......X   ", "X..XXX..X   ", "X.......X   ", " X.....X    ", "  XXXXXXX   ",
     "       XXX  ", "        XXX ", "         XXX", "          X "},
    {"XX  XX  XX  ", "X          X", "   XXXXXX   ", "X  X....X  X", "   X....X   ", "X  X....X  X", "   XXXXXX   ",
     "X          X", "  XX  XX  XX", "            ", "            "},
    {"XXXXXXXXXXXX", "X..........X", "X.XXX..XXX.X", "X.X.X..X.X.X", "X.XXX..XXX.X", "X..........X", "X.XXX..XXX.X",
     "X.X.X..X.X.X", "X.XXX..XXX.X", "X..........X", "XXXXXXXXXXXX"},
    {"   XXXXX    ", "  X     X   ", "  X     X   ", "  X     X   ", " XXXXXXXXX  ", " X.......X  ", " X...X...X  ",
     " X...X...X  ", " X.......X  ", " XXXXXXXXX  ", "            "},
};

void DrawButtons(CDC* pDC)
{
  const int count = static_cast<int>(std::size(kPictures));
  pDC->FillSolidRect(0, 0, kButtonWidth * count, kButtonHeight, kFace);
  for (int i = 0; i < count; ++i) {
    const Picture& rows = kPictures[i];
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
      for (int x = 0; rows[static_cast<size_t>(y)][x]; ++x) {
        const char c = rows[static_cast<size_t>(y)][x];
        // Each picture pixel fills the device pixels it covers when the strip is drawn for a screen
        // of a higher device pixel ratio.
        if (c == 'X' || c == '.')
          pDC->FillSolidRect(i * kButtonWidth + 2 + x, 2 + y, 1, 1, c == 'X' ? kInk : RGB(255, 255, 255));
      }
  }
}

CDialogItemTemplate BarItem(CDlgCtl kind, UINT id, const char* text, int x, int cx)
{
  CDialogItemTemplate item;
  item.kind = kind;
  item.id = id;
  item.text = text;
  item.rect = CRect(x, 2, x + cx, 14);
  return item;
}
}  // namespace

void RegisterWorkbenchResources()
{
  std::vector<CDialogItemTemplate> items{BarItem(CDlgCtl::PushButton, IDC_WORKBENCH_CLOSE, "&Close", 5, 40),
                                         BarItem(CDlgCtl::Static, static_cast<UINT>(-1), "Quantity:", 52, 34),
                                         BarItem(CDlgCtl::Edit, IDC_WORKBENCH_QUANTITY, "1", 88, 30),
                                         BarItem(CDlgCtl::PushButton, IDC_STORE_DESIGN, "Store &Design", 125, 55)};
  CResources::Get().AddDialog(IDD_WORKBENCH_BAR, CDialogTemplate{"", CSize(220, 16), std::move(items)});
  CBitmapTemplate bitmap;
  bitmap.width = kButtonWidth * static_cast<int>(std::size(kPictures));
  bitmap.height = kButtonHeight;
  bitmap.draw = DrawButtons;
  CResources::Get().AddBitmap(IDB_WORKBENCH_TOOLBAR, std::move(bitmap));
  RegisterTrackerCursors();
  RegisterGuidelineResources();
  RegisterItemPositionPage();
  RegisterJoinPropertiesResources();
  RegisterWorkbenchPropertiesResources();
  RegisterUnitSheetResources();
  RegisterToolCursors();
  RegisterClipboardResources();
  RegisterViewCommandStrings();
}
