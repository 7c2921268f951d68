// A fatal error keeps what the Workbench shows: the recovery copy holds the design being edited
// with a unit moved and one inserted since it was stored, and a new unnamed design as a design
// of its own. When the project's folder has gone, the copy goes to the documents folder, then to
// the temporary folder, and the report says where it went or that no folder could take it. A
// Workbench that cannot be taken is named in the report, and its design kept as last stored. A
// catalogue overwritten or cut short under the program refuses the designs it would open and ends
// nothing: the Workbench is still stored, saved, taken into the copy and left at the exit as
// shown. A store that fails is told (a save stopped by it says the project was not saved, a
// Workbench gone says what the project keeps), and the session goes on with the Workbench as it
// was, also where a file opens beside the first project or memory runs out as a design is made or
// stored.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include <QLineEdit>
#include <QTest>

#include "ChildRun.h"
#include "WbGuiFixture.h"
#include "WbTestReader.h"
#include "document/Whids.h"
#include "workbench/frame/Wbids.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Joinitem.h"
#include "app/Fatalrpt.h"
#include "app/Recovery.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "project/Docmsg.h"
#include "project/Project.h"
#include "support/Exceptn.h"
#include "support/HeapFault.h"

namespace {
namespace fs = std::filesystem;

const char kFolderVariable[] = "PANECRAFT_RECOVERY_FOLDER";
const char kCaseVariable[] = "PANECRAFT_RECOVERY_CASE";

// The child test in a process of its own, with its folder, its case and a temporary folder.
int RunChild(const char* testName, const std::string& folder, const char* what, const std::string& tmp)
{
  return RunThisTestInChild(testName, {std::string(kFolderVariable) + "=" + folder,
                                       std::string(kCaseVariable) + "=" + what, "TMPDIR=" + tmp});
}

// A unit whose store fails as on a full disk.
class CUnstorableUnitItem : public CUnitItem
{
public:
  using CUnitItem::CUnitItem;
  void Serialize(CArchive& ar) override
  {
    if (ar.IsStoring())
      throw CFileException(CFileException::diskFull, ENOSPC);
    CUnitItem::Serialize(ar);
  }
};

// A unit whose store, once asked to, leaves memory to run out at the next record of a stored
// design made: the list's copy of the design being stored.
class CRecordRunsOutUnitItem : public CUnitItem
{
public:
  using CUnitItem::CUnitItem;
  void Serialize(CArchive& ar) override
  {
    CUnitItem::Serialize(ar);
    if (ar.IsStoring() && armAtStore) {
      armAtStore = false;
      heapfault::FailNextOfSize(sizeof(CDesignStore));
    }
  }
  bool armAtStore = false;
};

void WriteInPlace(const std::string& path, const std::vector<unsigned char>& bytes)
{
  std::ofstream out(path, std::ios::binary | std::ios::in | std::ios::out);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Other bytes of the same length written over the file in place, the magic word kept so that what
// is read goes on to the tables; the bytes it held.
std::vector<unsigned char> OverwriteCatalogue(const std::string& catalogue)
{
  const std::vector<unsigned char> original = ReadFileBytes(catalogue);
  std::vector<unsigned char> other = original;
  unsigned seed = 1;
  for (size_t i = 4; i < other.size(); ++i) {
    seed = seed * 1103515245u + 12345u;
    other[i] = static_cast<unsigned char>(seed >> 16);
  }
  WriteInPlace(catalogue, other);
  return original;
}

// A reader of project files that nobody is asked anything by.
class CSilentHost : public CProjectHost
{
public:
  Answer AskStoreChanges(const CString&, BOOL) override { return answerNo; }
  Answer AskReplace(const CString&, BOOL) override { return answerNo; }
  void ReportUnreadable(const CString&) override {}
  void ReportNotStored(const CString&, std::exception_ptr) override {}
  void OnDesignAdded(const CString&) override {}
  void OnDesignDeleting(const CString&) override {}
  void OnDesignRenamed(const CString&, const CString&) override {}
};

class WbRecoveryTest : public WorkbenchGuiTest
{
protected:
  // The places of the Workbench's units, in the order of its list.
  std::vector<CVRX2DVector> UnitPlaces() const
  {
    std::vector<CVRX2DVector> places;
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;)
      if (auto* pItem = dynamic_cast<CUnitItem*>(View()->GetItemList()->GetNext(pos)))
        places.push_back(pItem->GetOffset());
    return places;
  }
  // The units of the design as the project file holds it are those given, each moved by dx.
  static void ExpectMovedBy(const std::string& path, const char* name, const std::vector<CVRX2DVector>& places,
                            double dx)
  {
    CSilentHost host;
    CProject project(host);
    project.Open(path.c_str());
    const int index = project.FindDesign(name);
    ASSERT_GE(index, 0);
    CDesign design;
    project.GetStoredDesigns().GetAt(index)->Retrieve(&design);
    std::vector<CVRX2DVector> stored;
    for (POSITION pos = design.GetItemList().GetHeadPosition(); pos;)
      if (auto* pItem = dynamic_cast<CUnitItem*>(design.GetItemList().GetNext(pos)))
        stored.push_back(pItem->GetOffset());
    project.CloseFile();
    ASSERT_EQ(stored.size(), places.size());
    for (size_t i = 0; i < places.size(); ++i) {
      EXPECT_DOUBLE_EQ(stored[i].GetX(), places[i].GetX() + dx) << i;
      EXPECT_DOUBLE_EQ(stored[i].GetY(), places[i].GetY()) << i;
    }
  }
  // A unit that cannot be stored, put on the Workbench.
  void AddUnstorableUnit()
  {
    auto* pItem = new CUnstorableUnitItem("GL", "BA005");
    pItem->GetUnit();
    View()->AddItem(pItem, TRUE);
    Pump();
  }
  CPoint Quarter(int x, int y) const
  {
    const CRect client = View()->GetClientRect();
    return CPoint(client.Width() * x / 4, client.Height() * y / 4);
  }
  // A glider stored as "Kitchen" (or a unit of another type under another name) and saved as
  // the folder's "Lake House.tpf".
  void SaveKitchen(const std::string& folder, const char* name = "Kitchen", const char* type = "GL",
                   const char* subtype = "BA005")
  {
    StartProgram();
    ASSERT_NE(PlaceUnit(CommandFor(type, subtype), Quarter(1, 3)), nullptr);
    StoreDesign(name, 2);
    service.filePaths.push_back((folder + "/Lake House.tpf").c_str());
    Command(ID_FILE_SAVE_AS);
    ASSERT_FALSE(m_pDoc->IsProjectModified());
  }
  // The program reads a copy of the catalogue in the folder, which the test may then damage.
  static void UseCatalogueCopy(const std::string& folder)
  {
    fs::create_directories(folder);
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    fs::copy_file(std::string(binary ? binary : ".") + "/productdata/TXDB.SDF", folder + "/TXDB.SDF");
    std::ofstream(ShellTempDir() + "/Tarvex Windows/Panecraft.ini")
        << "[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" << folder << "\n";
  }
  // The stored Gable of the Lake House opened, the project renamed and the unit dragged away.
  void RenameAndMoveTheGable(const std::string& folder)
  {
    StartProgram((folder + "/Lake House.tpf").c_str());
    QLineEdit* field = FocusProjectNameField(m_pDoc);
    ASSERT_NE(field, nullptr);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, "Lakeside Cabin");
    EditStoredDesign("Gable");
    ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
    auto* pItem = dynamic_cast<CUnitItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
    ASSERT_NE(pItem, nullptr);
    const CPoint inside = View()->WorldToClient(pItem->GetCenterPoint());
    Drag(inside, CPoint(inside.x + 40, inside.y - 30));
  }
  void EndWithAFatalError(const std::string& folder)
  {
    CReportCatcher catcher(folder + "/report.txt");
    SetDialogService(&catcher);
    AfxProcessException(std::make_exception_ptr(CAppFatalException("Test", 1)), nullptr);
  }
};
}  // namespace

