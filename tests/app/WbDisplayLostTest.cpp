// The X server goes away while the Workbench shows unsaved units of one family (standard, arched,
// custom arched, free-form): before the program ends, with the code for a lost display, its
// recovery copy holds the units as the Workbench showed them, and the project file keeps what was
// saved. Each run is a child test of this program on an X server of the test's own. Every way the
// toolkit tells of a lost display, X server or Wayland compositor, keeps the work the same way,
// also with a name the file cannot hold left in the project's name field, and lists the copy for
// the next start.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtGlobal>

#include "ChildRun.h"
#include "WbGuiFixture.h"
#include "WbTestReader.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "model/Unit.h"
#include "ui/wnd/Exitcode.h"

namespace {
namespace fs = std::filesystem;

const char kFolderVariable[] = "PANECRAFT_DISPLAY_LOST_FOLDER";
const char kFamilyVariable[] = "PANECRAFT_DISPLAY_LOST_FAMILY";
const char kChildTest[] = "WbDisplayLostTest.ChildLosesItsDisplayWithUnitsOnTheWorkbench";
const char kWordsVariable[] = "PANECRAFT_DISPLAY_LOST_WORDS";
const char kHearingChildTest[] = "WbDisplayLostTest.ChildHearsItsDisplayLostWithADesignDeleted";
constexpr int kWarningPassed = 3;
const char kThreadVariable[] = "PANECRAFT_DISPLAY_LOST_ON_A_THREAD";
const char kNameVariable[] = "PANECRAFT_DISPLAY_LOST_WITH_A_REFUSED_NAME";

// The warnings the toolkit gives just before it ends a program whose display went away.
const std::vector<std::string>& WordsForALostDisplay()
{
  static const std::vector<std::string> words = {"The X11 connection broke (error 1). Did the X11 server die?",
                                                 "The Wayland connection broke. Did the Wayland compositor die?",
                                                 "The Wayland connection experienced a fatal error: Protocol error"};
  return words;
}

struct Family
{
  const char* name;
  const char* type;
  const char* subtype;
};

const std::vector<Family>& Families()
{
  static const std::vector<Family> families = {{"Standard", "GL", "BA005"},
                                               {"Arched", "AR", "BA011"},
                                               {"CustomArched", "AR", "S1013"},
                                               {"FreeForm", "VG", "PP010"}};
  return families;
}

const Family* FamilyNamed(const std::string& name)
{
  for (const Family& family : Families())
    if (name == family.name)
      return &family;
  return nullptr;
}

// A unit as the Workbench shows it, as the child notes it for the test to compare with the copy.
struct ShownUnit
{
  std::string type;
  std::string subtype;
  double x = 0.0;
  double y = 0.0;
  std::string attributes;
};

// One unit a line ("type subtype x y size"), then the attributes' bytes and a line end.
void WriteShownUnits(const std::string& path, const std::vector<ShownUnit>& units)
{
  std::ofstream out(path, std::ios::binary);
  out << std::setprecision(17);
  for (const ShownUnit& unit : units)
    out << unit.type << ' ' << unit.subtype << ' ' << unit.x << ' ' << unit.y << ' ' << unit.attributes.size() << '\n'
        << unit.attributes << '\n';
}

std::vector<ShownUnit> ReadShownUnits(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::vector<ShownUnit> units;
  ShownUnit unit;
  size_t size = 0;
  while (in >> unit.type >> unit.subtype >> unit.x >> unit.y >> size) {
    in.get();
    unit.attributes.assign(size, '\0');
    in.read(unit.attributes.data(), static_cast<std::streamsize>(size));
    units.push_back(unit);
  }
  return units;
}

class WbDisplayLostTest : public WorkbenchGuiTest
{
protected:
  void TypeANameTheFileCannotHold(const std::string& folder);

  CPoint Quarter(int x, int y) const
  {
    const CRect client = View()->GetClientRect();
    return CPoint(client.Width() * x / 4, client.Height() * y / 4);
  }

