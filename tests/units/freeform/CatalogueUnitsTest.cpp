// Every unit type with a class, made with its defaults from the sample catalogue: its one-line
// elevation lies on its outline, the sizes its free dimensions start at pass its own checks, and a
// small drag of each of its handles is accepted in both directions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "geometry/2drect.h"
#include "model/Custarch.h"
#include "model/Join.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "model/Stdunit.h"
#include "model/Varigon.h"
#include "productdb/Optcats.h"
#include "productdb/Optchoic.h"
#include "productdb/Opers.h"
#include "productdb/Stdsizes.h"
#include "productdb/txrecobj.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"

namespace {
constexpr double kOnOutline = 1e-6;
constexpr int kJoiningTypes = 4;

struct UnitKey
{
  std::string type, subtype;
  std::string Name() const { return type + subtype; }
};

class CatalogueUnitsTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr) << "PANECRAFT_BINARY_DIR is not set";
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    RegisterFreeformUnits();
  }

  // The keys of every registered class.
  static std::vector<UnitKey> Keys()
  {
    std::vector<UnitKey> keys;
    for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
      const std::string key = CUnitTypeMap::GetKey(i);
      UnitKey k{key.substr(0, 2), key.substr(2)};
      BOOL hasClass = FALSE;
      MakeUnit(k.type.c_str(), k.subtype.c_str(), &hasClass);
      if (hasClass)
        keys.push_back(k);
    }
    return keys;
  }

  static std::unique_ptr<CUnit> Make(const UnitKey& key)
  {
    return std::unique_ptr<CUnit>(MakeUnit(key.type.c_str(), key.subtype.c_str()));
  }

  struct Box
  {
    double left = HUGE_VAL, bottom = HUGE_VAL, right = -HUGE_VAL, top = -HUGE_VAL;
  };

  // The extents of entities [from, to) (to -1: the end), without the box's own point tolerance.
  static Box Extents(const CVRX2DEntityArray& entities, int from = 0, int to = -1)
  {
    Box box;
    for (int i = from; i < (to < 0 ? entities.GetSize() : to); ++i) {
      const CVRX2DRectangle e = entities[i]->GetExtents();
      box.left = std::min(box.left, e.GetMinPoint().GetX());
      box.bottom = std::min(box.bottom, e.GetMinPoint().GetY());
      box.right = std::max(box.right, e.GetMaxPoint().GetX());
      box.top = std::max(box.top, e.GetMaxPoint().GetY());
    }
    return box;
  }

  // The product ids of the straight members along the unit's left, right, bottom and top edges.
  struct Sides
  {
    std::set<int> left, right, bottom, top;
  };

  static Sides SideIds(const CUnit& unit)
  {
    Sides sides;
    const double w = unit.GetWidth(), h = unit.GetHeight();
    const CSizedComponentArray& components = *unit.GetSizedComponents();
    auto at = [](double a, double b) { return std::fabs(a - b) < kOnOutline; };
    for (int k = 0; k < components.GetSize(); ++k) {
      const CVRX2DPoint s = components.GetAt(k)->GetStartPoint(), e = components.GetAt(k)->GetEndPoint();
      const int id = components.GetAt(k)->GetID();
      if (at(s.GetX(), 0.0) && at(e.GetX(), 0.0))
        sides.left.insert(id);
      if (at(s.GetX(), w) && at(e.GetX(), w))
        sides.right.insert(id);
      if (at(s.GetY(), 0.0) && at(e.GetY(), 0.0))
        sides.bottom.insert(id);
      if (at(s.GetY(), h) && at(e.GetY(), h))
        sides.top.insert(id);
    }
    return sides;
  }

  // The product ids of the straight outline lines along the unit's edges, as the join search
  // reads them: outline line k stands for member k.
  static Sides EdgeIds(const CUnit& unit)
  {
    Sides sides;
    CVRX2DEntityArray outline;
    unit.GetOutlineEntities(outline);
    const Box box = Extents(outline);
    auto at = [](double a, double b) { return std::fabs(a - b) < kOnOutline; };
    const int members = std::min(outline.GetSize(), unit.GetSizedComponents()->GetSize());
    for (int k = 0; k < members; ++k) {
      if (outline[k]->GetType() != VRX_LINE)
        continue;
      const CVRX2DRectangle e = outline[k]->GetExtents();
      const CVRX2DPoint lo = e.GetMinPoint(), hi = e.GetMaxPoint();
      const int id = unit.GetComponentID(k);
      if (at(lo.GetX(), box.left) && at(hi.GetX(), box.left))
        sides.left.insert(id);
      if (at(lo.GetX(), box.right) && at(hi.GetX(), box.right))
        sides.right.insert(id);
      if (at(lo.GetY(), box.bottom) && at(hi.GetY(), box.bottom))
        sides.bottom.insert(id);
      if (at(lo.GetY(), box.top) && at(hi.GetY(), box.top))
        sides.top.insert(id);
    }
    return sides;
  }

  // Sets the unit to every standard size and every operation the catalogue offers at that size,
  // and visits each: `visit(size record, operation record)`.
  template <class Visit>
  static void ForEachSizeAndOperation(CStandardUnit& standard, const Visit& visit)
  {
    CStdSizesRecArray sizes;
    standard.GetStandardSizes(sizes);
    for (int i = 0; i < sizes.GetSize(); ++i) {
      standard.SetSizeCode(sizes[i]->GetSizeCode());
      COpersRecArray operations;
      standard.GetOperatingChoices(operations);
      for (int o = 0; o < operations.GetSize(); ++o) {
        standard.SetOperatingChoice(operations[o]->GetCode());
        visit(*sizes[i], *operations[o]);
      }
    }
  }

  // The edge members of each unit type at every size and for every operation the catalogue
  // offers there; the free-sized units show the same members at any size.
  static std::map<std::string, Sides> EdgeMembersOfEveryChoice()
  {
    std::map<std::string, Sides> members;
    auto merge = [](Sides& into, const Sides& from) {
      into.left.insert(from.left.begin(), from.left.end());
      into.right.insert(from.right.begin(), from.right.end());
      into.bottom.insert(from.bottom.begin(), from.bottom.end());
      into.top.insert(from.top.begin(), from.top.end());
    };
    for (const UnitKey& key : Keys()) {
      std::unique_ptr<CUnit> unit = Make(key);
      Sides& sides = members[key.Name()];
      auto* standard = dynamic_cast<CStandardUnit*>(unit.get());
      if (!standard || dynamic_cast<CCustomArchedUnit*>(unit.get())) {
        merge(sides, EdgeIds(*unit));
        continue;
      }
      ForEachSizeAndOperation(*standard, [&](const auto&, const auto&) { merge(sides, EdgeIds(*standard)); });
    }
    return members;
  }

  // Whether some joining type joins a member of one set with a member of the other.
  static bool Joinable(const std::set<int>& a, const std::set<int>& b)
  {
    for (int x : a)
      for (int y : b)
        for (int type = 1; type <= kJoiningTypes; ++type)
          if (CJoin::CanBeJoined(type, x, y))
            return true;
    return false;
  }

  // Whether a handle drag by v is taken as a new proposed size within the limits.
  static bool Accepts(CUnit& unit, int handle, const CVRX2DVector& v)
  {
    unit.ResetProposedSize();
    const int result = unit.ConformProposedSize(handle, v);
    unit.ResetProposedSize();
    return result == CUnit::inboundsChanged;
  }
};

