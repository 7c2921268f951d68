// Guards drawing through device-context translators: the end pixel of every line, clipping to
// 16-bit device coordinates, the rounding of the scale mapping, the category pens with their
// key-0 fallback, inverted drawing that a second pass undoes pixel for pixel, and lines drawn
// together or from a draw list exactly as one by one.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include <QImage>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2dvector.h"
#include "geometry/Angle.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/draw/ImageData.h"
#include "support/VEntExcp.h"
#include "views/Drawlist.h"
#include "views/Xltdata.h"
#include "views/Xltgdi.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kSize = 40;

class XltgdiTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(bitmap.CreateBitmap(kSize, kSize));
    dc.AttachImage(bitmap.Image());
    dc.FillSolidRect(0, 0, kSize, kSize, kWhite);
    map.SetGDIData(0, new CXLTGDIData(RGB(0, 0, 0)));
    map.SetGDIData(20, new CXLTGDIData(kRed));
  }
  int CountNot(COLORREF colour) const
  {
    int count = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        count += dc.GetPixel(x, y) != colour;
    return count;
  }
  std::vector<COLORREF> Pixels() const
  {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        pixels.push_back(dc.GetPixel(x, y));
    return pixels;
  }
  CBitmap bitmap;
  CDC dc;
  CMapECatToXLTGDIData map;
};

// Maps world units one to one, shifted, and draws in an inverting mode when asked.
class CShiftTranslator : public CDCTranslator
{
public:
  CShiftTranslator(CMapECatToXLTGDIData* pMap, CDC* pDC, CPoint shift) : CDCTranslator(pMap, pDC), m_shift(shift) {}
  CPoint ConvertPoint(CVRX2DPoint point) override
  {
    return CPoint(static_cast<int>(point.GetX()) + m_shift.x, static_cast<int>(point.GetY()) + m_shift.y);
  }

private:
  CPoint m_shift;
};

CVRX2DEntityArray Lines(std::initializer_list<CVRX2DLine> lines)
{
  CVRX2DEntityArray entities;
  for (const CVRX2DLine& line : lines)
    entities.Add(line.Clone());
  return entities;
}

// Lines of two categories that meet end to end, a zero-length line, lines cut at the bitmap and
// at 16 bits, and an arc after them.
CVRX2DEntityArray MixedLinesAndAnArc()
{
  CVRX2DEntityArray entities = Lines(
      {CVRX2DLine(20, CVRX2DPoint(2, 10), CVRX2DPoint(30, 10)), CVRX2DLine(13, CVRX2DPoint(15, 2), CVRX2DPoint(15, 10)),
       CVRX2DLine(13, CVRX2DPoint(15, 10), CVRX2DPoint(33, 25)),
       CVRX2DLine(20, CVRX2DPoint(15, 20), CVRX2DPoint(15, 10)), CVRX2DLine(20, CVRX2DPoint(7, 7), CVRX2DPoint(7, 7)),
       CVRX2DLine(20, CVRX2DPoint(-5, 30), CVRX2DPoint(50, 33)),
       CVRX2DLine(20, CVRX2DPoint(0, 36), CVRX2DPoint(40000, 36))});
  entities.Add(new CVRX2DArc(13, CVRX2DPoint(20, 20), 8, 8, CVRXAngle(0.0), CVRXAngle(0.3), CVRXAngle(2.0)));
  return entities;
}
}  // namespace

TEST_F(XltgdiTest, ALineEndsOnItsLastPixelAndAZeroLineIsOnePixel)
{
  CGDITranslator translator(&map, &dc, 1.0);
  translator.Translate(Lines({CVRX2DLine(20, CVRX2DPoint(5, 5), CVRX2DPoint(5, 5))}));
  EXPECT_EQ(dc.GetPixel(5, 5), kRed);
  EXPECT_EQ(CountNot(kWhite), 1);

  translator.Translate(Lines({CVRX2DLine(20, CVRX2DPoint(10, 20), CVRX2DPoint(19, 20))}));
  EXPECT_EQ(dc.GetPixel(10, 20), kRed);
  EXPECT_EQ(dc.GetPixel(19, 20), kRed);
  EXPECT_EQ(CountNot(kWhite), 11);
}

TEST_F(XltgdiTest, LinesBeyondSixteenBitsAreClippedOrLeftOut)
{
  CGDITranslator translator(&map, &dc, 1.0);
  translator.Translate(Lines({CVRX2DLine(20, CVRX2DPoint(40000, 3), CVRX2DPoint(50000, 3))}));
  EXPECT_EQ(CountNot(kWhite), 0);
  // Crossing the boundary: drawn up to it; the end pixel lands there, outside the bitmap.
  translator.Translate(Lines({CVRX2DLine(20, CVRX2DPoint(0, 3), CVRX2DPoint(40000, 3))}));
  EXPECT_EQ(CountNot(kWhite), kSize);
}

