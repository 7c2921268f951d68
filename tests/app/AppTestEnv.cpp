// Keeps one Qt application alive for the run and gives each test its own configuration folder.
#include "AppTestEnv.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "ui/wnd/QtApp.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kDirVariable = "PANECRAFT_APP_TEST_DIR";

class CQtEnvironment : public ::testing::Environment
{
public:
  void SetUp() override
  {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    m_qt = new CQtApplication(argc, argv);
  }
  void TearDown() override { delete m_qt; }

private:
  CQtApplication* m_qt = nullptr;
};

[[maybe_unused]] auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CQtEnvironment);

std::string EnvOr(const char* name, const char* fallback)
{
  const char* value = std::getenv(name);
  return value ? value : fallback;
}

}  // namespace

CConfigFolder::CConfigFolder()
{
  if (const char* inherited = std::getenv(kDirVariable)) {
    m_dir = inherited;
  } else {
    std::string pattern = (std::filesystem::temp_directory_path() / "app-tests-XXXXXX").string();
    m_dir = ::mkdtemp(pattern.data()) ? pattern : "";
    m_owner = true;
    ::setenv(kDirVariable, m_dir.c_str(), 1);
  }
  ::setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
  // The documents folder (where unnamed work and suggested files go) is the test's own too.
  fs::create_directories(m_dir + "/Documents");
  std::ofstream(m_dir + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << m_dir << "/Documents\"\n";
}

CConfigFolder::~CConfigFolder()
{
  if (!m_owner)
    return;
  ::unsetenv(kDirVariable);
  std::error_code error;
  fs::remove_all(m_dir, error);
}

void CConfigFolder::WriteProfile(const std::string& text) const
{
  fs::create_directories(fs::path(ProfilePath()).parent_path());
  std::ofstream(ProfilePath(), std::ios::binary) << text;
}

std::string CConfigFolder::ReadProfile() const
{
  std::ifstream in(ProfilePath(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool CConfigFolder::ProfileExists() const { return fs::exists(ProfilePath()); }

std::map<std::string, CIniEntries> ParseIni(const std::string& text)
{
  std::map<std::string, CIniEntries> ini;
  std::istringstream in(text);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[')
      section = line.substr(1, line.find(']') - 1);
    else if (line.find('=') != std::string::npos)
      ini[section].emplace_back(line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
  }
  return ini;
}

std::string IniValue(const std::map<std::string, CIniEntries>& ini, const std::string& section, const std::string& key)
{
  auto s = ini.find(section);
  if (s != ini.end())
    for (const auto& [k, v] : s->second)
      if (k == key)
        return v;
  return "<missing>";
}

std::string CatalogueFolder() { return EnvOr("PANECRAFT_BINARY_DIR", ".") + "/productdata"; }
std::string CatalogueSourceFolder() { return EnvOr("PANECRAFT_SOURCE_DIR", ".") + "/productdata/catalogue"; }

void Pump()
{
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool PumpUntil(const std::function<bool()>& done)
{
  constexpr int kHangLimitMs = 60000;
  return QTest::qWaitFor(done, kHangLimitMs);
}

QWidget* FindTopLevel(const char* title)
{
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible() && widget->windowTitle() == title)
      return widget;
  return nullptr;
}

void SendMousePress(QWidget* widget, int x, int y, bool right)
{
  Qt::MouseButton button = right ? Qt::RightButton : Qt::LeftButton;
  QPointF local(x, y);
  QMouseEvent event(QEvent::MouseButtonPress, local, local, widget->mapToGlobal(local), button, button, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

void SendKeyPress(QWidget* widget, int key)
{
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}
