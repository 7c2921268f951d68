#include "views/Asmelev.h"

#include "document/Docviews.h"
#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "geometry/Entity.h"
#include "model/Unit.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CElevationAssembler, CObject)

void CElevationAssembler::Assemble(CVRX2DEntityArray& out, const CElevationViewInfoArray& units, BOOL showOperation,
                                   BOOL showGrilles, int lines)
{
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("*** Elevation Assembler ***\n");
  out.RemoveAll();
  for (int i = 0; i < units.GetSize(); ++i) {
    const CElevationViewInfo& record = units[i];
    if (!record.m_pUnit)
      break;
    CVRX2DEntityArray local;
    record.m_pUnit->GetElevationEntities(lines, showOperation, showGrilles, local);
    local.Transform(CVRX2DTransformationMatrix(record.m_Position));
    out.Append(local);
    local.RemoveAllNoDelete();
  }
  if (out.GetSize() == 0) {
    PCTRACE(TT_ASSEMBLERS, TL_WARNING)("The elevation has no entities.\n");
    return;
  }
  const CVRX2DRectangle extents = out.GetExtents();
  out.Transform(CVRX2DTransformationMatrix(-extents.GetMinPoint().AsVector()));
}
