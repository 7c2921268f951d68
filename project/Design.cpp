#include "project/Design.h"

#include <unordered_set>

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
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kMinItemBytes);
  const CRuntimeClass* itemClass = CRuntimeClass::FromName(kItemBaseClass);
  if (count > 0 && !itemClass)
    throw CArchiveException(CArchiveException::badClass);
  // The design owns each item once: a second reference to an item already read (or to none)
  // would make it delete the same object twice.
  std::unordered_set<const CObject*> seen;
  for (DWORD i = 0; i < count; ++i) {
    CObject* item = ar.ReadObject(itemClass);
    if (!item || !seen.insert(item).second)
      throw CArchiveException(CArchiveException::badIndex);
    m_itemList.AddTail(item);
  }
  DropStrayJoins();
}

void CDesign::DropStrayJoins()
{
  if (!g_itemAccess)
    return;
  CObList gathered;
  GetUnitsInDesign(gathered, FALSE);
  std::unordered_set<const CObject*> units;
  for (POSITION pos = gathered.GetHeadPosition(); pos;)
    units.insert(gathered.GetNext(pos));
  // A unit that only a dropped join referred to was made for it alone and goes with it.
  std::unordered_set<CObject*> strays;
  for (POSITION pos = m_itemList.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    CObject* item = m_itemList.GetNext(pos);
    CObject* first = nullptr;
    CObject* second = nullptr;
    if (g_itemAccess->GetItemType(item) != CDesignItemAccess::joinItem ||
        !g_itemAccess->GetJoinedUnits(item, first, second))
      continue;
    if (first && second && units.count(first) && units.count(second))
      continue;
    PCTRACE(TT_SERIALIZATION, TL_WARNING)("A loaded join whose units are not in the design is dropped.\n");
    for (CObject* unit : {first, second})
      if (unit && !units.count(unit))
        strays.insert(unit);
    m_itemList.RemoveAt(at);
    delete item;
  }
  for (CObject* unit : strays)
    delete unit;
}
