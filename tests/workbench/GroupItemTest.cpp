// Guards the group item: its box, handles and the unit sides it offers for joining (naming the
// unit's component outline), moving its members with it, its member queries, and its stored
// form, which reloads byte for byte with nested groups once the units are made bottom-up, and
// whatever rounding placed its members.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "productdb/txrecobj.h"
#include "support/Exceptn.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbreg.h"

namespace {
using Bytes = std::vector<BYTE>;

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
  try {
    return ar.ReadObject(RUNTIME_CLASS(CDesignItem));
  } catch (...) {
    // A group that fails to load lets go of its members: a reader giving up on the archive
    // deletes what the archive made, each object once.
    const std::vector<CObject*> made = ar.GetLoadedObjects();
    for (CObject* pObject : made)
      if (auto* pGroup = dynamic_cast<CGroupItem*>(pObject))
        pGroup->RemoveAllItems();
    for (CObject* pObject : made)
      delete pObject;
    throw;
  }
}

class GroupItemTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    RegisterWorkbenchClasses();
  }

  static CUnitItem* Glider(double x, double y)
  {
    auto* pItem = new CUnitItem("GL", "BA005");
    pItem->GetUnit();
    pItem->Offset(CVRX2DVector(x, y));
    return pItem;
  }

  // Two gliders side by side, touching.
  static std::unique_ptr<CGroupItem> Pair(CUnitItem*& pLeft, CUnitItem*& pRight, double x = 100.0, double y = 50.0)
  {
    pLeft = Glider(x, y);
    pRight = Glider(x + pLeft->GetWidth(), y);
    CObList items;
    items.AddTail(pLeft);
    items.AddTail(pRight);
    return std::make_unique<CGroupItem>(items);
  }
};
}  // namespace

TEST_F(GroupItemTest, APairHasTheBoxOfBothUnitsAndOffersOnlyItsOuterSides)
{
  CUnitItem* pLeft = nullptr;
  CUnitItem* pRight = nullptr;
  auto group = Pair(pLeft, pRight);
  const double w = pLeft->GetWidth();
  const double h = pLeft->GetHeight();
  EXPECT_EQ(group->GetItemType(), ditGroup);
  EXPECT_EQ(group->GetOffset(), CVRX2DVector(100.0, 50.0));
  EXPECT_DOUBLE_EQ(group->GetWidth(), 2 * w);
  EXPECT_DOUBLE_EQ(group->GetHeight(), h);
  EXPECT_EQ(group->GetCenterPoint(), CVRX2DPoint(-1.0, -1.0));
  CSizingHandleArray* pHandles = group->GetSizingHandles(nullptr);
  ASSERT_EQ(pHandles->GetSize(), 4);
  EXPECT_EQ(pHandles->GetAt(0)->GetPoint(), CVRX2DPoint(100.0, 50.0));
  EXPECT_EQ(pHandles->GetAt(2)->GetPoint(), CVRX2DPoint(100.0 + 2 * w, 50.0 + h));
  EXPECT_EQ(pHandles->GetAt(3)->GetPoint(), CVRX2DPoint(100.0, 50.0 + h));

  const CAlignmentEntityArray& sides = group->GetComponentEnts();
  ASSERT_GT(sides.GetSize(), 0);
  int leftOuter = 0;
  int rightOuter = 0;
  for (int i = 0; i < sides.GetSize(); ++i) {
    const auto& line = dynamic_cast<const CVRX2DLine&>(*sides[i]->GetEntity());
    if (line.IsVertical()) {
      const double x = line.GetStartPoint().GetX();
      EXPECT_TRUE(std::abs(x - 100.0) < 1e-6 || std::abs(x - (100.0 + 2 * w)) < 1e-6) << "inner side offered at " << x;
      leftOuter += std::abs(x - 100.0) < 1e-6;
      rightOuter += std::abs(x - (100.0 + 2 * w)) < 1e-6;
    }
    // The index names the unit's own component outline, the line itself.
    auto* pUnit = dynamic_cast<CUnitItem*>(sides[i]->GetItem());
    ASSERT_NE(pUnit, nullptr);
    ASSERT_EQ(sides[i]->GetIndices().GetSize(), 1);
    const int index = static_cast<int>(sides[i]->GetIndices()[0]);
    ASSERT_LT(index, pUnit->GetComponentOutlines()->GetSize());
    const auto* pComponent = dynamic_cast<const CVRX2DLine*>(pUnit->GetComponentOutlines()->GetAt(index));
    ASSERT_NE(pComponent, nullptr);
    EXPECT_EQ(pComponent->GetStartPoint(), line.GetStartPoint());
    EXPECT_EQ(pComponent->GetEndPoint(), line.GetEndPoint());
  }
  EXPECT_GT(leftOuter, 0);
  EXPECT_GT(rightOuter, 0);

  // The moving lines snapping gets are those sides, as unit perimeter sides of their units.
  CObArray refs;
  group->GetOutlineEntityRefs(refs);
  ASSERT_EQ(refs.GetSize(), sides.GetSize());
  for (int i = 0; i < refs.GetSize(); ++i) {
    std::unique_ptr<COutlineEntityRef> ref(static_cast<COutlineEntityRef*>(refs[i]));
    EXPECT_EQ(ref->m_pEntity->GetCategory(), 20);
    EXPECT_EQ(ref->m_pItem, sides[i]->GetItem());
    EXPECT_EQ(ref->m_nIndex, static_cast<int>(sides[i]->GetIndices()[0]));
  }
}

