// Guards how the project document keeps the warehouse's design list in step with its stored
// designs through view hints, and how it finds and talks to the views that show it.
#include <filesystem>

#include <QApplication>

#include "DocFixture.h"
#include "document/Dochints.h"
#include "document/Docviews.h"
#include "document/Whview.h"
#include "ui/dlg/Ctrls.h"
#include "ui/docview/View.h"
#include "support/Exceptn.h"

namespace {

class CQtEnvironment : public ::testing::Environment
{
public:
  void SetUp() override
  {
    static int argc = 1;
    static char name[] = "document_tests";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { m_app.reset(); }

private:
  std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const g_qt = ::testing::AddGlobalTestEnvironment(new CQtEnvironment);

// Stands in for the warehouse view: found by its class, it keeps its list box in step with the
// document's hints as the warehouse view does.
class CTestWarehouseView : public CView, public CDesignListOwner
{
public:
  CTestWarehouseView() { list.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 1); }
  const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM lHint, CObject* pHint) override
  {
    hints.push_back(static_cast<int>(lHint));
    CWarehouseView::UpdateDesignList(list, *static_cast<CDoc*>(GetDocument()), lHint, pHint);
  }
  BOOL CommitProjectName(BOOL tell) override
  {
    ++commits;
    told.push_back(tell);
    return acceptName || !tell;
  }

  static const CRuntimeClass runtimeClass;
  CListBox list;
  int commits = 0;
  std::vector<BOOL> told;
  BOOL acceptName = TRUE;
  std::vector<int> hints;
};
const CRuntimeClass CTestWarehouseView::runtimeClass = {"CTestWarehouseView", sizeof(CTestWarehouseView), 0xFFFF,
                                                        nullptr, RUNTIME_CLASS(CView)};

// Stands in for the Workbench view: it writes its quantity into the edited design when asked,
// and refuses its typed quantity when told to.
class CTestWorkbenchView : public CView, public CWorkbenchDataSource, public CTypedValuesHolder
{
public:
  explicit CTestWorkbenchView(CDoc& owner) : doc(owner) {}
  const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
  void OnDraw(CDC*) override {}
  void UpdateDesignWithWorkbenchData() override { doc.GetEditedDesign()->GetDesignData().SetQuantity(quantity); }
  BOOL TakeTypedValues() override
  {
    ++checks;
    return !refuse;
  }

  static const CRuntimeClass runtimeClass;
  CDoc& doc;
  int quantity = 9;
  BOOL refuse = FALSE;
  int checks = 0;
};
const CRuntimeClass CTestWorkbenchView::runtimeClass = {"CTestWorkbenchView", sizeof(CTestWorkbenchView), 0xFFFF,
                                                        nullptr, RUNTIME_CLASS(CView)};

std::vector<CString> Entries(CListBox& list)
{
  std::vector<CString> entries;
  for (int i = 0; i < list.GetCount(); ++i) {
    CString text;
    list.GetText(i, text);
    entries.push_back(text);
  }
  return entries;
}

class DocViewsTest : public DocTest
{
protected:
  void SetUp() override
  {
    DocTest::SetUp();
    CDoc::SetViewClass(CDoc::warehouseView, &CTestWarehouseView::runtimeClass);
    CDoc::SetViewClass(CDoc::workbenchView, &CTestWorkbenchView::runtimeClass);
    doc.AddView(&warehouse);
  }
  void TearDown() override
  {
    doc.RemoveView(&warehouse);
    DocTest::TearDown();
  }
  CDoc doc;
  CTestWarehouseView warehouse;
};

}  // namespace

TEST_F(DocViewsTest, TheDesignListFollowsAddRenameReplaceAndDelete)
{
  CListBox& list = warehouse.list;
  doc.AddDesign(MakeStore("Bay"));
  doc.AddDesign(MakeStore("Hall"));
  EXPECT_EQ(Entries(list), (std::vector<CString>{"Bay", "Hall"}));
  EXPECT_EQ(list.GetCurSel(), 1) << "the added entry is selected";
  EXPECT_EQ(warehouse.hints, (std::vector<int>{kHintDesignAdded, kHintDesignAdded}))
      << "the document tells its views, it does not edit their controls";

  EXPECT_TRUE(doc.RenameDesign(0, "Porch"));
  EXPECT_EQ(Entries(list), (std::vector<CString>{"Porch", "Hall"})) << "a renamed design keeps its place";
  EXPECT_EQ(list.GetCurSel(), 0);

  doc.ReplaceDesign(MakeStore("Den", 3), 1);
  EXPECT_EQ(Entries(list), (std::vector<CString>{"Porch", "Den"}));
  EXPECT_EQ(doc.GetDesignName(1), "Den");

  doc.DeleteDesign(0);
  EXPECT_EQ(Entries(list), (std::vector<CString>{"Den"}));

  list.ResetContent();
  EXPECT_THROW(doc.DeleteDesign(0), CAppException) << "an entry that is not in the list";
  EXPECT_EQ(doc.GetDesignCount(), 1);
  doc.FillDesignList();
  EXPECT_EQ(Entries(list), (std::vector<CString>{"Den"}));
}

