#include "units/standard/STDAWNG.h"

#include "model/Entcat.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CStandardAwningUnit, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "STDAWNG";
constexpr int kOtherClassAssignedLine = 85;
constexpr int kNoRailLine = 337;

constexpr const char* kLineCode = "AW";

struct CPanelCodes
{
  const char* top;
  const char* side;
  const char* bottom;
};

const CPanelCodes& PanelCodes(char letter)
{
  static constexpr CPanelCodes fixed = {"AG", "AP", "BJ"}, stationary = {"AI", "AS", "BL"},
                               venting = {"AJ", "AT", "BM"};
  return letter == 'F' ? fixed : letter == 'S' ? stationary : venting;
}

// The rail between two panels, by the whole code; null for any other code.
const char* RailCode(const CString& code)
{
  if (code == "FV")
    return "BP";
  if (code == "SV")
    return "BQ";
  return code == "VV" ? "BR" : nullptr;
}
}  // namespace

CStandardAwningUnit::CStandardAwningUnit(CString unitCode) : CStandardRectangularUnit(kLineCode, unitCode)
{
  CStandardAwningUnit::UpdateComponentIndices();
}

CUnit& CStandardAwningUnit::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CStandardRectangularUnit::operator=(source);
  CopyComponentIndices(static_cast<const CStandardAwningUnit&>(source));
  return *this;
}

CUnit* CStandardAwningUnit::Clone() const { return new CStandardAwningUnit(*this); }

void CStandardAwningUnit::UpdateComponentIndices()
{
  const int n = GetPanelCount();
  m_Groups.BottomGroupIndex = 0;
  m_Groups.RightGroupIndex = 1;
  m_Groups.TopGroupIndex = n + 1;
  m_Groups.LeftGroupIndex = n + 2;
  m_Groups.InteriorGroupIndex = 2 * n + 2;
}

char CStandardAwningUnit::GetPanelLetter(int panel) const { return GetPanelOperation(GetPanelCount() - panel); }

double CStandardAwningUnit::GetPanelTop(int panel) const
{
  if (panel <= 0)
    return 0.0;
  return panel >= GetPanelCount() ? GetHeight() : GetSizeValue(panel);
}

void CStandardAwningUnit::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                                 const CPlanSectionPreferences& preferences,
                                                 CVRX2DEntityArray& out) const
{
  PanelRow::GetSingleFramePlanSection(*this, switches, preferences, out);
}

void CStandardAwningUnit::GetSizingHandles(CSizingHandleArray& out) const
{
  PanelRow::GetCornerHandles(
      *this, {m_Groups.BottomGroupIndex, m_Groups.RightGroupIndex, m_Groups.TopGroupIndex, m_Groups.LeftGroupIndex},
      out);
}

// The interior group holds one rail, so only two panels can be stacked, and only by a code of
// one of the three rails.
void CStandardAwningUnit::BuildSizedComponents() const
{
  const int n = GetPanelCount();
  const CString code = GetOperatingChoice();
  const char* rail = RailCode(code);
  if (n > 1 && (n != 2 || !rail))
    throw CUnitException(kModule, kNoRailLine);
  const double w = GetWidth();
  const CComponentGroups& g = m_Groups;
  CComponentSlots slots(3 * n + 1, GetType(), GetSubtype());
  for (int i = 1; i <= n; ++i) {
    const CPanelCodes& codes = PanelCodes(GetPanelLetter(i));
    const double y0 = GetPanelTop(i - 1), y1 = GetPanelTop(i);
    slots.Put(g.InteriorGroupIndex - i, codes.side, "P", CVRX2DPoint(0.0, y1), CVRX2DPoint(0.0, y0));
    slots.Put(g.BottomGroupIndex + i, codes.side, "P", CVRX2DPoint(w, y0), CVRX2DPoint(w, y1));
    if (i == 1)
      slots.Put(g.BottomGroupIndex, codes.bottom, "P", CVRX2DPoint(0.0, 0.0), CVRX2DPoint(w, 0.0));
    else
      slots.Put(g.InteriorGroupIndex, rail, "I", CVRX2DPoint(0.0, y0), CVRX2DPoint(w, y0));
    if (i == n)
      slots.Put(g.TopGroupIndex, codes.top, "P", CVRX2DPoint(w, y1), CVRX2DPoint(0.0, y1));
  }
  if (!slots.IsComplete())
    throw CUnitException(kModule, kNoRailLine);
  slots.MoveTo(*m_pSizedComponents);
}

