#include "workbench/items/Unititem.h"

#include <algorithm>

#include "document/Doc.h"
#include "model/Entcat.h"
#include "project/DocServices.h"
#include "project/Stamp.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "model/Rptdata.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "platform/core/Archive.h"
#include "ui/frame/Frame.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/Wnd.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/items/Tracker.h"
#include "workbench/items/Unitproto.h"
#include "workbench/sheets/Unitsht.h"
#include "workbench/snap/Likalign.h"
#include "workbench/snap/Snapeng.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_SERIAL(CUnitItem, CDesignItem, VERSIONABLE_SCHEMA | 10000)

namespace {
constexpr const char* kModule = "Unititem";
constexpr int kNoUnitLine = 212;
constexpr int kResizeMode = 7;
// Handle codes: bits 1 and 2 move one pair of sides, bits 4 and 8 the other.
constexpr int kFirstPair = 3;
constexpr int kSecondPair = 12;

// The project of the active frame of the main window, if any.
CDoc* ActiveProject()
{
  CWnd* pMain = AfxGetMainWnd();
  auto* pFrame = dynamic_cast<CFrameWnd*>(pMain);
  CFrameWnd* pActive = pFrame ? pFrame->GetActiveFrame() : nullptr;
  return pActive ? dynamic_cast<CDoc*>(pActive->GetActiveDocument()) : nullptr;
}

int MeasurementUnits() { return GetDocServices().GetMeasurementUnits(); }

// The crossings of an entity with a line taken without end.
void CrossInfinite(const CVRX2DEntity& entity, const CVRX2DLine& line, CVRX2DPointArray& points)
{
  entity.IntersectLine(line, points);
}
}  // namespace

CUnitItem::CUnitItem() : CDesignItem(ditUnit)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("CUnitItem default construction \n");
}

CUnitItem::CUnitItem(const CString& type, const CString& subtype)
  : CDesignItem(ditUnit), m_strType(type), m_strSubtype(subtype)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)
  ("CUnitItem construction  type = %s   subtype = %s \n", type.c_str(), subtype.c_str());
}

CUnitItem::CUnitItem(const CUnitItem& source)
  : CDesignItem(source),
    m_strType(source.m_strType),
    m_strSubtype(source.m_strSubtype),
    m_strAttributes(source.m_strAttributes)
{
  if (source.m_pUnit) {
    m_pUnit.reset(source.m_pUnit->Clone());
    // The attributes came with the unit.
    DeriveFromUnit(FALSE);
  }
}

CUnitItem::~CUnitItem() { m_POutlines.RemoveAll(); }

CDesignItem* CUnitItem::Clone() const { return new CUnitItem(*this); }

void CUnitItem::Serialize(CArchive& ar)
{
  CDesignItem::Serialize(ar);
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    // The attributes are those the unit had at its last change: a catalogue overwritten or cut
    // short since would refuse them, or answer others, and the store would lose the design.
    if (m_pUnit && m_strAttributes.IsEmpty())
      m_strAttributes = m_pUnit->GetAttributes();
    PCTRACE(TT_SERIALIZATION, TL_DETAIL)("CUnit attributes to store: \n%s\n", m_strAttributes.c_str());
    ar << m_strType << m_strSubtype << m_strAttributes;
    return;
  }
  ar >> m_strType >> m_strSubtype >> m_strAttributes;
  PCTRACE(TT_SERIALIZATION, TL_DETAIL)("CUnit attributes from load: \n%s\n", m_strAttributes.c_str());
}

