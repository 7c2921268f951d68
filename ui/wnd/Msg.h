#pragma once
// Window messages, their parameter packing and the numeric constants of the window, drawing and
// dialog interfaces. Values are those the program's stored ids and tables rely on.
#include <cstdint>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class QWidget;
struct CMenuData;
struct CCursorData;
struct CGlobalBlock;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
// A window handle is the widget that carries the window; CWnd::FromHandle finds its object.
using HWND = QWidget*;
using HMENU = CMenuData*;
using HCURSOR = const CCursorData*;
using HGLOBAL = CGlobalBlock*;
using HANDLE = void*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPINT = int*;

struct MSG
{
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt = {0, 0};
};

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi)
{
  return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return static_cast<WPARAM>(MAKELPARAM(lo, hi)) & 0xFFFFFFFFu; }
// Mouse positions travel as signed 16-bit halves.
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<short>(l & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<short>((l >> 16) & 0xFFFF); }

enum : UINT
{
  WM_NULL = 0x0000,
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_ENABLE = 0x000A,
  WM_SETREDRAW = 0x000B,
  WM_SETTEXT = 0x000C,
  WM_GETTEXT = 0x000D,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_ERASEBKGND = 0x0014,
  WM_QUERYENDSESSION = 0x0011,
  WM_ENDSESSION = 0x0016,
  WM_SHOWWINDOW = 0x0018,
  WM_CANCELMODE = 0x001F,
  WM_SETCURSOR = 0x0020,
  WM_WINDOWPOSCHANGED = 0x0047,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_INITDIALOG = 0x0110,
  WM_COMMAND = 0x0111,
  WM_SYSCOMMAND = 0x0112,
  WM_MENUSELECT = 0x011F,
  WM_TIMER = 0x0113,
  WM_HSCROLL = 0x0114,
  WM_VSCROLL = 0x0115,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
  WM_MOUSEWHEEL = 0x020A,
  WM_MOUSEHWHEEL = 0x020E,
  WM_MDIACTIVATE = 0x0222,
  WM_CAPTURECHANGED = 0x0215,
  WM_DROPFILES = 0x0233,
  WM_USER = 0x0400
};

// Key-state bits of mouse messages.
enum : UINT
{
  MK_LBUTTON = 0x0001,
  MK_RBUTTON = 0x0002,
  MK_SHIFT = 0x0004,
  MK_CONTROL = 0x0008,
  MK_MBUTTON = 0x0010
};

// One notch of a mouse wheel.
constexpr short WHEEL_DELTA = 120;

// Virtual key codes.
enum : UINT
{
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_MBUTTON = 0x04,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_ADD = 0x6B,
  VK_SUBTRACT = 0x6D,
  VK_F1 = 0x70,
  VK_F4 = 0x73,
  VK_F5 = 0x74,
  VK_F6 = 0x75,
  VK_F7 = 0x76,
  VK_F8 = 0x77,
  VK_F12 = 0x7B
};

// Show commands.
enum : int
{
  SW_HIDE = 0,
  SW_SHOWNORMAL = 1,
  SW_SHOWMINIMIZED = 2,
  SW_SHOWMAXIMIZED = 3,
  SW_SHOWNOACTIVATE = 4,
  SW_SHOW = 5,
  SW_MINIMIZE = 6,
  SW_SHOWNA = 8,
  SW_RESTORE = 9
};

// Window styles.
enum : DWORD
{
  WS_OVERLAPPED = 0x00000000,
  WS_POPUP = 0x80000000,
  WS_CHILD = 0x40000000,
  WS_VISIBLE = 0x10000000,
  WS_DISABLED = 0x08000000,
  WS_CLIPCHILDREN = 0x02000000,
  WS_CAPTION = 0x00C00000,
  WS_BORDER = 0x00800000,
  WS_VSCROLL = 0x00200000,
  WS_HSCROLL = 0x00100000,
  WS_SYSMENU = 0x00080000,
  WS_THICKFRAME = 0x00040000,
  WS_GROUP = 0x00020000,
  WS_TABSTOP = 0x00010000,
  WS_MINIMIZEBOX = 0x00020000,
  WS_MAXIMIZEBOX = 0x00010000,
  WS_OVERLAPPEDWINDOW = 0x00CF0000,
  WS_EX_TOPMOST = 0x00000008,
  WS_EX_WINDOWEDGE = 0x00000100,
  WS_EX_CLIENTEDGE = 0x00000200
};

