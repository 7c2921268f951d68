#include "units/freeform/Vgvp.h"

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "geometry/Angle.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CVGVerticalParallelogram, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgvp";
constexpr int kOtherClassAssignedLine = 75;
constexpr int kBadNumberLine = 91;
constexpr int kBadSideLine = 133;
constexpr int kThreeLineLine = 1051;
constexpr int kNoCrossingLine = 1204;
constexpr int kSides = 4;
constexpr int kPitchIndex = 2;

// Lower left, lower right, upper right, upper left.
std::vector<CVRX2DPoint> Corners(int rightHigher, double jamb, double pitch, double width)
{
  const double rise = width * std::tan(pitch);
  if (rightHigher == 1)
    return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(width, rise), CVRX2DPoint(width, rise + jamb), CVRX2DPoint(0.0, jamb)};
  return {CVRX2DPoint(0.0, rise), CVRX2DPoint(width, 0.0), CVRX2DPoint(width, jamb), CVRX2DPoint(0.0, rise + jamb)};
}

// Narrows [low, high] to the x where slope * x <= limit.
void Clip(double slope, double limit, double& low, double& high)
{
  if (slope > 0.0)
    high = std::min(high, limit / slope);
  else if (slope < 0.0)
    low = std::max(low, limit / slope);
  else if (limit < 0.0)
    high = low;
}
}  // namespace

CVGVerticalParallelogram::CVGVerticalParallelogram() : CVarigonUnit("VG", "VP010") { SizeChanged(); }

CVGVerticalParallelogram::CVGVerticalParallelogram(const CVGVerticalParallelogram& source) : CVarigonUnit(source)
{
  vg::CopyShape(*this, source, Shape());
}

const vg::CShape<CVGVerticalParallelogram>& CVGVerticalParallelogram::Shape()
{
  using U = CVGVerticalParallelogram;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dJamb, &U::m_dProposedJamb}, {&U::m_dPitch, &U::m_dProposedPitch}, {&U::m_dWidth, &U::m_dProposedWidth}},
      {{"Width:", 2}, {"Left/Right:", 0}, {"Pitch (Rise Over 12\" Run):", 1}},
      &vg::Passes<U, 3>,
      &U::SizeChanged,
      &U::m_bRightJambHigher,
      &U::m_bProposedRightJambHigher,
  };
  return shape;
}

CUnit& CVGVerticalParallelogram::operator=(const CUnit& source) { return vg::Assign(*this, source, Shape()); }
CUnit* CVGVerticalParallelogram::Clone() const { return new CVGVerticalParallelogram(*this); }

void CVGVerticalParallelogram::SizeChanged()
{
  ResetProposedSize();
  DiscardGeometry();
}

CString CVGVerticalParallelogram::GetAttributes() const
{
  return vg::GetAttributes(*this, Shape(), m_bRightJambHigher == 1 ? ",TYPE1" : ",TYPE2");
}

// Any word but "TYPE1" makes a TYPE2 unit.
void CVGVerticalParallelogram::SetAttributes(CString& attributes)
{
  vg::SetAttributes(*this, attributes, Shape(), &CVGVerticalParallelogram::m_bRightJambHigher,
                    [](const CString& type) { return type == "TYPE1" ? 1 : 0; });
}

double CVGVerticalParallelogram::GetHeight() const
{
  return m_dJamb + std::sin(m_dPitch) * vg::Ratio(m_dWidth, std::cos(m_dPitch));
}

double CVGVerticalParallelogram::GetWidth() const { return m_dWidth; }
double CVGVerticalParallelogram::GetProposedWidth() const { return m_dProposedWidth; }

double CVGVerticalParallelogram::GetProposedHeight() const
{
  return m_dProposedJamb + std::sin(m_dProposedPitch) * vg::Ratio(m_dProposedWidth, std::cos(m_dProposedPitch));
}

// The stretch of the cut between the sill and the head, within the jambs.
void CVGVerticalParallelogram::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                      const CPlanSectionPreferences& preferences,
                                                      CVRX2DEntityArray& out) const
{
  const double rise = m_dWidth * std::tan(m_dPitch);
  const double sillStart = m_bRightJambHigher == 1 ? 0.0 : rise;
  const double slope = m_bRightJambHigher == 1 ? std::tan(m_dPitch) : -std::tan(m_dPitch);
  double low = 0.0, high = m_dWidth;
  Clip(slope, cutHeight - sillStart, low, high);             // above the sill
  Clip(-slope, sillStart + m_dJamb - cutHeight, low, high);  // below the head
  vg::AddPlanSection(high > low ? high - low : 0.0, low, switches, preferences, out);
}

