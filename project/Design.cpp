#include "project/Design.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/core/Archive.h"
#include "project/Stamp.h"
#include "support/Trace.h"

IMPLEMENT_DYNCREATE(CDesignData, CObject)
IMPLEMENT_DYNCREATE(CDesign, CObject)

namespace {

constexpr const char* kItemBaseClass = "CDesignItem";
// Every item reference takes at least its two-byte tag.
constexpr unsigned long long kMinItemBytes = 2;

const CDesignItemAccess* g_itemAccess = nullptr;

}  // namespace

void CDesignData::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  if (ar.IsStoring()) {
    ar << m_strName << static_cast<LONG>(m_nQuantity) << m_dWorkbenchExtentX << m_dWorkbenchExtentY;
    ar << static_cast<BYTE>(m_bReservedFlag) << static_cast<WORD>(m_nReservedValue);
    return;
  }
  LONG quantity = 0;
  BYTE flag = 0;
  WORD reserved = 0;
  ar >> m_strName >> quantity >> m_dWorkbenchExtentX >> m_dWorkbenchExtentY >> flag >> reserved;
  m_nQuantity = quantity;
  m_bReservedFlag = flag;
  m_nReservedValue = reserved;
}

CDesign::CDesign() { PCTRACE(TT_DOCUMENT, TL_DETAIL)("CDesign construction \n"); }

CDesign::~CDesign()
{
  PCTRACE(TT_DOCUMENT, TL_DETAIL)("CDesign destruction \n");
  DeleteItems();
}

void CDesign::DeleteItems()
{
  for (POSITION pos = m_itemList.GetHeadPosition(); pos;)
    delete m_itemList.GetNext(pos);
  m_itemList.RemoveAll();
}

BOOL CDesignItemAccess::GetJoinedUnits(const CObject*, CObject*&, CObject*&) const { return FALSE; }

const CObList* CDesignItemAccess::GetGroupMembers(const CObject*) const { return nullptr; }

void CDesignItemAccess::ReleaseGroupMembers(CObject*) const {}

void CDesignItemAccess::ReleaseGroupMember(CObject*, CObject*) const {}

void CDesign::SetItemAccess(const CDesignItemAccess* access) { g_itemAccess = access; }

BOOL CDesign::GetUnitsInDesign(CObList& units, BOOL withJoins) const
{
  PCTRACE(TT_DOCUMENT, TL_VERBOSE)("GetUnitsInDesign() called.\n");
  units.RemoveAll();
  if (!g_itemAccess)
    return FALSE;
  for (POSITION pos = m_itemList.GetHeadPosition(); pos;) {
    CObject* item = m_itemList.GetNext(pos);
    switch (g_itemAccess->GetItemType(item)) {
    case CDesignItemAccess::unitItem:
      units.AddTail(item);
      break;
    case CDesignItemAccess::joinItem:
      if (withJoins)
        units.AddTail(item);
      break;
    case CDesignItemAccess::groupItem:
      g_itemAccess->GetUnitsInGroup(item, units, withJoins);
      break;
    default:
      break;
    }
  }
  return !units.IsEmpty();
}

void CDesign::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  m_designData.Serialize(ar);
  SerializeItems(ar);
}

void CDesign::SerializeItems(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(m_itemList.GetCount()));
    for (POSITION pos = m_itemList.GetHeadPosition(); pos;)
      ar << m_itemList.GetNext(pos);
    return;
  }
  const size_t mark = ar.GetLoadedMark();
  std::unordered_set<const CObject*> made;
  try {
    ReadItems(ar);
    const std::vector<CObject*> objects = ar.GetLoadedObjectsSince(mark);
    made.insert(objects.begin(), objects.end());
    CheckOwnership(made);
  } catch (...) {
    DeleteMadeObjects(ar.GetLoadedObjectsSince(mark));
    throw;
  }
  DropStrayJoins(made);
}

