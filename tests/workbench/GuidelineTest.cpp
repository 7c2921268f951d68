// Guards the guideline's geometry and stored form: its lines clipped to the Workbench square
// (corners and sides included, and lines that miss it refused without an exception), its edges
// and alignment lines, the turn kept off the axes, and its record byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "geometry/2dline.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "support/Exceptn.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Wbreg.h"

namespace {
using Bytes = std::vector<BYTE>;

class CRecordImage
{
public:
  CRecordImage& Byte(int v)
  {
    m_bytes.push_back(static_cast<BYTE>(v));
    return *this;
  }
  CRecordImage& Word(unsigned v) { return Byte(v & 0xFF).Byte((v >> 8) & 0xFF); }
  CRecordImage& Dword(unsigned v) { return Word(v & 0xFFFF).Word(v >> 16); }
  CRecordImage& Double(double v)
  {
    unsigned long long bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
      Byte(static_cast<int>((bits >> (8 * i)) & 0xFF));
    return *this;
  }
  CRecordImage& NewClass(const std::string& name)
  {
    Word(0xFFFF).Word(10000).Word(static_cast<unsigned>(name.size()));
    for (char c : name)
      Byte(c);
    return *this;
  }
  const Bytes& Get() const { return m_bytes; }

private:
  Bytes m_bytes;
};

Bytes Store(const CObject* pObject)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar << pObject;
  ar.Close();
  return file.GetBytes();
}

CObject* Load(const Bytes& bytes)
{
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  return ar.ReadObject(RUNTIME_CLASS(CDesignItem));
}

CVRX2DLine LineAt(const CDesignItem& item, int index)
{
  CVRX2DEntityArray outline;
  item.GetOutlineEntities(outline);
  return *static_cast<CVRX2DLine*>(outline[index]);
}

int OutlineCount(const CDesignItem& item)
{
  CVRX2DEntityArray outline;
  return item.GetOutlineEntities(outline);
}

void ExpectLine(const CVRX2DLine& line, CVRX2DPoint start, CVRX2DPoint end)
{
  EXPECT_EQ(line.GetStartPoint(), start) << line.GetStartPoint().GetX() << "," << line.GetStartPoint().GetY();
  EXPECT_EQ(line.GetEndPoint(), end) << line.GetEndPoint().GetX() << "," << line.GetEndPoint().GetY();
}

const CVRXAngle kVertical(VRX_HALF_PI);
const CVRXAngle kHorizontal(0.0);
}  // namespace

TEST(GuidelineTest, AxisGuidelinesRunAcrossTheSquareWithTheirOffsetInTheMiddle)
{
  CGuidelineItem vertical(kVertical, 0.0, CVRX2DVector(100.0, 333.0), nullptr);
  ExpectLine(LineAt(vertical, 0), CVRX2DPoint(100, 0), CVRX2DPoint(100, 1440));
  EXPECT_EQ(vertical.GetOffset(), CVRX2DVector(100.0, 720.0));
  EXPECT_TRUE(vertical.IsVertical());
  EXPECT_EQ(vertical.GetHandleCount(), 1);
  CGuidelineItem horizontal(kHorizontal, 0.0, CVRX2DVector(5.0, 50.0), nullptr);
  // The right side is met before the left one.
  ExpectLine(LineAt(horizontal, 0), CVRX2DPoint(1440, 50), CVRX2DPoint(0, 50));
  EXPECT_EQ(horizontal.GetOffset(), CVRX2DVector(720.0, 50.0));
  EXPECT_EQ(horizontal.GetItemType(), ditGuideline);
  EXPECT_EQ(horizontal.GetWidth(), 0.0);
  EXPECT_EQ(horizontal.GetHeight(), 0.0);
}

