#include "workbench/items/Wbclip.h"

#include <unordered_set>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "ui/output/Clipbrd.h"
#include "ui/wnd/Resource.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"

namespace {
constexpr const char* kModule = "Wbclip";
constexpr int kNoFormatNameLine = 96;
constexpr UINT kFileGrowth = 1024;
constexpr UINT kArchiveBuffer = 4096;

// Only what a user places on the Workbench may come in; the base item, bare line segments and
// selectors never belong to a design's list.
BOOL IsPastableClass(const CObject* pObject)
{
  const CRuntimeClass* pClass = pObject->GetRuntimeClass();
  return pClass == RUNTIME_CLASS(CUnitItem) || pClass == RUNTIME_CLASS(CJoinItem) ||
         pClass == RUNTIME_CLASS(CGuidelineItem) || pClass == RUNTIME_CLASS(CGroupItem);
}

// Every object reachable through the member lists, each once, the group itself first. Safe on
// lists that share members or hold each other, which bad bytes can make.
std::vector<CObject*> Reachable(CGroupItem* pGroup)
{
  std::vector<CObject*> all{pGroup};
  std::unordered_set<CObject*> seen{pGroup};
  for (size_t i = 0; i < all.size(); ++i) {
    auto* pInner = dynamic_cast<CGroupItem*>(all[i]);
    if (!pInner)
      continue;
    for (POSITION pos = pInner->GetMembers().GetHeadPosition(); pos;) {
      CObject* pMember = pInner->GetMembers().GetNext(pos);
      if (pMember && seen.insert(pMember).second)
        all.push_back(pMember);
    }
  }
  return all;
}

// Deletes every object in the list once; the groups let go of their members first, so that no
// list deletes what another holds.
void DeleteAll(const std::vector<CObject*>& objects)
{
  std::unordered_set<CObject*> unique(objects.begin(), objects.end());
  for (CObject* pObject : unique)
    if (auto* pGroup = dynamic_cast<CGroupItem*>(pObject))
      pGroup->RemoveAllItems();
  for (CObject* pObject : unique)
    delete pObject;
}

// Each member is a pastable item owned by exactly one list, and no group holds itself.
void CheckMembers(CGroupItem& group, std::unordered_set<const CObject*>& owned)
{
  for (POSITION pos = group.GetMembers().GetHeadPosition(); pos;) {
    CObject* pMember = group.GetMembers().GetNext(pos);
    if (!pMember || !owned.insert(pMember).second)
      throw CArchiveException(CArchiveException::badIndex);
    if (!IsPastableClass(pMember))
      throw CArchiveException(CArchiveException::badClass);
    if (auto* pInner = dynamic_cast<CGroupItem*>(pMember))
      CheckMembers(*pInner, owned);
  }
}

// A join stays only with its product join and both its units among the pasted items; it leaves
// its list here and is deleted with the other objects nothing holds any more.
void DropStrayJoins(CGroupItem& group, const std::unordered_set<const CObject*>& owned)
{
  std::vector<CJoinItem*> dropped;
  for (POSITION pos = group.GetMembers().GetHeadPosition(); pos;) {
    CObject* pMember = group.GetMembers().GetNext(pos);
    if (auto* pInner = dynamic_cast<CGroupItem*>(pMember)) {
      DropStrayJoins(*pInner, owned);
      continue;
    }
    auto* pJoin = dynamic_cast<CJoinItem*>(pMember);
    if (!pJoin)
      continue;
    CUnitItem* pFirst = nullptr;
    CUnitItem* pSecond = nullptr;
    pJoin->GetUnitItems(pFirst, pSecond);
    if (!pJoin->GetJoin() || !owned.count(pFirst) || !owned.count(pSecond))
      dropped.push_back(pJoin);
  }
  for (CJoinItem* pJoin : dropped) {
    PCTRACE(TT_WORKBENCH, TL_WARNING)("A pasted join whose units are not among the pasted items is dropped.\n");
    group.RemoveItem(pJoin);
  }
}

void ValidateAndMake(CGroupItem& group)
{
  std::unordered_set<const CObject*> owned{&group};
  CheckMembers(group, owned);
  DropStrayJoins(group, owned);
  // Units first, then the nested groups bottom-up, then this group's box: each group's box and
  // joining sides come from members that must be whole. The pasted group itself is only placed
  // and ungrouped, so copies of its members' lines would be made for nothing.
  group.MakeBox();
}
}  // namespace

void RegisterClipboardResources()
{
  CResources::Get().AddString(IDS_DESIGN_ITEM_CLIPBOARD_FORMAT, "Panecraft Design Item");
}

UINT DesignItemClipboardFormat()
{
  CString name;
  if (!AfxLoadString(IDS_DESIGN_ITEM_CLIPBOARD_FORMAT, name))
    throw CAppFatalException(kModule, kNoFormatNameLine);
  return RegisterClipboardFormat(name);
}

std::vector<BYTE> WriteItemGroup(CGroupItem& group)
{
  CMemFile file(kFileGrowth);
  CArchive ar(&file, CArchive::store, kArchiveBuffer);
  group.Serialize(ar);
  ar.Close();
  return file.Detach();
}

std::unique_ptr<CGroupItem> ReadItemGroup(const BYTE* data, std::size_t size)
{
  if (size > static_cast<std::size_t>(static_cast<UINT>(-1)))
    throw CArchiveException(CArchiveException::generic);
  CMemFile file(data, static_cast<UINT>(size));
  CArchive ar(&file, CArchive::load, kArchiveBuffer);
  auto* pGroup = new CGroupItem;
  try {
    pGroup->LoadMembers(ar);
    ValidateAndMake(*pGroup);
  } catch (...) {
    // Nothing read from a refused block is kept, whichever list it ended up in or none.
    std::vector<CObject*> all = ar.GetLoadedObjects();
    all.push_back(pGroup);
    DeleteAll(all);
    throw;
  }
  // What the archive made for dropped joins alone is held by no list now.
  const std::vector<CObject*> kept = Reachable(pGroup);
  const std::unordered_set<CObject*> held(kept.begin(), kept.end());
  std::vector<CObject*> garbage;
  for (CObject* pObject : ar.GetLoadedObjects())
    if (!held.count(pObject))
      garbage.push_back(pObject);
  DeleteAll(garbage);
  ar.Close();
  return std::unique_ptr<CGroupItem>(pGroup);
}
