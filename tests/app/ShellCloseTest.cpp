// Closing the main window asks about a changed design once, keeps everything open when the
// question is cancelled, and stores the window rectangle only when the close goes on; closing
// the last project disables the project commands; activating a project's design list brings
// its windows forward and sends the other project's away, and never a window that replaced a
// closed one; a closed window's place goes to a window of its own project; the end of the
// session takes the typed project names and keeps the changes in a recovery copy unasked, the
// session manager's commit asking only where it may; the destroyed main frame takes the
// Workbench's unit popups with it.
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QTest>
#include <QWidget>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "project/Project.h"
#include "ui/dlg/DialogService.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/Frame.h"
#include "ui/frame/MdiFrame.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/QtApp.h"
#include "ui/docview/View.h"

namespace {
const char kStoreQuestion[] = "Store changes to design 'Unnamed' in the project?";

BOOL IsShown(CView* pView) { return pView && pView->GetParentFrame()->IsWindowVisible(); }

// A window's title, for the failure texts: "none" where there is no window.
std::string Title(CWnd* pWnd)
{
  CString title = "none";
  if (pWnd)
    pWnd->GetWindowText(title);
  return title.c_str();
}

class CloseTest : public ShellProjectTest
{
protected:
  void SetUp() override
  {
    ShellProjectTest::SetUp();
    if (HasFatalFailure())
      return;
    SetWorkbenchQuantity(m_pDoc, 5);
  }

  int QuestionsAsked(const char* text) const
  {
    int count = 0;
    for (const CString& message : Messages())
      if (message == text)
        ++count;
    return count;
  }

