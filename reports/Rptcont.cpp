#include "reports/Rptcont.h"

#include "reports/Rptfile.h"
#include "support/Trace.h"

CReportContent::CReportContent(CReportGenerator& generator) : m_generator(generator), m_pRows(generator.CreateRows()) {}

CReportContent::~CReportContent() = default;

void CReportContent::Generate(CDoc* pDoc, int measurementUnits, CProgress* pProgress)
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("Generating the %s.\n", m_generator.GetTitle().c_str());
  m_lines.RemoveAll();
  m_pageStarts.RemoveAll();
  m_generator.Initialize(m_pRows.get(), &m_lines, &m_pageStarts, m_generator.GetLineWidth(), kPageLength,
                         measurementUnits);
  // The generator is shared: it must not keep this progress, nor arrays the caller may drop.
  m_generator.SetProgress(pProgress);
  try {
    m_generator.BuildRows(pDoc);
  } catch (...) {
    m_generator.SetProgress(nullptr);
    m_generator.Unbind();
    throw;
  }
  m_generator.SetProgress(nullptr);
  m_generator.WriteText();
  LayOutHeading(m_generator.GetLineWidth(), kPageLength, measurementUnits);
}

void CReportContent::Layout(int lineWidth, int pageLength, int measurementUnits)
{
  m_lines.RemoveAll();
  m_pageStarts.RemoveAll();
  m_generator.Initialize(m_pRows.get(), &m_lines, &m_pageStarts, lineWidth, pageLength, measurementUnits);
  m_generator.WriteText();
  LayOutHeading(lineWidth, pageLength, measurementUnits);
}

void CReportContent::LayOutHeading(int lineWidth, int pageLength, int measurementUnits)
{
  m_heading.RemoveAll();
  m_headingStarts.RemoveAll();
  if (m_lines.GetSize() > 0)
    return;
  m_generator.Initialize(m_pRows.get(), &m_heading, &m_headingStarts, lineWidth, pageLength, measurementUnits);
  m_generator.WriteHeading();
}

CString CReportContent::GetText() const
{
  std::string text;
  for (const CString& line : m_lines) {
    text += line.str();
    text += "\r\n";
  }
  return CString(std::move(text));
}

void CReportContent::GetExportLines(BOOL csv, int measurementUnits, CStringArray& lines) const
{
  lines.RemoveAll();
  CReportPageStarts pageStarts;
  m_generator.Initialize(m_pRows.get(), &lines, &pageStarts, m_generator.GetLineWidth(), -1, measurementUnits);
  // The local arrays end with this call: the generator must not keep them.
  try {
    if (csv)
      m_generator.WriteCSV();
    else
      m_generator.WriteText();
  } catch (...) {
    m_generator.Unbind();
    throw;
  }
  m_generator.Unbind();
}

void CReportContent::ExportText(const CString& path, int measurementUnits) const
{
  CStringArray lines;
  GetExportLines(FALSE, measurementUnits, lines);
  WriteReportFile(path, lines);
}

void CReportContent::ExportCSV(const CString& path, int measurementUnits) const
{
  CStringArray lines;
  GetExportLines(TRUE, measurementUnits, lines);
  WriteReportFile(path, lines);
}
