#include "workbench/items/Selector.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "document/Doc.h"
#include "model/Entcat.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "ui/draw/Dc.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Joinitem.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/items/Tracker.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbsvc.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CSelectorItem, CDesignItem)
IMPLEMENT_DYNAMIC(CPlanSelectorItem, CSelectorItem)
IMPLEMENT_DYNAMIC(CDetailSelectorItem, CSelectorItem)
IMPLEMENT_DYNAMIC(CSelectLineItem, CLineSegmentItem)

namespace {
constexpr const char* kModule = "Selector";
constexpr int kLineNotJoined = 331;
constexpr int kLineBadOrientation = 342;
// Detail selectors are hit within this many window pixels of their line.
constexpr int kHitPixels = 5;
constexpr int kEndMarkHalf = 4;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The defaults of the screen colours, for a Workbench that runs without the application.
constexpr COLORREF kDefaultPlanSelector = RGB(0, 0, 0);
constexpr COLORREF kDefaultPlanSelectorFill = RGB(224, 224, 224);
constexpr COLORREF kDefaultDetailSelectors = RGB(0, 0, 128);

void UpdateViews(CWorkbenchView* pView, LPARAM hint, CObject* pHint)
{
  if (CDocument* pDoc = pView->GetDocument())
    pDoc->UpdateAllViews(nullptr, hint, pHint);
}

// A rectangle spanned by two points, both included.
CRect SpannedRect(CPoint a, CPoint b)
{
  CRect rect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
  rect.InflateRect(1, 1);
  return rect;
}

// Holds the geometry library's point tolerance at a test width and restores it.
class CToleranceScope
{
public:
  explicit CToleranceScope(double tolerance) : m_dSaved(CVRX2DPoint::GetTolerance())
  {
    CVRX2DPoint::SetTolerance(tolerance);
  }
  ~CToleranceScope() { CVRX2DPoint::SetTolerance(m_dSaved); }
  CToleranceScope(const CToleranceScope&) = delete;
  CToleranceScope& operator=(const CToleranceScope&) = delete;

private:
  double m_dSaved;
};

double HitTolerance(CWorkbenchView* pView) { return pView->DeviceToWorld(CSize(kHitPixels, 0)).GetX(); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// CSelectorItem

CSelectorItem::CSelectorItem(const CVRX2DVector& position) : CSelectorItem(ditBase, position) {}

CSelectorItem::CSelectorItem(int itemType, const CVRX2DVector& position) : CDesignItem(itemType)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CSelectorItem construction. \n");
  m_vOffset = position;
}

CSelectorItem::CSelectorItem(const CSelectorItem& source) : CDesignItem(source)
{
  PCTRACE(TT_DOCUMENT, TL_DETAIL)("CSelectorItem copy construction. \n");
}

CSelectorItem::~CSelectorItem() { PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CSelectorItem destruction. \n"); }

CDesignItem* CSelectorItem::Clone() const
{
  PCTRACE(TT_DOCUMENT, TL_VERBOSE)("CSelectorItem::Clone(). \n");
  auto* pCopy = new CSelectorItem(*this);
  pCopy->m_nItemType = ditBase;
  return pCopy;
}

// ---------------------------------------------------------------------------------------------
// CPlanSelectorItem

CPlanSelectorItem::CPlanSelectorItem(const CVRX2DVector& position)
  : CSelectorItem(ditPlanSelector, position), m_strLabel(" Plan Selector")
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CPlanSelectorItem construction. \n");
  const CWorkbenchServices* pServices = GetWorkbenchServices();
  // A true-colour screen shows every colour, so the nearest colour is the colour itself.
  m_LineColor = pServices ? pServices->GetPlanSelectorRGB() : kDefaultPlanSelector;
  m_FillColor = pServices ? pServices->GetPlanSelectorFillRGB() : kDefaultPlanSelectorFill;
  m_pLinePen = std::make_unique<CPen>(PS_SOLID, 0, m_LineColor);
  m_pFillPen = std::make_unique<CPen>(PS_SOLID, 0, m_FillColor);
  m_pFillBrush = std::make_unique<CBrush>(m_FillColor);
  const double y = position.GetY();
  m_OutlineEnts.Add(new CVRX2DLine(0, CVRX2DPoint(0.0, y), CVRX2DPoint(kWorkbenchSquare, y)));
}

CPlanSelectorItem::~CPlanSelectorItem() { PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CPlanSelectorItem destruction. \n"); }

void CPlanSelectorItem::GetWindowLine(CPoint& start, CPoint& end, CWorkbenchView* pView)
{
  const auto* pLine = static_cast<const CVRX2DLine*>(m_OutlineEnts[0]);
  start = pView->WorldToClient(pLine->GetStartPoint());
  start.x = 0;
  const int right = std::min(static_cast<int>(pView->GetTotalDeviceSize().cx), pView->GetClientRect().Width());
  end = CPoint(right, start.y);
}

CRect CPlanSelectorItem::GetBarRect(CWorkbenchView* pView)
{
  CPoint start;
  CPoint end;
  GetWindowLine(start, end, pView);
  return CRect(start.x, start.y - kBarHeight / 2, end.x + 1, end.y + kBarHeight - kBarHeight / 2);
}

CFont* CPlanSelectorItem::CreateLabelFont(CWorkbenchView* pView)
{
  CDC* pDC = pView->GetViewDC();
  const int height = pDC->GetDeviceCaps(LOGPIXELSY) * 9 / 72;
  pView->ReleaseViewDC(pDC);
  auto* pFont = new CFont;
  pFont->CreateFont(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
  return pFont;
}

CRect CPlanSelectorItem::CalcLabelRect(CDC* pDC, CWorkbenchView* pView)
{
  std::unique_ptr<CFont> font(CreateLabelFont(pView));
  const int saved = pDC->SaveDC();
  pDC->SelectObject(font.get());
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextAlign(TA_LEFT | TA_TOP);
  CPoint start;
  CPoint end;
  GetWindowLine(start, end, pView);
  const CSize extent = pDC->GetTextExtent(m_strLabel);
  CRect rect(start.x, start.y, start.x + extent.cx, start.y + extent.cy);
  TEXTMETRIC tm;
  pDC->GetTextMetrics(&tm);
  // Above the line unless that would leave the window.
  if (start.y >= tm.tmHeight + tm.tmExternalLeading)
    rect.OffsetRect(0, -(extent.cy - 1));
  pDC->RestoreDC(saved);
  return rect;
}

CRect CPlanSelectorItem::GetLabelRect(CWorkbenchView* pView)
{
  CDC* pDC = pView->GetViewDC();
  const CRect rect = CalcLabelRect(pDC, pView);
  pView->ReleaseViewDC(pDC);
  return rect;
}

void CPlanSelectorItem::InvalidateLabel(CWorkbenchView* pView)
{
  const CRect rect = GetLabelRect(pView);
  pView->InvalidateRect(&rect, TRUE);
}

void CPlanSelectorItem::Invalidate(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CPlanSelectorItem::Invalidate(). \n");
  const CRect bar = GetBarRect(pView);
  pView->InvalidateRect(&bar, TRUE);
  InvalidateLabel(pView);
}

void CPlanSelectorItem::Draw(CDC* pDC, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("CPlanSelectorItem::Draw(). \n");
  const CRect label = CalcLabelRect(pDC, pView);
  std::unique_ptr<CFont> font(CreateLabelFont(pView));
  const int saved = pDC->SaveDC();
  pDC->SelectObject(m_pFillBrush.get());
  pDC->SelectObject(m_pFillPen.get());
  pDC->SetROP2(R2_MASKPEN);
  const CRect bar = GetBarRect(pView);
  pDC->Rectangle(&bar);
  pDC->SelectObject(m_pLinePen.get());
  CPoint start;
  CPoint end;
  GetWindowLine(start, end, pView);
  pDC->MoveTo(start);
  pDC->LineTo(end.x, end.y);
  pDC->SetTextAlign(TA_LEFT | TA_TOP);
  pDC->SelectObject(font.get());
  pDC->SetBkMode(TRANSPARENT);
  pDC->TextOut(label.left, label.top, m_strLabel);
  pDC->RestoreDC(saved);
}

BOOL CPlanSelectorItem::HitTest(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CPlanSelectorItem::HitTest(). \n");
  return GetBarRect(pView).PtInRect(pView->WorldToClient(point));
}

void CPlanSelectorItem::Select(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CPlanSelectorItem::Select(). \n");
  // The plan selector's line moves up and down only.
  SetTracker(std::make_unique<CSelectorTracker>(pView, this, TRUE));
  CDesignItem::Select(pView);
}

BOOL CPlanSelectorItem::Move(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CPlanSelectorItem::Move(). \n");
  if (!m_pTracker)
    return FALSE;
  CVRX2DVector v;
  switch (m_pTracker->Track(point, &v)) {
  case trkMoved:
    Invalidate(pView);
    // Dragged past the square, where the window shows space beyond it, the line stops at its edge.
    Offset(CutAtSquare(v));
    Invalidate(pView);
    UpdateViews(pView, 1, nullptr);
    return TRUE;
  case trkCancelled:
    return TRUE;
  default:
    return FALSE;
  }
}

void CPlanSelectorItem::Offset(const CVRX2DVector& v)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CPlanSelectorItem::Offset(%f, %f). \n", v.GetX(), v.GetY());
  // The plan selector moves only up and down.
  CDesignItem::Offset(CVRX2DVector(0.0, v.GetY()));
}

void CPlanSelectorItem::Edit(CWorkbenchView*) {}

// ---------------------------------------------------------------------------------------------
// CDetailSelectorItem

CDetailSelectorItem::CDetailSelectorItem(const CVRX2DLine& line, CUnitItem* pFirstUnit, int firstComponent,
                                         CUnitItem* pSecondUnit, int secondComponent, double offset,
                                         CJoinItem* pJoinItem)
  : CSelectorItem(ditDetailSelector, line.GetStartPoint().AsVector()), m_Line(line)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CDetailSelectorItem construction. \n");
  if (pFirstUnit && pSecondUnit && pJoinItem) {
    MakeJoiningSituation(pFirstUnit, firstComponent, pSecondUnit, secondComponent, pJoinItem);
  } else {
    m_pFirstUnitItem = pFirstUnit;
    m_FirstSpec = pFirstUnit->GetUnit()->GetDetailSpecification(firstComponent);
    if (pSecondUnit) {
      m_pSecondUnitItem = pSecondUnit;
      m_SecondSpec = pSecondUnit->GetUnit()->GetDetailSpecification(secondComponent);
      m_dOffset = offset;
      m_nDetailKind = dkTwoSides;
    }
  }
  const CWorkbenchServices* pServices = GetWorkbenchServices();
  m_Color = pServices ? pServices->GetDetailSelectorsRGB() : kDefaultDetailSelectors;
  m_pPen = std::make_unique<CPen>(PS_SOLID, 0, m_Color);
  m_pBrush = std::make_unique<CBrush>(m_Color);
}

// The sides are put in the join's order, then turned so that the first side has orientation 0;
// the join-side spacing is always the spacing on the side of the unit that ends up second.
void CDetailSelectorItem::MakeJoiningSituation(CUnitItem* pFirstUnit, int firstComponent, CUnitItem* pSecondUnit,
                                               int secondComponent, CJoinItem* pJoinItem)
{
  m_nDetailKind = dkJoiningSituation;
  m_pJoinItem = pJoinItem;
  CJoin* pJoin = pJoinItem->GetJoin();
  if (!pJoin || !pJoinItem->JoinsUnit(pFirstUnit) || !pJoinItem->JoinsUnit(pSecondUnit))
    throw CAppException(kModule, kLineNotJoined);
  m_JoinSpec = pJoin->GetDetailSpecification();
  m_dOffset = pJoinItem->GetTotalSpacing();
  pJoinItem->GetUnitItems(m_pFirstUnitItem, m_pSecondUnitItem);
  if (m_pFirstUnitItem == pSecondUnit)
    std::swap(firstComponent, secondComponent);
  m_FirstSpec = m_pFirstUnitItem->GetUnit()->GetDetailSpecification(firstComponent);
  m_SecondSpec = m_pSecondUnitItem->GetUnit()->GetDetailSpecification(secondComponent);
  if (m_FirstSpec.GetOrientation() == 0) {
    if (m_SecondSpec.GetOrientation() != 1)
      throw CAppException(kModule, kLineBadOrientation);
    m_dJoinSideSpacing = pJoinItem->GetSecondSpacing();
    return;
  }
  if (m_FirstSpec.GetOrientation() != 1 || m_SecondSpec.GetOrientation() != 0)
    throw CAppException(kModule, kLineBadOrientation);
  std::swap(m_FirstSpec, m_SecondSpec);
  std::swap(m_pFirstUnitItem, m_pSecondUnitItem);
  m_JoinSpec.SetOrientation(m_JoinSpec.GetOrientation() == 0 ? 1 : 0);
  m_dJoinSideSpacing = pJoinItem->GetFirstSpacing();
}

CUnit* CDetailSelectorItem::GetFirstUnit() const { return m_pFirstUnitItem ? m_pFirstUnitItem->GetUnit() : nullptr; }

CUnit* CDetailSelectorItem::GetSecondUnit() const { return m_pSecondUnitItem ? m_pSecondUnitItem->GetUnit() : nullptr; }

CJoin* CDetailSelectorItem::GetSelectedJoin() const { return m_pJoinItem ? m_pJoinItem->GetJoin() : nullptr; }

CDetailSelectorItem::CDetailSelectorItem(const CDetailSelectorItem& source)
  : CSelectorItem(source),
    m_nDetailKind(source.m_nDetailKind),
    m_pFirstUnitItem(source.m_pFirstUnitItem),
    m_pSecondUnitItem(source.m_pSecondUnitItem),
    m_pJoinItem(source.m_pJoinItem),
    m_FirstSpec(source.m_FirstSpec),
    m_SecondSpec(source.m_SecondSpec),
    m_JoinSpec(source.m_JoinSpec),
    m_dOffset(source.m_dOffset),
    m_dJoinSideSpacing(source.m_dJoinSideSpacing),
    m_Line(source.m_Line),
    m_pPen(std::make_unique<CPen>(PS_SOLID, 0, source.m_Color)),
    m_pBrush(std::make_unique<CBrush>(source.m_Color)),
    m_Color(source.m_Color)
{
  PCTRACE(TT_DOCUMENT, TL_DETAIL)("CDetailSelectorItem copy construction. \n");
}

CDetailSelectorItem::~CDetailSelectorItem()
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CDetailSelectorItem destruction. \n");
}

