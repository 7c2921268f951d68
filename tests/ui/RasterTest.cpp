// Guards the drawing rules of device contexts: lines without their last pixel, inverting raster
// operations that undo themselves, right and bottom edges excluded, arcs, regions and mapping modes,
// and where window pixels lie on a surface kept at a device pixel ratio.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "TestApp.h"
#include "ui/draw/Dc.h"
#include "ui/draw/DcMapping.h"
#include "ui/draw/ImageData.h"
#include "ui/draw/Raster.h"
#include "ui/draw/RectRegion.h"

namespace {
struct CCanvas
{
  explicit CCanvas(int w = 64, int h = 48, COLORREF fill = RGB(255, 255, 255)) : image(w, h, fill)
  {
    dc.AttachImage(&image);
  }

  COLORREF Pixel(int x, int y) { return CRasterizer::ToColorRef(image.Image().pixel(x, y)); }
  int CountNot(COLORREF colour)
  {
    int n = 0;
    for (int y = 0; y < image.Size().cy; ++y)
      for (int x = 0; x < image.Size().cx; ++x)
        n += Pixel(x, y) != colour;
    return n;
  }
  std::vector<std::uint32_t> Snapshot()
  {
    const QImage& img = image.Image();
    std::vector<std::uint32_t> out;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        out.push_back(img.pixel(x, y));
    return out;
  }

  CImageData image;
  CDC dc;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
}  // namespace

TEST(Raster, SolidLineLeavesOutItsLastPixel)
{
  CCanvas c;
  c.dc.MoveTo(2, 2);
  c.dc.LineTo(10, 2);
  EXPECT_EQ(c.CountNot(kWhite), 8);
  for (int x = 2; x < 10; ++x)
    EXPECT_EQ(c.Pixel(x, 2), kBlack) << x;
  EXPECT_EQ(c.Pixel(10, 2), kWhite);
  EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(10, 2));
}

TEST(Raster, JoinedLinesDrawEachJointOnce)
{
  // With an inverting mode a joint drawn twice would vanish; the rules make it appear once.
  CCanvas c;
  c.dc.SetROP2(R2_NOT);
  c.dc.MoveTo(5, 5);
  c.dc.LineTo(20, 5);
  c.dc.LineTo(20, 20);
  EXPECT_EQ(c.Pixel(20, 5), kBlack);
  EXPECT_EQ(c.CountNot(kWhite), 30);
}

TEST(Raster, NotXorDrawnTwiceRestoresEveryPixel)
{
  CCanvas c(80, 60);
  // A background that is not uniform, so a wrong mix would show.
  for (int i = 0; i < 60; i += 3)
    c.dc.FillSolidRect(0, i, 80, 1, RGB(i * 4, 255 - i * 4, 100));
  const std::vector<std::uint32_t> before = c.Snapshot();
  CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
  CPen solid(PS_SOLID, 0, RGB(200, 30, 90));
  CBrush brush(RGB(10, 200, 40));
  auto draw = [&] {
    c.dc.SetROP2(R2_NOTXORPEN);
    c.dc.SelectObject(&solid);
    c.dc.SelectObject(&brush);
    c.dc.MoveTo(1, 1);
    c.dc.LineTo(70, 50);
    c.dc.LineTo(5, 40);
    c.dc.LineTo(1, 1);
    c.dc.Rectangle(10, 10, 40, 30);
    c.dc.Rectangle(15, 12, 16, 50);
    c.dc.Arc(20, 5, 70, 55, 70, 30, 45, 5);
    c.dc.Arc(30, 20, 50, 40, 40, 20, 40, 20);
    c.dc.Ellipse(2, 30, 30, 58);
    const POINT tri[] = {{50, 5}, {78, 40}, {45, 55}};
    c.dc.Polygon(tri, 3);
    c.dc.SelectObject(&dotted);
    c.dc.MoveTo(0, 59);
    c.dc.LineTo(79, 0);
  };
  draw();
  EXPECT_NE(c.Snapshot(), before);
  draw();
  EXPECT_EQ(c.Snapshot(), before);
}

TEST(Raster, RasterOperationsFollowTheTruthTable)
{
  const std::uint32_t pen = 0xff00ff0fu;
  const std::uint32_t dst = 0xff0f0ff0u;
  EXPECT_EQ(CRasterizer::Mix(R2_COPYPEN, pen, dst), pen);
  EXPECT_EQ(CRasterizer::Mix(R2_NOT, pen, dst), 0xfff0f00fu);
  EXPECT_EQ(CRasterizer::Mix(R2_XORPEN, pen, dst), 0xff0ff0ffu);
  EXPECT_EQ(CRasterizer::Mix(R2_NOTXORPEN, pen, dst), 0xfff00f00u);
  EXPECT_EQ(CRasterizer::Mix(R2_MASKPEN, pen, dst), 0xff000f00u);
  EXPECT_EQ(CRasterizer::Mix(R2_NOP, pen, dst), dst);
}

TEST(Raster, RectanglesExcludeRightAndBottomEdges)
{
  CCanvas c;
  CBrush red(RGB(255, 0, 0));
  const CRect r(4, 4, 10, 8);
  c.dc.FillRect(&r, &red);
  EXPECT_EQ(c.CountNot(kWhite), 24);
  EXPECT_EQ(c.Pixel(9, 7), RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(10, 7), kWhite);
  EXPECT_EQ(c.Pixel(9, 8), kWhite);

  CCanvas outline;
  outline.dc.SelectStockObject(NULL_BRUSH);
  outline.dc.Rectangle(4, 4, 10, 8);
  EXPECT_EQ(outline.CountNot(kWhite), 16);
  EXPECT_EQ(outline.Pixel(9, 7), kBlack);
  EXPECT_EQ(outline.Pixel(6, 6), kWhite);

  CCanvas noPen;
  noPen.dc.SelectStockObject(NULL_PEN);
  noPen.dc.SelectStockObject(BLACK_BRUSH);
  noPen.dc.Rectangle(4, 4, 10, 8);
  EXPECT_EQ(noPen.CountNot(kWhite), 15);
}

TEST(Raster, DottedLinesLeaveGaps)
{
  CCanvas c;
  CPen dotted(PS_DOT, 0, kBlack);
  c.dc.SelectObject(&dotted);
  c.dc.SetBkMode(TRANSPARENT);
  c.dc.MoveTo(0, 0);
  c.dc.LineTo(30, 0);
  EXPECT_EQ(c.CountNot(kWhite), 15);
  EXPECT_EQ(c.Pixel(0, 0), kBlack);
  EXPECT_EQ(c.Pixel(3, 0), kWhite);
}

