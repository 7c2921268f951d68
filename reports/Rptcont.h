#pragma once
// What one report window keeps: its own rows and names, its lines laid out for the screen or a
// printer, and the page starts of that layout. The generator is the application's, shared by the
// windows of every project; each operation here binds it afresh, so a window only ever shows,
// copies or exports its own project's rows.
#include <memory>

#include "reports/Rptgen.h"

class CDoc;
class CProgress;

class CReportContent
{
public:
  // Lines of the report's own width on 60-line pages, as the report is first shown.
  static constexpr int kPageLength = 60;

  explicit CReportContent(CReportGenerator& generator);
  ~CReportContent();
  CReportContent(const CReportContent&) = delete;
  CReportContent& operator=(const CReportContent&) = delete;

  // Takes the rows afresh from the project and lays them out on 60-line pages. With a progress,
  // the designs read are counted there; when the user cancels, CReportCancelled is thrown and
  // this content is left half made (the caller drops it).
  void Generate(CDoc* pDoc, int measurementUnits, CProgress* pProgress = nullptr);
  // Lays the kept rows out again, for a device of that width and page length (0 or less: no
  // page breaks); the project is not read.
  void Layout(int lineWidth, int pageLength, int measurementUnits);
  // The lines, each followed by carriage return and line feed: the clipboard text.
  CString GetText() const;
  // The kept rows as one text page, or as comma-separated lines, written whole to the path (a
  // temporary file renamed over it). The shown lines are not touched. File failures throw
  // CFileException, generator failures CCommonException; the path is then left as it was.
  void ExportText(const CString& path, int measurementUnits) const;
  void ExportCSV(const CString& path, int measurementUnits) const;
  // The same lines as the exports write, without the file.
  void GetExportLines(BOOL csv, int measurementUnits, CStringArray& lines) const;

  CReportGenerator& GetGenerator() const { return m_generator; }
  const CReportRows& GetRows() const { return *m_pRows; }
  const CStringArray& GetLines() const { return m_lines; }
  const CReportPageStarts& GetPageStarts() const { return m_pageStarts; }
  // What the window shows and prints, with its page starts: the lines, or for a report without
  // lines its page header alone in the last layout (its text, copy and exports stay empty).
  const CStringArray& GetShownLines() const { return m_lines.GetSize() > 0 ? m_lines : m_heading; }
  const CReportPageStarts& GetShownPageStarts() const { return m_lines.GetSize() > 0 ? m_pageStarts : m_headingStarts; }

private:
  void LayOutHeading(int lineWidth, int pageLength, int measurementUnits);

  CReportGenerator& m_generator;
  std::unique_ptr<CReportRows> m_pRows;
  CStringArray m_lines;
  CReportPageStarts m_pageStarts;
  CStringArray m_heading;
  CReportPageStarts m_headingStarts;
};
