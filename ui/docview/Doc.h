#pragma once
// Documents of the document/view architecture: title and path, the modified flag, the list of
// views, updates of all views with hint numbers and hint objects, and the file commands.
#include "platform/core/List.h"
#include "ui/wnd/CmdTarget.h"

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget
{
  DECLARE_DYNAMIC(CDocument)
  DECLARE_MESSAGE_MAP()
public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  // A path as the system finds it from any folder: a relative one is taken from the current folder.
  static CString FullPath(const CString& path);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  void AddView(CView* pView);
  void RemoveView(CView* pView);
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& rPosition) const;
  // Calls OnUpdate of every view but the sender, in the order of the view list.
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
  // Refreshes the titles of the frames that show this document.
  virtual void UpdateFrameCounts();
  // Called when a view was added or removed: closes the document when its last view went, after
  // offering to save its changes.
  virtual void OnChangedViewList();
  int CountFramesShowing() const;

  virtual void DeleteContents() {}
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  // Destroys the frames of the views and the document itself.
  virtual void OnCloseDocument();
  // Whether OnCloseDocument is destroying the frames: none of them is to be activated any more.
  BOOL IsClosing() const { return m_bClosing; }
  // Offers to save a modified document: FALSE when the user cancelled.
  virtual BOOL SaveModified();
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual void PreCloseFrame(CFrameWnd*) {}
  virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;

  BOOL m_bAutoDelete = TRUE;

protected:
  // "Save changes to NAME?", with the path, or the title of a document without one.
  CString SavePrompt() const;
  // Offers to save a modified document that no window shows any more, without a cancel.
  void SaveModifiedUnshown();
  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;
  BOOL m_bClosing = FALSE;
  friend class CDocTemplate;
};
