#include "geometry/2dmatrix.h"

#include <cmath>

#include "geometry/2dline.h"
#include "geometry/2dvector.h"
#include "geometry/Angle.h"
#include "support/VEntExcp.h"

IMPLEMENT_DYNAMIC(CVRX2DTransformationMatrix, CObject)

namespace {
constexpr const char* kModule = "2dmatrix";
constexpr int kSingularLine = 136;
}  // namespace

CVRX2DTransformationMatrix::CVRX2DTransformationMatrix(int mode)
{
  if (mode == zero)
    m00 = m11 = 0.0;
}

CVRX2DTransformationMatrix::CVRX2DTransformationMatrix(const CVRXAngle& angle)
{
  double c = std::cos(angle.GetRadians());
  double s = std::sin(angle.GetRadians());
  m00 = c;
  m01 = s;
  m10 = -s;
  m11 = c;
}

CVRX2DTransformationMatrix::CVRX2DTransformationMatrix(double sx, double sy) : m00(sx), m11(sy) {}

CVRX2DTransformationMatrix::CVRX2DTransformationMatrix(const CVRX2DVector& v) : m20(v.GetX()), m21(v.GetY()) {}

CVRX2DTransformationMatrix::CVRX2DTransformationMatrix(const CVRX2DLine& mirrorLine)
{
  CVRX2DPoint s = mirrorLine.GetStartPoint();
  if (s == mirrorLine.GetEndPoint())
    return;
  CVRXAngle a = mirrorLine.GetAngle();
  Translate(CVRX2DVector(s, CVRX2DPoint()));
  Rotate(-a);
  Multiply(CVRX2DTransformationMatrix(1.0, -1.0));
  Rotate(a);
  Translate(CVRX2DVector(CVRX2DPoint(), s));
}

CVRX2DTransformationMatrix& CVRX2DTransformationMatrix::Multiply(const CVRX2DTransformationMatrix& b)
{
  CVRX2DTransformationMatrix a(*this);
  m00 = a.m00 * b.m00 + a.m01 * b.m10;
  m01 = a.m00 * b.m01 + a.m01 * b.m11;
  m10 = a.m10 * b.m00 + a.m11 * b.m10;
  m11 = a.m10 * b.m01 + a.m11 * b.m11;
  m20 = a.m20 * b.m00 + a.m21 * b.m10 + b.m20;
  m21 = a.m20 * b.m01 + a.m21 * b.m11 + b.m21;
  return *this;
}

CVRX2DTransformationMatrix& CVRX2DTransformationMatrix::Rotate(const CVRXAngle& angle)
{
  return Multiply(CVRX2DTransformationMatrix(angle));
}

CVRX2DTransformationMatrix& CVRX2DTransformationMatrix::Scale(double sx, double sy)
{
  return Multiply(CVRX2DTransformationMatrix(sx, sy));
}

CVRX2DTransformationMatrix& CVRX2DTransformationMatrix::Translate(const CVRX2DVector& v)
{
  return Multiply(CVRX2DTransformationMatrix(v));
}

CVRX2DTransformationMatrix& CVRX2DTransformationMatrix::Invert()
{
  double det = m00 * m11 - m10 * m01;
  if (det == 0.0)
    throw CVRXEntityException(kModule, kSingularLine);
  CVRX2DTransformationMatrix a(*this);
  m00 = a.m11 / det;
  m01 = -(a.m01 / det);
  m10 = -(a.m10 / det);
  m11 = a.m00 / det;
  m20 = (a.m10 * a.m21 - a.m11 * a.m20) / det;
  m21 = (a.m01 * a.m20 - a.m00 * a.m21) / det;
  return *this;
}

BOOL CVRX2DTransformationMatrix::HasTranslation() const { return m20 != 0.0 || m21 != 0.0; }

BOOL CVRX2DTransformationMatrix::HasLinearPart() const { return m00 != 1.0 || m01 != 0.0 || m10 != 0.0 || m11 != 1.0; }

BOOL CVRX2DTransformationMatrix::HasNonUnitScale() const { return std::fabs(m00) != 1.0 || std::fabs(m11) != 1.0; }

BOOL CVRX2DTransformationMatrix::IsMirroring() const { return m00 * m11 - m10 * m01 < 0.0; }
