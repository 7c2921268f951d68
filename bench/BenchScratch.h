#pragma once
// A folder of a bench's (or a fuzz target's) own under $TMPDIR for what its run writes, removed
// with its contents when the process exits; its path is empty when no folder could be made.
#include <filesystem>
#include <string>
#include <system_error>

#include <stdlib.h>

class CBenchScratch
{
public:
  explicit CBenchScratch(const char* prefix)
  {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + ".XXXXXX")).string();
    if (::mkdtemp(pattern.data()))
      m_path = pattern;
  }
  ~CBenchScratch()
  {
    std::error_code ec;
    if (!m_path.empty())
      std::filesystem::remove_all(m_path, ec);
  }
  CBenchScratch(const CBenchScratch&) = delete;
  CBenchScratch& operator=(const CBenchScratch&) = delete;

  const std::filesystem::path& Path() const { return m_path; }

private:
  std::filesystem::path m_path;
};
