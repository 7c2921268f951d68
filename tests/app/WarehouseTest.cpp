// The design list runs its commands end to end through the real dialogs: create and store,
// edit, rename (blank and used names refused), delete with its question, cut, copy and paste
// with the name dialog (a pasted design only when it rebuilds), and the project information.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "DeepGroups.h"
#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "ui/output/Clipbrd.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/Dialog.h"
#include "ui/frame/Frame.h"
#include "ui/docview/View.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

namespace {
constexpr UINT kStoreDesignButton = 337;

class WarehouseTest : public ShellProjectTest
{
protected:
  void SetUp() override
  {
    ShellProjectTest::SetUp();
    if (HasFatalFailure())
      return;
    m_pView = DesignList(m_pDoc);
    ASSERT_NE(m_pView, nullptr);
  }

  // Changes the design on the Workbench and stores it, naming it in "Store New Design".
  void StoreNewDesign(const char* name)
  {
    ASSERT_NE(m_pDoc->GetEditedDesign(), nullptr);
    SetWorkbenchQuantity(m_pDoc, ++m_quantity);
    OnNextDialog([name](CDialog& dialog) {
      SetControlText(dialog, IDC_NEW_DESIGN_NAME, name);
      ClickButton(dialog, IDOK);
    });
    CView* pWorkbench = m_pDoc->GetWorkbenchView();
    ASSERT_NE(pWorkbench, nullptr);
    pWorkbench->GetParentFrame()->SendMessage(WM_COMMAND, kStoreDesignButton);
    ASSERT_EQ(m_pDoc->FindDesign(name) >= 0, true) << name;
  }

  // Stores the edited design as "Kitchen", then creates and stores "Bath", which stays edited;
  // both through the Workbench's Store Design button.
  void MakeTwoDesigns()
  {
    StoreNewDesign("Kitchen");
    ViewCommand(ID_CREATE_DESIGN);
    StoreNewDesign("Bath");
  }

  void ViewCommand(UINT nID)
  {
    m_pView->SendMessage(WM_COMMAND, nID);
    Pump();
  }

  void Select(const char* name)
  {
    CListBox* pList = m_pView->GetDesignListBox();
    pList->SetCurSel(pList->FindStringExact(-1, name));
  }

  std::vector<CString> ListedNames()
  {
    std::vector<CString> names;
    CListBox* pList = m_pView->GetDesignListBox();
    for (int i = 0; i < pList->GetCount(); ++i) {
      CString name;
      pList->GetText(i, name);
      names.push_back(name);
    }
    return names;
  }

  bool IsEnabled(UINT nID)
  {
    CCmdUI state;
    state.m_nID = nID;
    state.DoUpdate(m_pView, TRUE);
    return state.m_bEnabled == TRUE;
  }

  void PutDesignRecord(const DeepBytes& bytes)
  {
    ASSERT_TRUE(OpenClipboard(m_pView));
    EmptyClipboard();
    HGLOBAL hData = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(hData), bytes.data(), bytes.size());
    GlobalUnlock(hData);
    SetClipboardData(RegisterClipboardFormat("Panecraft Design"), hData);
    CloseClipboard();
  }

  UINT LastMessageType() const { return service.messages.empty() ? 0 : service.messages.back().type; }
  CString LastMessage() const { return service.messages.empty() ? CString() : service.messages.back().text; }

  // Saves the project under the name, closes it and opens it again, its design list in front.
  void ReopenSavedAs(const char* name)
  {
    const std::string path = PathIn(name);
    m_pDoc->DoSave(path.c_str());
    service.messageAnswers.push_back(IDNO);
    m_pDoc->OnCloseDocument();
    Pump();
    ASSERT_TRUE(ShellApp().OpenDocumentFile(path.c_str()));
    Pump();
    QWidget* top = MainFrame()->m_hWnd->window();
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    m_pDoc = ActiveProject();
    ASSERT_NE(m_pDoc, nullptr);
    m_pView = DesignList(m_pDoc);
  }

  CWarehouseView* m_pView = nullptr;
  int m_quantity = 1;
};

using Names = std::vector<CString>;
}  // namespace