// Run by the tests below in a process of their own.
TEST_F(WbRecoveryTest, ChildEndsWithAFatalErrorWhileTheWorkbenchIsChanged)
{
  const char* folder = std::getenv(kFolderVariable);
  const char* what = std::getenv(kCaseVariable);
  if (!folder || !what)
    GTEST_SKIP() << "run by the tests of the recovery copies";
  const std::string base = folder;
  std::ofstream(ShellTempDir() + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << base << "/Documents\"\n";
  if (std::string(what) == "gable") {
    SaveKitchen(base, "Gable", "VG", "PP010");
    return;
  }
  if (std::string(what) == "damaged") {
    // The program reads a copy of the catalogue that is cut short while the project is open: the
    // tables a stored design needs are read when first used, and then cannot be.
    UseCatalogueCopy(base + "/catalogue");
    RenameAndMoveTheGable(base);
    fs::resize_file(base + "/catalogue/TXDB.SDF", 64);
  } else if (std::string(what) == "unstorable") {
    // The design moved, then a unit added that cannot be stored.
    RenameAndMoveTheGable(base);
    AddUnstorableUnit();
  } else if (std::string(what) == "moved") {
    SaveKitchen(base);
    // The stored unit moved, and a second one inserted, neither stored.
    auto* pItem = dynamic_cast<CUnitItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
    ASSERT_NE(pItem, nullptr);
    const CPoint inside = View()->WorldToClient(pItem->GetCenterPoint());
    Drag(inside, CPoint(inside.x + 40, inside.y - 30));
    ASSERT_NE(PlaceUnit(CommandFor("GL", "BA005"), Quarter(3, 1)), nullptr);
    ASSERT_EQ(View()->GetItemList()->GetCount(), 2);
  } else {
    fs::create_directories(base + "/project");
    SaveKitchen(base + "/project");
    // A new design on the Workbench, never stored, then the project's folder goes.
    m_pDoc->GetWarehouseView()->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
    Pump();
    ASSERT_NE(View(), nullptr);
    ASSERT_TRUE(m_pDoc->GetEditedDesign()->GetName().IsEmpty());
    ASSERT_NE(PlaceUnit(CommandFor("GL", "BA005"), Quarter(2, 2)), nullptr);
    fs::remove_all(base + "/project");
  }
  EndWithAFatalError(base);
}

TEST_F(WbRecoveryTest, TheCopyHoldsTheUnitsMovedAndInsertedOnTheWorkbench)
{
  const std::string folder = ShellTempDir() + "/moved";
  fs::create_directories(folder);
  ASSERT_EQ(RunChild("WbRecoveryTest.ChildEndsWithAFatalErrorWhileTheWorkbenchIsChanged", folder, "moved", folder),
            kFatalExitCode);
  const std::string copy = folder + "/Lake House.recovered.tpf";
  EXPECT_NE(ReadText(folder + "/report.txt").find(copy), std::string::npos) << ReadText(folder + "/report.txt");

  CStoredDesignImage saved;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(folder + "/Lake House.tpf"), "Kitchen", saved)) << saved.error;
  CStoredDesignImage recovered;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(copy), "Kitchen", recovered)) << recovered.error;
  ASSERT_EQ(saved.units.size(), 1u) << "the project file keeps what was saved";
  ASSERT_EQ(recovered.units.size(), 2u) << "the inserted unit is in the copy";
  EXPECT_EQ(recovered.quantity, 2);
  EXPECT_GT(recovered.units[0].x, saved.units[0].x) << "moved right";
  EXPECT_GT(recovered.units[0].y, saved.units[0].y) << "moved up";
  EXPECT_EQ(recovered.units[1].subtype, "BA005");
}

