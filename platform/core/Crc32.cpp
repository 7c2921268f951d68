#include "platform/core/Crc32.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

using Tables = std::array<std::array<DWORD, 256>, 8>;

// Slicing-by-8: table[k][b] is the register contribution of byte b seen k bytes earlier.
constexpr Tables MakeTables()
{
  Tables t{};
  for (DWORD i = 0; i < 256; ++i) {
    DWORD c = i;
    for (int k = 0; k < 8; ++k)
      c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (DWORD i = 0; i < 256; ++i)
    for (int k = 1; k < 8; ++k)
      t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

constexpr Tables kTables = MakeTables();

}  // namespace

DWORD Crc32Update(DWORD reg, const void* buffer, size_t length)
{
  const BYTE* p = static_cast<const BYTE*>(buffer);
  static const bool wide = checksum_detail::HasWideClmul();
  static const bool clmul = checksum_detail::HasClmul();
  if (wide)
    return checksum_detail::UpdateWide(reg, p, length);
  return clmul ? checksum_detail::UpdateClmul(reg, p, length) : checksum_detail::UpdateTable(reg, p, length);
}

bool Crc32OfFile(int fd, DWORD& checksum, long long& length)
{
  std::vector<BYTE> buffer(1 << 16);
  DWORD reg = kCrc32Start;
  long long at = 0;
  for (;;) {
    const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), at);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      return false;
    if (n == 0)
      break;
    reg = Crc32Update(reg, buffer.data(), static_cast<size_t>(n));
    at += n;
  }
  checksum = ~reg;
  length = at;
  return true;
}

bool FileHoldsBytes(const char* path, unsigned long long device, unsigned long long inode, long long size,
                    DWORD checksum)
{
  // Not blocked by a pipe put in the file's place.
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return false;
  struct stat st
  {};
  DWORD held = 0;
  long long length = 0;
  const bool holds = ::fstat(fd, &st) == 0 && st.st_dev == device && st.st_ino == inode &&
                     Crc32OfFile(fd, held, length) && length == size && held == checksum;
  ::close(fd);
  return holds;
}

namespace checksum_detail {

DWORD UpdateTable(DWORD c, const BYTE* p, size_t length)
{
  while (length >= 8) {
    DWORD lo, hi;
    std::memcpy(&lo, p, 4);
    std::memcpy(&hi, p + 4, 4);
    lo ^= c;
    c = kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^ kTables[4][lo >> 24] ^
        kTables[3][hi & 0xFF] ^ kTables[2][(hi >> 8) & 0xFF] ^ kTables[1][(hi >> 16) & 0xFF] ^ kTables[0][hi >> 24];
    p += 8;
    length -= 8;
  }
  while (length-- > 0)
    c = kTables[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
  return c;
}

#if defined(__x86_64__)

bool HasClmul() { return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1"); }

// x^(8n+32) (low) and x^(8n-32) (high) modulo the polynomial, reflected: the pair that folds 16
// bytes of register n bytes ahead.
constexpr long long kAhead64Low = 0x0154442bd4, kAhead64High = 0x01c6e41596;
constexpr long long kAhead256Low = 0x011542778a, kAhead256High = 0x01322d1430;

__attribute__((target("pclmul,sse4.1"))) inline __m128i Load(const BYTE* q)
{
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

__attribute__((target("pclmul,sse4.1"))) inline __m128i Fold(__m128i x, __m128i k, __m128i data)
{
  __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
  __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(hi, lo), data);
}

// From 64 bytes of folded register (x1 first) and the bytes left: folds 16 bytes at a time, then
// reduces to 32 bits (Barrett). The constants are powers of x modulo the reflected polynomial;
// they must not change.
__attribute__((target("pclmul,sse4.1"))) DWORD FinishClmul(__m128i x1, __m128i x2, __m128i x3, __m128i x4,
                                                           const BYTE* p, size_t length)
{
  alignas(16) static const std::uint64_t k3k4[] = {0x01751997d0, 0x00ccaa009e};
  alignas(16) static const std::uint64_t k5k0[] = {0x0163cd6124, 0x0000000000};
  alignas(16) static const std::uint64_t poly[] = {0x01db710641, 0x01f7011641};

  __m128i x0 = _mm_load_si128(reinterpret_cast<const __m128i*>(k3k4));
  x1 = Fold(x1, x0, x2);
  x1 = Fold(x1, x0, x3);
  x1 = Fold(x1, x0, x4);
  while (length >= 16) {
    x1 = Fold(x1, x0, Load(p));
    p += 16;
    length -= 16;
  }
  // 128 bits to 64.
  x2 = _mm_clmulepi64_si128(x1, x0, 0x10);
  x3 = _mm_setr_epi32(~0, 0, ~0, 0);
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2);
  x0 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(k5k0));
  x2 = _mm_srli_si128(x1, 4);
  x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, x3), x0, 0x00), x2);
  // 64 bits to 32.
  x0 = _mm_load_si128(reinterpret_cast<const __m128i*>(poly));
  x2 = _mm_and_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, x3), x0, 0x10), x3);
  x2 = _mm_clmulepi64_si128(x2, x0, 0x00);
  x1 = _mm_xor_si128(x1, x2);
  const DWORD c = static_cast<DWORD>(_mm_extract_epi32(x1, 1));
  return UpdateTable(c, p, length);
}

