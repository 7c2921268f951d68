#pragma once
// Small pieces shared by the arched, springline, round, circle-top and full-chord units: guarded
// square roots, arcs and lines appended to an entity array, the one-panel plan section, the
// upper crossing of a circle with a line, and the positioning of grille property rows.
#include "geometry/2dpoint.h"
#include "platform/core/String.h"

class CGrilPropRec;
class CPlanSectionPreferences;
class CPlanSectionSwitches;
class CSizedComponentArray;
class CStandardArchedUnit;
class CVRX2DArc;
class CVRX2DEntityArray;
class CVRX2DLine;
class CVRXAngle;

namespace Arch {
// sqrt(a^2 - b^2), 0 where b is the longer: a chord never turns into no number.
double SideFromHypotenuse(double a, double b);
// The rise of an arc of that radius over that chord; a chord longer than the diameter gives the
// half circle's rise.
double Rise(double radius, double chord);
// A length clamped into [low, high].
double Clamp(double value, double low, double high);

void AddLine(CVRX2DEntityArray& out, int category, const CVRX2DPoint& from, const CVRX2DPoint& to);
// A circular arc, counter-clockwise from start to end (radians); a negative radius is taken as 0.
void AddArc(CVRX2DEntityArray& out, int category, const CVRX2DPoint& centre, double radius, double start, double end);
// A circular arc from the direction of one point to the direction of another, seen from the centre.
void AddArcThrough(CVRX2DEntityArray& out, int category, const CVRX2DPoint& centre, double radius,
                   const CVRX2DPoint& from, const CVRX2DPoint& to);
void AddCircle(CVRX2DEntityArray& out, int category, const CVRX2DPoint& centre, double radius);
// The point at angle a on the circle of that centre and radius.
CVRX2DPoint PointAt(const CVRX2DPoint& centre, double radius, double angle);
double DirectionOf(const CVRX2DPoint& centre, const CVRX2DPoint& p);

// The one-panel section of a unit whose cut is `planWidth` wide and starts `offset` from its left.
void AddPlanSection(const CPlanSectionSwitches& switches, const CPlanSectionPreferences& preferences, double planWidth,
                    double offset, CVRX2DEntityArray& out);

// Units whose members are, in order, the bottom, the right leg, the arch over the shoulder line
// and the left leg ("BJ", "AP", "AG", "AP"), the numbers from the unit's element rows.
void BuildShoulderComponents(const CStandardArchedUnit& unit, CSizedComponentArray& out);
// Of such a unit: the height where elevation line `line` of the legs meets that of the arch.
double ElevationShoulderHeight(const CStandardArchedUnit& unit, int line);
// Of such a unit: the closed ring of elevation line `line`, its arch about `centre`.
void AddElevationRing(const CStandardArchedUnit& unit, const CVRX2DPoint& centre, int line, int category,
                      CVRX2DEntityArray& out);

// The higher of the crossings of the arc's whole circle with the line through a and b; FALSE
// when they do not meet.
BOOL UpperCrossing(const CVRX2DArc& arc, const CVRX2DPoint& a, const CVRX2DPoint& b, CVRX2DPoint& crossing);
// The first crossing of the two entities that `holder` contains; FALSE when there is none.
BOOL FirstCrossingOn(const CVRX2DArc& holder, const CVRX2DLine& line, CVRX2DPoint& crossing);
BOOL FirstCrossingOnLine(const CVRX2DLine& holder, const CVRX2DLine& line, CVRX2DPoint& crossing);

// Seeks the grille's rows of one property code: the first row above `value` (SeekGT), at or
// above it (SeekGE) or the last at or below it (SeekLE). TRUE when the row found is of that
// grille and code; a seek that runs off the table finds nothing rather than failing.
enum Seek
{
  seekGT,
  seekGE,
  seekLE
};
BOOL SeekGrilleRow(CGrilPropRec& row, int grilleId, const CString& code, double value, Seek seek);
// Steps on (or back) while the rows stay of that grille and code.
BOOL NextGrilleRow(CGrilPropRec& row, int grilleId, const CString& code);
BOOL PrevGrilleRow(CGrilPropRec& row, int grilleId, const CString& code);
// The grille's hub: its first "H" row's value across, its first "V" row's value up. A missing
// row throws CTXDBException (module, xLine or yLine, readError).
CVRX2DPoint ReadGrilleHub(int grilleId, const char* module, int xLine, int yLine);
// The id of the grille the catalogue gives for the unit's size and choice; 0 when it gives none.
int FindGrilleId(const CString& type, const CString& subtype, const CString& sizeCode, int choice);
}  // namespace Arch