// The catalogue cut short under the program after the unit was moved: the copy holds the unit as
// moved, and the report says that the unsaved changes were written.
TEST_F(WbRecoveryTest, ACatalogueCutShortLeavesTheWorkbenchToTheCopy)
{
  const std::string folder = ShellTempDir() + "/damaged";
  fs::create_directories(folder);
  ASSERT_EQ(RunChild("WbRecoveryTest.ChildEndsWithAFatalErrorWhileTheWorkbenchIsChanged", folder, "gable", folder), 0);
  ASSERT_EQ(RunChild("WbRecoveryTest.ChildEndsWithAFatalErrorWhileTheWorkbenchIsChanged", folder, "damaged", folder),
            kFatalExitCode);
  const std::string copy = folder + "/Lake House.recovered.tpf";
  const std::string report = ReadText(folder + "/report.txt");
  EXPECT_NE(report.find("The unsaved changes were written to:\n" + copy), std::string::npos) << report;
  EXPECT_EQ(report.find("could not be taken"), std::string::npos) << report;
  CStoredDesignImage saved;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(folder + "/Lake House.tpf"), "Gable", saved)) << saved.error;
  CStoredDesignImage recovered;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(copy), "Gable", recovered)) << recovered.error;
  ASSERT_EQ(recovered.units.size(), 1u);
  EXPECT_GT(recovered.units[0].x, saved.units[0].x) << "moved right";
  EXPECT_GT(recovered.units[0].y, saved.units[0].y) << "moved up";
  EXPECT_EQ(recovered.units[0].attributes, saved.units[0].attributes);
}