  // Every unit of the view, as shown.
  std::vector<ShownUnit> UnitsShown()
  {
    std::vector<ShownUnit> units;
    CObList* pList = View()->GetItemList();
    for (POSITION pos = pList->GetHeadPosition(); pos;) {
      auto* pItem = dynamic_cast<CUnitItem*>(pList->GetNext(pos));
      if (!pItem)
        continue;
      const CVRX2DVector offset = pItem->GetOffset();
      units.push_back({pItem->GetType().str(), pItem->GetSubtype().str(), offset.GetX(), offset.GetY(),
                       pItem->GetUnit()->GetAttributes().str()});
    }
    return units;
  }

  // A unit of the family stored as "Opening" and saved as the folder's "Families.tpf"; then,
  // unsaved, that unit moved and a second one placed. The units are shown only then, as the
  // user's are, so what they build on first use is built while the message loop runs.
  void ChangeTheWorkbench(const std::string& folder, const Family& family)
  {
    CUnitItem* pFirst = PlaceUnit(CommandFor(family.type, family.subtype), Quarter(1, 3));
    ASSERT_NE(pFirst, nullptr);
    StoreDesign("Opening", 1);
    service.filePaths.push_back((folder + "/Families.tpf").c_str());
    Command(ID_FILE_SAVE_AS);
    ASSERT_FALSE(m_pDoc->IsProjectModified());
    pFirst->Offset(CVRX2DVector(24.0, 12.0));
    View()->UpdateAlignmentEntities(pFirst);
    View()->Invalidate(TRUE);
    ASSERT_NE(PlaceUnit(CommandFor(family.type, family.subtype), Quarter(3, 1)), nullptr);
    Pump();
  }
};

// Leaves a name the project file cannot hold typed in the project's name field; the profile is moved into the folder, behind a link, so that the test reads it after this
// process and its own folder are gone.
void WbDisplayLostTest::TypeANameTheFileCannotHold(const std::string& folder)
{
  // A compositor lets no client activate a window itself: the keyboard is put in the field as
  // far as the program can.
  CWnd* pField = DesignList(m_pDoc)->GetDlgItem(IDC_WAREHOUSE_PROJECT_NAME);
  auto* field = pField ? qobject_cast<QLineEdit*>(pField->m_hWnd) : nullptr;
  ASSERT_NE(field, nullptr);
  field->setFocus(Qt::MouseFocusReason);
  field->selectAll();
  for (const QChar c : QString::fromUtf8("Haus \xC5\x81")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &press);
  }
  ASSERT_EQ(field->text(), QString::fromUtf8("Haus \xC5\x81"));
  const std::string profile = ShellTempDir() + "/Tarvex Windows/Panecraft.ini";
  fs::copy_file(profile, folder + "/Panecraft.ini");
  fs::remove(profile);
  fs::create_symlink(folder + "/Panecraft.ini", profile);
}

class WbDisplayLostFamilyTest : public WbDisplayLostTest, public ::testing::WithParamInterface<const char*>
{};
}  // namespace

// Run by the tests below in a process of its own, on their X server; the process ends when the
// server does.
TEST_F(WbDisplayLostTest, ChildLosesItsDisplayWithUnitsOnTheWorkbench)
{
  const char* folder = std::getenv(kFolderVariable);
  const char* name = std::getenv(kFamilyVariable);
  if (!folder || !name)
    GTEST_SKIP() << "run by the tests of a lost display";
  const Family* family = FamilyNamed(name);
  ASSERT_NE(family, nullptr) << name;
  StartProgram();
  const std::string base = folder;
  QTimer::singleShot(0, [this, base, family] {
    ChangeTheWorkbench(base, *family);
    ASSERT_EQ(View()->GetItemList()->GetCount(), 2);
    WriteShownUnits(base + "/shown.txt", UnitsShown());
    std::ofstream(base + "/ready") << "ready";
  });
  ShellApp().Run();
  ADD_FAILURE() << "the message loop ended while the display was there";
}

