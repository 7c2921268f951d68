#include "productdata/Csvfile.h"

#include <fstream>
#include <sstream>

#include "productdata/Catexcpt.h"

namespace {

constexpr const char* kSource = "Csvfile";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineStrayQuote = 72,
  kLineLoneCarriageReturn = 74,
  kLineUnclosedQuote = 87,
  kLineTextAfterQuote = 102,
  kLineNotWindows1252 = 110,
  kLineUnreadable = 129,
  kLineNoHeader = 140,
  kLineFieldCount = 145,
};

// Reads records one at a time, counting lines so that messages can point at the bad one.
class CCsvReader
{
public:
  CCsvReader(const std::string& text, const CString& sourceName) : m_text(text), m_sourceName(sourceName)
  {
    static const std::string bom = "\xEF\xBB\xBF";
    if (m_text.compare(0, bom.size(), bom) == 0)
      m_pos = bom.size();
  }

  // False when no record is left; blank lines between records are skipped.
  bool Next(CCsvRecord& record)
  {
    while (m_pos < m_text.size() && AtLineEnd())
      SkipLineEnd();
    if (m_pos >= m_text.size())
      return false;
    record.line = m_line;
    record.values.clear();
    for (;;) {
      record.values.push_back(ToText(ReadField(), record.line));
      if (m_pos >= m_text.size())
        return true;
      if (AtLineEnd()) {
        SkipLineEnd();
        return true;
      }
      ++m_pos;  // the comma
    }
  }

private:
  bool AtLineEnd() const
  {
    return m_text[m_pos] == '\n' || (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n');
  }

  void SkipLineEnd()
  {
    m_pos += m_text[m_pos] == '\r' ? 2 : 1;
    ++m_line;
  }

  [[noreturn]] void Fail(int sourceLine, int fileLine, const char* text) const
  {
    throw CCatalogueException(kSource, sourceLine, m_sourceName + CString::Formatted(":%d: ", fileLine) + text);
  }

  std::string ReadField() { return m_pos < m_text.size() && m_text[m_pos] == '"' ? ReadQuoted() : ReadPlain(); }

  std::string ReadPlain()
  {
    std::string value;
    while (m_pos < m_text.size() && m_text[m_pos] != ',' && !AtLineEnd()) {
      char ch = m_text[m_pos++];
      if (ch == '"')
        Fail(kLineStrayQuote, m_line, "a quote inside a field that does not start with one.");
      if (ch == '\r')
        Fail(kLineLoneCarriageReturn, m_line, "a carriage return without a line feed.");
      value += ch;
    }
    return value;
  }

  std::string ReadQuoted()
  {
    int startLine = m_line;
    std::string value;
    ++m_pos;
    for (;;) {
      if (m_pos >= m_text.size())
        Fail(kLineUnclosedQuote, startLine, "a quoted field is not closed.");
      char ch = m_text[m_pos++];
      if (ch == '"') {
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
          value += '"';
          ++m_pos;
          continue;
        }
        break;
      }
      if (ch == '\n')
        ++m_line;
      value += ch;
    }
    if (m_pos < m_text.size() && m_text[m_pos] != ',' && !AtLineEnd())
      Fail(kLineTextAfterQuote, m_line, "text follows the closing quote of a field.");
    return value;
  }

  CString ToText(const std::string& utf8, int fileLine) const
  {
    CString text = CString::FromUtf8(utf8);
    if (text.ToUtf8() != utf8)
      Fail(kLineNotWindows1252, fileLine, "a value holds a character that Windows-1252 cannot represent.");
    return text;
  }

  std::string m_text;
  CString m_sourceName;
  size_t m_pos = 0;
  int m_line = 1;
};

}  // namespace

CCsvFile CCsvFile::Load(const CString& path)
{
  std::ifstream in(path.ToUtf8(), std::ios::binary);
  std::ostringstream text;
  if (in)
    text << in.rdbuf();
  if (!in || in.bad())
    throw CCatalogueException(kSource, kLineUnreadable, path + ": the file cannot be read.");
  return Parse(text.str(), path);
}

CCsvFile CCsvFile::Parse(const std::string& text, const CString& sourceName)
{
  CCsvFile file;
  file.m_sourceName = sourceName;
  CCsvReader reader(text, sourceName);
  CCsvRecord header;
  if (!reader.Next(header))
    throw CCatalogueException(kSource, kLineNoHeader, sourceName + ": the file has no header.");
  file.m_header = header.values;
  CCsvRecord record;
  while (reader.Next(record)) {
    if (record.values.size() != file.m_header.size())
      throw CCatalogueException(kSource, kLineFieldCount,
                                sourceName + CString::Formatted(":%d: the record has %d fields, the header names %d.",
                                                                record.line, static_cast<int>(record.values.size()),
                                                                static_cast<int>(file.m_header.size())));
    file.m_records.push_back(record);
  }
  return file;
}
