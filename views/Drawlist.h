#pragma once
// An entity list copied for drawing many times. Its lines are kept by value in one block, in
// order: a redraw of thousands of units then reads them one after the other, where walking the
// entities themselves visited every line where it happened to be allocated and cost more than
// drawing it. Any other entity is kept as a copy of its own, in its place.
#include <memory>
#include <vector>

class CVRX2DEntity;
class CVRX2DEntityArray;
class CVRX2DTransformationMatrix;

class CDrawList
{
public:
  // One entry: a line from (x1, y1) to (x2, y2) in its category, or, where pOther is set, that
  // entity instead.
  struct CEntry
  {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    int category = 0;
    const CVRX2DEntity* pOther = nullptr;
  };

  CDrawList();
  CDrawList(const CDrawList&) = delete;
  CDrawList& operator=(const CDrawList&) = delete;
  ~CDrawList();

  // Replaces the list by a copy of the entities, in their order.
  void Assign(const CVRX2DEntityArray& entities);
  // Adds a copy of the entities after those there, in their order.
  void Append(const CVRX2DEntityArray& entities);
  // Adds a copy of the entity drawn in the category instead of its own.
  void Add(const CVRX2DEntity& entity, int category);
  // Transforms the list as Assign of the entities transformed by the matrix would make it.
  void Transform(const CVRX2DTransformationMatrix& matrix);
  void Clear();
  const std::vector<CEntry>& Entries() const { return m_entries; }
  // Starts fetching the entries from memory without waiting for them, for a drawing soon to come.
  void Prefetch() const;

private:
  std::vector<CEntry> m_entries;
  std::vector<std::unique_ptr<CVRX2DEntity>> m_others;
};
