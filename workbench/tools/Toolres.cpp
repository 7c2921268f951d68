// The cursors of the Workbench tools: drawn from text rows ('X' black, '.' white), each with
// its hot spot where the tool acts.
#include <vector>

#include "ui/wnd/Resource.h"
#include "workbench/tools/Wbtools.h"

namespace {
using Rows = std::vector<const char*>;

const Rows kThickPlus = {"      XXX      ", "      X.X      ", "      X.X      ", "      X.X      ", "      X.X      ",
                         "      X.X      ", "XXXXXXX.XXXXXXX", "X.............X", "XXXXXXX.XXXXXXX", "      X.X      ",
                         "      X.X      ", "      X.X      ", "      X.X      ", "      X.X      ", "      XXX      "};
// A thin cross in the upper left with a symbol of the tool in the lower right.
const Rows kUnit = {"    X           ", "    X           ", "    X           ", "    X           ",
                    "XXXXXXXXX       ", "    X           ", "    X           ", "    X           ",
                    "    X  XXXXXXXXX", "       X...X...X", "       X...X...X", "       X...X...X",
                    "       XXXXXXXXX", "       X...X...X", "       X...X...X", "       XXXXXXXXX"};
const Rows kVertGuide = {"    X           ", "    X           ", "    X           ", "    X           ",
                         "XXXXXXXXX       ", "    X           ", "    X           ", "    X        X  ",
                         "    X        X  ", "             X  ", "             X  ", "             X  ",
                         "             X  ", "             X  ", "             X  ", "             X  "};
const Rows kHorzGuide = {"    X           ", "    X           ", "    X           ", "    X           ",
                         "XXXXXXXXX       ", "    X           ", "    X           ", "    X           ",
                         "    X           ", "                ", "                ", "                ",
                         "      XXXXXXXXXX", "                ", "                ", "                "};
const Rows kAngledGuide = {"    X           ", "    X           ", "    X           ", "    X           ",
                           "XXXXXXXXX       ", "    X           ", "    X           ", "    X         X ",
                           "    X        X  ", "            X   ", "           X    ", "          X     ",
                           "         X      ", "        X       ", "       X        ", "      X         "};
const Rows kJoin = {"    X           ", "    X           ", "    X           ", "    X           ",
                    "XXXXXXXXX       ", "    X           ", "    X           ", "    X           ",
                    "    X   XXX XXX ", "        X.X X.X ", "        X.XXX.X ", "        X.....X ",
                    "        X.XXX.X ", "        X.X X.X ", "        XXX XXX ", "                "};
// A magnifier; the lens carries a plus, a minus or a slash.
const Rows kZoomIn = {"   XXXXX        ", "  X.....X       ", " X...X...X      ", "X....X....X     ",
                      "X..XXXXX..X     ", "X....X....X     ", " X...X...X      ", "  X.....XXX     ",
                      "   XXXXXXX.X    ", "          XX.X  ", "           XX.X ", "            XX.X",
                      "             XXX"};
const Rows kZoomOut = {"   XXXXX        ", "  X.....X       ", " X.......X      ", "X.........X     ",
                       "X..XXXXX..X     ", "X.........X     ", " X.......X      ", "  X.....XXX     ",
                       "   XXXXXXX.X    ", "          XX.X  ", "           XX.X ", "            XX.X",
                       "             XXX"};
const Rows kCannotZoom = {"   XXXXX        ", "  X.....X       ", " X......XX      ", "X......XX.X     ",
                          "X.....XX..X     ", "X....XX...X     ", " X.XX....X      ", "  XX.....XXX     ",
                          "   XXXXXXX.X    ", "          XX.X  ", "           XX.X ", "            XX.X",
                          "             XXX"};
// The plan selector moves up and down only.
const Rows kPlanSelector = {"     X     ", "    X.X    ", "   X...X   ", "  XXX.XXX  ", "    X.X    ",
                            "XXXXXXXXXXX", "X.........X", "XXXXXXXXXXX", "    X.X    ", "  XXX.XXX  ",
                            "   X...X   ", "    X.X    ", "     X     "};
const Rows kOverDetailSelector = {"X          ", "XX         ", "X.X        ", "X..X       ", "X...X      ",
                                  "X....X     ", "X.....X    ", "X..XXXX    ", "X.X  XXXXXX", "XX   X....X",
                                  "X    X....X", "     X....X", "     XXXXXX"};
const Rows kDetailSelector = {"      X      ", "      X      ", "      X      ", "      X      ", "    XXXXX    ",
                              "    X   X    ", "XXXXX   XXXXX", "    X   X    ", "    XXXXX    ", "      X      ",
                              "      X      ", "      X      ", "      X      "};

struct CToolCursor
{
  UINT id;
  CPoint hotSpot;
  const Rows* rows;
};

const CToolCursor kToolCursors[] = {
    {kCursorToolDefault, CPoint(7, 7), &kThickPlus},
    {kCursorUnitTool, CPoint(4, 4), &kUnit},
    {kCursorVertGuideLine, CPoint(4, 4), &kVertGuide},
    {kCursorHorzGuideLine, CPoint(4, 4), &kHorzGuide},
    {kCursorAngledGuideLine, CPoint(4, 4), &kAngledGuide},
    {kCursorJoinTool, CPoint(4, 4), &kJoin},
    {kCursorZoomIn, CPoint(5, 5), &kZoomIn},
    {kCursorZoomOut, CPoint(5, 5), &kZoomOut},
    {kCursorCannotZoom, CPoint(5, 5), &kCannotZoom},
    {kCursorPlanSelector, CPoint(5, 6), &kPlanSelector},
    {kCursorOverDetailSelector, CPoint(0, 0), &kOverDetailSelector},
    {kCursorDetailSelector, CPoint(6, 6), &kDetailSelector},
};
}  // namespace

void RegisterToolCursors()
{
  for (const CToolCursor& entry : kToolCursors)
    CResources::Get().AddCursor(entry.id, CCursorTemplate{entry.hotSpot, *entry.rows});
}
