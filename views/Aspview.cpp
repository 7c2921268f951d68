#include "views/Aspview.h"

#include <algorithm>
#include <memory>

#include "document/Doc.h"
#include "document/Dochints.h"
#include "document/Whids.h"
#include "geometry/2darc.h"
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "ui/draw/Dc.h"
#include "ui/frame/Frame.h"
#include "ui/frame/Menu.h"
#include "ui/output/Print.h"
#include "ui/wnd/WinApp.h"
#include "project/DocServices.h"
#include "support/Exceptn.h"
#include "support/Gdiutil.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"
#include "views/Adorned.h"
#include "views/Xltdata.h"
#include "views/Xltgdi.h"

namespace {
constexpr char kModule[] = "Aspview.cpp";
constexpr int kLineNoContextMenu = 236;
// The largest 16-bit logical coordinate: a drawing and its border stay within it.
constexpr double kLogicalLimit = 32767.0;
constexpr int kDefaultPageUnitsPerInch = 64;
}  // namespace

IMPLEMENT_DYNAMIC(CAspectView, CView)

BEGIN_MESSAGE_MAP(CAspectView, CView)
  ON_COMMAND(ID_PRINT_VIEW, OnPrintView)
  ON_COMMAND(ID_FILE_PRINT, OnPrintView)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnPrintPreview)
  ON_COMMAND(ID_PRINT_SCALE, OnPrintScale)
  ON_COMMAND(ID_COPY_VIEW, OnCopyView)
  ON_COMMAND(ID_EXPORT_DXF, OnExportDXF)
  ON_COMMAND(ID_VIEW_REFRESH, OnRefresh)
  ON_UPDATE_COMMAND_UI(ID_INSERT_VIEW_INTO_CAD, OnUpdateInsertViewIntoCAD)
  ON_COMMAND(ID_NEXT_PANE, OnSwitchPane)
  ON_COMMAND(ID_PREV_PANE, OnSwitchPane)
  ON_UPDATE_COMMAND_UI(ID_NEXT_PANE, OnUpdateSwitchPane)
  ON_UPDATE_COMMAND_UI(ID_PREV_PANE, OnUpdateSwitchPane)
  ON_COMMAND(IDOK, OnBarOK)
  ON_COMMAND(IDCANCEL, OnBarCancel)
  ON_UPDATE_COMMAND_UI(ID_EXPORT_DXF, OnUpdateOutputCommand)
  ON_UPDATE_COMMAND_UI(ID_PRINT_VIEW, OnUpdatePrintCommand)
  ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, OnUpdatePrintCommand)
  ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, OnUpdatePrintCommand)
  ON_UPDATE_COMMAND_UI(ID_COPY_VIEW, OnUpdateOutputCommand)
END_MESSAGE_MAP()

CAspectView::CAspectView() { SetPrintScaleListFromUnits(); }

CAspectView::~CAspectView() { delete m_pScreenCategoryMap; }

void CAspectView::SetPrintScaleListFromUnits()
{
  m_nPrintScaleList = GetDocServices().GetMeasurementUnits() == CUnitsConverter::metricMillimeters ? 3 : 1;
}

void CAspectView::SetPrintScale(int numerator, int denominator)
{
  m_nPrintScaleNumerator = numerator;
  m_nPrintScaleDenominator = denominator;
}

void CAspectView::SetScreenCategoryMap(CMapECatToXLTGDIData* pMap)
{
  if (pMap != m_pScreenCategoryMap)
    delete m_pScreenCategoryMap;
  m_pScreenCategoryMap = pMap;
}

BOOL CAspectView::CanOutput() { return IsWindowVisible() && m_Entities.GetSize() > 0; }

CVRX2DRectangle CAspectView::GetExtents()
{
  if (m_Entities.GetSize() == 0) {
    PCTRACE(TT_VIEWS, TL_WARNING)("CAspectView::GetExtents() called with no entities.\n");
    return CVRX2DRectangle();
  }
  CVRX2DRectangle extents;
  for (int i = 0; i < m_Entities.GetSize(); ++i) {
    const CVRX2DEntity* pEntity = m_Entities[i];
    CVRX2DRectangle one;
    if (const auto* pArc = dynamic_cast<const CVRX2DArc*>(pEntity)) {
      // Equal start and end angles close the arc: its whole ellipse is measured.
      std::unique_ptr<CVRX2DArc> whole(pArc->Clone());
      whole->SetStartAngle(CVRXAngle(0.0));
      whole->SetEndAngle(CVRXAngle(0.0));
      one = whole->GetExtents();
    } else {
      one = pEntity->GetExtents();
    }
    if (i == 0)
      extents = one;
    else
      extents.Include(one);
  }
  return extents;
}

CVRX2DRectangle CAspectView::GetEntityExtents() { return m_Entities.GetExtents(); }

