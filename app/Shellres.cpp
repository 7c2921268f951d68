#include "app/Shellres.h"

void RegisterShellResources()
{
  RegisterShellStrings();
  RegisterShellMenus();
  RegisterShellDialogs();
  RegisterShellBitmaps();
}
