#include "workbench/Wbreg.h"

#include "project/Design.h"
#include "workbench/Dsgnitem.h"
#include "workbench/Guideitem.h"
#include "workbench/Groupitm.h"
#include "workbench/Unititem.h"

namespace {
class CWorkbenchItemAccess : public CDesignItemAccess
{
public:
  int GetItemType(const CObject* item) const override { return static_cast<const CDesignItem*>(item)->GetItemType(); }
  BOOL GetUnitsInGroup(CObject* group, CObList& units, BOOL withJoins) const override
  {
    return static_cast<CGroupItem*>(group)->GetUnitsInGroup(units, withJoins);
  }
};
}  // namespace

void RegisterWorkbenchClasses()
{
  CRuntimeClass::Register(RUNTIME_CLASS(CDesignItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CUnitItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CGuidelineItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CGroupItem));
  static const CWorkbenchItemAccess access;
  CDesign::SetItemAccess(&access);
}