CSize CAspectView::GetBorderAllowance(CDC* pDC)
{
  if (!pDC->IsPrinting())
    return CSize(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  return CSize(pDC->GetDeviceCaps(LOGPIXELSX) / 2, pDC->GetDeviceCaps(LOGPIXELSY) / 2);
}

void CAspectView::UpdateBarData(BOOL bSave)
{
  if (m_nBarExchangeGuard != 0)
    return;
  m_nBarExchangeGuard = 1;
  UpdateData(bSave);
  m_nBarExchangeGuard = 0;
}

CSize CAspectView::VRXToPage(const CVRX2DVector& v) const
{
  return CSize(static_cast<int>(Round(v.GetX() * m_nPageUnitsPerInch)),
               static_cast<int>(Round(v.GetY() * m_nPageUnitsPerInch)));
}

CPoint CAspectView::VRXToPage(const CVRX2DPoint& p) const
{
  return CPoint(static_cast<int>(Round(p.GetX() * m_nPageUnitsPerInch)),
                static_cast<int>(Round(p.GetY() * m_nPageUnitsPerInch)));
}

void CAspectView::CalcPageUnitsPerInch(CDC* pDC, const CVRX2DRectangle& extents)
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("Dynamic Page Units Per Inch Calculations:\n");
  const CVRX2DPoint lo = extents.GetMinPoint();
  const CVRX2DPoint hi = extents.GetMaxPoint();
  double extX = hi.GetX() - lo.GetX();
  double extY = hi.GetY() - lo.GetY();
  const CSize border = GetBorderAllowance(pDC);
  m_nPageUnitsPerInch = kDefaultPageUnitsPerInch;
  // A drawing lying wholly right of or above the origin is measured from the origin.
  if (lo.GetX() > 0.0)
    extX += lo.GetX();
  if (lo.GetY() > 0.0)
    extY += lo.GetY();
  // An axis without extent sets no limit; a drawing without any keeps the default.
  auto limit = [](double ext, int borderUnits) -> int {
    if (!(ext > 0.0))
      return 0;
    const int s = static_cast<int>(kLogicalLimit / ext);
    if (s <= 0)
      return 1;
    return std::max(1, static_cast<int>(kLogicalLimit / (static_cast<double>(borderUnits) / s + ext)));
  };
  const int sx = limit(extX, border.cx);
  const int sy = limit(extY, border.cy);
  if (sx > 0 && sy > 0)
    m_nPageUnitsPerInch = std::min(sx, sy);
  else if (sx > 0 || sy > 0)
    m_nPageUnitsPerInch = std::max(sx, sy);
  PCTRACE(TT_VIEWS, TL_DETAIL)
  ("  extents %g x %g, border %d x %d, page units per inch %d\n", extX, extY, border.cx, border.cy,
   m_nPageUnitsPerInch);
}

void CAspectView::PrepareFitDC(CDC* pDC, CPrintInfo*)
{
  pDC->SetMapMode(MM_ISOTROPIC);
  const CVRX2DRectangle full = GetExtents();
  const CVRX2DRectangle drawn = GetEntityExtents();
  CalcPageUnitsPerInch(pDC, full);
  const CSize size = VRXToPage(drawn.GetMaxPoint() - drawn.GetMinPoint());
  // A drawing without extent on an axis still needs a window extent there.
  const CSize windowExt(std::max(1, static_cast<int>(size.cx)), std::max(1, static_cast<int>(size.cy)));
  pDC->SetWindowExt(windowExt.cx, -windowExt.cy);
  const CPoint org = VRXToPage(drawn.GetMinPoint());
  pDC->SetWindowOrg(org.x, org.y);
  const CSize border = GetBorderAllowance(pDC);
  CRect area;
  if (pDC->IsPrinting())
    area = CRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
  else
    GetClientRect(&area);
  area.DeflateRect(border.cx, border.cy);
  const int w = std::max(2, area.Width());
  const int h = std::max(2, area.Height());
  pDC->SetViewportExt(w, h);
  const CSize vp = pDC->GetViewportExt();
  const CSize we = pDC->GetWindowExt();
  const long devX = static_cast<long>(windowExt.cx) * std::abs(vp.cx) / std::max(1, std::abs(we.cx));
  const long devY = static_cast<long>(windowExt.cy) * std::abs(vp.cy) / std::max(1, std::abs(we.cy));
  const int dx = static_cast<int>(std::max(w - devX, 0L) / 2);
  const int dy = static_cast<int>(std::max(h - devY, 0L) / 2);
  pDC->SetViewportOrg(border.cx + dx, area.Height() - dy + border.cy);
}

void CAspectView::PrepareScaledPrinterDC(CDC* pDC, CPrintInfo*)
{
  pDC->SetMapMode(MM_ANISOTROPIC);
  m_nPageUnitsPerInch = kDefaultPageUnitsPerInch;
  const CSize inch = VRXToPage(CVRX2DVector(1.0, 1.0));
  const int numerator = std::max(1, m_nPrintScaleNumerator);
  const CSize ext(inch.cx * m_nPrintScaleDenominator / numerator, inch.cy * m_nPrintScaleDenominator / numerator);
  pDC->SetWindowExt(ext.cx, -ext.cy);
  const CVRX2DRectangle drawn = GetEntityExtents();
  const CPoint org = VRXToPage(drawn.GetMinPoint());
  pDC->SetWindowOrg(org.x, org.y);
  pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
  // The drawing's size on the device: the mapped distance between its corners.
  const CSize size = VRXToPage(drawn.GetMaxPoint() - drawn.GetMinPoint());
  CPoint corners[2] = {org, CPoint(org.x + size.cx, org.y + size.cy)};
  pDC->LPtoDP(corners, 2);
  const int devX = std::abs(corners[1].x - corners[0].x);
  const int devY = std::abs(corners[1].y - corners[0].y);
  const int dx = std::max(pDC->GetDeviceCaps(HORZRES) - devX, 0) / 2;
  const int dy = std::max(pDC->GetDeviceCaps(VERTRES) - devY, 0) / 2;
  pDC->SetViewportOrg(dx, pDC->GetDeviceCaps(VERTRES) - dy);
}