TEST(Raster, ArcRunsCounterClockwiseAndEqualPointsCloseIt)
{
  // From the right end of the horizontal radius to the top: the upper right quarter.
  CCanvas quarter;
  quarter.dc.Arc(0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_EQ(quarter.Pixel(40, 20), kBlack);
  EXPECT_EQ(quarter.Pixel(20, 0), kBlack);
  EXPECT_EQ(quarter.Pixel(0, 20), kWhite);
  EXPECT_EQ(quarter.Pixel(20, 40), kWhite);

  CCanvas whole;
  whole.dc.Arc(0, 0, 41, 41, 40, 20, 40, 20);
  EXPECT_EQ(whole.Pixel(0, 20), kBlack);
  EXPECT_EQ(whole.Pixel(20, 40), kBlack);
  EXPECT_GT(whole.CountNot(kWhite), 3 * quarter.CountNot(kWhite));
}

TEST(Raster, OutlineLimitedToBoundsIsTheWholeOutlineCutToThem)
{
  const CRect box(-37, -20, 91, 61);
  // Across the right end, where outline and interior both meet the bounds.
  const CRect bounds(60, -30, 100, 30);
  std::vector<CPoint> whole;
  std::vector<CPoint> cut;
  std::vector<std::pair<int, CRasterizer::Span>> wholeInside;
  std::vector<std::pair<int, CRasterizer::Span>> cutInside;
  CRasterizer::EllipseOutline(box, whole, wholeInside);
  CRasterizer::EllipseOutline(box, cut, cutInside, &bounds);
  std::vector<CPoint> expected;
  for (const CPoint& p : whole)
    if (bounds.PtInRect(p))
      expected.push_back(p);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(cut, expected);
  int wholeCount = 0;
  for (const auto& row : wholeInside)
    if (row.first >= bounds.top && row.first < bounds.bottom)
      wholeCount += std::max(0, std::min(row.second.second, static_cast<int>(bounds.right)) -
                                    std::max(row.second.first, static_cast<int>(bounds.left)));
  int cutCount = 0;
  for (const auto& row : cutInside)
    cutCount += row.second.second - row.second.first;
  EXPECT_GT(cutCount, 0);
  EXPECT_EQ(cutCount, wholeCount);
}

TEST(Raster, HugeEllipseOnASmallSurfaceDrawsItsVisiblePartAtOnce)
{
  // A circle of radius 20000 whose left end lies on column 10: a zoomed-in curve. Only the
  // pixels on the surface are worked out, so this takes no time.
  CCanvas c;
  c.dc.Arc(10, 24 - 20000, 10 + 40001, 24 + 20001, 10, 24, 10, 24);
  EXPECT_EQ(c.CountNot(kWhite), 48);
  for (int y = 0; y < 48; ++y) {
    EXPECT_EQ(c.Pixel(10, y), kBlack) << y;
    EXPECT_EQ(c.Pixel(11, y), kWhite) << y;
  }
}

TEST(Raster, SaveAndRestoreBringBackAttributesAndMapping)
{
  CCanvas c;
  CPen red(PS_SOLID, 0, RGB(255, 0, 0));
  const int saved = c.dc.SaveDC();
  c.dc.SelectObject(&red);
  c.dc.SetROP2(R2_NOT);
  c.dc.SetViewportOrg(10, 10);
  EXPECT_TRUE(c.dc.RestoreDC(saved));
  EXPECT_EQ(c.dc.GetROP2(), R2_COPYPEN);
  EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, 0));
  c.dc.MoveTo(0, 0);
  c.dc.LineTo(2, 0);
  EXPECT_EQ(c.Pixel(0, 0), kBlack);
  EXPECT_FALSE(c.dc.RestoreDC(-1));
}

TEST(Raster, IsotropicMappingKeepsUnitsEqualAndRoundTrips)
{
  CDcMapping m;
  m.SetMapMode(MM_ISOTROPIC);
  m.SetWindowExt(CSize(1000, -500));
  m.SetViewportExt(CSize(200, 200));
  // The larger ratio is shrunk and the signs stay.
  EXPECT_EQ(m.GetViewportExt(), CSize(200, 100));
  m.SetViewportOrg(CPoint(10, 300));
  EXPECT_EQ(m.LPtoDP(CPoint(500, 250)), CPoint(110, 250));
  EXPECT_EQ(m.DPtoLP(CPoint(110, 250)), CPoint(500, 250));
  EXPECT_EQ(m.LPtoDP(CSize(1000, 1000)), CSize(200, 200));

  CDcMapping text;
  text.SetWindowExt(CSize(5, 5));
  EXPECT_EQ(text.GetWindowExt(), CSize(1, 1));
  text.SetWindowOrg(CPoint(3, 4));
  EXPECT_EQ(text.LPtoDP(CPoint(3, 4)), CPoint(0, 0));
}

TEST(Raster, IsotropicShrinkKeepsAtLeastOneDeviceUnit)
{
  // A drawing far wider than high: the even scale would round the height's extent to nothing.
  CDcMapping m;
  m.SetMapMode(MM_ISOTROPIC);
  m.SetWindowExt(CSize(100000, -1));
  m.SetViewportExt(CSize(100, 100));
  EXPECT_EQ(m.GetViewportExt(), CSize(100, 1));
  EXPECT_EQ(m.DPtoLP(CPoint(50, 3)), CPoint(50000, -3));
  EXPECT_EQ(m.LPtoDP(CPoint(50000, -3)), CPoint(50, 3));

  CDcMapping flipped;
  flipped.SetMapMode(MM_ISOTROPIC);
  flipped.SetWindowExt(CSize(1, 100000));
  flipped.SetViewportExt(CSize(-100, 100));
  EXPECT_EQ(flipped.GetViewportExt(), CSize(-1, 100));
}

TEST(Raster, AnisotropicDeviceContextDrawsMappedLinesAndClipBox)
{
  CCanvas c(100, 100);
  c.dc.SetMapMode(MM_ANISOTROPIC);
  c.dc.SetWindowExt(10, -10);
  c.dc.SetViewportExt(100, 100);
  c.dc.SetViewportOrg(0, 99);
  // Logical y points up: (1,1) is one tenth from the bottom-left corner.
  c.dc.MoveTo(1, 1);
  c.dc.LineTo(5, 1);
  EXPECT_EQ(c.Pixel(10, 89), kBlack);
  EXPECT_EQ(c.Pixel(49, 89), kBlack);
  CRect clip;
  c.dc.GetClipBox(&clip);
  EXPECT_EQ(clip, CRect(0, 0, 10, 10));
}

TEST(Raster, InjectedResolutionIsWhatTheDeviceReports)
{
  CDC::SetScreenLogPixels(120, 144);
  CCanvas c;
  EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSX), 120);
  EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSY), 144);
  CDC::SetScreenLogPixels(96, 96);
}

TEST(RectRegion, UnionSubtractAndContainmentStayConsistent)
{
  CRectRegion r;
  r.Union(CRect(0, 0, 10, 10));
  r.Union(CRect(5, 5, 15, 15));
  EXPECT_EQ(r.Area(), 175);
  EXPECT_TRUE(r.Contains(12, 12));
  EXPECT_FALSE(r.Contains(12, 2));
  r.Subtract(CRect(0, 0, 15, 8));
  EXPECT_EQ(r.Area(), 80);
  EXPECT_EQ(r.GetBounds(), CRect(0, 8, 15, 15));
  CRectRegion other(CRect(0, 8, 15, 15));
  other.Subtract(CRect(0, 10, 5, 15));
  EXPECT_TRUE(r == other);
  r.Offset(2, 3);
  EXPECT_TRUE(r.Contains(2, 11));
}