CDesignItem* CDetailSelectorItem::Clone() const
{
  PCTRACE(TT_DOCUMENT, TL_VERBOSE)("CDetailSelectorItem::Clone(). \n");
  return new CDetailSelectorItem(*this);
}

CRect CDetailSelectorItem::GetEndMarkRect(CWorkbenchView* pView)
{
  const CPoint e = pView->WorldToClient(m_Line.GetEndPoint());
  return CRect(e.x - kEndMarkHalf, e.y - kEndMarkHalf, e.x + kEndMarkHalf + 1, e.y + kEndMarkHalf + 1);
}

void CDetailSelectorItem::Select(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CDetailSelectorItem::Select(). \n");
  m_bSelected = TRUE;
  Invalidate(pView);
  pView->UpdateWindow();
}

void CDetailSelectorItem::Deselect(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CDetailSelectorItem::Deselect(). \n");
  m_bSelected = FALSE;
  Invalidate(pView);
}

void CDetailSelectorItem::Invalidate(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CDetailSelectorItem::Invalidate(). \n");
  const CRect line =
      SpannedRect(pView->WorldToClient(m_Line.GetStartPoint()), pView->WorldToClient(m_Line.GetEndPoint()));
  pView->InvalidateRect(&line, TRUE);
  const CRect mark = GetEndMarkRect(pView);
  pView->InvalidateRect(&mark, TRUE);
}