TEST_F(WarehouseTest, CreateOpensANewDesignAndStoringListsItUnderTheNameGiven)
{
  EXPECT_TRUE(ListedNames().empty());
  MakeTwoDesigns();
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath"}));
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), "Bath");
  ASSERT_NE(m_pDoc->GetWorkbenchView(), nullptr);
  CString caption;
  m_pDoc->GetWorkbenchView()->GetParentFrame()->GetWindowText(caption);
  EXPECT_EQ(caption, "Bath (Workbench)");
}

TEST_F(WarehouseTest, TheEditedDesignCannotBeEditedRenamedDeletedOrCutButCanBeCopied)
{
  MakeTwoDesigns();
  Select("Bath");
  for (UINT nID : {ID_EDIT_DESIGN, ID_RENAME_DESIGN, ID_DELETE_DESIGN, UINT{ID_EDIT_CUT}})
    EXPECT_FALSE(IsEnabled(nID)) << nID;
  EXPECT_TRUE(IsEnabled(ID_EDIT_COPY));
  Select("Kitchen");
  for (UINT nID : {ID_EDIT_DESIGN, ID_RENAME_DESIGN, ID_DELETE_DESIGN, UINT{ID_EDIT_CUT}, UINT{ID_EDIT_COPY}})
    EXPECT_TRUE(IsEnabled(nID)) << nID;
  m_pView->GetDesignListBox()->SetCurSel(-1);
  EXPECT_FALSE(IsEnabled(ID_EDIT_COPY));
  EXPECT_TRUE(IsEnabled(ID_CREATE_DESIGN));
}

TEST_F(WarehouseTest, EditOpensTheSelectedDesignOnTheWorkbench)
{
  MakeTwoDesigns();
  Select("Kitchen");
  ViewCommand(ID_EDIT_DESIGN);
  ASSERT_NE(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), "Kitchen");
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetQuantity(), 2);
  EXPECT_TRUE(service.messages.empty()) << "an unchanged design is closed without a question";

  Select("Kitchen");
  ViewCommand(ID_EDIT_DESIGN);
  EXPECT_EQ(LastMessage(), "The design you have selected is currently being edited.");
  m_pView->GetDesignListBox()->SetCurSel(-1);
  ViewCommand(ID_EDIT_DESIGN);
  EXPECT_EQ(LastMessage(), "Please select the design you want to edit in the list box, and then edit it.");
  EXPECT_EQ(LastMessageType(), UINT{MB_OK | MB_ICONINFORMATION});
}

TEST_F(WarehouseTest, SwitchingDesignsAsksOnceAboutAChangedDesign)
{
  MakeTwoDesigns();
  SetWorkbenchQuantity(m_pDoc, 9);
  service.messageAnswers.push_back(IDNO);
  Select("Kitchen");
  ViewCommand(ID_EDIT_DESIGN);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, "Store changes to design 'Bath' in the project?");
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetName(), "Kitchen");
}

TEST_F(WarehouseTest, RenameRefusesBlankAndUsedNamesAndAcceptsItsOwnNameInOtherCapitals)
{
  MakeTwoDesigns();
  ViewCommand(ID_CREATE_DESIGN);
  Select("Bath");
  OnNextDialog([](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_CURRENT_NAME), "Bath");
    SetControlText(dialog, IDC_NEW_NAME, "   ");
    ClickButton(dialog, IDOK);
    EXPECT_FALSE(dialog.HasEnded());
    SetControlText(dialog, IDC_NEW_NAME, " kitchen ");
    ClickButton(dialog, IDOK);
  });
  OnNextDialog([](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_NEW_NAME), "kitchen");
    SetControlText(dialog, IDC_NEW_NAME, "Pantry");
    ClickButton(dialog, IDOK);
  });
  ViewCommand(ID_RENAME_DESIGN);
  ASSERT_EQ(service.messages.size(), 2u);
  EXPECT_EQ(service.messages[0].text, "The new name cannot be blank.");
  EXPECT_EQ(service.messages[0].caption, "Error");
  EXPECT_EQ(service.messages[1].text,
            "A design with that name already exists.  You must choose a name that is not already in use.");
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Pantry"}));

  Select("Pantry");
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_NEW_NAME, "PANTRY");
    ClickButton(dialog, IDOK);
  });
  ViewCommand(ID_RENAME_DESIGN);
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "PANTRY"}));
  EXPECT_EQ(service.messages.size(), 2u);
}