// Frame-window style: the frame's title carries the active document's title.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

// Scroll bar styles, codes and bar ids.
enum : UINT
{
  SBS_HORZ = 0x0000,
  SBS_VERT = 0x0001,
  SBS_BOTTOMALIGN = 0x0004,
  SBS_RIGHTALIGN = 0x0004,
  SB_HORZ = 0,
  SB_VERT = 1,
  SB_LINEUP = 0,
  SB_LINELEFT = 0,
  SB_LINEDOWN = 1,
  SB_LINERIGHT = 1,
  SB_PAGEUP = 2,
  SB_PAGELEFT = 2,
  SB_PAGEDOWN = 3,
  SB_PAGERIGHT = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_TOP = 6,
  SB_LEFT = 6,
  SB_BOTTOM = 7,
  SB_RIGHT = 7,
  SB_ENDSCROLL = 8
};

// SetWindowPos flags.
enum : UINT
{
  SWP_NOSIZE = 0x0001,
  SWP_NOMOVE = 0x0002,
  SWP_NOZORDER = 0x0004,
  SWP_NOREDRAW = 0x0008,
  SWP_NOACTIVATE = 0x0010,
  SWP_SHOWWINDOW = 0x0040,
  SWP_HIDEWINDOW = 0x0080
};

// Redraw and scroll flags.
enum : UINT
{
  RDW_INVALIDATE = 0x0001,
  RDW_ERASE = 0x0004,
  RDW_VALIDATE = 0x0008,
  RDW_NOERASE = 0x0020,
  RDW_UPDATENOW = 0x0100,
  RDW_ERASENOW = 0x0200,
  SW_INVALIDATE = 0x0002,
  SW_ERASE = 0x0004
};

// System commands and metrics.
enum : UINT
{
  SC_CLOSE = 0xF060,
  SIZE_RESTORED = 0,
  SM_CXSCREEN = 0,
  SM_CYSCREEN = 1,
  SM_CXVSCROLL = 2,
  SM_CYHSCROLL = 3,
  SM_CYCAPTION = 4,
  SM_CXBORDER = 5,
  SM_CYBORDER = 6,
  SM_CXDOUBLECLK = 36,
  SM_CYDOUBLECLK = 37
};

// Message box types and answers.
enum : UINT
{
  MB_OK = 0x0000,
  MB_OKCANCEL = 0x0001,
  MB_YESNOCANCEL = 0x0003,
  MB_YESNO = 0x0004,
  MB_ICONHAND = 0x0010,
  MB_ICONSTOP = 0x0010,
  MB_ICONQUESTION = 0x0020,
  MB_ICONEXCLAMATION = 0x0030,
  MB_ICONINFORMATION = 0x0040,
  MB_ICONASTERISK = 0x0040,
  MB_TYPEMASK = 0x000F,
  MB_DEFBUTTON1 = 0x0000,
  MB_DEFBUTTON2 = 0x0100,
  MB_DEFBUTTON3 = 0x0200,
  MB_DEFMASK = 0x0F00,
  MB_ICONMASK = 0x00F0
};

enum : int
{
  IDOK = 1,
  IDCANCEL = 2,
  IDABORT = 3,
  IDRETRY = 4,
  IDIGNORE = 5,
  IDYES = 6,
  IDNO = 7
};

// Help commands.
enum : UINT
{
  HELP_CONTEXT = 0x0001,
  HELP_QUIT = 0x0002,
  HELP_INDEX = 0x0003,
  HELP_FINDER = 0x000B
};

// Help ids are offsets of command and resource ids.
constexpr std::uintptr_t HID_BASE_COMMAND = 0x00010000;
constexpr std::uintptr_t HID_BASE_RESOURCE = 0x00020000;

