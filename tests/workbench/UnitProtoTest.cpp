// Guards the kept units that like unit items are copied from: an item made from a kept unit is
// the item a unit made afresh from the catalogue gives (drawing, outlines, alignment lines,
// handles, attributes, stored bytes, serial number), for every unit class of the catalogue; a
// unit changed after it was made (resized, given another option) is never served to an item of
// the old attributes, nor the old unit to an item of the new ones; another catalogue starts anew.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "model/Entcat.h"
#include "model/Stdunit.h"
#include "model/Unit.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "productdb/Optcats.h"
#include "productdb/Optchoic.h"
#include "productdb/Stdsizes.h"
#include "productdb/txrecobj.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Unitproto.h"
#include "workbench/items/Wbreg.h"
#include "workbench/snap/Likalign.h"
#include "workbench/snap/Snapeng.h"

namespace {
using Bytes = std::vector<BYTE>;

std::string Number(double v)
{
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

std::string Point(const CVRX2DPoint& p) { return "(" + Number(p.GetX()) + " " + Number(p.GetY()) + ")"; }

// Every value an entity holds that drawing, snapping or storing reads.
std::string Describe(const CVRX2DEntity& entity)
{
  std::string text = std::to_string(entity.GetType()) + "/" + std::to_string(entity.GetCategory());
  const CVRX2DRectangle box = entity.GetExtents();
  text += " box " + Point(box.GetMinPoint()) + Point(box.GetMaxPoint());
  if (const auto* pLine = dynamic_cast<const CVRX2DLine*>(&entity))
    text += " line " + Point(pLine->GetStartPoint()) + Point(pLine->GetEndPoint());
  if (const auto* pArc = dynamic_cast<const CVRX2DArc*>(&entity))
    text += " arc " + Point(pArc->GetCentre()) + Number(pArc->GetMajorRadius()) + " " + Number(pArc->GetMinorRadius()) +
            " " + Number(pArc->GetStartAngle().GetRadians()) + " " + Number(pArc->GetEndAngle().GetRadians());
  return text;
}

std::string Describe(const CVRX2DEntityArray& entities)
{
  std::string text;
  for (int i = 0; i < entities.GetSize(); ++i)
    text += Describe(*entities[i]) + "\n";
  return text;
}

Bytes Store(CUnitItem& item)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar << static_cast<const CObject*>(&item);
  ar.Close();
  return file.GetBytes();
}

std::unique_ptr<CUnitItem> Load(const Bytes& bytes)
{
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  return std::unique_ptr<CUnitItem>(dynamic_cast<CUnitItem*>(ar.ReadObject(RUNTIME_CLASS(CDesignItem))));
}

// What an item shows and stores of its unit, as text.
std::string Describe(CUnitItem& item)
{
  item.GetUnit();
  CVRX2DEntityArray outline;
  item.GetOutlineEntities(outline);
  std::string text = "attributes " + std::string(item.GetUnit()->GetAttributes().c_str()) + "\n";
  text += "size " + Number(item.GetWidth()) + " " + Number(item.GetHeight()) + " centre " +
          Point(item.GetCenterPoint()) + " origin " + Number(item.GetElevationOrigin().GetX()) + " " +
          Number(item.GetElevationOrigin().GetY()) + "\n";
  text += "elevation\n" + Describe(item.GetElevationEntities());
  text += "outline\n" + Describe(outline);
  text += "alignment\n" + Describe(*item.GetAlignmentEntities());
  text += "components\n" + Describe(*item.GetComponentOutlines());
  text += "perimeter sides " + std::to_string(item.GetPComponentOutlines()->GetSize()) + "\nhandles\n";
  CSizingHandleArray* pHandles = item.GetSizingHandles(nullptr);
  for (int i = 0; i < pHandles->GetSize(); ++i)
    text += Point(pHandles->GetAt(i)->GetPoint()) + " " + std::to_string(pHandles->GetAt(i)->GetCode()) + "\n";
  return text;
}

// For each perimeter alignment line of the item, the component outlines its entry in the
// alignment tables names, against those a look-up over the item's outlines where it now stands
// finds. Counts the lines in `lines` and the sides found in `sides`.
void ExpectEntriesListTheSidesOnEachLine(CUnitItem& item, const std::string& what, int& lines, int& sides)
{
  const CVRX2DEntityArray& alignment = *item.GetAlignmentEntities();
  for (int i = 0; i < alignment.GetSize(); ++i) {
    if (alignment[i]->GetType() != VRX_LINE || alignment[i]->GetCategory() != ecatPerimeterAlignment)
      continue;
    CAlignmentEntity given(alignment[i]->Clone(), &item, 1);
    item.CollectColinearSides(given, i);
    CAlignmentEntity found(alignment[i]->Clone(), &item, 1);
    CSnapEngine::CollectColinearPerimeterLines(found, *item.GetComponentOutlines());
    ++lines;
    sides += found.GetIndices().GetSize();
    ASSERT_EQ(given.GetIndices().GetSize(), found.GetIndices().GetSize()) << what << ", line " << i;
    for (int k = 0; k < found.GetIndices().GetSize(); ++k)
      EXPECT_EQ(given.GetIndices()[k], found.GetIndices()[k]) << what << ", line " << i;
    EXPECT_EQ(given.GetPerimeterLines().GetSize(), 0) << what << ": the lines stay the unit's own";
  }
}

class UnitProtoTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    m_catalogue = std::string(binary) + "/productdata/";
    CTXRecObj::SetDatabaseDirectory(m_catalogue.c_str());
    RegisterStandardUnits();
    RegisterFreeformUnits();
    RegisterWorkbenchClasses();
    CUnitPrototypes::Get().Clear();
  }
  void TearDown() override { CUnitPrototypes::Get().Clear(); }

  // The stored form of an item whose unit was made from its codes alone, at a place of its own.
  static Bytes StoredItem(const char* type, const char* subtype)
  {
    CUnitItem item(type, subtype);
    item.GetUnit();
    item.Offset(CVRX2DVector(37.25, 81.5));
    return Store(item);
  }

  // The keys of the catalogue's units that have a class of their own.
  static std::vector<std::string> UnitClassKeys()
  {
    std::vector<std::string> keys;
    for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
      const std::string key = CUnitTypeMap::GetKey(i);
      BOOL hasClass = FALSE;
      delete MakeUnit(key.substr(0, 2).c_str(), key.substr(2).c_str(), &hasClass);
      if (hasClass)
        keys.push_back(key);
    }
    return keys;
  }

  std::string m_catalogue;
};
}  // namespace

