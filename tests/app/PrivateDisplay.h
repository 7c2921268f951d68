#pragma once
// An X server of the test's own (Xvfb on a display number it picks itself), and a Wayland
// compositor of the test's own (a headless weston on a socket in a folder of its own), for tests
// that take the display away from a program under test.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

extern char** environ;

class CPrivateDisplay
{
public:
  CPrivateDisplay() = default;
  CPrivateDisplay(const CPrivateDisplay&) = delete;
  CPrivateDisplay& operator=(const CPrivateDisplay&) = delete;
  ~CPrivateDisplay() { Stop(); }

  // Starts the server; false when there is no Xvfb to start (the name is then empty).
  bool Start()
  {
    int pipeFds[2] = {-1, -1};
    if (::pipe(pipeFds) != 0)
      return false;
    const std::string fd = std::to_string(pipeFds[1]);
    std::vector<std::string> args = {"Xvfb", "-displayfd", fd, "-screen", "0", "1024x768x24", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& arg : args)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    const bool spawned = posix_spawnp(&m_pid, "Xvfb", nullptr, nullptr, argv.data(), environ) == 0;
    ::close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (spawned && ::read(pipeFds[0], &c, 1) == 1 && c != '\n')
      number += c;
    ::close(pipeFds[0]);
    if (!spawned)
      m_pid = -1;
    m_name = number.empty() ? std::string() : ":" + number;
    return spawned;
  }

  // ":N", or empty when the server named no display.
  const std::string& Name() const { return m_name; }
  // The variables that put a child on this display.
  std::vector<std::string> ChildVariables() const { return {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + m_name}; }

  // Ends the server, as a crash or a logout would end it for its clients.
  void Stop()
  {
    if (m_pid <= 0)
      return;
    ::kill(m_pid, SIGTERM);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }

private:
  pid_t m_pid = -1;
  std::string m_name;
};

class CPrivateCompositor
{
public:
  CPrivateCompositor() = default;
  CPrivateCompositor(const CPrivateCompositor&) = delete;
  CPrivateCompositor& operator=(const CPrivateCompositor&) = delete;
  ~CPrivateCompositor() { Stop(); }

  // Starts the compositor and waits until its socket is there; false when there is no weston to
  // start or it ended first.
  bool Start()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "panecraft-wayland-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
      return false;
    m_folder = pattern;
    std::vector<std::string> args = {"weston", "--backend=headless-backend.so", "--no-config", "--idle-time=0",
                                     "--socket=" + std::string(kSocket)};
    std::vector<char*> argv;
    for (std::string& arg : args)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::string runtime = "XDG_RUNTIME_DIR=" + m_folder;
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry)
      if (std::string(*entry).compare(0, 16, "XDG_RUNTIME_DIR=") != 0)
        environment.push_back(*entry);
    environment.push_back(runtime.data());
    environment.push_back(nullptr);
    // The compositor's own reports would only fill the test's output.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const bool spawned = posix_spawnp(&m_pid, "weston", &actions, nullptr, argv.data(), environment.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!spawned) {
      m_pid = -1;
      return false;
    }
    constexpr int kStartTries = 400;
    for (int tries = 0; tries < kStartTries; ++tries) {
      if (std::filesystem::exists(SocketPath()))
        return true;
      if (::waitpid(m_pid, nullptr, WNOHANG) != 0) {
        m_pid = -1;
        return false;
      }
      ::usleep(25000);
    }
    return false;
  }

  // The variables that put a child on this compositor, by the socket's full path.
  std::vector<std::string> ChildVariables() const
  {
    return {"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=" + SocketPath()};
  }

  // Ends the compositor, as a crash of the desktop's shell would end it for its clients.
  void Stop()
  {
    if (m_pid > 0) {
      ::kill(m_pid, SIGTERM);
      ::waitpid(m_pid, nullptr, 0);
      m_pid = -1;
    }
    std::error_code ignored;
    if (!m_folder.empty())
      std::filesystem::remove_all(m_folder, ignored);
    m_folder.clear();
  }

private:
  static constexpr const char* kSocket = "panecraft-test";
  std::string SocketPath() const { return m_folder + "/" + kSocket; }

  pid_t m_pid = -1;
  std::string m_folder;
};