// The registrations at start-up and the factory's table agree on every key: a class left out of
// the registrations, or registered for another key, fails here.
TEST_F(CatalogueUnitsTest, EveryKeyMakesTheClassItsTableNames)
{
  EXPECT_EQ(Keys().size(), 48u);
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    const std::string key = CUnitTypeMap::GetKey(i);
    const UnitKey k{key.substr(0, 2), key.substr(2)};
    const char* className = CUnitTypeMap::GetClassName(i);
    std::unique_ptr<CUnit> unit = Make(k);
    if (!className) {
      EXPECT_EQ(unit, nullptr) << key;
      EXPECT_EQ(CUnitTypeMap::GetSizing(i), EUnitSizing::None) << key;
      continue;
    }
    ASSERT_NE(unit, nullptr) << key;
    EXPECT_STREQ(unit->GetRuntimeClass()->m_lpszClassName, className) << key;
    EXPECT_EQ(std::string((unit->GetType() + unit->GetSubtype()).c_str()), key);
    EXPECT_STREQ(CUnitTypeMap::GetKeyOfClass(className), key.c_str());
    EXPECT_NE(CUnitTypeMap::GetSizing(i), EUnitSizing::None) << key;
  }
}

TEST_F(CatalogueUnitsTest, OneLineElevationLiesOnTheOutline)
{
  for (const UnitKey& key : Keys()) {
    std::unique_ptr<CUnit> unit = Make(key);
    CVRX2DEntityArray outline, elevation;
    unit->GetOutlineEntities(outline);
    unit->GetElevationEntities(1, FALSE, FALSE, elevation);
    const Box outer = Extents(outline);
    const Box line1 = Extents(elevation);
    EXPECT_NEAR(line1.left, outer.left, kOnOutline) << key.Name();
    EXPECT_NEAR(line1.right, outer.right, kOnOutline) << key.Name();
    EXPECT_NEAR(line1.bottom, outer.bottom, kOnOutline) << key.Name();
    EXPECT_NEAR(line1.top, outer.top, kOnOutline) << key.Name();
    EXPECT_NEAR(outer.right - outer.left, unit->GetWidth(), kOnOutline) << key.Name();
  }
}

