// The small dialogs: the resizing thresholds keep to their ranges, the naming dialog refuses a
// blank name and trims the one typed, the database dialog shows the six version texts, and the
// keyboard leaves the multi-line Notes field with Tab as it leaves every other field.
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Appdlgs.h"
#include "app/Dlgids.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "project/Docver.h"
#include "project/Projdata.h"
#include "ui/dlg/Dialog.h"

namespace {
class DialogsTest : public ShellTest
{
protected:
  void SetUp() override
  {
    ShellTest::SetUp();
    ASSERT_TRUE(Start());
  }

  // Types the two thresholds and presses OK; TRUE when the dialog ended.
  void TuneTo(const char* milliseconds, const char* inches, bool* ended)
  {
    OnNextDialog([=](CDialog& dialog) {
      SetControlText(dialog, IDC_RESIZE_TIME, milliseconds);
      SetControlText(dialog, IDC_RESIZE_DISTANCE, inches);
      ClickButton(dialog, IDOK);
      *ended = dialog.HasEnded() == TRUE;
    });
    Command(ID_PERFORMANCE_TUNING);
  }
};

// The widget of a dialog's control.
template <class Widget>
Widget* ControlWidget(CWnd& dialog, int nID)
{
  CWnd* pControl = dialog.GetDlgItem(nID);
  return pControl ? qobject_cast<Widget*>(pControl->m_hWnd) : nullptr;
}

// The widget that has the keyboard in the dialog's window.
QWidget* Focused(CDialog& dialog) { return dialog.GetSafeHwnd()->window()->focusWidget(); }
}  // namespace

TEST_F(DialogsTest, PerformanceTuningTakesTheLimitsAndRefusesBeyondThem)
{
  bool ended = false;
  TuneTo("2000", "24.0", &ended);
  EXPECT_TRUE(ended);
  EXPECT_EQ(ShellApp().GetResizeTimeThreshold(), 2000);
  EXPECT_DOUBLE_EQ(ShellApp().GetResizeDistanceThreshold(), 24.0);

  TuneTo("2001", "1.5", &ended);
  EXPECT_FALSE(ended);
  TuneTo("150", "24.5", &ended);
  EXPECT_FALSE(ended);
  EXPECT_EQ(ShellApp().GetResizeTimeThreshold(), 2000) << "a refused dialog changes nothing";
  EXPECT_EQ(service.messages.size(), 2u);

  OnNextDialog([](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_RESIZE_TIME), "2000") << "it shows the current thresholds";
    ClickButton(dialog, IDCANCEL);
  });
  Command(ID_PERFORMANCE_TUNING);
}

TEST_F(DialogsTest, StoreNewDesignRefusesBlanksAndTrimsTheName)
{
  OnNextDialog([](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_NEW_DESIGN_NAME), "Unit Type A");
    SetControlText(dialog, IDC_NEW_DESIGN_NAME, "    ");
    ClickButton(dialog, IDOK);
    EXPECT_FALSE(dialog.HasEnded());
    SetControlText(dialog, IDC_NEW_DESIGN_NAME, "  Porch  ");
    ClickButton(dialog, IDOK);
  });
  CString name = "Unit Type A";
  EXPECT_TRUE(AskNewDesignName(name, TRUE));
  EXPECT_EQ(name, "Porch");
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, "The name cannot be blank.");
  EXPECT_EQ(service.messages[0].caption, "Error");
  EXPECT_EQ(service.messages[0].type, UINT{MB_OK | MB_ICONEXCLAMATION});
}

TEST_F(DialogsTest, RenameDesignRefusesABlankNewNameAndTrimsTheOneTyped)
{
  CRenameDesignDlg rename;
  rename.m_strCurrentName = "Den";
  OnNextDialog([](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_CURRENT_NAME), "Den");
    SetControlText(dialog, IDC_NEW_NAME, " \t ");
    ClickButton(dialog, IDOK);
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(ControlText(dialog, IDC_NEW_NAME), "") << "the field shows the name as taken";
    SetControlText(dialog, IDC_NEW_NAME, " Bay Window ");
    ClickButton(dialog, IDOK);
  });
  EXPECT_EQ(rename.DoModal(), IDOK);
  EXPECT_EQ(rename.m_strNewName, "Bay Window");
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, "The new name cannot be blank.");
}

TEST_F(DialogsTest, StoreNewDesignWithoutCancelHasNoWorkingCancelButton)
{
  OnNextDialog([](CDialog& dialog) {
    EXPECT_FALSE(dialog.GetDlgItem(IDCANCEL)->IsWindowEnabled());
    ClickButton(dialog, IDCANCEL);
    EXPECT_FALSE(dialog.HasEnded());
    ClickButton(dialog, IDOK);
  });
  CString name = "Unit Type B";
  EXPECT_TRUE(AskNewDesignName(name, FALSE));
  EXPECT_EQ(name, "Unit Type B");
}

TEST_F(DialogsTest, TheDatabaseDialogShowsTheProjectsAndTheApplicationsTexts)
{
  CDocVersion version;
  CString appDataVersion = ShellApp().GetProductDataVersion();
  OnNextDialog([&](CDialog& dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_PROJECT_DATA_VERSION), version.GetProductDataVersion());
    EXPECT_EQ(ControlText(dialog, IDC_PROJECT_SPEC_VERSION), version.GetSpecificationVersion());
    EXPECT_EQ(ControlText(dialog, IDC_PROJECT_DATE_POPULATED), version.GetDatePopulated());
    EXPECT_EQ(ControlText(dialog, IDC_APP_DATA_VERSION), appDataVersion);
    EXPECT_EQ(ControlText(dialog, IDC_APP_SPEC_VERSION), ShellApp().GetSpecificationVersion());
    EXPECT_EQ(ControlText(dialog, IDC_APP_DATE_POPULATED), ShellApp().GetDatePopulated());
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, "Product Database Information");
    ClickButton(dialog, IDOK);
  });
  ShowDbVersionDialog(version);
  EXPECT_TRUE(service.dialogActions.empty());
  EXPECT_FALSE(appDataVersion.IsEmpty());
}

TEST_F(DialogsTest, TabLeavesTheNotesFieldAndCtrlTabTypesATab)
{
  CDoc* pDoc = ActiveProject();
  bool seen = false;
  OnNextDialog([&](CDialog& dialog) {
    auto* notes = ControlWidget<QPlainTextEdit>(dialog, IDC_PROJECT_NOTES);
    auto* ok = ControlWidget<QPushButton>(dialog, IDOK);
    ASSERT_NE(notes, nullptr);
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.GetSafeHwnd()->window()));
    QTest::mouseClick(notes->viewport(), Qt::LeftButton);
    ASSERT_EQ(Focused(dialog), notes);
    QTest::keyClicks(notes, "Bay");
    QTest::keyClick(notes, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(notes, "window");
    EXPECT_EQ(notes->toPlainText(), QString("Bay\twindow")) << "Ctrl+Tab types the tab";
    QTest::keyClick(notes, Qt::Key_Tab);
    EXPECT_EQ(Focused(dialog), ok) << "Tab goes on to the next control";
    EXPECT_EQ(notes->toPlainText(), QString("Bay\twindow")) << "and types nothing";
    QTest::keyClick(ok, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(dialog), notes) << "Shift+Tab comes back";
    seen = true;
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  ClickDesignListButton(pDoc, ID_PROJECT_INFORMATION);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(service.dialogActions.empty());
  EXPECT_EQ(pDoc->GetProjectData().GetNotes(), "Bay\twindow");
}
