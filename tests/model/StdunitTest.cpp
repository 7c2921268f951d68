// Guards the standard unit: it starts at its first catalogue size and operating choice, only
// ever takes catalogue sizes (a refused size leaves it as it was), keeps its operating choice
// valid through size changes, and carries size and choice in attributes, texts and reports.
#include <memory>

#include "BaseLeaves.h"
#include "BaseTests.h"
#include "OddCatalogue.h"
#include "model/Rptdata.h"
#include "productdb/Opers.h"
#include "productdb/Optchoic.h"
#include "productdb/Stdsizes.h"
#include "productdb/txdbExcp.h"

namespace {

class StdunitTest : public ModelTest
{};

// A standard unit made directly on its base, for the base's own assignment check.
class CPlainStdLeaf : public CStandardUnit
{
  DECLARE_DYNAMIC(CPlainStdLeaf)
public:
  CPlainStdLeaf() : CStandardUnit("FG", "BA015") {}
  CUnit* Clone() const override { return new CPlainStdLeaf(*this); }
  void GetPlanSectionEntities(double, const CPlanSectionSwitches&, const CPlanSectionPreferences&,
                              CVRX2DEntityArray&) const override
  {}
  void GetSidesMovedByHandle(int, CDWordArray&) const override {}
  int ConformProposedSize(int, const CVRX2DVector&) override { return inboundsUnchanged; }
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray&) const override { return CVRX2DVector(); }
  void BuildSizedComponents() const override {}
  void Get1LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get2LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get3LineElevationEntities(int, CVRX2DEntityArray&) const override {}
};
IMPLEMENT_DYNAMIC(CPlainStdLeaf, CStandardUnit)

TEST_F(StdunitTest, StartsAtTheFirstSizeCodeWithItsFirstOperatingChoice)
{
  CRectLeaf unit("FG", "BA015");
  EXPECT_EQ(unit.GetSizeCode(), "FG2020");
  EXPECT_EQ(unit.GetOperatingChoice(), "F");
  EXPECT_DOUBLE_EQ(unit.GetHeight(), 23.5);
  EXPECT_DOUBLE_EQ(unit.GetWidth(), 23.5);
  EXPECT_EQ(unit.GetPanelCount(), 1);
  EXPECT_DOUBLE_EQ(unit.GetProposedHeight(), 23.5);
  EXPECT_DOUBLE_EQ(unit.GetProposedWidth(), 23.5);
  unit.SetSizeCode("FG7040");
  EXPECT_EQ(unit.GetPanelCount(), 3);
  EXPECT_NEAR(unit.GetSizeValue(2), 55.666667, 1e-5);
  EXPECT_THROW(unit.GetSizeValue(5), CTXDBException);
}

TEST_F(StdunitTest, AUnitWithoutSizesOrOperatingChoicesCannotBeMade)
{
  ExpectUnitError([] { CRectLeaf("SK", "BA110"); }, "Stdunit", 67);
  // A size row of its own but no operating choice at all: the first row after the unit's key
  // belongs to another unit and must not be taken.
  COddCatalogue data;
  data.AddRow("SUBTYPES", {"FG", "ZZ015", "Test unit", "Test", "TRUE", "TRUE", "TRUE", "4.5", "99"});
  data.AddRow("STDSIZES", {"FG", "ZZ015", "ZZ1", "20", "30", "1", "0", "0", "0", "0", "0", "0"});
  data.Use();
  ExpectUnitError([] { CRectLeaf("FG", "ZZ015"); }, "Stdunit", 646);
}

