// The cursors of the selector tools, drawn from text rows ('X' black, '.' white).
#include <vector>

#include "platform/ui/wnd/Resource.h"
#include "workbench/Wbtools.h"

namespace {
// A cross with a horizontal bar: drag the plan selector up or down.
const std::vector<const char*> kPlanSelector = {"      X      ", "     X.X     ", "    X...X    ", "      X      ",
                                                "XXXXXXXXXXXXX", "X...........X", "XXXXXXXXXXXXX", "      X      ",
                                                "    X...X    ", "     X.X     ", "      X      "};
// An arrow with a ring: over a detail selector.
const std::vector<const char*> kOverSelector = {"X           ", "XX          ", "X.X         ", "X..X        ",
                                                "X...X       ", "X....X      ", "X.....X     ", "X..XXXX     ",
                                                "X.X    XXX  ", "XX    X...X ", "X     X...X ", "      X...X ",
                                                "       XXX  "};
// A cross with a slanted line: drag out a selection line.
const std::vector<const char*> kDetailSelector = {"     X      ", "     X      ", "     X      ", "     X      ",
                                                  "XXXXX XXXXX ", "     X      ", "     X   X  ", "     X  X   ",
                                                  "     X X    ", "      X     "};

struct CSelectorCursor
{
  UINT id;
  CPoint hotSpot;
  const std::vector<const char*>* rows;
};

const CSelectorCursor kCursors[] = {{kCursorPlanSelector, CPoint(6, 5), &kPlanSelector},
                                    {kCursorOverSelector, CPoint(0, 0), &kOverSelector},
                                    {kCursorDetailSelector, CPoint(5, 4), &kDetailSelector}};
}  // namespace

void RegisterSelectorCursors()
{
  for (const CSelectorCursor& entry : kCursors)
    CResources::Get().AddCursor(entry.id, CCursorTemplate{entry.hotSpot, *entry.rows});
}
