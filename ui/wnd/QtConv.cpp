#include "ui/wnd/QtConv.h"

namespace {

// The length of a well-formed UTF-8 sequence of two to four bytes at the position, or 0.
size_t Utf8SequenceAt(const std::string& s, size_t i)
{
  const auto c = static_cast<unsigned char>(s[i]);
  size_t len = 0;
  char32_t cp = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
  }
  if (len == 0 || i + len > s.size())
    return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto next = static_cast<unsigned char>(s[i + k]);
    if ((next & 0xC0) != 0x80)
      return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and values past the last code point are not UTF-8.
  const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
  return overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF ? 0 : len;
}

}  // namespace

QString ToQString(const CString& s)
{
  const std::string& bytes = s.str();
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  size_t plain = 0;
  for (size_t i = 0; i < bytes.size();) {
    const size_t len = static_cast<unsigned char>(bytes[i]) < 0x80 ? 0 : Utf8SequenceAt(bytes, i);
    if (len == 0) {
      ++i;
      continue;
    }
    out += ToQStringCodePage(CString(bytes.substr(plain, i - plain)));
    out += QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(len));
    i += len;
    plain = i;
  }
  out += ToQStringCodePage(CString(bytes.substr(plain)));
  return out;
}
