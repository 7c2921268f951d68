#include "model/Stdrect.h"

#include <cmath>

#include "geometry/2dline.h"
#include "model/Conform.h"
#include "model/Entcat.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CStandardRectangularUnit, CStandardUnit)

namespace {
constexpr const char* kModule = "Stdrect";
constexpr int kOtherClassAssignedLine = 78;
constexpr int kZeroHeightChosenLine = 445;

// Sizes in the (width, height) plane: index 2 orders rows by height, then width; index 3 by
// width, then height.
const CConformPlane kPlane = {{2, 3},
                              {&CStdSizesRec::GetHeight, &CStdSizesRec::GetWidth},
                              {&CStdSizesRec::SetHeight, &CStdSizesRec::SetWidth},
                              false};

double Distance(double height, double width, const CStdSizesRec& row)
{
  return std::hypot(row.GetWidth() - width, row.GetHeight() - height);
}
}  // namespace

CUnit& CStandardRectangularUnit::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

CVRX2DVector CStandardRectangularUnit::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetProposedWidth();
  const double h = GetProposedHeight();
  const CVRX2DPoint corners[] = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0), CVRX2DPoint(w, h), CVRX2DPoint(0.0, h)};
  for (int i = 0; i < 4; ++i)
    out.Add(new CVRX2DLine(ecatProposedOutline, corners[i], corners[(i + 1) % 4]));
  return m_vProposedOffset;
}

int CStandardRectangularUnit::CompareSizeDistance(double height, double width, const CStdSizesRec& a,
                                                  const CStdSizesRec& b)
{
  return CompareNearness(Distance(height, width, a), Distance(height, width, b));
}

int CStandardRectangularUnit::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  return ConformToCatalogue(handle, drag, kPlane, kModule, kZeroHeightChosenLine);
}
