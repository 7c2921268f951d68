#include "workbench/items/Joinitem.h"
#include "model/Entcat.h"

#include <cmath>
#include <cstdint>

#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Join.h"
#include "platform/core/Archive.h"
#include "productdb/txdbExcp.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/wnd/WinApp.h"
#include "project/Stamp.h"
#include "support/ComExcpt.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/sheets/Joinprop.h"
#include "workbench/scale/Scalexlt.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_SERIAL(CJoinItem, CLineSegmentItem, VERSIONABLE_SCHEMA | 10000)

namespace {
constexpr const char* kModule = "Joinitem";
constexpr int kSideLine = 301;
constexpr int kNegativeIndexLine = 305;
constexpr int kIndexBeyondLine = 309;
constexpr int kBadIdLine = 313;
constexpr int kSideTakenLine = 322;
constexpr int kNotOnEitherSideLine = 351;
constexpr int kTypeNotAllowedLine = 377;
constexpr int kNotALineLine = 412;
constexpr int kModeLine = 468;
constexpr int kAlignmentCountLine = 530;
constexpr double kHalfMarker = 4.0;
// The marker text stands this many device units above the marker's start.
constexpr int kTextRise = 5;
constexpr int kTextBox = 10;
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF g_markerColor = RGB(192, 0, 0);
CFont* g_pMarkerFont = nullptr;

}  // namespace

void CJoinSide::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    ar << static_cast<const CObject*>(m_pUnitItem) << static_cast<LONG>(m_nComponentIndex)
       << static_cast<LONG>(m_nComponentID) << m_fSpacing;
    return;
  }
  m_pUnitItem = static_cast<CUnitItem*>(ar.ReadObject(RUNTIME_CLASS(CUnitItem)));
  LONG index = 0;
  LONG id = 0;
  ar >> index >> id >> m_fSpacing;
  m_nComponentIndex = static_cast<int>(index);
  m_nComponentID = static_cast<int>(id);
}

CJoinItem::CJoinItem() : CLineSegmentItem(ditJoin)
{
  PCTRACE(TT_JOINING, TL_VERBOSE)("CJoinItem default construction \n");
}

CJoinItem::CJoinItem(const CVRX2DPoint& start, const CVRX2DPoint& end, int joinType, int firstID, int secondID)
  : CLineSegmentItem(ditJoin)
{
  PCTRACE(TT_JOINING, TL_DETAIL)
  ("CJoinItem construction ptStart=(%.3f,%.3f) ptEnd=(%.3f,%.3f) \n", start.GetX(), start.GetY(), end.GetX(),
   end.GetY());
  LayAlong(start, end);
  try {
    m_pJoin = std::make_unique<CJoin>(joinType, firstID, secondID);
  } catch (const CCommonException&) {
    AfxMessageBox("Failed to create CJoin object.", MB_OK | MB_ICONEXCLAMATION);
  }
}

void CJoinItem::LayAlong(const CVRX2DPoint& start, const CVRX2DPoint& end)
{
  m_OutlineEnts.RemoveAll();
  m_AlignmentEnts.RemoveAll();
  m_SizingHandles.RemoveAll();
  m_vOffset = start.AsVector();
  RecomputeCenter();
  const CVRX2DLine line(ecatJoinLine, start, end);
  SetUpLine(line);
  m_AlignmentEnts.Add(new CVRX2DLine(ecatJoinAlignment, start, end));
  ExtendAlignmentEnts();
  const double a = line.GetAngle().GetRadians() + VRX_HALF_PI;
  const CVRX2DVector half(kHalfMarker * std::cos(a), kHalfMarker * std::sin(a));
  const CVRX2DPoint mid((start.GetX() + end.GetX()) / 2.0, (start.GetY() + end.GetY()) / 2.0);
  m_OutlineEnts.Add(new CVRX2DLine(ecatJoinLine, mid + half, mid + (-half)));
}

CJoinItem::CJoinItem(const CJoinItem& source)
  : CLineSegmentItem(source), m_FirstSide(source.m_FirstSide), m_SecondSide(source.m_SecondSide)
{
  if (source.m_pJoin)
    m_pJoin = std::make_unique<CJoin>(*source.m_pJoin);
}

CJoinItem::~CJoinItem() { PCTRACE(TT_JOINING, TL_VERBOSE)("CJoinItem destruction \n"); }

CDesignItem* CJoinItem::Clone() const { return new CJoinItem(*this); }

void CJoinItem::SetMarkerColor(COLORREF color) { g_markerColor = color; }
COLORREF CJoinItem::GetMarkerColor() { return g_markerColor; }
void CJoinItem::SetMarkerFont(CFont* pFont) { g_pMarkerFont = pFont; }

