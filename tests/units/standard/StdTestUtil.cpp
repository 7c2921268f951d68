#include "StdTestUtil.h"

#include <cstdlib>

#include "geometry/2dline.h"
#include "geometry/2drect.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"

void StandardUnitTest::SetUp()
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  ASSERT_NE(binary, nullptr) << "PANECRAFT_BINARY_DIR is not set";
  CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
  RegisterStandardUnits();
}

CUnit* StandardUnitTest::MakeUnitOfKey(const char* type, const char* subtype) { return MakeUnit(type, subtype); }

std::vector<Line> Lines(const CVRX2DEntityArray& out, int first, int count, int category)
{
  std::vector<Line> lines;
  for (int i = first; i < first + count && i < out.GetSize(); ++i) {
    EXPECT_EQ(out[i]->GetCategory(), category) << i;
    EXPECT_EQ(out[i]->GetType(), VRX_LINE) << i;
    const auto& line = static_cast<const CVRX2DLine&>(*out[i]);
    lines.push_back({line.GetStartPoint().GetX(), line.GetStartPoint().GetY(), line.GetEndPoint().GetX(),
                     line.GetEndPoint().GetY()});
  }
  return lines;
}

std::vector<Line> Rectangle(double left, double bottom, double right, double top)
{
  return {
      {left, bottom, right, bottom}, {right, bottom, right, top}, {right, top, left, top}, {left, top, left, bottom}};
}

int CountOfCategory(const CVRX2DEntityArray& out, int category)
{
  int count = 0;
  for (int i = 0; i < out.GetSize(); ++i)
    count += out[i]->GetCategory() == category ? 1 : 0;
  return count;
}

std::vector<std::string> Codes(CUnit& unit)
{
  std::vector<std::string> codes;
  const CSizedComponentArray& components = *unit.GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i)
    codes.push_back(components[i]->GetCode().c_str());
  return codes;
}

std::vector<std::string> Kinds(CUnit& unit)
{
  std::vector<std::string> kinds;
  const CSizedComponentArray& components = *unit.GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i)
    kinds.push_back(components[i]->GetKind().c_str());
  return kinds;
}

std::vector<Line> Ends(CUnit& unit)
{
  std::vector<Line> ends;
  const CSizedComponentArray& components = *unit.GetSizedComponents();
  for (int i = 0; i < components.GetSize(); ++i) {
    const CSizedComponent& c = *components[i];
    ends.push_back(
        {c.GetStartPoint().GetX(), c.GetStartPoint().GetY(), c.GetEndPoint().GetX(), c.GetEndPoint().GetY()});
  }
  return ends;
}

std::vector<Line> HandlePoints(CUnit& unit)
{
  CSizingHandleArray handles;
  handles.Add(new CSizingHandle(CVRX2DPoint(-5, -5), 3));  // replaced, not kept
  unit.GetSizingHandles(handles);
  std::vector<Line> points;
  for (int i = 0; i < handles.GetSize(); ++i)
    points.push_back({handles[i]->GetPoint().GetX(), handles[i]->GetPoint().GetY(), double(handles[i]->GetCode())});
  return points;
}

std::string RefusalOf(const std::function<void()>& call)
{
  try {
    call();
  } catch (const CUnitException& e) {
    return std::string(e.file.c_str()) + ":" + std::to_string(e.line);
  }
  return "";
}

std::unique_ptr<CUnit> StoreAndReload(CUnit& unit)
{
  CMemFile file;
  {
    CArchive out(&file, CArchive::store);
    out << unit.GetType() << unit.GetSubtype() << unit.GetAttributes();
    out.Close();
  }
  const std::vector<BYTE> bytes = file.Detach();
  CMemFile stored(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive in(&stored, CArchive::load);
  CString type, subtype, attributes;
  in >> type >> subtype >> attributes;
  std::unique_ptr<CUnit> read(MakeUnit(type, subtype));
  if (read)
    read->SetAttributes(attributes);
  return read;
}

void ExpectPlanSection(CUnit& unit, const CPlanSectionUnitDimensions& dimensions)
{
  CPlanSectionSwitches switches;
  switches.SillLinesOn = 1;
  switches.FullFrameWidthOn = 1;
  CPlanSectionPreferences preferences;
  preferences.m_dWallThickness = 8.0;
  CVRX2DEntityArray out;
  out.Add(new CVRX2DLine(1, CVRX2DPoint(0, 0), CVRX2DPoint(1, 1)));  // replaced
  unit.GetPlanSectionEntities(30.0, switches, preferences, out);
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  CVRX2DEntityArray expected;
  section.GetEntities(expected);
  ASSERT_GT(out.GetSize(), 0);
  ASSERT_EQ(out.GetSize(), expected.GetSize());
  for (int i = 0; i < out.GetSize(); ++i) {
    EXPECT_EQ(out[i]->GetType(), expected[i]->GetType()) << i;
    EXPECT_EQ(out[i]->GetCategory(), expected[i]->GetCategory()) << i;
    EXPECT_EQ(out[i]->GetExtents().GetMinPoint(), expected[i]->GetExtents().GetMinPoint()) << i;
    EXPECT_EQ(out[i]->GetExtents().GetMaxPoint(), expected[i]->GetExtents().GetMaxPoint()) << i;
  }
}

void ExpectSameDrawings(CUnit& a, CUnit& b)
{
  for (int lines = 1; lines <= 3; ++lines)
    for (BOOL operation : {FALSE, TRUE}) {
      CVRX2DEntityArray first, second;
      a.GetElevationEntities(lines, operation, TRUE, first);
      b.GetElevationEntities(lines, operation, TRUE, second);
      ASSERT_EQ(first.GetSize(), second.GetSize()) << lines;
      for (int i = 0; i < first.GetSize(); ++i) {
        EXPECT_EQ(first[i]->GetCategory(), second[i]->GetCategory());
        EXPECT_EQ(first[i]->GetExtents().GetMinPoint(), second[i]->GetExtents().GetMinPoint());
        EXPECT_EQ(first[i]->GetExtents().GetMaxPoint(), second[i]->GetExtents().GetMaxPoint());
      }
    }
  EXPECT_EQ(Ends(a), Ends(b));
  EXPECT_EQ(Codes(a), Codes(b));
}
