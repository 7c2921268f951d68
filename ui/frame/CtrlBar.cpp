#include "ui/frame/CtrlBar.h"

#include <cmath>
#include <compare>
#include <map>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStyleFactory>
#include <QToolBar>

#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DlgKeys.h"
#include "ui/draw/ImageData.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)
IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

namespace {
Qt::ToolBarArea ToolBarArea(UINT dockBarId, DWORD style)
{
  switch (dockBarId) {
  case AFX_IDW_DOCKBAR_LEFT:
    return Qt::LeftToolBarArea;
  case AFX_IDW_DOCKBAR_RIGHT:
    return Qt::RightToolBarArea;
  case AFX_IDW_DOCKBAR_BOTTOM:
    return Qt::BottomToolBarArea;
  case AFX_IDW_DOCKBAR_TOP:
    return Qt::TopToolBarArea;
  default:
    break;
  }
  if (style & CBRS_ALIGN_BOTTOM)
    return Qt::BottomToolBarArea;
  if (style & CBRS_ALIGN_LEFT)
    return Qt::LeftToolBarArea;
  if (style & CBRS_ALIGN_RIGHT)
    return Qt::RightToolBarArea;
  return Qt::TopToolBarArea;
}

Qt::DockWidgetArea DockArea(UINT dockBarId, DWORD style)
{
  switch (ToolBarArea(dockBarId, style)) {
  case Qt::LeftToolBarArea:
    return Qt::LeftDockWidgetArea;
  case Qt::RightToolBarArea:
    return Qt::RightDockWidgetArea;
  case Qt::BottomToolBarArea:
    return Qt::BottomDockWidgetArea;
  default:
    return Qt::TopDockWidgetArea;
  }
}

Qt::ToolBarAreas AllowedToolBarAreas(DWORD dockStyle)
{
  Qt::ToolBarAreas areas;
  if (dockStyle & CBRS_ALIGN_TOP)
    areas |= Qt::TopToolBarArea;
  if (dockStyle & CBRS_ALIGN_BOTTOM)
    areas |= Qt::BottomToolBarArea;
  if (dockStyle & CBRS_ALIGN_LEFT)
    areas |= Qt::LeftToolBarArea;
  if (dockStyle & CBRS_ALIGN_RIGHT)
    areas |= Qt::RightToolBarArea;
  return areas;
}

// An update request for a toolbar button: its action takes the states.
class CToolCmdUI : public CCmdUI
{
public:
  QAction* m_pAction = nullptr;
  void Enable(BOOL bOn) override
  {
    CCmdUI::Enable(bOn);
    m_pAction->setEnabled(bOn != FALSE);
  }
  void SetCheck(int nCheck) override
  {
    CCmdUI::SetCheck(nCheck);
    m_pAction->setCheckable(true);
    m_pAction->setChecked(nCheck != 0);
  }
};

// An update request for a status-bar pane: SetText writes the pane.
class CStatusCmdUI : public CCmdUI
{
public:
  CStatusBar* m_pBar = nullptr;
  void SetText(LPCTSTR lpszText) override
  {
    CCmdUI::SetText(lpszText);
    m_pBar->SetPaneText(static_cast<int>(m_nIndex), lpszText);
  }
};
}  // namespace

CControlBar::~CControlBar()
{
  if (m_pDockSite)
    m_pDockSite->RemoveControlBar(this);
}

void CControlBar::NotePointerLeft()
{
  const QPoint pointer = QCursor::pos();
  m_ptPointerLeft = CPoint(pointer.x(), pointer.y());
}

QMainWindow* CControlBar::FrameWindow() const
{
  return m_pDockSite ? qobject_cast<QMainWindow*>(m_pDockSite->m_hWnd) : nullptr;
}

void CControlBar::Register(CFrameWnd* pFrame, UINT nID, DWORD dwStyle)
{
  m_pDockSite = pFrame;
  m_dwBarStyle = dwStyle;
  m_nID = nID;
  m_pOwner = pFrame;
  pFrame->AddControlBar(this);
}

