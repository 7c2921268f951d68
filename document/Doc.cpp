#include "document/Doc.h"

#include "document/Docviews.h"
#include "document/Whframe.h"
#include "platform/core/Archive.h"
#include "platform/core/Atomfile.h"
#include "ui/dlg/DialogService.h"
#include "ui/dlg/Progress.h"
#include "ui/frame/Frame.h"
#include "ui/docview/View.h"
#include "ui/wnd/WinApp.h"
#include "project/DocServices.h"
#include "project/Docmsg.h"
#include "support/Trace.h"

IMPLEMENT_SERIAL(CDoc, CDocument, VERSIONABLE_SCHEMA | 10000)

BEGIN_MESSAGE_MAP(CDoc, CDocument)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

void RegisterDocumentClasses() { CRuntimeClass::Register(RUNTIME_CLASS(CDoc)); }

namespace {

const CRuntimeClass* g_viewClasses[CDoc::projectViewCount] = {};

// The report frames say which report their view shows: 0 schedule, 1 unit information.
int ReportKindOf(CDoc::ProjectView kind)
{
  switch (kind) {
  case CDoc::scheduleReportView:
    return 0;
  case CDoc::unitInfoReportView:
    return 1;
  default:
    return -1;
  }
}

}  // namespace

CDoc::CDoc() : m_project(*this)
{
  PCTRACE(TT_DOCUMENT, TL_DETAIL)("CDoc construction \n");
  SetProjectModified(FALSE);
}

CDoc::~CDoc() { PCTRACE(TT_DOCUMENT, TL_DETAIL)("CDoc destruction \n"); }

int CDoc::MessageBox(const CString& text, UINT type) const
{
  return DialogService().MessageBox(AfxGetMainWnd(), text, GetDocServices().GetProductName(), type, 0);
}

BOOL CDoc::OnNewDocument()
{
  if (!CDocument::OnNewDocument())
    return FALSE;
  GetProjectPrefs().SetDefaults();
  SetProjectModified(FALSE);
  m_bMade = TRUE;
  return TRUE;
}

BOOL CDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
  DeleteContents();
  try {
    m_project.Open(lpszPathName);
    m_pOpenProgress.reset();
  } catch (const CDesignLoadCancelled&) {
    // A stopped opening leaves no half-read project behind.
    m_pOpenProgress.reset();
    PCTRACE(TT_DOCUMENT, TL_IMPORTANT)("Opening the project was cancelled.\n");
    DeleteContents();
    return FALSE;
  } catch (...) {
    m_pOpenProgress.reset();
    std::exception_ptr failure = std::current_exception();
    PCTRACE(TT_DOCUMENT, TL_WARNING)("Project file could not be opened.\n");
    const CString copy = IsFileInUse(failure) ? CString() : CAtomicFile::DifferingCompleteCopyOf(lpszPathName);
    MessageBox(GetOpenFailureMessage(failure, lpszPathName, GetDocServices().GetProductName(), copy),
               MB_ICONEXCLAMATION | MB_OK);
    CAtomicFile::NoteCopyTold(copy);
    return FALSE;
  }
  SetProjectModified(FALSE);
  m_bMade = TRUE;
  // A copy beside the file tells of a save that did not end; the bytes, not the times, say
  // whether the file holds it.
  if (const CString copy = CAtomicFile::DifferingCompleteCopyOf(lpszPathName); !copy.IsEmpty()) {
    MessageBox(GetNewerCopyMessage(lpszPathName, copy, CAtomicFile::IsUnwrittenSince(lpszPathName, copy)),
               MB_ICONINFORMATION | MB_OK);
    CAtomicFile::NoteCopyTold(copy);
  }
  GetDocServices().CloseInitialUntitledProject();
  return TRUE;
}

