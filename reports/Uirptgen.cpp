#include "reports/Uirptgen.h"

#include <iterator>

#include "productdb/Opers.h"
#include "productdb/Optcats.h"
#include "productdb/Optchoic.h"
#include "project/Design.h"
#include "reports/Rptwalk.h"
#include "support/ComExcpt.h"
#include "support/Trace.h"
#include "workbench/items/Unititem.h"

namespace {

constexpr const char* kModule = "Uirptgen";

// The lines each failure of this file reports.
enum : int
{
  kLineWrongRows = 56,
  kLineTextNotReady = 97,
  kLineCSVNotReady = 160,
};

constexpr int kBlockLines = 20;

const char* const kHeadings[] = {
    "Ref  Qty  Description                      Operation                Option              Option Choice",
    "===  ===  ==============================   ======================   ==================  "
    "===================================",
};

CString Missing(const char* text) { return CString("#") + text; }

CString Missing(int number) { return CString::Formatted("#%i", number); }

}  // namespace

CUnitInfoReportGenerator::CUnitInfoReportGenerator()
{
  PCTRACE(TT_REPORTS, TL_DETAIL)("CUnitInfoReportGenerator construction \n");
}

CUnitInfoReportGenerator::~CUnitInfoReportGenerator()
{
  PCTRACE(TT_REPORTS, TL_DETAIL)("CUnitInfoReportGenerator destruction \n");
}

std::unique_ptr<CReportRows> CUnitInfoReportGenerator::CreateRows() const
{
  return std::make_unique<CUnitInfoReportRows>();
}

void CUnitInfoReportGenerator::Initialize(CReportRows* pRows, CStringArray* pLines, CReportPageStarts* pPageStarts,
                                          int lineWidth, int pageLength, int measurementUnits)
{
  auto* pInfoRows = dynamic_cast<CUnitInfoReportRows*>(pRows);
  if (!pInfoRows)
    throw CCommonException(kModule, kLineWrongRows);
  CReportGenerator::Initialize(pRows, pLines, pPageStarts, lineWidth, pageLength, measurementUnits);
  m_pInfoRows = pInfoRows;
  m_nBlockLines = kBlockLines;
}

void CUnitInfoReportGenerator::BuildRows(CDoc* pDoc)
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CUnitInfoReportGenerator::BuildRows() \n");
  if (!m_pRows || !m_pInfoRows)
    throw CCommonException(kModule, kLineWrongRows);
  CReportGenerator::BuildRows(pDoc);
  CUnitInfoReportDataArray& rows = m_pInfoRows->m_rows;
  rows.RemoveAll();
  ForEachReportUnit(
      pDoc,
      [&rows](CDesign& design, CUnitItem& item) {
        const int first = rows.GetSize();
        item.GetReportData(rows);
        for (int i = first; i < rows.GetSize(); ++i) {
          rows[i]->m_strDesignName = design.GetName();
          rows[i]->m_nDesignQuantity = design.GetQuantity();
        }
      },
      m_pProgress);
  rows.SortAndMerge();
}

int CUnitInfoReportGenerator::UnitEnd(int first) const
{
  const CUnitInfoReportDataArray& rows = m_pInfoRows->m_rows;
  const int id = rows[first]->m_nSerialID;
  int end = first + 1;
  while (end < rows.GetSize() && rows[end]->m_nSerialID == id)
    ++end;
  return end;
}

void CUnitInfoReportGenerator::WriteText()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CUnitInfoReportGenerator::WriteText() \n");
  BeginWriting(kModule, kLineTextNotReady);
  ForgetTexts();
  CString previousDesign;
  const int count = m_pInfoRows->m_rows.GetSize();
  for (int first = 0; first < count;) {
    const int end = UnitEnd(first);
    WriteUnitBlock(first, end, previousDesign);
    first = end;
  }
}

