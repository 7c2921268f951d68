#pragma once
// The design item of one window or door unit: it names its unit by type and subtype, makes the
// unit lazily from that key and its stored attribute string, and turns the unit's geometry into
// its drawing, outline, alignment entities and sizing handles.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Array.h"
#include "views/Drawlist.h"
#include "workbench/items/Dsgnitem.h"

class CAlignmentEntity;
class CScaleViewTranslator;
class CScheduleReportDataArray;
class CUnit;
class CUnitInfoReportDataArray;
struct CUnitDrawing;
struct CUnitShape;
class CVRX2DLine;

class CUnitItem : public CDesignItem
{
  DECLARE_SERIAL(CUnitItem)
public:
  CUnitItem();
  CUnitItem(const CString& type, const CString& subtype);
  CUnitItem(const CUnitItem& source);
  ~CUnitItem() override;

  void Serialize(CArchive& ar) override;
  CDesignItem* Clone() const override;
  int GetOutlineEntityRefs(CObArray& refs) override;
  CString GetDescription() override;
  BOOL GetClientRect(CRect& rect, CWorkbenchView* pView) override;
  void Select(CWorkbenchView* pView) override;
  void Deselect(CWorkbenchView* pView) override;
  void Invalidate(CWorkbenchView* pView) override;
  void Draw(CDC* pDC, CWorkbenchView* pView) override;
  // Not virtual: a call through the unit's table would read the unit, and wait for it, before
  // a fetch is started.
  void PrefetchDrawingHolder() const;
  void PrefetchDrawing() const override;
  void DrawHandles(CDC* pDC, CWorkbenchView* pView) override;
  void StartMove(CWorkbenchView* pView) override;
  BOOL Move(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  void Offset(const CVRX2DVector& v) override;
  BOOL HitTest(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  int HitTestHandle(const CVRX2DPoint& point, CWorkbenchView* pView) override;
  CVRX2DPoint GetHandlePoint(int handle, CWorkbenchView* pView) override;
  void StartResize(CWorkbenchView* pView) override;
  BOOL Resize(int handle, const CVRX2DPoint& point, CWorkbenchView* pView) override;
  int AdjustPos(int handle, CVRX2DVector& v, CVRX2DEntityArray& out, CWorkbenchView* pView) override;
  // Shows the "Unit Properties" sheet; a unit the sheet cannot edit is reported, not fatal.
  void Edit(CWorkbenchView* pView) override;
  void Delete(CWorkbenchView* pView) override;

  virtual CString GetType() const { return m_strType; }
  virtual CString GetSubtype() const { return m_strSubtype; }
  // Makes the unit on first use; throws CUnitException when no unit can be made.
  virtual CUnit* GetUnit();
  virtual BOOL IsHandleMoved(int handle) const;

  BOOL HasUnit() const { return m_pUnit != nullptr; }
  // The unit's attributes as of its last change: what a store writes.
  CString GetAttributeString() const { return m_strAttributes; }
  // After every change of the unit: derives the item from it again and takes its attributes.
  void UpdateUnitInfo();
  void BreakAllJoins(CWorkbenchView* pView);
  BOOL IntersectComponent(const CVRX2DLine& line, int* pIndex, CVRX2DPoint* pPoint);
  CVRX2DEntityArray* GetComponentOutlines() { return &m_ComponentOutlines; }
  CObArray* GetPComponentOutlines() { return &m_POutlines; }
  // The elevation drawing at the item's place.
  CVRX2DEntityArray GetElevationEntities() const;
  // The elevation drawing at the origin, read in place, as the item draws it moved by its
  // offset; empty while the item has no unit.
  const CVRX2DEntityArray& GetElevationDrawing() const;
  CVRX2DVector GetElevationOrigin() const { return m_vElevationOrigin; }
  void GetSnapPoints(CVRX2DPointArray& points) const;
  BOOL GetReportData(CUnitInfoReportDataArray& records);
  BOOL GetReportData(CScheduleReportDataArray& rows);
  // Gives the entry of the alignment line at place `alignment` the indices of the component
  // outlines that lie on that line. The lines stay the unit's own: copying them into the entries
  // of thousands of units at each move or paste cost more than a join search looking them up.
  void CollectColinearSides(CAlignmentEntity& entry, int alignment);
  // The unit's size in status pane 1, shown while it is selected and after each size change.
  void DisplaySizeInfo(CWorkbenchView* pView);
  // The text pane 1 shows for the unit.
  CString GetSizeInfo();

private:
  // Whether the unit at its proposed size stands inside the square.
  BOOL ProposalInSquare();
  // With bKeepPrototype the unit, just made from the stored attributes, is kept for the next
  // item of the same attributes.
  void DeriveFromUnit(BOOL bKeepPrototype);
  // What the item derives from its unit, at the origin: handles, outlines, drawing, alignment
  // lines (not yet extended) and extents.
  void DeriveShape(const CUnit& unit);
  CUnitShape MakeShape() const;
  void TakeShape(const CUnitShape& shape);
  // Moves the derived shape to the item's place and extends its alignment lines.
  void PlaceShape();
  // Draws the perimeter sides that lie on other items' alignment lines in the highlight colour.
  void DrawSnapHighlights(CScaleViewTranslator& translator, CWorkbenchView* pView);
  // The snap highlights are worked out again from the next drawing on, whatever the tables did
  // meanwhile: the one way to drop them, for a move and for a new shape alike (a side kept lit
  // would be drawn where it was).
  void ForgetSnapHighlights();
  const std::vector<UINT>& ColinearSides();
  CString Key() const { return m_strType + m_strSubtype; }

  // What a redraw reads of every unit beyond the item's place and size comes first, one after
  // the other: the units of a large design lie all over memory, and each further place read in
  // a unit cost the redraw one more fetch per unit, the more where other processes held memory.
  // The elevation drawing at the origin, drawn moved by the item's offset; shared with the kept
  // unit it was copied from, so never changed here.
  std::shared_ptr<const CUnitDrawing> m_pElevation;
  CVRX2DVector m_vElevationOrigin;
  // The highlighted sides as found at the Workbench's snap revision m_nHighlightRevision (0:
  // not found since the sides last changed). Looking them up in the alignment tables for every
  // unit of every redraw cost more than drawing them.
  std::uint64_t m_nHighlightRevision = 0;
  // The view whose tables gave them, and which sides (by place in m_POutlines) they are.
  const CWorkbenchView* m_pHighlightView = nullptr;
  CDrawList m_SnapHighlights;
  std::vector<char> m_HighlightedSides;
  CString m_strType;
  CString m_strSubtype;
  CString m_strAttributes;
  std::unique_ptr<CUnit> m_pUnit;
  CVRX2DEntityArray m_ComponentOutlines;
  // The perimeter sides among the component outlines: the same objects, not owned.
  CObArray m_POutlines;
  // Which component outlines lie on each alignment line: for the line at place i, the indices
  // held from m_ColinearSides[i] up to m_ColinearSides[i + 1]. Worked out once for a shape
  // (empty until then): a move leaves it as it is, and a moved or pasted selection files
  // thousands of units anew.
  std::vector<UINT> m_ColinearSides;
  int m_nCurrentHandle = -1;
  CDWordArray m_MovedHandles;
};
