// Guards the application preferences against the profile: every section and key written at each
// save with its value text, the reading rules of each key (colour names and numbers, RGB texts,
// lengths with their clamps, the window rectangle, the catalogue's option categories), and that
// a failed write stops the save where it happened.
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/resource.h>

#include "AppTestEnv.h"
#include "app/Dxfunits.h"
#include "ui/draw/Dc.h"
#include "productdb/txrecobj.h"
#include "support/Exceptn.h"

namespace {

class PrefsTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    CTXRecObj::SetDatabaseDirectory(CatalogueFolder().c_str());
    Restart();
  }
  // A new application object, which reads the profile afresh.
  void Restart()
  {
    app.reset();
    app = std::make_unique<CTestCApp>();
    app->SetRegistryKey("Tarvex Windows");
  }
  // Loads preferences from the profile text, then saves them; returns the profile written.
  std::map<std::string, CIniEntries> RoundTrip(const std::string& profile)
  {
    config.WriteProfile(profile);
    Restart();
    prefs = std::make_unique<CAppPrefs>();
    EXPECT_TRUE(prefs->Load());
    EXPECT_TRUE(prefs->Save());
    return ParseIni(config.ReadProfile());
  }

  CConfigFolder config;
  std::unique_ptr<CTestCApp> app;
  std::unique_ptr<CAppPrefs> prefs;
};

TEST_F(PrefsTest, AnEmptyProfileIsWrittenCompleteWithDefaults)
{
  auto ini = RoundTrip("");
  EXPECT_EQ(
      ini["UserLicenseInfo"],
      (CIniEntries{{"Company", ""}, {"Address", ""}, {"City", ""}, {"State", ""}, {"ZipCode", ""}, {"Contact", ""}}));
  EXPECT_EQ(ini["PlanSectionView"], (CIniEntries{{"FrameOn", "1"},
                                                 {"FullFrameWidthOn", "0"},
                                                 {"FrameLinesOn", "1"},
                                                 {"SillLinesOn", "1"},
                                                 {"GlassLines", "2"}}));
  EXPECT_EQ(ini["Misc"], (CIniEntries{{"MainWindowRect", "0,0,0,0"},
                                      {"MeasurementUnits", "Feet And Inches"},
                                      {"DXFTranslationUnit", "One Inch"},
                                      {"WorkbenchHorizontalExtentInInches", "360\""},
                                      {"WorkbenchVerticalExtentInInches", "240\""}}));
  ASSERT_EQ(ini["ExportToDXF"].size(), 90u);
  EXPECT_EQ(ini["ExportToDXF"][0], (std::pair<std::string, std::string>{"DetailMaterialHatchingLayer", "A-Detl-Patt"}));
  EXPECT_EQ(ini["ExportToDXF"][89],
            (std::pair<std::string, std::string>{"WindowElevationLabelLineType", "Continuous"}));
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "DetailWoodColor"), "Yellow");
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "DetailExtensionLayer"), "A-Detl-Mbnd");
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "DoorElevationGroupBoundaryColor"), "Magenta");
  EXPECT_EQ(ini["ExportToGDI"], (CIniEntries{{"UnitRGB", "0,0,0"},
                                             {"JoinRGB", "192,0,0"},
                                             {"SnapHighlightRGB", "192,0,0"},
                                             {"AlignmentLineRGB", "192,192,192"},
                                             {"GuidelineRGB", "0,0,255"},
                                             {"GuidelineEdgeRGB", "64,64,255"},
                                             {"GuidelineFillRGB", "0,255,255"},
                                             {"DetailSelectorsRGB", "0,0,128"},
                                             {"PlanSelectorRGB", "0,0,0"},
                                             {"PlanSelectorFillRGB", "224,224,224"},
                                             {"PlanSectionWallLineRGB", "0,0,255"}}));
  EXPECT_TRUE(ini["DefaultOptions"].empty()) << "no category has a choice";
}

TEST_F(PrefsTest, SaveWithoutLoadLeavesTheProfileAlone)
{
  CAppPrefs never;
  EXPECT_FALSE(never.Save());
  EXPECT_FALSE(config.ProfileExists());
}