TEST(GuidelineTest, CornersAndSidesOfTheSquareGiveTwoDistinctEndsOrNoLine)
{
  CVRX2DLine line;
  // Through a corner: the corner is found on two sides and counts once; the scan goes on.
  ASSERT_TRUE(CGuidelineItem::MakeClippedLine(line, CVRX2DPoint(1440, 0), CVRXAngle(3 * VRX_QUARTER_PI)));
  ExpectLine(line, CVRX2DPoint(1440, 0), CVRX2DPoint(0, 1440));
  ASSERT_TRUE(CGuidelineItem::MakeClippedLine(line, CVRX2DPoint(0, 0), CVRXAngle(VRX_QUARTER_PI)));
  ExpectLine(line, CVRX2DPoint(0, 0), CVRX2DPoint(1440, 1440));
  // Along a side: the whole side.
  ASSERT_TRUE(CGuidelineItem::MakeClippedLine(line, CVRX2DPoint(300, 0), kHorizontal));
  ExpectLine(line, CVRX2DPoint(0, 0), CVRX2DPoint(1440, 0));
  ASSERT_TRUE(CGuidelineItem::MakeClippedLine(line, CVRX2DPoint(1440, 700), kVertical));
  ExpectLine(line, CVRX2DPoint(1440, 0), CVRX2DPoint(1440, 1440));
  ASSERT_TRUE(CGuidelineItem::MakeClippedLine(line, CVRX2DPoint(0, 1440), kHorizontal));
  ExpectLine(line, CVRX2DPoint(1440, 1440), CVRX2DPoint(0, 1440));
  // Touching the square at one corner only, or missing it: no line, no exception.
  const CVRX2DLine untouched = line;
  EXPECT_FALSE(CGuidelineItem::MakeClippedLine(line, CVRX2DPoint(0, 0), CVRXAngle(3 * VRX_QUARTER_PI)));
  EXPECT_FALSE(CGuidelineItem::MakeClippedLine(line, CVRX2DPoint(-1, 0), kVertical));
  EXPECT_EQ(line, untouched);
  CGuidelineItem guideline(kVertical, 0.0, CVRX2DVector(1.0, 1.0), nullptr);
  EXPECT_FALSE(guideline.CanMoveTo(CVRX2DVector(-2.0, 0.0)));
  EXPECT_TRUE(guideline.CanMoveTo(CVRX2DVector(-1.0, 0.0)));
  EXPECT_THROW(CGuidelineItem(kVertical, 0.0, CVRX2DVector(-1.0, 0.0), nullptr), CAppException);
}

TEST(GuidelineTest, AWidthAddsEdgesThatOfferThemselvesToSnapping)
{
  CGuidelineItem band(kVertical, 6.0, CVRX2DVector(100.0, 10.0), nullptr);
  ASSERT_EQ(OutlineCount(band), 3);
  EXPECT_EQ(LineAt(band, 0).GetCategory(), 14);
  // Centre, then the edge at angle + pi/2 (to the left), then the one at angle - pi/2.
  EXPECT_DOUBLE_EQ(LineAt(band, 1).GetStartPoint().GetX(), 97.0);
  EXPECT_DOUBLE_EQ(LineAt(band, 2).GetStartPoint().GetX(), 103.0);
  EXPECT_EQ(LineAt(band, 1).GetCategory(), 15);
  CVRX2DEntityArray* pAlign = band.GetAlignmentEntities();
  ASSERT_EQ(pAlign->GetSize(), 3);
  EXPECT_EQ(pAlign->GetAt(0)->GetCategory(), 2);
  EXPECT_EQ(pAlign->GetAt(1)->GetCategory(), 4);
  band.SetSnapToCenter(0);
  ASSERT_EQ(band.GetAlignmentEntities()->GetSize(), 2);
  EXPECT_EQ(band.GetAlignmentEntities()->GetAt(0)->GetCategory(), 4);
  // An edge off the square is left out.
  CGuidelineItem nearSide(kVertical, 6.0, CVRX2DVector(1.0, 10.0), nullptr);
  ASSERT_EQ(OutlineCount(nearSide), 2);
  EXPECT_DOUBLE_EQ(LineAt(nearSide, 1).GetStartPoint().GetX(), 4.0);
  CGuidelineItem bare(kHorizontal, 0.0, CVRX2DVector(1.0, 10.0), nullptr);
  bare.SetSnapToCenter(0);
  EXPECT_EQ(bare.GetAlignmentEntities()->GetSize(), 0);
  // Spacing treats the band as an item reaching half its width either side of its offset.
  EXPECT_DOUBLE_EQ(band.GetSpacingExtent(TRUE, 0), 3.0);
  EXPECT_DOUBLE_EQ(band.GetSpacingExtent(TRUE, 2), 6.0);
  EXPECT_DOUBLE_EQ(band.GetSpacingExtent(FALSE, 2), 0.0);
}