void CDetailSelectorItem::Draw(CDC* pDC, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_VERBOSE)("CDetailSelectorItem::Draw(). \n");
  const int saved = pDC->SaveDC();
  pDC->SelectObject(m_pPen.get());
  pDC->MoveTo(pView->WorldToClient(m_Line.GetStartPoint()));
  const CPoint end = pView->WorldToClient(m_Line.GetEndPoint());
  pDC->LineTo(end.x, end.y);
  CBrush fill(m_bSelected ? m_Color : kWhite);
  pDC->SelectObject(&fill);
  const CRect mark = GetEndMarkRect(pView);
  pDC->Ellipse(&mark);
  pDC->RestoreDC(saved);
}

BOOL CDetailSelectorItem::HitTest(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CDetailSelectorItem::HitTest(). \n");
  const CToleranceScope tolerance(HitTolerance(pView));
  return m_Line.Contains(point);
}

void CDetailSelectorItem::Delete(CWorkbenchView* pView) { UpdateViews(pView, 2, nullptr); }

// ---------------------------------------------------------------------------------------------
// CSelectLineItem

CSelectLineItem::CSelectLineItem(const CVRX2DVector& position) : CLineSegmentItem(ditSelectLine)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CSelectLineItem construction. \n");
  m_vOffset = position;
  const CVRX2DPoint at = position.AsPoint();
  SetUpLine(CVRX2DLine(ecatSelectionLine, at, at));
}