void CJoinItem::Serialize(CArchive& ar)
{
  CLineSegmentItem::Serialize(ar);
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    m_FirstSide.Serialize(ar);
    m_SecondSide.Serialize(ar);
    const CVRX2DLine marker = GetMarkerLine();
    ar << static_cast<LONG>(m_pJoin ? m_pJoin->GetJoinTypeID() : 0)
       << static_cast<LONG>(m_pJoin ? m_pJoin->GetFirstProductID() : 0)
       << static_cast<LONG>(m_pJoin ? m_pJoin->GetSecondProductID() : 0) << static_cast<LONG>(marker.GetCategory())
       << marker.GetStartPoint().GetX() << marker.GetStartPoint().GetY() << marker.GetEndPoint().GetX()
       << marker.GetEndPoint().GetY();
    return;
  }
  m_FirstSide.Serialize(ar);
  m_SecondSide.Serialize(ar);
  LONG type = 0;
  LONG first = 0;
  LONG second = 0;
  LONG category = 0;
  double x1 = 0.0;
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
  ar >> type >> first >> second >> category >> x1 >> y1 >> x2 >> y2;
  m_OutlineEnts.Add(new CVRX2DLine(static_cast<int>(category), CVRX2DPoint(x1, y1), CVRX2DPoint(x2, y2)));
  CVRX2DLine alignment = GetLine();
  alignment.SetCategory(ecatJoinAlignment);
  m_AlignmentEnts.Add(new CVRX2DLine(alignment));
  ExtendAlignmentEnts();
  try {
    m_pJoin = std::make_unique<CJoin>(static_cast<int>(type), static_cast<int>(first), static_cast<int>(second));
  } catch (const CTXDBException&) {
    // A catalogue that cannot be read says nothing of the join: the design is not read at all
    // rather than read without its joins.
    throw;
  } catch (const CCommonException&) {
    // A join the catalogue no longer allows: the design drops the item once it is loaded.
    PCTRACE(TT_JOINING, TL_WARNING)("A stored join of type %d could not be made again.\n", static_cast<int>(type));
  }
}

CVRX2DLine CJoinItem::GetMarkerLine() const
{
  if (m_OutlineEnts.GetSize() < 2 || m_OutlineEnts[1]->GetType() != VRX_LINE)
    throw CAppFatalException(kModule, kNotALineLine);
  return *static_cast<const CVRX2DLine*>(m_OutlineEnts[1]);
}

BOOL CJoinItem::CanSpaceEvenly(BOOL, BOOL*) { return FALSE; }

int CJoinItem::GetOutlineEntityRefs(CObArray& refs)
{
  if (m_AlignmentEnts.GetSize() != 1)
    throw CAppFatalException(kModule, kAlignmentCountLine);
  CVRX2DEntity* pCopy = m_AlignmentEnts[0]->Clone();
  pCopy->SetCategory(ecatJoinLine);
  refs.Add(new COutlineEntityRef(pCopy, this, 0));
  return 1;
}

CString CJoinItem::GetDescription()
{
  if (!m_pJoin)
    return CString("Join");
  // The type's name is a padded catalogue field; the prompt reads "Join: Standard Mull".
  CString name = m_pJoin->GetJoinTypeName();
  name.TrimRight();
  return name.IsEmpty() ? CString("Join") : "Join: " + name;
}

void CJoinItem::DisplaySizeInfo(CWorkbenchView* pView, BOOL bShow)
{
  pView->SetPaneText(1, bShow ? GetDescription() : CString());
}

void CJoinItem::Select(CWorkbenchView* pView)
{
  PCTRACE(TT_JOINING, TL_VERBOSE)("CJoinItem::Select(). \n");
  if (pView->GetShowJoins()) {
    CDC* pDC = pView->GetViewDC();
    DrawHandles(pDC, pView);
    pView->ReleaseViewDC(pDC);
  }
  DisplaySizeInfo(pView, TRUE);
}

void CJoinItem::Deselect(CWorkbenchView* pView)
{
  Invalidate(pView);
  DisplaySizeInfo(pView, FALSE);
}

void CJoinItem::MarkerRects(CWorkbenchView* pView, CRect& line, CRect& text) const
{
  const CVRX2DLine marker = GetMarkerLine();
  const CPoint start = pView->WorldToClient(marker.GetStartPoint());
  line = CRect(start, pView->WorldToClient(marker.GetEndPoint()));
  line.NormalizeRect();
  line.InflateRect(1, 1);
  text = CRect(start.x - kTextBox, start.y - kTextBox, start.x + kTextBox, start.y + kTextBox);
}

void CJoinItem::Invalidate(CWorkbenchView* pView)
{
  CRect line;
  CRect text;
  MarkerRects(pView, line, text);
  pView->InvalidateRect(&line, TRUE);
  pView->InvalidateRect(&text, TRUE);
  if (m_bShowAlignmentLines)
    pView->Invalidate(TRUE);
}

