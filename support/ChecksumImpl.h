#pragma once
// The two CRC-32 register updates behind CChecksum, visible so tests can hold them against each other.
#include <cstddef>

#include "platform/core/Types.h"

namespace checksum_detail {

// Slicing-by-8 tables; works everywhere.
DWORD UpdateTable(DWORD reg, const BYTE* p, size_t length);
// Carry-less multiplication folding; only where the processor has it (see HasClmul).
DWORD UpdateClmul(DWORD reg, const BYTE* p, size_t length);
bool HasClmul();

}  // namespace checksum_detail
