// Guards the skeleton every free-form key shares through its table: copies and assignments take
// the shape and never the proposal, a refused assignment or dialog entry changes nothing, a
// repeated request is no change and a cancelled drag drops its offset, a refused attribute
// string leaves the options and the shape; and the helpers' handle flags and glass rings.
#include "FreeformTest.h"

#include <sstream>

#include "model/Unitexcp.h"
#include "model/Varigon.h"
#include "units/freeform/Vgutil.h"

namespace {

const char* const kKeys[] = {"DI010", "HP010", "HX010", "IT010", "OC010", "P1010", "P2010",
                             "PP010", "RE010", "RH010", "T1010", "T2010", "TZ010", "VP010"};

class VgshapeTest : public FreeformTest, public ::testing::WithParamInterface<const char*>
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit = Fresh();
    ASSERT_TRUE(m_unit);
    // The default hexagon's head and octagon's sides are below the sample limits' shortest side.
    const std::string key = GetParam();
    if (key == "HX010") {
      ASSERT_TRUE(SetValues(*m_unit, {24, 16, 10, 24}));
    } else if (key == "OC010") {
      ASSERT_TRUE(SetValues(*m_unit, {30}));
    }
  }

  std::unique_ptr<CVarigonUnit> Fresh() const
  {
    return std::unique_ptr<CVarigonUnit>(dynamic_cast<CVarigonUnit*>(MakeUnit("VG", GetParam())));
  }

  // Proposes a new size by the first handle and small drag the unit takes; answers the handle.
  static int Propose(CUnit& unit, CVRX2DVector& drag)
  {
    const double moves[][2] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (int handle = 0; handle < 8; ++handle)
      for (const auto& move : moves) {
        drag.Set(move[0], move[1]);
        if (unit.ConformProposedSize(handle, drag) == CUnit::inboundsChanged)
          return handle;
      }
    ADD_FAILURE() << "no drag was taken";
    return 0;
  }

  static void ExpectNoProposal(CVarigonUnit& unit)
  {
    EXPECT_EQ(unit.GetProposedWidth(), unit.GetWidth());
    EXPECT_EQ(unit.GetProposedHeight(), unit.GetHeight());
    const CString before = unit.GetAttributes();
    EXPECT_EQ(unit.SetSizeToProposed(), CVRX2DVector(0, 0));
    EXPECT_EQ(unit.GetAttributes(), before);
  }

  // The leaf's own fields of an attribute text: those after the type, subtype and option pairs.
  static std::vector<std::string> OwnFields(const CString& attributes)
  {
    std::vector<std::string> fields;
    std::istringstream in(attributes.str());
    for (std::string field; std::getline(in, field, ',');)
      fields.push_back(field);
    return {fields.begin() + 3 + std::stoi(fields.at(2)), fields.end()};
  }

  static CString Joined(std::string text, const std::vector<std::string>& fields)
  {
    for (const std::string& field : fields)
      text += "," + field;
    return CString(text.c_str());
  }

  std::unique_ptr<CVarigonUnit> m_unit;
};

TEST_P(VgshapeTest, CopiesAndAssignmentsTakeTheShapeNotTheProposal)
{
  CVRX2DVector drag;
  Propose(*m_unit, drag);
  std::vector<Line> proposed, kept;
  const CVRX2DVector offset = Proposed(*m_unit, proposed);
  const CString shape = m_unit->GetAttributes();
  std::unique_ptr<CVarigonUnit> clone(static_cast<CVarigonUnit*>(m_unit->Clone()));
  EXPECT_EQ(clone->GetAttributes(), shape);
  ExpectNoProposal(*clone);
  std::unique_ptr<CVarigonUnit> assigned = Fresh();
  static_cast<CUnit&>(*assigned) = *m_unit;
  EXPECT_EQ(assigned->GetAttributes(), shape);
  ExpectNoProposal(*assigned);
  // The source still holds its own proposal.
  EXPECT_EQ(Proposed(*m_unit, kept), offset);
  ExpectLines(kept, proposed, 0.0);
}

