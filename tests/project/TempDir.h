#pragma once
// A scratch folder for one test, removed with everything in it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/Types.h"

class CTempDir
{
public:
  CTempDir()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "pcdoc.XXXXXX").string();
    m_path = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~CTempDir()
  {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  std::string Path(const std::string& name) const { return m_path + "/" + name; }
  const std::string& Dir() const { return m_path; }
  size_t EntryCount() const
  {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(m_path), {}));
  }

private:
  std::string m_path;
};

inline std::vector<BYTE> ReadFileBytes(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
