// Guards the unit factory: every one of the 53 keys makes its class, makes nothing, or is refused
// exactly as the key table says, in make mode and in check mode.
#include <memory>
#include <set>
#include <string>

#include "ModelTestUtil.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"

namespace {

const std::set<std::string> kKeysWithoutClass = {"BUBA020", "RWST100", "RWVE101", "RWVT102", "SKBA110"};

class FactoryTest : public ModelTest
{};

TEST_F(FactoryTest, MapHoldsTheFiftyThreeKeysInTableOrder)
{
  const CUnitTypeMap& map = TheUnitTypeMap();
  EXPECT_EQ(map.GetCount(), 53);
  EXPECT_EQ(map.GetHashTableSize(), 17u);
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    const CString key = CUnitTypeMap::GetKey(i);
    int index = -1;
    ASSERT_TRUE(map.Lookup(key.Left(2), key.Mid(2), index)) << key.c_str();
    EXPECT_EQ(index, i);
  }
  EXPECT_STREQ(CUnitTypeMap::GetKey(0), "ARBA011");
  EXPECT_STREQ(CUnitTypeMap::GetKey(52), "SWOV009");
  EXPECT_EQ(CUnitTypeMap::GetKey(53), nullptr);
  int untouched = 77;
  EXPECT_FALSE(map.Lookup("SW", "OV010", untouched));
  EXPECT_EQ(untouched, 77);
}

TEST_F(FactoryTest, EachKeysClassAndSizingComeFromTheOneTable)
{
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    const char* key = CUnitTypeMap::GetKey(i);
    const char* className = CUnitTypeMap::GetClassName(i);
    EXPECT_EQ(className == nullptr, kKeysWithoutClass.count(key) == 1) << key;
    EXPECT_EQ(CUnitTypeMap::GetSizing(i) == EUnitSizing::None, className == nullptr) << key;
    if (className) {
      EXPECT_STREQ(CUnitTypeMap::GetKeyOfClass(className), key);
    }
  }
  EXPECT_STREQ(CUnitTypeMap::GetClassName(0), "CARBasic");
  EXPECT_EQ(CUnitTypeMap::GetSizing(1), EUnitSizing::CustomArchedDL);
  EXPECT_EQ(CUnitTypeMap::GetSizing(14), EUnitSizing::Varigon);
  EXPECT_EQ(CUnitTypeMap::GetClassName(53), nullptr);
  EXPECT_EQ(CUnitTypeMap::GetClassName(-1), nullptr);
  EXPECT_EQ(CUnitTypeMap::GetSizing(53), EUnitSizing::None);
  EXPECT_EQ(CUnitTypeMap::GetKeyOfClass("CUnit"), nullptr);
  EXPECT_EQ(CUnitTypeMap::GetKeyOfClass(nullptr), nullptr);
}

TEST_F(FactoryTest, NothingRegisteredMakesNoUnitForAnyKnownKey)
{
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    const CString key = CUnitTypeMap::GetKey(i);
    BOOL flag = TRUE;
    EXPECT_EQ(MakeUnit(key.Left(2), key.Mid(2), &flag), nullptr);
    EXPECT_FALSE(flag) << key.c_str();
    EXPECT_EQ(MakeUnit(key.Left(2), key.Mid(2)), nullptr) << key.c_str();
  }
}

TEST_F(FactoryTest, EveryKeyBehavesAsItsTableEntrySays)
{
  RegisterTestLeaves();
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    const CString key = CUnitTypeMap::GetKey(i);
    const bool hasClass = kKeysWithoutClass.count(key.c_str()) == 0;
    BOOL flag = !hasClass;
    EXPECT_EQ(MakeUnit(key.Left(2), key.Mid(2), &flag), nullptr);
    EXPECT_EQ(flag, hasClass ? TRUE : FALSE) << key.c_str();
    std::unique_ptr<CUnit> unit(MakeUnit(key.Left(2), key.Mid(2)));
    if (!hasClass) {
      EXPECT_EQ(unit, nullptr) << key.c_str();
      continue;
    }
    ASSERT_NE(unit, nullptr) << key.c_str();
    EXPECT_EQ(unit->GetType(), key.Left(2));
    EXPECT_EQ(unit->GetSubtype(), key.Mid(2));
  }
  std::unique_ptr<CUnit> oval(MakeUnit("SW", "OV009"));
  ASSERT_NE(oval, nullptr);
  EXPECT_NE(dynamic_cast<CTestUnit*>(oval.get()), nullptr);
}

TEST_F(FactoryTest, UnknownKeysThrowUnitutil180InBothModes)
{
  RegisterTestLeaves();
  for (const auto& [type, subtype] :
       {std::pair<const char*, const char*>{"sw", "ov009"}, {"XX", "BA000"}, {"SW", ""}}) {
    try {
      MakeUnit(type, subtype);
      ADD_FAILURE() << "no exception for " << type << subtype;
    } catch (const CUnitException& e) {
      EXPECT_EQ(e.file, "Unitutil");
      EXPECT_EQ(e.line, 180);
      EXPECT_EQ(e.message, "An internal unit error has occurred.");
    }
    BOOL flag = TRUE;
    try {
      MakeUnit(type, subtype, &flag);
      ADD_FAILURE() << "no exception in check mode for " << type << subtype;
    } catch (const CUnitException& e) {
      EXPECT_EQ(e.line, 180);
      EXPECT_FALSE(flag);
    }
  }
}

TEST_F(FactoryTest, RegistrationIsRefusedForUnknownKeysAndKeysWithoutClass)
{
  auto creator = []() -> CUnit* { return nullptr; };
  EXPECT_THROW(RegisterUnitClass("XXBA000", creator), CUnitException);
  EXPECT_THROW(RegisterUnitClass("RWST100", creator), CUnitException);
  EXPECT_THROW(RegisterUnitClass(nullptr, creator), CUnitException);
  // A null creator takes a registration back.
  RegisterTestLeaves();
  RegisterUnitClass("SWOV009", nullptr);
  BOOL flag = TRUE;
  MakeUnit("SW", "OV009", &flag);
  EXPECT_FALSE(flag);
}

TEST_F(FactoryTest, AFailingConstructorPassesItsExceptionOn)
{
  RegisterUnitClass("GLBA005", []() -> CUnit* { return new CTestUnit("GL", "ZZ999"); });
  try {
    MakeUnit("GL", "BA005");
    ADD_FAILURE() << "no exception";
  } catch (const CUnitException& e) {
    EXPECT_EQ(e.file, "Unit");
  }
}

}  // namespace
