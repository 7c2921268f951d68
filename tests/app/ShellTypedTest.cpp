// Values typed by real keys and refused on the paths that store a design: File > Exit, Store
// Design and a save. Each refusal is told with the field's message, stores nothing, and gives the
// keyboard back to the refused field with its text selected, so the next key typed replaces it;
// a project name holding a character the project file cannot hold is refused the same way,
// naming the character. The end of the session by a signal asks nothing and ends, whatever a
// field holds: the refused value is left out of the recovery copy, and a valid one still being
// typed goes into it as leaving the field would take it.
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "project/Project.h"
#include "ui/dlg/Dialog.h"
#include "ui/wnd/QtApp.h"
#include "ui/frame/CtrlBar.h"
#include "ui/frame/Frame.h"
#include "ui/wnd/Resource.h"
#include "views/Adorned.h"
#include "views/Planview.h"
#include "views/Viewids.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/frame/Wbids.h"
#include "workbench/view/Wbview.h"

namespace {
// Key events carrying the characters, as a keyboard layout that has them sends them.
void TypeText(QWidget* field, const char* utf8)
{
  for (const QChar c : QString::fromUtf8(utf8)) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &press);
  }
}

// Message boxes of the real kind, each answered with Return as the user does, while the object
// lives: a real box takes the keyboard and the front from the program's windows while it is
// open, as a scripted answer does not.
class CAnsweredBoxes
{
public:
  explicit CAnsweredBoxes(CScriptedDialogService& scripted) : m_scripted(scripted), m_boxes(QtDialogService())
  {
    SetDialogService(&m_boxes);
    QObject::connect(&m_timer, &QTimer::timeout, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
    });
    m_timer.start(10);
  }
  ~CAnsweredBoxes() { SetDialogService(&m_scripted); }
  CAnsweredBoxes(const CAnsweredBoxes&) = delete;
  CAnsweredBoxes& operator=(const CAnsweredBoxes&) = delete;
  int Shown() const { return m_boxes.boxesShown; }

private:
  CScriptedDialogService& m_scripted;
  CRealBoxService m_boxes;
  QTimer m_timer;
};

// Watches a refused field at the end of the session: taking the keyboard back while its windows
// were being destroyed went round without end, to a crash that named nothing. It is told as a
// failure, and the field's text mended so that the round ends and the test can report it.
class CKeyboardBackWhileWindowsGoWatch
{
public:
  explicit CKeyboardBackWhileWindowsGoWatch(QLineEdit* field)
  {
    m_watch = QObject::connect(qApp, &QApplication::focusChanged,
                               [this, field = QPointer<QLineEdit>(field)](QWidget*, QWidget* now) {
                                 if (!field || now != field || !CWnd::IsDestroyingWindows())
                                   return;
                                 if (!m_told)
                                   ADD_FAILURE() << "the refused field took the keyboard back while its windows "
                                                    "were being destroyed";
                                 m_told = true;
                                 field->setText("Haus");
                               });
  }
  ~CKeyboardBackWhileWindowsGoWatch() { QObject::disconnect(m_watch); }
  CKeyboardBackWhileWindowsGoWatch(const CKeyboardBackWhileWindowsGoWatch&) = delete;
  CKeyboardBackWhileWindowsGoWatch& operator=(const CKeyboardBackWhileWindowsGoWatch&) = delete;

private:
  QMetaObject::Connection m_watch;
  bool m_told = false;
};

constexpr const char* kRange = "Please enter a quantity from 0 to 99999.";
constexpr const char* kStoreQuestion = "Store changes to design 'Unnamed' in the project?";

class TypedValueTest : public ShellProjectTest
{
protected:
  void SetUp() override
  {
    ShellProjectTest::SetUp();
    if (HasFatalFailure())
      return;
    ASSERT_NE(m_pDoc->GetWorkbenchView(), nullptr);
    m_pFrame = dynamic_cast<CWorkbenchFrame*>(m_pDoc->GetWorkbenchView()->GetParentFrame());
    ASSERT_NE(m_pFrame, nullptr);
    m_quantity = qobject_cast<QLineEdit*>(m_pFrame->GetDialogBar()->GetDlgItem(IDC_WORKBENCH_QUANTITY)->m_hWnd);
    ASSERT_NE(m_quantity, nullptr);
  }