CSelectLineItem::CSelectLineItem(const CSelectLineItem& source) : CLineSegmentItem(source)
{
  PCTRACE(TT_DOCUMENT, TL_DETAIL)("CSelectLineItem copy construction. \n");
}

CSelectLineItem::~CSelectLineItem() { PCTRACE(TT_WORKBENCH_TOOLS, TL_DETAIL)("CSelectLineItem destruction. \n"); }

CDesignItem* CSelectLineItem::Clone() const
{
  PCTRACE(TT_DOCUMENT, TL_VERBOSE)("CSelectLineItem::Clone(). \n");
  return new CSelectLineItem(*this);
}

void CSelectLineItem::Select(CWorkbenchView* pView)
{
  PCTRACE(TT_WORKBENCH_TOOLS, TL_IMPORTANT)("CSelectLineItem::Select(). \n");
  SetTracker(std::make_unique<CSelectLineTracker>(pView, this));
  CDesignItem::Select(pView);
  DisplaySizeInfo(pView, TRUE);
}

int CSelectLineItem::AdjustPos(int handle, CVRX2DVector& v, CVRX2DEntityArray& out, CWorkbenchView* pView)
{
  // No snapping: the dragged end follows the pointer.
  auto* pLine = static_cast<CVRX2DLine*>(out[0]);
  const CVRX2DPoint reached = GetHandlePoint(handle, pView) + v;
  if (handle == 0)
    pLine->SetStartPoint(reached);
  else
    pLine->SetEndPoint(reached);
  return 0;
}
