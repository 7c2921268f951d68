#pragma once
// Little-endian loads and stores of the product database's binary fields. Records are packed
// without alignment, so every access goes byte by byte.
#include <bit>
#include <cstdint>

#include "platform/core/Types.h"

inline std::uint16_t SdfLoadU16(const BYTE* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

inline std::uint32_t SdfLoadU32(const BYTE* p)
{
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t SdfLoadU64(const BYTE* p)
{
  return static_cast<std::uint64_t>(SdfLoadU32(p)) | (static_cast<std::uint64_t>(SdfLoadU32(p + 4)) << 32);
}

inline float SdfLoadFloat(const BYTE* p) { return std::bit_cast<float>(SdfLoadU32(p)); }
inline double SdfLoadDouble(const BYTE* p) { return std::bit_cast<double>(SdfLoadU64(p)); }

inline void SdfStoreU16(BYTE* p, std::uint16_t v)
{
  p[0] = static_cast<BYTE>(v);
  p[1] = static_cast<BYTE>(v >> 8);
}

inline void SdfStoreU32(BYTE* p, std::uint32_t v)
{
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<BYTE>(v >> (8 * i));
}

inline void SdfStoreU64(BYTE* p, std::uint64_t v)
{
  SdfStoreU32(p, static_cast<std::uint32_t>(v));
  SdfStoreU32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

inline void SdfStoreFloat(BYTE* p, float v) { SdfStoreU32(p, std::bit_cast<std::uint32_t>(v)); }
inline void SdfStoreDouble(BYTE* p, double v) { SdfStoreU64(p, std::bit_cast<std::uint64_t>(v)); }
