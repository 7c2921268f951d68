#pragma once
// The Plan view: the horizontal cut through the wall at the height of the Workbench's plan
// selector, every unit and join that the selector crosses side by side, "Exterior" written at
// the bottom of the window and "Interior" at the top. Its dialog bar edits the wall width, the
// symbol placement and the offset of the project.
#include "model/Planinfo.h"
#include "ui/dlg/Ctrls.h"
#include "views/Aspview.h"

class CPlanView : public CAspectView
{
  DECLARE_DYNCREATE(CPlanView)
  DECLARE_MESSAGE_MAP()
public:
  CPlanView();
  ~CPlanView() override;

  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnDraw(CDC* pDC) override;
  CSize GetBorderAllowance(CDC* pDC) override;

  void OnPlanParametersChanged();
  // The wall width or offset still being typed, taken as leaving its field would.
  BOOL TakeTypedValues() override;
  void EnableControls();
  int GetLabelHeight(CDC* pDC);
  CSize GetLabelGap(CDC* pDC);

  double GetSelectorY() const { return m_dSelectorY; }
  const CPlanViewInfoArray& GetRecords() const { return m_Records; }
  double GetWallWidth() const { return m_dWallWidth; }
  double GetOffset() const { return m_dOffset; }
  int GetSymbolPlacement() const { return m_nSymbolPlacement; }

private:
  void ReadRecords();
  void Rebuild();
  // The bar's fields into the members and the project; TRUE also while another exchange runs.
  BOOL SaveBarData();
  void DrawLabels(CDC* pDC);

  double m_dSelectorY = 0.0;
  CPlanViewInfoArray m_Records;
  double m_dWallWidth = 0.0;
  double m_dOffset = 0.0;
  int m_nFramesDrawn = 1;
  int m_nSymbolPlacement = 0;
  CEdit m_OffsetField;
  CComboBox m_SymbolPlacementField;
  BOOL m_bFailureTold = FALSE;
};
