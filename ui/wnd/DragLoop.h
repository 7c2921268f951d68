#pragma once
// The modal drag loop: takes the capture, pumps messages the Windows way while the button is
// held, and tells its client about steps, updates, the finish and a cancel. The decisions are
// CDragLogic's; the client does the drawing and the snapping.
#include "ui/wnd/DragLogic.h"
#include "ui/wnd/Msg.h"

class CWnd;

class CDragLoopClient
{
public:
  virtual ~CDragLoopClient() = default;
  // A pointer sample made a step (client pixels); first is TRUE on the first step of the drag.
  virtual void OnDragStep(CPoint point, BOOL first) = 0;
  // A pointer sample outside the client area once the drag has started (client pixels, not kept
  // inside): a release there is taken at the nearest point inside, which the feedback may show.
  virtual void OnDragOutside(CPoint) {}
  // WM_DRAGUPDATE: recompute the feedback from the pointer.
  virtual void OnDragUpdate() = 0;
  // The release that ends the drag; it is posted to the window again after the loop.
  virtual void OnDragFinish(const MSG& msg) = 0;
  virtual void OnDragCancel() = 0;
  // The loop's own timer (CDragOptions::ownTimerId) ticked.
  virtual void OnDragTimer() {}
};

enum class CDragEnd
{
  Finished,
  Cancelled,
  CaptureLost,
  CaptureBusy,  // another window held the capture; no loop ran
  Quit          // WM_QUIT arrived inside the loop
};

class CDragLoop
{
public:
  CDragLoop(CWnd* pWnd, CPoint start, const CDragOptions& options);
  // Runs until the drag ends. Exceptions from handlers and from the client leave the loop (the
  // capture is released first).
  CDragEnd Run(CDragLoopClient& client);
  const CDragLogic& Logic() const { return m_logic; }
  // The drag threshold of the system (the double-click rectangle).
  static CSize SystemThreshold();

private:
  CWnd* m_pWnd;
  CDragLogic m_logic;
};