TEST_F(UnitProtoTest, AnItemCopiedFromAKeptUnitIsTheItemMadeAfreshForEveryUnitClass)
{
  int classes = 0;
  for (const std::string& key : UnitClassKeys()) {
    ++classes;
    const Bytes stored = StoredItem(key.substr(0, 2).c_str(), key.substr(2).c_str());
    CUnitPrototypes::Get().Clear();
    std::unique_ptr<CUnitItem> fresh = Load(stored);
    fresh->GetUnit();
    ASSERT_EQ(CUnitPrototypes::Get().GetCount(), 1u) << key << ": the first unit of its attributes is kept";
    std::unique_ptr<CUnitItem> copied = Load(stored);
    copied->GetUnit();
    EXPECT_EQ(CUnitPrototypes::Get().GetCount(), 1u) << key;
    EXPECT_EQ(Describe(*copied), Describe(*fresh)) << key;
    EXPECT_EQ(Store(*copied), Store(*fresh)) << key;
    EXPECT_EQ(copied->GetUnit()->GetUnitID(), fresh->GetUnit()->GetUnitID() + 1)
        << key << ": keeping a unit takes no serial number";
  }
  EXPECT_GT(classes, 20);
}

TEST_F(UnitProtoTest, AResizedUnitIsNeverServedForItsOldSizeNorTheOldOneForItsNewSize)
{
  const Bytes stored = StoredItem("AW", "BA002");
  std::unique_ptr<CUnitItem> first = Load(stored);
  const std::string original = Describe(*first);
  auto* pUnit = dynamic_cast<CStandardUnit*>(first->GetUnit());
  ASSERT_NE(pUnit, nullptr);
  const CString oldSize = pUnit->GetSizeCode();
  const CString newSize = oldSize == "AW3030" ? "AW2020" : "AW3030";
  pUnit->SetSizeCode(newSize);
  first->UpdateUnitInfo();
  ASSERT_NE(Describe(*first), original);
  EXPECT_EQ(Describe(*Load(stored)), original) << "an item of the old attributes keeps the old size";
  const std::string resized = Describe(*first);
  const Bytes storedResized = Store(*first);
  std::unique_ptr<CUnitItem> second = Load(storedResized);
  EXPECT_EQ(Describe(*second), resized);
  EXPECT_EQ(dynamic_cast<CStandardUnit*>(second->GetUnit())->GetSizeCode(), newSize);
  // Made again from its attributes, and then copied from the kept one, the new size holds.
  EXPECT_EQ(Describe(*Load(storedResized)), resized);
}

