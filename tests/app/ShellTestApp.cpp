// Starts the real application object offscreen for the shell tests, one per test process.
#include "ShellTestApp.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "ChildRun.h"
#include "app/App.h"
#include "app/Mainfrm.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "platform/core/Coreclass.h"
#include "ui/dlg/Ctrls.h"
#include "ui/draw/Dc.h"
#include "ui/dlg/Dialog.h"
#include "ui/docview/DocTempl.h"
#include "ui/wnd/QtApp.h"
#include "ui/docview/View.h"
#include "project/Dsgstore.h"
#include "project/Projreg.h"
#include "units/freeform/Vgreg.h"
#include "workbench/snap/TableWatch.h"
#include "units/standard/Stdreg.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/items/Unititem.h"

namespace {
std::string& TempDir()
{
  static std::string dir;
  return dir;
}

void WriteProfile(const std::string& configHome)
{
  std::filesystem::create_directories(configHome + "/Tarvex Windows");
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  std::ofstream profile(configHome + "/Tarvex Windows/Panecraft.ini");
  profile << "[Misc]\nSplashScreenTime=0\nProductDatabaseDir=" << (binary ? binary : ".") << "/productdata\n";
  // The documents folder the file dialogs start in is the test's own, never the real home's.
  std::filesystem::create_directories(configHome + "/Documents");
  std::ofstream(configHome + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << configHome << "/Documents\"\n";
}

class CShellEnvironment : public ::testing::Environment
{
public:
  void SetUp() override
  {
    const char* childFolder = std::getenv(kChildTestFolderVariable);
    const std::filesystem::path base = childFolder ? childFolder : std::filesystem::temp_directory_path();
    std::string pattern = (base / "panecraft-shell-XXXXXX").string();
    TempDir() = ::mkdtemp(pattern.data());
    ::setenv("XDG_CONFIG_HOME", TempDir().c_str(), 1);
    WriteProfile(TempDir());
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    m_qt = new CQtApplication(argc, argv);
    RegisterStandardUnits();
    RegisterFreeformUnits();
    RegisterCoreClasses();
    RegisterProjectClasses();
    RegisterDocumentClasses();
    m_app = new CApp;
  }
  // Each test runs in a process of its own: its windows, documents and Qt objects end with it.
  void TearDown() override
  {
    std::filesystem::remove_all(TempDir());
    std::fflush(nullptr);
    std::_Exit(::testing::UnitTest::GetInstance()->Passed() ? 0 : 1);
  }
  CApp* m_app = nullptr;
  CQtApplication* m_qt = nullptr;
};

CShellEnvironment* g_environment =
    static_cast<CShellEnvironment*>(::testing::AddGlobalTestEnvironment(new CShellEnvironment));
}  // namespace

CApp& ShellApp() { return *g_environment->m_app; }

std::string ShellTempDir() { return TempDir(); }

CModalAnswer::CModalAnswer(const char* className, std::function<void(QWidget*)> action)
  : m_pTimer(std::make_unique<QTimer>())
{
  QTimer* timer = m_pTimer.get();
  QObject::connect(timer, &QTimer::timeout, [timer, className, action = std::move(action)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
      return;
    timer->stop();
    if (modal->inherits(className)) {
      action(modal);
      return;
    }
    ADD_FAILURE() << "a " << modal->metaObject()->className() << " was asked, not a " << className;
    modal->close();
  });
  timer->start(10);
}

CModalAnswer::~CModalAnswer() = default;

int CRealBoxService::MessageBox(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, UINT nIDHelp)
{
  ++boxesShown;
  return m_real.MessageBox(pOwner, text, caption, nType, nIDHelp);
}

CDialogService& QtDialogService()
{
  SetDialogService(nullptr);
  return DialogService();
}

void Pump()
{
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

bool PumpUntil(const std::function<bool()>& done)
{
  constexpr int kHangLimitMs = 60000;
  return QTest::qWaitFor(done, kHangLimitMs);
}

void ShellTest::SetUp()
{
  WatchTheAlignmentTables();
  SetDialogService(&service);
  CDC::SetScreenLogPixels(96, 96);
}

void ShellTest::TearDown() { Pump(); }

void ShellTest::RunUntilEndedOrAsked(const std::function<void()>& start)
{
  const size_t asked = service.messages.size();
  QTimer::singleShot(0, start);
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [this, asked] {
    if (service.messages.size() > asked || !MainFrame())
      QCoreApplication::exit(0);  // quit() would close the windows first
  });
  watch.start(10);
  ShellApp().Run();
}

BOOL ShellTest::Start(const CString& commandLine)
{
  CApp& app = ShellApp();
  app.m_lpCmdLine = commandLine;
  BOOL started = app.InitApplication() && app.InitInstance();
  Pump();
  return started;
}

CMainFrame* ShellTest::MainFrame() const { return dynamic_cast<CMainFrame*>(ShellApp().m_pMainWnd); }

CDoc* ShellTest::ActiveProject() const { return dynamic_cast<CDoc*>(ShellApp().GetActiveDocument()); }

std::vector<CDoc*> ShellTest::Projects() const
{
  std::vector<CDoc*> projects;
  CDocTemplate* pTemplate = ShellApp().GetWarehouseTemplate();
  POSITION pos = pTemplate->GetFirstDocPosition();
  while (pos)
    projects.push_back(static_cast<CDoc*>(pTemplate->GetNextDoc(pos)));
  return projects;
}

CWarehouseView* ShellTest::DesignList(CDoc* pDoc) const
{
  return dynamic_cast<CWarehouseView*>(pDoc->GetWarehouseView());
}

void ShellProjectTest::SetUp()
{
  ShellTest::SetUp();
  ASSERT_TRUE(Start());
  m_pDoc = ActiveProject();
  ASSERT_NE(m_pDoc, nullptr);
}

bool ShellTest::ClickIntoField(CFrameWnd* pFrame, QWidget* field)
{
  QWidget* top = MainFrame()->m_hWnd->window();
  top->activateWindow();
  if (!field || !QTest::qWaitForWindowActive(top))
    return false;
  MainFrame()->MDIActivate(pFrame);
  Pump();
  QTest::mouseClick(field, Qt::LeftButton);
  return QApplication::focusWidget() == field;
}

QLineEdit* ShellTest::FocusProjectNameField(CDoc* pDoc)
{
  CWarehouseView* pList = DesignList(pDoc);
  CWnd* pField = pList ? pList->GetDlgItem(IDC_WAREHOUSE_PROJECT_NAME) : nullptr;
  auto* field = pField ? qobject_cast<QLineEdit*>(pField->m_hWnd) : nullptr;
  return field && ClickIntoField(pList->GetParentFrame(), field) ? field : nullptr;
}

void ShellTest::ClickDesignListButton(CDoc* pDoc, UINT nID)
{
  CWarehouseView* pList = DesignList(pDoc);
  ASSERT_NE(pList, nullptr);
  CWnd* pButton = pList->GetDlgItem(static_cast<int>(nID));
  ASSERT_NE(pButton, nullptr) << "button " << nID;
  MainFrame()->MDIActivate(pList->GetParentFrame());
  Pump();
  QTest::mouseClick(pButton->m_hWnd, Qt::LeftButton);
  Pump();
}

void ShellTest::Command(UINT nID)
{
  MainFrame()->SendMessage(WM_COMMAND, nID);
  Pump();
}

ShellTest::CommandState ShellTest::StateOf(UINT nID)
{
  CCmdUI state;
  state.m_nID = nID;
  state.DoUpdate(MainFrame(), TRUE);
  return CommandState{state.m_bEnabled == TRUE, state.m_nCheck};
}

void ShellTest::OnNextDialog(std::function<void(CDialog&)> action)
{
  service.dialogActions.push_back(std::move(action));
}

std::vector<CString> ShellTest::Messages() const
{
  std::vector<CString> texts;
  for (const auto& message : service.messages)
    texts.push_back(message.text);
  return texts;
}

std::string ShellTest::PathIn(const char* name) const { return TempDir() + "/" + name; }

void SetControlText(CWnd& dialog, int nID, const CString& text)
{
  CWnd* pControl = dialog.GetDlgItem(nID);
  ASSERT_NE(pControl, nullptr) << "control " << nID;
  pControl->SetWindowText(text);
  if (auto* pEdit = dynamic_cast<CEdit*>(pControl))
    pEdit->SetModify(TRUE);
}

void ClickButton(CWnd& dialog, int nID)
{
  auto* pButton = dynamic_cast<CButton*>(dialog.GetDlgItem(nID));
  ASSERT_NE(pButton, nullptr) << "button " << nID;
  pButton->Click();
}

void SelectLine(CWnd& dialog, int nID, int line)
{
  CWnd* pControl = dialog.GetDlgItem(nID);
  ASSERT_NE(pControl, nullptr) << "control " << nID;
  if (auto* pCombo = dynamic_cast<CComboBox*>(pControl)) {
    pCombo->Choose(line);
    return;
  }
  auto* pList = dynamic_cast<CListBox*>(pControl);
  ASSERT_NE(pList, nullptr);
  pList->SetCurSel(line);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, LBN_SELCHANGE), reinterpret_cast<LPARAM>(pControl->m_hWnd));
}

CString ControlText(CWnd& dialog, int nID)
{
  CString text;
  if (CWnd* pControl = dialog.GetDlgItem(nID))
    pControl->GetWindowText(text);
  return text;
}

std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void AddDesignOfUnits(CDoc* pDoc, const char* name, const std::vector<std::pair<const char*, const char*>>& units)
{
  CDesign design;
  design.SetName(name);
  design.GetDesignData().SetQuantity(1);
  for (const auto& [type, subtype] : units) {
    auto* pItem = new CUnitItem(type, subtype);
    pItem->GetUnit();
    pItem->UpdateUnitInfo();
    design.GetItemList().AddTail(pItem);
  }
  CDesignStore store;
  store.Store(&design);
  pDoc->AddDesign(store);
}

void SetWorkbenchQuantity(CDoc* pDoc, int quantity)
{
  auto* pFrame = dynamic_cast<CWorkbenchFrame*>(pDoc->GetWorkbenchView()->GetParentFrame());
  ASSERT_NE(pFrame, nullptr);
  CString text;
  text.Format("%d", quantity);
  pFrame->GetDialogBar()->SetDlgItemText(IDC_WORKBENCH_QUANTITY, text);
}
