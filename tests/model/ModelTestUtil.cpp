#include "ModelTestUtil.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "geometry/2dline.h"
#include "model/Plansect.h"
#include "model/Sizecomp.h"
#include "model/Unitexcp.h"
#include "model/Unitutil.h"
#include "productdb/Optexcpt.h"
#include "productdb/txrecobj.h"

void ModelTest::SetUp()
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  ASSERT_NE(binary, nullptr) << "PANECRAFT_BINARY_DIR is not set";
  CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
  UnregisterTestLeaves();
}

BOOL CTestUnit::IsChoiceCurrent(const COptExcptRec& row) const
{
  if (!row.GetSizeCode().IsEmpty() && row.GetSizeCode() != m_strSizeCode)
    return FALSE;
  if (!row.GetOperationCode().IsEmpty() && row.GetOperationCode() != m_strOperation)
    return FALSE;
  return CUnit::IsChoiceCurrent(row);
}

CTestUnit::CTestUnit(const CString& type, const CString& subtype, double width, double height)
  : CUnit(type, subtype), m_dWidth(width), m_dHeight(height), m_dProposedWidth(width), m_dProposedHeight(height)
{}

CUnit& CTestUnit::operator=(const CUnit& source)
{
  CUnit::operator=(source);
  const auto* other = dynamic_cast<const CTestUnit*>(&source);
  if (!other)
    throw CUnitException("TestUnit", 1);
  m_dWidth = other->m_dWidth;
  m_dHeight = other->m_dHeight;
  return *this;
}

CString CTestUnit::GetAttributes() const
{
  return CUnit::GetAttributes() + CString::Formatted(",%g,%g", m_dWidth, m_dHeight);
}

void CTestUnit::SetAttributes(CString& attributes)
{
  CUnit::SetAttributes(attributes);
  m_dWidth = StrToDouble(GetNextAttribute(attributes));
  m_dHeight = StrToDouble(GetNextAttribute(attributes));
  DiscardGeometry();
}

CString CTestUnit::GetSizeText(int) const { return CString::Formatted("%g x %g", m_dWidth, m_dHeight); }

void CTestUnit::GetPlanSectionEntities(double, const CPlanSectionSwitches& switches,
                                       const CPlanSectionPreferences& preferences, CVRX2DEntityArray& out) const
{
  CPlanSectionUnitDimensions dimensions;
  dimensions.m_dPlanWidth = m_dWidth;
  CPlanSection section;
  section.SetViewSwitches(switches);
  section.SetUnitDimensions(dimensions);
  section.SetViewPreferences(preferences);
  section.GetEntities(out);
}

void CTestUnit::GetSidesMovedByHandle(int handle, CDWordArray& flags) const
{
  flags.RemoveAll();
  for (int i = 0; i < 4; ++i)
    flags.Add(i == (handle + 2) % 4 ? 1u : 0u);
}

int CTestUnit::ConformProposedSize(int, const CVRX2DVector& drag)
{
  if (drag == CVRX2DVector())
    return inboundsUnchanged;
  m_dProposedWidth = m_dWidth + drag.GetX();
  m_dProposedHeight = m_dHeight + drag.GetY();
  m_vProposedOffset = CVRX2DVector(-drag.GetX(), 0.0);
  return inboundsChanged;
}

CVRX2DVector CTestUnit::GetProposedOutlineEntities(CVRX2DEntityArray& out) const
{
  out.RemoveAll();
  out.Add(new CVRX2DLine(20, CVRX2DPoint(0, 0), CVRX2DPoint(m_dProposedWidth, 0)));
  return m_vProposedOffset;
}

CVRX2DVector CTestUnit::SetSizeToProposed()
{
  m_dWidth = m_dProposedWidth;
  m_dHeight = m_dProposedHeight;
  return CUnit::SetSizeToProposed();
}

void CTestUnit::ResetProposedSize()
{
  m_dProposedWidth = m_dWidth;
  m_dProposedHeight = m_dHeight;
  CUnit::ResetProposedSize();
}

void CTestUnit::BuildSizedComponents() const
{
  ++m_nBuildCount;
  const CVRX2DPoint corners[] = {CVRX2DPoint(0, 0), CVRX2DPoint(m_dWidth, 0), CVRX2DPoint(m_dWidth, m_dHeight),
                                 CVRX2DPoint(0, m_dHeight)};
  const char* codes[] = {"BI", "AQ", "AH", "AM"};
  for (int i = 0; i < 4; ++i) {
    m_pSizedComponents->Add(new CSizedComponent(codes[i], m_nComponentIDs[i], "P", corners[i], corners[(i + 1) % 4]));
    if (m_bFailBuild)
      throw CUnitException("TestUnit", 2);
  }
  for (const CExtraMember& extra : m_Extra)
    m_pSizedComponents->Add(new CSizedComponent("XX", extra.id, extra.kind, extra.start, extra.end));
}

void CTestUnit::Get1LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  m_Calls.push_back(1);
  out.Add(new CVRX2DLine(1, CVRX2DPoint(0, 0), CVRX2DPoint(m_dWidth, 0)));
}

void CTestUnit::Get2LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  m_Calls.push_back(2);
  out.Add(new CVRX2DLine(2, CVRX2DPoint(0, 1), CVRX2DPoint(m_dWidth, 1)));
}

void CTestUnit::Get3LineElevationEntities(int, CVRX2DEntityArray& out) const
{
  m_Calls.push_back(3);
  out.Add(new CVRX2DLine(3, CVRX2DPoint(0, 2), CVRX2DPoint(m_dWidth, 2)));
}

namespace {
const int kNoClassIndexes[] = {7, 32, 33, 34, 35};

template <int I>
CUnit* MakeTestLeaf()
{
  const CString key = CUnitTypeMap::GetKey(I);
  return new CTestUnit(key.Left(2), key.Mid(2));
}

template <int... I>
void RegisterAll(std::integer_sequence<int, I...>, bool take)
{
  const UnitCreator creators[] = {&MakeTestLeaf<I>...};
  for (int i = 0; i < CUnitTypeMap::kKeyCount; ++i) {
    bool none = false;
    for (int n : kNoClassIndexes)
      none = none || n == i;
    if (!none)
      RegisterUnitClass(CUnitTypeMap::GetKey(i), take ? creators[i] : nullptr);
  }
}
}  // namespace

void RegisterTestLeaves() { RegisterAll(std::make_integer_sequence<int, CUnitTypeMap::kKeyCount>(), true); }
void UnregisterTestLeaves() { RegisterAll(std::make_integer_sequence<int, CUnitTypeMap::kKeyCount>(), false); }
