#include "ui/docview/DocTempl.h"

#include "platform/core/File.h"
#include "ui/dlg/DialogService.h"
#include "ui/dlg/FilePrompt.h"
#include "ui/docview/Doc.h"
#include "ui/frame/Frame.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/Resource.h"
#include "ui/docview/View.h"
#include "ui/wnd/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
  : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
  AfxLoadString(nIDResource, m_strDocStrings);
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
  // The fields of the document string are separated by "\n".
  int start = 0;
  for (int i = 0; i < index; ++i) {
    const int nl = m_strDocStrings.Find('\n', start);
    if (nl < 0) {
      rString.Empty();
      return FALSE;
    }
    start = nl + 1;
  }
  const int end = m_strDocStrings.Find('\n', start);
  rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = nullptr; }

CDocument* CDocTemplate::CreateNewDocument()
{
  if (!m_pDocClass)
    return nullptr;
  CObject* object = m_pDocClass->CreateObject();
  auto* doc = dynamic_cast<CDocument*>(object);
  if (!doc) {
    delete object;
    return nullptr;
  }
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
  if (!m_pFrameClass)
    return nullptr;
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass->CreateObject();
  auto* frame = dynamic_cast<CFrameWnd*>(object);
  if (!frame) {
    delete object;
    return nullptr;
  }
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
    // A frame whose window was made deletes itself with it.
    if (!frame->m_hWnd)
      delete frame;
    return nullptr;
  }
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
  POSITION pos = GetFirstDocPosition();
  while (pos)
    if (!GetNextDoc(pos)->SaveModified())
      return FALSE;
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
  POSITION pos = GetFirstDocPosition();
  std::vector<CDocument*> docs;
  while (pos)
    docs.push_back(GetNextDoc(pos));
  for (CDocument* doc : docs)
    doc->OnCloseDocument();
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                                     const CRuntimeClass* pViewClass)
  : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
  CMenu menu;
  if (menu.LoadMenu(nIDResource))
    m_hMenuShared = menu.Detach();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
  // Documents still open no longer refer to the template.
  while (!m_docList.IsEmpty())
    RemoveDocument(static_cast<CDocument*>(m_docList.GetHead()));
  delete m_hMenuShared;
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
  return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
  CDocTemplate::AddDocument(pDoc);
  m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
  CDocTemplate::RemoveDocument(pDoc);
  if (POSITION pos = m_docList.Find(pDoc))
    m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
  CString name;
  if (!GetDocString(name, docName) || name.IsEmpty())
    name = "Untitled";
  CString title;
  title.Format("%s%u", name.c_str(), ++m_nUntitledCount);
  pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
  CDocument* doc = CreateNewDocument();
  if (!doc)
    return nullptr;
  CFrameWnd* frame = CreateNewFrame(doc, nullptr);
  if (!frame) {
    delete doc;
    return nullptr;
  }
  if (!lpszPathName) {
    SetDefaultTitle(doc);
    if (!doc->OnNewDocument()) {
      frame->DestroyWindow();
      return nullptr;
    }
  } else {
    CWaitCursor wait;
    if (!doc->OnOpenDocument(lpszPathName)) {
      frame->DestroyWindow();
      return nullptr;
    }
    doc->SetPathName(lpszPathName);
  }
  InitialUpdateFrame(frame, doc, bMakeVisible);
  return doc;
}

namespace {
// The frame of the document's first view that is on screen. A frame the program has hidden (a
// view closed but kept for later) stays hidden: showing it again would bypass whatever the
// program does when it shows that view, and a document that is open again is only brought forward.
CFrameWnd* FirstShownFrame(CDocument* doc)
{
  POSITION pos = doc->GetFirstViewPosition();
  while (pos)
    if (CFrameWnd* frame = doc->GetNextView(pos)->GetParentFrame(); frame && frame->IsWindowVisible())
      return frame;
  return nullptr;
}
}  // namespace

CDocManager::~CDocManager()
{
  while (!m_templateList.IsEmpty())
    delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) { m_templateList.AddTail(pTemplate); }

POSITION CDocManager::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
  return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

int CDocManager::GetDocumentCount() const
{
  int count = 0;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos) {
    CDocTemplate* tmpl = GetNextDocTemplate(pos);
    POSITION docPos = tmpl->GetFirstDocPosition();
    while (docPos) {
      tmpl->GetNextDoc(docPos);
      ++count;
    }
  }
  return count;
}

void CDocManager::OnFileNew()
{
  if (m_templateList.IsEmpty())
    return;
  static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
  CString path;
  if (!DoPromptFileName(path, "Open", 0, TRUE, nullptr))
    return;
  // Through the application, which may have a word to say about the file before it opens.
  if (CWinApp* app = AfxGetApp())
    app->OpenDocumentFile(path);
  else
    OpenDocumentFile(path);
}

CDocument* CDocManager::FindOpenDocument(LPCTSTR lpszFileName) const
{
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos) {
    CDocTemplate* tmpl = GetNextDocTemplate(pos);
    POSITION docPos = tmpl->GetFirstDocPosition();
    while (docPos)
      if (CDocument* doc = tmpl->GetNextDoc(docPos); IsSamePath(doc->GetPathName(), lpszFileName))
        return doc;
  }
  return nullptr;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
  if (m_templateList.IsEmpty() || !lpszFileName || !*lpszFileName)
    return nullptr;
  // A file that is open already is shown rather than opened twice.
  if (CDocument* doc = FindOpenDocument(lpszFileName)) {
    if (CFrameWnd* frame = FirstShownFrame(doc))
      frame->ActivateFrame();
    return doc;
  }
  return static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

BOOL CDocManager::SaveAllModified()
{
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos)
    if (!GetNextDocTemplate(pos)->SaveAllModified())
      return FALSE;
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos)
    GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, LPCTSTR lpszTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
  CDocTemplate* tmpl = pTemplate;
  if (!tmpl && !m_templateList.IsEmpty())
    tmpl = static_cast<CDocTemplate*>(m_templateList.GetHead());
  CFileDialogRequest request;
  request.bOpen = bOpenFileDialog;
  request.title = lpszTitle;
  request.flags = lFlags;
  request.fileName = fileName;
  CString filterName;
  CString filterExt;
  if (tmpl && tmpl->GetDocString(filterName, CDocTemplate::filterName) && !filterName.IsEmpty() &&
      tmpl->GetDocString(filterExt, CDocTemplate::filterExt) && !filterExt.IsEmpty()) {
    request.filter = filterName + "|*" + filterExt + "|";
    request.defaultExt = filterExt.Mid(1);
    request.defaultExt.MakeLower();
  }
  request.filter += "All Files (*.*)|*.*||";
  if (PromptForFile(AfxGetMainWnd(), request) != IDOK)
    return FALSE;
  fileName = request.path;
  return TRUE;
}
