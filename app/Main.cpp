// The program's entry: the application object is built before it runs; the unit classes are
// registered with the unit factory, and the persistent classes for loading by name, before
// start-up reads the catalogue or a project.
#include "app/App.h"
#include "document/Doc.h"
#include "platform/core/Coreclass.h"
#include "project/Projreg.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"

CApp theApp;

int main(int argc, char** argv)
{
  RegisterStandardUnits();
  RegisterFreeformUnits();
  RegisterCoreClasses();
  RegisterProjectClasses();
  RegisterDocumentClasses();
  return AfxWinMain(argc, argv);
}
