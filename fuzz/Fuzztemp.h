#pragma once
// The folder a fuzz target writes its inputs into: made unique under $TMPDIR at the first call and
// removed with what is in it when the process exits, as a run that ends by its time or run limit
// does.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <stdlib.h>

class CFuzzTempFolder
{
public:
  explicit CFuzzTempFolder(const char* prefix)
  {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + ".XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) {
      std::perror(pattern.c_str());
      std::abort();
    }
    m_path = pattern;
  }
  ~CFuzzTempFolder()
  {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  CFuzzTempFolder(const CFuzzTempFolder&) = delete;
  CFuzzTempFolder& operator=(const CFuzzTempFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }

private:
  std::filesystem::path m_path;
};

// The target's one folder, named after it.
inline const std::filesystem::path& FuzzTempFolder(const char* prefix)
{
  static const CFuzzTempFolder folder(prefix);
  return folder.Path();
}
