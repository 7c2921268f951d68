#pragma once
// Snapping one dragged length (a width or a radius) to the standard sizes of a unit: the rows
// are searched on an index of the standard-size table that leads with that length, and the row
// nearest the target wins, the larger on a tie. A drag that comes back to the current length
// keeps the current row, whatever else the rows of that length differ in. Units that are sized
// by one length only (circle tops, full chords, circles) share it.
#include "productdb/Stdsizes.h"

class CSizeSnap
{
public:
  // `index` leads with the snapped length; `setLength` writes the length into a key,
  // `setRest` a sentinel (0 or 10000) into the key members after it; `lengthOf` reads the
  // length of a row.
  using LengthSetter = void (*)(CStdSizesRec& row, float length);
  using RestSetter = void (*)(CStdSizesRec& row, float sentinel);
  using LengthReader = double (*)(const CStdSizesRec& row);

  CSizeSnap(int index, LengthSetter setLength, RestSetter setRest, LengthReader lengthOf)
    : m_nIndex(index), m_SetLength(setLength), m_SetRest(setRest), m_LengthOf(lengthOf)
  {}

  // The row nearest `target` among the rows of current's type and subtype. `beyond` tells
  // whether the target lies past the smallest or largest length by more than half the
  // outermost step (the current length `fallbackStep` where the unit has one length only);
  // the outermost row is chosen then. FALSE when the unit has no row at all.
  BOOL Snap(const CStdSizesRec& current, double target, double fallbackStep, CStdSizesRec& chosen, BOOL& beyond) const;

private:
  enum Found
  {
    found,
    none
  };
  Found Seek(const CStdSizesRec& current, float length, float sentinel, BOOL below, CStdSizesRec& row) const;
  double Step(const CStdSizesRec& current, const CStdSizesRec& outermost, BOOL below, double fallbackStep) const;
  void KeepCurrentRow(const CStdSizesRec& current, CStdSizesRec& chosen) const;

  int m_nIndex;
  LengthSetter m_SetLength;
  RestSetter m_SetRest;
  LengthReader m_LengthOf;
};

class CDWordArray;

// Units sized by their width alone, with a handle at each end of the bottom: 0 the left, 1 the right.
namespace WidthDrag {
enum Action
{
  keep,
  reset,
  propose
};

struct Proposal
{
  Action action = keep;
  int result = 1;
  CStdSizesRec row;
};

// The row a horizontal drag `dx` of the handle snaps to; a drag that is 0 or no number asks for
// a reset, one past the outermost sizes keeps the proposal.
Proposal Conform(const CSizeSnap& snap, int handle, double dx, double width, const CStdSizesRec& current,
                 const CStdSizesRec& proposed);
// Each handle moves the side at the other end.
void GetSidesMoved(int handle, CDWordArray& flags);
}  // namespace WidthDrag
