#include "units/standard/Stdchord.h"

#include <algorithm>
#include <cmath>

#include "geometry/Angle.h"
#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Sizing.h"
#include "productdb/Elemcomp.h"
#include "units/standard/Archutil.h"
#include "units/standard/Stdsnap.h"

IMPLEMENT_DYNAMIC(CStandardFullChord, CStandardArchedUnit)

namespace {
constexpr const char* kModule = "Stdchord";
constexpr int kOtherClassAssignedLine = 82;

constexpr const char* kArchCode = "AG";
constexpr const char* kBottomCode = "BJ";

constexpr float kAbove = 10000.0f;

void SetWidthKey(CStdSizesRec& row, float width) { row.SetWidth(width); }

void SetRadiusAndShoulderKey(CStdSizesRec& row, float sentinel)
{
  row.SetRadius(sentinel);
  row.SetShoulderHeight(sentinel);
}

double WidthOf(const CStdSizesRec& row) { return row.GetWidth(); }
}  // namespace

CUnit& CStandardFullChord::operator=(const CUnit& source)
{
  return AssignSameClass(source, kModule, kOtherClassAssignedLine);
}

double CStandardFullChord::GetHeight() const { return Arch::Rise(GetArchRadius(), GetWidth()); }
double CStandardFullChord::GetProposedHeight() const { return Arch::Rise(GetProposedArchRadius(), GetProposedWidth()); }
CVRX2DPoint CStandardFullChord::GetArchCentre() const
{
  return CVRX2DPoint(0.5 * GetWidth(), GetHeight() - GetArchRadius());
}

CVRX2DPoint CStandardFullChord::GetProposedArchCentre() const
{
  return CVRX2DPoint(0.5 * GetProposedWidth(), GetProposedHeight() - GetProposedArchRadius());
}

// The cut is clamped into the segment, so it always meets the arch.
void CStandardFullChord::GetPlanSectionEntities(double cutHeight, const CPlanSectionSwitches& switches,
                                                const CPlanSectionPreferences& preferences,
                                                CVRX2DEntityArray& out) const
{
  const double w = GetWidth();
  const double h = GetHeight();
  const double r = GetArchRadius();
  const double y = r - h + Arch::Clamp(cutHeight, 0.0, h);
  const double half = std::min(0.5 * w, Arch::SideFromHypotenuse(r, y));
  Arch::AddPlanSection(switches, preferences, 2.0 * half, 0.5 * w - half, out);
}

void CStandardFullChord::GetOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  const double w = GetWidth();
  for (int i = 0; i < components.GetSize(); ++i) {
    const CVRX2DPoint& a = components[i]->GetStartPoint();
    const CVRX2DPoint& b = components[i]->GetEndPoint();
    if (i == cArch)
      Arch::AddArcThrough(out, ecatPerimeterOutline, GetArchCentre(), GetArchRadius(), a.GetX() > 0.5 * w ? a : b,
                          a.GetX() > 0.5 * w ? b : a);
    else
      Arch::AddLine(out, ecatPerimeterOutline, a, b);
  }
}

void CStandardFullChord::GetPartOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetWidth();
  const double h = GetHeight();
  const CVRX2DPoint p0(0.0, 0.0), p1(w, 0.0), p2(0.0, h), p3(w, h);
  Arch::AddLine(out, ecatFramePartOutline, p0, p1);
  Arch::AddArcThrough(out, ecatConstruction, GetArchCentre(), GetArchRadius(), p1, p0);
  Arch::AddLine(out, ecatConstruction, p1, p3);
  Arch::AddLine(out, ecatConstruction, p3, p2);
  Arch::AddLine(out, ecatConstruction, p2, p0);
  Arch::AddLine(out, ecatCentreLine, CVRX2DPoint(0.5 * w, 0.0), CVRX2DPoint(0.5 * w, h));
}

void CStandardFullChord::GetSizingHandles(CSizingHandleArray& out) const
{
  out.RemoveAll();
  const CSizedComponentArray& components = *GetSizedComponents();
  out.Add(new CSizingHandle(components[cBottom]->GetStartPoint(), CSizingHandle::widthOnly));
  out.Add(new CSizingHandle(components[cArch]->GetStartPoint(), CSizingHandle::widthOnly));
}

void CStandardFullChord::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  WidthDrag::GetSidesMoved(handle, flags);
}

