// Guards the category maps: deep copies that own their data, the key-0 fallback, the refusal of
// category 0, the exact contents the DXF and screen configurations build, and that the named entity
// categories units and items write reach the pen and layer meant for them.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "app/Dxfcfg.h"
#include "app/Gdicfg.h"
#include "model/Entcat.h"
#include "views/Xltdata.h"
#include "ui/draw/Gdi.h"
#include "support/VEntExcp.h"

namespace {

std::set<int> Categories(const CMapECatToXLTData& map)
{
  std::set<int> keys;
  POSITION pos = map.GetStartPosition();
  while (pos) {
    WORD key = 0;
    void* data = nullptr;
    map.GetNextAssoc(pos, key, data);
    keys.insert(key);
  }
  return keys;
}

TEST(XltdataTest, CopiesOwnTheirDataAndFallBackToKeyZero)
{
  CMapECatToXLTGDIData map;
  map.SetGDIData(0, new CXLTGDIData(RGB(1, 2, 3)));
  map.SetGDIData(14, new CXLTGDIData(RGB(0, 0, 255)));
  map.SetGDIData(14, new CXLTGDIData(RGB(9, 9, 9)));  // replaces and frees the first
  EXPECT_EQ(map.GetCount(), 2);

  auto copy = std::make_unique<CMapECatToXLTGDIData>(map);
  const CXLTGDIData* mine = map.GetGDIData(14);
  const CXLTGDIData* theirs = copy->GetGDIData(14);
  ASSERT_NE(theirs, nullptr);
  EXPECT_NE(mine, theirs);
  EXPECT_NE(mine->GetPen(), theirs->GetPen());
  EXPECT_EQ(theirs->GetColor(), RGB(9, 9, 9));
  EXPECT_EQ(theirs->GetPen()->GetColor(), RGB(9, 9, 9));
  EXPECT_EQ(theirs->GetPen()->GetStyle(), PS_SOLID);
  EXPECT_EQ(theirs->GetPen()->GetWidth(), 0);
  copy.reset();
  EXPECT_EQ(map.GetGDIData(14)->GetColor(), RGB(9, 9, 9));

  EXPECT_EQ(map.GetGDIData(9)->GetColor(), RGB(1, 2, 3)) << "a category without an entry takes key 0";
  EXPECT_THROW(map.GetXLTData(0), CVRXEntityException);

  CMapECatToXLTDXFData empty;
  EXPECT_THROW(empty.GetDXFData(30), CVRXEntityException) << "no entry and no default";
}

TEST(XltdataTest, DXFMapHoldsKeyZeroAndTheThirtyOneDrawingCategories)
{
  CExportToDXFConfig config;
  std::unique_ptr<CMapECatToXLTDXFData> map(config.CreateTranslationMap());
  std::set<int> expected{0};
  for (int c = 25; c <= 56; ++c)
    if (c != 31)
      expected.insert(c);
  EXPECT_EQ(map->GetCount(), 32);
  EXPECT_EQ(Categories(*map), expected);

  void* raw = nullptr;
  ASSERT_TRUE(map->Lookup(0, raw));
  const auto* zero = static_cast<CXLTDXFData*>(static_cast<CObject*>(raw));
  EXPECT_EQ(zero->GetColor(), 7);
  EXPECT_EQ(zero->GetLayer(), "0");
  EXPECT_EQ(zero->GetLineType(), "Continuous");

  // Categories 26 and 29 share the vinyl record but not the object.
  EXPECT_NE(map->GetDXFData(26), map->GetDXFData(29));
  EXPECT_EQ(map->GetDXFData(29)->GetLayer(), "A-Detl-Mcut");
  EXPECT_EQ(map->GetDXFData(32)->GetLayer(), "A-Detl-Patt");
  EXPECT_EQ(map->GetDXFData(32)->GetColor(), 1);
  EXPECT_EQ(map->GetDXFData(38)->GetColor(), 6);
  EXPECT_EQ(map->GetDXFData(44)->GetLayer(), "A-Door-Sill");
  EXPECT_EQ(map->GetDXFData(54)->GetLayer(), "A-Glaz-Iden");
  EXPECT_EQ(map->GetDXFData(12)->GetLayer(), "0") << "screen categories fall back to key 0";

  // The cache is built once: later record changes do not reach it, and copies are independent.
  config.SetDetailGlassColor(4);
  std::unique_ptr<CMapECatToXLTDXFData> second(config.CreateTranslationMap());
  EXPECT_EQ(second->GetDXFData(30)->GetColor(), 1);
  EXPECT_NE(second->GetDXFData(30), map->GetDXFData(30));
  map.reset();
  EXPECT_EQ(second->GetCount(), 32);
}

TEST(XltdataTest, ScreenMapHoldsKeyZeroAndEighteenCategories)
{
  CExportToGDIConfig config;
  config.SetGuidelineRGB(RGB(10, 20, 30));
  std::unique_ptr<CMapECatToXLTGDIData> map(config.CreateTranslationMap());
  EXPECT_EQ(map->GetCount(), 19);
  EXPECT_EQ(Categories(*map), (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14, 15, 16, 19, 21, 22, 23, 24}));
  EXPECT_EQ(map->GetGDIData(14)->GetColor(), RGB(10, 20, 30));
  EXPECT_EQ(map->GetGDIData(19)->GetColor(), config.GetUnitRGB());
  EXPECT_EQ(map->GetGDIData(5)->GetColor(), RGB(192, 192, 192));
  EXPECT_EQ(map->GetGDIData(15)->GetColor(), RGB(64, 64, 255));
  EXPECT_EQ(map->GetGDIData(23)->GetColor(), RGB(224, 224, 224));
  EXPECT_EQ(map->GetGDIData(24)->GetColor(), RGB(192, 0, 0));
  EXPECT_EQ(map->GetGDIData(30)->GetColor(), RGB(0, 0, 0)) << "drawing categories take black key 0";
  EXPECT_NE(map->GetGDIData(2)->GetPen(), map->GetGDIData(3)->GetPen()) << "each category its own pen";
}

