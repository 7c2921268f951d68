// Guards the plan section: which lines and arcs it draws, their categories and their order, for
// the default records and for each kind of panel.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Plansect.h"
#include "support/ComExcpt.h"

namespace {

struct Seg
{
  int category;
  double x0, y0, x1, y1;
};

std::vector<Seg> Lines(const CVRX2DEntityArray& out)
{
  std::vector<Seg> result;
  for (int i = 0; i < out.GetSize(); ++i) {
    const CVRX2DEntity* e = out.GetAt(i);
    if (e->GetType() != VRX_LINE)
      continue;
    const auto* l = static_cast<const CVRX2DLine*>(e);
    result.push_back({l->GetCategory(), l->GetStartPoint().GetX(), l->GetStartPoint().GetY(), l->GetEndPoint().GetX(),
                      l->GetEndPoint().GetY()});
  }
  return result;
}

void ExpectLines(const std::vector<Seg>& actual, const std::vector<Seg>& expected)
{
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i));
    EXPECT_EQ(actual[i].category, expected[i].category);
    EXPECT_DOUBLE_EQ(actual[i].x0, expected[i].x0);
    EXPECT_DOUBLE_EQ(actual[i].y0, expected[i].y0);
    EXPECT_DOUBLE_EQ(actual[i].x1, expected[i].x1);
    EXPECT_DOUBLE_EQ(actual[i].y1, expected[i].y1);
  }
}

CVRX2DEntityArray Section(const CPlanSectionSwitches& switches, const CPlanSectionPreferences& preferences,
                          const CPlanSectionUnitDimensions& dimensions)
{
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  CVRX2DEntityArray out;
  section.GetEntities(out);
  return out;
}

TEST(PlansectTest, DefaultSectionDrawsWallReturnsEndsJambsAndOnePanel)
{
  CPlanSection section;
  EXPECT_EQ(section.GetWallDepth(), 4.0);
  CVRX2DEntityArray out;
  out.Add(new CVRX2DLine(1, CVRX2DPoint(), CVRX2DPoint(1, 1)));  // replaced
  section.GetEntities(out);
  ExpectLines(Lines(out), {
                              {21, -4, 12, 0, 12},
                              {21, 0, 0, -4, 0},  // start return
                              {56, 0, 12, 0, 0},  // start wall end
                              {52, 0, 8, 2, 8},
                              {52, 2, 4, 0, 4},
                              {52, 2, 8, 2, 4},
                              {52, 0, 4, 0, 8},   // start jamb, band 4..8
                              {53, 2, 6, 38, 6},  // the fixed panel
                              {52, 38, 8, 40, 8},
                              {52, 40, 4, 38, 4},
                              {52, 38, 8, 38, 4},
                              {52, 40, 4, 40, 8},   // finish jamb
                              {56, 40, 12, 40, 0},  // finish wall end
                              {21, 40, 12, 44, 12},
                              {21, 40, 0, 44, 0},  // finish return
                          });
  EXPECT_EQ(out.GetSize(), 15);
}

TEST(PlansectTest, SwitchesAddSillAndFaceLinesAndFullFrameWidth)
{
  CPlanSectionSwitches switches;
  switches.SillLinesOn = 1;
  switches.FrameLinesOn = 1;
  switches.FullFrameWidthOn = 1;
  CPlanSectionPreferences preferences;
  preferences.m_bStartReturnOn = 0;
  preferences.m_bFinishEndOn = 0;
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dStartOffset = 10.0;
  ExpectLines(Lines(Section(switches, preferences, dimensions)), {
                                                                     {56, 10, 12, 10, 0},
                                                                     {55, 10, 0, 50, 0},
                                                                     {55, 10, 12, 50, 12},
                                                                     {52, 10, 12, 12, 12},
                                                                     {52, 12, 0, 10, 0},
                                                                     {52, 12, 12, 12, 0},
                                                                     {52, 10, 0, 10, 12},
                                                                     {52, 12, 12, 50, 12},
                                                                     {52, 12, 0, 50, 0},
                                                                     {53, 12, 6, 48, 6},
                                                                     {52, 48, 12, 50, 12},
                                                                     {52, 50, 0, 48, 0},
                                                                     {52, 48, 12, 48, 0},
                                                                     {52, 50, 0, 50, 12},
                                                                 });
}

