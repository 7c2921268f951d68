// The keys of the design list and of the dialog bars of the Workbench, the reports and the Plan
// View, pressed as a user presses them: Return on a design edits it, Return presses the focused
// push button rather than running the frame's Return command, and a button's or a label's own Alt
// mnemonic takes it while the keyboard is in the form or bar, before the menu bar's item of the
// same letter opens; elsewhere the menu's letter is the menu's. The design list brought back in
// front of the Workbench gives the keyboard to one of its controls, and Tab goes round those
// controls alone. F6 moves the keyboard between a drawing and its bar.
#include <map>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Shellids.h"
#include "app/Mainfrm.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "project/Design.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/Dialog.h"
#include "ui/docview/View.h"
#include "ui/frame/CtrlBar.h"
#include "ui/frame/Frame.h"
#include "views/Adorned.h"
#include "views/Viewids.h"
#include "workbench/frame/Wbframe.h"

namespace {

class KeysTest : public ShellProjectTest
{
protected:
  // Names the edited design in "Store New Design" and records which dialog came.
  void AnswerStoreDialog(const char* name)
  {
    OnNextDialog([this, name](CDialog& dialog) {
      m_dialogs.push_back(dialog.GetSafeHwnd()->windowTitle().toStdString());
      if (dialog.GetDlgItem(IDC_NEW_DESIGN_NAME)) {
        SetControlText(dialog, IDC_NEW_DESIGN_NAME, name);
        ClickButton(dialog, IDOK);
      }
    });
  }

  void StoreThroughCommand(const char* name)
  {
    SetWorkbenchQuantity(m_pDoc, ++m_quantity);
    AnswerStoreDialog(name);
    m_pDoc->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_COMMAND, IDC_STORE_DESIGN);
    Pump();
  }

  // "Kitchen" stored, then "Bath" created, stored and left on the Workbench.
  void MakeTwoDesigns()
  {
    StoreThroughCommand("Kitchen");
    DesignList(m_pDoc)->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
    Pump();
    StoreThroughCommand("Bath");
    ASSERT_EQ(m_pDoc->GetEditedDesign()->GetName(), CString("Bath"));
    m_dialogs.clear();
  }

  static QPushButton* ButtonIn(CWnd* pWnd, const QString& text)
  {
    for (QPushButton* button : pWnd->GetOuterHandle()->findChildren<QPushButton*>())
      if (button->text() == text)
        return button;
    return nullptr;
  }

  // Brings the form's frame to the front with the keyboard in the control, as a click would.
  bool FocusIn(CWnd* pForm, QWidget* control)
  {
    QWidget* top = MainFrame()->m_hWnd->window();
    top->activateWindow();
    if (!control || !QTest::qWaitForWindowActive(top))
      return false;
    MainFrame()->MDIActivate(pForm->GetParentFrame());
    Pump();
    control->setFocus(Qt::TabFocusReason);
    Pump();
    return QApplication::focusWidget() == control;
  }

  QListWidget* SelectListed(const char* name)
  {
    CWarehouseView* pList = DesignList(m_pDoc);
    CListBox* pBox = pList->GetDesignListBox();
    pBox->SetCurSel(pBox->FindStringExact(-1, name));
    return qobject_cast<QListWidget*>(pBox->m_hWnd);
  }

  // Where the keyboard is, named as the user sees it, so that a failure tells where it went.
  std::string KeyboardIn(CWarehouseView* pList)
  {
    static const std::map<UINT, std::string> controls = {{IDC_WAREHOUSE_PROJECT_NAME, "the project name"},
                                                         {ID_PROJECT_INFORMATION, "Info..."},
                                                         {ID_WAREHOUSE_PROJECT_SETTINGS, "Settings..."},
                                                         {IDC_DESIGN_LIST, "the design list"},
                                                         {ID_CREATE_DESIGN, "Create..."},
                                                         {ID_EDIT_DESIGN, "Edit..."},
                                                         {ID_DELETE_DESIGN, "Delete"}};
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
      return "nowhere";
    for (const auto& [nID, name] : controls)
      if (CWnd* pControl = pList->GetDlgItem(static_cast<int>(nID)); pControl && pControl->m_hWnd == focus)
        return name;
    if (focus == pList->m_hWnd)
      return "the form's background";
    if (focus == pList->GetParentFrame()->GetOuterHandle())
      return "the design list's sub-window";
    if (m_pDoc->GetWorkbenchView() &&
        m_pDoc->GetWorkbenchView()->GetParentFrame()->GetOuterHandle()->isAncestorOf(focus))
      return "the Workbench";
    return std::string("a ") + focus->metaObject()->className() + " elsewhere";
  }

