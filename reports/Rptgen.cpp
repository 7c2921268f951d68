#include "reports/Rptgen.h"

#include <algorithm>
#include <cstring>

#include "document/Doc.h"
#include "platform/core/Time.h"
#include "support/ComExcpt.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Rptgen";
constexpr int kLineHeadingNotReady = 104;

std::time_t (*g_pfnClock)() = nullptr;

std::time_t Now() { return g_pfnClock ? g_pfnClock() : std::time(nullptr); }

CString (*g_pfnCompanySource)() = nullptr;

// Blank, tab, line feed, vertical tab, form feed, carriage return.
BOOL IsWhite(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

// Cuts trailing white space when the text ends with a blank, as the layout does.
void TrimAfterBlank(CString& text)
{
  if (!text.IsEmpty() && text[text.GetLength() - 1] == ' ') {
    int end = text.GetLength();
    while (end > 0 && IsWhite(text[end - 1]))
      --end;
    text = text.Left(end);
  }
}

// The line under the last line that has text under the field; 0 when none has.
int FindFreeRow(const CStringArray& lines, int column, int count)
{
  for (int i = lines.GetSize() - 1; i >= 0; --i) {
    CString segment = lines[i].Mid(column, count);
    TrimAfterBlank(segment);
    if (!segment.IsEmpty())
      return i + 1;
  }
  return 0;
}

}  // namespace

void SetReportCompanySource(CString (*pfnCompany)()) { g_pfnCompanySource = pfnCompany; }

CReportGenerator::CReportGenerator() = default;

CReportGenerator::~CReportGenerator() = default;

void CReportGenerator::SetClock(std::time_t (*pfnClock)()) { g_pfnClock = pfnClock; }

void CReportGenerator::Initialize(CReportRows* pRows, CStringArray* pLines, CReportPageStarts* pPageStarts,
                                  int lineWidth, int pageLength, int measurementUnits)
{
  m_pRows = pRows;
  m_pLines = pLines;
  m_pPageStarts = pPageStarts;
  m_nLineWidth = lineWidth;
  m_nPageLength = pageLength;
  // Only code 3 is metric; the imperial codes 1 and 2 keep their own length form, any other
  // code shows feet and inches.
  m_nMeasurementUnits =
      (measurementUnits >= 0 && measurementUnits <= metricMillimeters) ? measurementUnits : feetAndInches;
  m_strDate = CTime(Now()).Format("%m/%d/%y");
  m_nCenterColumn = lineWidth / 2;
  m_nPageNumberColumn = lineWidth - 8;
  m_nHeaderLines = 8;
  m_nFooterLines = 0;
  m_nBlockLines = 1;
  m_bInitialized = TRUE;
}

void CReportGenerator::Unbind()
{
  m_pRows = nullptr;
  m_pLines = nullptr;
  m_pPageStarts = nullptr;
  m_bInitialized = FALSE;
}

void CReportGenerator::BuildRows(CDoc* pDoc)
{
  // The report is headed by the name the user sees in the design list; the command that asked for
  // the report has refused a name the report cannot hold.
  pDoc->CommitTypedProjectName(FALSE);
  m_pRows->m_strProjectName = pDoc->GetProjectName();
  m_pRows->m_strCompanyName = g_pfnCompanySource ? g_pfnCompanySource() : CString();
}

void CReportGenerator::BeginWriting(const char* module, int line)
{
  if (!m_bInitialized || !m_pRows || !m_pLines || !m_pPageStarts)
    throw CCommonException(module, line);
  m_nLineOnPage = 0;
  m_nKeepTogether = 0;
  m_bDropLeadingBlank = FALSE;
  m_nPageNumber = 0;
  m_nHeaderLinesWritten = 0;
}

void CReportGenerator::WriteHeading()
{
  BeginWriting(kModule, kLineHeadingNotReady);
  WritePageHeader();
}

