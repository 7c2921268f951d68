#pragma once
// The Detail view: the construction detail chosen with the Workbench's detail selector (one side
// of a unit, two facing sides, or a joining situation), with or without the installation flange,
// or a short instruction while nothing is selected.
#include <memory>

#include "views/Aspview.h"

class CDetailSelection;

class CDetailView : public CAspectView
{
  DECLARE_DYNCREATE(CDetailView)
  DECLARE_MESSAGE_MAP()
public:
  CDetailView();
  ~CDetailView() override;

  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnDraw(CDC* pDC) override;
  // Without a detail the view prints its instruction text, so printing needs only the window.
  BOOL CanPrint() override { return IsWindowVisible(); }

  void OnInstallationFlange();
  void OnUpdateInstallationFlange(CCmdUI* pCmdUI);
  void AssembleDetail(CDetailSelection& selection);

  const CDetailSelection* GetSelection() const { return m_pSelection.get(); }
  int GetShowFlange() const { return m_nShowFlange; }

  // The instruction shown while there is no detail.
  static const char* const kNoDetailText;

protected:
  void SetPrintScaleListFromUnits() override;

private:
  void DrawInstruction(CDC* pDC);

  std::unique_ptr<CDetailSelection> m_pSelection;
  int m_nShowFlange = 0;
  BOOL m_bFailureTold = FALSE;
};
