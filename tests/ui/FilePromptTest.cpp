// Guards the file dialogs: a save dialog adds the chosen filter's extension before it asks about
// an existing file, No keeps that file and goes back to the dialog, and each kind of file starts
// in the folder last used for it, else in the documents folder, else (none made) the home folder;
// a name suggested holds no double quote, and one typed with them is taken whole.
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "TestApp.h"
#include "ui/dlg/FileDlg.h"
#include "ui/dlg/FilePrompt.h"

namespace {

std::string Bytes(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FilePromptTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    ASSERT_TRUE(config.isValid() && files.isValid() && documents.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // The desktop's documents folder, as its user-dirs file names it: a temporary one.
    std::ofstream(config.filePath("user-dirs.dirs").toStdString())
        << "XDG_DOCUMENTS_DIR=\"" << documents.path().toStdString() << "\"\n";
    TestApp().SetRegistryKey("Tarvex Windows");
  }
  void TearDown() override
  {
    TestApp().SetRegistryKey("");
    qunsetenv("XDG_CONFIG_HOME");
    UiTest::TearDown();
  }
  std::string File(const char* name) const { return files.filePath(name).toStdString(); }

  QTemporaryDir config;
  QTemporaryDir files;
  QTemporaryDir documents;
};

constexpr const char* kReportFilter = "Comma Separated Value Files (*.csv)|*.csv|Text Files (*.txt)|*.txt||";

TEST(FileNames, TheChosenFiltersExtensionCompletesANameWithoutOne)
{
  EXPECT_EQ(FilterExtension(kReportFilter, 1), CString("csv"));
  EXPECT_EQ(FilterExtension(kReportFilter, 2), CString("txt"));
  EXPECT_EQ(FilterExtension(kReportFilter, 3), CString());
  EXPECT_EQ(FilterExtension("AutoCAD DXF (*.dxf) | *.dxf | All Files ( *.*) | *.* ||", 1), CString("dxf"));
  EXPECT_EQ(FilterExtension("AutoCAD DXF (*.dxf) | *.dxf | All Files ( *.*) | *.* ||", 2), CString());
  EXPECT_EQ(CompleteSaveName("/d/schedule1", kReportFilter, 2, "csv"), CString("/d/schedule1.txt"));
  EXPECT_EQ(CompleteSaveName("/d/schedule1", kReportFilter, 1, "csv"), CString("/d/schedule1.csv"));
  EXPECT_EQ(CompleteSaveName("/d/plan1", "DXF|*.dxf|All Files|*.*||", 2, "dxf"), CString("/d/plan1.dxf"))
      << "under a filter of every file the default extension";
  EXPECT_EQ(CompleteSaveName("/d/plan1.old", "DXF|*.dxf||", 1, "dxf"), CString("/d/plan1.old"));
  EXPECT_EQ(CompleteSaveName("/d.x/.hidden", "DXF|*.dxf||", 1, "dxf"), CString("/d.x/.hidden.dxf"));
  EXPECT_EQ(CompleteSaveName("/d/plan1.DXF", "DXF|*.dxf||", 1, "dxf"), CString("/d/plan1.DXF"));
  // A project's dots are no extension: in a name with a space after its last dot, or in the
  // name the dialog offered, taken as it was.
  EXPECT_EQ(CompleteSaveName("/d/Smith.house - Plan View", "PDF|*.pdf||", 1, "pdf"),
            CString("/d/Smith.house - Plan View.pdf"));
  EXPECT_EQ(CompleteSaveName("/d/Schedule - Smith.house", kReportFilter, 2, "csv", "/e/Schedule - Smith.house"),
            CString("/d/Schedule - Smith.house.txt"));
  EXPECT_EQ(CompleteSaveName("/d/Schedule - Smith.house", kReportFilter, 1, "csv", "/e/Schedule - Smith"),
            CString("/d/Schedule - Smith.house"))
      << "a name the user typed keeps its own";
  EXPECT_EQ(SuggestFileName({"House", " Kitchen / bay ", "", "Plan View"}),
            CString("House - Kitchen - bay - Plan View"));
  // A file dialog reads a name in double quotes as one of several names: the quotes are left out.
  EXPECT_EQ(SuggestFileName({"House", "Elevation Patio \"Door\""}), CString("House - Elevation Patio Door"))
      << "a suggested name holds a double quote";
}

TEST_F(FilePromptTest, AnExtensionlessNameOverAnExistingFileAsksAndNoKeepsItByteForByte)
{
  const std::string existing = File("plan1.dxf");
  std::ofstream(existing, std::ios::binary) << "0\nSECTION\nprevious drawing\n";
  const std::string before = Bytes(existing);
  CFileDialog dialog(FALSE, "dxf", "plan", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "AutoCAD DXF (*.dxf)|*.dxf||");
  dialog.m_ofn.lpstrTitle = "DXF Export";
  service.filePaths.push_back(File("plan1").c_str());
  service.messageAnswers.push_back(IDNO);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "No goes back to the dialog, which is then cancelled";
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("plan1.dxf already exists.\nDo you want to replace it?"));
  EXPECT_EQ(service.messages[0].caption, CString("DXF Export"));
  EXPECT_EQ(service.messages[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  ASSERT_EQ(service.fileRequests.size(), 2u);
  EXPECT_EQ(service.fileRequests[1].fileName, CString(existing.c_str())) << "the dialog shows the final name again";
  EXPECT_EQ(Bytes(existing), before);
  // Yes takes the final name; a new name is not asked about.
  service.filePaths.push_back(File("plan1").c_str());
  service.messageAnswers.push_back(IDYES);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), CString(existing.c_str()));
  service.filePaths.push_back(File("plan2").c_str());
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), CString(File("plan2.dxf").c_str()));
  EXPECT_EQ(service.messages.size(), 2u);
}

