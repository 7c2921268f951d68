#pragma once
// The "Window and Patio Door Schedule": one row for every distinct unit of every design, with its
// description and its unit and rough opening dimensions, grouped under the design's name.
#include "model/Rptdata.h"
#include "reports/Rpttable.h"

using CScheduleReportRows = CTableReportRows<CScheduleReportDataArray, CScheduleReportData>;

class CScheduleReportGenerator : public CTableReportGenerator<CScheduleReportGenerator, CScheduleReportRows>
{
public:
  CScheduleReportGenerator();
  ~CScheduleReportGenerator() override;

  CString GetTitle() const override { return "Window and Patio Door Schedule"; }
  int GetLineWidth() const override { return 98; }
  // Rows of every unit of every stored design, imperial dimensions rounded as the text shows
  // them, sorted, each distinct unit once per design. A dimension whose text does not read back
  // throws CCommonException, the rows so far kept unsorted.
  void BuildRows(CDoc* pDoc) override;
  void WriteText() override;
  void WriteCSV() override;

private:
  static const Column kColumns[];

  void RoundToImperialText(CScheduleReportData& row) const;
  double RoundTrip(double inches) const;
  CString Length(double inches) const;
  // A length in the CSV: as the text shows it in millimetres, else inches to that many decimals.
  CString CSVLength(double inches, int decimals) const;
  // A length of the row as the text and as the CSV show it.
  template <double CScheduleReportData::*length>
  static CString LengthText(CScheduleReportGenerator& generator, const Row& row)
  {
    return generator.Length(row.*length);
  }
  template <double CScheduleReportData::*length, int decimals>
  static CString LengthCSV(CScheduleReportGenerator& generator, const Row& row)
  {
    return generator.CSVLength(row.*length, decimals);
  }
};
