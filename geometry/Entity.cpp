#include "geometry/Entity.h"

#include "geometry/2drect.h"
#include "support/Trace.h"

// The run-time record skips the clonable mix-in, which has none of its own.
IMPLEMENT_DYNAMIC(CVRXEntity, CObject)
IMPLEMENT_DYNAMIC(CVRX2DEntity, CVRXEntity)

CVRXEntity* CVRXEntity::Duplicate() const { return static_cast<CVRXEntity*>(Clone()); }

void CVRX2DEntity::Transform(const CVRX2DTransformationMatrix&) {}

// Empty slots (an array sized ahead of filling) are skipped.
CVRX2DRectangle CVRX2DEntityArray::GetExtents() const
{
  CVRX2DRectangle extents;
  bool any = false;
  for (int i = 0; i < GetSize(); ++i) {
    if (!GetAt(i))
      continue;
    if (any)
      extents.Include(GetAt(i)->GetExtents());
    else
      extents = GetAt(i)->GetExtents();
    any = true;
  }
  if (!any)
    PCTRACE(TT_VRX_ENTITIES, TL_WARNING)("CVRX2DEntityArray::GetExtents called with no entities.\n");
  return extents;
}

void CVRX2DEntityArray::Transform(const CVRX2DTransformationMatrix& matrix)
{
  for (int i = 0; i < GetSize(); ++i)
    if (GetAt(i))
      GetAt(i)->Transform(matrix);
}
