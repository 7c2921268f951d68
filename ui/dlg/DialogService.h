#pragma once
// The one place where the program asks the user something in a standard dialog: message boxes,
// file dialogs, print dialogs and the modal run of its own dialogs. Tests install a scripted
// service that answers from a queue and records what was asked, so nothing ever blocks.
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

class CWnd;
class CDialog;
class CMenu;
class CPrintDialog;
class CProgressWindow;
class QPrinter;

struct CFileDialogRequest
{
  BOOL bOpen = TRUE;
  CString defaultExt;
  CString fileName;
  CString filter;  // "Text (*.txt)|*.txt|All Files (*.*)|*.*||"
  CString title;
  DWORD flags = 0;
  int filterIndex = 1;  // in and out, 1-based
  CString path;         // out
};

class CDialogService
{
public:
  virtual ~CDialogService() = default;
  // Returns IDOK, IDCANCEL, IDYES or IDNO.
  virtual int MessageBox(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, UINT nIDHelp) = 0;
  virtual int FileDialog(CWnd* pOwner, CFileDialogRequest& request) = 0;
  // Lets the user choose printer and pages; IDOK or IDCANCEL.
  virtual int PrintDialog(CWnd* pOwner, CPrintDialog& dialog) = 0;
  // Lets the user choose paper, orientation and margins of the printer; IDOK or IDCANCEL.
  virtual int PageSetupDialog(CWnd* pOwner, QPrinter& printer) = 0;
  // Shows a print preview that pages through paint(printer); TRUE when it was closed by its Print
  // button, which asks for the pages to be printed.
  virtual BOOL PrintPreview(CWnd* pOwner, QPrinter& printer, const std::function<void(QPrinter*)>& paint) = 0;
  // Shows a popup menu at a screen point; the chosen command id, or 0.
  virtual UINT PopupMenu(CWnd* pOwner, CMenu& menu, CPoint screenPoint) = 0;
  // Runs a dialog that has been created and initialised until it ends; returns its result.
  virtual int RunModal(CDialog& dialog);
  // The window that shows the progress of work of `total` steps (the Qt progress window).
  virtual std::unique_ptr<CProgressWindow> CreateProgress(CWnd* pOwner, const CString& text, int total,
                                                          BOOL bCanCancel);
  // FALSE when nobody can see or answer a question (no display).
  virtual BOOL CanAsk() const { return TRUE; }
  // The process ends at once with the code, after the internal-error report.
  virtual void ProcessEnding(int) {}
};

// The service in use: the Qt dialogs unless a test has installed its own; while a
// CUnaskedScope lives, the service that asks nobody.
CDialogService& DialogService();
void SetDialogService(CDialogService* pService);

// While one lives, nobody is asked: the program ends on a signal, which nobody may be there to
// answer. Each request is answered unseen as its Escape would answer it (a message box with
// OK alone with OK, a Yes/No box with No, any other with Cancel, a dialog or menu cancelled), and
// CanAsk is FALSE.
class CUnaskedScope
{
public:
  CUnaskedScope();
  ~CUnaskedScope();
  CUnaskedScope(const CUnaskedScope&) = delete;
  CUnaskedScope& operator=(const CUnaskedScope&) = delete;
  // Whether one lives now.
  static BOOL IsActive();
};

// Answers from queues and records every request. A message box with no queued answer gets the
// first button of its type; a dialog with no queued action is cancelled.
class CScriptedDialogService : public CDialogService
{
public:
  struct CShownMessage
  {
    CString text;
    CString caption;
    UINT type = 0;
    UINT helpId = 0;
  };

  int MessageBox(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, UINT nIDHelp) override;
  int FileDialog(CWnd* pOwner, CFileDialogRequest& request) override;
  int PrintDialog(CWnd* pOwner, CPrintDialog& dialog) override;
  int PageSetupDialog(CWnd* pOwner, QPrinter& printer) override;
  BOOL PrintPreview(CWnd* pOwner, QPrinter& printer, const std::function<void(QPrinter*)>& paint) override;
  UINT PopupMenu(CWnd* pOwner, CMenu& menu, CPoint screenPoint) override;
  int RunModal(CDialog& dialog) override;
  std::unique_ptr<CProgressWindow> CreateProgress(CWnd* pOwner, const CString& text, int total,
                                                  BOOL bCanCancel) override;
  BOOL CanAsk() const override { return canAsk; }
  // Nobody saw the boxes answered from the queue: the last one, the report, goes to standard
  // error, so that a test's output shows why its process ended.
  void ProcessEnding(int nExitCode) override;

  BOOL canAsk = TRUE;
  std::vector<CShownMessage> messages;
  std::deque<int> messageAnswers;
  std::vector<CFileDialogRequest> fileRequests;
  std::deque<CString> filePaths;  // an empty path cancels
  // The filter each accepted file dialog ends with (1-based); none queued keeps the dialog's own.
  std::deque<int> fileFilters;
  std::deque<int> printAnswers;
  // The PDF file each accepted print dialog names on a PDF printer, as the system dialog's output
  // file field does; none queued (or an empty one) leaves the name to be asked for afterwards.
  std::deque<CString> printFilePaths;
  int printDialogsShown = 0;
  // Each page set-up takes the next choice (a cancelled one when none is queued): the action
  // changes the printer as the user's choices in the dialog would.
  struct CPageSetupChoice
  {
    int answer = IDCANCEL;
    std::function<void(QPrinter&)> choose;
  };
  std::deque<CPageSetupChoice> pageSetups;
  int pageSetupsShown = 0;
  int previews = 0;
  // Where a preview on a PDF printer draws its pages (empty: a scratch file, removed at once).
  CString previewFile;
  std::vector<std::vector<CString>> popupMenus;  // the item texts of each popup shown
  std::deque<UINT> popupChoices;                 // 0 dismisses the menu
  // Each answers the next popup (before popupChoices) after looking at the menu as shown.
  std::deque<std::function<UINT(CMenu&)>> popupActions;
  // Each runs inside the modal loop of the next dialog and should end it; a dialog that its
  // action leaves open is counted and cancelled.
  std::deque<std::function<void(CDialog&)>> dialogActions;
  int dialogsLeftOpen = 0;
  // Every progress window asked for, with each position it was given.
  struct CProgressRecord
  {
    CString text;
    int total = 0;
    BOOL canCancel = FALSE;
    std::vector<int> positions;
  };
  std::vector<CProgressRecord> progresses;
  // The next progress window is cancelled, as by its button, once it is given this position or a
  // later one; -1 never.
  int progressCancelAt = -1;
};
