#include "platform/core/Atommark.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sys/xattr.h>

#include "platform/core/Atomname.h"

CString CCopyMark::TwinPath() const { return FolderOfPath(path) + "/" + twin; }

std::vector<CCopyMark> CCopyMark::Parse(const std::string& value)
{
  std::vector<CCopyMark> marks;
  for (size_t at = 0; at < value.size();) {
    const size_t end = std::min(value.find('\0', at), value.size());
    const std::string entry = value.substr(at, end - at);
    at = end + 1;
    const size_t space = entry.find(' ');
    const size_t slash = entry.find('/');
    if (space == 0 || space == std::string::npos || slash == std::string::npos || slash <= space + 1 ||
        entry.find_first_not_of("0123456789") != space)
      continue;
    CCopyMark mark;
    errno = 0;
    mark.inode = std::strtoull(entry.c_str(), nullptr, 10);
    if (errno == ERANGE)
      continue;
    mark.twin = CString(entry.substr(space + 1, slash - space - 1));
    mark.path = CString(entry.substr(slash));
    marks.push_back(mark);
  }
  return marks;
}

std::string CCopyMark::Format(const std::vector<CCopyMark>& marks)
{
  std::string value;
  for (const CCopyMark& mark : marks)
    value += std::to_string(mark.inode) + " " + mark.twin.str() + mark.path.str() + '\0';
  return value;
}

bool ReadAttribute(const CString& path, const char* name, std::vector<char>& value)
{
  for (;;) {
    const ssize_t size = ::getxattr(path.c_str(), name, nullptr, 0);
    if (size < 0)
      return false;
    value.resize(static_cast<size_t>(size));
    const ssize_t n = ::getxattr(path.c_str(), name, value.data(), value.size());
    if (n >= 0) {
      value.resize(static_cast<size_t>(n));
      return true;
    }
    if (errno != ERANGE)
      return false;
  }
}

std::vector<CCopyMark> CopyMarksOf(const CString& path)
{
  std::vector<char> value;
  if (!ReadAttribute(path, kCopyMarkAttribute, value))
    return {};
  return CCopyMark::Parse(std::string(value.begin(), value.end()));
}

void SetCopyMarks(const CString& path, const std::vector<CCopyMark>& marks)
{
  if (marks.empty()) {
    ::removexattr(path.c_str(), kCopyMarkAttribute);
    return;
  }
  const std::string value = CCopyMark::Format(marks);
  ::setxattr(path.c_str(), kCopyMarkAttribute, value.data(), value.size(), 0);
}