// Run by the tests below in a process of its own: a design of a copy of the sample house deleted,
// then, given words, the toolkit's warning while the message loop runs, on the main thread or on
// a thread of its own as the toolkit's event threads give it; without words the child says it is
// ready and runs until its display goes. Standard error goes to a file.
TEST_F(WbDisplayLostTest, ChildHearsItsDisplayLostWithADesignDeleted)
{
  const char* folder = std::getenv(kFolderVariable);
  if (!folder)
    GTEST_SKIP() << "run by the tests of the toolkit's words";
  const std::string base = folder;
  StartOnTheKeptSampleHouse(base + "/House.tpf");
  CListBox* pBox = DesignList(m_pDoc)->GetDesignListBox();
  pBox->SetCurSel(pBox->FindStringExact(-1, "Living Room"));
  service.messageAnswers.push_back(IDYES);
  DesignList(m_pDoc)->SendMessage(WM_COMMAND, ID_DELETE_DESIGN);
  ASSERT_LT(m_pDoc->FindDesign("Living Room"), 0);
  if (std::getenv(kNameVariable)) {
    ASSERT_NO_FATAL_FAILURE(TypeANameTheFileCannotHold(base));
  }
  ASSERT_NE(std::freopen((base + "/stderr.txt").c_str(), "w", stderr), nullptr);
  const char* words = std::getenv(kWordsVariable);
  const std::string warning = words ? words : "";
  const bool ownThread = std::getenv(kThreadVariable) != nullptr;
  std::thread teller;
  QTimer::singleShot(0, [&] {
    // The toolkit ends the process right after its warning; a code of its own here tells the test
    // that the program let the warning pass.
    const auto tell = [warning] {
      qWarning("%s", warning.c_str());
      std::_Exit(kWarningPassed);
    };
    if (warning.empty())
      std::ofstream(base + "/ready") << "ready";
    else if (ownThread)
      teller = std::thread(tell);
    else
      tell();
  });
  ShellApp().Run();
  ADD_FAILURE() << "the message loop ended while the display was there";
  if (teller.joinable())
    teller.join();
}

namespace {
// The copy beside the project holds the deletion, standard error names it, the project file
// keeps the design.
void ExpectTheDeletionKept(const std::string& folder, const std::string& what)
{
  const std::string copy = folder + "/House.recovered.tpf";
  const std::vector<unsigned char> bytes = ReadFileBytes(copy);
  CStoredDesignImage kept;
  EXPECT_TRUE(ReadStoredDesign(bytes, "Kitchen", kept)) << what << ": " << kept.error;
  CStoredDesignImage deleted;
  ReadStoredDesign(bytes, "Living Room", deleted);
  EXPECT_EQ(deleted.error, "no stored design named Living Room") << what;
  EXPECT_NE(ReadText(folder + "/stderr.txt").find(copy), std::string::npos) << what;
  CStoredDesignImage saved;
  ReadStoredDesign(ReadFileBytes(folder + "/House.tpf"), "Living Room", saved);
  EXPECT_NE(saved.error, "no stored design named Living Room") << what << ": the project file keeps what was saved";
}
}  // namespace

TEST_F(WbDisplayLostTest, EveryWayTheToolkitTellsOfALostDisplayWritesTheCopyAndEndsWithItsCode)
{
  int run = 0;
  for (const std::string& words : WordsForALostDisplay()) {
    for (const bool ownThread : {false, true}) {
      const std::string folder = ShellTempDir() + "/words" + std::to_string(run++);
      fs::create_directories(folder);
      std::vector<std::string> variables = {std::string(kFolderVariable) + "=" + folder,
                                            std::string(kWordsVariable) + "=" + words};
      if (ownThread)
        variables.push_back(std::string(kThreadVariable) + "=1");
      const std::string what = words + (ownThread ? " (on a thread of its own)" : " (on the main thread)");
      EXPECT_EQ(RunThisTestInChild(kHearingChildTest, variables), kDisplayLostExitCode) << what;
      ExpectTheDeletionKept(folder, what);
    }
  }
}

