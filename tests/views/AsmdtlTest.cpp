// Guards the detail assembler on a glider of the sample catalogue: each detail takes its
// product's option choices (the joining tables' overrides winning at a join), is turned upright,
// placed and centred, loses its installation flange on request, and a selection that cannot be
// drawn leaves no partial detail.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "model/Dtlgen.h"
#include "model/Dtlspec.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "model/Unitutil.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"
#include "views/Asmdtl.h"

namespace {
constexpr double kPi = std::numbers::pi;
constexpr int kExteriorMaterial = 2;  // option category: 1 clad, 2 primed
constexpr int kCladCategory = 26;     // the cladding's entities
constexpr int kFlangeCategory = 29;
constexpr double kMemberDepth = 0.75;  // COMPONET depth of the glider's perimeter members

class AsmdtlTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    for (auto& unit : units) {
      unit.reset(MakeUnit("GL", "BA005"));
      ASSERT_TRUE(unit);
      ASSERT_TRUE(unit->SetOptionChoice(kExteriorMaterial, 2));
    }
    join = std::make_unique<CJoin>(1, 2103, 2106);
  }

  static CDetailSpecification Spec(int detail, int orientation, double angle = 0.0)
  {
    CDetailSpecification spec;
    spec.SetDetailID(detail);
    spec.SetOrientation(orientation);
    spec.SetAngle(CVRXAngle(angle));
    return spec;
  }

  // The generator's detail of the specification (as the assembler left its choices), moved by dy.
  static void AddGenerated(CVRX2DEntityArray& expected, const CDetailSpecification& spec, double dy)
  {
    CVRX2DEntityArray detail;
    CDetailEntityGenerator().Generate(spec, detail);
    ASSERT_GT(detail.GetSize(), 0);
    detail.Transform(CVRX2DTransformationMatrix(CVRX2DVector(0.0, dy)));
    expected.Append(detail);
    detail.RemoveAllNoDelete();
  }

  static void ExpectSame(const CVRX2DEntityArray& out, const CVRX2DEntityArray& expected)
  {
    ASSERT_EQ(out.GetSize(), expected.GetSize());
    for (int i = 0; i < out.GetSize(); ++i) {
      EXPECT_EQ(out[i]->GetCategory(), expected[i]->GetCategory()) << i;
      EXPECT_EQ(out[i]->GetExtents().GetMinPoint(), expected[i]->GetExtents().GetMinPoint()) << i;
      EXPECT_EQ(out[i]->GetExtents().GetMaxPoint(), expected[i]->GetExtents().GetMaxPoint()) << i;
    }
  }

  static int Count(const CVRX2DEntityArray& out, int category)
  {
    int count = 0;
    for (int i = 0; i < out.GetSize(); ++i)
      count += out[i]->GetCategory() == category;
    return count;
  }

  std::unique_ptr<CUnit> units[2];
  std::unique_ptr<CJoin> join;
};

CVRX2DPoint StartOf(const CVRX2DEntityArray& entities, int i)
{
  return static_cast<const CVRX2DLine*>(entities[i])->GetStartPoint();
}
}  // namespace

TEST(DetailOrientation, TheCutIsTurnedUprightByTheNearerQuarterTurn)
{
  auto turned = [](double cutDegrees) {
    CVRX2DEntityArray entities;
    entities.Add(new CVRX2DLine(25, CVRX2DPoint(1.0, 0.0), CVRX2DPoint(2.0, 0.0)));
    CDetailAssembler::OrientDetail(CVRXAngle((cutDegrees + 90.0) * kPi / 180.0), entities);
    return StartOf(entities, 0);
  };
  EXPECT_EQ(turned(0.0), CVRX2DPoint(1.0, 0.0));
  EXPECT_EQ(turned(180.0), CVRX2DPoint(1.0, 0.0)) << "270 degrees turns by a whole turn";
  EXPECT_EQ(turned(90.0), CVRX2DPoint(0.0, -1.0));
  // 225 degrees lies inside the first range only by the tolerance: turned back by 135 degrees.
  EXPECT_EQ(turned(135.0), CVRX2DPoint(std::cos(-0.75 * kPi), std::sin(-0.75 * kPi)));
  EXPECT_EQ(turned(300.0), CVRX2DPoint(std::cos(-2.0 * kPi / 3.0), std::sin(-2.0 * kPi / 3.0)))
      << "390 degrees is 30, outside the first range: turned back by 120 degrees";
}

TEST(DetailFlange, EveryFlangeEntityAndNothingElseIsRemoved)
{
  CVRX2DEntityArray entities;
  for (int category : {29, 29, 30, 29, 25, 29})
    entities.Add(new CVRX2DLine(category, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(1.0, 1.0)));
  CDetailAssembler::RemoveFlangeEntities(entities);
  ASSERT_EQ(entities.GetSize(), 2);
  EXPECT_EQ(entities[0]->GetCategory(), 30);
  EXPECT_EQ(entities[1]->GetCategory(), 25);
}

