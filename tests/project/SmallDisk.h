#pragma once
// A 64 KB file system mounted for one test, to fill the disk for real; unmounted at the end.
// Where mounting is not allowed, Path() is empty and the test says so and skips.
#include <filesystem>
#include <string>
#include <sys/mount.h>

class CSmallDisk
{
public:
  explicit CSmallDisk(const std::string& folder) : m_folder(folder)
  {
    std::filesystem::create_directory(folder);
    m_mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~CSmallDisk()
  {
    if (m_mounted)
      ::umount2(m_folder.c_str(), MNT_DETACH);
  }
  CSmallDisk(const CSmallDisk&) = delete;
  CSmallDisk& operator=(const CSmallDisk&) = delete;
  std::string Path() const { return m_mounted ? m_folder : std::string(); }

private:
  std::string m_folder;
  bool m_mounted = false;
};