  // Types the text over the quantity and leaves the field with Tab, as the user would.
  void TypeQuantityAndLeave(const char* text)
  {
    ASSERT_TRUE(ClickIntoField(m_pFrame, m_quantity));
    QTest::keyClick(m_quantity, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(m_quantity, text);
    QTest::keyClick(m_quantity, Qt::Key_Tab);
    Pump();
    ASSERT_NE(QApplication::focusWidget(), m_quantity) << "Tab left the field";
  }

  int Count(const char* text) const
  {
    int count = 0;
    for (const CString& message : Messages())
      count += message == text ? 1 : 0;
    return count;
  }

  // The refusal as the user meets it: one message, no question, nothing stored, the keyboard in
  // the field with the refused text selected; the next key replaces it. A program that went on
  // to end, or a field that lost the keyboard, fails here before anything more is sent to it.
  void ExpectRefusedAndBackInTheField(const char* refused)
  {
    EXPECT_EQ(Count(kRange), 1);
    EXPECT_EQ(Count(kStoreQuestion), 0);
    ASSERT_NE(MainFrame(), nullptr) << "the program goes on";
    const std::vector<CDoc*> open = Projects();
    ASSERT_NE(std::find(open.begin(), open.end(), m_pDoc), open.end()) << "the project stays open";
    EXPECT_EQ(m_pDoc->GetDesignCount(), 0);
    ASSERT_EQ(QApplication::focusWidget(), m_quantity);
    EXPECT_EQ(m_quantity->selectedText(), QString(refused));
    QTest::keyClicks(m_quantity, "3");
    EXPECT_EQ(m_quantity->text(), QString("3"));
  }

  // The keyboard in the field of the frame in front, with the refused text selected: the window
  // is made active first, as the window system does once a box has gone.
  void ExpectKeyboardBackIn(CFrameWnd* pFrame, QLineEdit* field, const char* refused)
  {
    EXPECT_EQ(MainFrame()->MDIGetActive(), pFrame) << "the switch to another window went on after the refusal";
    QWidget* top = field->window();
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    Pump();
    EXPECT_EQ(QApplication::focusWidget(), field) << "the keyboard did not come back to the refused field";
    EXPECT_EQ(field->selectedText(), QString::fromUtf8(refused));
  }

  // The Plan View shown, its Wall Width field and its frame.
  QLineEdit* ShowWallWidthField(CFrameWnd*& pPlanFrame)
  {
    Command(ID_SHOW_PLAN);
    auto* pPlan = dynamic_cast<CPlanView*>(m_pDoc->GetPlanView());
    pPlanFrame = pPlan ? dynamic_cast<CDlgAdornedFrame*>(pPlan->GetParentFrame()) : nullptr;
    auto* pBarFrame = dynamic_cast<CDlgAdornedFrame*>(pPlanFrame);
    CWnd* pField = pBarFrame ? pBarFrame->GetDialogBar()->GetDlgItem(IDC_PLAN_WALL_WIDTH) : nullptr;
    return pField ? qobject_cast<QLineEdit*>(pField->m_hWnd) : nullptr;
  }

  CWorkbenchFrame* m_pFrame = nullptr;
  QLineEdit* m_quantity = nullptr;
};
}  // namespace

TEST_F(TypedValueTest, ExitWithANegativeQuantityIsRefusedAndTheKeyboardGoesBackToTheField)
{
  ASSERT_NO_FATAL_FAILURE(TypeQuantityAndLeave("-5"));
  Command(ID_APP_EXIT);
  ASSERT_NO_FATAL_FAILURE(ExpectRefusedAndBackInTheField("-5"));
  // With the quantity mended, Exit asks about the design as always.
  service.messageAnswers.push_back(IDCANCEL);
  Command(ID_APP_EXIT);
  EXPECT_EQ(Count(kStoreQuestion), 1);
}

