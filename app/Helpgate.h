#pragma once
// The help gate's choice of a help topic: one topic serves each hundred of command ids, and the
// class library's own commands get no help.
#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

// Help ids above this have no topic.
constexpr DWORD kHighestHelpId = 3500;
// At most one help call in this time.
constexpr UINT kHelpThrottleMilliseconds = 2000;
constexpr UINT kHelpTimerId = 12;

enum class HelpAction
{
  drop,    // no help for this request
  showId,  // show the id instead of calling help
  call     // start the throttle timer and call help with the id plus AFX_HELP_BASE
};

// What a help request does: dropped while the throttle timer runs, for the excluded command ids
// and, unless "ShowHelpID" is set, for ids above the highest topic.
HelpAction DecideHelpRequest(DWORD data, UINT command, BOOL timerRunning, int showHelpId, DWORD* id);
// The id a help request asks for; FALSE when the request is dropped for its command id.
BOOL GetGatedHelpId(DWORD data, UINT command, DWORD* id);
// The text of the box that shows the id in place of calling help ("Debug"/"ShowHelpID").
CString FormatShowHelpIdText(UINT command, DWORD id);
