#include "workbench/items/Groupitm.h"

#include <vector>

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "model/Entcat.h"
#include "platform/core/Archive.h"
#include "ui/draw/Dc.h"
#include "project/Stamp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/sheets/Groupsht.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Tracker.h"
#include "workbench/items/Unititem.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_SERIAL(CGroupItem, CDesignItem, VERSIONABLE_SCHEMA | 10000)
IMPLEMENT_DYNAMIC(CMoveGroupItem, CGroupItem)

namespace {
constexpr const char* kModule = "Groupitm";
constexpr int kCloneLine = 118;
constexpr int kHandleCountLine = 301;
constexpr int kRecordLine = 622;
constexpr int kCornerHandleCode = 15;
constexpr int kGroupRectMargin = 5;
// The smallest stored member: a two-byte back-reference, as a unit is when a join outside the
// group was written first and stored the unit as one of its sides.
constexpr unsigned long long kMinMemberBytes = 2;
// Deeper data is damaged or hostile, and reading it (and every walk over the members after)
// would run the stack out.
constexpr int kMaxLoadDepth = CGroupItem::kMaxDepth;
thread_local int t_loadDepth = 0;

// Counts the groups being read inside each other and refuses the one too deep.
class CLoadDepth
{
public:
  CLoadDepth()
  {
    if (t_loadDepth >= kMaxLoadDepth)
      throw CArchiveException(CArchiveException::generic);
    ++t_loadDepth;
  }
  ~CLoadDepth() { --t_loadDepth; }
  CLoadDepth(const CLoadDepth&) = delete;
  CLoadDepth& operator=(const CLoadDepth&) = delete;
};

BOOL IsGroup(const CDesignItem* pItem)
{
  return pItem->GetItemType() == ditGroup || pItem->GetItemType() == ditMoveGroup;
}

CDesignItem* ItemAt(const CObList& list, POSITION& pos) { return static_cast<CDesignItem*>(list.GetNext(pos)); }

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

int CGroupItem::NestingDepth(const CDesignItem* pItem)
{
  const auto* pGroup = dynamic_cast<const CGroupItem*>(pItem);
  if (!pGroup)
    return 0;
  int deepest = 0;
  for (POSITION pos = pGroup->m_Members.GetHeadPosition(); pos;)
    deepest = std::max(deepest, NestingDepth(static_cast<const CDesignItem*>(pGroup->m_Members.GetNext(pos))));
  return deepest + 1;
}

CGroupItem::CGroupItem() : CDesignItem(ditGroup)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CGroupItem construction. \n");
}

CGroupItem::CGroupItem(const CObList& items) : CGroupItem(ditGroup, items) {}

CGroupItem::CGroupItem(int itemType, const CObList& items) : CDesignItem(itemType)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CGroupItem construction from %d items. \n", items.GetCount());
  m_Members.AddTail(&items);
  AddComponentEnts();
}

CGroupItem::~CGroupItem()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CGroupItem destruction. \n");
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    delete m_Members.GetNext(pos);
  m_Members.RemoveAll();
}

void CGroupItem::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    CDesignItem::Serialize(ar);
    SerializeVersionStamp(ar);
    SerializeMembers(ar);
    return;
  }
  LoadMembers(ar);
  try {
    BuildEntities(TRUE);
  } catch (...) {
    m_Members.RemoveAll();
    throw;
  }
}

void CGroupItem::LoadMembers(CArchive& ar)
{
  CDesignItem::Serialize(ar);
  SerializeVersionStamp(ar);
  try {
    SerializeMembers(ar);
  } catch (...) {
    // A member may be a reference to an object another list owns: a group that fails to load
    // lets go of its members rather than delete what it may not own.
    m_Members.RemoveAll();
    throw;
  }
}

void CGroupItem::SerializeMembers(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(m_Members.GetCount()));
    for (POSITION pos = m_Members.GetHeadPosition(); pos;)
      ar << m_Members.GetNext(pos);
    return;
  }
  const CLoadDepth depth;
  const DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kMinMemberBytes);
  // Each member is owned once: a back-reference to the group itself or to a member read
  // before would make the group delete the same object twice.
  std::unordered_set<const CObject*> seen;
  for (DWORD i = 0; i < count; ++i) {
    CObject* pMember = ar.ReadObject(RUNTIME_CLASS(CDesignItem));
    if (!pMember || pMember == this || !seen.insert(pMember).second)
      throw CArchiveException(CArchiveException::badIndex);
    m_Members.AddTail(pMember);
  }
}

