// Guards the design block's byte layout, its round trip, and its checks on items read back.
#include <gtest/gtest.h>

#include "project/Design.h"
#include "project/DocTestSupport.h"
#include "project/TestItems.h"
#include "support/Exceptn.h"

namespace {

Bytes NewDesignImage()
{
  return CByteWriter()
      .Dword(10000)
      .Dword(10000)
      .Byte(0)
      .Dword(1)
      .Double(1440.0)
      .Double(1440.0)
      .Byte(0)
      .Word(0)
      .Word(0)
      .Get();
}

Bytes StoreDesign(CDesign& design)
{
  return StoreBytes([&](CArchive& ar) { design.Serialize(ar); });
}

void LoadDesign(const Bytes& bytes, CDesign& design)
{
  LoadBytes(bytes, [&](CArchive& ar) { design.Serialize(ar); });
}

}  // namespace

TEST(DesignBytes, NewDesignIsStampsEmptyNameQuantityExtentsReservedAndNoItems)
{
  CDesign design;
  EXPECT_EQ(StoreDesign(design), NewDesignImage());
  const CDesignData& data = design.GetDesignData();
  EXPECT_EQ(data.GetDesignWidth(), 120.0);
  EXPECT_EQ(data.GetDesignHeight(), 120.0);
  EXPECT_EQ(data.GetScaleFactor(), 0.0);
  EXPECT_EQ(data.GetWindowRect().right, 100);
  EXPECT_EQ(data.GetWindowRect().bottom, 100);
}

TEST(DesignBytes, ReservedFieldsAndOddValuesAreWrittenBackAsRead)
{
  Bytes image = CByteWriter()
                    .Dword(10000)
                    .Dword(9999)
                    .Str("Front Bay")
                    .Dword(3)
                    .Double(800.5)
                    .Double(600.25)
                    .Byte(1)
                    .Word(7)
                    .Word(0)
                    .Get();
  CDesign design;
  LoadDesign(image, design);
  EXPECT_EQ(design.GetName(), "Front Bay");
  EXPECT_EQ(design.GetQuantity(), 3);
  EXPECT_EQ(design.GetDesignData().GetWorkbenchExtentX(), 800.5);
  EXPECT_EQ(design.GetDesignData().GetReservedFlag(), 1);
  EXPECT_EQ(design.GetDesignData().GetReservedValue(), 7);
  const DWORD current = 10000;  // the data stamp is written as the current one
  std::memcpy(image.data() + 4, &current, 4);
  EXPECT_EQ(StoreDesign(design), image);
}

TEST(DesignBytes, StampsBelow9236AreRefusedAndHigherOnesRead)
{
  for (DWORD stamp : {9235u, 0u}) {
    Bytes image = NewDesignImage();
    std::memcpy(image.data() + 4, &stamp, 4);
    CDesign design;
    try {
      LoadDesign(image, design);
      FAIL() << "stamp " << stamp << " was accepted";
    } catch (const CAppSerializeException& e) {
      EXPECT_EQ(e.code, CAppSerializeException::unsupportedVersion);
    }
  }
  for (DWORD stamp : {9236u, 10001u, 0xFFFFFFFFu}) {
    Bytes image = NewDesignImage();
    std::memcpy(image.data(), &stamp, 4);
    CDesign design;
    EXPECT_NO_THROW(LoadDesign(image, design)) << stamp;
  }
}

