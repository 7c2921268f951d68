#include "model/Join.h"

#include "geometry/Entity.h"
#include "model/Dtlspec.h"
#include "model/Plansect.h"
#include "model/Unitexcp.h"
#include "productdb/Joinspac.h"
#include "productdb/Joinspcx.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CJoin, CProductBase)

namespace {
constexpr const char* kModule = "Join";
constexpr int kUnknownJoinTypeLine = 178;
constexpr int kPairNotListedLine = 195;
constexpr int kNoSpacingLine = 504;

// The spacing records every join looks its sides up with, made with the first live join and
// given back with the last. Plain pointers: nothing is destroyed at exit, when the database
// registries may already be gone.
struct CSharedSpacingRecords
{
  int liveJoins = 0;
  CJoinSpacRec* spacing = nullptr;
  CJoinSpcXRec* pairSpacing = nullptr;
};

CSharedSpacingRecords& Shared()
{
  static CSharedSpacingRecords shared;
  return shared;
}

void MakeSharedRecords()
{
  if (!Shared().spacing)
    Shared().spacing = new CJoinSpacRec;
  if (!Shared().pairSpacing)
    Shared().pairSpacing = new CJoinSpcXRec;
}

void DeleteSharedRecords()
{
  delete Shared().spacing;
  Shared().spacing = nullptr;
  delete Shared().pairSpacing;
  Shared().pairSpacing = nullptr;
}

void ReleaseJoin()
{
  if (--Shared().liveJoins > 0)
    return;
  Shared().liveJoins = 0;
  DeleteSharedRecords();
}
}  // namespace

CJoin::CJoin(int joinType, int id, int otherId)
{
  MakeSharedRecords();
  try {
    SetJoinType(joinType, id, otherId);
  } catch (...) {
    // The count is taken only by a join that was made, so a failure leaves nothing behind.
    if (Shared().liveJoins == 0)
      DeleteSharedRecords();
    throw;
  }
  ++Shared().liveJoins;
}

CJoin::CJoin(const CJoin& source)
  : CProductBase(source),
    m_Joining(source.m_Joining),
    m_JoinTbl(source.m_JoinTbl),
    m_fFirstSpacing(source.m_fFirstSpacing),
    m_fSecondSpacing(source.m_fSecondSpacing),
    m_nSide(source.m_nSide)
{
  ++Shared().liveJoins;
}

CJoin& CJoin::operator=(const CJoin& source)
{
  if (&source == this)
    return *this;
  CProductBase::operator=(source);
  m_Joining = source.m_Joining;
  m_JoinTbl = source.m_JoinTbl;
  m_fFirstSpacing = source.m_fFirstSpacing;
  m_fSecondSpacing = source.m_fSecondSpacing;
  m_nSide = source.m_nSide;
  return *this;
}

CJoin::~CJoin()
{
  PCTRACE(TT_UNIT, TL_DETAIL)("CJoin destruction. \n");
  ReleaseJoin();
}

int CJoin::GetLiveJoinCount() { return Shared().liveJoins; }

void CJoin::SetJoinType(int joinType, int id, int otherId)
{
  CJoiningRec joining;
  joining.SetJoining(joinType);
  if (joining.Find(1) != 0)
    throw CUnitException(kModule, kUnknownJoinTypeLine);
  CJoinTblRec row;
  row.SetJoin(joinType);
  row.SetId(1, id);
  row.SetId(2, otherId);
  int side = 0;
  if (row.Find(1) != 0) {
    row.SetJoin(joinType);
    row.SetId(1, otherId);
    row.SetId(2, id);
    side = 1;
    if (row.Find(2) != 0)
      throw CUnitException(kModule, kPairNotListedLine);
  }
  const float first = Spacing(joinType, row.GetId(1), row.GetId(2), row.GetField13());
  const float second = Spacing(joinType, row.GetId(2), row.GetId(1), row.GetField13());
  m_Joining = joining;
  m_JoinTbl = row;
  m_fFirstSpacing = first;
  m_fSecondSpacing = second;
  m_nSide = side;
}

// The spacing particular to the pair and detail, else the spacing of the side's product.
float CJoin::Spacing(int joining, int id, int otherId, int detail)
{
  MakeSharedRecords();
  CJoinSpcXRec& pair = *Shared().pairSpacing;
  pair.SetField1(joining);
  pair.SetField5(id);
  pair.SetField9(otherId);
  pair.SetField13(detail);
  if (pair.Find(1) == 0)
    return static_cast<float>(pair.GetSpacing());
  CJoinSpacRec& side = *Shared().spacing;
  side.SetField1(joining);
  side.SetField5(id);
  if (side.Find(1) == 0)
    return static_cast<float>(side.GetSpacing());
  throw CUnitException(kModule, kNoSpacingLine);
}

int CJoin::GetFirstProductID() const { return m_JoinTbl.GetId(m_nSide == 0 ? 1 : 2); }
int CJoin::GetSecondProductID() const { return m_JoinTbl.GetId(m_nSide == 0 ? 2 : 1); }
float CJoin::GetFirstOffset() const { return m_nSide == 0 ? m_fFirstSpacing : m_fSecondSpacing; }
float CJoin::GetSecondOffset() const { return m_nSide == 0 ? m_fSecondSpacing : m_fFirstSpacing; }

BOOL CJoin::CanBeJoined(int joinType, int id, int otherId)
{
  PCTRACE(TT_UNIT, TL_DETAIL)("CJoin::CanBeJoined called: Join = %d, ID = %d, OtherID = %d. \n", joinType, id, otherId);
  CJoinTblRec row;
  row.SetJoin(joinType);
  if (otherId != 0) {
    row.SetId(1, id);
    row.SetId(2, otherId);
    if (row.Find(1) == 0)
      return TRUE;
    row.SetJoin(joinType);
    row.SetId(1, otherId);
    row.SetId(2, id);
    return row.Find(2) == 0;
  }
  BOOL atEnd = FALSE;
  row.SetId(1, id);
  row.SetId(2, 0);
  if (row.SeekGE(1, &atEnd) == 0 && row.GetJoin() == joinType && row.GetId(1) == id)
    return TRUE;
  row.SetJoin(joinType);
  row.SetId(1, 0);
  row.SetId(2, id);
  return row.SeekGE(2, &atEnd) == 0 && row.GetJoin() == joinType && row.GetId(2) == id;
}

CDetailSpecification CJoin::GetDetailSpecification() const
{
  PCTRACE(TT_UNIT, TL_DETAIL)("CJoin::GetDetailSpecification called.\n");
  CDetailSpecification spec;
  spec.SetDetailID(m_JoinTbl.GetField13());
  spec.SetOrientation(m_nSide ? CDetailSpecification::mirrored : CDetailSpecification::normal);
  return spec;
}

void CJoin::GetElevationEntities(int /*lines*/, BOOL /*showOperation*/, BOOL /*showGrilles*/, CVRX2DEntityArray& out)
{
  out.RemoveAll();
}

void CJoin::GetPlanSectionEntities(double /*cutHeight*/, const CPlanSectionSwitches& switches,
                                   const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out)
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = static_cast<double>(m_fFirstSpacing) + static_cast<double>(m_fSecondSpacing);
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  section.GetJoinEntities(out);
}
