// The shell as the mouse and the keys meet it: a unit type, option and choice picked with the
// mouse in Project Settings reach the project file; Return and Escape answer message boxes and
// never the dialog beneath; a dialog opens with the focus in its first field that takes typing;
// the main window opens centred at four fifths of the screen and child windows inside it (one
// without a sizing border at its own size, the client scrolling to it).
#include <filesystem>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "app/Prjsheet.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/Dialog.h"
#include "ui/docview/DocTempl.h"
#include "ui/docview/View.h"
#include "ui/frame/Frame.h"

namespace {
constexpr UINT kStoreDesignButton = 337;

// Presses a key on every message box that shows, until it has answered `limit` of them, and
// stops once no box is left; a box past the limit is closed without the key, so that a fault
// cannot hang the test. The next look is arranged before the key, which may open a box.
void AnswerBoxesWith(Qt::Key key, int limit, int* answered)
{
  QTimer::singleShot(0, [key, limit, answered] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      if (*answered == 0)
        AnswerBoxesWith(key, limit, answered);
      return;
    }
    AnswerBoxesWith(key, limit, answered);
    if (*answered >= limit) {
      box->done(QMessageBox::Cancel);
      return;
    }
    ++*answered;
    QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, key);
  });
}

class InputTest : public ShellProjectTest
{
protected:
  // Clicks a line of a list box with the mouse.
  static void ClickLine(CWnd& page, int nID, int line)
  {
    auto* list = qobject_cast<QListWidget*>(page.GetDlgItem(nID)->m_hWnd);
    ASSERT_NE(list, nullptr);
    ASSERT_LT(line, list->count());
    list->scrollToItem(list->item(line));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(line)).center());
  }

  void StoreEditedDesignAs(const char* name)
  {
    SetWorkbenchQuantity(m_pDoc, 3);
    OnNextDialog([name](CDialog& dialog) {
      SetControlText(dialog, IDC_NEW_DESIGN_NAME, name);
      ClickButton(dialog, IDOK);
    });
    m_pDoc->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_COMMAND, kStoreDesignButton);
  }
};
}  // namespace

TEST_F(InputTest, OptionChoicesPickedWithTheMouseReachTheProjectFile)
{
  CString unitType;
  int category = 0;
  int choice = 0;
  OnNextDialog([&](CDialog& dialog) {
    auto& sheet = dynamic_cast<CProjectPreferencesSheetDlg&>(dialog);
    CPropertyPage& page = *sheet.GetActivePage();
    auto* pTypes = dynamic_cast<CListBox*>(page.GetDlgItem(IDC_UNIT_TYPE_LIST));
    auto* pOptions = dynamic_cast<CListBox*>(page.GetDlgItem(IDC_OPTION_LIST));
    auto* pChoices = dynamic_cast<CListBox*>(page.GetDlgItem(IDC_CHOICE_LIST));
    ASSERT_GT(pTypes->GetCount(), 1);
    CString before;
    pOptions->GetText(0, before);

    // The second unit type, its last option and that option's last choice, all by mouse.
    ClickLine(page, IDC_UNIT_TYPE_LIST, 1);
    EXPECT_EQ(pTypes->GetCurSel(), 1);
    ASSERT_GT(pOptions->GetCount(), 0) << "the type's options fill the next list";
    const int lastOption = pOptions->GetCount() - 1;
    ClickLine(page, IDC_OPTION_LIST, lastOption);
    EXPECT_EQ(pOptions->GetCurSel(), lastOption);
    ASSERT_GT(pChoices->GetCount(), 1) << "the option's choices fill the last list";
    EXPECT_FALSE(page.IsModified());
    const int lastChoice = pChoices->GetCount() - 1;
    ClickLine(page, IDC_CHOICE_LIST, lastChoice);
    EXPECT_TRUE(page.IsModified());
    EXPECT_TRUE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());

    COptionChoicesByTypeArray& working = sheet.m_pageOptionChoices.GetWorkingChoices();
    CCurrentOptionChoicesByType* pType = working[static_cast<int>(pTypes->GetItemData(1))];
    unitType = pType->GetUnitType();
    COptCatsRecArray categories;
    pType->GetCategories(categories);
    category = categories[static_cast<int>(pOptions->GetItemData(lastOption))]->GetCategory();
    COptChoicRecArray choices;
    pType->GetCategoryChoices(category, choices);
    choice = choices[static_cast<int>(pChoices->GetItemData(lastChoice))]->GetChoice();
    ClickButton(sheet, IDOK);
  });
  Command(ID_PROJECT_SETTINGS);
  ASSERT_NE(choice, 0);

  // Written with the project, read back from the file.
  StoreEditedDesignAs("Porch");
  const std::string path = PathIn("Mouse.tpf");
  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_SAVE_AS);
  ASSERT_TRUE(std::filesystem::exists(path));
  Command(ID_FILE_CLOSE);
  ASSERT_TRUE(Projects().empty());
  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_OPEN);
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_EQ(Projects()[0]->GetProjectPrefs().GetOptionsPrefs().GetChoicesByType(unitType).GetChoice(category), choice);
}

