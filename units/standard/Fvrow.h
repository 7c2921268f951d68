#pragma once
// The fixed and venting panel rows "PSBA016" and "FGBA015" differ only in their codes and in
// which neighbours their members allow; their plan section, elevations and joint lines are one.
#include "units/standard/Panelrow.h"
#include "model/Entcat.h"

class CPlanSectionPreferences;
class CPlanSectionSwitches;
class CSizedComponentArray;
class CStandardUnit;
class CVRX2DEntityArray;

namespace FixedVentingRow {
enum
{
  oneLineCategory = ecatDoorElevationFrame,
  twoLineCategory = ecatDoorElevationGlassSash
};

// Throws CUnitException (module, badLetterLine) for a letter other than 'F' and 'V', before
// anything is put into `out`.
void GetPlanSection(const CStandardUnit& unit, const char* module, int badLetterLine,
                    const CPlanSectionSwitches& switches, const CPlanSectionPreferences& preferences,
                    CVRX2DEntityArray& out);
// What sets one row's members apart: its codes, the side members of a fixed panel standing alone
// (nullptr: the usual ones), the joint of two venting panels (nullptr: they may not meet), and
// the module and lines of its failures.
struct CRowRules
{
  const char* lineCode;
  const char* unitCode;
  const char* singleFixedSide;
  const char* ventingPair;
  const char* module;
  int fixedBesideFixedLine;
  int ventingBesideBadLine;
  int badLetterLine;
};
// Appends the members of the row's panels, side by side, to the empty `out`.
void BuildComponents(const CStandardUnit& unit, const CComponentGroups& groups, const CRowRules& rules,
                     CSizedComponentArray& out);
void GetHandles(const CStandardUnit& unit, const CComponentGroups& groups, CSizingHandleArray& out);
void Get1Line(const CStandardUnit& unit, const CComponentGroups& groups, int lines, CVRX2DEntityArray& out);
// The joint lines: on the line of the joint's side next to the venting panel, on the joint
// itself between two panels of one kind.
void GetJointLines(const CStandardUnit& unit, const CComponentGroups& groups, int lines, CVRX2DEntityArray& out);
void Get2Line(const CStandardUnit& unit, const CComponentGroups& groups, CVRX2DEntityArray& out);
void Get3Line(const CStandardUnit& unit, const CComponentGroups& groups, CVRX2DEntityArray& out);
}  // namespace FixedVentingRow
