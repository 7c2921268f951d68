// Guards what every arched, springline, circle-top, circular and specialty-shaped unit of the
// catalogue must do: the factory makes it, each handle sizes it, it is drawn with its grille and
// cut in plan at any height without a value that is no number, its attribute string brings it
// back equal, and its conformer only ever proposes a catalogue size, whatever the drag.
#include <cmath>
#include <set>
#include <string>

#include "geometry/2drect.h"
#include "model/Plansect.h"
#include "model/Sizing.h"
#include "model/Stdunit.h"
#include "model/Unitutil.h"
#include "productdb/Stdsizes.h"
#include "units/standard/ArchTestUtil.h"

namespace {

struct Key
{
  const char* type;
  const char* subtype;
  int lines;  // the most line sets the unit draws
};

void PrintTo(const Key& key, std::ostream* os) { *os << key.type << key.subtype; }

class ArchKeysTest : public ArchUnitTest, public ::testing::WithParamInterface<Key>
{
protected:
  void SetUp() override
  {
    ArchUnitTest::SetUp();
    m_unit = Make(GetParam().type, GetParam().subtype);
    ASSERT_TRUE(m_unit);
    m_standard = dynamic_cast<CStandardUnit*>(m_unit.get());
    ASSERT_TRUE(m_standard);
    CStdSizesRecArray sizes;
    m_standard->GetStandardSizes(sizes);
    for (int i = 0; i < sizes.GetSize(); ++i)
      m_sizeCodes.insert(sizes[i]->GetSizeCode().c_str());
    ASSERT_GT(m_sizeCodes.size(), 1u);
  }

