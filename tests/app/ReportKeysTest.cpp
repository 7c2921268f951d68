// The report windows scroll from the keyboard: the arrows by a line or a character, Page Up and
// Page Down by the window's height in whole lines, Home and End to the report's top and bottom,
// never past either end, also with keys typed faster than the report repaints.
#include <QApplication>
#include <QTest>

#include "ShellTestApp.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "reports/Rptview.h"
#include "ui/frame/Frame.h"

namespace {
class ReportKeysTest : public ShellProjectTest
{
protected:
  void SetUp() override
  {
    ShellProjectTest::SetUp();
    if (HasFatalFailure())
      return;
    // Enough designs for a report many windows long.
    for (int i = 0; i < 40; ++i) {
      const CString name = CString::Formatted("Room %02d", i + 1);
      AddDesignOfUnits(m_pDoc, name.c_str(), {{"GL", "BA005"}, {"DH", "KC003"}, {"AW", "BA002"}});
    }
  }

  CReportView* Open(UINT nCommand)
  {
    Command(nCommand);
    CView* pView =
        nCommand == ID_VIEW_SCHEDULE_REPORT ? m_pDoc->GetScheduleReportView() : m_pDoc->GetUnitInfoReportView();
    auto* pReport = dynamic_cast<CReportView*>(pView);
    if (!pReport)
      return nullptr;
    pReport->GetParentFrame()->SetWindowPos(nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER);
    pReport->Invalidate(TRUE);
    pReport->UpdateWindow();
    Pump();
    // The user clicks into the report to give it the keyboard.
    QWidget* top = MainFrame()->m_hWnd->window();
    top->activateWindow();
    if (!QTest::qWaitForWindowActive(top))
      return nullptr;
    QTest::mouseClick(pReport->m_hWnd, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    Pump();
    return pReport;
  }

  static CPoint After(CReportView* pView, Qt::Key key)
  {
    QTest::keyClick(pView->m_hWnd, key);
    Pump();
    return pView->GetScrollPosition();
  }
};
}  // namespace

TEST_F(ReportKeysTest, ArrowsPagesHomeAndEndScrollBothReports)
{
  for (const UINT command : {ID_VIEW_SCHEDULE_REPORT, ID_VIEW_UNIT_INFO_REPORT}) {
    CReportView* pView = Open(command);
    ASSERT_NE(pView, nullptr) << command;
    ASSERT_EQ(QApplication::focusWidget(), pView->m_hWnd) << command;
    const CStringArray& lines = pView->GetContent()->GetShownLines();
    ASSERT_GT(lines.GetSize(), 0);
    const CSize total = pView->GetTotalSize();
    const int line = total.cy / static_cast<int>(lines.GetSize());
    CRect client;
    pView->GetClientRect(&client);
    ASSERT_GT(total.cy, 3 * client.Height()) << command;
    ASSERT_GT(total.cx, client.Width()) << command;
    const int page = client.Height() / line * line;
    const int bottom = total.cy - client.Height();

    EXPECT_EQ(pView->GetScrollPosition(), CPoint(0, 0)) << command;
    EXPECT_EQ(After(pView, Qt::Key_Up), CPoint(0, 0)) << "not past the top";
    EXPECT_EQ(After(pView, Qt::Key_Down), CPoint(0, line)) << command;
    EXPECT_EQ(After(pView, Qt::Key_PageDown), CPoint(0, line + page)) << command;
    EXPECT_EQ(After(pView, Qt::Key_PageUp), CPoint(0, line)) << command;
    EXPECT_EQ(After(pView, Qt::Key_Up), CPoint(0, 0)) << command;
    EXPECT_EQ(After(pView, Qt::Key_End), CPoint(0, bottom)) << command;
    EXPECT_EQ(After(pView, Qt::Key_PageDown), CPoint(0, bottom)) << "not past the bottom";
    EXPECT_EQ(After(pView, Qt::Key_Down), CPoint(0, bottom)) << command;
    // Typed before the report repaints: Page Up goes up from the bottom that End reached.
    QTest::keyClick(pView->m_hWnd, Qt::Key_End);
    EXPECT_EQ(After(pView, Qt::Key_PageUp), CPoint(0, bottom - page)) << command;
    EXPECT_EQ(After(pView, Qt::Key_Home), CPoint(0, 0)) << command;
    const CPoint right = After(pView, Qt::Key_Right);
    EXPECT_GT(right.x, 0) << command;
    EXPECT_EQ(right.y, 0) << command;
    EXPECT_EQ(After(pView, Qt::Key_Left), CPoint(0, 0)) << command;
    EXPECT_EQ(After(pView, Qt::Key_Left), CPoint(0, 0)) << "not past the left edge";
  }
}