CDesignItem* CGroupItem::Clone() const { throw CAppException(kModule, kCloneLine); }

void CGroupItem::MakeMemberUnits()
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (auto* pUnit = dynamic_cast<CUnitItem*>(ItemAt(m_Members, pos)))
      pUnit->GetUnit();
}

void CGroupItem::AddComponentEnts()
{
  MakeMemberUnits();
  BuildEntities(FALSE);
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
  BuildEntities(FALSE);
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
  const CVRX2DRectangle box = extents.Any() ? extents.Box() : m_ExtentEnts.GetExtents();
  PlaceBox(box.GetMinPoint(), box.GetMaxPoint());
}

void CGroupItem::ClearEntities()
{
  m_OutlineEnts.RemoveAll();
  m_AlignmentEnts.RemoveAll();
  m_ExtentEnts.RemoveAll();
  m_SizingHandles.RemoveAll();
  m_ComponentEnts.RemoveAll();
}

void CGroupItem::PlaceBox(const CVRX2DPoint& low, const CVRX2DPoint& high)
{
  m_vOffset = low.AsVector();
  m_dWidth = std::fabs(high.GetX() - low.GetX());
  m_dHeight = std::fabs(high.GetY() - low.GetY());
  m_ptCenter = CVRX2DPoint(-1.0, -1.0);
  AddBoundingBox(low, high);
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

void CGroupItem::BuildEntities(BOOL bKeepStoredBox)
{
  ClearEntities();
  // A move group lives for one move of the selection and is never stored, drawn or placed in
  // another group by its outline: it takes only the box of its members' outlines, not copies.
  CExtentsInOrder extents;
  CExtentsInOrder* pExtents = m_nItemType == ditMoveGroup ? &extents : nullptr;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    CopyMemberEntities(ItemAt(m_Members, pos), pExtents);
  CVRX2DPoint low;
  CVRX2DPoint high;
  if (m_ExtentEnts.GetSize() == 0 && bKeepStoredBox) {
    low = CVRX2DPoint(m_vOffset.GetX(), m_vOffset.GetY());
    high = CVRX2DPoint(low.GetX() + m_dWidth, low.GetY() + m_dHeight);
  } else {
    const CVRX2DRectangle box = extents.Any() ? extents.Box() : m_ExtentEnts.GetExtents();
    low = box.GetMinPoint();
    high = box.GetMaxPoint();
  }
  PlaceBox(low, high);
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

BOOL CGroupItem::GetClientRect(CRect& rect, CWorkbenchView* pView)
{
  if (m_SizingHandles.GetSize() != 4)
    throw CAppFatalException(kModule, kHandleCountLine);
  const CPoint topLeft = pView->WorldToClient(m_SizingHandles[3]->GetPoint());
  const CSize size = pView->WorldToDevice(CVRX2DVector(m_dWidth, m_dHeight));
  rect.SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy);
  rect.InflateRect(kGroupRectMargin, kGroupRectMargin);
  return !rect.IsRectEmpty();
}

void CGroupItem::Select(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Selecting a group. \n");
  SetTracker(std::make_unique<CItemTracker>(pView, this));
  CDesignItem::Select(pView);
}

void CGroupItem::InvalidateOwnRect(CWorkbenchView* pView)
{
  CRect rect;
  if (GetClientRect(rect, pView))
    pView->InvalidateRect(&rect, TRUE);
}

void CGroupItem::Invalidate(CWorkbenchView* pView)
{
  InvalidateOwnRect(pView);
  if (m_bShowAlignmentLines)
    pView->Invalidate(TRUE);
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    ItemAt(m_Members, pos)->Invalidate(pView);
  if (m_pTracker)
    m_pTracker->Invalidate();
}

void CGroupItem::Draw(CDC* pDC, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Drawing a group of %d items. \n", m_Members.GetCount());
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    ItemAt(m_Members, pos)->Draw(pDC, pView);
}

void CGroupItem::DrawPass(int pass, CDC* pDC, CWorkbenchView* pView)
{
  CRect clip;
  pDC->GetClipBox(&clip);
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    const int type = pMember->GetItemType();
    if (IsGroup(pMember))
      static_cast<CGroupItem*>(pMember)->DrawPass(pass, pDC, pView);
    DrawItemInPass(pMember, type, pass, pDC, pView, clip);
  }
}

