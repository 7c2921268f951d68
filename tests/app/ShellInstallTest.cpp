// The installed tree: `cmake --install` into a temporary prefix puts the program, its catalogue,
// icon and desktop entry there; the installed program holds no build path and, started from
// another folder with an empty profile, finds the catalogue in its data folder.
#include <elf.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Dlgids.h"
#include "document/Doc.h"
#include "ui/dlg/Dialog.h"
#include "ui/frame/Frame.h"
#include "ui/docview/View.h"

extern char** environ;

namespace {
namespace fs = std::filesystem;

constexpr UINT kStoreDesignButton = 337;

std::string BinaryDir() { return std::getenv("PANECRAFT_BINARY_DIR"); }

// The bytes of the sections the program loads (what it can use at run time), debugging data left out.
std::string LoadedBytes(const std::string& path)
{
  const std::vector<unsigned char> bytes = ReadFileBytes(path);
  std::string loaded;
  Elf64_Ehdr header{};
  if (bytes.size() < sizeof header)
    return loaded;
  std::memcpy(&header, bytes.data(), sizeof header);
  for (int i = 0; i < header.e_shnum; ++i) {
    Elf64_Shdr section{};
    const size_t at = header.e_shoff + static_cast<size_t>(i) * header.e_shentsize;
    if (at + sizeof section > bytes.size())
      break;
    std::memcpy(&section, bytes.data() + at, sizeof section);
    if ((section.sh_flags & SHF_ALLOC) && section.sh_type != SHT_NOBITS &&
        section.sh_offset + section.sh_size <= bytes.size())
      loaded.append(reinterpret_cast<const char*>(bytes.data() + section.sh_offset), section.sh_size);
  }
  return loaded;
}

// True while another process holds the project's lock.
bool LockedElsewhere(const std::string& path)
{
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

pid_t StartInstalled(const std::string& program, const std::string& folder, const std::string& configHome,
                     const std::string& project)
{
  std::vector<std::string> settings = {"XDG_CONFIG_HOME=" + configHome, "QT_QPA_PLATFORM=offscreen"};
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable(*entry);
    if (variable.rfind("XDG_CONFIG_HOME=", 0) != 0 && variable.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
        variable.rfind("PANECRAFT_", 0) != 0)
      settings.push_back(variable);
  }
  std::vector<char*> environment;
  for (std::string& s : settings)
    environment.push_back(s.data());
  environment.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  std::string name = program;
  std::string argument = project;
  char* argv[] = {name.data(), argument.data(), nullptr};
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environment.data());
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

class InstallTest : public ShellTest
{
protected:
  // A project with one design, saved and closed, for the installed program to open.
  void WriteProject(const std::string& path)
  {
    ASSERT_TRUE(Start());
    CDoc* pDoc = ActiveProject();
    ASSERT_NE(pDoc, nullptr);
    SetWorkbenchQuantity(pDoc, 2);
    OnNextDialog([](CDialog& dialog) {
      SetControlText(dialog, IDC_NEW_DESIGN_NAME, "Porch");
      ClickButton(dialog, IDOK);
    });
    pDoc->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_COMMAND, kStoreDesignButton);
    service.filePaths.push_back(path.c_str());
    Command(ID_FILE_SAVE_AS);
    Command(ID_FILE_CLOSE);
    ASSERT_TRUE(Projects().empty());
  }
};
}  // namespace

TEST_F(InstallTest, TheInstalledProgramFindsItsCatalogueInItsDataFolder)
{
  const std::string prefix = ShellTempDir() + "/prefix";
  const std::string command = std::string("\"") + PANECRAFT_CMAKE_COMMAND + "\" --install \"" + BinaryDir() +
                              "\" --prefix \"" + prefix + "\" > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string program = prefix + "/bin/panecraft";
  ASSERT_TRUE(fs::exists(program));
  EXPECT_EQ(ReadFileBytes(prefix + "/share/panecraft/TXDB.SDF"), ReadFileBytes(BinaryDir() + "/productdata/TXDB.SDF"));
  EXPECT_TRUE(fs::exists(prefix + "/share/icons/hicolor/scalable/apps/panecraft.svg"));
  // The manual, page for page and picture for picture as in the repository.
  for (const auto& page : fs::recursive_directory_iterator(std::string(PANECRAFT_SOURCE_ROOT) + "app/help")) {
    if (!page.is_regular_file())
      continue;
    EXPECT_EQ(ReadFileBytes(prefix + "/share/panecraft/help/" +
                            fs::relative(page.path(), std::string(PANECRAFT_SOURCE_ROOT) + "app/help").string()),
              ReadFileBytes(page.path().string()))
        << page.path();
  }
  const std::vector<unsigned char> entry = ReadFileBytes(prefix + "/share/applications/panecraft.desktop");
  EXPECT_NE(std::string(entry.begin(), entry.end()).find("\nIcon=panecraft\n"), std::string::npos);
  // The project file type shows the program's icon: the desktop's own mime database, built from the
  // installed type, names it, and an icon named after the type is there for file managers that look so.
  EXPECT_EQ(ReadFileBytes(prefix + "/share/icons/hicolor/scalable/mimetypes/application-x-panecraft-project.svg"),
            ReadFileBytes(prefix + "/share/icons/hicolor/scalable/apps/panecraft.svg"));
  if (std::system("command -v update-mime-database > /dev/null") == 0) {
    const std::string update = "update-mime-database \"" + prefix + "/share/mime\" > /dev/null 2>&1";
    ASSERT_EQ(std::system(update.c_str()), 0) << update;
    const std::vector<unsigned char> icons = ReadFileBytes(prefix + "/share/mime/icons");
    EXPECT_NE(std::string(icons.begin(), icons.end()).find("application/x-panecraft-project:panecraft\n"),
              std::string::npos);
  }

  const std::string loaded = LoadedBytes(program);
  ASSERT_GT(loaded.size(), 100000u);
#ifndef PANECRAFT_MODULE_PATHS_COMPILED_IN
  EXPECT_EQ(loaded.find(BinaryDir()), std::string::npos) << "the build folder is compiled in";
  EXPECT_EQ(loaded.find(PANECRAFT_SOURCE_ROOT), std::string::npos) << "the source folder is compiled in";
#endif

  // Started elsewhere with an empty profile and a project to open: the project is opened (and
  // locked) only after the catalogue was read and checked, which ends the program when missing.
  const std::string folder = ShellTempDir() + "/elsewhere";
  const std::string configHome = ShellTempDir() + "/empty-config";
  fs::create_directories(folder);
  fs::create_directories(configHome);
  const std::string project = folder + "/Porch.tpf";
  WriteProject(project);
  ASSERT_FALSE(LockedElsewhere(project));
  const pid_t pid = StartInstalled(program, folder, configHome, project);
  ASSERT_GT(pid, 0);
  bool exited = false;
  const bool opened = PumpUntil([&] {
    int status = 0;
    exited = ::waitpid(pid, &status, WNOHANG) == pid;
    return exited || LockedElsewhere(project);
  });
  if (!exited) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
  EXPECT_TRUE(opened && !exited) << "the installed program ended or never opened the project";
  EXPECT_FALSE(fs::exists(folder + "/TXDB.SDF"));
}