TEST_F(GroupItemTest, MovingMovesEveryMemberNestedOnesIncludedAndAZeroMoveNothing)
{
  CUnitItem* pLeft = nullptr;
  CUnitItem* pRight = nullptr;
  auto inner = Pair(pLeft, pRight);
  CUnitItem* pThird = Glider(400.0, 50.0);
  CObList items;
  items.AddTail(inner.release());
  items.AddTail(pThird);
  CGroupItem outer(items);
  const CVRX2DVector before = outer.GetOffset();
  outer.Offset(CVRX2DVector());
  EXPECT_EQ(outer.GetOffset(), before);
  EXPECT_EQ(pLeft->GetOffset(), CVRX2DVector(100.0, 50.0));

  outer.Offset(CVRX2DVector(10.0, -5.0));
  EXPECT_EQ(outer.GetOffset(), CVRX2DVector(110.0, 45.0));
  EXPECT_EQ(pLeft->GetOffset(), CVRX2DVector(110.0, 45.0));
  EXPECT_EQ(pRight->GetOffset(), CVRX2DVector(110.0 + pLeft->GetWidth(), 45.0));
  EXPECT_EQ(pThird->GetOffset(), CVRX2DVector(410.0, 45.0));
  EXPECT_EQ(outer.GetSizingHandles(nullptr)->GetAt(0)->GetPoint(), CVRX2DPoint(110.0, 45.0));
  const CVRX2DRectangle extents = outer.GetExtentEnts().GetExtents();
  EXPECT_EQ(extents.GetMinPoint(), CVRX2DPoint(110.0, 45.0));
  EXPECT_EQ(outer.GetCenterPoint(), CVRX2DPoint(-1.0, -1.0));
  // A move that would leave the Workbench square is refused for the whole group.
  EXPECT_FALSE(outer.CanMoveTo(CVRX2DVector(1200.0, 0.0)));
  EXPECT_TRUE(outer.CanMoveTo(CVRX2DVector(-100.0, 0.0)));
}

TEST_F(GroupItemTest, MembersAreListedInOrderWithNestedGroupsInTheirPlace)
{
  CUnitItem* pLeft = nullptr;
  CUnitItem* pRight = nullptr;
  auto inner = Pair(pLeft, pRight);
  CGroupItem* pInner = inner.get();
  CUnitItem* pFirst = Glider(10.0, 10.0);
  CObList items;
  items.AddTail(pFirst);
  items.AddTail(inner.release());
  CGroupItem outer(items);
  CObList units;
  units.AddTail(pFirst);
  EXPECT_TRUE(outer.GetUnitsInGroup(units, FALSE));
  ASSERT_EQ(units.GetCount(), 4) << "the list is not emptied first";
  POSITION pos = units.GetHeadPosition();
  units.GetNext(pos);
  EXPECT_EQ(units.GetNext(pos), pFirst);
  EXPECT_EQ(units.GetNext(pos), pLeft);
  EXPECT_EQ(units.GetNext(pos), pRight);
  EXPECT_TRUE(outer.ContainsItem(pRight));
  EXPECT_TRUE(outer.ContainsItem(pInner));
  EXPECT_FALSE(pInner->ContainsItem(pFirst));
  EXPECT_THROW(delete outer.Clone(), CAppException);
}

TEST_F(GroupItemTest, AGroupWithoutUnitsHasTheZeroBox)
{
  CObList none;
  CGroupItem group(none);
  EXPECT_EQ(group.GetOffset(), CVRX2DVector());
  EXPECT_EQ(group.GetWidth(), 0.0);
  EXPECT_EQ(group.GetSizingHandles(nullptr)->GetSize(), 4);
  EXPECT_EQ(group.GetComponentEnts().GetSize(), 0);
}