TEST_F(PrefsTest, DXFColoursReadAsNamesOrNumbersAndAreWrittenAsNames)
{
  std::string forty(40, 'L');
  auto ini = RoundTrip("[ExportToDXF]\nDetailGlassColor=cyan\nDetailWoodColor=7\nDetailSteelColor=12\n"
                       "DetailOtherColor=00\nDetailAluminumColor=-1\nDetailVinylColor=\n"
                       "DoorPlanSectionGlassLayer=" +
                       forty +
                       "\nDoorPlanSectionFrameLayer=A\tB\n"
                       "DoorPlanSectionLabelLineType=Dashed\nWindowPlanSectionGlassLineType=\n");
  CExportToDXFConfig& dxf = *prefs->GetExportToDXFConfig();
  EXPECT_EQ(dxf.GetDetailGlassColor(), 4);
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "DetailGlassColor"), "Cyan");
  EXPECT_EQ(dxf.GetDetailWoodColor(), 7);
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "DetailWoodColor"), "White");
  EXPECT_EQ(dxf.GetDetailSteelColor(), 2) << "an unknown number gives the default";
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "DetailOtherColor"), "ByLayer");
  EXPECT_EQ(dxf.GetDetailAluminumColor(), 2);
  EXPECT_EQ(dxf.GetDetailVinylColor(), 2);
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "DoorPlanSectionGlassLayer"), std::string(31, 'L'));
  EXPECT_EQ(dxf.GetDoorPlanSectionFrameLayer(), "A-Door-Prht") << "a control character makes the name unusable";
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "DoorPlanSectionLabelLineType"), "Dashed");
  EXPECT_EQ(IniValue(ini, "ExportToDXF", "WindowPlanSectionGlassLineType"), "Continuous");

  dxf.SetDetailGlassColor(9);
  EXPECT_TRUE(prefs->Save());
  EXPECT_EQ(IniValue(ParseIni(config.ReadProfile()), "ExportToDXF", "DetailGlassColor"), "")
      << "a number without a name is written empty";
}

TEST_F(PrefsTest, ColourCodesFollowTheTableThenTheNumber)
{
  CAppAssocDXFExportColorAndDescription colors;
  struct
  {
    const char* text;
    BOOL ok;
    int code;
  } cases[] = {{"red", TRUE, 1}, {"RED", TRUE, 1}, {"1", TRUE, 1},       {"00", TRUE, 0},     {"0", TRUE, 0},
               {" 5", TRUE, 5},  {"6x", TRUE, 6},  {"byLAYER", TRUE, 0}, {"8", FALSE, 0},     {"-1", FALSE, 0},
               {"0x", FALSE, 0}, {"", FALSE, 0},   {" 0", FALSE, 0},     {"green ", FALSE, 0}};
  for (const auto& c : cases) {
    int code = -99;
    EXPECT_EQ(colors.GetColorCode(c.text, &code), c.ok) << c.text;
    EXPECT_EQ(code, c.ok ? c.code : -99) << c.text;
  }
}

TEST_F(PrefsTest, ScreenColoursReadThreeRunsOfDigits)
{
  auto ini = RoundTrip("[ExportToGDI]\nJoinRGB=0;128;0\nUnitRGB=0,0\nSnapHighlightRGB=300,0,0\n"
                       "GuidelineRGB=192 0 0\nPlanSelectorRGB=255,255,255 and more\nGuidelineEdgeRGB= 1,2,3\n");
  CExportToGDIConfig& gdi = *prefs->GetExportToGDIConfig();
  EXPECT_EQ(gdi.GetJoinRGB(), RGB(0, 128, 0));
  EXPECT_EQ(IniValue(ini, "ExportToGDI", "JoinRGB"), "0,128,0");
  EXPECT_EQ(gdi.GetUnitRGB(), RGB(0, 0, 0));
  EXPECT_EQ(gdi.GetSnapHighlightRGB(), RGB(192, 0, 0));
  EXPECT_EQ(gdi.GetGuidelineRGB(), RGB(192, 0, 0));
  EXPECT_EQ(gdi.GetPlanSelectorRGB(), RGB(255, 255, 255));
  EXPECT_EQ(gdi.GetGuidelineEdgeRGB(), RGB(64, 64, 255));

  for (const char* bad : {"1,,2,3", "-1,2,3", "1,2", "256,0,0", "", "0,0,99999999999999"}) {
    CString text(bad);
    COLORREF color = 123;
    EXPECT_FALSE(CExportToGDIConfig::ParseRGB(text, &color)) << bad;
    EXPECT_EQ(color, 0u) << bad;
  }
  CString text("007,8,255x");
  COLORREF color = 0;
  EXPECT_TRUE(CExportToGDIConfig::ParseRGB(text, &color));
  EXPECT_EQ(color, RGB(7, 8, 255));
  EXPECT_EQ(text, "x") << "the text is consumed";
}

