// fuzz_corpus CATALOGUE-FOLDER TXDB-FOLDER OUTPUT-FOLDER: writes the seed inputs of the fuzz
// targets, kept in fuzz/corpus/: for productdb_fuzz small catalogues (every table, with none,
// one or three of its rows), for document_fuzz project files of 0, 1, 4 and 16 designs, for
// freeform_fuzz the stored attributes of new free-form and custom arched units of several kinds,
// for paste_fuzz Workbench clipboard blocks (units, a joined pair, a guideline, a nested group).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/Join.h"
#include "model/Unit.h"
#include "model/Unitutil.h"
#include "platform/core/Array.h"
#include "platform/core/Coreclass.h"
#include "productdata/Catalog.h"
#include "productdb/txrecobj.h"
#include "project/DocServices.h"
#include "project/Project.h"
#include "project/Projreg.h"
#include "support/Exceptn.h"
#include "units/standard/Ardl.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbclip.h"
#include "workbench/items/Wbreg.h"

namespace {

void WriteCatalogue(const CCatalogue& catalogue, size_t rowsPerTable, const std::string& path)
{
  CTableWriter writer;
  for (const CCatalogueTable& table : catalogue.GetTables()) {
    int number = writer.AddTable(table.layout);
    for (size_t r = 0; r < table.rows.size() && r < rowsPerTable; ++r)
      writer.AddRow(number, CCatalogue::MakeRow(table, table.rows[r]));
  }
  writer.WriteFile(CString::FromUtf8(path.c_str()));
}

class CCorpusServices : public CDocServices
{
public:
  CString GetProductName() const override { return "Panecraft"; }
  CString GetProductDataVersion() const override { return "1998.06 Sample"; }
  CString GetSpecificationVersion() const override { return "2.04"; }
  CString GetDatePopulated() const override { return "06/15/1998"; }
  CString GetContact() const override { return "Corpus"; }
  int GetMeasurementUnits() const override { return 0; }
  void ShowDbVersionDialog(const CDocVersion&) override {}
  BOOL AskNewDesignName(CString&, BOOL) override { return FALSE; }
  void CloseInitialUntitledProject() override {}
};

class CCorpusHost : public CProjectHost
{
public:
  Answer AskStoreChanges(const CString&, BOOL) override { return answerNo; }
  Answer AskReplace(const CString&, BOOL) override { return answerNo; }
  void ReportUnreadable(const CString&) override {}
  void ReportNotStored(const CString&, std::exception_ptr) override {}
  void OnDesignAdded(const CString&) override {}
  void OnDesignDeleting(const CString&) override {}
  void OnDesignRenamed(const CString&, const CString&) override {}
};

void WriteProject(int designs, const std::string& path)
{
  CCorpusHost host;
  CProject project(host);
  project.GetProjectPrefs().SetDefaults();
  project.GetProjectData().SetProjectName("Lake House");
  project.GetProjectData().SetNotes(designs > 1 ? "Two storeys; bays face south." : "");
  for (int i = 0; i < designs; ++i) {
    CDesign design;
    design.SetName(CString::Formatted(i % 2 ? "Bay %d" : "Unit Type %c", i % 2 ? i : 'A' + i / 2));
    design.GetDesignData().SetQuantity(1 + i % 3);
    CDesignStore store;
    store.Store(&design);
    project.AddDesign(store);
  }
  project.Save(CString::FromUtf8(path.c_str()));
}

// The fuzz target's input: a byte choosing the kind (its index in the target's list of keys),
// then the attributes after "<type>,<subtype>,".
void WriteUnit(int kind, const CUnit& unit, const std::string& path)
{
  const CString prefix = unit.GetType() + "," + unit.GetSubtype() + ",";
  CString attributes = unit.GetAttributes();
  if (attributes.Left(prefix.GetLength()) == prefix)
    attributes = attributes.Mid(prefix.GetLength());
  std::ofstream out(path, std::ios::binary);
  out.put(static_cast<char>(kind));
  out.write(attributes.c_str(), attributes.GetLength());
}

std::unique_ptr<CUnit> MakeNewUnit(const char* type, const char* subtype)
{
  std::unique_ptr<CUnit> unit(MakeUnit(type, subtype));
  if (!unit)
    throw CAppException("Corpusgen", 1);
  return unit;
}

// A double-leg unit locked, its legs equal, so the seeds hold both of its attribute forms.
std::unique_ptr<CUnit> MakeLockedDoubleLeg()
{
  std::unique_ptr<CUnit> unit = MakeNewUnit("AR", "DL013");
  auto& doubleLeg = dynamic_cast<CARDoubleLeg&>(*unit);
  double base = 0.0;
  int locked = 0;
  CArray<double, double> values;
  doubleLeg.GetDimensionValues(base, locked, values);
  values.SetSize(2);
  if (!doubleLeg.SetDimensionValues(base, 1, values))
    throw CAppException("Corpusgen", 2);
  return unit;
}

}  // namespace

