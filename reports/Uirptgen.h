#pragma once
// The "Unit Information Report": for every design its quantity and name, and under it every
// distinct unit with its reference, how many of it the design holds, its description, its
// operation and one line per option category with the choice made.
#include <map>
#include <utility>

#include "model/Rptdata.h"
#include "reports/Rptgen.h"

class CUnitInfoReportRows : public CReportRows
{
public:
  void RemoveAll() override { m_rows.RemoveAll(); }
  int GetRowCount() const override { return m_rows.GetSize(); }

  CUnitInfoReportDataArray m_rows;
};

class CUnitInfoReportGenerator : public CReportGenerator
{
public:
  CUnitInfoReportGenerator();
  ~CUnitInfoReportGenerator() override;

  CString GetTitle() const override { return "Unit Information Report"; }
  int GetLineWidth() const override { return 123; }
  std::unique_ptr<CReportRows> CreateRows() const override;
  void Initialize(CReportRows* pRows, CStringArray* pLines, CReportPageStarts* pPageStarts, int lineWidth,
                  int pageLength, int measurementUnits) override;
  // Rows of every unit of every stored design with the design's name and quantity; identical
  // units of a design are merged, their quantities added.
  void BuildRows(CDoc* pDoc) override;
  // A code the product database lacks is shown as its number ("#12") rather than ending the
  // report.
  void WriteText() override;
  void WriteCSV() override;

protected:
  void WritePageHeader() override;
  void EndPage() override { m_nLineOnPage = 0; }

private:
  // Index just past the rows of the unit whose first row is at `first`.
  int UnitEnd(int first) const;
  void WriteUnitBlock(int first, int end, CString& previousDesign);
  CString CSVLine(const CUnitInfoReportData& row);
  // The descriptions, looked up once per code and write.
  CString GetOperation(const CString& code);
  CString GetCategoryName(int category);
  CString GetChoiceDescription(int category, int choice);
  void ForgetTexts();

  CUnitInfoReportRows* m_pInfoRows = nullptr;
  std::map<CString, CString> m_operations;
  std::map<int, CString> m_categories;
  std::map<std::pair<int, int>, CString> m_choices;
};
