// Guards the detail generator on the sample catalogue: members placed, mirrored and rotated by
// their rows, option conditions, markers turned into extension lines, break lines, and the
// specification's own mirror and rotation.
#include <cmath>
#include <vector>

#include "ModelTestUtil.h"
#include "geometry/2dline.h"
#include "model/Dtlgen.h"
#include "model/Dtlspec.h"
#include "productdb/txdbExcp.h"

namespace {

class DetailTest : public ModelTest
{};

struct Seg
{
  int category;
  double x0, y0, x1, y1;
};

std::vector<Seg> Lines(const CVRX2DEntityArray& out, int category = -1)
{
  std::vector<Seg> result;
  for (int i = 0; i < out.GetSize(); ++i) {
    const auto* l = dynamic_cast<const CVRX2DLine*>(out.GetAt(i));
    if (l && (category < 0 || l->GetCategory() == category))
      result.push_back({l->GetCategory(), l->GetStartPoint().GetX(), l->GetStartPoint().GetY(), l->GetEndPoint().GetX(),
                        l->GetEndPoint().GetY()});
  }
  return result;
}

bool Has(const std::vector<Seg>& lines, const Seg& s)
{
  for (const Seg& l : lines)
    if (l.category == s.category && std::fabs(l.x0 - s.x0) < 1e-6 && std::fabs(l.y0 - s.y0) < 1e-6 &&
        std::fabs(l.x1 - s.x1) < 1e-6 && std::fabs(l.y1 - s.y1) < 1e-6)
      return true;
  return false;
}

CVRX2DEntityArray Generate(int detail, int orientation = 0, double angle = 0.0)
{
  CDetailSpecification spec;
  spec.SetDetailID(detail);
  spec.SetOrientation(orientation);
  spec.SetAngle(CVRXAngle(angle));
  CVRX2DEntityArray out;
  CDetailEntityGenerator().Generate(spec, out);
  return out;
}

// Meeting rail 2107: the aluminium interlock, the sash core and the default glazing below the
// axis, and the same core and glazing mirrored above it by their rows.
TEST_F(DetailTest, MirroredMembersMarkersAndBreakLines)
{
  const CVRX2DEntityArray out = Generate(2107);
  const std::vector<Seg> lines = Lines(out);
  ASSERT_EQ(out.GetSize(), 6 + 8 + 8 + 8 + 8 + 2 * 5);
  ASSERT_EQ(static_cast<int>(lines.size()), out.GetSize());
  // The core's first line (1, 1.25)-(3.375, 1.25) moved by -1.125, and mirrored before +1.125.
  EXPECT_TRUE(Has(lines, {27, 1.0, 0.125, 3.375, 0.125}));
  EXPECT_TRUE(Has(lines, {27, 1.0, -0.125, 3.375, -0.125}));
  // The glazing markers became extension lines to the levels 5 and -5 (reach 3.875 rounds to 4).
  EXPECT_TRUE(Has(lines, {30, 2.1875, 3.875, 2.1875, 5.0}));
  EXPECT_TRUE(Has(lines, {30, 2.1875, -3.875, 2.1875, -5.0}));
  // Break lines at both levels, stepping clear of the markers at x 2.1875.
  const std::vector<Seg> breaks(lines.end() - 10, lines.end());
  const double step = 2.4375;
  const Seg top[] = {{28, 0.5, 5, step - 0.125, 5},
                     {28, step - 0.125, 5, step, 5.125},
                     {28, step, 5.125, step, 4.875},
                     {28, step, 4.875, step + 0.125, 5},
                     {28, step + 0.125, 5, 3.875, 5}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(Has({breaks[i]}, top[i])) << i;
    EXPECT_TRUE(Has({breaks[5 + i]}, {28, top[i].x0, top[i].y0 - 10.0, top[i].x1, top[i].y1 - 10.0})) << i;
  }
  // Only the default glazing (choice 1 of category 1) was drawn: 2 x 7 lines and 2 markers.
  EXPECT_EQ(Lines(out, 30).size(), 16u);
}

TEST_F(DetailTest, RowAngleRotatesTheMember)
{
  const std::vector<Seg> lines = Lines(Generate(6004));
  const double a = static_cast<double>(0.1745f);
  // The core's first line (0.75, -0.25)-(4.5625, -0.25) turned by the row's angle.
  const Seg rotated = {27, 0.75 * std::cos(a) + 0.25 * std::sin(a), 0.75 * std::sin(a) - 0.25 * std::cos(a),
                       4.5625 * std::cos(a) + 0.25 * std::sin(a), 4.5625 * std::sin(a) - 0.25 * std::cos(a)};
  EXPECT_TRUE(Has(lines, rotated));
  EXPECT_TRUE(Has(lines, {27, 0.75, -0.25, 4.5625, -0.25}));
}

TEST_F(DetailTest, SpecificationMirrorsAndRotatesTheWholeSection)
{
  const std::vector<Seg> normal = Lines(Generate(2107));
  const std::vector<Seg> mirrored = Lines(Generate(2107, 1));
  const std::vector<Seg> turned = Lines(Generate(2107, 0, VRX_HALF_PI));
  ASSERT_EQ(normal.size(), mirrored.size());
  ASSERT_EQ(normal.size(), turned.size());
  for (size_t i = 0; i < normal.size(); ++i) {
    const Seg& n = normal[i];
    EXPECT_TRUE(Has({mirrored[i]}, {n.category, n.x0, -n.y0, n.x1, -n.y1})) << i;
    EXPECT_TRUE(Has({turned[i]}, {n.category, -n.y0, n.x0, -n.y1, n.x1})) << i;
  }
}

TEST_F(DetailTest, OptionConditionsSelectRows)
{
  CDetailSpecification spec;
  spec.SetDetailID(6003);
  CVRX2DEntityArray out;
  CDetailEntityGenerator generator;
  generator.Generate(spec, out);
  EXPECT_EQ(Lines(out, 26).size(), 3u);  // the default exterior colour (7:1) only
  spec.SetOptionChoice(7, 3);
  generator.Generate(spec, out);
  EXPECT_EQ(Lines(out, 26).size(), 3u);
  spec.SetOptionChoice(2, 2);  // primed wood: no cladding at all
  generator.Generate(spec, out);
  EXPECT_EQ(Lines(out, 26).size(), 0u);
  EXPECT_EQ(Lines(out, 27).size(), 4u);
}

TEST_F(DetailTest, DetailWithoutComponentSetsThrows)
{
  try {
    Generate(9999);
    ADD_FAILURE() << "no exception";
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.file, "Dtlgen");
    EXPECT_EQ(e.line, 78);
    EXPECT_EQ(e.cause, 1);
  }
}