TEST(RectRegion, PolygonRegionsFollowTheFillRule)
{
  CRgn rgn;
  const POINT square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  rgn.CreatePolygonRgn(square, 4, ALTERNATE);
  EXPECT_EQ(rgn.Region().Area(), 100);
  EXPECT_TRUE(rgn.PtInRegion(9, 9));
  EXPECT_FALSE(rgn.PtInRegion(10, 5));
  CRgn hole;
  hole.CreateRectRgn(2, 2, 8, 8);
  CRgn result;
  result.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(result.CombineRgn(&rgn, &hole, RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(result.Region().Area(), 64);
}

TEST(Raster, TextIsPlacedByItsAlignmentAndMeasuredInLogicalUnits)
{
  CCanvas c(200, 100);
  CFont font;
  font.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  c.dc.SelectObject(&font);
  TEXTMETRIC tm;
  ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
  EXPECT_GE(tm.tmHeight, 20);
  EXPECT_GT(tm.tmAveCharWidth, 0);
  const CSize one = c.dc.GetTextExtent("W");
  const CSize three = c.dc.GetTextExtent("WWW");
  EXPECT_EQ(three.cx, 3 * one.cx);
  EXPECT_EQ(three.cy, one.cy);

  // Transparent text on its baseline: ink only above the baseline row, none on a blank cell.
  c.dc.SetBkMode(TRANSPARENT);
  c.dc.SetTextColor(RGB(255, 0, 0));
  c.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
  c.dc.TextOut(10, 60, "HH");
  int inkAbove = 0;
  int inkBelow = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x)
      if (c.Pixel(x, y) == RGB(255, 0, 0))
        (y < 60 ? inkAbove : inkBelow) += 1;
  EXPECT_GT(inkAbove, 20);
  EXPECT_EQ(inkBelow, 0);

  // Opaque centred text fills its cell with the background colour around the centre point.
  CCanvas boxed(200, 100);
  boxed.dc.SelectObject(&font);
  boxed.dc.SetBkColor(RGB(0, 0, 255));
  boxed.dc.SetTextAlign(TA_CENTER | TA_TOP);
  boxed.dc.TextOut(100, 10, "Join");
  EXPECT_EQ(boxed.Pixel(100 - boxed.dc.GetTextExtent("Join").cx / 2 + 1, 11), RGB(0, 0, 255));
  EXPECT_EQ(boxed.Pixel(5, 11), RGB(255, 255, 255));

  // Measuring wraps the words into the width and reports the height of the lines.
  CRect calc(0, 0, 150, 0);
  EXPECT_GT(boxed.dc.DrawText("No detail is selected to display.", &calc, DT_CALCRECT | DT_WORDBREAK), 2 * one.cy - 1);
  EXPECT_LE(calc.Width(), 150);
  EXPECT_GE(calc.Height(), 2 * one.cy);
}

// A positive height is the character cell: the font is the largest whose cell fits in it. Its
// characters stand on whole-pixel advances, unkerned, so a text is as wide as its characters.
TEST(Raster, APositiveHeightGivesTheLargestFontWhoseCellFitsAndTextIsAsWideAsItsCharacters)
{
  CCanvas c(200, 100);
  CFont* pStock = c.dc.GetCurrentFont();
  for (const char* face : {"Arial", "Times New Roman"})
    for (int height = 8; height <= 40; ++height) {
      CFont cell;
      cell.CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
      c.dc.SelectObject(&cell);
      TEXTMETRIC tm;
      ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
      EXPECT_LE(tm.tmHeight, height) << face << " in a cell of " << height;
      CFont larger;
      larger.CreateFont(-(tm.tmHeight - tm.tmInternalLeading + 1), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
      c.dc.SelectObject(&larger);
      ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
      EXPECT_GT(tm.tmHeight, height) << face << " one pixel larger than in a cell of " << height;
      c.dc.SelectObject(pStock);
    }

  CFont message;
  message.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  c.dc.SelectObject(&message);
  const CString text = "No detail is selected to display.  You can select a detail in the Workbench by dragging";
  int characters = 0;
  for (int i = 0; i < text.GetLength(); ++i)
    characters += c.dc.GetTextExtent(text.Mid(i, 1)).cx;
  EXPECT_EQ(c.dc.GetTextExtent(text).cx, characters);
  c.dc.SelectObject(pStock);
}

// Lines wholly inside the clip take a faster path than cut ones; both must set exactly the
// pixels of the line's point list, in every direction, and nothing outside the clip.
TEST(Raster, ClippedAndUnclippedLinesSetThePixelsOfTheirPointList)
{
  constexpr int kW = 40;
  constexpr int kH = 30;
  std::vector<std::uint32_t> bits(kW * kH);
  const CPixelBuffer buffer{bits.data(), kW, kH, kW};
  CRectRegion halves(CRect(0, 0, 20, kH));
  halves.Union(CRect(20, 0, kW, kH));
  const CRectRegion window(CRect(8, 6, 31, 22));
  const CRectRegion* clips[] = {nullptr, &halves, &window};
  const CPoint ends[] = {{20, 15}, {2, 3}, {37, 5}, {35, 27}, {4, 26}, {20, 1}, {1, 15}, {39, 29}, {21, 16}};
  std::vector<CPoint> reference;
  for (const CRectRegion* clip : clips)
    for (const CPoint& a : ends)
      for (const CPoint& b : ends) {
        std::fill(bits.begin(), bits.end(), 0xffffffffu);
        CRasterizer raster(buffer, clip);
        CStyleState state;
        raster.Line(a, b, CLinePen{}, state);
        CRasterizer::LinePoints(a, b, reference);
        std::vector<std::uint32_t> expected(kW * kH, 0xffffffffu);
        for (const CPoint& p : reference)
          if (!clip || clip->Contains(p.x, p.y))
            expected[p.y * kW + p.x] = 0xff000000u;
        ASSERT_EQ(bits, expected) << "line (" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ")";
        EXPECT_EQ(state.position, static_cast<int>(reference.size()));
      }
}

// Styled lines wholly inside the clip take a faster path than cut ones too; both must draw the
// pattern along the point list from the style position they start at, gaps opaque or not,
// mixed with what is there by the raster operation.
TEST(Raster, ClippedAndUnclippedStyledLinesDrawThePatternAlongTheirPointList)
{
  constexpr int kW = 40;
  constexpr int kH = 30;
  struct Style
  {
    int style;
    std::vector<int> runs;
  };
  const Style styles[] = {
      {PS_DOT, {3, 3}}, {PS_DASH, {18, 6}}, {PS_DASHDOT, {9, 6, 3, 6}}, {PS_DASHDOTDOT, {9, 3, 3, 3, 3, 3}}};
  std::vector<std::uint32_t> bits(kW * kH);
  const CPixelBuffer buffer{bits.data(), kW, kH, kW};
  const CRectRegion window(CRect(8, 6, 31, 22));
  const CRectRegion* clips[] = {nullptr, &window};
  const CPoint ends[] = {{20, 15}, {2, 3}, {37, 5}, {35, 27}, {4, 26}, {21, 16}};
  auto background = [](int i) { return 0xff000000u | static_cast<std::uint32_t>(i * 2654435761u & 0xffffffu); };
  std::vector<CPoint> reference;
  for (const Style& style : styles)
    for (int rop : {R2_COPYPEN, R2_NOTXORPEN})
      for (bool opaque : {false, true})
        for (const CRectRegion* clip : clips)
          for (const CPoint& a : ends)
            for (const CPoint& b : ends) {
              for (int i = 0; i < kW * kH; ++i)
                bits[static_cast<size_t>(i)] = background(i);
              CLinePen pen;
              pen.color = 0xff2040c0u;
              pen.style = style.style;
              pen.rop = rop;
              pen.opaqueGaps = opaque;
              pen.gapColor = 0xff10e010u;
              CRasterizer raster(buffer, clip);
              CStyleState state;
              state.position = 7;
              raster.Line(a, b, pen, state);
              CRasterizer::LinePoints(a, b, reference);
              std::vector<std::uint32_t> expected(kW * kH);
              for (int i = 0; i < kW * kH; ++i)
                expected[static_cast<size_t>(i)] = background(i);
              int period = 0;
              for (int run : style.runs)
                period += run;
              for (size_t i = 0; i < reference.size(); ++i) {
                const CPoint& p = reference[i];
                int at = static_cast<int>((7 + i) % static_cast<size_t>(period));
                size_t run = 0;
                while (at >= style.runs[run])
                  at -= style.runs[run++];
                const bool on = run % 2 == 0;
                if ((!on && !opaque) || (clip && !clip->Contains(p.x, p.y)))
                  continue;
                std::uint32_t& px = expected[static_cast<size_t>(p.y * kW + p.x)];
                px = CRasterizer::Mix(rop, on ? pen.color : pen.gapColor, px);
              }
              ASSERT_EQ(bits, expected) << "style " << style.style << " rop " << rop << " opaque " << opaque
                                        << " line (" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ")";
              EXPECT_EQ(state.position, 7 + static_cast<int>(reference.size()));
            }
}

// One rasteriser draws many lines with pens that change between them, one setting at a time:
// each line mixes its own colours by its own raster operation, whichever pen drew before it, for
// all sixteen operations.
TEST(Raster, StyledLinesOfOneRasteriserTakeEachLinesOwnPen)
{
  constexpr int kW = 24;
  constexpr int kH = 8;
  std::vector<std::uint32_t> bits(kW * kH);
  std::vector<std::uint32_t> expected(kW * kH);
  auto background = [](int i) { return 0xff000000u | static_cast<std::uint32_t>(i * 2246822519u & 0xffffffu); };
  for (int i = 0; i < kW * kH; ++i)
    bits[static_cast<size_t>(i)] = expected[static_cast<size_t>(i)] = background(i);
  CRasterizer raster(CPixelBuffer{bits.data(), kW, kH, kW}, nullptr);
  std::vector<CPoint> points;
  CLinePen pen;
  pen.color = 0xff2040c0u;
  pen.gapColor = 0xff10e010u;
  pen.style = PS_DOT;
  int drawn = 0;
  auto draw = [&](const char* changed) {
    const int y = drawn++ % kH;
    const CPoint a(1, y);
    const CPoint b(kW - 2, (y + 3) % kH);
    CStyleState state;
    raster.Line(a, b, pen, state);
    CRasterizer::LinePoints(a, b, points);
    for (size_t i = 0; i < points.size(); ++i) {
      const bool on = pen.style == PS_DOT ? i % 6 < 3 : i % 24 < 9 || (i % 24 >= 15 && i % 24 < 18);
      if (!on && !pen.opaqueGaps)
        continue;
      std::uint32_t& px = expected[static_cast<size_t>(points[i].y * kW + points[i].x)];
      px = CRasterizer::Mix(pen.rop, on ? pen.color : pen.gapColor, px);
    }
    ASSERT_EQ(bits, expected) << "after changing the " << changed << ", rop " << pen.rop;
  };
  for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
    pen.rop = rop;
    draw("raster operation");
    pen.color ^= 0x00a5a5a5u;
    draw("colour");
    pen.gapColor ^= 0x005a5a5au;
    draw("gap colour");
    pen.opaqueGaps = !pen.opaqueGaps;
    draw("gaps");
    pen.style = pen.style == PS_DOT ? PS_DASHDOT : PS_DOT;
    draw("style");
  }
}

// Many lines drawn in one call, each from a fresh style position: lines all inside the clip take
// a faster path than a set the clip cuts, and both must leave what drawing each with Line leaves,
// one-pixel and empty lines included, for every pen and raster operation a move image may use.
TEST(Raster, LinesDrawnTogetherLeaveWhatEachLineDrawnAloneLeaves)
{
  constexpr int kW = 40;
  constexpr int kH = 30;
  std::vector<std::pair<CPoint, CPoint>> inside = {
      {{10, 8}, {29, 8}},   {{29, 8}, {30, 8}},   {{12, 20}, {28, 9}},  {{28, 9}, {29, 9}},  {{15, 15}, {15, 15}},
      {{15, 15}, {16, 15}}, {{20, 10}, {21, 11}}, {{21, 11}, {22, 11}}, {{25, 20}, {25, 7}}, {{25, 7}, {26, 7}},
      {{9, 7}, {30, 21}},   {{30, 21}, {31, 21}}, {{18, 12}, {17, 12}}, {{17, 12}, {18, 12}}};
  std::vector<std::pair<CPoint, CPoint>> cut = inside;
  cut.push_back({{2, 3}, {37, 27}});
  const CRectRegion window(CRect(8, 6, 33, 23));
  auto background = [](int i) { return 0xff000000u | static_cast<std::uint32_t>(i * 2654435761u & 0xffffffu); };
  auto boundsOf = [](const std::vector<std::pair<CPoint, CPoint>>& lines) {
    CRect r(lines[0].first.x, lines[0].first.y, lines[0].first.x + 1, lines[0].first.y + 1);
    for (const auto& [a, b] : lines) {
      r.UnionRect(r, CRect(a.x, a.y, a.x + 1, a.y + 1));
      r.UnionRect(r, CRect(b.x, b.y, b.x + 1, b.y + 1));
    }
    return r;
  };
  std::vector<std::uint32_t> together(kW * kH);
  std::vector<std::uint32_t> alone(kW * kH);
  for (const auto* lines : {&inside, &cut})
    for (int style : {PS_SOLID, PS_DOT, PS_DASHDOTDOT})
      for (int rop : {R2_COPYPEN, R2_NOTXORPEN, R2_NOT, R2_MERGEPEN})
        for (bool opaque : {false, true}) {
          for (int i = 0; i < kW * kH; ++i)
            together[static_cast<size_t>(i)] = alone[static_cast<size_t>(i)] = background(i);
          CLinePen pen;
          pen.color = 0xff2040c0u;
          pen.style = style;
          pen.rop = rop;
          pen.opaqueGaps = opaque;
          pen.gapColor = 0xff10e010u;
          CStyleState oneByOne;
          CRasterizer single(CPixelBuffer{alone.data(), kW, kH, kW}, &window);
          for (const auto& [a, b] : *lines) {
            oneByOne = CStyleState();
            single.Line(a, b, pen, oneByOne);
          }
          CStyleState state;
          state.position = 5;
          CRasterizer(CPixelBuffer{together.data(), kW, kH, kW}, &window).Lines(*lines, boundsOf(*lines), pen, state);
          ASSERT_EQ(together, alone) << (lines == &inside ? "inside" : "cut") << " style " << style << " rop " << rop
                                     << " opaque " << opaque;
          EXPECT_EQ(state.position, oneByOne.position);
        }
}

// A rectangle inside the clip is filled without asking the clip about each row; one that the
// clip cuts still fills only what lies inside it.
TEST(Raster, RectanglesInsideAndAcrossTheClipFillThePixelsInsideIt)
{
  constexpr int kW = 32;
  constexpr int kH = 24;
  std::vector<std::uint32_t> bits(kW * kH);
  const CPixelBuffer buffer{bits.data(), kW, kH, kW};
  CRectRegion notched(CRect(0, 0, kW, kH));
  notched.Subtract(CRect(12, 8, 14, 10));
  const CRect rects[] = {{2, 2, 9, 9}, {10, 6, 20, 12}, {-3, 20, 5, 30}, {30, 1, 40, 3}, {5, 5, 5, 9}};
  const CRectRegion* clips[] = {nullptr, &notched};
  for (const CRectRegion* clip : clips)
    for (int rop : {R2_COPYPEN, R2_NOT})
      for (const CRect& rect : rects) {
        std::fill(bits.begin(), bits.end(), 0xff336699u);
        CRasterizer(buffer, clip).FillRect(rect, 0xffcc0000u, rop);
        for (int y = 0; y < kH; ++y)
          for (int x = 0; x < kW; ++x) {
            const bool inside =
                x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom && (!clip || clip->Contains(x, y));
            const std::uint32_t want = inside ? CRasterizer::Mix(rop, 0xffcc0000u, 0xff336699u) : 0xff336699u;
            ASSERT_EQ(bits[static_cast<size_t>(y * kW + x)], want) << x << "," << y << " rop " << rop;
          }
      }
}

// A solid rectangle fills what the region of that rectangle fills, under a clip narrowed and
// brought back by a restore, turned round or empty alike.
TEST(Raster, SolidRectanglesFillAsTheirRegionUnderEveryClipARestoreBringsBack)
{
  CCanvas byRect;
  CCanvas byRegion;
  const CRect rects[] = {{0, 0, 64, 48}, {2, 3, 60, 44}, {50, 40, 30, 20}, {5, 5, 5, 9}, {16, 12, 36, 26}};
  const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 120), RGB(9, 9, 9), RGB(90, 60, 30)};
  for (CCanvas* c : {&byRect, &byRegion}) {
    const auto fill = [c, &byRect](const CRect& r, COLORREF colour) {
      if (c == &byRect) {
        c->dc.FillSolidRect(&r, colour);
        return;
      }
      CRgn region;
      region.CreateRectRgnIndirect(&r);
      CBrush brush(colour);
      c->dc.FillRgn(&region, &brush);
    };
    c->dc.IntersectClipRect(8, 6, 40, 30);
    fill(rects[0], colours[0]);
    const int saved = c->dc.SaveDC();
    c->dc.IntersectClipRect(20, 10, 24, 40);
    fill(rects[1], colours[1]);
    ASSERT_TRUE(c->dc.RestoreDC(saved));
    fill(rects[2], colours[2]);
    fill(rects[3], colours[3]);
    c->dc.SaveDC();
    ASSERT_TRUE(c->dc.RestoreDC(-1)) << "a restore to the clip in force";
    fill(rects[4], colours[4]);
  }
  EXPECT_EQ(byRect.Snapshot(), byRegion.Snapshot());
  EXPECT_EQ(byRect.Pixel(7, 6), RGB(255, 255, 255)) << "outside the first clip";
  EXPECT_EQ(byRect.Pixel(22, 10), RGB(0, 150, 0)) << "inside both clips";
  EXPECT_EQ(byRect.Pixel(30, 8), RGB(200, 0, 0)) << "outside the narrowed clip";
  EXPECT_EQ(byRect.Pixel(38, 25), RGB(0, 0, 120)) << "the turned rectangle, clipped as restored";
  EXPECT_EQ(byRect.Pixel(45, 25), RGB(255, 255, 255)) << "the turned rectangle outside the restored clip";
  EXPECT_EQ(byRect.Pixel(20, 20), RGB(90, 60, 30));
}

