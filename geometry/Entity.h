#pragma once
// Base of the drawable 2-D entities and their owning array. Intersection is a double dispatch:
// `Intersect` hands this entity to the other's operation for this entity's kind, so every pair of
// kinds is computed in one place. Every intersection empties its result array first.
#include "support/Ownarray.h"

class CVRX2DArc;
class CVRX2DLine;
class CVRX2DPoint;
class CVRX2DPointArray;
class CVRX2DPointEntity;
class CVRX2DRectangle;
class CVRX2DTransformationMatrix;

enum VRXEntityType
{
  VRX_ARC = 0,
  VRX_LINE = 2,
  VRX_POINT = 4,
  VRX_RECTANGLE = 6
};

class CVRXEntity : public CClonableObject
{
  DECLARE_DYNAMIC(CVRXEntity)
public:
  int GetType() const { return type; }
  int GetCategory() const { return category; }
  void SetCategory(int value) { category = value; }
  // A new copy of the same class, owned by the caller.
  CVRXEntity* Duplicate() const;

protected:
  explicit CVRXEntity(int entityType, int entityCategory = 0) : type(entityType), category(entityCategory) {}
  CVRXEntity(const CVRXEntity&) = default;
  CVRXEntity& operator=(const CVRXEntity&) = default;

private:
  int type;
  int category;
};

class CVRX2DEntity : public CVRXEntity
{
  DECLARE_DYNAMIC(CVRX2DEntity)
public:
  CVRX2DEntity* Clone() const override = 0;
  // On the entity, within the tolerances.
  virtual BOOL Contains(const CVRX2DPoint& p) const = 0;
  virtual CVRX2DRectangle GetExtents() const = 0;
  virtual void Intersect(const CVRX2DEntity& other, CVRX2DPointArray& points) const = 0;
  virtual void IntersectArc(const CVRX2DArc& arc, CVRX2DPointArray& points) const = 0;
  virtual void IntersectLine(const CVRX2DLine& line, CVRX2DPointArray& points) const = 0;
  virtual void IntersectPointEntity(const CVRX2DPointEntity& point, CVRX2DPointArray& points) const = 0;
  virtual void IntersectRectangle(const CVRX2DRectangle& rect, CVRX2DPointArray& points) const = 0;
  virtual void Transform(const CVRX2DTransformationMatrix& matrix);

protected:
  using CVRXEntity::CVRXEntity;
  CVRX2DEntity(const CVRX2DEntity&) = default;
  CVRX2DEntity& operator=(const CVRX2DEntity&) = default;
};

// Owning array of heap entities; copies clone every entity.
class CVRX2DEntityArray : public COwnArrayOf<CVRX2DEntity, CClonableObArray>
{
public:
  // The union of the entities' extents; an empty array gives both corners at the origin.
  CVRX2DRectangle GetExtents() const;
  void Transform(const CVRX2DTransformationMatrix& matrix);
};
