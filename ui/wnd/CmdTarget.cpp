#include "ui/wnd/CmdTarget.h"

#include <QGuiApplication>

#include "ui/wnd/WinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {
// Passed as pExtra with CN_COMMAND to ask whether a handler exists without running it.
int g_queryHandler = 0;

const CMessageMapEntry* FindEntry(const CMessageMap* map, CMsgKind kind, UINT code, UINT id)
{
  for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const CMessageMapEntry* e = map->entries; e->kind != CMsgKind::End; ++e)
      if (e->kind == kind && e->nCode == code && id >= e->nFirst && id <= e->nLast)
        return e;
    if (map->pfnGetBaseMap && map->pfnGetBaseMap() == map)
      break;
  }
  return nullptr;
}
}  // namespace

const CMessageMap* CCmdTarget::GetThisMessageMap()
{
  static const CMessageMapEntry entries[] = {{CMsgKind::End, 0, 0, 0, nullptr}};
  static const CMessageMap map = {nullptr, entries};
  return &map;
}

void* AfxQueryHandlerTag() { return &g_queryHandler; }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
  CMsgCall call;
  call.nID = nID;
  if (nCode == CN_UPDATE_COMMAND_UI) {
    const CMessageMapEntry* e = FindEntry(GetMessageMap(), CMsgKind::UpdateUI, 0, nID);
    if (!e)
      return FALSE;
    call.pCmdUI = static_cast<CCmdUI*>(pExtra);
    call.pCmdUI->m_bContinueRouting = FALSE;
    e->pfn(this, call);
    // A handler may pass the request on along the route.
    return !call.pCmdUI->m_bContinueRouting;
  }
  const CMessageMapEntry* e = FindEntry(GetMessageMap(), CMsgKind::Command, static_cast<UINT>(nCode), nID);
  if (!e)
    return FALSE;
  if (pExtra == AfxQueryHandlerTag())
    return TRUE;
  return e->pfn(this, call) != 0;
}

BOOL CCmdTarget::DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
  const CMessageMapEntry* e = FindEntry(GetMessageMap(), CMsgKind::Message, message, 0);
  if (!e)
    return FALSE;
  CMsgCall call;
  call.wParam = wParam;
  call.lParam = lParam;
  result = e->pfn(this, call);
  return TRUE;
}

void CCmdTarget::BeginWaitCursor()
{
  if (CWinApp* app = AfxGetApp())
    app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
  if (CWinApp* app = AfxGetApp())
    app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
  if (CWinApp* app = AfxGetApp())
    app->DoWaitCursor(0);
}

void CCmdUI::Enable(BOOL bOn)
{
  m_bEnabled = bOn;
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) { m_nCheck = nCheck; }

void CCmdUI::SetText(LPCTSTR lpszText)
{
  m_bTextSet = TRUE;
  m_strText = lpszText;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
  if (!pTarget)
    return FALSE;
  m_bEnableChanged = FALSE;
  const BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
  if (bDisableIfNoHandler && !m_bEnableChanged)
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, AfxQueryHandlerTag()));
  return handled;
}

CWaitCursor::CWaitCursor()
{
  if (CWinApp* app = AfxGetApp())
    app->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
  if (CWinApp* app = AfxGetApp())
    app->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
  if (CWinApp* app = AfxGetApp())
    app->DoWaitCursor(0);
}
