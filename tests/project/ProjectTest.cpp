// Guards the project's rules below the Qt line: what the host is told when stored designs change,
// the questions of storing the edited design, a store that fails (memory running out at any
// allocation of it too), the modified state by CRC, and who may read a copy of the project.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/core/Filemsg.h"
#include "platform/core/Umask.h"
#include "support/HeapFault.h"
#include "project/DocTestSupport.h"
#include "project/TempDir.h"
#include "project/TestItems.h"
#include "project/Project.h"
#include "support/Exceptn.h"

namespace {

// Records what the project tells and asks; its own bookkeeping never takes a failing allocation.
class CRecordingHost : public CProjectHost
{
public:
  Answer AskStoreChanges(const CString& name, BOOL) override
  {
    const Answer answer = Next("store " + std::string(name.c_str()));
    if (failAfterQuestion >= 0)
      heapfault::FailAfter(failAfterQuestion);
    return answer;
  }
  Answer AskReplace(const CString& name, BOOL) override { return Next("replace " + std::string(name.c_str())); }
  void ReportUnreadable(const CString& name) override { Record("unreadable " + std::string(name.c_str())); }
  void ReportNotStored(const CString& name, std::exception_ptr failure) override
  {
    heapfault::CPause pause;
    events.push_back("not stored " + std::string(name.c_str()) + ": " + FileFailureReason(failure).c_str());
  }
  void OnDesignAdded(const CString& name) override { Record("added " + std::string(name.c_str())); }
  void OnDesignDeleting(const CString& name) override { Record("deleting " + std::string(name.c_str())); }
  void OnDesignRenamed(const CString& from, const CString& to) override
  {
    heapfault::CPause pause;
    events.push_back("renamed " + std::string(from.c_str()) + " " + to.c_str());
  }

  std::vector<std::string> events;
  std::vector<Answer> answers;
  // At or above 0: the allocation after that many more, once the store question is answered, fails.
  long failAfterQuestion = -1;

private:
  void Record(const std::string& event)
  {
    heapfault::CPause pause;
    events.push_back(event);
  }
  Answer Next(const std::string& question)
  {
    heapfault::CPause pause;
    events.push_back(question);
    Answer answer = answers.empty() ? answerCancel : answers.front();
    if (!answers.empty())
      answers.erase(answers.begin());
    return answer;
  }
};

// The "Store New Design" dialog's answers, after which an allocation fails when asked to.
class CFailingAfterNameServices : public CFakeDocServices
{
public:
  BOOL AskNewDesignName(CString& name, BOOL allowCancel) override
  {
    BOOL answered = FALSE;
    {
      heapfault::CPause pause;
      answered = CFakeDocServices::AskNewDesignName(name, allowCancel);
    }
    if (failAfterName >= 0)
      heapfault::FailAfter(failAfterName);
    return answered;
  }

