// Guards the elevation assembler on gliders of the sample catalogue: each unit's elevation at its
// place, the whole drawing moved to the origin whatever the design's position, the switches
// passed to the units, and a record without a unit ending the drawing there.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/Docviews.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "model/Unit.h"
#include "model/Unitutil.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"
#include "views/Asmelev.h"

namespace {
class AsmelevTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    for (auto& unit : units) {
      unit.reset(MakeUnit("GL", "BA005"));
      ASSERT_TRUE(unit);
    }
  }
  static CVRX2DRectangle Extents(const CVRX2DEntityArray& entities) { return entities.GetExtents(); }
  std::unique_ptr<CUnit> units[2];
  CElevationAssembler assembler;
};
}  // namespace

TEST_F(AsmelevTest, TheDrawingIsTheUnitsAtTheirPlacesMovedToTheOrigin)
{
  CVRX2DEntityArray one;
  units[0]->GetElevationEntities(2, FALSE, FALSE, one);
  const CVRX2DVector shift = -one.GetExtents().GetMinPoint().AsVector();

  CElevationViewInfoArray records;
  records.Add(CElevationViewInfo(CVRX2DVector(48.0, 24.0), units[0].get()));
  CVRX2DEntityArray out;
  out.Add(new CVRX2DLine(0, CVRX2DPoint(0, 0), CVRX2DPoint(1, 1)));  // replaced, not kept
  assembler.Assemble(out, records, FALSE, FALSE, 2);
  ASSERT_EQ(out.GetSize(), one.GetSize());
  // The same drawing as a unit at the origin: always moved to it.
  one.Transform(CVRX2DTransformationMatrix(shift));
  for (int i = 0; i < out.GetSize(); ++i)
    EXPECT_EQ(out[i]->GetExtents(), one[i]->GetExtents()) << i;

  // Two units side by side keep their distance.
  const double width = units[0]->GetWidth();
  records.Add(CElevationViewInfo(CVRX2DVector(48.0 + width + 10.0, 30.0), units[1].get()));
  assembler.Assemble(out, records, FALSE, FALSE, 2);
  ASSERT_EQ(out.GetSize(), 2 * one.GetSize());
  const CVRX2DRectangle extents = Extents(out);
  EXPECT_NEAR(extents.GetMinPoint().GetX(), 0.0, 1e-9);
  EXPECT_NEAR(extents.GetMinPoint().GetY(), 0.0, 1e-9);
  EXPECT_NEAR(extents.GetMaxPoint().GetX(), 2 * width + 10.0, 1e-6);
  EXPECT_NEAR(extents.GetMaxPoint().GetY(), units[0]->GetHeight() + 6.0, 1e-6);
}

TEST_F(AsmelevTest, ARecordWithoutAUnitEndsTheDrawing)
{
  CElevationViewInfoArray records;
  records.Add(CElevationViewInfo(CVRX2DVector(0.0, 0.0), units[0].get()));
  records.Add(CElevationViewInfo(CVRX2DVector(100.0, 0.0), nullptr));
  records.Add(CElevationViewInfo(CVRX2DVector(200.0, 0.0), units[1].get()));
  CVRX2DEntityArray out;
  assembler.Assemble(out, records, FALSE, FALSE, 2);
  CVRX2DEntityArray one;
  units[0]->GetElevationEntities(2, FALSE, FALSE, one);
  EXPECT_EQ(out.GetSize(), one.GetSize());
  EXPECT_LT(Extents(out).GetMaxPoint().GetX(), 100.0);

  // Nothing to draw: an empty drawing.
  records.RemoveAll();
  assembler.Assemble(out, records, FALSE, FALSE, 2);
  EXPECT_EQ(out.GetSize(), 0);
}