TEST_F(InputTest, ReturnOnAnErrorBoxClosesItAndLeavesTheDialogOpen)
{
  StoreEditedDesignAs("Porch");
  CListBox* pList = DesignList(m_pDoc)->GetDesignListBox();
  DesignList(m_pDoc)->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
  Pump();
  pList->SetCurSel(0);

  CRealBoxService boxes(QtDialogService());
  SetDialogService(&boxes);
  int answered = 0;
  bool stayedOpen = false;
  bool focusInNewName = false;
  boxes.dialogActions.push_back([&](CDialog& dialog) {
    QWidget* newName = dialog.GetDlgItem(IDC_NEW_NAME)->m_hWnd;
    focusInNewName = dialog.m_hWnd->focusWidget() == newName;
    SetControlText(dialog, IDC_NEW_NAME, "  ");
    AnswerBoxesWith(Qt::Key_Return, 3, &answered);
    QTest::keyClick(newName, Qt::Key_Return);
    stayedOpen = !dialog.HasEnded();
    QTest::keyClick(newName, Qt::Key_Escape);
  });
  DesignList(m_pDoc)->SendMessage(WM_COMMAND, ID_RENAME_DESIGN);
  Pump();
  SetDialogService(&service);
  EXPECT_TRUE(focusInNewName) << "the dialog opens in its first field that takes typing";
  EXPECT_EQ(boxes.boxesShown, 1) << "Return closed the error box and opened no other";
  EXPECT_EQ(answered, 1);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(m_pDoc->GetDesignName(0), "Porch") << "Escape cancelled the rename";
}

// A message box has a caption and a close box only: minimised, a modal box would leave the
// program looking hung.
TEST_F(InputTest, AMessageBoxOffersNoBoxToMinimiseOrMaximiseIt)
{
  CDialogService& real = QtDialogService();
  Qt::WindowFlags flags;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      flags = box->windowFlags();
      seen = true;
      box->done(QMessageBox::Cancel);
    }
  });
  real.MessageBox(MainFrame(), "Save changes?", "Panecraft", MB_YESNOCANCEL | MB_ICONQUESTION, 0);
  Pump();
  SetDialogService(&service);
  ASSERT_TRUE(seen);
  // The window manager is told which boxes there are, rather than left to its defaults.
  EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(InputTest, MessageBoxesTakeReturnAsTheDefaultAndEscapeAsTheCancelButton)
{
  CDialogService& real = QtDialogService();
  struct Case
  {
    UINT type;
    Qt::Key key;
    int answer;
  };
  for (const Case& c :
       {Case{MB_OK | MB_ICONEXCLAMATION, Qt::Key_Return, IDOK}, Case{MB_OK | MB_ICONEXCLAMATION, Qt::Key_Escape, IDOK},
        Case{MB_OKCANCEL, Qt::Key_Return, IDOK}, Case{MB_OKCANCEL, Qt::Key_Escape, IDCANCEL},
        Case{MB_YESNOCANCEL | MB_ICONQUESTION, Qt::Key_Return, IDYES},
        Case{MB_YESNOCANCEL | MB_ICONQUESTION, Qt::Key_Escape, IDCANCEL},
        Case{MB_YESNO | MB_ICONQUESTION, Qt::Key_Return, IDYES}}) {
    int answered = 0;
    AnswerBoxesWith(c.key, 1, &answered);
    EXPECT_EQ(real.MessageBox(MainFrame(), "Question?", "Panecraft", c.type, 0), c.answer) << c.type << " " << c.key;
    EXPECT_EQ(answered, 1);
    // The last look finds no box and ends before the next box shows.
    Pump();
  }
  SetDialogService(&service);
}

