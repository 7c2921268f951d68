#include "views/Xltgdi.h"

#include <memory>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/Angle.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/output/Clipguard.h"
#include "support/Gdiutil.h"
#include "support/Trace.h"
#include "views/Drawlist.h"
#include "views/Xltdata.h"

IMPLEMENT_DYNAMIC(CDCTranslator, CEntityTranslator)
IMPLEMENT_DYNAMIC(CGDITranslator, CDCTranslator)

namespace {
// The 16-bit device window every drawn coordinate must stay in.
constexpr int kDeviceMin = -32767;
constexpr int kDeviceSpan = 65535;

BOOL IsAxisAligned(const CVRXAngle& axis)
{
  for (int quarter = 0; quarter < 4; ++quarter)
    if (axis == CVRXAngle(quarter * VRX_HALF_PI))
      return TRUE;
  return FALSE;
}

BOOL IsUpright(const CVRXAngle& axis) { return axis == CVRXAngle(VRX_HALF_PI) || axis == CVRXAngle(3.0 * VRX_HALF_PI); }

BOOL IsInverting(int rop) { return rop != R2_COPYPEN; }

// A draw list's line moved by an offset alone.
void TranslateShiftedLine(CDCTranslator& translator, const CDrawList::CEntry& entry, double dx, double dy)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("Translating a %s.", RUNTIME_CLASS(CVRX2DLine)->m_lpszClassName);
  translator.TranslateSegment(CVRX2DPoint(entry.x1 + dx, entry.y1 + dy), CVRX2DPoint(entry.x2 + dx, entry.y2 + dy),
                              entry.category);
}
}  // namespace

CDCTranslator::CDCTranslator(CMapECatToXLTGDIData* pMap, CDC* pDC) : CEntityTranslator(pMap), m_pDC(pDC) {}

CMapECatToXLTGDIData* CDCTranslator::GetGDIMap() const { return static_cast<CMapECatToXLTGDIData*>(GetCategoryMap()); }

CPen* CDCTranslator::GetPen(int category)
{
  CMapECatToXLTGDIData* pMap = GetGDIMap();
  return pMap ? pMap->GetGDIData(category)->GetPen() : nullptr;
}

COLORREF CDCTranslator::GetColor(int category)
{
  CMapECatToXLTGDIData* pMap = GetGDIMap();
  return pMap ? pMap->GetGDIData(category)->GetColor() : RGB(0, 0, 0);
}

void CDCTranslator::Translate(const CVRX2DEntityArray& entities)
{
  Gather([&] { CEntityTranslator::Translate(entities); });
}

void CDCTranslator::TranslateDrawList(const CDrawList& list)
{
  Gather([&] {
    for (const CDrawList::CEntry& entry : list.Entries()) {
      if (entry.pOther) {
        TranslateEntity(*entry.pOther);
        continue;
      }
      PCTRACE(TT_UNIT, TL_VERBOSE)("Translating a %s.", RUNTIME_CLASS(CVRX2DLine)->m_lpszClassName);
      TranslateSegment(CVRX2DPoint(entry.x1, entry.y1), CVRX2DPoint(entry.x2, entry.y2), entry.category);
    }
  });
}

void CDCTranslator::TranslateMovedLine(const CVRX2DPoint& start, const CVRX2DPoint& end, int category,
                                       const CVRX2DTransformationMatrix& move)
{
  PCTRACE(TT_UNIT, TL_VERBOSE)("Translating a %s.", RUNTIME_CLASS(CVRX2DLine)->m_lpszClassName);
  // A line's copy moves its two points, as these do.
  CVRX2DPoint movedStart = start;
  CVRX2DPoint movedEnd = end;
  movedStart.Transform(move);
  movedEnd.Transform(move);
  TranslateSegment(movedStart, movedEnd, category);
}

void CDCTranslator::TranslateMovedOther(const CVRX2DEntity& entity, const CVRX2DTransformationMatrix& move)
{
  std::unique_ptr<CVRX2DEntity> moved(entity.Clone());
  moved->Transform(move);
  TranslateEntity(*moved);
}

void CDCTranslator::TranslateMoved(const CVRX2DEntityArray& entities, const CVRX2DTransformationMatrix& move)
{
  Gather([&] {
    for (int i = 0; i < entities.GetSize(); ++i) {
      const CVRX2DEntity& entity = *entities[i];
      if (entity.GetRuntimeClass() != RUNTIME_CLASS(CVRX2DLine)) {
        TranslateMovedOther(entity, move);
        continue;
      }
      const auto& line = static_cast<const CVRX2DLine&>(entity);
      TranslateMovedLine(line.GetStartPoint(), line.GetEndPoint(), line.GetCategory(), move);
    }
  });
}

void CDCTranslator::TranslateMovedDrawList(const CDrawList& list, const CVRX2DTransformationMatrix& move)
{
  // A move that neither turns nor scales, as a drag's is, adds its offset: 1 * x + 0 * y + dx is
  // x + dx to the last bit (a zero's sign aside, which rounding to pixels drops).
  // The closure holds two pointers, which the function object keeps without a heap block: each
  // unit of a redraw draws its list through here.
  struct CMove
  {
    const CDrawList& list;
    const CVRX2DTransformationMatrix& move;
    BOOL shiftOnly;
    double dx;
    double dy;
  } const m{list, move, !move.HasLinearPart(), move.GetElement(2, 0), move.GetElement(2, 1)};
  Gather([this, &m] {
    for (const CDrawList::CEntry& entry : m.list.Entries()) {
      if (entry.pOther)
        TranslateMovedOther(*entry.pOther, m.move);
      else if (m.shiftOnly)
        TranslateShiftedLine(*this, entry, m.dx, m.dy);
      else
        TranslateMovedLine(CVRX2DPoint(entry.x1, entry.y1), CVRX2DPoint(entry.x2, entry.y2), entry.category, m.move);
    }
  });
}

