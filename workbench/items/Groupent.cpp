// The group item's derived entities: its box, worked out from its members' outlines, the copies
// of their lines, and the sides of its units that lie on the box, which it offers for joining.
#include <cmath>

#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "model/Entcat.h"
#include "support/Trace.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"

namespace {
constexpr int kCornerHandleCode = 15;

// The four sides of a group's box, with their directions worked out once for all the lines of
// the members that are asked about.
class CBoxSides
{
public:
  CBoxSides(const CVRX2DPoint& low, const CVRX2DPoint& high)
    : m_bottom(0, low, CVRX2DPoint(high.GetX(), low.GetY())),
      m_right(0, CVRX2DPoint(high.GetX(), low.GetY()), high),
      m_top(0, high, CVRX2DPoint(low.GetX(), high.GetY())),
      m_left(0, CVRX2DPoint(low.GetX(), high.GetY()), low),
      m_bottomDirection(m_bottom.GetAngle()),
      m_rightDirection(m_right.GetAngle()),
      m_topDirection(m_top.GetAngle()),
      m_leftDirection(m_left.GetAngle())
  {}

  // A vertical line on the box's left or right side, or a horizontal one on its top or bottom.
  BOOL Hold(const CVRX2DLine& line) const
  {
    // Most lines of a large group lie well inside its box: they are turned away on their
    // coordinates before their direction, an arc tangent, is worked out.
    if (!NearASide(line))
      return FALSE;
    const CVRXAngle direction = line.GetAngle();
    if (CVRX2DLine::IsVerticalDirection(direction))
      return line.IsColinear(m_left, direction, m_leftDirection) ||
             line.IsColinear(m_right, direction, m_rightDirection);
    if (CVRX2DLine::IsHorizontalDirection(direction))
      return line.IsColinear(m_top, direction, m_topDirection) ||
             line.IsColinear(m_bottom, direction, m_bottomDirection);
    return FALSE;
  }

private:
  // Whether the line can pass the tests of Hold at all: a vertical side takes a line whose start
  // lies within the point tolerance of its x, a horizontal side (its slope is nought) a line
  // whose y-intercept lies within it of its y. Twice the tolerance leaves room for rounding.
  BOOL NearASide(const CVRX2DLine& line) const
  {
    const double reach = 2.0 * CVRX2DPoint::GetTolerance();
    const CVRX2DPoint& start = line.GetStartPoint();
    const CVRX2DPoint& end = line.GetEndPoint();
    const double left = m_left.GetStartPoint().GetX();
    const double right = m_right.GetStartPoint().GetX();
    if (std::fabs(start.GetX() - left) <= reach || std::fabs(start.GetX() - right) <= reach)
      return TRUE;
    if (end.GetX() == start.GetX())
      return FALSE;
    const double intercept = start.GetY() - start.GetX() * ((end.GetY() - start.GetY()) / (end.GetX() - start.GetX()));
    return std::fabs(intercept - m_bottom.GetStartPoint().GetY()) <= reach ||
           std::fabs(intercept - m_top.GetStartPoint().GetY()) <= reach;
  }

  CVRX2DLine m_bottom;
  CVRX2DLine m_right;
  CVRX2DLine m_top;
  CVRX2DLine m_left;
  CVRXAngle m_bottomDirection;
  CVRXAngle m_rightDirection;
  CVRXAngle m_topDirection;
  CVRXAngle m_leftDirection;
};
}  // namespace

// The union of the extents of entities in the order they come, as CVRX2DEntityArray::GetExtents
// takes it (a point within the tolerance of the box so far changes nothing, so the order counts).
class CExtentsInOrder
{
public:
  void Add(const CVRX2DEntityArray& entities)
  {
    for (int i = 0; i < entities.GetSize(); ++i) {
      if (!entities[i])
        continue;
      if (m_any)
        m_box.Include(entities[i]->GetExtents());
      else
        m_box = entities[i]->GetExtents();
      m_any = TRUE;
    }
  }
  BOOL Any() const { return m_any; }
  const CVRX2DRectangle& Box() const { return m_box; }

private:
  CVRX2DRectangle m_box;
  BOOL m_any = FALSE;
};

void CGroupItem::MakeMemberUnits()
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (auto* pUnit = dynamic_cast<CUnitItem*>(ItemAt(m_Members, pos)))
      pUnit->GetUnit();
}

