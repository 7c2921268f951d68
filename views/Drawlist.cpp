#include "views/Drawlist.h"

#include "geometry/2dline.h"

CDrawList::CDrawList() = default;

CDrawList::~CDrawList() = default;

void CDrawList::Assign(const CVRX2DEntityArray& entities)
{
  Clear();
  m_entries.reserve(static_cast<size_t>(entities.GetSize()));
  for (int i = 0; i < entities.GetSize(); ++i) {
    const CVRX2DEntity& entity = *entities[i];
    CEntry entry;
    entry.category = entity.GetCategory();
    if (entity.GetType() == VRX_LINE) {
      const auto& line = static_cast<const CVRX2DLine&>(entity);
      entry.x1 = line.GetStartPoint().GetX();
      entry.y1 = line.GetStartPoint().GetY();
      entry.x2 = line.GetEndPoint().GetX();
      entry.y2 = line.GetEndPoint().GetY();
    } else {
      m_others.emplace_back(entity.Clone());
      entry.pOther = m_others.back().get();
    }
    m_entries.push_back(entry);
  }
}

void CDrawList::Clear()
{
  m_entries.clear();
  m_others.clear();
}
