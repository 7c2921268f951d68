// The elevations and operating symbols of the hinged door "FHBA014".
#include "units/standard/Fhba.h"
#include "model/Entcat.h"

namespace {}  // namespace

void CFHBasic::Get1LineElevationEntities(int lines, CVRX2DEntityArray& out) const
{
  PanelRow::GetFrameRectangle(*this, m_Groups, -1, ecatDoorElevationFrame, out);
  if (GetPanelCount() <= 1)
    return;
  if (lines < 2)
    GetJointLineEntities(out);
  else
    GetJointEdgeLineEntities(lines, out);
}

// Every joint line runs from the first panel's bottom to the last panel's top member.
void CFHBasic::GetJointLineEntities(CVRX2DEntityArray& out) const
{
  const double bottom = GetComponentDistance(m_Groups.BottomGroupIndex, 0, -1);
  const double top = GetHeight() - GetComponentDistance(m_Groups.TopGroupIndex, 0, -1);
  for (int k = 1; k < GetPanelCount(); ++k)
    PanelRow::AddElevationLine(out, ecatDoorElevationFrame, GetSizeValue(k), bottom, GetSizeValue(k), top);
}

void CFHBasic::GetJointEdgeLineEntities(int lines, CVRX2DEntityArray& out) const
{
  const int e = lines >= 3 ? 3 : -1;
  const int b = m_Groups.BottomGroupIndex, l = m_Groups.LeftGroupIndex;
  for (int k = 1; k < GetPanelCount(); ++k) {
    const int joint = m_Groups.InteriorGroupIndex + k - 1;
    const double before = GetSizeValue(k) - GetComponentDistance(joint, -3, 0);
    PanelRow::AddElevationLine(out, ecatDoorElevationGlassSash, before, GetComponentDistance(b + k - 1, 0, e), before,
                               GetHeight() - GetComponentDistance(l - k, 0, e));
    const double after = GetSizeValue(k) + GetComponentDistance(joint, 0, 3);
    PanelRow::AddElevationLine(out, ecatDoorElevationGlassSash, after, GetComponentDistance(b + k, 0, e), after,
                               GetHeight() - GetComponentDistance(l - k - 1, 0, e));
  }
}

void CFHBasic::Get2LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetPanelRectangles(*this, m_Groups, 2, ecatDoorElevationGlassSash, out);
}

void CFHBasic::Get3LineElevationEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  PanelRow::GetPanelRectangles(*this, m_Groups, 3, ecatDoorElevationGlassSash, out);
}

void CFHBasic::GetOperationEntities(int lines, CVRX2DEntityArray& out) const
{
  PanelRow::GetPanelSymbols(
      *this, m_Groups, lines, lines >= 3 ? 3 : 1, 3, ecatDoorElevationOperatingSymbol,
      [this](int panel) { return GetSymbolSide(panel); }, out);
}

// A pair of leaves meets at the outer sides; otherwise an 'L' marks the second panel and an 'R'
// the one before the last, and a single leaf takes the side of the letter behind it.
char CFHBasic::GetSymbolSide(int p) const
{
  const CString code = GetOperatingChoice();
  const int n = GetPanelCount();
  const int pair = code.Find('P'), left = code.Find('L'), right = code.Find('R');
  if ((n == 1 && left >= 1) || (n > 1 && ((p == 1 && pair >= 0) || (p == 2 && pair == -1 && left >= 0))))
    return 'L';
  if ((n == 1 && right >= 1) || (n > 1 && ((p == 2 && pair >= 0) || (p == n - 1 && pair == -1 && right >= 0))))
    return 'R';
  return 0;
}
