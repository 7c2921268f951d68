#pragma once
// The hidden window whose timer keeps help calls at least two seconds apart.
#include "ui/wnd/Wnd.h"

class CHelpTimerWnd : public CWnd
{
  DECLARE_DYNAMIC(CHelpTimerWnd)
public:
  CHelpTimerWnd() = default;

  // Makes the hidden window; FALSE when it cannot be made.
  BOOL CreateHidden();
  BOOL IsTimerRunning() const { return m_bTimerRunning; }
  void StartTimer();

protected:
  void OnTimer(UINT_PTR nIDEvent) override;

private:
  BOOL m_bTimerRunning = FALSE;
  UINT_PTR m_nTimerId = 0;
};