CUnit* CUnitItem::GetUnit()
{
  if (m_pUnit)
    return m_pUnit.get();
  // A unit of stored attributes is the same unit wherever it comes from; a new one takes the
  // project's option choices and is made afresh.
  const BOOL stored = !m_strAttributes.IsEmpty();
  if (stored) {
    const auto* pPrototype = CUnitPrototypes::Get().Find(m_strType, m_strSubtype, m_strAttributes);
    if (pPrototype) {
      m_pUnit.reset(pPrototype->unit->Clone());
      TakeShape(pPrototype->shape);
      PlaceShape();
      return m_pUnit.get();
    }
  }
  std::unique_ptr<CUnit> unit(MakeUnit(m_strType, m_strSubtype));
  if (!unit)
    throw CUnitException(kModule, kNoUnitLine);
  if (stored) {
    CString attributes = m_strAttributes;
    unit->SetAttributes(attributes);
  } else if (CDoc* pDoc = ActiveProject()) {
    unit->SetOptionChoices(pDoc->GetProjectPrefs().GetOptionsPrefs().GetChoicesByType(m_strType));
  }
  m_pUnit = std::move(unit);
  DeriveFromUnit(stored);
  if (!stored)
    m_strAttributes = m_pUnit->GetAttributes();
  return m_pUnit.get();
}

void CUnitItem::UpdateUnitInfo()
{
  DeriveFromUnit(FALSE);
  m_strAttributes = m_pUnit->GetAttributes();
}

void CUnitItem::DeriveFromUnit(BOOL bKeepPrototype)
{
  CUnit* pUnit = GetUnit();
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("Updating CUnit info for a %s. \n", Key().c_str());
  DeriveShape(*pUnit);
  if (bKeepPrototype) {
    // Worked out once here for every item copied from the kept unit.
    ColinearSides();
    CUnitPrototypes::Get().Keep(m_strType, m_strSubtype, m_strAttributes, *pUnit, MakeShape());
  }
  PlaceShape();
}

void CUnitItem::DeriveShape(const CUnit& unit)
{
  unit.GetSizingHandles(m_SizingHandles);
  m_OutlineEnts.RemoveAll();
  unit.GetProposedOutlineEntities(m_OutlineEnts);
  ForgetSnapHighlights();
  auto drawing = std::make_shared<CUnitDrawing>();
  // The drawing follows the unit alone, never a preference (the Elevation's Show Grilles or Show
  // Operation, say): it is kept with the unit for the like items made later and shared by all of
  // them (CUnitPrototypes), so a drawing that read one would go on showing what it was made under.
  unit.GetElevationEntities(2, TRUE, TRUE, drawing->entities);
  drawing->list.Assign(drawing->entities);
  m_pElevation = drawing;
  const CVRX2DRectangle extents = drawing->entities.GetExtents();
  m_vElevationOrigin = extents.GetMinPoint().AsVector();
  m_dHeight = extents.GetMaxPoint().GetY() - extents.GetMinPoint().GetY();
  m_dWidth = extents.GetMaxPoint().GetX() - extents.GetMinPoint().GetX();
  m_AlignmentEnts.RemoveAll();
  unit.GetPartOutlineEntities(m_AlignmentEnts);
  m_POutlines.RemoveAll();
  m_ComponentOutlines.RemoveAll();
  unit.GetOutlineEntities(m_ComponentOutlines);
  m_ColinearSides.clear();
}

CUnitShape CUnitItem::MakeShape() const
{
  CUnitShape shape;
  shape.handles = m_SizingHandles;
  shape.outline = m_OutlineEnts;
  shape.elevation = m_pElevation;
  shape.elevationOrigin = m_vElevationOrigin;
  shape.width = m_dWidth;
  shape.height = m_dHeight;
  shape.alignment = m_AlignmentEnts;
  shape.components = m_ComponentOutlines;
  shape.colinear = m_ColinearSides;
  return shape;
}

void CUnitItem::TakeShape(const CUnitShape& shape)
{
  m_SizingHandles = shape.handles;
  m_OutlineEnts = shape.outline;
  ForgetSnapHighlights();
  m_pElevation = shape.elevation;
  m_vElevationOrigin = shape.elevationOrigin;
  m_dWidth = shape.width;
  m_dHeight = shape.height;
  m_AlignmentEnts = shape.alignment;
  m_POutlines.RemoveAll();
  m_ComponentOutlines = shape.components;
  m_ColinearSides = shape.colinear;
}