void CDesign::ReadItems(CArchive& ar)
{
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kMinItemBytes);
  const CRuntimeClass* itemClass = CRuntimeClass::FromName(kItemBaseClass);
  if (count > 0 && !itemClass)
    throw CArchiveException(CArchiveException::badClass);
  for (DWORD i = 0; i < count; ++i) {
    CObject* item = ar.ReadObject(itemClass);
    if (!item)
      throw CArchiveException(CArchiveException::badIndex);
    m_itemList.AddTail(item);
  }
}

// A second reference to an item already owned (by this list, a group, or another design) would
// make two owners delete the same object, and a group that holds itself would never end.
void CDesign::CheckOwnership(const std::unordered_set<const CObject*>& made) const
{
  std::unordered_set<const CObject*> owned;
  std::vector<const CObList*> lists{&m_itemList};
  for (size_t i = 0; i < lists.size(); ++i)
    for (POSITION pos = lists[i]->GetHeadPosition(); pos;) {
      const CObject* item = lists[i]->GetNext(pos);
      if (!item || !made.count(item) || !owned.insert(item).second)
        throw CArchiveException(CArchiveException::badIndex);
      if (const CObList* members = g_itemAccess ? g_itemAccess->GetGroupMembers(item) : nullptr)
        lists.push_back(members);
    }
}

void CDesign::DeleteMadeObjects(const std::vector<CObject*>& objects)
{
  // Every list lets go first, so that no object is deleted through an owner as well.
  m_itemList.RemoveAll();
  if (g_itemAccess)
    for (CObject* object : objects)
      g_itemAccess->ReleaseGroupMembers(object);
  for (CObject* object : objects)
    delete object;
}

std::unordered_set<const CObject*> CDesign::GetOwnedItems() const
{
  std::unordered_set<const CObject*> owned;
  std::vector<const CObList*> lists{&m_itemList};
  for (size_t i = 0; i < lists.size(); ++i)
    for (POSITION pos = lists[i]->GetHeadPosition(); pos;) {
      const CObject* item = lists[i]->GetNext(pos);
      owned.insert(item);
      if (const CObList* members = g_itemAccess->GetGroupMembers(item))
        lists.push_back(members);
    }
  return owned;
}

void CDesign::FindStrayJoins(CObject* owner, const CObList& list, const std::unordered_set<const CObject*>& units,
                             std::vector<std::pair<CObject*, CObject*>>& strays) const
{
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    CObject* item = list.GetNext(pos);
    if (const CObList* members = g_itemAccess->GetGroupMembers(item)) {
      FindStrayJoins(item, *members, units, strays);
      continue;
    }
    CObject* first = nullptr;
    CObject* second = nullptr;
    if (g_itemAccess->GetItemType(item) != CDesignItemAccess::joinItem ||
        !g_itemAccess->GetJoinedUnits(item, first, second))
      continue;
    if (!first || !second || !units.count(first) || !units.count(second))
      strays.emplace_back(owner, item);
  }
}

void CDesign::DropStrayJoins(const std::unordered_set<const CObject*>& made)
{
  if (!g_itemAccess)
    return;
  CObList gathered;
  GetUnitsInDesign(gathered, FALSE);
  std::unordered_set<const CObject*> units;
  for (POSITION pos = gathered.GetHeadPosition(); pos;)
    units.insert(gathered.GetNext(pos));
  std::vector<std::pair<CObject*, CObject*>> strays;
  FindStrayJoins(nullptr, m_itemList, units, strays);
  for (const auto& [owner, join] : strays) {
    PCTRACE(TT_SERIALIZATION, TL_WARNING)("A loaded join whose units are not in the design is dropped.\n");
    if (owner)
      g_itemAccess->ReleaseGroupMember(owner, join);
    else
      m_itemList.RemoveAt(m_itemList.Find(join));
    delete join;
  }
  // What the bytes made and no list owns now was named only by the dropped joins: every join
  // left names owned units, so nothing refers to these any more.
  const std::unordered_set<const CObject*> owned = GetOwnedItems();
  for (const CObject* object : made)
    if (!owned.count(object) &&
        std::none_of(strays.begin(), strays.end(), [object](const auto& stray) { return stray.second == object; }))
      delete object;
}
