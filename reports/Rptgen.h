#pragma once
// The base of the two project reports. A generator turns the designs of a project into rows and
// the rows into lines of fixed-pitch text: paginated text with a page header on every page, or
// comma-separated lines. The application keeps one generator of each kind; every report window
// keeps its own rows (CReportRows), so one generator serves the windows of several projects, each
// use binding the caller's rows and line arrays afresh.
#include <ctime>
#include <memory>
#include <vector>

#include "platform/core/Array.h"
#include "platform/core/String.h"

class CDoc;
class CProgress;

// The line index of each page's first line.
using CReportPageStarts = CArray<int, int>;

// What one report holds between its rebuilds: the names of its page header and its rows.
class CReportRows : public CObject
{
public:
  // Deletes the rows.
  virtual void RemoveAll() = 0;
  virtual int GetRowCount() const = 0;

  CString m_strProjectName;
  CString m_strCompanyName;
};

class CReportGenerator : public CObject
{
public:
  // Measurement-units codes: 3 is metric, every other code is imperial.
  enum
  {
    feetAndInches = 0,
    metricMillimeters = 3
  };

  CReportGenerator();
  ~CReportGenerator() override;

  virtual CString GetTitle() const = 0;
  virtual int GetLineWidth() const = 0;
  // A new, empty holder of this report's rows, owned by the caller.
  virtual std::unique_ptr<CReportRows> CreateRows() const = 0;
  // Binds the caller's rows and arrays and resets the layout values; the arrays are not
  // emptied and the rows not touched. Rows of another report kind throw CCommonException.
  virtual void Initialize(CReportRows* pRows, CStringArray* pLines, CReportPageStarts* pPageStarts, int lineWidth,
                          int pageLength, int measurementUnits);
  // Lets go of the caller's rows and arrays; the writers then refuse to run until the next
  // Initialize.
  void Unbind();
  // Fills the names of the bound rows; the reports then rebuild the rows from every stored design.
  virtual void BuildRows(CDoc* pDoc);
  // Where BuildRows counts the designs it has read (null: nowhere); a cancelled progress stops it
  // with CReportCancelled.
  void SetProgress(CProgress* pProgress) { m_pProgress = pProgress; }
  // Both throw CCommonException unless Initialize ran first.
  virtual void WriteText() = 0;
  virtual void WriteCSV() = 0;
  // The first page header alone, for a report that has no line to show under it; throws
  // CCommonException unless Initialize ran first.
  void WriteHeading();

  // Places text in a column of one line of `lines`: cut to the field, to the line width and to
  // the room left; a negative row takes the line under the last one with text under the field.
  // Rows at or past mostLines are dropped; an empty text changes nothing.
  static void PutText(CStringArray& lines, int mostLines, int lineWidth, int column, int fieldWidth,
                      const CString& text, int row);
  // The text between double quotes, its own double quotes doubled, each control character a
  // blank, and an apostrophe before a text that a spreadsheet would take for a formula (=, +, -
  // or @ first).
  static CString QuoteCSV(const CString& text);

  // Where the header date comes from (tests fix it); null restores the system clock.
  static void SetClock(std::time_t (*pfnClock)());

  CString GetDateText() const { return m_strDate; }
  int GetMeasurementUnits() const { return m_nMeasurementUnits; }

protected:
  virtual void WritePageHeader() = 0;
  virtual void EndPage() = 0;

  // Writes a block with page breaks: a block that does not fit the rest of the page (as the
  // keep-together count says) starts a new one.
  void WriteLines(CStringArray& block);
  void WriteLine(const CString& text);
  // The common header: date and page number, title, project and company names, an empty line,
  // then the report's column headings.
  void WriteHeaderFrame(const std::vector<CString>& headings);
  // Throws CCommonException of the module and line unless Initialize ran; then resets the
  // page counters for a new run.
  void BeginWriting(const char* module, int line);
  BOOL IsMetric() const { return m_nMeasurementUnits == metricMillimeters; }

  CReportRows* m_pRows = nullptr;
  CProgress* m_pProgress = nullptr;
  BOOL m_bInitialized = FALSE;
  int m_nMeasurementUnits = feetAndInches;
  CStringArray* m_pLines = nullptr;
  CReportPageStarts* m_pPageStarts = nullptr;
  CString m_strDate;
  int m_nLineWidth = 0;
  int m_nCenterColumn = 0;
  int m_nPageNumberColumn = 0;
  int m_nPageLength = 0;
  int m_nHeaderLines = 8;
  int m_nBlockLines = 1;
  int m_nFooterLines = 0;
  int m_nLineOnPage = 0;
  int m_nKeepTogether = 0;
  BOOL m_bDropLeadingBlank = FALSE;
  int m_nPageNumber = 0;
  // Lines of the last page header: a page holding no more has no body line yet.
  int m_nHeaderLinesWritten = 0;
};

// Where the report headers take the user's company name from; the application installs it at
// start-up. Without one the name is empty.
void SetReportCompanySource(CString (*pfnCompany)());
