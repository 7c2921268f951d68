// The shared cursors of the trackers: drawn from text rows ('X' black, '.' white), loaded once
// at start-up and destroyed at exit.
#include <vector>

#include "ui/draw/Dc.h"
#include "ui/wnd/Cursor.h"
#include "ui/wnd/Resource.h"
#include "workbench/items/Tracker.h"

namespace {
const std::vector<const char*> kNotAllowed = {
    "    XXXXXXX     ", "  XX.......XX   ", " X..XXXXXX..X   ", "X..X     XX..X  ", "X.X     XX.X.X  ",
    "X.X    XX. X.X  ", "X.X   XX.  X.X  ", "X.X  XX.   X.X  ", "X.X XX.    X.X  ", "X.XXX.     X.X  ",
    "X..X      X..X  ", " X..XXXXXX..X   ", "  XX.......XX   ", "    XXXXXXX     "};
const std::vector<const char*> kMove = {"X               ", "XX              ", "X.X             ", "X..X            ",
                                        "X...X           ", "X....X          ", "X.....X         ", "X......X        ",
                                        "X....XXXX   X   ", "X.XX.X     XXX  ", "XX  X.X   X.X.X ", "     X.X   XXX  ",
                                        "      XX    X   "};
const std::vector<const char*> kBothPairs = {"XXXXX           ", "X...X           ", "X..X            ",
                                             "X.X.X           ", "XX X.X          ", "    X.X         ",
                                             "     X.X        ", "      X.X XX    ", "       X.X.X    ",
                                             "        X..X    ", "       X...X    ", "       XXXXX    "};
const std::vector<const char*> kVertical = {"   X   ", "  X.X  ", " X...X ", "XXX.XXX", "  X.X  ", "  X.X  ", "  X.X  ",
                                            "  X.X  ", "  X.X  ", "XXX.XXX", " X...X ", "  X.X  ", "   X   "};
const std::vector<const char*> kHorizontal = {"   X       X   ", "  XX       XX  ", " X.XXXXXXXXX.X ",
                                              "X.............X", " X.XXXXXXXXX.X ", "  XX       XX  ",
                                              "   X       X   "};
const std::vector<const char*> kArrow = {"X          ", "XX         ", "X.X        ", "X..X       ", "X...X      ",
                                         "X....X     ", "X.....X    ", "X......X   ", "X.......X  ", "X....XXXXX ",
                                         "X.XX.X     ", "XX  X.X    ", "    X.X    ", "     XX    "};
const std::vector<const char*> kVerticalBar = {"      X      ", "      X      ", "  X   X   X  ",
                                               " XX   X   XX ", "X.XXXXXXXXX.X", " XX   X   XX ",
                                               "  X   X   X  ", "      X      ", "      X      "};
const std::vector<const char*> kHorizontalBar = {"    X    ", "   X.X   ", "  X...X  ", "   X.X   ", "XXXX.XXXX",
                                                 "   X.X   ", "  X...X  ", "   X.X   ", "    X    "};

struct CCursorEntry
{
  UINT id;
  CPoint hotSpot;
  const std::vector<const char*>* rows;
};

const CCursorEntry kCursors[] = {
    {kCursorNotAllowed, CPoint(6, 6), &kNotAllowed},    {kCursorMove, CPoint(0, 0), &kMove},
    {kCursorBothPairs, CPoint(6, 6), &kBothPairs},      {kCursorFirstPair, CPoint(3, 6), &kVertical},
    {kCursorSecondPair, CPoint(7, 3), &kHorizontal},    {kCursorArrow, CPoint(0, 0), &kArrow},
    {kCursorVerticalLine, CPoint(6, 4), &kVerticalBar}, {kCursorHorizontalLine, CPoint(4, 4), &kHorizontalBar}};

// An 8 by 8 halftone: every other pixel black.
void DrawHalftone(CDC* pDC)
{
  pDC->FillSolidRect(0, 0, 8, 8, RGB(255, 255, 255));
  for (int y = 0; y < 8; ++y)
    for (int x = y % 2; x < 8; x += 2)
      pDC->SetPixel(x, y, RGB(0, 0, 0));
}
}  // namespace

void RegisterTrackerCursors()
{
  for (const CCursorEntry& entry : kCursors)
    CResources::Get().AddCursor(entry.id, CCursorTemplate{entry.hotSpot, *entry.rows});
  CBitmapTemplate halftone;
  halftone.width = 8;
  halftone.height = 8;
  halftone.draw = DrawHalftone;
  CResources::Get().AddBitmap(kTrackerBitmap, std::move(halftone));
}
