#include "ui/dlg/DialogService.h"

#include <cstdio>
#include <utility>

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "ui/dlg/Dialog.h"
#include "ui/dlg/DlgWidget.h"
#include "ui/dlg/Progress.h"
#include "ui/dlg/WholeName.h"
#include "ui/frame/Menu.h"
#include "ui/output/Print.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/WinApp.h"

namespace {
QWidget* OwnerWidget(CWnd* pOwner)
{
  CWnd* owner = pOwner ? pOwner : AfxGetMainWnd();
  return owner && owner->GetOuterHandle() ? owner->GetOuterHandle()->window() : nullptr;
}

// The buttons of a message box type in their Windows order. Return presses the default button
// (the first unless the type names another) and Escape the Cancel button; a box with OK alone
// takes Escape as OK, and a Yes/No box, which cannot be cancelled, ignores it.
void SetButtons(QMessageBox& box, UINT nType)
{
  std::vector<QMessageBox::StandardButton> buttons;
  switch (nType & MB_TYPEMASK) {
  case MB_OKCANCEL:
    buttons = {QMessageBox::Ok, QMessageBox::Cancel};
    break;
  case MB_YESNOCANCEL:
    buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    break;
  case MB_YESNO:
    buttons = {QMessageBox::Yes, QMessageBox::No};
    break;
  default:
    buttons = {QMessageBox::Ok};
    break;
  }
  for (QMessageBox::StandardButton button : buttons)
    box.addButton(button);
  const size_t defaultIndex = (nType & MB_DEFMASK) >> 8;
  box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0]);
  const QMessageBox::StandardButton escape = buttons.back() == QMessageBox::Cancel ? QMessageBox::Cancel
                                             : buttons.size() == 1                 ? QMessageBox::Ok
                                                                                   : QMessageBox::NoButton;
  if (escape != QMessageBox::NoButton)
    box.setEscapeButton(escape);
}

// The span of a modal question: the application hears of it before and after.
class CModalQuestion
{
public:
  CModalQuestion() { Tell(FALSE); }
  ~CModalQuestion() { Tell(TRUE); }
  CModalQuestion(const CModalQuestion&) = delete;
  CModalQuestion& operator=(const CModalQuestion&) = delete;

private:
  static void Tell(BOOL bEnable)
  {
    if (CWinApp* app = AfxGetApp())
      app->EnableModeless(bEnable);
  }
};

// Swallows Escape, for a box that cannot be cancelled (Qt would take it as No).
class CEscapeEater : public QObject
{
public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override
  {
    return (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
           static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
  }
};

// The print preview's Print button, found by the text the preview gives it.
QAction* PreviewPrintAction(QPrintPreviewDialog& preview)
{
  const QString text = QCoreApplication::translate("QPrintPreviewDialog", "Print");
  for (QAction* action : preview.findChildren<QAction*>())
    if (action->text() == text)
      return action;
  return nullptr;
}

class CQtDialogService : public CDialogService
{
public:
  int MessageBox(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, UINT) override
  {
    const CModalQuestion question;
    QMessageBox box(OwnerWidget(pOwner));
    box.setWindowFlags(kDialogFrame);
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    switch (nType & MB_ICONMASK) {
    case MB_ICONSTOP:
      box.setIcon(QMessageBox::Critical);
      break;
    case MB_ICONQUESTION:
      box.setIcon(QMessageBox::Question);
      break;
    case MB_ICONEXCLAMATION:
      box.setIcon(QMessageBox::Warning);
      break;
    case MB_ICONINFORMATION:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
    }
    SetButtons(box, nType);
    CEscapeEater eater;
    if ((nType & MB_TYPEMASK) == MB_YESNO) {
      box.installEventFilter(&eater);
      for (QWidget* w : box.findChildren<QWidget*>())
        w->installEventFilter(&eater);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
      return IDYES;
    case QMessageBox::No:
      return IDNO;
    case QMessageBox::Cancel:
      return IDCANCEL;
    default:
      return IDOK;
    }
  }

  // The offscreen and minimal platforms show nothing to anybody.
  BOOL CanAsk() const override
  {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
  }

