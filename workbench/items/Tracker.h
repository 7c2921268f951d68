#pragma once
// Trackers give an item its interactive behaviour: its sizing handles on screen and the modal
// drag loops that move it or drag one of its handles, with inverted feedback while the button is
// held. The loops ask the view for the snapped position at every step.
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "geometry/Entity.h"
#include "platform/core/Rect.h"
#include "ui/wnd/Msg.h"

class CDC;
class CSizingHandle;
class CWorldToClient;

// The trackers' shared cursors.
constexpr UINT kCursorNotAllowed = 5038;
constexpr UINT kCursorMove = 313;
constexpr UINT kCursorBothPairs = 501;
constexpr UINT kCursorSecondPair = 503;
constexpr UINT kCursorFirstPair = 502;
constexpr UINT kCursorArrow = 508;
constexpr UINT kCursorVerticalLine = 701;
constexpr UINT kCursorHorizontalLine = 702;

// The trackers' shared bitmap.
constexpr UINT kTrackerBitmap = 310;

// Registers the drawings of the shared cursors and the bitmap as resources.
void RegisterTrackerCursors();
class CBitmap;
class CDesignItem;
class CWorkbenchView;

// Results of the move loop.
enum
{
  trkMoved = 0,
  trkNotMoved = 1,
  trkCancelled = 2
};

class CTracker : public CObject
{
  DECLARE_DYNAMIC(CTracker)
public:
  CTracker(CWorkbenchView* pView, CDesignItem* pItem) : m_pView(pView), m_pItem(pItem) {}

  // Loads the shared cursors once at start-up; a cursor that cannot be loaded stays none.
  static void LoadResources();
  // Destroys them at exit.
  static void FreeResources();
  // A shared cursor by its resource id; none before LoadResources.
  static HCURSOR GetSharedCursor(UINT nID);
  // The shared bitmap; none before LoadResources.
  static CBitmap* GetSharedBitmap();
  static void DeleteSharedBitmap();

  virtual void Draw(CDC* pDC);
  virtual void DrawMovedHandles(BOOL bDraw);
  virtual void Invalidate();
  virtual int HitTestHandle(const CVRX2DPoint& point);
  virtual int Track(const CVRX2DPoint& start, CVRX2DVector* pOffset);
  virtual BOOL Resize(int handle, const CVRX2DPoint& start, CVRX2DVector* pOffset);
  // Draws the feedback once more (erasing it when it was on screen).
  virtual void RedrawFeedback();
  // The same, then asks the running loop to recompute the feedback from the pointer.
  virtual void RedrawFeedbackAndNotify();
  virtual void DrawEntities(const CVRX2DEntityArray& entities);
  virtual HCURSOR GetCursor();
  virtual HCURSOR GetHandleCursor(int handle);
  virtual HCURSOR GetNotAllowedCursor();

  CWorkbenchView* GetView() const { return m_pView; }
  CDesignItem* GetItem() const { return m_pItem; }

protected:
  CWorkbenchView* m_pView;
  CDesignItem* m_pItem;
  CVRX2DEntityArray m_TrackEnts;
};

// Holds the trackers' shared resources from start-up to exit: making it loads them. The owner
// frees the cursors (FreeResources) before deleting the holder, which deletes the bitmap.
class CTrackerResources
{
public:
  CTrackerResources();
  ~CTrackerResources();
  CTrackerResources(const CTrackerResources&) = delete;
  CTrackerResources& operator=(const CTrackerResources&) = delete;
};

class CItemTracker : public CTracker
{
  DECLARE_DYNAMIC(CItemTracker)
public:
  using CTracker::CTracker;

  void Draw(CDC* pDC) override;
  void DrawMovedHandles(BOOL bDraw) override;
  void Invalidate() override;
  int HitTestHandle(const CVRX2DPoint& point) override;
  int Track(const CVRX2DPoint& start, CVRX2DVector* pOffset) override;
  BOOL Resize(int handle, const CVRX2DPoint& start, CVRX2DVector* pOffset) override;
  void RedrawFeedback() override;
  HCURSOR GetCursor() override;
  HCURSOR GetHandleCursor(int handle) override;

  // The handle cursor for a handle's code, the set of sides it moves.
  static HCURSOR CursorForCode(int code);
  static CRect MakeHandleRect(int x, int y, int width, int height);
  // The 7 by 7 rectangle of a sizing handle, in client pixels.
  CRect GetHandleRect(int handle) const;
  // The rectangle around every handle; empty without handles.
  CRect GetHandlesBounds() const;

private:
  // The handle's rectangle through a mapping taken once for all the handles of a call.
  static CRect HandleRect(const CWorldToClient& toClient, const CSizingHandle& handle);

  friend class CMoveLoopClient;
  friend class CResizeLoopClient;
  // What RedrawFeedback draws: the move image or the resize outline.
  BOOL m_bResizing = FALSE;

protected:
  // Whether the last move ended with the button let go where the item refused to go; the move
  // then keeps the last offset the item accepted.
  BOOL m_bDropRefused = FALSE;
};

class CUnitTracker : public CItemTracker
{
  DECLARE_DYNAMIC(CUnitTracker)
public:
  using CItemTracker::CItemTracker;
};

class CLineSegmentTracker : public CItemTracker
{
  DECLARE_DYNAMIC(CLineSegmentTracker)
public:
  using CItemTracker::CItemTracker;
};

// A select line shows no handles, and its feedback is solid.
class CSelectLineTracker : public CItemTracker
{
  DECLARE_DYNAMIC(CSelectLineTracker)
public:
  using CItemTracker::CItemTracker;
  void Draw(CDC* pDC) override;
  void DrawEntities(const CVRX2DEntityArray& entities) override;
};

// Every handle of a guideline shows the cursor of the guideline's direction.
class CGuidelineTracker : public CItemTracker
{
  DECLARE_DYNAMIC(CGuidelineTracker)
public:
  using CItemTracker::CItemTracker;
  HCURSOR GetHandleCursor(int handle) override;
  // A guideline let go where it is refused stays where it was: the last place accepted may lie
  // on the square's edge, far from where the drag ended.
  int Track(const CVRX2DPoint& start, CVRX2DVector* pOffset) override;
};

// A line that moves perpendicular to itself only: a horizontal line moves up and down, a
// vertical one left and right. It has no handles; its feedback is a dotted inverted line.
class CLineTracker : public CTracker
{
  DECLARE_DYNAMIC(CLineTracker)
public:
  CLineTracker(CWorkbenchView* pView, CDesignItem* pItem, BOOL bHorizontal);

  void Invalidate() override {}
  int Track(const CVRX2DPoint& start, CVRX2DVector* pOffset) override;
  void RedrawFeedback() override;
  HCURSOR GetCursor() override { return nullptr; }
  BOOL IsHorizontal() const { return m_bHorizontal; }
  // The cursor while the line is dragged.
  HCURSOR GetDragCursor() const;
  // Zeroes the component of an offset along the line.
  CVRX2DVector Constrain(const CVRX2DVector& v) const;

private:
  friend class CLineLoopClient;
  // Inverts the first entity of the tracker's array, a line, on the view.
  void DrawLine();

  BOOL m_bHorizontal;
  COLORREF m_color = RGB(0, 0, 0);
  BOOL m_bLineDrawn = FALSE;
};

class CSelectorTracker : public CLineTracker
{
  DECLARE_DYNAMIC(CSelectorTracker)
public:
  using CLineTracker::CLineTracker;
};
