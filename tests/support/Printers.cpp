// The printers of the device geometry for failing comparisons.
#include "Printers.h"

#include <ostream>

#include "platform/core/Rect.h"

void PrintTo(const CPoint& point, std::ostream* os) { *os << "(" << point.x << ", " << point.y << ")"; }

void PrintTo(const CSize& size, std::ostream* os) { *os << size.cx << " x " << size.cy; }

void PrintTo(const CRect& rect, std::ostream* os)
{
  *os << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
}
