// Guards printing to a PDF file: the name is asked for (suggested from the window in the
// documents folder), Cancel prints nothing, the file appears exactly where the user said and only
// once it is whole; a read-only target is refused and a failed write keeps the previous file.
// The print preview's Print button prints the same way. The copies the system's dialog chose are
// printed, collated or page by page.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include "TestFrames.h"
#include "platform/core/FileSizeLimit.h"
#include "ui/docview/View.h"
#include "ui/draw/Dc.h"
#include "ui/output/PdfOut.h"
#include "ui/output/Print.h"

namespace {

std::string Bytes(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Only the preview is the real one, clicked through its tool bar; every other question is scripted.
class CRealPreviewService : public CScriptedDialogService
{
public:
  explicit CRealPreviewService(CDialogService& qt) : m_qt(qt) {}
  BOOL PrintPreview(CWnd* pOwner, QPrinter& printer, const std::function<void(QPrinter*)>& paint) override
  {
    ++previews;
    return m_qt.PrintPreview(pOwner, printer, paint);
  }

private:
  CDialogService& m_qt;
};

// Clicks the Print button of the preview once it is shown; a print dialog of its own that would
// follow is counted and cancelled, and a preview still open after the click is closed.
class CPreviewPrintPress
{
public:
  CPreviewPrintPress()
  {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
    m_timer.start(10);
  }
  bool pressed = false;
  int printDialogs = 0;

private:
  void Look()
  {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
      ++printDialogs;
      dialog->reject();
      return;
    }
    auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
    if (!preview)
      return;
    if (pressed) {
      preview->reject();
      return;
    }
    for (QToolBar* bar : preview->findChildren<QToolBar*>())
      for (QAction* action : bar->actions())
        if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print") &&
            bar->widgetForAction(action)) {
          // Posted, so that what the click opens runs outside this timer's call.
          pressed = true;
          QWidget* button = bar->widgetForAction(action);
          const QPoint centre = button->rect().center();
          PostMouse(button, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
          PostMouse(button, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
          return;
        }
  }
  QTimer m_timer;
};

// Two pages, each noted as it is printed.
class CTwoPageView : public CView
{
public:
  void OnDraw(CDC* pDC) override { pDC->Rectangle(10, 10, 200, 100); }
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override
  {
    pInfo->SetMaxPage(2);
    return DoPreparePrinting(pInfo);
  }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
  {
    printed.push_back(pInfo->m_nCurPage);
    CView::OnPrint(pDC, pInfo);
  }
  std::vector<UINT> printed;
};

class PrintFileTest : public FrameTest
{
protected:
  void SetUp() override
  {
    FrameTest::SetUp();
    ASSERT_TRUE(config.isValid() && files.isValid() && documents.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // The documents folder is a temporary one, as the desktop's user-dirs file names it.
    std::ofstream(config.filePath("user-dirs.dirs").toStdString())
        << "XDG_DOCUMENTS_DIR=\"" << documents.path().toStdString() << "\"\n";
    doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    POSITION pos = doc->GetFirstViewPosition();
    view = dynamic_cast<CTestView*>(doc->GetNextView(pos));
    ASSERT_NE(view, nullptr);
    // No printer: the printer writes PDF.
    TestApp().GetPrinter()->setOutputFormat(QPrinter::PdfFormat);
  }
  void TearDown() override
  {
    FrameTest::TearDown();
    qunsetenv("XDG_CONFIG_HOME");
  }
  std::string File(const char* name) const { return files.filePath(name).toStdString(); }
  int FileCount() const { return static_cast<int>(QDir(files.path()).entryList(QDir::Files | QDir::Hidden).size()); }

  QTemporaryDir config;
  QTemporaryDir files;
  QTemporaryDir documents;
  CTestDoc* doc = nullptr;
  CTestView* view = nullptr;
};

TEST_F(PrintFileTest, WithoutAPrinterTheNameIsAskedAndThePdfIsWrittenExactlyThere)
{
  service.filePaths.push_back(File("kitchen").c_str());
  view->OnFilePrint();
  ASSERT_EQ(service.fileRequests.size(), 1u);
  const CFileDialogRequest& request = service.fileRequests[0];
  EXPECT_FALSE(request.bOpen);
  EXPECT_EQ(request.title, CString("Print to File"));
  EXPECT_EQ(request.defaultExt, CString("pdf"));
  CString caption;
  view->GetParentFrame()->GetWindowText(caption);
  ASSERT_FALSE(caption.IsEmpty());
  EXPECT_EQ(request.fileName, CString(documents.path().toUtf8().constData()) + "/" + view->SuggestOutputName());
  EXPECT_EQ(PdfPages(File("kitchen.pdf")), 1) << "pdfinfo reads the file the user named";
  EXPECT_EQ(FileCount(), 1) << "nothing else is left in the folder";
  EXPECT_TRUE(service.messages.empty());
}

// The suggestion is the window's caption without the project file's extension: only the last dot
// of the file's own name starts it, whatever dots the rest of the name or its folder hold.
TEST_F(PrintFileTest, TheSuggestedNameLeavesOutTheFilesExtensionAlone)
{
  CFrameWnd* frame = view->GetParentFrame();
  const std::string folder = files.filePath("jobs.2026").toStdString();
  const std::vector<std::pair<std::string, const char*>> cases = {
      {files.filePath("Smith.house.tpf").toStdString(), "Smith.house - Plan View"},
      {folder + "/Smith.tpf", "Smith - Plan View"}};
  for (const auto& [path, expected] : cases) {
    doc->SetPathName(path.c_str(), FALSE);
    frame->SetWindowText(doc->GetTitle() + ": Plan View");
    EXPECT_EQ(view->SuggestOutputName(), CString(expected)) << path;
  }
}

TEST_F(PrintFileTest, CancelPrintsNothingAndNoKeepsTheExistingFile)
{
  const int before = view->draws;
  service.filePaths.push_back(CString());
  view->OnFilePrint();
  EXPECT_EQ(view->draws, before);
  EXPECT_EQ(FileCount(), 0);
  std::ofstream(File("old.pdf"), std::ios::binary) << "%PDF-1.4 earlier print";
  service.filePaths.push_back(File("old").c_str());
  service.messageAnswers.push_back(IDNO);
  view->OnFilePrint();
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("old.pdf already exists.\nDo you want to replace it?"));
  EXPECT_EQ(view->draws, before);
  EXPECT_EQ(Bytes(File("old.pdf")), "%PDF-1.4 earlier print");
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(PrintFileTest, AReadOnlyTargetIsRefusedAndAFailedWriteKeepsThePreviousFile)
{
  const std::string target = File("plan.pdf");
  std::ofstream(target, std::ios::binary) << "%PDF-1.4 previous print";
  QFile::setPermissions(QString::fromStdString(target), QFile::ReadOwner | QFile::ReadGroup);
  service.filePaths.push_back(target.c_str());
  const int before = view->draws;
  view->OnFilePrint();
  ASSERT_EQ(service.messages.size(), 2u) << "the replace question, then the refusal";
  EXPECT_EQ(service.messages[1].text, CPdfOutput::FailureText(target.c_str(), std::strerror(EACCES)));
  EXPECT_EQ(view->draws, before);
  EXPECT_EQ(Bytes(target), "%PDF-1.4 previous print");

  // A write that fails part of the way (as on a full disk) leaves the previous file byte for byte.
  QFile::setPermissions(QString::fromStdString(target), QFile::ReadOwner | QFile::WriteOwner);
  service.filePaths.push_back(target.c_str());
  {
    CFileSizeLimit limit(200);
    ASSERT_EQ(limit.Refusal(), "");
    view->OnFilePrint();
  }
  ASSERT_EQ(service.messages.size(), 4u);
  EXPECT_EQ(service.messages[3].text, CPdfOutput::FailureText(target.c_str(), std::strerror(EFBIG)))
      << "past a file-size limit the reason is the system's, as for every other write";
  EXPECT_EQ(Bytes(target), "%PDF-1.4 previous print");
  EXPECT_EQ(FileCount(), 1) << "the unfinished file is removed";
}

TEST_F(PrintFileTest, ThePreviewsPrintButtonPrintsAsThePrintCommandWithTheSafeReplace)
{
  // A first print makes the files folder the one last printed to.
  service.filePaths.push_back(File("first").c_str());
  view->OnFilePrint();
  ASSERT_EQ(PdfPages(File("first.pdf")), 1);

  SetDialogService(nullptr);
  CRealPreviewService preview(DialogService());
  SetDialogService(&preview);
  const std::string target = File("plan.pdf");
  std::ofstream(target, std::ios::binary) << "%PDF-1.4 earlier";
  preview.filePaths.push_back(target.c_str());
  CPreviewPrintPress press;
  {
    CFileSizeLimit limit(200);
    ASSERT_EQ(limit.Refusal(), "");
    view->OnFilePrintPreview();
  }
  SetDialogService(&service);

  EXPECT_TRUE(press.pressed);
  EXPECT_EQ(press.printDialogs, 0) << "no second, generic print dialog";
  ASSERT_EQ(preview.fileRequests.size(), 1u);
  EXPECT_EQ(preview.fileRequests[0].title, CString("Print to File"));
  EXPECT_EQ(preview.fileRequests[0].fileName,
            CString(files.path().toUtf8().constData()) + "/" + view->SuggestOutputName())
      << "the view's name in the folder last printed to";
  ASSERT_EQ(preview.messages.size(), 2u) << "the replace question, then the failure";
  EXPECT_EQ(preview.messages[1].text, CPdfOutput::FailureText(target.c_str(), std::strerror(EFBIG)));
  EXPECT_EQ(Bytes(target), "%PDF-1.4 earlier");
  EXPECT_EQ(FileCount(), 2) << "the unfinished file is removed";
}

TEST_F(PrintFileTest, TheSystemDialogsCopiesArePrintedCollatedOrPageByPageOnThePdfPrinter)
{
  auto* paged = new CTwoPageView;
  ASSERT_TRUE(paged->CreateEx(0, nullptr, "Paged", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 200, nullptr, 0));
  QPrinter* printer = TestApp().GetPrinter();
  ASSERT_FALSE(printer->supportsMultipleCopies()) << "the PDF writer makes no copies of its own";
  struct CCase
  {
    bool collate;
    std::vector<UINT> order;
  };
  const CCase cases[] = {{true, {1, 2, 1, 2, 1, 2}}, {false, {1, 1, 1, 2, 2, 2}}};
  for (const CCase& c : cases) {
    // What the system's dialog leaves on the printer when the user asks for three copies.
    printer->setCopyCount(3);
    printer->setCollateCopies(c.collate);
    paged->printed.clear();
    const std::string path = File(c.collate ? "collated.pdf" : "uncollated.pdf");
    service.filePaths.push_back(path.c_str());
    paged->OnFilePrint();
    EXPECT_EQ(paged->printed, c.order) << c.collate;
    EXPECT_EQ(PdfPages(path), 6) << c.collate;
    EXPECT_EQ(printer->copyCount(), 3) << "the next dialog shows the copies chosen";
  }
  printer->setCopyCount(1);
  paged->DestroyWindow();
}

}  // namespace
