// Guards the Workbench's clipboard payload: the temporary group's own bytes as a reader written
// apart from the program reads them, a read-back that writes the same bytes again with its units
// made and its groups rebuilt, and every foreign, damaged or truncated payload refused without
// a crash, a double deletion or a join left pointing outside the pasted items.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ClipReader.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "platform/core/Exception.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Lineitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbclip.h"
#include "workbench/items/Wbreg.h"

namespace {
using Bytes = std::vector<BYTE>;
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;

// The block the clipboard carries: the group's bytes and the spare byte.
std::vector<unsigned char> Block(const Bytes& bytes)
{
  std::vector<unsigned char> block(bytes.begin(), bytes.end());
  block.push_back(0);
  return block;
}

// A bare line segment: stored under its own class, which is no item a user places.
class CBareLine : public CLineSegmentItem
{
public:
  CBareLine() { SetUpLine(CVRX2DLine(13, CVRX2DPoint(5.0, 5.0), CVRX2DPoint(5.0, 50.0))); }
};

class ClipFormatTest : public ::testing::Test
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

  // Two gliders side by side with their join, the join first as a selection may have it.
  void MakeJoinedPair()
  {
    m_pLeft = Glider(100.0, 100.0);
    m_pRight = Glider(100.0 + m_pLeft->GetWidth(), 100.0);
    const int movingID = m_pRight->GetUnit()->GetComponentID(kLeftJamb);
    const int stationaryID = m_pLeft->GetUnit()->GetComponentID(kRightJamb);
    const double x = 100.0 + m_pLeft->GetWidth();
    m_pJoin = new CJoinItem(CVRX2DPoint(x, 123.5), CVRX2DPoint(x, 100.0), 1, movingID, stationaryID);
    ASSERT_NE(m_pJoin->GetJoin(), nullptr);
    m_pJoin->AddUnit(1, m_pRight, kLeftJamb, movingID, m_pJoin->GetJoin()->GetFirstOffset());
    m_pJoin->AddUnit(2, m_pLeft, kRightJamb, stationaryID, m_pJoin->GetJoin()->GetSecondOffset());
  }

  static Bytes WriteOf(std::initializer_list<CDesignItem*> items)
  {
    CObList list;
    for (CDesignItem* pItem : items)
      list.AddTail(pItem);
    CGroupItem group(list);
    Bytes bytes = WriteItemGroup(group);
    group.RemoveAllItems();
    return bytes;
  }

  static bool Refused(const Bytes& bytes)
  {
    try {
      ReadItemGroup(bytes.data(), bytes.size());
    } catch (const CException&) {
      return true;
    }
    return false;
  }

  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pRight = nullptr;
  CJoinItem* m_pJoin = nullptr;
};
}  // namespace

TEST_F(ClipFormatTest, TheGroupsOwnBytesHoldEveryMemberAndNothingElse)
{
  MakeJoinedPair();
  std::unique_ptr<CDesignItem> left(m_pLeft), right(m_pRight), join(m_pJoin);
  CObList inner;
  inner.AddTail(Glider(300.0, 40.0));
  auto nested = std::make_unique<CGroupItem>(inner);
  const Bytes bytes = WriteOf({m_pJoin, m_pLeft, m_pRight, nested.get()});

  CClipItemImage image;
  std::string error;
  ASSERT_TRUE(ReadClipPayload(Block(bytes), image, error)) << error;
  EXPECT_EQ(image.type, 5);
  EXPECT_EQ(image.x, 100.0);
  EXPECT_EQ(image.y, 40.0);
  EXPECT_DOUBLE_EQ(image.width, nested->GetOffset().GetX() + nested->GetWidth() - 100.0);
  ASSERT_EQ(image.members.size(), 4u);
  const CClipItemImage& joinImage = image.members[0];
  EXPECT_EQ(joinImage.className, "CJoinItem");
  EXPECT_EQ(joinImage.joinType, 1);
  const CClipItemImage& leftImage = image.members[1];
  const CClipItemImage& rightImage = image.members[2];
  EXPECT_EQ(leftImage.className, "CUnitItem");
  EXPECT_EQ(leftImage.unitType, "GL");
  EXPECT_EQ(leftImage.unitSubtype, "BA005");
  EXPECT_EQ(leftImage.x, m_pLeft->GetOffset().GetX());
  EXPECT_EQ(rightImage.x, m_pRight->GetOffset().GetX());
  // The join wrote its units first; the members are those same objects.
  EXPECT_EQ(joinImage.firstUnit, rightImage.objectIndex);
  EXPECT_EQ(joinImage.secondUnit, leftImage.objectIndex);
  const CClipItemImage& groupImage = image.members[3];
  EXPECT_EQ(groupImage.className, "CGroupItem");
  ASSERT_EQ(groupImage.members.size(), 1u);
  EXPECT_EQ(groupImage.members[0].x, 300.0);
  EXPECT_EQ(groupImage.members[0].y, 40.0);
}

