#pragma once
// A standard unit with a circular arch on top. Its catalogue rows carry, besides the full height
// and the width, the arch radius and the shoulder height (the height of the straight sides, where
// the arch starts). Sizes are conformed in the (width, shoulder height) plane; the top handles
// stand at the shoulder line. The arch is centred on the unit's vertical mid-line, r below the
// top: centre (W/2, H - r), and H = S + r - sqrt(r^2 - (W/2)^2).
#include "model/Stdunit.h"

class CStandardArchedUnit : public CStandardUnit
{
  DECLARE_DYNAMIC(CStandardArchedUnit)
public:
  CStandardArchedUnit(const CString& type, const CString& subtype) : CStandardUnit(type, subtype) {}
  CStandardArchedUnit(const CStandardArchedUnit& source) = default;
  CStandardArchedUnit& operator=(const CStandardArchedUnit& source)
  {
    return static_cast<CStandardArchedUnit&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  // Bottom, right side, the arch over the top, left side (category 20).
  void GetOutlineEntities(CVRX2DEntityArray& out) const override;
  // The members' part outline, then the construction of the arch (category 6).
  void GetPartOutlineEntities(CVRX2DEntityArray& out) const override;
  void GetSidesMovedByHandle(int handle, CDWordArray& flags) const override { FlagOppositeCorner(handle, flags); }
  int ConformProposedSize(int handle, const CVRX2DVector& drag) override;
  void ResetProposedSize() override { CStandardUnit::ResetProposedSize(); }
  // A height that no row at the current width gives leaves the size as it was.
  void SetHeight(double height) override;
  void SetWidth(double width) override;
  // Full heights at the current width, one per row; widths at the current shoulder height.
  void GetSizesForHeight(CArray<double, double>& out) const override;
  void GetSizesForWidth(CArray<double, double>& out) const override;

  virtual double GetArchRadius() const;
  // Radii at the current shoulder height, ascending, without repeats.
  virtual void GetArchRadiiForShoulderHeight(CArray<double, double>& out) const;
  // Shoulder heights at the current width, one per row.
  virtual void GetShoulderHeightsForWidth(CArray<double, double>& out) const;
  virtual double GetProposedArchRadius() const;
  virtual double GetProposedShoulderHeight() const;
  // A value that matches no row leaves the size as it was.
  virtual void SetArchRadius(double radius);
  virtual void SetShoulderHeight(double shoulderHeight);

  double GetShoulderHeight() const;

  // -1 when row a is strictly nearer to (width, shoulder height) than row b, 1 when b is, 0 when
  // both are as far.
  static int DistanceToSize(double shoulderHeight, double width, const CStdSizesRec& a, const CStdSizesRec& b);
  // The full height of a row of that shoulder height, radius and width.
  static double ArchedHeight(double shoulderHeight, double radius, double width);

protected:
  static void SetStdSizesSearchKey(const CStdSizesRec& src, float width, float radius, float shoulderHeight,
                                   CStdSizesRec& dst);

private:
  // Walks the rows of an index from (primary, 0, 0) while the primary value stays the given one.
  template <class Visit>
  void WalkGroup(int index, double primary, Visit visit) const;
};
