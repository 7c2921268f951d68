#pragma once
// The base of everything placed on a design's Workbench: position, extents, outline, alignment
// entities, sizing handles and the selection tracker. Most operations are defaults that trace
// and answer no; the base itself moves items, nudges them, extends and draws alignment lines,
// draws the move image and stores the common fields (the 50-byte record every item starts with).
#include <memory>

#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "geometry/Angle.h"
#include "geometry/Entity.h"
#include "model/Sizing.h"
#include "platform/core/Array.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"

class CArchive;
class CDC;
class CObArray;
class CTracker;
class CTrackerTranslator;
class CWorkbenchView;

// Item type codes.
enum
{
  ditBase = 0,
  ditUnit = 1,
  ditJoin = 2,
  ditGuideline = 3,
  ditLineSegment = 4,
  ditGroup = 5,
  ditPlanSelector = 6,
  ditDetailSelector = 7,
  ditSelectLine = 8,
  ditMoveGroup = 9
};

// The fixed square items live in; alignment lines reach across it.
constexpr double kWorkbenchSquare = 1440.0;

class CDesignItem : public CObject
{
  DECLARE_SERIAL(CDesignItem)
public:
  CDesignItem();
  CDesignItem(const CDesignItem& source);
  CDesignItem& operator=(const CDesignItem&) = delete;
  ~CDesignItem() override;

  void Serialize(CArchive& ar) override;
  virtual CDesignItem* Clone() const;
  virtual int GetItemType() const { return m_nItemType; }
  virtual CVRX2DVector GetOffset() const { return m_vOffset; }
  virtual CVRXAngle GetAngle() const { return m_Angle; }
  virtual double GetHeight() const { return m_dHeight; }
  virtual double GetWidth() const { return m_dWidth; }
  virtual CVRX2DPoint GetCenterPoint() const { return m_ptCenter; }
  virtual double GetSpacingExtent(BOOL bHorizontal, int part) const;
  virtual BOOL CanSpaceEvenly(BOOL bHorizontal, BOOL* pbCancel);
  virtual COLORREF GetColor() const;
  virtual void SetColor(COLORREF color);
  virtual COLORREF GetAlignmentLineColor() const;
  virtual void SetAlignmentLineColor(COLORREF color);
  virtual int GetTrackEntities(CVRX2DEntityArray& out, COLORREF& color) const;
  virtual CTracker* GetTracker() const { return m_pTracker.get(); }
  virtual int GetTrackEntities(CVRX2DEntityArray& out) const;
  virtual int GetOutlineEntities(CVRX2DEntityArray& out) const;
  // Appends one reference per alignment entity; the array's new size.
  virtual int GetOutlineEntityRefs(CObArray& refs);
  virtual CVRX2DEntityArray* GetAlignmentEntities() { return &m_AlignmentEnts; }
  virtual CSizingHandleArray* GetSizingHandles(CWorkbenchView* pView);
  virtual BOOL GetShowAlignmentLines() const { return m_bShowAlignmentLines; }
  virtual BOOL GetSnapToAlignmentLines() const { return m_bSnapToAlignmentLines; }
  virtual void SetShowAlignmentLines(BOOL bShow) { m_bShowAlignmentLines = bShow; }
  virtual void SetSnapToAlignmentLines(BOOL bSnap) { m_bSnapToAlignmentLines = bSnap; }
  virtual BOOL IsAlignmentSource() const { return m_bAlignmentSource; }
  virtual void SetAlignmentSource(BOOL bSource) { m_bAlignmentSource = bSource; }
  virtual CString GetDescription() { return CString(); }
  virtual BOOL GetClientRect(CRect& rect, CWorkbenchView* pView);
  virtual void Select(CWorkbenchView* pView);
  virtual void Deselect(CWorkbenchView* pView);
  virtual BOOL IsSelected(CWorkbenchView* pView) const;
  virtual void Invalidate(CWorkbenchView* pView);
  virtual void Draw(CDC* pDC, CWorkbenchView* pView);
  virtual void DrawHandles(CDC* pDC, CWorkbenchView* pView);
  virtual void DrawAlignmentEnts(CDC* pDC, CWorkbenchView* pView);
  // A redraw fetches what Draw reads from memory some items ahead of the one it draws, without
  // waiting for it, in two steps a few items apart: a unit's own places first
  // (CUnitItem::PrefetchDrawingHolder), then PrefetchDrawing, reading only those, the drawing.
  virtual void PrefetchDrawing() const {}
  virtual void StartMove(CWorkbenchView* pView);
  virtual BOOL Move(const CVRX2DPoint& point, CWorkbenchView* pView);
  virtual BOOL CanMoveTo(const CVRX2DVector& v) const;
  // The corners of the box CanMoveTo keeps inside the world, for an item whose answer depends on
  // that box alone; FALSE for an item with a rule of its own.
  virtual BOOL GetMoveBox(CVRX2DPoint& low, CVRX2DPoint& high) const;
  // Whether the box of these corners moved by v stays inside the world.
  static BOOL CanMoveBoxBy(const CVRX2DPoint& low, const CVRX2DPoint& high, const CVRX2DVector& v);
  // Whether the box of these corners lies inside the world.
  static BOOL IsBoxInSquare(const CVRX2DPoint& low, const CVRX2DPoint& high);
  // Whether the extents of these entities lie inside the world.
  static BOOL IsInSquare(const CVRX2DEntityArray& entities);
  virtual void UpdateMoveTrack(const CVRX2DVector& v, CWorkbenchView* pView);
  // The first image of a move, drawn straight at the offset (none is on the screen yet).
  void ShowMoveTrack(const CVRX2DVector& v, CWorkbenchView* pView);
  virtual void DrawTrackEntities(CWorkbenchView* pView);
  // The same with a tracker translator on a view DC already taken: a group draws the move images
  // of all its members with one.
  virtual void DrawTrackEntities(CWorkbenchView* pView, CTrackerTranslator& translator);
  virtual void Offset(const CVRX2DVector& v);
  virtual BOOL Nudge(const CVRX2DVector& v, CWorkbenchView* pView);
  // A step cut where the item's box meets the square's edge: no step takes it farther past.
  CVRX2DVector CutAtSquare(const CVRX2DVector& v) const;
  // The shortest shift that brings the item's box inside the square; none when it is inside.
  CVRX2DVector IntoSquare() const;
  virtual BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView* pView);
  virtual int HitTestHandle(const CVRX2DPoint& point, CWorkbenchView* pView);
  virtual CVRX2DPoint GetHandlePoint(int handle, CWorkbenchView* pView);
  virtual void StartResize(CWorkbenchView* pView);
  virtual BOOL Resize(int handle, const CVRX2DPoint& point, CWorkbenchView* pView);
  virtual int AdjustPos(int handle, CVRX2DVector& v, CVRX2DEntityArray& out, CWorkbenchView* pView);
  virtual void Edit(CWorkbenchView* pView);
  virtual void Add(CWorkbenchView* pView);
  virtual void Delete(CWorkbenchView* pView);
  virtual void InvalidateLine(int x1, int y1, int x2, int y2, CWorkbenchView* pView);
  virtual void ExtendAlignmentEnts();
  virtual void GenerateMoveTrackEntities(const CVRX2DVector& v);
  // Whether the move image is the outline moved by the offset, as GenerateMoveTrackEntities
  // makes it here; a class with an image of its own answers no.
  virtual BOOL IsMoveImageItsOutline() const { return TRUE; }
  // TRUE for a join item that joins the unit item; joins go with their units.
  BOOL JoinsItem(const CDesignItem* pUnitItem) const;
  // The two unit items a join item joins; none for any other item.
  virtual void GetJoinedItems(const CDesignItem*& pFirst, const CDesignItem*& pSecond) const;

  CVRX2DVector GetTrackVector() const { return m_vTrack; }
  // The class-wide alignment-line colour, set from the preferences at start-up.
  static void SetDefaultAlignmentLineColor(COLORREF color);

