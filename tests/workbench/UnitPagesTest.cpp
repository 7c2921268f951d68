// Guards the choice of the unit sheet's sizing page by unit type: each family gets its own page
// on the unit it is given, types without a page are refused with a message naming them, and a
// key the unit-type map does not know is an internal error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "model/Stdunit.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "model/Varigon.h"
#include "productdb/txrecobj.h"
#include "support/Exceptn.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Arba.h"
#include "units/standard/Ardl.h"
#include "units/standard/Arsl.h"
#include "units/standard/Sprnglin.h"
#include "units/standard/Stdreg.h"
#include "workbench/sheets/Unitdims.h"
#include "workbench/sheets/Unitopts.h"
#include "workbench/sheets/Unitsht.h"

namespace {
class UnitPagesTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    RegisterFreeformUnits();
  }
  std::unique_ptr<CUnit> Make(const char* type, const char* subtype)
  {
    return std::unique_ptr<CUnit>(MakeUnit(type, subtype));
  }
  // Arched and springline units are sized by shoulder and radius too, custom arches by their
  // legs, free-form units by their dimensions; every other unit by its catalogue size.
  static const CRuntimeClass* ExpectedPage(const CUnit& unit)
  {
    if (unit.IsKindOf(RUNTIME_CLASS(CARBasic)) || unit.IsKindOf(RUNTIME_CLASS(CStandardSpringlineUnit)))
      return RUNTIME_CLASS(CStandardArchedUnitSizingPageDlg);
    if (unit.IsKindOf(RUNTIME_CLASS(CARDoubleLeg)))
      return RUNTIME_CLASS(CCustomArchedDLUnitSizingPageDlg);
    if (unit.IsKindOf(RUNTIME_CLASS(CARSingleLeg)))
      return RUNTIME_CLASS(CCustomArchedUnitSizingPageDlg);
    if (unit.IsKindOf(RUNTIME_CLASS(CVarigonUnit)))
      return RUNTIME_CLASS(CVarigonUnitSizingPageDlg);
    return unit.IsKindOf(RUNTIME_CLASS(CStandardUnit)) ? RUNTIME_CLASS(CStandardUnitSizingPageDlg) : nullptr;
  }
};
}  // namespace

TEST_F(UnitPagesTest, EachFamilyGetsItsOwnSizingPageOnTheUnitGiven)
{
  struct
  {
    const char* type;
    const char* subtype;
    const CRuntimeClass* page;
  } const cases[] = {{"GL", "BA005", RUNTIME_CLASS(CStandardUnitSizingPageDlg)},
                     {"AR", "BA011", RUNTIME_CLASS(CStandardArchedUnitSizingPageDlg)},
                     {"AR", "S1013", RUNTIME_CLASS(CCustomArchedUnitSizingPageDlg)},
                     {"AR", "DL013", RUNTIME_CLASS(CCustomArchedDLUnitSizingPageDlg)},
                     {"VG", "RE010", RUNTIME_CLASS(CVarigonUnitSizingPageDlg)},
                     {"VG", "DI010", RUNTIME_CLASS(CVarigonUnitSizingPageDlg)}};
  for (const auto& c : cases) {
    std::unique_ptr<CUnit> unit = Make(c.type, c.subtype);
    ASSERT_NE(unit, nullptr) << c.type << c.subtype;
    std::unique_ptr<CUnitPageDlg> page = MakeUnitSizingPageDlg(c.type, c.subtype, unit.get());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetRuntimeClass(), c.page) << c.type << c.subtype;
    EXPECT_EQ(page->GetUnit(), unit.get());
  }
}

// The page each key gets follows from its unit's class, so a key the factory's table gives the
// wrong sizing, or none, fails here.
TEST_F(UnitPagesTest, EveryKeyWithAClassGetsThePageOfItsUnitsFamily)
{
  int made = 0;
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    const CString key = CUnitTypeMap::GetKey(i);
    std::unique_ptr<CUnit> unit = Make(key.Left(2), key.Mid(2));
    if (!unit)
      continue;
    ++made;
    std::unique_ptr<CUnitPageDlg> page = MakeUnitSizingPageDlg(key.Left(2), key.Mid(2), unit.get());
    ASSERT_NE(page, nullptr) << key.c_str();
    EXPECT_EQ(page->GetRuntimeClass(), ExpectedPage(*unit)) << key.c_str();
    EXPECT_EQ(page->GetUnit(), unit.get());
  }
  EXPECT_EQ(made, 48);
}

TEST_F(UnitPagesTest, ATypeWithoutASizingPageIsRefusedByName)
{
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    if (CUnitTypeMap::GetClassName(i))
      continue;
    const char* key = CUnitTypeMap::GetKey(i);
    const CString type = CString(key).Left(2);
    const CString subtype = CString(key).Mid(2);
    try {
      MakeUnitSizingPageDlg(type, subtype, nullptr);
      ADD_FAILURE() << key << " made a page";
    } catch (const CUnitException& e) {
      EXPECT_EQ(e.GetErrorMessage(), CString("Cannot create CUnitPageDlg: unimplemented type/subtype of ") + key);
    }
  }
  EXPECT_THROW(MakeUnitSizingPageDlg("ZZ", "ZZ999", nullptr), CAppFatalException);
}

TEST_F(UnitPagesTest, APageOfTheWrongFamilyOrWithoutAUnitIsAnInternalError)
{
  std::unique_ptr<CUnit> glider = Make("GL", "BA005");
  std::unique_ptr<CUnit> rectangle = Make("VG", "RE010");
  EXPECT_THROW(CVarigonUnitSizingPageDlg page(glider.get()), CAppFatalException);
  EXPECT_THROW(CStandardUnitSizingPageDlg page(rectangle.get()), CAppFatalException);
  EXPECT_THROW(CUnitWorkbenchPage page(glider.get()), CAppFatalException);
  EXPECT_THROW(RUNTIME_CLASS(CUnitPageDlg)->CreateObject(), CAppFatalException);
  EXPECT_THROW(RUNTIME_CLASS(CUnitWorkbenchPage)->CreateObject(), CAppFatalException);
}