  // Presses the key where the keyboard is, as often as asked; the places it went, in order.
  std::vector<std::string> Press(CWarehouseView* pList, Qt::Key key, int times)
  {
    std::vector<std::string> places;
    for (int i = 0; i < times; ++i) {
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClick(focus ? focus : MainFrame()->m_hWnd, key,
                      key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
      Pump();
      places.push_back(KeyboardIn(pList));
    }
    return places;
  }

  int m_quantity = 1;
  std::vector<std::string> m_dialogs;
};

using Places = std::vector<std::string>;

TEST_F(KeysTest, ReturnOnTheFocusedStoreDesignButtonStoresTheDesign)
{
  CView* pWorkbench = m_pDoc->GetWorkbenchView();
  ASSERT_NE(pWorkbench, nullptr);
  SetWorkbenchQuantity(m_pDoc, 4);
  QPushButton* store = ButtonIn(pWorkbench->GetParentFrame(), "Store &Design");
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(FocusIn(pWorkbench, store));
  AnswerStoreDialog("Porch");
  QTest::keyClick(store, Qt::Key_Return);
  Pump();
  EXPECT_EQ(m_dialogs, std::vector<std::string>{"Store New Design"}) << "the button's dialog, no unit's sheet";
  EXPECT_GE(m_pDoc->FindDesign("Porch"), 0);
}

TEST_F(KeysTest, ReturnOnTheFocusedEditButtonEditsTheSelectedDesign)
{
  MakeTwoDesigns();
  CWarehouseView* pList = DesignList(m_pDoc);
  SelectListed("Kitchen");
  QPushButton* edit = ButtonIn(pList, "&Edit...");
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(FocusIn(pList, edit));
  QTest::keyClick(edit, Qt::Key_Return);
  Pump();
  ASSERT_NE(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), CString("Kitchen"));
}

// Return on a design in the list edits it, as a double click does; with no design selected it
// does nothing.
TEST_F(KeysTest, ReturnOnADesignInTheListEditsItAsADoubleClickDoes)
{
  MakeTwoDesigns();
  CWarehouseView* pList = DesignList(m_pDoc);
  QListWidget* list = SelectListed("Kitchen");
  ASSERT_TRUE(FocusIn(pList, list));
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Up);
  ASSERT_EQ(pList->GetDesignListBox()->GetCurSel(), pList->GetDesignListBox()->FindStringExact(-1, "Kitchen"));
  QTest::keyClick(list, Qt::Key_Return);
  Pump();
  ASSERT_NE(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), CString("Kitchen"));
  EXPECT_TRUE(m_dialogs.empty());
  EXPECT_TRUE(Messages().empty());

  pList->GetDesignListBox()->SetCurSel(-1);
  ASSERT_TRUE(FocusIn(pList, list));
  QTest::keyClick(list, Qt::Key_Return);
  Pump();
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), CString("Kitchen"));
  EXPECT_TRUE(Messages().empty());
}

// Brought back in front of the Workbench by the Window menu, the design list gives the keyboard to
// its first control when none of them had it; Tab and Shift+Tab then go round its controls and
// stop nowhere else.
TEST_F(KeysTest, WindowOneBringsTheDesignListBackWithTheKeyboardOnItsFirstControl)
{
  MakeTwoDesigns();
  CWarehouseView* pList = DesignList(m_pDoc);
  QWidget* top = MainFrame()->m_hWnd->window();
  top->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(top));
  ASSERT_EQ(MainFrame()->MDIGetActive(), m_pDoc->GetWorkbenchView()->GetParentFrame()) << "the Workbench is in front";

  Command(AFX_IDM_FIRST_MDICHILD);  // Window > 1, the project's own window
  ASSERT_EQ(MainFrame()->MDIGetActive(), pList->GetParentFrame()) << "Window > 1 brings the design list forward";
  EXPECT_EQ(KeyboardIn(pList), "the project name");
  EXPECT_EQ(Press(pList, Qt::Key_Tab, 7), (Places{"Info...", "Settings...", "the design list", "Create...", "Edit...",
                                                  "Delete", "the project name"}));
  EXPECT_EQ(Press(pList, Qt::Key_Backtab, 7), (Places{"Delete", "Edit...", "Create...", "the design list",
                                                      "Settings...", "Info...", "the project name"}));
}

