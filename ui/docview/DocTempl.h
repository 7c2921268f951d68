#pragma once
// Document templates tie a document class to its frame and view classes and to the document
// strings of a resource id; the document manager keeps the registered templates and carries
// out New, Open, save-all and close-all.
#include <vector>

#include "platform/core/List.h"
#include "ui/wnd/CmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
  DECLARE_DYNAMIC(CDocTemplate)
public:
  enum DocStringIndex
  {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName
  };

  CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
               const CRuntimeClass* pViewClass);
  ~CDocTemplate() override;

  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  virtual CDocument* CreateNewDocument();
  // A new frame with its view for the document; null when it cannot be made.
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  // The menu that every frame of this template shows (MDI child frames).
  HMENU m_hMenuShared = nullptr;

protected:
  CString m_strDocStrings;
};

class CMultiDocTemplate : public CDocTemplate
{
  DECLARE_DYNAMIC(CMultiDocTemplate)
public:
  CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                    const CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;

  POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
  CDocument* GetNextDoc(POSITION& rPos) const override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  // The document name and a running number: "Proj1", "Proj2", ...
  void SetDefaultTitle(CDocument* pDocument) override;

protected:
  CPtrList m_docList;
  UINT m_nUntitledCount = 0;
};

class CDocManager
{
public:
  CDocManager() = default;
  ~CDocManager();
  CDocManager(const CDocManager&) = delete;
  CDocManager& operator=(const CDocManager&) = delete;

  // The manager owns the templates added to it.
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  int GetDocumentCount() const;

  void OnFileNew();
  void OnFileOpen();
  // Opens a file, or brings forward a frame on screen of the document that already has it open.
  CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  // The document that has the file open, whichever spelling of its path either uses; null when
  // none has.
  CDocument* FindOpenDocument(LPCTSTR lpszFileName) const;
  BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);
  // Asks for a file name for the template's documents; FALSE when cancelled.
  BOOL DoPromptFileName(CString& fileName, LPCTSTR lpszTitle, DWORD lFlags, BOOL bOpenFileDialog,
                        CDocTemplate* pTemplate);

private:
  CPtrList m_templateList;
};
