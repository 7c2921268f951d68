#pragma once
// Cursors: the standard shapes and cursors drawn from registered resources.
#include "ui/wnd/Msg.h"

// Standard cursor ids.
enum : UINT
{
  IDC_ARROW = 32512,
  IDC_IBEAM = 32513,
  IDC_WAIT = 32514,
  IDC_CROSS = 32515,
  IDC_SIZEALL = 32646,
  IDC_SIZENWSE = 32642,
  IDC_SIZENESW = 32643,
  IDC_SIZEWE = 32644,
  IDC_SIZENS = 32645,
  IDC_NO = 32648
};

HCURSOR AfxStandardCursor(UINT nIDCursor);
// A cursor of the program's own resources, drawn once and shared by all who load it; null
// when the id is not registered.
HCURSOR AfxResourceCursor(UINT nIDResource);
// Cursors live for the run, as shared cursors do: destroying one does nothing.
BOOL DestroyCursor(HCURSOR hCursor);
