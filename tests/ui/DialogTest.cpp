// Guards dialogs built from templates: modal runs through the dialog service, data exchange
// with its refusal messages (the whole typed text judged, a refused field left as typed, the
// keyboard taken back to it only while somebody is asked and no window goes), Enter and Esc
// (the default button keeping Enter when a focused button greys itself), radio groups, sorted list boxes (their lines of one height, the one selected last
// in view, an empty one marking the keyboard on its first line) and combo boxes, the frame a
// dialog opens in, and group boxes painted again from what they drew.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QScrollBar>
#include <QTest>

#include "TestApp.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DataExch.h"
#include "ui/dlg/Ddx.h"
#include "ui/dlg/Dialog.h"
#include "ui/wnd/Resource.h"

namespace {
enum : UINT
{
  IDD_TEST = 7400,
  IDC_NAME = 7401,
  IDC_COUNT = 7402,
  IDC_RATIO = 7403,
  IDC_CHECK = 7404,
  IDC_R1 = 7405,
  IDC_R2 = 7406,
  IDC_R3 = 7407,
  IDC_LIST = 7408,
  IDC_COMBO = 7409,
  IDD_LENGTH = 7420,
  IDC_LENGTH = 7421,
  IDC_ABOVE = 7422,
  IDC_BELOW = 7423,
  IDD_STEPS = 7430,
  IDC_STEP = 7431,
  IDC_OTHER = 7432,
  IDD_BOXED = 7440,
  IDC_BOX = 7441,
  IDC_BOXED = 7442
};

void RegisterTemplates()
{
  CDialogTemplate test;
  test.caption = "Test";
  test.size = CSize(200, 160);
  test.items = {
      {CDlgCtl::Edit, IDC_NAME, "", CRect(5, 5, 100, 17)},
      {CDlgCtl::Edit, IDC_COUNT, "", CRect(5, 20, 100, 32)},
      {CDlgCtl::Edit, IDC_RATIO, "", CRect(5, 35, 100, 47)},
      {CDlgCtl::CheckBox, IDC_CHECK, "&Check", CRect(5, 50, 100, 62)},
      {CDlgCtl::RadioButton, IDC_R1, "One", CRect(5, 65, 60, 77), WS_GROUP},
      {CDlgCtl::RadioButton, IDC_R2, "Two", CRect(5, 80, 60, 92)},
      {CDlgCtl::RadioButton, IDC_R3, "Three", CRect(5, 95, 60, 107)},
      {CDlgCtl::ListBox, IDC_LIST, "", CRect(110, 5, 190, 60), LBS_SORT | LBS_NOTIFY},
      {CDlgCtl::ComboBox,
       IDC_COMBO,
       "",
       CRect(110, 65, 190, 77),
       CBS_DROPDOWNLIST,
       {"Centered", "Face of frame", "Installation Flange"}},
      {CDlgCtl::DefPushButton, IDOK, "OK", CRect(110, 130, 145, 144)},
      {CDlgCtl::PushButton, IDCANCEL, "Cancel", CRect(150, 130, 190, 144)},
  };
  CResources::Get().AddDialog(IDD_TEST, test);
  CDialogTemplate length;
  length.caption = "Length";
  length.size = CSize(120, 50);
  length.items = {{CDlgCtl::RadioButton, IDC_ABOVE, "Above", CRect(5, 60, 60, 70)},
                  {CDlgCtl::Edit, IDC_LENGTH, "", CRect(5, 5, 100, 17)},
                  {CDlgCtl::RadioButton, IDC_BELOW, "Below", CRect(60, 60, 110, 70)},
                  {CDlgCtl::DefPushButton, IDOK, "OK", CRect(5, 30, 50, 44)},
                  {CDlgCtl::PushButton, IDCANCEL, "Cancel", CRect(60, 30, 110, 44)}};
  CResources::Get().AddDialog(IDD_LENGTH, length);
  CDialogTemplate steps;
  steps.caption = "Steps";
  steps.size = CSize(120, 50);
  steps.items = {{CDlgCtl::PushButton, IDC_STEP, "Step", CRect(5, 5, 50, 19)},
                 {CDlgCtl::PushButton, IDC_OTHER, "Other", CRect(60, 5, 110, 19)},
                 {CDlgCtl::DefPushButton, IDOK, "OK", CRect(5, 30, 50, 44)},
                 {CDlgCtl::PushButton, IDCANCEL, "Cancel", CRect(60, 30, 110, 44)}};
  CResources::Get().AddDialog(IDD_STEPS, steps);
  CDialogTemplate boxed;
  boxed.caption = "Boxed";
  boxed.size = CSize(120, 50);
  boxed.items = {{CDlgCtl::GroupBox, IDC_BOX, "Project Information", CRect(5, 5, 115, 45)},
                 {CDlgCtl::Edit, IDC_BOXED, "Name", CRect(12, 18, 108, 30)}};
  CResources::Get().AddDialog(IDD_BOXED, boxed);
}

class CTestDlg : public CDialog
{
public:
  CTestDlg() : CDialog(IDD_TEST) {}
  CString name = "Kitchen";
  int count = 5;
  double ratio = 0.5;
  int check = 1;
  int radio = 1;
  int combo = 2;
  CListBox list;
  int selChanges = 0;

protected:
  void DoDataExchange(CDataExchange* pDX) override
  {
    DDX_Control(pDX, IDC_LIST, list);
    DDX_Text(pDX, IDC_NAME, name);
    DDX_Text(pDX, IDC_COUNT, count);
    DDV_MinMaxInt(pDX, count, 0, 2000);
    DDX_Text(pDX, IDC_RATIO, ratio);
    DDV_MinMaxDouble(pDX, ratio, 0.0, 24.0);
    DDX_Check(pDX, IDC_CHECK, check);
    DDX_Radio(pDX, IDC_R1, radio);
    DDX_CBIndex(pDX, IDC_COMBO, combo);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
  {
    if (LOWORD(wParam) == IDC_LIST && HIWORD(wParam) == LBN_SELCHANGE)
      ++selChanges;
    return CDialog::OnCommand(wParam, lParam);
  }
};

class CLengthDlg : public CDialog
{
public:
  CLengthDlg() : CDialog(IDD_LENGTH) {}
  double length = 65.5;

protected:
  void DoDataExchange(CDataExchange* pDX) override
  {
    DDX_Length(pDX, IDC_LENGTH, length);
    DDV_Length(pDX, length, 12.0, 120.0);
  }
};

// Step greys itself when pressed, as Move Up does at the top of its list.
class CStepDlg : public CDialog
{
public:
  CStepDlg() : CDialog(IDD_STEPS) {}
  int steps = 0;
  int others = 0;

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
  {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_STEP) {
      ++steps;
      GetDlgItem(IDC_STEP)->EnableWindow(FALSE);
      return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_OTHER) {
      ++others;
      return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
  }
};

// Checks its values as it goes, as a bar's field does whose window is destroyed with the keyboard
// in it.
class CCheckedAsItGoesDlg : public CTestDlg
{
public:
  bool refused = false;
  bool keyboardInTheRefusedField = false;

protected:
  void OnDestroy() override
  {
    refused = !UpdateData(TRUE);
    keyboardInTheRefusedField = GetDlgItem(IDC_COUNT)->m_hWnd->hasFocus();
    CTestDlg::OnDestroy();
  }
};

int g_units = 0;
int Units() { return g_units; }

class DialogTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    RegisterTemplates();
    SetLengthUnitsSource(&Units);
    g_units = 0;
  }
  void TearDown() override
  {
    SetLengthUnitsSource(nullptr);
    UiTest::TearDown();
  }
};

