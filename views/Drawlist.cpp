#include "views/Drawlist.h"

#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"

CDrawList::CDrawList() = default;

CDrawList::~CDrawList() = default;

void CDrawList::Assign(const CVRX2DEntityArray& entities)
{
  Clear();
  m_entries.reserve(static_cast<size_t>(entities.GetSize()));
  Append(entities);
}

void CDrawList::Append(const CVRX2DEntityArray& entities)
{
  for (int i = 0; i < entities.GetSize(); ++i)
    Add(*entities[i], entities[i]->GetCategory());
}

void CDrawList::Add(const CVRX2DEntity& entity, int category)
{
  CEntry entry;
  entry.category = category;
  if (entity.GetType() == VRX_LINE) {
    const auto& line = static_cast<const CVRX2DLine&>(entity);
    entry.x1 = line.GetStartPoint().GetX();
    entry.y1 = line.GetStartPoint().GetY();
    entry.x2 = line.GetEndPoint().GetX();
    entry.y2 = line.GetEndPoint().GetY();
  } else {
    m_others.emplace_back(entity.Clone());
    m_others.back()->SetCategory(category);
    entry.pOther = m_others.back().get();
  }
  m_entries.push_back(entry);
}

void CDrawList::Transform(const CVRX2DTransformationMatrix& matrix)
{
  for (CEntry& entry : m_entries) {
    if (entry.pOther)
      continue;
    // A line moves its two points, as these do.
    CVRX2DPoint start(entry.x1, entry.y1);
    CVRX2DPoint end(entry.x2, entry.y2);
    start.Transform(matrix);
    end.Transform(matrix);
    entry.x1 = start.GetX();
    entry.y1 = start.GetY();
    entry.x2 = end.GetX();
    entry.y2 = end.GetY();
  }
  for (const std::unique_ptr<CVRX2DEntity>& pOther : m_others)
    pOther->Transform(matrix);
}

void CDrawList::Prefetch() const
{
  constexpr size_t kCacheLine = 64;
  const auto* p = reinterpret_cast<const char*>(m_entries.data());
  const auto* end = reinterpret_cast<const char*>(m_entries.data() + m_entries.size());
  for (; p < end; p += kCacheLine)
    __builtin_prefetch(p);
}

void CDrawList::Clear()
{
  m_entries.clear();
  m_others.clear();
}
