// Guards the project preferences' byte layout, defaults and the values they keep as read.
#include "project/DocTestSupport.h"
#include "project/Projprefs.h"
#include "support/Exceptn.h"

namespace {

using ProjprefsTest = CatalogueTest;

Bytes StorePrefs(CProjectPrefs& prefs)
{
  return StoreBytes([&](CArchive& ar) { prefs.Serialize(ar); });
}

}  // namespace

TEST_F(ProjprefsTest, NewProjectPreferencesHaveTheFixedLayout)
{
  CProjectPrefs prefs;
  prefs.SetDefaults();
  COptionChoicesByTypeArray& array = prefs.GetOptionsPrefs().GetChoicesArray();
  CByteWriter expected;
  expected.Dword(10000).Dword(10000).Dword(10000).Dword(10000).Dword(static_cast<unsigned>(array.GetSize()));
  for (int i = 0; i < array.GetSize(); ++i)
    expected.Str(array.GetAt(i)->GetUnitType().str()).Word(0);
  expected.Double(12.0).Double(0.0).Dword(0).Byte(1).Byte(0).Byte(0);
  EXPECT_EQ(StorePrefs(prefs), expected.Get());
  EXPECT_TRUE(prefs.GetShowInstallationFlange());
}

TEST_F(ProjprefsTest, ValuesAreKeptAsReadAndMeasurementUnitsStayOutOfTheFile)
{
  CProjectPrefs prefs;
  Bytes bytes = StorePrefs(prefs);
  size_t tail = bytes.size() - 3;
  bytes[tail + 1] = 2;  // show grilles
  const double wall = 30.5;
  std::memcpy(bytes.data() + tail - 20, &wall, 8);

  CProjectPrefs loaded;
  LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(loaded.GetShowGrilles(), 2);
  EXPECT_EQ(loaded.GetWallWidth(), 30.5);
  EXPECT_EQ(StorePrefs(loaded), bytes) << "a toggle of 2 is written back as 2";

  loaded.GetMiscProjectPrefs().SetMeasurementUnits(3);
  EXPECT_EQ(StorePrefs(loaded), bytes);
  loaded.SetDefaults();
  EXPECT_EQ(loaded.GetMiscProjectPrefs().GetMeasurementUnits(), services.measurementUnits);
  EXPECT_EQ(loaded.GetShowGrilles(), FALSE);
}

TEST_F(ProjprefsTest, AStampBelow9236AnywhereRefusesThePreferences)
{
  CProjectPrefs prefs;
  Bytes good = StorePrefs(prefs);
  for (size_t offset : {0u, 4u, 8u, 12u}) {
    Bytes bytes = good;
    const DWORD old = 9235;
    std::memcpy(bytes.data() + offset, &old, 4);
    CProjectPrefs loaded;
    EXPECT_THROW(LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), CAppSerializeException) << offset;
  }
}
