#include "ui/dlg/PropSheet.h"

#include <algorithm>
#include <vector>

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "ui/dlg/DialogService.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DlgWidget.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
END_MESSAGE_MAP()

namespace {
constexpr UINT kTabControlId = 0x3020;

// Puts a new page's controls, in their own order, right after the tabs: Tab from the tabs goes
// into the page and from its last control on to OK, as in the class library's sheets. Made after
// the sheet's buttons, they came after Help instead.
void PlacePageAfterTabs(QWidget* tabs, QWidget* page)
{
  std::vector<QWidget*> controls;
  for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
    if (!page->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus))
      continue;
    // A control's own parts (the field inside a combo box) move with it.
    const bool part = std::any_of(controls.begin(), controls.end(), [w](QWidget* c) { return c->isAncestorOf(w); });
    if (!part)
      controls.push_back(w);
  }
  QWidget* previous = tabs;
  for (QWidget* control : controls) {
    QWidget::setTabOrder(previous, control);
    previous = control;
  }
}
}  // namespace

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate)
{
  if (!nIDCaption || !AfxLoadString(nIDCaption, m_strCaption))
    if (const CDialogTemplate* tmpl = Template())
      m_strCaption = tmpl->caption;
}

CPropertyPage::~CPropertyPage() = default;

HWND CPropertyPage::CreateHandle(const CREATESTRUCT&, HWND hParentHost)
{
  auto* widget = new QWidget(hParentHost);
  AttachHandle(widget, nullptr, TRUE);
  Impl()->SetBackgroundColour(RGB(240, 240, 240), true);
  return widget;
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet)
{
  const CDialogTemplate* tmpl = Template();
  if (!tmpl)
    return FALSE;
  m_pSheet = pSheet;
  const CSize size = DialogUnitsToPixels(tmpl->size);
  if (!CreateEx(0, nullptr, m_strCaption, WS_CHILD, 0, 0, size.cx, size.cy, pSheet->m_hWnd, 0))
    return FALSE;
  CreateDialogControls(this, *tmpl);
  OnInitDialog();
  return TRUE;
}

void CPropertyPage::ApplyWindowText(const CString& text) { m_strCaption = text; }