TEST_F(PrefsTest, MiscUnitsAndExtents)
{
  auto ini = RoundTrip("[Misc]\nMeasurementUnits=metric millimeters\nDXFTranslationUnit=ONE FOOT\n"
                       "WorkbenchHorizontalExtentInInches=60\nWorkbenchVerticalExtentInInches=12'-6\"\n");
  CMiscPrefs& misc = *prefs->GetMiscPrefs();
  EXPECT_EQ(misc.GetMeasurementUnits(), 3);
  EXPECT_EQ(IniValue(ini, "Misc", "MeasurementUnits"), "Metric Millimeters");
  EXPECT_EQ(IniValue(ini, "Misc", "DXFTranslationUnit"), "One Foot");
  EXPECT_DOUBLE_EQ(misc.GetWorkbenchHorizontalExtentInInches(), 120.0);
  EXPECT_DOUBLE_EQ(misc.GetWorkbenchVerticalExtentInInches(), 150.0);
  EXPECT_EQ(IniValue(ini, "Misc", "WorkbenchHorizontalExtentInInches"), "120\"");
  EXPECT_EQ(IniValue(ini, "Misc", "WorkbenchVerticalExtentInInches"), "150\"");

  ini = RoundTrip("[Misc]\nMeasurementUnits=Meters\nDXFTranslationUnit=\nWorkbenchHorizontalExtentInInches=2000\n"
                  "WorkbenchVerticalExtentInInches=wide\n");
  EXPECT_EQ(prefs->GetMiscPrefs()->GetMeasurementUnits(), 0);
  EXPECT_DOUBLE_EQ(prefs->GetMiscPrefs()->GetWorkbenchHorizontalExtentInInches(), 1440.0);
  EXPECT_DOUBLE_EQ(prefs->GetMiscPrefs()->GetWorkbenchVerticalExtentInInches(), 240.0);

  ini = RoundTrip("[Misc]\nWorkbenchHorizontalExtentInInches=0\nWorkbenchVerticalExtentInInches=12\n");
  EXPECT_DOUBLE_EQ(prefs->GetMiscPrefs()->GetWorkbenchHorizontalExtentInInches(), 360.0);
  EXPECT_DOUBLE_EQ(prefs->GetMiscPrefs()->GetWorkbenchVerticalExtentInInches(), 72.0);

  CMiscPrefs setters;
  setters.SetWorkbenchHorizontalExtentInInches(-5);
  setters.SetWorkbenchVerticalExtentInInches(1440.5);
  EXPECT_DOUBLE_EQ(setters.GetWorkbenchHorizontalExtentInInches(), 360.0);
  EXPECT_DOUBLE_EQ(setters.GetWorkbenchVerticalExtentInInches(), 1440.0);
  setters.SetMeasurementUnits(7);
  setters.SetDXFTranslationUnit(9);
  prefs->GetMiscPrefs()->SetMeasurementUnits(7);
  prefs->GetMiscPrefs()->SetDXFTranslationUnit(9);
  EXPECT_TRUE(prefs->Save());
  ini = ParseIni(config.ReadProfile());
  EXPECT_EQ(IniValue(ini, "Misc", "MeasurementUnits"), "Feet And Inches") << "a code without a name";
  EXPECT_EQ(IniValue(ini, "Misc", "DXFTranslationUnit"), "One Inch");
}

TEST_F(PrefsTest, DXFUnitsScaleInchesExactly)
{
  using Units = CAssocDXFTranslationUnitAndDescription;
  EXPECT_EQ(12.0 * Units::GetScaleFactor(Units::oneFoot), 1.0);
  EXPECT_EQ(36.0 * Units::GetScaleFactor(Units::oneFoot), 3.0);
  EXPECT_DOUBLE_EQ(Units::GetScaleFactor(Units::oneCentimeter), 2.54);
  EXPECT_DOUBLE_EQ(Units::GetScaleFactor(Units::oneMillimeter), 25.4);
  EXPECT_DOUBLE_EQ(Units::GetScaleFactor(Units::oneMeter), 0.0254);
  EXPECT_DOUBLE_EQ(Units::GetScaleFactor(Units::oneInch), 1.0);
}