  int FileDialog(CWnd* pOwner, CFileDialogRequest& request) override
  {
    const CModalQuestion question;
    const QStringList filters = QtFileFilters(request.filter);
    CWholeNameFileDialog dialog(OwnerWidget(pOwner), ToQString(request.title));
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(request.filterIndex - 1));
    dialog.setAcceptMode(request.bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The program adds the extension and asks about replacing a file itself, after the dialog.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QString start = PathToQString(request.fileName);
    const qsizetype slash = start.lastIndexOf('/');
    if (slash >= 0)
      dialog.setDirectory(start.left(slash > 0 ? slash : 1));
    const QString name = start.mid(slash + 1);
    if (!name.isEmpty() && !name.contains('*'))
      dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenPath().isEmpty())
      return IDCANCEL;
    request.path = PathFromQString(dialog.ChosenPath());
    request.filterIndex = std::max(1, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1);
    return IDOK;
  }

  int PrintDialog(CWnd* pOwner, CPrintDialog& dialog) override
  {
    const CModalQuestion question;
    QPrintDialog qdialog(dialog.GetPrinter(), OwnerWidget(pOwner));
    qdialog.setMinMax(dialog.m_pd.nMinPage, dialog.m_pd.nMaxPage);
    if (qdialog.exec() != QDialog::Accepted)
      return IDCANCEL;
    // On a PDF printer the dialog has asked for the file and whether to replace it.
    QPrinter* printer = dialog.GetPrinter();
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
      dialog.m_strOutputFile = PathFromQString(printer->outputFileName());
    dialog.m_pd.nFromPage = static_cast<WORD>(qdialog.fromPage() ? qdialog.fromPage() : dialog.m_pd.nMinPage);
    dialog.m_pd.nToPage = static_cast<WORD>(qdialog.toPage() ? qdialog.toPage() : dialog.m_pd.nMaxPage);
    return IDOK;
  }

  int PageSetupDialog(CWnd* pOwner, QPrinter& printer) override
  {
    const CModalQuestion question;
    QPageSetupDialog dialog(&printer, OwnerWidget(pOwner));
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
  }

  BOOL PrintPreview(CWnd* pOwner, QPrinter& printer, const std::function<void(QPrinter*)>& paint) override
  {
    const CModalQuestion question;
    QPrintPreviewDialog preview(&printer, OwnerWidget(pOwner));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&paint](QPrinter* p) { paint(p); });
    // The preview's own Print button would ask again in a generic print dialog and write a PDF
    // straight over the file it names; here it closes the preview and leaves the printing to the
    // caller, which prints as its own Print command does.
    BOOL bPrint = FALSE;
    if (QAction* print = PreviewPrintAction(preview)) {
      print->disconnect(&preview);
      QObject::connect(print, &QAction::triggered, &preview, [&preview, &bPrint] {
        bPrint = TRUE;
        preview.accept();
      });
    }
    preview.exec();
    return bPrint;
  }

  UINT PopupMenu(CWnd* pOwner, CMenu& menu, CPoint screenPoint) override
  {
    QMenu qmenu(OwnerWidget(pOwner));
    CMenu::FillQMenu(&qmenu, menu.m_hMenu, nullptr);
    QAction* chosen = qmenu.exec(QPoint(screenPoint.x, screenPoint.y));
    return chosen ? chosen->data().toUInt() : 0;
  }
};

// Nobody sees what it is asked; the end of the process is still told as the service in use
// tells it.
class CUnaskedDialogService : public CDialogService
{
public:
  int MessageBox(CWnd*, const CString&, const CString&, UINT nType, UINT) override
  {
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_YESNO:
      return IDNO;
    default:
      return IDCANCEL;
    }
  }
  int FileDialog(CWnd*, CFileDialogRequest&) override { return IDCANCEL; }
  int PrintDialog(CWnd*, CPrintDialog&) override { return IDCANCEL; }
  int PageSetupDialog(CWnd*, QPrinter&) override { return IDCANCEL; }
  BOOL PrintPreview(CWnd*, QPrinter&, const std::function<void(QPrinter*)>&) override { return FALSE; }
  UINT PopupMenu(CWnd*, CMenu&, CPoint) override { return 0; }
  int RunModal(CDialog&) override { return IDCANCEL; }
  BOOL CanAsk() const override { return FALSE; }
  void ProcessEnding(int nExitCode) override;
};