const std::vector<UINT>& CUnitItem::ColinearSides()
{
  if (!m_ColinearSides.empty())
    return m_ColinearSides;
  const int count = m_AlignmentEnts.GetSize();
  std::vector<UINT> sides(static_cast<size_t>(count) + 1);
  std::vector<CVRXAngle> directions;
  for (int i = 0; i < count; ++i) {
    sides[static_cast<size_t>(i)] = static_cast<UINT>(sides.size());
    const CVRX2DEntity& entity = *m_AlignmentEnts[i];
    if (entity.GetType() != VRX_LINE || entity.GetCategory() != ecatPerimeterAlignment)
      continue;
    if (directions.empty())
      directions = CSnapEngine::LineDirections(m_ComponentOutlines);
    const auto& line = static_cast<const CVRX2DLine&>(entity);
    CSnapEngine::AppendColinearIndices(line, line.GetAngle(), m_ComponentOutlines, directions, sides);
  }
  sides[static_cast<size_t>(count)] = static_cast<UINT>(sides.size());
  m_ColinearSides = std::move(sides);
  return m_ColinearSides;
}

void CUnitItem::CollectColinearSides(CAlignmentEntity& entry, int alignment)
{
  // The runs' starts come first, one per alignment line and one for the end.
  const std::vector<UINT>& sides = ColinearSides();
  if (alignment < 0 || static_cast<size_t>(alignment) + 1 >= sides[0])
    return;
  for (UINT k = sides[static_cast<size_t>(alignment)]; k < sides[static_cast<size_t>(alignment) + 1]; ++k)
    entry.AddSide(sides[k]);
}

void CUnitItem::PlaceShape()
{
  for (int i = 0; i < m_ComponentOutlines.GetSize(); ++i)
    if (m_ComponentOutlines[i]->GetCategory() == ecatPerimeterOutline)
      m_POutlines.Add(m_ComponentOutlines[i]);
  const CVRX2DVector position = m_vOffset;
  m_vOffset = CVRX2DVector();
  if (position.GetLength() == 0.0) {
    // An item at the origin is moved by nothing; its lines still reach across the square.
    ExtendAlignmentEnts();
    RecomputeCenter();
    return;
  }
  Offset(position);
}

void CUnitItem::Offset(const CVRX2DVector& v)
{
  if (v.GetLength() == 0.0)
    return;
  CDesignItem::Offset(v);
  // The drawing stays at the origin and is drawn at the new offset; the snap highlights depend
  // on the neighbours, found again.
  m_ComponentOutlines.Transform(CVRX2DTransformationMatrix(v));
  ForgetSnapHighlights();
}

void CUnitItem::ForgetSnapHighlights() { m_nHighlightRevision = 0; }

CVRX2DEntityArray CUnitItem::GetElevationEntities() const
{
  CVRX2DEntityArray placed;
  if (m_pElevation) {
    placed = m_pElevation->entities;
    placed.Transform(CVRX2DTransformationMatrix(m_vOffset));
  }
  return placed;
}

const CVRX2DEntityArray& CUnitItem::GetElevationDrawing() const
{
  static const CVRX2DEntityArray none;
  return m_pElevation ? m_pElevation->entities : none;
}

int CUnitItem::GetOutlineEntityRefs(CObArray& refs)
{
  for (int i = 0; i < m_ComponentOutlines.GetSize(); ++i)
    refs.Add(new COutlineEntityRef(m_ComponentOutlines[i]->Clone(), this, i));
  refs.Add(new COutlineEntityRef(new CVRX2DLine(ecatCentrePoint, m_ptCenter, m_ptCenter), this, 0));
  return refs.GetSize();
}

CString CUnitItem::GetDescription() { return m_pUnit ? m_pUnit->GetSizeText(MeasurementUnits()) : CString(); }

BOOL CUnitItem::GetClientRect(CRect& rect, CWorkbenchView* pView)
{
  const CPoint p = pView->WorldToClient(CVRX2DPoint(m_vOffset.GetX() + m_vElevationOrigin.GetX(),
                                                    m_vOffset.GetY() + m_vElevationOrigin.GetY() + m_dHeight));
  const CSize size = pView->WorldToDevice(CVRX2DVector(m_dWidth, m_dHeight));
  rect.SetRect(p.x, p.y, p.x + size.cx, p.y + size.cy);
  rect.InflateRect(2, 2);
  return !rect.IsRectEmpty();
}

