// Guards designs whose groups hold units a join names: a unit first written as a join's side is
// a back-reference in its group's member list, wherever the group stands (last in the design
// too), and reads back as the same object for the join and the group, stored again byte for
// byte; bytes cut anywhere are refused and free every unit they made.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/Join.h"
#include "model/Unit.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "productdb/txrecobj.h"
#include "project/Design.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbreg.h"

namespace {
using Bytes = std::vector<BYTE>;
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;

// A unit item that counts its living objects.
class CCountedUnit : public CUnitItem
{
  DECLARE_SERIAL(CCountedUnit)
public:
  CCountedUnit() { ++s_nLive; }
  explicit CCountedUnit(double x) : CUnitItem("GL", "BA005")
  {
    ++s_nLive;
    GetUnit();
    Offset(CVRX2DVector(x, 100.0));
  }
  ~CCountedUnit() override { --s_nLive; }

  static int s_nLive;
};

int CCountedUnit::s_nLive = 0;
IMPLEMENT_SERIAL(CCountedUnit, CUnitItem, VERSIONABLE_SCHEMA | 10000)

// The items a design is made of, before the design takes them.
struct Parts
{
  CCountedUnit* pLeft;
  CCountedUnit* pRight;
  CCountedUnit* pThird;
  CJoinItem* pJoin;
};

Bytes StoreDesign(CDesign& design)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  design.Serialize(ar);
  ar.Close();
  return file.GetBytes();
}

std::unique_ptr<CDesign> LoadDesign(const Bytes& bytes)
{
  auto design = std::make_unique<CDesign>();
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  design->Serialize(ar);
  return design;
}

CGroupItem* Group(std::initializer_list<CDesignItem*> members)
{
  CObList list;
  for (CDesignItem* pMember : members)
    list.AddTail(pMember);
  return new CGroupItem(list);
}

// Each arrangement puts the parts into the design's list, groups made of them where it says.
struct Arrangement
{
  const char* name;
  std::function<void(CObList&, const Parts&)> build;
};

const std::vector<Arrangement>& Arrangements()
{
  static const std::vector<Arrangement> all{
      {"a group of one joined unit and a third, after the join",
       [](CObList& list, const Parts& p) {
         list.AddTail(p.pRight);
         list.AddTail(p.pJoin);
         list.AddTail(Group({p.pLeft, p.pThird}));
       }},
      {"a group of the two joined units alone, last, after the join",
       [](CObList& list, const Parts& p) {
         list.AddTail(p.pThird);
         list.AddTail(p.pJoin);
         list.AddTail(Group({p.pLeft, p.pRight}));
       }},
      {"a group holding the join ahead of its units",
       [](CObList& list, const Parts& p) {
         list.AddTail(p.pThird);
         list.AddTail(Group({p.pJoin, p.pRight, p.pLeft}));
       }},
      {"nested groups, the join in the outer one",
       [](CObList& list, const Parts& p) {
         list.AddTail(Group({Group({p.pLeft, p.pThird}), p.pRight, p.pJoin}));
       }},
      {"nested groups after a join that crosses them",
       [](CObList& list, const Parts& p) {
         list.AddTail(p.pJoin);
         list.AddTail(Group({p.pThird, Group({p.pRight})}));
         list.AddTail(p.pLeft);
       }},
  };
  return all;
}

class GroupJoinStoreTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    RegisterWorkbenchClasses();
    CRuntimeClass::Register(RUNTIME_CLASS(CCountedUnit));
    CCountedUnit::s_nLive = 0;
  }

  // Two gliders, the right one joined to the left one, and a third glider above them.
  static Parts MakeParts()
  {
    Parts p{new CCountedUnit(100.0), nullptr, nullptr, nullptr};
    const double gap = 0.375;
    p.pRight = new CCountedUnit(100.0 + p.pLeft->GetWidth() + gap);
    p.pThird = new CCountedUnit(100.0);
    p.pThird->Offset(CVRX2DVector(0.0, p.pLeft->GetHeight() + 12.0));
    const int movingID = p.pRight->GetUnit()->GetComponentID(kLeftJamb);
    const int stationaryID = p.pLeft->GetUnit()->GetComponentID(kRightJamb);
    const double x = 100.0 + p.pLeft->GetWidth() + gap / 2.0;
    p.pJoin = new CJoinItem(CVRX2DPoint(x, 123.5), CVRX2DPoint(x, 100.0), 1, movingID, stationaryID);
    p.pJoin->AddUnit(1, p.pRight, kLeftJamb, movingID, p.pJoin->GetJoin()->GetFirstOffset());
    p.pJoin->AddUnit(2, p.pLeft, kRightJamb, stationaryID, p.pJoin->GetJoin()->GetSecondOffset());
    return p;
  }

  static Bytes StoreArrangement(const Arrangement& arrangement)
  {
    CDesign design;
    arrangement.build(design.GetItemList(), MakeParts());
    return StoreDesign(design);
  }

  // The join of a loaded design, wherever it stands.
  static CJoinItem* FindJoin(const CObList& items)
  {
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      CObject* pItem = items.GetNext(pos);
      if (auto* pJoin = dynamic_cast<CJoinItem*>(pItem))
        return pJoin;
      if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem))
        if (CJoinItem* pInner = FindJoin(pGroup->GetMembers()))
          return pInner;
    }
    return nullptr;
  }
};
}  // namespace