// The two-line elevation (drawn after the one-line one) steps inward on every side.
TEST_F(CatalogueUnitsTest, TwoLineElevationLiesInsideTheOneLine)
{
  for (const UnitKey& key : Keys()) {
    std::unique_ptr<CUnit> unit = Make(key);
    CVRX2DEntityArray one, two;
    unit->GetElevationEntities(1, FALSE, FALSE, one);
    unit->GetElevationEntities(2, FALSE, FALSE, two);
    ASSERT_GT(two.GetSize(), one.GetSize()) << key.Name();
    const Box outer = Extents(one);
    const Box inner = Extents(two, one.GetSize());
    EXPECT_GT(inner.left, outer.left) << key.Name();
    EXPECT_LT(inner.right, outer.right) << key.Name();
    EXPECT_GT(inner.bottom, outer.bottom) << key.Name();
    EXPECT_LT(inner.top, outer.top) << key.Name();
  }
}

TEST_F(CatalogueUnitsTest, DefaultFreeSizesPassTheirOwnChecks)
{
  int checked = 0;
  for (const UnitKey& key : Keys()) {
    std::unique_ptr<CUnit> unit = Make(key);
    if (auto* varigon = dynamic_cast<CVarigonUnit*>(unit.get())) {
      CArray<double, double> values;
      varigon->GetDimensionValues(values);
      EXPECT_TRUE(varigon->SetDimensionValues(values)) << key.Name();
      ++checked;
    } else if (auto* arched = dynamic_cast<CCustomArchedUnit*>(unit.get())) {
      EXPECT_TRUE(arched->IsSizeValid()) << key.Name();
      ++checked;
    }
  }
  EXPECT_EQ(checked, 17);
}

// Half an inch along the handle's way out from the unit's middle, and back in.
TEST_F(CatalogueUnitsTest, DefaultFreeSizesAcceptSmallHandleDragsBothWays)
{
  for (const UnitKey& key : Keys()) {
    std::unique_ptr<CUnit> unit = Make(key);
    if (!dynamic_cast<CVarigonUnit*>(unit.get()) && !dynamic_cast<CCustomArchedUnit*>(unit.get()))
      continue;
    const CVRX2DPoint middle(unit->GetWidth() / 2.0, unit->GetHeight() / 2.0);
    CSizingHandleArray handles;
    unit->GetSizingHandles(handles);
    ASSERT_GT(handles.GetSize(), 0) << key.Name();
    for (int h = 0; h < handles.GetSize(); ++h) {
      const CVRX2DVector out = handles[h]->GetPoint() - middle;
      const double length = out.GetLength();
      ASSERT_GT(length, 0.0) << key.Name() << " handle " << h;
      const CVRX2DVector step = out * (0.5 / length);
      EXPECT_TRUE(Accepts(*unit, h, step)) << key.Name() << " handle " << h << " outward";
      EXPECT_TRUE(Accepts(*unit, h, step * -1.0)) << key.Name() << " handle " << h << " inward";
    }
  }
}
// Two units of one type side by side, and one on the other, meet with a joining type wherever
// both of the meeting edges are straight.
TEST_F(CatalogueUnitsTest, EveryTypeJoinsItsOwnTypeBothWays)
{
  int sideBySide = 0, stacked = 0;
  for (const UnitKey& key : Keys()) {
    std::unique_ptr<CUnit> unit = Make(key);
    const Sides sides = SideIds(*unit);
    if (!sides.left.empty() && !sides.right.empty()) {
      EXPECT_TRUE(Joinable(sides.right, sides.left)) << key.Name() << " side by side";
      ++sideBySide;
    }
    if (!sides.top.empty() && !sides.bottom.empty()) {
      EXPECT_TRUE(Joinable(sides.top, sides.bottom)) << key.Name() << " stacked";
      ++stacked;
    }
  }
  EXPECT_EQ(sideBySide, 33);
  EXPECT_EQ(stacked, 22);
}