// Ctrl+F6 to the Workbench and back returns the keyboard to the design list's control that had
// it: the arrows move in the list at once, and Return opens the design chosen there.
TEST_F(KeysTest, CtrlF6BackFromTheWorkbenchReturnsTheKeyboardToTheControlThatHadIt)
{
  MakeTwoDesigns();
  CWarehouseView* pList = DesignList(m_pDoc);
  CFrameWnd* pWorkbench = m_pDoc->GetWorkbenchView()->GetParentFrame();
  QListWidget* list = SelectListed("Bath");
  ASSERT_TRUE(ClickIntoField(pList->GetParentFrame(), list));
  SelectListed("Bath");
  ASSERT_EQ(KeyboardIn(pList), "the design list");

  QTest::keyClick(list, Qt::Key_F6, Qt::ControlModifier);
  Pump();
  ASSERT_EQ(MainFrame()->MDIGetActive(), pWorkbench) << "Ctrl+F6 goes to the Workbench";
  EXPECT_EQ(KeyboardIn(pList), "the Workbench");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ControlModifier);
  Pump();
  ASSERT_EQ(MainFrame()->MDIGetActive(), pList->GetParentFrame()) << "Ctrl+F6 comes back to the design list";
  EXPECT_EQ(KeyboardIn(pList), "the design list") << "the control that had the keyboard has it again";

  CListBox* pBox = pList->GetDesignListBox();
  Press(pList, Qt::Key_Up, 1);
  Press(pList, Qt::Key_Down, 1);
  Press(pList, Qt::Key_Up, 1);
  EXPECT_EQ(pBox->GetCurSel(), pBox->FindStringExact(-1, "Kitchen")) << "the arrows move in the list, from Bath";
  Press(pList, Qt::Key_Return, 1);
  ASSERT_NE(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), CString("Kitchen")) << "Return opens the chosen design";
}

// F6 and Shift+F6 move the keyboard between a drawing and its dialog bar, the Workbench's as the
// Plan View's: into the bar's first field, its text selected to be typed over, back to the
// drawing, and into the bar again to the control that last had the keyboard there.
TEST_F(KeysTest, F6MovesTheKeyboardBetweenTheDrawingAndItsBarAndBack)
{
  Command(ID_SHOW_PLAN);
  CView* pPlan = m_pDoc->GetPlanView();
  CView* pWorkbench = m_pDoc->GetWorkbenchView();
  ASSERT_TRUE(pPlan && pWorkbench);
  auto* pWorkbenchFrame = dynamic_cast<CWorkbenchFrame*>(pWorkbench->GetParentFrame());
  auto* pPlanFrame = dynamic_cast<CDlgAdornedFrame*>(pPlan->GetParentFrame());
  ASSERT_TRUE(pWorkbenchFrame && pPlanFrame);
  const auto focusName = [] {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->metaObject()->className() + (" \"" + focus->objectName() + "\"").toStdString()
                 : std::string("nothing");
  };
  struct Pane
  {
    const char* name;
    CView* pView;
    CDialogBar* pBar;
    UINT nField;
  };
  for (const Pane& pane : {Pane{"the Workbench", pWorkbench, pWorkbenchFrame->GetDialogBar(), IDC_WORKBENCH_QUANTITY},
                           Pane{"the Plan View", pPlan, pPlanFrame->GetDialogBar(), IDC_PLAN_WALL_WIDTH}}) {
    SCOPED_TRACE(pane.name);
    auto* field = qobject_cast<QLineEdit*>(pane.pBar->GetDlgItem(static_cast<int>(pane.nField))->m_hWnd);
    ASSERT_NE(field, nullptr);
    ASSERT_FALSE(field->text().isEmpty());
    ASSERT_TRUE(FocusIn(pane.pView, pane.pView->m_hWnd));
    for (const Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, modifiers);
      Pump();
      EXPECT_EQ(QApplication::focusWidget(), field) << "F6 went to " << focusName();
      EXPECT_EQ(field->selectedText(), field->text()) << "the field's text is selected to be typed over";
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, modifiers);
      Pump();
      EXPECT_EQ(QApplication::focusWidget(), pane.pView->m_hWnd) << "F6 came back to " << focusName();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    Pump();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Pump();
    QWidget* next = QApplication::focusWidget();
    ASSERT_TRUE(next && next != field && pane.pBar->m_hWnd->isAncestorOf(next)) << "Tab went to " << focusName();
    QTest::keyClick(next, Qt::Key_F6);
    Pump();
    EXPECT_EQ(QApplication::focusWidget(), pane.pView->m_hWnd) << "F6 came back to " << focusName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    Pump();
    EXPECT_EQ(QApplication::focusWidget(), next) << "F6 went to " << focusName();
  }
}