TEST_F(StdunitTest, RefusedSizesLeaveTheUnitAsItWas)
{
  CRectLeaf unit("FG", "BA015");
  unit.SetSizeCode("FG4030");
  ExpectUnitError([&] { unit.SetSizeCode("FG4031"); }, "Stdunit", 507);
  ExpectUnitError([&] { unit.SetSizeCode("FG4030XXXXXXXX"); }, "Stdunit", 507);
  ExpectUnitError([&] { unit.SetSizeCode("GL3020"); }, "Stdunit", 507);
  // 23.5 is a catalogue height, but only at another width.
  ExpectUnitError([&] { unit.SetHeight(23.5); }, "Stdunit", 531);
  ExpectUnitError([&] { unit.SetWidth(59.5); }, "Stdunit", 543);
  EXPECT_EQ(unit.GetSizeCode(), "FG4030");
  EXPECT_DOUBLE_EQ(unit.GetHeight(), 35.5);
  EXPECT_DOUBLE_EQ(unit.GetWidth(), 47.5);
  unit.SetHeight(47.5);
  EXPECT_EQ(unit.GetSizeCode(), "FG4040");
  unit.SetWidth(59.5);
  EXPECT_EQ(unit.GetSizeCode(), "FG5040");
}

TEST_F(StdunitTest, ASizeChangeKeepsTheChoiceElseTakesTheNextElseTheFirst)
{
  CRectLeaf unit("FG", "BA015");
  const int updates = unit.m_nIndexUpdates;
  unit.SetSizeCode("FG4030");  // F is not offered; FV is the next code after it
  EXPECT_EQ(unit.GetOperatingChoice(), "FV");
  EXPECT_EQ(unit.m_nIndexUpdates, updates + 1);
  unit.SetOperatingChoice("VF");
  unit.SetSizeCode("FG5040");  // offered there too
  EXPECT_EQ(unit.GetOperatingChoice(), "VF");
  unit.SetOperatingChoice("VV");
  unit.SetSizeCode("FG7040");  // VVF follows VV
  EXPECT_EQ(unit.GetOperatingChoice(), "VVF");
  unit.SetSizeCode("FG4040");  // nothing follows VVF there: the size's first code
  EXPECT_EQ(unit.GetOperatingChoice(), "FV");
  ExpectUnitError([&] { unit.SetOperatingChoice("F"); }, "Stdunit", 485);
  EXPECT_EQ(unit.GetOperatingChoice(), "FV");
}

TEST_F(StdunitTest, ASizeWithoutOperatingChoicesIsRefusedAndTheUnitKeepsItsSize)
{
  COddCatalogue data;
  data.AddRow("STDSIZES", {"FG", "BA015", "FG9999", "99", "99", "1", "0", "0", "0", "0", "0", "0"});
  data.Use();
  CRectLeaf unit("FG", "BA015");
  const CString size = unit.GetSizeCode();
  const CString choice = unit.GetOperatingChoice();
  ExpectUnitError([&] { unit.SetSizeCode("FG9999"); }, "Stdunit", 802);
  // The unit keeps a size and a choice that belong together.
  EXPECT_EQ(unit.GetSizeCode(), size);
  EXPECT_EQ(unit.GetOperatingChoice(), choice);
  EXPECT_EQ(unit.GetSizeText(2).Left(size.GetLength() + 1), size + ":");
  EXPECT_EQ(unit.GetAttributes(), "FG,BA015,0," + size + "," + choice);
  // The same size reached by a drag.
  ASSERT_EQ(unit.ConformProposedSize(2, CVRX2DVector(99.0 - unit.GetWidth(), 99.0 - unit.GetHeight())),
            CUnit::inboundsChanged);
  ExpectUnitError([&] { unit.SetSizeToProposed(); }, "Stdunit", 802);
  EXPECT_EQ(unit.GetAttributes(), "FG,BA015,0," + size + "," + choice);
  EXPECT_EQ(unit.GetSizeText(2).Left(size.GetLength() + 1), size + ":");
}

