#pragma once
// What the drawing views and their frames ask of the application they run in: the removal of
// the debug menu from a frame's shared menu, the screen colours they draw with, the switches
// of the plan section and the settings of their DXF files.
#include "model/Plansect.h"
#include "ui/wnd/Msg.h"

class CMapECatToXLTDXFData;
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
  // A new DXF category map from the export settings, owned by the caller.
  virtual CMapECatToXLTDXFData* CreateDXFTranslationMap() = 0;
  // The unit DXF files are written in: 0 inch, 1 foot, 2 centimetre, 3 millimetre, 4 metre.
  virtual int GetDXFTranslationUnit() const = 0;
};

// Null while no application has installed its services; the views then do without.
CViewServices* GetViewServices();
// Installs the services (null removes them); returns the previous ones.
CViewServices* SetViewServices(CViewServices* services);