TEST_F(XltgdiTest, TheScaleMappingRoundsHalvesAwayFromZero)
{
  CGDITranslator translator(&map, &dc, 64.0);
  EXPECT_EQ(translator.ConvertPoint(CVRX2DPoint(0.5 / 64, -0.5 / 64)), CPoint(1, -1));
  EXPECT_EQ(translator.ConvertPoint(CVRX2DPoint(0.49 / 64, 0)), CPoint(0, 0));
}

TEST_F(XltgdiTest, CategoriesDrawWithTheirPenOrTheDefaultAndZeroIsRefused)
{
  CGDITranslator translator(&map, &dc, 1.0);
  translator.Translate(Lines({CVRX2DLine(13, CVRX2DPoint(2, 2), CVRX2DPoint(6, 2))}));
  EXPECT_EQ(dc.GetPixel(2, 2), RGB(0, 0, 0));
  EXPECT_EQ(dc.GetPixel(6, 2), RGB(0, 0, 0));
  EXPECT_THROW(translator.Translate(Lines({CVRX2DLine(0, CVRX2DPoint(2, 8), CVRX2DPoint(6, 8))})), CVRXEntityException);
  EXPECT_EQ(dc.GetPixel(2, 8), kWhite);
  // The raster operation of the caller comes back, also after a failure.
  EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
}

TEST_F(XltgdiTest, AnUprightEllipseIsOneArcInATallBox)
{
  CGDITranslator translator(&map, &dc, 1.0);
  CVRX2DEntityArray arcs;
  arcs.Add(
      new CVRX2DArc(20, CVRX2DPoint(20, 20), 12, 6, CVRXAngle(std::numbers::pi / 2), CVRXAngle(0.0), CVRXAngle(0.0)));
  translator.Translate(arcs);
  // The whole ellipse in its box, 12 wide and 24 high.
  CRect drawn;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (dc.GetPixel(x, y) == kRed)
        drawn.UnionRect(drawn, CRect(x, y, x + 1, y + 1));
  EXPECT_GE(drawn.left, 14);
  EXPECT_LE(drawn.right, 27);
  EXPECT_GE(drawn.top, 8);
  EXPECT_LE(drawn.bottom, 32);
  EXPECT_GE(drawn.Height(), 2 * drawn.Width() - 4);
  EXPECT_EQ(dc.GetPixel(20, 20), kWhite);
}

TEST_F(XltgdiTest, InvertedDrawingTwiceRestoresEveryPixel)
{
  dc.FillSolidRect(0, 0, kSize / 2, kSize, RGB(30, 90, 200));
  std::vector<COLORREF> before = Pixels();
  CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
  CShiftTranslator translator(nullptr, &dc, CPoint(0, 0));
  CVRX2DEntityArray entities = Lines({CVRX2DLine(20, CVRX2DPoint(3, 3), CVRX2DPoint(30, 3)),
                                      CVRX2DLine(20, CVRX2DPoint(30, 3), CVRX2DPoint(30, 30)),
                                      CVRX2DLine(20, CVRX2DPoint(12, 12), CVRX2DPoint(12, 12))});
  entities.Add(new CVRX2DArc(20, CVRX2DPoint(20, 20), 8, 8, CVRXAngle(0.0), CVRXAngle(0.3), CVRXAngle(2.0)));
  dc.SelectObject(&dotted);
  dc.SetROP2(R2_NOTXORPEN);
  translator.Translate(entities);
  EXPECT_NE(Pixels(), before);
  // The zero-length line's one pixel and the end pixel of the last line are inverted.
  EXPECT_NE(dc.GetPixel(12, 12), before[12 * kSize + 12]);
  EXPECT_NE(dc.GetPixel(30, 30), before[30 * kSize + 30]);
  translator.Translate(entities);
  EXPECT_EQ(Pixels(), before);
}