// A signal is no question, whoever may be there to answer: the quantity typed and left in the
// field is not asked about and does not stop the end. (What the recovery copy then holds is run
// through the whole program in the exit tests.)
TEST_F(TypedValueTest, TheEndOfTheSessionBySignalAsksNothingAboutARefusedQuantity)
{
  ASSERT_TRUE(ClickIntoField(m_pFrame, m_quantity));
  QTest::keyClick(m_quantity, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(m_quantity, "-5");
  static_cast<CQtApplication*>(qApp)->EndSessionOnSignal();
  RunUntilEndedOrAsked([] { ::kill(::getpid(), SIGTERM); });
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(MainFrame(), nullptr) << "the program goes on";
}

TEST_F(TypedValueTest, StoreDesignRefusesAQuantityAndGivesTheKeyboardBackFromTheButton)
{
  ASSERT_TRUE(ClickIntoField(m_pFrame, m_quantity));
  QTest::keyClick(m_quantity, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(m_quantity, "100000");
  QWidget* store = m_pFrame->GetDialogBar()->GetDlgItem(IDC_STORE_DESIGN)->m_hWnd;
  QTest::mouseClick(store, Qt::LeftButton);
  Pump();
  ASSERT_NO_FATAL_FAILURE(ExpectRefusedAndBackInTheField("100000"));
}

TEST_F(TypedValueTest, AProjectNameWithACharacterTheFileCannotHoldIsRefusedNamingIt)
{
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  const CString before = m_pDoc->GetProjectName();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  TypeText(field, "Haus ✓");
  ASSERT_EQ(field->text(), QString::fromUtf8("Haus ✓"));
  QTest::keyClick(field, Qt::Key_Tab);
  Pump();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], CString("The character \"✓\" cannot be used here. Please use another character."));
  EXPECT_EQ(m_pDoc->GetProjectName(), before);
  EXPECT_EQ(QApplication::focusWidget(), field);
  EXPECT_EQ(field->selectedText(), QString::fromUtf8("Haus ✓"));

  // A save with the name still there is refused the same way and writes nothing.
  const std::string path = PathIn("Haus.tpf");
  service.filePaths.push_back(path.c_str());
  QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
  Pump();
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(service.fileRequests.empty());

  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  TypeText(field, "Haus Müller");
  QTest::keyClick(field, Qt::Key_Tab);
  Pump();
  EXPECT_EQ(m_pDoc->GetProjectName(), CString("Haus M\xFCller"));
}

// The project information's text fields are kept in the same code page: each refuses the
// character and keeps its dialog open.
TEST_F(TypedValueTest, EveryProjectInformationFieldRefusesACharacterTheFileCannotHold)
{
  for (UINT id : {IDC_PROJECT_NAME, IDC_PROJECT_DESIGNER, IDC_PROJECT_NOTES}) {
    bool keptOpen = false;
    OnNextDialog([id, &keptOpen](CDialog& dialog) {
      QWidget* field = dialog.GetDlgItem(static_cast<int>(id))->m_hWnd;
      field->setFocus();
      TypeText(field, "Zwei ✓");
      ClickButton(dialog, IDOK);
      keptOpen = !dialog.HasEnded();
      dialog.EndDialog(IDCANCEL);
    });
    const size_t told = Messages().size();
    DesignList(m_pDoc)->OnProjectInformation();
    Pump();
    EXPECT_TRUE(keptOpen) << id;
    ASSERT_EQ(Messages().size(), told + 1) << id;
    EXPECT_EQ(Messages().back(), CString("The character \"✓\" cannot be used here. Please use another character."));
  }
  EXPECT_EQ(m_pDoc->GetProjectData().GetNotes().Find("Zwei"), -1);
}

// A signal's end with a name the file cannot hold left in the project's name field asks nothing
// and ends: the field's going, as the windows are destroyed, refuses the name unseen without
// taking the keyboard back into the window that goes, which went round without end.
TEST_F(TypedValueTest, TheEndOfTheSessionBySignalEndsWithANameTheFileCannotHoldInItsField)
{
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  TypeText(field, "Haus \xC5\x81");
  const CKeyboardBackWhileWindowsGoWatch watch(field);
  static_cast<CQtApplication*>(qApp)->EndSessionOnSignal();
  RunUntilEndedOrAsked([] { ::kill(::getpid(), SIGTERM); });
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(MainFrame(), nullptr) << "the program goes on";
}