// Folds 64 bytes at a time with carry-less multiplication.
__attribute__((target("pclmul,sse4.1"))) DWORD UpdateClmul(DWORD reg, const BYTE* p, size_t length)
{
  if (length < 64)
    return UpdateTable(reg, p, length);
  __m128i x1 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(reg)));
  __m128i x2 = Load(p + 16), x3 = Load(p + 32), x4 = Load(p + 48);
  const __m128i x0 = _mm_set_epi64x(kAhead64High, kAhead64Low);
  p += 64;
  length -= 64;
  while (length >= 64) {
    x1 = Fold(x1, x0, Load(p));
    x2 = Fold(x2, x0, Load(p + 16));
    x3 = Fold(x3, x0, Load(p + 32));
    x4 = Fold(x4, x0, Load(p + 48));
    p += 64;
    length -= 64;
  }
  return FinishClmul(x1, x2, x3, x4, p, length);
}

bool HasWideClmul() { return HasClmul() && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("vpclmulqdq"); }

__attribute__((target("avx512f,vpclmulqdq,pclmul,sse4.1"))) inline __m512i FoldWide(__m512i x, __m512i k, __m512i data)
{
  // The two products and the data, exclusive-ored in one instruction.
  return _mm512_ternarylogic_epi64(_mm512_clmulepi64_epi128(x, k, 0x00), _mm512_clmulepi64_epi128(x, k, 0x11), data,
                                   0x96);
}

// As UpdateClmul, four 16-byte lanes per instruction: 256 bytes a turn, then the 64 bytes left
// folded into the 16-byte lanes UpdateClmul ends with.
__attribute__((target("avx512f,vpclmulqdq,pclmul,sse4.1"))) DWORD UpdateWide(DWORD reg, const BYTE* p, size_t length)
{
  if (length < 256)
    return UpdateClmul(reg, p, length);
  // Every lane folds 256 bytes ahead, then 64.
  const __m512i k256 = _mm512_set4_epi64(kAhead256High, kAhead256Low, kAhead256High, kAhead256Low);
  const __m512i k64 = _mm512_set4_epi64(kAhead64High, kAhead64Low, kAhead64High, kAhead64Low);
  __m512i z1 =
      _mm512_xor_si512(_mm512_loadu_si512(p), _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(reg))));
  __m512i z2 = _mm512_loadu_si512(p + 64), z3 = _mm512_loadu_si512(p + 128), z4 = _mm512_loadu_si512(p + 192);
  p += 256;
  length -= 256;
  while (length >= 256) {
    z1 = FoldWide(z1, k256, _mm512_loadu_si512(p));
    z2 = FoldWide(z2, k256, _mm512_loadu_si512(p + 64));
    z3 = FoldWide(z3, k256, _mm512_loadu_si512(p + 128));
    z4 = FoldWide(z4, k256, _mm512_loadu_si512(p + 192));
    p += 256;
    length -= 256;
  }
  z1 = FoldWide(z1, k64, z2);
  z1 = FoldWide(z1, k64, z3);
  z1 = FoldWide(z1, k64, z4);
  while (length >= 64) {
    z1 = FoldWide(z1, k64, _mm512_loadu_si512(p));
    p += 64;
    length -= 64;
  }
  alignas(64) __m128i lanes[4];
  _mm512_store_si512(lanes, z1);
  return FinishClmul(lanes[0], lanes[1], lanes[2], lanes[3], p, length);
}

#else

bool HasClmul() { return false; }
bool HasWideClmul() { return false; }
DWORD UpdateClmul(DWORD reg, const BYTE* p, size_t length) { return UpdateTable(reg, p, length); }
DWORD UpdateWide(DWORD reg, const BYTE* p, size_t length) { return UpdateTable(reg, p, length); }

#endif

}  // namespace checksum_detail