TEST_F(GroupItemTest, NestedGroupsReloadByteForByteOnceTheirUnitsAreMadeBottomUp)
{
  CUnitItem* pLeft = nullptr;
  CUnitItem* pRight = nullptr;
  auto inner = Pair(pLeft, pRight, 200.0, 300.0);
  CObList items;
  items.AddTail(inner.release());
  items.AddTail(Glider(20.0, 30.0));
  CGroupItem outer(items);
  outer.SetShowAlignmentLines(TRUE);
  const Bytes stored = Store(&outer);
  // The tag, the 50-byte record of a group, its stamp and its two members.
  const std::string tag = "CGroupItem";
  ASSERT_GT(stored.size(), 6 + tag.size() + 50 + 4 + 2);
  EXPECT_EQ(std::string(stored.begin() + 6, stored.begin() + 6 + static_cast<long>(tag.size())), tag);
  EXPECT_EQ(stored[6 + tag.size() + 4], ditGroup);
  EXPECT_EQ(stored[6 + tag.size() + 50 + 4], 2) << "member count";

  std::unique_ptr<CObject> loaded(Load(stored));
  auto* pGroup = dynamic_cast<CGroupItem*>(loaded.get());
  ASSERT_NE(pGroup, nullptr);
  // Before its units are made a loaded group keeps the box it was stored with.
  EXPECT_EQ(pGroup->GetOffset(), outer.GetOffset());
  EXPECT_EQ(Store(pGroup), stored);
  pGroup->UpdateComponentEnts();
  EXPECT_EQ(pGroup->GetOffset(), outer.GetOffset());
  EXPECT_DOUBLE_EQ(pGroup->GetWidth(), outer.GetWidth());
  EXPECT_DOUBLE_EQ(pGroup->GetHeight(), outer.GetHeight());
  EXPECT_EQ(pGroup->GetComponentEnts().GetSize(), outer.GetComponentEnts().GetSize());
  EXPECT_EQ(pGroup->GetExtentEnts().GetSize(), outer.GetExtentEnts().GetSize());
  ASSERT_EQ(pGroup->GetMembers().GetCount(), 2);
  auto* pNested = dynamic_cast<CGroupItem*>(pGroup->GetMembers().GetHead());
  ASSERT_NE(pNested, nullptr);
  EXPECT_EQ(pNested->GetMembers().GetCount(), 2);
  EXPECT_DOUBLE_EQ(pNested->GetWidth(), 2 * pLeft->GetWidth());
  EXPECT_EQ(Store(pGroup), stored);
}

// Units placed and moved by amounts binary fractions cannot hold, and groups moved after: every
// such group, and a group of guidelines alone, reads back and is made whole again as the bytes
// it was stored as, as the Workbench does with a design it opens.
TEST_F(GroupItemTest, AGroupMadeWholeAgainAfterLoadingStoresTheBytesItWasStoredAs)
{
  int changed = 0;
  for (int k = 1; k <= 100; ++k) {
    CUnitItem* pLeft = Glider(100.0 + k * 0.37, 50.0);
    CUnitItem* pRight = Glider(150.0, 50.0 + k * 0.11);
    for (int i = 0; i < 3; ++i) {
      pLeft->Offset(CVRX2DVector(0.1 * k, 0.3));
      pRight->Offset(CVRX2DVector(0.7, 0.1 * k));
    }
    CObList items;
    items.AddTail(pLeft);
    items.AddTail(pRight);
    CGroupItem group(items);
    for (int i = 0; i < 3; ++i)
      group.Offset(CVRX2DVector(0.1 * k / 3.0, 0.3 / k));
    const Bytes stored = Store(&group);
    std::unique_ptr<CObject> loaded(Load(stored));
    auto* pGroup = dynamic_cast<CGroupItem*>(loaded.get());
    ASSERT_NE(pGroup, nullptr);
    pGroup->UpdateComponentEnts();
    changed += Store(pGroup) != stored;
  }
  EXPECT_EQ(changed, 0) << "groups of 100 stored differently once made whole";

  CObList lines;
  lines.AddTail(new CGuidelineItem(CVRXAngle(VRX_HALF_PI), 0.0, CVRX2DVector(300.0, 600.0), nullptr));
  lines.AddTail(new CGuidelineItem(CVRXAngle(0.7), 2.0, CVRX2DVector(250.0, 80.0), nullptr));
  CGroupItem guides(lines);
  guides.Offset(CVRX2DVector(12.5, -3.25));
  const Bytes stored = Store(&guides);
  std::unique_ptr<CObject> loaded(Load(stored));
  auto* pGuides = dynamic_cast<CGroupItem*>(loaded.get());
  ASSERT_NE(pGuides, nullptr);
  pGuides->UpdateComponentEnts();
  EXPECT_EQ(pGuides->GetOffset(), CVRX2DVector(12.5, -3.25)) << "a group without units keeps the box it moved with";
  EXPECT_EQ(Store(pGuides), stored);
}

