#pragma once
// An X server of the test's own (Xvfb on a display number it picks itself), for tests that take
// the display away from a program under test.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
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
