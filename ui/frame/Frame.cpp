#include "ui/frame/Frame.h"

#include <functional>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QGuiApplication>
#include <QScreen>

#include "ui/frame/AccelFocus.h"
#include "ui/frame/CtrlBar.h"
#include "ui/docview/Doc.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/MessagePump.h"
#include "ui/wnd/QtConv.h"
#include "ui/docview/View.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
  ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
  ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

namespace {
// Lays the view out again whenever the frame's client container changes size.
class CLayoutWatcher : public QObject
{
public:
  explicit CLayoutWatcher(CFrameWnd* frame) : m_pFrame(frame) {}
  bool eventFilter(QObject*, QEvent* event) override
  {
    if (event->type() == QEvent::Resize && m_pFrame->m_hWnd)
      m_pFrame->RecalcLayout();
    return false;
  }

private:
  CFrameWnd* m_pFrame;
};

// The share of the screen's available area a main window takes when it opens for the first time.
constexpr double kDefaultWindowShare = 0.8;

// F1 in an open menu asks for the help of the highlighted command, as in the system's menus.
class CMenuHelpKey : public QObject
{
public:
  CMenuHelpKey(std::function<void()> onHelp, QObject* parent) : QObject(parent), m_onHelp(std::move(onHelp)) {}
  bool eventFilter(QObject*, QEvent* event) override
  {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
      return false;
    m_onHelp();
    return true;
  }

private:
  std::function<void()> m_onHelp;
};

UINT KeyModifiers()
{
  UINT mods = 0;
  if (GetKeyState(VK_SHIFT) < 0)
    mods |= FSHIFT;
  if (GetKeyState(VK_CONTROL) < 0)
    mods |= FCONTROL;
  return mods;
}
}  // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
  if (m_bOwnsDefaultMenu)
    delete m_hMenuDefault;
}

CRect CFrameWnd::DefaultWindowRect()
{
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen)
    return CRect(0, 0, 640, 480);
  const QRect area = screen->availableGeometry();
  const QSize size = area.size() * kDefaultWindowShare;
  const QPoint topLeft = area.center() - QPoint(size.width() / 2, size.height() / 2);
  return CRect(topLeft.x(), topLeft.y(), topLeft.x() + size.width(), topLeft.y() + size.height());
}

void CFrameWnd::MakeFrameWidgets(QWidget* pOuter, QWidget* pParentWidget, BOOL bTopLevel)
{
  auto* window = new QMainWindow(pParentWidget);
  // A main window always starts as a window of its own; inside an MDI sub-window it is a widget.
  if (!bTopLevel)
    window->setWindowFlags(Qt::Widget);
  else
    window->setGeometry(ToQRect(DefaultWindowRect()));
  auto* container = new QWidget(window);
  window->setCentralWidget(container);
  AttachHandle(window, pOuter ? pOuter : window, FALSE);
  Impl()->SetChildHost(container);
  m_pLayoutWatcher = std::make_unique<CLayoutWatcher>(this);
  container->installEventFilter(m_pLayoutWatcher.get());
}

HWND CFrameWnd::CreateHandle(const CREATESTRUCT& cs, HWND hParentHost)
{
  const BOOL child = (cs.style & WS_CHILD) != 0;
  MakeFrameWidgets(nullptr, child ? hParentHost : nullptr, !child);
  return m_hWnd;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
  m_nIDHelp = nIDResource;
  CString strings;
  if (AfxLoadString(nIDResource, strings)) {
    const int nl = strings.Find('\n');
    m_strTitle = nl < 0 ? strings : strings.Left(nl);
  }
  CMenu menu;
  if (menu.LoadMenu(nIDResource)) {
    m_hMenuDefault = menu.Detach();
    m_bOwnsDefaultMenu = TRUE;
  }
  LoadAccelTable(nIDResource);
  // A frame whose creation fails has deleted itself: nothing of it may be touched then.
  if (!CreateEx(0, nullptr, m_strTitle, dwDefaultStyle & ~WS_VISIBLE, 0, 0, 0, 0,
                pParentWnd ? pParentWnd->m_hWnd : nullptr, 0, pContext))
    return FALSE;
  RefreshMenuBar();
  return TRUE;
}