namespace {
// A bar that shows fly-by prompts gives the status line back when the pointer leaves it.
class CBarLeaveWatcher : public QObject
{
public:
  CBarLeaveWatcher(QObject* parent, CControlBar* pBar) : QObject(parent), m_pBar(pBar) {}
  bool eventFilter(QObject*, QEvent* event) override
  {
    if (event->type() != QEvent::Leave)
      return false;
    m_pBar->NotePointerLeft();
    if (!(m_pBar->GetBarStyle() & CBRS_FLYBY))
      return false;
    if (CWnd* owner = m_pBar->GetOwner(); owner && owner->m_hWnd)
      owner->SendMessage(WM_MENUSELECT, 0xFFFF, 0);
    return false;
  }

private:
  CControlBar* m_pBar;
};

// However a bar is shown or hidden, also with its window, the switch in the menu bar follows.
class CBarShownWatcher : public QObject
{
public:
  CBarShownWatcher(QObject* parent, CControlBar* pBar) : QObject(parent), m_pBar(pBar) {}
  bool eventFilter(QObject*, QEvent* event) override
  {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShowToParent && type != QEvent::HideToParent && type != QEvent::Show && type != QEvent::Hide)
      return false;
    if (CFrameWnd* frame = m_pBar->GetDockingFrame(); frame && frame->m_hWnd)
      if (CFrameWnd* top = frame->GetTopLevelFrame())
        top->ShowBarMarks();
    return false;
  }

private:
  CControlBar* m_pBar;
};
}  // namespace

BOOL CControlBar::CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
  auto* frame = dynamic_cast<CFrameWnd*>(pParentWnd);
  if (!frame)
    return FALSE;
  Register(frame, nID, dwStyle);
  if (!CWnd::CreateEx(0, nullptr, nullptr, (dwStyle & ~WS_VISIBLE) | WS_CHILD, 0, 0, 0, 0, frame->m_hWnd, nID))
    return FALSE;
  m_hWnd->installEventFilter(new CBarLeaveWatcher(m_hWnd, this));
  m_hWnd->installEventFilter(new CBarShownWatcher(m_hWnd, this));
  if (dwStyle & WS_VISIBLE)
    ShowWindow(SW_SHOWNA);
  return TRUE;
}

void CControlBar::OnDestroy()
{
  if (m_pDockSite)
    m_pDockSite->RemoveControlBar(this);
  m_pDockSite = nullptr;
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
  // Commands of a bar's buttons and controls take the frame's route.
  CWnd* owner = GetOwner();
  return owner ? static_cast<BOOL>(owner->SendMessage(WM_COMMAND, wParam, lParam)) : FALSE;
}

void CControlBar::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }

BOOL CControlBar::IsFloating() const { return FALSE; }
void CControlBar::DockAt(UINT) {}
void CControlBar::Float(CPoint) {}

CToolBar::CToolBar() = default;
CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
  return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, CRect, UINT nID)
{
  return CreateBar(pParentWnd, dwStyle, nID);
}

HWND CToolBar::CreateHandle(const CREATESTRUCT&, HWND)
{
  QMainWindow* window = FrameWindow();
  if (!window)
    return nullptr;
  auto* toolbar = new QToolBar(window);
  toolbar->setObjectName(QString::number(m_nID));
  window->addToolBar(ToolBarArea(0, m_dwBarStyle), toolbar);
  toolbar->setIconSize(QSize(m_sizeImage.cx, m_sizeImage.cy));
  AttachHandle(toolbar, nullptr, FALSE);
  return toolbar;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
  if (!m_bitmap.LoadBitmap(nIDResource))
    return FALSE;
  m_nBitmapID = nIDResource;
  const double ratio = qApp->devicePixelRatio();
  if (ratio > 1.0)
    m_bitmapScaled.LoadBitmap(nIDResource, ratio);
  BuildButtons();
  return TRUE;
}

