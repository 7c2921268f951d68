#pragma once
// CRC-32 (IEEE 802.3, reflected polynomial 0xEDB88320) register updates: the checksum of stored
// objects, and the file writer's check that the bytes it copied are the bytes it was given.
// The register starts at kCrc32Start; the checksum is its complement.
#include <cstddef>

#include "platform/core/Types.h"

constexpr DWORD kCrc32Start = 0xFFFFFFFFu;

// The register after the bytes, by the fastest of the updates below this processor has.
DWORD Crc32Update(DWORD reg, const void* buffer, size_t length);

// TRUE when the file at the path (its links followed) is the one of that device and inode and
// holds the bytes of that checksum, as many as the size; FALSE too where it cannot be read.
bool FileHoldsBytes(const char* path, unsigned long long device, unsigned long long inode, long long size,
                    DWORD checksum);

// The checksum of the bytes the open file holds, from its start to its end as it reads now, and
// their count. FALSE, with errno set, when the file cannot be read.
bool Crc32OfFile(int fd, DWORD& checksum, long long& length);

// The three updates, visible so tests can hold them against each other.
namespace checksum_detail {

// Slicing-by-8 tables; works everywhere.
DWORD UpdateTable(DWORD reg, const BYTE* p, size_t length);
// Carry-less multiplication folding; only where the processor has it (see HasClmul).
DWORD UpdateClmul(DWORD reg, const BYTE* p, size_t length);
bool HasClmul();
// The same folding four lanes at a time; only where the processor has 512-bit carry-less
// multiplication (see HasWideClmul).
DWORD UpdateWide(DWORD reg, const BYTE* p, size_t length);
bool HasWideClmul();

}  // namespace checksum_detail
