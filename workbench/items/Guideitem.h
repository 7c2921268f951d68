#pragma once
// A guideline: a straight construction line across the Workbench square, vertical, horizontal or
// angled, optionally a band with an edge line on each side at half its width. Its lines are
// clipped to the square; its offset is kept at the middle of the clipped centre line. Angled
// guidelines turn about one handle while the other is dragged.
#include "geometry/2dline.h"
#include "workbench/items/Dsgnitem.h"

class CDesign;

class CGuidelineItem : public CDesignItem
{
  DECLARE_SERIAL(CGuidelineItem)
public:
  CGuidelineItem();
  CGuidelineItem(const CVRXAngle& angle, double width, const CVRX2DVector& offset, CDesign* pDesign);

  void Serialize(CArchive& ar) override;
  // A guideline cannot be copied by cloning: always throws CAppException.
  CDesignItem* Clone() const override;
  double GetHeight() const override { return 0.0; }
  double GetWidth() const override { return 0.0; }
  double GetSpacingExtent(BOOL bHorizontal, int part) const override;
  BOOL CanSpaceEvenly(BOOL bHorizontal, BOOL* pbCancel) override;
  COLORREF GetColor() const override;
  void SetColor(COLORREF color) override;
  CSizingHandleArray* GetSizingHandles(CWorkbenchView* pView) override;
  CString GetDescription() override;
  void Select(CWorkbenchView* pView) override;
  void Deselect(CWorkbenchView* pView) override;
  void Invalidate(CWorkbenchView* pView) override;
  void Draw(CDC* pDC, CWorkbenchView* pView) override;
  void DrawHandles(CDC* pDC, CWorkbenchView* pView) override;
  // A moving guideline snaps to the points of the other guidelines, never to its own lines.
  void StartMove(CWorkbenchView* pView) override;
  BOOL Move(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  BOOL CanMoveTo(const CVRX2DVector& v) const override;
  BOOL GetMoveBox(CVRX2DPoint&, CVRX2DPoint&) const override { return FALSE; }
  void DrawTrackEntities(CWorkbenchView* pView) override;
  // A guideline draws its image on a DC of its own, as it always does.
  void DrawTrackEntities(CWorkbenchView* pView, CTrackerTranslator& translator) override;
  void Offset(const CVRX2DVector& v) override;
  BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  int HitTestHandle(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  CVRX2DPoint GetHandlePoint(int handle, CWorkbenchView* pView) override;
  BOOL Resize(int handle, const CVRX2DPoint& point, CWorkbenchView* pView) override;
  int AdjustPos(int handle, CVRX2DVector& v, CVRX2DEntityArray& out, CWorkbenchView* pView) override;
  void Edit(CWorkbenchView* pView) override;
  void GenerateMoveTrackEntities(const CVRX2DVector& v) override;
  BOOL IsMoveImageItsOutline() const override { return FALSE; }

  virtual BOOL IsHorizontal() const;
  virtual BOOL IsVertical() const;
  virtual BOOL IsAngled() const;
  virtual void SetGuidelineWidth(double width);
  virtual double GetGuidelineWidth() const { return m_dGuidelineWidth; }
  virtual void SetSnapToCenter(int snap);
  virtual int GetSnapToCenter() const { return m_nSnapToCenter; }
  virtual int GetHandleCount() const;
  virtual void Rotate(const CVRXAngle& delta, const CVRX2DPoint& point);
  // Keeps the angle at least the axis band away from the axes; TRUE when it changed it.
  virtual BOOL KeepAngleOffAxes(CVRXAngle& angle);
  virtual void GenerateEntities(const CVRX2DVector& offset, const CVRXAngle& angle);

  void Regenerate();
  // The line through p at angle a between its two crossings of the Workbench square; FALSE,
  // with the line untouched, when the line does not cross the square at two distinct points.
  static BOOL MakeClippedLine(CVRX2DLine& line, const CVRX2DPoint& p, const CVRXAngle& a);
  // The distinct crossings of the unbounded line with the square's sides, at most two.
  static int IntersectWorkbenchSquare(const CVRX2DLine& direction, CVRX2DPointArray& points);
  CVRX2DLine GetCenterLine() const;
  // The middle of the centre line as last drawn; the offset while nothing was drawn since the
  // guideline last moved or turned.
  CVRX2DPoint GetVisibleMidpoint() const;
  void SetGeometry(const CVRXAngle& angle, const CVRX2DVector& offset);
  void EditProperties(CWorkbenchView* pView, UINT nStartPage);
  // The visible part of a line in client pixels; FALSE when none of it is shown.
  BOOL LineToClient(CPoint& p1, CPoint& p2, const CVRX2DLine& line, CWorkbenchView* pView) const;
  static CRect MakeHandleBox(int x, int y);
  void DrawHandleBoxes(CDC* pDC, CWorkbenchView* pView);

  // The class-wide line and edge colours, set from the preferences at start-up.
  static void SetDefaultColors(COLORREF line, COLORREF edge);

private:
  // The design length of the handle inset at the view's scale.
  double InsetLength(CWorkbenchView* pView) const;
  void InvalidateHandles(CWorkbenchView* pView);

  double m_dGuidelineWidth = 0.0;
  int m_nSnapToCenter = 1;
  CVRX2DPoint m_ptVisibleMidpoint;
  BOOL m_bVisibleMidpointKnown = FALSE;
  CVRX2DPoint m_ptRotationPivot;
  CVRX2DPoint m_ptRotationGrab;
  // Whether the inverted image of a turn by a handle is on the view: only an image drawn is
  // inverted again to take it away.
  BOOL m_bTurnShown = FALSE;
};
