#include "app/Helpgate.h"

namespace {

// New, Open, Save, Save As, Cut, Copy, Paste, Print Preview, Print Setup, About.
constexpr DWORD kIdsWithoutHelp[] = {57600, 57601, 57603, 57604, 57635, 57634, 57637, 57609, 57606, 57664};

}  // namespace

BOOL GetGatedHelpId(DWORD data, UINT command, DWORD* id)
{
  if (command != HELP_CONTEXT) {
    *id = data;
    return TRUE;
  }
  DWORD context = data & 0xFFFF;
  for (DWORD excluded : kIdsWithoutHelp)
    if (context == excluded)
      return FALSE;
  *id = context - context % 100;
  return TRUE;
}

CString FormatShowHelpIdText(UINT command, DWORD id)
{
  CString text = "About to call WinHelp:\nCommand = ";
  text += command == HELP_CONTEXT ? "HELP_CONTEXT\n" : (command == HELP_INDEX ? "HELP_INDEX\n" : "ERROR!\n");
  text += CString::Formatted("Help ID = %d - %d\n", static_cast<int>(id + AFX_HELP_BASE), static_cast<int>(id));
  return text;
}

HelpAction DecideHelpRequest(DWORD data, UINT command, BOOL timerRunning, int showHelpId, DWORD* id)
{
  if (timerRunning || !GetGatedHelpId(data, command, id))
    return HelpAction::drop;
  if (showHelpId != 0)
    return HelpAction::showId;
  return *id > kHighestHelpId ? HelpAction::drop : HelpAction::call;
}
