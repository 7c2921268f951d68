// Guards the common base of the drawing views: the page units per inch that keep a drawing and
// its border within 16-bit logical coordinates, the fit and the scaled printer mappings, and the
// screen-only categories that never reach the printer.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dpoint.h"
#include "ui/draw/Dc.h"
#include "ui/draw/ImageData.h"
#include "ui/draw/Raster.h"
#include "ui/wnd/Msg.h"
#include "ui/TestApp.h"
#include "project/DocTestSupport.h"
#include "views/Aspview.h"
#include "views/Xltdata.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class CTestAspectView : public CAspectView
{
public:
  void Add(CVRX2DEntity* pEntity) { m_Entities.Add(pEntity); }
  void Clear() { m_Entities.RemoveAll(); }
  void UseColours()
  {
    auto* pMap = new CMapECatToXLTGDIData;
    pMap->SetGDIData(0, new CXLTGDIData(kBlue));
    SetScreenCategoryMap(pMap);
  }
};

class AspviewTest : public UiTest
{
protected:
  void SetUp() override
  {
    UiTest::SetUp();
    view = new CTestAspectView;
    ASSERT_TRUE(view->CreateEx(0, nullptr, "Drawing", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, 0));
    view->UseColours();
  }
  void TearDown() override
  {
    view->DestroyWindow();
    UiTest::TearDown();
  }
  static CVRX2DLine* Line(int category, double x0, double y0, double x1, double y1)
  {
    return new CVRX2DLine(category, CVRX2DPoint(x0, y0), CVRX2DPoint(x1, y1));
  }
  CFakeDocServices services;
  CTestAspectView* view = nullptr;
};

// The logical width of the drawing with its border, at the page units per inch chosen.
double LogicalSpan(double extent, int border, int pagesPerInch)
{
  const int s = static_cast<int>(32767.0 / extent);
  return (static_cast<double>(border) / s + extent) * pagesPerInch;
}
}  // namespace

TEST_F(AspviewTest, PageUnitsPerInchKeepTheDrawingAndItsBorderWithin16Bits)
{
  CClientDC dc(view);
  const CSize border = view->GetBorderAllowance(&dc);
  view->CalcPageUnitsPerInch(&dc, CVRX2DRectangle(CVRX2DPoint(0, 0), CVRX2DPoint(100, 50)));
  const int wide = view->GetPageUnitsPerInch();
  EXPECT_LE(LogicalSpan(100.0, border.cx, wide), 32767.0);
  EXPECT_GT(LogicalSpan(100.0, border.cx, wide + 1), 32767.0 - 1.0) << "the largest that fits is taken";
  // The same drawing lying to the right of the origin is measured from the origin.
  view->CalcPageUnitsPerInch(&dc, CVRX2DRectangle(CVRX2DPoint(200, 0), CVRX2DPoint(300, 50)));
  EXPECT_LE(LogicalSpan(300.0, border.cx, view->GetPageUnitsPerInch()), 32767.0);
  EXPECT_LT(view->GetPageUnitsPerInch(), wide / 2);
}

TEST_F(AspviewTest, ADrawingWithoutWidthOrHeightGetsAFiniteScale)
{
  CClientDC dc(view);
  // A vertical line: only its height limits the scale.
  view->CalcPageUnitsPerInch(&dc, CVRX2DRectangle(CVRX2DPoint(0, 0), CVRX2DPoint(0, 80)));
  EXPECT_GT(view->GetPageUnitsPerInch(), 64);
  EXPECT_LE(view->GetPageUnitsPerInch() * 80, 32767);
  view->CalcPageUnitsPerInch(&dc, CVRX2DRectangle(CVRX2DPoint(0, 0), CVRX2DPoint(0, 0)));
  EXPECT_EQ(view->GetPageUnitsPerInch(), 64);
  // Painting a single point neither divides by zero nor draws outside the window.
  view->Add(Line(25, 3, 3, 3, 3));
  view->Invalidate(TRUE);
  view->UpdateWindow();
}

TEST_F(AspviewTest, TheFitMappingCentresTheDrawingWithItsLowestEdgeAtTheBottom)
{
  view->Add(Line(25, 0, 0, 100, 0));
  view->Add(Line(25, 100, 0, 100, 50));
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  CPoint corners[2] = {view->VRXToPage(CVRX2DPoint(0, 0)), view->VRXToPage(CVRX2DPoint(100, 50))};
  dc.LPtoDP(corners, 2);
  CRect client;
  view->GetClientRect(&client);
  const CSize border = view->GetBorderAllowance(&dc);
  // Width limits: the drawing spans the area between the borders, y pointing up.
  EXPECT_NEAR(corners[0].x, border.cx, 1);
  EXPECT_NEAR(corners[1].x, client.Width() - border.cx, 2);
  EXPECT_LT(corners[1].y, corners[0].y);
  const int above = corners[1].y - border.cy;
  const int below = client.Height() - border.cy - corners[0].y;
  EXPECT_NEAR(above, below, 2) << "centred vertically";
}

