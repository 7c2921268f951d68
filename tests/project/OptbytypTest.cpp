// Guards the per-type default option records: catalogue coverage, byte layout in map order,
// lookups, and what loading keeps or drops.
#include "productdb/Typesrec.h"
#include "project/DocTestSupport.h"
#include "project/Optbytyp.h"
#include "support/ComExcpt.h"

namespace {

using OptbytypTest = CatalogueTest;

int TypesRowCount()
{
  CTypesRec type;
  BOOL atEnd = FALSE;
  int rows = 0;
  for (int r = type.First(1); r == 0; r = type.Next(&atEnd))
    ++rows;
  return rows;
}

Bytes StoreRecord(CCurrentOptionChoicesByType& record)
{
  return StoreBytes([&](CArchive& ar) { record.Serialize(ar); });
}

}  // namespace

TEST_F(OptbytypTest, NewArrayHasOneEmptyRecordPerTypesRowInTableOrder)
{
  COptionChoicesByTypeArray array;
  ASSERT_EQ(array.GetSize(), TypesRowCount());
  ASSERT_GE(array.GetSize(), 14);
  EXPECT_EQ(array.GetAt(0)->GetUnitType(), "AR");
  EXPECT_EQ(array.GetAt(0)->GetDescription(), "Custom Arched");
  for (int i = 1; i < array.GetSize(); ++i)
    EXPECT_LT(array.GetAt(i - 1)->GetUnitType(), array.GetAt(i)->GetUnitType());
  EXPECT_EQ(array.GetChoicesByType("GL").GetSize(), 0);
  EXPECT_THROW(array.GetChoicesByType("gl"), CCommonException) << "the lookup is case-sensitive";
  EXPECT_THROW(array.GetChoicesByType("ZZ"), CCommonException);
}

TEST_F(OptbytypTest, PairsAreWrittenInTheMapsBucketOrderMostRecentFirst)
{
  CCurrentOptionChoicesByType record("GL");
  EXPECT_EQ(StoreRecord(record), CByteWriter().Str("GL").Word(0).Get());

  // Buckets by category >> 4: 3, 1 and 8 share bucket 0; 35 and 36 bucket 2.
  for (auto [category, choice] : {std::pair{3, 2}, {1, 4}, {35, 3}, {8, 1}, {36, 6}})
    EXPECT_EQ(record.SetChoice(category, choice), 0);
  Bytes expected = CByteWriter()
                       .Str("GL")
                       .Word(5)
                       .Dword(8)
                       .Dword(1)
                       .Dword(1)
                       .Dword(4)
                       .Dword(3)
                       .Dword(2)
                       .Dword(36)
                       .Dword(6)
                       .Dword(35)
                       .Dword(3)
                       .Get();
  EXPECT_EQ(StoreRecord(record), expected);

  record.SetChoice(3, 5);   // a changed category keeps its place
  record.SetChoice(8, 0);   // a choice below 1 clears it
  record.SetChoice(1, 99);  // a pair the catalogue lacks clears it
  EXPECT_EQ(record.GetChoice(3), 5);
  EXPECT_EQ(record.GetChoice(8), 0);
  EXPECT_EQ(record.GetChoice(1), 0);
  EXPECT_EQ(record.GetChoices().GetSize(), 3);
}

TEST_F(OptbytypTest, LoadingLooksUpTheDescriptionAndDropsPairsTheCatalogueLacks)
{
  Bytes image =
      CByteWriter().Str("DH").Word(4).Dword(3).Dword(2).Dword(1).Dword(0).Dword(4).Dword(77).Dword(3).Dword(4).Get();
  CCurrentOptionChoicesByType record;
  LoadBytes(image, [&](CArchive& ar) { record.Serialize(ar); });
  EXPECT_EQ(record.GetUnitType(), "DH");
  EXPECT_EQ(record.GetDescription(), "Double-Hung");
  EXPECT_EQ(record.GetChoice(3), 4) << "a repeated category takes the later choice";
  EXPECT_EQ(record.GetChoices().GetSize(), 1);

  CCurrentOptionChoicesByType unknown;
  LoadBytes(CByteWriter().Str("DI").Word(0).Get(), [&](CArchive& ar) { unknown.Serialize(ar); });
  EXPECT_EQ(unknown.GetDescription(), "DI") << "no exact TYPES match: the code itself";
}