void CToolBar::SetSizes(CSize, CSize sizeImage)
{
  m_sizeImage = sizeImage;
  if (auto* toolbar = qobject_cast<QToolBar*>(m_hWnd))
    toolbar->setIconSize(QSize(sizeImage.cx, sizeImage.cy));
  BuildButtons();
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
  m_ids.assign(lpIDArray, lpIDArray + (lpIDArray ? nIDCount : 0));
  BuildButtons();
  return TRUE;
}

void CToolBar::BuildButtons()
{
  auto* toolbar = qobject_cast<QToolBar*>(m_hWnd);
  if (!toolbar)
    return;
  toolbar->clear();
  m_actions.clear();
  int image = 0;
  for (UINT id : m_ids) {
    if (id == ID_SEPARATOR) {
      m_actions.push_back(toolbar->addSeparator());
      continue;
    }
    CString strings;
    AfxLoadString(id, strings);
    const int nl = strings.Find('\n');
    QAction* action = toolbar->addAction(ToQString(nl < 0 ? CString() : strings.Mid(nl + 1)));
    action->setIcon(ButtonIcon(id, image));
    ++image;
    action->setData(id);
    QObject::connect(action, &QAction::triggered, Impl()->Bridge(), [this, id] {
      if (CWnd* owner = GetOwner())
        owner->SendMessage(WM_COMMAND, id, 0);
    });
    QObject::connect(action, &QAction::hovered, Impl()->Bridge(), [this, id] { OnButtonHovered(id); });
    m_actions.push_back(action);
  }
}

// A menu or window opened over a pointer that stands still on a button leaves the bar, and the
// window system enters the button again when it closes; the prompt shown then would speak of
// the button, not of what the user does, and stay on the window activated meanwhile. Only a
// pointer that came onto the button brings its prompt.
void CToolBar::OnButtonHovered(UINT nID)
{
  CWnd* owner = GetOwner();
  if (!owner || !(m_dwBarStyle & CBRS_FLYBY))
    return;
  const QPoint pointer = QCursor::pos();
  if (nID == m_nFlyByID && CPoint(pointer.x(), pointer.y()) == m_ptPointerLeft)
    return;
  m_nFlyByID = nID;
  owner->SendMessage(WM_MENUSELECT, nID, 0);
}

namespace {
// The desktop theme's names for the standard commands' icons.
const char* ThemeIconName(UINT nID)
{
  switch (nID) {
  case ID_FILE_NEW:
    return "document-new";
  case ID_FILE_OPEN:
    return "document-open";
  case ID_FILE_SAVE:
    return "document-save";
  case ID_FILE_PRINT:
    return "document-print";
  case ID_EDIT_CUT:
    return "edit-cut";
  case ID_EDIT_COPY:
    return "edit-copy";
  case ID_EDIT_PASTE:
    return "edit-paste";
  case ID_HELP_INDEX:
    return "help-contents";
  default:
    return nullptr;
  }
}

// One button's icon wherever a toolbar shows it: the strip's resource, the image's place in it,
// the image size and scale, and the command (for the theme's icon).
struct CButtonIconKey
{
  UINT bitmap;
  int image;
  LONG width;
  LONG height;
  double scale;
  UINT command;
  auto operator<=>(const CButtonIconKey&) const = default;
};

// Never destroyed: icons hold pixmaps, which must not outlive the Qt application.
std::map<CButtonIconKey, QIcon>& SharedButtonIcons()
{
  static auto* icons = new std::map<CButtonIconKey, QIcon>;
  return *icons;
}

QPixmap StripImage(const CBitmap& strip, int nImage, CSize size, double scale)
{
  const CImageData* data = strip.Image();
  if (!data)
    return QPixmap();
  const int x = static_cast<int>(std::lround(nImage * size.cx * scale));
  const QRect cell(x, 0, static_cast<int>(std::lround(size.cx * scale)),
                   static_cast<int>(std::lround(size.cy * scale)));
  QPixmap pixmap = QPixmap::fromImage(data->Image().copy(cell));
  pixmap.setDevicePixelRatio(scale);
  return pixmap;
}
}  // namespace