  long failAfterName = -1;
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

// A copy of the project (a recovery copy) is readable by no more people than the project's file,
// whatever the umask: it takes the file's mode as it stands, changed since the save too, and an
// unnamed project's copy is its owner's only.
TEST_F(ProjectTest, ACopyIsReadableByNoMoreThanTheProjectFile)
{
  const CUmask none(0);
  CTempDir dir;
  const auto modeOf = [](const std::string& path) {
    struct stat st
    {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 07777u;
  };
  project.AddDesign(MakeStore("Bay"));
  const std::string unnamed = dir.Path("Proj1.recovered.tpf");
  project.SaveCopy(unnamed.c_str());
  EXPECT_EQ(modeOf(unnamed), 0600u) << "an unnamed project's copy has mode 0" << std::oct << modeOf(unnamed);
  const std::string path = dir.Path("house.tpf");
  project.Save(path.c_str());
  for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0604}}) {
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    const std::string copy = dir.Path("house.recovered-" + std::to_string(mode) + ".tpf");
    project.SaveCopy(copy.c_str());
    EXPECT_EQ(modeOf(copy), mode) << std::oct << "the copy of a project file of mode 0" << mode << " has mode 0"
                                  << modeOf(copy);
  }
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

// Memory running out at each allocation in turn: where the edited design is made new (the design,
// its snapshot), and where a store goes on after its question (the candidate with a new name, the
// copies the list and the snapshot take, the list's place and name index). Each is told as a store
// that failed, in the words a failed candidate gets, and changes nothing: the stored designs, the
// edited design with its name and items, and its snapshot stay as they were. The store after it
// succeeds.
TEST_F(ProjectTest, MemoryRunningOutAsADesignIsMadeOrStoredIsToldAndChangesNothing)
{
  CTestItemAccess access;
  CFailingAfterNameServices naming;
  project.AddDesign(MakeStore("Bay"));
  ASSERT_TRUE(project.EditStoredDesign(0));
  const std::string memory = std::string(": ") + std::strerror(ENOMEM);
  // Runs the step with the allocation after `passes` more failing, armed here at 0 or more, else
  // by the step's own question or name; what the step gave, and whether the failure came.
  struct CAttempt
  {
    BOOL result;
    bool fired;
    long counted;
  };
  const auto attempt = [](long passes, const std::function<BOOL()>& step) {
    if (passes >= 0)
      heapfault::FailAfter(passes);
    const BOOL result = step();
    const CAttempt done{result, heapfault::Fired(), heapfault::Counted()};
    heapfault::Disarm();
    return done;
  };

  // Each step run once where no allocation fails, on a project made as this one, counts what
  // bounds its passes: a step that still fails one well past that (as where a failure swallowed
  // leaves it making more each time) ends the test there instead of running on.
  constexpr long kNever = std::numeric_limits<long>::max();
  long clean[3] = {};
  {
    CRecordingHost cleanHost;
    CProject cleanProject{cleanHost};
    cleanProject.AddDesign(MakeStore("Bay"));
    ASSERT_TRUE(cleanProject.EditStoredDesign(0));
    clean[0] = attempt(kNever, [&] { return cleanProject.NewEditedDesign(); }).counted;
    cleanProject.GetEditedDesign()->GetItemList().AddTail(new CDesignItem(CDesignItemAccess::unitItem));
    cleanHost.answers = {CProjectHost::answerYes};
    naming.nameAnswers = {"Hall"};
    naming.failAfterName = kNever;
    clean[1] = attempt(-1, [&] { return cleanProject.StoreEditedDesign(TRUE, TRUE); }).counted;
    naming.failAfterName = -1;
    cleanProject.GetEditedDesign()->GetDesignData().SetQuantity(10);
    cleanHost.answers = {CProjectHost::answerYes};
    cleanHost.failAfterQuestion = kNever;
    clean[2] = attempt(-1, [&] { return cleanProject.StoreEditedDesign(TRUE, TRUE); }).counted;
    ASSERT_EQ(cleanProject.GetDesignCount(), 2) << "the clean run stored its design";
  }
  const auto withinCleanRun = [](long passes, long counted) {
    if (passes <= 2 * counted + 16)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "allocation " << passes << " still fails, past twice the " << counted
                                         << " a clean run makes: is a failure swallowed?";
  };

  const CDesign* pBay = project.GetEditedDesign();
  const DWORD bayCrc = project.GetEditedDesignSnapshot().GetCRC();
  long failures = 0;
  for (long passes = 0;; ++passes) {
    ASSERT_TRUE(withinCleanRun(passes, clean[0]));
    host.events.clear();
    const auto [made, fired, counted] = attempt(passes, [&] { return project.NewEditedDesign(); });
    if (!fired) {
      EXPECT_TRUE(made);
      break;
    }
    ++failures;
    EXPECT_FALSE(made) << passes;
    EXPECT_EQ(host.events, std::vector<std::string>{"not stored Unnamed" + memory}) << passes;
    EXPECT_EQ(project.GetEditedDesign(), pBay) << passes;
    EXPECT_EQ(project.GetEditedDesignSnapshot().GetCRC(), bayCrc) << passes;
  }
  EXPECT_GE(failures, 3) << "the design, its snapshot's file and block";
  ASSERT_NE(project.GetEditedDesign(), pBay);

  // Yes to the question, then a new name: the design is added.
  project.GetEditedDesign()->GetItemList().AddTail(new CDesignItem(CDesignItemAccess::unitItem));
  const DWORD newCrc = project.GetEditedDesignSnapshot().GetCRC();
  failures = 0;
  for (long passes = 0;; ++passes) {
    ASSERT_TRUE(withinCleanRun(passes, clean[1]));
    host.events.clear();
    host.answers = {CProjectHost::answerYes};
    naming.nameAnswers = {"Hall"};
    naming.failAfterName = passes;
    const auto [stored, fired, counted] = attempt(-1, [&] { return project.StoreEditedDesign(TRUE, TRUE); });
    if (!fired) {
      EXPECT_TRUE(stored);
      EXPECT_EQ(host.events, (std::vector<std::string>{"store Unnamed", "added Hall"}));
      break;
    }
    ++failures;
    EXPECT_FALSE(stored) << passes;
    EXPECT_EQ(host.events, (std::vector<std::string>{"store Unnamed", "not stored Hall" + memory})) << passes;
    EXPECT_EQ(project.GetDesignCount(), 1) << passes;
    EXPECT_TRUE(project.GetEditedDesign()->GetName().IsEmpty()) << passes;
    EXPECT_EQ(project.GetEditedDesign()->GetItemList().GetCount(), 1) << passes;
    EXPECT_EQ(project.GetEditedDesignSnapshot().GetCRC(), newCrc) << passes;
  }
  naming.failAfterName = -1;
  EXPECT_GE(failures, 4) << "the candidate, the record, its block, the snapshot's block";
  ASSERT_EQ(project.GetDesignCount(), 2);
  EXPECT_EQ(project.GetEditedDesignIndex(), 1);

  // Yes to the question of a stored design: the design is stored over its record, or the record
  // stays whole.
  failures = 0;
  for (long passes = 0;; ++passes) {
    ASSERT_TRUE(withinCleanRun(passes, clean[2]));
    project.GetEditedDesign()->GetDesignData().SetQuantity(static_cast<int>(10 + passes));
    const DWORD hallCrc = project.GetStoredDesigns().GetAt(1)->GetCRC();
    host.events.clear();
    host.answers = {CProjectHost::answerYes};
    host.failAfterQuestion = passes;
    const auto [stored, fired, counted] = attempt(-1, [&] { return project.StoreEditedDesign(TRUE, TRUE); });
    if (stored) {
      EXPECT_EQ(host.events, (std::vector<std::string>{"store Hall", "renamed Hall Hall"})) << passes;
      EXPECT_NE(project.GetStoredDesigns().GetAt(1)->GetCRC(), hallCrc) << passes;
      EXPECT_EQ(project.GetEditedDesignSnapshot().GetCRC(), project.GetStoredDesigns().GetAt(1)->GetCRC()) << passes;
      EXPECT_EQ(project.FindDesign("hall"), 1) << passes;
    } else {
      ++failures;
      EXPECT_EQ(host.events, (std::vector<std::string>{"store Hall", "not stored Hall" + memory})) << passes;
      EXPECT_EQ(project.GetStoredDesigns().GetAt(1)->GetCRC(), hallCrc) << passes;
      EXPECT_EQ(project.GetEditedDesignSnapshot().GetCRC(), hallCrc) << passes;
    }
    if (!fired) {
      EXPECT_TRUE(stored);
      break;
    }
  }
  host.failAfterQuestion = -1;
  EXPECT_GE(failures, 2) << "the snapshot's block, the record's block";
  EXPECT_EQ(project.GetDesignCount(), 2);
}
