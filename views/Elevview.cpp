#include "views/Elevview.h"

#include "document/Doc.h"
#include "document/Dochints.h"
#include "document/Docviews.h"
#include "ui/dlg/DataExch.h"
#include "ui/wnd/CmdTarget.h"
#include "project/Projprefs.h"
#include "support/Trace.h"
#include "views/Asmelev.h"
#include "views/Viewerr.h"
#include "views/Viewsvc.h"

namespace {
// The elevation is always drawn with two lines.
constexpr int kElevationLines = 2;
}  // namespace

IMPLEMENT_DYNCREATE(CElevationView, CAspectView)

BEGIN_MESSAGE_MAP(CElevationView, CAspectView)
  ON_COMMAND(ID_TOGGLE_SHOW_GRILLES, OnToggleShowGrilles)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_SHOW_GRILLES, OnUpdateToggleShowGrilles)
  ON_COMMAND(ID_TOGGLE_SHOW_OPERATION, OnToggleShowOperation)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_SHOW_OPERATION, OnUpdateToggleShowOperation)
END_MESSAGE_MAP()

CElevationView::CElevationView() { PCTRACE(TT_VIEWS, TL_DETAIL)("Constructing the Elevation view. \n"); }

CElevationView::~CElevationView() { PCTRACE(TT_VIEWS, TL_DETAIL)("Destructing the Elevation view. \n"); }

void CElevationView::OnInitialUpdate() { CAspectView::OnInitialUpdate(); }

void CElevationView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
  CAspectView::OnUpdate(pSender, lHint, pHint);
  switch (lHint) {
  case kHintInitial:
  case kHintElevation:
  case kHintBarChanged:
    UpdateBarData(FALSE);
    Rebuild();
    InvalidateRect(nullptr, TRUE);
    RenewScreenCategoryMap();
    break;
  case kHintColours:
    RenewScreenCategoryMap();
    break;
  default:
    break;
  }
}

void CElevationView::Rebuild()
{
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  auto* pSource = pDoc ? dynamic_cast<CAspectDataSource*>(pDoc->GetWorkbenchView()) : nullptr;
  if (!pSource) {
    // No Workbench to ask: nothing to draw.
    m_Entities.RemoveAll();
    return;
  }
  const BOOL showOperation = pDoc->GetProjectPrefs().GetShowOperation();
  const BOOL showGrilles = pDoc->GetProjectPrefs().GetShowGrilles();
  RunViewRebuild(this, m_Entities, m_bFailureTold, [&] {
    CElevationViewInfoArray units;
    pSource->GetElevationViewUnits(units);
    CElevationAssembler assembler;
    assembler.Assemble(m_Entities, units, showOperation, showGrilles, kElevationLines);
  });
}

void CElevationView::RenewScreenCategoryMap()
{
  if (CViewServices* pServices = GetViewServices())
    SetScreenCategoryMap(pServices->CreateTranslationMap());
}

void CElevationView::DoDataExchange(CDataExchange* pDX)
{
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  CWnd* pBar = GetDialogBarWnd();
  if (!pDoc || !pBar)
    return;
  pDX->m_pDlgWnd = pBar;
  CProjectPrefs& prefs = pDoc->GetProjectPrefs();
  int showOperation = prefs.GetShowOperation() ? 1 : 0;
  int showGrilles = prefs.GetShowGrilles() ? 1 : 0;
  DDX_Check(pDX, ID_TOGGLE_SHOW_OPERATION, showOperation);
  DDX_Check(pDX, ID_TOGGLE_SHOW_GRILLES, showGrilles);
  if (pDX->m_bSaveAndValidate) {
    prefs.SetShowOperation(showOperation);
    prefs.SetShowGrilles(showGrilles);
  }
}

void CElevationView::OnToggleShowGrilles()
{
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  if (!pDoc)
    return;
  CProjectPrefs& prefs = pDoc->GetProjectPrefs();
  prefs.SetShowGrilles(prefs.GetShowGrilles() ? 0 : 1);
  UpdateBarData(FALSE);
  OnUpdate(this, kHintBarChanged, nullptr);
}

void CElevationView::OnUpdateToggleShowGrilles(CCmdUI* pCmdUI)
{
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  pCmdUI->SetCheck(pDoc && pDoc->GetProjectPrefs().GetShowGrilles() ? 1 : 0);
}

void CElevationView::OnToggleShowOperation()
{
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  if (!pDoc)
    return;
  CProjectPrefs& prefs = pDoc->GetProjectPrefs();
  prefs.SetShowOperation(prefs.GetShowOperation() ? 0 : 1);
  UpdateBarData(FALSE);
  OnUpdate(this, kHintBarChanged, nullptr);
}

void CElevationView::OnUpdateToggleShowOperation(CCmdUI* pCmdUI)
{
  auto* pDoc = dynamic_cast<CDoc*>(GetDocument());
  pCmdUI->SetCheck(pDoc && pDoc->GetProjectPrefs().GetShowOperation() ? 1 : 0);
}
