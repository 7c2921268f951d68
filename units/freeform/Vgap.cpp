#include "units/freeform/Vgap.h"

#include <algorithm>
#include <cmath>

#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CVGAngledPentagon, CVarigonUnit)

namespace {
constexpr const char* kModule = "Vgap";
constexpr int kBadNumberLine = 437;
constexpr int kThreeLineLine = 506;
enum
{
  sideA,
  sideB,
  sideC,
  sideD,
  sideE
};

int Refuse(const char* reason, int code, CSizeLimit::Kind kind = CSizeLimit::none, double limit = 0.0)
{
  vg::Refuse("VGAP", reason, kind, limit);
  return code;
}
}  // namespace

CVGAngledPentagon::CVGAngledPentagon(const CString& lineCode, const CString& unitCode, int type)
  : CVarigonUnit(lineCode, unitCode), m_nType(type)
{
  InitProposedSize();
}

CVGAngledPentagon::CVGAngledPentagon(const CVGAngledPentagon& source) : CVarigonUnit(source), m_nType(source.m_nType)
{
  std::copy(std::begin(source.m_nSides), std::end(source.m_nSides), m_nSides);
  vg::CopyShape(*this, source, Shape());
}

vg::CShape<CVGAngledPentagon> CVGAngledPentagon::MakeShape(const std::vector<vg::CShown>& shown)
{
  using U = CVGAngledPentagon;
  // The leaves refuse another class themselves.
  return {
      {kModule, 0, kBadNumberLine},
      {{&U::m_dA, &U::m_dProposedA},
       {&U::m_dB, &U::m_dProposedB},
       {&U::m_dC, &U::m_dProposedC},
       {&U::m_dD, &U::m_dProposedD}},
      shown,
      [](const U& unit, const std::vector<double>& v) {
        return unit.AreRequestedDimensionsValid(v[0], v[1], v[2], v[3]) == kValid;
      },
      &U::InitProposedSize,
  };
}

const vg::CShape<CVGAngledPentagon>& CVGAngledPentagon::Shape()
{
  static const vg::CShape<CVGAngledPentagon> shape = MakeShape({});
  return shape;
}

// The type number stays the object's own. The base's assignment from a free-form unit would call
// the leaf's assignment, and so this one, again: the one from any unit is taken.
void CVGAngledPentagon::AssignShape(const CVGAngledPentagon& source)
{
  CVarigonUnit::operator=(static_cast<const CUnit&>(source));
  std::copy(std::begin(source.m_nSides), std::end(source.m_nSides), m_nSides);
  vg::CopyShape(*this, source, Shape());
}

void CVGAngledPentagon::InitProposedSize()
{
  vg::DropProposal(*this, Shape());
  DiscardGeometry();
}

CString CVGAngledPentagon::GetAttributes() const
{
  return vg::GetAttributes(*this, Shape(), CString::Formatted(",%d", m_nType));
}

void CVGAngledPentagon::SetAttributes(CString& attributes)
{
  vg::SetAttributes(*this, attributes, Shape(), &CVGAngledPentagon::m_nType,
                    [](const CString& type) { return static_cast<int>(StrToLong(type)); });
}

double CVGAngledPentagon::GetSideE() const { return std::hypot(GetSideERise(), GetSideERun()); }
double CVGAngledPentagon::GetSideEAngleFromVertical() const { return std::acos(vg::Ratio(GetSideERise(), GetSideE())); }
double CVGAngledPentagon::GetSideEAngleFromHorizontal() const
{
  return std::asin(vg::Ratio(GetSideERise(), GetSideE()));
}

// The width at the cut; above A it is not clamped. Type 1 has its cut on the left.
void CVGAngledPentagon::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                               const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  double width = m_dB;
  if (!(m_dC > cutHeight))
    width = GetHeight() == cutHeight
                ? m_dD
                : m_dD + vg::Ratio(m_dA - cutHeight, std::tan(vg::kHalfPi - GetSideEAngleFromVertical()));
  PCTRACE(TT_UNIT, TL_DETAIL)
  ("VGAP Plan View ::> Side B: %f -- Side D: %f -- Plan Height: %f -- Plan Width: %f\n", m_dB, m_dD, cutHeight, width);
  vg::AddPlanSection(width, m_nType == 1 && m_dB != width ? m_dB - width : 0.0, switches, preferences, out);
}

void CVGAngledPentagon::GetReportData(CUnitInfoReportDataArray& records) const
{
  vg::Report(*this, records, Shape(), CString::Formatted(",%d", m_nType));
}

void CVGAngledPentagon::GetReportData(CScheduleReportDataArray& rows) const
{
  vg::Report(*this, rows, Shape(), CString::Formatted(",%d", m_nType));
}

void CVGAngledPentagon::GetSizingHandles(CSizingHandleArray& out) const
{
  vg::AddComponentHandles(out, *GetSizedComponents());
}

CVRX2DVector CVGAngledPentagon::SetSizeToProposed() { return vg::TakeProposal(*this, Shape()); }

// A cancelled drag: the proposal and its offset are dropped; the geometry is the current one.
void CVGAngledPentagon::ResetProposedSize() { vg::DropProposal(*this, Shape()); }

int CVGAngledPentagon::Settle(double a, double b, double c, double d, const CVRX2DVector& offset)
{
  return vg::Settle(*this, Shape(), {a, b, c, d}, m_vProposedOffset, offset);
}

