#include "reports/Uirptgen.h"

#include "productdb/Opers.h"
#include "productdb/Optcats.h"
#include "productdb/Optchoic.h"
#include "project/Design.h"
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

CString Missing(const char* text) { return CString("#") + text; }

CString Missing(int number) { return CString::Formatted("#%i", number); }

// The text kept for the key, else the one `look` finds, kept from then on.
template <class Key, class Look>
CString Cached(std::map<Key, CString>& texts, const Key& key, Look look)
{
  auto found = texts.find(key);
  if (found != texts.end())
    return found->second;
  const CString text = look();
  texts.emplace(key, text);
  return text;
}

}  // namespace

const CUnitInfoReportGenerator::Column CUnitInfoReportGenerator::kColumns[] = {
    {.csvName = "SerialID", .value = SerialID, .form = CCSVForm::asIs},
    // The text shows the design's quantity and name as the heading of its units.
    {.csvName = "DesignName", .value = DesignName},
    {.csvName = "DesignQty", .value = Count<&Row::m_nDesignQuantity>, .form = CCSVForm::asIs},
    {.csvName = "Reference", .value = Reference, .position = 0, .width = 3, .heading = "Ref", .firstLineOnly = true},
    {.csvName = "UnitQty",
     .value = Count<&Row::m_nUnitQuantity>,
     .form = CCSVForm::asIs,
     .position = 5,
     .width = 3,
     .heading = "Qty",
     .firstLineOnly = true},
    {.csvName = "Description",
     .value = Description,
     .position = 10,
     .width = 30,
     .heading = "Description",
     .firstLineOnly = true},
    // A unit without an operating choice shows "n/a"; its CSV field stays empty.
    {.csvName = "Operation",
     .value = OperationText,
     .csvValue = Operation,
     .position = 43,
     .width = 22,
     .heading = "Operation",
     .firstLineOnly = true},
    {.csvName = "OptionCategory", .value = Category, .position = 68, .width = 18, .heading = "Option"},
    {.csvName = "OptionChoice", .value = Choice, .position = 88, .width = 35, .heading = "Option Choice"},
};

CUnitInfoReportGenerator::CUnitInfoReportGenerator()
  : CTableReportGenerator(kColumns, {kModule, kLineWrongRows, kLineTextNotReady, kLineCSVNotReady}, kBlockLines)
{
  PCTRACE(TT_REPORTS, TL_DETAIL)("CUnitInfoReportGenerator construction \n");
}

CUnitInfoReportGenerator::~CUnitInfoReportGenerator()
{
  PCTRACE(TT_REPORTS, TL_DETAIL)("CUnitInfoReportGenerator destruction \n");
}

void CUnitInfoReportGenerator::BuildRows(CDoc* pDoc)
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CUnitInfoReportGenerator::BuildRows() \n");
  BuildTableRows(pDoc, [](CUnitInfoReportData& row, CDesign& design) {
    row.m_strDesignName = design.GetName();
    row.m_nDesignQuantity = design.GetQuantity();
  });
  TableRows().SortAndMerge();
}

int CUnitInfoReportGenerator::UnitEnd(int first) const
{
  const CUnitInfoReportDataArray& rows = TableRows();
  const int id = rows[first]->m_nSerialID;
  int end = first + 1;
  while (end < rows.GetSize() && rows[end]->m_nSerialID == id)
    ++end;
  return end;
}

void CUnitInfoReportGenerator::WriteText()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CUnitInfoReportGenerator::WriteText() \n");
  BeginText();
  ForgetTexts();
  CString previousDesign;
  const int count = TableRows().GetSize();
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
  const CUnitInfoReportDataArray& rows = TableRows();
  const CUnitInfoReportData& unit = *rows[first];
  CStringArray block;
  CString heading;
  if (unit.m_strDesignName != previousDesign) {
    previousDesign = unit.m_strDesignName;
    heading = CString::Formatted("%i - ", unit.m_nDesignQuantity) + unit.m_strDesignName;
  }
  OpenBlock(block, heading);
  int line = block.GetSize();
  for (int i = first; i < end; ++i, ++line)
    PutRow(block, *rows[i], line, i == first);
  m_nKeepTogether = block.GetSize();
  WriteLines(block);
}

void CUnitInfoReportGenerator::WriteCSV()
{
  PCTRACE(TT_REPORTS, TL_IMPORTANT)("CUnitInfoReportGenerator::WriteCSV() \n");
  ForgetTexts();
  WriteTableCSV();
}

void CUnitInfoReportGenerator::ForgetTexts()
{
  m_operations.clear();
  m_categories.clear();
  m_choices.clear();
}

CString CUnitInfoReportGenerator::OperationText(CUnitInfoReportGenerator& generator, const Row& row)
{
  return row.m_strOperationCode.IsEmpty() ? CString("n/a") : generator.GetOperation(row.m_strOperationCode);
}

CString CUnitInfoReportGenerator::Operation(CUnitInfoReportGenerator& generator, const Row& row)
{
  return generator.GetOperation(row.m_strOperationCode);
}

CString CUnitInfoReportGenerator::Category(CUnitInfoReportGenerator& generator, const Row& row)
{
  return generator.GetCategoryName(row.m_nOptionCategory);
}

CString CUnitInfoReportGenerator::Choice(CUnitInfoReportGenerator& generator, const Row& row)
{
  return generator.GetChoiceDescription(row.m_nOptionCategory, row.m_nOptionChoice);
}

CString CUnitInfoReportGenerator::GetOperation(const CString& code)
{
  if (code.IsEmpty())
    return CString();
  return Cached(m_operations, code, [&code] {
    COpersRec rec;
    rec.SetCode(code);
    return rec.Find(1) == 0 ? rec.GetDescription() : Missing(code);
  });
}

CString CUnitInfoReportGenerator::GetCategoryName(int category)
{
  if (category == 0)
    return CString();
  return Cached(m_categories, category, [category] {
    COptCatsRec rec;
    rec.SetCategory(category);
    return rec.Find(1) == 0 ? rec.GetName() : Missing(category);
  });
}

CString CUnitInfoReportGenerator::GetChoiceDescription(int category, int choice)
{
  if (choice == 0)
    return CString();
  return Cached(m_choices, std::pair(category, choice), [category, choice] {
    COptChoicRec rec;
    rec.SetCategory(category);
    rec.SetChoice(choice);
    return rec.Find(1) == 0 ? rec.GetDescription() : Missing(choice);
  });
}
