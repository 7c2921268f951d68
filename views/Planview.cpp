#include "views/Planview.h"

#include <algorithm>

#include "document/Doc.h"
#include "document/Dochints.h"
#include "document/Docviews.h"
#include "model/Plansect.h"
#include "ui/dlg/DataExch.h"
#include "ui/dlg/Ddx.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "project/Projprefs.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "views/Asmplan.h"
#include "views/Viewerr.h"
#include "views/Viewsvc.h"

namespace {
constexpr const char* kModule = "Planview";
constexpr int kLineLabelFailed = 392;
constexpr double kMinWallWidth = 1.0;
constexpr double kMaxWallWidth = 120.0;
constexpr double kMinOffset = 0.0;
constexpr double kMaxOffset = 120.0;
constexpr int kLabelPoints = 12;
constexpr int kMinLabelHeight = 8;

const char* PlacementName(int placement)
{
  switch (placement) {
  case CPlanSectionPreferences::fotCentered:
    return "fotCentered";
  case CPlanSectionPreferences::fotFaceOfFrame:
    return "fotFaceOfFrame";
  case CPlanSectionPreferences::fotInstallationFlange:
    return "fotInstallationFlange";
  default:
    return "Invalid";
  }
}

CPlanSectionSwitches PlanSwitches()
{
  CViewServices* pServices = GetViewServices();
  return pServices ? pServices->GetPlanSectionSwitches() : CPlanSectionSwitches();
}
}  // namespace

IMPLEMENT_DYNCREATE(CPlanView, CAspectView)

BEGIN_MESSAGE_MAP(CPlanView, CAspectView)
  ON_EN_KILLFOCUS(IDC_PLAN_OFFSET, OnPlanParametersChanged)
  ON_EN_KILLFOCUS(IDC_PLAN_WALL_WIDTH, OnPlanParametersChanged)
  ON_CBN_SELENDOK(IDC_PLAN_SYMBOL_PLACEMENT, OnPlanParametersChanged)
END_MESSAGE_MAP()

CPlanView::CPlanView() { PCTRACE(TT_VIEWS, TL_DETAIL)("Constructing the Plan view. \n"); }

CPlanView::~CPlanView() { PCTRACE(TT_VIEWS, TL_DETAIL)("Destructing the Plan view. \n"); }

void CPlanView::OnInitialUpdate()
{
  PCTRACE(TT_VIEWS, TL_VERBOSE)("CPlanView::OnInitialUpdate. \n");
  CAspectView::OnInitialUpdate();
}

void CPlanView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("OnUpdate: Hint = %d.\n", static_cast<int>(lHint));
  CAspectView::OnUpdate(pSender, lHint, pHint);
  switch (lHint) {
  case kHintInitial:
  case kHintPlan:
  // The records point into the Workbench's units, which may have gone since they were read
  // while this view stood hidden: every rebuild reads them afresh.
  case kHintColours:
  case kHintBarChanged:
    Rebuild();
    break;
  default:
    break;
  }
}

void CPlanView::ReadRecords()
{
  m_Records.RemoveAll();
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  if (auto* pSource = pDoc ? dynamic_cast<CAspectDataSource*>(pDoc->GetWorkbenchView()) : nullptr)
    pSource->GetPlanViewInfo(m_dSelectorY, &m_Records);
}

void CPlanView::Rebuild()
{
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  if (!pDoc)
    return;
  const CPlanSectionSwitches switches = PlanSwitches();
  if (CViewServices* pServices = GetViewServices())
    SetScreenCategoryMap(pServices->CreateTranslationMap());
  const CProjectPrefs& prefs = pDoc->GetProjectPrefs();
  CPlanSectionPreferences preferences;
  // Without frames there is nothing to place: the plan is drawn centred, and the project keeps
  // the placement it stores for when frames are drawn again.
  preferences.m_FrameOffsetType = switches.FrameOn ? prefs.GetSymbolPlacement() : CPlanSectionPreferences::fotCentered;
  preferences.m_bStartEndOn = 1;
  preferences.m_bFinishEndOn = 1;
  preferences.m_dSpanInches = prefs.GetExteriorOffset();
  preferences.m_dWallThickness = prefs.GetWallWidth();
  PCTRACE(TT_VIEWS, TL_DETAIL)("ViewPrefs.m_FrameOffsetType = %s.\n", PlacementName(preferences.m_FrameOffsetType));
  PCTRACE(TT_VIEWS, TL_DETAIL)("ViewPrefs.m_dSpanInches = %6.2f\n", preferences.m_dSpanInches);
  PCTRACE(TT_VIEWS, TL_DETAIL)("ViewPrefs.m_dWallThickness = %6.2f\n", preferences.m_dWallThickness);
  m_dWallWidth = prefs.GetWallWidth();
  m_dOffset = prefs.GetExteriorOffset();
  m_nFramesDrawn = switches.FrameOn;
  m_nSymbolPlacement = preferences.m_FrameOffsetType;
  if (m_nSymbolPlacement == CPlanSectionPreferences::fotCentered && m_dOffset != 0.0)
    m_dOffset = 0.0;
  UpdateBarData(FALSE);
  EnableControls();
  const BOOL built = RunViewRebuild(this, m_Entities, m_bFailureTold, [&] {
    ReadRecords();
    CPlanAssembler assembler;
    if (!assembler.Assemble(m_Entities, switches, preferences, m_dSelectorY, &m_Records))
      m_Entities.RemoveAll();
  });
  if (!built)
    m_Records.RemoveAll();
  InvalidateRect(nullptr, TRUE);
}