// A Workbench that cannot be taken (a unit on it cannot be stored) leaves its design in the copy
// as last stored, and the report says so, naming the design, and never that the unsaved changes
// were all written.
TEST_F(WbRecoveryTest, TheReportNamesTheDesignTheCopyCouldNotTakeFromTheWorkbench)
{
  const std::string folder = ShellTempDir() + "/unstorable";
  fs::create_directories(folder);
  ASSERT_EQ(RunChild("WbRecoveryTest.ChildEndsWithAFatalErrorWhileTheWorkbenchIsChanged", folder, "gable", folder), 0);
  ASSERT_EQ(RunChild("WbRecoveryTest.ChildEndsWithAFatalErrorWhileTheWorkbenchIsChanged", folder, "unstorable", folder),
            kFatalExitCode);
  const std::string copy = folder + "/Lake House.recovered.tpf";
  const std::string report = ReadText(folder + "/report.txt");
  EXPECT_NE(report.find("\n\nThe unsaved changes except those on the Workbench were written to:\n" + copy +
                        "\nThe Workbench could not be taken into that copy: the design \"Gable\" is kept only "
                        "as last stored."),
            std::string::npos)
      << report;
  EXPECT_EQ(report.find("The unsaved changes were written"), std::string::npos) << report;

  CStoredDesignImage saved;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(folder + "/Lake House.tpf"), "Gable", saved)) << saved.error;
  CStoredDesignImage recovered;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(copy), "Gable", recovered)) << recovered.error;
  const std::vector<unsigned char> bytes = ReadFileBytes(copy);
  EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("Lakeside Cabin"), std::string::npos)
      << "the project name typed since the save is in the copy";
  ASSERT_EQ(recovered.units.size(), 1u);
  EXPECT_EQ(recovered.units[0].x, saved.units[0].x) << "the design as last stored, not as moved";
  EXPECT_EQ(recovered.units[0].y, saved.units[0].y);
}

TEST_F(WbRecoveryTest, WithoutTheProjectsFolderTheCopyGoesToTheNextFolderThatTakesIt)
{
  const std::string folder = ShellTempDir() + "/gone";
  const std::string tmp = folder + "/tmp";
  fs::create_directories(tmp);
  // The documents folder cannot be made under a plain file: the temporary folder takes the copy.
  std::ofstream(folder + "/Documents") << "a file";
  ASSERT_EQ(RunChild("WbRecoveryTest.ChildEndsWithAFatalErrorWhileTheWorkbenchIsChanged", folder, "gone", tmp),
            kFatalExitCode);
  const std::string copy = tmp + "/Lake House.recovered.tpf";
  ASSERT_TRUE(fs::exists(copy));
  const std::string report = ReadText(folder + "/report.txt");
  EXPECT_NE(report.find("The unsaved changes were written to:\n" + copy), std::string::npos) << report;
  // The new design went in under a name of its own beside the stored one.
  const std::vector<unsigned char> bytes = ReadFileBytes(copy);
  CStoredDesignImage kitchen;
  EXPECT_TRUE(ReadStoredDesign(bytes, "Kitchen", kitchen)) << kitchen.error;
  CStoredDesignImage added;
  ASSERT_TRUE(ReadStoredDesign(bytes, "Unit Type A", added)) << added.error;
  EXPECT_EQ(added.units.size(), 1u);

  // With no folder at all that takes it, the report says so and names the project.
  const std::string nowhere = ShellTempDir() + "/nowhere";
  fs::create_directories(nowhere);
  std::ofstream(nowhere + "/Documents") << "a file";
  std::ofstream(nowhere + "/tmp") << "a file";
  ASSERT_EQ(
      RunChild("WbRecoveryTest.ChildEndsWithAFatalErrorWhileTheWorkbenchIsChanged", nowhere, "gone", nowhere + "/tmp"),
      kFatalExitCode);
  const std::string lost = ReadText(nowhere + "/report.txt");
  EXPECT_NE(lost.find("No copy of the unsaved changes could be written"), std::string::npos) << lost;
  EXPECT_NE(lost.find("Lake House.tpf"), std::string::npos) << lost;
  EXPECT_EQ(lost.find("were written to"), std::string::npos) << lost;
}