TEST_F(FilePromptTest, TextUnderTheTextFilterIsTxtAndAnOpenDialogNeverAsks)
{
  std::ofstream(File("schedule1.csv")) << "a,b\n";
  CFileDialog save(FALSE, "csv", nullptr, OFN_OVERWRITEPROMPT, kReportFilter);
  service.filePaths.push_back(File("schedule1").c_str());
  service.fileFilters.push_back(2);
  ASSERT_EQ(save.DoModal(), IDOK);
  EXPECT_EQ(save.GetPathName(), CString(File("schedule1.txt").c_str()));
  EXPECT_TRUE(service.messages.empty()) << "the CSV file of that name is another file";
  // The name offered for a project with a dot in its name, taken as it was.
  CFileDialog offered(FALSE, "csv", "Schedule - Smith.house", OFN_OVERWRITEPROMPT, kReportFilter);
  service.filePaths.push_back(File("Schedule - Smith.house").c_str());
  ASSERT_EQ(offered.DoModal(), IDOK);
  EXPECT_EQ(offered.GetPathName(), CString(File("Schedule - Smith.house.csv").c_str()));
  CFileDialog open(TRUE, "csv", nullptr, OFN_FILEMUSTEXIST, kReportFilter);
  service.filePaths.push_back(File("schedule1.csv").c_str());
  ASSERT_EQ(open.DoModal(), IDOK);
  EXPECT_TRUE(service.messages.empty());
}

TEST_F(FilePromptTest, EachKindOfFileStartsInItsLastFolderElseInTheDocumentsFolder)
{
  CFileDialog dxf(FALSE, "dxf", "House - Plan View", OFN_OVERWRITEPROMPT, "DXF (*.dxf)|*.dxf||");
  service.filePaths.push_back(File("plan.dxf").c_str());
  ASSERT_EQ(dxf.DoModal(), IDOK);
  EXPECT_EQ(service.fileRequests[0].fileName, CString((documents.path() + "/House - Plan View").toUtf8().constData()));
  CFileDialog again(FALSE, "dxf", "Second", OFN_OVERWRITEPROMPT, "DXF (*.dxf)|*.dxf||");
  again.DoModal();
  EXPECT_EQ(service.fileRequests[1].fileName, CString(File("Second").c_str()));
  // Another kind of file still starts in the documents folder; the folder is in the profile.
  CFileDialog pdf(FALSE, "pdf", "Report", OFN_OVERWRITEPROMPT, "PDF (*.pdf)|*.pdf||");
  pdf.DoModal();
  EXPECT_EQ(service.fileRequests[2].fileName, CString((documents.path() + "/Report").toUtf8().constData()));
  std::ifstream profile((config.path() + "/Tarvex Windows/Panecraft Tests.ini").toStdString());
  const std::string text(std::istreambuf_iterator<char>(profile), {});
  EXPECT_NE(text.find("[Folders]"), std::string::npos);
  EXPECT_NE(text.find("DXF=" + files.path().toStdString()), std::string::npos);

  // A documents folder the desktop names but that does not exist gives way to the home folder.
  ASSERT_TRUE(documents.remove());
  const CString home = QDir::homePath().toUtf8().constData();
  EXPECT_EQ(SuggestedPathFor("pdf", "Report.pdf"), home + "/Report.pdf");
  CFileDialog csv(FALSE, "csv", "Schedule", OFN_OVERWRITEPROMPT, kReportFilter);
  csv.DoModal();
  EXPECT_EQ(service.fileRequests[3].fileName, home + "/Schedule");
}

