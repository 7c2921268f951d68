#include "units/freeform/Vgdi.h"

#include <cmath>

#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CVGDiamond, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgdi";
constexpr const char* kTag = "VGDI";
constexpr int kOtherClassAssignedLine = 70;
constexpr int kBadNumberLine = 86;
constexpr int kParallelInsetLine = 560;
constexpr int kThreeLineLine = 585;
constexpr int kHandles = 4;

// Bottom, right, top and left corner.
std::vector<CVRX2DPoint> Corners(double width, double height)
{
  return {CVRX2DPoint(width / 2.0, 0.0), CVRX2DPoint(width, height / 2.0), CVRX2DPoint(width / 2.0, height),
          CVRX2DPoint(0.0, height / 2.0)};
}

double SideAngle(double width, double height) { return std::atan2(vg::Ratio(height / 2.0, width / 2.0), 1.0); }
}  // namespace

CVGDiamond::CVGDiamond() : CVarigonUnit("VG", "DI010") { ResetProposedSize(); }

CVGDiamond::CVGDiamond(const CVGDiamond& source) : CVarigonUnit(source) { vg::CopyShape(*this, source, Shape()); }

const vg::CShape<CVGDiamond>& CVGDiamond::Shape()
{
  using U = CVGDiamond;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dHeight, &U::m_dProposedHeight}, {&U::m_dWidth, &U::m_dProposedWidth}},
      {{"Width:", 1}, {"Height:", 0}},
      &vg::Passes<U, 2>,
      &U::ResetProposedSize,
  };
  return shape;
}

CUnit& CVGDiamond::operator=(const CUnit& source) { return vg::Assign(*this, source, Shape()); }
CUnit* CVGDiamond::Clone() const { return new CVGDiamond(*this); }

void CVGDiamond::GetAnchorModeNames(CStringArray& names) const
{
  names.RemoveAll();
  names.Add("Anchor to adjacent handle");
  names.Add("Anchor to opposite handle");
}

CString CVGDiamond::GetAttributes() const { return vg::GetAttributes(*this, Shape()); }
void CVGDiamond::SetAttributes(CString& attributes) { vg::SetAttributes(*this, attributes, Shape()); }

double CVGDiamond::GetHeight() const { return m_dHeight; }
double CVGDiamond::GetWidth() const { return m_dWidth; }
double CVGDiamond::GetProposedWidth() const { return m_dProposedWidth; }
double CVGDiamond::GetProposedHeight() const { return m_dProposedHeight; }
double CVGDiamond::GetSideAngle() const { return SideAngle(m_dWidth, m_dHeight); }

// Centred on the unit: the width of the diamond at the cut.
void CVGDiamond::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                        const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const double half = m_dHeight / 2.0;
  if (half == cutHeight) {
    vg::AddPlanSection(m_dWidth, 0.0, switches, preferences, out);
    return;
  }
  const double t = std::tan(vg::kHalfPi - GetSideAngle());
  const double width = half > cutHeight ? 2.0 * cutHeight * t : 2.0 * (m_dHeight - cutHeight) * t;
  vg::AddPlanSection(width, (m_dWidth - width) / 2.0, switches, preferences, out);
}

void CVGDiamond::GetReportData(CUnitInfoReportDataArray& records) const { vg::Report(*this, records, Shape()); }
void CVGDiamond::GetReportData(CScheduleReportDataArray& rows) const { vg::Report(*this, rows, Shape()); }

// Anchored to the opposite corner, a corner moves along its own axis only.
void CVGDiamond::GetSizingHandles(CSizingHandleArray& out) const
{
  const CSizedComponentArray& components = *GetSizedComponents();
  out.RemoveAll();
  for (int i = 0; i < components.GetSize(); ++i) {
    const int code = GetAnchorMode() == 0 ? vg::handleFree : (i % 2 == 0 ? vg::handleVertical : vg::handleHorizontal);
    out.Add(new CSizingHandle(components.GetAt(i)->GetStartPoint(), code));
  }
}

void CVGDiamond::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  const int step = GetAnchorMode() == 1 ? 2 : 3;
  vg::SetFlags(flags, kHandles, {handle >= 0 && handle < kHandles ? (handle + step) % kHandles : -1});
}

int CVGDiamond::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  return vg::ConformByAnchor(*this, handle, drag, kHandles, &CVGDiamond::ConformToAdjacentHandle,
                             &CVGDiamond::ConformToOppositeHandle);
}

// The dragged corner follows the drag, the one before it stays and the diamond stays symmetric.
int CVGDiamond::ConformToAdjacentHandle(int handle, const CVRX2DVector& drag)
{
  const double dx = drag.GetX(), dy = drag.GetY();
  switch (handle) {
  case 0:
    return Settle(m_dHeight - 2.0 * dy, m_dWidth + 2.0 * dx, CVRX2DVector(0.0, dy));
  case 1:
    return Settle(m_dHeight + 2.0 * dy, m_dWidth + 2.0 * dx, CVRX2DVector(-dx, 0.0));
  case 2:
    return Settle(m_dHeight + 2.0 * dy, m_dWidth - 2.0 * dx, CVRX2DVector(2.0 * dx, -dy));
  default:
    return Settle(m_dHeight - 2.0 * dy, m_dWidth - 2.0 * dx, CVRX2DVector(dx, 2.0 * dy));
  }
}

