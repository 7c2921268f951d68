#include "model/Plansect.h"

#include <cmath>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "support/ComExcpt.h"

namespace {
constexpr const char* kModule = "Plansect";
constexpr int kBadPositionModeLine = 250;
constexpr int kSlidingWithoutPositionLine = 530;

BOOL IsSliding(int kind)
{
  return kind == CPlanSectionUnitDimensions::pkSlidingPlusY || kind == CPlanSectionUnitDimensions::pkSlidingMinusY;
}

BOOL IsHinged(int kind)
{
  return kind == CPlanSectionUnitDimensions::pkHinged0To90 || kind == CPlanSectionUnitDimensions::pkHinged90To180;
}
}  // namespace

void CPlanSection::AddLine(CVRX2DEntityArray& out, int category, const CVRX2DPoint& a, const CVRX2DPoint& b)
{
  out.Add(new CVRX2DLine(category, a, b));
}

void CPlanSection::AddArc(CVRX2DEntityArray& out, int category, const CVRX2DPoint& centre, double radius,
                          double startDegrees, double endDegrees)
{
  const double toRadians = VRX_PI / 180.0;
  out.Add(new CVRX2DArc(category, centre, radius, radius, CVRXAngle(0.0), CVRXAngle(startDegrees * toRadians),
                        CVRXAngle(endDegrees * toRadians)));
}

BOOL CPlanSection::IsNextPanelKind(int kind, int i) const
{
  return i < GetPanelCount() - 1 && GetPanelKind(i + 1) == kind;
}

BOOL CPlanSection::IsPreviousPanelKind(int kind, int i) const { return i > 0 && GetPanelKind(i - 1) == kind; }

// The records hold five kinds and four positions; panels beyond them count as fixed panels
// without a position instead of reading past the records.
int CPlanSection::GetPanelCount() const { return m_Dimensions.m_nPanelCount; }

int CPlanSection::GetPanelKind(int i) const
{
  return i >= 0 && i < CPlanSectionUnitDimensions::kKinds ? m_Dimensions.m_nPanelKinds[i] : 0;
}

double CPlanSection::GetPanelPosition(int i) const
{
  return i >= 0 && i < CPlanSectionUnitDimensions::kPositions ? m_Dimensions.m_dPanelPositions[i] : -1.0;
}

void CPlanSection::ComputeLayout()
{
  const double thickness = m_Preferences.m_dWallThickness;
  switch (m_Preferences.m_FrameOffsetType) {
  case CPlanSectionPreferences::fotCentered:
    m_dBandY0 = (thickness - m_dFrameDepth) / 2.0;
    break;
  case CPlanSectionPreferences::fotFaceOfFrame:
    m_dBandY0 = m_Preferences.m_dSpanInches;
    break;
  case CPlanSectionPreferences::fotInstallationFlange:
    m_dBandY0 = m_Preferences.m_dSpanInches - m_dSetback;
    break;
  default:
    throw CCommonException(kModule, kBadPositionModeLine);
  }
  m_dBandY1 = m_dBandY0 + m_dFrameDepth;
  m_dFrameX0 = 0.0;
  m_dFrameX1 = m_dFrameWidth;
  m_dFrameY0 = m_dBandY0;
  m_dFrameY1 = m_dBandY1;
  if (m_Switches.FullFrameWidthOn) {
    m_dFrameY0 = 0.0;
    m_dFrameY1 = thickness;
  }
  m_dCentreY = (m_dBandY0 + m_dBandY1) / 2.0;
  m_dPlanWidth = m_Dimensions.m_dPlanWidth;
  m_dSillLength = m_dPlanWidth;
  m_bFrameOnly = m_dPlanWidth <= 2.0 * m_dFrameWidth;
  if (m_bFrameOnly) {
    m_dFrameWidth = m_dPlanWidth;
    m_dFrameX1 = m_dPlanWidth;
    m_dPlanWidth = 0.0;
  }
}

void CPlanSection::GetEntities(CVRX2DEntityArray& out)
{
  out.RemoveAll();
  ComputeLayout();
  double x = m_Dimensions.m_dStartOffset;
  if (m_Preferences.m_bStartReturnOn)
    x -= m_dWallDepth;
  if (m_Preferences.m_bStartEndOn)
    AddStartEnd(out, x);
  if (m_Switches.SillLinesOn)
    AddSillLines(out, x);
  if (m_Switches.FrameOn) {
    AddJamb(out, x, TRUE);
    x += m_dFrameWidth;
  }
  if (m_dPlanWidth != 0.0)
    AddPanels(out, x);
  if (m_Switches.FrameOn && !m_bFrameOnly) {
    AddJamb(out, x, FALSE);
    x += m_dFrameWidth;
  }
  if (m_Preferences.m_bFinishEndOn)
    AddFinishEnd(out, x);
}