void CUnitItem::Select(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Selecting a %s. \n", Key().c_str());
  auto tracker = std::make_unique<CUnitTracker>(pView, this);
  // A paint pending over the handles draws them: a selection of many units made at once
  // would draw every handle twice.
  const BOOL pending = pView->IsWholePaintPending() || pView->IsPaintPending(tracker->GetHandlesBounds());
  SetTracker(std::move(tracker));
  if (!pending)
    CDesignItem::Select(pView);
  DisplaySizeInfo(pView);
}

void CUnitItem::DisplaySizeInfo(CWorkbenchView* pView)
{
  // The unit is made now; its text is worked out when the bar is given it.
  GetUnit();
  pView->SetSizePaneText(this);
}

CString CUnitItem::GetSizeInfo()
{
  const CString size = GetUnit()->GetSizeText(MeasurementUnits());
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("Unit size: %s\n", size.c_str());
  return size;
}

void CUnitItem::Deselect(CWorkbenchView* pView)
{
  CDesignItem::Deselect(pView);
  pView->SetPaneText(1, CString());
}

// The whole view holds the handles too.
void CUnitItem::Invalidate(CWorkbenchView* pView) { pView->Invalidate(TRUE); }

void CUnitItem::Draw(CDC* pDC, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)
  ("Draw() for a %s at (%8.3f, %8.3f). \n", Key().c_str(), m_vOffset.GetX(), m_vOffset.GetY());
  CScaleViewTranslator translator(pView->GetCategoryMap(), pDC, pView);
  if (m_pElevation)
    translator.TranslateMovedDrawList(m_pElevation->list, CVRX2DTransformationMatrix(m_vOffset));
  if (pView->GetSnapHighlights())
    DrawSnapHighlights(translator, pView);
}

// The unit's own places a redraw reads, from the place and size to the snap highlights' list,
// are fetched by their addresses alone: reading one to find the next would wait for memory.
void CUnitItem::PrefetchDrawingHolder() const
{
  __builtin_prefetch(&m_vOffset);
  __builtin_prefetch(&m_dWidth);
  __builtin_prefetch(&m_pElevation);
  __builtin_prefetch(&m_SnapHighlights);
}

void CUnitItem::PrefetchDrawing() const
{
  if (m_pElevation)
    m_pElevation->list.Prefetch();
  m_SnapHighlights.Prefetch();
}

void CUnitItem::DrawSnapHighlights(CScaleViewTranslator& translator, CWorkbenchView* pView)
{
  const std::uint64_t revision = pView->GetSnapRevision();
  if (revision != m_nHighlightRevision || pView != m_pHighlightView) {
    const auto sides = static_cast<size_t>(m_POutlines.GetSize());
    // Where entries were only filed since, a highlighted side stays highlighted: a paste into
    // a large design looks up the others only, and the list is made again only if one changed.
    const BOOL onlyFiled = m_nHighlightRevision != 0 && pView == m_pHighlightView &&
                           m_HighlightedSides.size() == sides && pView->SnapTablesOnlyFiledSince(m_nHighlightRevision);
    std::vector<char> lit(sides, 0);
    for (size_t i = 0; i < sides; ++i) {
      // The item's own entries would always answer yes: they count as switched off, without
      // walking the whole table twice for every unit drawn.
      lit[i] = (onlyFiled && m_HighlightedSides[i]) ||
               pView->IsOnAlignmentEntity(*static_cast<CVRX2DEntity*>(m_POutlines[static_cast<int>(i)]), this);
    }
    if (!onlyFiled || lit != m_HighlightedSides) {
      // The sides go into the list as they are, drawn in the highlight's category: a move of
      // thousands of units lights tens of thousands of sides anew.
      m_SnapHighlights.Clear();
      for (size_t i = 0; i < sides; ++i)
        if (lit[i])
          m_SnapHighlights.Add(*static_cast<CVRX2DEntity*>(m_POutlines[static_cast<int>(i)]), ecatSnapHighlight);
    }
    m_HighlightedSides = std::move(lit);
    m_nHighlightRevision = revision;
    m_pHighlightView = pView;
  }
  if (!m_SnapHighlights.Entries().empty())
    translator.TranslateDrawList(m_SnapHighlights);
}