void CFrameWnd::LoadAccelTable(UINT nIDResource)
{
  if (const auto* table = CResources::Get().FindAccelerators(nIDResource))
    m_accelerators = *table;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
  auto* context = static_cast<CCreateContext*>(lpCreateStruct ? lpCreateStruct->lpCreateParams : nullptr);
  if (!OnCreateClient(lpCreateStruct, context))
    return -1;
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
  if (pContext && pContext->m_pNewViewClass)
    return CreateView(pContext) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
  CObject* object = pContext->m_pNewViewClass->CreateObject();
  auto* view = dynamic_cast<CWnd*>(object);
  if (!view) {
    delete object;
    return nullptr;
  }
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;
  RecalcLayout();
  return view;
}

void CFrameWnd::RecalcLayout(BOOL)
{
  QWidget* host = GetChildHost();
  if (!host)
    return;
  if (CWnd* view = GetDlgItem(AFX_IDW_PANE_FIRST))
    view->MoveWindow(0, 0, host->width(), host->height());
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
  CView* old = m_pViewActive;
  if (old == pViewNew)
    return;
  m_pViewActive = pViewNew;
  if (bNotify && old)
    old->OnActivateView(FALSE, pViewNew, old);
  if (bNotify && pViewNew)
    pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
  CView* view = GetActiveView();
  return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
  ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
  BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
  CView* view = GetActiveView();
  if (!view) {
    view = dynamic_cast<CView*>(GetDlgItem(AFX_IDW_PANE_FIRST));
    if (view)
      SetActiveView(view, FALSE);
  }
  if (view)
    view->OnInitialUpdate();
  if (bMakeVisible) {
    ActivateFrame();
    if (view)
      view->OnActivateView(TRUE, view, view);
  }
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
  if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE)) {
    CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(doc ? static_cast<LPCTSTR>(doc->GetTitle()) : nullptr);
  } else
    UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
  CString title = m_strTitle;
  if (lpszDocName && *lpszDocName)
    title = m_strTitle.IsEmpty() ? CString(lpszDocName) : m_strTitle + " - " + lpszDocName;
  SetWindowText(title);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
  rMessage.Empty();
  CString full;
  if (!AfxLoadString(nID, full))
    return;
  const int nl = full.Find('\n');
  rMessage = nl < 0 ? full : full.Left(nl);
}

CWnd* CFrameWnd::GetMessageBar()
{
  if (CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR))
    return bar;
  CFrameWnd* parent = GetParentFrame();
  return parent ? parent->GetMessageBar() : nullptr;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
  if (auto* status = dynamic_cast<CStatusBar*>(GetMessageBar()))
    status->SetMessage(lpszText, this);
}

void CFrameWnd::SetMessageText(UINT nID)
{
  if (nID == AFX_IDS_IDLEMESSAGE) {
    if (auto* status = dynamic_cast<CStatusBar*>(GetMessageBar()))
      status->ShowIdleMessage();
    return;
  }
  CString text;
  GetMessageString(nID, text);
  SetMessageText(text);
}

void CFrameWnd::TakeBackMessageText()
{
  if (auto* status = dynamic_cast<CStatusBar*>(GetMessageBar()))
    status->TakeBackMessage(this);
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT)
{
  if (pBar)
    pBar->DockAt(nDockBarID);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD)
{
  if (pBar)
    pBar->Float(point);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
  if (pBar)
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const
{
  for (CControlBar* bar : m_bars)
    if (bar->GetDlgCtrlID() == static_cast<int>(nID))
      return bar;
  return nullptr;
}

void CFrameWnd::AddControlBar(CControlBar* pBar) { m_bars.push_back(pBar); }

void CFrameWnd::RemoveControlBar(CControlBar* pBar) { std::erase(m_bars, pBar); }

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
  if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra))
    return TRUE;
  return OnCmdMsgFromChild(nID, nCode, pExtra);
}

