#pragma once
// What the design list asks of the application shell: its dialogs and the Workbench frame. The
// application installs it at start-up; tests install the application's or their own.
#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

class CDoc;
class CWnd;

class CWarehouseServices
{
public:
  virtual ~CWarehouseServices() = default;

  // "Rename Design" showing the current name and, first, the proposed new name; TRUE with the
  // new name (trimmed, not blank) after OK.
  virtual BOOL AskRenameDesign(CWnd* pParent, const CString& currentName, CString& newName) = 0;
  // "Project Information" on the project; TRUE after OK.
  virtual BOOL EditProjectInformation(CWnd* pParent, CDoc* pDoc) = 0;
  // Opens the Workbench frame of the project.
  virtual void OpenWorkbenchFrame(CDoc* pDoc) = 0;
  // Removes the "&Debug" popup from a frame's menu.
  virtual void RemoveDebugMenu(HMENU hMenu) = 0;
};

// Throws CAppFatalException while no application has installed its services.
CWarehouseServices& GetWarehouseServices();
// Installs the services (null removes them); returns the previous ones.
CWarehouseServices* SetWarehouseServices(CWarehouseServices* services);