QIcon CToolBar::ButtonIcon(UINT nID, int nImage) const
{
  // Qt keeps what it draws of an icon in its pixmap cache, under the icon's own pixmaps: new
  // icons for every toolbar made (each frame opened) would leave pixmaps there that nothing asks
  // for again. Toolbars made from the same strip share their icons instead.
  const double scale = m_bitmapScaled.Image() ? qApp->devicePixelRatio() : 1.0;
  const CButtonIconKey key{m_nBitmapID, nImage, m_sizeImage.cx, m_sizeImage.cy, scale, nID};
  if (m_nBitmapID != 0) {
    const auto it = SharedButtonIcons().find(key);
    if (it != SharedButtonIcons().end())
      return it->second;
  }
  QIcon drawn;
  if (QPixmap base = StripImage(m_bitmap, nImage, m_sizeImage, 1.0); !base.isNull())
    drawn.addPixmap(base);
  if (m_bitmapScaled.Image())
    drawn.addPixmap(StripImage(m_bitmapScaled, nImage, m_sizeImage, scale));
  const char* name = ThemeIconName(nID);
  const QIcon icon = name ? QIcon::fromTheme(QString::fromLatin1(name), drawn) : drawn;
  if (m_nBitmapID != 0)
    SharedButtonIcons().emplace(key, icon);
  return icon;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
  for (size_t i = 0; i < m_ids.size(); ++i)
    if (m_ids[i] == nIDFind)
      return static_cast<int>(i);
  return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
  return nIndex >= 0 && static_cast<size_t>(nIndex) < m_ids.size() ? m_ids[static_cast<size_t>(nIndex)] : 0;
}

QAction* CToolBar::GetAction(int nIndex) const
{
  return nIndex >= 0 && static_cast<size_t>(nIndex) < m_actions.size() ? m_actions[static_cast<size_t>(nIndex)]
                                                                       : nullptr;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
  for (size_t i = 0; i < m_ids.size(); ++i) {
    if (m_ids[i] == ID_SEPARATOR)
      continue;
    CToolCmdUI state;
    state.m_pAction = m_actions[i];
    state.m_nID = m_ids[i];
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nIndexMax = static_cast<UINT>(m_ids.size());
    state.m_pOther = this;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
}

BOOL CToolBar::IsFloating() const
{
  auto* toolbar = qobject_cast<QToolBar*>(m_hWnd);
  return toolbar && toolbar->isFloating();
}

void CToolBar::DockAt(UINT nDockBarID)
{
  auto* toolbar = qobject_cast<QToolBar*>(m_hWnd);
  QMainWindow* window = FrameWindow();
  if (!toolbar || !window)
    return;
  if (m_dwDockStyle)
    toolbar->setAllowedAreas(AllowedToolBarAreas(m_dwDockStyle));
  const bool visible = !toolbar->isHidden();
  window->addToolBar(ToolBarArea(nDockBarID, m_dwBarStyle), toolbar);
  toolbar->setVisible(visible);
}

int CToolBar::GetSideWidth() const
{
  auto* toolbar = qobject_cast<QToolBar*>(m_hWnd);
  if (!toolbar || toolbar->isHidden() || toolbar->isFloating() || toolbar->orientation() != Qt::Vertical)
    return 0;
  return toolbar->sizeHint().width();
}

void CToolBar::Float(CPoint point)
{
  auto* toolbar = qobject_cast<QToolBar*>(m_hWnd);
  if (!toolbar)
    return;
  toolbar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
  toolbar->move(point.x, point.y);
  toolbar->show();
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateBar(pParentWnd, dwStyle, nID); }

HWND CStatusBar::CreateHandle(const CREATESTRUCT&, HWND)
{
  QMainWindow* window = FrameWindow();
  if (!window)
    return nullptr;
  auto* status = new QStatusBar(window);
  window->setStatusBar(status);
  AttachHandle(status, nullptr, FALSE);
  return status;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
  auto* status = qobject_cast<QStatusBar*>(m_hWnd);
  if (!status)
    return FALSE;
  for (Pane& pane : m_panes)
    delete pane.label;
  m_panes.clear();
  for (int i = 0; i < nIDCount; ++i) {
    Pane pane;
    pane.id = lpIDArray[i];
    pane.label = new QLabel(status);
    pane.label->setText(ToQString(i == 0 ? GetIdleMessage() : IdleIndicatorText(pane.id)));
    // Pane 0 is the message line and takes the free width.
    if (i == 0)
      status->addWidget(pane.label, 1);
    else
      status->addPermanentWidget(pane.label);
    m_panes.push_back(pane);
  }
  return TRUE;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
  if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_panes.size())
    return;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  pane.id = nID;
  pane.style = nStyle;
  pane.width = cxWidth;
  // A pane keeps its size whatever it shows, so that a new text (the pointer's position at
  // every move) repaints the pane alone instead of laying out the whole bar again. The message
  // line is given the same height, so that the bar centres all texts on one line.
  if (nIndex > 0) {
    QLabel* pMessage = m_panes.front().label;
    const int height = pMessage->sizeHint().height();
    pMessage->setFixedHeight(height);
    pane.label->setFixedSize(cxWidth, height);
  }
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
  if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_panes.size())
    return;
  const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  nID = pane.id;
  nStyle = pane.style;
  cxWidth = pane.width;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL)
{
  // The labels went with the bar's window.
  if (!m_hWnd || nIndex < 0 || static_cast<size_t>(nIndex) >= m_panes.size())
    return FALSE;
  if (nIndex == 0)
    m_pMessageHolder = nullptr;
  QLabel* label = m_panes[static_cast<size_t>(nIndex)].label;
  const QString text = ToQString(CString(lpszNewText));
  // The label schedules its own paint: the bar shows the last text with its next paint. Painting
  // at once would flush the whole main window, the Workbench with it, for every text an action
  // sets (one per unit deselected).
  if (label->text() == text)
    return TRUE;
  label->setText(text);
  // A sized pane is sized for a sample text; a longer text widens it rather than being cut off.
  // It keeps that width: shrinking back would lay out the bar again, and shift the panes beside
  // it, at every other text.
  if (nIndex > 0 && m_panes[static_cast<size_t>(nIndex)].width > 0) {
    const int needed = label->sizeHint().width();
    if (needed > label->minimumWidth())
      label->setFixedWidth(needed);
  }
  return TRUE;
}

