// Guards the project's rules below the Qt line: what the host is told when stored designs change,
// the questions of storing the edited design, a store that fails, and the modified state by CRC.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/Filemsg.h"
#include "project/DocTestSupport.h"
#include "project/TestItems.h"
#include "project/Project.h"
#include "support/Exceptn.h"

namespace {

class CRecordingHost : public CProjectHost
{
public:
  Answer AskStoreChanges(const CString& name, BOOL) override { return Next("store " + std::string(name.c_str())); }
  Answer AskReplace(const CString& name, BOOL) override { return Next("replace " + std::string(name.c_str())); }
  void ReportUnreadable(const CString& name) override { events.push_back("unreadable " + std::string(name.c_str())); }
  void ReportNotStored(const CString& name, std::exception_ptr failure) override
  {
    events.push_back("not stored " + std::string(name.c_str()) + ": " + FileFailureReason(failure).c_str());
  }
  void OnDesignAdded(const CString& name) override { events.push_back("added " + std::string(name.c_str())); }
  void OnDesignDeleting(const CString& name) override { events.push_back("deleting " + std::string(name.c_str())); }
  void OnDesignRenamed(const CString& from, const CString& to) override
  {
    events.push_back("renamed " + std::string(from.c_str()) + " " + to.c_str());
  }

  std::vector<std::string> events;
  std::vector<Answer> answers;

private:
  Answer Next(const std::string& question)
  {
    events.push_back(question);
    Answer answer = answers.empty() ? answerCancel : answers.front();
    if (!answers.empty())
      answers.erase(answers.begin());
    return answer;
  }
};

CDesignStore MakeStore(const char* name)
{
  CDesign design;
  design.SetName(name);
  CDesignStore store;
  store.Store(&design);
  return store;
}

class ProjectTest : public CatalogueTest
{
protected:
  CRecordingHost host;
  CProject project{host};
};

}  // namespace

TEST_F(ProjectTest, TheHostHearsOfEveryChangeToTheStoredDesigns)
{
  project.AddDesign(MakeStore("Bay"));
  project.AddDesign(MakeStore("Hall"));
  EXPECT_THROW(project.AddDesign(MakeStore("bay")), CAppException) << "names are unique without regard to case";
  project.ReplaceDesign(MakeStore("Den"), 0);
  EXPECT_TRUE(project.RenameDesign(1, "Porch"));
  project.DeleteDesign(0);
  EXPECT_EQ(host.events, (std::vector<std::string>{"added Bay", "added Hall", "renamed Bay Den", "renamed Hall Porch",
                                                   "deleting Den"}));
  EXPECT_EQ(project.GetDesignCount(), 1);
  EXPECT_EQ(project.GetDesignName(0), "Porch");
}

TEST_F(ProjectTest, StoringAnUnnamedDesignAsksAndTakesTheDefaultName)
{
  services.nameAnswers = {"Unit Type A"};
  project.NewEditedDesign();
  project.GetEditedDesign()->GetDesignData().SetQuantity(4);
  host.answers = {CProjectHost::answerYes};
  EXPECT_TRUE(project.StoreEditedDesign(TRUE, TRUE));
  EXPECT_EQ(services.askedNames, (std::vector<CString>{"Unit Type A"}));
  EXPECT_EQ(host.events, (std::vector<std::string>{"store Unnamed", "added Unit Type A"}));
  EXPECT_EQ(project.GetEditedDesignIndex(), 0);
  EXPECT_EQ(project.GetNewDesignName(), "Unit Type B");

  host.events.clear();
  project.GetEditedDesign()->GetDesignData().SetQuantity(5);
  EXPECT_FALSE(project.StoreEditedDesign(TRUE, TRUE)) << "cancelled";
  EXPECT_EQ(host.events, (std::vector<std::string>{"store Unit Type A"}));
}

TEST_F(ProjectTest, TheModifiedStateFollowsTheSerializedProject)
{
  project.TakeChecksum();
  EXPECT_FALSE(project.HasChanged());
  project.AddDesign(MakeStore("Bay"));
  EXPECT_TRUE(project.HasChanged());
  EXPECT_FALSE(project.HasChanged()) << "the changed state was taken";
  project.GetProjectData().SetProjectName("Lakeside");
  EXPECT_TRUE(project.HasChanged());
}