// Beyond the narrowest or widest size by more than half the outermost step the proposal stays.
int CStandardFullChord::ConformProposedSize(int handle, const CVRX2DVector& drag)
{
  const double w = GetWidth();
  const CSizeSnap snap(CStdSizesRec::byWidthRadiusShoulder, &SetWidthKey, &SetRadiusAndShoulderKey, &WidthOf);
  const WidthDrag::Proposal p = WidthDrag::Conform(snap, handle, drag.GetX(), w, GetCurrentSize(), GetProposedSize());
  if (p.action == WidthDrag::reset)
    ResetProposedSize();
  if (p.action == WidthDrag::propose) {
    SetProposedSize(p.row);
    m_vProposedOffset.SetX(handle == 0 ? w - GetProposedWidth() : 0.0);
  }
  return p.result;
}

CVRX2DVector CStandardFullChord::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  const double w = GetProposedWidth();
  const CVRX2DPoint left(0.0, 0.0), right(w, 0.0);
  Arch::AddLine(out, ecatProposedOutline, left, right);
  Arch::AddArcThrough(out, ecatProposedOutline, GetProposedArchCentre(), GetProposedArchRadius(), right, left);
  return m_vProposedOffset;
}

void CStandardFullChord::BuildSizedComponents() const
{
  const CElemCompRec arch(GetType(), GetSubtype(), kArchCode);
  const CElemCompRec bottom(GetType(), GetSubtype(), kBottomCode);
  const CVRX2DPoint left(0.0, 0.0), right(GetWidth(), 0.0);
  m_pSizedComponents->Add(new CSizedComponent(kBottomCode, bottom.GetComponent(), "P", left, right));
  m_pSizedComponents->Add(new CSizedComponent(kArchCode, arch.GetComponent(), "P", right, left));
}

// The inset chord where the inset arc meets the inset bottom line.
void CStandardFullChord::AddElevationRing(int line, int category, CVRX2DEntityArray& out) const
{
  const double dArch = GetComponentDistance(cArch, 0, line);
  const double dBase = GetComponentDistance(cBottom, 0, line);
  const double r = GetArchRadius();
  const double re = r - dArch;
  const double s = Arch::SideFromHypotenuse(re, r - GetHeight() + dBase);
  const double cx = 0.5 * GetWidth();
  const CVRX2DPoint left(cx - s, dBase), right(cx + s, dBase);
  Arch::AddLine(out, category, left, right);
  Arch::AddArcThrough(out, category, GetArchCentre(), re, right, left);
}

void CStandardFullChord::Get1LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevationRing(-1, ecatWindowElevationFrame, out);
}

void CStandardFullChord::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevationRing(2, ecatWindowElevationGlassSash, out);
}

void CStandardFullChord::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  AddElevationRing(3, ecatWindowElevationGlassSash, out);
}

template <class Visit>
void CStandardFullChord::WalkDistinct(int index, double primary, Visit visit) const
{
  const BOOL byRadius = index == CStdSizesRec::byRadiusWidthShoulder;
  const float group = static_cast<float>(primary);
  CStdSizesRec cursor(GetCurrentSize());
  cursor.SetRadius(byRadius ? group : 0.0f);
  cursor.SetWidth(byRadius ? 0.0f : group);
  cursor.SetShoulderHeight(0.0f);
  BOOL atEnd = FALSE;
  for (int rc = cursor.SeekGE(index, &atEnd); rc == 0 && !atEnd && IsOwnRow(cursor);) {
    if (static_cast<float>(byRadius ? cursor.GetRadius() : cursor.GetWidth()) != group)
      break;
    visit(cursor);
    // Past every row of this second value.
    if (byRadius)
      cursor.SetRadius(group);
    else
      cursor.SetWidth(group);
    cursor.SetShoulderHeight(kAbove);
    rc = cursor.SeekGT(index, &atEnd);
  }
}

void CStandardFullChord::GetSizesForWidth(CArray<double, double>& out) const
{
  out.RemoveAll();
  WalkDistinct(CStdSizesRec::byRadiusWidthShoulder, GetArchRadius(),
               [&](const CStdSizesRec& row) { out.Add(row.GetWidth()); });
}

void CStandardFullChord::GetArchRadiiForShoulderHeight(CArray<double, double>& out) const
{
  out.RemoveAll();
  WalkDistinct(CStdSizesRec::byWidthRadiusShoulder, GetWidth(),
               [&](const CStdSizesRec& row) { out.Add(row.GetRadius()); });
}

void CStandardFullChord::GetShoulderHeightsForWidth(CArray<double, double>& out) const { out.RemoveAll(); }
