// Closing a project's design list window by Ctrl+F4 or its close box closes the project as File
// Close does: a changed design on the Workbench is offered for storing, then the project for
// saving; Yes saves the change into the file, and Cancel at either question keeps the project, its
// list and its Workbench open. A project whose last window goes some other way still asks.
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>

#include "WbGuiFixture.h"
#include "ui/docview/DocTempl.h"

namespace {
constexpr const char* kStoreQuestion = "Store changes to design 'Kitchen' in the project?";

class WbListCloseTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    m_path = PathIn("Sample House.tpf");
    ASSERT_NO_FATAL_FAILURE(StartOnTheKeptSampleHouse(m_path));
    m_original = ReadFileBytes(m_path);
    ASSERT_FALSE(m_original.empty());
    EditStoredDesign("Kitchen");
    ASSERT_NE(View(), nullptr);
    // The first item, selected by Tab and nudged an inch to the right by the arrow key.
    Key(Qt::Key_Tab);
    m_pUnit = dynamic_cast<CUnitItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
    ASSERT_NE(m_pUnit, nullptr);
    ASSERT_TRUE(View()->IsSelected(m_pUnit));
    m_nudgedX = m_pUnit->GetOffset().GetX() + 1.0;
    Key(Qt::Key_Right);
    ASSERT_DOUBLE_EQ(m_pUnit->GetOffset().GetX(), m_nudgedX);
  }

  CFrameWnd* ListFrame() const { return DesignList(m_pDoc)->GetParentFrame(); }
  CString SaveQuestion() const { return CString("Save changes to ") + m_path.c_str() + "?"; }

  // A click into the design list brings its window forward; Ctrl+F4 is typed there.
  void CtrlF4OnTheList()
  {
    QWidget* list = DesignList(m_pDoc)->GetDesignListBox()->m_hWnd;
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    Pump();
    ASSERT_EQ(MainFrame()->MDIGetActive(), ListFrame());
    QTest::keyClick(list, Qt::Key_F4, Qt::ControlModifier);
    Pump();
  }

  // A click on the close box in the title bar of the design list's window.
  void ClickTheListsCloseBox()
  {
    auto* sub = qobject_cast<QMdiSubWindow*>(ListFrame()->GetOuterHandle());
    ASSERT_NE(sub, nullptr);
    QStyleOptionTitleBar option;
    option.initFrom(sub);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = sub->windowFlags();
    option.titleBarState = sub->windowState();
    const int border = sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    const int height = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, sub);
    option.rect = QRect(border, border, sub->width() - 2 * border, height - border);
    const QRect box = sub->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, sub);
    ASSERT_FALSE(box.isEmpty());
    QTest::mouseMove(sub, box.center());
    QTest::mouseClick(sub, Qt::LeftButton, Qt::NoModifier, box.center());
    Pump();
  }

  // The Kitchen's first unit as the saved file holds it, opened again.
  double SavedFirstUnitX()
  {
    service.filePaths.push_back(CString(m_path.c_str()));
    Command(ID_FILE_OPEN);
    m_pDoc = ActiveProject();
    if (!m_pDoc)
      return -1.0;
    EditStoredDesign("Kitchen");
    auto* pUnit = dynamic_cast<CUnitItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
    return pUnit ? pUnit->GetOffset().GetX() : -1.0;
  }

  // The store question, then the save question, both answered Yes: the project closed, and its
  // file, opened again, holds the nudge.
  void ExpectStoredSavedAndClosed()
  {
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0], kStoreQuestion);
    EXPECT_EQ(Messages()[1], SaveQuestion());
    EXPECT_TRUE(Projects().empty()) << "the project closed with its windows";
    EXPECT_NE(ReadFileBytes(m_path), m_original);
    EXPECT_DOUBLE_EQ(SavedFirstUnitX(), m_nudgedX);
  }

  void ExpectEverythingStillOpen()
  {
    ASSERT_EQ(Projects().size(), 1u);
    EXPECT_TRUE(ListFrame()->IsWindowVisible()) << "the design list";
    ASSERT_NE(View(), nullptr);
    EXPECT_TRUE(Frame()->IsWindowVisible()) << "the Workbench";
    EXPECT_EQ(View()->GetItemList()->GetHead(), m_pUnit);
    EXPECT_DOUBLE_EQ(m_pUnit->GetOffset().GetX(), m_nudgedX) << "the nudge is still there";
    EXPECT_EQ(ReadFileBytes(m_path), m_original) << "the file is as it was";
  }

  std::string m_path;
  std::vector<unsigned char> m_original;
  CUnitItem* m_pUnit = nullptr;
  double m_nudgedX = 0.0;
};
}  // namespace

TEST_F(WbListCloseTest, CtrlF4OnTheListAsksToStoreThenToSaveAndYesSavesTheNudge)
{
  service.messageAnswers = {IDYES, IDYES};
  ASSERT_NO_FATAL_FAILURE(CtrlF4OnTheList());
  ExpectStoredSavedAndClosed();
}

TEST_F(WbListCloseTest, TheListsCloseBoxAsksToStoreThenToSaveAndYesSavesTheNudge)
{
  service.messageAnswers = {IDYES, IDYES};
  ASSERT_NO_FATAL_FAILURE(ClickTheListsCloseBox());
  ExpectStoredSavedAndClosed();
}

TEST_F(WbListCloseTest, CancellingTheStoreQuestionKeepsTheProjectItsListAndItsWorkbench)
{
  service.messageAnswers = {IDCANCEL};
  ASSERT_NO_FATAL_FAILURE(CtrlF4OnTheList());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], kStoreQuestion);
  ExpectEverythingStillOpen();
}

TEST_F(WbListCloseTest, CancellingTheSaveQuestionKeepsTheProjectItsListAndItsWorkbench)
{
  service.messageAnswers = {IDYES, IDCANCEL};
  ASSERT_NO_FATAL_FAILURE(ClickTheListsCloseBox());
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[1], SaveQuestion());
  ExpectEverythingStillOpen();
  // The list closed once more closes the project: the design was stored, only saving is asked.
  service.messageAnswers = {IDYES};
  ASSERT_NO_FATAL_FAILURE(CtrlF4OnTheList());
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_EQ(Messages()[2], SaveQuestion());
  EXPECT_TRUE(Projects().empty());
  EXPECT_DOUBLE_EQ(SavedFirstUnitX(), m_nudgedX);
}

// Windows destroyed directly, the Workbench last, leave nothing to keep the project open in: its
// going still offers the edited design for storing and the project for saving.
TEST_F(WbListCloseTest, AProjectWhoseLastWindowIsDestroyedAloneStillAsks)
{
  service.messageAnswers = {IDYES, IDYES};
  ListFrame()->DestroyWindow();
  Pump();
  ASSERT_EQ(Projects().size(), 1u);
  EXPECT_TRUE(Messages().empty());
  Frame()->DestroyWindow();
  Pump();
  ExpectStoredSavedAndClosed();
}
