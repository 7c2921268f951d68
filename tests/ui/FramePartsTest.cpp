// Guards the frame's parts the program builds on: status bar panes and their update handlers,
// the MDI client taken over by a window of the program, menus and strings from resources, and
// the typing limit of a dialog template's edit.
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>

#include "TestFrames.h"
#include "ui/dlg/Ctrls.h"
#include "ui/draw/Dc.h"
#include "ui/dlg/Dialog.h"
#include "ui/frame/Menu.h"
#include "ui/wnd/Resource.h"

namespace {
enum : UINT
{
  IDR_STATUSFRAME = 7501,
  ID_INDICATOR_UNITS = 7502,
  ID_INDICATOR_FIXED = 7503,
  IDR_MENUTEST = 7504,
  IDD_LIMITED = 7505,
  IDC_LIMITED = 7506,
  IDS_FORMAT = 7507
};

constexpr COLORREF kGrey = RGB(128, 128, 128);

class CStatusFrame : public CFrameWnd
{
  DECLARE_MESSAGE_MAP()
public:
  CStatusBar statusBar;
  CString units = "mm";

protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override
  {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
      return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_UNITS, ID_INDICATOR_FIXED};
    return statusBar.Create(this) && statusBar.SetIndicators(indicators, 3) ? 0 : -1;
  }
  void OnUpdateUnits(CCmdUI* pCmdUI) { pCmdUI->SetText(units); }
};

BEGIN_MESSAGE_MAP(CStatusFrame, CFrameWnd)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_UNITS, OnUpdateUnits)
END_MESSAGE_MAP()

// The program's own painting of the MDI client's background.
class CClientBackground : public CWnd
{
public:
  std::vector<CPoint> rightClicks;
  int sizes = 0;

protected:
  void OnPaint() override
  {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kGrey);
  }
  void OnRButtonDown(UINT, CPoint point) override { rightClicks.push_back(point); }
  void OnSize(UINT nType, int cx, int cy) override
  {
    ++sizes;
    CWnd::OnSize(nType, cx, cy);
  }
};

class FramePartsTest : public FrameTest
{};

class StatusBarTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    CResources& r = CResources::Get();
    r.AddString(IDR_STATUSFRAME, "Status Test");
    r.AddString(AFX_IDS_IDLEMESSAGE, "Ready for work");
    r.AddString(ID_INDICATOR_UNITS, "INCHES");
    r.AddString(ID_INDICATOR_FIXED, "FIXED");
    r.AddString(ID_SHARED, "Shared command\nShared tip");
    frame = new CStatusFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_STATUSFRAME));
    frame->ShowWindow(SW_SHOW);
    Pump();
  }
  void TearDown() override
  {
    frame->DestroyWindow();
    UiTest::TearDown();
  }
  CStatusFrame* frame = nullptr;
};
}  // namespace

TEST_F(StatusBarTest, PanesStartWithTheirStringsAndTakeTheirTextsFromUpdateHandlers)
{
  CStatusBar& bar = frame->statusBar;
  ASSERT_EQ(bar.GetCount(), 3);
  EXPECT_EQ(bar.GetPaneText(0), CString("Ready for work"));
  EXPECT_EQ(bar.GetPaneText(1), CString("INCHES"));
  EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_FIXED), 2);
  EXPECT_EQ(bar.CommandToIndex(ID_SHARED), -1);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_STATUS_BAR), &bar);

  frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_EQ(bar.GetPaneText(1), CString("mm"));
  // A pane without an update handler keeps its text.
  EXPECT_EQ(bar.GetPaneText(2), CString("FIXED"));
  frame->units = "in";
  frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_EQ(bar.GetPaneText(1), CString("in"));

  bar.SetPaneInfo(2, ID_INDICATOR_FIXED, 0, 80);
  UINT id = 0;
  UINT style = 1;
  int width = 0;
  bar.GetPaneInfo(2, id, style, width);
  EXPECT_EQ(id, static_cast<UINT>(ID_INDICATOR_FIXED));
  EXPECT_EQ(style, 0u);
  EXPECT_EQ(width, 80);
  EXPECT_FALSE(bar.SetPaneText(3, "beyond"));
  EXPECT_EQ(bar.GetPaneText(3), CString());
}