void CStatusBar::SetMessage(LPCTSTR lpszText, const CWnd* pHolder)
{
  if (SetPaneText(0, lpszText))
    m_pMessageHolder = pHolder;
}

CString CStatusBar::GetIdleMessage()
{
  CString text;
  if (!AfxLoadString(AFX_IDS_IDLEMESSAGE, text))
    text = "Ready";
  return text;
}

void CStatusBar::ShowIdleMessage() { SetPaneText(0, GetIdleMessage()); }

CString CStatusBar::IdleIndicatorText(UINT nID)
{
  CString text;
  if (nID != ID_SEPARATOR)
    AfxLoadString(nID, text);
  return text;
}

void CStatusBar::ShowIdleIndicators()
{
  for (size_t i = 1; i < m_panes.size(); ++i)
    SetPaneText(static_cast<int>(i), IdleIndicatorText(m_panes[i].id));
}

void CStatusBar::TakeBackMessage(const CWnd* pHolder)
{
  if (pHolder && pHolder == m_pMessageHolder)
    ShowIdleMessage();
}

CString CStatusBar::GetPaneText(int nIndex) const
{
  if (!m_hWnd || nIndex < 0 || static_cast<size_t>(nIndex) >= m_panes.size())
    return CString();
  return FromQString(m_panes[static_cast<size_t>(nIndex)].label->text());
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
  for (size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].id == nIDFind)
      return static_cast<int>(i);
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
  return nIndex >= 0 && static_cast<size_t>(nIndex) < m_panes.size() ? m_panes[static_cast<size_t>(nIndex)].id : 0;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
  for (size_t i = 1; i < m_panes.size(); ++i) {
    if (m_panes[i].id == ID_SEPARATOR)
      continue;
    CStatusCmdUI state;
    state.m_pBar = this;
    state.m_nID = m_panes[i].id;
    state.m_nIndex = static_cast<UINT>(i);
    state.m_pOther = this;
    state.DoUpdate(pTarget, FALSE);
  }
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
  auto* frame = dynamic_cast<CFrameWnd*>(pParentWnd);
  const CDialogTemplate* tmpl = CResources::Get().FindDialog(nIDTemplate);
  if (!frame || !tmpl)
    return FALSE;
  m_nIDTemplate = nIDTemplate;
  Register(frame, nID, nStyle);
  if (!CWnd::CreateEx(0, nullptr, tmpl->caption, WS_CHILD, 0, 0, 0, 0, frame->m_hWnd, nID))
    return FALSE;
  CreateDialogControls(this, *tmpl);
  m_controlFocus.Watch(m_hWnd, Impl()->Bridge());
  const CSize size = DialogUnitsToPixels(tmpl->size);
  m_hWnd->setMinimumSize(size.cx, size.cy);
  ShowWindow(SW_SHOWNA);
  return TRUE;
}