CUnitItem* Glider(double x, double y)
{
  auto* pItem = new CUnitItem("GL", "BA005");
  pItem->GetUnit();
  pItem->Offset(CVRX2DVector(x, y));
  return pItem;
}

// A clipboard block as Copy leaves it: the group's own bytes and one spare byte. The items stay
// the caller's.
void WritePaste(std::initializer_list<CDesignItem*> items, const std::string& path)
{
  CObList list;
  for (CDesignItem* pItem : items)
    list.AddTail(pItem);
  CGroupItem group(list);
  std::vector<BYTE> bytes = WriteItemGroup(group);
  group.RemoveAllItems();
  bytes.push_back(0);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WritePastes(const std::filesystem::path& out)
{
  // Glider sides in its component outlines.
  constexpr int kRightJamb = 2;
  constexpr int kLeftJamb = 5;
  std::unique_ptr<CUnitItem> left(Glider(100.0, 100.0));
  std::unique_ptr<CUnitItem> right(Glider(100.0 + left->GetWidth(), 100.0));
  WritePaste({left.get(), right.get()}, (out / "paste-two-units.bin").string());
  const int movingID = right->GetUnit()->GetComponentID(kLeftJamb);
  const int stationaryID = left->GetUnit()->GetComponentID(kRightJamb);
  const double x = 100.0 + left->GetWidth();
  CJoinItem join(CVRX2DPoint(x, 123.5), CVRX2DPoint(x, 100.0), 1, movingID, stationaryID);
  if (join.GetJoin()) {
    join.AddUnit(1, right.get(), kLeftJamb, movingID, join.GetJoin()->GetFirstOffset());
    join.AddUnit(2, left.get(), kRightJamb, stationaryID, join.GetJoin()->GetSecondOffset());
    WritePaste({&join, left.get(), right.get()}, (out / "paste-joined-pair.bin").string());
  }
  CGuidelineItem guide(CVRXAngle(VRX_PI / 2.0), 2.0, CVRX2DVector(50.0, 50.0), nullptr);
  CObList inner;
  inner.AddTail(Glider(300.0, 40.0));
  CGroupItem nested(inner);
  WritePaste({left.get(), &guide, &nested}, (out / "paste-guideline-and-group.bin").string());
}

int main(int argc, char** argv)
{
  if (argc != 4) {
    std::fputs("usage: fuzz_corpus CATALOGUE-FOLDER TXDB-FOLDER OUTPUT-FOLDER\n", stderr);
    return 2;
  }
  try {
    RegisterCoreClasses();
    RegisterProjectClasses();
    RegisterFreeformUnits();
    RegisterStandardUnits();
    RegisterWorkbenchClasses();
    CCorpusServices services;
    SetDocServices(&services);
    CTXRecObj::SetDatabaseDirectory(argv[2]);
    const std::filesystem::path out(argv[3]);
    std::filesystem::create_directories(out / "productdb_fuzz");
    std::filesystem::create_directories(out / "document_fuzz");
    std::filesystem::create_directories(out / "freeform_fuzz");
    std::filesystem::create_directories(out / "paste_fuzz");
    const CCatalogue catalogue = CCatalogue::Load(CString::FromUtf8(argv[1]));
    for (size_t rows : {0, 1, 3})
      WriteCatalogue(catalogue, rows,
                     (out / "productdb_fuzz" / ("catalogue-" + std::to_string(rows) + "-rows.sdf")).string());
    for (int designs : {0, 1, 4, 16})
      WriteProject(designs, (out / "document_fuzz" / ("project-" + std::to_string(designs) + "-designs.tpf")).string());
    // Indexes into freeform_fuzz's list of keys.
    struct Kind
    {
      int index;
      const char* type;
      const char* subtype;
    };
    const Kind kinds[] = {{0, "VG", "DI010"},  {2, "VG", "HX010"},  {8, "VG", "RE010"}, {12, "VG", "TZ010"},
                          {14, "AR", "S1013"}, {15, "AR", "S2013"}, {16, "AR", "DL013"}};
    const std::filesystem::path units = out / "freeform_fuzz";
    for (const Kind& kind : kinds)
      WriteUnit(kind.index, *MakeNewUnit(kind.type, kind.subtype),
                (units / (std::string("unit-") + kind.subtype + ".txt")).string());
    WriteUnit(16, *MakeLockedDoubleLeg(), (units / "unit-DL013-locked.txt").string());
    WritePastes(out / "paste_fuzz");
    SetDocServices(nullptr);
  } catch (CException& e) {
    std::fputs(("fuzz_corpus: " + e.GetErrorMessage() + "\n").ToUtf8().c_str(), stderr);
    return 1;
  }
  return 0;
}
