// The MDI frame's Window menu: cascading, tiling and lining up the child windows, and the
// numbered list of the open ones below a separator, the active one checked.
#include <algorithm>
#include <cmath>
#include <vector>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRect>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include "ui/frame/MdiFrame.h"
#include "ui/frame/Menu.h"

namespace {
bool IsWindowEntry(UINT nID)
{
  return nID >= AFX_IDM_FIRST_MDICHILD && nID < AFX_IDM_FIRST_MDICHILD + CMDIFrameWnd::kMaxWindowEntries;
}

// "&1 Proj1: Workbench": the number is the mnemonic; ampersands of the title stay text.
CString WindowEntryText(UINT nNumber, const CString& title)
{
  CString text = CString::Formatted("&%u ", nNumber);
  for (int i = 0; i < title.GetLength(); ++i) {
    if (title[i] == '&')
      text += '&';
    text += title[i];
  }
  return text;
}

// Takes the entries of an earlier opening out of the menu, with the separator above them.
void RemoveWindowEntries(CMenu* pMenu, UINT nAfter)
{
  for (UINT i = pMenu->GetMenuItemCount(); i-- > nAfter + 1;)
    if (IsWindowEntry(pMenu->GetMenuItemID(static_cast<int>(i))))
      pMenu->DeleteMenu(i, MF_BYPOSITION);
  const UINT next = nAfter + 1;
  if (next + 1 == pMenu->GetMenuItemCount() && (pMenu->GetMenuState(next, MF_BYPOSITION) & MF_SEPARATOR))
    pMenu->DeleteMenu(next, MF_BYPOSITION);
}

// The place of a window of that size moved wholly inside the client, or to its top left corner
// where it is larger.
QRect WithinClient(QRect frame, const QRect& client)
{
  frame.moveRight(std::min(frame.right(), client.right()));
  frame.moveBottom(std::min(frame.bottom(), client.bottom()));
  frame.moveLeft(std::max(frame.left(), client.left()));
  frame.moveTop(std::max(frame.top(), client.top()));
  return frame;
}

// The windows share the area, one above the other in floor(sqrt(n)) columns of equal width, the
// last columns taking one window more where the number does not divide.
void TileInColumns(const std::vector<QMdiSubWindow*>& windows, const QRect& area)
{
  const int count = static_cast<int>(windows.size());
  if (count == 0)
    return;
  const int columns = std::max(static_cast<int>(std::sqrt(static_cast<double>(count))), 1);
  int next = 0;
  for (int c = 0; c < columns; ++c) {
    const int rows = count / columns + (c >= columns - count % columns ? 1 : 0);
    const int left = area.left() + area.width() * c / columns;
    const int right = area.left() + area.width() * (c + 1) / columns;
    for (int r = 0; r < rows; ++r) {
      const int top = area.top() + area.height() * r / rows;
      const int bottom = area.top() + area.height() * (r + 1) / rows;
      windows[next++]->setGeometry(left, top, right - left, bottom - top);
    }
  }
}
}  // namespace

std::vector<CMDIChildWnd*> CMDIFrameWnd::ShownChildren() const
{
  std::vector<CMDIChildWnd*> children;
  if (!m_pMdiArea)
    return children;
  for (QMdiSubWindow* sub : m_pMdiArea->subWindowList(QMdiArea::CreationOrder))
    if (auto* child = dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(sub)); child && child->m_hWnd && !sub->isHidden())
      children.push_back(child);
  return children;
}

int CMDIFrameWnd::CascadeStep(QWidget* pSub) const
{
  QStyleOptionTitleBar option;
  option.initFrom(pSub);
  return std::max(pSub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, pSub), 1);
}

int CMDIFrameWnd::CascadeSteps(int step) const
{
  return m_pMdiArea ? std::max(m_pMdiArea->viewport()->height() / (3 * step), 0) : 0;
}

QSize CMDIFrameWnd::CascadeSize(int step) const
{
  const QSize client = m_pMdiArea ? m_pMdiArea->viewport()->size() : QSize();
  const int steps = CascadeSteps(step);
  return QSize(std::max(client.width() - steps * step, 1), std::max(client.height() - steps * step, 1));
}