BOOL CPlanView::SaveBarData()
{
  if (m_nBarExchangeGuard != 0)
    return TRUE;
  m_nBarExchangeGuard = 1;
  const BOOL saved = UpdateData(TRUE);
  m_nBarExchangeGuard = 0;
  return saved;
}

void CPlanView::DoDataExchange(CDataExchange* pDX)
{
  PCTRACE(TT_VIEWS, TL_VERBOSE)("CPlanView::DoDataExchange\n");
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  CWnd* pBar = GetDialogBarWnd();
  if (!pDoc || !pBar)
    return;
  pDX->m_pDlgWnd = pBar;
  if (!m_OffsetField.GetSafeHwnd())
    DDX_Control(pDX, IDC_PLAN_OFFSET, m_OffsetField);
  if (!m_SymbolPlacementField.GetSafeHwnd())
    DDX_Control(pDX, IDC_PLAN_SYMBOL_PLACEMENT, m_SymbolPlacementField);
  double wallWidth = m_dWallWidth;
  double offset = m_dOffset;
  int placement = m_nSymbolPlacement;
  DDX_Length(pDX, IDC_PLAN_WALL_WIDTH, wallWidth);
  DDV_Length(pDX, wallWidth, kMinWallWidth, kMaxWallWidth);
  DDX_Length(pDX, IDC_PLAN_OFFSET, offset);
  DDV_Length(pDX, offset, kMinOffset, kMaxOffset);
  DDX_CBIndex(pDX, IDC_PLAN_SYMBOL_PLACEMENT, placement);
  m_dWallWidth = wallWidth;
  m_dOffset = offset;
  m_nSymbolPlacement = placement;
  if (!pDX->m_bSaveAndValidate)
    return;
  CProjectPrefs& prefs = pDoc->GetProjectPrefs();
  prefs.SetWallWidth(m_dWallWidth);
  // Without frames the placement field is disabled and shows Centered, which is not the user's
  // choice: the stored placement and offset stay.
  if (m_nFramesDrawn) {
    prefs.SetExteriorOffset(m_dOffset);
    prefs.SetSymbolPlacement(m_nSymbolPlacement);
  }
}

void CPlanView::OnPlanParametersChanged()
{
  if (!SaveBarData())
    return;
  EnableControls();
  OnUpdate(this, kHintBarChanged, nullptr);
}

BOOL CPlanView::TakeTypedValues()
{
  CWnd* pBar = GetDialogBarWnd();
  CWnd* pFocus = CWnd::GetFocus();
  if (!pBar || !pFocus || pFocus->GetParent() != pBar)
    return TRUE;
  if (pFocus->GetDlgCtrlID() != static_cast<int>(IDC_PLAN_WALL_WIDTH) &&
      pFocus->GetDlgCtrlID() != static_cast<int>(IDC_PLAN_OFFSET))
    return TRUE;
  if (!SaveBarData())
    return FALSE;
  EnableControls();
  OnUpdate(this, kHintBarChanged, nullptr);
  return TRUE;
}

void CPlanView::EnableControls()
{
  if (m_OffsetField.GetSafeHwnd())
    m_OffsetField.EnableWindow(m_nSymbolPlacement != CPlanSectionPreferences::fotCentered);
  if (m_SymbolPlacementField.GetSafeHwnd())
    m_SymbolPlacementField.EnableWindow(m_nFramesDrawn != 0);
}

int CPlanView::GetLabelHeight(CDC* pDC)
{
  CRect client;
  GetClientRect(&client);
  const int points = pDC->GetDeviceCaps(LOGPIXELSY) * kLabelPoints / 72;
  return std::min(points, std::max(client.Height() / 12, kMinLabelHeight));
}

CSize CPlanView::GetLabelGap(CDC* pDC) { return CSize(0, GetLabelHeight(pDC) / 4); }

CSize CPlanView::GetBorderAllowance(CDC* pDC)
{
  CSize border = CAspectView::GetBorderAllowance(pDC);
  if (!pDC->IsPrinting())
    border.cy += GetLabelHeight(pDC) + GetLabelGap(pDC).cy;
  return border;
}

void CPlanView::OnDraw(CDC* pDC)
{
  CAspectView::OnDraw(pDC);
  if (!pDC->IsPrinting())
    DrawLabels(pDC);
}

void CPlanView::DrawLabels(CDC* pDC)
{
  const int height = GetLabelHeight(pDC);
  const int gap = GetLabelGap(pDC).cy;
  const int saved = pDC->SaveDC();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetWindowOrg(0, 0);
  pDC->SetViewportOrg(0, 0);
  pDC->SetBkMode(TRANSPARENT);
  CFont font;
  font.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY,
                  VARIABLE_PITCH | FF_SWISS, nullptr);
  pDC->SelectObject(&font);
  CRect area;
  GetClientRect(&area);
  area.DeflateRect(0, gap);
  area.bottom = std::max(area.bottom, area.top + 1);
  area.right = std::max(area.right, area.left + 1);
  CRect bottom = area;
  CRect top = area;
  const BOOL drawn = pDC->DrawText("Exterior", &bottom, DT_CENTER | DT_BOTTOM | DT_SINGLELINE) != 0 &&
                     pDC->DrawText("Interior", &top, DT_CENTER | DT_TOP | DT_SINGLELINE) != 0;
  pDC->RestoreDC(saved);
  if (!drawn)
    throw CAppFatalException(kModule, kLineLabelFailed);
}
