#pragma once
// The progress of work the user waits for and that can count its steps: a progress window with
// the work's text, shown only once the work looks like taking more than about half a second, with
// Cancel where the work can stop without losing anything. The window comes from the dialog
// service, so tests watch and cancel it without a display.
#include <memory>

#include "platform/core/String.h"

class CWnd;

// One shown (or not yet shown) progress window.
class CProgressWindow
{
public:
  virtual ~CProgressWindow() = default;
  // The steps done so far; FALSE once the user asked the work to stop.
  virtual BOOL SetPos(int done) = 0;
};

// The Qt progress window: modal to its owner's window, kept hidden while the work looks shorter
// than half a second.
std::unique_ptr<CProgressWindow> CreateQtProgressWindow(CWnd* pOwner, const CString& text, int total, BOOL bCanCancel);

class CProgress
{
public:
  // The window shows no more than this many distinct positions, so a long count of cheap steps
  // costs no more than a few hundred updates of the screen.
  static constexpr int kSlices = 500;

  CProgress(CWnd* pOwner, const CString& text, int total, BOOL bCanCancel);
  ~CProgress();
  CProgress(const CProgress&) = delete;
  CProgress& operator=(const CProgress&) = delete;

  // Tells the steps done; FALSE once the user cancelled (never without Cancel).
  BOOL Step(int done);
  BOOL IsCancelled() const { return m_bCancelled; }

private:
  std::unique_ptr<CProgressWindow> m_pWindow;
  int m_nTotal = 0;
  BOOL m_bCanCancel = FALSE;
  long long m_nShownSlice = -1;
  BOOL m_bCancelled = FALSE;
};
