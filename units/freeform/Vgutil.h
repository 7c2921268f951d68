#pragma once
// What the free-form unit classes share: the attribute and report-key texts, outlines drawn from
// corner lists, sized components from the element table, the plan-section record, and polygons
// moved inward side by side (glass lines, inner elevation outlines) with their corners at the
// crossings of neighbouring sides.
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "model/Sizelimit.h"
#include "platform/core/Types.h"

class CDWordArray;
class CPlanSectionPreferences;
class CPlanSectionSwitches;
class CSizedComponent;
class CSizedComponentArray;
class CSizingHandleArray;
class CString;
class CVRX2DEntityArray;

namespace vg {

inline constexpr double kPi = VRX_PI;
inline constexpr double kHalfPi = VRX_HALF_PI;
inline constexpr double kQuarterPi = VRX_QUARTER_PI;
inline constexpr double kTwoPi = VRX_TWO_PI;

// Entity categories: transient lines of a check, the proposed outline, the elevation lines.
enum
{
  catWork = ecatPlain,
  catProposed = ecatProposedOutline,
  catOneLine = ecatWindowElevationFrame,
  catTwoLine = ecatWindowElevationGlassSash
};
// Handle codes: free, vertical drag only, horizontal drag only.
enum
{
  handleFree = 15,
  handleVertical = 3,
  handleHorizontal = 12
};

// ",%.15g" of each value, in order.
CString FormatValues(const std::vector<double>& values);
// The next attribute token as a number ("C" locale; text that is no number gives 0). A number
// that is not finite is refused with CUnitException(module, line).
double ReadNumber(CString& attributes, const char* module, int line);
BOOL AllFinite(std::initializer_list<double> values);
// A check's trace under the unit's tag: the refusal with its reason (FALSE), or the pass (TRUE).
// The refusal is noted with the limit it broke, so the sizing page can name it.
BOOL Refuse(const char* tag, const char* reason, CSizeLimit::Kind kind = CSizeLimit::none, double limit = 0.0);
BOOL Accept(const char* tag);
// The trace lines of a sizing rule's answer: out of bounds, unchanged, the label of the offset
// and changed.
struct CResultTexts
{
  const char* outOfBounds;
  const char* unchanged;
  const char* delta;
  const char* changed;
};
// Traces a sizing rule's answer (with the offset when it changed) and returns the answer.
int TraceResult(int result, const CVRX2DVector& offset, const CResultTexts& texts);
// num / den, or 0 when den is 0 or the quotient is not finite.
double Ratio(double num, double den);

// Appends `text` to the key of every record from `first` on.
template <class Array>
void ExtendKeys(Array& records, int first, const CString& text)
{
  for (int i = first; i < records.GetSize(); ++i)
    records.GetAt(i)->m_strUnitKey += text;
}

// Lines from each corner to the next, the last back to the first.
std::vector<CVRX2DLine> PolygonLines(const std::vector<CVRX2DPoint>& corners, int category);
// Appends the closed polygon through the corners.
void AddPolygon(CVRX2DEntityArray& out, int category, const std::vector<CVRX2DPoint>& corners);
void AddLines(CVRX2DEntityArray& out, const std::vector<CVRX2DLine>& lines);
// The proposed outline through the corners, in place of what `out` held; returns the offset.
CVRX2DVector ProposedOutline(CVRX2DEntityArray& out, const std::vector<CVRX2DPoint>& corners,
                             const CVRX2DVector& offset);

// One outline side of a sized component: element code, start and end.
struct CSide
{
  const char* code;
  CVRX2DPoint start;
  CVRX2DPoint end;
};
// Fills the empty component array, one perimeter member per side, numbers from the element rows
// ("VG", unit code, element code); a missing row gives component number 0.
void BuildComponents(CSizedComponentArray& out, const char* unitCode, const std::vector<CSide>& sides);
// The components as lines from start to end.
std::vector<CVRX2DLine> ComponentLines(const CSizedComponentArray& components, int category);
// One handle at the start of each component, all with the same code.
void AddComponentHandles(CSizingHandleArray& out, const CSizedComponentArray& components, int code = handleFree);
// One handle per component, all free: at its start (anchor mode 0), its middle (mode 1), or at the
// origin in any other mode.
void AddAnchoredHandles(CSizingHandleArray& out, const CSizedComponentArray& components, int anchorMode);
// How far the dragged point lies from the anchor along the handle's direction; negative past it.
double Projection(const CVRX2DPoint& anchor, const CVRX2DPoint& handle, const CVRX2DPoint& dragged);
// Traces, under the unit's tag, a drag of a side's middle from `from` to `to`.
void TraceOppositeSideDrag(const char* tag, const CSizedComponent& side, const CVRX2DPoint& from,
                           const CVRX2DPoint& to);
// `count` zero flags with the listed ones set.
void SetFlags(CDWordArray& flags, int count, std::initializer_list<int> anchored);
// One flag per handle, set for the sides the handle's row lists; an unknown handle sets none.
void SetHandleFlags(CDWordArray& flags, int handle, const std::vector<std::vector<int>>& moved);

// A plan section of one fixed panel of the given width, starting that far from the unit's left
// side; a width that is negative or no number draws as 0.
void AddPlanSection(double width, double startOffset, const CPlanSectionSwitches& switches,
                    const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out);

// The glass lines, the outline through the corners moved in by the inset towards the reference
// point and closed at its corners, kept in `glass` when given. Answers the first line shorter
// than the minimum, 0 when the ring does not close, or -1.
int ShortGlassLine(const std::vector<CVRX2DPoint>& corners, double inset, const CVRX2DPoint& reference, double minimum,
                   std::vector<CVRX2DLine>* glass = nullptr);
// Trims a ring of glass lines corner by corner, in order, each line having to hold the corner it
// starts at: the reason of the first failure, or nullptr.
const char* TrimHeldCorners(std::vector<CVRX2DLine>& ring);
// The crossing of two lines taken as infinite; FALSE for parallel lines.
BOOL GetCrossing(const CVRX2DLine& a, const CVRX2DLine& b, CVRX2DPoint& at);
// Each line moved by its distance (one per line, or one for all) towards the reference point.
std::vector<CVRX2DLine> OffsetLines(const std::vector<CVRX2DLine>& lines, const std::vector<double>& distances,
                                    const CVRX2DPoint& reference);
// Trims a closed ring of lines: the crossing of line k with line k - 1 becomes the start of k and
// the end of k - 1. FALSE, changing nothing, when two neighbours are parallel.
BOOL CloseCorners(std::vector<CVRX2DLine>& lines);
// The closed ring of the lines moved inward, appended with the category; two parallel
// neighbours throw CUnitException(module, line).
void AddInsetRing(CVRX2DEntityArray& out, int category, const std::vector<CVRX2DLine>& lines,
                  const std::vector<double>& distances, const CVRX2DPoint& reference, const char* module, int line);

// Side 0..3 of a four-sided outline moved inward (up, left, down, right) by its two-line elevation
// distance; another side throws CUnitException(module, line).
CVRX2DLine* InnerQuadSideLine(const CSizedComponentArray& components, int side, const char* module, int line);
// The crossing of two lines taken as infinite; parallel lines throw CUnitException(module, line)
// carrying the message.
CVRX2DPoint CrossingOrThrow(const CVRX2DLine& first, const CVRX2DLine& second, const char* module, int line,
                            const char* message);
// Each line runs between its crossings (found by `cross`) with its neighbours; all are appended.
using CCrossing = std::function<CVRX2DPoint(const CVRX2DLine&, const CVRX2DLine&)>;
void AddTrimmedRing(CVRX2DEntityArray& out, std::vector<std::unique_ptr<CVRX2DLine>> lines, const CCrossing& cross);

}  // namespace vg