// The catalogue overwritten in place by other bytes of the same length after start-up, the magic
// word kept so that what is read goes on to the tables: a design with joins, one without and a
// new one are each refused with the message, nothing of them reaches the project, no recovery
// copy is due, and with the catalogue's bytes back the design opens whole.
TEST_F(WbRecoveryTest, AnOverwrittenCatalogueRefusesTheDesignsAndTheSessionGoesOn)
{
  const std::string base = ShellTempDir();
  const std::string catalogue = base + "/catalogue/TXDB.SDF";
  UseCatalogueCopy(base + "/catalogue");
  StartOnTheKeptSampleHouse(base + "/House.tpf");
  const std::vector<unsigned char> original = OverwriteCatalogue(catalogue);

  for (const char* name : {"Living Room", "Kitchen"}) {
    service.messages.clear();
    EditStoredDesign(name);
    ASSERT_EQ(service.messages.size(), 1u) << name;
    EXPECT_EQ(service.messages[0].text, GetDesignUnreadableMessage(name));
    EXPECT_EQ(m_pDoc->GetWorkbenchView(), nullptr) << name;
  }
  service.messages.clear();
  DesignList(m_pDoc)->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
  Pump();
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, GetNewDesignUnopenableMessage());
  EXPECT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
  EXPECT_FALSE(m_pDoc->IsProjectModified());
  EXPECT_TRUE(WriteRecoveryCopies(ShellApp()).empty()) << "nothing was changed, so nothing is offered as changes";

  WriteInPlace(catalogue, original);
  service.messages.clear();
  EditStoredDesign("Living Room");
  EXPECT_TRUE(service.messages.empty());
  ASSERT_NE(View(), nullptr);
  size_t units = 0;
  size_t joins = 0;
  for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;) {
    CObject* pItem = View()->GetItemList()->GetNext(pos);
    units += dynamic_cast<CUnitItem*>(pItem) != nullptr;
    joins += dynamic_cast<CJoinItem*>(pItem) != nullptr;
  }
  EXPECT_GT(units, 0u);
  EXPECT_GT(joins, 0u) << "the joins of the three-wide window are read with it";
}

// The catalogue overwritten after the Living Room was opened and all its units moved right: Store
// Design, Save and Exit each store the units as moved, without a message, and the program ends.
TEST_F(WbRecoveryTest, AnOverwrittenCatalogueStillStoresSavesAndExitsWithTheWorkbenchAsShown)
{
  const std::string base = ShellTempDir();
  const std::string project = base + "/House.tpf";
  UseCatalogueCopy(base + "/catalogue");
  StartOnTheKeptSampleHouse(project);
  EditStoredDesign("Living Room");
  ASSERT_NE(View(), nullptr);
  const std::vector<CVRX2DVector> places = UnitPlaces();
  ASSERT_FALSE(places.empty());
  View()->SendMessage(WM_COMMAND, ID_SELECT_ALL);
  Pump();
  for (int i = 0; i < 3; ++i)
    Key(Qt::Key_Right);
  const double step = (UnitPlaces()[0].GetX() - places[0].GetX()) / 3.0;
  ASSERT_GT(step, 0.0);
  const std::vector<unsigned char> catalogue = OverwriteCatalogue(base + "/catalogue/TXDB.SDF");

  service.messages.clear();
  Frame()->SendMessage(WM_COMMAND, IDC_STORE_DESIGN);
  Pump();
  EXPECT_TRUE(service.messages.empty()) << service.messages[0].text.c_str();
  ASSERT_NE(View(), nullptr);

  Key(Qt::Key_Right);
  service.messageAnswers.push_back(IDYES);
  Command(ID_FILE_SAVE);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, GetStoreChangesQuestion("Living Room"));
  fs::copy_file(project, base + "/Saved.tpf");

  Key(Qt::Key_Right);
  service.messages.clear();
  service.messageAnswers = {IDYES, IDYES};
  Command(ID_APP_EXIT);
  ASSERT_EQ(service.messages.size(), 2u) << "the store question and the save question";
  EXPECT_TRUE(Projects().empty()) << "the program ended";
  // Read with the catalogue's bytes back.
  WriteInPlace(base + "/catalogue/TXDB.SDF", catalogue);
  ExpectMovedBy(base + "/Saved.tpf", "Living Room", places, 4.0 * step);
  ExpectMovedBy(project, "Living Room", places, 5.0 * step);
}

