#pragma once
// The "Window and Patio Door Schedule": one row for every distinct unit of every design, with its
// description and its unit and rough opening dimensions, grouped under the design's name.
#include "model/Rptdata.h"
#include "reports/Rptgen.h"

class CScheduleReportRows : public CReportRows
{
public:
  void RemoveAll() override { m_rows.RemoveAll(); }
  int GetRowCount() const override { return m_rows.GetSize(); }

  CScheduleReportDataArray m_rows;
};

class CScheduleReportGenerator : public CReportGenerator
{
public:
  CScheduleReportGenerator();
  ~CScheduleReportGenerator() override;

  CString GetTitle() const override { return "Window and Patio Door Schedule"; }
  int GetLineWidth() const override { return 98; }
  std::unique_ptr<CReportRows> CreateRows() const override;
  void Initialize(CReportRows* pRows, CStringArray* pLines, CReportPageStarts* pPageStarts, int lineWidth,
                  int pageLength, int measurementUnits) override;
  // Rows of every unit of every stored design, imperial dimensions rounded as the text shows
  // them, sorted, each distinct unit once per design. A dimension whose text does not read back
  // throws CCommonException, the rows so far kept unsorted.
  void BuildRows(CDoc* pDoc) override;
  void WriteText() override;
  void WriteCSV() override;

protected:
  void WritePageHeader() override;
  void EndPage() override { m_nLineOnPage = 0; }

private:
  void RoundToImperialText(CScheduleReportData& row) const;
  double RoundTrip(double inches) const;
  CString CSVLine(const CScheduleReportData& row) const;
  CString Length(double inches) const;

  CScheduleReportRows* m_pScheduleRows = nullptr;
};
