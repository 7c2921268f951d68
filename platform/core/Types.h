#pragma once
// Plain Windows-style scalar types used across the program's interfaces.
#include <cassert>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using COLORREF = std::uint32_t;
using LPCTSTR = const char*;
using LPTSTR = char*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Opaque iterator of the collection classes.
struct CPositionTag
{};
using POSITION = CPositionTag*;

#define ASSERT(x) assert(x)
#define VERIFY(x) ((void)(x))

constexpr COLORREF RGB(int r, int g, int b)
{
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