void CPlanSection::GetJoinEntities(CVRX2DEntityArray& out)
{
  out.RemoveAll();
  ComputeLayout();
  double x = m_Dimensions.m_dStartOffset;
  if (m_Switches.SillLinesOn)
    AddSillLines(out, x);
  if (m_Switches.FrameOn)
    AddJamb(out, x, TRUE);
}

void CPlanSection::AddStartEnd(CVRX2DEntityArray& out, double& x) const
{
  const double t = m_Preferences.m_dWallThickness;
  if (m_Preferences.m_bStartReturnOn) {
    AddLine(out, ecatWallReturn, CVRX2DPoint(x, t), CVRX2DPoint(x + m_dWallDepth, t));
    AddLine(out, ecatWallReturn, CVRX2DPoint(x + m_dWallDepth, 0.0), CVRX2DPoint(x, 0.0));
    x += m_dWallDepth;
  }
  AddLine(out, ecatWindowPlanSectionWallCutLine, CVRX2DPoint(x, t), CVRX2DPoint(x, 0.0));
}

void CPlanSection::AddFinishEnd(CVRX2DEntityArray& out, double& x) const
{
  const double t = m_Preferences.m_dWallThickness;
  AddLine(out, ecatWindowPlanSectionWallCutLine, CVRX2DPoint(x, t), CVRX2DPoint(x, 0.0));
  if (m_Preferences.m_bFinishReturnOn) {
    AddLine(out, ecatWallReturn, CVRX2DPoint(x, t), CVRX2DPoint(x + m_dWallDepth, t));
    AddLine(out, ecatWallReturn, CVRX2DPoint(x, 0.0), CVRX2DPoint(x + m_dWallDepth, 0.0));
  }
}

void CPlanSection::AddSillLines(CVRX2DEntityArray& out, double x) const
{
  const double t = m_Preferences.m_dWallThickness;
  AddLine(out, ecatWindowPlanSectionSillJamb, CVRX2DPoint(x, 0.0), CVRX2DPoint(x + m_dSillLength, 0.0));
  AddLine(out, ecatWindowPlanSectionSillJamb, CVRX2DPoint(x, t), CVRX2DPoint(x + m_dSillLength, t));
}

// Four lines around the jamb; the edge toward the opening comes third.
void CPlanSection::AddJamb(CVRX2DEntityArray& out, double x, BOOL start) const
{
  const double x1 = x + m_dFrameWidth;
  const double y0 = m_dFrameY0;
  const double y1 = m_dFrameY1;
  const double openingX = start ? x1 : x;
  const double outerX = start ? x : x1;
  AddLine(out, ecatWindowPlanSectionFrame, CVRX2DPoint(x, y1), CVRX2DPoint(x1, y1));
  AddLine(out, ecatWindowPlanSectionFrame, CVRX2DPoint(x1, y0), CVRX2DPoint(x, y0));
  AddLine(out, ecatWindowPlanSectionFrame, CVRX2DPoint(openingX, y1), CVRX2DPoint(openingX, y0));
  AddLine(out, ecatWindowPlanSectionFrame, CVRX2DPoint(outerX, y0), CVRX2DPoint(outerX, y1));
  // A frame-only section has no face to span, so its face lines would run backwards over the jamb.
  if (start && m_Switches.FrameLinesOn && !m_bFrameOnly) {
    AddLine(out, ecatWindowPlanSectionFrame, CVRX2DPoint(x1, y1), CVRX2DPoint(x + m_dPlanWidth, y1));
    AddLine(out, ecatWindowPlanSectionFrame, CVRX2DPoint(x1, y0), CVRX2DPoint(x + m_dPlanWidth, y0));
  }
}

void CPlanSection::AddPanels(CVRX2DEntityArray& out, double& x) const
{
  const double area = m_dPlanWidth - (m_Switches.FrameOn ? 2.0 * m_dFrameWidth : 0.0);
  double remaining = area;
  const double x0 = x;
  const int count = GetPanelCount();
  for (int i = 0; i < count; ++i) {
    const CPanel panel = MeasurePanel(i, x, x0, area, remaining);
    DrawPanel(out, GetPanelKind(i), x, panel.width);
    x += panel.width + panel.gapAfter;
    remaining -= panel.width + panel.gapAfter;
    if (panel.mullionAfter && GetPanelPosition(i) != -1.0 && i != count - 1) {
      AddMullion(out, x);
      x += m_dMullionWidth;
      remaining -= m_dMullionWidth;
    }
  }
}