void CGroupItem::AddComponentEnts()
{
  MakeMemberUnits();
  BuildEntities();
}

void CGroupItem::MakeMembersWhole()
{
  // Bottom-up: a nested group copies its entities into this one, so it must be whole first.
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (auto* pGroup = dynamic_cast<CGroupItem*>(ItemAt(m_Members, pos)))
      pGroup->UpdateComponentEnts();
  MakeMemberUnits();
}

void CGroupItem::UpdateComponentEnts()
{
  MakeMembersWhole();
  BuildEntities();
}

void CGroupItem::MakeBox()
{
  MakeMembersWhole();
  ClearEntities();
  CExtentsInOrder extents;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    CopyMemberEntities(ItemAt(m_Members, pos), &extents);
  // The copies of the joins' and guidelines' lines made on the way serve no placing.
  m_AlignmentEnts.RemoveAll();
  CVRX2DPoint low;
  CVRX2DPoint high;
  SettleBox(extents, low, high);
  AddBoundingBox(low, high);
}

void CGroupItem::ClearEntities()
{
  m_OutlineEnts.RemoveAll();
  m_AlignmentEnts.RemoveAll();
  m_ExtentEnts.RemoveAll();
  m_SizingHandles.RemoveAll();
  m_ComponentEnts.RemoveAll();
}

void CGroupItem::SettleBox(const CExtentsInOrder& extents, CVRX2DPoint& low, CVRX2DPoint& high)
{
  m_ptCenter = CVRX2DPoint(-1.0, -1.0);
  low = m_vOffset.AsPoint();
  high = CVRX2DPoint(low.GetX() + m_dWidth, low.GetY() + m_dHeight);
  // The box is stored with the group and read back before its units are made, which then give
  // it again from outlines placed with other roundings: a box within the point tolerance of the
  // one the group has is that box, and keeps its bits, so that a design opened and stored again
  // writes the bytes it was read from. Members without outlines (guidelines and joins alone)
  // leave the group the box it was made or moved with.
  if (!extents.Any() || (extents.Box().GetMinPoint() == low && extents.Box().GetMaxPoint() == high))
    return;
  low = extents.Box().GetMinPoint();
  high = extents.Box().GetMaxPoint();
  m_vOffset = low.AsVector();
  m_dWidth = std::fabs(high.GetX() - low.GetX());
  m_dHeight = std::fabs(high.GetY() - low.GetY());
}

void CGroupItem::CopyMemberEntities(CDesignItem* pMember, CExtentsInOrder* pExtents)
{
  switch (pMember->GetItemType()) {
  case ditJoin: {
    auto* pLine = static_cast<CJoinItem*>(pMember)->GetLine().Clone();
    pLine->SetCategory(ecatJoinAlignment);
    m_AlignmentEnts.Add(pLine);
    break;
  }
  case ditGroup:
  case ditMoveGroup: {
    auto* pGroup = static_cast<CGroupItem*>(pMember);
    const CVRX2DEntityArray& alignment = *pGroup->GetAlignmentEntities();
    for (int i = 0; i < alignment.GetSize(); ++i)
      if (alignment[i]->GetCategory() == ecatGuidelineCentreAlignment ||
          alignment[i]->GetCategory() == ecatGuidelineEdgeAlignment)
        m_AlignmentEnts.Add(alignment[i]->Clone());
    if (pExtents) {
      pExtents->Add(pGroup->m_ExtentEnts);
      break;
    }
    const CVRX2DEntityArray& outline = OutlineOf(*pGroup);
    for (int i = 0; i < outline.GetSize(); ++i)
      m_OutlineEnts.Add(outline[i]->Clone());
    for (int i = 0; i < pGroup->m_ExtentEnts.GetSize(); ++i)
      m_ExtentEnts.Add(pGroup->m_ExtentEnts[i]->Clone());
    break;
  }
  case ditGuideline: {
    const CVRX2DEntityArray& alignment = *pMember->GetAlignmentEntities();
    for (int i = 0; i < alignment.GetSize(); ++i)
      m_AlignmentEnts.Add(alignment[i]->Clone());
    if (pExtents)
      break;
    const CVRX2DEntityArray& outline = OutlineOf(*pMember);
    for (int i = 0; i < outline.GetSize(); ++i)
      m_OutlineEnts.Add(outline[i]->Clone());
    break;
  }
  default: {
    const CVRX2DEntityArray& outline = OutlineOf(*pMember);
    if (pExtents) {
      pExtents->Add(outline);
      break;
    }
    for (int i = 0; i < outline.GetSize(); ++i) {
      m_OutlineEnts.Add(outline[i]->Clone());
      m_ExtentEnts.Add(outline[i]->Clone());
    }
    break;
  }
  }
}

