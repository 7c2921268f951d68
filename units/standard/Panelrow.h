#pragma once
// What the rectangular leaves of panels side by side (and the single-frame leaves) share: the
// five start indices of their component groups, the slots their components are built into, the
// corner handles, the frame and panel rectangles of their elevations and the plan section.
#include <functional>
#include <memory>
#include <vector>

#include "geometry/2dpoint.h"
#include "platform/core/String.h"

class CPlanSectionPreferences;
class CPlanSectionSwitches;
class CPlanSectionUnitDimensions;
class CSizedComponent;
class CSizedComponentArray;
class CSizingHandleArray;
class CStandardUnit;
class CUnit;
class CVRX2DEntityArray;

// Start indices into the sized components: for panels side by side the bottoms of panels 1..n,
// the right side, the tops of panels n..1, the left side and the joints 1..n-1.
struct CComponentGroups
{
  int BottomGroupIndex = 0;
  int RightGroupIndex = 0;
  int TopGroupIndex = 0;
  int LeftGroupIndex = 0;
  int InteriorGroupIndex = 0;

  // 0, n, n + 1, 2n + 1, 2n + 2.
  void SetSideBySide(int panels);
};

// The sized components of one build, kept aside until every slot is filled, so that a build that
// is refused half-way leaves nothing behind.
class CComponentSlots
{
public:
  CComponentSlots(int count, const CString& type, const CString& subtype);
  ~CComponentSlots();

  // FALSE, storing nothing, for an index outside the slots.
  BOOL Put(int index, const char* code, const char* name, const CVRX2DPoint& start, const CVRX2DPoint& end);
  BOOL IsComplete() const;
  // Appends the components in index order; the slots are empty afterwards.
  void MoveTo(CSizedComponentArray& components);

private:
  CString m_strType;
  CString m_strSubtype;
  std::vector<std::unique_ptr<CSizedComponent>> m_slots;
};

namespace PanelRow {
// The four members of a single frame: 0 bottom, 1 right side, 2 top, 3 left side, both sides of
// one element code.
void PutSingleFrame(CComponentSlots& slots, double width, double height, const char* top, const char* side,
                    const char* bottom);

// The corners of a side-by-side panel row: panel p (1 = leftmost) spans Edge(p - 1) to Edge(p).
double PanelEdge(const CStandardUnit& unit, int edge);

void AddElevationLine(CVRX2DEntityArray& out, int category, double x0, double y0, double x1, double y1);
// Four lines: bottom left to right, right side up, top right to left, left side down.
void AddElevationRectangle(CVRX2DEntityArray& out, int category, double left, double bottom, double right, double top);

// Replaces the handles with corner handles (code 15) at the start points of the four components.
void GetCornerHandles(const CUnit& unit, const int (&components)[4], CSizingHandleArray& out);

// The frame at line `key` of the bottom, left, right and top groups.
void GetFrameRectangle(const CStandardUnit& unit, const CComponentGroups& groups, int key, int category,
                       CVRX2DEntityArray& out);
// One rectangle per panel at line `key`, each panel's sides inset by the joint beside it.
void GetPanelRectangles(const CStandardUnit& unit, const CComponentGroups& groups, int key, int category,
                        CVRX2DEntityArray& out);
// The side at which the operating symbol of panel p (1 = leftmost) meets: 'L', 'R', or 0 for none.
using PanelSymbolSide = std::function<char(int panel)>;
// One symbol per panel that has a side: two lines from the corners of the opposite side to the
// middle of the meeting side. The panel edges lie at line `frameKey` of the frame members and,
// with more than one line set (`lines`), at the joint's half-widths of line `jointLine`.
void GetPanelSymbols(const CStandardUnit& unit, const CComponentGroups& groups, int lines, int frameKey, int jointLine,
                     int category, const PanelSymbolSide& side, CVRX2DEntityArray& out);
// A single frame of components 0 bottom, 1 right, 2 top, 3 left; the left side's offsets serve
// both sides.
void GetSingleFrameRectangle(const CStandardUnit& unit, int key, int category, CVRX2DEntityArray& out);

// Hands the section its records in the order the section expects and lets it fill `out`.
void GetPlanSection(const CPlanSectionUnitDimensions& dimensions, const CPlanSectionSwitches& switches,
                    const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out);
// A plan section of one fixed panel as wide as the unit.
void GetSingleFramePlanSection(const CUnit& unit, const CPlanSectionSwitches& switches,
                               const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out);
}  // namespace PanelRow
