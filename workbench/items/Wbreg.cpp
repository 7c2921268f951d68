#include "workbench/items/Wbreg.h"

#include "project/Design.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/items/Guideitem.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Lineitem.h"
#include "workbench/items/Unititem.h"

namespace {
class CWorkbenchItemAccess : public CDesignItemAccess
{
public:
  int GetItemType(const CObject* item) const override { return static_cast<const CDesignItem*>(item)->GetItemType(); }
  BOOL GetUnitsInGroup(CObject* group, CObList& units, BOOL withJoins) const override
  {
    return static_cast<CGroupItem*>(group)->GetUnitsInGroup(units, withJoins);
  }
  BOOL GetJoinedUnits(const CObject* item, CObject*& first, CObject*& second) const override
  {
    const auto* join = dynamic_cast<const CJoinItem*>(item);
    if (!join)
      return FALSE;
    CUnitItem* pFirst = nullptr;
    CUnitItem* pSecond = nullptr;
    join->GetUnitItems(pFirst, pSecond);
    // A join without its product join stands for nothing: no unit is found for it.
    first = join->GetJoin() ? pFirst : nullptr;
    second = join->GetJoin() ? pSecond : nullptr;
    return TRUE;
  }
  const CObList* GetGroupMembers(const CObject* item) const override
  {
    const auto* group = dynamic_cast<const CGroupItem*>(item);
    return group ? &group->GetMembers() : nullptr;
  }
  void ReleaseGroupMembers(CObject* item) const override
  {
    if (auto* group = dynamic_cast<CGroupItem*>(item))
      group->RemoveAllItems();
  }
  void ReleaseGroupMember(CObject* group, CObject* member) const override
  {
    if (auto* pGroup = dynamic_cast<CGroupItem*>(group))
      pGroup->ReleaseMember(member);
  }
};
}  // namespace

void RegisterWorkbenchClasses()
{
  CRuntimeClass::Register(RUNTIME_CLASS(CDesignItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CUnitItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CGuidelineItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CGroupItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CLineSegmentItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CJoinItem));
  static const CWorkbenchItemAccess access;
  CDesign::SetItemAccess(&access);
}