TEST_F(UnitProtoTest, AnotherOptionIsNeverServedStale)
{
  const Bytes stored = StoredItem("AW", "BA002");
  std::unique_ptr<CUnitItem> first = Load(stored);
  CUnit* pUnit = first->GetUnit();
  const std::string original = Describe(*first);
  COptCatsRecArray categories;
  pUnit->GetOptionCategories(categories);
  BOOL changed = FALSE;
  for (int i = 0; i < categories.GetSize() && !changed; ++i) {
    const int category = categories[i]->GetCategory();
    COptChoicRecArray choices;
    pUnit->GetOptionChoicesOfCategory(category, choices);
    for (int j = 0; j < choices.GetSize() && !changed; ++j)
      if (choices[j]->GetChoice() != pUnit->GetOptionChoice(category, 0))
        changed = pUnit->SetOptionChoice(category, choices[j]->GetChoice());
  }
  ASSERT_TRUE(changed) << "the awning offers a second choice in some category";
  first->UpdateUnitInfo();
  const CString chosen = pUnit->GetAttributes();
  EXPECT_EQ(Load(stored)->GetUnit()->GetAttributes(), Load(stored)->GetUnit()->GetAttributes());
  EXPECT_NE(Load(stored)->GetUnit()->GetAttributes(), chosen) << "an item of the old attributes keeps its options";
  EXPECT_EQ(Describe(*Load(stored)), original);
  const Bytes storedChosen = Store(*first);
  EXPECT_EQ(Load(storedChosen)->GetUnit()->GetAttributes(), chosen);
  EXPECT_EQ(Load(storedChosen)->GetUnit()->GetAttributes(), chosen);
}

