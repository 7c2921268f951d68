#pragma once
// 8-bit text in the Windows-1252 code page, as stored in project files and the product database.
// Numbers are always formatted in the "C" numeric locale, whatever the process locale is.
#include <compare>
#include <string>
#include <string_view>

#include "platform/core/Types.h"

class CString
{
public:
  CString() = default;
  CString(const char* text) : m_s(text ? text : "") {}
  CString(const char* text, int length)
    : m_s(text ? std::string(text, static_cast<size_t>(length > 0 ? length : 0)) : std::string())
  {}
  CString(char ch, int repeat = 1) : m_s(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}
  CString(std::string text) : m_s(std::move(text)) {}
  CString(std::string_view text) : m_s(text) {}

  int GetLength() const { return static_cast<int>(m_s.size()); }
  BOOL IsEmpty() const { return m_s.empty(); }
  void Empty() { m_s.clear(); }
  char GetAt(int index) const { return m_s.at(static_cast<size_t>(index)); }
  void SetAt(int index, char ch) { m_s.at(static_cast<size_t>(index)) = ch; }
  char operator[](int index) const { return GetAt(index); }
  operator const char*() const { return m_s.c_str(); }
  const char* c_str() const { return m_s.c_str(); }
  const std::string& str() const { return m_s; }

  CString& operator=(const char* text)
  {
    m_s = text ? text : "";
    return *this;
  }
  CString& operator=(char ch)
  {
    m_s.assign(1, ch);
    return *this;
  }
  CString& operator+=(const CString& other)
  {
    m_s += other.m_s;
    return *this;
  }
  CString& operator+=(const char* text)
  {
    if (text)
      m_s += text;
    return *this;
  }
  CString& operator+=(char ch)
  {
    m_s += ch;
    return *this;
  }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
  friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
  friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
  friend CString operator+(char a, const CString& b) { return CString(std::string(1, a) + b.m_s); }

  // Byte-wise comparisons (unsigned), as strcmp.
  int Compare(const char* other) const;
  // ASCII letters compare without case, as the "C" locale's stricmp.
  int CompareNoCase(const char* other) const;
  friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
  friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.Compare(b) <=> 0; }
  friend std::strong_ordering operator<=>(const CString& a, const char* b) { return a.Compare(b) <=> 0; }

  // Out-of-range arguments are clamped the way the class library does, never an error.
  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;
  CString SpanIncluding(const char* set) const;
  CString SpanExcluding(const char* set) const;

  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* set) const;

  void MakeUpper();
  void MakeLower();
  void TrimLeft();
  void TrimRight();
  void TrimLeft(char ch);
  void TrimRight(char ch);
  int Replace(const char* from, const char* to);

  // printf semantics in the "C" numeric locale.
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  static CString Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

  // Conversions at the boundary to UTF-8 (file names, Qt).
  std::string ToUtf8() const;
  static CString FromUtf8(std::string_view utf8);
  // The first character of the UTF-8 text that Windows-1252 cannot hold, as its UTF-8 bytes;
  // empty when every character fits.
  static CString FirstUnrepresentable(std::string_view utf8);

private:
  std::string m_s;
};

// Locale-independent number parsing ("C" numeric locale), for everything read from files or text.
double StrToDouble(const char* text, const char** end = nullptr);
long StrToLong(const char* text, const char** end = nullptr, int base = 10);
inline double atof_c(const char* text) { return StrToDouble(text); }

// Runs the enclosed scope with the "C" locale for this thread (printf/strtod families).
class CCNumericLocaleScope
{
public:
  CCNumericLocaleScope();
  ~CCNumericLocaleScope();
  CCNumericLocaleScope(const CCNumericLocaleScope&) = delete;
  CCNumericLocaleScope& operator=(const CCNumericLocaleScope&) = delete;

private:
  void* m_previous;
};
