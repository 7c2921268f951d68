#pragma once
// What a bench over stored designs sets up before it makes one: the services it runs with, the
// sample catalogue, and the classes a design's items are made of; and the one set-up of each size
// that the bench's runs share.
#include <map>
#include <memory>

#include "platform/core/Coreclass.h"
#include "productdb/txrecobj.h"
#include "project/DocServices.h"
#include "project/Projreg.h"
#include "ui/dlg/DialogService.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Wbreg.h"

namespace bench {

inline void SetUpDesignBench(CDocServices& services, CDialogService& dialogs, const char* databaseDir)
{
  SetDocServices(&services);
  SetDialogService(&dialogs);
  CTXRecObj::SetDatabaseDirectory(databaseDir);
  RegisterCoreClasses();
  RegisterProjectClasses();
  RegisterStandardUnits();
  RegisterFreeformUnits();
  RegisterWorkbenchClasses();
}

// The one T of that size, made on first use and left to the end of the process: windows it holds
// must not outlive the application.
template <class T>
T& MadeOnce(int size)
{
  static auto* made = new std::map<int, std::unique_ptr<T>>;
  std::unique_ptr<T>& one = (*made)[size];
  if (!one)
    one = std::make_unique<T>(size);
  return *one;
}

}  // namespace bench