// A unit that cannot be stored: Store Design, Save, Save As, Close and Exit each tell why and go
// no further, the saves saying that the project was not saved; the Workbench stays with every
// unit, the stored design and the project file as they were. Its windows destroyed alone, the
// project says that it keeps the design as last stored, and closes.
TEST_F(WbRecoveryTest, AStoreThatFailsIsToldAndTheSessionGoesOnWithTheWorkbench)
{
  const std::string project = ShellTempDir() + "/House.tpf";
  StartOnTheKeptSampleHouse(project);
  const std::vector<unsigned char> saved = ReadFileBytes(project);
  EditStoredDesign("Living Room");
  ASSERT_NE(View(), nullptr);
  const int items = View()->GetItemList()->GetCount();
  AddUnstorableUnit();
  const std::exception_ptr full = std::make_exception_ptr(CFileException(CFileException::diskFull, ENOSPC));
  const CString told = GetDesignNotStoredMessage("Living Room", full);
  ASSERT_NE(told.Find(std::strerror(ENOSPC)), -1) << told.c_str();
  const CString notSaved = GetDesignNotStoredMessage("Living Room", full, NotStored::saveStopped);
  ASSERT_NE(notSaved.Find("The project has not been saved."), -1) << notSaved.c_str();

  service.messages.clear();
  Frame()->SendMessage(WM_COMMAND, IDC_STORE_DESIGN);
  Pump();
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, told);

  for (const UINT save : {ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
    service.messages.clear();
    service.fileRequests.clear();
    service.messageAnswers = {IDYES};
    service.filePaths = {(ShellTempDir() + "/Other.tpf").c_str()};
    Command(save);
    ASSERT_EQ(service.messages.size(), 1u) << save << ": told before any question";
    EXPECT_EQ(service.messages[0].text, notSaved) << save;
    EXPECT_TRUE(service.fileRequests.empty()) << save << ": no name is asked for";
  }
  EXPECT_FALSE(fs::exists(ShellTempDir() + "/Other.tpf"));

  service.messages.clear();
  service.messageAnswers = {IDYES};
  Command(ID_FILE_CLOSE);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, told);
  ASSERT_EQ(Projects().size(), 1u) << "the project stays open";

  service.messages.clear();
  service.messageAnswers = {IDYES};
  Command(ID_APP_EXIT);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, told);

  ASSERT_NE(MainFrame(), nullptr) << "the session goes on";
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(View()->GetItemList()->GetCount(), items + 1);
  EXPECT_EQ(ReadFileBytes(project), saved);
  EXPECT_FALSE(m_pDoc->IsModified());

  // The project's windows destroyed alone, the Workbench last: the store fails with the Workbench
  // gone, says what the project keeps, and the unchanged project closes.
  service.messages.clear();
  DesignList(m_pDoc)->GetParentFrame()->DestroyWindow();
  Pump();
  Frame()->DestroyWindow();
  Pump();
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, GetDesignNotStoredMessage("Living Room", full, NotStored::keptAsLastStored));
  ASSERT_NE(MainFrame(), nullptr) << "the session goes on";
  EXPECT_TRUE(Projects().empty());
  EXPECT_EQ(ReadFileBytes(project), saved);
}

