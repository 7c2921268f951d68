// Guards the join item as a stored and copied object: its record byte for byte against an image
// built here (units written before it are back-references), a reload that restores sides, ids,
// spacings and marker exactly, the design dropping loaded joins that stand for nothing, the
// marker geometry, and the checks on adding a side.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "geometry/2dline.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "productdb/txrecobj.h"
#include "project/Design.h"
#include "support/Exceptn.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbreg.h"

namespace {
using Bytes = std::vector<BYTE>;
constexpr unsigned kStamp = 10000;
// Glider sides in its component outlines: the right jamb and the left jamb.
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;

class CImage
{
public:
  CImage& Byte(int v)
  {
    m_bytes.push_back(static_cast<BYTE>(v));
    return *this;
  }
  CImage& Word(unsigned v) { return Byte(v & 0xFF).Byte((v >> 8) & 0xFF); }
  CImage& Dword(unsigned v) { return Word(v & 0xFFFF).Word(v >> 16); }
  CImage& Float(float v)
  {
    unsigned bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return Dword(bits);
  }
  CImage& Double(double v)
  {
    unsigned long long bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return Dword(static_cast<unsigned>(bits & 0xFFFFFFFF)).Dword(static_cast<unsigned>(bits >> 32));
  }
  CImage& NewClass(const std::string& name)
  {
    Word(0xFFFF).Word(kStamp).Word(static_cast<unsigned>(name.size()));
    for (char c : name)
      Byte(c);
    return *this;
  }
  CImage& Line(int category, const CVRX2DPoint& a, const CVRX2DPoint& b)
  {
    return Dword(static_cast<unsigned>(category)).Double(a.GetX()).Double(a.GetY()).Double(b.GetX()).Double(b.GetY());
  }
  const Bytes& Get() const { return m_bytes; }

private:
  Bytes m_bytes;
};

Bytes Store(const std::function<void(CArchive&)>& write)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  write(ar);
  ar.Close();
  return file.GetBytes();
}

class JoinRecordTest : public ::testing::Test
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
  // Two gliders side by side, the second pushed against the first, and their join of type 1.
  void MakeJoin(double gap)
  {
    m_left = std::make_unique<CUnitItem>("GL", "BA005");
    m_right = std::make_unique<CUnitItem>("GL", "BA005");
    m_left->GetUnit();
    m_right->GetUnit();
    m_left->Offset(CVRX2DVector(100.0, 100.0));
    m_right->Offset(CVRX2DVector(100.0 + m_left->GetWidth() + gap, 100.0));
    const int movingID = m_right->GetUnit()->GetComponentID(kLeftJamb);
    const int stationaryID = m_left->GetUnit()->GetComponentID(kRightJamb);
    const double x = 100.0 + m_left->GetWidth() + gap / 2.0;
    m_join = std::make_unique<CJoinItem>(CVRX2DPoint(x, 123.5), CVRX2DPoint(x, 100.0), 1, movingID, stationaryID);
    ASSERT_NE(m_join->GetJoin(), nullptr);
    m_join->AddUnit(1, m_right.get(), kLeftJamb, movingID, m_join->GetJoin()->GetFirstOffset());
    m_join->AddUnit(2, m_left.get(), kRightJamb, stationaryID, m_join->GetJoin()->GetSecondOffset());
  }
  std::unique_ptr<CUnitItem> m_left;
  std::unique_ptr<CUnitItem> m_right;
  std::unique_ptr<CJoinItem> m_join;
};
}  // namespace

