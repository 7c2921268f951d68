#pragma once
// The radius conformer shared by the quarter-round units, whose one size parameter is the
// radius: it snaps the dragged radius to the nearest standard radius (the larger on a tie) and
// shifts the base point so that the sides opposite the dragged handle stay where they were.
// Handle 0, 1, 2 are the two bottom ends and the top; the corner handle (0 for the right hand,
// 1 for the left) follows the drag's dominant axis.
#include "geometry/2dvector.h"
#include "productdb/Stdsizes.h"

class CDWordArray;
class CSizingHandleArray;

namespace QtrRound {
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
  CVRX2DVector shift;
};

// Throws CUnitException (module, badHandleLine) for a handle other than 0, 1 and 2. A drag that
// does not move the handle asks for a reset.
Proposal Conform(BOOL left, int handle, const CVRX2DVector& drag, const CStdSizesRec& current,
                 const CStdSizesRec& proposed, const CVRX2DVector& storedShift, const char* module, int badHandleLine);

// Handles 0, 1, 2 of a unit of that size; a fixed unit's handles do not move.
void GetHandles(BOOL left, double width, double height, BOOL fixed, CSizingHandleArray& out);
// Every handle but the corner one moves the jamb side.
void GetSidesMoved(BOOL left, int handle, CDWordArray& flags);
}  // namespace QtrRound