void CUnitItem::DrawHandles(CDC* pDC, CWorkbenchView*)
{
  if (m_pTracker)
    m_pTracker->Draw(pDC);
}

void CUnitItem::StartMove(CWorkbenchView* pView)
{
  // The joins are kept aside, out of sight, while the unit is dragged.
  pView->DetachJoins(this);
}

void CUnitItem::StartResize(CWorkbenchView* pView) { pView->DetachJoins(this); }

BOOL CUnitItem::Move(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Move() on a %s. \n", Key().c_str());
  m_vTrack = CVRX2DVector();
  GenerateMoveTrackEntities(CVRX2DVector());
  CVRX2DVector offset;
  const int result = m_pTracker ? m_pTracker->Track(point, &offset) : trkNotMoved;
  BOOL answer = FALSE;
  // The joins come back: those that no longer stand where the unit ends go (AddJoin).
  pView->RestoreDetachedJoins();
  if (result == trkMoved) {
    Offset(m_vTrack);
    answer = TRUE;
  } else {
    answer = result == trkCancelled;
  }
  Invalidate(pView);
  if (m_pTracker)
    m_pTracker->Invalidate();
  pView->AddJoin();
  return answer;
}

BOOL CUnitItem::HitTest(const CVRX2DPoint& p, CWorkbenchView*)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("HitTest() at VRX point (%f, %f) \n", p.GetX(), p.GetY());
  if (p.GetX() < m_vOffset.GetX() || p.GetX() > m_vOffset.GetX() + m_dWidth || p.GetY() < m_vOffset.GetY() ||
      p.GetY() > m_vOffset.GetY() + m_dHeight)
    return FALSE;
  const CVRX2DLine across(0, CVRX2DPoint(-1.0, p.GetY()), CVRX2DPoint(1.0, p.GetY()));
  CVRX2DPointArray crossings;
  BOOL tangent = FALSE;
  for (int i = 0; i < m_OutlineEnts.GetSize(); ++i) {
    const CVRX2DEntity& e = *m_OutlineEnts[i];
    if (e.Contains(p)) {
      PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("HitTest: Hit directly on perimeter entity.\n");
      return TRUE;
    }
    CVRX2DPointArray points;
    CrossInfinite(e, across, points);
    if (points.GetSize() == 0)
      continue;
    const int type = e.GetType();
    if ((type == VRX_ARC || type == 1 || type == 7) && points.GetSize() == 1)
      tangent = TRUE;
    for (int j = points.GetSize() - 1; j >= 0; --j)
      if (!e.Contains(*points[j]))
        points.RemoveAt(j);
    for (int j = 0; j < points.GetSize(); ++j)
      crossings.Add(new CVRX2DPoint(*points[j]));
  }
  // Keep the outermost two crossings.
  while (crossings.GetSize() > 2) {
    const double a = crossings[0]->GetX();
    const double b = crossings[1]->GetX();
    const double c = crossings[2]->GetX();
    if (c < std::min(a, b))
      crossings.RemoveAt(b < a ? 1 : 0);
    else if (c <= std::max(a, b))
      crossings.RemoveAt(2);
    else
      crossings.RemoveAt(b > a ? 1 : 0);
  }
  BOOL hit = FALSE;
  if (crossings.GetSize() == 2) {
    const CVRX2DPoint& first = *crossings[0];
    const CVRX2DPoint& second = *crossings[1];
    const BOOL firstIsLeft = first.IsLeftOf(second);
    const CVRX2DPoint& left = firstIsLeft ? first : second;
    const CVRX2DPoint& right = firstIsLeft ? second : first;
    hit = left.IsLeftOf(p) && p.IsLeftOf(right);
  } else if (crossings.GetSize() == 1) {
    hit = tangent;
  }
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("HitTest()  hit = %s \n", hit ? "TRUE" : "FALSE");
  return hit;
}

int CUnitItem::HitTestHandle(const CVRX2DPoint& point, CWorkbenchView*)
{
  return m_pTracker ? m_pTracker->HitTestHandle(point) : -1;
}

