#pragma once
// Stand-ins for the Workbench's design items: a persistent item base registered as "CDesignItem"
// with a kind number, groups that own their members, and the access a design reads them through.
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "project/Design.h"
#include "project/Stamp.h"

class CDesignItem : public CObject
{
  DECLARE_SERIAL(CDesignItem)
public:
  CDesignItem() = default;
  explicit CDesignItem(int type) : itemType(type) {}
  ~CDesignItem() override
  {
    for (CDesignItem* member : members)
      delete member;
  }
  void Serialize(CArchive& ar) override
  {
    SerializeVersionStamp(ar);
    if (ar.IsStoring()) {
      if (storeError != 0)
        throw CFileException(CFileException::generic, storeError);
      ar << static_cast<LONG>(itemType) << static_cast<DWORD>(members.size());
      for (CDesignItem* member : members)
        member->Serialize(ar);
      return;
    }
    LONG type = 0;
    DWORD count = 0;
    ar >> type >> count;
    itemType = type;
    ar.CheckAvailable(count, 12);
    for (DWORD i = 0; i < count; ++i) {
      members.push_back(new CDesignItem);
      members.back()->Serialize(ar);
    }
  }

  int itemType = 0;
  int storeError = 0;                 // the system's error number a store of the item fails with, as a full disk's
  std::vector<CDesignItem*> members;  // a group's own items
};

// The stand-in item class is loadable by name only once registered, as the program's are.
inline void RegisterTestItemClasses() { CRuntimeClass::Register(RUNTIME_CLASS(CDesignItem)); }

class CTestItemAccess : public CDesignItemAccess
{
public:
  CTestItemAccess()
  {
    RegisterTestItemClasses();
    CDesign::SetItemAccess(this);
  }
  ~CTestItemAccess() override { CDesign::SetItemAccess(nullptr); }
  int GetItemType(const CObject* item) const override { return static_cast<const CDesignItem*>(item)->itemType; }
  BOOL GetUnitsInGroup(CObject* group, CObList& units, BOOL withJoins) const override
  {
    BOOL any = FALSE;
    for (CDesignItem* member : static_cast<CDesignItem*>(group)->members) {
      if (member->itemType == unitItem || (withJoins && member->itemType == joinItem)) {
        units.AddTail(member);
        any = TRUE;
      }
    }
    return any;
  }
};
