#pragma once
// The plain snap search the snapping benches are measured beside: for each side of the moving
// rectangle, every placed line looked at for the nearest parallel one within the snap range, and
// the step that puts the side on it, across and up. No table and no index: it grows with the
// number of lines.
#include <cmath>
#include <vector>

#include "geometry/2dvector.h"

class CPlainSnap
{
public:
  explicit CPlainSnap(double range) : m_range(range) {}

  // The four sides of a rectangle placed with its lower left corner there, and its upright
  // centre line, as a glider's alignment lines.
  void AddPlaced(double x, double y, double width, double height)
  {
    AddSides(m_placed, x, y, width, height);
    m_placed.push_back({x + width / 2, y, x + width / 2, y + height, true});
  }
  void SetMoving(double x, double y, double width, double height)
  {
    m_moving.clear();
    AddSides(m_moving, x, y, width, height);
  }

  CVRX2DVector Step(const CVRX2DVector& offset) const
  {
    double across = m_range;
    double up = m_range;
    CVRX2DVector snap(0.0, 0.0);
    for (const CLine& side : m_moving) {
      const CLine moved{side.x0 + offset.GetX(), side.y0 + offset.GetY(), side.x1 + offset.GetX(),
                        side.y1 + offset.GetY(), side.vertical};
      for (const CLine& line : m_placed) {
        if (line.vertical != moved.vertical || !Beside(line, moved))
          continue;
        const double distance = moved.vertical ? line.x0 - moved.x0 : line.y0 - moved.y0;
        double& nearest = moved.vertical ? across : up;
        if (std::fabs(distance) < nearest) {
          nearest = std::fabs(distance);
          moved.vertical ? snap.SetX(distance) : snap.SetY(distance);
        }
      }
    }
    return snap;
  }

private:
  // Ends in increasing order.
  struct CLine
  {
    double x0, y0, x1, y1;
    bool vertical;
  };

  static void AddSides(std::vector<CLine>& lines, double x, double y, double width, double height)
  {
    lines.push_back({x, y, x + width, y, false});
    lines.push_back({x + width, y, x + width, y + height, true});
    lines.push_back({x, y + height, x + width, y + height, false});
    lines.push_back({x, y, x, y + height, true});
  }
  // Two parallel lines whose spans along their direction come within the snap range.
  bool Beside(const CLine& a, const CLine& b) const
  {
    return a.vertical ? a.y0 <= b.y1 + m_range && b.y0 <= a.y1 + m_range
                      : a.x0 <= b.x1 + m_range && b.x0 <= a.x1 + m_range;
  }

  double m_range;
  std::vector<CLine> m_placed;
  std::vector<CLine> m_moving;
};
