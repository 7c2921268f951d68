#pragma once
// A design item made of one straight line with a sizing handle at each end: the common base of
// the join item and of the selector line. Its line is outline entity 0; handle 0 sits at the
// line's start, handle 1 at its end.
#include "workbench/items/Dsgnitem.h"

class CVRX2DLine;

class CLineSegmentItem : public CDesignItem
{
  DECLARE_SERIAL(CLineSegmentItem)
public:
  CLineSegmentItem();
  CLineSegmentItem(const CLineSegmentItem& source);
  ~CLineSegmentItem() override;

  void Serialize(CArchive& ar) override;
  CDesignItem* Clone() const override;
  CString GetDescription() override;
  void Select(CWorkbenchView* pView) override;
  void Deselect(CWorkbenchView* pView) override;
  void Invalidate(CWorkbenchView* pView) override;
  void Draw(CDC* pDC, CWorkbenchView* pView) override;
  void DrawHandles(CDC* pDC, CWorkbenchView* pView) override;
  BOOL Move(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  int HitTestHandle(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  CVRX2DPoint GetHandlePoint(int handle, CWorkbenchView* pView) override;
  BOOL Resize(int handle, const CVRX2DPoint& point, CWorkbenchView* pView) override;
  int AdjustPos(int handle, CVRX2DVector& v, CVRX2DEntityArray& out, CWorkbenchView* pView) override;
  void Edit(CWorkbenchView* pView) override;

  // A copy of outline entity 0; throws CAppFatalException when there is no line there.
  virtual CVRX2DLine GetLine() const;
  // The description, or an empty text, into the status bar's item pane.
  void DisplaySizeInfo(CWorkbenchView* pView, BOOL bShow);

protected:
  explicit CLineSegmentItem(int itemType);
  // Outline entity 0 and the two sizing handles at its ends.
  void SetUpLine(const CVRX2DLine& line);
  // The point-comparison tolerance widened to 5 device units while `entity` is tested.
  static BOOL ContainsWithinReach(const CVRX2DEntity& entity, const CVRX2DPoint& point, CWorkbenchView* pView);
};