// A pane given its width keeps its size whatever text within that width it shows: a text set at
// every mouse move repaints the pane, not a layout of the whole bar with every label's text
// measured again.
TEST_F(StatusBarTest, ASizedPaneTakesNewTextsWithoutLayingOutTheBar)
{
  CStatusBar& bar = frame->statusBar;
  bar.SetPaneInfo(2, ID_INDICATOR_FIXED, 0, 200);
  // Something in the bar taller than a line of text: the message line is stretched to it.
  auto* tall = new QWidget;
  tall->setMinimumHeight(bar.m_hWnd->fontMetrics().height() + 12);
  qobject_cast<QStatusBar*>(bar.m_hWnd)->addPermanentWidget(tall);
  Pump();
  struct CLayoutCount : QObject
  {
    int requests = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
      requests += event->type() == QEvent::LayoutRequest;
      return false;
    }
  } count;
  bar.m_hWnd->installEventFilter(&count);
  auto* pane = bar.m_hWnd->findChildren<QLabel*>().value(2);
  auto* message = bar.m_hWnd->findChildren<QLabel*>().value(0);
  ASSERT_NE(pane, nullptr);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(pane->geometry().top(), message->geometry().top()) << "its text on the message line's baseline";
  EXPECT_EQ(pane->height(), message->height());
  const QSize size = pane->size();
  for (int x = 0; x < 20; ++x) {
    bar.SetPaneText(2, CString::Formatted("X=%7.2f  Y=%7.2f", 100.0 + x * 1111.25, 3.5));
    Pump();
  }
  EXPECT_EQ(count.requests, 0);
  EXPECT_EQ(pane->size(), size);
  EXPECT_EQ(bar.GetPaneText(2), CString("X=21213.75  Y=   3.50"));
  bar.SetPaneText(0, "A prompt long enough to need more room than the message line had before");
  Pump();
  EXPECT_GT(count.requests, 0) << "the message line still takes the free width";
  bar.m_hWnd->removeEventFilter(&count);
}

// A text longer than the sample a pane was sized for is shown whole: the pane widens, beside the
// next pane, and keeps that width for the shorter texts after it.
TEST_F(StatusBarTest, ASizedPaneWidensForALongerTextAndKeepsThatWidth)
{
  CStatusBar& bar = frame->statusBar;
  bar.SetPaneInfo(1, ID_INDICATOR_UNITS, 0, 40);
  bar.SetPaneInfo(2, ID_INDICATOR_FIXED, 0, 60);
  Pump();
  auto* pane = bar.m_hWnd->findChildren<QLabel*>().value(1);
  auto* next = bar.m_hWnd->findChildren<QLabel*>().value(2);
  ASSERT_NE(pane, nullptr);
  ASSERT_NE(next, nullptr);
  const char* const size = "SLA6010:1816x292x292x698 R1219";
  bar.SetPaneText(1, size);
  Pump();
  const int width = pane->width();
  EXPECT_GE(pane->contentsRect().width(), pane->fontMetrics().horizontalAdvance(QString::fromLatin1(size)))
      << "the whole size is read";
  EXPECT_LE(pane->geometry().right(), next->geometry().left()) << "beside the next pane, not under it";
  EXPECT_EQ(next->width(), 60);
  bar.SetPaneText(1, "1x1");
  Pump();
  EXPECT_EQ(pane->width(), width);
  UINT id = 0;
  UINT style = 0;
  int set = 0;
  bar.GetPaneInfo(1, id, style, set);
  EXPECT_EQ(set, 40) << "the width it was given stays its own";
}

TEST_F(StatusBarTest, MessageLineShowsThePromptWithoutItsTip)
{
  CString prompt;
  frame->GetMessageString(ID_SHARED, prompt);
  EXPECT_EQ(prompt, CString("Shared command"));
  frame->GetMessageString(ID_INDICATOR_FIXED + 100, prompt);
  EXPECT_TRUE(prompt.IsEmpty());

  frame->SetMessageText(ID_SHARED);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), CString("Shared command"));
  frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), CString("Ready for work"));
  frame->SetMessageText("Copying");
  EXPECT_EQ(frame->statusBar.GetPaneText(0), CString("Copying"));
}

