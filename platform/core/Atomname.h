#pragma once
// The names a file's writer makes beside it, each within its folder's limit on the length of a
// name (the file system's NAME_MAX, in bytes): the hidden temporary name of a write, the twin a
// complete copy keeps, and the names the user sees ("NAME.saved.EXT", a recovery copy's), cut
// where they must be at a character boundary, so no name is refused for its length.
#include <ctime>

#include "platform/core/String.h"
#include "platform/core/Types.h"

// The folder of a path ("." for a bare name) and the name after its last slash.
CString FolderOfPath(const CString& path);
CString NameOfPath(const CString& path);

// The longest name, in bytes, the folder takes (the common 255 where the system does not say).
int NameLimitOf(const CString& folder);

// stem + ending in at most limit bytes: the stem is cut at its end, never inside a UTF-8
// character. An ending longer than the limit is cut in the same way.
CString FitName(const CString& stem, const CString& ending, int limit);

// TRUE when the file time a is later than b.
bool IsLater(const struct timespec& a, const struct timespec& b);

// "NAME.saved.EXT" beside the file at the path (then "NAME.saved-2.EXT", ...), NAME cut to fit
// the limit of the file's folder.
CString CompleteCopyPathFor(const CString& path, int attempt, int limit);

// A hidden name beside a file: ".STEM.PID.N.tmp" for the temporary file of a write by process
// PID, or ".STEM.PID.N.STAMP.tmp" for the twin of a complete copy, STAMP being the size, the
// modification time and the checksum (CRC-32) of the bytes the copy had when it was made, so
// that a copy changed since is told by its bytes. STEM is the file's name, or, where that would
// make a name past the limit, its start followed by a hash of the whole name, so files whose
// long names begin alike keep hidden names of their own.
struct CHiddenName
{
  CString stem;
  long pid = 0;
  bool twin = false;
  long long size = 0;
  struct timespec time
  {};
  // Twins made by earlier versions carry no checksum.
  bool hasChecksum = false;
  DWORD checksum = 0;

  // FALSE when the name has not one of those shapes.
  BOOL Parse(const CString& name);

  // The stem of the hidden names of a file of that name, in a folder of that limit.
  static CString StemFor(const CString& name, int limit);
  // The hidden name of the n-th write of this process.
  static CString TemporaryName(const CString& stem, unsigned n);
  // The twin's name for the temporary file of that name, stamped with that size, time and checksum.
  static CString TwinName(const CString& temporaryName, long long size, const struct timespec& time, DWORD checksum);
};