BOOL CPropertyPage::OnSetActive()
{
  // The first activation follows the page's initialisation, which has loaded the controls.
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::SetModified(BOOL bChanged)
{
  m_bModified = bChanged;
  if (m_pSheet)
    m_pSheet->OnPageModified();
}

void CPropertyPage::CancelToClose()
{
  if (m_pSheet)
    m_pSheet->CancelToClose();
}

CPropertySheet::CPropertySheet() = default;

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : m_nStartPage(iSelectPage)
{
  m_pParentWnd = pParentWnd;
  AfxLoadString(nIDCaption, m_strCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
  : m_nStartPage(iSelectPage), m_strCaption(pszCaption)
{
  m_pParentWnd = pParentWnd;
}

CPropertySheet::~CPropertySheet()
{
  if (m_hWnd)
    DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
  m_pages.push_back(pPage);
  pPage->m_pSheet = this;
  if (m_pTab)
    static_cast<QTabBar*>(m_pTab->m_hWnd)->addTab(ToQString(pPage->m_strCaption));
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
  const int index = GetPageIndex(pPage);
  if (index < 0)
    return;
  if (pPage->m_hWnd)
    pPage->DestroyWindow();
  m_pages.erase(m_pages.begin() + index);
  if (m_pTab)
    static_cast<QTabBar*>(m_pTab->m_hWnd)->removeTab(index);
  if (m_nActive == index)
    m_nActive = -1;
  else if (m_nActive > index)
    --m_nActive;
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_nActive); }

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
  for (size_t i = 0; i < m_pages.size(); ++i)
    if (m_pages[i] == pPage)
      return static_cast<int>(i);
  return -1;
}

CTabCtrl* CPropertySheet::GetTabControl() const { return m_pTab.get(); }

void CPropertySheet::SetTitle(LPCTSTR lpszText)
{
  m_strCaption = lpszText;
  if (m_hWnd)
    SetWindowText(lpszText);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

BOOL CPropertySheet::SetActivePage(int nPage)
{
  CPropertyPage* page = GetPage(nPage);
  if (!page)
    return FALSE;
  if (nPage == m_nActive)
    return TRUE;
  if (!m_hWnd) {
    m_nStartPage = static_cast<UINT>(nPage);
    return TRUE;
  }
  auto* tabs = static_cast<QTabBar*>(m_pTab->m_hWnd);
  if (CPropertyPage* active = GetActivePage(); active && !active->OnKillActive()) {
    const QSignalBlocker block(tabs);
    tabs->setCurrentIndex(m_nActive);
    return FALSE;
  }
  if (!page->m_hWnd && !page->CreatePage(this))
    return FALSE;
  if (m_pStack->indexOf(page->GetOuterHandle()) < 0) {
    m_pStack->addWidget(page->GetOuterHandle());
    PlacePageAfterTabs(tabs, page->GetOuterHandle());
  }
  m_pStack->setCurrentWidget(page->GetOuterHandle());
  m_nActive = nPage;
  {
    const QSignalBlocker block(tabs);
    tabs->setCurrentIndex(nPage);
  }
  page->OnSetActive();
  return TRUE;
}

HWND CPropertySheet::CreateHandle(const CREATESTRUCT&, HWND hParentHost)
{
  auto* widget = new CDialogWidget(hParentHost ? hParentHost->window() : nullptr, this);
  widget->setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(widget);
  auto* tabs = new QTabBar(widget);
  m_pStack = new QStackedWidget(widget);
  layout->addWidget(tabs);
  layout->addWidget(m_pStack, 1);
  AttachHandle(widget, nullptr, FALSE);
  Impl()->SetChildHost(m_pStack);
  m_pTab = std::make_unique<CTabCtrl>();
  m_pTab->BindWidget(tabs, kTabControlId, WS_CHILD | WS_VISIBLE);
  for (CPropertyPage* page : m_pages)
    tabs->addTab(ToQString(page->m_strCaption));
  // A click on a tab asks the active page first; the tab moves only if the page lets it.
  QObject::connect(tabs, &QTabBar::currentChanged, Impl()->Bridge(), [this, tabs](int index) {
    if (index == m_nActive)
      return;
    {
      const QSignalBlocker block(tabs);
      tabs->setCurrentIndex(m_nActive);
    }
    SetActivePage(index);
  });
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  layout->addLayout(row);
  struct
  {
    UINT id;
    const char* text;
  } const buttons[] = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}, {ID_APPLY_NOW, "&Apply"}, {IDHELP, "Help"}};
  for (const auto& b : buttons) {
    auto* push = new QPushButton(ToQString(b.text), widget);
    push->setAutoDefault(false);
    row->addWidget(push);
    auto button = std::make_unique<CButton>();
    button->BindWidget(push, b.id, WS_CHILD | WS_VISIBLE);
    m_buttons.push_back(std::move(button));
  }
  return widget;
}

void CPropertySheet::InitButtons()
{
  if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
    apply->EnableWindow(FALSE);
}

int CPropertySheet::DoModal()
{
  m_bEnded = FALSE;
  m_nModalResult = -1;
  m_bModal = TRUE;
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  if (!CreateEx(0, nullptr, m_strCaption, WS_POPUP | WS_CAPTION, 0, 0, 0, 0, parent ? parent->m_hWnd : nullptr, 0))
    return -1;
  InitButtons();
  FitPages();
  SetActivePage(static_cast<int>(std::min<size_t>(m_nStartPage, m_pages.empty() ? 0 : m_pages.size() - 1)));
  OnInitDialog();
  const int result = m_bEnded ? m_nModalResult : DialogService().RunModal(*this);
  DestroyWindow();
  m_nActive = -1;
  m_buttons.clear();
  m_pTab.reset();
  for (CPropertyPage* page : m_pages)
    page->m_bFirstSetActive = TRUE;
  return result;
}