TEST(GuidelineTest, TurnsStayOffTheAxesAndTurnAboutTheOffsetUntilDrawn)
{
  CGuidelineItem angled(CVRXAngle(VRX_QUARTER_PI), 0.0, CVRX2DVector(700.0, 700.0), nullptr);
  EXPECT_TRUE(angled.IsAngled());
  EXPECT_EQ(angled.GetHandleCount(), 2);
  const std::pair<double, double> cases[] = {{0.05, 0.1},
                                             {VRX_HALF_PI, VRX_HALF_PI + 0.1},
                                             {VRX_HALF_PI - 0.05, VRX_HALF_PI - 0.1},
                                             {VRX_PI + 0.02, VRX_PI + 0.1},
                                             {VRX_TWO_PI - 0.01, VRX_TWO_PI - 0.1},
                                             {1.0, 1.0}};
  for (const auto& [before, after] : cases) {
    CVRXAngle a(before);
    EXPECT_EQ(angled.KeepAngleOffAxes(a), before != after) << before;
    EXPECT_NEAR(a.GetRadians(), after, 1e-12) << before;
  }
  // Never drawn: the visible middle is the offset, the middle of the clipped line, not (0, 0).
  EXPECT_EQ(angled.GetOffset(), CVRX2DVector(720.0, 720.0));
  EXPECT_EQ(angled.GetVisibleMidpoint(), angled.GetOffset().AsPoint());
  angled.Rotate(CVRXAngle(VRX_QUARTER_PI), angled.GetVisibleMidpoint());
  EXPECT_TRUE(angled.IsVertical()) << "the sheet's turns are not kept off the axes";
  EXPECT_NEAR(angled.GetOffset().GetX(), 720.0, 1e-9);
  EXPECT_NEAR(angled.GetOffset().GetY(), 720.0, 1e-9);
}

TEST(GuidelineTest, TheRecordIsTheBaseRecordThenStampWidthAndFlagByte)
{
  RegisterWorkbenchClasses();
  CGuidelineItem guideline(kVertical, 2.5, CVRX2DVector(30.0, 10.0), nullptr);
  guideline.SetSnapToCenter(0);
  const Bytes bytes = Store(&guideline);
  CRecordImage image;
  image.NewClass("CGuidelineItem").Dword(10000).Dword(3).Double(30.0).Double(720.0).Double(VRX_HALF_PI);
  image.Double(0.0).Double(0.0).Byte(0).Byte(1).Dword(10000).Double(2.5).Byte(0);
  EXPECT_EQ(bytes, image.Get());

  std::unique_ptr<CObject> loaded(Load(bytes));
  auto* pLoaded = dynamic_cast<CGuidelineItem*>(loaded.get());
  ASSERT_NE(pLoaded, nullptr);
  EXPECT_EQ(pLoaded->GetGuidelineWidth(), 2.5);
  EXPECT_EQ(pLoaded->GetSnapToCenter(), 0);
  EXPECT_EQ(OutlineCount(*pLoaded), 3) << "the lines are rebuilt after loading";
  EXPECT_EQ(Store(pLoaded), bytes);

  // A flag byte of 5 loads as 1; a stamp below the oldest readable one is refused.
  Bytes five = bytes;
  five.back() = 5;
  std::unique_ptr<CObject> again(Load(five));
  EXPECT_EQ(dynamic_cast<CGuidelineItem*>(again.get())->GetSnapToCenter(), 1);
  Bytes old = bytes;
  const size_t ownStamp = bytes.size() - 13;
  old[ownStamp] = 9235 & 0xFF;
  old[ownStamp + 1] = 9235 >> 8;
  EXPECT_THROW(delete Load(old), CAppSerializeException);
  // A stored vertical guideline left of the square has no line: the load fails with an error the
  // design's reader reports, instead of an item without lines.
  CRecordImage outside;
  outside.NewClass("CGuidelineItem").Dword(10000).Dword(3).Double(-5.0).Double(720.0).Double(VRX_HALF_PI);
  outside.Double(0.0).Double(0.0).Byte(0).Byte(1).Dword(10000).Double(0.0).Byte(1);
  EXPECT_THROW(delete Load(outside.Get()), CException);
  EXPECT_THROW(delete guideline.Clone(), CAppException);
}
