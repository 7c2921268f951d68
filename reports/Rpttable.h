#pragma once
// What the two project reports share beyond the generator base: each is a table of columns, and
// each column is written once, with where its text stands, the heading over it, its name in the
// comma-separated form and its value. From the table come the page headings, the text of a row,
// the CSV header and each CSV line. The rows are of one kind per report, bound by Initialize and
// built from every unit item of every stored design.
#include <memory>
#include <span>
#include <vector>

#include "reports/Rptgen.h"
#include "reports/Rptwalk.h"
#include "support/ComExcpt.h"

// How a column's value stands in a CSV line.
enum class CCSVForm
{
  quoted,  // as text between double quotes (CReportGenerator::QuoteCSV)
  asIs     // a number, written as it is
};

template <class Generator, class Row>
struct CReportColumn
{
  using Value = CString (*)(Generator& generator, const Row& row);

  // The field's name in the CSV header line.
  const char* csvName;
  // The text the report shows and, in its CSV form, the field's value; an empty text places
  // nothing.
  Value value;
  CCSVForm form = CCSVForm::quoted;
  // The CSV field's value where it is not the text shown.
  Value csvValue = nullptr;
  // Where the text stands on its line: first character and width; a width of 0 leaves the
  // column out of the text (the CSV alone holds it).
  int position = 0;
  int width = 0;
  // The heading over the column, leading blanks placing it within the column, and the heading
  // of a group of columns that starts at this one, on the line above.
  const char* heading = "";
  const char* groupHeading = "";
  // Shown on the first line of a unit only; the unit's further lines hold its options.
  bool firstLineOnly = false;
};

// The rows of one report kind, held between its rebuilds.
template <class Array, class RowType>
class CTableReportRows : public CReportRows
{
public:
  using Row = RowType;

  void RemoveAll() override { m_rows.RemoveAll(); }
  int GetRowCount() const override { return m_rows.GetSize(); }

  Array m_rows;
};

// The failures a report's generator reports, each at its own line of the report's module.
struct CReportFailureLines
{
  const char* module;
  int wrongRows;
  int textNotReady;
  int csvNotReady;
};

// Generator is the report's own generator class, Rows its CTableReportRows.
template <class Generator, class Rows>
class CTableReportGenerator : public CReportGenerator
{
public:
  using Row = typename Rows::Row;
  using Column = CReportColumn<Generator, Row>;

  std::unique_ptr<CReportRows> CreateRows() const override { return std::make_unique<Rows>(); }

  void Initialize(CReportRows* pRows, CStringArray* pLines, CReportPageStarts* pPageStarts, int lineWidth,
                  int pageLength, int measurementUnits) override
  {
    auto* pTableRows = dynamic_cast<Rows*>(pRows);
    if (!pTableRows)
      throw CCommonException(m_failures.module, m_failures.wrongRows);
    CReportGenerator::Initialize(pRows, pLines, pPageStarts, lineWidth, pageLength, measurementUnits);
    m_pTableRows = pTableRows;
    m_nBlockLines = m_nTableBlockLines;
  }

protected:
  CTableReportGenerator(std::span<const Column> columns, const CReportFailureLines& failures, int blockLines)
    : m_columns(columns), m_failures(failures), m_nTableBlockLines(blockLines)
  {}

  // The names of the bound rows, then a row set afresh from every unit item of every stored
  // design, each row given its design by `stamp`. The report's own source file includes the
  // design and unit item classes the walk hands over.
  template <class Stamp>
  void BuildTableRows(CDoc* pDoc, Stamp stamp)
  {
    if (!m_pRows || !m_pTableRows)
      throw CCommonException(m_failures.module, m_failures.wrongRows);
    CReportGenerator::BuildRows(pDoc);
    auto& rows = m_pTableRows->m_rows;
    rows.RemoveAll();
    ForEachReportUnit(
        pDoc,
        [&rows, &stamp](auto& design, auto& item) {
          const int first = rows.GetSize();
          item.GetReportData(rows);
          for (int i = first; i < rows.GetSize(); ++i)
            stamp(*rows[i], design);
        },
        m_pProgress);
  }

  // The values of the fields both reports hold.
  static CString SerialID(Generator&, const Row& row)
  {
    return CString::Formatted("%li", static_cast<long>(row.m_nSerialID));
  }
  static CString DesignName(Generator&, const Row& row) { return row.m_strDesignName; }
  static CString Reference(Generator&, const Row& row) { return row.m_strReference; }
  static CString Description(Generator&, const Row& row) { return row.m_strDescription; }

  void BeginText() { BeginWriting(m_failures.module, m_failures.textNotReady); }

  // The header line and one line for each row.
  void WriteTableCSV()
  {
    BeginWriting(m_failures.module, m_failures.csvNotReady);
    CString header;
    for (const Column& column : m_columns)
      header += (header.IsEmpty() ? "" : ",") + CString(column.csvName);
    WriteLine(header);
    const auto& rows = m_pTableRows->m_rows;
    for (int i = 0; i < rows.GetSize(); ++i)
      WriteLine(CSVLine(*rows[i]));
  }

  // A block's first lines: an empty separator (dropped right under a page header) and the
  // heading under it; an empty heading places nothing.
  void OpenBlock(CStringArray& block, const CString& heading)
  {
    block.Add(CString());
    m_bDropLeadingBlank = TRUE;
    PutText(block, 2, m_nLineWidth, 0, 40, heading, 1);
  }

  // The row's text in its columns at that line of the block.
  void PutRow(CStringArray& block, const Row& row, int line, bool firstLineOfUnit)
  {
    for (const Column& column : m_columns)
      if (column.width > 0 && (firstLineOfUnit || !column.firstLineOnly))
        PutText(block, m_nTableBlockLines, m_nLineWidth, column.position, column.width, column.value(Self(), row),
                line);
  }

  void WritePageHeader() override
  {
    if (m_headings.empty())
      m_headings = Headings();
    WriteHeaderFrame(m_headings);
  }

  void EndPage() override { m_nLineOnPage = 0; }

  const auto& TableRows() const { return m_pTableRows->m_rows; }
  auto& TableRows() { return m_pTableRows->m_rows; }

private:
  Generator& Self() { return static_cast<Generator&>(*this); }

  CString CSVLine(const Row& row)
  {
    CString line;
    for (const Column& column : m_columns) {
      const CString value = (column.csvValue ? column.csvValue : column.value)(Self(), row);
      if (&column != &m_columns.front())
        line += ",";
      line += column.form == CCSVForm::quoted ? QuoteCSV(value) : value;
    }
    return line;
  }

  // The group headings (when there are any), the column headings, and a rule of '=' as wide as
  // each column.
  std::vector<CString> Headings() const
  {
    CString groups, names, rules;
    auto place = [](CString& line, int position, const CString& text) {
      if (text.IsEmpty())
        return;
      if (line.GetLength() < position)
        line += CString(' ', position - line.GetLength());
      line = line.Left(position) + text;
    };
    for (const Column& column : m_columns) {
      if (column.width == 0)
        continue;
      place(groups, column.position, column.groupHeading);
      place(names, column.position, column.heading);
      place(rules, column.position, CString('=', column.width));
    }
    std::vector<CString> headings;
    if (!groups.IsEmpty())
      headings.push_back(groups);
    headings.push_back(names);
    headings.push_back(rules);
    return headings;
  }

  std::span<const Column> m_columns;
  CReportFailureLines m_failures;
  int m_nTableBlockLines;
  std::vector<CString> m_headings;
  Rows* m_pTableRows = nullptr;
};
