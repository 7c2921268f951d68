#pragma once
// Lays the plan sections of the units and joins that the plan selector line crosses side by side,
// in the order of their positions from left to right, and decides for each unit whether the wall
// is drawn at its sides. It adds no entities of its own.
#include "geometry/2dvector.h"
#include "model/Plansect.h"

class CPlanViewInfo;
class CPlanViewInfoArray;
class CVRX2DEntityArray;

class CPlanAssembler : public CObject
{
  DECLARE_DYNAMIC(CPlanAssembler)
public:
  // Replaces the contents of out with the plan. The preferences are a working copy: their four
  // end and wall-line flags are set anew for every unit. TRUE when every section was made; when
  // a unit or join fails to give its section (an exception of the unit model or the product
  // database) the failure is traced, out is left empty and FALSE is returned.
  BOOL Assemble(CVRX2DEntityArray& out, const CPlanSectionSwitches& switches, CPlanSectionPreferences preferences,
                double selectorY, const CPlanViewInfoArray* pInfo);

  // Moves the section along x by the offset (its y is dropped) and moves its entities to the end
  // of out, which owns them from then on; the section is left empty.
  static void AppendTranslated(CVRX2DEntityArray& out, CVRX2DVector offset, CVRX2DEntityArray* pSection);

private:
  void AssembleRecords(CVRX2DEntityArray& out, const CPlanSectionSwitches& switches,
                       CPlanSectionPreferences& preferences, double selectorY, const CPlanViewInfoArray& info);
};