// In an inverting raster operation the lines of a drawing go to the device in one call too; each
// must still be drawn as MoveTo and LineTo draw it and then get its end pixel through the pen as
// a one-pixel line, so that drawing them twice restores every pixel.
TEST(Raster, SegmentsThroughThePenDrawAsMoveToLineToOfTheLineAndItsEndPixel)
{
  const std::vector<std::pair<CPoint, CPoint>> segments = {
      {{3, 4}, {40, 4}},    {{20, 0}, {20, 30}}, {{40, 4}, {3, 30}},   {{12, 12}, {12, 12}},
      {{-9, 20}, {70, 22}}, {{30, 40}, {55, 2}}, {{50, 10}, {50, 10}}, {{8, 30}, {8, 4}}};
  auto prepare = [](CCanvas& c, CPen& pen, int rop) {
    for (int i = 0; i < 48; i += 3)
      c.dc.FillSolidRect(0, i, 64, 2, RGB(i * 5, 255 - i * 5, 90));
    c.dc.SetWindowOrg(-2, -1);
    c.dc.IntersectClipRect(0, 0, 48, 36);
    c.dc.SelectObject(&pen);
    c.dc.SetBkColor(RGB(0, 200, 0));
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetROP2(rop);
  };
  for (int style : {PS_SOLID, PS_DOT, PS_DASHDOTDOT})
    for (int rop : {R2_NOTXORPEN, R2_NOT}) {
      CPen pen(style, 0, RGB(0, 0, 255));
      CCanvas oneByOne;
      prepare(oneByOne, pen, rop);
      const std::vector<std::uint32_t> before = oneByOne.Snapshot();
      for (const auto& [a, b] : segments) {
        oneByOne.dc.MoveTo(a);
        oneByOne.dc.LineTo(b);
        oneByOne.dc.MoveTo(b);
        oneByOne.dc.LineTo(b.x + 1, b.y);
      }
      CCanvas together;
      prepare(together, pen, rop);
      ASSERT_TRUE(together.dc.DrawSegmentsThroughPen(segments));
      EXPECT_EQ(together.Snapshot(), oneByOne.Snapshot()) << "pen style " << style << " rop " << rop;
      EXPECT_EQ(together.dc.GetCurrentPosition(), oneByOne.dc.GetCurrentPosition());
      oneByOne.dc.LineTo(30, 33);
      together.dc.LineTo(30, 33);
      EXPECT_EQ(together.Snapshot(), oneByOne.Snapshot()) << "pen style " << style << " rop " << rop;
      // Drawn again, all of it goes.
      ASSERT_TRUE(together.dc.DrawSegmentsThroughPen(segments));
      together.dc.LineTo(30, 33);
      EXPECT_EQ(together.Snapshot(), before) << "pen style " << style << " rop " << rop;
    }
}

