#include "units/freeform/Vghp.h"

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CVGHorizontalParallelogram, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vghp";
constexpr int kOtherClassAssignedLine = 79;
constexpr int kBadNumberLine = 97;
constexpr int kBadSideLine = 906;
constexpr int kThreeLineLine = 989;
constexpr int kNoCrossingLine = 1125;
constexpr int kSides = 4;

// Lower left, lower right, upper right, upper left, in the bounding box of either lean.
std::vector<CVRX2DPoint> Corners(int rightLeaning, double base, double height, double angle)
{
  const double width = base + height * std::tan(vg::kHalfPi - angle);
  if (rightLeaning == 1)
    return {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(base, 0.0), CVRX2DPoint(width, height),
            CVRX2DPoint(width - base, height)};
  return {CVRX2DPoint(width - base, 0.0), CVRX2DPoint(width, 0.0), CVRX2DPoint(base, height), CVRX2DPoint(0.0, height)};
}
}  // namespace

CVGHorizontalParallelogram::CVGHorizontalParallelogram()
  : CVarigonUnit("VG", "HP010"), m_dHeight(24.0), m_dAngle(vg::kPi / 3.0)
{
  m_dBase = 24.0 - 24.0 / std::tan(m_dAngle);
  m_dLeftRight = 24.0 / std::sin(m_dAngle);
  SizeChanged();
}

CVGHorizontalParallelogram::CVGHorizontalParallelogram(const CVGHorizontalParallelogram& source) : CVarigonUnit(source)
{
  vg::CopyShape(*this, source, Shape());
}

const vg::CShape<CVGHorizontalParallelogram>& CVGHorizontalParallelogram::Shape()
{
  using U = CVGHorizontalParallelogram;
  static const vg::CShape<U> shape = {
      {kModule, kOtherClassAssignedLine, kBadNumberLine},
      {{&U::m_dBase, &U::m_dProposedBase},
       {&U::m_dLeftRight, &U::m_dProposedLeftRight},
       {&U::m_dHeight, &U::m_dProposedHeight},
       {&U::m_dAngle, &U::m_dProposedAngle}},
      {{"Base:", 0}, {"Left/Right:", 1}, {"Height:", 2}},
      &vg::Passes<U, 3>,
      &U::SizeChanged,
      &U::m_bRightLeaning,
      &U::m_bProposedRightLeaning,
  };
  return shape;
}

CUnit& CVGHorizontalParallelogram::operator=(const CUnit& source) { return vg::Assign(*this, source, Shape()); }
CUnit* CVGHorizontalParallelogram::Clone() const { return new CVGHorizontalParallelogram(*this); }

void CVGHorizontalParallelogram::SizeChanged()
{
  ResetProposedSize();
  DiscardGeometry();
}

CString CVGHorizontalParallelogram::GetAttributes() const
{
  const CString unit = CUnit::GetAttributes();
  const CString attributes =
      unit + (m_bRightLeaning == 1 ? ",TYPE1" : ",TYPE2") + vg::FormatValues(vg::Current(*this, Shape()));
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CVGHorizontalParallelogram::GetAttributes() *****\n");
  PCTRACE(TT_UNIT, TL_DETAIL)("CUnit Attribute String...: %s\n", unit.c_str());
  PCTRACE(TT_UNIT, TL_DETAIL)("Returned Attribute String: %s\n", attributes.c_str());
  return attributes;
}

// Any word but "TYPE1" makes a left-leaning unit. Geometry built before is discarded too.
void CVGHorizontalParallelogram::SetAttributes(CString& attributes)
{
  vg::SetAttributes(*this, attributes, Shape(), &CVGHorizontalParallelogram::m_bRightLeaning,
                    [](const CString& lean) { return lean == "TYPE1" ? 1 : 0; });
}

double CVGHorizontalParallelogram::GetHeight() const { return m_dHeight; }
double CVGHorizontalParallelogram::GetWidth() const { return m_dBase + m_dHeight * std::tan(vg::kHalfPi - m_dAngle); }

double CVGHorizontalParallelogram::GetProposedWidth() const
{
  return m_dProposedBase + m_dProposedHeight * std::tan(vg::kHalfPi - m_dProposedAngle);
}

double CVGHorizontalParallelogram::GetProposedHeight() const { return m_dProposedHeight; }

// The whole base, from where the left jamb meets the cut.
void CVGHorizontalParallelogram::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                        const CPlanSectionPreferences& preferences,
                                                        CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double rise = m_bRightLeaning == 1 ? cutHeight : GetHeight() - cutHeight;
  vg::AddPlanSection(m_dBase, vg::Ratio(rise, std::tan(m_dAngle)), switches, preferences, out);
}

void CVGHorizontalParallelogram::GetReportData(CUnitInfoReportDataArray& records) const
{
  vg::Report(*this, records, Shape(), m_bRightLeaning ? ",TRUE" : ",FALSE");
}