TEST_F(WarehouseTest, RenameRefusesTheNameTheEditedDesignNowCarries)
{
  MakeTwoDesigns();
  ViewCommand(ID_CREATE_DESIGN);
  m_pDoc->GetEditedDesign()->SetName("Attic");
  Select("Kitchen");
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_NEW_NAME, "attic");
    ClickButton(dialog, IDOK);
  });
  OnNextDialog([](CDialog& dialog) { ClickButton(dialog, IDCANCEL); });
  ViewCommand(ID_RENAME_DESIGN);
  EXPECT_EQ(LastMessage(),
            "A design with that name already exists.  You must choose a name that is not already in use.");
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath"}));
}

TEST_F(WarehouseTest, DeleteAsksFirstAndNeedsASelection)
{
  MakeTwoDesigns();
  ViewCommand(ID_CREATE_DESIGN);
  m_pView->GetDesignListBox()->SetCurSel(-1);
  ViewCommand(ID_DELETE_DESIGN);
  EXPECT_EQ(LastMessage(), "Please select a design in the list first.");
  EXPECT_EQ(LastMessageType(), UINT{MB_OK | MB_ICONINFORMATION});

  Select("Bath");
  service.messageAnswers.push_back(IDNO);
  ViewCommand(ID_DELETE_DESIGN);
  EXPECT_EQ(LastMessage(), "Are you sure you want to delete design 'Bath'?");
  EXPECT_EQ(LastMessageType(), UINT{MB_YESNO | MB_ICONQUESTION});
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath"}));

  Select("Bath");
  service.messageAnswers.push_back(IDYES);
  ViewCommand(ID_DELETE_DESIGN);
  EXPECT_EQ(ListedNames(), (Names{"Kitchen"}));
  EXPECT_EQ(m_pDoc->FindDesign("Bath"), -1);
}

TEST_F(WarehouseTest, CutMovesADesignToTheClipboardAndPasteBringsItBackWithoutAQuestion)
{
  MakeTwoDesigns();
  ViewCommand(ID_CREATE_DESIGN);
  Select("Kitchen");
  DWORD crc = m_pDoc->GetStoredDesigns()[m_pDoc->FindDesign("Kitchen")]->GetCRC();
  ViewCommand(ID_EDIT_CUT);
  EXPECT_EQ(ListedNames(), (Names{"Bath"}));
  EXPECT_TRUE(IsEnabled(ID_EDIT_PASTE));
  ViewCommand(ID_EDIT_PASTE);
  EXPECT_TRUE(service.messages.empty());
  EXPECT_EQ(ListedNames(), (Names{"Bath", "Kitchen"}));
  int index = m_pDoc->FindDesign("Kitchen");
  ASSERT_GE(index, 0);
  EXPECT_EQ(m_pDoc->GetStoredDesigns()[index]->GetCRC(), crc);
}

TEST_F(WarehouseTest, ACutWhoseCopyFailsKeepsTheDesign)
{
  MakeTwoDesigns();
  ViewCommand(ID_CREATE_DESIGN);
  Select("Kitchen");
  // Another holder of the clipboard makes the copy step fail.
  ASSERT_TRUE(OpenClipboard(nullptr));
  ViewCommand(ID_EDIT_CUT);
  CloseClipboard();
  EXPECT_EQ(LastMessage(), "Unable to open clipboard.  COPY not performed!");
  EXPECT_EQ(LastMessageType(), static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath"}));
  EXPECT_GE(m_pDoc->FindDesign("Kitchen"), 0);
}

TEST_F(WarehouseTest, PastingAUsedNameAsksForAnotherUntilItIsSettled)
{
  MakeTwoDesigns();
  Select("Kitchen");
  ViewCommand(ID_EDIT_COPY);
  OnNextDialog([](CDialog& dialog) {
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, "Panecraft - Paste Design");
    EXPECT_EQ(ControlText(dialog, IDC_PASTE_DESIGN_NAME), "Kitchen");
    SetControlText(dialog, IDC_PASTE_DESIGN_NAME, "");
    ClickButton(dialog, IDOK);
    EXPECT_FALSE(dialog.HasEnded());
    SetControlText(dialog, IDC_PASTE_DESIGN_NAME, "bath");
    ClickButton(dialog, IDOK);
  });
  // The empty name's message, then "bath", which is being edited: OK there returns to the dialog.
  service.messageAnswers.push_back(IDOK);
  service.messageAnswers.push_back(IDOK);
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_PASTE_DESIGN_NAME, "Kitchen");
    ClickButton(dialog, IDOK);
  });
  service.messageAnswers.push_back(IDNO);
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_PASTE_DESIGN_NAME, "Cellar");
    ClickButton(dialog, IDOK);
  });
  ViewCommand(ID_EDIT_PASTE);
  ASSERT_EQ(service.messages.size(), 3u);
  EXPECT_EQ(service.messages[0].text, "Design name cannot be empty");
  EXPECT_EQ(
      service.messages[1].text,
      "A design with that name is currently being edited and cannot be replaced. Please specify a different name.");
  EXPECT_EQ(service.messages[1].type, UINT{MB_OKCANCEL});
  EXPECT_EQ(service.messages[2].text, "A design with the name 'Kitchen' already exists.\n\nDo you want to replace it?");
  EXPECT_EQ(service.messages[2].type, UINT{MB_YESNOCANCEL | MB_ICONEXCLAMATION});
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath", "Cellar"}));
  CDesign design;
  m_pDoc->GetStoredDesigns()[m_pDoc->FindDesign("Cellar")]->Retrieve(&design);
  EXPECT_EQ(design.GetName(), "Cellar") << "the name inside the design follows";
  EXPECT_EQ(design.GetQuantity(), 2);
}