TEST_F(JoinRecordTest, AJoinItemStoresItsRecordByteForByteAfterItsUnits)
{
  MakeJoin(0.375);
  const Bytes units = Store([&](CArchive& ar) { ar << static_cast<const CObject*>(m_left.get()) << m_right.get(); });
  const Bytes all =
      Store([&](CArchive& ar) { ar << static_cast<const CObject*>(m_left.get()) << m_right.get() << m_join.get(); });
  ASSERT_GT(all.size(), units.size());
  ASSERT_TRUE(std::equal(units.begin(), units.end(), all.begin()));
  const Bytes tail(all.begin() + static_cast<long>(units.size()), all.end());
  const CJoin& join = *m_join->GetJoin();
  const double x = 135.5 + 0.375 / 2.0;
  const CVRX2DPoint mid(x, (123.5 + 100.0) / 2.0);
  CImage expected;
  // Index 1 is the unit class, 2 and 3 the units, 4 the join class.
  expected.NewClass("CJoinItem")
      .Dword(kStamp)
      .Dword(2)
      .Double(x)
      .Double(123.5)
      .Double(0.0)
      .Double(0.0)
      .Double(0.0)
      .Byte(0)
      .Byte(1)
      .Dword(kStamp)
      .Line(13, CVRX2DPoint(x, 123.5), CVRX2DPoint(x, 100.0))
      .Dword(kStamp)
      .Dword(kStamp)
      .Word(3)
      .Dword(kLeftJamb)
      .Dword(static_cast<unsigned>(m_right->GetUnit()->GetComponentID(kLeftJamb)))
      .Float(join.GetFirstOffset())
      .Dword(kStamp)
      .Word(2)
      .Dword(kRightJamb)
      .Dword(static_cast<unsigned>(m_left->GetUnit()->GetComponentID(kRightJamb)))
      .Float(join.GetSecondOffset())
      .Dword(1)
      .Dword(static_cast<unsigned>(join.GetFirstProductID()))
      .Dword(static_cast<unsigned>(join.GetSecondProductID()))
      .Line(13, CVRX2DPoint(mid.GetX() + 4.0, mid.GetY()), CVRX2DPoint(mid.GetX() - 4.0, mid.GetY()));
  ASSERT_EQ(tail.size(), expected.Get().size());
  for (size_t i = 0; i < tail.size(); ++i)
    EXPECT_EQ(tail[i], expected.Get()[i]) << "byte " << i;
}

TEST_F(JoinRecordTest, AStoredJoinLoadsBackWithItsSidesTypeAndMarker)
{
  MakeJoin(0.375);
  const Bytes bytes =
      Store([&](CArchive& ar) { ar << static_cast<const CObject*>(m_left.get()) << m_right.get() << m_join.get(); });
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  std::unique_ptr<CObject> left(ar.ReadObject(RUNTIME_CLASS(CUnitItem)));
  std::unique_ptr<CObject> right(ar.ReadObject(RUNTIME_CLASS(CUnitItem)));
  std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CDesignItem)));
  auto* pJoin = dynamic_cast<CJoinItem*>(loaded.get());
  ASSERT_NE(pJoin, nullptr);
  EXPECT_EQ(ar.GetRemaining(), 0u);
  CUnitItem* pFirst = nullptr;
  CUnitItem* pSecond = nullptr;
  pJoin->GetUnitItems(pFirst, pSecond);
  EXPECT_EQ(pFirst, right.get());
  EXPECT_EQ(pSecond, left.get());
  EXPECT_EQ(pJoin->GetFirstSide().m_nComponentIndex, kLeftJamb);
  EXPECT_EQ(pJoin->GetSecondSide().m_nComponentIndex, kRightJamb);
  EXPECT_EQ(pJoin->GetTotalSpacing(), m_join->GetTotalSpacing());
  ASSERT_NE(pJoin->GetJoin(), nullptr);
  EXPECT_EQ(pJoin->GetJoin()->GetJoinTypeID(), 1);
  EXPECT_EQ(pJoin->GetDescription(), m_join->GetDescription());
  EXPECT_EQ(pJoin->GetDescription(), "Join: Standard Mull") << "join type 1, its padded name trimmed";
  CVRX2DEntityArray before;
  CVRX2DEntityArray after;
  m_join->GetOutlineEntities(before);
  pJoin->GetOutlineEntities(after);
  ASSERT_EQ(after.GetSize(), 2);
  for (int i = 0; i < 2; ++i)
    EXPECT_TRUE(*static_cast<CVRX2DLine*>(after[i]) == *static_cast<CVRX2DLine*>(before[i])) << i;
  ASSERT_EQ(pJoin->GetAlignmentEntities()->GetSize(), 1);
  EXPECT_EQ(pJoin->GetAlignmentEntities()->GetAt(0)->GetCategory(), 3);
  const Bytes again =
      Store([&](CArchive& out) { out << left.get() << right.get() << static_cast<const CObject*>(pJoin); });
  EXPECT_EQ(again, bytes);
}

