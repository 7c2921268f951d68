// The program's entry: the application object is built before it runs; the unit classes are
// registered with the unit factory before start-up reads the catalogue.
#include "app/App.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"

CApp theApp;

int main(int argc, char** argv)
{
  RegisterStandardUnits();
  RegisterFreeformUnits();
  return AfxWinMain(argc, argv);
}