// Memory running out as Create... makes the new design tells it, opens no Workbench and leaves the
// designs as they were; running out as Save stores a new design under the name given tells it
// with the save not done, and leaves the Workbench with the unnamed design, the stored designs and
// the project file as they were.
TEST_F(WbRecoveryTest, MemoryRunningOutAsADesignIsMadeOrStoredIsToldAndTheSessionGoesOn)
{
  const std::string project = ShellTempDir() + "/House.tpf";
  StartOnTheKeptSampleHouse(project);
  const std::vector<unsigned char> saved = ReadFileBytes(project);
  const int designs = m_pDoc->GetDesignCount();
  ASSERT_EQ(View(), nullptr) << "a project opened shows its design list";
  const std::exception_ptr memory = std::make_exception_ptr(std::bad_alloc());

  service.messages.clear();
  heapfault::FailNextOfSize(sizeof(CDesign));
  m_pDoc->GetWarehouseView()->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
  Pump();
  EXPECT_TRUE(heapfault::Fired());
  heapfault::Disarm();
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(service.messages[0].text, GetDesignNotStoredMessage("Unnamed", memory, NotStored::notOpened));
  EXPECT_EQ(View(), nullptr);
  EXPECT_EQ(m_pDoc->GetEditedDesign(), nullptr);
  EXPECT_EQ(m_pDoc->GetDesignCount(), designs);

  m_pDoc->GetWarehouseView()->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
  Pump();
  ASSERT_NE(View(), nullptr);
  auto* pItem = new CRecordRunsOutUnitItem("GL", "BA005");
  pItem->GetUnit();
  View()->AddItem(pItem, TRUE);
  Pump();
  const int items = View()->GetItemList()->GetCount();

  service.messages.clear();
  service.messageAnswers = {IDYES};
  OnNextDialog([pItem](CDialog& dialog) {
    SetControlText(dialog, IDC_NEW_DESIGN_NAME, "Porch");
    pItem->armAtStore = true;
    ClickButton(dialog, IDOK);
  });
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(heapfault::Fired());
  heapfault::Disarm();
  ASSERT_EQ(service.messages.size(), 2u);
  EXPECT_EQ(service.messages[0].text, "Store changes to design 'Unnamed' in the project?");
  EXPECT_EQ(service.messages[1].text, GetDesignNotStoredMessage("Porch", memory, NotStored::saveStopped));

  ASSERT_NE(MainFrame(), nullptr) << "the session goes on";
  EXPECT_EQ(Projects().size(), 1u);
  EXPECT_EQ(m_pDoc->GetDesignCount(), designs);
  EXPECT_LT(m_pDoc->FindDesign("Porch"), 0);
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(View()->GetItemList()->GetCount(), items);
  EXPECT_TRUE(m_pDoc->GetEditedDesign()->GetName().IsEmpty());
  EXPECT_EQ(ReadFileBytes(project), saved);
}

// Started without a file, a guideline drawn and a unit placed that cannot be stored: opening a
// project file tells the store that failed, keeps the first project with its Workbench as it was,
// and opens the file beside it.
TEST_F(WbRecoveryTest, AFirstProjectWhoseDesignCannotBeStoredStaysBesideTheFileOpened)
{
  const char* source = std::getenv("PANECRAFT_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string house = ShellTempDir() + "/House.tpf";
  fs::copy_file(std::string(source) + "/samples/Sample House.tpf", house);
  StartProgram();
  CDoc* pFirst = m_pDoc;
  ASSERT_NE(PlaceWith<CGuidelineItem>(ID_VERT_GUIDELINE_TOOL, Quarter(1, 2)), nullptr);
  AddUnstorableUnit();
  const int items = View()->GetItemList()->GetCount();

  service.messages.clear();
  service.filePaths.push_back(house.c_str());
  Command(ID_FILE_OPEN);
  ASSERT_EQ(service.messages.size(), 1u);
  EXPECT_EQ(
      service.messages[0].text,
      GetDesignNotStoredMessage("Unnamed", std::make_exception_ptr(CFileException(CFileException::diskFull, ENOSPC))));

  ASSERT_NE(MainFrame(), nullptr) << "the session goes on";
  const std::vector<CDoc*> projects = Projects();
  ASSERT_EQ(projects.size(), 2u);
  EXPECT_EQ(projects[0], pFirst);
  EXPECT_EQ(projects[0]->GetTitle(), "Proj1");
  EXPECT_EQ(projects[1]->GetTitle(), "House.tpf");
  EXPECT_GT(projects[1]->GetDesignCount(), 0);
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(View()->GetItemList()->GetCount(), items) << "the guideline and the unit are still on the Workbench";
  EXPECT_NE(dynamic_cast<CGuidelineItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead())), nullptr);
}