TEST(PlansectTest, PositionModesPlaceTheBand)
{
  CPlanSectionSwitches switches;
  CPlanSectionPreferences preferences;
  preferences.m_bStartEndOn = preferences.m_bFinishEndOn = 0;
  preferences.m_bStartReturnOn = preferences.m_bFinishReturnOn = 0;
  preferences.m_FrameOffsetType = CPlanSectionPreferences::fotFaceOfFrame;
  preferences.m_dSpanInches = 2.0;
  CPlanSectionUnitDimensions dimensions;
  EXPECT_DOUBLE_EQ(Lines(Section(switches, preferences, dimensions))[4].y0, 4.0);  // panel at 2 + 2
  preferences.m_FrameOffsetType = CPlanSectionPreferences::fotInstallationFlange;
  EXPECT_DOUBLE_EQ(Lines(Section(switches, preferences, dimensions))[4].y0, 2.5);
  preferences.m_FrameOffsetType = 3;
  try {
    Section(switches, preferences, dimensions);
    ADD_FAILURE() << "no exception";
  } catch (const CCommonException& e) {
    EXPECT_EQ(e.file, "Plansect");
    EXPECT_EQ(e.line, 250);
  }
}

TEST(PlansectTest, NarrowUnitIsOneFramePiece)
{
  CPlanSectionSwitches switches;
  switches.FrameLinesOn = 1;
  CPlanSectionPreferences preferences;
  preferences.m_bStartReturnOn = preferences.m_bFinishReturnOn = 0;
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = 3.5;
  ExpectLines(Lines(Section(switches, preferences, dimensions)), {
                                                                     {56, 0, 12, 0, 0},
                                                                     {52, 0, 8, 3.5, 8},
                                                                     {52, 3.5, 4, 0, 4},
                                                                     {52, 3.5, 8, 3.5, 4},
                                                                     {52, 0, 4, 0, 8},
                                                                     {56, 3.5, 12, 3.5, 0},
                                                                 });
}

CPlanSectionPreferences NoWall()
{
  CPlanSectionPreferences preferences;
  preferences.m_bStartEndOn = preferences.m_bFinishEndOn = 0;
  preferences.m_bStartReturnOn = preferences.m_bFinishReturnOn = 0;
  return preferences;
}

TEST(PlansectTest, FixedPanelsWithAPositionAreSplitByAMullion)
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelCount = 2;
  dimensions.m_dPanelPositions[0] = 20.0;
  const std::vector<Seg> lines = Lines(Section(CPlanSectionSwitches(), NoWall(), dimensions));
  ASSERT_EQ(lines.size(), 14u);
  ExpectLines({lines.begin() + 4, lines.begin() + 10}, {
                                                           {53, 2, 6, 19, 6},  // 20 - 1 mullion half - 2 frame
                                                           {53, 19, 8, 21, 8},
                                                           {53, 21, 4, 19, 4},
                                                           {53, 21, 8, 21, 4},
                                                           {53, 19, 4, 19, 8},
                                                           {53, 21, 6, 38, 6},
                                                       });
}

TEST(PlansectTest, AdjacentSlidingPanelsLeaveAGapAndNoMullion)
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelCount = 2;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkSlidingPlusY;
  dimensions.m_nPanelKinds[1] = CPlanSectionUnitDimensions::pkSlidingPlusY;
  dimensions.m_dPanelPositions[0] = 20.0;
  CPlanSectionSwitches switches;
  switches.GlassLines = 2;
  const std::vector<Seg> lines = Lines(Section(switches, NoWall(), dimensions));
  ASSERT_EQ(lines.size(), 12u);
  ExpectLines({lines.begin() + 4, lines.begin() + 8},
              {
                  {53, 2, 7, 19, 7},
                  {53, 2, 6, 19, 6},  // 20 - 2 frame - 1 half gap; sash 1.0 off the centre
                  {53, 21, 7, 38, 7},
                  {53, 21, 6, 38, 6},  // after the 2.0 gap centred on 20
              });
  dimensions.m_dPanelPositions[0] = -1.0;
  try {
    Section(switches, NoWall(), dimensions);
    ADD_FAILURE() << "no exception";
  } catch (const CCommonException& e) {
    EXPECT_EQ(e.file, "Plansect");
    EXPECT_EQ(e.line, 530);
  }
}

