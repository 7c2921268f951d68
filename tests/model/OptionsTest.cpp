// Guards the option choices: one element per category in first-set order, only pairs that the
// tables allow, the option exceptions, and copies that never share a list.
#include <algorithm>

#include "ModelTestUtil.h"
#include "model/Curropts.h"
#include "productdb/Optcats.h"

namespace {

class OptionsTest : public ModelTest
{};

std::vector<int> Categories(CUnit& unit)
{
  COptCatsRecArray categories;
  unit.GetOptionCategories(categories);
  std::vector<int> result;
  for (int i = 0; i < categories.GetSize(); ++i)
    result.push_back(categories.GetAt(i)->GetCategory());
  return result;
}

std::vector<int> Choices(CUnit& unit, int category)
{
  COptChoicRecArray choices;
  unit.GetOptionChoicesOfCategory(category, choices);
  std::vector<int> result;
  for (int i = 0; i < choices.GetSize(); ++i)
    result.push_back(choices.GetAt(i)->GetChoice());
  return result;
}

std::vector<std::pair<int, int>> Pairs(const COptChoicRecArray& list)
{
  std::vector<std::pair<int, int>> result;
  for (int i = 0; i < list.GetSize(); ++i)
    result.emplace_back(list.GetAt(i)->GetCategory(), list.GetAt(i)->GetChoice());
  return result;
}

TEST_F(OptionsTest, CurrentChoicesKeepOneElementPerCategoryInFirstSetOrder)
{
  CCurrentOptionChoices list;
  EXPECT_EQ(list.GetChoice(5), 0);
  list.SetChoice(5, 0);
  EXPECT_EQ(list.GetSize(), 0);
  list.SetChoice(5, 2);
  list.SetChoice(1, 4);
  list.SetChoice(7, 3);
  list.SetChoice(5, 3);  // keeps its place
  EXPECT_EQ(Pairs(list), (std::vector<std::pair<int, int>>{{5, 3}, {1, 4}, {7, 3}}));
  EXPECT_EQ(list.GetAt(0)->GetDescription(), "Oak Veneer, Unfinished");
  list.SetChoice(1, 9);  // not in OPTCHOIC: clears
  list.SetChoice(7, -1);
  EXPECT_EQ(Pairs(list), (std::vector<std::pair<int, int>>{{5, 3}}));
  list.SetChoice(99, 1);  // unknown category: nothing added
  EXPECT_EQ(list.GetSize(), 1);
}

TEST_F(OptionsTest, ProductCopiesNeverShareTheirChoices)
{
  CProductBase product;
  EXPECT_EQ(product.GetOptionChoice(5, 0), 0);
  EXPECT_TRUE(product.SetOptionChoice(5, 2));
  CProductBase copy(product);
  copy.SetOptionChoice(5, 3);
  EXPECT_EQ(product.GetOptionChoice(5, 0), 2);
  EXPECT_EQ(copy.GetOptionChoice(5, 0), 3);
  copy = product;
  EXPECT_EQ(copy.GetOptionChoice(5, 0), 2);
  // Through a reference, so the compiler lets the self-assignment be tested.
  const CProductBase& same = copy;
  copy = same;
  EXPECT_EQ(copy.GetOptionChoice(5, 0), 2);
  COptCatsRecArray none;
  product.GetOptionCategories(none);
  EXPECT_EQ(none.GetSize(), 0);
}

TEST_F(OptionsTest, SetOptionChoicesAcceptsTheProductsOwnList)
{
  CProductBase product;
  product.SetOptionChoice(5, 2);
  product.SetOptionChoice(1, 3);
  product.SetOptionChoices(*product.GetCurrentOptionChoices());
  EXPECT_EQ(Pairs(*product.GetCurrentOptionChoices()), (std::vector<std::pair<int, int>>{{5, 2}, {1, 3}}));
  product.SetOptionChoices(COptChoicRecArray());
  EXPECT_EQ(product.GetOptionChoice(5, 0), 0);
  EXPECT_EQ(product.GetCurrentOptionChoices()->GetSize(), 0);
}

TEST_F(OptionsTest, UnitOffersOnlyOfferedCategoriesWithChoices)
{
  CTestUnit glider("GL", "BA005");
  // Category 40 is in OPTTABLE but not offered.
  EXPECT_EQ(Categories(glider), (std::vector<int>{1, 2, 3, 4, 5, 7, 8, 35, 36}));
  // An exception row of size GL3020 removes the colonial grille.
  EXPECT_EQ(Choices(glider, 36), (std::vector<int>{0, 2, 8}));
  glider.m_strSizeCode = "GL3020";
  EXPECT_EQ(Choices(glider, 36), (std::vector<int>{0, 8}));
}

TEST_F(OptionsTest, ExceptionRowsAddAndRemoveChoices)
{
  CTestUnit door("PS", "BA016");
  // Rows of operation "F" remove every choice of categories 3 and 4.
  door.m_strOperation = "F";
  std::vector<int> categories = Categories(door);
  EXPECT_EQ(std::count(categories.begin(), categories.end(), 3), 0);
  EXPECT_EQ(std::count(categories.begin(), categories.end(), 4), 0);
  // At size PS6080 and another operation the multipoint lock is offered; a row of PS5080 removes it.
  door.m_strOperation = "XO";
  door.m_strSizeCode = "PS6080";
  EXPECT_EQ(Choices(door, 3), (std::vector<int>{1, 2, 3, 4, 5}));
  door.m_strSizeCode = "PS5080";
  EXPECT_EQ(Choices(door, 3), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(OptionsTest, ChoiceConditionRemovesCategoryAndModeOneHidesTheStoredChoice)
{
  CTestUnit glider("GL", "BA005");
  ASSERT_TRUE(glider.SetOptionChoice(7, 3));
  EXPECT_EQ(glider.GetOptionChoice(7, 1), 3);
  // Primed wood (2:2) has no exterior colour.
  ASSERT_TRUE(glider.SetOptionChoice(2, 2));
  EXPECT_TRUE(Choices(glider, 7).empty());
  std::vector<int> categories = Categories(glider);
  EXPECT_EQ(std::count(categories.begin(), categories.end(), 7), 0);
  EXPECT_EQ(glider.GetOptionChoice(7, 1), 0);
  EXPECT_EQ(glider.GetOptionChoice(7, 0), 3);
}

TEST_F(OptionsTest, RefusedChoicesChangeNothingAndNoGrilleClearsItsOptions)
{
  CTestUnit glider("GL", "BA005");
  ASSERT_TRUE(glider.SetOptionChoice(1, 2));
  EXPECT_FALSE(glider.SetOptionChoice(1, 9));
  EXPECT_FALSE(glider.SetOptionChoice(40, 7));
  EXPECT_EQ(glider.GetOptionChoice(1, 0), 2);
  ASSERT_TRUE(glider.SetOptionChoice(8, 2));
  ASSERT_TRUE(glider.SetOptionChoice(35, 3));
  ASSERT_TRUE(glider.SetOptionChoice(36, 8));
  EXPECT_EQ(glider.GetOptionChoice(8, 0), 0);
  EXPECT_EQ(glider.GetOptionChoice(35, 0), 0);
  EXPECT_EQ(glider.GetOptionChoice(36, 0), 8);
  EXPECT_TRUE(glider.SetOptionChoice(1, 0));
  EXPECT_EQ(glider.GetOptionChoice(1, 0), 0);
}

TEST_F(OptionsTest, UnitSetOptionChoicesChecksEveryPair)
{
  CTestUnit glider("GL", "BA005");
  CCurrentOptionChoices wanted;
  wanted.SetChoice(5, 3);
  wanted.SetChoice(36, 2);
  wanted.SetChoice(40, 1);
  glider.SetOptionChoices(wanted);
  EXPECT_EQ(Pairs(*glider.GetCurrentOptionChoices()), (std::vector<std::pair<int, int>>{{5, 3}, {36, 2}, {40, 1}}));
  CTestUnit door("FH", "BA014");
  door.SetOptionChoices(wanted);
  // The hinged door has no factory options: that pair is dropped.
  EXPECT_EQ(Pairs(*door.GetCurrentOptionChoices()), (std::vector<std::pair<int, int>>{{5, 3}, {36, 2}}));
}

}  // namespace