void CVGHorizontalParallelogram::GetReportData(CScheduleReportDataArray& rows) const
{
  vg::Report(*this, rows, Shape(), m_bRightLeaning ? ",TYPE1" : ",TYPE2");
}

// The four corners, with each jamb's midpoint after the corner it rises from.
void CVGHorizontalParallelogram::GetSizingHandles(CSizingHandleArray& out) const
{
  const CSizedComponentArray& components = *GetSizedComponents();
  const double run = vg::Ratio(m_dHeight * 0.5, std::tan(m_dAngle));
  out.RemoveAll();
  for (int i = 0; i < components.GetSize(); ++i) {
    if (i == 2)
      out.Add(new CSizingHandle(CVRX2DPoint(m_dBase + run, m_dHeight * 0.5), vg::handleFree));
    out.Add(new CSizingHandle(components.GetAt(i)->GetStartPoint(), vg::handleFree));
  }
  out.Add(new CSizingHandle(CVRX2DPoint(run, m_dHeight * 0.5), vg::handleFree));
}

void CVGHorizontalParallelogram::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  vg::SetHandleFlags(flags, handle, {{3}, {4}, {0, 1}, {0}, {1}, {3, 4}});
}

CVRX2DVector CVGHorizontalParallelogram::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  return vg::ProposedOutline(
      out, Corners(m_bProposedRightLeaning, m_dProposedBase, m_dProposedHeight, m_dProposedAngle), m_vProposedOffset);
}

CVRX2DVector CVGHorizontalParallelogram::SetSizeToProposed()
{
  const CVRX2DVector offset = vg::TakeProposal(*this, Shape());
  PCTRACE(TT_UNIT, TL_DETAIL)("***** CVGHorizontalParallelogram::SetSizeToProposed() *****\n");
  PCTRACE(TT_UNIT, TL_DETAIL)("Right Leaning?.: %s\n", m_bRightLeaning ? "TRUE" : "FALSE");
  PCTRACE(TT_UNIT, TL_DETAIL)("Base...........: %f\n", m_dBase);
  PCTRACE(TT_UNIT, TL_DETAIL)("Left/Right.....: %f\n", m_dLeftRight);
  PCTRACE(TT_UNIT, TL_DETAIL)("Height.........: %f\n", m_dHeight);
  PCTRACE(TT_UNIT, TL_DETAIL)("Jamb/Sill Angle: %f\n", m_dAngle);
  return offset;
}

// A cancelled drag: the proposal and its offset are dropped; the geometry is the current one.
void CVGHorizontalParallelogram::ResetProposedSize() { vg::DropProposal(*this, Shape()); }

void CVGHorizontalParallelogram::BuildSizedComponents() const
{
  const std::vector<CVRX2DPoint> c = Corners(m_bRightLeaning, m_dBase, m_dHeight, m_dAngle);
  vg::BuildComponents(*m_pSizedComponents, "HP010",
                      {{"BJ", c[0], c[1]}, {"AP", c[1], c[2]}, {"AG", c[2], c[3]}, {"AP", c[3], c[0]}});
}

void CVGHorizontalParallelogram::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  vg::AddLines(out, vg::ComponentLines(*GetSizedComponents(), vg::catOneLine));
}

CVRX2DLine* CVGHorizontalParallelogram::GetInnerElevationLine(int side) const
{
  return vg::InnerQuadSideLine(*GetSizedComponents(), side, kModule, kBadSideLine);
}

CVRX2DPoint CVGHorizontalParallelogram::GetIntersectPoint(const CVRX2DLine& first, const CVRX2DLine& second) const
{
  return vg::CrossingOrThrow(
      first, second, kModule, kNoCrossingLine,
      "CVGVerticalParallelogram::GetIntersectPoint(): No intersect point found for supplied lines.\n");
}

// Each inner side runs between its crossings with its neighbours, the lines taken as infinite.
void CVGHorizontalParallelogram::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  std::vector<std::unique_ptr<CVRX2DLine>> inner;
  for (int i = 0; i < kSides; ++i)
    inner.emplace_back(GetInnerElevationLine(i));
  vg::AddTrimmedRing(out, std::move(inner),
                     [this](const CVRX2DLine& a, const CVRX2DLine& b) { return GetIntersectPoint(a, b); });
}

void CVGHorizontalParallelogram::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

void CVGHorizontalParallelogram::GetDimensionLabels(CStringArray& labels) const { vg::Labels(Shape(), labels); }

void CVGHorizontalParallelogram::GetDimensionValues(CArray<double, double>& values) const
{
  vg::Values(*this, Shape(), values);
}

// The lean stays; the angle follows from the height and the jamb.
BOOL CVGHorizontalParallelogram::SetDimensionValues(const CArray<double, double>& values)
{
  if (values.GetSize() < 3 || !AreRequestedDimensionsValid(values[0], values[1], values[2]))
    return FALSE;
  m_dBase = values[0];
  m_dLeftRight = values[1];
  m_dHeight = values[2];
  m_dAngle = std::asin(m_dHeight / m_dLeftRight);
  SizeChanged();
  return TRUE;
}