void CVGVerticalParallelogram::GetReportData(CUnitInfoReportDataArray& records) const
{
  vg::Report(*this, records, Shape(), m_bRightJambHigher ? ",TRUE" : ",FALSE");
}

void CVGVerticalParallelogram::GetReportData(CScheduleReportDataArray& rows) const
{
  vg::Report(*this, rows, Shape(), m_bRightJambHigher == 1 ? ",TYPE1" : ",TYPE2");
}

// The four corners, with the midpoints of the sill and of the head after their starts.
void CVGVerticalParallelogram::GetSizingHandles(CSizingHandleArray& out) const
{
  const CSizedComponentArray& components = *GetSizedComponents();
  const double rise = m_dWidth * std::tan(m_dPitch);
  out.RemoveAll();
  for (int i = 0; i < components.GetSize(); ++i) {
    out.Add(new CSizingHandle(components.GetAt(i)->GetStartPoint(), vg::handleFree));
    if (i == 0)
      out.Add(new CSizingHandle(CVRX2DPoint(m_dWidth / 2.0, rise / 2.0), vg::handleFree));
    else if (i == 2)
      out.Add(new CSizingHandle(CVRX2DPoint(m_dWidth / 2.0, rise / 2.0 + m_dJamb), vg::handleFree));
  }
}

void CVGVerticalParallelogram::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetHandleFlags(flags, handle, {{3}, {0, 5}, {5}, {0}, {2, 3}, {2}});
}

CVRX2DVector CVGVerticalParallelogram::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(
      out, Corners(m_bProposedRightJambHigher, m_dProposedJamb, m_dProposedPitch, m_dProposedWidth), m_vProposedOffset);
}

CVRX2DVector CVGVerticalParallelogram::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

// A cancelled drag: the proposal and its offset are dropped; the geometry is the current one.
void CVGVerticalParallelogram::ResetProposedSize() { vg::DropProposal(*this, Shape()); }

void CVGVerticalParallelogram::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_bRightJambHigher, m_dJamb, m_dPitch, m_dWidth);
  vg::BuildComponents(*m_pSizedComponents, "VP010",
                      {{"BJ", c[0], c[1]}, {"AP", c[1], c[2]}, {"AG", c[2], c[3]}, {"AP", c[3], c[0]}});
}

void CVGVerticalParallelogram::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  vg::AddLines(out, vg::ComponentLines(*GetSizedComponents(), vg::catOneLine));
}

CVRX2DLine* CVGVerticalParallelogram::GetInnerElevationLine(int side) const
{
  return vg::InnerQuadSideLine(*GetSizedComponents(), side, kModule, kBadSideLine);
}

CVRX2DPoint CVGVerticalParallelogram::GetIntersectPoint(const CVRX2DLine& first, const CVRX2DLine& second) const
{
  return vg::CrossingOrThrow(
      first, second, kModule, kNoCrossingLine,
      "CVGVerticalParallelogram::GetIntersectPoint(): No intersect point found for supplied lines.\n");
}

// Each inner side runs between its crossings with its neighbours, the lines taken as infinite.
void CVGVerticalParallelogram::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  std::vector<std::unique_ptr<CVRX2DLine>> inner;
  for (int i = 0; i < kSides; ++i)
    inner.emplace_back(GetInnerElevationLine(i));
  vg::AddTrimmedRing(out, std::move(inner),
                     [this](const CVRX2DLine& a, const CVRX2DLine& b) { return GetIntersectPoint(a, b); });
}

void CVGVerticalParallelogram::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  CUnitException e(kModule, kThreeLineLine);
  e.SetMessage("Call made to unsupported method CVGVerticalParallelogram::Get3LineElevationEntities().");
  e.description = "Call made to unsupported unit code.";
  throw e;
}

void CVGVerticalParallelogram::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGVerticalParallelogram::GetDimensionValues(CArray<double, double>& values) const
{
  const double pitch = 12.0 * std::tan(m_dPitch);
  values.RemoveAll();
  values.Add(m_dWidth);
  values.Add(m_dJamb);
  values.Add(m_bRightJambHigher == 0 ? -pitch : pitch);
}

BOOL CVGVerticalParallelogram::IsDimensionLength(int index) const { return index != kPitchIndex; }

// A positive pitch makes TYPE1, a negative one TYPE2; a pitch of 0 is refused by the check.
BOOL CVGVerticalParallelogram::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() < 3)
    return FALSE;
  const double angle = std::atan2(values[2] * (1.0 / 12.0), 1.0);
  if (!AreRequestedDimensionsValid(values[1], std::fabs(angle), values[0]))
    return FALSE;
  m_dJamb = values[1];
  m_bRightJambHigher = angle >= 0.0 ? 1 : 0;
  m_dPitch = std::fabs(angle);
  m_dWidth = values[0];
  SizeChanged();
  return TRUE;
}