CString Text(CDialog& dlg, int id)
{
  CString text;
  dlg.GetDlgItemText(id, text);
  return text;
}

void Click(CDialog& dlg, int id) { dynamic_cast<CButton*>(dlg.GetDlgItem(id))->Click(); }

QLineEdit* Field(CDialog& dlg, int id) { return qobject_cast<QLineEdit*>(dlg.GetDlgItem(id)->m_hWnd); }

// Types over the field's text with real keys, as the user does.
void Type(CDialog& dlg, int id, const std::string& text)
{
  QLineEdit* field = Field(dlg, id);
  field->setFocus();
  Pump();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, QString::fromStdString(text));
}
// The largest difference of one colour channel between two pictures of one size; a drawing kept
// and then laid on its background may round a blended edge by one.
int LargestDifference(const QImage& a, const QImage& b)
{
  if (a.size() != b.size())
    return 256;
  const QImage first = a.convertToFormat(QImage::Format_ARGB32);
  const QImage second = b.convertToFormat(QImage::Format_ARGB32);
  int largest = 0;
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x) {
      const QRgb p = first.pixel(x, y);
      const QRgb q = second.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    }
  return largest;
}
}  // namespace

TEST_F(DialogTest, ModalRunLoadsTheControlsAndOkSavesThem)
{
  CTestDlg dlg;
  service.dialogActions.push_back([](CDialog& d) {
    EXPECT_EQ(Text(d, IDC_NAME), CString("Kitchen"));
    EXPECT_EQ(Text(d, IDC_COUNT), CString("5"));
    EXPECT_EQ(Text(d, IDC_RATIO), CString("0.5"));
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_R2), 1u);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_CHECK), 1u);
    d.SetDlgItemText(IDC_NAME, "Porch");
    d.SetDlgItemText(IDC_COUNT, " 2000 ");
    d.SetDlgItemText(IDC_RATIO, "24");
    Click(d, IDC_R3);
    Click(d, IDC_CHECK);
    dynamic_cast<CComboBox*>(d.GetDlgItem(IDC_COMBO))->Choose(0);
    Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.name, CString("Porch"));
  EXPECT_EQ(dlg.count, 2000);
  EXPECT_DOUBLE_EQ(dlg.ratio, 24.0);
  EXPECT_EQ(dlg.radio, 2);
  EXPECT_EQ(dlg.check, 0);
  EXPECT_EQ(dlg.combo, 0);
  EXPECT_TRUE(service.messages.empty());
}