void CStandardAwningUnit::Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  const double a = GetComponentDistance(m_Groups.BottomGroupIndex, 0, -1);
  const double x = GetComponentDistance(m_Groups.LeftGroupIndex, 0, -1);
  const double t = GetHeight() - GetComponentDistance(m_Groups.TopGroupIndex, 0, -1);
  PanelRow::AddElevationRectangle(out, ecatWindowElevationFrame, x, a, GetWidth() - x, t);
  const double m = GetComponentDistance(m_Groups.LeftGroupIndex, 0, lines < 3 ? -1 : 2);
  PanelRow::AddElevationLine(out, ecatWindowElevationFrame, m, GetSizeValue(1), GetWidth() - m, GetSizeValue(1));
}

void CStandardAwningUnit::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int n = GetPanelCount();
  const double x = GetComponentDistance(m_Groups.LeftGroupIndex, 0, 2), r = GetWidth() - x;
  double t = 0.0;
  for (int i = 1; i <= n; ++i) {
    const double b = i == 1 ? GetComponentDistance(m_Groups.BottomGroupIndex, 0, 2)
                            : t + GetComponentDistance(m_Groups.InteriorGroupIndex, -2, 2);
    t = i < n ? GetSizeValue(i) - GetComponentDistance(m_Groups.InteriorGroupIndex, -2, 0)
              : GetHeight() - GetComponentDistance(m_Groups.TopGroupIndex, 0, 2);
    PanelRow::AddElevationRectangle(out, ecatWindowElevationGlassSash, x, b, r, t);
  }
}

void CStandardAwningUnit::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const double a = GetComponentDistance(m_Groups.BottomGroupIndex, 0, 3);
  const double x = GetComponentDistance(m_Groups.LeftGroupIndex, 0, 3);
  const double t = GetHeight() - GetComponentDistance(m_Groups.TopGroupIndex, 0, 3);
  PanelRow::AddElevationRectangle(out, ecatWindowElevationGlassSash, x, a, GetWidth() - x, t);
}

void CStandardAwningUnit::GetOperationEntities(int lines, CVRX2DEntityArray& out) const
{
  const int n = GetPanelCount();
  const int k = lines == 1 ? 1 : 2;
  const int interior = m_Groups.InteriorGroupIndex;
  double t = 0.0;
  for (int j = 0; j < n && GetPanelLetter(j + 1) == 'V'; ++j) {
    double b = j == 0 ? GetComponentDistance(m_Groups.BottomGroupIndex, 0, k) : t;
    if (j > 0 && lines != 1)
      b += GetComponentDistance(interior, -2, 2);
    if (j < n - 1)
      t = GetSizeValue(1) - (lines == 1 ? 0.0 : GetComponentDistance(interior, -2, 0));
    else
      t = GetHeight() - GetComponentDistance(m_Groups.TopGroupIndex, 0, k);
    const double x = GetComponentDistance(interior - j - 1, 0, k);
    const double r = GetWidth() - GetComponentDistance(m_Groups.RightGroupIndex + j, 0, k);
    const double c = (x + r) * 0.5;
    PanelRow::AddElevationLine(out, ecatWindowElevationOperatingSymbol, x, b, c, t);
    PanelRow::AddElevationLine(out, ecatWindowElevationOperatingSymbol, c, t, r, b);
  }
}