// One unit: an empty separator line, the design heading when the design changes, then one line
// per option row; lines past the block's 20 are dropped.
void CUnitInfoReportGenerator::WriteUnitBlock(int first, int end, CString& previousDesign)
{
  const CUnitInfoReportDataArray& rows = m_pInfoRows->m_rows;
  const CUnitInfoReportData& unit = *rows[first];
  CStringArray block;
  block.Add(CString());
  m_bDropLeadingBlank = TRUE;
  if (unit.m_strDesignName != previousDesign) {
    previousDesign = unit.m_strDesignName;
    const CString heading = CString::Formatted("%i - ", unit.m_nDesignQuantity) + unit.m_strDesignName;
    PutText(block, 2, m_nLineWidth, 0, 40, heading, 1);
  }
  int line = block.GetSize();
  for (int i = first; i < end; ++i, ++line) {
    const CUnitInfoReportData& row = *rows[i];
    if (i == first) {
      PutText(block, kBlockLines, m_nLineWidth, 0, 3, row.m_strReference, line);
      PutText(block, kBlockLines, m_nLineWidth, 5, 3, CString::Formatted("%i", row.m_nUnitQuantity), line);
      PutText(block, kBlockLines, m_nLineWidth, 10, 30, row.m_strDescription, line);
      const CString operation =
          row.m_strOperationCode.IsEmpty() ? CString("n/a") : GetOperation(row.m_strOperationCode);
      PutText(block, kBlockLines, m_nLineWidth, 43, 22, operation, line);
    }
    if (row.m_nOptionCategory != 0)
      PutText(block, kBlockLines, m_nLineWidth, 68, 18, GetCategoryName(row.m_nOptionCategory), line);
    if (row.m_nOptionChoice != 0)
      PutText(block, kBlockLines, m_nLineWidth, 88, 35,
              GetChoiceDescription(row.m_nOptionCategory, row.m_nOptionChoice), line);
  }
  m_nKeepTogether = block.GetSize();
  WriteLines(block);
}

void CUnitInfoReportGenerator::WritePageHeader()
{
  WriteHeaderFrame(kHeadings, static_cast<int>(std::size(kHeadings)));
}

void CUnitInfoReportGenerator::WriteCSV()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CUnitInfoReportGenerator::WriteCSV() \n");
  BeginWriting(kModule, kLineCSVNotReady);
  ForgetTexts();
  WriteLine("SerialID,DesignName,DesignQty,Reference,UnitQty,Description,Operation,OptionCategory,OptionChoice");
  const CUnitInfoReportDataArray& rows = m_pInfoRows->m_rows;
  for (int i = 0; i < rows.GetSize(); ++i)
    WriteLine(CSVLine(*rows[i]));
}

CString CUnitInfoReportGenerator::CSVLine(const CUnitInfoReportData& row)
{
  CString line = CString::Formatted("%li", static_cast<long>(row.m_nSerialID));
  line += "," + QuoteCSV(row.m_strDesignName);
  line += CString::Formatted(",%i", row.m_nDesignQuantity);
  line += "," + QuoteCSV(row.m_strReference);
  line += CString::Formatted(",%i", row.m_nUnitQuantity);
  line += "," + QuoteCSV(row.m_strDescription);
  line += "," + QuoteCSV(row.m_strOperationCode.IsEmpty() ? CString() : GetOperation(row.m_strOperationCode));
  line += "," + QuoteCSV(row.m_nOptionCategory == 0 ? CString() : GetCategoryName(row.m_nOptionCategory));
  line += "," + QuoteCSV(row.m_nOptionChoice == 0 ? CString()
                                                  : GetChoiceDescription(row.m_nOptionCategory, row.m_nOptionChoice));
  return line;
}

void CUnitInfoReportGenerator::ForgetTexts()
{
  m_operations.clear();
  m_categories.clear();
  m_choices.clear();
}

CString CUnitInfoReportGenerator::GetOperation(const CString& code)
{
  auto found = m_operations.find(code);
  if (found != m_operations.end())
    return found->second;
  COpersRec rec;
  rec.SetCode(code);
  const CString text = rec.Find(1) == 0 ? rec.GetDescription() : Missing(code);
  m_operations.emplace(code, text);
  return text;
}

CString CUnitInfoReportGenerator::GetCategoryName(int category)
{
  auto found = m_categories.find(category);
  if (found != m_categories.end())
    return found->second;
  COptCatsRec rec;
  rec.SetCategory(category);
  const CString text = rec.Find(1) == 0 ? rec.GetName() : Missing(category);
  m_categories.emplace(category, text);
  return text;
}

CString CUnitInfoReportGenerator::GetChoiceDescription(int category, int choice)
{
  const std::pair<int, int> key(category, choice);
  auto found = m_choices.find(key);
  if (found != m_choices.end())
    return found->second;
  COptChoicRec rec;
  rec.SetCategory(category);
  rec.SetChoice(choice);
  const CString text = rec.Find(1) == 0 ? rec.GetDescription() : Missing(choice);
  m_choices.emplace(key, text);
  return text;
}
