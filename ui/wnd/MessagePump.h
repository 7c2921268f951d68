#pragma once
// A Windows-style message loop inside the Qt event loop, for modal loops written the Windows
// way: GetMessage takes the next input, timer or posted message for any window (running a
// nested event loop while there is none, so painting and other events go on), and
// DispatchMessage hands one to its window. An exception thrown by any handler while the loop
// waits is carried out of the nested event loop and rethrown from GetMessage.
#include <deque>
#include <exception>
#include <memory>

#include "ui/wnd/Msg.h"

class QEventLoop;
class QObject;
class QEvent;
class CPumpFilter;

class CMessagePump
{
public:
  CMessagePump();
  ~CMessagePump();
  CMessagePump(const CMessagePump&) = delete;
  CMessagePump& operator=(const CMessagePump&) = delete;

  // FALSE for WM_QUIT.
  BOOL GetMessage(MSG* pMsg);
  static LRESULT DispatchMessage(const MSG* pMsg);

  // The innermost running pump, if any.
  static CMessagePump* Current();
  // Carries an exception of a handler out of the waiting loop (called at the exception boundary).
  void CarryException(std::exception_ptr e);
  // Makes waiting pumps look at the capture again (capture released).
  static void WakeAll();
  // Queues a message taken from the event stream; used by the pump's event filter.
  void Enqueue(const MSG& msg);

private:
  friend class CPumpFilter;
  void Wake();

  std::deque<MSG> m_queue;
  std::exception_ptr m_exception;
  QEventLoop* m_pLoop = nullptr;
  CMessagePump* m_pOuter = nullptr;
  std::unique_ptr<CPumpFilter> m_pFilter;
  bool m_bWoken = false;
};

// Posts WM_QUIT to the running pumps and the application loop.
void PostQuitMessage(int nExitCode);