TEST_F(GroupItemTest, AMemberStoredTwiceIsRefusedAsDamage)
{
  CUnitItem* pLeft = nullptr;
  CUnitItem* pRight = nullptr;
  auto group = Pair(pLeft, pRight);
  const Bytes bytes = Store(group.get());
  // The second member starts with its 2-byte class reference, then the unit's own data.
  const size_t unitData = Store(pRight).size() - 6 - std::string("CUnitItem").size();
  const size_t second = bytes.size() - unitData - 2;
  // Object indexes: 1 the group's class, 2 the group, 3 the unit class, 4 the first unit.
  for (int index : {2, 4}) {
    Bytes damaged(bytes.begin(), bytes.begin() + static_cast<long>(second));
    damaged.push_back(static_cast<BYTE>(index));
    damaged.push_back(0);
    EXPECT_THROW(delete Load(damaged), CArchiveException) << index;
  }
}

// A move group stands for a selection while it moves and keeps no copies of its members'
// outlines, yet takes the box, handles, joining sides and alignment lines a group of the same
// members, nested groups among them, takes; moved, both move them alike.
TEST_F(GroupItemTest, AMoveGroupHasTheBoxAndSidesOfAGroupOfItsMembersWithoutCopiesOfTheirOutlines)
{
  CUnitItem* pLeft = nullptr;
  CUnitItem* pRight = nullptr;
  std::unique_ptr<CGroupItem> pair = Pair(pLeft, pRight, 40.0, 30.0);
  // Overlapping members: the box's points within the tolerance depend on the order they come in.
  std::unique_ptr<CUnitItem> above(Glider(60.0 + 1e-7, 30.0 + pLeft->GetHeight() - 2.5));
  std::unique_ptr<CUnitItem> apart(Glider(400.0, 10.0));
  CObList members;
  members.AddTail(pair.get());
  members.AddTail(above.get());
  members.AddTail(apart.get());
  auto describe = [](CGroupItem& group) {
    std::string text = std::to_string(group.GetOffset().GetX()) + " " + std::to_string(group.GetOffset().GetY()) + " " +
                       std::to_string(group.GetWidth()) + " " + std::to_string(group.GetHeight()) + "\n";
    CSizingHandleArray* pHandles = group.GetSizingHandles(nullptr);
    for (int i = 0; i < pHandles->GetSize(); ++i)
      text += std::to_string(pHandles->GetAt(i)->GetPoint().GetX()) + "," +
              std::to_string(pHandles->GetAt(i)->GetPoint().GetY()) + " ";
    text += "\n";
    for (int i = 0; i < group.GetComponentEnts().GetSize(); ++i) {
      const CAlignmentEntity& side = *group.GetComponentEnts()[i];
      const auto& line = dynamic_cast<const CVRX2DLine&>(*side.GetEntity());
      text += std::to_string(line.GetStartPoint().GetX()) + "," + std::to_string(line.GetStartPoint().GetY()) + "-" +
              std::to_string(line.GetEndPoint().GetX()) + "," + std::to_string(line.GetEndPoint().GetY()) + " of " +
              std::to_string(reinterpret_cast<std::uintptr_t>(side.GetItem())) + "\n";
    }
    const CVRX2DEntityArray& alignment = *group.GetAlignmentEntities();
    for (int i = 0; i < alignment.GetSize(); ++i) {
      const CVRX2DRectangle box = alignment[i]->GetExtents();
      text += std::to_string(box.GetMinPoint().GetX()) + "," + std::to_string(box.GetMinPoint().GetY()) + "-" +
              std::to_string(box.GetMaxPoint().GetX()) + "," + std::to_string(box.GetMaxPoint().GetY()) + "\n";
    }
    return text;
  };
  CMoveGroupItem moving(members);
  auto group = std::make_unique<CGroupItem>(members);
  EXPECT_EQ(moving.GetItemType(), ditMoveGroup);
  EXPECT_EQ(describe(moving), describe(*group));
  CVRX2DEntityArray outline;
  EXPECT_EQ(moving.GetOutlineEntities(outline), 0) << "no copies of the members' outlines";
  EXPECT_EQ(moving.GetExtentEnts().GetSize(), 0);
  EXPECT_GT(group->GetOutlineEntities(outline), 0);
  EXPECT_GT(moving.GetComponentEnts().GetSize(), 0);
  // The group lets go of the borrowed members before it goes.
  const CVRX2DVector v(12.5, -3.25);
  group->Offset(v);
  group->Offset(-v);
  moving.Offset(v);
  EXPECT_EQ(apart->GetOffset(), CVRX2DVector(400.0 + 12.5, 10.0 - 3.25));
  moving.Offset(-v);
  EXPECT_EQ(describe(moving), describe(*group));
  group->RemoveAllItems();
}
