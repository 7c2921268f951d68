// Guards the faults that only damaged or unusual product data shows: flat and closed arcs in a
// detail, unknown entity names, kinds and markers, missing entity rows, and a join side without
// any spacing row.
#include <cmath>
#include <cstdlib>

#include "ModelTestUtil.h"
#include "OddCatalogue.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "model/Dtlgen.h"
#include "model/Dtlspec.h"
#include "model/Join.h"
#include "model/Unitexcp.h"

namespace {

class OddDataTest : public ModelTest
{
protected:
  void AddDetail(const char* detail, const char* member)
  {
    m_data.AddRow("COMPONET", {detail, "Test detail", "M", "0", "0"});
    m_data.AddRow("COMPSETS", {detail, member, "0", "0", "FALSE", "0", "1", "0", "0", "0", "0"});
  }
  void AddEntity(const char* set, const char* kind, const char* name, double x, double y, double r, double start,
                 double end)
  {
    const CString values[] = {CString::Formatted("%g", x), CString::Formatted("%g", y), CString::Formatted("%g", r),
                              CString::Formatted("%.9g", start), CString::Formatted("%.9g", end)};
    m_data.AddRow("ENTITIES", {set, kind, name, "0", "0", values[0], values[1], "0", "0", values[2], values[2], "0",
                               values[3], values[4]});
  }
  void ExpectGenerateError(int detail, int line)
  {
    CDetailSpecification spec;
    spec.SetDetailID(detail);
    CVRX2DEntityArray out;
    try {
      CDetailEntityGenerator().Generate(spec, out);
      ADD_FAILURE() << "no exception for " << detail;
    } catch (const CCommonException& e) {
      EXPECT_EQ(e.file, "Dtlgen");
      EXPECT_EQ(e.line, line) << detail;
    }
  }

