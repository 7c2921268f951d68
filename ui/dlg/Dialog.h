#pragma once
// Dialogs built from templates: controls addressed by id, data exchange, modal runs through the
// dialog service (so tests can script them) and modeless dialogs. OK, Cancel, Enter and Esc act
// as on Windows.
#include "ui/wnd/Wnd.h"

class QEventLoop;
struct CDialogTemplate;

constexpr int IDHELP = 9;

class CDialog : public CWnd
{
  DECLARE_DYNAMIC(CDialog)
  DECLARE_MESSAGE_MAP()

private:
  // The window-creation overload stays reachable only through CWnd.
  using CWnd::Create;

public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Runs the dialog modally; IDOK, IDCANCEL or the value given to EndDialog (-1 when the
  // template is missing).
  virtual int DoModal();
  // Creates a modeless dialog.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID) { m_nDefID = nID; }
  UINT GetDefID() const { return m_nDefID; }

  // The state of a modal run (for the dialog service).
  BOOL HasEnded() const { return m_bEnded; }
  int GetModalResult() const { return m_nModalResult; }
  void SetModalLoop(QEventLoop* pLoop) { m_pModalLoop = pLoop; }

  UINT m_nIDHelp = 0;

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // The buttons every dialog and sheet shares (OK, Cancel, Help); FALSE for any other id.
  virtual BOOL OnButtonClicked(UINT nID);
  // Whose help context the Help button shows; none when null.
  virtual const CDialog* GetHelpSource() const { return this; }
  // Enter with no push button focused.
  virtual void PressDefaultButton();
  void OnClose() override;
  // Makes the dialog window and its controls and runs OnInitDialog.
  BOOL CreateFromTemplate(CWnd* pParentWnd, BOOL bModal);
  const CDialogTemplate* Template() const;

  UINT m_nIDTemplate = 0;
  CWnd* m_pParentWnd = nullptr;
  UINT m_nDefID = IDOK;
  int m_nModalResult = -1;
  BOOL m_bEnded = FALSE;
  BOOL m_bModal = FALSE;
  QEventLoop* m_pModalLoop = nullptr;
};