void CReportGenerator::PutText(CStringArray& lines, int mostLines, int lineWidth, int column, int fieldWidth,
                               const CString& text, int row)
{
  // A centred text wider than the line starts at the left edge, never before it.
  if (column < 0)
    column = 0;
  if (column >= lineWidth)
    return;
  const int count = std::min({text.GetLength(), fieldWidth, lineWidth - column});
  if (count <= 0)
    return;
  if (row < 0)
    row = FindFreeRow(lines, column, count);
  if (row >= mostLines)
    return;
  while (lines.GetSize() <= row)
    lines.Add(CString());
  CString& line = lines.ElementAt(row);
  if (line.GetLength() < column + count)
    line += CString(' ', column + count - line.GetLength());
  line = line.Left(column) + text.Left(count) + line.Mid(column + count);
}

CString CReportGenerator::QuoteCSV(const CString& text)
{
  std::string cell;
  cell.reserve(static_cast<size_t>(text.GetLength()) + 3);
  for (const char c : text.str()) {
    const auto byte = static_cast<unsigned char>(c);
    // Control characters (NUL, ESC, line breaks...) would reach a terminal or break the record.
    if (byte < 0x20 || byte == 0x7F)
      cell += ' ';
    else if (c == '"')
      cell += "\"\"";
    else
      cell += c;
  }
  // A spreadsheet runs a cell that begins with one of these as a formula; the apostrophe makes it
  // text.
  const size_t first = cell.find_first_not_of(' ');
  if (first != std::string::npos && std::strchr("=+-@", cell[first]))
    cell.insert(0, 1, '\'');
  return "\"" + CString(std::move(cell)) + "\"";
}

void CReportGenerator::WriteLine(const CString& text)
{
  m_pLines->Add(text);
  ++m_nLineOnPage;
  if (m_nKeepTogether > 0)
    --m_nKeepTogether;
}

void CReportGenerator::WriteLines(CStringArray& block)
{
  for (int i = 0; i < block.GetSize(); ++i) {
    if (m_nPageLength > 0 && m_nKeepTogether + m_nLineOnPage > m_nPageLength - m_nFooterLines)
      EndPage();
    if (m_nLineOnPage == 0)
      WritePageHeader();
    CString& line = block.ElementAt(i);
    TrimAfterBlank(line);
    // The separator is only dropped right under a page header; in the middle of a page it
    // stays, as the blocks' separator.
    const BOOL atPageTop = m_nLineOnPage == m_nHeaderLinesWritten;
    if (m_bDropLeadingBlank && line.IsEmpty() && atPageTop) {
      m_bDropLeadingBlank = FALSE;
      continue;
    }
    m_bDropLeadingBlank = FALSE;
    WriteLine(line);
  }
}

void CReportGenerator::WriteHeaderFrame(const std::vector<CString>& headings)
{
  ++m_nPageNumber;
  m_pPageStarts->Add(m_pLines->GetSize());
  PCTRACE(TT_REPORTS, TL_DETAIL)("Page header %d \n", m_nPageNumber);
  CStringArray header;
  PutText(header, m_nHeaderLines, m_nLineWidth, 0, 8, m_strDate, 0);
  const CString page = CString::Formatted("Page %i", m_nPageNumber);
  PutText(header, m_nHeaderLines, m_nLineWidth, m_nPageNumberColumn, page.GetLength(), page, 0);
  const CString title = GetTitle();
  PutText(header, m_nHeaderLines, m_nLineWidth, m_nCenterColumn - title.GetLength() / 2, title.GetLength(), title, 1);
  for (const CString& name : {m_pRows->m_strProjectName, m_pRows->m_strCompanyName})
    PutText(header, m_nHeaderLines, m_nLineWidth, m_nCenterColumn - name.GetLength() / 2, name.GetLength(), name, -1);
  header.Add(CString());
  for (const CString& heading : headings)
    PutText(header, m_nHeaderLines, m_nLineWidth, 0, heading.GetLength(), heading, header.GetSize());
  for (const CString& line : header)
    WriteLine(line);
  m_nHeaderLinesWritten = header.GetSize();
}