TEST_F(JoinRecordTest, TheMarkerCrossesTheJoinLineAtItsMiddle)
{
  CJoinItem join(CVRX2DPoint(50.0, 80.0), CVRX2DPoint(50.0, 20.0), 1, 2106, 2103);
  CVRX2DEntityArray outline;
  ASSERT_EQ(join.GetOutlineEntities(outline), 2);
  const auto& marker = *static_cast<CVRX2DLine*>(outline[1]);
  EXPECT_TRUE(marker.IsHorizontal());
  EXPECT_NEAR(marker.GetLength(), 8.0, 1e-12);
  EXPECT_NEAR((marker.GetStartPoint().GetX() + marker.GetEndPoint().GetX()) / 2.0, 50.0, 1e-12);
  EXPECT_NEAR(marker.GetStartPoint().GetY(), 50.0, 1e-12);
  EXPECT_EQ(join.GetOffset(), CVRX2DVector(50.0, 80.0));
  // Snapping sees the join as one category-13 line across the Workbench square.
  CObArray refs;
  EXPECT_EQ(join.GetOutlineEntityRefs(refs), 1);
  auto* pRef = static_cast<COutlineEntityRef*>(refs[0]);
  EXPECT_EQ(pRef->m_pEntity->GetCategory(), 13);
  EXPECT_EQ(static_cast<CVRX2DLine*>(pRef->m_pEntity.get())->GetLength(), kWorkbenchSquare);
  delete pRef;
  EXPECT_FALSE(join.CanSpaceEvenly(TRUE, nullptr));
}

TEST_F(JoinRecordTest, AddingASideChecksItsValues)
{
  CUnitItem unit("GL", "BA005");
  unit.GetUnit();
  const int outlines = unit.GetComponentOutlines()->GetSize();
  CJoinItem join(CVRX2DPoint(0.0, 10.0), CVRX2DPoint(0.0, 0.0), 1, 2106, 2103);
  EXPECT_THROW(join.AddUnit(3, &unit, 0, 2106, 0.25f), CAppFatalException);
  EXPECT_THROW(join.AddUnit(1, &unit, -1, 2106, 0.25f), CAppFatalException);
  EXPECT_THROW(join.AddUnit(1, &unit, outlines, 2106, 0.25f), CAppFatalException);
  EXPECT_THROW(join.AddUnit(1, &unit, 0, 0, 0.25f), CAppFatalException);
  EXPECT_FALSE(join.JoinsUnit(&unit));
  join.AddUnit(1, &unit, outlines - 1, 2106, 0.25f);
  EXPECT_TRUE(join.JoinsUnit(&unit));
  EXPECT_THROW(join.AddUnit(1, &unit, 0, 2106, 0.25f), CAppFatalException);
  CJoinSide side;
  join.GetSide(&unit, side);
  EXPECT_EQ(side.m_nComponentIndex, outlines - 1);
  CUnitItem other("GL", "BA005");
  EXPECT_THROW(join.GetSide(&other, side), CAppFatalException);
}

TEST_F(JoinRecordTest, ADesignDropsLoadedJoinsThatStandForNothing)
{
  MakeJoin(0.375);
  auto store = [&](bool withRight, unsigned joinType) {
    CDesign design;
    design.GetItemList().AddTail(m_left.get());
    if (withRight)
      design.GetItemList().AddTail(m_right.get());
    design.GetItemList().AddTail(m_join.get());
    Bytes bytes = Store([&](CArchive& ar) { design.Serialize(ar); });
    design.GetItemList().RemoveAll();
    if (joinType != 1) {
      // The join type follows the two side records; find it behind the join's marker image.
      const size_t typeAt = bytes.size() - (3 * 4 + 4 + 4 * 8);
      EXPECT_EQ(bytes[typeAt], 1);
      bytes[typeAt] = static_cast<BYTE>(joinType);
    }
    return bytes;
  };
  auto load = [](const Bytes& bytes) {
    auto design = std::make_unique<CDesign>();
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    design->Serialize(ar);
    return design;
  };
  EXPECT_EQ(load(store(true, 1))->GetItemList().GetCount(), 3) << "a sound join stays";
  // The right unit is written only inside the join: the join and that unit go.
  std::unique_ptr<CDesign> stray = load(store(false, 1));
  ASSERT_EQ(stray->GetItemList().GetCount(), 1);
  EXPECT_NE(dynamic_cast<CUnitItem*>(stray->GetItemList().GetHead()), nullptr);
  // A join type the catalogue does not know: the design loads without the join.
  std::unique_ptr<CDesign> unknown = load(store(true, 99));
  EXPECT_EQ(unknown->GetItemList().GetCount(), 2);
  for (POSITION pos = unknown->GetItemList().GetHeadPosition(); pos;)
    EXPECT_EQ(dynamic_cast<CJoinItem*>(unknown->GetItemList().GetNext(pos)), nullptr);
}