TEST_F(KeysTest, AltEInTheDesignListPressesEditBeforeTheEditMenu)
{
  MakeTwoDesigns();
  CWarehouseView* pList = DesignList(m_pDoc);
  QListWidget* list = SelectListed("Kitchen");
  ASSERT_TRUE(FocusIn(pList, list));
  QTest::keyClick(list, Qt::Key_E, Qt::AltModifier);
  Pump();
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the Edit menu stays closed";
  ASSERT_NE(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), CString("Kitchen"));
  EXPECT_TRUE(m_dialogs.empty());
  EXPECT_EQ(ButtonIn(pList, "&Edit...")->text(), QString("&Edit...")) << "the button keeps its text";
}

TEST_F(KeysTest, OutsideTheFormAltEStillOpensTheEditMenu)
{
  CView* pWorkbench = m_pDoc->GetWorkbenchView();
  ASSERT_NE(pWorkbench, nullptr);
  ASSERT_TRUE(FocusIn(pWorkbench, pWorkbench->m_hWnd));
  QTest::keyClick(pWorkbench->m_hWnd, Qt::Key_E, Qt::AltModifier);
  ASSERT_TRUE(PumpUntil([] { return QApplication::activePopupWidget() != nullptr; }));
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), QString("&Edit"));
  menu->close();
}

// In a report window the Edit and Help menus open with Alt+E and Alt+H from the report itself;
// the bar's Export and Help buttons, whose letters they are too, take them only while the
// keyboard is in the bar.
TEST_F(KeysTest, InAReportTheMenusTakeTheirLettersAndTheBarOnlyWhileTheKeyboardIsInIt)
{
  MainFrame()->SendMessage(WM_COMMAND, ID_VIEW_SCHEDULE_REPORT);
  Pump();
  CView* pReport = m_pDoc->GetScheduleReportView();
  ASSERT_NE(pReport, nullptr);
  for (const auto& [key, title] : {std::pair{Qt::Key_E, "&Edit"}, std::pair{Qt::Key_H, "&Help"}}) {
    ASSERT_TRUE(FocusIn(pReport, pReport->m_hWnd));
    QTest::keyClick(pReport->m_hWnd, key, Qt::AltModifier);
    ASSERT_TRUE(PumpUntil([] { return QApplication::activePopupWidget() != nullptr; })) << title;
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QString(title));
    menu->close();
    Pump();
  }
  EXPECT_TRUE(service.fileRequests.empty());

  QPushButton* update = ButtonIn(pReport->GetParentFrame(), "&Update");
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(FocusIn(pReport, update));
  service.filePaths.push_back(CString());
  QTest::keyClick(update, Qt::Key_E, Qt::AltModifier);
  Pump();
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the Edit menu stays closed";
  EXPECT_EQ(service.fileRequests.size(), 1u) << "Export asks where to write the report";
}