void CDialogBar::OnSetFocus(CWnd* pOldWnd)
{
  CControlBar::OnSetFocus(pOldWnd);
  m_controlFocus.PassOn(m_hWnd, FirstTypingControl(m_hWnd), Qt::TabFocusReason);
}

namespace {
// The style of dialog bars' docks: the application's, except that the icons of the title bar's
// buttons are made once. A dock asks its style for new ones whenever it docks or floats, and Qt
// keeps what it draws of each new icon in its pixmap cache: every frame opened would leave
// pixmaps there that nothing asks for again.
class CDialogBarStyle : public QProxyStyle
{
public:
  CDialogBarStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
  QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const override
  {
    if (standardIcon != SP_TitleBarNormalButton && standardIcon != SP_TitleBarCloseButton)
      return QProxyStyle::standardIcon(standardIcon, option, widget);
    QIcon& icon = m_titleBarIcons[standardIcon];
    if (icon.isNull())
      icon = QProxyStyle::standardIcon(standardIcon, option, widget);
    return icon;
  }

private:
  mutable std::map<StandardPixmap, QIcon> m_titleBarIcons;
};

// Made with the first dialog bar, owned by the application.
QStyle* DialogBarStyle()
{
  static QPointer<QStyle> style;
  if (!style) {
    style = new CDialogBarStyle;
    style->setParent(qApp);
  }
  return style;
}
}  // namespace

HWND CDialogBar::CreateHandle(const CREATESTRUCT&, HWND)
{
  QMainWindow* window = FrameWindow();
  if (!window)
    return nullptr;
  auto* dock = new QDockWidget(window);
  dock->setStyle(DialogBarStyle());
  dock->setObjectName(QString::number(m_nID));
  dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  auto* content = new QWidget(dock);
  dock->setWidget(content);
  window->addDockWidget(DockArea(0, m_dwBarStyle), dock);
  AttachHandle(content, dock, FALSE);
  return content;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CDialogBar::PreTranslateMessage(MSG* pMsg)
{
  return PreTranslateDialogKeys(this, pMsg) || CControlBar::PreTranslateMessage(pMsg);
}

BOOL CDialogBar::IsFloating() const
{
  auto* dock = qobject_cast<QDockWidget*>(GetOuterHandle());
  return dock && dock->isFloating();
}

void CDialogBar::DockAt(UINT nDockBarID)
{
  auto* dock = qobject_cast<QDockWidget*>(GetOuterHandle());
  QMainWindow* window = FrameWindow();
  if (!dock || !window)
    return;
  const bool visible = !dock->isHidden();
  dock->setFloating(false);
  window->addDockWidget(DockArea(nDockBarID, m_dwBarStyle), dock);
  dock->setVisible(visible);
}

void CDialogBar::Float(CPoint point)
{
  auto* dock = qobject_cast<QDockWidget*>(GetOuterHandle());
  if (!dock)
    return;
  dock->setFloating(true);
  dock->move(point.x, point.y);
}