// Where the marker and its code are drawn, with room to spare around the code: a redraw of a
// part of the window leaves out only the joins drawn wholly elsewhere.
BOOL CJoinItem::GetClientRect(CRect& rect, CWorkbenchView* pView)
{
  CRect text;
  MarkerRects(pView, rect, text);
  text.InflateRect(kTextBox, kTextBox);
  rect.UnionRect(CRect(rect), text);
  return TRUE;
}

void CJoinItem::Draw(CDC* pDC, CWorkbenchView* pView)
{
  PCTRACE(TT_JOINING, TL_VERBOSE)("CJoinItem::Draw(). \n");
  if (!pView->GetShowJoins())
    return;
  {
    CScaleViewTranslator translator(pView->GetCategoryMap(), pDC, pView);
    translator.TranslateEntity(*m_OutlineEnts[1]);
  }
  DrawMarkerText(pDC, pView, FALSE);
}

void CJoinItem::DrawHandles(CDC* pDC, CWorkbenchView* pView)
{
  if (pView->GetShowJoins())
    DrawMarkerText(pDC, pView, TRUE);
}

void CJoinItem::DrawMarkerText(CDC* pDC, CWorkbenchView* pView, BOOL bSelected)
{
  if (!m_pJoin)
    return;
  const int saved = pDC->SaveDC();
  if (g_pMarkerFont)
    pDC->SelectObject(g_pMarkerFont);
  pDC->SetTextColor(bSelected ? kWhite : g_markerColor);
  pDC->SetBkColor(bSelected ? g_markerColor : kWhite);
  pDC->SetBkMode(OPAQUE);
  pDC->SetTextAlign(TA_CENTER | TA_TOP);
  const CPoint at = pView->WorldToClient(GetMarkerLine().GetStartPoint());
  pDC->TextOut(at.x, at.y - kTextRise, m_pJoin->GetJoinTypeCode());
  pDC->RestoreDC(saved);
}

BOOL CJoinItem::Move(const CVRX2DPoint&, CWorkbenchView*)
{
  PCTRACE(TT_JOINING, TL_VERBOSE)("Calling Move() on a CJoinItem. \n");
  return FALSE;
}

BOOL CJoinItem::HitTest(const CVRX2DPoint& point, CWorkbenchView* pView)
{
  return ContainsWithinReach(*m_OutlineEnts[1], point, pView);
}

void CJoinItem::Edit(CWorkbenchView* pView)
{
  CJoinPropertiesDlg sheet(pView, this, pView);
  sheet.DoModal();
  CDesignItem::Edit(pView);
}

void CJoinItem::Add(CWorkbenchView* pView)
{
  PCTRACE(TT_JOINING, TL_VERBOSE)("CJoinItem::Add() \n");
  CLineSegmentItem::Add(pView);
}

void CJoinItem::Delete(CWorkbenchView* pView)
{
  PCTRACE(TT_JOINING, TL_VERBOSE)("CJoinItem::Delete() \n");
  m_FirstSide.m_pUnitItem = nullptr;
  m_SecondSide.m_pUnitItem = nullptr;
  CLineSegmentItem::Delete(pView);
}

void CJoinItem::GetJoinedItems(const CDesignItem*& pFirst, const CDesignItem*& pSecond) const
{
  pFirst = m_FirstSide.m_pUnitItem;
  pSecond = m_SecondSide.m_pUnitItem;
}

BOOL CJoinItem::JoinsUnit(const CUnitItem* pUnitItem) const { return JoinsItem(pUnitItem); }

void CJoinItem::GetUnitItems(CUnitItem*& pFirst, CUnitItem*& pSecond) const
{
  pFirst = m_FirstSide.m_pUnitItem;
  pSecond = m_SecondSide.m_pUnitItem;
}

void CJoinItem::GetSide(const CUnitItem* pUnitItem, CJoinSide& side) const
{
  if (pUnitItem && m_FirstSide.m_pUnitItem == pUnitItem)
    side = m_FirstSide;
  else if (pUnitItem && m_SecondSide.m_pUnitItem == pUnitItem)
    side = m_SecondSide;
  else
    throw CAppFatalException(kModule, kNotOnEitherSideLine);
}

double CJoinItem::GetTotalSpacing() const
{
  return static_cast<double>(m_FirstSide.m_fSpacing) + static_cast<double>(m_SecondSide.m_fSpacing);
}

