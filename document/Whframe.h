#pragma once
// The MDI child frame of a project's design list. When it is activated, the windows of the other
// open projects step back and this project's views come forward. It is the project's own window:
// closing it closes the project.
#include "ui/frame/MdiFrame.h"

class CDoc;

class CWarehouseFrame : public CMDIChildWnd
{
  DECLARE_DYNCREATE(CWarehouseFrame)
public:
  CWarehouseFrame() = default;

  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  // The project whose design list was activated last; null when it has been closed.
  static CDoc* GetLastActivatedProject();
  // Drops the remembered frames of the project that are no longer among its views.
  static void ForgetClosedFrames(CDoc* pDoc);
  // Makes the project the active one: the windows of the project active until now step back,
  // remembering which were visible, and those of this project that were visible come forward.
  static void BringProjectForward(CDoc* pDoc);

protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnDestroy() override;
  // The close box, Ctrl+F4 and the system menu's Close close the project as File Close does.
  void OnClose() override;
  void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) override;

private:
  CDoc* GetProject();
};
