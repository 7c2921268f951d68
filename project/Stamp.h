#pragma once
// The version stamp that opens the stored form of every persistent project class: 10000 is
// written, and anything below 9236 is refused on loading (files stamped 9236..9999 still load).
#include "platform/core/Types.h"

class CArchive;

constexpr DWORD kCurrentVersionStamp = 10000;
constexpr DWORD kOldestVersionStamp = 9236;

// Writes or reads the stamp and returns it; a stamp below the oldest one throws
// CAppSerializeException (unsupported version).
DWORD SerializeVersionStamp(CArchive& ar);

// Throws CAppSerializeException (unsupported version) when the version is below the oldest one.
void CheckVersion(long long version);
