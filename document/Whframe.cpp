#include "document/Whframe.h"

#include <algorithm>
#include <map>

#include "document/Doc.h"
#include "document/Docviews.h"
#include "document/Whsvc.h"
#include "ui/docview/DocTempl.h"
#include "ui/docview/View.h"
#include "ui/wnd/WinApp.h"

IMPLEMENT_DYNCREATE(CWarehouseFrame, CMDIChildWnd)

namespace {
CDoc* lastActivatedProject = nullptr;
// The view frames of inactive projects that were visible when their project stepped back, with
// their project. A frame leaves as soon as it is closed, so that a new frame that happens to get
// its address is not taken for it.
std::map<CFrameWnd*, CDoc*> framesToShowAgain;

// A drawing frame keeps its own flag as well.
void RememberVisibility(CFrameWnd* pFrame, CDoc* pDoc)
{
  const BOOL visible = pFrame->IsWindowVisible();
  if (auto* pFlag = dynamic_cast<CReactivationFlag*>(pFrame))
    pFlag->SetVisibleOnReactivation(visible);
  if (visible)
    framesToShowAgain[pFrame] = pDoc;
  else
    framesToShowAgain.erase(pFrame);
}

// A frame comes forward when it was visible as its project stepped back; one made while its
// project was in the background never was.
BOOL ComesForward(CFrameWnd* pFrame)
{
  if (framesToShowAgain.erase(pFrame) == 0)
    return FALSE;
  auto* pFlag = dynamic_cast<CReactivationFlag*>(pFrame);
  return !pFlag || pFlag->GetVisibleOnReactivation();
}

std::vector<CFrameWnd*> ViewFrames(CDoc* pDoc)
{
  std::vector<CFrameWnd*> frames;
  for (CView* pView : {pDoc->GetWorkbenchView(), pDoc->GetPlanView(), pDoc->GetElevationView(), pDoc->GetDetailView(),
                       pDoc->GetScheduleReportView(), pDoc->GetUnitInfoReportView()})
    if (pView)
      frames.push_back(pView->GetParentFrame());
  return frames;
}
}  // namespace

CDoc* CWarehouseFrame::GetLastActivatedProject() { return lastActivatedProject; }

CDoc* CWarehouseFrame::GetProject() { return dynamic_cast<CDoc*>(GetActiveDocument()); }

BOOL CWarehouseFrame::PreCreateWindow(CREATESTRUCT& cs)
{
  // The frame keeps the size of its form.
  cs.style &= ~WS_THICKFRAME;
  return CMDIChildWnd::PreCreateWindow(cs);
}

int CWarehouseFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
    return -1;
  GetWarehouseServices().RemoveDebugMenu(m_hMenuShared);
  return 0;
}

void CWarehouseFrame::OnDestroy()
{
  if (GetProject() == lastActivatedProject)
    lastActivatedProject = nullptr;
  CMDIChildWnd::OnDestroy();
}

void CWarehouseFrame::OnClose()
{
  // Closed alone, the list would leave the project open with nothing to bring it back, and its
  // last window's going would close it without the save question: the project asks (the
  // Workbench's store question, then the save question) and closes with all its windows, or a
  // cancel keeps them all.
  if (CDoc* pDoc = GetProject()) {
    pDoc->OnCmdMsg(ID_FILE_CLOSE, CN_COMMAND, nullptr);
    return;
  }
  CMDIChildWnd::OnClose();
}

void CWarehouseFrame::ForgetClosedFrames(CDoc* pDoc)
{
  const std::vector<CFrameWnd*> live = ViewFrames(pDoc);
  std::erase_if(framesToShowAgain, [&](const auto& entry) {
    return entry.second == pDoc && std::find(live.begin(), live.end(), entry.first) == live.end();
  });
}

void CWarehouseFrame::OnUpdateFrameTitle(BOOL)
{
  if (CDoc* pDoc = GetProject())
    SetWindowText(pDoc->GetTitle());
}

void CWarehouseFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  CDoc* pDoc = GetProject();
  if (bActivate && pDoc && pDoc != lastActivatedProject)
    BringProjectForward(pDoc);
}

void CWarehouseFrame::BringProjectForward(CDoc* pDoc)
{
  // The window the user chose stays the active one: a sub-window shown takes the activation
  // even when asked not to.
  auto* pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  CMDIChildWnd* pChosen = pMain ? pMain->MDIGetActive() : nullptr;
  CDoc* pPrevious = lastActivatedProject;
  lastActivatedProject = pDoc;
  pDoc->UpdateFrameTitles();
  CDocTemplate* pTemplate = pDoc->GetDocTemplate();
  POSITION pos = pTemplate->GetFirstDocPosition();
  while (pos) {
    auto* pOther = static_cast<CDoc*>(pTemplate->GetNextDoc(pos));
    if (pOther == pDoc)
      continue;
    for (CFrameWnd* pFrame : ViewFrames(pOther)) {
      // Only the project that was active until now shows its windows as the user left them;
      // the others stepped back before and keep what they remembered then.
      if (pOther == pPrevious)
        RememberVisibility(pFrame, pOther);
      pFrame->ShowWindow(SW_HIDE);
    }
  }
  for (CFrameWnd* pFrame : ViewFrames(pDoc))
    if (ComesForward(pFrame))
      pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  if (pChosen && pChosen->m_hWnd && pChosen->IsWindowVisible() && pMain->MDIGetActive() != pChosen)
    pMain->MDIActivate(pChosen);
}
