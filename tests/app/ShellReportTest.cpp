// Guards the application's report generators: one of each kind for the life of the program, and
// report headers showing the company of the user's preferences.
#include "ShellTestApp.h"
#include "app/App.h"
#include "document/Doc.h"
#include "reports/Rptcont.h"

namespace {

class ShellReportTest : public ShellTest
{};

TEST_F(ShellReportTest, ApplicationOwnsOneGeneratorOfEachReport)
{
  ASSERT_TRUE(Start());
  CApp& app = ShellApp();
  CScheduleReportGenerator* pSchedule = app.GetScheduleReportGenerator();
  CUnitInfoReportGenerator* pUnitInfo = app.GetUnitInfoReportGenerator();
  EXPECT_EQ(pSchedule, app.GetScheduleReportGenerator());
  EXPECT_EQ(pSchedule->GetTitle(), "Window and Patio Door Schedule");
  EXPECT_EQ(pUnitInfo->GetTitle(), "Unit Information Report");

  app.GetAppPrefs().GetUserLicenseInfo()->SetCompany("Harbor Glass Co.");
  CDoc* pDoc = ActiveProject();
  ASSERT_NE(pDoc, nullptr);
  CReportContent content(*pSchedule);
  content.Generate(pDoc, 0);
  EXPECT_EQ(content.GetRows().m_strCompanyName, "Harbor Glass Co.");
  EXPECT_EQ(content.GetRows().m_strProjectName, pDoc->GetProjectName());
}

}  // namespace