void CVGAngledPentagon::BuildComponents(const char* unitCode, const std::vector<CVRX2DPoint>& corners,
                                        const char* const* codes) const
{
  std::vector<vg::CSide> sides;
  for (size_t i = 0; i < corners.size(); ++i)
    sides.push_back({codes[i], corners[i], corners[(i + 1) % corners.size()]});
  vg::BuildComponents(*m_pSizedComponents, unitCode, sides);
}

// The outline moved in by A's and B's distances between elevation lines 0 and 1. Type 2 moves
// each side by position; type 1 is its mirror image.
void CVGAngledPentagon::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double a = GetComponentDistance(m_nSides[sideA], 0, 1);
  const double b = GetComponentDistance(m_nSides[sideB], 0, 1);
  static const double cutRight[5][4] = {{1, 1, -1, 1}, {-1, 1, -1, 0}, {-1, 0, 0, -1}, {0, -1, 1, -1}, {1, -1, 1, 1}};
  static const double cutLeft[5][4] = {{1, 1, -1, 1}, {-1, 1, -1, -1}, {-1, -1, 0, -1}, {0, -1, 1, 0}, {1, 0, 1, 1}};
  const auto& moves = m_nSides[sideA] == 1 ? cutLeft : cutRight;
  const CSizedComponentArray& components = *GetSizedComponents();
  for (int i = 0; i < components.GetSize() && i < 5; ++i) {
    const CSizedComponent& side = *components.GetAt(i);
    out.Add(new CVRX2DLine(vg::catOneLine, side.GetStartPoint() + CVRX2DVector(moves[i][0] * a, moves[i][1] * b),
                           side.GetEndPoint() + CVRX2DVector(moves[i][2] * a, moves[i][3] * b)));
  }
}

void CVGAngledPentagon::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const
{
  throw CUnitException(kModule, kThreeLineLine);
}

// The area limit is applied to the enclosing rectangle and the glass size limits to the glass
// rectangle; the glass lines are checked on the type 2 figure.
int CVGAngledPentagon::AreRequestedDimensionsValid(double a, double b, double c, double d) const
{
  const CVgLimitsRec& limits = GetLimits();
  if (!vg::AllFinite({a, b, c, d}))
    return Refuse("dimension not a number", 9);
  const double e = std::hypot(a - c, b - d);
  const struct
  {
    double value;
    const char* small;
    int smallCode;
    const char* large;
    int largeCode;
  } sides[] = {{a, "side A too small", 9, "side A too large", 8},
               {b, "side B too small", 11, "side B too large", 10},
               {c, "side C too small", 14, "side C too large", 13},
               {d, "side D too small", 17, "side D too large", 16},
               {e, "side E too small", 19, "side E too large", 18}};
  for (const auto& side : sides) {
    if (side.value < limits.GetMinSide())
      return Refuse(side.small, side.smallCode, CSizeLimit::minSide, limits.GetMinSide());
    if (side.value > limits.GetMaxSide())
      return Refuse(side.large, side.largeCode, CSizeLimit::maxSide, limits.GetMaxSide());
  }
  if (d >= b)
    return Refuse("side D not less than side B", 15);
  if (c >= a)
    return Refuse("side C not less than side A", 12);
  const double theta = std::acos((a - c) / e);
  const double ce = vg::kPi - theta, de = vg::kPi - (vg::kHalfPi - theta);
  if (ce < limits.GetMinAngle())
    return Refuse("angle CE too small", 1, CSizeLimit::minAngle, limits.GetMinAngle());
  if (ce > limits.GetMaxAngle())
    return Refuse("angle CE too large", 0, CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (de < limits.GetMinAngle())
    return Refuse("angle DE too small", 3, CSizeLimit::minAngle, limits.GetMinAngle());
  if (de > limits.GetMaxAngle())
    return Refuse("angle DE too large", 2, CSizeLimit::maxAngle, limits.GetMaxAngle());
  if (a * b / 144.0 > limits.GetMaxArea())
    return Refuse("area too large", 20, CSizeLimit::maxArea, limits.GetMaxArea());
  const double inset = limits.GetGlassInset();
  const std::vector<CVRX2DPoint> corners = {CVRX2DPoint(0.0, 0.0), CVRX2DPoint(b, 0.0), CVRX2DPoint(b, c),
                                            CVRX2DPoint(d, a), CVRX2DPoint(0.0, a)};
  if (vg::ShortGlassLine(corners, inset, CVRX2DPoint(d / 2.0, c / 2.0), limits.GetMinGlassLine()) >= 0)
    return Refuse("glass line too small", 4, CSizeLimit::minGlassLine, limits.GetMinGlassLine());
  const double glassHeight = a - 2.0 * inset, glassWidth = b - 2.0 * inset;
  if (std::min(glassHeight, glassWidth) > limits.GetMaxShortGlassSide())
    return Refuse("short glass line too large", 7, CSizeLimit::maxShortGlassSide, limits.GetMaxShortGlassSide());
  if (std::max(glassHeight, glassWidth) > limits.GetMaxLongGlassSide())
    return Refuse("long glass line too large", 5, CSizeLimit::maxLongGlassSide, limits.GetMaxLongGlassSide());
  vg::Accept("VGAP");
  return kValid;
}
