// Guards every form of both reports byte for byte against kept outputs: the sample house kept
// with the sources and a project of edge cases (quotes, commas, formula-like and control
// characters, code-page letters, names longer than their fields, an empty design, merged units,
// large quantities, every unit family), each as the window first lays it out, as printers of
// two widths lay it out, as the text and CSV exports write it, and in each measurement code.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "RptFixture.h"

namespace {

class ReportBytesTest : public ReportTest
{
protected:
  // The sections of one report of one project, each named.
  using Sections = std::map<std::string, std::string>;

  static std::string PageStarts(const CReportPageStarts& starts)
  {
    std::string text = "pages";
    for (int i = 0; i < starts.GetSize(); ++i)
      text += " " + std::to_string(starts[i]);
    return text + "\n";
  }

  // Every form of the generator's report of the project in the measurement code.
  Sections Forms(CReportGenerator& generator, CDoc& doc, int units)
  {
    Sections sections;
    const std::string code = "units " + std::to_string(units) + " ";
    CReportContent content(generator);
    content.Generate(&doc, units);
    sections[code + "generated"] = PageStarts(content.GetPageStarts()) + Joined(content.GetShownLines());
    const std::string textPath = dir.Path("report.txt");
    content.ExportText(textPath.c_str(), units);
    sections[code + "text file"] = ReadFile(textPath);
    const std::string csvPath = dir.Path("report.csv");
    content.ExportCSV(csvPath.c_str(), units);
    sections[code + "csv file"] = ReadFile(csvPath);
    // A narrow short page and a wide one: lines cut to the page, headers on every page, blocks
    // longer than a page.
    for (const auto& [width, length] : {std::pair{80, 16}, std::pair{130, 30}}) {
      content.Layout(width, length, units);
      sections[code + "printer " + std::to_string(width) + "x" + std::to_string(length)] =
          PageStarts(content.GetShownPageStarts()) + Joined(content.GetShownLines());
    }
    // The screen's layout: one header, no page breaks.
    content.Layout(generator.GetLineWidth(), -1, units);
    sections[code + "screen"] = PageStarts(content.GetShownPageStarts()) + Joined(content.GetShownLines());
    return sections;
  }

  static std::string Compose(const Sections& sections)
  {
    std::string text;
    for (const auto& [name, body] : sections)
      text += "#### " + name + "\n" + body;
    return text;
  }

  static Sections Parse(const std::string& text)
  {
    Sections sections;
    std::string name;
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find("\n#### ", at);
      end = end == std::string::npos ? text.size() : end + 1;
      const std::string part = text.substr(at, end - at);
      const size_t header = part.find('\n');
      if (part.rfind("#### ", 0) == 0 && header != std::string::npos)
        sections[part.substr(5, header - 5)] = part.substr(header + 1);
      at = end;
    }
    return sections;
  }

  // Each section of the kept output of that name equal to the one made now.
  static void ExpectKept(const std::string& name, const Sections& made)
  {
    const Sections kept = Parse(Golden(name, Compose(made)));
    ASSERT_EQ(kept.size(), made.size()) << name;
    for (const auto& [section, body] : made) {
      auto found = kept.find(section);
      ASSERT_NE(found, kept.end()) << name << ": " << section;
      EXPECT_EQ(body, found->second) << name << ": " << section;
    }
  }

  void ExpectEveryForm(const std::string& project, CDoc& doc)
  {
    Sections schedules;
    for (int units : {0, 1, 3})
      schedules.merge(Forms(schedule, doc, units));
    ExpectKept(project + "-schedule.txt", schedules);
    ExpectKept(project + "-unitinfo.txt", Forms(unitInfo, doc, 0));
  }

  static void BuildEdgeProject(CDoc& doc)
  {
    // Longer than the report's line: centred from the left edge and cut.
    doc.GetProjectData().SetProjectName(
        "The M\xFCller-\xC5str\xF6m Residence and Carriage House, \"Phase II\", with Garden Rooms and a Long Name");
    AddDesign(doc, "=SUM(A1)+Kitchen, \"East\"", 99999,
              {{"GL", "BA005", "GL4030", {{1, 2}, {5, 3}}},
               {"GL", "BA005", "GL4030", {{1, 2}, {5, 3}}},
               {"GL", "BA005", "GL4030", {{1, 2}, {5, 3}}},
               {"DH", "QV004", "QV3060", {{1, 1}, {2, 1}, {3, 2}, {4, 1}, {5, 2}, {7, 3}, {8, 1}, {35, 1}}}});
    AddDesign(doc,
              "K\xFC"
              "che\tund\x1b Speisekammer mit einem sehr langen Namen",
              1, {{"CA", "PI001"}, {"AW", "VP002"}, {"FG", "BA015"}, {"FH", "BA014"}, {"PS", "BA016"}});
    AddDesign(doc, "Empty Room", 0, {});
    AddDesign(doc, "-", 7, {{"VG", "RE010", "", {{1, 3}}}, {"SL", "BA012"}, {"SW", "GT041"}, {"AR", "BA011"}});
    AddDesign(doc, " @Roof", 12, {{"DH", "TR003"}, {"DH", "PI003"}, {"AW", "PI002"}, {"SL", "AR012"}});
  }
};

TEST_F(ReportBytesTest, TheSampleHouseGivesItsKeptReports)
{
  SetReportCompanySource([] { return CString("Pell & Sons Builders, \"Est. 1952\""); });
  const char* source = std::getenv("PANECRAFT_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string copy = dir.Path("Sample House.tpf");
  std::filesystem::copy_file(std::string(source) + "/samples/Sample House.tpf", copy);
  CDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(copy.c_str()));
  ASSERT_EQ(doc.GetDesignCount(), 12);
  ExpectEveryForm("house", doc);
}

TEST_F(ReportBytesTest, AProjectOfEdgeCasesGivesItsKeptReports)
{
  SetReportCompanySource([] { return CString("=Pell & S\xF6hne, \"Fenster\""); });
  CDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  BuildEdgeProject(doc);
  ASSERT_EQ(doc.GetDesignCount(), 5);
  ExpectEveryForm("edge", doc);
}

}  // namespace