  // The documents folder the recovery copies of unnamed projects go to.
  static std::string UseDocumentsFolder()
  {
    const std::string documents = ShellTempDir() + "/Session Documents";
    std::ofstream(ShellTempDir() + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << documents << "\"\n";
    return documents;
  }

  static int FilesIn(const std::string& folder)
  {
    int files = 0;
    if (std::filesystem::is_directory(folder))
      for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    return files;
  }

  CRect SavedRect()
  {
    CRect rect;
    ShellApp().GetAppPrefs().GetMiscPrefs()->GetMainWindowRect(rect);
    return rect;
  }
};
}  // namespace

TEST_F(CloseTest, CancellingTheDesignQuestionKeepsEverythingOpenAndTheOldRectangle)
{
  service.messageAnswers.push_back(IDCANCEL);
  MainFrame()->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(QuestionsAsked(kStoreQuestion), 1);
  ASSERT_NE(MainFrame(), nullptr);
  EXPECT_NE(MainFrame()->GetSafeHwnd(), nullptr);
  EXPECT_EQ(Projects().size(), 1u);
  EXPECT_NE(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(SavedRect(), CRect(0, 0, 0, 0));
}

TEST_F(CloseTest, AnsweringNoAsksOnlyOnceAndTheCloseGoesOn)
{
  CRect window;
  MainFrame()->GetWindowRect(&window);
  service.messageAnswers.push_back(IDNO);
  MainFrame()->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(QuestionsAsked(kStoreQuestion), 1);
  EXPECT_EQ(Messages().size(), 1u) << "the unchanged project needs no saving";
  EXPECT_EQ(SavedRect(), window);
  EXPECT_TRUE(Projects().empty());
}

TEST_F(CloseTest, TheApplicationsSaveStepAsksWhenTheMainFrameDidNot)
{
  service.messageAnswers.push_back(IDCANCEL);
  EXPECT_FALSE(ShellApp().SaveAllModified());
  EXPECT_EQ(QuestionsAsked(kStoreQuestion), 1);
}

TEST_F(CloseTest, ClosingTheLastProjectDisablesTheProjectCommands)
{
  EXPECT_TRUE(StateOf(ID_PROJECT_SETTINGS).enabled);
  service.messageAnswers.push_back(IDNO);
  Command(ID_FILE_CLOSE);
  ASSERT_TRUE(Projects().empty());
  EXPECT_FALSE(StateOf(ID_PROJECT_SETTINGS).enabled);
  for (UINT nID : {ID_VIEW_WORKBENCH, ID_VIEW_PLAN, ID_VIEW_SCHEDULE_REPORT}) {
    EXPECT_FALSE(StateOf(nID).enabled) << nID;
    EXPECT_EQ(StateOf(nID).checked, 0) << nID;
  }
}

TEST_F(CloseTest, ActivatingAProjectsDesignListShowsOnlyThatProjectsWindows)
{
  CDoc* pFirst = m_pDoc;
  Command(ID_SHOW_PLAN);
  ASSERT_TRUE(IsShown(pFirst->GetPlanView()));
  Command(ID_FILE_NEW);
  std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 2u);
  CDoc* pSecond = projects[1];
  ASSERT_NE(pSecond->GetWorkbenchView(), nullptr);

  MainFrame()->MDIActivate(pSecond->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_FALSE(IsShown(pFirst->GetWorkbenchView()));
  EXPECT_FALSE(IsShown(pFirst->GetPlanView()));
  EXPECT_TRUE(IsShown(pSecond->GetWorkbenchView()));

  MainFrame()->MDIActivate(pFirst->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_TRUE(IsShown(pFirst->GetWorkbenchView()));
  EXPECT_TRUE(IsShown(pFirst->GetPlanView()));
  EXPECT_FALSE(IsShown(pSecond->GetWorkbenchView()));
}

// The chosen project's design list is the active window, at its own size, though the windows
// that come forward with it are shown after it and one the user left maximised was active.
TEST_F(CloseTest, TheChosenProjectsDesignListIsActiveAtItsOwnSize)
{
  CDoc* pFirst = m_pDoc;
  CFrameWnd* pFirstList = pFirst->GetWarehouseView()->GetParentFrame();
  const QSize listSize = pFirstList->GetOuterHandle()->size();
  Command(ID_FILE_NEW);
  ASSERT_EQ(Projects().size(), 2u);
  CDoc* pSecond = Projects()[1];
  CFrameWnd* pSecondList = pSecond->GetWarehouseView()->GetParentFrame();
  Command(ID_SHOW_PLAN);
  CFrameWnd* pPlan = pSecond->GetPlanView()->GetParentFrame();
  pPlan->ShowWindow(SW_SHOWMAXIMIZED);
  MainFrame()->MDIActivate(pPlan);
  Pump();
  ASSERT_TRUE(pPlan->IsZoomed());

  for (CFrameWnd* pList : {pFirstList, pSecondList, pFirstList}) {
    SCOPED_TRACE("the design list " + Title(pList) + " chosen");
    MainFrame()->MDIActivate(pList);
    Pump();
    CWnd* pActive = MainFrame()->MDIGetActive();
    EXPECT_EQ(pActive, pList) << "the active window is " << Title(pActive);
    EXPECT_FALSE(pList->IsZoomed());
    EXPECT_EQ(pList->GetOuterHandle()->size(), listSize);
  }
  EXPECT_EQ(ActiveProject(), pFirst) << "the active project is "
                                     << (ActiveProject() ? ActiveProject()->GetTitle().c_str() : "none") << ", not "
                                     << pFirst->GetTitle().c_str();
  EXPECT_TRUE(IsShown(pFirst->GetWorkbenchView()));
  EXPECT_FALSE(IsShown(pSecond->GetPlanView()));
}

// The window that takes a closed one's place is one of the same project, its design list first:
// the other project stays back, and the next command goes to the project the user was in.
TEST_F(CloseTest, AClosedWindowsPlaceGoesToAWindowOfItsOwnProject)
{
  CDoc* pFirst = m_pDoc;
  Command(ID_FILE_NEW);
  ASSERT_EQ(Projects().size(), 2u);
  CDoc* pSecond = Projects()[1];
  ASSERT_NE(pSecond->GetWorkbenchView(), nullptr);
  ASSERT_EQ(ActiveProject(), pSecond);
  Command(ID_VIEW_SCHEDULE_REPORT);
  ASSERT_NE(pSecond->GetScheduleReportView(), nullptr);
  CFrameWnd* pReport = pSecond->GetScheduleReportView()->GetParentFrame();
  ASSERT_EQ(MainFrame()->MDIGetActive(), pReport);

  pReport->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  ASSERT_EQ(pSecond->GetScheduleReportView(), nullptr);
  EXPECT_EQ(MainFrame()->MDIGetActive(), pSecond->GetWarehouseView()->GetParentFrame());
  EXPECT_TRUE(IsShown(pSecond->GetWorkbenchView())) << "the report's project keeps its Workbench in front";
  EXPECT_FALSE(IsShown(pFirst->GetWorkbenchView()));

  MainFrame()->MDIActivate(pSecond->GetWorkbenchView()->GetParentFrame());
  Pump();
  pSecond->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  ASSERT_EQ(pSecond->GetWorkbenchView(), nullptr);
  EXPECT_EQ(MainFrame()->MDIGetActive(), pSecond->GetWarehouseView()->GetParentFrame());
  EXPECT_EQ(ActiveProject(), pSecond);
  CString title;
  MainFrame()->GetWindowText(title);
  EXPECT_EQ(title, "Panecraft - " + pSecond->GetTitle());
  EXPECT_FALSE(IsShown(pFirst->GetWorkbenchView()));
}

TEST_F(CloseTest, AViewClosedWhileItsProjectStepsBackIsNotConfusedWithItsSuccessor)
{
  CDoc* pFirst = m_pDoc;
  Command(ID_SHOW_PLAN);
  Command(ID_FILE_NEW);
  ASSERT_EQ(Projects().size(), 2u);
  CDoc* pSecond = Projects()[1];
  MainFrame()->MDIActivate(pSecond->GetWarehouseView()->GetParentFrame());
  Pump();

  // The remembered Plan frame goes; a new, hidden one is made for the same project (the
  // allocator tends to hand it the address the old one had).
  CFrameWnd* pOldFrame = pFirst->GetPlanView()->GetParentFrame();
  pOldFrame->DestroyWindow();
  Pump();
  ASSERT_EQ(pFirst->GetPlanView(), nullptr);
  CDocTemplate* pTemplate = ShellApp().GetPlanViewTemplate();
  CFrameWnd* pNewFrame = pTemplate->CreateNewFrame(pFirst, nullptr);
  ASSERT_NE(pNewFrame, nullptr);
  pTemplate->InitialUpdateFrame(pNewFrame, pFirst, FALSE);
  ASSERT_FALSE(IsShown(pFirst->GetPlanView()));

  MainFrame()->MDIActivate(pFirst->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_TRUE(IsShown(pFirst->GetWorkbenchView()));
  EXPECT_FALSE(IsShown(pFirst->GetPlanView())) << "the new frame was never shown";
}

TEST_F(CloseTest, EndingTheSessionTakesTheNameTypedInEachProjectsForm)
{
  Command(ID_FILE_NEW);
  std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 2u);
  SetControlText(*DesignList(projects[0]), IDC_WAREHOUSE_PROJECT_NAME, "Hillcrest");
  SetControlText(*DesignList(projects[1]), IDC_WAREHOUSE_PROJECT_NAME, "Lakeside");
  ASSERT_NE(projects[0]->GetProjectName(), "Hillcrest");
  MainFrame()->SendMessage(WM_ENDSESSION, TRUE);
  EXPECT_EQ(projects[0]->GetProjectName(), "Hillcrest");
  EXPECT_EQ(projects[1]->GetProjectName(), "Lakeside");
}

// The session manager's request to commit the data asks where the manager lets the program ask,
// and a cancel there refuses the logout and keeps everything; where it does not, the change goes
// to a recovery copy unasked. The end of the session that the manager then sends asks nothing
// and keeps nothing a second time.
TEST_F(CloseTest, TheSessionManagersCommitAsksOnlyWhereItMayAndTheEndThatFollowsKeepsNothingAgain)
{
  const std::string documents = UseDocumentsFolder();
  service.messageAnswers.push_back(IDCANCEL);
  EXPECT_FALSE(ShellApp().CommitSessionData(TRUE));
  EXPECT_EQ(QuestionsAsked(kStoreQuestion), 1);
  ASSERT_NE(MainFrame(), nullptr);
  EXPECT_EQ(ActiveProject(), m_pDoc);
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetQuantity(), 5);

  EXPECT_TRUE(ShellApp().CommitSessionData(FALSE));
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(FilesIn(documents), 1);
  // The manager's end arrives as the toolkit's request to quit.
  RunUntilEndedOrAsked([] {
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
  });
  EXPECT_EQ(Messages().size(), 1u) << Messages().back();
  EXPECT_EQ(MainFrame(), nullptr);
  EXPECT_EQ(FilesIn(documents), 1);
}

// However many people could answer, the end of the session asks nobody: the changes go to a
// recovery copy, those typed since an earlier commit of the session's data included.
TEST_F(CloseTest, TheEndOfTheSessionAsksNobodyAndKeepsTheChangesInARecoveryCopy)
{
  const std::string documents = UseDocumentsFolder();
  SetControlText(*DesignList(m_pDoc), IDC_WAREHOUSE_PROJECT_NAME, "Hillcrest");
  const CString title = m_pDoc->GetTitle();
  ASSERT_TRUE(ShellApp().CommitSessionData(FALSE));
  QLineEdit* name = FocusProjectNameField(m_pDoc);
  ASSERT_NE(name, nullptr);
  QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(name, "Lakeside");
  ShellApp().EndSession();
  Pump();
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(MainFrame(), nullptr);
  // The copy has the name typed last and the new design with the quantity the Workbench showed.
  // The start offers the commit's copy too; the user leaves it.
  service.messageAnswers.push_back(IDNO);
  ASSERT_TRUE(Start((documents + "/" + title.str() + ".recovered-2.tpf").c_str()));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].Find((title + ".recovered.tpf").c_str()), -1) << Messages()[0];
  CDoc* pCopy = ActiveProject();
  ASSERT_NE(pCopy, nullptr);
  EXPECT_EQ(pCopy->GetProjectName(), "Lakeside");
  ASSERT_EQ(pCopy->GetDesignCount(), 1);
  EXPECT_EQ(pCopy->GetDesignName(0), "Unit Type A");
  CDesignWalk walk;
  const CDesign* pDesign = pCopy->GetFirstDesign(walk);
  ASSERT_NE(pDesign, nullptr);
  EXPECT_EQ(pDesign->GetQuantity(), 5);
}

