#include "project/Projreg.h"

#include "project/Dsgstore.h"
#include "project/Optbytyp.h"

void RegisterProjectClasses()
{
  CRuntimeClass::Register(RUNTIME_CLASS(CDesignStore));
  CRuntimeClass::Register(RUNTIME_CLASS(CCurrentOptionChoicesByType));
}
