// Guards the option record classes: the offered-first order of OPTCATS index 2, pairs missing
// from OPTCHOIC reading 0/0, deep-copied choice arrays, OPTTABLE loading only offered categories,
// and the OPTEXCPT index 2 walk.
#include <gtest/gtest.h>

#include "DbTestUtil.h"
#include "productdb/Optcats.h"
#include "productdb/Optchoic.h"
#include "productdb/Optexcpt.h"
#include "productdb/Opttable.h"
#include "productdb/txdbExcp.h"

namespace {

TextRow Cat(const char* number, const char* name, const char* offered)
{
  return {{"F1", number}, {"F5", name}, {"F33", "7"}, {"F43", offered}};
}

TextRow Offer(const char* type, const char* sub, const char* category, const char* choice)
{
  return {{"F1", type}, {"F3", sub}, {"F8", category}, {"F12", choice}};
}

class OptionTablesTest : public DbTest
{
protected:
  void Write(const std::vector<TextRow>& offers)
  {
    CTableWriter w;
    AddProductTable(w, "OPTCATS",
                    {Cat("3", "Glass", "T"), Cat("1", "Colour", "T"), Cat("2", "Hidden", "F"), Cat("5", "Screen", "T"),
                     Cat("4", "Internal", "F")});
    AddProductTable(w, "OPTCHOIC",
                    {{{"F1", "1"}, {"F5", "1"}, {"F9", "White"}},
                     {{"F1", "1"}, {"F5", "2"}, {"F9", "Sandstone"}},
                     {{"F1", "3"}, {"F5", "1"}, {"F9", "Clear"}}});
    AddProductTable(w, "OPTTABLE", offers);
    AddProductTable(w, "OPTEXCPT",
                    {{{"F1", "1"}, {"F5", "DH"}, {"F7", "DH100"}, {"F36", "-"}, {"F37", "1"}, {"F41", "2"}},
                     {{"F1", "2"},
                      {"F5", "DH"},
                      {"F7", "DH100"},
                      {"F36", "+"},
                      {"F37", "1"},
                      {"F41", "2"},
                      {"F28", "3"},
                      {"F32", "1"},
                      {"F12", "2436"},
                      {"F24", "FV"}},
                     {{"F1", "3"}, {"F5", "DH"}, {"F7", "DH100"}, {"F36", "+"}, {"F37", "3"}, {"F41", "1"}}});
    UseDatabase(w);
  }
};

TEST_F(OptionTablesTest, IndexTwoListsOfferedCategoriesFirstInNumberOrder)
{
  Write({});
  COptCatsRec cat;
  cat.SetFlag43(TRUE);
  cat.SetCategory(0);
  BOOL atEnd = FALSE;
  std::vector<int> order;
  for (int r = cat.SeekGE(2, &atEnd); r == 0; r = cat.Next(&atEnd))
    order.push_back(cat.GetCategory());
  EXPECT_EQ(order, (std::vector<int>{1, 3, 5, 2, 4}));
  COptCatsRec glass(3);
  EXPECT_EQ(glass.GetName(), CString("Glass"));
  EXPECT_EQ(glass.GetField33(), 7);
  EXPECT_EQ(COptCatsRec(9).GetCategory(), 0);
}

TEST_F(OptionTablesTest, MissingChoicePairReadsZeroZero)
{
  Write({});
  COptChoicRec found(1, 2);
  EXPECT_EQ(found.GetDescription(), CString("Sandstone"));
  COptChoicRec missing(3, 2);
  EXPECT_EQ(missing.GetCategory(), 0);
  EXPECT_EQ(missing.GetChoice(), 0);
}

TEST_F(OptionTablesTest, ChoiceArraysCopyDeeply)
{
  Write({});
  COptChoicRecArray a;
  a.Add(new COptChoicRec(1, 1));
  a.Add(new COptChoicRec(3, 1));
  COptChoicRecArray b(a);
  ASSERT_EQ(b.GetSize(), 2);
  EXPECT_NE(b.GetAt(0), a.GetAt(0));
  EXPECT_EQ(b.GetAt(1)->GetDescription(), CString("Clear"));
  COptChoicRecArray c;
  c.Add(new COptChoicRec(1, 2));
  c = a;
  ASSERT_EQ(c.GetSize(), 2);
  EXPECT_EQ(c.GetAt(0)->GetDescription(), CString("White"));
  const COptChoicRecArray& self = c;
  c = self;
  EXPECT_EQ(c.GetSize(), 2);
}

TEST_F(OptionTablesTest, OfferedRowsOfOneUnitTypeInCategoryAndChoiceOrder)
{
  Write({Offer("DH", "DH100", "3", "1"), Offer("DH", "DH100", "1", "2"), Offer("DH", "DH100", "2", "1"),
         Offer("DH", "DH100", "1", "1"), Offer("DH", "DH200", "1", "1"), Offer("CA", "CA100", "5", "1")});
  COptTableRecArray rows("DH", "DH100");
  std::vector<std::pair<int, int>> got;
  for (int i = 0; i < rows.GetSize(); ++i)
    got.push_back({rows.GetAt(i)->GetCategory(), rows.GetAt(i)->GetChoice()});
  EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {3, 1}}));
  EXPECT_EQ(COptTableRecArray("DH", "DH150").GetSize(), 0);  // the seek lands on another type
  EXPECT_EQ(COptTableRecArray("ZZ", "ZZ100").GetSize(), 0);  // the seek fails
  COptTableRec cursor("ZZ", "ZZ100");
  EXPECT_EQ(cursor.GetTypeCode(), CString(""));
}

TEST_F(OptionTablesTest, ACategoryMissingFromOptcatsThrows)
{
  Write({Offer("DH", "DH100", "8", "1")});
  try {
    COptTableRecArray rows("DH", "DH100");
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.file, CString("Opttable"));
    EXPECT_EQ(e.line, 273);
  }
}

TEST_F(OptionTablesTest, ExceptionRowsWalkByTypeAndTargetCategory)
{
  Write({});
  COptExcptRec row;
  row.SetTypeCode("DH");
  row.SetSubtypeCode("DH100");
  row.SetField37(1);
  row.SetField36(" ");
  row.SetField41(0);
  row.SetField1(0);
  BOOL atEnd = FALSE;
  std::vector<CString> letters;
  for (int r = row.SeekGE(2, &atEnd); r == 0 && row.GetField37() == 1; r = row.Next(&atEnd))
    letters.push_back(row.GetField36());
  EXPECT_EQ(letters, (std::vector<CString>{"+", "-"}));  // "+" sorts before "-"
  row.SetField37(1);
  row.SetField36("+");
  row.SetField41(2);
  row.SetField1(2);
  ASSERT_EQ(row.Find(2), 0);
  EXPECT_EQ(row.GetSizeCode(), CString("2436"));
  EXPECT_EQ(row.GetOperationCode(), CString("FV"));
  EXPECT_EQ(row.GetField28(), 3);
  EXPECT_EQ(row.GetField32(), 1);
  EXPECT_EQ(row.GetField41(), 2);
}

}  // namespace
