#include "ui/frame/MdiFrame.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMoveEvent>
#include <QScrollBar>
#include <QTimer>

#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DataExch.h"
#include "ui/docview/Doc.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/CtrlBar.h"
#include "ui/frame/Menu.h"
#include "ui/docview/View.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/WndImpl.h"

namespace {
// The size of a child frame made before its main window shows, and the least one it is given.
const QSize kLeastDefaultSize(400, 300);
// A sub-window's own record of whether it was maximised when its activation began.
constexpr const char* kMaximisedBeforeActivation = "maximisedBeforeActivation";
}  // namespace

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
  ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTile)
  ON_COMMAND(ID_WINDOW_ARRANGE, OnWindowArrange)
  ON_COMMAND_RANGE(AFX_IDM_FIRST_MDICHILD, AFX_IDM_FIRST_MDICHILD + kMaxWindowEntries - 1, OnWindowActivate)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateWindowMenu)
  ON_UPDATE_COMMAND_UI_RANGE(AFX_IDM_FIRST_MDICHILD, AFX_IDM_FIRST_MDICHILD + kMaxWindowEntries - 1,
                             OnUpdateWindowEntry)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

HWND CMDIFrameWnd::CreateHandle(const CREATESTRUCT&, HWND)
{
  auto* window = new QMainWindow(nullptr, Qt::Window);
  window->setGeometry(ToQRect(DefaultWindowRect()));
  m_pMdiArea = new QMdiArea(window);
  // Child windows lying outside a small main window stay within reach.
  m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  window->setCentralWidget(m_pMdiArea);
  AttachHandle(window, window, FALSE);
  Impl()->SetChildHost(m_pMdiArea);
  m_hWndMDIClient = m_pMdiArea->viewport();
  m_wndMDIClient.Attach(m_hWndMDIClient);
  m_wndMDIClient.SetDlgCtrlID(AFX_IDW_PANE_FIRST);
  // A scroll moves the child frames; what the client paints behind them stays where it is.
  for (QScrollBar* bar : {m_pMdiArea->horizontalScrollBar(), m_pMdiArea->verticalScrollBar()})
    QObject::connect(bar, &QScrollBar::valueChanged, Impl()->Bridge(), [this] {
      if (CWnd* client = CWnd::FromHandle(m_hWndMDIClient))
        client->Invalidate(TRUE);
    });
  QObject::connect(m_pMdiArea, &QMdiArea::subWindowActivated, Impl()->Bridge(), [this](QMdiSubWindow* sub) {
    // A window without a sizing border keeps its own size, also activated over a maximised one.
    if (sub && sub->isMaximized() && (sub->windowFlags() & Qt::MSWindowsFixedSizeDialogHint) &&
        !sub->property(kMaximisedBeforeActivation).toBool())
      sub->showNormal();
    auto* now = sub ? dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(sub)) : nullptr;
    CMDIChildWnd* old = m_pLastActive;
    if (now == old || (!now && sub))
      return;
    m_pLastActive = now;
    // The panes after the message line spoke of the window that was active (a Workbench's
    // selection and pointer); the one activated tells its own as it comes in front.
    if (auto* status = dynamic_cast<CStatusBar*>(GetMessageBar()))
      status->ShowIdleIndicators();
    const auto deactivated = reinterpret_cast<WPARAM>(old ? old->m_hWnd : nullptr);
    const auto activated = reinterpret_cast<LPARAM>(now ? now->m_hWnd : nullptr);
    if (old && old->m_hWnd)
      old->SendMessage(WM_MDIACTIVATE, deactivated, activated);
    if (now && now->m_hWnd)
      now->SendMessage(WM_MDIACTIVATE, deactivated, activated);
    OnChildActivated();
  });
  return window;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
  QMdiSubWindow* sub = m_pMdiArea ? m_pMdiArea->currentSubWindow() : nullptr;
  auto* child = sub ? dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(sub)) : nullptr;
  if (pbMaximized)
    *pbMaximized = sub && sub->isMaximized();
  return child && child->m_hWnd ? child : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
  if (!m_pMdiArea || !pWndActivate)
    return;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(pWndActivate->GetOuterHandle()))
    m_pMdiArea->setActiveSubWindow(sub);
}