TEST_P(VgshapeTest, RefusedAssignmentsAndDialogEntriesChangeNothing)
{
  const CString shape = m_unit->GetAttributes();
  const std::vector<double> values = Values(*m_unit);
  std::unique_ptr<CUnit> other(MakeUnit("VG", std::string(GetParam()) == "RE010" ? "DI010" : "RE010"));
  EXPECT_THROW(static_cast<CUnit&>(*m_unit) = *other, CUnitException);
  std::vector<double> huge = values;
  for (double& value : huge)
    value *= 100.0;
  EXPECT_FALSE(SetValues(*m_unit, huge));
  EXPECT_FALSE(SetValues(*m_unit, std::vector<double>(values.begin(), values.end() - 1)));
  EXPECT_EQ(m_unit->GetAttributes(), shape);
  EXPECT_EQ(Values(*m_unit), values);
}

TEST_P(VgshapeTest, ARepeatedRequestIsNoChangeAndACancelDropsTheOffset)
{
  const CString shape = m_unit->GetAttributes();
  CVRX2DVector drag;
  const int handle = Propose(*m_unit, drag);
  EXPECT_EQ(m_unit->ConformProposedSize(handle, drag), CUnit::inboundsUnchanged);
  m_unit->ResetProposedSize();
  ExpectNoProposal(*m_unit);
  EXPECT_EQ(m_unit->GetAttributes(), shape);
}

// The strings offered carry other options and another shape than the unit's; each is cut
// before one of the leaf's fields or ends in a number that is not finite.
TEST_P(VgshapeTest, ARefusedAttributeStringLeavesTheOptionsAndTheShape)
{
  std::vector<double> values = Values(*m_unit);
  values.back() += 1.0 / 3.0;
  ASSERT_TRUE(SetValues(*m_unit, values));
  ASSERT_TRUE(m_unit->SetOptionChoice(1, 2));
  const CString before = m_unit->GetAttributes();
  values = Values(*m_unit);  // a pitch shown in degrees is read back from radians
  const double width = m_unit->GetWidth();
  const double height = m_unit->GetHeight();
  const std::string head = std::string("VG,") + GetParam() + ",2,1:3,5:2";
  const std::vector<std::string> own = OwnFields(Fresh()->GetAttributes());
  ASSERT_FALSE(own.empty());
  // Taken whole, the string's options replace the unit's, so a partial read would show.
  std::unique_ptr<CVarigonUnit> taker = Fresh();
  CString whole = Joined(head, own);
  taker->SetAttributes(whole);
  ASSERT_EQ(taker->GetOptionChoice(1, 0), 3);
  ASSERT_EQ(taker->GetOptionChoice(5, 0), 2);

  std::vector<std::pair<CString, bool>> refused;  // the text, and whether it is cut short
  for (size_t n = 0; n < own.size(); ++n)
    refused.emplace_back(Joined(head, {own.begin(), own.begin() + static_cast<long>(n)}), true);
  for (const char* bad : {"nan", "inf", "-inf"}) {
    std::vector<std::string> fields = own;
    fields.back() = bad;
    refused.emplace_back(Joined(head, fields), false);
  }
  for (auto& [text, cut] : refused) {
    SCOPED_TRACE(text.str());
    try {
      m_unit->SetAttributes(text);
      ADD_FAILURE() << "taken";
    } catch (const CUnitException& e) {
      if (cut) {
        EXPECT_EQ(e.file, CString("Unit"));
        EXPECT_EQ(e.line, 1292);
      }
    }
    EXPECT_EQ(m_unit->GetAttributes(), before);
    EXPECT_EQ(m_unit->GetOptionChoice(1, 0), 2);
    EXPECT_EQ(m_unit->GetOptionChoice(5, 0), 0);
    EXPECT_EQ(Values(*m_unit), values);
    EXPECT_EQ(m_unit->GetWidth(), width);
    EXPECT_EQ(m_unit->GetHeight(), height);
  }
}

INSTANTIATE_TEST_SUITE_P(FreeformShapes, VgshapeTest, ::testing::ValuesIn(kKeys));