TEST_F(StdunitTest, ListsSizesAndOperatingChoicesOfTheCatalogue)
{
  CRectLeaf unit("FG", "BA015");
  CStdSizesRecArray sizes;
  unit.GetStandardSizes(sizes);
  ASSERT_EQ(sizes.GetSize(), 16);
  EXPECT_EQ(sizes[0]->GetSizeCode(), "FG2020");
  EXPECT_EQ(sizes[11]->GetSizeCode(), "FG8050");
  EXPECT_EQ(sizes[12]->GetSizeCode(), "FGS1068");  // the sidelights
  unit.SetSizeCode("FG4040");
  CArray<double, double> values;
  unit.GetSizesForHeight(values);
  ASSERT_EQ(values.GetSize(), 2);
  EXPECT_DOUBLE_EQ(values[0], 35.5);
  EXPECT_DOUBLE_EQ(values[1], 47.5);
  unit.GetSizesForWidth(values);
  ASSERT_EQ(values.GetSize(), 6);
  EXPECT_DOUBLE_EQ(values[0], 35.5);
  EXPECT_DOUBLE_EQ(values[5], 95.5);
  COpersRecArray operations;
  unit.GetOperatingChoices(operations);
  ASSERT_EQ(operations.GetSize(), 3);
  EXPECT_EQ(operations[0]->GetCode(), "FV");
  EXPECT_EQ(operations[2]->GetCode(), "VV");
  EXPECT_FALSE(operations[0]->GetDescription().IsEmpty());
}

TEST_F(StdunitTest, AttributesCarrySizeCodeAndOperatingChoice)
{
  CRectLeaf unit("FG", "BA015");
  EXPECT_EQ(unit.GetAttributes(), "FG,BA015,0,FG2020,F");
  unit.SetSizeCode("FG6040");
  unit.SetOperatingChoice("VV");
  ASSERT_TRUE(unit.SetOptionChoice(1, 2));
  const CString stored = unit.GetAttributes();
  EXPECT_EQ(stored, "FG,BA015,1,1:2,FG6040,VV");
  CRectLeaf copy("FG", "BA015");
  CString text = stored;
  copy.SetAttributes(text);
  EXPECT_EQ(copy.GetAttributes(), stored);
  EXPECT_DOUBLE_EQ(copy.GetWidth(), 71.5);
  CString badSize = "FG,BA015,0,FG6041,VV";
  ExpectUnitError([&] { copy.SetAttributes(badSize); }, "Stdunit", 507);
  CString badChoice = "FG,BA015,0,FG2020,VV";
  ExpectUnitError([&] { copy.SetAttributes(badChoice); }, "Stdunit", 485);
  CString cut = "FG,BA015,0,FG2020";
  ExpectUnitError([&] { copy.SetAttributes(cut); }, "Unit", 1292);
  // Each refusal leaves the options, the size and the operating choice as they were.
  EXPECT_EQ(copy.GetAttributes(), stored);
  EXPECT_DOUBLE_EQ(copy.GetWidth(), 71.5);
}

TEST_F(StdunitTest, SizeTextShowsTheProposedSizeInWholeInchesOrMillimetres)
{
  CRectLeaf unit("FG", "BA015");
  EXPECT_EQ(unit.GetSizeText(0), "FG2020:24x24");
  EXPECT_EQ(unit.GetSizeText(1), "FG2020:24x24");
  EXPECT_EQ(unit.GetSizeText(3), "FG2020:597x597");
  ASSERT_EQ(unit.ConformProposedSize(2, CVRX2DVector(0.0, 12.0)), CUnit::inboundsChanged);
  EXPECT_EQ(unit.GetSizeText(2), "FG2030:24x36");
  EXPECT_EQ(unit.GetSizeCode(), "FG2020");
  unit.ResetProposedSize();
  EXPECT_EQ(unit.GetSizeText(2), "FG2020:24x24");
}

