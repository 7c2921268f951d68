// Guards dialog bars (docking, floating, their controls' commands and states), scroll bars that
// report to their owner, scrolling views and form views laid out from a template.
#include <QScrollBar>

#include "TestFrames.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DataExch.h"
#include "ui/draw/Dc.h"
#include "ui/wnd/Resource.h"

namespace {
enum : UINT
{
  IDD_BAR = 7700,
  IDC_BAR_HANDLED = 7701,
  IDC_BAR_UNHANDLED = 7702,
  IDC_BAR_EDIT = 7703,
  IDC_BAR_CHECK = 7704,
  IDD_FORM = 7710,
  IDC_FORM_CREATE = 7711,
  IDC_FORM_NAME = 7712
};

void RegisterBarAndForm()
{
  CDialogTemplate bar;
  bar.size = CSize(200, 30);
  bar.items = {{CDlgCtl::PushButton, IDC_BAR_HANDLED, "&Copy", CRect(5, 5, 40, 17)},
               {CDlgCtl::PushButton, IDC_BAR_UNHANDLED, "&Insert...", CRect(45, 5, 80, 17)},
               {CDlgCtl::Edit, IDC_BAR_EDIT, "", CRect(85, 5, 140, 17)},
               {CDlgCtl::CheckBox, IDC_BAR_CHECK, "Show &Grilles", CRect(145, 5, 195, 17)}};
  CResources::Get().AddDialog(IDD_BAR, bar);
  CDialogTemplate form;
  form.size = CSize(150, 80);
  form.items = {{CDlgCtl::Edit, IDC_FORM_NAME, "", CRect(5, 5, 100, 17)},
                {CDlgCtl::PushButton, IDC_FORM_CREATE, "Create...", CRect(5, 25, 60, 39)}};
  CResources::Get().AddDialog(IDD_FORM, form);
}

// A view that handles the bar's commands and exchanges the bar's controls, as drawing views do.
class CBarView : public CTestView
{
  DECLARE_MESSAGE_MAP()
public:
  int copies = 0;
  int grilles = 1;
  CString text = "12";
  CDialogBar* bar = nullptr;

protected:
  void OnCopy() { ++copies; }
  void OnUpdateGrilles(CCmdUI* pCmdUI) { pCmdUI->SetCheck(grilles); }
  void DoDataExchange(CDataExchange* pDX) override
  {
    pDX->m_pDlgWnd = bar;
    DDX_Text(pDX, IDC_BAR_EDIT, text);
    DDX_Check(pDX, IDC_BAR_CHECK, grilles);
  }
};

BEGIN_MESSAGE_MAP(CBarView, CTestView)
  ON_COMMAND(IDC_BAR_HANDLED, OnCopy)
  ON_UPDATE_COMMAND_UI(IDC_BAR_CHECK, OnUpdateGrilles)
END_MESSAGE_MAP()

class CFormTestView : public CFormView
{
  DECLARE_DYNCREATE(CFormTestView)
  DECLARE_MESSAGE_MAP()
public:
  CFormTestView() : CFormView(IDD_FORM) {}
  CString name = "Proj";
  int creates = 0;

protected:
  void OnCreateDesign() { ++creates; }
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_FORM_NAME, name); }
};

IMPLEMENT_DYNCREATE(CFormTestView, CFormView)

BEGIN_MESSAGE_MAP(CFormTestView, CFormView)
  ON_COMMAND(IDC_FORM_CREATE, OnCreateDesign)
END_MESSAGE_MAP()

class CScrollTestView : public CScrollView
{
public:
  void OnDraw(CDC* pDC) override
  {
    lastViewportOrg = pDC->GetViewportOrg();
    pDC->FillSolidRect(0, 0, 2000, 2000, RGB(255, 255, 0));
  }
  CPoint lastViewportOrg;
};

class CScrollOwner : public CWnd
{
public:
  std::vector<std::pair<UINT, UINT>> scrolls;
  CScrollBar* lastBar = nullptr;

protected:
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override
  {
    scrolls.emplace_back(nSBCode, nPos);
    lastBar = pScrollBar;
  }
};

class BarsViewsTest : public FrameTest
{
protected:
  void SetUp() override
  {
    FrameTest::SetUp();
    RegisterBarAndForm();
  }
  CTestChild* NewChild(CView* view)
  {
    CTestDoc* doc = NewDocument();
    CTestChild* child = ChildOf(doc);
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), child, AFX_IDW_PANE_FIRST + 1);
    doc->AddView(view);
    child->SetActiveView(view);
    return child;
  }
};
}  // namespace