CMDIChildWnd* CMDIFrameWnd::SuccessorOf(CMDIChildWnd* pClosing) const
{
  if (!m_pMdiArea)
    return nullptr;
  // The client's own choice goes by the order the windows were made, which may bring another
  // project forward while the closed window's project still has windows open.
  std::vector<CMDIChildWnd*> candidates;
  const QList<QMdiSubWindow*> history = m_pMdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = history.rbegin(); it != history.rend(); ++it) {
    auto* child = dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(*it));
    if (!child || child == pClosing || !child->m_hWnd || (*it)->isHidden())
      continue;
    if (CDocument* doc = child->GetActiveDocument(); doc && doc->IsClosing())
      continue;
    candidates.push_back(child);
  }
  CDocument* doc = pClosing->GetActiveDocument();
  if (doc && !doc->IsClosing()) {
    POSITION pos = doc->GetFirstViewPosition();
    CFrameWnd* first = pos ? doc->GetNextView(pos)->GetParentFrame() : nullptr;
    if (auto it = std::find(candidates.begin(), candidates.end(), first); it != candidates.end())
      return *it;
    for (CMDIChildWnd* child : candidates)
      if (child->GetActiveDocument() == doc)
        return child;
  }
  return candidates.empty() ? nullptr : candidates.front();
}

void CMDIFrameWnd::MDINext()
{
  if (m_pMdiArea)
    m_pMdiArea->activateNextSubWindow();
}

void CMDIFrameWnd::MDIPrev()
{
  if (m_pMdiArea)
    m_pMdiArea->activatePreviousSubWindow();
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
  if (CFrameWnd::PreTranslateMessage(pMsg))
    return TRUE;
  if (pMsg->message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
    return FALSE;
  const BOOL shift = GetKeyState(VK_SHIFT) < 0;
  if (pMsg->wParam == VK_F4 && !shift) {
    if (CMDIChildWnd* child = MDIGetActive())
      child->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
  }
  if (pMsg->wParam != VK_F6 && pMsg->wParam != VK_TAB)
    return FALSE;
  if (shift)
    MDIPrev();
  else
    MDINext();
  return TRUE;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
  CMDIChildWnd* child = MDIGetActive();
  return child ? static_cast<CFrameWnd*>(child) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
  // The active child's route ends in this frame and the application.
  if (CMDIChildWnd* child = MDIGetActive())
    return child->OnCmdMsg(nID, nCode, pExtra);
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
  CMDIChildWnd* child = MDIGetActive();
  CDocument* doc = child ? child->GetActiveDocument() : nullptr;
  if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && doc)
    UpdateFrameTitleForDocument(doc->GetTitle());
  else
    UpdateFrameTitleForDocument(nullptr);
}

HMENU CMDIFrameWnd::GetDisplayedMenu() const
{
  CMDIChildWnd* child = MDIGetActive();
  return child && child->m_hMenuShared ? child->m_hMenuShared : m_hMenuDefault;
}

void CMDIFrameWnd::OnChildActivated()
{
  RefreshMenuBar();
  OnUpdateFrameTitle(TRUE);
  // The message line spoke of the window that was active: the one active now starts idle.
  SetMessageText(AFX_IDS_IDLEMESSAGE);
}

LRESULT CMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
  CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
  if (!m_pMdiArea)
    return 0;
  for (QMdiSubWindow* sub : m_pMdiArea->subWindowList())
    if (CWnd* child = FromHandlePermanent(sub); child && child->m_hWnd)
      child->SendMessage(WM_IDLEUPDATECMDUI, wParam, lParam);
  return 0;
}

void CMDIFrameWnd::UpdateScrollBarsAfterShowing(QWidget* pSub) const
{
  if (!m_pMdiArea || !pSub)
    return;
  // What the client does when a window of it moves, given to the client alone: the window has
  // not moved, and nothing else is told it has.
  QMoveEvent moved(pSub->pos(), pSub->pos());
  static_cast<QObject*>(m_pMdiArea)->eventFilter(pSub, &moved);
}