TEST_F(ClipFormatTest, AReadGroupHasItsUnitsMadeAndWritesTheSameBytesAgain)
{
  MakeJoinedPair();
  std::unique_ptr<CDesignItem> left(m_pLeft), right(m_pRight), join(m_pJoin);
  CObList inner;
  inner.AddTail(Glider(300.0, 40.0));
  auto nested = std::make_unique<CGroupItem>(inner);
  const Bytes bytes = WriteOf({m_pJoin, m_pLeft, m_pRight, nested.get()});

  const std::vector<unsigned char> block = Block(bytes);
  auto group = ReadItemGroup(block.data(), block.size());
  ASSERT_EQ(group->GetMembers().GetCount(), 4);
  POSITION pos = group->GetMembers().GetHeadPosition();
  auto* pJoin = dynamic_cast<CJoinItem*>(group->GetMembers().GetNext(pos));
  auto* pLeft = dynamic_cast<CUnitItem*>(group->GetMembers().GetNext(pos));
  auto* pRight = dynamic_cast<CUnitItem*>(group->GetMembers().GetNext(pos));
  auto* pNested = dynamic_cast<CGroupItem*>(group->GetMembers().GetNext(pos));
  ASSERT_TRUE(pJoin && pLeft && pRight && pNested);
  EXPECT_TRUE(pLeft->HasUnit());
  EXPECT_TRUE(pRight->HasUnit());
  EXPECT_TRUE(pJoin->JoinsUnit(pLeft));
  EXPECT_TRUE(pJoin->JoinsUnit(pRight));
  // The nested group was rebuilt from its made unit before the outer group took its box.
  EXPECT_DOUBLE_EQ(pNested->GetWidth(), nested->GetWidth());
  EXPECT_DOUBLE_EQ(group->GetWidth(), nested->GetOffset().GetX() + nested->GetWidth() - 100.0);
  EXPECT_GT(pNested->GetComponentEnts().GetSize(), 0);
  // The pasted group is only placed and ungrouped: its box, and no copies of its members' lines.
  EXPECT_EQ(group->GetComponentEnts().GetSize(), 0);
  EXPECT_EQ(group->GetExtentEnts().GetSize(), 0);
  EXPECT_DOUBLE_EQ(group->GetOffset().GetX(), 100.0);
  EXPECT_EQ(WriteItemGroup(*group), bytes);
}