TEST_F(UnitProtoTest, UnitsKeptFromOneCatalogueAreForgottenWhenAnotherIsOpened)
{
  const Bytes stored = StoredItem("AW", "BA002");
  Load(stored)->GetUnit();
  EXPECT_EQ(CUnitPrototypes::Get().GetCount(), 1u);
  std::string folder = (std::filesystem::temp_directory_path() / "unitproto.XXXXXX").string();
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  std::filesystem::copy_file(m_catalogue + "TXDB.SDF", folder + "/TXDB.SDF");
  CTXRecObj::SetDatabaseDirectory(folder.c_str());
  EXPECT_EQ(CUnitPrototypes::Get().Find("AW", "BA002", Load(stored)->GetAttributeString()), nullptr);
  EXPECT_EQ(CUnitPrototypes::Get().GetCount(), 0u);
  Load(stored)->GetUnit();
  EXPECT_EQ(CUnitPrototypes::Get().GetCount(), 1u);
  CTXRecObj::SetDatabaseDirectory(m_catalogue.c_str());
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

TEST_F(UnitProtoTest, TheOldestKeptUnitMakesRoomForANewOne)
{
  CUnitItem item("AW", "BA002");
  const CUnit& unit = *item.GetUnit();
  const CUnitShape shape;
  const auto key = [](size_t i) { return CString::Formatted("AW,BA002,%d", static_cast<int>(i)); };
  for (size_t i = 0; i <= CUnitPrototypes::kMostPrototypes; ++i)
    CUnitPrototypes::Get().Keep("AW", "BA002", key(i), unit, shape);
  EXPECT_EQ(CUnitPrototypes::Get().GetCount(), CUnitPrototypes::kMostPrototypes);
  EXPECT_EQ(CUnitPrototypes::Get().Find("AW", "BA002", key(0)), nullptr);
  EXPECT_NE(CUnitPrototypes::Get().Find("AW", "BA002", key(1)), nullptr);
  EXPECT_NE(CUnitPrototypes::Get().Find("AW", "BA002", key(CUnitPrototypes::kMostPrototypes)), nullptr);
}

TEST_F(UnitProtoTest, EachAlignmentLineListsTheSidesOnItWhereverTheItemStandsAndWhateverItsSize)
{
  int lines = 0;
  int sides = 0;
  for (const std::string& key : UnitClassKeys()) {
    const Bytes stored = StoredItem(key.substr(0, 2).c_str(), key.substr(2).c_str());
    CUnitPrototypes::Get().Clear();
    std::unique_ptr<CUnitItem> fresh = Load(stored);
    fresh->GetUnit();
    ExpectEntriesListTheSidesOnEachLine(*fresh, key + " made afresh", lines, sides);
    std::unique_ptr<CUnitItem> copied = Load(stored);
    copied->GetUnit();
    ExpectEntriesListTheSidesOnEachLine(*copied, key + " copied from the kept unit", lines, sides);
    // Far out and back, where the lines' own numbers round otherwise.
    copied->Offset(CVRX2DVector(1234.5678, -987.654321));
    ExpectEntriesListTheSidesOnEachLine(*copied, key + " moved", lines, sides);
    copied->Offset(CVRX2DVector(-1234.5, 987.6));
    ExpectEntriesListTheSidesOnEachLine(*copied, key + " moved back", lines, sides);
  }
  EXPECT_GT(lines, 80);
  EXPECT_GE(sides, lines) << "every perimeter alignment line has a side on it";

  // Each size of a unit gives its own sides (a wider glider has more panels): the list worked
  // out for one size is not served for the next.
  int sizes = 0;
  for (const std::string& key : UnitClassKeys()) {
    std::unique_ptr<CUnitItem> item = Load(StoredItem(key.substr(0, 2).c_str(), key.substr(2).c_str()));
    auto* pUnit = dynamic_cast<CStandardUnit*>(item->GetUnit());
    if (!pUnit)
      continue;
    CStdSizesRecArray rows;
    pUnit->GetStandardSizes(rows);
    for (int j = 0; j < rows.GetSize(); ++j) {
      // A size the unit refuses with its other choices leaves it as it was.
      try {
        pUnit->SetSizeCode(rows[j]->GetSizeCode());
        item->UpdateUnitInfo();
      } catch (const CUnitException&) {
        continue;
      }
      ++sizes;
      ExpectEntriesListTheSidesOnEachLine(*item, key + " at " + std::string(rows[j]->GetSizeCode().c_str()), lines,
                                          sides);
    }
  }
  EXPECT_GT(sizes, 40);
}

// The copies of one kept unit share its drawing, and each draws it at its own place: moving one
// moves its drawing alone, by exactly the move, as a unit made afresh there draws it.
TEST_F(UnitProtoTest, CopiesOfOneKeptUnitEachDrawAtTheirOwnPlace)
{
  const Bytes stored = StoredItem("AW", "BA002");
  std::unique_ptr<CUnitItem> first = Load(stored);
  first->GetUnit();
  std::unique_ptr<CUnitItem> second = Load(stored);
  second->GetUnit();
  const CVRX2DEntityArray before = first->GetElevationEntities();
  ASSERT_GT(before.GetSize(), 4);
  second->Offset(CVRX2DVector(12.5, -3.25));
  second->Offset(CVRX2DVector(0.75, 40.0));
  EXPECT_EQ(Describe(first->GetElevationEntities()), Describe(before)) << "the other copy stays where it was";
  const CVRX2DEntityArray moved = second->GetElevationEntities();
  ASSERT_EQ(moved.GetSize(), before.GetSize());
  for (int i = 0; i < before.GetSize(); ++i) {
    const CVRX2DRectangle was = before[i]->GetExtents();
    const CVRX2DRectangle now = moved[i]->GetExtents();
    EXPECT_DOUBLE_EQ(now.GetMinPoint().GetX(), was.GetMinPoint().GetX() + 13.25) << i;
    EXPECT_DOUBLE_EQ(now.GetMinPoint().GetY(), was.GetMinPoint().GetY() + 36.75) << i;
    EXPECT_DOUBLE_EQ(now.GetMaxPoint().GetX(), was.GetMaxPoint().GetX() + 13.25) << i;
    EXPECT_DOUBLE_EQ(now.GetMaxPoint().GetY(), was.GetMaxPoint().GetY() + 36.75) << i;
  }
  CUnitPrototypes::Get().Clear();
  std::unique_ptr<CUnitItem> fresh = Load(stored);
  fresh->GetUnit();
  fresh->Offset(CVRX2DVector(13.25, 36.75));
  EXPECT_EQ(Describe(*fresh), Describe(*second));
}