TEST(RectRegion, ARectangleIsContainedOnlyWhenNoPixelOfItIsOutside)
{
  CRectRegion region(CRect(0, 0, 10, 10));
  region.Union(CRect(10, 0, 20, 5));
  EXPECT_TRUE(region.ContainsRect(CRect(2, 2, 8, 8)));
  EXPECT_TRUE(region.ContainsRect(CRect(5, 1, 15, 5)));   // across both rectangles
  EXPECT_FALSE(region.ContainsRect(CRect(5, 1, 15, 6)));  // one row below the second
  EXPECT_FALSE(region.ContainsRect(CRect(-1, 0, 3, 3)));
  EXPECT_TRUE(region.ContainsRect(CRect(30, 30, 30, 30)));
  EXPECT_FALSE(CRectRegion().ContainsRect(CRect(0, 0, 1, 1)));
}

// Containment is read from the covered area of the region's pieces: over regions of many pieces
// made by every operation, it must agree with the pixels, whether a rectangle lies across many
// pieces, across a hole or partly outside.
TEST(RectRegion, ContainmentAgreesWithThePixelsOverRegionsOfManyPieces)
{
  std::uint32_t seed = 7;
  auto next = [&seed](int n) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
  };
  auto randomRect = [&next] {
    const int left = next(24);
    const int top = next(24);
    return CRect(left, top, left + 1 + next(10), top + 1 + next(10));
  };
  int contained = 0;
  int notContained = 0;
  for (int round = 0; round < 60; ++round) {
    CRectRegion region;
    for (int k = 0; k < 12; ++k) {
      const CRect r = randomRect();
      switch (next(4)) {
      case 0:
        region.Subtract(r);
        break;
      case 1:
        region.Xor(CRectRegion(r));
        break;
      default:
        region.Union(r);
      }
    }
    for (int k = 0; k < 40; ++k) {
      const CRect r = randomRect();
      bool inside = true;
      for (int y = r.top; y < r.bottom && inside; ++y)
        for (int x = r.left; x < r.right && inside; ++x)
          inside = region.Contains(x, y) != FALSE;
      ASSERT_EQ(region.ContainsRect(r) != FALSE, inside)
          << "round " << round << ", rectangle " << r.left << " " << r.top << " " << r.right << " " << r.bottom;
      ++(inside ? contained : notContained);
    }
  }
  // Both answers were asked for many times.
  EXPECT_GT(contained, 100);
  EXPECT_GT(notContained, 100);
}