TEST_F(PrefsTest, MainWindowRectMustLieOnTheScreenTheRightWayRound)
{
  CRect rect(1, 1, 2, 2);
  EXPECT_TRUE(CMiscPrefs::ParseMainWindowRect("10,20,800,600", 1024, 768, &rect));
  EXPECT_EQ(rect, CRect(10, 20, 800, 600));
  for (const char* bad : {"10,20,1100,600", "10,20,800,768", "-4,-4,1028,772", "800,20,10,600", "10,600,800,20",
                          "10,20,800", "10,20,,800,600", "a,b,c,d"}) {
    CRect kept(1, 2, 3, 4);
    EXPECT_FALSE(CMiscPrefs::ParseMainWindowRect(bad, 1024, 768, &kept)) << bad;
    EXPECT_EQ(kept, CRect(1, 2, 3, 4)) << bad;
  }
  EXPECT_TRUE(CMiscPrefs::ParseMainWindowRect("0 0 5 5 trailing", 1024, 768, &rect));

  CSize screen = CDC::GetScreenSize();
  CString inside = CString::Formatted("5,6,%d,%d", screen.cx - 1, screen.cy - 1);
  RoundTrip("[Misc]\nMainWindowRect=" + inside.str() + "\n");
  prefs->GetMiscPrefs()->GetMainWindowRect(rect);
  EXPECT_EQ(rect, CRect(5, 6, screen.cx - 1, screen.cy - 1));
  RoundTrip("[Misc]\nMainWindowRect=-8,-8,100,100\n");
  prefs->GetMiscPrefs()->GetMainWindowRect(rect);
  EXPECT_EQ(rect, CRect(0, 0, 0, 0));
}

TEST_F(PrefsTest, UserInfoAndPlanSwitches)
{
  auto ini = RoundTrip("[UserLicenseInfo]\nCompany=Acme Glass, \"North\"; Ltd\nCity=\n"
                       "[PlanSectionView]\nGlassLines=5\nFrameOn=-1\nFullFrameWidthOn=abc\nFrameLinesOn=0\n");
  EXPECT_EQ(prefs->GetUserLicenseInfo()->GetCompany(), "Acme Glass, \"North\"; Ltd");
  EXPECT_EQ(IniValue(ini, "UserLicenseInfo", "Company"), "Acme Glass, \"North\"; Ltd");
  EXPECT_EQ(IniValue(ini, "UserLicenseInfo", "City"), "");
  CPlanSectionViewConfig& plan = *prefs->GetPlanSectionViewConfig();
  EXPECT_EQ(plan.GetGlassLines(), 5);
  EXPECT_EQ(plan.GetFrameOn(), 1) << "-1 keeps the member";
  EXPECT_EQ(plan.GetFullFrameWidthOn(), 0) << "a value without digits reads 0";
  EXPECT_EQ(plan.GetFrameLinesOn(), 0);
  EXPECT_EQ(plan.GetSillLinesOn(), 1);
}

TEST_F(PrefsTest, DefaultOptionsFollowTheCatalogue)
{
  auto ini = RoundTrip("[DefaultOptions]\nCat1=2\nCat3=9\nCat5=0\nCat7=-3\nCat36=2\nCat99=4\nCat2=1\n");
  CCurrentOptionChoices& choices = *prefs->GetAppDefaultOptionChoices()->GetOptionChoices();
  EXPECT_EQ(choices.GetChoice(1), 2);
  EXPECT_EQ(choices.GetChoice(2), 1);
  EXPECT_EQ(choices.GetChoice(3), 0) << "a pair the catalogue lacks sets nothing";
  EXPECT_EQ(choices.GetChoice(36), 2);
  EXPECT_EQ(ini["DefaultOptions"], (CIniEntries{{"Cat1", "2"}, {"Cat36", "2"}, {"Cat99", "4"}, {"Cat2", "1"}}))
      << "keys of categories without a choice are removed; unknown categories are left";

  choices.SetChoice(1, 0);
  choices.SetChoice(4, 1);
  EXPECT_TRUE(prefs->GetAppDefaultOptionChoices()->Save());
  ini = ParseIni(config.ReadProfile());
  EXPECT_EQ(ini["DefaultOptions"], (CIniEntries{{"Cat36", "2"}, {"Cat99", "4"}, {"Cat2", "1"}, {"Cat4", "1"}}));
}

TEST_F(PrefsTest, AFailedWriteStopsTheSaveWhereItHappened)
{
  // Learn where the third "Misc" key starts in a complete profile ...
  RoundTrip("");
  std::string full = config.ReadProfile();
  size_t limit = full.find("DXFTranslationUnit=");
  ASSERT_NE(limit, std::string::npos);
  config.WriteProfile("");
  Restart();
  CAppPrefs fresh;
  fresh.Load();

  // ... and let no file grow beyond it, so that exactly that write fails.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = limit;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool thrown = false;
  try {
    fresh.Save();
  } catch (const CAppFatalException& e) {
    thrown = true;
    EXPECT_EQ(e.file, "Miscprf");
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_TRUE(thrown);
  EXPECT_EQ(config.ReadProfile(), full.substr(0, limit));
  EXPECT_EQ(full.substr(0, limit).find("ExportToDXF"), std::string::npos);
}

}  // namespace