TEST_F(WarehouseTest, PastingOverAStoredDesignReplacesItInPlaceAfterYes)
{
  MakeTwoDesigns();
  ViewCommand(ID_CREATE_DESIGN);
  Select("Kitchen");
  ViewCommand(ID_EDIT_COPY);
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_PASTE_DESIGN_NAME, "Bath");
    ClickButton(dialog, IDOK);
  });
  service.messageAnswers.push_back(IDYES);
  ViewCommand(ID_EDIT_PASTE);
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath"}));
  CDesign design;
  m_pDoc->GetStoredDesigns()[1]->Retrieve(&design);
  EXPECT_EQ(design.GetName(), "Bath");
  EXPECT_EQ(design.GetQuantity(), 2) << "Kitchen's content under Bath's name";
}

TEST_F(WarehouseTest, ForeignClipboardBytesAreRefusedAndNothingIsPasted)
{
  MakeTwoDesigns();
  UINT format = RegisterClipboardFormat("Panecraft Design");
  ASSERT_TRUE(OpenClipboard(m_pView));
  EmptyClipboard();
  HGLOBAL hData = GlobalAlloc(GMEM_MOVEABLE, 5);
  std::memcpy(GlobalLock(hData), "\x10\x27\x00\x00\xFF", 5);
  GlobalUnlock(hData);
  SetClipboardData(format, hData);
  CloseClipboard();
  ViewCommand(ID_EDIT_PASTE);
  EXPECT_EQ(LastMessage(), "Clipboard data incompatible.  PASTE not performed!");
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath"}));
}

TEST_F(WarehouseTest, ProjectInformationWritesOnOkOnly)
{
  OnNextDialog([](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_PROJECT_NAME), "Project Name");
    SetControlText(dialog, IDC_PROJECT_NAME, "Lakeside");
    ClickButton(dialog, IDCANCEL);
  });
  ViewCommand(ID_PROJECT_INFORMATION);
  EXPECT_EQ(m_pDoc->GetProjectName(), "Project Name");
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_PROJECT_NAME, "Lakeside");
    SetControlText(dialog, IDC_PROJECT_DESIGNER, "R. Vale");
    SetControlText(dialog, IDC_PROJECT_NOTES, "Two storeys");
    ClickButton(dialog, IDOK);
  });
  ViewCommand(ID_PROJECT_INFORMATION);
  EXPECT_EQ(m_pDoc->GetProjectName(), "Lakeside");
  EXPECT_EQ(m_pDoc->GetProjectData().GetDesigner(), "R. Vale");
  EXPECT_EQ(m_pDoc->GetProjectData().GetNotes(), "Two storeys");
  EXPECT_EQ(ControlText(*m_pView, IDC_WAREHOUSE_PROJECT_NAME), "Lakeside") << "the form shows the new name";
}

TEST_F(WarehouseTest, ANameTypedInTheFormBecomesTheProjectName)
{
  SetControlText(*m_pView, IDC_WAREHOUSE_PROJECT_NAME, "Hillcrest");
  EXPECT_TRUE(m_pView->CommitProjectName(TRUE));
  EXPECT_EQ(m_pDoc->GetProjectName(), "Hillcrest");
}