// The catalogue's joining rule, for every member a unit can show on an edge. Type 1 joins windows
// side by side (rectangular with rectangular, free-form with rectangular and free-form, an arched
// shape with its own kind) and a rectangular window under a rectangular, arched or free-form one;
// type 2 joins door with door, a door with the sidelights beside it and with the transoms, arched
// and free-form units above it. Each pair needs its row and a spacing for both sides.
TEST_F(CatalogueUnitsTest, EveryEdgeMemberJoinsAsTheCatalogueRuleSays)
{
  enum Kind
  {
    rectangular,
    door,
    arched,
    freeForm
  };
  auto kindOf = [](const std::string& name) {
    const std::string line = name.substr(0, 2);
    if (line == "FH" || line == "PS")
      return door;
    if (line == "VG")
      return freeForm;
    if (line == "AR" || line == "SL" || line == "SW")
      return arched;
    return rectangular;
  };
  const std::set<std::string> sidelights = {"FGBA015", "CABA001", "CAPI001", "AWPI002", "DHPI003"};
  const std::set<std::string> transoms = {"FGBA015", "CAPI001", "AWBA002", "AWVP002", "AWPI002", "DHTR003", "DHPI003"};
  const std::map<std::string, Sides> members = EdgeMembersOfEveryChoice();
  std::set<std::tuple<int, int, int>> asked;
  auto ask = [&](int type, const std::set<int>& a, const std::set<int>& b) {
    for (int x : a)
      for (int y : b)
        asked.emplace(type, std::min(x, y), std::max(x, y));
  };
  for (const auto& [name, sides] : members) {
    const Kind kind = kindOf(name);
    for (const auto& [otherName, other] : members) {
      const Kind otherKind = kindOf(otherName);
      // sides.right meets other.left; sides.top meets other.bottom.
      if (kind == rectangular && (otherKind == rectangular || otherKind == freeForm))
        ask(1, sides.right, other.left);
      if (kind == freeForm && (otherKind == rectangular || otherKind == freeForm))
        ask(1, sides.right, other.left);
      if (kind == arched && name == otherName)
        ask(1, sides.right, other.left);
      if (kind == rectangular && otherKind != door)
        ask(1, sides.top, other.bottom);
      if (kind == door && (otherKind == door || sidelights.count(otherName)))
        ask(2, sides.right, other.left);
      if (otherKind == door && sidelights.count(name))
        ask(2, sides.right, other.left);
      if (kind == door &&
          (otherKind == door || otherKind == arched || otherKind == freeForm || transoms.count(otherName)))
        ask(2, sides.top, other.bottom);
    }
  }
  int made = 0;
  for (const auto& [type, a, b] : asked) {
    try {
      CJoin join(type, a, b);
      ++made;
    } catch (const CUnitException&) {
      ADD_FAILURE() << "join type " << type << " has no row or spacing for " << a << " with " << b;
    }
  }
  EXPECT_GT(made, 500) << "the members of some operations were not looked at";
}

