#include "ui/docview/Doc.h"

#include <unistd.h>

#include <climits>
#include <set>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/Frame.h"
#include "ui/docview/View.h"
#include "ui/wnd/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
  if (m_pDocTemplate)
    m_pDocTemplate->RemoveDocument(this);
}

CString CDocument::FullPath(const CString& path)
{
  if (path.IsEmpty() || path[0] == '/')
    return path;
  std::vector<char> folder(PATH_MAX);
  if (!::getcwd(folder.data(), folder.size()))
    return path;
  CString relative = path;
  while (relative.Left(2) == "./")
    relative = relative.Mid(2);
  const CString base = folder.data();
  return (base == "/" ? CString() : base) + "/" + relative;
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
  m_strTitle = lpszTitle;
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
  // Held as a full path, so the recent-file list and a later save find the file from any folder.
  m_strPathName = FullPath(lpszPathName);
  if (bAddToMRU)
    if (CWinApp* app = AfxGetApp())
      app->AddToRecentFileList(m_strPathName);
  const int slash = m_strPathName.ReverseFind('/');
  SetTitle(slash < 0 ? m_strPathName : m_strPathName.Mid(slash + 1));
}

void CDocument::AddView(CView* pView)
{
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
  if (POSITION pos = m_viewList.Find(pView))
    m_viewList.RemoveAt(pos);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
  // A template's document that nothing shows any more goes away (unless it is being closed
  // already), but not with changes nobody was asked about.
  if (m_viewList.IsEmpty() && m_bAutoDelete && m_pDocTemplate) {
    SaveModifiedUnshown();
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::SaveModifiedUnshown()
{
  // No window is left for a cancel to keep open: the question comes again after a save that
  // failed or was not given a name, until the changes are saved or the user lets them go.
  while (IsModified() && AfxMessageBox(SavePrompt(), MB_YESNO) == IDYES)
    DoFileSave();
}

CString CDocument::SavePrompt() const
{
  CString prompt;
  AfxFormatString1(prompt, "Save changes to %1?", m_strPathName.IsEmpty() ? m_strTitle : m_strPathName);
  return prompt;
}

CView* CDocument::GetNextView(POSITION& rPosition) const { return static_cast<CView*>(m_viewList.GetNext(rPosition)); }

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
  POSITION pos = GetFirstViewPosition();
  while (pos) {
    CView* view = GetNextView(pos);
    if (view != pSender)
      view->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::UpdateFrameCounts()
{
  std::set<CFrameWnd*> frames;
  POSITION pos = GetFirstViewPosition();
  while (pos)
    if (CFrameWnd* frame = GetNextView(pos)->GetParentFrame())
      frames.insert(frame);
  for (CFrameWnd* frame : frames) {
    frame->OnUpdateFrameTitle(TRUE);
    if (CFrameWnd* top = frame->GetParentFrame())
      top->OnUpdateFrameTitle(TRUE);
  }
}

int CDocument::CountFramesShowing() const
{
  std::set<CFrameWnd*> frames;
  POSITION pos = GetFirstViewPosition();
  while (pos)
    if (CFrameWnd* frame = GetNextView(pos)->GetParentFrame())
      frames.insert(frame);
  return static_cast<int>(frames.size());
}

BOOL CDocument::OnNewDocument()
{
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
  CFile file;
  CFileException error;
  if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
    AfxMessageBox(CString("Failed to open document.\n") + error.GetErrorMessage(), MB_ICONEXCLAMATION);
    return FALSE;
  }
  DeleteContents();
  try {
    CArchive ar(&file, CArchive::load);
    Serialize(ar);
    ar.Close();
  } catch (const CException& e) {
    DeleteContents();
    AfxMessageBox(CString("Failed to open document.\n") + e.GetErrorMessage(), MB_ICONEXCLAMATION);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
  try {
    CFile file(lpszPathName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CArchive ar(&file, CArchive::store);
    Serialize(ar);
    ar.Close();
    file.Close();
  } catch (const CException& e) {
    AfxMessageBox(CString("Failed to save document.\n") + e.GetErrorMessage(), MB_ICONEXCLAMATION);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::OnCloseDocument()
{
  // Frames go first; the document must outlive the views they destroy.
  const BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  std::vector<CFrameWnd*> frames;
  POSITION pos = GetFirstViewPosition();
  while (pos)
    if (CFrameWnd* frame = GetNextView(pos)->GetParentFrame())
      if (std::find(frames.begin(), frames.end(), frame) == frames.end())
        frames.push_back(frame);
  m_bClosing = TRUE;
  for (CFrameWnd* frame : frames) {
    PreCloseFrame(frame);
    frame->DestroyWindow();
  }
  m_bClosing = FALSE;
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete)
    delete this;
}

BOOL CDocument::SaveModified()
{
  if (!IsModified())
    return TRUE;
  switch (AfxMessageBox(SavePrompt(), MB_YESNOCANCEL)) {
  case IDCANCEL:
    return FALSE;
  case IDYES:
    return DoFileSave();
  default:
    return TRUE;
  }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
  // Only the last frame of the document asks about saving.
  POSITION pos = GetFirstViewPosition();
  while (pos)
    if (CFrameWnd* frame = GetNextView(pos)->GetParentFrame(); frame && frame != pFrame)
      return TRUE;
  return SaveModified();
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
  CString path(lpszPathName);
  if (path.IsEmpty()) {
    path = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CWinApp* app = AfxGetApp();
    if (!app || !app->m_pDocManager || !app->m_pDocManager->DoPromptFileName(path, "Save As", 0, FALSE, m_pDocTemplate))
      return FALSE;
  }
  if (!OnSaveDocument(path))
    return FALSE;
  if (bReplace)
    SetPathName(path);
  return TRUE;
}

BOOL CDocument::DoFileSave() { return DoSave(m_strPathName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strPathName)); }

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra))
    return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra);
}

void CDocument::OnFileClose()
{
  if (SaveModified())
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }
