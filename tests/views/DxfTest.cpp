// Guards the DXF files of the export: their bytes against files kept with the tests, their
// reading by a second DXF reader with its coordinates against the drawing's entities, the names
// the file carries, and a failed export that leaves the previous file as it was.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <string>

#include "DxfReader.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "project/TempDir.h"
#include "platform/core/FileSizeLimit.h"
#include "views/Xltdata.h"
#include "views/Xltdxf.h"

namespace {
constexpr double kPi = std::numbers::pi;
constexpr int kFrame = 52;      // layer "FRAME", colour 1, "Continuous"
constexpr int kElevation = 46;  // layer "ELEV", by-layer colour and line type
constexpr int kUnlisted = 99;   // takes the key-0 entry

class DxfTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_FALSE(dir.Dir().empty());
    map.SetDXFData(0, new CXLTDXFData(7, "0", "Continuous"));
    map.SetDXFData(kFrame, new CXLTDXFData(1, "FRAME", "Continuous"));
    map.SetDXFData(kElevation, new CXLTDXFData(0, "ELEV", "BYLAYER"));
  }

  // Writes the entities to name in the scratch folder; the path written.
  std::string Write(const std::string& name, const CVRX2DEntityArray& entities)
  {
    const std::string path = dir.Path(name);
    EXPECT_TRUE(WriteDXFFile(path.c_str(), entities, &map)) << name;
    return path;
  }

  // The file is the one kept with the tests, byte for byte, and the second reader reads it
  // without errors.
  CDxfReading ExpectFile(const std::string& path, const std::string& expected)
  {
    const std::string text = FileText(path);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text, FileText(ExpectedFile(expected))) << expected;
    CDxfReading reading = ReadWithEzdxf(path);
    EXPECT_TRUE(reading.ran) << "ezdxf did not read " << path;
    EXPECT_EQ(reading.errors, 0) << path;
    return reading;
  }

  CTempDir dir;
  CMapECatToXLTDXFData map;
};

void ExpectValues(const CDxfReading::CEntity& entity, const std::vector<double>& values, double tolerance = 1e-9)
{
  ASSERT_EQ(entity.values.size(), values.size()) << entity.type;
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_NEAR(entity.values[i], values[i], tolerance) << entity.type << " value " << i;
}

double Degrees(const CVRXAngle& angle) { return angle.GetRadians() * 180.0 / kPi; }

std::string Crlf(std::initializer_list<const char*> lines)
{
  std::string text;
  for (const char* line : lines)
    text += std::string(line) + "\r\n";
  return text;
}
}  // namespace

TEST_F(DxfTest, AnEmptyExportIsTheSectionFrameAlone)
{
  const std::string path = Write("empty.dxf", CVRX2DEntityArray());
  const CDxfReading reading = ExpectFile(path, "empty.dxf");
  EXPECT_TRUE(reading.entities.empty());
  EXPECT_EQ(FileText(path), Crlf({"  0", "SECTION", "  2", "ENTITIES", "  0", "ENDSEC", "  0", "EOF"}));
}

TEST_F(DxfTest, ALineScaledToMillimetres)
{
  CVRX2DEntityArray entities;
  entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(0.5, 1.0), CVRX2DPoint(12.5, -3.0)));
  ScaleToDXFUnit(entities, 3);
  const std::string path = Write("line_mm.dxf", entities);
  const CDxfReading reading = ExpectFile(path, "line_mm.dxf");
  ASSERT_EQ(reading.entities.size(), 1u);
  const CDxfReading::CEntity& line = reading.entities[0];
  EXPECT_EQ(line.type, "LINE");
  EXPECT_EQ(line.layer, "FRAME");
  EXPECT_EQ(line.lineType, "Continuous");
  EXPECT_EQ(line.color, 1);
  ExpectValues(line, {12.7, 25.4, 317.5, -76.2});
}

// Twelve inches are one foot exactly, in the file's text and to the second reader.
TEST_F(DxfTest, ALineTwelveInchesOverIsOneFootOverInFeet)
{
  CVRX2DEntityArray entities;
  entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(12.0, 0.0), CVRX2DPoint(12.0, 30.0)));
  ScaleToDXFUnit(entities, 1);
  const std::string path = Write("line_ft.dxf", entities);
  const std::string text = FileText(path);
  EXPECT_NE(text.find(" 10\r\n1.0000000000\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" 21\r\n2.5000000000\r\n"), std::string::npos) << text;
  const CDxfReading reading = ReadWithEzdxf(path);
  ASSERT_TRUE(reading.ran);
  EXPECT_EQ(reading.errors, 0);
  ASSERT_EQ(reading.entities.size(), 1u);
  ExpectValues(reading.entities[0], {1.0, 0.0, 1.0, 2.5}, 0.0);
}

TEST_F(DxfTest, LineGroupsFollowTheCategorysLineTypeAndColour)
{
  CVRX2DEntityArray entities;
  entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(12.5, -3.0)));
  const std::string coordinates = Crlf({" 10", "0.0000000000", " 20", "0.0000000000", " 30", "0.0", " 11",
                                        "12.5000000000", " 21", "-3.0000000000", " 31", "0.0"});
  const std::string head = Crlf({"  0", "SECTION", "  2", "ENTITIES"});
  const std::string tail = Crlf({"  0", "ENDSEC", "  0", "EOF"});
  EXPECT_EQ(FileText(Write("frame.dxf", entities)),
            head + Crlf({"  0", "LINE", "  8", "FRAME", "  6", "Continuous", " 62", "     1"}) + coordinates + tail);

  map.SetDXFData(kFrame, new CXLTDXFData(0, "FRAME", "BYLAYER"));
  EXPECT_EQ(FileText(Write("bylayer.dxf", entities)),
            head + Crlf({"  0", "LINE", "  8", "FRAME"}) + coordinates + tail);
  map.SetDXFData(kFrame, new CXLTDXFData(3, "FRAME", ""));
  EXPECT_EQ(FileText(Write("untyped.dxf", entities)),
            head + Crlf({"  0", "LINE", "  8", "FRAME", " 62", "     3"}) + coordinates + tail);
}

TEST_F(DxfTest, ACircleAndAnOpenCircularArc)
{
  CVRX2DEntityArray entities;
  entities.Add(
      new CVRX2DArc(kElevation, CVRX2DPoint(2.0, 3.0), 1.5, 1.5, CVRXAngle(0.0), CVRXAngle(1.0), CVRXAngle(1.0)));
  entities.Add(
      new CVRX2DArc(kFrame, CVRX2DPoint(-1.0, 0.25), 0.75, 0.75, CVRXAngle(0.3), CVRXAngle(0.0), CVRXAngle(kPi / 2.0)));
  const std::string path = Write("circle.dxf", entities);
  const CDxfReading reading = ExpectFile(path, "circle.dxf");
  ASSERT_EQ(reading.entities.size(), 2u);
  const CDxfReading::CEntity& circle = reading.entities[0];
  EXPECT_EQ(circle.type, "CIRCLE");
  EXPECT_EQ(circle.layer, "ELEV");
  EXPECT_EQ(circle.color, 256) << "by layer: no colour group";
  ExpectValues(circle, {2.0, 3.0, 1.5});
  const CDxfReading::CEntity& arc = reading.entities[1];
  EXPECT_EQ(arc.type, "ARC");
  ExpectValues(arc, {-1.0, 0.25, 0.75, 0.0, 90.0});
  const std::string text = FileText(path);
  EXPECT_GT(text.find(" 50\r\n"), text.find("\r\nARC\r\n")) << "the circle record has no angles";
}

TEST_F(DxfTest, AClosedEllipseBecomesTheCircularPiecesOfItsSplit)
{
  // Starting on the major axis, where two pieces meet.
  const CVRX2DArc ellipse(kUnlisted, CVRX2DPoint(10.0, 5.0), 2.0, 1.0, CVRXAngle(kPi / 6.0), CVRXAngle(kPi / 6.0),
                          CVRXAngle(kPi / 6.0));
  CVRX2DEntityArray entities;
  entities.Add(ellipse.Clone());
  const std::string path = Write("ellipse.dxf", entities);
  const CDxfReading reading = ExpectFile(path, "ellipse.dxf");

  CVRX2DEntityArray pieces;
  CEntityTranslator::SplitArc(pieces, ellipse);
  ASSERT_EQ(pieces.GetSize(), 8) << "two pieces per quadrant, starting on a piece boundary";
  ASSERT_EQ(reading.entities.size(), 8u);
  for (int i = 0; i < pieces.GetSize(); ++i) {
    const auto& piece = *static_cast<const CVRX2DArc*>(pieces[i]);
    const CDxfReading::CEntity& arc = reading.entities[static_cast<size_t>(i)];
    EXPECT_EQ(arc.type, "ARC");
    EXPECT_EQ(arc.layer, "0") << "an unlisted category takes the key-0 entry";
    EXPECT_EQ(arc.color, 7);
    ExpectValues(arc,
                 {piece.GetCentre().GetX(), piece.GetCentre().GetY(), piece.GetMajorRadius(),
                  Degrees(piece.GetStartAngle()), Degrees(piece.GetEndAngle())},
                 1e-9);
    // Each piece as read starts where the ellipse's point lies on it: on the ellipse.
    const double start = arc.values[3] * kPi / 180.0;
    const CVRX2DPoint p(arc.values[0] + arc.values[2] * std::cos(start),
                        arc.values[1] + arc.values[2] * std::sin(start));
    const CVRX2DVector local(ellipse.GetCentre(), p);
    const double u = local.GetX() * std::cos(kPi / 6.0) + local.GetY() * std::sin(kPi / 6.0);
    const double v = -local.GetX() * std::sin(kPi / 6.0) + local.GetY() * std::cos(kPi / 6.0);
    EXPECT_NEAR(u * u / 4.0 + v * v, 1.0, 1e-6) << "piece " << i;
  }
}

TEST_F(DxfTest, NamesLoseControlCharactersAndTrailingBlanks)
{
  map.SetDXFData(kFrame, new CXLTDXFData(2, "FR\tAME\r\n  ",
                                         "Dash\x01"
                                         "ed \x7f"));
  CVRX2DEntityArray entities;
  entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(1.0, 1.0)));
  const std::string path = Write("names.dxf", entities);
  const std::string text = FileText(path);
  EXPECT_NE(text.find("\r\n  8\r\nFRAME\r\n  6\r\nDashed\r\n"), std::string::npos) << text;
  const CDxfReading reading = ReadWithEzdxf(path);
  EXPECT_EQ(reading.errors, 0);
  ASSERT_EQ(reading.entities.size(), 1u);
  EXPECT_EQ(reading.entities[0].layer, "FRAME");
}

TEST_F(DxfTest, AFailedExportLeavesThePreviousFileAndNoOther)
{
  const std::string path = dir.Path("plan.dxf");
  std::ofstream(path, std::ios::binary) << "previous drawing";
  CVRX2DEntityArray entities;
  entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(1.0, 1.0)));
  entities.Add(new CVRX2DLine(0, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(2.0, 2.0)));  // no category
  EXPECT_FALSE(WriteDXFFile(path.c_str(), entities, &map));
  EXPECT_EQ(FileText(path), "previous drawing");
  EXPECT_EQ(dir.EntryCount(), 1u) << "the temporary file is removed";

  CVRX2DEntityArray unreadable;
  unreadable.Add(
      new CVRX2DLine(kFrame, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(std::numeric_limits<double>::quiet_NaN(), 1.0)));
  EXPECT_FALSE(WriteDXFFile(path.c_str(), unreadable, &map)) << "a coordinate that is no number";
  EXPECT_EQ(FileText(path), "previous drawing");

  const CVRX2DArc flat(kFrame, CVRX2DPoint(0.0, 0.0), 2.0, 0.0, CVRXAngle(0.0), CVRXAngle(0.0), CVRXAngle(1.0));
  CVRX2DEntityArray arcs;
  arcs.Add(flat.Clone());
  EXPECT_FALSE(WriteDXFFile(path.c_str(), arcs, &map)) << "an arc that cannot be split";
  EXPECT_EQ(FileText(path), "previous drawing");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(DxfTest, AFolderThatCannotTakeTheFileFailsCleanly)
{
  EXPECT_FALSE(WriteDXFFile(dir.Path("missing/plan.dxf").c_str(), CVRX2DEntityArray(), &map));
  std::filesystem::create_directory(dir.Path("taken.dxf"));
  EXPECT_FALSE(WriteDXFFile(dir.Path("taken.dxf").c_str(), CVRX2DEntityArray(), &map)) << "a folder of that name";
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path("taken.dxf")));
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(DxfTest, NumbersKeepThePointUnderADecimalCommaLocale)
{
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
    GTEST_SKIP() << "no decimal-comma locale on this machine";
  CVRX2DEntityArray entities;
  entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(0.5, 1.0), CVRX2DPoint(12.5, -3.0)));
  ScaleToDXFUnit(entities, 3);
  const std::string text = FileText(Write("comma.dxf", entities));
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(text, FileText(ExpectedFile("line_mm.dxf")));
}

TEST(DxfUnits, TheTranslationUnitsScaleAboutTheOrigin)
{
  EXPECT_DOUBLE_EQ(DXFTranslationFactor(0), 1.0);
  EXPECT_EQ(DXFTranslationFactor(1), 1.0 / 12.0);
  EXPECT_DOUBLE_EQ(DXFTranslationFactor(2), 2.54);
  EXPECT_DOUBLE_EQ(DXFTranslationFactor(4), 0.0254);
  EXPECT_DOUBLE_EQ(DXFTranslationFactor(7), 1.0) << "an unknown unit is taken as inches";
  CVRX2DEntityArray entities;
  entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(12.0, 0.0), CVRX2DPoint(0.0, -24.0)));
  ScaleToDXFUnit(entities, 1);
  const auto& line = *static_cast<const CVRX2DLine*>(entities[0]);
  EXPECT_EQ(line.GetStartPoint().GetX(), 1.0);
  EXPECT_EQ(line.GetEndPoint().GetY(), -2.0);
  ScaleToDXFUnit(entities, -1);
  EXPECT_EQ(static_cast<const CVRX2DLine*>(entities[0])->GetStartPoint().GetX(), 1.0);
}

// Refused for the super-user too: the mode says the file is not to be written.
TEST_F(DxfTest, AReadOnlyTargetIsRefusedAndKept)
{
  const std::string path = dir.Path("plan.dxf");
  std::ofstream(path, std::ios::binary) << "previous drawing";
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  CVRX2DEntityArray entities;
  entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(1.0, 1.0)));
  EXPECT_FALSE(WriteDXFFile(path.c_str(), entities, &map));
  EXPECT_EQ(FileText(path), "previous drawing");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(DxfTest, AFullDiskKeepsThePreviousFileByteForByte)
{
  const std::string path = dir.Path("plan.dxf");
  const std::string previous(30000, 'd');
  std::ofstream(path, std::ios::binary) << previous;
  CVRX2DEntityArray entities;
  for (int i = 0; i < 2000; ++i)
    entities.Add(new CVRX2DLine(kFrame, CVRX2DPoint(i, 0.0), CVRX2DPoint(i, 1.0)));
  CFileSizeLimit full(64 * 1024);
  if (!full.Refusal().empty())
    GTEST_SKIP() << full.Refusal();
  EXPECT_FALSE(WriteDXFFile(path.c_str(), entities, &map));
  full.Lift();
  EXPECT_EQ(FileText(path), previous);
  EXPECT_EQ(dir.EntryCount(), 1u);
}
