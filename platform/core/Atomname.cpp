#include "platform/core/Atomname.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// ".PID.N.STAMP.tmp" at its longest: a process id and a counter of ten digits each, a stamp of
// a 64-bit size, 64-bit seconds, nanoseconds and a 32-bit checksum in hexadecimal.
constexpr int kLongestHiddenEnding = 1 + 10 + 1 + 10 + 1 + (16 + 1 + 16 + 1 + 8 + 1 + 8) + 4;
constexpr char kHiddenEnding[] = ".tmp";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// At most that many bytes of the text, never ending inside a UTF-8 character.
CString CutText(const CString& text, int bytes)
{
  if (bytes >= text.GetLength())
    return text;
  int keep = bytes < 0 ? 0 : bytes;
  while (keep > 0 && IsContinuationByte(text[keep]))
    --keep;
  return text.Left(keep);
}

// FNV-1a: stable from one run and one build to the next, as a name left by a killed write must
// be found by the next.
std::uint64_t HashOf(const CString& text)
{
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text.str()) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

// The last dot-separated part of the text, taken off it; false when no dot is left.
bool TakeLastPart(std::string& text, std::string& part)
{
  const size_t dot = text.rfind('.');
  if (dot == std::string::npos)
    return false;
  part = text.substr(dot + 1);
  text.erase(dot);
  return true;
}

bool ParseNumber(const std::string& text, int base, unsigned long long& value)
{
  if (text.empty() || text.size() > 16 || text.find_first_not_of("0123456789abcdef") != std::string::npos)
    return false;
  if (base == 10 && text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  value = std::stoull(text, nullptr, base);
  return true;
}

// "SIZE-SECONDS-NANOSECONDS-CHECKSUM", each in hexadecimal; a twin an earlier version made has no
// checksum.
bool ParseStamp(const std::string& stamp, CHiddenName& name)
{
  std::vector<unsigned long long> fields;
  for (size_t from = 0;;) {
    const size_t dash = stamp.find('-', from);
    unsigned long long value = 0;
    if (!ParseNumber(stamp.substr(from, dash == std::string::npos ? dash : dash - from), 16, value))
      return false;
    fields.push_back(value);
    if (dash == std::string::npos)
      break;
    from = dash + 1;
  }
  if (fields.size() < 3 || fields.size() > 4 || fields[2] >= 1000000000ULL ||
      (fields.size() == 4 && fields[3] > 0xFFFFFFFFULL))
    return false;
  name.size = static_cast<long long>(fields[0]);
  name.time.tv_sec = static_cast<time_t>(fields[1]);
  name.time.tv_nsec = static_cast<long>(fields[2]);
  name.hasChecksum = fields.size() == 4;
  name.checksum = name.hasChecksum ? static_cast<DWORD>(fields[3]) : 0;
  return true;
}

}  // namespace

CString FolderOfPath(const CString& path)
{
  const int slash = path.ReverseFind('/');
  return slash < 0 ? CString(".") : slash == 0 ? CString("/") : path.Left(slash);
}

CString NameOfPath(const CString& path) { return path.Mid(path.ReverseFind('/') + 1); }

int NameLimitOf(const CString& folder)
{
  const long limit = ::pathconf(folder.IsEmpty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return limit > 0 && limit < INT_MAX ? static_cast<int>(limit) : NAME_MAX;
}

CString FitName(const CString& stem, const CString& ending, int limit)
{
  if (ending.GetLength() > limit)
    return CutText(ending, limit);
  return CutText(stem, limit - ending.GetLength()) + ending;
}

CString CompleteCopyPathFor(const CString& path, int attempt, int limit)
{
  const CString name = NameOfPath(path);
  const int dot = name.ReverseFind('.');
  const bool hasExtension = dot > 0;
  const CString stem = hasExtension ? name.Left(dot) : name;
  const CString extension = hasExtension ? name.Mid(dot) : CString();
  const CString saved = attempt == 1 ? CString(".saved") : CString::Formatted(".saved-%d", attempt);
  return path.Left(path.ReverseFind('/') + 1) + FitName(stem, saved + extension, limit);
}

BOOL CHiddenName::Parse(const CString& hidden)
{
  const std::string& text = hidden.str();
  const size_t endingLength = sizeof kHiddenEnding - 1;
  if (text.size() <= 1 + endingLength || text[0] != '.' ||
      text.compare(text.size() - endingLength, endingLength, kHiddenEnding) != 0)
    return FALSE;
  std::string rest = text.substr(1, text.size() - 1 - endingLength);
  std::string part;
  if (!TakeLastPart(rest, part))
    return FALSE;
  twin = part.find('-') != std::string::npos;
  if (twin && (!ParseStamp(part, *this) || !TakeLastPart(rest, part)))
    return FALSE;
  unsigned long long counter = 0, process = 0;
  if (!ParseNumber(part, 10, counter) || !TakeLastPart(rest, part) || !ParseNumber(part, 10, process) || process == 0 ||
      process > LONG_MAX || rest.empty())
    return FALSE;
  pid = static_cast<long>(process);
  stem = CString(rest);
  return TRUE;
}

CString CHiddenName::StemFor(const CString& name, int limit)
{
  if (1 + name.GetLength() + kLongestHiddenEnding <= limit)
    return name;
  return FitName(name, CString::Formatted("~%016llx", static_cast<unsigned long long>(HashOf(name))),
                 limit - 1 - kLongestHiddenEnding);
}

CString CHiddenName::TemporaryName(const CString& stem, unsigned n)
{
  return "." + stem + CString::Formatted(".%ld.%u", static_cast<long>(::getpid()), n) + kHiddenEnding;
}

bool IsLater(const struct timespec& a, const struct timespec& b)
{
  return a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec > b.tv_nsec);
}

CString CHiddenName::TwinName(const CString& temporaryName, long long size, const struct timespec& time, DWORD checksum)
{
  const int endingLength = static_cast<int>(sizeof kHiddenEnding - 1);
  return temporaryName.Left(temporaryName.GetLength() - endingLength) +
         CString::Formatted(".%llx-%llx-%lx-%lx", static_cast<unsigned long long>(size),
                            static_cast<unsigned long long>(time.tv_sec), static_cast<long>(time.tv_nsec),
                            static_cast<unsigned long>(checksum)) +
         kHiddenEnding;
}