BOOL CFrameWnd::OnCmdMsgFromChild(UINT nID, int nCode, void* pExtra)
{
  if (CWnd::OnCmdMsg(nID, nCode, pExtra))
    return TRUE;
  if (CFrameWnd* parent = GetParentFrame())
    return parent->OnCmdMsgFromChild(nID, nCode, pExtra);
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
  if (pMsg->message != WM_KEYDOWN)
    return FALSE;
  const UINT mods = KeyModifiers();
  for (const CAccelTemplate& accel : m_accelerators)
    if (accel.key == pMsg->wParam && (accel.modifiers & (FSHIFT | FCONTROL)) == mods) {
      if (FocusedControlKeepsKey(accel.key, mods))
        return FALSE;
      // A disabled command's key is taken and does nothing, as for a greyed menu item.
      if (IsCommandEnabled(this, accel.command))
        SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(accel.command), 1), 0);
      return TRUE;
    }
  return FALSE;
}

HMENU CFrameWnd::GetDisplayedMenu() const { return m_hMenuDefault; }

CMenu* CFrameWnd::GetMenu() const { return CMenu::FromHandle(GetDisplayedMenu()); }

BOOL CFrameWnd::SetMenu(CMenu* pMenu)
{
  if (m_bOwnsDefaultMenu && pMenu && pMenu->m_hMenu != m_hMenuDefault)
    delete m_hMenuDefault;
  m_bOwnsDefaultMenu = FALSE;
  m_hMenuDefault = pMenu ? pMenu->m_hMenu : nullptr;
  RefreshMenuBar();
  return TRUE;
}

namespace {
// The style of a frame's menu bar: the application's, except that the title the keys are on is
// highlighted as an open one is. Escape in a menu opened with Alt closes it and leaves the keys
// with the bar, whose arrows go along the titles as the class library's menu mode does; the
// application's style showed no title highlighted then, so the arrows seemed to do nothing.
class CMenuBarStyle : public QProxyStyle
{
public:
  CMenuBarStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override
  {
    // The bar has the focus only while the keys are on it, not while the pointer passes over it.
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget && widget->hasFocus()) {
      QStyleOptionMenuItem shown(*item);
      shown.state |= State_Sunken;
      QProxyStyle::drawControl(element, &shown, painter, widget);
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }
};

// Made with the first menu bar, owned by the application.
QStyle* MenuBarStyle()
{
  static QPointer<QStyle> style;
  if (!style) {
    style = new CMenuBarStyle;
    style->setParent(qApp);
  }
  return style;
}
}  // namespace

void CFrameWnd::RefreshMenuBar()
{
  auto* window = qobject_cast<QMainWindow*>(m_hWnd);
  if (!window)
    return;
  HMENU menu = GetDisplayedMenu();
  // Building the bar makes every title's popup and its items anew, the largest part of a child
  // window's activation: a bar that would come out as it stands keeps its menus, and only the
  // bar switches' marks, which follow the frame now active, are given again.
  CMenuPicture picture(menu);
  if (m_menuBarShows == picture) {
    ShowBarMarks();
    return;
  }
  m_menuBarShows = std::move(picture);
  QMenuBar* bar = window->menuBar();
  if (bar->style() != MenuBarStyle())
    bar->setStyle(MenuBarStyle());
  CMenu::ClearQMenu(bar);
  if (!menu)
    return;
  for (const CMenuData::Item& item : menu->items) {
    if (item.flags & MF_SEPARATOR)
      continue;
    if (!item.popup) {
      QAction* action = bar->addAction(ToQString(item.text));
      const UINT id = item.id;
      QObject::connect(action, &QAction::triggered, Impl()->Bridge(), [this, id] { PostMessage(WM_COMMAND, id, 0); });
      continue;
    }
    QMenu* popup = bar->addMenu(ToQString(item.text));
    HMENU data = item.popup;
    popup->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
    // Closing the menus ends the tracking, so the highlighted command is taken first.
    auto* helpKey = new CMenuHelpKey(
        [this] {
          const UINT tracked = m_nIDTracking;
          while (QWidget* open = QApplication::activePopupWidget())
            open->close();
          m_nIDTracking = tracked;
          OnHelp();
          m_nIDTracking = 0;
        },
        popup);
    // Each opening asks the update handlers along the command route first; the popup's menus,
    // made anew each time, take F1 as the popup does.
    QObject::connect(popup, &QMenu::aboutToShow, Impl()->Bridge(), [this, popup, data, helpKey] {
      CMenu::FromHandle(data)->UpdateCommandStates(this, m_bAutoMenuEnable);
      CMenu::FillQMenu(popup, data, this);
      for (QMenu* submenu : popup->findChildren<QMenu*>())
        submenu->installEventFilter(helpKey);
    });
    QObject::connect(popup, &QMenu::aboutToHide, Impl()->Bridge(), [this] { SendMessage(WM_MENUSELECT, 0xFFFF, 0); });
    popup->installEventFilter(helpKey);
    CMenu::FillQMenu(popup, data, this);
  }
  ShowBarMarks();
}

