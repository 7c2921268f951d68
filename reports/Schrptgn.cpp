#include "reports/Schrptgn.h"

#include <iterator>

#include "project/Design.h"
#include "reports/Rptwalk.h"
#include "support/ComExcpt.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"
#include "workbench/items/Unititem.h"

namespace {

constexpr const char* kModule = "Schrptgn";

// The lines each failure of this file reports.
enum : int
{
  kLineWrongRows = 52,
  kLineNoRoundTrip = 118,
  kLineTextNotReady = 151,
  kLineCSVNotReady = 204,
};

constexpr int kBlockLines = 3;

const char* const kHeadings[] = {
    "                                       Unit Dimensions.............   Rough Opening Dimensions....",
    "Ref   Description                          Width         Height           Width         Height",
    "===   ==============================   =============  =============   =============  =============",
};

}  // namespace

CScheduleReportGenerator::CScheduleReportGenerator()
{
  PCTRACE(TT_REPORTS, TL_DETAIL)("CScheduleReportGenerator construction \n");
}

CScheduleReportGenerator::~CScheduleReportGenerator()
{
  PCTRACE(TT_REPORTS, TL_DETAIL)("CScheduleReportGenerator destruction \n");
}

std::unique_ptr<CReportRows> CScheduleReportGenerator::CreateRows() const
{
  return std::make_unique<CScheduleReportRows>();
}

void CScheduleReportGenerator::Initialize(CReportRows* pRows, CStringArray* pLines, CReportPageStarts* pPageStarts,
                                          int lineWidth, int pageLength, int measurementUnits)
{
  auto* pScheduleRows = dynamic_cast<CScheduleReportRows*>(pRows);
  if (!pScheduleRows)
    throw CCommonException(kModule, kLineWrongRows);
  CReportGenerator::Initialize(pRows, pLines, pPageStarts, lineWidth, pageLength, measurementUnits);
  m_pScheduleRows = pScheduleRows;
  m_nBlockLines = kBlockLines;
}

void CScheduleReportGenerator::BuildRows(CDoc* pDoc)
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CScheduleReportGenerator::BuildRows() \n");
  if (!m_pRows || !m_pScheduleRows)
    throw CCommonException(kModule, kLineWrongRows);
  CReportGenerator::BuildRows(pDoc);
  CScheduleReportDataArray& rows = m_pScheduleRows->m_rows;
  rows.RemoveAll();
  ForEachReportUnit(
      pDoc,
      [&rows](CDesign& design, CUnitItem& item) {
        const int first = rows.GetSize();
        item.GetReportData(rows);
        for (int i = first; i < rows.GetSize(); ++i)
          rows[i]->m_strDesignName = design.GetName();
      },
      m_pProgress);
  if (!IsMetric())
    for (int i = 0; i < rows.GetSize(); ++i)
      RoundToImperialText(*rows[i]);
  rows.SortAndMerge();
}

// The imperial display shows lengths to a fraction; the rows take the value of that text, so the
// text and the comma-separated form agree.
void CScheduleReportGenerator::RoundToImperialText(CScheduleReportData& row) const
{
  row.m_dUnitWidth = RoundTrip(row.m_dUnitWidth);
  row.m_dUnitHeight = RoundTrip(row.m_dUnitHeight);
  row.m_dRoughOpeningWidth = RoundTrip(row.m_dRoughOpeningWidth);
  row.m_dRoughOpeningHeight = RoundTrip(row.m_dRoughOpeningHeight);
}

double CScheduleReportGenerator::RoundTrip(double inches) const
{
  CUnitsConverter converter;
  double value = 0.0;
  if (!converter.ParseLength(CUnitsConverter::fractionalInches,
                             converter.FormatLength(CUnitsConverter::fractionalInches, inches), &value))
    throw CCommonException(kModule, kLineNoRoundTrip);
  return value;
}

CString CScheduleReportGenerator::Length(double inches) const
{
  return CUnitsConverter().FormatLength(m_nMeasurementUnits, inches);
}

void CScheduleReportGenerator::WriteText()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CScheduleReportGenerator::WriteText() \n");
  BeginWriting(kModule, kLineTextNotReady);
  const CScheduleReportDataArray& rows = m_pScheduleRows->m_rows;
  CString previousDesign;
  CStringArray block;
  for (int i = 0; i < rows.GetSize(); ++i) {
    const CScheduleReportData& row = *rows[i];
    block.RemoveAll();
    if (row.m_strDesignName != previousDesign) {
      previousDesign = row.m_strDesignName;
      block.Add(CString());
      m_bDropLeadingBlank = TRUE;
      PutText(block, 2, m_nLineWidth, 0, 40, row.m_strDesignName, 1);
    }
    const int line = block.GetSize();
    PutText(block, kBlockLines, m_nLineWidth, 0, 3, row.m_strReference, line);
    PutText(block, kBlockLines, m_nLineWidth, 6, 30, row.m_strDescription, line);
    PutText(block, kBlockLines, m_nLineWidth, 39, 13, Length(row.m_dUnitWidth), line);
    PutText(block, kBlockLines, m_nLineWidth, 54, 13, Length(row.m_dUnitHeight), line);
    PutText(block, kBlockLines, m_nLineWidth, 70, 13, Length(row.m_dRoughOpeningWidth), line);
    PutText(block, kBlockLines, m_nLineWidth, 85, 13, Length(row.m_dRoughOpeningHeight), line);
    m_nKeepTogether = block.GetSize();
    WriteLines(block);
  }
}

void CScheduleReportGenerator::WritePageHeader()
{
  WriteHeaderFrame(kHeadings, static_cast<int>(std::size(kHeadings)));
}

void CScheduleReportGenerator::WriteCSV()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CScheduleReportGenerator::WriteCSV() \n");
  BeginWriting(kModule, kLineCSVNotReady);
  WriteLine("SerialID,DesignName,Reference,Description,UnitWidth,UnitHeight,RoughOpeningWidth,RoughOpeningHeight");
  const CScheduleReportDataArray& rows = m_pScheduleRows->m_rows;
  for (int i = 0; i < rows.GetSize(); ++i)
    WriteLine(CSVLine(*rows[i]));
}

CString CScheduleReportGenerator::CSVLine(const CScheduleReportData& row) const
{
  CString line = CString::Formatted("%li", static_cast<long>(row.m_nSerialID));
  for (const CString& text : {row.m_strDesignName, row.m_strReference, row.m_strDescription})
    line += "," + QuoteCSV(text);
  if (IsMetric()) {
    for (double inches : {row.m_dUnitWidth, row.m_dUnitHeight, row.m_dRoughOpeningWidth, row.m_dRoughOpeningHeight})
      line += "," + Length(inches);
    return line;
  }
  line += CString::Formatted(",%.5f,%.5f,%.3f,%.3f", row.m_dUnitWidth, row.m_dUnitHeight, row.m_dRoughOpeningWidth,
                             row.m_dRoughOpeningHeight);
  return line;
}