CVRX2DPoint CUnitItem::GetHandlePoint(int handle, CWorkbenchView*)
{
  PCTRACE(TT_DOCUMENT, TL_VERBOSE)("GetHandlePoint(%d) on a %s. \n", handle, Key().c_str());
  return m_SizingHandles[handle]->GetPoint();
}

BOOL CUnitItem::Resize(int handle, const CVRX2DPoint& point, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("Resize() on a CUnitItem. \n");
  CUnit* pUnit = GetUnit();
  m_nCurrentHandle = handle;
  pUnit->GetSidesMovedByHandle(handle, m_MovedHandles);
  if (m_pTracker)
    m_pTracker->DrawMovedHandles(TRUE);
  CVRX2DVector offset;
  BOOL resized = m_pTracker && m_pTracker->Resize(handle, point, &offset);
  CVRX2DVector shift;
  if (resized) {
    PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)
    ("Tracker returned TRUE from Resize;  vector = (%f, %f). \n", offset.GetX(), offset.GetY());
    resized = ProposalInSquare();
  }
  if (resized) {
    const CString sizeBefore = pUnit->GetAttributes();
    shift = pUnit->SetSizeToProposed();
    // A drag the unit's sizes did not follow changes nothing: its joins stay as they were rather
    // than being made again from the other unit's side, which would turn their markers and codes.
    resized = shift.GetLength() > 0.0 || pUnit->GetAttributes() != sizeBefore;
  }
  if (resized) {
    Invalidate(pView);
    m_vOffset += shift;
    UpdateUnitInfo();
    DisplaySizeInfo(pView);
    Invalidate(pView);
    pView->DeleteDetachedJoins();
    pView->AdjustPos(CVRX2DVector(), this, 1);
    pView->AddJoin();
  } else {
    pUnit->ResetProposedSize();
    if (m_pTracker)
      m_pTracker->DrawMovedHandles(FALSE);
    pView->RestoreDetachedJoins();
  }
  m_nCurrentHandle = -1;
  m_MovedHandles.RemoveAll();
  return resized;
}

BOOL CUnitItem::ProposalInSquare()
{
  CVRX2DEntityArray proposed;
  const CVRX2DVector d = GetUnit()->GetProposedOutlineEntities(proposed);
  proposed.Transform(CVRX2DTransformationMatrix(m_vOffset + d));
  return IsInSquare(proposed);
}

int CUnitItem::AdjustPos(int handle, CVRX2DVector& v, CVRX2DEntityArray& out, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)
  ("CUnitItem::AdjustPos()  nHandle = %d  vecOffset = (%6.2f, %6.2f)\n", handle, v.GetX(), v.GetY());
  CUnit* pUnit = GetUnit();
  if (pUnit->GetSubtypeFlag()) {
    int mode = kResizeMode;
    double direction = 0.0;
    const int code = m_SizingHandles[handle]->GetCode();
    if ((code & kFirstPair) == 0) {
      v.SetY(0.0);
      direction = VRX_PI;
      mode = kResizeMode | CWorkbenchView::kConstrainedMode;
    } else if ((code & kSecondPair) == 0) {
      v.SetX(0.0);
      direction = VRX_HALF_PI;
      mode = kResizeMode | CWorkbenchView::kConstrainedMode;
    }
    if (CWorkbenchView::IsShiftDown()) {
      const BOOL vertical = std::abs(v.GetX()) < std::abs(v.GetY());
      (vertical ? v.SetX(0.0) : v.SetY(0.0));
      direction = vertical ? VRX_HALF_PI : VRX_PI;
      mode |= CWorkbenchView::kConstrainedMode;
    }
    if (pView) {
      const CVRX2DVector s = pView->AdjustUnitResize(handle, v, mode, direction, this);
      if (s.GetLength() > 0.0)
        v += s;
    }
  }
  const int result = pUnit->ConformProposedSize(handle, v);
  switch (result) {
  case CUnit::inboundsChanged:
  case CUnit::outOfBoundsChanged: {
    PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("CUnit changed: vector = (%6.2f, %6.2f)\n", v.GetX(), v.GetY());
    out.RemoveAll();
    const CVRX2DVector d = pUnit->GetProposedOutlineEntities(out);
    PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)
    ("Vector from GetProposedOutlineEntities() is (%6.2f, %6.2f) \n", d.GetX(), d.GetY());
    out.Transform(CVRX2DTransformationMatrix(m_vOffset + d));
    // A size that would reach past the square is shown refused; the release does not take it.
    return IsInSquare(out) ? result : CUnit::outOfBoundsChanged;
  }
  case CUnit::inboundsUnchanged:
    PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("CUnit not changed: vector = (%6.2f, %6.2f)\n", v.GetX(), v.GetY());
    return result;
  case CUnit::outOfBoundsUnchanged:
    PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)
    ("CUnit not changed (out of bounds): vector = (%6.2f, %6.2f)\n", v.GetX(), v.GetY());
    return result;
  default:
    return CUnit::inboundsChanged;
  }
}

