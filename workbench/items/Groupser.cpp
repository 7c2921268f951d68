// The group item's stored form: the design item's record, a stamp and the members, each owned
// once, and no deeper than a real design nests its groups.
#include <unordered_set>

#include "platform/core/Archive.h"
#include "project/Stamp.h"
#include "support/Exceptn.h"
#include "workbench/items/Groupitm.h"

namespace {
constexpr const char* kModule = "Groupitm";
constexpr int kCloneLine = 118;
// The smallest stored member: a two-byte back-reference, as a unit is when a join outside the
// group was written first and stored the unit as one of its sides.
constexpr unsigned long long kMinMemberBytes = 2;
// Deeper data is damaged or hostile, and reading it (and every walk over the members after)
// would run the stack out.
constexpr int kMaxLoadDepth = CGroupItem::kMaxDepth;
thread_local int t_loadDepth = 0;

// Counts the groups being read inside each other and refuses the one too deep.
class CLoadDepth
{
public:
  CLoadDepth()
  {
    if (t_loadDepth >= kMaxLoadDepth)
      throw CArchiveException(CArchiveException::generic);
    ++t_loadDepth;
  }
  ~CLoadDepth() { --t_loadDepth; }
  CLoadDepth(const CLoadDepth&) = delete;
  CLoadDepth& operator=(const CLoadDepth&) = delete;
};
}  // namespace

void CGroupItem::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    CDesignItem::Serialize(ar);
    SerializeVersionStamp(ar);
    SerializeMembers(ar);
    return;
  }
  LoadMembers(ar);
  try {
    BuildEntities();
  } catch (...) {
    m_Members.RemoveAll();
    throw;
  }
}

void CGroupItem::LoadMembers(CArchive& ar)
{
  CDesignItem::Serialize(ar);
  SerializeVersionStamp(ar);
  try {
    SerializeMembers(ar);
  } catch (...) {
    // A member may be a reference to an object another list owns: a group that fails to load
    // lets go of its members rather than delete what it may not own.
    m_Members.RemoveAll();
    throw;
  }
}

void CGroupItem::SerializeMembers(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(m_Members.GetCount()));
    for (POSITION pos = m_Members.GetHeadPosition(); pos;)
      ar << m_Members.GetNext(pos);
    return;
  }
  const CLoadDepth depth;
  const DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kMinMemberBytes);
  // Each member is owned once: a back-reference to the group itself or to a member read
  // before would make the group delete the same object twice.
  std::unordered_set<const CObject*> seen;
  for (DWORD i = 0; i < count; ++i) {
    CObject* pMember = ar.ReadObject(RUNTIME_CLASS(CDesignItem));
    if (!pMember || pMember == this || !seen.insert(pMember).second)
      throw CArchiveException(CArchiveException::badIndex);
    m_Members.AddTail(pMember);
  }
}

CDesignItem* CGroupItem::Clone() const { throw CAppException(kModule, kCloneLine); }