  COddCatalogue m_data;
};

TEST_F(OddDataTest, OnlyOpenArcsFlatterThanTwoDegreesBecomeLines)
{
  const double degree = VRX_PI / 180.0;
  AddDetail("9900", "9901");
  AddEntity("9901", "A", "ALUM", 0, 0, 1, 0.0, 1.0 * degree);                        // 1 degree: a line
  AddEntity("9901", "A", "ALUM", 0, 0, 1, 0.0, 3.0 * degree);                        // 3 degrees: stays
  AddEntity("9901", "A", "ALUM", 0, 0, 1, 1.0, 1.0);                                 // a whole circle: stays
  AddEntity("9901", "A", "ALUM", 0, 0, 1, VRX_TWO_PI - 0.5 * degree, 0.5 * degree);  // 1 degree over 0
  AddEntity("9901", "A", "ALUM", 0, 0, 1, 1.0 * degree, 0.0);                        // 359 degrees: stays
  m_data.Use();
  CDetailSpecification spec;
  spec.SetDetailID(9900);
  CVRX2DEntityArray out;
  CDetailEntityGenerator().Generate(spec, out);
  ASSERT_EQ(out.GetSize(), 5 + 5);  // the entities and one break line
  EXPECT_EQ(out.GetAt(0)->GetType(), VRX_ARC);
  EXPECT_EQ(out.GetAt(1)->GetType(), VRX_ARC);
  EXPECT_TRUE(static_cast<const CVRX2DArc*>(out.GetAt(1))->IsClosed());
  EXPECT_EQ(out.GetAt(2)->GetType(), VRX_ARC);
  // The two flat arcs, appended in their order as lines between their end points.
  ASSERT_EQ(out.GetAt(3)->GetType(), VRX_LINE);
  const auto* first = static_cast<const CVRX2DLine*>(out.GetAt(3));
  EXPECT_EQ(first->GetCategory(), 25);
  EXPECT_NEAR(first->GetStartPoint().GetX(), 1.0, 1e-9);
  EXPECT_NEAR(first->GetEndPoint().GetY(), std::sin(degree), 1e-9);
  ASSERT_EQ(out.GetAt(4)->GetType(), VRX_LINE);
  EXPECT_NEAR(static_cast<const CVRX2DLine*>(out.GetAt(4))->GetStartPoint().GetY(), -std::sin(0.5 * degree), 1e-9);
}

// A section one inch wide with markers that block every try but the last right-hand one, at the
// maximum x: that one is taken. Blocked there too, the next try, at the minimum x, is already out
// of the search and the step stays in the middle.
TEST_F(OddDataTest, TheBreakStepMayReachTheMaximumButNotTheMinimumX)
{
  const char* const details[][2] = {{"9930", "9931"}, {"9932", "9933"}};
  for (const auto& detail : details) {
    AddDetail(detail[0], detail[1]);
    m_data.AddRow("ENTITIES", {detail[1], "L", "CORE", "0", "0", "0", "0", "1", "0", "0", "0", "0", "0", "0"});
    for (double x : {0.25, 0.5, 0.75})
      AddEntity(detail[1], "P", "EXTLIN", x, 0.5, 0, 0, 0);
  }
  AddEntity("9933", "P", "EXTLIN", 1.0, 0.5, 0, 0, 0);
  m_data.Use();
  const double expected[] = {1.0, 0.5};
  for (int i = 0; i < 2; ++i) {
    CDetailSpecification spec;
    spec.SetDetailID(std::atoi(details[i][0]));
    CVRX2DEntityArray out;
    CDetailEntityGenerator().Generate(spec, out);
    ASSERT_GE(out.GetSize(), 5);
    const auto* rise = dynamic_cast<const CVRX2DLine*>(out.GetAt(out.GetSize() - 4));
    const auto* last = dynamic_cast<const CVRX2DLine*>(out.GetAt(out.GetSize() - 1));
    ASSERT_TRUE(rise && last);
    EXPECT_DOUBLE_EQ(rise->GetEndPoint().GetX(), expected[i]) << i;
    EXPECT_DOUBLE_EQ(rise->GetEndPoint().GetY(), 5.125) << i;
    EXPECT_DOUBLE_EQ(last->GetStartPoint().GetX(), expected[i] + 0.125) << i;
    EXPECT_DOUBLE_EQ(last->GetEndPoint().GetX(), 1.5) << i;
  }
}

TEST_F(OddDataTest, MemberIsMirroredThenRotatedThenMoved)
{
  m_data.AddRow("COMPONET", {"9920", "Test detail", "M", "0", "0"});
  m_data.AddRow("COMPSETS", {"9920", "9013", "1.0", "2.0", "TRUE", "0.5", "1", "0", "0", "0", "0"});
  m_data.Use();
  CDetailSpecification spec;
  spec.SetDetailID(9920);
  CVRX2DEntityArray out;
  CDetailEntityGenerator().Generate(spec, out);
  ASSERT_GE(out.GetSize(), 3);
  // The cover's first line (0.75, -0.375)-(0, -0.375): mirrored to y 0.375, turned, moved.
  const double a = static_cast<double>(0.5f);
  const auto* line = static_cast<const CVRX2DLine*>(out.GetAt(0));
  EXPECT_NEAR(line->GetStartPoint().GetX(), 0.75 * std::cos(a) - 0.375 * std::sin(a) + 1.0, 1e-9);
  EXPECT_NEAR(line->GetStartPoint().GetY(), 0.75 * std::sin(a) + 0.375 * std::cos(a) + 2.0, 1e-9);
  EXPECT_NEAR(line->GetEndPoint().GetX(), -0.375 * std::sin(a) + 1.0, 1e-9);
  EXPECT_NEAR(line->GetEndPoint().GetY(), 0.375 * std::cos(a) + 2.0, 1e-9);
}

TEST_F(OddDataTest, BadEntityRowsThrowWithTheirLines)
{
  AddDetail("9910", "9902");
  AddEntity("9902", "L", "WOOD", 0, 0, 0, 0, 0);
  AddDetail("9911", "9903");
  AddEntity("9903", "Q", "ALUM", 0, 0, 0, 0, 0);
  AddDetail("9912", "9904");
  AddDetail("9913", "9905");
  AddEntity("9905", "P", "ALUM", 0, 0, 0, 0, 0);
  m_data.Use();
  ExpectGenerateError(9910, 361);
  ExpectGenerateError(9911, 387);
  ExpectGenerateError(9912, 317);
  ExpectGenerateError(9913, 263);
}

TEST_F(OddDataTest, JoinSideWithoutSpacingThrows504)
{
  m_data.AddRow("JOINTBL", {"4", "2303", "2101", "6004", "FALSE"});
  m_data.Use();
  EXPECT_TRUE(CJoin::CanBeJoined(4, 2303, 2101));
  try {
    CJoin join(4, 2303, 2101);
    ADD_FAILURE() << "no exception";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Join");
    EXPECT_EQ(e.line, 504);
  }
  EXPECT_EQ(CJoin::GetLiveJoinCount(), 0);
}

}  // namespace