// The page area is as large as the largest page template, as the sheet would make it, so every
// page opens whole; the sheet's window grows around it.
void CPropertySheet::FitPages()
{
  QSize largest;
  for (CPropertyPage* page : m_pages)
    if (const CDialogTemplate* tmpl = page->Template()) {
      const CSize size = DialogUnitsToPixels(tmpl->size);
      largest = largest.expandedTo(QSize(size.cx, size.cy));
    }
  m_pStack->setMinimumSize(largest);
  m_hWnd->adjustSize();
  if (auto* widget = dynamic_cast<CDialogWidget*>(m_hWnd))
    widget->FixSize();
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
  if (pMsg->message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
    return CDialog::PreTranslateMessage(pMsg);
  int step = 0;
  if (pMsg->wParam == VK_TAB)
    step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
  else if (pMsg->wParam == VK_NEXT)
    step = 1;
  else if (pMsg->wParam == VK_PRIOR)
    step = -1;
  const int count = GetPageCount();
  if (step == 0 || count == 0 || m_nActive < 0)
    return CDialog::PreTranslateMessage(pMsg);
  // The page being left may refuse, and keeps the focus then. Otherwise the tabs take it: the
  // control that had it is hidden with its page, and the next press steps on from there.
  if (SetActivePage((m_nActive + step + count) % count) && m_pTab)
    m_pTab->SetFocus();
  return TRUE;
}

void CPropertySheet::OnPageModified()
{
  bool any = false;
  for (CPropertyPage* page : m_pages)
    any = any || page->m_bModified;
  if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
    apply->EnableWindow(any);
}

void CPropertySheet::CancelToClose()
{
  // Changes applied so far cannot be taken back: Cancel now only closes.
  if (CWnd* cancel = GetDlgItem(IDCANCEL))
    cancel->SetWindowText("Close");
}

BOOL CPropertySheet::ApplyPages()
{
  if (CPropertyPage* active = GetActivePage(); active && !active->OnKillActive())
    return FALSE;
  for (size_t i = 0; i < m_pages.size(); ++i) {
    CPropertyPage* page = m_pages[i];
    if (!page->m_hWnd)
      continue;
    if (!page->OnApply()) {
      SetActivePage(static_cast<int>(i));
      return FALSE;
    }
    page->m_bModified = FALSE;
  }
  OnPageModified();
  return TRUE;
}

BOOL CPropertySheet::CommitShownPages(BOOL bFinal)
{
  if (bFinal) {
    for (CPropertyPage* page : m_pages)
      if (page->m_hWnd && !page->UpdateData(TRUE))
        return FALSE;
  } else if (CPropertyPage* active = GetActivePage(); active && !active->OnKillActive()) {
    return FALSE;
  }
  for (CPropertyPage* page : m_pages) {
    if (!page->m_hWnd)
      continue;
    page->OnOK();
    if (!bFinal) {
      page->UpdateData(FALSE);
      page->SetModified(FALSE);
    }
  }
  return TRUE;
}

void CPropertySheet::OnApplyNow() { ApplyPages(); }

void CPropertySheet::OnOK()
{
  if (ApplyPages())
    EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
  if (CPropertyPage* active = GetActivePage(); active && !active->OnQueryCancel())
    return;
  for (CPropertyPage* page : m_pages)
    if (page->m_hWnd)
      page->OnReset();
  EndDialog(IDCANCEL);
}

BOOL CPropertySheet::OnButtonClicked(UINT nID)
{
  if (nID != ID_APPLY_NOW)
    return CDialog::OnButtonClicked(nID);
  OnApplyNow();
  return TRUE;
}

BOOL CPropertySheet::PressButton(int nButton)
{
  const UINT ids[] = {0, IDOK, IDCANCEL, ID_APPLY_NOW};
  if (nButton < PSBTN_OK || nButton > PSBTN_APPLYNOW)
    return FALSE;
  auto* button = dynamic_cast<CButton*>(GetDlgItem(static_cast<int>(ids[nButton])));
  if (!button || !button->IsWindowEnabled())
    return FALSE;
  button->Click();
  return TRUE;
}

// Enter with no push button focused is OK, whatever the default button.
void CPropertySheet::PressDefaultButton() { SendMessage(WM_COMMAND, IDOK, 0); }
