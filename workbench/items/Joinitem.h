#pragma once
// The design item of one join between two unit items: a line between the units, parallel to the
// joined sides, drawn as a short marker across it with the join type's two-letter code. It owns
// the product join and records, for each side, the unit item, the index of the joined perimeter
// line among the unit item's component outlines, its product id and its spacing.
#include <memory>

#include "workbench/items/Lineitem.h"

class CFont;
class CJoin;
class CUnitItem;

// One side of a join; empty while it has no unit item.
class CJoinSide : public CObject
{
public:
  CJoinSide() = default;
  CJoinSide(const CJoinSide&) = default;
  CJoinSide& operator=(const CJoinSide&) = default;

  void Serialize(CArchive& ar) override;
  BOOL IsEmpty() const { return m_pUnitItem == nullptr; }

  CUnitItem* m_pUnitItem = nullptr;
  int m_nComponentIndex = -1;
  int m_nComponentID = 0;
  float m_fSpacing = 0.0f;
};

class CJoinItem : public CLineSegmentItem
{
  DECLARE_SERIAL(CJoinItem)
public:
  CJoinItem();
  // Shows "Failed to create CJoin object." and keeps the item without a join when the join
  // tables do not know the type or the pair.
  CJoinItem(const CVRX2DPoint& start, const CVRX2DPoint& end, int joinType, int firstID, int secondID);
  CJoinItem(const CJoinItem& source);
  ~CJoinItem() override;

  void Serialize(CArchive& ar) override;
  CDesignItem* Clone() const override;
  BOOL CanSpaceEvenly(BOOL bHorizontal, BOOL* pbCancel) override;
  int GetOutlineEntityRefs(CObArray& refs) override;
  CString GetDescription() override;
  void Select(CWorkbenchView* pView) override;
  void Deselect(CWorkbenchView* pView) override;
  void Invalidate(CWorkbenchView* pView) override;
  BOOL GetClientRect(CRect& rect, CWorkbenchView* pView) override;
  void Draw(CDC* pDC, CWorkbenchView* pView) override;
  void DrawHandles(CDC* pDC, CWorkbenchView* pView) override;
  BOOL Move(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  void Edit(CWorkbenchView* pView) override;
  void Add(CWorkbenchView* pView) override;
  void Delete(CWorkbenchView* pView) override;
  void GetJoinedItems(const CDesignItem*& pFirst, const CDesignItem*& pSecond) const override;

  CJoin* GetJoin() const { return m_pJoin.get(); }
  void GetUnitItems(CUnitItem*& pFirst, CUnitItem*& pSecond) const;
  // Throws CAppFatalException for a unit item on neither side.
  void GetSide(const CUnitItem* pUnitItem, CJoinSide& side) const;
  const CJoinSide& GetFirstSide() const { return m_FirstSide; }
  const CJoinSide& GetSecondSide() const { return m_SecondSide; }
  double GetTotalSpacing() const;
  double GetFirstSpacing() const { return m_FirstSide.m_fSpacing; }
  double GetSecondSpacing() const { return m_SecondSide.m_fSpacing; }
  BOOL JoinsUnit(const CUnitItem* pUnitItem) const;
  // Side 1 or 2; every check that fails throws CAppFatalException.
  void AddUnit(int side, CUnitItem* pUnitItem, int componentIndex, int componentID, float spacing);
  // Lays the join line from start to end, with its marker across the line's middle: where the
  // join is made, and again where its units still stand joined over another stretch.
  void LayAlong(const CVRX2DPoint& start, const CVRX2DPoint& end);
  // Re-reads the two spacings after the join type changed.
  void UpdateCJoinInfo();
  // Moves the units after the total spacing changed: 0 the unit with the label, 1 the other,
  // 2 both by half, each with the units joined on to it beyond the join; the join item moves
  // half the change with a unit that moves alone. FALSE, with nothing moved and the refusal
  // told in the user's words, when a unit would leave the Workbench square or end inside
  // another, or the two units are held together otherwise.
  BOOL RepositionUnits(int mode, double previousTotal, CWorkbenchView* pView, CString& refusal);
  void DisplaySizeInfo(CWorkbenchView* pView, BOOL bShow);

  // The program-wide marker colour and bold font, set at start-up.
  static void SetMarkerColor(COLORREF color);
  static COLORREF GetMarkerColor();
  static void SetMarkerFont(CFont* pFont);

private:
  CVRX2DLine GetMarkerLine() const;
  // The client rectangles of the marker line and of its code.
  void MarkerRects(CWorkbenchView* pView, CRect& line, CRect& text) const;
  void DrawMarkerText(CDC* pDC, CWorkbenchView* pView, BOOL bSelected);

  CJoinSide m_FirstSide;
  CJoinSide m_SecondSide;
  std::unique_ptr<CJoin> m_pJoin;
};