void CGroupItem::DrawItemInPass(CDesignItem* pItem, int type, int pass, CDC* pDC, CWorkbenchView* pView,
                                const CRect& clip)
{
  if (pass == 1 && type == ditGuideline) {
    pItem->Draw(pDC, pView);
  } else if (pass == 2 && type == ditUnit) {
    CRect rect;
    if (pItem->GetClientRect(rect, pView) && rect.left < clip.right && clip.left < rect.right &&
        rect.top < clip.bottom && clip.top < rect.bottom)
      pItem->Draw(pDC, pView);
  } else if (pass == 3 && type == ditJoin && pView->GetShowJoins()) {
    pItem->Draw(pDC, pView);
  }
}

void CGroupItem::DrawHandles(CDC* pDC, CWorkbenchView* pView)
{
  if (m_pTracker)
    m_pTracker->Draw(pDC);
  DrawMemberHandles(pDC, pView);
}

void CGroupItem::DrawMemberHandles(CDC* pDC, CWorkbenchView* pView)
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember->GetItemType() == ditGuideline)
      pMember->DrawHandles(pDC, pView);
    else if (IsGroup(pMember))
      static_cast<CGroupItem*>(pMember)->DrawMemberHandles(pDC, pView);
  }
}

void CGroupItem::StartMove(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Starting move operation on a group. \n");
  pView->RemoveCrossingJoins(this);
}

BOOL CGroupItem::Move(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Move() on a group. \n");
  m_vTrack = CVRX2DVector();
  GenerateMoveTrackEntities(m_vTrack);
  CVRX2DVector offset;
  int result = trkNotMoved;
  if (m_pTracker) {
    KeepForDrag();
    try {
      result = m_pTracker->Track(point, &offset);
    } catch (...) {
      ForgetDrag();
      throw;
    }
    ForgetDrag();
  }
  BOOL answer = FALSE;
  if (result == trkMoved) {
    Invalidate(pView);
    Offset(offset);
    answer = TRUE;
  } else if (result == trkCancelled) {
    answer = TRUE;
  }
  Invalidate(pView);
  if (m_pTracker)
    m_pTracker->Invalidate();
  pView->AddJoin();
  return answer;
}

BOOL CGroupItem::CanMoveTo(const CVRX2DVector& v) const
{
  if (m_bMoveBoxKept) {
    // Adding v keeps the order of the coordinates, so the box of all those members stays inside
    // the world exactly when each member's box does.
    if (m_bMoveBoxHasMembers && !CanMoveBoxBy(m_moveLow, m_moveHigh, v))
      return FALSE;
    for (const CDesignItem* pMember : m_ownRuleMovers)
      if (!pMember->CanMoveTo(v))
        return FALSE;
    return TRUE;
  }
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (!ItemAt(m_Members, pos)->CanMoveTo(v))
      return FALSE;
  return TRUE;
}

void CGroupItem::KeepForDrag()
{
  m_ownRuleMovers.clear();
  m_bMoveBoxHasMembers = FALSE;
  m_movedDrawing.Clear();
  m_ownImageMembers.clear();
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember->IsMoveImageItsOutline())
      m_movedDrawing.Append(OutlineOf(*pMember));
    else
      m_ownImageMembers.push_back(pMember);
    CVRX2DPoint low;
    CVRX2DPoint high;
    if (!pMember->GetMoveBox(low, high)) {
      m_ownRuleMovers.push_back(pMember);
      continue;
    }
    if (!m_bMoveBoxHasMembers) {
      m_moveLow = low;
      m_moveHigh = high;
      m_bMoveBoxHasMembers = TRUE;
      continue;
    }
    m_moveLow = CVRX2DPoint(std::min(m_moveLow.GetX(), low.GetX()), std::min(m_moveLow.GetY(), low.GetY()));
    m_moveHigh = CVRX2DPoint(std::max(m_moveHigh.GetX(), high.GetX()), std::max(m_moveHigh.GetY(), high.GetY()));
  }
  m_bMoveBoxKept = TRUE;
  m_bDrawingKept = TRUE;
}