// The many lines of a drawing go to the device in one call; each must still be drawn as MoveTo
// and LineTo draw it and then get its end pixel as SetPixel sets it, one line after the other,
// through the mapping, the clip, a styled pen and its opaque gaps.
TEST(Raster, SegmentsDrawAsMoveToLineToAndSetPixelOneAfterTheOther)
{
  const std::vector<std::pair<CPoint, CPoint>> segments = {
      {{3, 4}, {40, 4}},    {{20, 0}, {20, 30}}, {{40, 4}, {3, 30}},   {{12, 12}, {12, 12}},
      {{-9, 20}, {70, 22}}, {{30, 40}, {55, 2}}, {{50, 10}, {50, 10}}, {{8, 30}, {8, 4}}};
  auto prepare = [](CCanvas& c, CPen& pen) {
    c.dc.SetWindowOrg(-2, -1);
    c.dc.IntersectClipRect(0, 0, 48, 36);
    c.dc.SelectObject(&pen);
    c.dc.SetBkColor(RGB(0, 200, 0));
    c.dc.SetBkMode(OPAQUE);
  };
  for (int style : {PS_SOLID, PS_DOT}) {
    CPen pen(style, 0, RGB(0, 0, 255));
    CCanvas oneByOne;
    prepare(oneByOne, pen);
    for (const auto& [a, b] : segments) {
      oneByOne.dc.MoveTo(a);
      oneByOne.dc.LineTo(b);
      oneByOne.dc.SetPixel(b, RGB(255, 0, 0));
    }
    CCanvas together;
    prepare(together, pen);
    ASSERT_TRUE(together.dc.DrawSegments(segments, RGB(255, 0, 0)));
    EXPECT_EQ(together.Snapshot(), oneByOne.Snapshot()) << "pen style " << style;
    EXPECT_EQ(together.dc.GetCurrentPosition(), oneByOne.dc.GetCurrentPosition());
    // A dotted line drawn on from there continues the pattern where the last line left it.
    oneByOne.dc.LineTo(30, 33);
    together.dc.LineTo(30, 33);
    EXPECT_EQ(together.Snapshot(), oneByOne.Snapshot()) << "pen style " << style;
  }
}

// A device context keeps the image's pixels between primitives; a copy of the image taken
// meanwhile keeps its own pixels, and a resized image is drawn in where its pixels now lie.
TEST(Raster, ADeviceNeverWritesIntoPixelsItsImageNoLongerOwnsAlone)
{
  CCanvas c(32, 24);
  c.dc.MoveTo(0, 2);
  c.dc.LineTo(20, 2);
  const QImage copy = c.image.Image();
  c.dc.MoveTo(0, 6);
  c.dc.LineTo(20, 6);
  EXPECT_EQ(c.Pixel(5, 6), kBlack);
  EXPECT_EQ(CRasterizer::ToColorRef(copy.pixel(5, 6)), kWhite) << "the copy took the pixels as they were";
  EXPECT_EQ(CRasterizer::ToColorRef(copy.pixel(5, 2)), kBlack);
  c.image.Resize(64, 48, kWhite);
  c.image.Resize(40, 40, kWhite);
  c.dc.MoveTo(0, 10);
  c.dc.LineTo(20, 10);
  EXPECT_EQ(c.Pixel(19, 10), kBlack);
  EXPECT_EQ(c.Pixel(5, 2), kBlack) << "the resize kept the pixels that fit";
  EXPECT_EQ(c.CountNot(kWhite), 3 * 20);
}

