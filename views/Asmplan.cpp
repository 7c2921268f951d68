#include "views/Asmplan.h"

#include <vector>

#include "geometry/2dmatrix.h"
#include "geometry/2drect.h"
#include "geometry/Entity.h"
#include "platform/core/Exception.h"
#include "model/Join.h"
#include "model/Unit.h"
#include "support/Trace.h"
#include "model/Planinfo.h"

IMPLEMENT_DYNAMIC(CPlanAssembler, CObject)

namespace {

// How far a unit's section reaches past its right edge, as the sills-abut prediction assumes.
constexpr double kSectionOverhang = 4.0;

BOOL HasProduct(const CPlanViewInfo& record) { return record.GetUnit() || record.GetJoin(); }

// The records that name a unit or a join, in x order; at equal x a unit comes before a join, so
// that a join never stands before the unit to its left. An exchange sort, as the plan has always
// been ordered.
std::vector<int> OrderByX(const CPlanViewInfoArray& info)
{
  std::vector<int> order;
  for (int i = 0; i < info.GetSize(); ++i)
    if (HasProduct(info[i]))
      order.push_back(i);
  const int n = static_cast<int>(order.size());
  auto after = [&info](int a, int b) {
    const double xa = info[a].GetPosition().GetX();
    const double xb = info[b].GetPosition().GetX();
    return xa > xb || (xa == xb && info[a].IsJoin() && !info[b].IsJoin());
  };
  for (int i = 0; i + 1 < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (after(order[static_cast<size_t>(i)], order[static_cast<size_t>(j)]))
        std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(j)]);
  return order;
}

// The leftmost unit record (the first of equal ones in array order); without units the leftmost
// record, without records the origin.
CVRX2DPoint BasePoint(const CPlanViewInfoArray& info)
{
  int base = -1;
  for (int pass = 0; pass < 2 && base < 0; ++pass)
    for (int i = 0; i < info.GetSize(); ++i) {
      if (!HasProduct(info[i]) || (pass == 0 && info[i].IsJoin()))
        continue;
      if (base < 0 || info[base].GetPosition().GetX() > info[i].GetPosition().GetX())
        base = i;
    }
  return base < 0 ? CVRX2DPoint() : info[base].GetPosition();
}

void SetAllFlags(CPlanSectionPreferences& preferences)
{
  preferences.m_bStartEndOn = 1;
  preferences.m_bFinishEndOn = 1;
  preferences.m_bStartReturnOn = 1;
  preferences.m_bFinishReturnOn = 1;
}

void TraceExtents(const char* what, const CVRX2DRectangle& extents)
{
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)
  ("\tLower-Left Corner Of %s's Bounding Rectangle: (%f, %f)\n", what, extents.GetMinPoint().GetX(),
   extents.GetMinPoint().GetY());
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)
  ("\tUpper-Right Corner Of %s's Bounding Rectangle: (%f, %f)\n", what, extents.GetMaxPoint().GetX(),
   extents.GetMaxPoint().GetY());
}

// What the walk carries from one unit to the next.
struct CPreviousUnit
{
  const CPlanViewInfo* pRecord = nullptr;
  BOOL bSillsAbut = FALSE;
  BOOL bNextIsJoin = FALSE;
  int nEntities = 0;
  CPlanSectionPreferences preferences;
};

class CPlanWalk
{
public:
  CPlanWalk(CVRX2DEntityArray& out, const CPlanSectionSwitches& switches, CPlanSectionPreferences& preferences,
            double selectorY, const CPlanViewInfoArray& info)
    : m_out(out),
      m_switches(switches),
      m_preferences(preferences),
      m_selectorY(selectorY),
      m_info(info),
      m_order(OrderByX(info)),
      m_base(BasePoint(info))
  {}

  void Run();

private:
  const CPlanViewInfo& At(size_t k) const { return m_info[m_order[k]]; }
  CVRX2DVector OffsetOf(const CPlanViewInfo& record) const { return CVRX2DVector(m_base, record.GetPosition()); }
  double CutHeightOf(const CPlanViewInfo& record) const { return m_selectorY - record.GetPosition().GetY(); }
  void AssembleUnit(size_t& k);
  void SetSideFlags(const CPlanViewInfo& record, const CPlanViewInfo* pNext, BOOL& bSillsAbut);
  void RebuildWithWallLines(CVRX2DEntityArray& section, const CPlanViewInfo& record);
  void AssembleJoin(const CPlanViewInfo& record, double cutHeight, size_t k);
  void AssembleLoneJoin(const CPlanViewInfo& record, size_t k);

  CVRX2DEntityArray& m_out;
  const CPlanSectionSwitches& m_switches;
  CPlanSectionPreferences& m_preferences;
  double m_selectorY;
  const CPlanViewInfoArray& m_info;
  std::vector<int> m_order;
  CVRX2DPoint m_base;
  double m_dWallDepth = 0.0;
  double m_dRightmostX = 0.0;
  CPreviousUnit m_previous;
};

void CPlanWalk::Run()
{
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("Symbol Base Vector: (%f, 0.0)\n", m_base.GetX());
  m_dWallDepth = CPlanSection().GetWallDepth();
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("Plan/Section Entity Generator Wall Depth: %f\n", m_dWallDepth);
  for (size_t k = 0; k < m_order.size(); ++k) {
    if (At(k).IsJoin())
      AssembleLoneJoin(At(k), k);
    else
      AssembleUnit(k);
  }
}

