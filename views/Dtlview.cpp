#include "views/Dtlview.h"

#include "document/Doc.h"
#include "document/Dochints.h"
#include "document/Docviews.h"
#include "model/Dtlspec.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "ui/dlg/DataExch.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/wnd/CmdTarget.h"
#include "project/DocServices.h"
#include "project/Projprefs.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"
#include "views/Asmdtl.h"
#include "views/Viewerr.h"
#include "views/Viewsvc.h"

namespace {
// The detail scales: list 2 metric, list 0 imperial.
constexpr int kMetricDetailScales = 2;
constexpr int kImperialDetailScales = 0;
constexpr int kInstructionHeight = 14;
constexpr int kInstructionDrop = 30;
}  // namespace

const char* const CDetailView::kNoDetailText = "No detail is selected to display.  "
                                               "You can select a detail in the Workbench by "
                                               "dragging the cursor across the side of a unit.";

IMPLEMENT_DYNCREATE(CDetailView, CAspectView)

BEGIN_MESSAGE_MAP(CDetailView, CAspectView)
  ON_COMMAND(IDC_INSTALLATION_FLANGE, OnInstallationFlange)
  ON_UPDATE_COMMAND_UI(IDC_INSTALLATION_FLANGE, OnUpdateInstallationFlange)
END_MESSAGE_MAP()

CDetailView::CDetailView()
{
  PCTRACE(TT_VIEWS, TL_DETAIL)("Constructing the Detail view. \n");
  // The base's constructor chose from the drawing scales; the detail takes the detail scales.
  SetPrintScaleListFromUnits();
}

CDetailView::~CDetailView() { PCTRACE(TT_VIEWS, TL_DETAIL)("Destructing the Detail view. \n"); }

void CDetailView::SetPrintScaleListFromUnits()
{
  m_nPrintScaleList = GetDocServices().GetMeasurementUnits() == CUnitsConverter::metricMillimeters
                          ? kMetricDetailScales
                          : kImperialDetailScales;
}

void CDetailView::OnInitialUpdate()
{
  PCTRACE(TT_VIEWS, TL_VERBOSE)("CDetailView::OnInitialUpdate. \n");
  CAspectView::OnInitialUpdate();
}

void CDetailView::OnUpdate(CView*, LPARAM lHint, CObject* pHint)
{
  CWaitCursor wait;
  PCTRACE(TT_VIEWS, TL_DETAIL)("OnUpdate: Hint = %d.\n", static_cast<int>(lHint));
  switch (lHint) {
  case kHintPlan:
    SetPrintScaleListFromUnits();
    return;
  case kHintInitial:
  case kHintDetailSelector:
  case kHintColours:
  case kHintBarChanged:
    break;
  default:
    return;
  }
  if (lHint == kHintDetailSelector) {
    m_pSelection.reset();
    m_Entities.RemoveAll();
  }
  if (auto* pSelection = dynamic_cast<CDetailSelection*>(pHint)) {
    m_pSelection.reset(pSelection->CloneSelection());
    auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
    if (m_pSelection->GetDetailKind() == 0)
      m_nShowFlange = pDoc && pDoc->GetProjectPrefs().GetShowInstallationFlange() ? 1 : 0;
    else
      m_nShowFlange = 0;
    UpdateBarData(FALSE);
  }
  if (CViewServices* pServices = GetViewServices())
    SetScreenCategoryMap(pServices->CreateTranslationMap());
  if (m_pSelection)
    AssembleDetail(*m_pSelection);
  InvalidateRect(nullptr, TRUE);
}

void CDetailView::AssembleDetail(CDetailSelection& selection)
{
  CWaitCursor wait;
  const int flangeMode = m_nShowFlange == 1 ? 0 : CDetailAssembler::kHideFlange;
  RunViewRebuild(this, m_Entities, m_bFailureTold, [&] {
    CDetailAssembler assembler;
    CDetailSpecification first = selection.GetFirstDetailSpec();
    CDetailSpecification second = selection.GetSecondDetailSpec();
    BOOL built = TRUE;
    switch (selection.GetDetailKind()) {
    case 0:
      built = assembler.Assemble(flangeMode, &first, selection.GetFirstUnit(), &m_Entities);
      break;
    case 1:
      built = assembler.Assemble(flangeMode, &first, selection.GetFirstUnit(), selection.GetDetailOffset(), &second,
                                 selection.GetSecondUnit(), &m_Entities);
      break;
    case 2: {
      CDetailSpecification join = selection.GetJoinDetailSpec();
      const double spacing = selection.GetJoinSideSpacing();
      built = assembler.Assemble(flangeMode, &first, selection.GetFirstUnit(), selection.GetDetailOffset() - spacing,
                                 &second, selection.GetSecondUnit(), spacing, &join, selection.GetSelectedJoin(),
                                 &m_Entities);
      break;
    }
    default:
      break;
    }
    if (!built)
      m_Entities.RemoveAll();
  });
}

void CDetailView::DoDataExchange(CDataExchange* pDX)
{
  PCTRACE(TT_VIEWS, TL_VERBOSE)("CDetailView::DoDataExchange\n");
  CWnd* pBar = GetDialogBarWnd();
  if (!pBar)
    return;
  pDX->m_pDlgWnd = pBar;
  DDX_Check(pDX, IDC_INSTALLATION_FLANGE, m_nShowFlange);
}

void CDetailView::OnInstallationFlange()
{
  m_nShowFlange = m_nShowFlange == 1 ? 0 : 1;
  UpdateBarData(FALSE);
  OnUpdate(this, kHintBarChanged, nullptr);
}

void CDetailView::OnUpdateInstallationFlange(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nShowFlange); }

void CDetailView::OnDraw(CDC* pDC)
{
  CAspectView::OnDraw(pDC);
  if (m_Entities.GetSize() == 0)
    DrawInstruction(pDC);
}

// On paper the text keeps its screen size and stands on the printable page, not in the
// window's client area.
void CDetailView::DrawInstruction(CDC* pDC)
{
  const int saved = pDC->SaveDC();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetWindowOrg(0, 0);
  pDC->SetViewportOrg(0, 0);
  pDC->SetBkMode(TRANSPARENT);
  CRect area;
  int height = kInstructionHeight;
  if (pDC->IsPrinting()) {
    area = CRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    height = kInstructionHeight * pDC->GetDeviceCaps(LOGPIXELSY) / CDC::GetScreenLogPixels().cy;
  } else {
    GetClientRect(&area);
  }
  CFont font;
  font.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
  pDC->SelectObject(&font);
  const int quarter = area.Width() / 4;
  area.DeflateRect(quarter, 0);
  area.top += pDC->IsPrinting() ? kInstructionDrop * height / kInstructionHeight : kInstructionDrop;
  pDC->DrawText(kNoDetailText, &area, DT_LEFT | DT_WORDBREAK);
  pDC->RestoreDC(saved);
}
