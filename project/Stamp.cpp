#include "project/Stamp.h"

#include "platform/core/Archive.h"
#include "support/Exceptn.h"

namespace {
constexpr const char* kModule = "Stamp";
constexpr int kUnsupportedLine = 31;
}  // namespace

DWORD SerializeVersionStamp(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar << kCurrentVersionStamp;
    return kCurrentVersionStamp;
  }
  DWORD stamp = 0;
  ar >> stamp;
  CheckVersion(stamp);
  return stamp;
}

void CheckVersion(long long version)
{
  if (version < static_cast<long long>(kOldestVersionStamp))
    throw CAppSerializeException(kModule, kUnsupportedLine, CAppSerializeException::unsupportedVersion);
}