// Control notification codes carried in the high word of WM_COMMAND.
enum : UINT
{
  BN_CLICKED = 0,
  BN_DOUBLECLICKED = 5,
  EN_SETFOCUS = 0x0100,
  EN_KILLFOCUS = 0x0200,
  EN_CHANGE = 0x0300,
  LBN_SELCHANGE = 1,
  LBN_DBLCLK = 2,
  CBN_SELCHANGE = 1,
  CBN_DBLCLK = 2,
  CBN_EDITCHANGE = 5,
  CBN_SELENDOK = 9,
  CBN_SELENDCANCEL = 10
};

// List-box messages and results.
enum : UINT
{
  LB_ADDSTRING = 0x0180,
  LB_INSERTSTRING = 0x0181,
  LB_DELETESTRING = 0x0182,
  LB_RESETCONTENT = 0x0184,
  LB_SETCURSEL = 0x0186,
  LB_GETCURSEL = 0x0188,
  LB_GETTEXT = 0x0189,
  LB_GETCOUNT = 0x018B,
  LB_FINDSTRINGEXACT = 0x01A2
};

constexpr int LB_ERR = -1;
constexpr int CB_ERR = -1;

// Popup-menu tracking flags.
enum : UINT
{
  TPM_LEFTALIGN = 0x0000,
  TPM_RIGHTBUTTON = 0x0002,
  TPM_RETURNCMD = 0x0100
};

// Menu item flags.
enum : UINT
{
  MF_BYCOMMAND = 0x0000,
  MF_STRING = 0x0000,
  MF_ENABLED = 0x0000,
  MF_UNCHECKED = 0x0000,
  MF_GRAYED = 0x0001,
  MF_DISABLED = 0x0002,
  MF_CHECKED = 0x0008,
  MF_POPUP = 0x0010,
  MF_SEPARATOR = 0x0800,
  MF_BYPOSITION = 0x0400
};

// Standard command ids of the class library's frames, documents and views.
enum : UINT
{
  ID_FILE_NEW = 0xE100,
  ID_FILE_OPEN = 0xE101,
  ID_FILE_CLOSE = 0xE102,
  ID_FILE_SAVE = 0xE103,
  ID_FILE_SAVE_AS = 0xE104,
  ID_FILE_PRINT_SETUP = 0xE106,
  ID_FILE_PRINT = 0xE107,
  ID_FILE_PRINT_PREVIEW = 0xE109,
  ID_FILE_MRU_FILE1 = 0xE110,
  ID_FILE_MRU_FILE16 = 0xE11F,
  ID_EDIT_COPY = 0xE122,
  ID_EDIT_CUT = 0xE123,
  ID_EDIT_PASTE = 0xE125,
  ID_WINDOW_ARRANGE = 0xE130,
  ID_WINDOW_CASCADE = 0xE132,
  ID_WINDOW_TILE_HORZ = 0xE133,
  // The numbered entries of the open child windows at the end of the Window menu.
  AFX_IDM_FIRST_MDICHILD = 0xFF00,
  ID_NEXT_PANE = 0xE150,
  ID_PREV_PANE = 0xE151,
  ID_APP_ABOUT = 0xE140,
  ID_APP_EXIT = 0xE141,
  ID_HELP_INDEX = 0xE142,
  ID_HELP = 0xE146,
  ID_VIEW_TOOLBAR = 0xE800,
  ID_VIEW_STATUS_BAR = 0xE801,
  ID_SEPARATOR = 0,
  ID_APPLY_NOW = 0x3021,
  AFX_IDW_TOOLBAR = 0xE800,
  AFX_IDW_STATUS_BAR = 0xE801,
  AFX_IDW_DOCKBAR_TOP = 0xE81B,
  AFX_IDW_DOCKBAR_LEFT = 0xE81C,
  AFX_IDW_DOCKBAR_RIGHT = 0xE81D,
  AFX_IDW_DOCKBAR_BOTTOM = 0xE81E,
  AFX_IDW_PANE_FIRST = 0xE900,
  AFX_IDW_HSCROLL_FIRST = 0xEA00,
  AFX_IDW_VSCROLL_FIRST = 0xEA10,
  AFX_IDS_IDLEMESSAGE = 0xE001,
  AFX_HELP_BASE = 0x10000
};

// Idle-time message that asks control bars to refresh their commands' states.
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;
