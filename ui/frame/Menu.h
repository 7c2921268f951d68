#pragma once
// Menus as the program sees them: items addressed by position or command id, popups, enable
// and check states that the update handlers set when a menu opens. Menu bars and popup menus
// on screen are built from this data each time they open.
#include <memory>
#include <vector>

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

class CCmdTarget;
class CMenu;
class CWnd;
class QMenu;
class QWidget;

struct CMenuData
{
  struct Item
  {
    CString text;
    UINT id = 0;
    UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
    CMenuData* popup = nullptr;
  };
  std::vector<Item> items;
  std::unique_ptr<CMenu> wrapper;  // the object FromHandle hands out
  CMenuData();
  ~CMenuData();
  CMenuData(const CMenuData&) = delete;
  CMenuData& operator=(const CMenuData&) = delete;
};

// The items of a menu and of the popups it holds, as they stand: a menu bar built again from a
// menu whose picture has not changed would come out as it is.
class CMenuPicture
{
public:
  explicit CMenuPicture(HMENU hMenu);
  bool operator==(const CMenuPicture& other) const = default;

private:
  struct CEntry
  {
    HMENU menu = nullptr;  // the menu holding the item
    CString text;
    UINT id = 0;
    UINT flags = 0;
    HMENU popup = nullptr;
    bool operator==(const CEntry& other) const = default;
  };
  void Take(HMENU hMenu);

  HMENU m_hMenu = nullptr;
  std::vector<CEntry> m_entries;
};

class CMenu : public CObject
{
  DECLARE_DYNAMIC(CMenu)
public:
  CMenu() = default;
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  HMENU GetSafeHmenu() const { return m_hMenu; }
  static CMenu* FromHandle(HMENU hMenu);

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // FALSE when the menu resource is not registered.
  BOOL LoadMenu(UINT nIDResource);
  // Destroys the menu and its popups.
  BOOL DestroyMenu();
  BOOL Attach(HMENU hMenu);
  HMENU Detach();

  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;
  UINT GetMenuState(UINT nID, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
  CMenu* GetSubMenu(int nPos) const;
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  // Removes an item; a popup removed this way survives.
  BOOL RemoveMenu(UINT nPosition, UINT nFlags);
  // Removes an item and destroys its popup.
  BOOL DeleteMenu(UINT nPosition, UINT nFlags);
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  // Shows the menu at a screen point; the chosen command is posted to pWnd (or returned with
  // TPM_RETURNCMD). Update handlers along pWnd's command route run first.
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

  // Runs the update handlers of every item (and popups) through the target's command route.
  void UpdateCommandStates(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
  // Builds the Qt menu for the data; commands are posted to pOwner; popups refresh their states
  // through pOwner's route each time they open.
  static void FillQMenu(QMenu* qmenu, HMENU hMenu, CWnd* pOwner);
  // Empties a menu or menu bar together with the popups it made.
  static void ClearQMenu(QWidget* menu);

private:
  int FindItem(UINT nItem, UINT nFlags) const;
  BOOL m_bTemporary = FALSE;
  friend struct CMenuData;
};