void CGroupItem::BuildEntities()
{
  ClearEntities();
  // A move group lives for one move of the selection and is never stored, drawn or placed in
  // another group by its outline: it takes only the box of its members' outlines, not copies.
  CExtentsInOrder extents;
  CExtentsInOrder* pExtents = m_nItemType == ditMoveGroup ? &extents : nullptr;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    CopyMemberEntities(ItemAt(m_Members, pos), pExtents);
  if (!pExtents)
    extents.Add(m_ExtentEnts);
  CVRX2DPoint low;
  CVRX2DPoint high;
  SettleBox(extents, low, high);
  AddBoundingBox(low, high);
  CollectComponentEnts(low, high);
  ExtendAlignmentEnts();
  PCTRACE(TT_JOINING, TL_DETAIL)("Added %d component entities to group.\n", m_ComponentEnts.GetSize());
}

void CGroupItem::AddBoundingBox(const CVRX2DPoint& low, const CVRX2DPoint& high)
{
  const CVRX2DPoint corners[4] = {low, CVRX2DPoint(high.GetX(), low.GetY()), high,
                                  CVRX2DPoint(low.GetX(), high.GetY())};
  for (const CVRX2DPoint& corner : corners)
    m_SizingHandles.Add(new CSizingHandle(corner, kCornerHandleCode));
  for (int i = 0; i < 4; ++i)
    m_AlignmentEnts.Add(new CVRX2DLine(ecatPerimeterAlignment, corners[i], corners[(i + 1) % 4]));
}

void CGroupItem::CollectComponentEnts(const CVRX2DPoint& low, const CVRX2DPoint& high)
{
  const CBoxSides box(low, high);
  m_ComponentEnts.RemoveAll();
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (auto* pGroup = dynamic_cast<CGroupItem*>(pMember)) {
      for (int i = 0; i < pGroup->m_ComponentEnts.GetSize(); ++i) {
        const CAlignmentEntity& entity = *pGroup->m_ComponentEnts[i];
        if (entity.GetEntity()->GetType() == VRX_LINE && box.Hold(static_cast<const CVRX2DLine&>(*entity.GetEntity())))
          m_ComponentEnts.Add(new CAlignmentEntity(entity));
      }
      continue;
    }
    auto* pUnit = dynamic_cast<CUnitItem*>(pMember);
    if (!pUnit || !pUnit->HasUnit())
      continue;
    const CVRX2DEntityArray& components = *pUnit->GetComponentOutlines();
    for (int i = 0; i < components.GetSize(); ++i) {
      // The component-outline index, as the unit's own outline references and join sides
      // count: the perimeter list's position would name another component.
      const CVRX2DEntity* pEntity = components[i];
      if (pEntity->GetCategory() != ecatPerimeterOutline || pEntity->GetType() != VRX_LINE)
        continue;
      const auto& line = static_cast<const CVRX2DLine&>(*pEntity);
      if (!box.Hold(line))
        continue;
      auto* pRecord = new CAlignmentEntity(line, pUnit, TRUE);
      pRecord->AddSide(line, static_cast<UINT>(i));
      m_ComponentEnts.Add(pRecord);
    }
  }
}

int CGroupItem::GetOutlineEntityRefs(CObArray& refs)
{
  for (int i = 0; i < m_ComponentEnts.GetSize(); ++i) {
    const CAlignmentEntity& entity = *m_ComponentEnts[i];
    CVRX2DEntity* pCopy = entity.GetEntity()->Clone();
    pCopy->SetCategory(ecatPerimeterOutline);
    const int index = entity.GetIndices().GetSize() > 0 ? static_cast<int>(entity.GetIndices()[0]) : 0;
    refs.Add(new COutlineEntityRef(pCopy, entity.GetItem(), index));
  }
  // The group's joins move with it as join lines.
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember->GetItemType() != ditJoin)
      continue;
    CVRX2DEntity* pLine = static_cast<CJoinItem*>(pMember)->GetLine().Clone();
    pLine->SetCategory(ecatJoinLine);
    refs.Add(new COutlineEntityRef(pLine, pMember, 0));
  }
  return refs.GetSize();
}
