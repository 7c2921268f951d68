#pragma once
// For tests that end their program (a fatal report ends the process): one test of this test
// program run in a process of its own, and the messages it showed kept in a file to read after.
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "PrivateDisplay.h"
#include "ui/dlg/DialogService.h"

extern char** environ;

// Where a child run by RunThisTestInChild makes its test folder.
constexpr const char kChildTestFolderVariable[] = "PANECRAFT_CHILD_TEST_FOLDER";

// A folder of a child's own for its temporary files and its test folder, removed once the child
// has ended: a child that ends with the fatal report never reaches its own clean-up. The test
// folder goes there even when the child is given a temporary folder that cannot take it.
class CChildTestFolder
{
public:
  // Names the folder in the child's variables, as its TMPDIR too unless they name one.
  explicit CChildTestFolder(std::vector<std::string>& variables)
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "panecraft-child-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
      return;
    m_folder = pattern;
    bool ownTemp = true;
    for (const std::string& variable : variables)
      ownTemp = ownTemp && variable.compare(0, 7, "TMPDIR=") != 0;
    variables.push_back(std::string(kChildTestFolderVariable) + "=" + m_folder);
    if (ownTemp)
      variables.push_back("TMPDIR=" + m_folder);
  }
  ~CChildTestFolder()
  {
    std::error_code ignored;
    if (!m_folder.empty())
      std::filesystem::remove_all(m_folder, ignored);
  }
  CChildTestFolder(const CChildTestFolder&) = delete;
  CChildTestFolder& operator=(const CChildTestFolder&) = delete;

private:
  std::string m_folder;
};

// Starts the named test of this program in a child with the given NAME=value variables, which
// replace any of the same names; its process id, or -1 when it could not be started.
inline pid_t StartThisTestInChild(const char* testName, std::vector<std::string> variables)
{
  std::string filter = std::string("--gtest_filter=") + testName;
  std::vector<char*> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text(*entry);
    bool replaced = false;
    for (const std::string& variable : variables)
      replaced = replaced || text.compare(0, variable.find('=') + 1, variable, 0, variable.find('=') + 1) == 0;
    if (!replaced)
      environment.push_back(*entry);
  }
  for (std::string& variable : variables)
    environment.push_back(variable.data());
  environment.push_back(nullptr);
  std::string self = std::filesystem::read_symlink("/proc/self/exe");
  char* argv[] = {self.data(), filter.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environment.data()) != 0)
    return -1;
  return pid;
}

// The exit code of a child, or -1 when it was not started or did not end normally. A sanitizer
// report ends the child with the sanitizer's own code, which no test expects.
inline int WaitForChild(pid_t pid)
{
  int status = 0;
  if (pid <= 0 || waitpid(pid, &status, 0) != pid)
    return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Waits until a child that goes on running has made the file that says it is ready; false when
// the child ended first or never got there.
inline bool WaitUntilReady(pid_t child, const std::string& readyPath)
{
  constexpr int kHangLimitTries = 1200;
  for (int tries = 0; tries < kHangLimitTries; ++tries) {
    if (std::filesystem::exists(readyPath))
      return true;
    if (waitpid(child, nullptr, WNOHANG) != 0)
      return false;
    usleep(50000);
  }
  return false;
}

// What RunChildUntilReadyThenStop gives back when the child ended, or hung, before it was ready.
constexpr int kChildNeverReady = -2;

// Runs the named test of this program in a child on the display (an X server or a Wayland
// compositor of the test's own), with the given variables, until the child has made the file that
// says it is ready; then ends the display, as a crash or a logout ends it for its clients. The
// child's exit code; -1 when it could not be started.
template <class Display>
int RunChildUntilReadyThenStop(Display& display, const char* testName, std::vector<std::string> variables,
                               const std::string& readyPath)
{
  for (const std::string& variable : display.ChildVariables())
    variables.push_back(variable);
  const CChildTestFolder folder(variables);
  const pid_t child = StartThisTestInChild(testName, std::move(variables));
  if (child <= 0)
    return -1;
  const bool ready = WaitUntilReady(child, readyPath);
  display.Stop();
  const int code = WaitForChild(child);
  return ready ? code : kChildNeverReady;
}

// Runs the named test of this program in a child (see StartThisTestInChild); its exit code.
inline int RunThisTestInChild(const char* testName, std::vector<std::string> variables)
{
  const CChildTestFolder folder(variables);
  return WaitForChild(StartThisTestInChild(testName, std::move(variables)));
}

inline std::string ReadText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Keeps the report's text in a file, since the process ends right after it.
class CReportCatcher : public CScriptedDialogService
{
public:
  explicit CReportCatcher(std::string path) : m_path(std::move(path)) {}
  int MessageBox(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, UINT nIDHelp) override
  {
    std::ofstream(m_path, std::ios::binary | std::ios::app) << text.str();
    return CScriptedDialogService::MessageBox(pOwner, text, caption, nType, nIDHelp);
  }

private:
  std::string m_path;
};
