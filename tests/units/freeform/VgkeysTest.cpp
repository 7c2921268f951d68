// Guards what every free-form key shares: the factory makes it valid by its own limits check,
// every handle sizes it with the anchored handles staying put and the taken size drawn exactly
// as proposed, its drawings are finite, and its attribute text reloads to an equal unit.
#include "FreeformTest.h"

#include <cmath>

#include "model/Rptdata.h"
#include "model/Sizelimit.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "model/Varigon.h"

namespace {

const char* const kKeys[] = {"DI010", "HP010", "HX010", "IT010", "OC010", "P1010", "P2010",
                             "PP010", "RE010", "RH010", "T1010", "T2010", "TZ010", "VP010"};

class VgkeysTest : public FreeformTest, public ::testing::WithParamInterface<const char*>
{
protected:
  void SetUp() override
  {
    FreeformTest::SetUp();
    m_unit.reset(dynamic_cast<CVarigonUnit*>(MakeUnit("VG", GetParam())));
    ASSERT_TRUE(m_unit);
    // Under the sample limits' shortest side of 10, the default hexagon's head (8) and octagon's
    // sides (9.94) are refused; they start from a valid size.
    const std::string key = GetParam();
    if (key == "HX010") {
      ASSERT_TRUE(SetValues(*m_unit, {24, 16, 10, 24}));
    } else if (key == "OC010") {
      ASSERT_TRUE(SetValues(*m_unit, {30}));
    }
  }

  static void ExpectFinite(const std::vector<Line>& lines)
  {
    for (const Line& line : lines)
      for (double value : line)
        ASSERT_TRUE(std::isfinite(value));
  }

  // The first small drag, along the axes the handle's code allows, that the unit takes.
  static bool Drag(CUnit& unit, int handle, int code, CVRX2DVector& drag)
  {
    const double d = 0.5;
    const double candidates[][2] = {{d, d}, {-d, -d}, {d, -d}, {-d, d}, {d, 0}, {-d, 0}, {0, d}, {0, -d}};
    for (const auto& c : candidates) {
      drag.Set(code == 3 ? 0.0 : c[0], code == 12 ? 0.0 : c[1]);
      if (drag.GetX() != 0.0 || drag.GetY() != 0.0)
        if (unit.ConformProposedSize(handle, drag) == CUnit::inboundsChanged)
          return true;
    }
    return false;
  }

  std::unique_ptr<CVarigonUnit> m_unit;
};

TEST_P(VgkeysTest, ANewUnitPassesItsOwnCheck)
{
  EXPECT_TRUE(m_unit->IsKindOf(RUNTIME_CLASS(CVarigonUnit)));
  CArray<double, double> values;
  m_unit->GetDimensionValues(values);
  CStringArray labels;
  m_unit->GetDimensionLabels(labels);
  EXPECT_EQ(labels.GetSize(), values.GetSize());
  EXPECT_TRUE(m_unit->SetDimensionValues(values));
  EXPECT_EQ(Values(*m_unit).size(), static_cast<size_t>(values.GetSize()));
  EXPECT_EQ(m_unit->GetSizeText(0).Find("Varigon:"), 0);
}

TEST_P(VgkeysTest, EveryHandleSizesItWithItsAnchorsInPlace)
{
  CStringArray modes;
  m_unit->GetAnchorModeNames(modes);
  for (int mode = 0; mode < modes.GetSize(); ++mode) {
    m_unit->SetAnchorMode(mode);
    CSizingHandleArray handles;
    m_unit->GetSizingHandles(handles);
    for (int handle = 0; handle < handles.GetSize(); ++handle) {
      SCOPED_TRACE(::testing::Message() << "mode " << mode << " handle " << handle);
      std::unique_ptr<CUnit> unit(m_unit->Clone());
      static_cast<CVarigonUnit&>(*unit).SetAnchorMode(mode);
      const auto before = HandlePoints(*unit);
      CVRX2DVector drag;
      ASSERT_TRUE(Drag(*unit, handle, handles[handle]->GetCode(), drag));
      std::vector<Line> proposed;
      const CVRX2DVector offset = Proposed(*unit, proposed);
      ExpectFinite(proposed);
      ExpectClosed(proposed);
      const std::vector<int> anchored = Flags(*unit, handle);
      EXPECT_EQ(unit->SetSizeToProposed(), offset);
      ExpectLines(Outline(*unit), proposed, 1e-6);
      const auto after = HandlePoints(*unit);
      for (size_t j = 0; j < anchored.size(); ++j) {
        if (!anchored[j])
          continue;
        EXPECT_NEAR(after[j].first + offset.GetX(), before[j].first, 1e-6) << "anchor " << j;
        EXPECT_NEAR(after[j].second + offset.GetY(), before[j].second, 1e-6) << "anchor " << j;
      }
    }
  }
  EXPECT_EQ(m_unit->ConformProposedSize(-1, CVRX2DVector(1, 1)), CUnit::outOfBoundsUnchanged);
}

TEST_P(VgkeysTest, ItIsDrawnAndCutInPlan)
{
  for (int lines : {1, 2}) {
    CVRX2DEntityArray out;
    m_unit->GetElevationEntities(lines, FALSE, FALSE, out);
    EXPECT_GE(out.GetSize(), 3 * lines);
    for (int i = 0; i < out.GetSize(); ++i) {
      const auto& line = dynamic_cast<const CVRX2DLine&>(*out[i]);
      ExpectFinite({{line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), line.GetEndPoint().GetX(),
                     line.GetEndPoint().GetY()}});
    }
  }
  CVRX2DEntityArray out;
  EXPECT_THROW(m_unit->GetElevationEntities(3, FALSE, FALSE, out), CUnitException);
  const auto plan = Plan(*m_unit, m_unit->GetHeight() / 2);
  EXPECT_GT(plan.second, 0.0);
  EXPECT_LE(plan.first + plan.second, m_unit->GetWidth() + 1e-9);
}

