// Guards the row-vector convention of the transformation matrix (calls apply in order), the
// reflection, the inverse and its failure on a singular matrix.
#include <cmath>

#include "GeoTestUtil.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "support/VEntExcp.h"

using MatrixTest = GeometryTest;

namespace {
CVRX2DPoint Moved(CVRX2DPoint p, const CVRX2DTransformationMatrix& m) { return p.Transform(m); }
}  // namespace

TEST_F(MatrixTest, ChainedCallsApplyInCallOrder)
{
  CVRX2DTransformationMatrix a;
  a.Translate(CVRX2DVector(1, 0)).Rotate(CVRXAngle(VRX_HALF_PI));
  ExpectPoint(Moved(CVRX2DPoint(0, 0), a), 0, 1);
  CVRX2DTransformationMatrix b;
  b.Rotate(CVRXAngle(VRX_HALF_PI)).Translate(CVRX2DVector(1, 0));
  ExpectPoint(Moved(CVRX2DPoint(0, 0), b), 1, 0);
  CVRX2DTransformationMatrix s(2.0, 3.0);
  s.Translate(CVRX2DVector(1, 1));
  ExpectPoint(Moved(CVRX2DPoint(1, 1), s), 3, 4);
}

TEST_F(MatrixTest, ReflectionAboutLine)
{
  CVRX2DTransformationMatrix m(CVRX2DLine(0, CVRX2DPoint(0, 0), CVRX2DPoint(1, 1)));
  ExpectPoint(Moved(CVRX2DPoint(1, 0), m), 0, 1);
  EXPECT_TRUE(m.IsMirroring());
  CVRX2DTransformationMatrix off(CVRX2DLine(0, CVRX2DPoint(0, 2), CVRX2DPoint(5, 2)));
  ExpectPoint(Moved(CVRX2DPoint(3, 5), off), 3, -1);
  CVRX2DTransformationMatrix none(CVRX2DLine(0, CVRX2DPoint(4, 4), CVRX2DPoint(4, 4)));
  EXPECT_FALSE(none.HasLinearPart());
  EXPECT_FALSE(none.HasTranslation());
}

TEST_F(MatrixTest, InverseUndoesAndSingularThrowsLeavingMatrix)
{
  CVRX2DTransformationMatrix singular(0.0, 1.0);
  try {
    singular.Invert();
    FAIL() << "no exception";
  } catch (const CVRXEntityException& e) {
    EXPECT_EQ(e.file, CString("2dmatrix"));
    EXPECT_EQ(e.line, 136);
    EXPECT_EQ(e.message, CString("An internal entity error has occurred."));
  }
  EXPECT_EQ(singular.GetElement(0, 0), 0.0);
  EXPECT_EQ(singular.GetElement(1, 1), 1.0);

  CVRX2DTransformationMatrix r(CVRXAngle(0.7)), expected(CVRXAngle(-0.7));
  r.Invert();
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 2; ++col)
      EXPECT_NEAR(r.GetElement(row, col), expected.GetElement(row, col), 1e-12);

  CVRX2DTransformationMatrix general(CVRXAngle(0.3));
  general.Scale(2, -0.5).Translate(CVRX2DVector(3, -7));
  CVRX2DTransformationMatrix inverse(general);
  inverse.Invert();
  ExpectPoint(Moved(Moved(CVRX2DPoint(1.5, -2.5), general), inverse), 1.5, -2.5);
}

TEST_F(MatrixTest, PredicatesAreExact)
{
  CVRX2DTransformationMatrix t(CVRX2DVector(3, 0));
  EXPECT_TRUE(t.HasTranslation());
  EXPECT_FALSE(t.HasLinearPart());
  EXPECT_FALSE(t.HasNonUnitScale());
  CVRX2DTransformationMatrix r(CVRXAngle(0.5));
  EXPECT_FALSE(r.HasTranslation());
  EXPECT_TRUE(r.HasLinearPart());
  EXPECT_FALSE(r.IsMirroring());
  EXPECT_TRUE(CVRX2DTransformationMatrix(-1.0, 1.0).IsMirroring());
  EXPECT_FALSE(CVRX2DTransformationMatrix(-1.0, 1.0).HasNonUnitScale());
  EXPECT_TRUE(CVRX2DTransformationMatrix(2.0, 1.0).HasNonUnitScale());
  CVRX2DTransformationMatrix zero(CVRX2DTransformationMatrix::zero);
  EXPECT_EQ(zero.GetElement(0, 0), 0.0);
  EXPECT_EQ(zero.GetElement(1, 1), 0.0);
}
