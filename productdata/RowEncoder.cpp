#include "productdata/RowEncoder.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "productdb/Sdfbytes.h"

namespace {

// The result of turning a value into a number or a logical: ok, or the reason why not.
struct Parsed
{
  CString error;
  bool Ok() const { return error.IsEmpty(); }
};

CString Trimmed(const CString& text)
{
  CString t = text;
  t.TrimLeft();
  t.TrimRight();
  return t;
}

Parsed ParseInteger(const CString& text, long long& out)
{
  CString t = Trimmed(text);
  out = 0;
  if (t.IsEmpty())
    return {};
  const char* end = nullptr;
  long value = StrToLong(t, &end, 10);
  if (end != t.c_str() + t.GetLength())
    return {"'" + text + "' is not a whole number."};
  out = value;
  return {};
}

Parsed ParseReal(const CString& text, double& out)
{
  CString t = Trimmed(text);
  out = 0.0;
  if (t.IsEmpty())
    return {};
  const char* end = nullptr;
  out = StrToDouble(t, &end);
  if (end != t.c_str() + t.GetLength())
    return {"'" + text + "' is not a number."};
  return {};
}

Parsed ParseLogical(const CString& text, bool& out)
{
  CString t = Trimmed(text);
  out = false;
  if (t.IsEmpty())
    return {};
  static const char* const kTrue[] = {"1", "TRUE", "T", "YES", "Y"};
  static const char* const kFalse[] = {"0", "FALSE", "F", "NO", "N"};
  for (int i = 0; i < 5; ++i) {
    if (t.CompareNoCase(kTrue[i]) == 0) {
      out = true;
      return {};
    }
    if (t.CompareNoCase(kFalse[i]) == 0)
      return {};
  }
  return {"'" + text + "' is not a logical value."};
}

// Reads the digits of one date part and the separator after it.
bool DatePart(const char*& p, int digits, char separator, int& out)
{
  out = 0;
  for (int i = 0; i < digits; ++i, ++p) {
    if (*p < '0' || *p > '9')
      return false;
    out = out * 10 + (*p - '0');
  }
  if (separator && *p++ != separator)
    return false;
  return true;
}

Parsed ParseDate(const CString& text, SdfDate& out)
{
  CString t = Trimmed(text);
  out = SdfDate{1900, 0, 0, 0, 0, 0};
  if (t.IsEmpty())
    return {};
  const char* p = t.c_str();
  bool hasTime = t.GetLength() == 19;
  bool ok = (t.GetLength() == 10 || hasTime) && DatePart(p, 4, '-', out.year) && DatePart(p, 2, '-', out.month) &&
            DatePart(p, 2, hasTime ? ' ' : 0, out.day);
  if (ok && hasTime)
    ok = DatePart(p, 2, ':', out.hour) && DatePart(p, 2, ':', out.minute) && DatePart(p, 2, 0, out.second);
  if (!ok)
    return {"'" + text + "' is not a date of the form YYYY-MM-DD HH:MM:SS."};
  return {};
}

CString EncodeText(const SdfFieldLayout& field, const CString& text, BYTE* target)
{
  if (text.GetLength() > field.width)
    return CString::Formatted("text of %d bytes does not fit its width of %d.", text.GetLength(), field.width);
  std::memset(target, 0, static_cast<size_t>(field.width));
  std::memcpy(target, text.c_str(), static_cast<size_t>(text.GetLength()));
  return {};
}

CString EncodeInteger(const SdfFieldLayout& field, long long value, BYTE* target)
{
  if (field.kind == SdfFieldKind::Short) {
    if (value < INT16_MIN || value > INT16_MAX)
      return CString::Formatted("%lld is outside the range of a short.", value);
    SdfStoreU16(target, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    return {};
  }
  if (value < INT32_MIN || value > INT32_MAX)
    return CString::Formatted("%lld is outside the range of a long.", value);
  SdfStoreU32(target, static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
  return {};
}

CString EncodeReal(const SdfFieldLayout& field, double value, BYTE* target)
{
  // Keys must be totally ordered for the positions arrays to be sorted at all.
  if (!std::isfinite(value))
    return "a number must be finite.";
  if (field.kind == SdfFieldKind::Float) {
    if (std::fabs(value) > FLT_MAX)
      return CString::Formatted("%g is outside the range of a float.", value);
    SdfStoreFloat(target, static_cast<float>(value));
  } else {
    SdfStoreDouble(target, value);
  }
  return {};
}

int DaysInMonth(int year, int month)
{
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// The reader turns the bytes into a local time, which would quietly move a 31 April to 1 May.
CString EncodeDate(const SdfDate& d, BYTE* target)
{
  if (d.year == 1900 && d.month == 0 && d.day == 0) {
    std::memset(target, 0, 6);
    return {};
  }
  if (d.year < 1900 || d.year > 2155 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 || d.hour < 0 ||
      d.hour > 23 || d.minute < 0 || d.minute > 59 || d.second < 0 || d.second > 59 ||
      d.day > DaysInMonth(d.year, d.month))
    return CString::Formatted("%04d-%02d-%02d %02d:%02d:%02d is not a date the file can hold.", d.year, d.month, d.day,
                              d.hour, d.minute, d.second);
  const int parts[6] = {d.year - 1900, d.month, d.day, d.hour, d.minute, d.second};
  for (int i = 0; i < 6; ++i)
    target[i] = static_cast<BYTE>(parts[i]);
  return {};
}

CString EncodeFromText(const SdfFieldLayout& field, const CString& text, BYTE* target)
{
  switch (field.kind) {
  case SdfFieldKind::Text:
    return EncodeText(field, text, target);
  case SdfFieldKind::Short:
  case SdfFieldKind::Long: {
    long long value = 0;
    Parsed p = ParseInteger(text, value);
    return p.Ok() ? EncodeInteger(field, value, target) : p.error;
  }
  case SdfFieldKind::Float:
  case SdfFieldKind::Double: {
    double value = 0;
    Parsed p = ParseReal(text, value);
    return p.Ok() ? EncodeReal(field, value, target) : p.error;
  }
  case SdfFieldKind::Date: {
    SdfDate value;
    Parsed p = ParseDate(text, value);
    return p.Ok() ? EncodeDate(value, target) : p.error;
  }
  case SdfFieldKind::Logical: {
    bool value = false;
    Parsed p = ParseLogical(text, value);
    if (p.Ok())
      SdfStoreU16(target, value ? 0xFFFF : 0);
    return p.error;
  }
  }
  return "unknown field kind.";
}

bool IsIntegerKind(SdfFieldKind kind) { return kind == SdfFieldKind::Short || kind == SdfFieldKind::Long; }
bool IsRealKind(SdfFieldKind kind) { return kind == SdfFieldKind::Float || kind == SdfFieldKind::Double; }

}  // namespace

CString EncodeFieldValue(const SdfFieldLayout& field, const CSdfRow::Value& value, BYTE* target)
{
  if (const CString* text = std::get_if<CString>(&value))
    return EncodeFromText(field, *text, target);
  if (const long long* integer = std::get_if<long long>(&value)) {
    if (IsIntegerKind(field.kind))
      return EncodeInteger(field, *integer, target);
    if (IsRealKind(field.kind))
      return EncodeReal(field, static_cast<double>(*integer), target);
  } else if (const double* real = std::get_if<double>(&value)) {
    if (IsRealKind(field.kind))
      return EncodeReal(field, *real, target);
  } else if (const bool* logical = std::get_if<bool>(&value)) {
    if (field.kind == SdfFieldKind::Logical) {
      SdfStoreU16(target, *logical ? 0xFFFF : 0);
      return {};
    }
  } else if (const SdfDate* date = std::get_if<SdfDate>(&value)) {
    if (field.kind == SdfFieldKind::Date)
      return EncodeDate(*date, target);
  }
  return "the value's type does not suit the field's kind.";
}