TEST_P(VgkeysTest, ItIsStoredAndReloadedEqual)
{
  CArray<double, double> values;
  m_unit->GetDimensionValues(values);
  for (int i = 0; i < values.GetSize(); ++i)
    values[i] += (i == values.GetSize() - 1 ? 1.0 / 3.0 : 0.0);
  ASSERT_TRUE(m_unit->SetDimensionValues(values));
  std::unique_ptr<CUnit> copy = Reloaded(*m_unit);
  EXPECT_EQ(copy->GetAttributes(), m_unit->GetAttributes());
  ExpectLines(Outline(*copy), Outline(*m_unit), 1e-12);
  CScheduleReportDataArray rows;
  m_unit->GetReportData(rows);
  copy->GetReportData(rows);
  std::unique_ptr<CUnit> other(MakeUnit("VG", GetParam()));
  other->GetReportData(rows);
  ASSERT_EQ(rows.GetSize(), 3);
  EXPECT_EQ(rows[0]->m_strUnitKey, rows[1]->m_strUnitKey);
  EXPECT_NE(rows[0]->m_strUnitKey, rows[2]->m_strUnitKey);
  CString wrong = "VG,XX010,0,1,2,3,4,5";
  EXPECT_THROW(copy->SetAttributes(wrong), CUnitException);
}

// The sizing page tells the user which limit a refused size broke: the check notes it with its
// value, for sizes far too small and far too large alike, and a passing request leaves the unit.
TEST_P(VgkeysTest, ARefusedSizeNamesTheLimitItBroke)
{
  CArray<double, double> values;
  m_unit->GetDimensionValues(values);
  const double width = m_unit->GetWidth();
  for (double factor : {0.01, 100.0}) {
    CArray<double, double> request;
    for (int i = 0; i < values.GetSize(); ++i)
      request.Add(m_unit->IsDimensionLength(i) ? values[i] * factor : values[i]);
    CSizeLimit::Clear();
    EXPECT_FALSE(m_unit->SetDimensionValues(request)) << factor;
    ASSERT_TRUE(CSizeLimit::HasRefusal()) << factor;
    const std::string text = CSizeLimit::Text(0).c_str();
    EXPECT_NE(text.find(" allowed is "), std::string::npos) << factor << ": " << text;
    EXPECT_EQ(m_unit->GetWidth(), width) << "a refused size changes nothing";
  }
}

INSTANTIATE_TEST_SUITE_P(FreeformKeys, VgkeysTest, ::testing::ValuesIn(kKeys));

}  // namespace
