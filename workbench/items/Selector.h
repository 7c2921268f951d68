#pragma once
// The selectors: the items with which the user tells the drawing views what to show. The plan
// selector is a bar across the Workbench at the height where the plan section is cut; a detail
// selector is a short line across one side of a unit or across the facing sides of two units;
// the select line shows the line being drawn while the user drags out a detail selection.
// Selectors live in the view's selector list and are never stored with the design.
#include <memory>

#include "document/Docviews.h"
#include "geometry/2dline.h"
#include "model/Dtlspec.h"
#include "ui/draw/Gdi.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/items/Lineitem.h"

class CFont;
class CJoinItem;
class CUnitItem;

class CSelectorItem : public CDesignItem
{
  DECLARE_DYNAMIC(CSelectorItem)
public:
  explicit CSelectorItem(const CVRX2DVector& position);
  CSelectorItem(const CSelectorItem& source);
  ~CSelectorItem() override;

  // A copy as a plain selector.
  CDesignItem* Clone() const override;

protected:
  CSelectorItem(int itemType, const CVRX2DVector& position);
};

class CPlanSelectorItem : public CSelectorItem
{
  DECLARE_DYNAMIC(CPlanSelectorItem)
public:
  explicit CPlanSelectorItem(const CVRX2DVector& position);
  ~CPlanSelectorItem() override;

  COLORREF GetColor() const override { return m_LineColor; }
  void SetColor(COLORREF color) override { m_LineColor = color; }
  void Select(CWorkbenchView* pView) override;
  void Invalidate(CWorkbenchView* pView) override;
  void Draw(CDC* pDC, CWorkbenchView* pView) override;
  BOOL Move(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  void Offset(const CVRX2DVector& v) override;
  BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  void Edit(CWorkbenchView* pView) override;

  virtual void InvalidateLabel(CWorkbenchView* pView);
  virtual void GetWindowLine(CPoint& start, CPoint& end, CWorkbenchView* pView);
  virtual CRect GetBarRect(CWorkbenchView* pView);
  virtual CRect GetLabelRect(CWorkbenchView* pView);
  virtual CRect CalcLabelRect(CDC* pDC, CWorkbenchView* pView);

  // The label font for the view's screen; the caller deletes it.
  static CFont* CreateLabelFont(CWorkbenchView* pView);
  // Half the bar lies above the line.
  static constexpr int kBarHeight = 9;

private:
  CString m_strLabel;
  COLORREF m_LineColor;
  COLORREF m_FillColor;
  std::unique_ptr<CPen> m_pLinePen;
  std::unique_ptr<CPen> m_pFillPen;
  std::unique_ptr<CBrush> m_pFillBrush;
};

// Detail kinds.
enum
{
  dkOneSide = 0,
  dkTwoSides = 1,
  dkJoiningSituation = 2
};

class CDetailSelectorItem : public CSelectorItem, public CDetailSelection
{
  DECLARE_DYNAMIC(CDetailSelectorItem)
public:
  // With both units and a join item the joining situation of that join: the join item must join
  // both units, and the two sides' specifications must be oriented 0 and 1 in either order;
  // otherwise CAppException.
  CDetailSelectorItem(const CVRX2DLine& line, CUnitItem* pFirstUnit, int firstComponent, CUnitItem* pSecondUnit,
                      int secondComponent, double offset, CJoinItem* pJoinItem);
  CDetailSelectorItem(const CDetailSelectorItem& source);
  ~CDetailSelectorItem() override;

  CDesignItem* Clone() const override;
  COLORREF GetColor() const override { return m_Color; }
  void SetColor(COLORREF color) override { m_Color = color; }
  void Select(CWorkbenchView* pView) override;
  void Deselect(CWorkbenchView* pView) override;
  void Invalidate(CWorkbenchView* pView) override;
  void Draw(CDC* pDC, CWorkbenchView* pView) override;
  BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  void Delete(CWorkbenchView* pView) override;

  virtual CRect GetEndMarkRect(CWorkbenchView* pView);

  // What the detail view reads.
  int GetDetailKind() const override { return m_nDetailKind; }
  CDetailSpecification GetFirstDetailSpec() const override { return m_FirstSpec; }
  CDetailSpecification GetSecondDetailSpec() const override { return m_SecondSpec; }
  CDetailSpecification GetJoinDetailSpec() const override { return m_JoinSpec; }
  // GetOffset is the item position of every design item; this is the detail's offset.
  double GetDetailOffset() const override { return m_dOffset; }
  double GetJoinSideSpacing() const override { return m_dJoinSideSpacing; }
  CUnit* GetFirstUnit() const override;
  CUnit* GetSecondUnit() const override;
  CJoin* GetSelectedJoin() const override;
  CDetailSelection* CloneSelection() const override { return new CDetailSelectorItem(*this); }
  CUnitItem* GetFirstUnitItem() const { return m_pFirstUnitItem; }
  CUnitItem* GetSecondUnitItem() const { return m_pSecondUnitItem; }
  CJoinItem* GetJoinItem() const { return m_pJoinItem; }
  CVRX2DLine GetSelectorLine() const { return m_Line; }
  BOOL IsSelectorSelected() const { return m_bSelected; }

private:
  void MakeJoiningSituation(CUnitItem* pFirstUnit, int firstComponent, CUnitItem* pSecondUnit, int secondComponent,
                            CJoinItem* pJoinItem);

  int m_nDetailKind = dkOneSide;
  CUnitItem* m_pFirstUnitItem = nullptr;
  CUnitItem* m_pSecondUnitItem = nullptr;
  CJoinItem* m_pJoinItem = nullptr;
  CDetailSpecification m_FirstSpec;
  CDetailSpecification m_SecondSpec;
  CDetailSpecification m_JoinSpec;
  // Kinds 0 and 1 give these no meaning; they read 0.
  double m_dOffset = 0.0;
  double m_dJoinSideSpacing = 0.0;
  BOOL m_bSelected = FALSE;
  CVRX2DLine m_Line;
  std::unique_ptr<CPen> m_pPen;
  std::unique_ptr<CBrush> m_pBrush;
  COLORREF m_Color;
};

class CSelectLineItem : public CLineSegmentItem
{
  DECLARE_DYNAMIC(CSelectLineItem)
public:
  explicit CSelectLineItem(const CVRX2DVector& position);
  CSelectLineItem(const CSelectLineItem& source);
  ~CSelectLineItem() override;

  CDesignItem* Clone() const override;
  // Its own tracker, and the line's size in the status bar as a line segment shows it.
  void Select(CWorkbenchView* pView) override;
  int AdjustPos(int handle, CVRX2DVector& v, CVRX2DEntityArray& out, CWorkbenchView* pView) override;
};
