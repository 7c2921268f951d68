#include "document/Doc.h"

#include <cstring>

#include "document/Chkfile.h"
#include "document/DocServices.h"
#include "document/Docmsg.h"
#include "document/Docviews.h"
#include "document/Whframe.h"
#include "platform/core/Archive.h"
#include "platform/ui/dlg/DialogService.h"
#include "platform/ui/frame/Frame.h"
#include "platform/ui/docview/View.h"
#include "platform/ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_SERIAL(CDoc, CDocument, VERSIONABLE_SCHEMA | 10000)

BEGIN_MESSAGE_MAP(CDoc, CDocument)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

constexpr const char* kModule = "Doc";
constexpr int kNotProjectFileLine = 318;

constexpr int kTagLength = 15;
constexpr int kBufferSize = 4096;

// "TPF-1.x" padded with blanks to 15 characters, no length prefix.
CString ProjectFileTag()
{
  CString tag = CString::Formatted("TPF-%d.x", 1);
  while (tag.GetLength() < kTagLength)
    tag += ' ';
  return tag;
}

BOOL IsOfClassNamed(const CObject* object, const char* className)
{
  for (const CRuntimeClass* c = object->GetRuntimeClass(); c; c = c->m_pBaseClass)
    if (std::strcmp(c->m_lpszClassName, className) == 0)
      return TRUE;
  return FALSE;
}

} // namespace

CDoc::CDoc()
{
  PCTRACE(TT_DOCUMENT, TL_DETAIL)("CDoc construction \n");
  SetProjectModified(FALSE);
}

CDoc::~CDoc()
{
  PCTRACE(TT_DOCUMENT, TL_DETAIL)("CDoc destruction \n");
  m_projectFile.Close();
  delete m_pEditedDesign;
  delete m_pIterationDesign;
}

int CDoc::MessageBox(const CString& text, UINT type) const
{
  return DialogService().MessageBox(AfxGetMainWnd(), text, GetDocServices().GetProductName(), type, 0);
}

BOOL CDoc::OnNewDocument()
{
  if (!CDocument::OnNewDocument())
    return FALSE;
  m_projectPrefs.SetDefaults();
  SetProjectModified(FALSE);
  return TRUE;
}

BOOL CDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
  DeleteContents();
  try {
    m_projectFile.Open(lpszPathName);
    m_projectFile.Read([this](CArchive& ar) { Serialize(ar); });
    // Units of types added to the catalogue since the project was saved can be placed too.
    m_projectPrefs.GetOptionsPrefs().GetChoicesArray().AddMissingTypes();
  } catch (...) {
    std::exception_ptr failure = std::current_exception();
    PCTRACE(TT_DOCUMENT, TL_WARNING)("Project file could not be opened.\n");
    m_projectFile.Close();
    MessageBox(GetOpenFailureMessage(failure, lpszPathName, GetDocServices().GetProductName()), MB_ICONEXCLAMATION | MB_OK);
    return FALSE;
  }
  SetProjectModified(FALSE);
  GetDocServices().CloseInitialUntitledProject();
  return TRUE;
}

BOOL CDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
  const CDocVersion previous(m_docVersion);
  DWORD checksum = 0;
  try {
    m_docVersion.SetModified(CTime::GetCurrentTime());
    m_docVersion.SetVersion();
    m_docVersion.CopyDatabaseVersion();
    checksum = m_projectFile.Save(lpszPathName, [this](CArchive& ar) { Serialize(ar); });
  } catch (...) {
    m_docVersion = previous;
    MessageBox(GetSaveFailureMessage(lpszPathName), MB_ICONEXCLAMATION | MB_OK);
    return FALSE;
  }
  // What was just written is the serialized project: its checksum is the unmodified state.
  SetModifiedFlag(FALSE);
  m_dwChecksum = checksum;
  return TRUE;
}

void CDoc::OnChangedViewList()
{
  // Before the base class, which may delete the document when its last view went.
  CWarehouseFrame::ForgetClosedFrames(this);
  CDocument::OnChangedViewList();
}

void CDoc::OnCloseDocument()
{
  m_projectFile.Close();
  CDocument::OnCloseDocument();
}

void CDoc::Serialize(CArchive& ar)
{
  const CString tag = ProjectFileTag();
  if (ar.IsStoring()) {
    ar.Write(tag.c_str(), kTagLength);
  } else {
    char read[kTagLength];
    if (ar.Read(read, kTagLength) != kTagLength || std::memcmp(read, tag.c_str(), kTagLength) != 0)
      throw CAppSerializeException(kModule, kNotProjectFileLine, CAppSerializeException::notProjectFile);
  }
  m_docVersion.Serialize(ar);
  m_projectData.Serialize(ar);
  m_projectPrefs.Serialize(ar);
  m_designs.Serialize(ar);
}

DWORD CDoc::ComputeChecksum()
{
  // The same value as the checksum of the image in memory, without keeping the image.
  CChecksumFile file;
  CArchive ar(&file, CArchive::store, kBufferSize);
  Serialize(ar);
  ar.Close();
  return file.GetChecksum();
}

void CDoc::SetProjectModified(BOOL modified)
{
  SetModifiedFlag(modified);
  m_dwChecksum = ComputeChecksum();
}

BOOL CDoc::IsProjectModified()
{
  if (IsModified())
    return TRUE;
  const DWORD checksum = ComputeChecksum();
  if (checksum == m_dwChecksum)
    return FALSE;
  SetModifiedFlag(TRUE);
  m_dwChecksum = checksum;
  return TRUE;
}

void CDoc::UpdateProjectModified() { SetProjectModified(IsProjectModified()); }

void CDoc::OnFileClose()
{
  if (!OkToCloseEditedDesign())
    return;
  if (CView* view = GetWarehouseView())
    if (auto* owner = dynamic_cast<CDesignListOwner*>(view))
      owner->CommitProjectName();
  UpdateProjectModified();
  // The file stays locked until the class library's close has asked about saving: a cancelled
  // close keeps the project open and held.
  CDocument::OnFileClose();
}

void CDoc::OnFileSave()
{
  if (!OkToCloseEditedDesign())
    return;
  CDocument::OnFileSave();
  UpdateFrameTitles();
}

void CDoc::OnFileSaveAs()
{
  if (!OkToCloseEditedDesign())
    return;
  CDocument::OnFileSaveAs();
  UpdateFrameTitles();
}

CView* CDoc::FindView(const char* className, int reportKind) const
{
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (!IsOfClassNamed(view, className))
      continue;
    if (reportKind < 0)
      return view;
    auto* frame = dynamic_cast<CReportKindSource*>(view->GetParentFrame());
    if (frame && frame->GetReportKind() == reportKind)
      return view;
  }
  return nullptr;
}

CView* CDoc::GetWarehouseView() const { return FindView("CWarehouseView"); }
CView* CDoc::GetWorkbenchView() const { return FindView("CWorkbenchView"); }
CView* CDoc::GetPlanView() const { return FindView("CPlanView"); }
CView* CDoc::GetElevationView() const { return FindView("CElevationView"); }
CView* CDoc::GetDetailView() const { return FindView("CDetailView"); }
CView* CDoc::GetScheduleReportView() const { return FindView("CScheduleReportView", 0); }
CView* CDoc::GetUnitInfoReportView() const { return FindView("CUnitInfoReportView", 1); }

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

CListBox* CDoc::GetDesignListBox() const
{
  auto* owner = dynamic_cast<CDesignListOwner*>(GetWarehouseView());
  return owner ? owner->GetDesignListBox() : nullptr;
}
