#pragma once
// What the two double-hung units with a lower and an upper sash, "DHKC003" and "DHQV004", share:
// seven members (the frame round and the meeting rail at the size's first positional value),
// the frame of the single-frame plan section and their elevations.
class CSizedComponentArray;
class CSizingHandleArray;
class CStandardUnit;
class CVRX2DEntityArray;

namespace SashPair {
void BuildSizedComponents(const CStandardUnit& unit, CSizedComponentArray& components);
void GetSizingHandles(const CStandardUnit& unit, CSizingHandleArray& out);
void Get1Line(const CStandardUnit& unit, int lines, CVRX2DEntityArray& out);
void Get2Line(const CStandardUnit& unit, int lines, CVRX2DEntityArray& out);
void Get3Line(const CStandardUnit& unit, CVRX2DEntityArray& out);
// The meeting-rail line of one level (1 the one-line frame, 2 the sashes).
void GetMeetingRail(const CStandardUnit& unit, int level, int lines, CVRX2DEntityArray& out);
}  // namespace SashPair

// The two single-frame double-hung units, "DHTR003" and "DHPI003": four members round one frame.
namespace SingleSash {
void BuildSizedComponents(const CStandardUnit& unit, CSizedComponentArray& components);
}  // namespace SingleSash