void CJoinItem::AddUnit(int side, CUnitItem* pUnitItem, int componentIndex, int componentID, float spacing)
{
  if (side != 1 && side != 2)
    throw CAppFatalException(kModule, kSideLine);
  if (componentIndex < 0)
    throw CAppFatalException(kModule, kNegativeIndexLine);
  if (componentIndex >= pUnitItem->GetComponentOutlines()->GetSize())
    throw CAppFatalException(kModule, kIndexBeyondLine);
  if (componentID <= 0)
    throw CAppFatalException(kModule, kBadIdLine);
  PCTRACE(TT_JOINING, TL_DETAIL)
  ("Adding unit 0x%08X to join 0x%08X.\n", static_cast<unsigned>(reinterpret_cast<uintptr_t>(pUnitItem)),
   static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)));
  CJoinSide& target = side == 1 ? m_FirstSide : m_SecondSide;
  if (!target.IsEmpty())
    throw CAppFatalException(kModule, kSideTakenLine);
  target.m_pUnitItem = pUnitItem;
  target.m_nComponentIndex = componentIndex;
  target.m_nComponentID = componentID;
  target.m_fSpacing = spacing;
}

void CJoinItem::UpdateCJoinInfo()
{
  PCTRACE(TT_JOINING, TL_DETAIL)("UpdateCJoinInfo() called.\n");
  const int type = m_pJoin ? m_pJoin->GetJoinTypeID() : 0;
  const int first = m_FirstSide.m_nComponentID;
  const int second = m_SecondSide.m_nComponentID;
  if (!m_pJoin || (!CJoin::CanBeJoined(type, first, second) && !CJoin::CanBeJoined(type, second, first)))
    throw CAppFatalException(kModule, kTypeNotAllowedLine);
  m_FirstSide.m_fSpacing = m_pJoin->GetFirstOffset();
  m_SecondSide.m_fSpacing = m_pJoin->GetSecondOffset();
  PCTRACE(TT_JOINING, TL_DETAIL)
  ("Updated Join Info -- Join ID: %d; Join Description Code: %s, Sum Of Component Spacings: %6.3f\n", type,
   m_pJoin->GetJoinTypeCode().c_str(), GetTotalSpacing());
}

namespace {
CString RefusalOf(CWorkbenchView::EJoinSpacingMove move)
{
  const CString start = "The units could not be repositioned for this joining type: ";
  switch (move) {
  case CWorkbenchView::EJoinSpacingMove::OffSquare:
    return start + "a unit would leave the Workbench.";
  case CWorkbenchView::EJoinSpacingMove::IntoUnit:
    return start + "a unit would be moved into another unit.";
  case CWorkbenchView::EJoinSpacingMove::HeldTogether:
    return start + "the two units are held together by other joins or by a group.";
  default:
    return CString();
  }
}
}  // namespace

BOOL CJoinItem::RepositionUnits(int mode, double previousTotal, CWorkbenchView* pView, CString& refusal)
{
  const CVRX2DEntityArray& first = *m_FirstSide.m_pUnitItem->GetComponentOutlines();
  const CVRX2DEntityArray& second = *m_SecondSide.m_pUnitItem->GetComponentOutlines();
  const CVRX2DEntity* pLine1 = first[m_FirstSide.m_nComponentIndex];
  const CVRX2DEntity* pLine2 = second[m_SecondSide.m_nComponentIndex];
  if (pLine1->GetType() != VRX_LINE || pLine2->GetType() != VRX_LINE)
    throw CAppFatalException(kModule, kNotALineLine);
  const CVRXAngle direction1 = static_cast<const CVRX2DLine*>(pLine1)->GetAngle() + VRX_HALF_PI;
  const CVRXAngle direction2 = static_cast<const CVRX2DLine*>(pLine2)->GetAngle() + VRX_HALF_PI;
  const double delta = static_cast<float>(GetTotalSpacing() - previousTotal);
  CVRX2DVector move1;
  CVRX2DVector move2;
  CVRX2DVector joinMove;
  switch (mode) {
  case 0:
    move1 = CVRX2DVector(delta, direction1);
    joinMove = CVRX2DVector(delta / 2.0, direction1);
    break;
  case 1:
    move2 = CVRX2DVector(delta, direction2);
    joinMove = CVRX2DVector(delta / 2.0, direction2);
    break;
  case 2:
    move1 = CVRX2DVector(delta / 2.0, direction1);
    move2 = CVRX2DVector(delta / 2.0, direction2);
    break;
  default:
    throw CAppFatalException(kModule, kModeLine);
  }
  // The units joined on beyond each moving unit go with it: a unit pushed into the next one, or
  // pulled away from it, would lose that join, or stand inside it.
  refusal = RefusalOf(pView->MoveToJoinSpacing(*this, move1, move2, joinMove));
  if (!refusal.IsEmpty())
    return FALSE;
  pView->VerifyAllJoins(nullptr);
  return TRUE;
}