CPlanSection::CPanel CPlanSection::MeasurePanel(int i, double x, double x0, double area, double remaining) const
{
  CPanel panel;
  panel.mullionAfter = m_Switches.FrameOn;
  const int count = GetPanelCount();
  const int kind = GetPanelKind(i);
  const double position = GetPanelPosition(i);
  const double firstFrame = (i == 0 && m_Switches.FrameOn) ? m_dFrameWidth : 0.0;
  if (IsSliding(kind))
    panel.mullionAfter = FALSE;
  else if (IsHinged(kind)) {
    if ((kind == CPlanSectionUnitDimensions::pkHinged90To180 &&
         IsNextPanelKind(CPlanSectionUnitDimensions::pkHinged0To90, i)) ||
        (kind == CPlanSectionUnitDimensions::pkHinged0To90 &&
         IsNextPanelKind(CPlanSectionUnitDimensions::pkHinged90To180, i)))
      panel.mullionAfter = FALSE;
  }
  if (i == count - 1) {
    panel.width = remaining;
    return panel;
  }
  if (IsSliding(kind)) {
    if (position == -1.0)
      throw CCommonException(kModule, kSlidingWithoutPositionLine);
    panel.width = position - (x - x0) - firstFrame;
    if (IsNextPanelKind(kind, i)) {
      panel.width -= m_dSlidingGap / 2.0;
      panel.gapAfter = m_dSlidingGap;
    } else if (IsPreviousPanelKind(kind, i))
      panel.width -= m_dSlidingGap / 2.0;
  } else if (IsHinged(kind)) {
    if (position == -1.0)
      panel.width = area / count;
    else
      panel.width = position - (x - x0) - (panel.mullionAfter ? m_dMullionWidth / 2.0 : 0.0) - firstFrame;
  } else if (position == -1.0 || !m_Switches.FrameOn)
    panel.width = area / count;
  else
    panel.width = position - (x - x0) - (i == 0 ? m_dMullionWidth / 2.0 + m_dFrameWidth : m_dMullionWidth);
  return panel;
}

void CPlanSection::DrawPanel(CVRX2DEntityArray& out, int kind, double x, double w) const
{
  if (IsHinged(kind)) {
    AddHingedPanel(out, kind, x, w);
    return;
  }
  const BOOL oneGlassLine = m_Switches.GlassLines == 1;
  const double sashOffset = oneGlassLine ? m_dSashOffset / 2.0 : m_dSashOffset;
  double y = m_dCentreY;
  if (kind == CPlanSectionUnitDimensions::pkSlidingPlusY)
    y += sashOffset;
  else if (kind == CPlanSectionUnitDimensions::pkSlidingMinusY)
    y -= sashOffset;
  if (oneGlassLine)
    AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x, y), CVRX2DPoint(x + w, y));
  else if (IsSliding(kind)) {
    AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x, y), CVRX2DPoint(x + w, y));
    AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x, m_dCentreY), CVRX2DPoint(x + w, m_dCentreY));
  } else {
    const double half = 0.5 * m_dGlassThickness;
    AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x, y - half), CVRX2DPoint(x + w, y - half));
    AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x, y + half), CVRX2DPoint(x + w, y + half));
  }
}

// The panel is shown open: the sash standing at the hinge, the quarter arc it swings through and,
// with two glass lines, the sash's second face up to the arc.
void CPlanSection::AddHingedPanel(CVRX2DEntityArray& out, int kind, double x, double w) const
{
  const BOOL opensRight = kind == CPlanSectionUnitDimensions::pkHinged0To90;
  const double hingeX = opensRight ? x : x + w;
  double hingeY = m_dCentreY;
  if (m_Switches.FrameOn)
    hingeY = m_dBandY0 + m_dFrameDepth;
  else if (m_Switches.GlassLines != 1)
    hingeY = m_dCentreY + m_dGlassThickness / 2.0;
  const CVRX2DPoint hinge(hingeX, hingeY);
  AddLine(out, ecatWindowPlanSectionGlass, hinge, CVRX2DPoint(hingeX, hingeY + w));
  AddArc(out, ecatWindowPlanSectionGlass, hinge, w, opensRight ? 0.0 : 90.0, opensRight ? 90.0 : 180.0);
  // A panel narrower than the glass has no second face inside its arc.
  if (m_Switches.GlassLines != 1 && w > m_dGlassThickness) {
    const double faceX = opensRight ? x + m_dGlassThickness : x + w - m_dGlassThickness;
    const double rise = std::sqrt(w * w - m_dGlassThickness * m_dGlassThickness);
    AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(faceX, hingeY), CVRX2DPoint(faceX, hingeY + rise));
  }
}

void CPlanSection::AddMullion(CVRX2DEntityArray& out, double x) const
{
  const double x1 = x + m_dMullionWidth;
  const double y0 = m_dCentreY - m_dMullionDepth / 2.0;
  const double y1 = m_dCentreY + m_dMullionDepth / 2.0;
  AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x, y1), CVRX2DPoint(x1, y1));
  AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x1, y0), CVRX2DPoint(x, y0));
  AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x1, y1), CVRX2DPoint(x1, y0));
  AddLine(out, ecatWindowPlanSectionGlass, CVRX2DPoint(x, y0), CVRX2DPoint(x, y1));
}
