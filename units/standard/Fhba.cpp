#include "units/standard/Fhba.h"

#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CFHBasic, CStandardRectangularUnit)

namespace {
constexpr const char* kModule = "Fhba";
constexpr int kOtherClassAssignedLine = 97;
constexpr int kFirstLeafSideLine = 129;
constexpr int kSecondLeafSideLine = 136;
constexpr int kNoLeftJambLine = 430;
constexpr int kNoRightJambLine = 444;
constexpr int kNoRightJointLine = 467;
constexpr int kNoLeafJointLine = 476;
constexpr int kPairLeafInsideLine = 501;
constexpr int kNoPanelsJointLine = 535;
constexpr int kNoStationaryJointLine = 558;
constexpr int kBadLetterLine = 561;
// A code whose rules put a joint the frame does not have, or leave a member out.
constexpr int kJointOutsideFrameLine = 566;
constexpr int kMemberMissingLine = 571;

constexpr const char* kLineCode = "FH";
constexpr const char* kUnitCode = "BA014";

enum
{
  lowerLeft,
  upperLeft,
  lowerRight,
  upperRight
};

// The searches the member rules make in the whole operating-choice code.
int Pos(const CString& code, char c) { return code.Find(c); }
int FirstOf(const CString& code, const char* set) { return code.FindOneOf(set); }
bool BeginsWith(const CString& code, const char* text) { return code.Find(text) == 0; }
}  // namespace

CFHBasic::CFHBasic() : CStandardRectangularUnit(kLineCode, kUnitCode) { CFHBasic::UpdateComponentIndices(); }

CUnit& CFHBasic::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CStandardRectangularUnit::operator=(source);
  CopyComponentIndices(static_cast<const CFHBasic&>(source));
  return *this;
}

CUnit* CFHBasic::Clone() const { return new CFHBasic(*this); }

void CFHBasic::UpdateComponentIndices() { m_Groups.SetSideBySide(GetPanelCount()); }

void CFHBasic::GetSizingHandles(CSizingHandleArray& out) const
{
  PanelRow::GetCornerHandles(
      *this, {m_Groups.BottomGroupIndex, m_Groups.RightGroupIndex, m_Groups.TopGroupIndex, m_Groups.LeftGroupIndex},
      out);
}

// Only the first two panels can be leaves that swing; later ones are drawn as fixed.
void CFHBasic::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                      const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  const CString code = GetOperatingChoice();
  CPlanSectionUnitDimensions dimensions;
  const int n = GetPanelCount();
  for (int i = 1; i <= n; ++i) {
    if (i >= 2) {
      const double joint = GetSizeValue(i - 1);  // refuses a panel beyond the record's room
      dimensions.m_dPanelPositions[i - 2] = joint;
    }
    int kind = CPlanSectionUnitDimensions::pkFixed;
    if (GetPanelOperation(i - 1) != 'S' && i == 1) {
      if (FirstOf(code, "LP") >= 0)
        kind = CPlanSectionUnitDimensions::pkHinged0To90;
      else if (Pos(code, 'R') > 0)
        kind = CPlanSectionUnitDimensions::pkHinged90To180;
      else
        throw CUnitException(kModule, kFirstLeafSideLine);
    } else if (GetPanelOperation(i - 1) != 'S' && i == 2) {
      if (FirstOf(code, "PR") >= 0)
        kind = CPlanSectionUnitDimensions::pkHinged90To180;
      else if (Pos(code, 'L') > 1)
        kind = CPlanSectionUnitDimensions::pkHinged0To90;
      else
        throw CUnitException(kModule, kSecondLeafSideLine);
    }
    dimensions.m_nPanelKinds[i - 1] = kind;
  }
  dimensions.m_dPlanWidth = GetWidth();
  dimensions.m_nPanelCount = n;
  PanelRow::GetPlanSection(dimensions, switches, preferences, out);
}

void CFHBasic::BuildSizedComponents() const
{
  const int n = GetPanelCount();
  const double h = GetHeight();
  CComponentSlots slots(3 * n + 1, kLineCode, kUnitCode);
  for (int i = 1; i <= n; ++i) {
    const double x0 = PanelRow::PanelEdge(*this, i - 1), x1 = PanelRow::PanelEdge(*this, i);
    const CVRX2DPoint corners[4] = {CVRX2DPoint(x0, 0.0), CVRX2DPoint(x0, h), CVRX2DPoint(x1, 0.0), CVRX2DPoint(x1, h)};
    switch (GetPanelOperation(i - 1)) {
    case 'A':
      PutLeaf(slots, i, corners);
      break;
    case 'P':
      PutPairLeaf(slots, i, corners);
      break;
    case 'S':
      PutStationary(slots, i, corners);
      break;
    default:
      throw CUnitException(kModule, kBadLetterLine);
    }
  }
  if (!slots.IsComplete())
    throw CUnitException(kModule, kMemberMissingLine);
  slots.MoveTo(*m_pSizedComponents);
}

