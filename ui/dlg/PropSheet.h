#pragma once
// Property sheets: tabbed pages with OK, Cancel, Apply Now and Help. A page's window is made when
// the page is first shown; leaving a page asks it first (OnKillActive may refuse and keep it);
// Apply Now applies every page that has been shown; a modified page enables Apply Now.
#include <memory>
#include <vector>

#include "ui/dlg/Ctrls.h"
#include "ui/dlg/Dialog.h"

class CPropertySheet;
class QStackedWidget;

class CPropertyPage : public CDialog
{
  DECLARE_DYNAMIC(CPropertyPage)
public:
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  ~CPropertyPage() override;

  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  void OnOK() override {}
  void OnCancel() override {}
  void SetModified(BOOL bChanged = TRUE);
  BOOL IsModified() const { return m_bModified; }
  // Lets the sheet's Cancel button read "Close".
  void CancelToClose();
  BOOL PreTranslateMessage(MSG*) override { return FALSE; }
  CPropertySheet* GetSheet() const { return m_pSheet; }
  // Makes the page's window inside the sheet (the first time the page is shown).
  BOOL CreatePage(CPropertySheet* pSheet);

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  void ApplyWindowText(const CString& text) override;
  CString ReadWindowText() const override { return m_strCaption; }

  CString m_strCaption;
  BOOL m_bModified = FALSE;
  BOOL m_bFirstSetActive = TRUE;
  CPropertySheet* m_pSheet = nullptr;
  friend class CPropertySheet;
};

enum : int
{
  PSBTN_OK = 1,
  PSBTN_CANCEL = 2,
  PSBTN_APPLYNOW = 3
};

class CPropertySheet : public CDialog
{
  DECLARE_DYNAMIC(CPropertySheet)
  DECLARE_MESSAGE_MAP()
public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int nPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const { return m_nActive; }
  int GetPageIndex(CPropertyPage* pPage) const;
  // FALSE when the active page refuses to be left.
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  CTabCtrl* GetTabControl() const;
  void SetTitle(LPCTSTR lpszText);
  int DoModal() override;
  BOOL PressButton(int nButton);
  void CancelToClose();
  void OnPageModified();

  BOOL OnInitDialog() override;
  // Ctrl+Tab and Ctrl+Page Down show the next page, Ctrl+Shift+Tab and Ctrl+Page Up the one
  // before, from any control of the sheet; then the dialog's own keys.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The default buttons: Apply Now applies the shown pages, OK applies and ends, Cancel resets
  // the shown pages and ends. Sheets may replace them.
  void OnOK() override;
  void OnCancel() override;
  virtual void OnApplyNow();

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  BOOL OnButtonClicked(UINT nID) override;
  // Help shows the active page's context.
  const CDialog* GetHelpSource() const override { return GetActivePage(); }
  void PressDefaultButton() override;
  // Runs the kill-active step of the active page and the apply step of every shown page.
  BOOL ApplyPages();
  // For sheets that apply their pages themselves: Apply Now (bFinal FALSE) takes the active
  // page's fields, commits every shown page and shows its values afresh, unmodified; OK (bFinal
  // TRUE) takes every shown page's fields and commits them. FALSE when a page refused its fields.
  BOOL CommitShownPages(BOOL bFinal);
  // Apply Now starts disabled until a page is modified.
  void InitButtons();
  void FitPages();

  std::vector<CPropertyPage*> m_pages;
  int m_nActive = -1;
  UINT m_nStartPage = 0;
  CString m_strCaption;
  QStackedWidget* m_pStack = nullptr;
  std::unique_ptr<CTabCtrl> m_pTab;
  std::vector<std::unique_ptr<CButton>> m_buttons;
};
