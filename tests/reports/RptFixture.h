#pragma once
// Projects of stored designs built from catalogue units, the report content of each generator,
// a fixed header date, and the second reader of comma-separated files.
#include <string>
#include <vector>

#include "document/Doc.h"
#include "ui/dlg/DialogService.h"
#include "project/DocTestSupport.h"
#include "project/TempDir.h"
#include "reports/Rptcont.h"
#include "reports/Schrptgn.h"
#include "reports/Uirptgen.h"

// One unit of a design: type, subtype, the size code for catalogue units (empty: the first
// size) and option choices as (category, choice) pairs.
struct CUnitSpec
{
  const char* type;
  const char* subtype;
  const char* sizeCode = "";
  std::vector<std::pair<int, int>> options = {};
};

class ReportTest : public CatalogueTest
{
protected:
  void SetUp() override;
  void TearDown() override;

  // Stores a design of those units into the project.
  static void AddDesign(CDoc& doc, const char* name, int quantity, const std::vector<CUnitSpec>& units);
  // Several designs of gliders, double-hungs, awnings, casements and a free-form unit: enough
  // rows for more than one 60-line page of either report.
  static void BuildSampleProject(CDoc& doc);
  // A design of one unit of every standard size of the type and subtype.
  static void AddEverySize(CDoc& doc, const char* name, const char* type, const char* subtype);

  // The lines joined with carriage return and line feed, as the report files hold them.
  static std::string Joined(const CStringArray& lines);
  static std::string ReadFile(const std::string& path);
  // The kept expected output of that name; with PANECRAFT_UPDATE_GOLDEN set, rewrites it first.
  static std::string Golden(const std::string& name, const std::string& actual);
  // The records of a CSV file as Python's csv module reads them.
  static std::vector<std::vector<std::string>> ReadCSVWithPython(const std::string& path);

  CScriptedDialogService dialogs;
  CTempDir dir;
  CScheduleReportGenerator schedule;
  CUnitInfoReportGenerator unitInfo;
};