// Joint k always stands at its own position, whichever panel's rule names it.
void CFHBasic::PutJoint(CComponentSlots& slots, int joint, const char* code) const
{
  // A joint index past the last panel would land on another group's slot or outside the array.
  if (joint < 1 || joint >= GetPanelCount())
    throw CUnitException(kModule, kJointOutsideFrameLine);
  const double x = GetSizeValue(joint);
  slots.Put(m_Groups.InteriorGroupIndex + joint - 1, code, "I", CVRX2DPoint(x, 0.0), CVRX2DPoint(x, GetHeight()));
}

void CFHBasic::PutLeaf(CComponentSlots& slots, int i, const CVRX2DPoint (&c)[4]) const
{
  const CString code = GetOperatingChoice();
  const int n = GetPanelCount();
  const bool pair = Pos(code, 'P') != -1;
  slots.Put(m_Groups.BottomGroupIndex + i - 1, pair ? "BY" : "BI", "P", c[lowerLeft], c[lowerRight]);
  slots.Put(m_Groups.LeftGroupIndex - i, pair ? "BX" : "AF", "P", c[upperRight], c[upperLeft]);
  if (i == 1) {
    if (FirstOf(code, "LP") == 1)
      slots.Put(m_Groups.LeftGroupIndex, "AN", "P", c[upperLeft], c[lowerLeft]);
    else if (Pos(code, 'R') > 0)
      slots.Put(m_Groups.LeftGroupIndex, "AO", "P", c[upperLeft], c[lowerLeft]);
    else
      throw CUnitException(kModule, kNoLeftJambLine);
  }
  if (i == n) {
    if (Pos(code, 'L') == i)
      slots.Put(m_Groups.RightGroupIndex, "AO", "P", c[lowerRight], c[upperRight]);
    else if (FirstOf(code, "PR") >= 0)
      slots.Put(m_Groups.RightGroupIndex, "AN", "P", c[lowerRight], c[upperRight]);
    else
      throw CUnitException(kModule, kNoRightJambLine);
    return;
  }
  if (Pos(code, 'L') == 3)
    PutJoint(slots, 2, "AA");
  else if (Pos(code, 'P') == 1)
    PutJoint(slots, 1, "BT");
  else if (Pos(code, 'R') == i + 1 && (n == 2 || n == 3))
    PutJoint(slots, i, n == 2 ? "BU" : "CA");
  else
    throw CUnitException(kModule, Pos(code, 'R') == i + 1 ? kNoRightJointLine : kNoLeafJointLine);
}

void CFHBasic::PutPairLeaf(CComponentSlots& slots, int i, const CVRX2DPoint (&c)[4]) const
{
  const int n = GetPanelCount();
  slots.Put(m_Groups.BottomGroupIndex + i - 1, "BK", "P", c[lowerLeft], c[lowerRight]);
  slots.Put(m_Groups.LeftGroupIndex - i, "AH", "P", c[upperRight], c[upperLeft]);
  if (i == 1) {
    slots.Put(m_Groups.LeftGroupIndex, "AR", "P", c[upperLeft], c[lowerLeft]);
    PutJoint(slots, 1, "AB");
  } else if (i == n)
    slots.Put(m_Groups.RightGroupIndex, "AR", "P", c[lowerRight], c[upperRight]);
  else
    throw CUnitException(kModule, kPairLeafInsideLine);
}

void CFHBasic::PutStationary(CComponentSlots& slots, int i, const CVRX2DPoint (&c)[4]) const
{
  const CString code = GetOperatingChoice();
  const int n = GetPanelCount();
  slots.Put(m_Groups.BottomGroupIndex + i - 1, "BL", "P", c[lowerLeft], c[lowerRight]);
  slots.Put(m_Groups.LeftGroupIndex - i, "AI", "P", c[upperRight], c[upperLeft]);
  if (i == 1)
    slots.Put(m_Groups.LeftGroupIndex, "AS", "P", c[upperLeft], c[lowerLeft]);
  if (i == n) {
    slots.Put(m_Groups.RightGroupIndex, "AS", "P", c[lowerRight], c[upperRight]);
    return;
  }
  if (Pos(code, 'L') > i) {
    if (n != 2 && n != 3)
      throw CUnitException(kModule, kNoPanelsJointLine);
    PutJoint(slots, i, n == 2 ? "AC" : "CB");
  } else if (Pos(code, 'R') == i + 2)
    PutJoint(slots, 1, "CC");
  else if (BeginsWith(code, "SSS"))
    PutJoint(slots, i, "BZ");
  else if (BeginsWith(code, "SS"))
    PutJoint(slots, i, "AD");
  else
    throw CUnitException(kModule, kNoStationaryJointLine);
}
