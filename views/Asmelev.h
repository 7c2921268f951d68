#pragma once
// Gathers the elevation of the design being edited: every unit's elevation entities moved to its
// place on the Workbench, the whole drawing then moved so that its lower-left corner lies at the
// origin.
#include "platform/core/Object.h"

class CElevationViewInfoArray;
class CVRX2DEntityArray;

class CElevationAssembler : public CObject
{
  DECLARE_DYNAMIC(CElevationAssembler)
public:
  // Replaces the contents of out. A record without a unit ends the assembly there. Exceptions of
  // the unit model pass to the caller, out then holding what was assembled before.
  void Assemble(CVRX2DEntityArray& out, const CElevationViewInfoArray& units, BOOL showOperation, BOOL showGrilles,
                int lines);
};
