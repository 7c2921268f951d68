#include "units/standard/Dhsash.h"

#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Stdunit.h"
#include "units/standard/Panelrow.h"

namespace {

enum
{
  bottom,
  lowerRight,
  upperRight,
  top,
  upperLeft,
  lowerLeft,
  meetingRail,
  componentCount
};
}  // namespace

namespace SashPair {

void BuildSizedComponents(const CStandardUnit& unit, CSizedComponentArray& components)
{
  const double w = unit.GetWidth(), h = unit.GetHeight(), s = unit.GetSizeValue(1);
  CComponentSlots slots(componentCount, unit.GetType(), unit.GetSubtype());
  slots.Put(bottom, "BM", "P", CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
  slots.Put(lowerRight, "AX", "P", CVRX2DPoint(w, 0.0), CVRX2DPoint(w, s));
  slots.Put(upperRight, "AZ", "P", CVRX2DPoint(w, s), CVRX2DPoint(w, h));
  slots.Put(top, "AJ", "P", CVRX2DPoint(w, h), CVRX2DPoint(0.0, h));
  slots.Put(upperLeft, "AZ", "P", CVRX2DPoint(0.0, h), CVRX2DPoint(0.0, s));
  slots.Put(lowerLeft, "AX", "P", CVRX2DPoint(0.0, s), CVRX2DPoint(0.0, 0.0));
  slots.Put(meetingRail, "AE", "I", CVRX2DPoint(0.0, s), CVRX2DPoint(w, s));
  slots.MoveTo(components);
}

void GetSizingHandles(const CStandardUnit& unit, CSizingHandleArray& out)
{
  PanelRow::GetCornerHandles(unit, {bottom, lowerRight, top, upperLeft}, out);
}

// The lower left side's offsets serve both sides and both sashes.
void Get1Line(const CStandardUnit& unit, int lines, CVRX2DEntityArray& out)
{
  const double a = unit.GetComponentDistance(bottom, 0, -1);
  const double x = unit.GetComponentDistance(lowerLeft, 0, -1);
  const double t = unit.GetHeight() - unit.GetComponentDistance(top, 0, -1);
  PanelRow::AddElevationRectangle(out, ecatWindowElevationFrame, x, a, unit.GetWidth() - x, t);
  GetMeetingRail(unit, 1, lines, out);
}

// Sash i leaves out its bottom edge when it sits on an odd sash below it, and its top edge when
// an even sash sits on it: two sashes show the lower one open at the rail.
void Get2Line(const CStandardUnit& unit, int lines, CVRX2DEntityArray& out)
{
  const int n = unit.GetPanelCount();
  const double x = unit.GetComponentDistance(lowerLeft, 0, 2), r = unit.GetWidth() - x;
  double t = 0.0;
  for (int i = 1; i <= n; ++i) {
    const double b =
        i == 1 ? unit.GetComponentDistance(bottom, 0, 2) : t + unit.GetComponentDistance(meetingRail, -2, 2);
    t = i < n ? unit.GetSizeValue(i) - unit.GetComponentDistance(meetingRail, -2, 0)
              : unit.GetHeight() - unit.GetComponentDistance(top, 0, 2);
    const bool even = i % 2 == 0;
    if (i == 1 || even)
      PanelRow::AddElevationLine(out, ecatWindowElevationGlassSash, x, b, r, b);
    PanelRow::AddElevationLine(out, ecatWindowElevationGlassSash, r, b, r, t);
    if (i == n || even)
      PanelRow::AddElevationLine(out, ecatWindowElevationGlassSash, r, t, x, t);
    PanelRow::AddElevationLine(out, ecatWindowElevationGlassSash, x, t, x, b);
  }
  GetMeetingRail(unit, 2, lines, out);
}

void Get3Line(const CStandardUnit& unit, CVRX2DEntityArray& out)
{
  const double a = unit.GetComponentDistance(bottom, 0, 3);
  const double x = unit.GetComponentDistance(lowerLeft, 0, 3);
  const double t = unit.GetHeight() - unit.GetComponentDistance(top, 0, 3);
  PanelRow::AddElevationRectangle(out, ecatWindowElevationGlassSash, x, a, unit.GetWidth() - x, t);
}

void GetMeetingRail(const CStandardUnit& unit, int level, int lines, CVRX2DEntityArray& out)
{
  const double s = unit.GetSizeValue(1);
  const double w = unit.GetWidth();
  if (lines == 1) {
    const double y = s + unit.GetComponentDistance(meetingRail, 0, -1);
    const double x = unit.GetComponentDistance(upperLeft, 0, -1);
    PanelRow::AddElevationLine(out, ecatWindowElevationFrame, x, y, w - x, y);
    return;
  }
  const double y = s + unit.GetComponentDistance(meetingRail, 0, -2);
  if (level == 1) {
    if (lines == 2) {
      const double x = unit.GetComponentDistance(upperLeft, 0, -1);
      PanelRow::AddElevationLine(out, ecatWindowElevationFrame, x, y, w - x, y);
    }
    return;
  }
  const double x = unit.GetComponentDistance(upperLeft, 0, level == 2 ? 2 : 3);
  PanelRow::AddElevationLine(out, ecatWindowElevationGlassSash, x, y, w - x, y);
}

}  // namespace SashPair

namespace SingleSash {

void BuildSizedComponents(const CStandardUnit& unit, CSizedComponentArray& components)
{
  CComponentSlots slots(4, unit.GetType(), unit.GetSubtype());
  PanelRow::PutSingleFrame(slots, unit.GetWidth(), unit.GetHeight(), "AG", "AP", "BJ");
  slots.MoveTo(components);
}

}  // namespace SingleSash
