#include "ui/wnd/DragLoop.h"

#include "ui/wnd/MessagePump.h"
#include "ui/wnd/Wnd.h"

namespace {
// Gives the capture back however the loop ends.
class CCaptureGuard
{
public:
  explicit CCaptureGuard(CWnd* pWnd) : m_pWnd(pWnd) { pWnd->SetCapture(); }
  ~CCaptureGuard()
  {
    if (CWnd::GetCapture() == m_pWnd)
      ReleaseCapture();
  }
  CCaptureGuard(const CCaptureGuard&) = delete;
  CCaptureGuard& operator=(const CCaptureGuard&) = delete;

private:
  CWnd* m_pWnd;
};
}  // namespace

CDragLoop::CDragLoop(CWnd* pWnd, CPoint start, const CDragOptions& options) : m_pWnd(pWnd), m_logic(start, options) {}

CSize CDragLoop::SystemThreshold() { return CSize(GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)); }

CDragEnd CDragLoop::Run(CDragLoopClient& client)
{
  if (CWnd::GetCapture())
    return CDragEnd::CaptureBusy;
  CMessagePump pump;
  CCaptureGuard capture(m_pWnd);
  for (;;) {
    MSG msg;
    if (!pump.GetMessage(&msg))
      return CDragEnd::Quit;
    if (CWnd::GetCapture() != m_pWnd || !m_pWnd->m_hWnd)
      return CDragEnd::CaptureLost;
    if (msg.message == WM_NULL)
      continue;
    switch (m_logic.Classify(msg)) {
    case CDragAction::ForwardThenStep: {
      m_pWnd->SendMessage(msg.message, msg.wParam, msg.lParam);
      CPoint point;
      GetCursorPos(&point);
      m_pWnd->ScreenToClient(&point);
      CRect area;
      m_pWnd->GetClientRect(&area);
      if (m_logic.AcceptSample(point, area))
        client.OnDragStep(point, m_logic.TakeFirstStep());
      else if (m_logic.HasStarted() && !area.PtInRect(point))
        client.OnDragOutside(point);
      break;
    }
    case CDragAction::Update:
      client.OnDragUpdate();
      break;
    case CDragAction::Finish:
      client.OnDragFinish(msg);
      m_pWnd->PostMessage(msg.message, msg.wParam, msg.lParam);
      return CDragEnd::Finished;
    case CDragAction::Cancel:
      client.OnDragCancel();
      return CDragEnd::Cancelled;
    case CDragAction::Forward:
      m_pWnd->SendMessage(msg.message, msg.wParam, msg.lParam);
      break;
    case CDragAction::Dispatch:
      CMessagePump::DispatchMessage(&msg);
      break;
    case CDragAction::OwnTimer:
      client.OnDragTimer();
      break;
    case CDragAction::Drop:
      break;
    }
  }
}