void CGroupItem::ForgetDrag()
{
  m_bMoveBoxKept = FALSE;
  m_bDrawingKept = FALSE;
  m_ownRuleMovers.clear();
  m_ownImageMembers.clear();
  m_movedDrawing.Clear();
}

// The images are inverted: in what order the members draw them, and on how many DCs, leaves the
// same pixels, so the members of a large selection share one DC and translator.
void CGroupItem::DrawTrackEntities(CWorkbenchView* pView) { CDesignItem::DrawTrackEntities(pView); }

void CGroupItem::DrawTrackEntities(CWorkbenchView* pView, CTrackerTranslator& translator)
{
  const CVRX2DTransformationMatrix move(m_vMembersTrack);
  if (m_bDrawingKept && m_bMembersTrackMade) {
    translator.TranslateMovedDrawList(m_movedDrawing, move);
    for (CDesignItem* pMember : m_ownImageMembers)
      pMember->DrawTrackEntities(pView, translator);
    return;
  }
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (!m_bMembersTrackMade || !pMember->IsMoveImageItsOutline())
      pMember->DrawTrackEntities(pView, translator);
    else
      translator.TranslateMoved(OutlineOf(*pMember), move);
  }
}

void CGroupItem::GenerateMoveTrackEntities(const CVRX2DVector& v)
{
  if (m_bDrawingKept) {
    for (CDesignItem* pMember : m_ownImageMembers)
      pMember->GenerateMoveTrackEntities(v);
  } else {
    for (POSITION pos = m_Members.GetHeadPosition(); pos;)
      if (CDesignItem* pMember = ItemAt(m_Members, pos); !pMember->IsMoveImageItsOutline())
        pMember->GenerateMoveTrackEntities(v);
  }
  m_vMembersTrack = v;
  m_bMembersTrackMade = TRUE;
}

void CGroupItem::Offset(const CVRX2DVector& v)
{
  if (v.GetLength() == 0.0)
    return;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    ItemAt(m_Members, pos)->Offset(v);
  CDesignItem::Offset(v);
  // The box's centre stays unset: a group is placed by its corner.
  m_ptCenter = CVRX2DPoint(-1.0, -1.0);
  const CVRX2DTransformationMatrix move(v);
  m_ExtentEnts.Transform(move);
  for (int i = 0; i < m_ComponentEnts.GetSize(); ++i)
    m_ComponentEnts[i]->Transform(move);
}

BOOL CGroupItem::HitTest(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (ItemAt(m_Members, pos)->HitTest(point, pView))
      return TRUE;
  return FALSE;
}

void CGroupItem::Edit(CWorkbenchView* pView)
{
  {
    CGroupSheetDlg sheet(pView, this, "Group Properties", nullptr, 0);
    sheet.DoModal();
  }
  CDesignItem::Edit(pView);
}

void CGroupItem::Delete(CWorkbenchView* pView)
{
  // The units die with the group: a join of the design left on two of them would point at
  // deleted units, so every join that touches one goes, not only those crossing the border.
  pView->RemoveCrossingJoins(this, TRUE);
  CDesignItem::Delete(pView);
}

void CGroupItem::Ungroup(CWorkbenchView* pView)
{
  BOOL showsLines = FALSE;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    pView->AddItem(pMember, FALSE);
    pView->Select(pMember);
    showsLines = showsLines || pMember->GetShowAlignmentLines();
  }
  if (showsLines)
    pView->Invalidate(TRUE);
  else
    InvalidateOwnRect(pView);
  RemoveAllItems();
}

void CGroupItem::RemoveAllItems() { m_Members.RemoveAll(); }

void CGroupItem::AddItem(CDesignItem* pItem)
{
  m_Members.AddTail(pItem);
  AddComponentEnts();
}

void CGroupItem::RemoveItem(CDesignItem* pItem)
{
  POSITION pos = m_Members.Find(pItem);
  if (!pos)
    return;
  m_Members.RemoveAt(pos);
  AddComponentEnts();
}

void CGroupItem::ReleaseMember(const CObject* pItem)
{
  if (POSITION pos = m_Members.Find(const_cast<CObject*>(pItem)))
    m_Members.RemoveAt(pos);
}