TEST_F(GroupJoinStoreTest, EachArrangementReadsBackWithTheJoinOnTheDesignsOwnUnits)
{
  for (const Arrangement& arrangement : Arrangements()) {
    SCOPED_TRACE(arrangement.name);
    const Bytes bytes = StoreArrangement(arrangement);
    ASSERT_EQ(CCountedUnit::s_nLive, 0) << "the stored design freed its units";
    std::unique_ptr<CDesign> design;
    ASSERT_NO_THROW(design = LoadDesign(bytes));
    EXPECT_EQ(CCountedUnit::s_nLive, 3);
    CObList units;
    design->GetUnitsInDesign(units, FALSE);
    EXPECT_EQ(units.GetCount(), 3) << "every unit is owned by the list or a group";
    CJoinItem* pJoin = FindJoin(design->GetItemList());
    ASSERT_NE(pJoin, nullptr) << "the join was kept";
    CUnitItem* pFirst = nullptr;
    CUnitItem* pSecond = nullptr;
    pJoin->GetUnitItems(pFirst, pSecond);
    EXPECT_NE(units.Find(pFirst), nullptr);
    EXPECT_NE(units.Find(pSecond), nullptr);
    EXPECT_NE(pFirst, pSecond);
    EXPECT_EQ(StoreDesign(*design), bytes) << "stored again byte for byte";
    design.reset();
    EXPECT_EQ(CCountedUnit::s_nLive, 0);
  }
}

TEST_F(GroupJoinStoreTest, BytesCutAnywhereAreRefusedAndFreeTheirUnits)
{
  for (const Arrangement& arrangement : Arrangements()) {
    SCOPED_TRACE(arrangement.name);
    const Bytes bytes = StoreArrangement(arrangement);
    for (size_t size = 0; size < bytes.size(); ++size) {
      const Bytes cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
      EXPECT_THROW(LoadDesign(cut), CArchiveException) << "cut to " << size;
      ASSERT_EQ(CCountedUnit::s_nLive, 0) << "cut to " << size;
    }
  }
}

// Damaged designs the program does not write: a grouped join that stands for nothing leaves its
// group, and a unit only it named goes with it rather than outlive the design.
TEST_F(GroupJoinStoreTest, AGroupedJoinThatStandsForNothingIsDroppedWithTheUnitOnlyItNamed)
{
  Bytes lonely;
  {
    CDesign design;
    const Parts p = MakeParts();
    design.GetItemList().AddTail(p.pThird);
    design.GetItemList().AddTail(Group({p.pJoin, p.pLeft}));
    lonely = StoreDesign(design);
    // Only the join holds the right glider in memory.
    delete p.pRight;
  }
  ASSERT_EQ(CCountedUnit::s_nLive, 0);
  std::unique_ptr<CDesign> design = LoadDesign(lonely);
  EXPECT_EQ(CCountedUnit::s_nLive, 2) << "the unit only the join named is gone";
  EXPECT_EQ(FindJoin(design->GetItemList()), nullptr);
  auto* pGroup = dynamic_cast<CGroupItem*>(design->GetItemList().GetTail());
  ASSERT_NE(pGroup, nullptr);
  EXPECT_EQ(pGroup->GetMembers().GetCount(), 1);
  design.reset();
  EXPECT_EQ(CCountedUnit::s_nLive, 0);

  Bytes unknownType;
  {
    CDesign design;
    const Parts p = MakeParts();
    design.GetItemList().AddTail(p.pThird);
    design.GetItemList().AddTail(Group({p.pLeft, p.pRight, p.pJoin}));
    unknownType = StoreDesign(design);
  }
  // The join is the last record: its type stands before its three ids and its marker.
  const size_t typeAt = unknownType.size() - (3 * 4 + 4 + 4 * 8);
  ASSERT_EQ(unknownType[typeAt], 1);
  unknownType[typeAt] = 99;
  design = LoadDesign(unknownType);
  EXPECT_EQ(FindJoin(design->GetItemList()), nullptr) << "a join the catalogue does not know";
  EXPECT_EQ(CCountedUnit::s_nLive, 3);
  design.reset();
  EXPECT_EQ(CCountedUnit::s_nLive, 0);
}