TEST_F(StdunitTest, ApplyingTheProposalChangesTheSizeOnce)
{
  CRectLeaf unit("FG", "BA015");
  ASSERT_EQ(unit.ConformProposedSize(0, CVRX2DVector(0.0, -12.0)), CUnit::inboundsChanged);
  const CVRX2DVector offset = unit.SetSizeToProposed();
  EXPECT_EQ(offset, CVRX2DVector(0.0, -12.0));
  EXPECT_EQ(unit.GetSizeCode(), "FG2030");
  EXPECT_EQ(unit.GetOperatingChoice(), "F");
  EXPECT_EQ(unit.SetSizeToProposed(), CVRX2DVector(0.0, 0.0));
  EXPECT_EQ(unit.GetSizeCode(), "FG2030");
}

TEST_F(StdunitTest, OptionExceptionsNamingAnOperationApplyOnlyToIt)
{
  CRectLeaf unit("FG", "BA015");
  COptChoicRecArray choices;
  unit.GetOptionChoicesOfCategory(4, choices);  // screens are removed from fixed units
  EXPECT_EQ(choices.GetSize(), 0);
  unit.SetOperatingChoice("V");
  unit.GetOptionChoicesOfCategory(4, choices);
  EXPECT_EQ(choices.GetSize(), 2);
}

TEST_F(StdunitTest, ReportRowsCarryTheSizeAndTheOperatingChoice)
{
  CRectLeaf small("FG", "BA015");
  CRectLeaf large("FG", "BA015");
  large.SetSizeCode("FG3030");
  CScheduleReportDataArray rows;
  small.GetReportData(rows);
  large.GetReportData(rows);
  ASSERT_EQ(rows.GetSize(), 2);
  EXPECT_EQ(rows[0]->m_strUnitKey, "FG,BA015,FG2020");
  EXPECT_EQ(rows[0]->m_strDescription, "FG2020");
  rows.SortAndMerge();
  EXPECT_EQ(rows.GetSize(), 2);

  CUnitInfoReportDataArray records;
  small.GetReportData(records);
  ASSERT_EQ(records.GetSize(), 1);
  EXPECT_EQ(records[0]->m_strUnitKey, "FG,BA015,NoOptions,FG2020,F");
  EXPECT_EQ(records[0]->m_strDescription, "FG2020");
  EXPECT_EQ(records[0]->m_strOperationCode, "F");
}

TEST_F(StdunitTest, CopiesAreIndependentAndAssignmentChecksTheClass)
{
  CRectLeaf unit("FG", "BA015");
  unit.SetSizeCode("FG4040");
  unit.SetOperatingChoice("VF");
  std::unique_ptr<CUnit> clone(unit.Clone());
  unit.SetSizeCode("FG2020");
  auto& copy = static_cast<CRectLeaf&>(*clone);
  EXPECT_EQ(copy.GetSizeCode(), "FG4040");
  EXPECT_EQ(copy.GetOperatingChoice(), "VF");
  EXPECT_NE(copy.GetUnitID(), unit.GetUnitID());

  static_cast<CUnit&>(unit) = copy;
  EXPECT_EQ(unit.GetSizeCode(), "FG4040");
  EXPECT_EQ(unit.GetOperatingChoice(), "VF");
  EXPECT_EQ(unit.GetProposedWidth(), 47.5);

  // A unit of a derived class may be assigned, not one of a class the target does not derive from.
  COtherRectLeaf other("FG", "BA015");
  static_cast<CUnit&>(unit) = other;
  EXPECT_EQ(unit.GetSizeCode(), "FG2020");
  other.SetSizeCode("FG3030");
  ExpectUnitError([&] { static_cast<CUnit&>(other) = copy; }, "Stdrect", 78);
  EXPECT_EQ(other.GetSizeCode(), "FG3030");
  CPlainStdLeaf plain;
  CPlainStdLeaf plainTarget;
  plainTarget.SetSizeCode("FG3030");
  ExpectUnitError([&] { static_cast<CUnit&>(plainTarget) = unit; }, "Stdunit", 112);
  EXPECT_EQ(plainTarget.GetSizeCode(), "FG3030");
  static_cast<CUnit&>(plainTarget) = plain;
  EXPECT_EQ(plainTarget.GetSizeCode(), "FG2020");
}

}  // namespace
