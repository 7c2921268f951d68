#pragma once
// Decisions of a modal drag loop, kept apart from the event machinery so that they can be fed
// messages directly: what each message means during the drag, when the drag has started, and
// which pointer positions give a step.
#include "ui/wnd/Msg.h"

enum class CDragAction
{
  ForwardThenStep,  // hand the message to the window, then sample the pointer
  Update,           // recompute the feedback from the pointer (the posted WM_USER+1)
  Finish,
  Cancel,
  Forward,   // modifier keys: the window sees them
  Dispatch,  // normal processing
  Drop,
  OwnTimer  // the loop's own timer ticked
};

struct CDragOptions
{
  // Releasing the right button ends the drag like the left one (moves do, resizes do not).
  bool rightButtonUpFinishes = true;
  // When set, only this timer reaches the loop; every other timer message is dropped.
  UINT_PTR ownTimerId = 0;
  CSize threshold{4, 4};
};

// The message that asks a running drag to recompute its feedback.
constexpr UINT WM_DRAGUPDATE = WM_USER + 1;

class CDragLogic
{
public:
  CDragLogic(CPoint start, const CDragOptions& options) : m_start(start), m_last(start), m_options(options) {}

  CDragAction Classify(const MSG& msg) const;

  // A pointer sample (client pixels). TRUE when it makes a step: inside the client area, the drag
  // has started (threshold passed once) and the position differs from the last one taken.
  BOOL AcceptSample(CPoint point, const CRect& client);
  // TRUE exactly once, on the first step after the drag started.
  BOOL TakeFirstStep();
  BOOL HasStarted() const { return m_started; }
  CPoint GetStart() const { return m_start; }
  CPoint GetLast() const { return m_last; }
  // Keeps a position inside the client rectangle (x in 0..width-1, y in 0..height-1).
  static CPoint ClampToClient(CPoint point, const CRect& client);

private:
  CPoint m_start;
  CPoint m_last;
  CDragOptions m_options;
  BOOL m_started = FALSE;
  BOOL m_firstStepPending = FALSE;
};