// What a recovery copy keeps of a value still being typed, nobody asked: the Plan View's Wall
// Width as leaving the field would take it; a value the field refuses leaves the last one taken,
// with no message and the keyboard where it was.
TEST_F(TypedValueTest, KeepingWhatIsShownTakesAValidWallWidthStillBeingTypedAndLeavesARefusedOne)
{
  Command(ID_SHOW_PLAN);
  auto* pPlan = dynamic_cast<CPlanView*>(m_pDoc->GetPlanView());
  ASSERT_NE(pPlan, nullptr);
  auto* pFrame = dynamic_cast<CDlgAdornedFrame*>(pPlan->GetParentFrame());
  ASSERT_NE(pFrame, nullptr);
  auto* wall = qobject_cast<QLineEdit*>(pFrame->GetDialogBar()->GetDlgItem(IDC_PLAN_WALL_WIDTH)->m_hWnd);
  ASSERT_NE(wall, nullptr);
  ASSERT_TRUE(ClickIntoField(pFrame, wall));
  QTest::keyClick(wall, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(wall, "2'-6\"");
  m_pDoc->KeepWhatIsShown();
  EXPECT_DOUBLE_EQ(m_pDoc->GetProjectPrefs().GetWallWidth(), 30.0);
  EXPECT_DOUBLE_EQ(pPlan->GetWallWidth(), 30.0);

  QTest::keyClick(wall, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(wall, "abc");
  m_pDoc->KeepWhatIsShown();
  EXPECT_DOUBLE_EQ(m_pDoc->GetProjectPrefs().GetWallWidth(), 30.0);
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(QApplication::focusWidget(), wall);
  EXPECT_EQ(wall->text(), QString("abc"));
}

// Closing the project window with a name the file cannot hold still in its field refuses the name
// once, as File > Exit does, and keeps the project and its windows open with the keyboard back in
// the field; with the name mended the close goes on, nothing refused while its windows go.
TEST_F(TypedValueTest, ClosingTheProjectWindowRefusesANameTheFileCannotHoldBeforeAnyWindowGoes)
{
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  TypeText(field, "Haus \xC5\x81");
  CFrameWnd* pFrame = DesignList(m_pDoc)->GetParentFrame();
  pFrame->PostMessage(WM_CLOSE);
  Pump();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], CString("The character \"\xC5\x81\" cannot be used here. Please use another character."));
  const std::vector<CDoc*> open = Projects();
  ASSERT_NE(std::find(open.begin(), open.end(), m_pDoc), open.end()) << "the project stays open";
  EXPECT_EQ(QApplication::focusWidget(), field);

  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  TypeText(field, "Haus");
  service.messageAnswers = {IDNO, IDNO};
  pFrame->PostMessage(WM_CLOSE);
  Pump();
  EXPECT_TRUE(Projects().empty());
  for (size_t i = 1; i < Messages().size(); ++i)
    EXPECT_EQ(Messages()[i].Find("cannot be used"), -1) << Messages()[i];
}

// The end of the session itself, however it was asked for, asks nothing about a name the file
// cannot hold that the windows' going takes from its field.
TEST_F(TypedValueTest, TheEndOfTheSessionAsksNothingAboutANameTheWindowsGoingTakesFromItsField)
{
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  TypeText(field, "Haus \xC5\x81");
  const CKeyboardBackWhileWindowsGoWatch watch(field);
  ShellApp().EndSession();
  Pump();
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(MainFrame(), nullptr);
}

// Ctrl+Tab with a name the file cannot hold in the project's name field tells it once, and the
// switch does not happen: the design list stays in front with the keyboard in the field and the
// name selected, as File > Exit leaves it. Once the name is mended, Ctrl+Tab goes on.
TEST_F(TypedValueTest, CtrlTabWithARefusedNameTellsItOnceAndTheKeyboardStaysInTheField)
{
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  CFrameWnd* pList = DesignList(m_pDoc)->GetParentFrame();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  TypeText(field, "Haus \xC5\x82");
  {
    const CAnsweredBoxes boxes(service);
    QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
    Pump();
    EXPECT_EQ(boxes.Shown(), 1) << "one Ctrl+Tab, one message";
  }
  ASSERT_NO_FATAL_FAILURE(ExpectKeyboardBackIn(pList, field, "Haus \xC5\x82"));

  TypeText(field, "Haus");
  QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
  Pump();
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(MainFrame()->MDIGetActive(), m_pFrame);
  EXPECT_EQ(m_pDoc->GetProjectName(), CString("Haus"));
}