// While copying, a translator hands the lines of one category to the device context together,
// and a draw list keeps the lines it was made from by value. Both must set every pixel as the
// lines drawn one by one set it: the end pixel of one line overwritten by the next, categories
// changing, an arc in between, a zero-length line, lines cut at the bitmap, at the clip and at
// 16 bits.
// At 150 % too, where a line's end pixel lies on the side of its window pixel the line comes
// from.
TEST_F(XltgdiTest, GatheredLinesAndDrawListsSetThePixelsOfLinesDrawnOneByOne)
{
  CVRX2DEntityArray entities = MixedLinesAndAnArc();
  for (const CVRX2DLine& line : {CVRX2DLine(13, CVRX2DPoint(28, 12), CVRX2DPoint(20, 20)),
                                 CVRX2DLine(13, CVRX2DPoint(36, 2), CVRX2DPoint(36, 39))})
    entities.Add(line.Clone());
  for (const double ratio : {1.0, 1.5}) {
    SCOPED_TRACE(ratio);
    CImageData image(kSize, kSize, kWhite, ratio);
    CDC onImage;
    onImage.AttachImage(&image);
    auto drawn = [&](const std::function<void(CGDITranslator&)>& draw) {
      onImage.FillSolidRect(0, 0, kSize, kSize, kWhite);
      onImage.SaveDC();
      onImage.IntersectClipRect(0, 0, 35, kSize);
      CGDITranslator translator(&map, &onImage, 1.0);
      draw(translator);
      onImage.RestoreDC(-1);
      return image.Image().copy();
    };
    const QImage oneByOne = drawn([&](CGDITranslator& translator) {
      for (int i = 0; i < entities.GetSize(); ++i)
        translator.TranslateEntity(*entities[i]);
    });
    // At 150 % the two end pixels share the window pixel, each on its own line's side.
    if (ratio == 1.0) {
      EXPECT_EQ(onImage.GetPixel(15, 10), kRed) << "the red line over the black end pixel";
    }
    EXPECT_EQ(drawn([&](CGDITranslator& translator) { translator.Translate(entities); }), oneByOne);
    CDrawList list;
    list.Assign(entities);
    EXPECT_EQ(drawn([&](CGDITranslator& translator) { translator.TranslateDrawList(list); }), oneByOne);
  }
}

// Inverting, a translator hands the lines of one category to the device context together too,
// their end pixels drawn through the pen; and it draws entities moved by a matrix without
// copying their lines. Both must invert every pixel as the lines drawn one by one invert it,
// with the category pens and with the DC's dotted pen, over a background that is not uniform.
TEST_F(XltgdiTest, InvertedGatheredAndMovedLinesSetThePixelsOfLinesDrawnOneByOne)
{
  CVRX2DEntityArray entities = MixedLinesAndAnArc();
  entities.Add(CVRX2DLine(13, CVRX2DPoint(28, 12), CVRX2DPoint(20, 20)).Clone());
  const CVRX2DTransformationMatrix move(CVRX2DVector(1.75, -2.5));
  CVRX2DEntityArray moved(entities);
  moved.Transform(move);
  CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
  for (CMapECatToXLTGDIData* pMap : {static_cast<CMapECatToXLTGDIData*>(nullptr), &map}) {
    auto drawn = [&](const std::function<void(CShiftTranslator&)>& draw) {
      for (int y = 0; y < kSize; y += 2)
        dc.FillSolidRect(0, y, kSize, 2, RGB(y * 6, 200 - y * 4, 60 + y));
      dc.SaveDC();
      dc.IntersectClipRect(0, 0, 35, kSize);
      dc.SelectObject(&dotted);
      dc.SetROP2(R2_NOTXORPEN);
      CShiftTranslator translator(pMap, &dc, CPoint(1, 2));
      draw(translator);
      dc.RestoreDC(-1);
      return Pixels();
    };
    const std::vector<COLORREF> oneByOne = drawn([&](CShiftTranslator& translator) {
      for (int i = 0; i < entities.GetSize(); ++i)
        translator.TranslateEntity(*entities[i]);
    });
    EXPECT_EQ(drawn([&](CShiftTranslator& translator) { translator.Translate(entities); }), oneByOne);
    const std::vector<COLORREF> movedOneByOne = drawn([&](CShiftTranslator& translator) {
      for (int i = 0; i < moved.GetSize(); ++i)
        translator.TranslateEntity(*moved[i]);
    });
    EXPECT_NE(movedOneByOne, oneByOne);
    EXPECT_EQ(drawn([&](CShiftTranslator& translator) { translator.TranslateMoved(entities, move); }), movedOneByOne);
    // The same kept in a draw list filled in two parts, as a dragged group keeps its members'.
    CVRX2DEntityArray firstPart;
    CVRX2DEntityArray secondPart;
    for (int i = 0; i < entities.GetSize(); ++i)
      (i < 4 ? firstPart : secondPart).Add(entities[i]->Clone());
    CDrawList kept;
    kept.Append(firstPart);
    kept.Append(secondPart);
    EXPECT_EQ(drawn([&](CShiftTranslator& translator) { translator.TranslateMovedDrawList(kept, move); }),
              movedOneByOne);
    // A move that also turns is not a shift: the list's lines go through the matrix.
    CVRX2DTransformationMatrix turn(move);
    turn.Rotate(CVRXAngle(0.05));
    CVRX2DEntityArray turned(entities);
    turned.Transform(turn);
    const std::vector<COLORREF> turnedOneByOne = drawn([&](CShiftTranslator& translator) {
      for (int i = 0; i < turned.GetSize(); ++i)
        translator.TranslateEntity(*turned[i]);
    });
    EXPECT_NE(turnedOneByOne, movedOneByOne);
    EXPECT_EQ(drawn([&](CShiftTranslator& translator) { translator.TranslateMovedDrawList(kept, turn); }),
              turnedOneByOne);
    // A draw list transformed draws what the transformed entities draw.
    CDrawList transformed;
    transformed.Assign(entities);
    transformed.Transform(move);
    EXPECT_EQ(drawn([&](CShiftTranslator& translator) { translator.TranslateDrawList(transformed); }), movedOneByOne);
  }
}

