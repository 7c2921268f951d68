#pragma once
// The folder a fuzz target writes its inputs into: made unique under $TMPDIR at the first call and
// removed with what is in it when the process exits, as a run that ends by its time or run limit
// does.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/BenchScratch.h"

// The target's one folder, named after it; the target cannot run without it.
inline const std::filesystem::path& FuzzTempFolder(const char* prefix)
{
  static const CBenchScratch folder(prefix);
  if (folder.Path().empty()) {
    std::perror(prefix);
    std::abort();
  }
  return folder.Path();
}
