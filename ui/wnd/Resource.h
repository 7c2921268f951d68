#pragma once
// The program's resources, registered in code at start-up: string table, menus, dialog
// templates, accelerator tables, bitmaps and cursors, each under its numeric id.
#include <functional>
#include <map>
#include <vector>

#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

class CDC;

struct CMenuTemplate
{
  struct Item
  {
    CString text;  // empty with no id and no children: a separator
    UINT id = 0;
    UINT flags = 0;
    std::vector<Item> children;

    Item() = default;
    Item(const char* itemText, UINT commandId, UINT itemFlags = 0) : text(itemText), id(commandId), flags(itemFlags) {}
    Item(const char* itemText, std::vector<Item> popup) : text(itemText), children(std::move(popup)) {}
    bool IsSeparator() const { return text.IsEmpty() && id == 0 && children.empty(); }
    bool IsPopup() const { return !children.empty(); }
  };
  std::vector<Item> items;
};

// Kinds of dialog controls.
enum class CDlgCtl
{
  PushButton,
  DefPushButton,
  CheckBox,
  RadioButton,
  GroupBox,
  Static,
  Edit,
  ListBox,
  ComboBox,
  ScrollBar
};

// Control styles that change behaviour.
enum : DWORD
{
  SS_LEFT = 0x0000,
  SS_CENTER = 0x0001,
  SS_RIGHT = 0x0002,
  ES_MULTILINE = 0x0004,
  ES_READONLY = 0x0800,
  ES_NUMBER = 0x2000,
  LBS_NOTIFY = 0x0001,
  LBS_SORT = 0x0002,
  CBS_DROPDOWN = 0x0002,
  CBS_DROPDOWNLIST = 0x0003,
  CBS_SORT = 0x0100
};

struct CDialogItemTemplate
{
  CDialogItemTemplate() = default;
  CDialogItemTemplate(CDlgCtl itemKind, UINT itemId, const char* itemText, const CRect& itemRect, DWORD itemStyle = 0,
                      std::vector<CString> items = {}, BOOL itemHidden = FALSE)
    : kind(itemKind),
      id(itemId),
      text(itemText),
      rect(itemRect),
      style(itemStyle),
      initialItems(std::move(items)),
      hidden(itemHidden)
  {}

  CDlgCtl kind = CDlgCtl::Static;
  UINT id = 0;
  CString text;
  CRect rect;                         // dialog units: left and top, right and bottom
  DWORD style = 0;                    // WS_GROUP, WS_DISABLED, control styles
  std::vector<CString> initialItems;  // list and combo box contents
  BOOL hidden = FALSE;
  int maxChars = 0;  // edits: the most characters the user may type (0: no limit)
};

// One control of a dialog template, placed as resource scripts place it: left, top, width and
// height in dialog units.
inline CDialogItemTemplate DialogItem(CDlgCtl kind, UINT id, const char* text, int x, int y, int cx, int cy,
                                      DWORD style = 0)
{
  return CDialogItemTemplate(kind, id, text, CRect(x, y, x + cx, y + cy), style);
}

struct CDialogTemplate
{
  CString caption;
  CSize size;  // dialog units
  std::vector<CDialogItemTemplate> items;
};

// Accelerator modifiers.
enum : UINT
{
  FVIRTKEY = 0x01,
  FSHIFT = 0x04,
  FCONTROL = 0x08,
  FALT = 0x10
};

struct CAccelTemplate
{
  UINT key;  // virtual key
  UINT modifiers;
  UINT command;
};

// A bitmap of the program's own drawing.
struct CBitmapTemplate
{
  int width = 0;
  int height = 0;
  std::function<void(CDC* pDC)> draw;
};

// A cursor drawn from text rows: 'X' black, '.' white, anything else transparent.
struct CCursorTemplate
{
  CPoint hotSpot;
  std::vector<const char*> rows;
};

class CResources
{
public:
  static CResources& Get();

  void AddString(UINT id, const char* text) { m_strings[id] = text; }
  void AddMenu(UINT id, CMenuTemplate menu) { m_menus[id] = std::move(menu); }
  void AddDialog(UINT id, CDialogTemplate dialog) { m_dialogs[id] = std::move(dialog); }
  void AddAccelerators(UINT id, std::vector<CAccelTemplate> table) { m_accels[id] = std::move(table); }
  void AddBitmap(UINT id, CBitmapTemplate bitmap) { m_bitmaps[id] = std::move(bitmap); }
  void AddCursor(UINT id, CCursorTemplate cursor) { m_cursors[id] = std::move(cursor); }

  const CString* FindString(UINT id) const;
  const CMenuTemplate* FindMenu(UINT id) const;
  const CDialogTemplate* FindDialog(UINT id) const;
  // The ids of every dialog template, in id order.
  std::vector<UINT> GetDialogIds() const;
  const std::vector<CAccelTemplate>* FindAccelerators(UINT id) const;
  const CBitmapTemplate* FindBitmap(UINT id) const;
  const CCursorTemplate* FindCursor(UINT id) const;

private:
  std::map<UINT, CString> m_strings;
  std::map<UINT, CMenuTemplate> m_menus;
  std::map<UINT, CDialogTemplate> m_dialogs;
  std::map<UINT, std::vector<CAccelTemplate>> m_accels;
  std::map<UINT, CBitmapTemplate> m_bitmaps;
  std::map<UINT, CCursorTemplate> m_cursors;
};

// The string resource of an id; FALSE (and rString untouched) when it is missing.
BOOL AfxLoadString(UINT nID, CString& rString);
// Replaces %1 (and %2) in the format by the given texts.
void AfxFormatString1(CString& rString, const char* lpszFormat, LPCTSTR lpsz1);
void AfxFormatString2(CString& rString, const char* lpszFormat, LPCTSTR lpsz1, LPCTSTR lpsz2);