// The field keeps the keyboard through an accelerator, so it is never left: what was typed is
// still what the save writes.
TEST_F(WarehouseTest, ANameStillBeingTypedIsSavedByControlS)
{
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, "Hillcrest");
  const std::string path = PathIn("Typed.tpf");
  service.filePaths.push_back(path.c_str());
  QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
  Pump();
  ASSERT_TRUE(std::filesystem::exists(path)) << "Control+S saved the project";
  EXPECT_EQ(QApplication::focusWidget(), field) << "the field was not left";
  EXPECT_EQ(m_pDoc->GetProjectName(), "Hillcrest");
  const std::vector<BYTE> bytes = ReadFileBytes(path);
  const std::string typed = "Hillcrest";
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), typed.begin(), typed.end()), bytes.end())
      << "the file holds the typed name";
}

// A view opened or a design stored updates the project window while a name is still being
// typed there: the name is taken, not written over with the last one.
TEST_F(WarehouseTest, ANameStillBeingTypedOutlivesAnUpdateOfTheWindows)
{
  QLineEdit* field = FocusProjectNameField(m_pDoc);
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, "Hillcrest");
  m_pDoc->UpdateAllViews(nullptr);
  EXPECT_EQ(field->text(), "Hillcrest");
  EXPECT_EQ(m_pDoc->GetProjectName(), "Hillcrest");
  EXPECT_TRUE(m_pDoc->IsProjectModified());
}

TEST_F(WarehouseTest, ARightClickSelectsTheDesignUnderThePointerAndOffersTheDesignCommands)
{
  MakeTwoDesigns();
  ViewCommand(ID_CREATE_DESIGN);
  CListBox* pList = m_pView->GetDesignListBox();
  pList->SetCurSel(0);
  QListWidget* pWidget = qobject_cast<QListWidget*>(pList->m_hWnd);
  ASSERT_NE(pWidget, nullptr);
  QPoint second = pWidget->visualItemRect(pWidget->item(1)).center();
  service.popupChoices.push_back(ID_DELETE_DESIGN);
  service.messageAnswers.push_back(IDYES);
  QTest::mousePress(pWidget->viewport(), Qt::RightButton, Qt::NoModifier, second);
  EXPECT_EQ(pList->GetCurSel(), 1);
  QTest::mouseRelease(pWidget->viewport(), Qt::RightButton, Qt::NoModifier, second);
  Pump();
  ASSERT_EQ(service.popupMenus.size(), 1u);
  EXPECT_EQ(service.popupMenus[0], (Names{"Cut", "Copy", "Paste...", "", "Create", "Edit", "Rename...", "Delete"}));
  EXPECT_EQ(LastMessage(), "Are you sure you want to delete design 'Bath'?");
  EXPECT_EQ(ListedNames(), (Names{"Kitchen"}));
}

TEST_F(WarehouseTest, TheDesignListsFrameIsTitledWithTheProjectAlone)
{
  CString caption;
  m_pView->GetParentFrame()->GetWindowText(caption);
  EXPECT_EQ(caption, "Proj1");
}

TEST_F(WarehouseTest, TheDesignListsFrameFitsItsFormWithoutScrolling)
{
  CRect client;
  m_pView->GetClientRect(&client);
  EXPECT_EQ(client.Size(), m_pView->GetTotalSize());
}

TEST_F(WarehouseTest, ARenamedDesignKeepsItsPlaceInTheListAndInTheFile)
{
  MakeTwoDesigns();
  ViewCommand(ID_CREATE_DESIGN);
  StoreNewDesign("Attic");
  ViewCommand(ID_CREATE_DESIGN);
  Select("Kitchen");
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_NEW_NAME, "Scullery");
    ClickButton(dialog, IDOK);
  });
  ViewCommand(ID_RENAME_DESIGN);
  const Names expected{"Scullery", "Bath", "Attic"};
  EXPECT_EQ(ListedNames(), expected);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(m_pDoc->GetDesignName(i), expected[static_cast<size_t>(i)]) << "the project keeps that order";

  service.filePaths.push_back(PathIn("Order.tpf").c_str());
  ReopenSavedAs("Order.tpf");
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(ListedNames(), expected) << "the same order after reopening";
}

