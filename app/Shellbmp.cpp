#include "app/Shellids.h"
#include "app/Shellres.h"
#include "ui/draw/Dc.h"
#include "ui/wnd/Resource.h"

namespace {
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;
constexpr int kButtonCount = 17;
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kAccent = RGB(0, 0, 128);
constexpr COLORREF kYellow = RGB(255, 255, 0);

void Page(CDC* dc, int x, int y, int cx, int cy)
{
  dc->FillSolidRect(x, y, cx, cy, kPaper);
  CPen pen(PS_SOLID, 0, kInk);
  CPen* old = dc->SelectObject(&pen);
  dc->MoveTo(x, y);
  dc->LineTo(x + cx - 1, y);
  dc->LineTo(x + cx - 1, y + cy - 1);
  dc->LineTo(x, y + cy - 1);
  dc->LineTo(x, y);
  dc->SelectObject(old);
}

constexpr COLORREF kGlass = RGB(128, 192, 255);
constexpr COLORREF kWood = RGB(128, 96, 64);
constexpr COLORREF kMarker = RGB(192, 0, 0);
constexpr COLORREF kGuide = RGB(0, 128, 0);

void Line(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color, int style = PS_SOLID)
{
  CPen pen(style, 0, color);
  CPen* old = dc->SelectObject(&pen);
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
  dc->SelectObject(old);
}

// An outlined and filled shape; Rectangle and Ellipse leave out the right and bottom edges.
void Box(CDC* dc, int x, int y, int cx, int cy, COLORREF fill, bool round = false)
{
  CPen pen(PS_SOLID, 0, kInk);
  CBrush brush(fill);
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(&brush);
  if (round)
    dc->Ellipse(x, y, x + cx, y + cy);
  else
    dc->Rectangle(x, y, x + cx, y + cy);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

// A window unit seen from the front: frame, glass and a meeting rail.
void Unit(CDC* dc, int x, int y, int cx, int cy)
{
  Box(dc, x, y, cx, cy, kGlass);
  Line(dc, x, y + cy / 2, x + cx, y + cy / 2, kInk);
}

void Scissors(CDC* dc, int x)
{
  Line(dc, x + 4, 1, x + 10, 9, kInk);
  Line(dc, x + 11, 1, x + 5, 9, kInk);
  Box(dc, x + 2, 9, 5, 5, kPaper, true);
  Box(dc, x + 9, 9, 5, 5, kPaper, true);
}

// The Workbench: a unit on a drawing board with a pencil.
void Workbench(CDC* dc, int x)
{
  Box(dc, x + 1, 2, 14, 12, kPaper);
  Unit(dc, x + 3, 4, 6, 8);
  Line(dc, x + 14, 3, x + 9, 12, kWood);
  Line(dc, x + 13, 3, x + 8, 12, kWood);
}

// The plan: a wall cut through, the unit between its two ends with its glass line.
void Plan(CDC* dc, int x)
{
  dc->FillSolidRect(x + 1, 5, 3, 6, RGB(96, 96, 96));
  dc->FillSolidRect(x + 12, 5, 3, 6, RGB(96, 96, 96));
  Box(dc, x + 4, 6, 8, 4, kPaper);
  Line(dc, x + 4, 8, x + 12, 8, kAccent);
}

// The elevation: the unit's front with its sill.
void Elevation(CDC* dc, int x)
{
  Unit(dc, x + 3, 1, 10, 11);
  dc->FillSolidRect(x + 2, 12, 12, 2, kWood);
}

// The detail: a magnifier over a frame corner.
void Detail(CDC* dc, int x)
{
  Line(dc, x + 1, 3, x + 8, 3, kInk);
  Line(dc, x + 1, 3, x + 1, 10, kInk);
  Box(dc, x + 3, 1, 9, 9, kGlass, true);
  Line(dc, x + 10, 9, x + 15, 14, kInk);
  Line(dc, x + 9, 9, x + 14, 14, kInk);
}

// Alignment lines: dotted guides through a unit's edges; snapping adds a unit held on a guide.
void Guides(CDC* dc, int x, bool snap)
{
  Line(dc, x + 1, 4, x + 15, 4, kGuide, PS_DOT);
  Line(dc, x + 1, 11, x + 15, 11, kGuide, PS_DOT);
  Box(dc, x + 2, 4, 5, 8, kGlass);
  if (snap)
    Box(dc, x + 9, 4, 5, 8, kGlass);
}

// Joining markers: two units side by side, a marker on their join.
void Joining(CDC* dc, int x)
{
  Unit(dc, x + 1, 3, 7, 10);
  Unit(dc, x + 8, 3, 7, 10);
  const POINT marker[] = {{x + 5, 0}, {x + 11, 0}, {x + 8, 4}};
  CPen pen(PS_SOLID, 0, kMarker);
  CBrush brush(kMarker);
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(&brush);
  dc->Polygon(marker, 3);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

// Snap highlights: a unit whose corner lights up when it snaps.
void SnapHighlight(CDC* dc, int x)
{
  Unit(dc, x + 1, 5, 9, 9);
  Box(dc, x + 7, 1, 8, 8, kYellow, true);
  dc->FillSolidRect(x + 9, 4, 3, 3, kMarker);
}

void Printer(CDC* dc, int x)
{
  Page(dc, x + 4, 1, 8, 6);
  Box(dc, x + 1, 6, 14, 6, RGB(160, 160, 160));
  Page(dc, x + 4, 10, 8, 4);
}

void HelpMark(CDC* dc, int x)
{
  Box(dc, x + 1, 0, 14, 14, kAccent, true);
  CFont font;
  font.CreateFont(11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, FF_SWISS, "Arial");
  CFont* old = dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(kPaper);
  dc->SetTextAlign(TA_CENTER | TA_TOP);
  dc->TextOut(x + 8, 1, "?");
  dc->SelectObject(old);
}

// One picture per button, in the order of the toolbar's buttons without its separators. The
// standard commands' pictures stand in where the desktop's icon theme has none.
void DrawButtons(CDC* dc)
{
  dc->FillSolidRect(0, 0, kButtonWidth * kButtonCount, kButtonHeight, kFace);
  int x = 0;
  Page(dc, x + 3, 1, 10, 13);  // New
  x += kButtonWidth;
  dc->FillSolidRect(x + 1, 4, 14, 9, kYellow);  // Open
  Page(dc, x + 1, 4, 14, 9);
  x += kButtonWidth;
  dc->FillSolidRect(x + 2, 2, 12, 12, kAccent);  // Save
  dc->FillSolidRect(x + 4, 3, 8, 5, kPaper);
  x += kButtonWidth;
  Scissors(dc, x);  // Cut
  x += kButtonWidth;
  Page(dc, x + 1, 1, 9, 10);  // Copy
  Page(dc, x + 6, 4, 9, 10);
  x += kButtonWidth;
  dc->FillSolidRect(x + 2, 2, 11, 12, kWood);  // Paste
  Page(dc, x + 6, 5, 8, 9);
  x += kButtonWidth;
  Workbench(dc, x);
  x += kButtonWidth;
  Plan(dc, x);
  x += kButtonWidth;
  Elevation(dc, x);
  x += kButtonWidth;
  Detail(dc, x);
  x += kButtonWidth;
  Guides(dc, x, false);  // alignment lines
  x += kButtonWidth;
  Guides(dc, x, true);  // snap to alignment lines
  x += kButtonWidth;
  Joining(dc, x);  // joining markers
  x += kButtonWidth;
  SnapHighlight(dc, x);  // snap highlights
  x += kButtonWidth;
  Printer(dc, x);  // Print
  x += kButtonWidth;
  HelpMark(dc, x);  // Help
}
}  // namespace

void RegisterShellBitmaps()
{
  CBitmapTemplate bitmap;
  bitmap.width = kButtonWidth * kButtonCount;
  bitmap.height = kButtonHeight;
  bitmap.draw = DrawButtons;
  CResources::Get().AddBitmap(IDB_MAINFRAME_TOOLBAR, std::move(bitmap));
}