void CFrameWnd::ShowBarMarks()
{
  auto* window = qobject_cast<QMainWindow*>(m_hWnd);
  if (!window || !window->menuWidget())
    return;
  // The mark is what the switch's update handler gives along the command route: a frame may
  // point the switch at another frame's bar.
  CFrameWnd* active = GetActiveFrame();
  for (QMenu* menu : window->menuWidget()->findChildren<QMenu*>()) {
    for (QAction* action : menu->actions()) {
      bool isId = false;
      const UINT nID = action->data().toUInt(&isId);
      if (!isId || (!GetControlBar(nID) && !(active && active->GetControlBar(nID))))
        continue;
      CCmdUI state;
      state.m_nID = nID;
      if (!state.DoUpdate(this, FALSE))
        continue;
      action->setCheckable(state.m_nCheck != 0);
      action->setChecked(state.m_nCheck != 0);
    }
  }
}

void CFrameWnd::OnClose()
{
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    if (!app->SaveAllModified())
      return;
    if (app->m_pDocManager)
      app->m_pDocManager->CloseAllDocuments(FALSE);
    DestroyWindow();
    return;
  }
  CDocument* doc = GetActiveDocument();
  if (doc && !doc->CanCloseFrame(this))
    return;
  if (doc && doc->CountFramesShowing() <= 1) {
    doc->OnCloseDocument();
    return;
  }
  DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession()
{
  CWinApp* app = AfxGetApp();
  return app && app->m_pMainWnd == this ? app->SaveAllModified() : TRUE;
}

void CFrameWnd::OnDestroy()
{
  // What the frame said goes with it.
  TakeBackMessageText();
  if (m_pViewActive)
    m_pViewActive = nullptr;
}

void CFrameWnd::PostNcDestroy()
{
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    PostQuitMessage(0);
  }
  delete this;
}

void CFrameWnd::OnSetFocus(CWnd*)
{
  if (CView* view = GetActiveView())
    view->SetFocus();
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
  for (CControlBar* bar : std::vector<CControlBar*>(m_bars))
    if (bar->IsWindowVisible())
      bar->OnUpdateCmdUI(this, TRUE);
  if (m_nIdleFlags & idleTitle) {
    m_nIdleFlags &= ~idleTitle;
    OnUpdateFrameTitle(TRUE);
  }
  return 0;
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM)
{
  const UINT id = LOWORD(wParam);
  if (id == 0xFFFF) {
    m_nIDTracking = 0;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return 0;
  }
  m_nIDTracking = id;
  CString prompt;
  GetMessageString(id, prompt);
  SetMessageText(prompt);
  return 0;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
  // A child frame without the bar leaves the item to the frame that has it.
  CControlBar* bar = GetControlBar(pCmdUI->m_nID);
  if (!bar) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(bar->IsWindowVisible() ? 1 : 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
  CControlBar* bar = GetControlBar(nID);
  if (!bar)
    return FALSE;
  ShowControlBar(bar, !bar->IsWindowVisible(), FALSE);
  return TRUE;
}

void CFrameWnd::OnHelp()
{
  if (CWinApp* app = AfxGetApp())
    app->WinHelp(m_nIDTracking ? HID_BASE_COMMAND + m_nIDTracking : HID_BASE_RESOURCE + m_nIDHelp, HELP_CONTEXT);
}