void CPlanWalk::SetSideFlags(const CPlanViewInfo& record, const CPlanViewInfo* pNext, BOOL& bSillsAbut)
{
  SetAllFlags(m_preferences);
  const double predictedRight = record.GetPosition().GetX() + record.GetUnit()->GetWidth() + kSectionOverhang;
  bSillsAbut = pNext && !pNext->IsJoin() && pNext->GetPosition().GetX() - predictedRight <= 2.0 * m_dWallDepth;
  if (m_previous.bNextIsJoin) {
    m_preferences.m_bStartEndOn = 0;
    m_preferences.m_bStartReturnOn = 0;
  } else if (m_previous.bSillsAbut) {
    m_preferences.m_bStartReturnOn = 0;
  }
  if (pNext && pNext->IsJoin()) {
    m_preferences.m_bFinishEndOn = 0;
    m_preferences.m_bFinishReturnOn = 0;
  } else if (bSillsAbut) {
    m_preferences.m_bFinishReturnOn = 0;
  }
}

void CPlanWalk::AssembleUnit(size_t& k)
{
  const CPlanViewInfo& record = At(k);
  const CPlanViewInfo* pNext = k + 1 < m_order.size() ? &At(k + 1) : nullptr;
  BOOL bSillsAbut = FALSE;
  SetSideFlags(record, pNext, bSillsAbut);
  const double cutHeight = CutHeightOf(record);
  CVRX2DEntityArray section;
  record.GetUnit()->GetPlanSectionEntities(cutHeight, m_switches, m_preferences, section);
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("Assembling CUnit %d.\n", static_cast<int>(k));
  const CVRX2DVector offset = OffsetOf(record);
  if (m_previous.bSillsAbut && k > 0 &&
      section.GetExtents().GetMinPoint().GetX() + offset.GetX() - m_dRightmostX > 2.0 * m_dWallDepth)
    RebuildWithWallLines(section, record);
  m_previous = {&record, bSillsAbut, pNext && pNext->IsJoin(), section.GetSize(), m_preferences};
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)
  ("\tSymbol's Unit Base Point: (%f, %f)\n", record.GetPosition().GetX(), record.GetPosition().GetY());
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("\tSymbol Base Point To Assembly Vector: (%f, %f)\n", offset.GetX(), offset.GetY());
  TraceExtents("Symbol", section.GetExtents());
  CPlanAssembler::AppendTranslated(m_out, offset, &section);
  const CVRX2DRectangle extents = m_out.GetExtents();
  TraceExtents("Assembly", extents);
  m_dRightmostX = extents.GetMaxPoint().GetX();
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("\tRightmost X: %f\n", m_dRightmostX);
  if (pNext && pNext->IsJoin())
    AssembleJoin(*pNext, cutHeight, ++k);
}

// The sections lie further apart than the prediction assumed: the wall lines between them are
// drawn after all, so both units are built again with them.
void CPlanWalk::RebuildWithWallLines(CVRX2DEntityArray& section, const CPlanViewInfo& record)
{
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("\tSills abut but gap between units is large enough for wall lines.\n");
  const CPlanViewInfo& previous = *m_previous.pRecord;
  m_out.RemoveAt(m_out.GetSize() - m_previous.nEntities, m_previous.nEntities);
  m_previous.preferences.m_bFinishReturnOn = 1;
  section.RemoveAll();
  previous.GetUnit()->GetPlanSectionEntities(CutHeightOf(previous), m_switches, m_previous.preferences, section);
  CPlanAssembler::AppendTranslated(m_out, OffsetOf(previous), &section);
  m_preferences.m_bStartReturnOn = 1;
  section.RemoveAll();
  record.GetUnit()->GetPlanSectionEntities(CutHeightOf(record), m_switches, m_preferences, section);
}

void CPlanWalk::AssembleJoin(const CPlanViewInfo& record, double cutHeight, size_t k)
{
  CVRX2DEntityArray section;
  record.GetJoin()->GetPlanSectionEntities(cutHeight, m_switches, m_preferences, section);
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("Assembling CJoin %d.\n", static_cast<int>(k));
  CPlanAssembler::AppendTranslated(m_out, OffsetOf(record), &section);
}

// A join with no unit to its left (the first record, or a second join in a row) stands on its
// own at its own cut height; the unit after it leaves out its left end as after any join.
void CPlanWalk::AssembleLoneJoin(const CPlanViewInfo& record, size_t k)
{
  SetAllFlags(m_preferences);
  AssembleJoin(record, CutHeightOf(record), k);
  m_previous = CPreviousUnit();
  m_previous.bNextIsJoin = TRUE;
}

}  // namespace

BOOL CPlanAssembler::Assemble(CVRX2DEntityArray& out, const CPlanSectionSwitches& switches,
                              CPlanSectionPreferences preferences, double selectorY, const CPlanViewInfoArray* pInfo)
{
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("*** Plan Assembler ***\n");
  out.RemoveAll();
  try {
    if (pInfo)
      AssembleRecords(out, switches, preferences, selectorY, *pInfo);
  } catch (const CException& e) {
    PCTRACE(TT_ASSEMBLERS, TL_WARNING)("Plan assembly failed: %s\n", static_cast<const char*>(e.GetErrorMessage()));
    out.RemoveAll();
    return FALSE;
  }
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("*** End Of Plan Assembler ***\n");
  return TRUE;
}

void CPlanAssembler::AssembleRecords(CVRX2DEntityArray& out, const CPlanSectionSwitches& switches,
                                     CPlanSectionPreferences& preferences, double selectorY,
                                     const CPlanViewInfoArray& info)
{
  CPlanWalk(out, switches, preferences, selectorY, info).Run();
}

void CPlanAssembler::AppendTranslated(CVRX2DEntityArray& out, CVRX2DVector offset, CVRX2DEntityArray* pSection)
{
  offset.SetY(0.0);
  pSection->Transform(CVRX2DTransformationMatrix(offset));
  out.Append(*pSection);
  pSection->RemoveAllNoDelete();
}
