#pragma once
// Printers that make a failing comparison show points, sizes, rectangles, strings and images as
// their values rather than their bytes. Every test source gets this header before its own text
// (cmake/Panecraft.cmake), so Google Test finds the printers by the argument's namespace wherever
// such values are compared. Only declarations: the types stay incomplete here, and a test below
// the Qt line includes nothing of Qt. The geometry's printers are in the tests' main library, the
// Qt types' in tests/ui.
#include <iosfwd>

class CPoint;
class CSize;
class CRect;
class QString;
class QImage;

void PrintTo(const CPoint& point, std::ostream* os);
void PrintTo(const CSize& size, std::ostream* os);
void PrintTo(const CRect& rect, std::ostream* os);
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QImage& image, std::ostream* os);
