#include "ui/frame/Menu.h"

#include <set>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/dlg/DialogService.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/Wnd.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {
constexpr UINT kNotFound = 0xFFFFFFFFu;

HMENU BuildFromTemplate(const std::vector<CMenuTemplate::Item>& items)
{
  auto* data = new CMenuData;
  for (const CMenuTemplate::Item& t : items) {
    CMenuData::Item item;
    item.text = t.text;
    item.id = t.id;
    item.flags = t.flags;
    if (t.IsSeparator())
      item.flags |= MF_SEPARATOR;
    else if (t.IsPopup()) {
      item.flags |= MF_POPUP;
      item.popup = BuildFromTemplate(t.children);
    }
    data->items.push_back(item);
  }
  return data;
}

std::set<CMenuData*>& LiveMenus()
{
  // Never destroyed: menus of the application object's templates unregister at exit.
  static auto* menus = new std::set<CMenuData*>;
  return *menus;
}

// An update request for one menu item: the states go straight into the menu data. The item is
// found by position each time, as a handler may insert or remove items of the menu.
class CMenuCmdUI : public CCmdUI
{
public:
  void Enable(BOOL bOn) override
  {
    CCmdUI::Enable(bOn);
    if (CMenuData::Item* item = Item())
      item->flags = bOn ? (item->flags & ~(MF_GRAYED | MF_DISABLED)) : (item->flags | MF_GRAYED);
  }
  void SetCheck(int nCheck) override
  {
    CCmdUI::SetCheck(nCheck);
    if (CMenuData::Item* item = Item())
      item->flags = nCheck ? (item->flags | MF_CHECKED) : (item->flags & ~MF_CHECKED);
  }
  void SetText(LPCTSTR lpszText) override
  {
    CCmdUI::SetText(lpszText);
    if (CMenuData::Item* item = Item())
      item->text = lpszText;
  }

private:
  CMenuData::Item* Item() const
  {
    HMENU data = m_pMenu->m_hMenu;
    return data && m_nIndex < data->items.size() ? &data->items[m_nIndex] : nullptr;
  }
};

// Finds an item by command id in the menu and its popups.
CMenuData::Item* FindById(CMenuData* data, UINT id)
{
  for (CMenuData::Item& item : data->items) {
    if (!(item.flags & (MF_POPUP | MF_SEPARATOR)) && item.id == id)
      return &item;
    if (item.popup)
      if (CMenuData::Item* found = FindById(item.popup, id))
        return found;
  }
  return nullptr;
}
}  // namespace

namespace {
std::vector<std::unique_ptr<CMenu>>& SpentWrappers()
{
  // Never destroyed, like the set of live menus, so a menu destroyed late at exit still finds it.
  static auto* wrappers = new std::vector<std::unique_ptr<CMenu>>;
  return *wrappers;
}
}  // namespace

CMenuData::CMenuData() { LiveMenus().insert(this); }

CMenuPicture::CMenuPicture(HMENU hMenu) : m_hMenu(hMenu) { Take(hMenu); }

void CMenuPicture::Take(HMENU hMenu)
{
  if (!hMenu)
    return;
  for (const CMenuData::Item& item : hMenu->items) {
    m_entries.push_back({hMenu, item.text, item.id, item.flags, item.popup});
    Take(item.popup);
  }
}

CMenuData::~CMenuData()
{
  LiveMenus().erase(this);
  for (Item& item : items)
    delete item.popup;
}

CMenu::~CMenu()
{
  if (!m_bTemporary && m_hMenu)
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
  if (!hMenu)
    return nullptr;
  if (!hMenu->wrapper) {
    hMenu->wrapper = std::make_unique<CMenu>();
    hMenu->wrapper->m_hMenu = hMenu;
    hMenu->wrapper->m_bTemporary = TRUE;
  }
  return hMenu->wrapper.get();
}

BOOL CMenu::CreateMenu()
{
  if (m_hMenu)
    return FALSE;
  m_hMenu = new CMenuData;
  return TRUE;
}

BOOL CMenu::CreatePopupMenu() { return CreateMenu(); }

BOOL CMenu::LoadMenu(UINT nIDResource)
{
  const CMenuTemplate* tmpl = CResources::Get().FindMenu(nIDResource);
  if (!tmpl || m_hMenu)
    return FALSE;
  m_hMenu = BuildFromTemplate(tmpl->items);
  return TRUE;
}