TEST_F(WarehouseTest, AnOpenedProjectGivesTheKeyboardToItsDesignList)
{
  MakeTwoDesigns();
  ReopenSavedAs("Focus.tpf");
  ASSERT_FALSE(HasFatalFailure());
  QWidget* list = m_pView->GetDesignListBox()->m_hWnd;
  EXPECT_EQ(QApplication::focusWidget(), list);
  // The arrow keys move in the list at once.
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_GE(m_pView->GetDesignListBox()->GetCurSel(), 0);
}

// A list of one design takes the keys as a longer one does: on taking the keyboard it marks the
// design unselected, and Home or Down selects it, for the design commands to act on.
TEST_F(WarehouseTest, HomeAndDownSelectTheOnlyDesignOfTheList)
{
  StoreNewDesign("Kitchen");
  ReopenSavedAs("One.tpf");
  ASSERT_FALSE(HasFatalFailure());
  CListBox* pBox = m_pView->GetDesignListBox();
  auto* list = qobject_cast<QListWidget*>(pBox->m_hWnd);
  ASSERT_EQ(ListedNames(), Names{"Kitchen"});
  auto* name = qobject_cast<QLineEdit*>(m_pView->GetDlgItem(IDC_WAREHOUSE_PROJECT_NAME)->m_hWnd);
  ASSERT_TRUE(list && name);
  for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Down, Qt::Key_End, Qt::Key_Up}) {
    SCOPED_TRACE(QKeySequence(key).toString().toStdString());
    pBox->SetCurSel(-1);
    // The list takes the keyboard again, as the user tabs to it.
    name->setFocus(Qt::TabFocusReason);
    list->setFocus(Qt::TabFocusReason);
    Pump();
    ASSERT_EQ(QApplication::focusWidget(), list);
    ASSERT_EQ(list->currentRow(), 0) << "the focus rectangle stands on the design";
    ASSERT_EQ(pBox->GetCurSel(), LB_ERR);
    ASSERT_FALSE(IsEnabled(ID_EDIT_DESIGN));
    QTest::keyClick(list, key);
    Pump();
    EXPECT_EQ(pBox->GetCurSel(), 0);
    EXPECT_TRUE(IsEnabled(ID_EDIT_DESIGN)) << "Edit acts on the selected design";
  }
}

TEST_F(WarehouseTest, APastedDesignIsTakenOnlyWhenItRebuildsFromItsBlock)
{
  MakeTwoDesigns();
  PutDesignRecord(DesignRecordWithBlock(NestedDesignBlock(5)));
  ViewCommand(ID_EDIT_PASTE);
  EXPECT_TRUE(service.messages.empty());
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath", "Deep"}));
  const DeepBytes garbage(300, 0xEE);
  for (const DeepBytes& block : {garbage, NestedDesignBlock(100000)}) {
    service.messages.clear();
    PutDesignRecord(DesignRecordWithBlock(block));
    ViewCommand(ID_EDIT_PASTE);
    EXPECT_EQ(LastMessage(), "Clipboard data incompatible.  PASTE not performed!") << block.size();
    EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath", "Deep"}));
  }
}

TEST_F(WarehouseTest, ADesignNameWithACharacterTheProjectFileCannotHoldIsRefusedNamingIt)
{
  ASSERT_NE(m_pDoc->GetEditedDesign(), nullptr);
  SetWorkbenchQuantity(m_pDoc, 2);
  auto type = [](CDialog& dialog, const char* text) {
    auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(IDC_NEW_DESIGN_NAME)->m_hWnd);
    ASSERT_NE(edit, nullptr);
    edit->clear();
    // Key events carrying the characters, as a keyboard layout that has them sends them.
    for (const QChar c : QString::fromUtf8(text)) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &press);
    }
    ASSERT_EQ(edit->text(), QString::fromUtf8(text));
  };
  OnNextDialog([type](CDialog& dialog) {
    type(dialog, "Küche ✓");
    ClickButton(dialog, IDOK);
    EXPECT_FALSE(dialog.HasEnded());
    type(dialog, "Küche");
    ClickButton(dialog, IDOK);
  });
  service.messageAnswers.push_back(IDOK);
  m_pDoc->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_COMMAND, kStoreDesignButton);
  ASSERT_FALSE(service.messages.empty());
  EXPECT_EQ(service.messages[0].text,
            CString("The character \"✓\" cannot be used here. Please use another character."));
  EXPECT_EQ(ListedNames(), (Names{"K\xFC"
                                  "che"}));
}