void CGroupItem::BreakUnitJoins(CWorkbenchView* pView)
{
  PCTRACE(TT_JOINING, TL_DETAIL)("BreakUnitJoins() called on a group. \n");
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (auto* pUnit = dynamic_cast<CUnitItem*>(pMember))
      pUnit->BreakAllJoins(pView);
    else if (auto* pGroup = dynamic_cast<CGroupItem*>(pMember))
      pGroup->BreakUnitJoins(pView);
  }
}

BOOL CGroupItem::GetUnitsInGroup(CObList& units, BOOL bWithJoins) const
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("GetUnitsInGroup() called. \n");
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    const int type = pMember->GetItemType();
    if (type == ditUnit || (type == ditJoin && bWithJoins))
      units.AddTail(pMember);
    else if (IsGroup(pMember))
      static_cast<CGroupItem*>(pMember)->GetUnitsInGroup(units, bWithJoins);
  }
  return !units.IsEmpty();
}

void CGroupItem::RemoveComponentEnts(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("RemoveComponentEnts() called. \n");
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember->GetItemType() == ditUnit)
      pView->RemoveAlignmentEntities(pMember);
    else if (IsGroup(pMember))
      static_cast<CGroupItem*>(pMember)->RemoveComponentEnts(pView);
  }
}

BOOL CGroupItem::GetColinearAlignmentEnts(CObArray& out, const CAlignmentEntity& record) const
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("GetColinearAlignmentEnts() called. \n");
  if (!record.GetItem() || record.GetItem()->GetItemType() != ditGroup || !record.GetEntity() ||
      record.GetEntity()->GetType() != VRX_LINE)
    throw CAppFatalException(kModule, kRecordLine);
  const auto& line = static_cast<const CVRX2DLine&>(*record.GetEntity());
  BOOL appended = FALSE;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (IsGroup(pMember)) {
      appended = static_cast<CGroupItem*>(pMember)->GetColinearAlignmentEnts(out, record) || appended;
      continue;
    }
    if (pMember->GetItemType() != ditUnit)
      continue;
    const CVRX2DEntityArray& alignment = *pMember->GetAlignmentEntities();
    for (int i = 0; i < alignment.GetSize(); ++i) {
      if (alignment[i]->GetType() != VRX_LINE || !static_cast<const CVRX2DLine*>(alignment[i])->IsColinear(line))
        continue;
      out.Add(new CAlignmentEntity(*alignment[i], pMember, TRUE));
      appended = TRUE;
    }
  }
  return appended;
}

BOOL CGroupItem::ContainsItem(const CDesignItem* pItem) const
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    if (pMember == pItem)
      return TRUE;
    if (IsGroup(pMember) && static_cast<CGroupItem*>(pMember)->ContainsItem(pItem))
      return TRUE;
  }
  return FALSE;
}

CMoveGroupItem::CMoveGroupItem(const CObList& items) : CGroupItem(ditMoveGroup, items) {}

// The members belong to the design: a move group that was not ungrouped still lets go of them.
CMoveGroupItem::~CMoveGroupItem() { RemoveAllItems(); }

void CMoveGroupItem::Select(CWorkbenchView* pView) { SetTracker(std::make_unique<CItemTracker>(pView, this)); }

void CMoveGroupItem::Invalidate(CWorkbenchView* pView)
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    ItemAt(m_Members, pos)->Invalidate(pView);
}

void CMoveGroupItem::DrawHandles(CDC*, CWorkbenchView*) {}

void CMoveGroupItem::Ungroup(CWorkbenchView* pView)
{
  for (POSITION pos = m_Members.GetHeadPosition(); pos;) {
    CDesignItem* pMember = ItemAt(m_Members, pos);
    pView->UpdateAlignmentEntities(pMember);
    // A member's own entries are filed anew, enabled; a group's units have entries of their
    // own to enable again.
    if (pMember->GetItemType() == ditGroup)
      pView->EnableAlignmentEntities(pMember, TRUE);
  }
  // The joins of the moved units must still fit their neighbours. Verifying may delete joins
  // that are members too, so the units are taken out of the list first.
  std::vector<CUnitItem*> units;
  for (POSITION pos = m_Members.GetHeadPosition(); pos;)
    if (auto* pUnit = dynamic_cast<CUnitItem*>(ItemAt(m_Members, pos)))
      units.push_back(pUnit);
  RemoveAllItems();
  pView->VerifyJoinsOf(units);
}
