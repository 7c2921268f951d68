#pragma once
// The search that snaps a dragged size to a catalogue size, shared by the rectangular and the
// arched standard units. A size is a point in a plane of two dimensions: dimension 0 runs up (the
// height, or the shoulder height of an arched unit), dimension 1 across (the width). Four
// candidates are sought, the next larger and the next smaller row by each dimension, and the one
// nearest to the request wins.
#include "productdb/Stdsizes.h"

// -1 when distance a is strictly the shorter, 1 when b is, 0 when both are equal.
int CompareNearness(double a, double b);

struct CConformPlane
{
  // The index ordered by dimension d first and by the other dimension next.
  int index[2];
  double (CStdSizesRec::*get[2])() const;
  void (CStdSizesRec::*set[2])(float);
  // Whether the index keys go on with the radius, as the arched indexes do.
  bool keyRadius;
};

class CSizeConformer
{
public:
  // The searches start from copies of the current row, which is never moved.
  CSizeConformer(const CConformPlane& plane, const CStdSizesRec& current);

  // Seeks the catalogue row nearest to the request (up, across) and tells whether the request
  // lies out of bounds, measured from the proposed row. FALSE when no catalogue row was found.
  BOOL Conform(double up, double across, const CStdSizesRec& proposed, CStdSizesRec& chosen, BOOL& out) const;

private:
  struct CCandidate
  {
    explicit CCandidate(const CStdSizesRec& current) : row(current) {}
    CStdSizesRec row;
    BOOL outOfBounds = FALSE;
    // Put at a search sentinel because the unit has no row there: never a winner.
    BOOL parked = FALSE;
  };
  struct CRequest;

  double Value(const CStdSizesRec& row, int dim) const { return (row.*m_Plane.get[dim])(); }
  // dst = src with the key (primary, cross, third) on the index of dimension `primary`.
  void SetKey(const CStdSizesRec& src, int primaryDim, double primary, double cross, double third,
              CStdSizesRec& dst) const;
  BOOL IsOwnRow(const CStdSizesRec& row) const;
  BOOL StartCandidate(int rc, BOOL atEnd, float sentinel, int dim, CRequest& request, CCandidate& candidate) const;
  void FindAbove(int dim, CRequest& request, CCandidate& candidate) const;
  void FindBelow(int dim, CRequest& request, CCandidate& candidate) const;
  double HalfStep(int dim, BOOL above) const;
  void ComputeTolerances(const CCandidate* candidates, CRequest& request) const;

  const CConformPlane& m_Plane;
  const CStdSizesRec& m_Current;
};