BOOL CDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
  if (!OkToSaveAt(lpszPathName))
    return FALSE;
  try {
    m_project.Save(lpszPathName);
  } catch (...) {
    MessageBox(GetSaveFailureMessage(std::current_exception(), lpszPathName), MB_ICONEXCLAMATION | MB_OK);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDoc::OkToSaveAt(const CString& path) const
{
  CString question;
  if (m_project.IsChangedOnDisk(path))
    question.Format("The file %s has been changed by another program since it was opened or last saved.\n\n"
                    "Do you want to replace it with this project?",
                    static_cast<LPCTSTR>(path));
  else if (m_project.IsGoneFromDisk(path))
    question.Format("The file %s has been renamed or removed since it was opened or last saved.\n\n"
                    "Do you want to save this project as a new file under that name?",
                    static_cast<LPCTSTR>(path));
  return question.IsEmpty() || MessageBox(question, MB_ICONEXCLAMATION | MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void CDoc::OnChangedViewList()
{
  // Before the base class, which may delete the document when its last view went.
  CWarehouseFrame::ForgetClosedFrames(this);
  // A last view that went without the project's close (its frame destroyed alone) leaves nothing
  // to keep the project open in: the edited design is offered for storing, and the base class
  // then offers the changed project for saving.
  if (m_viewList.IsEmpty() && m_bAutoDelete && m_bMade) {
    // The Workbench has gone: a store that fails there leaves the design as the project holds it.
    if (GetEditedDesign())
      StoringWhere(GetEditedDesignIndex() >= 0 ? NotStored::keptAsLastStored : NotStored::notInProject,
                   [this] { return StoreEditedDesign(TRUE, FALSE); });
    UpdateProjectModified();
  }
  CDocument::OnChangedViewList();
}

void CDoc::OnCloseDocument()
{
  m_project.CloseFile();
  CDocument::OnCloseDocument();
}

void CDoc::SetProjectModified(BOOL modified)
{
  SetModifiedFlag(modified);
  m_project.TakeChecksum();
}

BOOL CDoc::IsProjectModified()
{
  if (IsModified())
    return TRUE;
  if (!m_project.HasChanged())
    return FALSE;
  SetModifiedFlag(TRUE);
  return TRUE;
}

void CDoc::UpdateProjectModified() { SetProjectModified(IsProjectModified()); }

BOOL CDoc::CommitTypedProjectName(BOOL tell)
{
  auto* owner = dynamic_cast<CDesignListOwner*>(GetWarehouseView());
  return !owner || owner->CommitProjectName(tell);
}

BOOL CDoc::TakeTypedValues()
{
  if (!CommitTypedProjectName())
    return FALSE;
  for (POSITION pos = GetFirstViewPosition(); pos;)
    if (auto* holder = dynamic_cast<CTypedValuesHolder*>(GetNextView(pos)); holder && !holder->TakeTypedValues())
      return FALSE;
  return TRUE;
}

void CDoc::OnFileClose()
{
  if (!OkToCloseEditedDesign())
    return;
  UpdateProjectModified();
  // The file stays locked until the class library's close has asked about saving: a cancelled
  // close keeps the project open and held.
  CDocument::OnFileClose();
}

BOOL CDoc::OkToSaveEditedDesign()
{
  return StoringWhere(NotStored::saveStopped, [this] { return OkToCloseEditedDesign(); });
}

void CDoc::OnFileSave()
{
  if (!OkToSaveEditedDesign())
    return;
  CDocument::OnFileSave();
  UpdateFrameTitles();
}

void CDoc::OnFileSaveAs()
{
  if (!OkToSaveEditedDesign())
    return;
  CDocument::OnFileSaveAs();
  UpdateFrameTitles();
}

void CDoc::SetViewClass(ProjectView kind, const CRuntimeClass* viewClass) { g_viewClasses[kind] = viewClass; }

CView* CDoc::FindView(ProjectView kind) const
{
  const CRuntimeClass* viewClass = g_viewClasses[kind];
  if (!viewClass)
    return nullptr;
  const int reportKind = ReportKindOf(kind);
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (!view->IsKindOf(viewClass))
      continue;
    if (reportKind < 0)
      return view;
    auto* frame = dynamic_cast<CReportKindSource*>(view->GetParentFrame());
    if (frame && frame->GetReportKind() == reportKind)
      return view;
  }
  return nullptr;
}

void CDoc::MoveViewToHead(CView* view)
{
  if (POSITION pos = m_viewList.Find(view)) {
    m_viewList.RemoveAt(pos);
    m_viewList.AddHead(view);
  }
}

void CDoc::UpdateFrameTitles()
{
  if (auto* mainFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
    mainFrame->OnUpdateFrameTitle(TRUE);
  for (CView* view : {GetWorkbenchView(), GetPlanView(), GetElevationView(), GetDetailView(), GetScheduleReportView(),
                      GetUnitInfoReportView()})
    if (view && view->GetParentFrame())
      view->GetParentFrame()->OnUpdateFrameTitle(TRUE);
}
