#include "model/Sizecomp.h"

#include <cmath>

#include "geometry/Angle.h"
#include "model/Dtlspec.h"
#include "model/Unitexcp.h"
#include "productdb/Elevline.h"

IMPLEMENT_DYNAMIC(CSizedComponent, CObject)

namespace {
constexpr const char* kModule = "Sizecomp";
constexpr int kNoSpecificationLine = 95;

// Folds one ELEVLINE value into the value a line key selects.
void SelectValue(int key, int lineNumber, double value, BOOL& found, double& selected)
{
  if (key == 0 || lineNumber != std::abs(key))
    return;
  if (!found || (key < 0 && value < selected) || (key > 0 && value > selected))
    selected = value;
  found = TRUE;
}
}  // namespace

CSizedComponent::CSizedComponent(const CString& code, int id, const CString& kind, const CVRX2DPoint& start,
                                 const CVRX2DPoint& end)
  : m_strCode(code), m_nID(id), m_strKind(kind), m_StartPoint(start), m_EndPoint(end)
{}

CSizedComponent::CSizedComponent(const CSizedComponent& source)
  : CObject(),
    m_strCode(source.m_strCode),
    m_nID(source.m_nID),
    m_strKind(source.m_strKind),
    m_StartPoint(source.m_StartPoint),
    m_EndPoint(source.m_EndPoint)
{
  SetDetailSpecification(source.m_pDetailSpecification);
}

CSizedComponent::~CSizedComponent() { delete m_pDetailSpecification; }

void CSizedComponent::SetDetailSpecification(const CDetailSpecification* spec)
{
  CDetailSpecification* copy = spec ? new CDetailSpecification(*spec) : nullptr;
  delete m_pDetailSpecification;
  m_pDetailSpecification = copy;
}

void CSizedComponent::SetDetailDirection()
{
  if (!m_pDetailSpecification)
    throw CUnitException(kModule, kNoSpecificationLine);
  const double a = m_StartPoint.AngleTo(m_EndPoint).GetRadians();
  if (a > 3.0 * VRX_QUARTER_PI && a <= 7.0 * VRX_QUARTER_PI) {
    m_pDetailSpecification->SetOrientation(CDetailSpecification::mirrored);
    m_pDetailSpecification->SetAngle(CVRXAngle(a - VRX_PI));
  } else {
    m_pDetailSpecification->SetOrientation(CDetailSpecification::normal);
    m_pDetailSpecification->SetAngle(CVRXAngle(a));
  }
}

double CSizedComponent::GetElevationDistance(int line1, int line2) const
{
  if (line1 == 0 && line2 == 0)
    return 0.0;
  // The same line twice is the spread between its smallest and its largest value.
  if (line2 == line1)
    line1 = -line1;
  double value1 = 0.0, value2 = 0.0;
  BOOL found1 = FALSE, found2 = FALSE;
  CElevLineRecArray rows(m_nID);
  for (int i = 0; i < rows.GetSize(); ++i) {
    const CElevLineRec* row = rows.GetAt(i);
    SelectValue(line1, row->GetField5(), row->GetField7(), found1, value1);
    SelectValue(line2, row->GetField5(), row->GetField7(), found2, value2);
  }
  return line1 == 0 ? value2 - value1 : std::fabs(value2 - value1);
}

CSizedComponentArray::CSizedComponentArray(const CSizedComponentArray& source) : COwnArrayOf<CSizedComponent>()
{
  operator=(source);
}

CSizedComponentArray& CSizedComponentArray::operator=(const CSizedComponentArray& source)
{
  if (&source == this)
    return *this;
  CSizedComponentArray copy;
  copy.m_data.reserve(source.m_data.size());
  for (int i = 0; i < source.GetSize(); ++i) {
    const CSizedComponent* component = source.GetAt(i);
    copy.Add(component ? new CSizedComponent(*component) : nullptr);
  }
  // The copies are handed over whole: every unit copy copies its components.
  RemoveAll();
  m_data.swap(copy.m_data);
  return *this;
}

void CSizedComponentArray::SetDetailDirections()
{
  for (int i = 0; i < GetSize(); ++i)
    if (CSizedComponent* component = GetAt(i))
      component->SetDetailDirection();
}