TEST_F(ProjectTest, StoringWithoutTheQuestionKeepsAViewOnlyChangeAndClosingLeavesIt)
{
  project.AddDesign(MakeStore("Bay"));
  ASSERT_TRUE(project.EditStoredDesign(0));
  const CDesignStore& stored = *project.GetStoredDesigns().GetAt(0);
  const CTime modified = stored.GetModified();
  const DWORD crc = stored.GetCRC();
  project.TakeChecksum();
  CDesignData& data = project.GetEditedDesign()->GetDesignData();
  data.SetScaleFactor(0.125);
  data.SetScrollPosition(CPoint(40, 75));
  data.SetWindowRect(CRect(10, 20, 610, 420));
  host.events.clear();
  // Closing does not ask about a view and keeps none.
  EXPECT_TRUE(project.StoreEditedDesign(TRUE, TRUE));
  EXPECT_EQ(stored.GetScaleFactor(), 0.0);
  EXPECT_FALSE(project.HasChanged());
  // The Store command keeps it, without a question and without touching the design or its times.
  EXPECT_TRUE(project.StoreEditedDesign(FALSE, TRUE));
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(stored.GetScaleFactor(), 0.125);
  EXPECT_EQ(stored.GetScrollPosition(), CPoint(40, 75));
  EXPECT_EQ(stored.GetWindowRect(), CRect(10, 20, 610, 420));
  EXPECT_EQ(stored.GetModified(), modified);
  EXPECT_EQ(stored.GetCRC(), crc);
  EXPECT_TRUE(project.HasChanged()) << "the project file has a view to save";
  EXPECT_EQ(project.GetEditedDesignSnapshot().GetScaleFactor(), 0.125);
  EXPECT_TRUE(project.StoreEditedDesign(FALSE, TRUE));
  EXPECT_FALSE(project.HasChanged()) << "the same view again changes nothing";
}

// A design whose store fails (a full disk's error, say) is not stored, named or asked about: the
// host hears why, the stored design and the edited one stay as they were, and the next store that
// succeeds stores it. A comparison that cannot store the design is told alike and finds it
// changed. The recovery copy's keep still throws, for its report to name what it lost.
TEST_F(ProjectTest, AStoreThatFailsIsToldAndLeavesTheStoredAndTheEditedDesignAsTheyWere)
{
  CTestItemAccess access;
  project.AddDesign(MakeStore("Bay"));
  ASSERT_TRUE(project.EditStoredDesign(0));
  const DWORD crc = project.GetStoredDesigns().GetAt(0)->GetCRC();
  auto* pItem = new CDesignItem(CDesignItemAccess::unitItem);
  pItem->storeError = ENOSPC;
  project.GetEditedDesign()->GetItemList().AddTail(pItem);
  const std::string told = std::string("not stored Bay: ") + std::strerror(ENOSPC);
  for (const BOOL ask : {FALSE, TRUE}) {
    host.events.clear();
    host.answers = {CProjectHost::answerYes};
    EXPECT_FALSE(project.StoreEditedDesign(ask, TRUE)) << ask;
    EXPECT_EQ(host.events, std::vector<std::string>{told}) << ask;
    EXPECT_EQ(project.GetStoredDesigns().GetAt(0)->GetCRC(), crc) << ask;
    EXPECT_EQ(project.GetEditedDesign()->GetItemList().GetCount(), 1) << ask;
  }
  EXPECT_THROW(project.KeepEditedDesign(), CFileException);
  EXPECT_EQ(project.GetStoredDesigns().GetAt(0)->GetCRC(), crc);
  // The comparison with the snapshot (before the untouched first project is closed) is told the
  // same way, and counts the design as changed.
  host.events.clear();
  EXPECT_FALSE(project.IsEditedDesignAsStored());
  EXPECT_EQ(host.events, std::vector<std::string>{told});

  // An unnamed design fails before it is named.
  project.NewEditedDesign();
  auto* pNew = new CDesignItem(CDesignItemAccess::unitItem);
  pNew->storeError = ENOSPC;
  project.GetEditedDesign()->GetItemList().AddTail(pNew);
  host.events.clear();
  EXPECT_FALSE(project.StoreEditedDesign(FALSE, TRUE));
  EXPECT_EQ(host.events, std::vector<std::string>{std::string("not stored Unnamed: ") + std::strerror(ENOSPC)});
  EXPECT_TRUE(services.askedNames.empty());
  EXPECT_EQ(project.GetDesignCount(), 1);

  pNew->storeError = 0;
  services.nameAnswers = {"Hall"};
  host.events.clear();
  EXPECT_TRUE(project.StoreEditedDesign(FALSE, TRUE));
  EXPECT_EQ(host.events, std::vector<std::string>{"added Hall"});
}
