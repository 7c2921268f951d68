#pragma once
// The "Position" page: moves one design item by typing its new position, measured from the lower
// left corner of the design, or an offset from its present position, in the user's units.
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "ui/dlg/PropSheet.h"

class CDataExchange;
class CDesignItem;
class CWorkbenchView;

// Dialog template and controls of the page.
enum : UINT
{
  IDD_ITEM_POSITION = 2602,
  IDC_POSITION_ABSOLUTE = 2605,
  IDC_POSITION_RELATIVE = 2606,
  IDC_POSITION_ABS_X = 2607,
  IDC_POSITION_ABS_Y = 2608,
  IDC_POSITION_REL_X = 2609,
  IDC_POSITION_REL_Y = 2610
};

// Registers the page's dialog template.
void RegisterItemPositionPage();

class CItemPositionPropertyPage : public CPropertyPage
{
  DECLARE_DYNAMIC(CItemPositionPropertyPage)
  DECLARE_MESSAGE_MAP()
public:
  CItemPositionPropertyPage(CWorkbenchView* pView, CDesignItem* pItem);
  ~CItemPositionPropertyPage() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  void OnOK() override;
  int GetMode() const { return m_nMode; }

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnRadioAbsolute();
  void OnRadioRelative();
  void OnEditChange();

private:
  void EnableControls();
  void SwitchMode(int to, UINT button);
  // Loads the controls; the texts it writes are not the user's changes.
  void Fill();
  // Reads a length field into value, which holds the value the field was filled with.
  void TakeLength(CDataExchange* pDX, UINT nID, double& value);

  CWorkbenchView* m_pView;
  CDesignItem* m_pItem;
  int m_nMode = 0;
  // TRUE while the page fills its own fields: those changes do not enable Apply.
  BOOL m_bFilling = FALSE;
  CVRX2DPoint m_ptAbsolute;
  CVRX2DVector m_vRelative;
};
