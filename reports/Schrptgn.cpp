#include "reports/Schrptgn.h"

#include "project/Design.h"
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

}  // namespace

const CScheduleReportGenerator::Column CScheduleReportGenerator::kColumns[] = {
    {.csvName = "SerialID", .value = SerialID, .form = CCSVForm::asIs},
    // The text shows the design's name as the heading of its rows.
    {.csvName = "DesignName", .value = DesignName},
    {.csvName = "Reference", .value = Reference, .position = 0, .width = 3, .heading = "Ref"},
    {.csvName = "Description", .value = Description, .position = 6, .width = 30, .heading = "Description"},
    {.csvName = "UnitWidth",
     .value = LengthText<&Row::m_dUnitWidth>,
     .form = CCSVForm::asIs,
     .csvValue = LengthCSV<&Row::m_dUnitWidth, 5>,
     .position = 39,
     .width = 13,
     .heading = "    Width",
     .groupHeading = "Unit Dimensions............."},
    {.csvName = "UnitHeight",
     .value = LengthText<&Row::m_dUnitHeight>,
     .form = CCSVForm::asIs,
     .csvValue = LengthCSV<&Row::m_dUnitHeight, 5>,
     .position = 54,
     .width = 13,
     .heading = "   Height"},
    {.csvName = "RoughOpeningWidth",
     .value = LengthText<&Row::m_dRoughOpeningWidth>,
     .form = CCSVForm::asIs,
     .csvValue = LengthCSV<&Row::m_dRoughOpeningWidth, 3>,
     .position = 70,
     .width = 13,
     .heading = "    Width",
     .groupHeading = "Rough Opening Dimensions...."},
    {.csvName = "RoughOpeningHeight",
     .value = LengthText<&Row::m_dRoughOpeningHeight>,
     .form = CCSVForm::asIs,
     .csvValue = LengthCSV<&Row::m_dRoughOpeningHeight, 3>,
     .position = 85,
     .width = 13,
     .heading = "   Height"},
};

CScheduleReportGenerator::CScheduleReportGenerator()
  : CTableReportGenerator(kColumns, {kModule, kLineWrongRows, kLineTextNotReady, kLineCSVNotReady}, kBlockLines)
{
  PCTRACE(TT_REPORTS, TL_DETAIL)("CScheduleReportGenerator construction \n");
}

CScheduleReportGenerator::~CScheduleReportGenerator()
{
  PCTRACE(TT_REPORTS, TL_DETAIL)("CScheduleReportGenerator destruction \n");
}

void CScheduleReportGenerator::BuildRows(CDoc* pDoc)
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CScheduleReportGenerator::BuildRows() \n");
  BuildTableRows(pDoc, [](CScheduleReportData& row, CDesign& design) { row.m_strDesignName = design.GetName(); });
  CScheduleReportDataArray& rows = TableRows();
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

CString CScheduleReportGenerator::CSVLength(double inches, int decimals) const
{
  return IsMetric() ? Length(inches) : CString::Formatted("%.*f", decimals, inches);
}

void CScheduleReportGenerator::WriteText()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CScheduleReportGenerator::WriteText() \n");
  BeginText();
  const CScheduleReportDataArray& rows = TableRows();
  CString previousDesign;
  CStringArray block;
  for (int i = 0; i < rows.GetSize(); ++i) {
    const CScheduleReportData& row = *rows[i];
    block.RemoveAll();
    if (row.m_strDesignName != previousDesign) {
      previousDesign = row.m_strDesignName;
      OpenBlock(block, row.m_strDesignName);
    }
    PutRow(block, row, block.GetSize(), true);
    m_nKeepTogether = block.GetSize();
    WriteLines(block);
  }
}

void CScheduleReportGenerator::WriteCSV()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CScheduleReportGenerator::WriteCSV() \n");
  WriteTableCSV();
}
