#pragma once
// The design list of a project: a form with the project name, buttons for the project
// information and settings, and the list of stored designs with the commands that create,
// edit, rename, delete, cut, copy and paste them.
#include "document/Docviews.h"
#include "ui/dlg/Ctrls.h"
#include "ui/docview/View.h"

class CDoc;
class CDesignStore;

// The list of design names; a right click selects the line under the pointer and then offers
// the design commands.
class CDesignListBox : public CListBox
{
  DECLARE_DYNAMIC(CDesignListBox)
protected:
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
};

class CWarehouseView : public CFormView, public CDesignListOwner
{
  DECLARE_DYNCREATE(CWarehouseView)
  DECLARE_MESSAGE_MAP()
public:
  CWarehouseView();
  ~CWarehouseView() override;

  CDoc* GetProject() const;
  CListBox* GetDesignListBox() { return &m_lbDesigns; }
  BOOL CommitProjectName(BOOL tell) override;
  // Index of the selected stored design, -1 with no selection; a selected name that is no stored
  // design throws CAppException.
  int GetSelectedDesign();

  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  // Return on a design of the list edits it, as a double click does.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Keeps a list of design names in step with a design-list hint (Docviews.h); FALSE for any
  // other hint. A name the hint changes that is not in the list throws CAppException.
  static BOOL UpdateDesignList(CListBox& list, const CDoc& doc, LPARAM lHint, const CObject* pHint);

  // The design commands, also reached through the message map.
  void OnCreateDesign();
  void OnEditDesign();
  void OnRenameDesign();
  void OnDeleteDesign();
  void OnEditCut();
  void OnEditCopy();
  void OnEditPaste();
  void OnProjectSettings();
  void OnProjectInformation();

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnKillFocusProjectName();
  void OnUpdateEditableSelection(CCmdUI* pCmdUI);
  void OnUpdateEditCopy(CCmdUI* pCmdUI);
  void OnUpdateEditPaste(CCmdUI* pCmdUI);
  void OnUpdateAlways(CCmdUI* pCmdUI);
  void OnUpdateDisabled(CCmdUI* pCmdUI);
  LRESULT OnFocusDesignList(WPARAM, LPARAM);
  // Posted when the view is first shown with designs to list.
  static constexpr UINT kFocusDesignList = WM_USER + 31;

private:
  BOOL IsEdited(int index);
  // Closes the edited design and its Workbench; FALSE when the user kept it open.
  BOOL CloseEditedDesign();
  // Puts the stored design on the clipboard; FALSE, after its message, when that failed.
  BOOL CopyDesign(int index);
  void AddPastedDesign(CDesignStore& store);
  BOOL RenamePasted(CDesignStore& store, const CString& name);
  int Inform(const CString& text, UINT nType = MB_OK | MB_ICONINFORMATION);

  CDesignListBox m_lbDesigns;
  CEdit m_edProjectName;
  CString m_strProjectName;
  // A refusal being told: the focus leaving the field for the message box is no new commit.
  BOOL m_bCheckingName = FALSE;
};