TEST(PlansectTest, HingedPairMeetsWithoutMullionAndSwingsBothWays)
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelCount = 2;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkHinged0To90;
  dimensions.m_nPanelKinds[1] = CPlanSectionUnitDimensions::pkHinged90To180;
  dimensions.m_dPanelPositions[0] = 20.0;
  CVRX2DEntityArray out = Section(CPlanSectionSwitches(), NoWall(), dimensions);
  ASSERT_EQ(out.GetSize(), 4 + 2 + 2 + 4);
  const std::vector<Seg> lines = Lines(out);
  ExpectLines({lines.begin() + 4, lines.begin() + 6},
              {
                  {53, 2, 8, 2, 26},    // open sash of 18 at the hinge on the band edge
                  {53, 38, 8, 38, 26},  // the second panel takes the remaining 18 and hinges at its end
              });
  const auto* first = static_cast<const CVRX2DArc*>(out.GetAt(5));
  ASSERT_EQ(first->GetType(), VRX_ARC);
  EXPECT_DOUBLE_EQ(first->GetMajorRadius(), 18.0);
  EXPECT_NEAR(first->GetStartAngle().GetRadians(), 0.0, 1e-12);
  EXPECT_NEAR(first->GetEndAngle().GetRadians(), VRX_HALF_PI, 1e-12);
  const auto* second = static_cast<const CVRX2DArc*>(out.GetAt(7));
  EXPECT_NEAR(second->GetStartAngle().GetRadians(), VRX_HALF_PI, 1e-12);
  EXPECT_NEAR(second->GetEndAngle().GetRadians(), VRX_PI, 1e-12);
}

TEST(PlansectTest, TwoGlassLinesGiveAHingedSashItsSecondFace)
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_nPanelKinds[0] = CPlanSectionUnitDimensions::pkHinged0To90;
  dimensions.m_dPlanWidth = 10.0;
  CPlanSectionSwitches switches;
  switches.GlassLines = 2;
  switches.FrameOn = 0;
  const std::vector<Seg> lines = Lines(Section(switches, NoWall(), dimensions));
  ASSERT_EQ(lines.size(), 2u);
  // Hinge on the centre line plus half the glass; the face meets the arc of radius 10.
  ExpectLines(lines, {{53, 0, 6.5, 0, 16.5}, {53, 1, 6.5, 1, 6.5 + std::sqrt(99.0)}});
}

TEST(PlansectTest, PreferencesCopyEveryField)
{
  CPlanSectionPreferences a;
  a.m_bFinishReturnOn = 0;
  a.m_FrameOffsetType = 2;
  a.m_dSpanInches = 3.25;
  a.m_dWallThickness = 8.0;
  CPlanSectionPreferences b(a);
  EXPECT_EQ(b.m_bFinishReturnOn, 0);
  EXPECT_EQ(b.m_FrameOffsetType, 2);
  EXPECT_EQ(b.m_dSpanInches, 3.25);
  EXPECT_EQ(b.m_dWallThickness, 8.0);
  CPlanSectionSwitches switches;
  EXPECT_EQ(switches.SillLinesOn, 0);
  EXPECT_EQ(switches.FrameOn, 1);
  EXPECT_EQ(switches.FrameLinesOn, 0);
  EXPECT_EQ(switches.FullFrameWidthOn, 0);
  EXPECT_EQ(switches.GlassLines, 1);
}

}  // namespace
