#include "geometry/2dptent.h"

#include <new>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "support/ComExcpt.h"

IMPLEMENT_DYNAMIC(CVRX2DPointEntity, CVRX2DEntity)

namespace {
constexpr const char* kModule = "2dptent";
constexpr int kCloneFailedLine = 63;
}  // namespace

CVRX2DPointEntity::CVRX2DPointEntity(int category, const CVRX2DPoint& p) : CVRX2DEntity(VRX_POINT, category), point(p)
{}

CVRX2DPointEntity* CVRX2DPointEntity::Clone() const
{
  CVRX2DPointEntity* copy = new (std::nothrow) CVRX2DPointEntity(*this);
  if (!copy)
    throw CCommonMemoryException(kModule, kCloneFailedLine);
  return copy;
}

CVRX2DRectangle CVRX2DPointEntity::GetExtents() const { return CVRX2DRectangle(point, point); }

void CVRX2DPointEntity::Transform(const CVRX2DTransformationMatrix& matrix) { point.Transform(matrix); }

void CVRX2DPointEntity::Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const
{
  other.IntersectPointEntity(*this, points);
}

void CVRX2DPointEntity::IntersectArc(const CVRX2DArc& arc, CVRX2DPointArray& points) const
{
  points.RemoveAll();
  if (arc.Contains(point))
    points.AddCopy(point);
}

void CVRX2DPointEntity::IntersectLine(const CVRX2DLine& line, CVRX2DPointArray& points) const
{
  points.RemoveAll();
  if (line.Contains(point))
    points.AddCopy(point);
}

void CVRX2DPointEntity::IntersectPointEntity(const CVRX2DPointEntity& other, CVRX2DPointArray& points) const
{
  points.RemoveAll();
  if (*this == other)
    points.AddCopy(point);
}

void CVRX2DPointEntity::IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const
{
  rect.IntersectPointEntity(*this, points);
}
