// Guards the join search against a catalogue that lists a pair for a join type without giving
// its spacings: the pair is taken as not joinable, the snap stays as it was and nothing escapes
// into the drag loop. With the sample catalogue, a stationary casement joins its neighbours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "OddCatalogue.h"
#include "geometry/2dline.h"
#include "model/Join.h"
#include "model/Sizecomp.h"
#include "model/Stdunit.h"
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

namespace {
// The outline index of the unit's frame member along its left or right edge.
int JambIndex(CUnitItem& item, bool right)
{
  const CSizedComponentArray& members = *item.GetUnit()->GetSizedComponents();
  const double x = right ? item.GetUnit()->GetWidth() : 0.0;
  for (int k = 0; k < members.GetSize(); ++k)
    if (members[k]->GetKind() == "P" && members[k]->GetStartPoint().GetX() == x &&
        members[k]->GetEndPoint().GetX() == x)
      return k;
  return -1;
}

const CVRX2DLine& Outline(CUnitItem& item, int index)
{
  return *static_cast<const CVRX2DLine*>(item.GetComponentOutlines()->GetAt(index));
}
}  // namespace

// A stationary casement between a hinged casement and a casement picture, each a little over a
// join's spacing away, is joined to both with a standard mull, and each snap is corrected to stand
// the two sides' spacings apart.
TEST(JoinSearch, AStationaryCasementJoinsAHingedCasementAndAPictureAtTheSpacing)
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  ASSERT_NE(binary, nullptr);
  CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
  RegisterStandardUnits();
  RegisterWorkbenchClasses();
  CUnitItem hinged("CA", "BA001");
  CUnitItem stationary("CA", "BA001");
  CUnitItem picture("CA", "PI001");
  ASSERT_EQ(static_cast<CStandardUnit*>(hinged.GetUnit())->GetOperatingChoice(), "L");
  static_cast<CStandardUnit*>(stationary.GetUnit())->SetOperatingChoice("S");
  stationary.UpdateUnitInfo();
  picture.GetUnit();
  constexpr double kGap = 0.75;
  const double width = hinged.GetUnit()->GetWidth();
  stationary.Offset(CVRX2DVector(width + kGap, 0.0));
  picture.Offset(CVRX2DVector(2.0 * (width + kGap), 0.0));
  struct Meeting
  {
    CUnitItem* pOther;
    int movingIndex, otherIndex;
    double angle;  // the way the moving unit goes to meet it
    int movingId, otherId;
  };
  const Meeting meetings[] = {
      {&hinged, JambIndex(stationary, false), JambIndex(hinged, true), std::numbers::pi, 3202, 3205},
      {&picture, JambIndex(stationary, true), JambIndex(picture, false), 0.0, 3202, 3212},
  };
  for (const Meeting& m : meetings) {
    SCOPED_TRACE(m.otherId);
    ASSERT_GE(m.movingIndex, 0);
    ASSERT_GE(m.otherIndex, 0);
    ASSERT_EQ(stationary.GetUnit()->GetComponentID(m.movingIndex), m.movingId);
    ASSERT_EQ(m.pOther->GetUnit()->GetComponentID(m.otherIndex), m.otherId);
    CWorkbenchView view;
    CVRX2DEntityArray lines;
    lines.Add(Outline(*m.pOther, m.otherIndex).Clone());
    CDWordArray indices;
    indices.Add(m.otherIndex);
    CJoinSnapRecord snap;
    snap.category = 9;
    snap.length = kGap;
    snap.angle = m.angle;
    const CVRX2DLine& moving = Outline(stationary, m.movingIndex);
    ASSERT_TRUE(view.EvaluateSnapForJoin(moving, &stationary, m.movingIndex, m.pOther, lines, indices, snap, TRUE));
    EXPECT_EQ(view.GetNewJoinCount(), 1);
    EXPECT_EQ(snap.pMovingItem, &stationary);
    EXPECT_EQ(snap.pStationaryItem, m.pOther);
    const CJoin mull(1, m.movingId, m.otherId);
    EXPECT_EQ(mull.GetJoinTypeCode(), "MS");
    EXPECT_EQ(mull.GetFirstOffset(), 0.25f);
    EXPECT_EQ(mull.GetSecondOffset(), 0.25f);
    // Moved by the corrected snap, the sides stand the mull's spacing apart, each unit on its own
    // side of the other.
    const CVRX2DPoint from = moving.GetStartPoint() + CVRX2DVector(snap.length, CVRXAngle(snap.angle));
    const double x = Outline(*m.pOther, m.otherIndex).GetStartPoint().GetX();
    EXPECT_NEAR(m.angle == 0.0 ? x - from.GetX() : from.GetX() - x, 0.5, 1e-9);
  }
}
