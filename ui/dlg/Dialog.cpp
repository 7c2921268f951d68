#include "ui/dlg/Dialog.h"

#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/dlg/DlgKeys.h"
#include "ui/dlg/DlgWidget.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DialogService.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {
bool IsReadOnlyText(QWidget* w)
{
  if (auto* line = qobject_cast<QLineEdit*>(w))
    return line->isReadOnly();
  if (auto* text = qobject_cast<QPlainTextEdit*>(w))
    return text->isReadOnly();
  return false;
}

bool TakesTabFocus(QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden(); }
}  // namespace

QWidget* FirstFocusControl(QWidget* dialog)
{
  // The first control the user can type into; a field that only shows a value is passed over.
  const QList<QWidget*> controls = dialog->findChildren<QWidget*>();
  for (QWidget* w : controls)
    if (TakesTabFocus(w) && !IsReadOnlyText(w))
      return w;
  for (QWidget* w : controls)
    if (TakesTabFocus(w))
      return w;
  return nullptr;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
  : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{}

CDialog::~CDialog()
{
  if (m_hWnd)
    DestroyWindow();
}

const CDialogTemplate* CDialog::Template() const { return CResources::Get().FindDialog(m_nIDTemplate); }

HWND CDialog::CreateHandle(const CREATESTRUCT&, HWND hParentHost)
{
  WatchFocusPassedOnByDisabling();
  auto* widget = new CDialogWidget(hParentHost ? hParentHost->window() : nullptr, this);
  widget->setWindowModality(m_bModal ? Qt::ApplicationModal : Qt::NonModal);
  AttachHandle(widget, nullptr, TRUE);
  Impl()->SetBackgroundColour(RGB(240, 240, 240), true);
  return widget;
}

BOOL CDialog::CreateFromTemplate(CWnd* pParentWnd, BOOL bModal)
{
  const CDialogTemplate* tmpl = Template();
  if (!tmpl)
    return FALSE;
  m_bModal = bModal;
  const CSize size = DialogUnitsToPixels(tmpl->size);
  CWnd* parent = pParentWnd ? pParentWnd : AfxGetMainWnd();
  if (!CreateEx(0, nullptr, tmpl->caption, WS_POPUP | WS_CAPTION, 0, 0, size.cx, size.cy,
                parent ? parent->m_hWnd : nullptr, 0))
    return FALSE;
  CreateDialogControls(this, *tmpl);
  if (auto* widget = dynamic_cast<CDialogWidget*>(m_hWnd))
    widget->FixSize();
  if (parent && parent->GetOuterHandle()) {
    const QRect area = parent->GetOuterHandle()->window()->geometry();
    m_hWnd->move(area.center() - QPoint(size.cx / 2, size.cy / 2));
  }
  if (OnInitDialog())
    if (QWidget* first = FirstFocusControl(m_hWnd))
      first->setFocus();
  return TRUE;
}

int CDialog::DoModal()
{
  m_bEnded = FALSE;
  m_nModalResult = -1;
  if (!CreateFromTemplate(m_pParentWnd, TRUE))
    return -1;
  const int result = m_bEnded ? m_nModalResult : DialogService().RunModal(*this);
  DestroyWindow();
  return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
  m_nIDTemplate = nIDTemplate;
  m_nIDHelp = nIDTemplate;
  m_pParentWnd = pParentWnd;
  if (!CreateFromTemplate(pParentWnd, FALSE))
    return FALSE;
  ShowWindow(SW_SHOW);
  return TRUE;
}

void CDialog::EndDialog(int nResult)
{
  m_nModalResult = nResult;
  m_bEnded = TRUE;
  if (m_pModalLoop)
    m_pModalLoop->quit();
  else if (!m_bModal)
    ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK()
{
  if (!UpdateData(TRUE))
    return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { SendMessage(WM_COMMAND, IDCANCEL, 0); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
  if (CWnd::OnCommand(wParam, lParam))
    return TRUE;
  return HIWORD(wParam) == BN_CLICKED && OnButtonClicked(LOWORD(wParam));
}

BOOL CDialog::OnButtonClicked(UINT nID)
{
  switch (nID) {
  case IDOK:
    OnOK();
    return TRUE;
  case IDCANCEL:
    OnCancel();
    return TRUE;
  // A Help button may carry either id: the dialog's own (IDHELP) or the help command's (ID_HELP).
  case IDHELP:
  case ID_HELP:
    if (CWinApp* app = AfxGetApp())
      if (const CDialog* source = GetHelpSource())
        app->WinHelp(HID_BASE_RESOURCE + source->m_nIDHelp, HELP_CONTEXT);
    return TRUE;
  default:
    return FALSE;
  }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
  if (pMsg->message != WM_KEYDOWN)
    return FALSE;
  if (pMsg->wParam == VK_ESCAPE) {
    SendMessage(WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }
  // F1 asks for the dialog's help, as its Help button does.
  if (pMsg->wParam == VK_F1 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
    OnButtonClicked(IDHELP);
    return TRUE;
  }
  // Enter presses the focused push button, or else the default button; a multi-line edit keeps it.
  if (pMsg->wParam != VK_RETURN || qobject_cast<QPlainTextEdit*>(pMsg->hwnd))
    return FALSE;
  if (QPushButton* button = FocusedButtonForReturn(pMsg->hwnd)) {
    button->click();
    return TRUE;
  }
  PressDefaultButton();
  return TRUE;
}

void CDialog::PressDefaultButton()
{
  if (CWnd* def = GetDlgItem(static_cast<int>(m_nDefID)); def && !def->IsWindowEnabled())
    return;
  SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(m_nDefID), BN_CLICKED), 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
  if (!pWndCtrl)
    return;
  pWndCtrl->SetFocus();
  if (auto* edit = dynamic_cast<CEdit*>(pWndCtrl))
    edit->SetSel(0, -1);
}