TEST_F(AspviewTest, AScaledPrintoutPutsEveryFortyEightInchesOnOneInchOfPaper)
{
  view->Add(Line(25, 0, 0, 96, 0));
  view->Add(Line(25, 0, 0, 0, 48));
  view->SetPrintScale(1, 48);
  CImageData page(850, 1100, kWhite);
  CDC dc;
  dc.AttachImage(&page);
  dc.SetPrinting(TRUE);
  view->OnPrepareDC(&dc);
  CPoint corners[2] = {view->VRXToPage(CVRX2DPoint(0, 0)), view->VRXToPage(CVRX2DPoint(96, 48))};
  dc.LPtoDP(corners, 2);
  const int dpi = dc.GetDeviceCaps(LOGPIXELSX);
  EXPECT_NEAR(corners[1].x - corners[0].x, 2 * dpi, 1);
  EXPECT_NEAR(corners[0].y - corners[1].y, dpi, 1);
  // Centred on the printable area.
  const int width = dc.GetDeviceCaps(HORZRES);
  const int height = dc.GetDeviceCaps(VERTRES);
  EXPECT_NEAR(corners[0].x, (width - 2 * dpi) / 2, 1);
  EXPECT_NEAR(corners[0].y, height - (height - dpi) / 2, 1);
}

TEST_F(AspviewTest, ScreenOnlyCategoriesStayOffThePrinter)
{
  view->Add(Line(5, 0, 0, 10, 10));
  view->Add(Line(0, 0, 10, 10, 10));
  view->Add(Line(25, 10, 0, 10, 10));
  CVRX2DEntityArray output;
  view->CopyOutputEntities(output);
  ASSERT_EQ(output.GetSize(), 2);
  EXPECT_EQ(output[0]->GetCategory(), 0);
  EXPECT_EQ(output[1]->GetCategory(), 25);
  // Category 0 has no pen of its own to print with; the rest is drawn.
  view->Clear();
  view->Add(Line(5, 0, 0, 10, 10));
  view->Add(Line(26, 0, 10, 10, 10));
  view->Add(Line(25, 10, 0, 10, 10));

  // Printed, only the two output lines leave ink: the diagonal of category 5 does not.
  // A printing memory context reports the screen's size as its page.
  const CSize screen = CDC::GetScreenSize();
  CImageData page(screen.cx, screen.cy, kWhite);
  CDC dc;
  dc.AttachImage(&page);
  dc.SetPrinting(TRUE);
  view->OnPrepareDC(&dc);
  view->OnDraw(&dc);
  CPoint middle = view->VRXToPage(CVRX2DPoint(5, 5));
  dc.LPtoDP(&middle);
  // Within two pixels of a point, for the rounding of the isotropic mapping.
  auto inkNear = [&page](CPoint p) {
    int ink = 0;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        ink += CRasterizer::ToColorRef(page.Image().pixel(p.x + dx, p.y + dy)) == kBlue;
    return ink;
  };
  EXPECT_EQ(inkNear(middle), 0);
  CPoint top = view->VRXToPage(CVRX2DPoint(5, 10));
  dc.LPtoDP(&top);
  EXPECT_GT(inkNear(top), 0);
}

TEST_F(AspviewTest, AnArcCountsAsItsWholeEllipseForTheFit)
{
  EXPECT_EQ(view->GetExtents(), CVRX2DRectangle()) << "no entities";
  const double quarter = std::numbers::pi / 2;
  view->Add(new CVRX2DArc(0, CVRX2DPoint(0, 0), 10, 10, CVRXAngle(0.0), CVRXAngle(0.0), CVRXAngle(quarter)));
  const CVRX2DRectangle whole = view->GetExtents();
  EXPECT_NEAR(whole.GetMinPoint().GetX(), -10, 1e-6);
  EXPECT_NEAR(whole.GetMinPoint().GetY(), -10, 1e-6);
  const CVRX2DRectangle drawn = view->GetEntityExtents();
  EXPECT_NEAR(drawn.GetMinPoint().GetX(), 0, 1e-6);
  EXPECT_NEAR(drawn.GetMaxPoint().GetY(), 10, 1e-6);
}

TEST_F(AspviewTest, OutputNeedsAVisibleViewWithADrawing)
{
  EXPECT_FALSE(view->CanOutput());
  view->Add(Line(25, 0, 0, 1, 1));
  EXPECT_TRUE(view->CanOutput());
  view->ShowWindow(SW_HIDE);
  EXPECT_FALSE(view->CanOutput());
}

TEST_F(AspviewTest, MetricUnitsChangeTheScaleListButKeepTheChosenScale)
{
  EXPECT_EQ(view->GetPrintScaleList(), 1);
  view->SetPrintScale(1, 48);
  services.measurementUnits = 3;
  view->OnUpdate(nullptr, 1, nullptr);
  EXPECT_EQ(view->GetPrintScaleList(), 3);
  EXPECT_EQ(view->GetPrintScaleNumerator(), 1);
  EXPECT_EQ(view->GetPrintScaleDenominator(), 48);
}