TEST_F(WarehouseTest, AProjectFileWithGroupsNestedTooDeepOpensAndRefusesThatDesignWithoutACrash)
{
  MakeTwoDesigns();
  const DeepBytes shallow = NestedDesignBlock(2);
  const DeepBytes record = DesignRecordWithBlock(shallow);
  CDesignStore store;
  CMemFile file(record.data(), static_cast<UINT>(record.size()));
  CArchive ar(&file, CArchive::load, 4096);
  store.Serialize(ar);
  ar.Close();
  m_pDoc->AddDesign(store);
  const std::string path = PathIn("Deep.tpf");
  service.filePaths.push_back(path.c_str());
  ViewCommand(ID_FILE_SAVE_AS);
  // The stored block, after its length, becomes 100,000 nested groups.
  std::vector<BYTE> bytes = ReadFileBytes(path);
  DWORD length = static_cast<DWORD>(shallow.size());
  std::vector<BYTE> old(reinterpret_cast<BYTE*>(&length), reinterpret_cast<BYTE*>(&length) + 4);
  old.insert(old.end(), shallow.begin(), shallow.end());
  const auto at = std::search(bytes.begin(), bytes.end(), old.begin(), old.end());
  ASSERT_NE(at, bytes.end());
  const DeepBytes deep = NestedDesignBlock(100000);
  length = static_cast<DWORD>(deep.size());
  std::vector<BYTE> replacement(reinterpret_cast<BYTE*>(&length), reinterpret_cast<BYTE*>(&length) + 4);
  replacement.insert(replacement.end(), deep.begin(), deep.end());
  const auto offset = at - bytes.begin();
  bytes.erase(at, at + static_cast<long>(old.size()));
  bytes.insert(bytes.begin() + offset, replacement.begin(), replacement.end());
  ViewCommand(ID_FILE_CLOSE);
  ASSERT_TRUE(Projects().empty());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_OPEN);
  ASSERT_EQ(Projects().size(), 1u);
  m_pDoc = Projects()[0];
  m_pView = DesignList(m_pDoc);
  ASSERT_NE(m_pView, nullptr);
  EXPECT_EQ(ListedNames(), (Names{"Kitchen", "Bath", "Deep"}));
  service.messages.clear();
  Select("Deep");
  ViewCommand(ID_EDIT_DESIGN);
  ASSERT_FALSE(service.messages.empty()) << "the design is refused";
  EXPECT_EQ(LastMessage(), "The design 'Deep' could not be read; it has been left unchanged in the project.");
  EXPECT_TRUE(m_pDoc->GetEditedDesign() == nullptr || m_pDoc->GetEditedDesign()->GetName() != "Deep");
}

// A maximised child window fills the main window's client area, and its form with it, as the
// maximise button of its frame or the system menu leaves it.
TEST_F(WarehouseTest, AMaximisedDesignListFillsTheClientArea)
{
  QWidget* top = MainFrame()->m_hWnd->window();
  top->resize(1000, 700);
  Pump();
  CFrameWnd* pFrame = m_pView->GetParentFrame();
  auto* sub = qobject_cast<QMdiSubWindow*>(pFrame->GetOuterHandle());
  ASSERT_NE(sub, nullptr);
  QMdiArea* area = sub->mdiArea();
  ASSERT_NE(area, nullptr);
  sub->showMaximized();
  Pump();
  ASSERT_TRUE(sub->isMaximized());
  const QRect client = area->viewport()->rect();
  EXPECT_EQ(sub->geometry(), client);
  const QWidget* form = m_pView->m_hWnd;
  EXPECT_GE(form->width(), client.width() - 8) << "the form fills the frame";
  EXPECT_GE(form->height(), client.height() - 8);
  top->resize(1200, 800);
  Pump();
  EXPECT_EQ(sub->geometry(), area->viewport()->rect()) << "and follows the main window";
  // A fit asked for while the frame was hidden waits for it to show; a maximise that shows it
  // keeps the whole client area.
  sub->showNormal();
  sub->hide();
  Pump();
  m_pView->ResizeParentToFit(FALSE);
  sub->showMaximized();
  Pump();
  EXPECT_TRUE(sub->isMaximized());
  EXPECT_EQ(sub->geometry(), area->viewport()->rect());
  EXPECT_GE(form->width(), area->viewport()->width() - 8);
}
