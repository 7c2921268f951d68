// Guards property sheets: pages made when first shown, a page that refuses to be left, Apply Now
// and the Cancel button that reads "Close" afterwards, the sheet that reopens on its last page, and
// the frame it opens in.
#include <vector>

#include <QApplication>
#include <QTabBar>

#include "TestApp.h"
#include "ui/wnd/Resource.h"
#include "ui/dlg/RetSheet.h"

namespace {
enum : UINT
{
  IDD_PAGE_ONE = 7500,
  IDD_PAGE_TWO = 7501,
  IDD_PAGE_THREE = 7502,
  IDD_PAGE_TWO_AGAIN = 7503,
  IDD_PAGE_TWO_FIELDS = 7504,
  IDC_PAGE_EDIT = 7510,
  IDC_PAGE_SECOND_EDIT = 7511
};

void RegisterPages()
{
  const char* titles[] = {"One", "Two", "Three"};
  for (int i = 0; i < 3; ++i) {
    CDialogTemplate page;
    page.caption = titles[i];
    page.size = CSize(150, 80);
    page.items = {{CDlgCtl::Edit, IDC_PAGE_EDIT, "", CRect(5, 5, 100, 17)}};
    CResources::Get().AddDialog(IDD_PAGE_ONE + static_cast<UINT>(i), page);
  }
  CDialogTemplate again;
  again.caption = "Two";
  again.size = CSize(150, 80);
  CResources::Get().AddDialog(IDD_PAGE_TWO_AGAIN, again);
  CDialogTemplate fields;
  fields.caption = "Fields";
  fields.size = CSize(150, 80);
  fields.items = {{CDlgCtl::Edit, IDC_PAGE_EDIT, "", CRect(5, 5, 100, 17)},
                  {CDlgCtl::Edit, IDC_PAGE_SECOND_EDIT, "", CRect(5, 25, 100, 37)}};
  CResources::Get().AddDialog(IDD_PAGE_TWO_FIELDS, fields);
}

class CTestPage : public CPropertyPage
{
public:
  explicit CTestPage(UINT id) : CPropertyPage(id) {}
  BOOL OnKillActive() override { return refuseLeaving ? FALSE : CPropertyPage::OnKillActive(); }
  BOOL OnApply() override
  {
    ++applied;
    return CPropertyPage::OnApply();
  }
  BOOL refuseLeaving = FALSE;
  int applied = 0;
};

CString g_retainedTitle;

// A sheet that keeps the page last closed in one text for all sheets of its kind.
class CTestSheet : public CRetainedPropertySheet
{
public:
  CTestSheet() : CRetainedPropertySheet("Settings"), one(IDD_PAGE_ONE), two(IDD_PAGE_TWO), three(IDD_PAGE_THREE)
  {
    AddPage(&one);
    AddPage(&two);
    AddPage(&three);
  }
  CString GetRetainedPageTitle() override { return g_retainedTitle; }
  void SetRetainedPageTitle(const CString& title) override { g_retainedTitle = title; }
  void OnApplyNow() override
  {
    CRetainedPropertySheet::OnApplyNow();
    CancelToClose();
  }
  CTestPage one;
  CTestPage two;
  CTestPage three;
};

// Two pages of one title after a third, as a sheet whose set of pages varies may have.
class CTwinSheet : public CRetainedPropertySheet
{
public:
  CTwinSheet() : CRetainedPropertySheet("Twins"), one(IDD_PAGE_ONE), two(IDD_PAGE_TWO), twin(IDD_PAGE_TWO_AGAIN)
  {
    AddPage(&one);
    AddPage(&two);
    AddPage(&twin);
  }
  CString GetRetainedPageTitle() override { return g_retainedTitle; }
  void SetRetainedPageTitle(const CString& title) override { g_retainedTitle = title; }
  CTestPage one;
  CTestPage two;
  CTestPage twin;
};

class PropSheetTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    RegisterPages();
    g_retainedTitle.Empty();
  }
};

CString ButtonText(CPropertySheet& sheet, int id)
{
  CString text;
  sheet.GetDlgItem(id)->GetWindowText(text);
  return text;
}
}  // namespace

