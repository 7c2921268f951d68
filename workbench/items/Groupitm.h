#pragma once
// Groups bind several design items so that they are selected, moved, hit and stored as one. A
// group owns its members (units, joins, guidelines and nested groups) and offers the pieces of
// its units' outlines that lie on its bounding box to snapping and joining, so that a group
// joins other units like one large unit. The move group is a temporary group of the selection:
// it does not own its members and gives them back unchanged.
#include <vector>

#include "platform/core/List.h"
#include "views/Drawlist.h"
#include "support/Ownarray.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/snap/Likalign.h"

class CExtentsInOrder;

class CGroupItem : public CDesignItem
{
  DECLARE_SERIAL(CGroupItem)
public:
  // Far deeper than any real design nests its groups; a file holding deeper groups is refused as
  // damaged, so the Workbench never builds one.
  static constexpr int kMaxDepth = 64;
  // How many groups stand inside each other in the item (0 for an item that is no group).
  static int NestingDepth(const CDesignItem* pItem);

  CGroupItem();
  // Takes ownership of the listed items, in list order.
  explicit CGroupItem(const CObList& items);
  CGroupItem(const CGroupItem&) = delete;
  CGroupItem& operator=(const CGroupItem&) = delete;
  ~CGroupItem() override;

  void Serialize(CArchive& ar) override;
  CDesignItem* Clone() const override;
  int GetOutlineEntityRefs(CObArray& refs) override;
  BOOL GetClientRect(CRect& rect, CWorkbenchView* pView) override;
  void Select(CWorkbenchView* pView) override;
  void Invalidate(CWorkbenchView* pView) override;
  void Draw(CDC* pDC, CWorkbenchView* pView) override;
  void DrawHandles(CDC* pDC, CWorkbenchView* pView) override;
  void StartMove(CWorkbenchView* pView) override;
  BOOL Move(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  // Every member must be able to move by v. While the group is dragged, the boxes of the members
  // that go by their box alone are taken together once, at the start.
  BOOL CanMoveTo(const CVRX2DVector& v) const override;
  BOOL GetMoveBox(CVRX2DPoint&, CVRX2DPoint&) const override { return FALSE; }
  void DrawTrackEntities(CWorkbenchView* pView) override;
  void DrawTrackEntities(CWorkbenchView* pView, CTrackerTranslator& translator) override;
  void Offset(const CVRX2DVector& v) override;
  BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  void Edit(CWorkbenchView* pView) override;
  void Delete(CWorkbenchView* pView) override;
  // Members whose image is their outline keep no copies: the group draws their outlines moved
  // by the offset of the last image made.
  void GenerateMoveTrackEntities(const CVRX2DVector& v) override;
  BOOL IsMoveImageItsOutline() const override { return FALSE; }

  // Draws the members that belong to one of the view's drawing passes.
  virtual void DrawPass(int pass, CDC* pDC, CWorkbenchView* pView);
  // One item's own part of drawing passes 1 to 3: a guideline in pass 1, a unit whose client
  // rectangle meets the clip box in pass 2, a join whose marker meets it in pass 3 when the view
  // shows joins. The view and every group draw their items through it, so the passes are
  // decided in one place.
  static void DrawItemInPass(CDesignItem* pItem, int type, int pass, CDC* pDC, CWorkbenchView* pView,
                             const CRect& clip);
  virtual void DrawMemberHandles(CDC* pDC, CWorkbenchView* pView);
  // Hands the members to the view's design and selection; the group is left empty.
  virtual void Ungroup(CWorkbenchView* pView);
  // Empties the member list without deleting the members.
  virtual void RemoveAllItems();
  virtual void AddItem(CDesignItem* pItem);
  virtual void RemoveItem(CDesignItem* pItem);
  // Takes the member out of the list without deleting it or rebuilding the group, as a loaded
  // group whose units are not made yet must.
  void ReleaseMember(const CObject* pItem);
  // Makes every unit of the group, nested groups first, then rebuilds each group bottom-up.
  virtual void UpdateComponentEnts();
  // Reads what Serialize stores but builds nothing of this group's own: a group that is only
  // placed and ungrouped needs no more than the box MakeBox gives it.
  void LoadMembers(CArchive& ar);
  // As UpdateComponentEnts, except that this group takes only its box (offset, size, corner
  // handles and box lines), the box BuildEntities would give it, and no copies of its members.
  void MakeBox();
  virtual void BreakUnitJoins(CWorkbenchView* pView);
  // Appends the unit members (and join members when asked), nested groups in their place.
  virtual BOOL GetUnitsInGroup(CObList& units, BOOL bWithJoins) const;
  virtual BOOL GetColinearAlignmentEnts(CObArray& out, const CAlignmentEntity& record) const;
  // The view forgets every alignment entry of the group's units, nested groups included.
  virtual void RemoveComponentEnts(CWorkbenchView* pView);
  virtual void AddComponentEnts();
  virtual BOOL ContainsItem(const CDesignItem* pItem) const;

  const CObList& GetMembers() const { return m_Members; }
  const CAlignmentEntityArray& GetComponentEnts() const { return m_ComponentEnts; }
  const CVRX2DEntityArray& GetExtentEnts() const { return m_ExtentEnts; }

protected:
  CGroupItem(int itemType, const CObList& items);
  // A group or a move group.
  static BOOL IsGroup(const CDesignItem* pItem)
  {
    return pItem->GetItemType() == ditGroup || pItem->GetItemType() == ditMoveGroup;
  }
  // The member at pos, and pos moved on to the next.
  static CDesignItem* ItemAt(const CObList& list, POSITION& pos)
  {
    return static_cast<CDesignItem*>(list.GetNext(pos));
  }
  void MakeMemberUnits();
  // Makes the nested groups whole, bottom-up, and then the unit members.
  void MakeMembersWhole();
  // Rebuilds every derived entity from the members; a group whose units are not made yet keeps
  // the box it was stored with.
  void BuildEntities();
  void InvalidateOwnRect(CWorkbenchView* pView);
  // While the group is dragged: its members' boxes taken together for CanMoveTo, and the
  // outlines that are move images kept for drawing them at each step.
  void KeepForDrag();
  void ForgetDrag();

  CObList m_Members;
  // The offset of the members' move image, once one was made.
  CVRX2DVector m_vMembersTrack;
  BOOL m_bMembersTrackMade = FALSE;
  // Kept while the group is dragged: the box around the members that go by their box alone, and
  // the members with rules of their own.
  BOOL m_bMoveBoxKept = FALSE;
  BOOL m_bMoveBoxHasMembers = FALSE;
  CVRX2DPoint m_moveLow;
  CVRX2DPoint m_moveHigh;
  std::vector<const CDesignItem*> m_ownRuleMovers;
  BOOL m_bDrawingKept = FALSE;
  CDrawList m_movedDrawing;
  std::vector<CDesignItem*> m_ownImageMembers;
  CVRX2DEntityArray m_ExtentEnts;
  CAlignmentEntityArray m_ComponentEnts;

private:
  void SerializeMembers(CArchive& ar);
  // With pExtents the member's outline goes only into the extents, in order.
  void CopyMemberEntities(CDesignItem* pMember, CExtentsInOrder* pExtents);
  void ClearEntities();
  // The group's offset and size from the box of its members' outlines, unless that is the box
  // it has; its corners.
  void SettleBox(const CExtentsInOrder& extents, CVRX2DPoint& low, CVRX2DPoint& high);
  void AddBoundingBox(const CVRX2DPoint& low, const CVRX2DPoint& high);
  void CollectComponentEnts(const CVRX2DPoint& low, const CVRX2DPoint& high);
};

class CMoveGroupItem : public CGroupItem
{
  DECLARE_DYNAMIC(CMoveGroupItem)
public:
  // The members stay items of the design; the move group only borrows them.
  explicit CMoveGroupItem(const CObList& items);
  ~CMoveGroupItem() override;

  void Select(CWorkbenchView* pView) override;
  void Invalidate(CWorkbenchView* pView) override;
  void DrawHandles(CDC* pDC, CWorkbenchView* pView) override;
  void Ungroup(CWorkbenchView* pView) override;
};
