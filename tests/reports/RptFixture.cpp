#include "RptFixture.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "model/Stdunit.h"
#include "platform/core/Time.h"
#include "project/Dsgstore.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbreg.h"

namespace {

std::time_t FixedClock() { return CTime(2026, 3, 9, 12, 0, 0).GetTime(); }

CUnitItem* MakeItem(const CUnitSpec& spec)
{
  auto* pItem = new CUnitItem(spec.type, spec.subtype);
  CUnit* pUnit = pItem->GetUnit();
  if (*spec.sizeCode) {
    auto* pStandard = dynamic_cast<CStandardUnit*>(pUnit);
    EXPECT_NE(pStandard, nullptr) << spec.type << spec.subtype;
    if (pStandard) {
      pStandard->SetSizeCode(spec.sizeCode);
      EXPECT_EQ(pStandard->GetSizeCode(), spec.sizeCode);
    }
  }
  for (const auto& [category, choice] : spec.options)
    EXPECT_TRUE(pUnit->SetOptionChoice(category, choice)) << spec.type << spec.subtype << " " << category;
  pItem->UpdateUnitInfo();
  return pItem;
}

}  // namespace

void ReportTest::SetUp()
{
  CatalogueTest::SetUp();
  RegisterStandardUnits();
  RegisterFreeformUnits();
  RegisterWorkbenchClasses();
  SetDialogService(&dialogs);
  CReportGenerator::SetClock(FixedClock);
}

void ReportTest::TearDown()
{
  CReportGenerator::SetClock(nullptr);
  SetReportCompanySource(nullptr);
  SetDialogService(nullptr);
}

void ReportTest::AddDesign(CDoc& doc, const char* name, int quantity, const std::vector<CUnitSpec>& units)
{
  CDesign design;
  design.SetName(name);
  design.GetDesignData().SetQuantity(quantity);
  for (const CUnitSpec& spec : units)
    design.GetItemList().AddTail(MakeItem(spec));
  CDesignStore store;
  store.Store(&design);
  doc.AddDesign(store);
}

void ReportTest::AddEverySize(CDoc& doc, const char* name, const char* type, const char* subtype)
{
  CUnitItem probe(type, subtype);
  CStdSizesRecArray sizes;
  dynamic_cast<CStandardUnit*>(probe.GetUnit())->GetStandardSizes(sizes);
  std::vector<std::string> codes;
  for (int i = 0; i < sizes.GetSize(); ++i)
    codes.push_back(sizes[i]->GetSizeCode().str());
  std::vector<CUnitSpec> units;
  for (const std::string& code : codes)
    units.push_back({type, subtype, code.c_str()});
  AddDesign(doc, name, 1, units);
}

void ReportTest::BuildSampleProject(CDoc& doc)
{
  doc.GetProjectData().SetProjectName("Harbor View Residence");
  AddDesign(doc, "Kitchen", 2,
            {{"GL", "BA005", "GL4030", {{1, 2}, {5, 3}}},
             {"DH", "KC003", "KC3050"},
             {"GL", "BA005", "GL4030", {{1, 2}, {5, 3}}},
             {"GL", "BA005", "GL4030", {{1, 4}}},
             {"GL", "BA005", "GL3050"}});
  AddDesign(doc, "Bay \"A\", North", 3,
            {{"AW", "BA002", "", {{7, 2}, {36, 2}}}, {"CA", "BA001"}, {"VG", "RE010", "", {{1, 3}}}});
  AddDesign(doc, "Guest Suite with the Long Garden-Facing Wall", 1,
            {{"DH", "QV004", "QV3060", {{1, 1}, {2, 1}, {3, 2}, {4, 1}, {5, 2}, {7, 3}, {8, 1}, {35, 1}}}});
  AddEverySize(doc, "Great Room", "GL", "BA005");
  AddEverySize(doc, "Upstairs", "DH", "KC003");
  AddEverySize(doc, "Sunroom", "AW", "BA002");
  AddEverySize(doc, "Library", "CA", "BA001");
}

std::string ReportTest::Joined(const CStringArray& lines)
{
  std::string text;
  for (const CString& line : lines)
    text += line.str() + "\r\n";
  return text;
}

std::string ReportTest::ReadFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string ReportTest::Golden(const std::string& name, const std::string& actual)
{
  const char* source = std::getenv("PANECRAFT_SOURCE_DIR");
  const std::string path = std::string(source ? source : ".") + "/tests/reports/golden/" + name;
  if (std::getenv("PANECRAFT_UPDATE_GOLDEN")) {
    std::ofstream out(path, std::ios::binary);
    out << actual;
  }
  return ReadFile(path);
}

// Python reads the file as UTF-8, as Linux programs read text, and prints each field's bytes in
// hex, fields split by blanks, one record a line, so no byte of a field can be mistaken for a
// separator. A byte that is not UTF-8 fails the read.
std::vector<std::vector<std::string>> ReportTest::ReadCSVWithPython(const std::string& path)
{
  const std::string command = "/usr/bin/python3 -c \"import csv,sys\n"
                              "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                              "  for r in csv.reader(f):\n"
                              "    print(' '.join((x.encode('utf-8').hex() or '-') for x in r))\" '" +
                              path + "'";
  std::vector<std::vector<std::string>> records;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "python3 could not be started";
    return records;
  }
  std::string output;
  std::array<char, 4096> buffer{};
  size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    output.append(buffer.data(), n);
  EXPECT_EQ(::pclose(pipe), 0) << output;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      std::string field;
      for (size_t i = 0; word != "-" && i + 1 < word.size(); i += 2)
        field += static_cast<char>(std::stoi(word.substr(i, 2), nullptr, 16));
      fields.push_back(field);
    }
    records.push_back(fields);
  }
  return records;
}
