#pragma once
// Shared fixtures of the application tests: one Qt application for the run, a configuration
// folder of its own for each test (XDG_CONFIG_HOME), the sample catalogue, and an application
// object whose start-up steps the tests can run.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/App.h"
#include "ui/dlg/DialogService.h"
#include "ui/wnd/HelpSink.h"

class QWidget;

// Exposes the steps and the version value tests need.
class CTestCApp : public CApp
{
public:
  using CApp::StartUp;
  void SetWindowsVersion(DWORD version) { m_dwWindowsVersion = version; }
};

// A temporary configuration folder named in XDG_CONFIG_HOME for one test. A child process of a
// death test finds the folder its parent made through PANECRAFT_APP_TEST_DIR.
class CConfigFolder
{
public:
  CConfigFolder();
  ~CConfigFolder();
  const std::string& Path() const { return m_dir; }
  // The profile file of the program.
  std::string ProfilePath() const { return m_dir + "/Tarvex Windows/Panecraft.ini"; }
  void WriteProfile(const std::string& text) const;
  std::string ReadProfile() const;
  bool ProfileExists() const;

private:
  std::string m_dir;
  bool m_owner = false;
};

// Sections of an INI text with their entries in file order.
using CIniEntries = std::vector<std::pair<std::string, std::string>>;
std::map<std::string, CIniEntries> ParseIni(const std::string& text);
std::string IniValue(const std::map<std::string, CIniEntries>& ini, const std::string& section, const std::string& key);

// The folder of the generated sample catalogue TXDB.SDF, and the folder of its sources.
std::string CatalogueFolder();
std::string CatalogueSourceFolder();

// Records the help ids that reach the help sink.
class CRecordingHelpSink : public CHelpSink
{
public:
  void ShowHelp(std::uintptr_t dwData, UINT nCmd) override { calls.emplace_back(dwData, nCmd); }
  std::vector<std::pair<std::uintptr_t, UINT>> calls;
};

// Runs pending events.
void Pump();
// Runs events until done() holds; false only when it never does within a limit that only a hang
// reaches (no test may depend on how fast a loaded machine gets there).
bool PumpUntil(const std::function<bool()>& done);
// The visible top-level widget with that window title, or null.
QWidget* FindTopLevel(const char* title);
// Sends a mouse press or a key press to a widget through the application's event filters.
void SendMousePress(QWidget* widget, int x, int y, bool right = false);
void SendKeyPress(QWidget* widget, int key);
