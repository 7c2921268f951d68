// Closing the main window asks about a changed design once, keeps everything open when the
// question is cancelled, and stores the window rectangle only when the close goes on; closing
// the last project disables the project commands; activating a project's design list brings
// its windows forward and sends the other project's away.
#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/View.h"

namespace
{
const char kStoreQuestion[] = "Store changes to design 'Unnamed' in the project?";

BOOL IsShown(CView* pView)
{
  return pView && pView->GetParentFrame()->IsWindowVisible();
}

class CloseTest : public ShellTest
{
protected:
  void SetUp() override
  {
    ShellTest::SetUp();
    ASSERT_TRUE(Start());
    m_pDoc = ActiveProject();
    ASSERT_NE(m_pDoc, nullptr);
    m_pDoc->GetEditedDesign()->GetDesignData().SetQuantity(5);
  }

  int QuestionsAsked(const char* text) const
  {
    int count = 0;
    for (const CString& message : Messages())
      if (message == text)
        ++count;
    return count;
  }

  CRect SavedRect()
  {
    CRect rect;
    ShellApp().GetAppPrefs().GetMiscPrefs()->GetMainWindowRect(rect);
    return rect;
  }

  CDoc* m_pDoc = nullptr;
};
}  // namespace

TEST_F(CloseTest, CancellingTheDesignQuestionKeepsEverythingOpenAndTheOldRectangle)
{
  service.messageAnswers.push_back(IDCANCEL);
  MainFrame()->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(QuestionsAsked(kStoreQuestion), 1);
  ASSERT_NE(MainFrame(), nullptr);
  EXPECT_NE(MainFrame()->GetSafeHwnd(), nullptr);
  EXPECT_EQ(Projects().size(), 1u);
  EXPECT_NE(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(SavedRect(), CRect(0, 0, 0, 0));
}

TEST_F(CloseTest, AnsweringNoAsksOnlyOnceAndTheCloseGoesOn)
{
  CRect window;
  MainFrame()->GetWindowRect(&window);
  service.messageAnswers.push_back(IDNO);
  MainFrame()->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(QuestionsAsked(kStoreQuestion), 1);
  EXPECT_EQ(Messages().size(), 1u) << "the unchanged project needs no saving";
  EXPECT_EQ(SavedRect(), window);
  EXPECT_TRUE(Projects().empty());
}

TEST_F(CloseTest, TheApplicationsSaveStepAsksWhenTheMainFrameDidNot)
{
  service.messageAnswers.push_back(IDCANCEL);
  EXPECT_FALSE(ShellApp().SaveAllModified());
  EXPECT_EQ(QuestionsAsked(kStoreQuestion), 1);
}

TEST_F(CloseTest, ClosingTheLastProjectDisablesTheProjectCommands)
{
  EXPECT_TRUE(StateOf(ID_PROJECT_SETTINGS).enabled);
  service.messageAnswers.push_back(IDNO);
  Command(ID_FILE_CLOSE);
  ASSERT_TRUE(Projects().empty());
  EXPECT_FALSE(StateOf(ID_PROJECT_SETTINGS).enabled);
  for (UINT nID : {ID_VIEW_WORKBENCH, ID_VIEW_PLAN, ID_VIEW_SCHEDULE_REPORT}) {
    EXPECT_FALSE(StateOf(nID).enabled) << nID;
    EXPECT_EQ(StateOf(nID).checked, 0) << nID;
  }
}

TEST_F(CloseTest, ActivatingAProjectsDesignListShowsOnlyThatProjectsWindows)
{
  CDoc* pFirst = m_pDoc;
  Command(ID_SHOW_PLAN);
  ASSERT_TRUE(IsShown(pFirst->GetPlanView()));
  Command(ID_FILE_NEW);
  std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 2u);
  CDoc* pSecond = projects[1];
  ASSERT_NE(pSecond->GetWorkbenchView(), nullptr);

  MainFrame()->MDIActivate(pSecond->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_FALSE(IsShown(pFirst->GetWorkbenchView()));
  EXPECT_FALSE(IsShown(pFirst->GetPlanView()));
  EXPECT_TRUE(IsShown(pSecond->GetWorkbenchView()));

  MainFrame()->MDIActivate(pFirst->GetWarehouseView()->GetParentFrame());
  Pump();
  EXPECT_TRUE(IsShown(pFirst->GetWorkbenchView()));
  EXPECT_TRUE(IsShown(pFirst->GetPlanView()));
  EXPECT_FALSE(IsShown(pSecond->GetWorkbenchView()));
}