TEST(DesignItems, ItemsRoundTripWithClassTagsInListOrder)
{
  RegisterTestItemClasses();
  CDesign design;
  design.SetName("Hall");
  design.GetItemList().AddTail(new CDesignItem(CDesignItemAccess::unitItem));
  design.GetItemList().AddTail(new CDesignItem(3));
  Bytes bytes = StoreDesign(design);
  Bytes itemTag = CByteWriter().Word(0xFFFF).Word(10000).Word(11).Text("CDesignItem").Get();
  ASSERT_GE(bytes.size(), 38u + itemTag.size());
  EXPECT_TRUE(std::equal(itemTag.begin(), itemTag.end(), bytes.begin() + 38)) << "first item after the count";

  CDesign copy;
  LoadDesign(bytes, copy);
  ASSERT_EQ(copy.GetItemList().GetCount(), 2);
  EXPECT_EQ(static_cast<CDesignItem*>(copy.GetItemList().GetHead())->itemType, 1);
  EXPECT_EQ(static_cast<CDesignItem*>(copy.GetItemList().GetTail())->itemType, 3);
  EXPECT_EQ(StoreDesign(copy), bytes);
}

TEST(DesignItems, ItemsOfAnotherClassRepeatedOrNullAreRefused)
{
  RegisterCoreClasses();
  RegisterTestItemClasses();
  CDesign design;
  Bytes head = StoreDesign(design);
  head.resize(head.size() - 2);  // without the item count

  // A persistent class that is not a design item.
  Bytes foreign = CByteWriter().Append(head).Word(1).Word(0xFFFF).Word(0).Word(8).Text("CObArray").Word(0).Get();
  // The same item twice: a new item, then a back-reference to it (object index 2).
  CDesignItem one(1);
  Bytes item = StoreBytes([&](CArchive& ar) { ar << static_cast<const CObject*>(&one); });
  Bytes twice = CByteWriter().Append(head).Word(2).Append(item).Word(2).Get();
  Bytes null = CByteWriter().Append(head).Word(1).Word(0).Get();

  for (const Bytes& image : {foreign, twice, null}) {
    CDesign copy;
    try {
      LoadDesign(image, copy);
      FAIL() << "accepted";
    } catch (const CArchiveException& e) {
      EXPECT_TRUE(e.m_cause == CArchiveException::badClass || e.m_cause == CArchiveException::badIndex);
    }
  }
}

TEST(DesignItems, AnItemCountBeyondTheBytesLeftIsRefusedBeforeReading)
{
  CDesign design;
  Bytes image = StoreDesign(design);
  image.resize(image.size() - 2);
  Bytes big = CByteWriter().Append(image).Word(0xFFFF).Dword(0x40000000).Get();
  CDesign copy;
  try {
    LoadDesign(big, copy);
    FAIL();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
  }
  EXPECT_EQ(copy.GetItemList().GetCount(), 0);
}

TEST(DesignUnits, UnitsAreGatheredWithGroupsExpandedAndJoinsOnRequest)
{
  CTestItemAccess access;
  CDesign guidelines;
  guidelines.GetItemList().AddTail(new CDesignItem(3));
  CObList units;
  units.AddTail(&guidelines);  // emptied first
  EXPECT_FALSE(guidelines.GetUnitsInDesign(units, TRUE));
  EXPECT_TRUE(units.IsEmpty());

  CDesign design;
  auto* group = new CDesignItem(CDesignItemAccess::groupItem);
  group->members = {new CDesignItem(1), new CDesignItem(2), new CDesignItem(1)};
  auto* join = new CDesignItem(CDesignItemAccess::joinItem);
  auto* unit = new CDesignItem(CDesignItemAccess::unitItem);
  design.GetItemList().AddTail(unit);
  design.GetItemList().AddTail(join);
  design.GetItemList().AddTail(group);

  EXPECT_TRUE(design.GetUnitsInDesign(units, FALSE));
  ASSERT_EQ(units.GetCount(), 3);
  EXPECT_EQ(units.GetHead(), unit);
  EXPECT_EQ(units.GetTail(), group->members[2]);

  EXPECT_TRUE(design.GetUnitsInDesign(units, TRUE));
  ASSERT_EQ(units.GetCount(), 5);
  POSITION pos = units.FindIndex(1);
  EXPECT_EQ(units.GetAt(pos), join);
  EXPECT_EQ(units.GetAt(units.FindIndex(3)), group->members[1]);
}