// On an image kept at a device pixel ratio (a window's surface at 200 % and 150 %) the rules hold
// in window pixels, drawn at the image's own resolution: a line leaves out its last window pixel
// whichever way it runs (at 150 % the pen's square of it), joints and inverting modes change each device pixel once, a rectangle
// stays off its right and bottom window pixels, every cosmetic line is equally heavy, and a
// diagonal is not the window-pixel picture blown up.
TEST(Raster, AtADevicePixelRatioTheRulesHoldInWindowPixelsAtTheImagesResolution)
{
  for (const double ratio : {2.0, 1.5}) {
    SCOPED_TRACE(ratio);
    CImageData image(80, 60, kWhite, ratio);
    const CDeviceScale& scale = image.Scale();
    const int pen = scale.Pen();
    CDC dc;
    dc.AttachImage(&image);
    const QImage& img = image.Image();
    ASSERT_EQ(img.size(), QSize(scale.At(80), scale.At(60)));
    auto black = [&img](int x, int y) { return CRasterizer::ToColorRef(img.pixel(x, y)) == kBlack; };
    auto blackIn = [&](const CRect& window) {
      const CRect d = scale.At(window);
      int n = 0;
      for (int y = d.top; y < d.bottom; ++y)
        for (int x = d.left; x < d.right; ++x)
          n += black(x, y);
      return n;
    };

    // Leftwards, rightwards, up and down: the window pixels from the start to before the end.
    dc.MoveTo(30, 3);
    dc.LineTo(4, 3);
    dc.LineTo(4, 20);
    dc.LineTo(30, 20);
    dc.LineTo(30, 3);
    for (int x = 5; x < 30; ++x) {
      EXPECT_EQ(blackIn(CRect(x, 3, x + 1, 4)), pen * (scale.At(x + 1) - scale.At(x))) << x;
      EXPECT_EQ(blackIn(CRect(x, 20, x + 1, 21)), pen * (scale.At(x + 1) - scale.At(x))) << x;
    }
    // Each line covers the device pixels from its start's pen square to before its end's, the
    // pen deep: where a window pixel is wider than the pen, a line running left or up ends where
    // the pen's square of its end begins.
    const int covered = 2 * (scale.At(30) - scale.At(4)) + 2 * (scale.At(20) - scale.At(3));
    EXPECT_EQ(blackIn(CRect(0, 0, 80, 60)), pen * covered) << "each joint once, nothing beyond the lines";

    // A diagonal: every device column it crosses holds the pen's width, and at 200 % its steps
    // are device pixels, not window pixels doubled.
    dc.MoveTo(40, 5);
    dc.LineTo(70, 50);
    int mixed = 0;
    const CRect d = scale.At(CRect(40, 5, 70, 50));
    for (int y = d.top; y < d.bottom; ++y) {
      int inRow = 0;
      for (int x = d.left; x < d.right + pen; ++x)
        inRow += black(x, y);
      EXPECT_EQ(inRow, pen) << y;
    }
    for (int y = 5; y < 50; ++y)
      for (int x = 40; x < 70; ++x) {
        const int n = blackIn(CRect(x, y, x + 1, y + 1));
        mixed += n > 0 && n < (scale.At(x + 1) - scale.At(x)) * (scale.At(y + 1) - scale.At(y));
      }
    EXPECT_GT(mixed, 10);

    // A rectangle's outline lies on its window pixels, inside its right and bottom edges.
    dc.Rectangle(10, 30, 25, 45);
    EXPECT_EQ(blackIn(CRect(25, 30, 26, 46)) + blackIn(CRect(10, 45, 26, 46)), 0);
    EXPECT_EQ(blackIn(CRect(24, 31, 25, 44)), pen * (scale.At(44) - scale.At(31)));

    // Inverted twice, every shape leaves every device pixel as it was.
    for (int i = 0; i < 60; i += 3)
      dc.FillSolidRect(0, i, 80, 1, RGB(i * 4, 255 - i * 4, 100));
    const QImage before = img.copy();
    CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
    CPen solid(PS_SOLID, 0, RGB(200, 30, 90));
    CBrush brush(RGB(10, 200, 40));
    auto draw = [&] {
      dc.SetROP2(R2_NOTXORPEN);
      dc.SelectObject(&solid);
      dc.SelectObject(&brush);
      dc.MoveTo(1, 1);
      dc.LineTo(70, 50);
      dc.LineTo(5, 40);
      dc.LineTo(1, 1);
      dc.Rectangle(10, 10, 40, 30);
      dc.Rectangle(15, 12, 16, 50);
      dc.Arc(20, 5, 70, 55, 70, 30, 45, 5);
      dc.Arc(30, 20, 50, 40, 40, 20, 40, 20);
      dc.Ellipse(2, 30, 30, 58);
      const POINT tri[] = {{50, 5}, {78, 40}, {45, 55}};
      dc.Polygon(tri, 3);
      dc.SelectObject(&dotted);
      dc.MoveTo(0, 59);
      dc.LineTo(79, 0);
      const CRect inverted(60, 2, 75, 9);
      dc.InvertRect(&inverted);
    };
    draw();
    EXPECT_NE(img, before);
    draw();
    EXPECT_EQ(img, before);
    dc.SelectStockObject(BLACK_PEN);
  }
}

// The last pixel of a line drawn with its end pixel is the pen's width wide, where the line would
// go on: at 150 % a window pixel may be two device pixels across a line one device pixel wide, and
// a set pixel is the pen's square where its window pixel starts. At 100 % and 200 % the pen's
// square is the whole window pixel.
TEST(Raster, AtADevicePixelRatioAnEndPixelIsThePensWidth)
{
  constexpr COLORREF kRed = RGB(255, 0, 0);
  // At 150 % window pixel 10 is two device pixels each way.
  const CPoint end(10, 10);
  const CPoint starts[] = {{20, 10}, {0, 10}, {10, 0}, {10, 20}, {20, 20}, {0, 0}, {0, 20}, {20, 0}, {18, 6}, {10, 10}};
  for (const double ratio : {1.0, 2.0, 1.5}) {
    SCOPED_TRACE(ratio);
    const CDeviceScale scale(ratio);
    const int pen = scale.Pen();
    const CRect window = scale.At(CRect(end.x, end.y, end.x + 1, end.y + 1));
    for (const CPoint& start : starts) {
      SCOPED_TRACE(::testing::Message() << "from " << start.x << ", " << start.y);
      CImageData image(32, 32, kWhite, ratio);
      CDC dc;
      dc.AttachImage(&image);
      ASSERT_TRUE(dc.DrawSegments({{start, end}}, kRed));
      const QImage& img = image.Image();
      auto at = [&img](int x, int y) {
        return x < 0 || y < 0 || x >= img.width() || y >= img.height() ? kWhite
                                                                       : CRasterizer::ToColorRef(img.pixel(x, y));
      };
      int red = 0;
      int redBesideLine = 0;
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
          if (at(x, y) != kRed)
            continue;
          ++red;
          EXPECT_TRUE(window.PtInRect(CPoint(x, y))) << x << ", " << y << " outside the end's window pixel";
          bool touches = false;
          for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
              touches = touches || at(x + dx, y + dy) == kBlack;
          redBesideLine += touches;
        }
      EXPECT_EQ(red, pen * pen);
      if (start != end) {
        EXPECT_GT(redBesideLine, 0) << "a gap between the line and its end pixel";
      }
    }
    CImageData image(32, 32, kWhite, ratio);
    CDC dc;
    dc.AttachImage(&image);
    dc.SetPixel(end, kRed);
    const QImage& img = image.Image();
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const bool inSquare = x >= window.left && x < window.left + pen && y >= window.top && y < window.top + pen;
        EXPECT_EQ(CRasterizer::ToColorRef(img.pixel(x, y)), inSquare ? kRed : kWhite) << x << ", " << y;
      }
  }
}

