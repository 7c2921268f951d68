#include "workbench/Wbreg.h"

#include "project/Design.h"
#include "workbench/Dsgnitem.h"
#include "workbench/Guideitem.h"
#include "workbench/Unititem.h"

namespace {
class CWorkbenchItemAccess : public CDesignItemAccess
{
public:
  int GetItemType(const CObject* item) const override { return static_cast<const CDesignItem*>(item)->GetItemType(); }
  // No group item class exists yet, so no group has units to give.
  BOOL GetUnitsInGroup(CObject*, CObList&, BOOL) const override { return FALSE; }
};
}  // namespace

void RegisterWorkbenchClasses()
{
  CRuntimeClass::Register(RUNTIME_CLASS(CDesignItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CUnitItem));
  CRuntimeClass::Register(RUNTIME_CLASS(CGuidelineItem));
  static const CWorkbenchItemAccess access;
  CDesign::SetItemAccess(&access);
}