CDialogService* g_pService = nullptr;
int g_nUnaskedScopes = 0;

CDialogService& ServiceInUse();
}  // namespace

QStringList QtFileFilters(const CString& filter)
{
  QStringList parts = ToQString(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    if (name.isEmpty())
      break;
    // The patterns the name shows are replaced by the ones the dialog matches.
    if (name.endsWith(')') && name.lastIndexOf('(') > 0)
      name = name.left(name.lastIndexOf('(')).trimmed();
    QString patterns = parts[i + 1].trimmed().replace(';', ' ');
    // Extensions are matched without regard to case, as on the system the filters come from.
    QStringList expanded;
    for (const QString& p : patterns.split(' ', Qt::SkipEmptyParts)) {
      expanded << p.toLower();
      if (p.toUpper() != p.toLower())
        expanded << p.toUpper();
    }
    expanded.removeDuplicates();
    filters << name + " (" + expanded.join(' ') + ")";
  }
  return filters;
}

int CDialogService::RunModal(CDialog& dialog)
{
  const CModalQuestion question;
  dialog.ShowWindow(SW_SHOW);
  if (!dialog.HasEnded()) {
    QEventLoop loop;
    dialog.SetModalLoop(&loop);
    loop.exec();
    dialog.SetModalLoop(nullptr);
  }
  return dialog.GetModalResult();
}

std::unique_ptr<CProgressWindow> CDialogService::CreateProgress(CWnd* pOwner, const CString& text, int total,
                                                                BOOL bCanCancel)
{
  return CreateQtProgressWindow(pOwner, text, total, bCanCancel);
}

namespace {
CDialogService& ServiceInUse()
{
  // Never destroyed: message boxes may be asked for while static objects end.
  static auto* qtService = new CQtDialogService;
  return g_pService ? *g_pService : *qtService;
}

void CUnaskedDialogService::ProcessEnding(int nExitCode) { ServiceInUse().ProcessEnding(nExitCode); }
}  // namespace

CDialogService& DialogService()
{
  static auto* unasked = new CUnaskedDialogService;
  return g_nUnaskedScopes > 0 ? *unasked : ServiceInUse();
}

void SetDialogService(CDialogService* pService) { g_pService = pService; }

CUnaskedScope::CUnaskedScope() { ++g_nUnaskedScopes; }
CUnaskedScope::~CUnaskedScope() { --g_nUnaskedScopes; }
BOOL CUnaskedScope::IsActive() { return g_nUnaskedScopes > 0; }

