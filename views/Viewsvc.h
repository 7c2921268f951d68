#pragma once
// What the drawing views and their frames ask of the application they run in: the removal of
// the debug menu from a frame's shared menu, the screen colours they draw with, and the switches
// of the plan section.
#include "model/Plansect.h"
#include "platform/ui/wnd/Msg.h"

class CMapECatToXLTGDIData;

class CViewServices
{
public:
  virtual ~CViewServices() = default;
  virtual void RemoveDebugMenu(HMENU hMenu) = 0;
  // A new colour translation map, owned by the caller.
  virtual CMapECatToXLTGDIData* CreateTranslationMap() = 0;
  // The application's plan-section drawing switches; without an application, the defaults.
  virtual CPlanSectionSwitches GetPlanSectionSwitches() const { return CPlanSectionSwitches(); }
};

// Null while no application has installed its services; the views then do without.
CViewServices* GetViewServices();
// Installs the services (null removes them); returns the previous ones.
CViewServices* SetViewServices(CViewServices* services);
