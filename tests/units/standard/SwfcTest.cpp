// Guards the full-chord and full-round leaves: each binds its own key, so units of two keys read
// their own catalogue rows through the same code, and one leaf never takes another's state.
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "units/standard/ArchTestUtil.h"
#include "units/standard/Swfc.h"
#include "units/standard/Swfd.h"
#include "units/standard/Swfr.h"
#include "units/standard/Swjq.h"

namespace {

using FullChordTest = ArchUnitTest;

TEST_F(FullChordTest, EachKeyReadsItsOwnRows)
{
  std::unique_ptr<CUnit> doubleHung = Make("SW", "FD039");
  std::unique_ptr<CUnit> casement = Make("SW", "FC039");
  ASSERT_TRUE(dynamic_cast<CSWFullChordDoubleHung*>(doubleHung.get()));
  ASSERT_TRUE(dynamic_cast<CSWFullChordCasement*>(casement.get()));
  ASSERT_TRUE(dynamic_cast<CSWFullChordMarquell*>(Make("SW", "JQ039").get()));
  EXPECT_EQ(ProposedSizeCode(*doubleHung), "FD30R24");
  EXPECT_EQ(ProposedSizeCode(*casement), "FC30R24");
  // The same geometry from the two keys' rows of equal size.
  EXPECT_DOUBLE_EQ(doubleHung->GetWidth(), casement->GetWidth());
  EXPECT_DOUBLE_EQ(doubleHung->GetHeight(), casement->GetHeight());
  EXPECT_EQ(doubleHung->GetSizedComponents()->GetAt(0)->GetID(), 2713);
}

TEST_F(FullChordTest, AssignmentKeepsToItsOwnLeaf)
{
  std::unique_ptr<CUnit> doubleHung = Make("SW", "FD039");
  std::unique_ptr<CUnit> casement = Make("SW", "FC039");
  try {
    *doubleHung = *casement;
    FAIL() << "a casement was assigned to a double-hung unit";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Swfd");
    EXPECT_EQ(e.line, 78);
  }
  std::unique_ptr<CUnit> round = Make("SW", "FR040");
  std::unique_ptr<CUnit> circle = Make("SW", "CI009");
  try {
    *round = *circle;
    FAIL() << "a circle window was assigned to a monumental full round";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "SWFR");
    EXPECT_EQ(e.line, 74);
  }
  std::unique_ptr<CUnit> other = Make("SW", "FC039");
  other->SetOptionChoice(36, 6);
  *casement = *other;
  EXPECT_EQ(casement->GetAttributes(), other->GetAttributes());
  *casement = *casement;
  EXPECT_EQ(casement->GetAttributes(), other->GetAttributes());
}

}  // namespace