// The combinations sold together, and one pair that no joining type fits.
TEST_F(CatalogueUnitsTest, SoldCombinationsJoinAndOthersDoNot)
{
  auto sides = [&](const char* type, const char* subtype) { return SideIds(*Make({type, subtype})); };
  EXPECT_TRUE(Joinable(sides("CA", "PI001").right, sides("CA", "BA001").left));
  EXPECT_TRUE(Joinable(sides("AW", "PI002").top, sides("AW", "BA002").bottom));
  EXPECT_TRUE(Joinable(sides("FH", "BA014").top, sides("DH", "TR003").bottom));
  EXPECT_TRUE(Joinable(sides("PS", "BA016").top, sides("AR", "BA011").bottom));
  EXPECT_TRUE(Joinable(sides("DH", "PI003").top, sides("SW", "CC006").bottom));
  EXPECT_TRUE(Joinable(sides("FH", "BA014").left, sides("FG", "BA015").right));
  EXPECT_TRUE(Joinable(sides("VG", "RE010").right, sides("CA", "PI001").left));
  EXPECT_TRUE(Joinable(sides("FG", "BA015").top, sides("VG", "PP010").bottom));
  EXPECT_FALSE(Joinable(sides("FH", "BA014").right, sides("GL", "BA005").left));
  EXPECT_FALSE(Joinable(sides("PS", "BA016").right, sides("VG", "RE010").left));
}

// Each grille choice a type offers for a size draws bars at that size.
TEST_F(CatalogueUnitsTest, EveryOfferedGrilleDrawsAtEverySize)
{
  int drawn = 0;
  for (const UnitKey& key : Keys()) {
    std::unique_ptr<CUnit> unit = Make(key);
    auto* standard = dynamic_cast<CStandardUnit*>(unit.get());
    if (!standard || dynamic_cast<CCustomArchedUnit*>(unit.get()))
      continue;
    CStdSizesRecArray sizes;
    standard->GetStandardSizes(sizes);
    for (int i = 0; i < sizes.GetSize(); ++i) {
      standard->SetSizeCode(sizes[i]->GetSizeCode());
      COptChoicRecArray choices;
      standard->GetOptionChoicesOfCategory(kGrilleTypeCategory, choices);
      for (int c = 0; c < choices.GetSize(); ++c) {
        const int choice = choices[c]->GetChoice();
        if (IsNoGrilleChoice(choice))
          continue;
        ASSERT_TRUE(standard->SetOptionChoice(kGrilleTypeCategory, choice));
        CVRX2DEntityArray bars;
        standard->GetGrilleEntities(2, bars);
        EXPECT_GT(bars.GetSize(), 0) << key.Name() << " " << sizes[i]->GetSizeCode().str() << " choice " << choice;
        ++drawn;
      }
    }
  }
  EXPECT_GT(drawn, 200);
}

// The custom arched units draw no grilles, so they offer none but "grille ready".
TEST_F(CatalogueUnitsTest, CustomArchedUnitsOfferNoGrillePattern)
{
  for (const UnitKey& key : Keys()) {
    std::unique_ptr<CUnit> unit = Make(key);
    if (!dynamic_cast<CCustomArchedUnit*>(unit.get()))
      continue;
    COptChoicRecArray choices;
    unit->GetOptionChoicesOfCategory(kGrilleTypeCategory, choices);
    for (int c = 0; c < choices.GetSize(); ++c) {
      const int choice = choices[c]->GetChoice();
      EXPECT_TRUE(IsNoGrilleChoice(choice)) << key.Name() << " choice " << choice;
    }
  }
}
// No choice the catalogue offers for a size and operation is refused by the unit it is offered
// for, so a choice made on the sheet is never silently replaced by the one before.
TEST_F(CatalogueUnitsTest, EveryOfferedChoiceIsTakenAtEverySizeAndOperation)
{
  int taken = 0;
  for (const UnitKey& key : Keys()) {
    std::unique_ptr<CUnit> unit = Make(key);
    auto* standard = dynamic_cast<CStandardUnit*>(unit.get());
    if (!standard || dynamic_cast<CCustomArchedUnit*>(unit.get()))
      continue;
    ForEachSizeAndOperation(*standard, [&](const auto& size, const auto& operation) {
      COptCatsRecArray categories;
      standard->GetOptionCategories(categories);
      for (int c = 0; c < categories.GetSize(); ++c) {
        const int category = categories[c]->GetCategory();
        COptChoicRecArray choices;
        standard->GetOptionChoicesOfCategory(category, choices);
        for (int k = 0; k < choices.GetSize(); ++k, ++taken)
          EXPECT_TRUE(standard->SetOptionChoice(category, choices[k]->GetChoice()))
              << key.Name() << " " << size.GetSizeCode().str() << " " << operation.GetCode().str() << " category "
              << category << " choice " << choices[k]->GetChoice();
        standard->SetOptionChoice(category, 0);
      }
    });
  }
  EXPECT_GT(taken, 5000);
}
}  // namespace
