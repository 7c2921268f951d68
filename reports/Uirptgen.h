#pragma once
// The "Unit Information Report": for every design its quantity and name, and under it every
// distinct unit with its reference, how many of it the design holds, its description, its
// operation and one line per option category with the choice made.
#include <map>
#include <utility>

#include "model/Rptdata.h"
#include "reports/Rpttable.h"

using CUnitInfoReportRows = CTableReportRows<CUnitInfoReportDataArray, CUnitInfoReportData>;

class CUnitInfoReportGenerator : public CTableReportGenerator<CUnitInfoReportGenerator, CUnitInfoReportRows>
{
public:
  CUnitInfoReportGenerator();
  ~CUnitInfoReportGenerator() override;

  CString GetTitle() const override { return "Unit Information Report"; }
  int GetLineWidth() const override { return 123; }
  // Rows of every unit of every stored design with the design's name and quantity; identical
  // units of a design are merged, their quantities added.
  void BuildRows(CDoc* pDoc) override;
  // A code the product database lacks is shown as its number ("#12") rather than ending the
  // report.
  void WriteText() override;
  void WriteCSV() override;

private:
  static const Column kColumns[];

  // Index just past the rows of the unit whose first row is at `first`.
  int UnitEnd(int first) const;
  void WriteUnitBlock(int first, int end, CString& previousDesign);
  // The descriptions, looked up once per code and write; an empty code or a category or choice
  // of 0 has none.
  CString GetOperation(const CString& code);
  CString GetCategoryName(int category);
  CString GetChoiceDescription(int category, int choice);
  void ForgetTexts();
  // The values of the row's fields that the table shows.
  template <int CUnitInfoReportData::*quantity>
  static CString Count(CUnitInfoReportGenerator&, const Row& row)
  {
    return CString::Formatted("%i", row.*quantity);
  }
  static CString OperationText(CUnitInfoReportGenerator& generator, const Row& row);
  static CString Operation(CUnitInfoReportGenerator& generator, const Row& row);
  static CString Category(CUnitInfoReportGenerator& generator, const Row& row);
  static CString Choice(CUnitInfoReportGenerator& generator, const Row& row);

  std::map<CString, CString> m_operations;
  std::map<int, CString> m_categories;
  std::map<std::pair<int, int>, CString> m_choices;
};