TEST_F(DialogTest, RefusedValuesKeepTheDialogOpenWithTheirMessages)
{
  CTestDlg dlg;
  service.dialogActions.push_back([](CDialog& d) {
    d.SetDlgItemText(IDC_COUNT, "12a");
    Click(d, IDOK);
    EXPECT_FALSE(d.HasEnded());
    d.SetDlgItemText(IDC_COUNT, "2001");
    Click(d, IDOK);
    EXPECT_FALSE(d.HasEnded());
    d.SetDlgItemText(IDC_COUNT, "7");
    d.SetDlgItemText(IDC_RATIO, "24.5");
    Click(d, IDOK);
    EXPECT_FALSE(d.HasEnded());
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ASSERT_EQ(service.messages.size(), 3u);
  EXPECT_EQ(service.messages[0].text, CString("Please enter an integer."));
  EXPECT_EQ(service.messages[1].text, CString("Please enter an integer between 0 and 2000."));
  EXPECT_EQ(service.messages[2].text, CString("Please enter a number between 0 and 24."));
  EXPECT_EQ(service.messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  // Values exchanged before the refused one have been taken, as with the class library.
  EXPECT_EQ(dlg.count, 7);
  EXPECT_DOUBLE_EQ(dlg.ratio, 24.5);
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscapeCancels)
{
  CTestDlg ok;
  service.dialogActions.push_back([](CDialog& d) {
    d.SetDlgItemText(IDC_NAME, "Den");
    PostKey(d.GetDlgItem(IDC_NAME)->m_hWnd, QEvent::KeyPress, Qt::Key_Return);
    Pump();
  });
  EXPECT_EQ(ok.DoModal(), IDOK);
  EXPECT_EQ(ok.name, CString("Den"));

  CTestDlg cancel;
  service.dialogActions.push_back([](CDialog& d) {
    d.SetDlgItemText(IDC_NAME, "Hall");
    PostKey(d.GetDlgItem(IDC_NAME)->m_hWnd, QEvent::KeyPress, Qt::Key_Escape);
    Pump();
  });
  EXPECT_EQ(cancel.DoModal(), IDCANCEL);
  EXPECT_EQ(cancel.name, CString("Kitchen"));
  EXPECT_EQ(service.dialogsLeftOpen, 0);
}

TEST_F(DialogTest, SortedListSortsWithoutRegardToCaseAndNotifiesOnlyUserChanges)
{
  CTestDlg dlg;
  service.dialogActions.push_back([&dlg](CDialog& d) {
    CListBox& list = dlg.list;
    list.AddString("beta");
    list.AddString("Alpha");
    list.AddString("gamma");
    EXPECT_EQ(list.AddString("ALPHA2"), 1);
    CString text;
    list.GetText(0, text);
    EXPECT_EQ(text, CString("Alpha"));
    list.GetText(3, text);
    EXPECT_EQ(text, CString("gamma"));
    EXPECT_EQ(list.FindStringExact(-1, "BETA"), 2);
    EXPECT_EQ(list.FindStringExact(-1, "bet"), LB_ERR);
    // Searches start after the given item and wrap round; FindString matches the start of a text.
    EXPECT_EQ(list.FindStringExact(2, "alpha"), 0);
    EXPECT_EQ(list.FindString(-1, "al"), 0);
    EXPECT_EQ(list.FindString(0, "AL"), 1);
    EXPECT_EQ(list.FindString(1, "al"), 0);
    EXPECT_EQ(list.FindString(-1, "alphabet"), LB_ERR);
    EXPECT_EQ(list.SelectString(-1, "GAM"), 3);
    EXPECT_EQ(list.SelectString(-1, "delta"), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), 3);
    list.SetItemData(2, 77);
    EXPECT_EQ(list.GetItemData(2), 77u);
    EXPECT_EQ(list.SetCurSel(3), 3);
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_EQ(list.SendMessage(LB_GETCOUNT), 4);
    EXPECT_EQ(dlg.selChanges, 0);
    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(d.GetDlgItem(IDC_LIST), &list);
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// A line added and selected at the end of a long list is scrolled into view; every line has the
// one height, and a line wider than the list is cut at its edge rather than scrolled to.
TEST_F(DialogTest, ALineAddedAndSelectedAtTheEndOfALongListIsInView)
{
  CTestDlg dlg;
  service.dialogActions.push_back([&dlg](CDialog& d) {
    CListBox& list = dlg.list;
    for (int i = 0; i < 300; ++i)
      list.AddString(CString::Formatted("Line %04d", i));
    const int last = list.AddString("Line 9999 with a name much wider than the list can show");
    EXPECT_EQ(list.SetCurSel(last), last);
    Pump();
    auto* widget = static_cast<QListWidget*>(list.m_hWnd);
    const QRect shown = widget->visualItemRect(widget->item(last));
    EXPECT_GE(shown.top(), 0) << "the selected line is in view";
    EXPECT_LE(shown.bottom(), widget->viewport()->height());
    EXPECT_EQ(shown.left(), 0) << "the wide line starts at the list's left edge";
    EXPECT_EQ(shown.height(), widget->visualItemRect(widget->item(0)).height());
    EXPECT_FALSE(widget->horizontalScrollBar()->isVisible());
    EXPECT_EQ(list.GetCurSel(), last);
    EXPECT_EQ(dlg.selChanges, 0) << "only the user's changes notify";
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// An empty list keeps its Tab stop and shows that it has the keyboard: a focus rectangle on its
// first line, as a list box draws one with no line to mark.
TEST_F(DialogTest, AnEmptyListTakesItsTabStopAndMarksTheFocusOnItsFirstLine)
{
  CTestDlg dlg;
  service.dialogActions.push_back([&dlg](CDialog& d) {
    auto* list = static_cast<QListWidget*>(dlg.list.m_hWnd);
    QWidget* combo = d.GetDlgItem(IDC_COMBO)->m_hWnd;
    ASSERT_EQ(list->count(), 0);
    combo->setFocus(Qt::TabFocusReason);
    Pump();
    const QImage idle = list->grab().toImage();
    QTest::keyClick(combo, Qt::Key_Backtab, Qt::ShiftModifier);
    Pump();
    ASSERT_EQ(QApplication::focusWidget(), list) << "Shift+Tab from the combo box stops at the list";
    const QImage focused = list->grab().toImage();
    QRect changed;
    for (int y = 0; y < idle.height(); ++y)
      for (int x = 0; x < idle.width(); ++x)
        if (idle.pixel(x, y) != focused.pixel(x, y))
          changed |= QRect(x, y, 1, 1);
    EXPECT_FALSE(changed.isEmpty()) << "the list shows nothing of the keyboard";
    QTest::keyClick(list, Qt::Key_Tab);
    Pump();
    EXPECT_EQ(list->grab().toImage(), idle) << "the mark goes with the keyboard";
    dlg.list.AddString("Kitchen");
    const QRect line = list->visualItemRect(list->item(0)).translated(list->viewport()->pos());
    EXPECT_TRUE(line.contains(changed)) << "the mark lies on the first line";
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, ComboBoxTakesItsInitialItemsAndReportsTheUsersChoice)
{
  CTestDlg dlg;
  service.dialogActions.push_back([](CDialog& d) {
    auto* combo = dynamic_cast<CComboBox*>(d.GetDlgItem(IDC_COMBO));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 3);
    EXPECT_EQ(combo->GetCurSel(), 2);
    CString text;
    combo->GetLBText(1, text);
    EXPECT_EQ(text, CString("Face of frame"));
    EXPECT_EQ(combo->FindStringExact(-1, "centered"), 0);
    EXPECT_EQ(combo->FindStringExact(0, "CENTERED"), 0);
    EXPECT_EQ(combo->FindStringExact(-1, "Face"), CB_ERR);
    EXPECT_EQ(combo->SelectString(1, "c"), 0);
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(combo->SelectString(-1, "Installation Flanges"), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), 0);
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, LengthFieldRefusesTextThatIsNoLengthAndKeepsTheValue)
{
  CLengthDlg dlg;
  service.dialogActions.push_back([](CDialog& d) {
    EXPECT_EQ(Text(d, IDC_LENGTH), CString("5'-5 1/2\""));
    d.SetDlgItemText(IDC_LENGTH, "five feet");
    Click(d, IDOK);
    EXPECT_FALSE(d.HasEnded());
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("Please enter a valid measurement."));
  EXPECT_EQ(service.messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_DOUBLE_EQ(dlg.length, 65.5);
}

TEST_F(DialogTest, AnEmptiedLengthFieldIsNoLengthInEitherUnits)
{
  for (int units : {0, 3}) {
    g_units = units;
    service.messages.clear();
    CLengthDlg dlg;
    dlg.length = 65.5;
    service.dialogActions.push_back([](CDialog& d) {
      for (const char* blank : {"", "   "}) {
        d.SetDlgItemText(IDC_LENGTH, blank);
        Click(d, IDOK);
        EXPECT_FALSE(d.HasEnded());
      }
      Click(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(service.messages.size(), 2u);
    EXPECT_EQ(service.messages[1].text, CString("Please enter a valid measurement."));
    EXPECT_DOUBLE_EQ(dlg.length, 65.5);
  }
}

// The converter reads a lone sign or point as 0, and "--5" as minus five inches with no feet:
// the field refuses them, in either units, and keeps them selected for the next key.
TEST_F(DialogTest, ASignOrPointWithoutAMeasurementIsNoLengthInEitherUnits)
{
  for (int units : {0, 3}) {
    SCOPED_TRACE(units);
    g_units = units;
    service.messages.clear();
    const std::vector<std::string> refused = {".", "-", "--5", "+", "-.", " - ", "- -5", "-.'5"};
    CLengthDlg dlg;
    dlg.length = 65.5;
    service.dialogActions.push_back([&](CDialog& d) {
      for (const std::string& text : refused) {
        Type(d, IDC_LENGTH, text);
        Click(d, IDOK);
        ASSERT_FALSE(d.HasEnded()) << text;
        EXPECT_EQ(Field(d, IDC_LENGTH)->selectedText().toStdString(), text);
      }
      // A sign before a point and a figure is a length, judged by its range.
      if (units == 0) {
        Type(d, IDC_LENGTH, "- .5");
        Click(d, IDOK);
        ASSERT_FALSE(d.HasEnded());
      }
      Type(d, IDC_LENGTH, units == 0 ? "2'-.5" : "622.3");
      Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(service.messages.size(), refused.size() + (units == 0 ? 1 : 0));
    for (size_t i = 0; i < refused.size(); ++i)
      EXPECT_EQ(service.messages[i].text, CString("Please enter a valid measurement.")) << refused[i];
    if (units == 0) {
      EXPECT_EQ(service.messages.back().text, CString("Please enter a measurement between 1'-0\" and 10'-0\"."));
    }
    EXPECT_NEAR(dlg.length, 24.5, 1e-9);
  }
}

TEST_F(DialogTest, LengthOutOfRangeShowsTheLimitsInTheUsersUnits)
{
  g_units = 3;
  CLengthDlg dlg;
  service.dialogActions.push_back([](CDialog& d) {
    EXPECT_EQ(Text(d, IDC_LENGTH), CString("1663.7"));
    d.SetDlgItemText(IDC_LENGTH, "10000");
    Click(d, IDOK);
    EXPECT_FALSE(d.HasEnded());
    d.SetDlgItemText(IDC_LENGTH, "3000");
    Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, CString("Please enter a measurement between 305 and 3048."));
  EXPECT_EQ(service.messages[0].helpId, 5022u);
  EXPECT_NEAR(dlg.length, 3000 / 25.4, 1e-9);
}

// However long the typed text, all of it is judged; a refused length stays in its field as typed,
// selected, so the next key replaces it.
TEST_F(DialogTest, ALengthIsJudgedByAllItsTextAndARefusedOneStaysAsTyped)
{
  const std::vector<std::string> refused = {"6" + std::string(35, ' ') + "x", "-3", std::string(40, '9')};
  CLengthDlg dlg;
  service.dialogActions.push_back([&](CDialog& d) {
    for (const std::string& text : refused) {
      Type(d, IDC_LENGTH, text);
      Click(d, IDOK);
      ASSERT_FALSE(d.HasEnded()) << text;
      EXPECT_EQ(Field(d, IDC_LENGTH)->text().toStdString(), text);
      EXPECT_EQ(QApplication::focusWidget(), Field(d, IDC_LENGTH)) << text;
      EXPECT_EQ(Field(d, IDC_LENGTH)->selectedText().toStdString(), text);
    }
    Type(d, IDC_LENGTH, "00000000000000000000000000000000000054");
    Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ASSERT_EQ(service.messages.size(), 3u);
  EXPECT_EQ(service.messages[0].text, CString("Please enter a valid measurement."));
  EXPECT_EQ(service.messages[1].text, CString("Please enter a measurement between 1'-0\" and 10'-0\"."));
  EXPECT_EQ(service.messages[2].text, service.messages[1].text);
  EXPECT_DOUBLE_EQ(dlg.length, 54.0);
}

// An integer past 32 bits meets the range check as the number typed, not wrapped; a number field
// takes decimal figures only and shows the value it took.
TEST_F(DialogTest, NumberFieldsTakeOnlyDecimalFiguresAndJudgeThemWhole)
{
  const std::vector<std::string> counts = {"4294967301", "2147483648", "-4294967296"};
  const std::vector<std::string> ratios = {"0x10", "1e1", "inf", "nan", ".", "1.2.3"};
  CTestDlg dlg;
  service.dialogActions.push_back([&](CDialog& d) {
    for (const std::string& text : counts) {
      Type(d, IDC_COUNT, text);
      Click(d, IDOK);
      ASSERT_FALSE(d.HasEnded()) << text;
      EXPECT_EQ(Field(d, IDC_COUNT)->text().toStdString(), text);
    }
    Type(d, IDC_COUNT, "7");
    for (const std::string& text : ratios) {
      Type(d, IDC_RATIO, text);
      Click(d, IDOK);
      ASSERT_FALSE(d.HasEnded()) << text;
      EXPECT_EQ(Field(d, IDC_RATIO)->selectedText().toStdString(), text);
    }
    Type(d, IDC_RATIO, "+010.50");
    EXPECT_TRUE(d.UpdateData(TRUE));
    EXPECT_EQ(Field(d, IDC_RATIO)->text(), QString("10.5"));
    Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ASSERT_EQ(service.messages.size(), counts.size() + ratios.size());
  for (size_t i = 0; i < service.messages.size(); ++i)
    EXPECT_EQ(service.messages[i].text,
              CString(i < counts.size() ? "Please enter an integer between 0 and 2000." : "Please enter a number."))
        << i;
  EXPECT_EQ(dlg.count, 7);
  EXPECT_DOUBLE_EQ(dlg.ratio, 10.5);
}

TEST_F(DialogTest, CheckRadioButtonClearsButtonsThatOtherControlsSeparate)
{
  CLengthDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_LENGTH));
  dlg.CheckRadioButton(IDC_ABOVE, IDC_BELOW, IDC_ABOVE);
  Click(dlg, IDC_BELOW);
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_BELOW), static_cast<UINT>(BST_CHECKED));
  dlg.CheckRadioButton(IDC_ABOVE, IDC_BELOW, IDC_ABOVE);
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_ABOVE), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_BELOW), static_cast<UINT>(BST_UNCHECKED)) << "only one of the pair is checked";
  EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_ABOVE, IDC_BELOW), static_cast<int>(IDC_ABOVE));
  dlg.DestroyWindow();
}

// A dialog has a caption and a close box, nothing to minimise or maximise it with, and keeps the
// size its template gives it.
TEST_F(DialogTest, ADialogKeepsItsSizeAndOffersNoBoxToMinimiseOrMaximiseIt)
{
  for (const BOOL modal : {TRUE, FALSE}) {
    CTestDlg dlg;
    QSize opened;
    QSize afterResize;
    Qt::WindowFlags flags;
    const auto look = [&](CDialog& d) {
      QWidget* window = d.GetOuterHandle();
      flags = window->windowFlags();
      opened = window->size();
      window->resize(opened + QSize(200, 120));
      afterResize = window->size();
    };
    if (modal) {
      service.dialogActions.push_back([&](CDialog& d) {
        look(d);
        d.EndDialog(IDCANCEL);
      });
      EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    } else {
      ASSERT_TRUE(dlg.Create(IDD_TEST));
      look(dlg);
      dlg.DestroyWindow();
    }
    // The window manager is told which boxes there are, rather than left to its defaults.
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << modal;
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint)) << modal;
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << modal;
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint)) << modal;
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint)) << modal;
    EXPECT_FALSE(opened.isEmpty()) << modal;
    EXPECT_EQ(afterResize, opened) << modal;
  }
}

TEST_F(DialogTest, ModelessDialogStaysUntilDestroyed)
{
  CTestDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_TEST));
  EXPECT_TRUE(dlg.IsWindowVisible());
  EXPECT_EQ(Text(dlg, IDC_NAME), CString("Kitchen"));
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  CDialog missing(9999);
  EXPECT_EQ(missing.DoModal(), -1);
}

namespace {
// A modeless test dialog in front, the keyboard in its name and its count refused.
void ShowWithARefusedCount(CTestDlg& dlg)
{
  ASSERT_TRUE(dlg.Create(IDD_TEST));
  dlg.m_hWnd->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.m_hWnd));
  dlg.SetDlgItemText(IDC_COUNT, "12a");
  Field(dlg, IDC_NAME)->setFocus();
  Pump();
  ASSERT_EQ(QApplication::focusWidget(), Field(dlg, IDC_NAME));
}
}  // namespace

// A refused value takes the keyboard to its field only where somebody is asked about it: while
// nobody is (the end of the session by a signal) the keyboard stays where it is.
TEST_F(DialogTest, ARefusedValueMovesTheKeyboardNowhereWhileNobodyIsAsked)
{
  CTestDlg dlg;
  ASSERT_NO_FATAL_FAILURE(ShowWithARefusedCount(dlg));
  {
    const CUnaskedScope unasked;
    EXPECT_FALSE(dlg.UpdateData(TRUE));
  }
  EXPECT_EQ(QApplication::focusWidget(), Field(dlg, IDC_NAME))
      << "a refusal that nobody was asked about took the keyboard to the refused field";
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  EXPECT_EQ(QApplication::focusWidget(), Field(dlg, IDC_COUNT)) << "asked, the refusal takes the keyboard there";
  dlg.DestroyWindow();
}

// Nor while windows are being destroyed, whose focus changes would check the field again.
TEST_F(DialogTest, ARefusedValueMovesTheKeyboardNowhereWhileWindowsAreDestroyed)
{
  CCheckedAsItGoesDlg dlg;
  ASSERT_NO_FATAL_FAILURE(ShowWithARefusedCount(dlg));
  dlg.DestroyWindow();
  EXPECT_TRUE(dlg.refused);
  EXPECT_FALSE(dlg.keyboardInTheRefusedField)
      << "a refusal while its window was being destroyed took the keyboard to the refused field";
}

// A focused button that greys itself passes the focus on to the next tab stop, and Return still
// presses the default button, not the button that took the focus; once the user moves the focus
// there, Return presses it.
TEST_F(DialogTest, AFocusedButtonThatGreysItselfLeavesReturnToTheDefaultButton)
{
  const auto press = [](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    PostKey(focus, QEvent::KeyPress, key, modifiers);
    PostKey(focus, QEvent::KeyRelease, key, modifiers);
    Pump();
  };
  const auto pressStep = [&press](CDialog& d) {
    d.GetDlgItem(IDC_STEP)->SetFocus();
    Pump();
    press(Qt::Key_Space);
    EXPECT_FALSE(d.GetDlgItem(IDC_STEP)->IsWindowEnabled());
    EXPECT_EQ(QApplication::focusWidget(), d.GetDlgItem(IDC_OTHER)->m_hWnd) << "the next tab stop";
  };
  CStepDlg ok;
  service.dialogActions.push_back([&](CDialog& d) {
    pressStep(d);
    press(Qt::Key_Return);
  });
  EXPECT_EQ(ok.DoModal(), IDOK);
  EXPECT_EQ(ok.steps, 1);
  EXPECT_EQ(ok.others, 0);

  CStepDlg chosen;
  service.dialogActions.push_back([&](CDialog& d) {
    pressStep(d);
    press(Qt::Key_Tab);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), d.GetDlgItem(IDC_OTHER)->m_hWnd);
    press(Qt::Key_Return);
    EXPECT_FALSE(d.HasEnded());
    d.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(chosen.DoModal(), IDCANCEL);
  EXPECT_EQ(chosen.others, 1);
  EXPECT_EQ(service.dialogsLeftOpen, 0);
}

// A group box painted again, as beneath a field's blinking text cursor, shows what the style drew
// and does not ask the style again: the style's group-box frame looks its picture up by the
// file's time, a conversion to local time each time. A change of its title is drawn anew.
TEST_F(DialogTest, AGroupBoxPaintedAgainShowsWhatTheStyleDrewWithoutDrawingAgain)
{
  class CCountingStyle : public QProxyStyle
  {
  public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
      groupBoxes += control == CC_GroupBox ? 1 : 0;
      QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    mutable int groupBoxes = 0;
  };
  CDialog dlg(IDD_BOXED);
  ASSERT_TRUE(dlg.Create(IDD_BOXED));
  auto* box = qobject_cast<QGroupBox*>(dlg.GetDlgItem(IDC_BOX)->m_hWnd);
  ASSERT_NE(box, nullptr);
  CCountingStyle style;
  box->setStyle(&style);
  // The toolkit's own group box beside it, alike in all but the drawing kept.
  QGroupBox alike(box->title(), box->parentWidget());
  alike.setStyle(&style);
  alike.setGeometry(box->geometry());
  alike.show();
  const QImage expected = alike.grab().toImage();

  style.groupBoxes = 0;
  const QImage first = box->grab().toImage();
  EXPECT_EQ(style.groupBoxes, 1);
  EXPECT_LE(LargestDifference(first, expected), 1) << "the box as the style draws it";
  const QRect cursor(box->width() / 2, box->height() / 2, 2, 12);
  for (int blink = 0; blink < 4; ++blink)
    box->repaint(cursor);
  EXPECT_EQ(box->grab().toImage(), first);
  EXPECT_EQ(style.groupBoxes, 1) << "painted again without the style";

  box->setTitle("Stored Unit Designs");
  alike.setTitle(box->title());
  EXPECT_LE(LargestDifference(box->grab().toImage(), alike.grab().toImage()), 1);
  EXPECT_EQ(style.groupBoxes, 3) << "the new title drawn, once for each box";
  dlg.DestroyWindow();
}