// Only the dimension along the dragged corner's axis changes.
int CVGDiamond::ConformToOppositeHandle(int handle, const CVRX2DVector& drag)
{
  const double dx = drag.GetX(), dy = drag.GetY();
  switch (handle) {
  case 0:
    return Settle(m_dHeight - dy, m_dWidth, CVRX2DVector(0.0, dy));
  case 1:
    return Settle(m_dHeight, m_dWidth + dx, CVRX2DVector(0.0, 0.0));
  case 2:
    return Settle(m_dHeight + dy, m_dWidth, CVRX2DVector(0.0, 0.0));
  default:
    return Settle(m_dHeight, m_dWidth - dx, CVRX2DVector(dx, 0.0));
  }
}

int CVGDiamond::Settle(double height, double width, const CVRX2DVector& offset)
{
  if (height <= 0.0 || width <= 0.0)
    return outOfBoundsUnchanged;
  return vg::Settle(*this, Shape(), {height, width}, m_vProposedOffset, offset);
}

CVRX2DVector CVGDiamond::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(out, Corners(m_dProposedWidth, m_dProposedHeight), m_vProposedOffset);
}

CVRX2DVector CVGDiamond::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

void CVGDiamond::ResetProposedSize()
{
  vg::DropProposal(*this, Shape());
  DiscardGeometry();
}

void CVGDiamond::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_dWidth, m_dHeight);
  vg::BuildComponents(*m_pSizedComponents, "DI010",
                      {{"AP", c[0], c[1]}, {"AP", c[1], c[2]}, {"AP", c[2], c[3]}, {"AP", c[3], c[0]}});
}

void CVGDiamond::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  vg::AddLines(out, vg::ComponentLines(*GetSizedComponents(), vg::catOneLine));
}

// Every side moves in by the first side's distance between elevation lines 0 and 2.
void CVGDiamond::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  vg::AddInsetRing(out, vg::catTwoLine, vg::ComponentLines(*GetSizedComponents(), vg::catTwoLine),
                   {GetComponentDistance(0, 0, 2)}, CVRX2DPoint(m_dWidth / 2.0, m_dHeight / 2.0), kModule,
                   kParallelInsetLine);
}

void CVGDiamond::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGDiamond::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }
void CVGDiamond::GetDimensionValues(CArray<double, double>& values) const { vg::Values(*this, Shape(), values); }

BOOL CVGDiamond::SetDimensionValues(const CArray<double, double>& values)
{
  return vg::SetValues(*this, Shape(), values);
}

// The area and glass limits are applied to the rectangle that encloses the diamond laid on one
// of its sides; a square is its own.
BOOL CVGDiamond::AreRequestedDimensionsValid(double height, double width) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({height, width}))
    return vg::Refuse(kTag, "dimension not a number");
  const double alpha = SideAngle(width, height);
  const double side = vg::Ratio(width / 2.0, std::cos(alpha));
  const double right = 2.0 * alpha, bottom = vg::kPi - 2.0 * alpha;
  if (side < limits.GetMinSide())
    return vg::Refuse(kTag, "jambs too small", CSizeLimit::minSide, limits.GetMinSide());
  if (side > limits.GetMaxSide())
    return vg::Refuse(kTag, "jambs too large", CSizeLimit::maxSide, limits.GetMaxSide());
  if (bottom < limits.GetMinAngle())
    return vg::Refuse(kTag, "bottom internal angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (bottom > limits.GetMaxAngle())
    return vg::Refuse(kTag, "bottom internal angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (right < limits.GetMinAngle())
    return vg::Refuse(kTag, "right internal angle too small", CSizeLimit::minAngle, limits.GetMinAngle());
  if (right > limits.GetMaxAngle())
    return vg::Refuse(kTag, "right internal angle too large", CSizeLimit::maxAngle, limits.GetMaxAngle());
  const bool square = bottom == vg::kHalfPi && right == vg::kHalfPi;
  const double length = square ? side : side + std::fabs(side * std::cos(bottom));
  const double across = square ? side : std::fabs(side * std::sin(bottom));
  if (length * across / 144.0 > limits.GetMaxArea())
    return vg::Refuse(kTag, "area too large", CSizeLimit::maxArea, limits.GetMaxArea());
  const double inset = limits.GetGlassInset();
  if (vg::ShortGlassLine(Corners(width, height), inset, CVRX2DPoint(width / 2.0, height / 2.0),
                         limits.GetMinGlassLine()) >= 0)
    return vg::Refuse(kTag, "glass line too small", CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  const double glassLength = length - 2.0 * inset, glassAcross = across - 2.0 * inset;
  const bool acrossShort = glassAcross < glassLength;
  if ((acrossShort ? glassAcross : glassLength) > limits.GetMaxShortGlassSide())
    return vg::Refuse(kTag, "short glass line too large", CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  if ((acrossShort ? glassLength : glassAcross) > limits.GetMaxLongGlassSide())
    return vg::Refuse(kTag, "long glass line too large", CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  return vg::Accept(kTag);
}