CMDIChildWnd::CMDIChildWnd() = default;
CMDIChildWnd::~CMDIChildWnd() = default;

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
  m_pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd ? pParentWnd : AfxGetMainWnd());
  if (!m_pMDIFrame)
    return FALSE;
  m_nIDHelp = nIDResource;
  CString strings;
  if (AfxLoadString(nIDResource, strings)) {
    const int nl = strings.Find('\n');
    m_strTitle = nl < 0 ? strings : strings.Left(nl);
  }
  if (pContext && pContext->m_pNewDocTemplate)
    m_hMenuShared = pContext->m_pNewDocTemplate->m_hMenuShared;
  LoadAccelTable(nIDResource);
  // A frame whose creation fails has deleted itself: nothing of it may be touched then.
  return CreateEx(0, nullptr, m_strTitle, (dwDefaultStyle | WS_CHILD) & ~WS_VISIBLE, 0, 0, 0, 0,
                  m_pMDIFrame->m_hWndMDIClient, 0, pContext);
}

HWND CMDIChildWnd::CreateHandle(const CREATESTRUCT& cs, HWND)
{
  if (!m_pMDIFrame || !m_pMDIFrame->MdiArea())
    return nullptr;
  auto* sub = new QMdiSubWindow;
  // A frame made without a sizing border cannot be sized by its edges; its maximise box still
  // fills the client with it.
  if (!(cs.style & WS_THICKFRAME))
    sub->setWindowFlags(sub->windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
  MakeFrameWidgets(sub, sub, FALSE);
  sub->setWidget(m_hWnd);
  // Reparenting hides a widget; the frame's inside shows whenever the sub-window does.
  m_hWnd->show();
  // The client maximises a window activated while the active one is maximised: the activation
  // takes back what it did to a window without a sizing border.
  QObject::connect(sub, &QMdiSubWindow::aboutToActivate, sub,
                   [sub] { sub->setProperty(kMaximisedBeforeActivation, sub->isMaximized()); });
  m_pMDIFrame->MdiArea()->addSubWindow(sub);
  // A frame is made without a size of its own, and takes the one the system's MDI client gives
  // such a window: the cascade's, large in a shown main window. The frames that place themselves
  // (the project's form, the Workbench, the drawings) do so after this; a report window keeps it.
  // Before the main window shows, its client has no size yet to take one from.
  const QSize cascade = m_pMDIFrame->CascadeSize(m_pMDIFrame->CascadeStep(sub));
  sub->resize(m_pMDIFrame->MdiArea()->isVisible() ? cascade.expandedTo(kLeastDefaultSize) : kLeastDefaultSize);
  // The frame's inside takes its size at once, as a window's client has it once the window is
  // made: a frame that measures its border from it (the report frames, to fit their bars) would
  // otherwise take the whole width of the frame for border.
  if (QLayout* layout = sub->layout())
    layout->activate();
  sub->hide();
  return m_hWnd;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const { return m_pMDIFrame; }

void CMDIChildWnd::MDIActivate()
{
  if (m_pMDIFrame)
    m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
  QWidget* sub = GetOuterHandle();
  if (!sub)
    return;
  if (nCmdShow == SW_HIDE) {
    sub->hide();
    return;
  }
  if (nCmdShow == SW_SHOWMAXIMIZED)
    sub->showMaximized();
  else
    sub->show();
  if (nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
    MDIActivate();
  OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
  CDocument* doc = GetActiveDocument();
  if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && doc)
    SetWindowText(doc->GetTitle());
  else
    SetWindowText(m_strTitle);
  if (m_pMDIFrame && m_pMDIFrame->MDIGetActive() == this)
    m_pMDIFrame->OnUpdateFrameTitle(TRUE);
}

LRESULT CMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_MDIACTIVATE) {
    const auto activated = reinterpret_cast<HWND>(lParam);
    OnMDIActivate(activated == m_hWnd, FromHandle(activated), FromHandle(reinterpret_cast<HWND>(wParam)));
    return 0;
  }
  if (message == WM_SHOWWINDOW && wParam) {
    // Once now, and again after the client has placed the new window and the view has sized
    // its frame to fit.
    FitInsideClient();
    QTimer::singleShot(0, Impl()->Bridge(), [this] {
      if (m_hWnd)
        FitInsideClient();
    });
  }
  // A window hidden where it lay past the client's edge leaves no scroll bars behind it.
  if (message == WM_SHOWWINDOW && m_pMDIFrame)
    m_pMDIFrame->UpdateScrollBarsAfterShowing(GetOuterHandle());
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

void CMDIChildWnd::FitInsideClient()
{
  auto* sub = qobject_cast<QMdiSubWindow*>(GetOuterHandle());
  QMdiArea* area = m_pMDIFrame ? m_pMDIFrame->MdiArea() : nullptr;
  if (!sub || !area || sub->isMaximized() || sub->isMinimized())
    return;
  // The client's size before the main window first shows is the one its layout will give it.
  if (QLayout* layout = area->window()->layout(); layout && !area->window()->isVisible())
    layout->activate();
  const QRect client = area->viewport()->rect();
  QRect frame = sub->geometry();
  // A frame without a sizing border keeps its size, which nothing could give back to it: in a
  // smaller client it stands at the top left, and the client scrolls to the rest.
  if (!(sub->windowFlags() & Qt::MSWindowsFixedSizeDialogHint)) {
    frame.setWidth(std::min(frame.width(), client.width()));
    frame.setHeight(std::min(frame.height(), client.height()));
  }
  frame.moveRight(std::min(frame.right(), client.right()));
  frame.moveBottom(std::min(frame.bottom(), client.bottom()));
  frame.moveLeft(std::max(frame.left(), client.left()));
  frame.moveTop(std::max(frame.top(), client.top()));
  if (frame != sub->geometry())
    sub->setGeometry(frame);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd*, CWnd*)
{
  if (bActivate && !KeepsFocusOnActivation())
    if (CView* view = GetActiveView())
      view->SetFocus();
}

BOOL CMDIChildWnd::KeepsFocusOnActivation() const
{
  QWidget* outer = GetOuterHandle();
  QWidget* focus = outer ? outer->window()->focusWidget() : nullptr;
  if (!focus || !outer->isAncestorOf(focus))
    return FALSE;
  // A press into a control of the frame gave it the keyboard before the frame was activated; a
  // refused value's control took it back and waits there.
  return QGuiApplication::mouseButtons() != Qt::NoButton || CDataExchange::IsHeldByRefusal(focus);
}

void CMDIChildWnd::RefreshMenuBar()
{
  if (m_pMDIFrame && m_pMDIFrame->MDIGetActive() == this)
    m_pMDIFrame->RefreshMenuBar();
}

void CMDIChildWnd::OnDestroy()
{
  // The successor is activated while this window still has its document and its place.
  if (m_pMDIFrame && m_pMDIFrame->MDIGetActive() == this)
    if (CMDIChildWnd* next = m_pMDIFrame->SuccessorOf(this))
      m_pMDIFrame->MDIActivate(next);
  if (m_pMDIFrame && m_pMDIFrame->m_pLastActive == this)
    m_pMDIFrame->m_pLastActive = nullptr;
  CFrameWnd::OnDestroy();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(GetOuterHandle()); sub && m_pMDIFrame && m_pMDIFrame->MdiArea()) {
    m_pMDIFrame->MdiArea()->removeSubWindow(sub);
    // With no child left active the frame shows its own menu and title again; when another
    // child becomes active, its activation does that.
    if (!m_pMDIFrame->m_pLastActive)
      m_pMDIFrame->OnChildActivated();
  }
}

int CMDIChildWnd::WidthForDialogBar(UINT nIDTemplate, int nBeside)
{
  const CDialogTemplate* pBar = CResources::Get().FindDialog(nIDTemplate);
  if (!pBar)
    return 0;
  CRect window;
  GetWindowRect(&window);
  CRect client;
  GetClientRect(&client);
  return DialogUnitsToPixels(pBar->size).cx + nBeside + window.Width() - client.Width();
}
