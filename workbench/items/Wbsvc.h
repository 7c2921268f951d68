#pragma once
// What the Workbench asks of the application it runs in: the main frame's status bar, toolbar
// and new-unit commands, the caption and border size of child frames, the shared Workbench
// menu, and the screen colours its items draw with.
#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "ui/wnd/Msg.h"
#include "views/Viewsvc.h"

class CMenu;

// The removal of the debug menu and the colour map are those of the drawing views.
class CWorkbenchServices : public CViewServices
{
public:
  virtual ~CWorkbenchServices() = default;

  // Pane 1: size and description of the item; pane 2: the pointer position.
  virtual void SetPaneText(int nIndex, const CString& text) = 0;
  // The unit type and subtype of a new-unit command 1201..1299; empty outside the list.
  virtual CString GetUnitTypeForCommand(UINT nID) const = 0;
  virtual CString GetUnitSubtypeForCommand(UINT nID) const = 0;
  // Caption height plus twice the border width, both ways.
  virtual CSize GetCaptionAndBorderSize() const = 0;
  // The shared menu of the Workbench document template.
  virtual HMENU GetWorkbenchMenu() const = 0;
  // Fills a popup that holds only its placeholder with the new-unit commands.
  virtual void FillNewUnitMenu(CMenu* pPopup) = 0;
  // The resize feedback throttles: milliseconds and inches between updates; 0 is off.
  virtual int GetResizeTimeThreshold() const = 0;
  virtual double GetResizeDistanceThreshold() const = 0;
  virtual BOOL IsMainToolBarVisible() const = 0;
  virtual void ShowMainToolBar(BOOL bShow) = 0;

  // Selectors: the screen colours of the plan selector's line and fill and of detail selectors.
  virtual COLORREF GetPlanSelectorRGB() const = 0;
  virtual COLORREF GetPlanSelectorFillRGB() const = 0;
  virtual COLORREF GetDetailSelectorsRGB() const = 0;
};

// Null while no application has installed its services; the Workbench then does without.
CWorkbenchServices* GetWorkbenchServices();
// Installs the services (null removes them), as the views' services too; returns the previous ones.
CWorkbenchServices* SetWorkbenchServices(CWorkbenchServices* services);