TEST_F(DocViewsTest, ViewsAreFoundByClassAndTheWorkbenchIsAskedBeforeClosing)
{
  EXPECT_EQ(doc.GetWarehouseView(), &warehouse);
  EXPECT_EQ(doc.GetWorkbenchView(), nullptr);
  EXPECT_EQ(doc.GetScheduleReportView(), nullptr);

  CTestWorkbenchView workbench(doc);
  doc.AddView(&workbench);
  EXPECT_EQ(doc.GetWorkbenchView(), &workbench);
  doc.MoveViewToHead(&workbench);
  POSITION pos = doc.GetFirstViewPosition();
  EXPECT_EQ(doc.GetNextView(pos), &workbench);

  doc.NewEditedDesign();
  doc.GetEditedDesign()->SetName("Bay");
  dialogs.messageAnswers = {IDYES};
  EXPECT_TRUE(doc.OkToCloseEditedDesign());
  CDesign stored;
  doc.GetStoredDesigns().GetAt(0)->Retrieve(&stored);
  EXPECT_EQ(stored.GetQuantity(), 9) << "the Workbench's state was taken before storing";
  doc.RemoveView(&workbench);
}

// Every path that stores the edited design or saves the project goes through one check: a
// refused value stops it before any question and stores nothing; a recovery copy, with nobody to
// tell, keeps what it can without the check.
TEST_F(DocViewsTest, ARefusedTypedValueStopsStoringAndSavingBeforeAnyQuestion)
{
  CTestWorkbenchView workbench(doc);
  doc.AddView(&workbench);
  doc.NewEditedDesign();
  doc.GetEditedDesign()->SetName("Bay");
  workbench.refuse = TRUE;
  dialogs.messageAnswers = {IDYES};
  EXPECT_FALSE(doc.OkToCloseEditedDesign());
  EXPECT_EQ(doc.GetDesignCount(), 0);
  EXPECT_TRUE(dialogs.messages.empty()) << "no store question after a refusal";
  const std::string path = PathOf("refused.tpf");
  dialogs.filePaths = {path.c_str()};
  doc.OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, nullptr);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(dialogs.fileRequests.empty()) << "Save stops before asking for a name";

  // A refused project name stops the check before the Workbench is asked.
  workbench.refuse = FALSE;
  warehouse.acceptName = FALSE;
  const int checks = workbench.checks;
  EXPECT_FALSE(doc.TakeTypedValues());
  EXPECT_EQ(workbench.checks, checks);
  EXPECT_FALSE(doc.OkToCloseEditedDesign());
  EXPECT_EQ(doc.GetDesignCount(), 0);

  // A recovery copy tells nobody: the untold commit keeps the last name and the design is kept.
  warehouse.told.clear();
  EXPECT_TRUE(doc.KeepWhatIsShown());
  EXPECT_EQ(warehouse.told, (std::vector<BOOL>{FALSE}));
  ASSERT_EQ(doc.GetDesignCount(), 1);
  doc.RemoveView(&workbench);
}

TEST_F(DocViewsTest, CloseCommitsTheProjectNameAndReleasesTheFile)
{
  std::string path = PathOf("a.tpf");
  SaveProject(path, {"Bay"});
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
  doc.FillDesignList();
  EXPECT_EQ(Entries(warehouse.list), (std::vector<CString>{"Bay"}));
  doc.m_bAutoDelete = FALSE;
  doc.OnCmdMsg(ID_FILE_CLOSE, CN_COMMAND, nullptr);
  EXPECT_EQ(warehouse.commits, 1);
  EXPECT_FALSE(doc.IsProjectFileOpen());
  EXPECT_EQ(OpenMessage(path), "");
}