protected:
  explicit CDesignItem(int itemType);
  void SetTracker(std::unique_ptr<CTracker> tracker);
  void RecomputeCenter();
  // What GetOutlineEntities copies, read in place: a group reads the outlines of thousands of
  // members.
  static const CVRX2DEntityArray& OutlineOf(const CDesignItem& item) { return item.m_OutlineEnts; }

  int m_nItemType = ditBase;
  // Beside the type, and followed by the place and size: every redraw reads them of every item,
  // and the items of a large design lie all over memory, where each further place read in an
  // item cost the redraw one more fetch per item, the more where other processes held memory.
  BOOL m_bShowAlignmentLines = FALSE;
  CVRX2DVector m_vOffset;
  double m_dHeight = 0.0;
  double m_dWidth = 0.0;
  CVRX2DPoint m_ptCenter;
  CVRXAngle m_Angle;
  BOOL m_bAlignmentSource = TRUE;
  std::unique_ptr<CTracker> m_pTracker;
  CVRX2DEntityArray m_OutlineEnts;
  CVRX2DEntityArray m_TrackEnts;
  CVRX2DEntityArray m_AlignmentEnts;
  CVRX2DVector m_vTrack;
  BOOL m_bSnapToAlignmentLines = TRUE;
  CSizingHandleArray m_SizingHandles;
};

// One entity of an item as snapping moves it.
class COutlineEntityRef : public CObject
{
public:
  COutlineEntityRef(CVRX2DEntity* pEntity, CDesignItem* pItem, int index)
    : m_nIndex(index), m_pEntity(pEntity), m_pItem(pItem)
  {}
  int m_nIndex;
  std::unique_ptr<CVRX2DEntity> m_pEntity;
  CDesignItem* m_pItem;
};
