#pragma once
// Command targets and their message maps: numeric command ids, ranges, control notifications
// and registered messages are looked up in static tables, the first entry for an id winning,
// then in the base class's table. CCmdUI carries an update request (enable, check, text).
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

class CCmdTarget;
class CCmdUI;
class CMenu;

// Notification codes that OnCmdMsg passes with a command id.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
// Passed as pExtra with CN_COMMAND: asks whether a handler exists without running it.
void* AfxQueryHandlerTag();

enum class CMsgKind
{
  End,
  Command,  // WM_COMMAND with notification code nCode (0 for menus and buttons)
  UpdateUI,
  Message,  // a window message, e.g. WM_USER + n
};

// Arguments handed to a message-map thunk.
struct CMsgCall
{
  UINT nID = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  CCmdUI* pCmdUI = nullptr;
};

struct CMessageMapEntry
{
  CMsgKind kind;
  UINT nCode;  // notification code (Command) or message number (Message)
  UINT nFirst;
  UINT nLast;
  LRESULT (*pfn)(CCmdTarget* target, const CMsgCall& call);
};

struct CMessageMap
{
  const CMessageMap* (*pfnGetBaseMap)();
  const CMessageMapEntry* entries;
};

class CCmdTarget : public CObject
{
  DECLARE_DYNAMIC(CCmdTarget)
public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Routes a command or an update request; TRUE when some handler took it. Derived targets
  // pass it on along the command route after their own map.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra);
  // Runs a window message through the map (ON_MESSAGE entries); FALSE when none matches.
  BOOL DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  static const CMessageMap* GetThisMessageMap();
  virtual const CMessageMap* GetMessageMap() const { return GetThisMessageMap(); }

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();
};

// An update request for one command: the menu item, toolbar button or dialog control that shows
// it. Enable/SetCheck/SetText are forwarded to that element.
class CCmdUI
{
public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
  virtual void SetText(LPCTSTR lpszText);
  // Leaves the request to the next target on the route, as if this one had no handler.
  void ContinueRouting() { m_bContinueRouting = TRUE; }
  // Asks the target's route; with bDisableIfNoHandler an unhandled command is disabled.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;
  UINT m_nIndexMax = 0;
  CMenu* m_pMenu = nullptr;
  CMenu* m_pSubMenu = nullptr;
  CObject* m_pOther = nullptr;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;

  // State collected by the base implementation.
  BOOL m_bEnabled = TRUE;
  int m_nCheck = 0;
  BOOL m_bTextSet = FALSE;
  CString m_strText;
};

#define DECLARE_MESSAGE_MAP()                                                                                          \
public:                                                                                                                \
  static const CMessageMap* GetThisMessageMap();                                                                       \
  const CMessageMap* GetMessageMap() const override;

// The thunks are defined inside a member function of the class, so they may call its
// protected and private handlers.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
  const CMessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                   \
  const CMessageMap* theClass::GetThisMessageMap()                                                                     \
  {                                                                                                                    \
    using ThisClass [[maybe_unused]] = theClass;                                                                       \
    using TheBaseClass = baseClass;                                                                                    \
    static const CMessageMapEntry _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                              \
  {                                                                                                                    \
    CMsgKind::End, 0, 0, 0, nullptr                                                                                    \
  }                                                                                                                    \
  }                                                                                                                    \
  ;                                                                                                                    \
  static const CMessageMap _messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries};                          \
  return &_messageMap;                                                                                                 \
  }

#define ON_COMMAND(id, memberFxn)                                                                                      \
  {CMsgKind::Command, 0, static_cast<UINT>(id), static_cast<UINT>(id), [](CCmdTarget* t, const CMsgCall&) -> LRESULT { \
     static_cast<ThisClass*>(t)->memberFxn();                                                                          \
     return 1;                                                                                                         \
   }},

// The handler returns BOOL: FALSE passes the command on along the route.
#define ON_COMMAND_EX(id, memberFxn)                                                                                   \
  {CMsgKind::Command, 0, static_cast<UINT>(id), static_cast<UINT>(id),                                                 \
   [](CCmdTarget* t, const CMsgCall& c) -> LRESULT { return static_cast<ThisClass*>(t)->memberFxn(c.nID); }},

#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                                                   \
  {CMsgKind::Command, 0, static_cast<UINT>(idFirst), static_cast<UINT>(idLast),                                        \
   [](CCmdTarget* t, const CMsgCall& c) -> LRESULT {                                                                   \
     static_cast<ThisClass*>(t)->memberFxn(c.nID);                                                                     \
     return 1;                                                                                                         \
   }},

#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                            \
  {CMsgKind::UpdateUI, 0, static_cast<UINT>(id), static_cast<UINT>(id),                                                \
   [](CCmdTarget* t, const CMsgCall& c) -> LRESULT {                                                                   \
     static_cast<ThisClass*>(t)->memberFxn(c.pCmdUI);                                                                  \
     return 1;                                                                                                         \
   }},

#define ON_UPDATE_COMMAND_UI_RANGE(idFirst, idLast, memberFxn)                                                         \
  {CMsgKind::UpdateUI, 0, static_cast<UINT>(idFirst), static_cast<UINT>(idLast),                                       \
   [](CCmdTarget* t, const CMsgCall& c) -> LRESULT {                                                                   \
     static_cast<ThisClass*>(t)->memberFxn(c.pCmdUI);                                                                  \
     return 1;                                                                                                         \
   }},

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                                         \
  {CMsgKind::Command, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id),                    \
   [](CCmdTarget* t, const CMsgCall&) -> LRESULT {                                                                     \
     static_cast<ThisClass*>(t)->memberFxn();                                                                          \
     return 1;                                                                                                         \
   }},

#define ON_CONTROL_RANGE(wNotifyCode, idFirst, idLast, memberFxn)                                                      \
  {CMsgKind::Command, static_cast<UINT>(wNotifyCode), static_cast<UINT>(idFirst), static_cast<UINT>(idLast),           \
   [](CCmdTarget* t, const CMsgCall& c) -> LRESULT {                                                                   \
     static_cast<ThisClass*>(t)->memberFxn(c.nID);                                                                     \
     return 1;                                                                                                         \
   }},

#define ON_MESSAGE(message, memberFxn)                                                                                 \
  {CMsgKind::Message, static_cast<UINT>(message), 0, 0, [](CCmdTarget* t, const CMsgCall& c) -> LRESULT {              \
     return static_cast<ThisClass*>(t)->memberFxn(c.wParam, c.lParam);                                                 \
   }},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)

// Shows the wait cursor for the life of the object.
class CWaitCursor
{
public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore();
};