// The same through the toolkit's own Wayland platform: the compositor ends under the program.
TEST_F(WbDisplayLostTest, ALostWaylandCompositorWritesTheCopyAndEndsWithItsCode)
{
  CPrivateCompositor compositor;
  if (!compositor.Start())
    GTEST_SKIP() << "no weston on this machine";
  const std::string folder = ShellTempDir() + "/compositor";
  fs::create_directories(folder);
  const int code = RunChildUntilReadyThenStop(compositor, kHearingChildTest,
                                              {std::string(kFolderVariable) + "=" + folder}, folder + "/ready");
  ASSERT_NE(code, kChildNeverReady) << "the child ended before its change was made";
  EXPECT_EQ(code, kDisplayLostExitCode);
  ExpectTheDeletionKept(folder, "the compositor's end");
}

// The compositor ends while a name the project file cannot hold is typed in the project's name
// field, the keyboard there: the work is kept all the same, and the copy is listed for the next
// start, first in the recent files and noted to be offered.
TEST_F(WbDisplayLostTest, ALostWaylandCompositorWithARefusedNameKeepsTheCopyForTheNextStart)
{
  CPrivateCompositor compositor;
  if (!compositor.Start())
    GTEST_SKIP() << "no weston on this machine";
  const std::string folder = ShellTempDir() + "/named";
  fs::create_directories(folder);
  const int code = RunChildUntilReadyThenStop(
      compositor, kHearingChildTest, {std::string(kFolderVariable) + "=" + folder, std::string(kNameVariable) + "=1"},
      folder + "/ready");
  ASSERT_NE(code, kChildNeverReady) << "the child ended before its change was made";
  EXPECT_EQ(code, kDisplayLostExitCode);
  ExpectTheDeletionKept(folder, "the compositor's end with a refused name");
  const std::string copy = folder + "/House.recovered.tpf";
  const std::string profile = ReadText(folder + "/Panecraft.ini");
  EXPECT_NE(profile.find("File1=" + copy + "\n"), std::string::npos) << profile;
  EXPECT_NE(profile.find("Copy1=" + copy + "\n"), std::string::npos) << profile;
}

TEST_P(WbDisplayLostFamilyTest, TheCopyHoldsTheUnitsAsShownAndTheProgramEndsWithItsCode)
{
  CPrivateDisplay display;
  if (!display.Start())
    GTEST_SKIP() << "no Xvfb on this machine";
  ASSERT_FALSE(display.Name().empty()) << "Xvfb named no display";
  const std::string folder = ShellTempDir() + "/" + GetParam();
  fs::create_directories(folder);
  const int code = RunChildUntilReadyThenStop(
      display, kChildTest,
      {std::string(kFolderVariable) + "=" + folder, std::string(kFamilyVariable) + "=" + GetParam()},
      folder + "/ready");
  ASSERT_NE(code, kChildNeverReady) << "the child ended before its changes were made";
  EXPECT_EQ(code, kDisplayLostExitCode);

  CStoredDesignImage saved;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(folder + "/Families.tpf"), "Opening", saved)) << saved.error;
  EXPECT_EQ(saved.units.size(), 1u) << "the project file keeps what was saved";
  CStoredDesignImage recovered;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(folder + "/Families.recovered.tpf"), "Opening", recovered))
      << recovered.error;
  const std::vector<ShownUnit> shown = ReadShownUnits(folder + "/shown.txt");
  ASSERT_EQ(shown.size(), 2u);
  ASSERT_EQ(recovered.units.size(), shown.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(recovered.units[i].type, shown[i].type) << i;
    EXPECT_EQ(recovered.units[i].subtype, shown[i].subtype) << i;
    EXPECT_DOUBLE_EQ(recovered.units[i].x, shown[i].x) << i;
    EXPECT_DOUBLE_EQ(recovered.units[i].y, shown[i].y) << i;
    EXPECT_EQ(recovered.units[i].attributes, shown[i].attributes) << i;
  }
  EXPECT_NE(recovered.units[0].x, saved.units[0].x) << "the unit moved after the save";
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, WbDisplayLostFamilyTest,
                         ::testing::Values("Standard", "Arched", "CustomArched", "FreeForm"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
