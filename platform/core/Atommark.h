#pragma once
// The mark a file written in place carries while the complete copy of such a write may wait
// beside it: an extended attribute (user.*) with one entry for each such write, so that an open
// through a name of the file in another folder than the write's finds the copy. An entry names
// the file by its inode (a copy of the file that took its attributes is another inode), the twin
// of the complete copy by its name, and the name the write wrote through by its absolute path,
// whose folder holds the twin and the copy. Where the file system keeps no extended attributes
// there is no mark, and only the names in the file's own folder lead to a copy.
#include <string>
#include <vector>

#include "platform/core/String.h"

constexpr char kCopyMarkAttribute[] = "user.panecraft.copies";

struct CCopyMark
{
  unsigned long long inode = 0;
  CString twin;
  CString path;

  // The twin's path: beside the name written.
  CString TwinPath() const;
  bool operator==(const CCopyMark&) const = default;

  // The entries of the attribute's value, each "INODE TWIN" followed by the path (which begins
  // with a slash, as no name does) and a zero byte; what has not that shape is left out.
  static std::vector<CCopyMark> Parse(const std::string& value);
  static std::string Format(const std::vector<CCopyMark>& marks);
};

// The value of the named extended attribute of the file at the path (its links followed); FALSE
// where it has none or the system keeps none.
bool ReadAttribute(const CString& path, const char* name, std::vector<char>& value);

// The marks the file at the path carries; none where it carries none.
std::vector<CCopyMark> CopyMarksOf(const CString& path);
// Gives the file those marks; the attribute goes where there are none. What the system refuses
// (no attributes there) is left as it is.
void SetCopyMarks(const CString& path, const std::vector<CCopyMark>& marks);