BOOL CMenu::DestroyMenu()
{
  if (!m_hMenu)
    return FALSE;
  HMENU h = m_hMenu;
  m_hMenu = nullptr;
  // A destroyed popup no longer hangs in the menu that held it.
  for (CMenuData* menu : LiveMenus())
    for (CMenuData::Item& item : menu->items)
      if (item.popup == h)
        item.popup = nullptr;
  // The wrapper belongs to the data; it outlives the data, since the caller still holds it, and
  // joins the spent wrappers (it owns nothing by then).
  if (h->wrapper.get() == this)
    SpentWrappers().push_back(std::move(h->wrapper));
  delete h;
  return TRUE;
}

BOOL CMenu::Attach(HMENU hMenu)
{
  if (m_hMenu || !hMenu)
    return FALSE;
  m_hMenu = hMenu;
  return TRUE;
}

HMENU CMenu::Detach()
{
  HMENU h = m_hMenu;
  m_hMenu = nullptr;
  return h;
}

int CMenu::FindItem(UINT nItem, UINT nFlags) const
{
  if (!m_hMenu)
    return -1;
  if (nFlags & MF_BYPOSITION)
    return nItem < m_hMenu->items.size() ? static_cast<int>(nItem) : -1;
  for (size_t i = 0; i < m_hMenu->items.size(); ++i) {
    const CMenuData::Item& item = m_hMenu->items[i];
    if (!(item.flags & (MF_POPUP | MF_SEPARATOR)) && item.id == nItem)
      return static_cast<int>(i);
  }
  return -1;
}

UINT CMenu::GetMenuItemCount() const { return m_hMenu ? static_cast<UINT>(m_hMenu->items.size()) : kNotFound; }

UINT CMenu::GetMenuItemID(int nPos) const
{
  if (!m_hMenu || nPos < 0 || static_cast<size_t>(nPos) >= m_hMenu->items.size())
    return 0;
  const CMenuData::Item& item = m_hMenu->items[static_cast<size_t>(nPos)];
  return (item.flags & MF_POPUP) ? kNotFound : item.id;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
  const int index = FindItem(nID, nFlags);
  if (index >= 0)
    return m_hMenu->items[static_cast<size_t>(index)].flags;
  const CMenuData::Item* item = (nFlags & MF_BYPOSITION) || !m_hMenu ? nullptr : FindById(m_hMenu, nID);
  return item ? item->flags : kNotFound;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
  const int index = FindItem(nIDItem, nFlags);
  const CMenuData::Item* item = index >= 0
                                    ? &m_hMenu->items[static_cast<size_t>(index)]
                                    : ((nFlags & MF_BYPOSITION) || !m_hMenu ? nullptr : FindById(m_hMenu, nIDItem));
  rString = item ? item->text : CString();
  return rString.GetLength();
}

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
  CString text;
  GetMenuString(nIDItem, text, nFlags);
  if (!lpString || nMaxCount <= 0)
    return 0;
  const int n = std::min(text.GetLength(), nMaxCount - 1);
  std::copy_n(text.c_str(), n, lpString);
  lpString[n] = '\0';
  return n;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
  if (!m_hMenu || nPos < 0 || static_cast<size_t>(nPos) >= m_hMenu->items.size())
    return nullptr;
  return FromHandle(m_hMenu->items[static_cast<size_t>(nPos)].popup);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
  return InsertMenu(kNotFound, nFlags | MF_BYPOSITION, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
  if (!m_hMenu)
    return FALSE;
  CMenuData::Item item;
  item.text = lpszNewItem;
  item.flags = nFlags & ~MF_BYPOSITION;
  if (nFlags & MF_POPUP)
    item.popup = reinterpret_cast<HMENU>(nIDNewItem);
  else
    item.id = static_cast<UINT>(nIDNewItem);
  int index = (nFlags & MF_BYPOSITION) ? static_cast<int>(std::min<size_t>(nPosition, m_hMenu->items.size()))
                                       : FindItem(nPosition, nFlags);
  if (index < 0)
    index = static_cast<int>(m_hMenu->items.size());
  m_hMenu->items.insert(m_hMenu->items.begin() + index, item);
  return TRUE;
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
  const int index = FindItem(nPosition, nFlags);
  if (index < 0)
    return FALSE;
  m_hMenu->items.erase(m_hMenu->items.begin() + index);
  return TRUE;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
  const int index = FindItem(nPosition, nFlags);
  if (index < 0)
    return FALSE;
  delete m_hMenu->items[static_cast<size_t>(index)].popup;
  m_hMenu->items.erase(m_hMenu->items.begin() + index);
  return TRUE;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
  const int index = FindItem(nIDEnableItem, nEnable);
  CMenuData::Item* item = index >= 0
                              ? &m_hMenu->items[static_cast<size_t>(index)]
                              : ((nEnable & MF_BYPOSITION) || !m_hMenu ? nullptr : FindById(m_hMenu, nIDEnableItem));
  if (!item)
    return kNotFound;
  const UINT old = item->flags & (MF_GRAYED | MF_DISABLED);
  item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
  return old;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
  const int index = FindItem(nIDCheckItem, nCheck);
  CMenuData::Item* item = index >= 0
                              ? &m_hMenu->items[static_cast<size_t>(index)]
                              : ((nCheck & MF_BYPOSITION) || !m_hMenu ? nullptr : FindById(m_hMenu, nIDCheckItem));
  if (!item)
    return kNotFound;
  const UINT old = item->flags & MF_CHECKED;
  item->flags = (item->flags & ~MF_CHECKED) | (nCheck & MF_CHECKED);
  return old;
}

