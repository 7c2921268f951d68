#include "project/Docver.h"

#include "platform/core/Archive.h"
#include "project/DocServices.h"
#include "project/Stamp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CDocVersion, CObject)

namespace {
constexpr int kMajor = 1;
constexpr int kMinor = 0;
}  // namespace

CDocVersion::CDocVersion() : m_created(CTime::GetCurrentTime()), m_modified(m_created) { CopyDatabaseVersion(); }

CDocVersion::CDocVersion(const CDocVersion& other) : CObject(other) { *this = other; }

CDocVersion& CDocVersion::operator=(const CDocVersion& other)
{
  m_nMajor = other.m_nMajor;
  m_nMinor = other.m_nMinor;
  m_strProductDataVersion = other.m_strProductDataVersion;
  m_strSpecificationVersion = other.m_strSpecificationVersion;
  m_strDatePopulated = other.m_strDatePopulated;
  m_created = other.m_created;
  m_modified = other.m_modified;
  return *this;
}

long long CDocVersion::GetVersion() const { return static_cast<long long>(m_nMajor) * 10000 + m_nMinor; }

void CDocVersion::SetVersion()
{
  m_nMajor = kMajor;
  m_nMinor = kMinor;
}

BOOL CDocVersion::IsCurrentDatabase() const
{
  const CDocServices& services = GetDocServices();
  return m_strProductDataVersion == services.GetProductDataVersion() &&
         m_strSpecificationVersion == services.GetSpecificationVersion() &&
         m_strDatePopulated == services.GetDatePopulated();
}

void CDocVersion::CopyDatabaseVersion()
{
  const CDocServices& services = GetDocServices();
  m_strProductDataVersion = services.GetProductDataVersion();
  m_strSpecificationVersion = services.GetSpecificationVersion();
  m_strDatePopulated = services.GetDatePopulated();
}

void CDocVersion::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar << static_cast<LONG>(m_nMajor) << static_cast<LONG>(m_nMinor);
    ar << m_strProductDataVersion << m_strSpecificationVersion << m_strDatePopulated;
    ar << m_created << m_modified;
    return;
  }
  LONG major = 0, minor = 0;
  ar >> major >> minor;
  m_nMajor = major;
  m_nMinor = minor;
  CheckVersion(GetVersion());
  ar >> m_strProductDataVersion >> m_strSpecificationVersion >> m_strDatePopulated;
  if (!IsCurrentDatabase()) {
    PCTRACE(TT_SERIALIZATION, TL_IMPORTANT)("Project saved with another product database.\n");
    GetDocServices().ShowDbVersionDialog(*this);
  }
  ar >> m_created >> m_modified;
}