  std::unique_ptr<CUnit> m_unit;
  CStandardUnit* m_standard = nullptr;
  std::set<std::string> m_sizeCodes;
};

TEST_P(ArchKeysTest, TheFactoryMakesItAndEachHandleSizesIt)
{
  BOOL exists = FALSE;
  EXPECT_EQ(MakeUnit(GetParam().type, GetParam().subtype, &exists), nullptr);
  EXPECT_TRUE(exists);
  EXPECT_EQ(m_unit->GetType(), GetParam().type);
  EXPECT_EQ(m_unit->GetSubtype(), GetParam().subtype);

  CSizingHandleArray handles;
  m_unit->GetSizingHandles(handles);
  ASSERT_GE(handles.GetSize(), 2);
  for (int k = 0; k < handles.GetSize(); ++k) {
    SCOPED_TRACE(k);
    // Outward from the unit's middle, far enough to reach another size.
    const CVRX2DPoint p = handles[k]->GetPoint();
    const double dx = p.GetX() < 0.5 * m_unit->GetWidth() - 1e-6   ? -12.0
                      : p.GetX() > 0.5 * m_unit->GetWidth() + 1e-6 ? 12.0
                                                                   : 0.0;
    const double dy = p.GetY() < 0.5 * m_unit->GetHeight() - 1e-6 ? -12.0 : 12.0;
    const int code = handles[k]->GetCode();
    const CVRX2DVector drag((code & 12) ? dx : 0.0, (code & 3) ? dy : 0.0);
    const CString before = m_standard->GetSizeCode();
    const int result = m_unit->ConformProposedSize(k, drag);
    EXPECT_TRUE(result == CUnit::inboundsChanged || result == CUnit::outOfBoundsChanged) << result;
    m_unit->SetSizeToProposed();
    EXPECT_NE(m_standard->GetSizeCode(), before);
    EXPECT_TRUE(m_sizeCodes.count(m_standard->GetSizeCode().c_str()));
    m_standard->SetSizeCode(before);
  }
}

TEST_P(ArchKeysTest, DrawnWithItsGrillesInEveryLineSet)
{
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  for (int lines = 1; lines <= GetParam().lines; ++lines) {
    CVRX2DEntityArray out;
    m_unit->GetElevationEntities(lines, TRUE, TRUE, out);
    EXPECT_TRUE(AllFinite(out)) << lines;
    int bars = 0;
    for (int i = 0; i < out.GetSize(); ++i)
      bars += out[i]->GetCategory() == 48;
    EXPECT_GT(bars, 0) << lines;
  }
  for (const char* code : {"outline", "part", "proposed"}) {
    CVRX2DEntityArray out;
    if (std::string(code) == "outline")
      m_unit->GetOutlineEntities(out);
    else if (std::string(code) == "part")
      m_unit->GetPartOutlineEntities(out);
    else
      m_unit->GetProposedOutlineEntities(out);
    EXPECT_GT(out.GetSize(), 0) << code;
    EXPECT_TRUE(AllFinite(out)) << code;
  }
}

TEST_P(ArchKeysTest, CutInPlanAtBottomMiddleTopAndBeyond)
{
  for (const std::string& code : m_sizeCodes) {
    m_standard->SetSizeCode(code.c_str());
    const double h = m_unit->GetHeight();
    for (double cut : {-5.0, 0.0, 0.5 * h, h - 1e-9, h, h + 5.0}) {
      CVRX2DEntityArray out;
      m_unit->GetPlanSectionEntities(cut, CPlanSectionSwitches(), CPlanSectionPreferences(), out);
      EXPECT_GT(out.GetSize(), 0) << code << " at " << cut;
      EXPECT_TRUE(AllFinite(out)) << code << " at " << cut;
    }
  }
}

TEST_P(ArchKeysTest, StoredAndReloadedEqual)
{
  m_standard->SetSizeCode(m_sizeCodes.rbegin()->c_str());
  ASSERT_TRUE(m_unit->SetOptionChoice(36, 6));
  const CString stored = m_unit->GetAttributes();
  std::unique_ptr<CUnit> read = Make(GetParam().type, GetParam().subtype);
  CString text = stored;
  read->SetAttributes(text);
  EXPECT_EQ(read->GetAttributes(), stored);
  EXPECT_EQ(read->GetSizeText(2), m_unit->GetSizeText(2));
  CVRX2DEntityArray a, b;
  m_unit->GetElevationEntities(2, TRUE, TRUE, a);
  read->GetElevationEntities(2, TRUE, TRUE, b);
  ASSERT_EQ(a.GetSize(), b.GetSize());
  for (int i = 0; i < a.GetSize(); ++i) {
    EXPECT_EQ(a[i]->GetCategory(), b[i]->GetCategory());
    EXPECT_EQ(a[i]->GetExtents().GetMinPoint(), b[i]->GetExtents().GetMinPoint());
    EXPECT_EQ(a[i]->GetExtents().GetMaxPoint(), b[i]->GetExtents().GetMaxPoint());
  }
  std::unique_ptr<CUnit> clone(m_unit->Clone());
  EXPECT_EQ(clone->GetAttributes(), stored);
}

TEST_P(ArchKeysTest, RandomDragsOnlyEverProposeCatalogueSizes)
{
  ExpectOnlyCatalogueSizesProposed(*m_standard, 20261207u);
}

INSTANTIATE_TEST_SUITE_P(Units, ArchKeysTest,
                         ::testing::Values(Key{"AR", "BA011", 2}, Key{"SL", "BA012", 3}, Key{"SL", "AR012", 3},
                                           Key{"SW", "CC006", 3}, Key{"SW", "CD007", 3}, Key{"SW", "CI009", 3},
                                           Key{"SW", "JQ039", 3}, Key{"SW", "FR040", 3}, Key{"SW", "FD039", 3},
                                           Key{"SW", "FC039", 3}, Key{"SW", "OC010", 3}, Key{"SW", "OV009", 3},
                                           Key{"SW", "GT041", 3}, Key{"SW", "ET008", 3}, Key{"SW", "MR042", 3},
                                           Key{"SW", "ML042", 3}, Key{"SW", "CR006", 3}, Key{"SW", "CL006", 3}),
                         [](const ::testing::TestParamInfo<Key>& info) {
                           return std::string(info.param.type) + info.param.subtype;
                         });

}  // namespace
