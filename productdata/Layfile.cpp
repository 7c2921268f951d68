#include "productdata/Layfile.h"

#include <fstream>
#include <sstream>

#include "productdata/Catexcpt.h"

namespace {

constexpr const char* kSource = "Layfile";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineUnknownKeyword = 45,
  kLineBadNumber = 65,
  kLineNoTableYet = 72,
  kLineBadTableLine = 79,
  kLineTableTwice = 83,
  kLineBadFieldLine = 95,
  kLineTextWidth = 102,
  kLineFieldTwice = 105,
  kLineUnknownKind = 114,
  kLineBadIndexLine = 121,
  kLineIndexUnknownField = 127,
  kLineIndexDateField = 129,
  kLineLayoutRefused = 144,
  kLineUnreadable = 163,
  kLineNoTable = 177,
};

struct KindName
{
  const char* name;
  SdfFieldKind kind;
};

constexpr KindName kKinds[] = {{"text", SdfFieldKind::Text},      {"short", SdfFieldKind::Short},
                               {"long", SdfFieldKind::Long},      {"float", SdfFieldKind::Float},
                               {"double", SdfFieldKind::Double},  {"date", SdfFieldKind::Date},
                               {"logical", SdfFieldKind::Logical}};

class CLayoutParser
{
public:
  explicit CLayoutParser(const CString& sourceName) : m_sourceName(sourceName) {}

  void ParseLine(const std::string& line, int lineNumber)
  {
    m_line = lineNumber;
    std::istringstream words(line);
    std::vector<CString> tokens;
    std::string word;
    while (words >> word)
      tokens.push_back(CString(word));
    if (tokens.empty() || tokens[0][0] == '#')
      return;
    if (tokens[0] == "table")
      StartTable(tokens);
    else if (tokens[0] == "field")
      AddField(tokens);
    else if (tokens[0] == "index")
      AddIndex(tokens);
    else
      Fail(kLineUnknownKeyword, "unknown keyword " + tokens[0] + ".");
  }

  std::vector<SdfTableLayout> Finish()
  {
    CheckTable();
    return m_tables;
  }

private:
  [[noreturn]] void Fail(int sourceLine, const CString& text) const
  {
    throw CCatalogueException(kSource, sourceLine, m_sourceName + CString::Formatted(":%d: ", m_line) + text);
  }

  int Number(const CString& token) const
  {
    const char* end = nullptr;
    long value = StrToLong(token, &end);
    if (token.IsEmpty() || *end != '\0' || value < 1 || value > 0xFFFF)
      Fail(kLineBadNumber, "\"" + token + "\" is not a number from 1 to 65535.");
    return static_cast<int>(value);
  }

  SdfTableLayout& Current()
  {
    if (m_tables.empty())
      Fail(kLineNoTableYet, "a field or index comes before the first table.");
    return m_tables.back();
  }

  void StartTable(const std::vector<CString>& tokens)
  {
    if (tokens.size() != 3)
      Fail(kLineBadTableLine, "a table line reads: table NAME RECORD-LENGTH.");
    CheckTable();
    for (const SdfTableLayout& table : m_tables)
      if (table.name.CompareNoCase(tokens[1]) == 0)
        Fail(kLineTableTwice, "table " + tokens[1] + " is described twice.");
    SdfTableLayout table;
    table.name = tokens[1];
    table.recordLength = Number(tokens[2]);
    m_tables.push_back(table);
    m_tableLine = m_line;
  }

  void AddField(const std::vector<CString>& tokens)
  {
    SdfTableLayout& table = Current();
    if (tokens.size() != 4 && tokens.size() != 5)
      Fail(kLineBadFieldLine, "a field line reads: field NAME KIND OFFSET [WIDTH].");
    SdfFieldLayout field;
    field.name = tokens[1];
    field.kind = Kind(tokens[2]);
    field.offset = Number(tokens[3]);
    bool text = field.kind == SdfFieldKind::Text;
    if (text != (tokens.size() == 5))
      Fail(kLineTextWidth, text ? "a text field needs its width." : "only a text field is given a width.");
    field.width = text ? Number(tokens[4]) : SdfFieldWidth(field.kind);
    if (table.FindField(field.name))
      Fail(kLineFieldTwice, "field " + field.name + " is described twice.");
    table.fields.push_back(field);
  }

  SdfFieldKind Kind(const CString& token) const
  {
    for (const KindName& kind : kKinds)
      if (token == kind.name)
        return kind.kind;
    Fail(kLineUnknownKind, "unknown field kind " + token + ".");
  }

  void AddIndex(const std::vector<CString>& tokens)
  {
    SdfTableLayout& table = Current();
    if (tokens.size() < 3)
      Fail(kLineBadIndexLine, "an index line reads: index NAME FIELD [FIELD ...].");
    SdfIndexLayout index;
    index.name = tokens[1];
    for (size_t i = 2; i < tokens.size(); ++i) {
      const SdfFieldLayout* field = table.FindField(tokens[i]);
      if (!field)
        Fail(kLineIndexUnknownField, "index " + index.name + " names the unknown field " + tokens[i] + ".");
      if (field->kind == SdfFieldKind::Date)
        Fail(kLineIndexDateField,
             "index " + index.name + " names the date field " + tokens[i] + ", which no key can order.");
      index.parts.push_back(table.KeyPartOf(tokens[i]));
    }
    table.indexes.push_back(index);
  }

  // The writer's own checks (overlaps, record length, limits), reported at the table's line.
  void CheckTable()
  {
    if (m_tables.empty())
      return;
    try {
      CTableWriter::CheckLayout(m_tables.back());
    } catch (CTableWriterException& e) {
      m_line = m_tableLine;
      Fail(kLineLayoutRefused, e.message);
    }
  }

  CString m_sourceName;
  std::vector<SdfTableLayout> m_tables;
  int m_line = 0;
  int m_tableLine = 0;
};

}  // namespace

std::vector<SdfTableLayout> CLayoutFile::Load(const CString& path)
{
  std::ifstream in(path.ToUtf8(), std::ios::binary);
  std::ostringstream text;
  if (in)
    text << in.rdbuf();
  if (!in || in.bad())
    throw CCatalogueException(kSource, kLineUnreadable, path + ": the file cannot be read.");
  return Parse(text.str(), path);
}

std::vector<SdfTableLayout> CLayoutFile::Parse(const std::string& text, const CString& sourceName)
{
  CLayoutParser parser(sourceName);
  std::istringstream lines(text);
  std::string line;
  int lineNumber = 0;
  while (std::getline(lines, line))
    parser.ParseLine(line, ++lineNumber);
  std::vector<SdfTableLayout> tables = parser.Finish();
  if (tables.empty())
    throw CCatalogueException(kSource, kLineNoTable, sourceName + ": the file describes no table.");
  return tables;
}
