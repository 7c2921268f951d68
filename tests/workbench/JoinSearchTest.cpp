// Guards the join search against a catalogue that lists a pair for a join type without giving
// its spacings: the pair is taken as not joinable, the snap stays as it was and nothing escapes
// into the drag loop.
#include <gtest/gtest.h>

#include <cstdlib>
#include <numbers>
#include <string>

#include "OddCatalogue.h"
#include "geometry/2dline.h"
#include "model/Join.h"
#include "model/Sizecomp.h"
#include "model/Unit.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbreg.h"
#include "workbench/view/Wbview.h"

namespace {
// The glider's meeting rail: a component with no joining spacing in the catalogue.
constexpr int kInterlock = 6;
}  // namespace

TEST(JoinSearch, APairListedWithoutSpacingsIsNotJoinable)
{
  COddCatalogue odd;
  odd.AddRow("JOINTBL", {"1", "2107", "2107", "6001", "FALSE"});
  odd.Use();
  RegisterStandardUnits();
  RegisterWorkbenchClasses();
  CUnitItem left("GL", "BA005");
  CUnitItem right("GL", "BA005");
  ASSERT_EQ(left.GetUnit()->GetComponentID(kInterlock), 2107);
  right.GetUnit();
  right.Offset(CVRX2DVector(0.5, 0.0));
  ASSERT_TRUE(CJoin::CanBeJoined(1, 2107, 2107));
  EXPECT_THROW(CJoin(1, 2107, 2107), CCommonException);
  CWorkbenchView view;
  ASSERT_GT(view.GetJoiningOrder().GetSize(), 0);
  // The stationary rail runs the other way, as a facing side would.
  const auto& rail = *static_cast<const CVRX2DLine*>(left.GetComponentOutlines()->GetAt(kInterlock));
  CVRX2DEntityArray stationary;
  stationary.Add(new CVRX2DLine(rail.GetCategory(), rail.GetEndPoint(), rail.GetStartPoint()));
  CDWordArray indices;
  indices.Add(kInterlock);
  CJoinSnapRecord snap;
  snap.category = 9;
  snap.length = 0.5;
  snap.angle = std::numbers::pi;
  const auto& moving = *static_cast<const CVRX2DLine*>(right.GetComponentOutlines()->GetAt(kInterlock));
  BOOL joined = TRUE;
  EXPECT_NO_THROW(joined =
                      view.EvaluateSnapForJoin(moving, &right, kInterlock, &left, stationary, indices, snap, TRUE));
  EXPECT_FALSE(joined);
  EXPECT_EQ(snap.length, 0.5);
  EXPECT_EQ(snap.pMovingItem, nullptr);
  EXPECT_EQ(view.GetNewJoinCount(), 0);
}

TEST(JoinSearch, ASideWithoutAProductIdIsNotJoined)
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  ASSERT_NE(binary, nullptr);
  CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
  RegisterStandardUnits();
  RegisterWorkbenchClasses();
  constexpr int kRightJamb = 2;
  constexpr int kLeftJamb = 5;
  CUnitItem left("GL", "BA005");
  CUnitItem right("GL", "BA005");
  right.GetUnit();
  right.Offset(
      CVRX2DVector(left.GetUnit()->GetSizedComponents()->GetAt(kRightJamb)->GetStartPoint().GetX() + 0.5, 0.0));
  // The jamb loses its product id, as a component the catalogue does not number would have.
  CSizedComponentArray& members = *left.GetUnit()->GetSizedComponents();
  const CSizedComponent& jamb = *members[kRightJamb];
  auto* pUnnumbered = new CSizedComponent(jamb.GetCode(), 0, jamb.GetKind(), jamb.GetStartPoint(), jamb.GetEndPoint());
  members.RemoveAt(kRightJamb);
  members.InsertAt(kRightJamb, pUnnumbered);
  ASSERT_EQ(left.GetUnit()->GetComponentID(kRightJamb), 0);
  // A product id of 0 stands for "any" in the joining table's pair test.
  ASSERT_TRUE(CJoin::CanBeJoined(1, right.GetUnit()->GetComponentID(kLeftJamb), 0));
  CWorkbenchView view;
  CVRX2DEntityArray stationary;
  stationary.Add(left.GetComponentOutlines()->GetAt(kRightJamb)->Clone());
  CDWordArray indices;
  indices.Add(kRightJamb);
  CJoinSnapRecord snap;
  snap.category = 9;
  snap.length = 0.5;
  snap.angle = std::numbers::pi;
  const auto& moving = *static_cast<const CVRX2DLine*>(right.GetComponentOutlines()->GetAt(kLeftJamb));
  BOOL joined = TRUE;
  EXPECT_NO_THROW(joined = view.EvaluateSnapForJoin(moving, &right, kLeftJamb, &left, stationary, indices, snap, TRUE));
  EXPECT_FALSE(joined);
  EXPECT_EQ(snap.length, 0.5);
  EXPECT_EQ(view.GetNewJoinCount(), 0);
}