int CScriptedDialogService::MessageBox(CWnd*, const CString& text, const CString& caption, UINT nType, UINT nIDHelp)
{
  const CModalQuestion question;
  messages.push_back({text, caption, nType, nIDHelp});
  if (!messageAnswers.empty()) {
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  switch (nType & MB_TYPEMASK) {
  case MB_YESNO:
  case MB_YESNOCANCEL:
    return IDYES;
  default:
    return IDOK;
  }
}

void CScriptedDialogService::ProcessEnding(int nExitCode)
{
  std::fprintf(stderr, "The process ends with exit code %d", nExitCode);
  if (messages.empty())
    std::fprintf(stderr, ".\n");
  else
    std::fprintf(stderr, " after the message \"%s\":\n%s\n", messages.back().caption.c_str(),
                 messages.back().text.c_str());
}

int CScriptedDialogService::FileDialog(CWnd*, CFileDialogRequest& request)
{
  fileRequests.push_back(request);
  if (filePaths.empty() || filePaths.front().IsEmpty()) {
    if (!filePaths.empty())
      filePaths.pop_front();
    return IDCANCEL;
  }
  request.path = filePaths.front();
  filePaths.pop_front();
  if (!fileFilters.empty()) {
    request.filterIndex = fileFilters.front();
    fileFilters.pop_front();
  }
  return IDOK;
}

int CScriptedDialogService::PrintDialog(CWnd*, CPrintDialog& dialog)
{
  const int answer = printAnswers.empty() ? IDOK : printAnswers.front();
  if (!printAnswers.empty())
    printAnswers.pop_front();
  ++printDialogsShown;
  if (answer == IDOK) {
    dialog.m_pd.nFromPage = dialog.m_pd.nMinPage;
    dialog.m_pd.nToPage = dialog.m_pd.nMaxPage;
    if (!printFilePaths.empty()) {
      const CString path = printFilePaths.front();
      printFilePaths.pop_front();
      if (!path.IsEmpty() && dialog.GetPrinter()->outputFormat() == QPrinter::PdfFormat) {
        dialog.GetPrinter()->setOutputFileName(PathToQString(path));
        dialog.m_strOutputFile = path;
      }
    }
  }
  return answer;
}

int CScriptedDialogService::PageSetupDialog(CWnd*, QPrinter& printer)
{
  ++pageSetupsShown;
  if (pageSetups.empty())
    return IDCANCEL;
  CPageSetupChoice choice = pageSetups.front();
  pageSetups.pop_front();
  if (choice.answer == IDOK && choice.choose)
    choice.choose(printer);
  return choice.answer;
}

BOOL CScriptedDialogService::PrintPreview(CWnd*, QPrinter& printer, const std::function<void(QPrinter*)>& paint)
{
  ++previews;
  // A preview writes no file the user sees: a PDF printer draws into the file the test names, or
  // else into a scratch file.
  QTemporaryDir scratch;
  const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
  const QString named = printer.outputFileName();
  if (pdf)
    printer.setOutputFileName(previewFile.IsEmpty() ? scratch.filePath("preview.pdf") : ToQString(previewFile));
  paint(&printer);
  if (pdf)
    printer.setOutputFileName(named);
  // Closed, not printed from.
  return FALSE;
}

UINT CScriptedDialogService::PopupMenu(CWnd*, CMenu& menu, CPoint)
{
  std::vector<CString> texts;
  for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
    CString text;
    menu.GetMenuString(i, text, MF_BYPOSITION);
    texts.push_back(text);
  }
  popupMenus.push_back(texts);
  if (!popupActions.empty()) {
    const std::function<UINT(CMenu&)> action = popupActions.front();
    popupActions.pop_front();
    return action(menu);
  }
  if (popupChoices.empty())
    return 0;
  const UINT choice = popupChoices.front();
  popupChoices.pop_front();
  return choice;
}

int CScriptedDialogService::RunModal(CDialog& dialog)
{
  std::function<void(CDialog&)> action;
  if (!dialogActions.empty()) {
    action = dialogActions.front();
    dialogActions.pop_front();
  }
  // The action runs from inside the modal loop, as a user's input would.
  QTimer::singleShot(0, [this, &dialog, action] {
    if (action)
      action(dialog);
    if (!dialog.HasEnded()) {
      if (action)
        ++dialogsLeftOpen;
      dialog.EndDialog(IDCANCEL);
    }
  });
  return CDialogService::RunModal(dialog);
}

namespace {
// Records the positions in the service's list and answers Cancel at the scripted position.
class CScriptedProgressWindow : public CProgressWindow
{
public:
  CScriptedProgressWindow(CScriptedDialogService& service, size_t index, int cancelAt)
    : m_service(service), m_index(index), m_nCancelAt(cancelAt)
  {}

  BOOL SetPos(int done) override
  {
    m_service.progresses[m_index].positions.push_back(done);
    if (m_nCancelAt >= 0 && done >= m_nCancelAt)
      m_bCancelled = TRUE;
    return !m_bCancelled;
  }

private:
  CScriptedDialogService& m_service;
  size_t m_index;
  int m_nCancelAt;
  BOOL m_bCancelled = FALSE;
};
}  // namespace

std::unique_ptr<CProgressWindow> CScriptedDialogService::CreateProgress(CWnd*, const CString& text, int total,
                                                                        BOOL bCanCancel)
{
  progresses.push_back({text, total, bCanCancel, {}});
  const int cancelAt = std::exchange(progressCancelAt, -1);
  return std::make_unique<CScriptedProgressWindow>(*this, progresses.size() - 1, cancelAt);
}