// In the Plan View the menu bar's letters are the menus': Alt+W and Alt+S open the Window and
// Settings menus, and a "2" typed for Window > 2 leaves the bar's Wall Width as it was. The bar's
// own letters, drawn underlined as a dialog's labels draw them, give the keyboard to their fields
// only while it is in the bar; a letter that nothing takes is not typed into the field.
TEST_F(KeysTest, InThePlanViewAltWAndAltSOpenTheirMenusAndTheBarsFieldsKeepTheirValues)
{
  Command(ID_SHOW_PLAN);
  CView* pPlan = m_pDoc->GetPlanView();
  ASSERT_NE(pPlan, nullptr);
  auto* pFrame = dynamic_cast<CDlgAdornedFrame*>(pPlan->GetParentFrame());
  ASSERT_NE(pFrame, nullptr);
  CDialogBar* pBar = pFrame->GetDialogBar();
  auto* wallWidth = qobject_cast<QLineEdit*>(pBar->GetDlgItem(IDC_PLAN_WALL_WIDTH)->m_hWnd);
  QWidget* placement = pBar->GetDlgItem(IDC_PLAN_SYMBOL_PLACEMENT)->m_hWnd;
  ASSERT_TRUE(wallWidth && placement);
  const QString wall = wallWidth->text();
  const auto focusName = [] {
    QWidget* focus = QApplication::focusWidget();
    return std::string(focus ? focus->metaObject()->className() : "nothing");
  };

  for (const auto& [key, title] : {std::pair{Qt::Key_W, "&Window"}, std::pair{Qt::Key_S, "&Settings"}}) {
    ASSERT_TRUE(FocusIn(pPlan, pPlan->m_hWnd));
    QTest::keyClick(pPlan->m_hWnd, key, Qt::AltModifier);
    const bool opened = PumpUntil([] { return QApplication::activePopupWidget() != nullptr; });
    EXPECT_TRUE(opened) << title << " stays closed; the keyboard went to a " << focusName();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    EXPECT_EQ(menu ? menu->title() : QString(), QString(title));
    if (key == Qt::Key_W) {
      // "2" where the keyboard is, for Window > 2.
      QTest::keyClick(menu ? menu : QApplication::focusWidget(), Qt::Key_2);
      Pump();
      EXPECT_EQ(MainFrame()->MDIGetActive(), m_pDoc->GetWorkbenchView()->GetParentFrame())
          << "Window > 2 brings the Workbench forward";
    } else if (menu) {
      menu->close();
      Pump();
    }
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(wallWidth->text(), wall) << "after " << title;
  }

  // In the bar, from the Symbol Placement, Alt+W goes to the Wall Width and Alt+S back.
  ASSERT_TRUE(FocusIn(pPlan, placement));
  QTest::keyClick(placement, Qt::Key_W, Qt::AltModifier);
  Pump();
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the Window menu stays closed";
  EXPECT_EQ(QApplication::focusWidget(), wallWidth) << "Alt+W in the bar went to a " << focusName();
  EXPECT_EQ(wallWidth->selectedText(), wall) << "the field's text is selected to be typed over";
  QTest::keyClick(wallWidth, Qt::Key_S, Qt::AltModifier);
  Pump();
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the Settings menu stays closed";
  EXPECT_EQ(QApplication::focusWidget(), placement) << "Alt+S in the bar went to a " << focusName();
  EXPECT_EQ(wallWidth->text(), wall);

  // A letter that no menu and no enabled control of the bar takes does nothing in the field: the
  // greyed Offset's and Insert's, and one that nothing marks, with and without Shift.
  ShellApp().RunIdle();
  EXPECT_FALSE(pBar->GetDlgItem(ID_INSERT_VIEW_INTO_CAD)->m_hWnd->isEnabled());
  EXPECT_FALSE(pBar->GetDlgItem(IDC_PLAN_OFFSET)->m_hWnd->isEnabled());
  ASSERT_TRUE(FocusIn(pPlan, wallWidth));
  const Qt::KeyboardModifiers alt = Qt::AltModifier;
  for (const auto& [key, modifiers] :
       {std::pair{Qt::Key_O, alt}, std::pair{Qt::Key_I, alt}, std::pair{Qt::Key_X, alt | Qt::ShiftModifier}}) {
    QTest::keyClick(wallWidth, key, modifiers);
    Pump();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), wallWidth) << "the key went to a " << focusName();
    EXPECT_EQ(wallWidth->text(), wall) << "after " << QKeySequence(modifiers | key).toString().toStdString();
  }
  // AltGr, reported as Ctrl+Alt or as the group switch, still types what it makes.
  QTest::keyClick(wallWidth, Qt::Key_End);
  for (const Qt::KeyboardModifiers altGr :
       {Qt::ControlModifier | Qt::AltModifier, Qt::KeyboardModifiers(Qt::GroupSwitchModifier)}) {
    QTest::keyClick(wallWidth, '@', altGr);
    EXPECT_EQ(wallWidth->text(), wall + "@") << "AltGr as " << altGr.toInt();
    QTest::keyClick(wallWidth, Qt::Key_Backspace);
  }

  // The mark is drawn as a label with a buddy draws it.
  int compared = 0;
  for (auto* label : pBar->GetOuterHandle()->findChildren<QLabel*>()) {
    if (!label->text().contains(QLatin1Char('&')) || !label->isVisible())
      continue;
    QWidget dialog;
    QLabel alike(label->text(), &dialog);
    alike.setTextFormat(label->textFormat());
    alike.setWordWrap(label->wordWrap());
    alike.setAlignment(label->alignment());
    alike.setFont(label->font());
    alike.setPalette(label->palette());
    alike.resize(label->size());
    alike.setBuddy(&dialog);
    EXPECT_EQ(label->grab().toImage(), alike.grab().toImage()) << label->text().toStdString();
    ++compared;
  }
  EXPECT_EQ(compared, 3) << "Wall Width, Offset and Symbol Placement";
}

}  // namespace
