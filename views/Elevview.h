#pragma once
// The Elevation view: the design being edited seen from the front, every unit at its place on
// the Workbench, with the grilles and the operation marks that the two switches of the project
// (and of the dialog bar) ask for.
#include "views/Aspview.h"

class CElevationView : public CAspectView
{
  DECLARE_DYNCREATE(CElevationView)
  DECLARE_MESSAGE_MAP()
public:
  CElevationView();
  ~CElevationView() override;

  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void DoDataExchange(CDataExchange* pDX) override;

  void OnToggleShowGrilles();
  void OnUpdateToggleShowGrilles(CCmdUI* pCmdUI);
  void OnToggleShowOperation();
  void OnUpdateToggleShowOperation(CCmdUI* pCmdUI);

private:
  void Rebuild();
  void RenewScreenCategoryMap();

  BOOL m_bFailureTold = FALSE;
};
