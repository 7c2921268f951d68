#include "platform/core/String.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <vector>

namespace {

locale_t CLocale()
{
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

bool IsCSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
unsigned char AsciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }
unsigned char AsciiUpper(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

std::string VFormat(const char* format, va_list args)
{
  CCNumericLocaleScope scope;
  va_list copy;
  va_copy(copy, args);
  char small[256];
  int n = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n < 0)
    return std::string();
  if (static_cast<size_t>(n) < sizeof small)
    return std::string(small, static_cast<size_t>(n));
  std::vector<char> big(static_cast<size_t>(n) + 1);
  std::vsnprintf(big.data(), big.size(), format, args);
  return std::string(big.data(), static_cast<size_t>(n));
}

// Code points of bytes 0x80..0x9F in Windows-1252; 0 where the byte is unassigned.
constexpr char32_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp)
{
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char FromCodePoint(char32_t cp)
{
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
    return static_cast<char>(cp);
  // Bytes that Windows-1252 leaves unassigned travel as their own code points.
  if (cp >= 0x80 && cp < 0xA0 && kCp1252High[cp - 0x80] == 0)
    return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == cp)
      return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

CCNumericLocaleScope::CCNumericLocaleScope() : m_previous(uselocale(CLocale())) {}
CCNumericLocaleScope::~CCNumericLocaleScope() { uselocale(static_cast<locale_t>(m_previous)); }

double StrToDouble(const char* text, const char** end)
{
  char* e = nullptr;
  double v = strtod_l(text ? text : "", &e, CLocale());
  if (end)
    *end = e;
  return v;
}

long StrToLong(const char* text, const char** end, int base)
{
  char* e = nullptr;
  long v = strtol_l(text ? text : "", &e, base, CLocale());
  if (end)
    *end = e;
  return v;
}

int CString::Compare(const char* other) const
{
  int r = std::strcmp(m_s.c_str(), other ? other : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* other) const
{
  const unsigned char* a = reinterpret_cast<const unsigned char*>(m_s.c_str());
  const unsigned char* b = reinterpret_cast<const unsigned char*>(other ? other : "");
  for (;; ++a, ++b) {
    unsigned char ca = AsciiLower(*a), cb = AsciiLower(*b);
    if (ca != cb)
      return ca < cb ? -1 : 1;
    if (ca == 0)
      return 0;
  }
}

CString CString::Left(int count) const
{
  count = std::clamp(count, 0, GetLength());
  return CString(m_s.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength() - std::max(first, 0)); }

CString CString::Mid(int first, int count) const
{
  first = std::max(first, 0);
  count = std::max(count, 0);
  if (first > GetLength())
    return CString();
  count = std::min(count, GetLength() - first);
  return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
  count = std::clamp(count, 0, GetLength());
  return CString(m_s.substr(m_s.size() - static_cast<size_t>(count)));
}

CString CString::SpanIncluding(const char* set) const
{
  return Left(static_cast<int>(std::strspn(m_s.c_str(), set ? set : "")));
}

CString CString::SpanExcluding(const char* set) const
{
  return Left(static_cast<int>(std::strcspn(m_s.c_str(), set ? set : "")));
}

int CString::Find(char ch, int start) const
{
  if (start < 0 || start > GetLength())
    return -1;
  size_t p = m_s.find(ch, static_cast<size_t>(start));
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* sub, int start) const
{
  if (start < 0 || start > GetLength())
    return -1;
  size_t p = m_s.find(sub ? sub : "", static_cast<size_t>(start));
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const
{
  size_t p = m_s.rfind(ch);
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const char* set) const
{
  size_t p = m_s.find_first_of(set ? set : "");
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

void CString::MakeUpper()
{
  for (char& c : m_s)
    c = static_cast<char>(AsciiUpper(static_cast<unsigned char>(c)));
}

void CString::MakeLower()
{
  for (char& c : m_s)
    c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
}

void CString::TrimLeft()
{
  size_t i = 0;
  while (i < m_s.size() && IsCSpace(static_cast<unsigned char>(m_s[i])))
    ++i;
  m_s.erase(0, i);
}

void CString::TrimRight()
{
  size_t n = m_s.size();
  while (n > 0 && IsCSpace(static_cast<unsigned char>(m_s[n - 1])))
    --n;
  m_s.resize(n);
}

void CString::TrimLeft(char ch)
{
  size_t i = 0;
  while (i < m_s.size() && m_s[i] == ch)
    ++i;
  m_s.erase(0, i);
}

void CString::TrimRight(char ch)
{
  size_t n = m_s.size();
  while (n > 0 && m_s[n - 1] == ch)
    --n;
  m_s.resize(n);
}

int CString::Replace(const char* from, const char* to)
{
  std::string f = from ? from : "", t = to ? to : "";
  if (f.empty())
    return 0;
  int count = 0;
  for (size_t p = m_s.find(f); p != std::string::npos; p = m_s.find(f, p + t.size())) {
    m_s.replace(p, f.size(), t);
    ++count;
  }
  return count;
}

void CString::Format(const char* format, ...)
{
  va_list args;
  va_start(args, format);
  m_s = VFormat(format, args);
  va_end(args);
}

CString CString::Formatted(const char* format, ...)
{
  va_list args;
  va_start(args, format);
  CString s(VFormat(format, args));
  va_end(args);
  return s;
}

std::string CString::ToUtf8() const
{
  std::string out;
  out.reserve(m_s.size());
  for (unsigned char c : m_s) {
    char32_t cp = c;
    if (c >= 0x80 && c < 0xA0)
      cp = kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : c;
    AppendUtf8(out, cp);
  }
  return out;
}

CString CString::FromUtf8(std::string_view utf8)
{
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    char32_t cp;
    size_t len;
    if (c < 0x80) {
      cp = c;
      len = 1;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      len = 2;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      len = 3;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      len = 4;
    } else {
      out += '?';
      ++i;
      continue;
    }
    if (i + len > utf8.size()) {
      out += '?';
      break;
    }
    for (size_t k = 1; k < len; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out += FromCodePoint(cp);
    i += len;
  }
  return CString(std::move(out));
}

CString CString::FirstUnrepresentable(std::string_view utf8)
{
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    if (len == 1 || i + len > utf8.size()) {
      ++i;
      continue;
    }
    char32_t cp = c & (0x7F >> len);
    for (size_t k = 1; k < len; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    if (FromCodePoint(cp) == '?')
      return CString(std::string(utf8.substr(i, len)));
    i += len;
  }
  return CString();
}
