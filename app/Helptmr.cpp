#include "app/Helptmr.h"

#include "app/Helpgate.h"

IMPLEMENT_DYNAMIC(CHelpTimerWnd, CWnd)

BOOL CHelpTimerWnd::CreateHidden()
{
  return CreateEx(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_TOPMOST, AfxRegisterWndClass(0), "HelpTimer",
                  WS_POPUP | WS_BORDER, 0, 0, 100, 100, nullptr, 0);
}

void CHelpTimerWnd::StartTimer()
{
  m_nTimerId = SetTimer(kHelpTimerId, kHelpThrottleMilliseconds, nullptr);
  m_bTimerRunning = TRUE;
}

void CHelpTimerWnd::OnTimer(UINT_PTR nIDEvent)
{
  if (nIDEvent == m_nTimerId) {
    KillTimer(m_nTimerId);
    m_bTimerRunning = FALSE;
  }
  CWnd::OnTimer(nIDEvent);
}
