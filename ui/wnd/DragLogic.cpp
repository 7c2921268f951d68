#include "ui/wnd/DragLogic.h"

#include <algorithm>
#include <cstdlib>

CDragAction CDragLogic::Classify(const MSG& msg) const
{
  switch (msg.message) {
  case WM_MOUSEMOVE:
    return CDragAction::ForwardThenStep;
  case WM_DRAGUPDATE:
    return CDragAction::Update;
  case WM_LBUTTONUP:
    return CDragAction::Finish;
  case WM_RBUTTONUP:
    return m_options.rightButtonUpFinishes ? CDragAction::Finish : CDragAction::Dispatch;
  case WM_RBUTTONDOWN:
    return CDragAction::Cancel;
  case WM_LBUTTONDOWN:
    return CDragAction::Drop;
  case WM_KEYDOWN:
    if (msg.wParam == VK_ESCAPE)
      return CDragAction::Cancel;
    [[fallthrough]];
  case WM_KEYUP:
    return (msg.wParam == VK_SHIFT || msg.wParam == VK_CONTROL) ? CDragAction::Forward : CDragAction::Drop;
  case WM_TIMER:
    if (m_options.ownTimerId == 0)
      return CDragAction::Dispatch;
    return msg.wParam == m_options.ownTimerId ? CDragAction::OwnTimer : CDragAction::Drop;
  default:
    return CDragAction::Dispatch;
  }
}

BOOL CDragLogic::AcceptSample(CPoint point, const CRect& client)
{
  if (!client.PtInRect(point))
    return FALSE;
  if (!m_started && (std::abs(point.x - m_start.x) >= m_options.threshold.cx ||
                     std::abs(point.y - m_start.y) >= m_options.threshold.cy)) {
    m_started = TRUE;
    m_firstStepPending = TRUE;
  }
  if (!m_started || point == m_last)
    return FALSE;
  m_last = point;
  return TRUE;
}

BOOL CDragLogic::TakeFirstStep()
{
  const BOOL first = m_firstStepPending;
  m_firstStepPending = FALSE;
  return first;
}

CPoint CDragLogic::ClampToClient(CPoint point, const CRect& client)
{
  return CPoint(std::clamp(static_cast<int>(point.x), 0, std::max(0, client.Width() - 1)),
                std::clamp(static_cast<int>(point.y), 0, std::max(0, client.Height() - 1)));
}