TEST_F(AsmdtlTest, ASingleMemberTakesItsUnitsChoicesAndSitsOnItsDepth)
{
  CDetailSpecification sill = Spec(2101, 0);
  CVRX2DEntityArray out;
  ASSERT_TRUE(CDetailAssembler().Assemble(0, &sill, units[0].get(), &out));
  EXPECT_EQ(sill.GetOptionChoice(kExteriorMaterial), 2) << "the unit's choice";
  CVRX2DEntityArray expected;
  AddGenerated(expected, sill, -kMemberDepth);
  ExpectSame(out, expected);
  EXPECT_EQ(Count(out, kCladCategory), 0) << "a primed unit has no cladding";
  EXPECT_GT(Count(out, kFlangeCategory), 0);

  CDetailSpecification mirrored = Spec(2101, 1);
  ASSERT_TRUE(CDetailAssembler().Assemble(1, &mirrored, units[0].get(), &out));
  expected.RemoveAll();
  AddGenerated(expected, mirrored, kMemberDepth);
  CDetailAssembler::RemoveFlangeEntities(expected);
  ExpectSame(out, expected);
  EXPECT_EQ(Count(out, kFlangeCategory), 0);
}

TEST_F(AsmdtlTest, TheUnitsOwnSpecificationGivesItsDetail)
{
  CDetailSpecification spec = units[0]->GetDetailSpecification(0);
  ASSERT_EQ(spec.GetDetailID(), 2101);
  CVRX2DEntityArray out;
  ASSERT_TRUE(CDetailAssembler().Assemble(0, &spec, units[0].get(), &out));
  ASSERT_GT(out.GetSize(), 0);
  // Upright, with the member's depth below its axis.
  EXPECT_LE(out.GetExtents().GetMinPoint().GetY(), -kMemberDepth);
}

TEST_F(AsmdtlTest, TwoMembersAreCentredBetweenTheirFarEdges)
{
  CDetailSpecification sill = Spec(2101, 0);
  CDetailSpecification head = Spec(2104, 1);
  CVRX2DEntityArray out;
  ASSERT_TRUE(CDetailAssembler().Assemble(0, &sill, units[0].get(), 10.0, &head, units[1].get(), &out));
  // The first at 10, the second at 0; far edges 10.75 and -0.75: everything moves down by 5.
  CVRX2DEntityArray expected;
  AddGenerated(expected, sill, 10.0 - 5.0);
  AddGenerated(expected, head, -5.0);
  ExpectSame(out, expected);

  // With the first mirrored the second goes on top.
  sill.SetOrientation(1);
  head.SetOrientation(0);
  ASSERT_TRUE(CDetailAssembler().Assemble(0, &sill, units[0].get(), 4.0, &head, units[1].get(), &out));
  expected.RemoveAll();
  AddGenerated(expected, sill, -2.0);
  AddGenerated(expected, head, 4.0 - 2.0);
  ExpectSame(out, expected);
}

TEST_F(AsmdtlTest, AJoiningSituationPlacesBothSidesAndTheJoinWithTheJoinsOverrides)
{
  CDetailSpecification right = Spec(2103, 0);
  CDetailSpecification left = Spec(2106, 1);
  CDetailSpecification joint = join->GetDetailSpecification();
  joint.SetAngle(CVRXAngle(0.0));
  CVRX2DEntityArray out;
  ASSERT_TRUE(CDetailAssembler().Assemble(0, &right, units[0].get(), 1.5, &left, units[1].get(), 2.0, &joint,
                                          join.get(), &out));
  // The joining tables clad both sides of this joint whatever the units chose.
  EXPECT_EQ(right.GetOptionChoice(kExteriorMaterial), 1);
  EXPECT_EQ(left.GetOptionChoice(kExteriorMaterial), 1);
  CVRX2DEntityArray expected;
  AddGenerated(expected, right, 1.5);
  AddGenerated(expected, left, -2.0);
  AddGenerated(expected, joint, 0.0);
  ExpectSame(out, expected);
  EXPECT_GT(Count(out, kCladCategory), 0);
}

TEST_F(AsmdtlTest, AnOverrideKeyedForOnePairAppliesToThatSideOnly)
{
  // Rows exist for (2103, 2106) and (2106, 2103) at joint 6001, none for a pair with 2101.
  CDetailSpecification side = Spec(2103, 0);
  CDetailSpecification other = Spec(2101, 1);
  CJoinDetailOptions options;
  options.ApplyToSide(2103, 2101, 6001, side);
  EXPECT_EQ(side.GetOptionChoice(kExteriorMaterial), 0);
  options.ApplyToSide(2103, 2106, 6001, side);
  EXPECT_EQ(side.GetOptionChoice(kExteriorMaterial), 1);
  options.ApplyToSide(2101, 2103, 6001, other);
  EXPECT_EQ(other.GetOptionChoice(kExteriorMaterial), 0);
}

TEST_F(AsmdtlTest, SidesNotFacingEachOtherGiveNoDetail)
{
  CDetailSpecification right = Spec(2103, 1);
  CDetailSpecification left = Spec(2106, 1);
  CDetailSpecification joint = join->GetDetailSpecification();
  CVRX2DEntityArray out;
  out.Add(new CVRX2DLine(25, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(1.0, 0.0)));
  EXPECT_FALSE(CDetailAssembler().Assemble(0, &right, units[0].get(), 1.5, &left, units[1].get(), 2.0, &joint,
                                           join.get(), &out));
  EXPECT_EQ(out.GetSize(), 0);
  EXPECT_FALSE(CDetailAssembler().Assemble(0, nullptr, units[0].get(), &out));
}

TEST_F(AsmdtlTest, ADetailTheCatalogueCannotDrawGivesNoPartialDetail)
{
  CDetailSpecification good = Spec(2101, 0);
  CDetailSpecification missing = Spec(4242, 0);
  CVRX2DEntityArray out;
  EXPECT_FALSE(CDetailAssembler().Assemble(0, &good, units[0].get(), 3.0, &missing, units[1].get(), &out));
  EXPECT_EQ(out.GetSize(), 0) << "the first detail is not left behind";
}