void CUnitItem::Edit(CWorkbenchView* pView)
{
  try {
    CUnitSheetDlg sheet(pView, this, "Unit Properties", 0);
    sheet.DoModal();
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CCommonException& e) {
    // A unit that cannot be made or has no sizing page: the user hears why, and the design
    // stays as it was.
    pView->MessageBox(e.GetErrorMessage(), GetDocServices().GetProductName(), MB_OK | MB_ICONEXCLAMATION);
  }
  CDesignItem::Edit(pView);
}

void CUnitItem::Delete(CWorkbenchView* pView)
{
  BreakAllJoins(pView);
  CDesignItem::Delete(pView);
}

void CUnitItem::BreakAllJoins(CWorkbenchView* pView)
{
  PCTRACE(TT_SNAPPING_ALIGNMENT, TL_DETAIL)("BreakAllJoins() called on unit %p.\n", static_cast<void*>(this));
  pView->RemoveJoins(this, -1);
}

BOOL CUnitItem::IsHandleMoved(int handle) const
{
  return handle >= 0 && handle < m_MovedHandles.GetSize() && m_MovedHandles[handle] != 0;
}

BOOL CUnitItem::IntersectComponent(const CVRX2DLine& line, int* pIndex, CVRX2DPoint* pPoint)
{
  PCTRACE(TT_WORKBENCH, TL_VERBOSE)("IntersectComponent called. \n");
  BOOL found = FALSE;
  for (int i = 0; i < m_ComponentOutlines.GetSize(); ++i) {
    const CVRX2DEntity& e = *m_ComponentOutlines[i];
    CVRX2DPointArray points;
    CrossInfinite(e, line, points);
    if (e.GetType() == VRX_ARC && points.GetSize() == 2) {
      if (!line.Contains(*points[0]))
        points.RemoveAt(0);
      else if (!line.Contains(*points[1]))
        points.RemoveAt(1);
    }
    if (points.GetSize() != 1 || !e.Contains(*points[0]) || !line.Contains(*points[0]))
      continue;
    if (found) {
      *pIndex = -1;
      return TRUE;
    }
    *pIndex = i;
    *pPoint = *points[0];
    found = TRUE;
  }
  return found;
}

void CUnitItem::GetSnapPoints(CVRX2DPointArray& points) const
{
  points.RemoveAll();
  points.Add(new CVRX2DPoint(m_ptCenter));
  for (int i = 0; i < m_SizingHandles.GetSize(); ++i)
    points.Add(new CVRX2DPoint(m_SizingHandles[i]->GetPoint()));
}

BOOL CUnitItem::GetReportData(CUnitInfoReportDataArray& records)
{
  PCTRACE(TT_DOCUMENT, TL_VERBOSE)("CUnitItem::GetReportData() \n");
  GetUnit()->GetReportData(records);
  return TRUE;
}

BOOL CUnitItem::GetReportData(CScheduleReportDataArray& rows)
{
  PCTRACE(TT_DOCUMENT, TL_VERBOSE)("CUnitItem::GetReportData() \n");
  GetUnit()->GetReportData(rows);
  return TRUE;
}
