// Guards what a size drag shows against what its release applies, for a unit of every family:
// a handle dragged out and back to the pixel it was pressed on is a drag of length zero, which
// keeps the unit's size, and the outline the loop showed is the one it erases at the release.
#include <functional>
#include <vector>

#include "WbGuiFixture.h"
#include "model/Unitutil.h"
#include "workbench/frame/Wbids.h"

namespace {
class WbZeroDragTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 16.0, TRUE);
    Pump();
  }

  // The surface pixels of a rectangle, row by row.
  std::vector<COLORREF> Pixels(const CRect& rect) const
  {
    std::vector<COLORREF> pixels;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x)
        pixels.push_back(View()->GetSurfacePixel(x, y));
    return pixels;
  }

  // The unit's client rectangle with room for a proposal around it, inside the client area.
  CRect Around(CUnitItem* pUnit) const
  {
    const CVRX2DPoint low = CVRX2DPoint() + pUnit->GetOffset();
    CRect rect(View()->WorldToClient(low),
               View()->WorldToClient(low + CVRX2DVector(pUnit->GetWidth(), pUnit->GetHeight())));
    rect.NormalizeRect();
    rect.InflateRect(60, 60);
    CRect inside;
    inside.IntersectRect(rect, View()->GetClientRect());
    return inside;
  }

  // Presses the handle, drags it out by (dx, dy) pixels and back, and releases it where it was
  // pressed.
  void DragOutAndBack(CUnitItem* pUnit, int handle, CSize out)
  {
    CWnd* pView = View();
    const CPoint grip = View()->WorldToClient(pUnit->GetHandlePoint(handle, View()));
    const std::vector<CPoint> path{CPoint(grip.x + out.cx / 2, grip.y + out.cy / 2), grip + out, grip};
    std::function<void(size_t)> step = [&](size_t n) {
      if (n == path.size()) {
        SendMouse(pView, QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
        return;
      }
      SendMouse(pView, QEvent::MouseMove, path[n], Qt::NoButton, Qt::LeftButton);
      QTimer::singleShot(0, [&step, n] { step(n + 1); });
    };
    QTimer::singleShot(0, [&step] { step(0); });
    SendMouse(pView, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    Pump();
  }
};
}  // namespace

TEST_F(WbZeroDragTest, EveryFamilyShowsItsOwnOutlineAfterADragBackToTheStart)
{
  const CNewUnitCommandList& commands = MainFrame()->GetNewUnitCommands();
  const CRect client = View()->GetClientRect();
  int tried = 0;
  for (int i = 0; i < commands.GetCount(); ++i) {
    const UINT nID = ID_NEW_UNIT_FIRST + static_cast<UINT>(i);
    BOOL hasClass = FALSE;
    MakeUnit(commands.GetUnitType(nID), commands.GetUnitSubtype(nID), &hasClass);
    if (!hasClass)
      continue;
    SCOPED_TRACE(commands.GetUnitType(nID) + " " + commands.GetUnitSubtype(nID));
    CUnitItem* pUnit = PlaceUnit(nID, CPoint(client.Width() / 3, client.Height() * 2 / 3));
    ASSERT_NE(pUnit, nullptr);
    Pump();
    const int handles = pUnit->GetSizingHandles(View())->GetSize();
    ASSERT_GT(handles, 0);
    const double width = pUnit->GetWidth();
    const double height = pUnit->GetHeight();
    for (int handle = 0; handle < handles; ++handle) {
      SCOPED_TRACE(handle);
      DragOutAndBack(pUnit, handle, CSize(40, -40));
      // The release erased the outline it showed: had it shown another than the one it held,
      // a trace of one of them would stay until the next repaint.
      const CRect area = Around(pUnit);
      const std::vector<COLORREF> left = Pixels(area);
      View()->Invalidate(TRUE);
      View()->UpdateWindow();
      Pump();
      const std::vector<COLORREF> repainted = Pixels(area);
      int differ = 0;
      for (size_t k = 0; k < left.size() && k < repainted.size(); ++k)
        differ += left[k] != repainted[k];
      EXPECT_EQ(differ, 0) << "pixels left by the feedback";
      EXPECT_DOUBLE_EQ(pUnit->GetWidth(), width);
      EXPECT_DOUBLE_EQ(pUnit->GetHeight(), height);
    }
    Command(ID_DELETE_ITEM);
    ++tried;
  }
  EXPECT_GT(tried, 5);
}