// A closed outline drawn with lines, whichever way round, as lines with their end pixels (as the
// translators draw) or as a polygon, lies exactly on the outline of the rectangle of the same
// corners at every device pixel ratio: its corners close, and no line runs a device pixel past
// the line it meets where a window pixel is wider than the pen (125 %, 150 %, 175 %). A line
// inverted with its end pixel through the pen (drag feedback) covers the pixels the same line
// drawn with its end pixel covers.
TEST(Raster, AtEveryDevicePixelRatioAClosedOutlineLiesOnTheRectangleOfItsCorners)
{
  using COutline = std::function<void(CDC&)>;
  for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    const CDeviceScale scale(ratio);
    auto draw = [ratio](const COutline& outline) {
      auto image = std::make_unique<CImageData>(32, 32, kWhite, ratio);
      CDC dc;
      dc.AttachImage(image.get());
      dc.SelectStockObject(NULL_BRUSH);
      outline(dc);
      return image;
    };
    // The device pixels where two drawings differ, the first few of them named.
    auto differences = [](const CImageData& drawn, const CImageData& expected, std::string& named) {
      const QImage& got = drawn.Image();
      const QImage& want = expected.Image();
      int count = 0;
      for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
          if (got.pixel(x, y) != want.pixel(x, y) && ++count <= 4)
            named += " (" + std::to_string(x) + ", " + std::to_string(y) + ")" +
                     (CRasterizer::ToColorRef(got.pixel(x, y)) == kBlack ? " inked" : " missing");
      return count;
    };
    // Corners on window pixels of both widths at each ratio.
    for (int shift = 0; shift < 4; ++shift) {
      const int l = 3 + shift;
      const int t = 4 + 2 * shift;
      const int r = 21 + shift;
      const int b = 17 + shift;
      SCOPED_TRACE(::testing::Message() << "ratio " << ratio << ", corners (" << l << ", " << t << ") and (" << r
                                        << ", " << b << ")");
      const auto expected = draw([&](CDC& dc) { dc.Rectangle(l, t, r + 1, b + 1); });
      const CPoint clockwise[] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
      const CPoint anticlockwise[] = {{l, t}, {l, b}, {r, b}, {r, t}, {l, t}};
      auto lines = [](const CPoint(&points)[5]) {
        return [&points](CDC& dc) {
          dc.MoveTo(points[0]);
          for (int i = 1; i < 5; ++i)
            dc.LineTo(points[i]);
        };
      };
      auto segments = [](const CPoint(&points)[5]) {
        return [&points](CDC& dc) {
          std::vector<std::pair<CPoint, CPoint>> edges;
          for (int i = 0; i < 4; ++i)
            edges.emplace_back(points[i], points[i + 1]);
          dc.DrawSegments(edges, kBlack);
        };
      };
      const std::pair<const char*, COutline> ways[] = {
          {"lines clockwise", lines(clockwise)},
          {"lines anticlockwise", lines(anticlockwise)},
          {"segments clockwise", segments(clockwise)},
          {"segments anticlockwise", segments(anticlockwise)},
          {"polygon", [&](CDC& dc) { dc.Polygon(clockwise, 4); }},
          {"polygon anticlockwise", [&](CDC& dc) { dc.Polygon(anticlockwise, 4); }},
      };
      for (const auto& [name, outline] : ways) {
        std::string named;
        EXPECT_EQ(differences(*draw(outline), *expected, named), 0)
            << name << ": device pixels off the outline of the rectangle (" << scale.At(r + 1) - scale.At(l) << " x "
            << scale.At(b + 1) - scale.At(t) << " device pixels):" << named;
      }
      for (const CPoint* points : {clockwise, anticlockwise})
        for (int i = 0; i < 4; ++i) {
          const std::vector<std::pair<CPoint, CPoint>> edge{{points[i], points[i + 1]}};
          const auto inverted = draw([&](CDC& dc) {
            dc.SetROP2(R2_NOT);
            dc.DrawSegmentsThroughPen(edge);
          });
          std::string named;
          EXPECT_EQ(differences(*inverted, *draw([&](CDC& dc) { dc.DrawSegments(edge, kBlack); }), named), 0)
              << "the line from (" << edge[0].first.x << ", " << edge[0].first.y << ") to (" << edge[0].second.x << ", "
              << edge[0].second.y << ") inverted with its end pixel:" << named;
        }
    }
  }
}

// The device pixels a window rectangle touches are every device pixel it covers in part, on both
// sides, at ratios where a window pixel's edge falls inside a device pixel: none left out (a
// repaint would leave its old contents on the screen), none taken that it does not cover.
TEST(DeviceScale, TouchedHoldsEveryDevicePixelAWindowRectangleCoversInPart)
{
  for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    const CDeviceScale scale(ratio);
    for (int left = -3; left < 6; ++left)
      for (int right = left + 1; right < 9; ++right) {
        const CRect touched = scale.Touched(CRect(left, left, right, right));
        for (int device = -8; device < 20; ++device) {
          const bool covered = device < right * ratio && device + 1 > left * ratio;
          EXPECT_EQ(touched.left <= device && device < touched.right, covered)
              << "ratio " << ratio << ", window pixels " << left << " to " << right << ", device pixel " << device
              << " across";
          EXPECT_EQ(touched.top <= device && device < touched.bottom, covered)
              << "ratio " << ratio << ", window pixels " << left << " to " << right << ", device pixel " << device
              << " down";
        }
      }
  }
}

// A failing comparison of points, rectangles, strings or images says what the values were.
TEST(TestPrinters, FailingComparisonsShowPointsStringsAndImagesAsTheirValues)
{
  // The failure message names the expressions too: the values stand apart from them.
  static const CPoint at(-40, 5000);
  static const CPoint next(-40, 5001);
  EXPECT_NONFATAL_FAILURE(EXPECT_EQ(at, next), "Which is: (-40, 5000)");
  EXPECT_EQ(::testing::PrintToString(CRect(1, 2, 30, 40)), "(1, 2)-(30, 40)");
  EXPECT_EQ(::testing::PrintToString(CSize(3, -4)), "3 x -4");
  static const QString room("Living Room");
  static const QString kitchen("Kitchen");
  EXPECT_NONFATAL_FAILURE(EXPECT_EQ(room, kitchen), "Which is: \"Living Room\"");
  EXPECT_EQ(::testing::PrintToString(QString()), "null QString");
  CImageData image(8, 6, kWhite, 1.5);
  const QImage white = image.Image();
  image.Image().setPixel(3, 2, 0xFF000000u);
  const std::string printed = ::testing::PrintToString(image.Image());
  EXPECT_EQ(printed.rfind("QImage 12 x 9, format ", 0), 0u) << printed;
  EXPECT_NE(printed.find("device pixel ratio 1.5"), std::string::npos) << printed;
  EXPECT_NE(printed, ::testing::PrintToString(white)) << "two images that differ print alike";
}
