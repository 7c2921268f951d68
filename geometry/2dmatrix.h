#pragma once
// 2-D affine transformation. Points are row vectors multiplied on the left, [x y 1] x M, so in a
// product the left matrix acts first; only the first two columns are stored (the third is 0 0 1).
#include "platform/core/Object.h"

class CVRXAngle;
class CVRX2DLine;
class CVRX2DVector;

class CVRX2DTransformationMatrix : public CObject
{
  DECLARE_DYNAMIC(CVRX2DTransformationMatrix)
public:
  enum
  {
    zero = 0,
    identity = 1
  };

  CVRX2DTransformationMatrix() = default;
  explicit CVRX2DTransformationMatrix(int mode);
  // Counter-clockwise rotation about the origin.
  explicit CVRX2DTransformationMatrix(const CVRXAngle& angle);
  CVRX2DTransformationMatrix(double sx, double sy);
  explicit CVRX2DTransformationMatrix(const CVRX2DVector& translation);
  // Reflection about the infinite line through the segment; the identity for a line of no length.
  explicit CVRX2DTransformationMatrix(const CVRX2DLine& mirrorLine);
  CVRX2DTransformationMatrix(const CVRX2DTransformationMatrix&) = default;
  CVRX2DTransformationMatrix& operator=(const CVRX2DTransformationMatrix&) = default;

  // Row 0..2, column 0..1; 0 outside. Inline: every point of every moved entity asks for six.
  double GetElement(int row, int column) const
  {
    if (row < 0 || row > 2 || column < 0 || column > 1)
      return 0.0;
    const double rows[3][2] = {{m00, m01}, {m10, m11}, {m20, m21}};
    return rows[row][column];
  }

  // Each appends its step: this = this x other, so calls apply in the order they are made.
  CVRX2DTransformationMatrix& Multiply(const CVRX2DTransformationMatrix& other);
  CVRX2DTransformationMatrix& Rotate(const CVRXAngle& angle);
  CVRX2DTransformationMatrix& Scale(double sx, double sy);
  CVRX2DTransformationMatrix& Translate(const CVRX2DVector& v);
  // Throws CVRXEntityException when the determinant is exactly 0, leaving the matrix unchanged.
  CVRX2DTransformationMatrix& Invert();

  // Exact comparisons, no tolerance.
  BOOL HasTranslation() const;
  BOOL HasLinearPart() const;
  BOOL HasNonUnitScale() const;
  BOOL IsMirroring() const;

private:
  double m00 = 1.0, m01 = 0.0;
  double m10 = 0.0, m11 = 1.0;
  double m20 = 0.0, m21 = 0.0;
};
