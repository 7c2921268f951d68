#pragma once
// A comma-separated file as the catalogue keeps its tables: a header record naming the fields,
// then one record per row. Fields holding commas, quotes or line breaks are quoted, a quote
// inside them doubled. The file is UTF-8; values come out as Windows-1252 text.
#include <string>
#include <vector>

#include "platform/core/String.h"

struct CCsvRecord
{
  int line = 0;                 // line of the file on which the record starts, from 1
  std::vector<CString> values;  // as many as the header has names
};

class CCsvFile
{
public:
  // Reads and parses the file; a file that cannot be read or parsed throws
  // CCatalogueException naming the file and line.
  static CCsvFile Load(const CString& path);
  // Parses text; `sourceName` names it in messages.
  static CCsvFile Parse(const std::string& text, const CString& sourceName);

  const CString& GetSourceName() const { return m_sourceName; }
  const std::vector<CString>& GetHeader() const { return m_header; }
  const std::vector<CCsvRecord>& GetRecords() const { return m_records; }

private:
  CString m_sourceName;
  std::vector<CString> m_header;
  std::vector<CCsvRecord> m_records;
};
