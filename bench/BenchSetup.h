#pragma once
// What a bench over stored designs sets up before it makes one: the services it runs with, the
// sample catalogue, and the classes a design's items are made of.
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

}  // namespace bench
