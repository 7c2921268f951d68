// Guards that an item's sheet rebuilds the item whose sheet it is, however it was opened: a Ctrl
// or Shift double click on a selected unit takes it out of the selection and opens its sheet
// anyway, and a new height chosen there is what the Workbench then draws and snaps to.
#include <algorithm>

#include <QMouseEvent>

#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "model/Unit.h"
#include "support/Unitscvt.h"
#include "workbench/sheets/Unitpage.h"
#include "workbench/sheets/Unitsht.h"

namespace {
class WbEditedItemTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartAtFourPixelsToTheInch();
    m_pItem = PlaceGliderFromBase(0.0, 0.0);
    ASSERT_NE(m_pItem, nullptr);
    // Twice its height still shows whole.
    const CVRX2DPoint top(m_base.GetX(), m_base.GetY() + 2.0 * m_pItem->GetHeight());
    ASSERT_TRUE(View()->GetClientRect().PtInRect(View()->WorldToClient(top)));
  }

  void Mouse(QEvent::Type type, CPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, bool post)
  {
    QWidget* widget = View()->m_hWnd;
    const QPointF local(at.x, at.y);
    QMouseEvent event(type, local, local, widget->mapToGlobal(local), Qt::LeftButton, buttons, modifiers);
    if (post)
      QCoreApplication::postEvent(widget, event.clone());
    else
      QCoreApplication::sendEvent(widget, &event);
  }

  // A plain click on the unit selects it; then a double click with the modifier held, as the
  // mouse sends it (press, release, double click, release), opens its sheet, where the height is
  // chosen and OK pressed. False when no unit sheet opened.
  bool ChooseHeight(Qt::KeyboardModifier modifier, double height)
  {
    const CPoint at = View()->WorldToClient(m_pItem->GetCenterPoint());
    Click(at);
    EXPECT_TRUE(View()->IsSelected(m_pItem));
    bool opened = false;
    ChooseHeightInNextUnitSheet(height, opened);
    Mouse(QEvent::MouseButtonRelease, at, Qt::NoButton, modifier, true);
    Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, modifier, false);
    Pump();
    Mouse(QEvent::MouseButtonRelease, at, Qt::NoButton, modifier, true);
    Mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, modifier, false);
    Pump();
    return opened;
  }

  // The top of the unit's outline as the item now has it.
  double OutlineTop() const
  {
    CVRX2DEntityArray outline;
    m_pItem->GetOutlineEntities(outline);
    return outline.GetExtents().GetMaxPoint().GetY();
  }

  // Whether a line along the given height, far to the right of the unit, lies on an alignment
  // line the Workbench snaps to.
  bool SnapsAlong(double y) const
  {
    return View()->IsOnAlignmentEntity(CVRX2DLine(20, CVRX2DPoint(700.0, y), CVRX2DPoint(720.0, y)));
  }

  COLORREF PixelAt(double x, double y) const
  {
    const CPoint at = View()->WorldToClient(CVRX2DPoint(x, y));
    return View()->GetSurfacePixel(at.x, at.y);
  }

  CUnitItem* m_pItem = nullptr;
};
}  // namespace

TEST_F(WbEditedItemTest, ANewHeightChosenAfterACtrlOrShiftDoubleClickIsDrawnAndSnappedTo)
{
  const struct
  {
    Qt::KeyboardModifier modifier;
    const char* name;
    double from;
    double to;
  } cases[] = {{Qt::ControlModifier, "Ctrl", 23.5, 47.5}, {Qt::ShiftModifier, "Shift", 47.5, 23.5}};
  for (const auto& step : cases) {
    SCOPED_TRACE(step.name);
    ASSERT_DOUBLE_EQ(m_pItem->GetUnit()->GetHeight(), step.from);
    const double top = OutlineTop();
    const double height = m_pItem->GetHeight();
    ASSERT_TRUE(SnapsAlong(top));
    ASSERT_TRUE(ChooseHeight(step.modifier, step.to));
    EXPECT_FALSE(View()->IsSelected(m_pItem)) << "the modifier's click took the unit out of the selection";
    EXPECT_DOUBLE_EQ(m_pItem->GetUnit()->GetHeight(), step.to);
    const double grown = step.to - step.from;
    EXPECT_NEAR(m_pItem->GetHeight(), height + grown, 1e-9) << "the item was built again from its unit";
    EXPECT_NEAR(OutlineTop(), top + grown, 1e-9);
    EXPECT_EQ(m_pItem->GetOffset(), m_base.AsVector()) << "alone, it has nothing to snap to";
    // Nothing is drawn afresh by hand: what the sheet's OK left on the surface is what shows.
    const double higher = std::max(top, top + grown);
    const double lower = std::min(top, top + grown);
    EXPECT_EQ(PixelAt(m_base.GetX(), (higher + lower) / 2.0), grown > 0 ? RGB(0, 0, 0) : RGB(255, 255, 255))
        << "the left side reaches to the new top, and no further";
    EXPECT_TRUE(SnapsAlong(top + grown)) << "the new top is an alignment line";
    EXPECT_FALSE(SnapsAlong(top)) << "the old top is no longer one";
  }
}