TEST_F(OptbytypTest, CountsBeyondTheBytesLeftAreRefusedBeforeAllocating)
{
  CCurrentOptionChoicesByType record;
  Bytes pairs = CByteWriter().Str("GL").Word(0xFFFF).Dword(0x7FFFFFFF).Dword(1).Dword(1).Get();
  EXPECT_THROW(LoadBytes(pairs, [&](CArchive& ar) { record.Serialize(ar); }), CArchiveException);

  COptionChoicesByTypeArray array;
  Bytes records = CByteWriter().Dword(10000).Dword(0x40000000).Str("GL").Word(0).Get();
  EXPECT_THROW(LoadBytes(records, [&](CArchive& ar) { array.Serialize(ar); }), CArchiveException);
}

TEST_F(OptbytypTest, ArrayRoundTripsAndMissingTypesAreAppendedInTypesOrder)
{
  COptionChoicesByTypeArray array;
  array.GetAt(2)->SetChoice(1, 3);
  Bytes bytes = StoreBytes([&](CArchive& ar) { array.Serialize(ar); });
  EXPECT_EQ(bytes[0], 0x10);
  EXPECT_EQ(bytes[4], array.GetSize());

  COptionChoicesByTypeArray copy;
  LoadBytes(bytes, [&](CArchive& ar) { copy.Serialize(ar); });
  EXPECT_EQ(StoreBytes([&](CArchive& ar) { copy.Serialize(ar); }), bytes);

  Bytes old = CByteWriter().Dword(10000).Dword(2).Str("GL").Word(1).Dword(1).Dword(2).Str("XX").Word(0).Get();
  LoadBytes(old, [&](CArchive& ar) { copy.Serialize(ar); });
  ASSERT_EQ(copy.GetSize(), 2);
  copy.AddMissingTypes();
  ASSERT_EQ(copy.GetSize(), TypesRowCount() + 1);
  EXPECT_EQ(copy.GetAt(0)->GetUnitType(), "GL");
  EXPECT_EQ(copy.GetAt(0)->GetChoice(1), 2);
  EXPECT_EQ(copy.GetAt(1)->GetUnitType(), "XX");
  EXPECT_EQ(copy.GetAt(2)->GetUnitType(), "AR");
  EXPECT_EQ(copy.GetAt(2)->GetDescription(), "Custom Arched");
  EXPECT_NO_THROW(copy.GetChoicesByType("VG"));

  copy = array;
  EXPECT_EQ(StoreBytes([&](CArchive& ar) { copy.Serialize(ar); }), bytes);
  copy.GetAt(2)->SetChoice(1, 1);
  EXPECT_EQ(array.GetAt(2)->GetChoice(1), 3) << "assignment copies the records";
}

TEST_F(OptbytypTest, CategoriesAndChoicesOfATypeAreTheOfferedOnesInFirstAppearance)
{
  CCurrentOptionChoicesByType glider("GL");
  COptCatsRecArray categories;
  categories.Add(new COptCatsRec(1));
  glider.GetCategories(categories);
  std::vector<int> numbers;
  for (int i = 0; i < categories.GetSize(); ++i)
    numbers.push_back(categories.GetAt(i)->GetCategory());
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 7, 8, 35, 36})) << "category 40 is not offered";
  EXPECT_EQ(categories.GetAt(0)->GetName(), "Glazing");

  COptChoicRecArray choices;
  glider.GetCategoryChoices(36, choices);
  std::vector<int> values;
  for (int i = 0; i < choices.GetSize(); ++i)
    values.push_back(choices.GetAt(i)->GetChoice());
  EXPECT_EQ(values, (std::vector<int>{0, 2, 8}));
  EXPECT_EQ(choices.GetAt(1)->GetDescription(), "Colonial Pattern");

  glider.GetCategoryChoices(40, choices);
  EXPECT_EQ(choices.GetSize(), 0);
}