// One click in the Workbench's drawing with a Wall Width the Plan View refuses tells it once; the
// Plan View stays in front with the keyboard in the field.
TEST_F(TypedValueTest, AClickInTheWorkbenchWithARefusedWallWidthTellsItOnceAndTheKeyboardStaysInTheField)
{
  CFrameWnd* pPlanFrame = nullptr;
  QLineEdit* wall = ShowWallWidthField(pPlanFrame);
  ASSERT_NE(wall, nullptr);
  ASSERT_TRUE(ClickIntoField(pPlanFrame, wall));
  QTest::keyClick(wall, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(wall, "abc");
  QWidget* drawing = m_pDoc->GetWorkbenchView()->m_hWnd;
  {
    const CAnsweredBoxes boxes(service);
    QTest::mouseClick(drawing, Qt::LeftButton, {}, drawing->rect().center());
    Pump();
    EXPECT_EQ(boxes.Shown(), 1) << "one click, one message";
  }
  ASSERT_NO_FATAL_FAILURE(ExpectKeyboardBackIn(pPlanFrame, wall, "abc"));
}

// A click in the Workbench with a name the file cannot hold in the project's name field tells it
// once and acts nowhere: the armed unit tool places no unit, as the window switch the press asked
// for did not happen either. The tool stays armed for the next click.
TEST_F(TypedValueTest, AClickInTheWorkbenchWithARefusedNameTellsItOnceAndPlacesNoUnit)
{
  auto* pView = dynamic_cast<CWorkbenchView*>(m_pDoc->GetWorkbenchView());
  ASSERT_NE(pView, nullptr);
  MainFrame()->MDIActivate(m_pFrame);
  Pump();
  Command(ID_NEW_UNIT_FIRST);
  const int before = pView->GetItemList()->GetCount();
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  TypeText(field, "Haus \xC5\x82");
  QWidget* drawing = pView->m_hWnd;
  const QPoint at = drawing->rect().center();
  {
    const CAnsweredBoxes boxes(service);
    QTest::mouseClick(drawing, Qt::LeftButton, {}, at);
    Pump();
    EXPECT_EQ(boxes.Shown(), 1) << "one click, one message";
  }
  // Fatal: a press on the unit placed would start a drag that the next click cannot end.
  ASSERT_EQ(pView->GetItemList()->GetCount(), before)
      << "the press whose window switch was refused placed a unit in the Workbench";
  ASSERT_NO_FATAL_FAILURE(ExpectKeyboardBackIn(DesignList(m_pDoc)->GetParentFrame(), field, "Haus \xC5\x82"));

  // With the name mended, the same click places the unit.
  TypeText(field, "Haus");
  QTest::mouseClick(drawing, Qt::LeftButton, {}, at);
  Pump();
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(pView->GetItemList()->GetCount(), before + 1) << "the unit tool did not stay armed";
}

// Return in the Plan bar's Wall Width is the bar's OK, as in the program's dialogs: it takes a
// valid value, and refuses a wrong one with its message, the keyboard back in the field.
TEST_F(TypedValueTest, ReturnInThePlanBarTakesAValidWallWidthAndRefusesAWrongOne)
{
  CFrameWnd* pPlanFrame = nullptr;
  QLineEdit* wall = ShowWallWidthField(pPlanFrame);
  ASSERT_NE(wall, nullptr);
  ASSERT_TRUE(ClickIntoField(pPlanFrame, wall));
  QTest::keyClick(wall, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(wall, "2'-6\"");
  QTest::keyClick(wall, Qt::Key_Return);
  Pump();
  EXPECT_DOUBLE_EQ(m_pDoc->GetProjectPrefs().GetWallWidth(), 30.0) << "Return did not take the wall width";
  EXPECT_TRUE(Messages().empty()) << Messages().front();

  ASSERT_TRUE(ClickIntoField(pPlanFrame, wall));
  QTest::keyClick(wall, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(wall, "abc");
  QTest::keyClick(wall, Qt::Key_Return);
  Pump();
  ASSERT_EQ(Messages().size(), 1u) << "Return did not refuse the wall width";
  EXPECT_EQ(Messages()[0], CString("Please enter a valid measurement."));
  EXPECT_EQ(QApplication::focusWidget(), wall);
  EXPECT_EQ(wall->selectedText(), QString("abc"));
  EXPECT_DOUBLE_EQ(m_pDoc->GetProjectPrefs().GetWallWidth(), 30.0);
}