TEST_F(FramePartsTest, ProgramWindowOnTheMdiClientPaintsItAndTakesItsMouseInput)
{
  ASSERT_NE(main->m_hWndMDIClient, nullptr);
  CClientBackground background;
  ASSERT_TRUE(background.SubclassWindow(main->m_hWndMDIClient));
  EXPECT_EQ(CWnd::FromHandlePermanent(main->m_hWndMDIClient), &background);
  background.Invalidate();
  background.UpdateWindow();
  CRect client;
  background.GetClientRect(&client);
  ASSERT_FALSE(client.IsRectEmpty());
  EXPECT_EQ(background.GetSurfacePixel(2, 2), kGrey);
  EXPECT_EQ(background.GetSurfacePixel(client.right - 1, client.bottom - 1), kGrey);

  SendMouse(main->m_hWndMDIClient, QEvent::MouseButtonPress, QPoint(12, 7), Qt::RightButton, Qt::RightButton);
  SendMouse(main->m_hWndMDIClient, QEvent::MouseButtonRelease, QPoint(12, 7), Qt::RightButton, Qt::NoButton);
  ASSERT_EQ(background.rightClicks.size(), 1u);
  EXPECT_EQ(background.rightClicks[0], CPoint(12, 7));

  const int sizesBefore = background.sizes;
  main->MoveWindow(0, 0, 640, 480);
  Pump();
  EXPECT_GT(background.sizes, sizesBefore);

  // The client stays the main frame's: children still open inside it.
  CTestDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_NE(main->MDIGetActive(), nullptr);
  EXPECT_EQ(background.UnsubclassWindow(), main->m_hWndMDIClient);
}

TEST(Resources, StringsAreLoadedAndFilledIn)
{
  CResources::Get().AddString(IDS_FORMAT, "Between %1 and %2 (%1 first)");
  CString text = "untouched";
  EXPECT_FALSE(AfxLoadString(IDS_FORMAT + 1000, text));
  EXPECT_EQ(text, CString("untouched"));
  ASSERT_TRUE(AfxLoadString(IDS_FORMAT, text));
  CString filled;
  AfxFormatString2(filled, text, "1/2\"", "96\"");
  EXPECT_EQ(filled, CString("Between 1/2\" and 96\" (1/2\" first)"));
  AfxFormatString1(filled, "Cannot open %1.", "plan.tpf");
  EXPECT_EQ(filled, CString("Cannot open plan.tpf."));
}

TEST(Resources, MenuFromATemplateKeepsAcceleratorTextsSeparatorsAndPopups)
{
  CResources::Get().AddMenu(IDR_MENUTEST,
                            CMenuTemplate{{{"&File", {{"&Open...\tCtrl+O", ID_FILE_OPEN}, {}, {"E&xit", ID_APP_EXIT}}},
                                           {"&Help", {{"&Index", ID_HELP_INDEX}}}}});
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_MENUTEST));
  ASSERT_EQ(menu.GetMenuItemCount(), 2u);
  CMenu* file = menu.GetSubMenu(0);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(file->GetMenuItemCount(), 3u);
  CString text;
  file->GetMenuString(ID_FILE_OPEN, text, MF_BYCOMMAND);
  EXPECT_EQ(text, CString("&Open...\tCtrl+O"));
  EXPECT_EQ(file->GetMenuItemID(1), 0u);
  EXPECT_TRUE(file->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(file->GetMenuItemID(2), static_cast<UINT>(ID_APP_EXIT));
  EXPECT_EQ(menu.GetSubMenu(1)->GetMenuItemID(0), static_cast<UINT>(ID_HELP_INDEX));
  EXPECT_EQ(menu.GetSubMenu(2), nullptr);
}

TEST_F(FramePartsTest, EditOfATemplateTakesNoMoreCharactersThanItsLimit)
{
  CDialogTemplate tmpl{"Limited", CSize(120, 40), {}};
  CDialogItemTemplate edit(CDlgCtl::Edit, IDC_LIMITED, "", CRect(5, 5, 100, 17));
  edit.maxChars = 4;
  tmpl.items.push_back(edit);
  CResources::Get().AddDialog(IDD_LIMITED, tmpl);
  CDialog dlg(IDD_LIMITED);
  ASSERT_TRUE(dlg.Create(IDD_LIMITED));
  auto* line = qobject_cast<QLineEdit*>(dlg.GetDlgItem(IDC_LIMITED)->m_hWnd);
  ASSERT_NE(line, nullptr);
  line->setFocus();
  QTest::keyClicks(line, "123456");
  CString typed;
  dlg.GetDlgItemText(IDC_LIMITED, typed);
  EXPECT_EQ(typed, CString("1234"));
  dynamic_cast<CEdit*>(dlg.GetDlgItem(IDC_LIMITED))->LimitText(0);
  QTest::keyClicks(line, "56");
  dlg.GetDlgItemText(IDC_LIMITED, typed);
  EXPECT_EQ(typed, CString("123456"));
  dlg.DestroyWindow();
}