TEST(XltdataTest, NamedCategoriesReachTheirOwnPenAndLayer)
{
  CExportToGDIConfig screen;
  std::unique_ptr<CMapECatToXLTGDIData> pens(screen.CreateTranslationMap());
  EXPECT_EQ(pens->GetGDIData(ecatUnit)->GetColor(), screen.GetUnitRGB());
  EXPECT_EQ(pens->GetGDIData(ecatProposedOutline)->GetColor(), screen.GetUnitRGB());
  EXPECT_EQ(pens->GetGDIData(ecatJoinLine)->GetColor(), screen.GetJoinRGB());
  EXPECT_EQ(pens->GetGDIData(ecatSnapHighlight)->GetColor(), screen.GetSnapHighlightRGB());
  EXPECT_EQ(pens->GetGDIData(ecatGuidelineCentre)->GetColor(), screen.GetGuidelineRGB());
  EXPECT_EQ(pens->GetGDIData(ecatGuidelineEdge)->GetColor(), screen.GetGuidelineEdgeRGB());
  EXPECT_EQ(pens->GetGDIData(ecatGuidelineFill)->GetColor(), screen.GetGuidelineFillRGB());
  EXPECT_EQ(pens->GetGDIData(ecatSelectionLine)->GetColor(), screen.GetDetailSelectorsRGB());
  EXPECT_EQ(pens->GetGDIData(ecatPlanSelector)->GetColor(), screen.GetPlanSelectorRGB());
  EXPECT_EQ(pens->GetGDIData(ecatPlanSelectorFill)->GetColor(), screen.GetPlanSelectorFillRGB());
  EXPECT_EQ(pens->GetGDIData(ecatWallReturn)->GetColor(), screen.GetPlanSectionWallLineRGB());
  for (int category : {ecatGuidelineCentreAlignment, ecatJoinAlignment, ecatGuidelineEdgeAlignment,
                       ecatInnerPartOutline, ecatConstruction, ecatPerimeterAlignment, ecatAlwaysOfferedAlignment})
    EXPECT_EQ(pens->GetGDIData(category)->GetColor(), screen.GetAlignmentLineRGB()) << "category " << category;
  // What only the Workbench's logic reads has no pen of its own.
  for (int category : {ecatJoinSnap, ecatLineSnap, ecatCentrePoint, ecatInnerOutline, ecatPerimeterOutline})
    EXPECT_EQ(Categories(*pens).count(category), 0u) << "category " << category;

  CExportToDXFConfig dxf;
  std::unique_ptr<CMapECatToXLTDXFData> layers(dxf.CreateTranslationMap());
  const std::pair<int, const char*> expected[] = {
      {ecatDetailAluminum, "A-Detl-Mcut"},
      {ecatDetailFlange, "A-Detl-Mcut"},
      {ecatDetailExtension, "A-Detl-Mbnd"},
      {ecatDetailMaterialHatching, "A-Detl-Patt"},
      {ecatDoorElevationFrame, "A-Door-Elev"},
      {ecatDoorElevationLabel, "A-Door-Iden"},
      {ecatDoorPlanSectionWallCutLine, "A-Door-Prht"},
      {ecatDoorPlanSectionSillJamb, "A-Door-Sill"},
      {ecatWindowElevationGrilles, "A-Glaz-Elev"},
      {ecatWindowElevationLabel, "A-Glaz-Iden"},
      {ecatWindowPlanSectionGlass, "A-Glaz-Prht"},
      {ecatWindowPlanSectionSillJamb, "A-Glaz-Sill"},
  };
  for (const auto& [category, layer] : expected)
    EXPECT_EQ(layers->GetDXFData(category)->GetLayer(), layer) << "category " << category;
  EXPECT_EQ(layers->GetDXFData(ecatDoorElevationGrilles)->GetColor(), 1);
  EXPECT_EQ(layers->GetDXFData(ecatWindowElevationOperatingSymbol)->GetColor(), 5);
  EXPECT_EQ(layers->GetDXFData(ecatWindowElevationGroupBoundary)->GetColor(), 6);
}

}  // namespace