TEST_F(PropSheetTest, ReopensOnThePageLastClosed)
{
  {
    CTestSheet sheet;
    service.dialogActions.push_back([](CDialog& d) {
      auto& s = dynamic_cast<CTestSheet&>(d);
      EXPECT_EQ(s.GetActiveIndex(), 0);
      EXPECT_TRUE(s.SetActivePage(2));
      s.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  }
  EXPECT_EQ(g_retainedTitle, CString("Three"));
  CTestSheet again;
  int shown = -1;
  service.dialogActions.push_back([&shown](CDialog& d) {
    auto& s = dynamic_cast<CTestSheet&>(d);
    shown = s.GetActiveIndex();
    s.PressButton(PSBTN_OK);
  });
  EXPECT_EQ(again.DoModal(), IDOK);
  EXPECT_EQ(shown, 2);
}

TEST_F(PropSheetTest, ARememberedTitleThatNoTabCarriesOpensTheFirstPage)
{
  g_retainedTitle = "Gone";
  CTestSheet sheet;
  int shown = -1;
  service.dialogActions.push_back([&shown](CDialog& d) {
    shown = dynamic_cast<CTestSheet&>(d).GetActiveIndex();
    dynamic_cast<CTestSheet&>(d).PressButton(PSBTN_OK);
  });
  sheet.DoModal();
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(g_retainedTitle, CString("One"));
}

TEST_F(PropSheetTest, ApplyThenCancelReadsCloseAndKeepsWhatWasApplied)
{
  CTestSheet sheet;
  service.dialogActions.push_back([](CDialog& d) {
    auto& s = dynamic_cast<CTestSheet&>(d);
    EXPECT_FALSE(s.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    s.one.SetModified();
    EXPECT_TRUE(s.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    EXPECT_EQ(ButtonText(s, IDCANCEL), CString("Cancel"));
    EXPECT_TRUE(s.PressButton(PSBTN_APPLYNOW));
    EXPECT_EQ(ButtonText(s, IDCANCEL), CString("Close"));
    EXPECT_FALSE(s.one.IsModified());
    EXPECT_FALSE(s.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
    s.PressButton(PSBTN_CANCEL);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(sheet.one.applied, 1);
  // Pages never shown have no window and are not applied.
  EXPECT_EQ(sheet.two.applied, 0);
}

TEST_F(PropSheetTest, PageThatRefusesToBeLeftKeepsTheSheetOnIt)
{
  CTestSheet sheet;
  service.dialogActions.push_back([](CDialog& d) {
    auto& s = dynamic_cast<CTestSheet&>(d);
    EXPECT_EQ(s.two.m_hWnd, nullptr);
    s.one.refuseLeaving = TRUE;
    auto* tabs = static_cast<QTabBar*>(s.GetTabControl()->m_hWnd);
    tabs->setCurrentIndex(1);
    EXPECT_EQ(s.GetActiveIndex(), 0);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(s.two.m_hWnd, nullptr);
    s.one.refuseLeaving = FALSE;
    tabs->setCurrentIndex(1);
    EXPECT_EQ(s.GetActiveIndex(), 1);
    EXPECT_NE(s.two.m_hWnd, nullptr);
    s.PressButton(PSBTN_CANCEL);
  });
  sheet.DoModal();
  EXPECT_EQ(g_retainedTitle, CString("Two"));
}

// Ctrl+Tab and Ctrl+Page Down step to the next page from a control on the page or from the tabs,
// round from the last to the first; with Shift, or Page Up, back. A page that refuses to be left
// keeps the sheet and the focus; Ctrl with another key is left to the control.
TEST_F(PropSheetTest, CtrlTabAndCtrlPageKeysStepThroughThePages)
{
  CTestSheet sheet;
  service.dialogActions.push_back([](CDialog& d) {
    auto& s = dynamic_cast<CTestSheet&>(d);
    auto press = [](CWnd* target, int key, Qt::KeyboardModifiers modifiers) {
      PostKey(target->m_hWnd, QEvent::KeyPress, key, modifiers);
      PostKey(target->m_hWnd, QEvent::KeyRelease, key, modifiers);
      Pump();
    };
    CWnd* edit = s.one.GetDlgItem(IDC_PAGE_EDIT);
    edit->SetFocus();
    press(edit, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(s.GetActiveIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), s.GetTabControl()->m_hWnd);
    press(s.GetTabControl(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(s.GetActiveIndex(), 2);
    press(s.three.GetDlgItem(IDC_PAGE_EDIT), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(s.GetActiveIndex(), 0);
    press(s.GetTabControl(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(s.GetActiveIndex(), 2);
    press(s.GetTabControl(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(s.GetActiveIndex(), 1);

    s.two.refuseLeaving = TRUE;
    CWnd* twoEdit = s.two.GetDlgItem(IDC_PAGE_EDIT);
    twoEdit->SetFocus();
    press(twoEdit, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(s.GetActiveIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), twoEdit->m_hWnd);
    s.two.refuseLeaving = FALSE;
    press(twoEdit, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(s.GetActiveIndex(), 1);
    EXPECT_TRUE(s.m_hWnd->isVisible());
    s.PressButton(PSBTN_CANCEL);
  });
  sheet.DoModal();
  EXPECT_EQ(service.dialogsLeftOpen, 0);
}

// Tab goes from the tabs into the page, through its controls in their order, and on to the
// sheet's buttons; Shift+Tab from the page's first control goes back to the tabs. A page shown
// later takes the same place.
TEST_F(PropSheetTest, TabGoesFromTheTabsThroughThePageToTheButtons)
{
  CTestPage fields(IDD_PAGE_TWO_FIELDS);
  CTestPage other(IDD_PAGE_TWO);
  CPropertySheet sheet("Sheet");
  sheet.AddPage(&fields);
  sheet.AddPage(&other);
  service.dialogActions.push_back([&](CDialog& d) {
    auto& s = dynamic_cast<CPropertySheet&>(d);
    auto press = [](int key, Qt::KeyboardModifiers modifiers) {
      QWidget* focus = QApplication::focusWidget();
      ASSERT_NE(focus, nullptr);
      PostKey(focus, QEvent::KeyPress, key, modifiers);
      PostKey(focus, QEvent::KeyRelease, key, modifiers);
      Pump();
    };
    QWidget* tabs = s.GetTabControl()->m_hWnd;
    tabs->setFocus();
    Pump();
    press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), fields.GetDlgItem(IDC_PAGE_EDIT)->m_hWnd);
    press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), fields.GetDlgItem(IDC_PAGE_SECOND_EDIT)->m_hWnd);
    press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), s.GetDlgItem(IDOK)->m_hWnd);
    fields.GetDlgItem(IDC_PAGE_EDIT)->SetFocus();
    Pump();
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), tabs);
    press(Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(s.GetActiveIndex(), 1);
    press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), other.GetDlgItem(IDC_PAGE_EDIT)->m_hWnd);
    s.PressButton(PSBTN_CANCEL);
  });
  sheet.DoModal();
  EXPECT_EQ(service.dialogsLeftOpen, 0);
}

TEST_F(PropSheetTest, TabControlNamesThePagesInOrder)
{
  CTestSheet sheet;
  service.dialogActions.push_back([](CDialog& d) {
    CTabCtrl* tabs = dynamic_cast<CTestSheet&>(d).GetTabControl();
    ASSERT_EQ(tabs->GetItemCount(), 3);
    char text[8] = {};
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 4;
    EXPECT_TRUE(tabs->GetItem(2, &item));
    EXPECT_STREQ(text, "Thr");
    d.EndDialog(IDCANCEL);
  });
  sheet.DoModal();
}

// The sheet has a caption and a close box, nothing to minimise or maximise it with, and keeps the
// size it opens at, whichever page shows.
TEST_F(PropSheetTest, TheSheetKeepsItsSizeAndOffersNoBoxToMinimiseOrMaximiseIt)
{
  CTestSheet sheet;
  Qt::WindowFlags flags;
  std::vector<QSize> sizes;
  service.dialogActions.push_back([&](CDialog& d) {
    QWidget* window = d.GetOuterHandle();
    flags = window->windowFlags();
    sizes.push_back(window->size());
    window->resize(window->size() + QSize(300, 200));
    sizes.push_back(window->size());
    auto& s = dynamic_cast<CTestSheet&>(d);
    for (int page = 1; page < 3; ++page) {
      EXPECT_TRUE(s.SetActivePage(page));
      sizes.push_back(window->size());
    }
    s.PressButton(PSBTN_CANCEL);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  // The window manager is told which boxes there are, rather than left to its defaults.
  EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  ASSERT_EQ(sizes.size(), 4u);
  EXPECT_FALSE(sizes[0].isEmpty());
  for (const QSize& size : sizes)
    EXPECT_EQ(size, sizes[0]);
}

TEST_F(PropSheetTest, TitlesMatchExactlyAndTheFirstOfTwoEqualTitlesWins)
{
  g_retainedTitle = "Two";
  CTwinSheet twins;
  int shown = -1;
  service.dialogActions.push_back([&shown](CDialog& d) {
    auto& s = dynamic_cast<CTwinSheet&>(d);
    shown = s.GetActiveIndex();
    EXPECT_TRUE(s.SetActivePage(2));
    s.PressButton(PSBTN_OK);
  });
  EXPECT_EQ(twins.DoModal(), IDOK);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(g_retainedTitle, CString("Two"));

  // The comparison heeds case: "three" is no tab's title.
  g_retainedTitle = "three";
  CTestSheet sheet;
  service.dialogActions.push_back([&shown](CDialog& d) {
    shown = dynamic_cast<CTestSheet&>(d).GetActiveIndex();
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(shown, 0);
}

TEST_F(PropSheetTest, OnlyEndingTheSheetChangesTheRememberedPage)
{
  g_retainedTitle = "Two";
  CTestSheet sheet;
  service.dialogActions.push_back([](CDialog& d) {
    auto& s = dynamic_cast<CTestSheet&>(d);
    EXPECT_TRUE(s.SetActivePage(2));
    s.three.SetModified();
    EXPECT_TRUE(s.PressButton(PSBTN_APPLYNOW));
    EXPECT_EQ(g_retainedTitle, CString("Two"));
    EXPECT_TRUE(s.SetActivePage(0));
    // Esc ends the sheet as its Cancel button does.
    MSG esc{};
    esc.hwnd = s.m_hWnd;
    esc.message = WM_KEYDOWN;
    esc.wParam = VK_ESCAPE;
    EXPECT_TRUE(s.PreTranslateMessage(&esc));
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(g_retainedTitle, CString("One"));
}