TEST_F(BarsViewsTest, DialogBarDocksFloatsAndRoutesItsButtonsToTheView)
{
  auto* view = new CBarView;
  CTestChild* child = NewChild(view);
  CDialogBar bar;
  ASSERT_TRUE(bar.Create(child, IDD_BAR, CBRS_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY, IDD_BAR));
  view->bar = &bar;
  EXPECT_EQ(child->GetControlBar(IDD_BAR), &bar);
  EXPECT_FALSE(bar.IsFloating());
  bar.Float(CPoint(50, 50));
  EXPECT_TRUE(bar.IsFloating());
  bar.DockAt(AFX_IDW_DOCKBAR_BOTTOM);
  EXPECT_FALSE(bar.IsFloating());

  dynamic_cast<CButton*>(bar.GetDlgItem(IDC_BAR_HANDLED))->Click();
  EXPECT_EQ(view->copies, 1);

  // At idle a button without a handler is greyed; controls with update handlers take their state.
  view->grilles = 0;
  child->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_TRUE(bar.GetDlgItem(IDC_BAR_HANDLED)->IsWindowEnabled());
  EXPECT_FALSE(bar.GetDlgItem(IDC_BAR_UNHANDLED)->IsWindowEnabled());
  EXPECT_TRUE(bar.GetDlgItem(IDC_BAR_EDIT)->IsWindowEnabled());
  EXPECT_EQ(bar.IsDlgButtonChecked(IDC_BAR_CHECK), 0u);

  ASSERT_TRUE(view->UpdateData(FALSE));
  CString shown;
  bar.GetDlgItemText(IDC_BAR_EDIT, shown);
  EXPECT_EQ(shown, CString("12"));
  bar.SetDlgItemText(IDC_BAR_EDIT, "30");
  bar.CheckDlgButton(IDC_BAR_CHECK, 1);
  ASSERT_TRUE(view->UpdateData(TRUE));
  EXPECT_EQ(view->text, CString("30"));
  EXPECT_EQ(view->grilles, 1);

  child->ShowControlBar(&bar, FALSE, FALSE);
  EXPECT_FALSE(bar.IsWindowVisible());
  bar.DestroyWindow();
}

TEST_F(BarsViewsTest, FormViewMakesItsControlsAndTakesTheirCommands)
{
  auto* form = new CFormTestView;
  CTestChild* child = NewChild(form);
  form->OnInitialUpdate();
  child->RecalcLayout();
  CString name;
  form->GetDlgItemText(IDC_FORM_NAME, name);
  EXPECT_EQ(name, CString("Proj"));
  dynamic_cast<CButton*>(form->GetDlgItem(IDC_FORM_CREATE))->Click();
  EXPECT_EQ(form->creates, 1);
}

TEST_F(BarsViewsTest, FormViewSizesItsFrameToFitTheForm)
{
  auto* forms = new CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChild),
                                      RUNTIME_CLASS(CFormTestView));
  TestApp().AddDocTemplate(forms);
  CDocument* doc = forms->OpenDocumentFile(nullptr);
  ASSERT_NE(doc, nullptr);
  POSITION pos = doc->GetFirstViewPosition();
  auto* form = dynamic_cast<CFormTestView*>(doc->GetNextView(pos));
  ASSERT_NE(form, nullptr);
  form->ResizeParentToFit(FALSE);
  CRect client;
  form->GetClientRect(&client);
  const CSize needed = DialogUnitsToPixels(CSize(150, 80));
  EXPECT_GE(client.Width(), needed.cx);
  EXPECT_GE(client.Height(), needed.cy);
  doc->OnCloseDocument();
}

TEST_F(BarsViewsTest, ScrollViewScrollsItsSurfaceAndShiftsTheViewportOrigin)
{
  auto* view = new CScrollTestView;
  CTestChild* child = NewChild(view);
  child->GetOuterHandle()->resize(300, 250);
  view->MoveWindow(0, 0, 200, 150);
  view->SetScrollSizes(MM_TEXT, CSize(1000, 2000));
  Pump();
  view->ScrollToPosition(CPoint(0, 300));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 300));
  view->Invalidate();
  view->UpdateWindow();
  EXPECT_EQ(view->lastViewportOrg, CPoint(0, -300));
  // Past the end, before any repaint: at once no further than the bars allow.
  CRect client;
  view->GetClientRect(&client);
  view->ScrollToPosition(CPoint(-40, 5000));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 2000 - client.Height()));
  // A total smaller than the window leaves nothing to scroll.
  view->SetScrollSizes(MM_TEXT, CSize(100, 100));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
}

TEST_F(BarsViewsTest, ScrollBarReportsToItsOwnerWhoMovesTheThumb)
{
  CScrollOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 200, nullptr, 0));
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(180, 0, 196, 200), &owner,
                         AFX_IDW_VSCROLL_FIRST));
  bar.SetScrollRange(0, 100);
  EXPECT_EQ(bar.SetScrollPos(40), 0);
  EXPECT_EQ(bar.SetScrollPos(400), 40);
  EXPECT_EQ(bar.GetScrollPos(), 100);
  bar.SetScrollPos(40);
  auto* qbar = static_cast<QScrollBar*>(bar.m_hWnd);
  qbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  ASSERT_EQ(owner.scrolls.size(), 1u);
  EXPECT_EQ(owner.scrolls[0].first, static_cast<UINT>(SB_LINEDOWN));
  EXPECT_EQ(owner.lastBar, &bar);
  // The owner did not move the thumb, so it stays.
  EXPECT_EQ(qbar->value(), 40);
  EXPECT_EQ(owner.GetDlgItem(AFX_IDW_VSCROLL_FIRST), &bar);
  owner.DestroyWindow();
}
