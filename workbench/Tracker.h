#pragma once
// Trackers give an item its interactive behaviour: its sizing handles on screen and the modal
// drag loops that move it or drag one of its handles, with inverted feedback while the button is
// held. The loops ask the view for the snapped position at every step.
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "geometry/Entity.h"
#include "platform/core/Rect.h"

class CDC;
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

  CWorkbenchView* GetView() const { return m_pView; }
  CDesignItem* GetItem() const { return m_pItem; }

protected:
  CWorkbenchView* m_pView;
  CDesignItem* m_pItem;
  CVRX2DEntityArray m_TrackEnts;
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

  static CRect MakeHandleRect(int x, int y, int width, int height);
  // The 7 by 7 rectangle of a sizing handle, in client pixels.
  CRect GetHandleRect(int handle) const;

private:
  friend class CMoveLoopClient;
  friend class CResizeLoopClient;
  // What RedrawFeedback draws: the move image or the resize outline.
  BOOL m_bResizing = FALSE;
};

class CUnitTracker : public CItemTracker
{
  DECLARE_DYNAMIC(CUnitTracker)
public:
  using CItemTracker::CItemTracker;
};