void CMDIFrameWnd::OnWindowCascade()
{
  if (!m_pMdiArea)
    return;
  // As the system's cascade does: each window that shows and is not minimised steps down and to
  // the right by a caption's height, the topmost last so that it stays on top. A window that can
  // be sized takes the client's size less the steps the client has room for; one without a
  // sizing border keeps its size. (Qt's own cascade gives each window its size hint, which left
  // the project window a caption and a report window its button bar alone.)
  std::vector<QMdiSubWindow*> windows;
  for (QMdiSubWindow* sub : m_pMdiArea->subWindowList(QMdiArea::StackingOrder))
    if (!sub->isHidden() && !sub->isMinimized())
      windows.push_back(sub);
  if (windows.empty())
    return;
  const int step = CascadeStep(windows.front());
  const int steps = CascadeSteps(step);
  const QSize size = CascadeSize(step);
  int place = 0;
  for (QMdiSubWindow* sub : windows) {
    if (sub->isMaximized())
      sub->showNormal();
    const int offset = step * (place++ % (steps + 1));
    sub->move(offset, offset);
    if (!(sub->windowFlags() & Qt::MSWindowsFixedSizeDialogHint))
      sub->resize(size);
  }
}

void CMDIFrameWnd::OnWindowTile()
{
  if (!m_pMdiArea)
    return;
  // Qt's own tiling widens the client to the windows' least sizes, leaving windows past the edge
  // of a narrow one, and sizes windows that have no sizing border. Here, as in the cascade, a
  // window without one keeps its size: those stand one below the other at the left, and the
  // others share the rest of the client, one above the other in as many columns as the square
  // root of their number, the topmost first. Whatever a window's least size, it ends wholly
  // inside the client; the windows of the left column go from the bottommost up, so that one
  // moved up into a short client covers the lower part of those before it, never their captions.
  std::vector<QMdiSubWindow*> fixed;
  std::vector<QMdiSubWindow*> sizable;
  for (QMdiSubWindow* sub : m_pMdiArea->subWindowList(QMdiArea::StackingOrder)) {
    if (sub->isHidden() || sub->isMinimized())
      continue;
    if (sub->isMaximized())
      sub->showNormal();
    if (sub->windowFlags() & Qt::MSWindowsFixedSizeDialogHint)
      fixed.push_back(sub);
    else
      sizable.insert(sizable.begin(), sub);
  }
  // The client without scroll bars: a bar a window past the edge called up goes once the windows
  // lie inside.
  const QRect client(QPoint(0, 0), m_pMdiArea->contentsRect().size());
  int column = 0;
  int top = 0;
  for (QMdiSubWindow* sub : fixed) {
    sub->move(0, top);
    top += sub->height();
    column = std::max(column, sub->width());
  }
  QRect rest = client.adjusted(column, 0, 0, 0);
  if (rest.width() <= 0)
    rest = client;
  TileInColumns(sizable, rest);
  for (QMdiSubWindow* sub : fixed)
    sub->move(WithinClient(sub->geometry(), client).topLeft());
  for (QMdiSubWindow* sub : sizable)
    sub->move(WithinClient(sub->geometry(), client).topLeft());
}

void CMDIFrameWnd::OnWindowArrange()
{
  if (!m_pMdiArea)
    return;
  // Minimised windows line up along the bottom of the client, from the left.
  int x = 0;
  const int bottom = m_pMdiArea->viewport()->height();
  for (QMdiSubWindow* sub : m_pMdiArea->subWindowList(QMdiArea::CreationOrder))
    if (!sub->isHidden() && sub->isMinimized()) {
      sub->move(x, bottom - sub->height());
      x += sub->width();
    }
}

void CMDIFrameWnd::OnWindowActivate(UINT nID)
{
  const std::vector<CMDIChildWnd*> children = ShownChildren();
  const size_t index = nID - AFX_IDM_FIRST_MDICHILD;
  if (index < children.size())
    MDIActivate(children[index]);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

void CMDIFrameWnd::OnUpdateWindowEntry(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(pCmdUI->m_nID - AFX_IDM_FIRST_MDICHILD < ShownChildren().size());
}

void CMDIFrameWnd::OnUpdateWindowMenu(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(MDIGetActive() != nullptr);
  CMenu* pMenu = pCmdUI->m_pMenu;
  if (!pMenu)
    return;
  // The list follows the last of the menu's own items and is made anew at each opening.
  RemoveWindowEntries(pMenu, pCmdUI->m_nIndex);
  const std::vector<CMDIChildWnd*> children = ShownChildren();
  const CMDIChildWnd* active = MDIGetActive();
  UINT number = 0;
  for (CMDIChildWnd* child : children) {
    if (number == kMaxWindowEntries)
      break;
    if (number == 0)
      pMenu->AppendMenu(MF_SEPARATOR);
    CString title;
    child->GetWindowText(title);
    const UINT checked = child == active ? MF_CHECKED : MF_UNCHECKED;
    pMenu->AppendMenu(MF_STRING | checked, AFX_IDM_FIRST_MDICHILD + number, WindowEntryText(number + 1, title));
    ++number;
  }
  // The entries need no update of their own this time.
  pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
  pCmdUI->m_nIndex = pCmdUI->m_nIndexMax - 1;
}