void CAspectView::DrawEntities(CDC* pDC, const CVRX2DEntityArray& entities)
{
  if (entities.GetSize() == 0) {
    PCTRACE(TT_VIEWS, TL_DETAIL)("No entities to draw in view.\n");
    return;
  }
  CGDITranslator translator(m_pScreenCategoryMap, pDC, static_cast<double>(m_nPageUnitsPerInch));
  // The 16-bit limit is the screen's; a printer at a scale takes the larger coordinates whole.
  translator.SetClipTo16Bits(!(pDC->IsPrinting() && m_nPrintScaleNumerator != -1));
  translator.Translate(entities);
}

void CAspectView::CopyOutputEntities(CVRX2DEntityArray& output) const
{
  output.RemoveAll();
  for (int i = 0; i < m_Entities.GetSize(); ++i)
    if (!IsOutputExcludedCategory(m_Entities[i]->GetCategory()))
      output.Add(static_cast<CVRX2DEntity*>(m_Entities[i]->Duplicate()));
}

void CAspectView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
  CView::OnPrepareDC(pDC, pInfo);
  if (m_Entities.GetSize() == 0)
    return;
  if (pDC->IsPrinting() && m_nPrintScaleNumerator != -1)
    PrepareScaledPrinterDC(pDC, pInfo);
  else
    PrepareFitDC(pDC, pInfo);
  PCTRACE(TT_VIEWS, TL_DETAIL)
  ("Window org (%d,%d) ext (%d,%d), viewport org (%d,%d) ext (%d,%d)\n", pDC->GetWindowOrg().x, pDC->GetWindowOrg().y,
   pDC->GetWindowExt().cx, pDC->GetWindowExt().cy, pDC->GetViewportOrg().x, pDC->GetViewportOrg().y,
   pDC->GetViewportExt().cx, pDC->GetViewportExt().cy);
}

void CAspectView::OnDraw(CDC* pDC)
{
  CWaitCursor wait;
  if (pDC->IsPrinting()) {
    CVRX2DEntityArray output;
    CopyOutputEntities(output);
    DrawEntities(pDC, output);
  } else {
    DrawEntities(pDC, m_Entities);
  }
}

void CAspectView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
  CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
  if (bActivate)
    UpdateBarData(FALSE);
}

void CAspectView::OnUpdate(CView*, LPARAM lHint, CObject*)
{
  // Only the list the scale dialogs show follows the units. The chosen scale stays for when the
  // units change back; a dialog opened on a scale its list does not hold shows and prints
  // "Scale to Fit".
  if (lHint == kHintPlan)
    SetPrintScaleListFromUnits();
}

int CAspectView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  if (CView::OnCreate(lpCreateStruct) == -1)
    return -1;
  if (auto* pDoc = dynamic_cast<CDoc*>(GetDocument()))
    pDoc->MoveViewToHead(this);
  return 0;
}

void CAspectView::OnPaint()
{
  CPaintDC dc(this);
  OnPrepareDC(&dc, nullptr);
  OnDraw(&dc);
}

void CAspectView::OnRButtonUp(UINT nFlags, CPoint point)
{
  CView::OnRButtonUp(nFlags, point);
  CMenu menu;
  if (!menu.LoadMenu(IDR_CONTEXT_MENUS))
    throw CAppFatalException(kModule, kLineNoContextMenu);
  ClientToScreen(&point);
  menu.GetSubMenu(kViewsContextPopup)
      ->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
}

void CAspectView::OnRefresh() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE); }

CWnd* CAspectView::GetDialogBarWnd() const
{
  auto* pFrame = dynamic_cast<CDlgAdornedFrame*>(GetParentFrame());
  return pFrame ? pFrame->GetDialogBar() : nullptr;
}

void CAspectView::OnSwitchPane() { SwitchPaneWithBar(GetDialogBarWnd()); }

void CAspectView::OnUpdateSwitchPane(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CAspectView::OnBarOK() { SetFocus(); }

void CAspectView::OnBarCancel()
{
  UpdateBarData(FALSE);
  SetFocus();
}

void CAspectView::OnUpdateInsertViewIntoCAD(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void CAspectView::OnUpdateOutputCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(CanOutput()); }

BOOL CAspectView::CanPrint() { return CanOutput(); }

void CAspectView::OnUpdatePrintCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(CanPrint()); }