namespace {
// The first question is shown as the user sees it, and the signal comes while it is open; the
// end answers it as its Escape would, which here lets the command go on to a second question.
// Every question after the first is kept apart.
class CSignalInAQuestionService : public CScriptedDialogService
{
public:
  int MessageBox(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, UINT nIDHelp) override
  {
    if (signalled) {
      askedAfter.push_back(text);
      return IDCANCEL;
    }
    signalled = true;
    CScriptedDialogService::MessageBox(pOwner, text, caption, nType, nIDHelp);
    QMessageBox box(QMessageBox::Question, QString(), QString::fromLatin1(text.c_str()),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::No);
    QTimer::singleShot(0, [] { ::kill(::getpid(), SIGTERM); });
    return box.exec() == QMessageBox::No ? IDNO : IDCANCEL;
  }

  bool signalled = false;
  std::vector<CString> askedAfter;
};
}  // namespace

// From a signal's request on nobody is asked, the rest of the command that was asking when it
// came included: File > Exit's question about the design answered No goes on to the question
// about the project, which is answered unseen; the end keeps the changes and the program ends.
TEST_F(CloseTest, NoQuestionComesUpAfterASignalCameWhileOneWasOpen)
{
  const std::string documents = UseDocumentsFolder();
  AddDesignOfUnits(m_pDoc, "Porch", {{"GL", "BA005"}});
  ASSERT_TRUE(m_pDoc->IsProjectModified());
  CSignalInAQuestionService signalService;
  SetDialogService(&signalService);
  static_cast<CQtApplication*>(qApp)->EndSessionOnSignal();
  RunUntilEndedOrAsked([this] { Command(ID_APP_EXIT); });
  SetDialogService(&service);
  ASSERT_EQ(signalService.messages.size(), 1u);
  EXPECT_EQ(signalService.messages[0].text, CString(kStoreQuestion));
  EXPECT_TRUE(signalService.askedAfter.empty()) << signalService.askedAfter.front();
  EXPECT_EQ(MainFrame(), nullptr) << "the program goes on";
  EXPECT_EQ(FilesIn(documents), 1);
}