TEST_F(ClipFormatTest, AReadGroupTakesTheBoxAWholeBuildOfItsMembersGives)
{
  MakeJoinedPair();
  std::unique_ptr<CDesignItem> left(m_pLeft), right(m_pRight), join(m_pJoin);
  CObList inner;
  inner.AddTail(Glider(40.0, 520.0));
  auto nested = std::make_unique<CGroupItem>(inner);
  CGuidelineItem guide(CVRXAngle(VRX_PI / 2.0), 2.0, CVRX2DVector(900.0, 50.0), nullptr);
  const Bytes bytes = WriteOf({m_pJoin, m_pLeft, &guide, m_pRight, nested.get()});
  auto group = ReadItemGroup(bytes.data(), bytes.size());
  ASSERT_EQ(group->GetMembers().GetCount(), 5);

  CGroupItem whole(group->GetMembers());
  const CVRX2DVector offset = whole.GetOffset();
  whole.RemoveAllItems();
  EXPECT_EQ(group->GetOffset(), offset);
  EXPECT_EQ(group->GetWidth(), whole.GetWidth());
  EXPECT_EQ(group->GetHeight(), whole.GetHeight());
  EXPECT_DOUBLE_EQ(group->GetOffset().GetX(), 40.0);
  // The corner handles frame the box, as the placing and the invalidation read them.
  ASSERT_EQ(group->GetSizingHandles(nullptr)->GetSize(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ((*group->GetSizingHandles(nullptr))[i]->GetPoint(), (*whole.GetSizingHandles(nullptr))[i]->GetPoint())
        << i;
}

TEST_F(ClipFormatTest, EveryTruncatedOrForeignPayloadIsRefused)
{
  MakeJoinedPair();
  std::unique_ptr<CDesignItem> left(m_pLeft), right(m_pRight), join(m_pJoin);
  const Bytes bytes = WriteOf({m_pLeft, m_pRight, m_pJoin});
  ASSERT_FALSE(Refused(bytes));
  for (size_t size = 0; size < bytes.size(); ++size)
    EXPECT_TRUE(Refused(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size)))) << size;
  Bytes old = bytes;
  old[0] = 0x13;  // 9235, one below the oldest stamp read
  old[1] = 0x24;
  EXPECT_TRUE(Refused(old));
  // A unit's record claiming the group's type code.
  const std::string name = "CUnitItem";
  const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  Bytes retyped = bytes;
  const size_t type = static_cast<size_t>(at - bytes.begin()) + name.size() + 4;
  ASSERT_EQ(retyped[type], 1);
  retyped[type] = 5;
  EXPECT_TRUE(Refused(retyped));
  const std::string text = "Some other program's text that happens to use the name";
  EXPECT_TRUE(Refused(Bytes(text.begin(), text.end())));
}

TEST_F(ClipFormatTest, OnlyItemsAUserPlacesComeIn)
{
  CBareLine line;
  std::unique_ptr<CDesignItem> first(Glider(10.0, 10.0));
  EXPECT_TRUE(Refused(WriteOf({first.get(), &line})));
  CDesignItem base;
  std::unique_ptr<CDesignItem> unit(Glider(10.0, 10.0));
  EXPECT_TRUE(Refused(WriteOf({unit.get(), &base})));
  CGuidelineItem guide(CVRXAngle(VRX_PI / 2.0), 2.0, CVRX2DVector(50.0, 50.0), nullptr);
  EXPECT_FALSE(Refused(WriteOf({unit.get(), &guide})));
}

TEST_F(ClipFormatTest, AMemberOwnedTwiceOrAGroupHoldingItselfIsRefused)
{
  std::unique_ptr<CDesignItem> unit(Glider(10.0, 10.0));
  CObList one;
  one.AddTail(unit.get());
  CGroupItem nested(one);
  EXPECT_TRUE(Refused(WriteOf({&nested, unit.get()})));

  std::unique_ptr<CDesignItem> other(Glider(200.0, 10.0));
  CObList two;
  two.AddTail(other.get());
  CGroupItem outer(two);
  // Each holds the other: the bytes name the first again inside the second.
  nested.AddItem(&outer);
  outer.AddItem(&nested);
  const Bytes circular = WriteOf({&nested});
  nested.RemoveAllItems();
  outer.RemoveAllItems();
  EXPECT_TRUE(Refused(circular));
}

TEST_F(ClipFormatTest, AJoinWithoutBothItsUnitsIsDropped)
{
  MakeJoinedPair();
  std::unique_ptr<CDesignItem> left(m_pLeft), right(m_pRight), join(m_pJoin);
  // The right unit travels only inside the join's side.
  const Bytes bytes = WriteOf({m_pJoin, m_pLeft});
  auto group = ReadItemGroup(bytes.data(), bytes.size());
  ASSERT_EQ(group->GetMembers().GetCount(), 1);
  auto* pLeft = dynamic_cast<CUnitItem*>(group->GetMembers().GetHead());
  ASSERT_NE(pLeft, nullptr);
  EXPECT_EQ(pLeft->GetOffset().GetX(), m_pLeft->GetOffset().GetX());
  EXPECT_DOUBLE_EQ(group->GetWidth(), m_pLeft->GetWidth());
}