std::vector<int> HandleFlags(int handle, const std::vector<std::vector<int>>& moved)
{
  CDWordArray flags;
  flags.Add(9);
  vg::SetHandleFlags(flags, handle, moved);
  std::vector<int> result;
  for (int i = 0; i < flags.GetSize(); ++i)
    result.push_back(static_cast<int>(flags[i]));
  return result;
}

TEST(VgHelpersTest, HandleFlagsHaveOneFlagPerHandle)
{
  const std::vector<std::vector<int>> moved = {{2}, {}, {0, 2}};
  EXPECT_EQ(HandleFlags(0, moved), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(HandleFlags(1, moved), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(HandleFlags(2, moved), (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(HandleFlags(3, moved), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(HandleFlags(-1, moved), (std::vector<int>{0, 0, 0}));
}

TEST(VgHelpersTest, GlassRingsNameTheirFirstShortLine)
{
  const std::vector<CVRX2DPoint> box = {CVRX2DPoint(0, 0), CVRX2DPoint(40, 0), CVRX2DPoint(40, 24), CVRX2DPoint(0, 24)};
  std::vector<CVRX2DLine> glass;
  EXPECT_EQ(vg::ShortGlassLine(box, 2, CVRX2DPoint(20, 12), 19, &glass), -1);
  ASSERT_EQ(glass.size(), 4u);
  EXPECT_DOUBLE_EQ(glass[0].GetLength(), 36);
  EXPECT_DOUBLE_EQ(glass[1].GetLength(), 20);
  EXPECT_EQ(vg::ShortGlassLine(box, 2, CVRX2DPoint(20, 12), 25), 1);
  // Two neighbours on one line: the ring does not close and is not handed out.
  std::vector<CVRX2DLine> untouched;
  const std::vector<CVRX2DPoint> flat = {CVRX2DPoint(0, 0), CVRX2DPoint(20, 0), CVRX2DPoint(40, 0),
                                         CVRX2DPoint(20, 24)};
  EXPECT_EQ(vg::ShortGlassLine(flat, 2, CVRX2DPoint(20, 8), 1, &untouched), 0);
  EXPECT_TRUE(untouched.empty());
}

TEST(VgHelpersTest, HeldCornersTrimTheRingOrNameTheFault)
{
  std::vector<CVRX2DLine> ring = {
      CVRX2DLine(0, CVRX2DPoint(-5, 0), CVRX2DPoint(15, 0)), CVRX2DLine(0, CVRX2DPoint(10, -5), CVRX2DPoint(10, 15)),
      CVRX2DLine(0, CVRX2DPoint(15, 10), CVRX2DPoint(-5, 10)), CVRX2DLine(0, CVRX2DPoint(0, 15), CVRX2DPoint(0, -5))};
  EXPECT_EQ(vg::TrimHeldCorners(ring), nullptr);
  EXPECT_EQ(ring[0].GetStartPoint(), CVRX2DPoint(0, 0));
  EXPECT_EQ(ring[0].GetEndPoint(), CVRX2DPoint(10, 0));
  EXPECT_EQ(ring[3].GetStartPoint(), CVRX2DPoint(0, 10));
  std::vector<CVRX2DLine> open = {CVRX2DLine(0, CVRX2DPoint(5, 0), CVRX2DPoint(10, 0)),
                                  CVRX2DLine(0, CVRX2DPoint(10, 0), CVRX2DPoint(0, 10)),
                                  CVRX2DLine(0, CVRX2DPoint(0, 10), CVRX2DPoint(0, 0))};
  EXPECT_STREQ(vg::TrimHeldCorners(open), "glass line does not contain intersection point");
  std::vector<CVRX2DLine> parallel = {CVRX2DLine(0, CVRX2DPoint(0, 0), CVRX2DPoint(10, 0)),
                                      CVRX2DLine(0, CVRX2DPoint(10, 5), CVRX2DPoint(0, 5))};
  EXPECT_STREQ(vg::TrimHeldCorners(parallel), "no glass line intersection points");
}

}  // namespace