TEST_F(InputTest, TheMainWindowOpensCentredAtFourFifthsAndChildWindowsInsideIt)
{
  QWidget* window = MainFrame()->GetOuterHandle();
  const QRect area = window->screen()->availableGeometry();
  const QRect placed = window->geometry();
  EXPECT_NEAR(placed.width(), area.width() * 4 / 5, 2);
  EXPECT_NEAR(placed.height(), area.height() * 4 / 5, 2);
  EXPECT_NEAR(placed.center().x(), area.center().x(), 2);
  EXPECT_NEAR(placed.center().y(), area.center().y(), 2);

  Command(ID_SHOW_PLAN);
  Command(ID_VIEW_SCHEDULE_REPORT);
  QMdiArea* client = MainFrame()->MdiArea();
  auto expectAllInside = [client](size_t atLeast, const QList<QMdiSubWindow*>& older) {
    size_t shown = 0;
    for (QMdiSubWindow* sub : client->subWindowList()) {
      if (sub->isHidden() || older.contains(sub))
        continue;
      ++shown;
      // A window without a sizing border keeps its size: where the client cannot hold it, it
      // stands at the client's top left and the client scrolls to the rest.
      const QRect inside = client->viewport()->rect();
      if ((sub->windowFlags() & Qt::MSWindowsFixedSizeDialogHint) &&
          (sub->width() > inside.width() || sub->height() > inside.height())) {
        EXPECT_EQ(sub->geometry().topLeft(), inside.topLeft()) << sub->windowTitle().toStdString();
        EXPECT_TRUE(client->horizontalScrollBar()->isVisible() || client->verticalScrollBar()->isVisible());
        continue;
      }
      EXPECT_TRUE(inside.contains(sub->geometry()))
          << sub->windowTitle().toStdString() << " at " << sub->geometry().x() << "," << sub->geometry().y() << " "
          << sub->geometry().width() << "x" << sub->geometry().height();
    }
    EXPECT_GE(shown, atLeast);
  };
  expectAllInside(4, {});

  // In a small main window a new project's windows still open inside the client.
  window->resize(area.width() / 3, area.height() / 3);
  Pump();
  const QList<QMdiSubWindow*> older = client->subWindowList();
  Command(ID_FILE_NEW);
  expectAllInside(2, older);
}

// The main window's keys are its own: while a dialog is open, Ctrl+O and Ctrl+N typed into it
// open and make no project behind it (Ctrl+O in Project Information opened a file dialog over
// it). Without the dialog the same key asks for a file.
TEST_F(InputTest, TheMainWindowsKeysDoNothingWhileADialogIsOpen)
{
  CWarehouseView* pList = DesignList(m_pDoc);
  pList->GetParentFrame()->ActivateFrame(-1);
  pList->GetDesignListBox()->SetFocus();
  QTest::keyClick(pList->GetDesignListBox()->m_hWnd, Qt::Key_O, Qt::ControlModifier);
  Pump();
  ASSERT_EQ(service.fileRequests.size(), 1u) << "Ctrl+O asks for a project file";

  bool opened = false;
  OnNextDialog([&](CDialog& dialog) {
    opened = true;
    QWidget* focus = dialog.m_hWnd->focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(focus, Qt::Key_N, Qt::ControlModifier);
    Pump();
    EXPECT_FALSE(dialog.HasEnded());
    QTest::keyClick(focus, Qt::Key_Escape);
  });
  pList->SendMessage(WM_COMMAND, ID_PROJECT_INFORMATION);
  Pump();
  EXPECT_TRUE(opened);
  EXPECT_EQ(service.fileRequests.size(), 1u);
  EXPECT_EQ(ActiveProject(), m_pDoc);
  int projects = 0;
  CDocTemplate* pTemplate = ShellApp().GetWarehouseTemplate();
  for (POSITION pos = pTemplate->GetFirstDocPosition(); pos; pTemplate->GetNextDoc(pos))
    ++projects;
  EXPECT_EQ(projects, 1);
}