namespace {
class MainFrameEndTest : public CloseTest
{
protected:
  void SetUp() override
  {
    // Trace output is looked for once, at the first trace.
    setenv("PANECRAFT_TRACE", "1", 1);
    CloseTest::SetUp();
  }
};
}  // namespace

TEST_F(MainFrameEndTest, DestroyingTheMainFrameDestroysTheUnitPopupsLastToFirst)
{
  CMenu* pWorkbenchMenu = CMenu::FromHandle(ShellApp().GetWorkbenchTemplate()->m_hMenuShared);
  CMenu* pInsert = pWorkbenchMenu->GetSubMenu(kWorkbenchInsertPopup);
  ASSERT_NE(pInsert, nullptr);
  // Plain items at both ends show the order of the walk in the trace.
  pInsert->InsertMenu(0, MF_BYPOSITION | MF_STRING, ID_FILE_NEW, "First");
  pInsert->AppendMenu(MF_STRING, ID_FILE_NEW, "Last");
  const int last = static_cast<int>(pInsert->GetMenuItemCount()) - 1;
  ASSERT_GE(last, 2);
  ASSERT_NE(pInsert->GetSubMenu(1), nullptr);

  service.messageAnswers.push_back(IDNO);
  testing::internal::CaptureStderr();
  MainFrame()->SendMessage(WM_CLOSE);
  Pump();
  const std::string trace = testing::internal::GetCapturedStderr();
  ASSERT_EQ(MainFrame(), nullptr);
  EXPECT_EQ(pWorkbenchMenu->GetSubMenu(kWorkbenchInsertPopup), nullptr);
  const std::string lastLine = "GetSubMenu() call on index " + std::to_string(last) + ".";
  const size_t lastAt = trace.find(lastLine);
  const size_t firstAt = trace.find("GetSubMenu() call on index 0.");
  ASSERT_NE(lastAt, std::string::npos) << trace;
  ASSERT_NE(firstAt, std::string::npos) << trace;
  EXPECT_LT(lastAt, firstAt);
  EXPECT_EQ(trace.find("GetSubMenu() call on index 1."), std::string::npos) << trace;
}
