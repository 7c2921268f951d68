#pragma once
// The displacements one snapping request collects and the arithmetic that turns them into one
// correction: distances from a point to an alignment entity, the recording rule that keeps the
// strongest snap per direction and category, and the combination of the survivors. Everything
// here takes model coordinates and the snap range, so it runs without a window.
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "model/Entcat.h"
#include "support/Ownarray.h"

#include <functional>
#include <unordered_map>
#include <vector>

class CDesignItem;
class CVRX2DEntity;

// What a measurement answers when the measuring line never meets the entity.
constexpr double kNoCrossingDistance = 1000000.0;
// A distance this far beyond the range still snaps: rounding of the range itself.
constexpr double kSnapRangeSlack = 1e-5;
// A component of a snap that differs by less than this counts as unchanged.
constexpr double kUnchangedSlack = 1e-9;
// A moved side this little inside a unit, or sharing this little of its stretch, is still clear
// of it.
constexpr double kClearSlack = 1e-6;

class CSnapVector : public CObject
{
public:
  CSnapVector() = default;
  CSnapVector(double length, double direction, int category, int priority)
    : m_dLength(length), m_dDirection(direction), m_nCategory(category), m_nPriority(priority)
  {}
  CSnapVector(const CSnapVector&) = default;
  CSnapVector& operator=(const CSnapVector&) = default;

  // (length cos direction, length sin direction).
  CVRX2DVector AsVector() const;

  // Negative only for guideline point snaps.
  double m_dLength = 0.0;
  double m_dDirection = 0.0;
  int m_nCategory = 0;
  // 1 is the strongest.
  int m_nPriority = -1;
  // Filled by the join search.
  int m_nMovingComponent = -1;
  int m_nStationaryComponent = -1;
  CDesignItem* m_pMovingItem = nullptr;
  CDesignItem* m_pStationaryItem = nullptr;
};

// The snaps of one request. Recording keeps, beside the array, the vectors of each direction and
// category in the order they stand, which recording keeps from the strongest to the weakest: a
// snap is recorded by a look-up among those of its own kind, not by a walk over all of them,
// however many sides of a moved selection snap.
class CSnapVectorArray : public COwnArrayOf<CSnapVector>
{
public:
  CSnapVectorArray() = default;
  CSnapVectorArray(const CSnapVectorArray&) = delete;
  CSnapVectorArray& operator=(const CSnapVectorArray&) = delete;

private:
  friend CSnapVector* AddSnapVector(CSnapVectorArray&, double, double, int, int, BOOL&, CSnapVector&);
  struct CKey
  {
    double direction;
    int category;
    bool operator==(const CKey& other) const { return direction == other.direction && category == other.category; }
  };
  struct CKeyHash
  {
    size_t operator()(const CKey& key) const
    {
      return std::hash<double>()(key.direction) * 31u + std::hash<int>()(key.category);
    }
  };
  struct CKind
  {
    std::vector<CSnapVector*> vectors;
    // FALSE when vectors were put in by other means out of that order: they are then walked.
    bool ordered = true;
  };
  // Vectors put in or taken out other than by recording are found by indexing the array anew.
  void Reindex();
  std::unordered_map<CKey, CKind, CKeyHash> m_kinds;
  int m_nIndexed = 0;
};

// The tolerant range test of line snapping: at most the range, or beyond it by the slack.
BOOL IsWithinSnapRange(double distance, double range);

// Records a snap: overwrites the first recorded vector of exactly this direction and category
// that is weaker (larger priority number, or equal priority and longer), keeping a copy of it in
// saved and setting added to FALSE; a line snap equal to one recorded gives that one, also with
// added FALSE; otherwise appends a new vector and sets added to TRUE.
CSnapVector* AddSnapVector(CSnapVectorArray& vectors, double length, double direction, int category, int priority,
                           BOOL& added, CSnapVector& saved);

// One correction from the recorded snaps (the array is thinned on the way); range is the snap
// range, which bounds how far the crossing of two oblique snaps may lie.
CVRX2DVector CombineSnapVectors(CSnapVectorArray& vectors, double range);

// The distance from p to the entity across it; foot and direction (radians, towards the foot)
// come out. kNoCrossingDistance when the measuring line misses; with onSegment also when the
// foot is off the entity. Throws CAppFatalException for an entity that is neither line nor arc.
double DistanceToEntity(const CVRX2DPoint& p, const CVRX2DEntity& entity, CVRX2DPoint& foot, double& direction,
                        BOOL onSegment);
// The same measured along a given direction; the answer's direction is that one or its opposite.
double DistanceAlongDirection(const CVRX2DPoint& p, double along, const CVRX2DEntity& entity, CVRX2DPoint& foot,
                              double& direction, BOOL onSegment);