// A project name of 255 bytes, as long as a file's name may be, ending in characters of three
// bytes: the export and print dialogs offer names that fit the folder with their extension, cut
// at a character boundary, so the dialog does not refuse the name it offers.
TEST_F(FilePromptTest, ASuggestionForALongProjectNameFitsTheFolderWithItsExtension)
{
  std::string project = std::string(189, 'h');
  while (project.size() < 255)
    project += "\xE7\xAA\x93";
  ASSERT_EQ(project.size(), 255u);
  const std::string folder = documents.path().toUtf8().constData();
  CFileDialog csv(FALSE, "csv", (project + " - Schedule Report").c_str(), OFN_OVERWRITEPROMPT, kReportFilter);
  CFileDialog dxf(FALSE, "dxf", (project + " - Elevation").c_str(), OFN_OVERWRITEPROMPT, "DXF (*.dxf)|*.dxf||");
  for (CFileDialog* dialog : {&csv, &dxf}) {
    service.filePaths.push_back("");
    dialog->DoModal();
  }
  const CString pdf = SuggestedPathFor("pdf", (project + " - Plan View.pdf").c_str());
  const std::vector<std::pair<std::string, const char*>> offered = {
      {service.fileRequests[0].fileName.c_str(), ".csv"},
      {service.fileRequests[1].fileName.c_str(), ".dxf"},
      {std::string(pdf.Left(pdf.GetLength() - 4).c_str()), ".pdf"}};
  for (const auto& [path, extension] : offered) {
    ASSERT_EQ(path.substr(0, folder.size() + 1), folder + "/");
    const std::string name = path.substr(folder.size() + 1) + extension;
    EXPECT_LE(name.size(), 255u) << name;
    EXPECT_GT(name.size() + 3, 255u) << "as much of the name as fits";
    EXPECT_EQ(project.substr(0, name.size() - 4), name.substr(0, name.size() - 4)) << "cut at a character's start";
    EXPECT_EQ(QString::fromUtf8(name.c_str()).toUtf8().toStdString(), name) << "no character cut in two";
  }
  EXPECT_EQ(pdf.Right(4), CString(".pdf"));
}

// The system's own dialogs, offscreen: a name typed without an extension over an existing file
// brings the question, No goes back to the dialog, and Escape there writes nothing.
TEST_F(FilePromptTest, TheQtDialogsAskAboutTheFinalName)
{
  SetDialogService(nullptr);
  const std::string existing = File("trunc500.tpf");
  std::ofstream(existing, std::ios::binary) << std::string(500, 'x');
  int fileDialogs = 0;
  int questions = 0;
  QString questionText;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      ++questions;
      questionText = box->text();
      box->button(QMessageBox::No)->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      if (++fileDialogs == 1) {
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("trunc500");
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      } else {
        dialog->reject();
      }
    }
  });
  driver.start(20);
  CFileDialog dialog(FALSE, "tpf", (files.path() + "/x").toUtf8().constData(), OFN_OVERWRITEPROMPT,
                     "Panecraft Project (*.tpf)|*.tpf|All Files (*.*)|*.*||");
  const int result = dialog.DoModal();
  driver.stop();
  SetDialogService(&service);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(fileDialogs, 2);
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(questionText, QString("trunc500.tpf already exists.\nDo you want to replace it?"));
  EXPECT_EQ(Bytes(existing), std::string(500, 'x'));
}

// The system's own dialog, offscreen: a name typed with double quotes in it is the file written,
// whole, as an existing file of such a name is the one opened; never the part between the quotes.
TEST_F(FilePromptTest, TheQtDialogTakesATypedNameWithDoubleQuotesWhole)
{
  SetDialogService(nullptr);
  const std::string existing = File("Bay \"North\".tpf");
  std::ofstream(existing, std::ios::binary) << "TPF";
  std::ofstream(File("North.tpf"), std::ios::binary) << "TPF";
  QStringList typed = {"Patio \"Door\"", "Bay \"North\".tpf"};
  QTimer driver;
  QStringList questions;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      questions << box->text();
      box->button(box->button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok)->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      if (typed.isEmpty()) {
        dialog->reject();
        return;
      }
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed.takeFirst());
      QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    }
  });
  driver.start(20);
  const CString filter = "Panecraft Project (*.tpf)|*.tpf|All Files (*.*)|*.*||";
  CFileDialog save(FALSE, "tpf", (files.path() + "/x").toUtf8().constData(), OFN_OVERWRITEPROMPT, filter);
  const int saved = save.DoModal();
  CFileDialog open(TRUE, "tpf", (files.path() + "/").toUtf8().constData(), OFN_FILEMUSTEXIST, filter);
  const int opened = open.DoModal();
  driver.stop();
  SetDialogService(&service);
  EXPECT_EQ(saved, IDOK);
  EXPECT_EQ(save.GetPathName(), CString(File("Patio \"Door\".tpf").c_str())) << "a save dialog wrote another name";
  EXPECT_EQ(opened, IDOK);
  EXPECT_EQ(open.GetPathName(), CString(existing.c_str())) << "an open dialog opened another file";
  EXPECT_TRUE(questions.isEmpty()) << questions.join('\n').toStdString();
}

}  // namespace