void CMenu::UpdateCommandStates(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
  if (!m_hMenu || !pTarget)
    return;
  for (UINT i = 0; m_hMenu && i < m_hMenu->items.size(); ++i) {
    const CMenuData::Item& item = m_hMenu->items[i];
    if (item.flags & MF_SEPARATOR)
      continue;
    if (item.popup) {
      FromHandle(item.popup)->UpdateCommandStates(pTarget, bDisableIfNoHandler);
      continue;
    }
    CMenuCmdUI state;
    state.m_nID = item.id;
    state.m_nIndex = i;
    state.m_nIndexMax = static_cast<UINT>(m_hMenu->items.size());
    state.m_pMenu = this;
    state.DoUpdate(pTarget, bDisableIfNoHandler);
    // A handler that puts several items in place of its own (the recent-file list) leaves the
    // index on the last of them, so that they are not asked again.
    i = state.m_nIndex;
  }
}

void CMenu::ClearQMenu(QWidget* menu)
{
  // Clearing removes the actions only; the popups made for them would stay behind as children.
  std::vector<QMenu*> popups;
  for (QAction* action : menu->actions())
    if (QMenu* popup = action->menu(); popup && popup->parent() == menu)
      popups.push_back(popup);
  if (auto* qmenu = qobject_cast<QMenu*>(menu))
    qmenu->clear();
  else if (auto* bar = qobject_cast<QMenuBar*>(menu))
    bar->clear();
  for (QMenu* popup : popups)
    popup->deleteLater();
}

void CMenu::FillQMenu(QMenu* qmenu, HMENU hMenu, CWnd* pOwner)
{
  ClearQMenu(qmenu);
  if (!hMenu)
    return;
  for (const CMenuData::Item& item : hMenu->items) {
    if (item.flags & MF_SEPARATOR) {
      qmenu->addSeparator();
      continue;
    }
    if (item.popup) {
      QMenu* sub = qmenu->addMenu(ToQString(item.text));
      HMENU popup = item.popup;
      // The owner's bridge goes with the owner, which takes these connections with it.
      QObject* context = pOwner ? static_cast<QObject*>(pOwner->Impl()->Bridge()) : sub;
      QObject::connect(sub, &QMenu::aboutToShow, context, [sub, popup, pOwner] {
        FromHandle(popup)->UpdateCommandStates(pOwner, TRUE);
        FillQMenu(sub, popup, pOwner);
      });
      FillQMenu(sub, popup, pOwner);
      continue;
    }
    QAction* action = qmenu->addAction(ToQString(item.text));
    const UINT id = item.id;
    action->setData(id);
    action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
    action->setCheckable((item.flags & MF_CHECKED) != 0);
    action->setChecked((item.flags & MF_CHECKED) != 0);
    if (pOwner) {
      QObject* context = pOwner->Impl()->Bridge();
      QObject::connect(action, &QAction::triggered, context, [pOwner, id] { pOwner->PostMessage(WM_COMMAND, id, 0); });
      QObject::connect(action, &QAction::hovered, context, [pOwner, id] { pOwner->SendMessage(WM_MENUSELECT, id, 0); });
    }
  }
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
  if (!m_hMenu)
    return FALSE;
  UpdateCommandStates(pWnd, TRUE);
  const UINT id = static_cast<UINT>(DialogService().PopupMenu(pWnd, *this, CPoint(x, y)));
  if (nFlags & TPM_RETURNCMD)
    return static_cast<BOOL>(id);
  if (id != 0 && pWnd)
    pWnd->PostMessage(WM_COMMAND, id, 0);
  return TRUE;
}