TEST_F(DetailTest, CategoryNames)
{
  EXPECT_EQ(CDetailEntityGenerator::CategoryOfName("ALUM"), 25);
  EXPECT_EQ(CDetailEntityGenerator::CategoryOfName("GLZBD"), 33);
  EXPECT_EQ(CDetailEntityGenerator::CategoryOfName("STEEL"), 34);
  EXPECT_EQ(CDetailEntityGenerator::CategoryOfName(""), 33);
  EXPECT_EQ(CDetailEntityGenerator::CategoryOfName("alum"), -1);
}

TEST_F(DetailTest, SpecificationCopiesOwnTheirChoices)
{
  CDetailSpecification a;
  a.SetDetailID(2107);
  a.SetOrientation(1);
  a.SetAngle(CVRXAngle(1.0));
  a.SetOptionChoice(1, 2);
  CDetailSpecification b(a);
  a.SetOptionChoice(1, 3);
  EXPECT_EQ(b.GetOptionChoice(1), 2);
  EXPECT_EQ(b.GetDetailID(), 2107);
  EXPECT_EQ(b.GetOrientation(), 1);
  EXPECT_DOUBLE_EQ(b.GetAngle().GetRadians(), 1.0);
  b = a;
  a.DeleteOptionChoices();
  EXPECT_EQ(a.GetOptionChoice(1), 0);
  EXPECT_EQ(b.GetOptionChoice(1), 3);
}

}  // namespace