namespace {
void ExpectSameEntries(const CDrawList& list, const CDrawList& expected)
{
  ASSERT_EQ(list.Entries().size(), expected.Entries().size());
  for (size_t i = 0; i < list.Entries().size(); ++i) {
    const CDrawList::CEntry& got = list.Entries()[i];
    const CDrawList::CEntry& want = expected.Entries()[i];
    EXPECT_EQ(got.category, want.category);
    ASSERT_EQ(got.pOther != nullptr, want.pOther != nullptr);
    if (want.pOther) {
      const auto& gotArc = static_cast<const CVRX2DArc&>(*got.pOther);
      EXPECT_TRUE(gotArc.IsEqual(static_cast<const CVRX2DArc&>(*want.pOther))) << "entry " << i;
      EXPECT_EQ(gotArc.GetCentre(), static_cast<const CVRX2DArc&>(*want.pOther).GetCentre());
      EXPECT_EQ(got.pOther->GetCategory(), want.pOther->GetCategory()) << "entry " << i;
    } else {
      EXPECT_EQ(std::make_tuple(got.x1, got.y1, got.x2, got.y2), std::make_tuple(want.x1, want.y1, want.x2, want.y2))
          << "entry " << i;
    }
  }
}

CVRX2DEntityArray LinesAndAnArc()
{
  CVRX2DEntityArray entities;
  entities.Add(CVRX2DLine(20, CVRX2DPoint(0.1, 10.3), CVRX2DPoint(30.7, 10.3)).Clone());
  entities.Add(new CVRX2DArc(13, CVRX2DPoint(20, 20), 8, 5, CVRXAngle(0.2), CVRXAngle(0.3), CVRXAngle(2.0)));
  entities.Add(CVRX2DLine(13, CVRX2DPoint(1e7 / 3.0, -2.2), CVRX2DPoint(20, 1.0 / 3.0)).Clone());
  return entities;
}
}  // namespace

// A unit's draw list moves with it rather than being copied again: moved, it must hold exactly
// the copy of the moved entities, line points to the last bit and the other entities moved.
TEST(DrawList, ATransformedListHoldsTheCopyOfTheTransformedEntities)
{
  CVRX2DEntityArray entities = LinesAndAnArc();
  const CVRX2DTransformationMatrix move(CVRX2DVector(1.0 / 7.0, -2.5e-3));
  CDrawList list;
  list.Assign(entities);
  list.Transform(move);
  CVRX2DEntityArray moved(entities);
  moved.Transform(move);
  CDrawList expected;
  expected.Assign(moved);
  ExpectSameEntries(list, expected);
}

// Highlighted sides go into a list in the highlight's category without a copy of each being
// made first: the list must hold what copies recoloured would give, and the sides keep theirs.
TEST(DrawList, EntitiesAddedInACategoryAreListedAsRecolouredCopies)
{
  const CVRX2DEntityArray entities = LinesAndAnArc();
  CVRX2DEntityArray recoloured(entities);
  CDrawList expected;
  CDrawList list;
  list.Assign(entities);
  list.Clear();
  for (int i = 0; i < entities.GetSize(); ++i) {
    recoloured[i]->SetCategory(31);
    list.Add(*entities[i], 31);
  }
  expected.Assign(recoloured);
  ExpectSameEntries(list, expected);
  EXPECT_EQ(entities[0]->GetCategory(), 20);
  EXPECT_EQ(entities[1]->GetCategory(), 13);
}