void CDCTranslator::Gather(const std::function<void()>& translate)
{
  m_bGathering = TRUE;
  try {
    translate();
  } catch (...) {
    DrawGatheredLines();
    m_bGathering = FALSE;
    throw;
  }
  DrawGatheredLines();
  m_bGathering = FALSE;
}

void CDCTranslator::DrawGatheredLines()
{
  if (m_gathered.empty())
    return;
  CPen* pOld = m_pDC->SelectObject(m_pGatheredPen);
  // The end pixels are drawn as DrawEndPixel draws them: set while the raster operation copies,
  // through the pen while it inverts.
  if (IsInverting(m_pDC->GetROP2()))
    m_pDC->DrawSegmentsThroughPen(m_gathered);
  else
    m_pDC->DrawSegments(m_gathered, m_gatheredColor);
  m_pDC->SelectObject(pOld);
  m_gathered.clear();
}

void CDCTranslator::TranslateLine(const CVRX2DLine& line)
{
  TranslateSegment(line.GetStartPoint(), line.GetEndPoint(), line.GetCategory());
}

void CDCTranslator::TranslateSegment(const CVRX2DPoint& start, const CVRX2DPoint& end, int category)
{
  POINT p1 = ConvertPoint(start);
  POINT p2 = ConvertPoint(end);
  if (m_bClipTo16Bits && !ClipLineToRect(p1, p2, kDeviceMin, kDeviceMin, kDeviceSpan, kDeviceSpan))
    return;
  PCTRACE(TT_TRANSLATORS, TL_DETAIL)("Translate():   Drawing line from (%d, %d) to (%d, %d)", p1.x, p1.y, p2.x, p2.y);
  // The lines of one category that follow each other go to the device context together, in
  // their order. A line alone goes the same way, so its end pixel is drawn as the gathered
  // lines' are.
  if (m_gathered.empty() || category != m_nGatheredCategory) {
    DrawGatheredLines();
    m_pGatheredPen = GetPen(category);
    m_gatheredColor = GetColor(category);
    m_nGatheredCategory = category;
  }
  m_gathered.emplace_back(p1, p2);
  if (!m_bGathering)
    DrawGatheredLines();
}

void CDCTranslator::DrawEndPixel(CPoint point, int category)
{
  if (IsInverting(m_pDC->GetROP2())) {
    // A one-pixel line goes through the raster operation as the line itself did.
    m_pDC->MoveTo(point);
    m_pDC->LineTo(point.x + 1, point.y);
    return;
  }
  m_pDC->SetPixel(point, GetColor(category));
}

void CDCTranslator::TranslateArc(const CVRX2DArc& arc)
{
  DrawGatheredLines();
  CVRX2DPoint major(arc.GetMajorRadius(), 0.0);
  CVRX2DPoint minor(arc.GetMinorRadius(), 0.0);
  if (major == minor || IsAxisAligned(arc.GetAxisAngle())) {
    DrawArc(arc);
    return;
  }
  CVRX2DEntityArray pieces;
  SplitArc(pieces, arc);
  for (int i = 0; i < pieces.GetSize(); ++i)
    DrawArc(*static_cast<CVRX2DArc*>(pieces[i]));
}

void CDCTranslator::DrawArc(const CVRX2DArc& arc)
{
  CVRX2DPoint start;
  CVRX2DPoint end;
  arc.GetEndPoints(start, end);
  double rx = arc.GetMajorRadius();
  double ry = arc.GetMinorRadius();
  if (IsUpright(arc.GetAxisAngle()))
    std::swap(rx, ry);
  const CVRX2DPoint centre = arc.GetCentre();
  CPoint corner1 = ConvertPoint(CVRX2DPoint(centre.GetX() - rx, centre.GetY() + ry));
  CPoint corner2 = ConvertPoint(CVRX2DPoint(centre.GetX() + rx, centre.GetY() - ry));
  CPoint from = ConvertPoint(start);
  CPoint to = ConvertPoint(end);
  CPen* pOld = m_pDC->SelectObject(GetPen(arc.GetCategory()));
  m_pDC->Arc(corner1.x, corner1.y, corner2.x, corner2.y, from.x, from.y, to.x, to.y);
  DrawEndPixel(from, arc.GetCategory());
  DrawEndPixel(to, arc.GetCategory());
  m_pDC->SelectObject(pOld);
}

CGDITranslator::CGDITranslator(CMapECatToXLTGDIData* pMap, CDC* pDC, double scale)
  : CDCTranslator(pMap, pDC), m_dScale(scale)
{}

CPoint CGDITranslator::ConvertPoint(CVRX2DPoint point)
{
  return CPoint(static_cast<int>(Round(point.GetX() * m_dScale)), static_cast<int>(Round(point.GetY() * m_dScale)));
}

void CGDITranslator::Translate(const CVRX2DEntityArray& entities)
{
  CDC* pDC = GetDC();
  CSavedDC saved(pDC);
  pDC->SetROP2(R2_COPYPEN);
  CDCTranslator::Translate(entities);
}
