#pragma once
// "Guideline Properties": the width of a guideline, whether other items snap to its centre line,
// its pitch per 12 with the slope direction (angled guidelines only) and its position, from the
// lower left corner of the design or from where it is. OK and Apply write into the guideline at
// once; Cancel keeps what Apply already wrote.
#include "geometry/Angle.h"
#include "ui/dlg/BmpBtn.h"
#include "ui/dlg/PropSheet.h"
#include "ui/dlg/RetSheet.h"

class CGuidelineItem;
class CWorkbenchView;

constexpr UINT IDD_GUIDELINE_MISC = 2701;
constexpr UINT IDC_GUIDELINE_PITCH = 2702;
constexpr UINT IDC_GUIDELINE_WIDTH = 2703;
constexpr UINT IDC_GUIDELINE_SNAP_CENTER = 2704;
constexpr UINT IDC_GUIDELINE_SLOPE_UP = 2705;
constexpr UINT IDC_GUIDELINE_SLOPE_DOWN = 2706;
constexpr UINT IDC_GUIDELINE_BTN_SLOPE_UP = 2707;
constexpr UINT IDC_GUIDELINE_BTN_SLOPE_DOWN = 2708;
constexpr UINT IDD_GUIDELINE_POSITION = 2602;
constexpr UINT IDC_GUIDELINE_ABSOLUTE = 2605;
constexpr UINT IDC_GUIDELINE_RELATIVE = 2606;
constexpr UINT IDC_GUIDELINE_ABS_X = 2607;
constexpr UINT IDC_GUIDELINE_ABS_Y = 2608;
constexpr UINT IDC_GUIDELINE_REL_X = 2609;
constexpr UINT IDC_GUIDELINE_REL_Y = 2610;
constexpr UINT IDC_GUIDELINE_ABS_X_LABEL = 2709;
constexpr UINT IDC_GUIDELINE_ABS_Y_LABEL = 2710;
constexpr UINT IDC_GUIDELINE_REL_X_LABEL = 2711;
constexpr UINT IDC_GUIDELINE_REL_Y_LABEL = 2712;
constexpr UINT IDS_GUIDELINE_PROPERTIES = 5016;
// The pictures of the slope buttons: up, pressed, focused, disabled.
constexpr UINT IDB_SLOPEUPU = 2721;
constexpr UINT IDB_SLOPEUPD = 2722;
constexpr UINT IDB_SLOPEUPF = 2723;
constexpr UINT IDB_SLOPEUPX = 2724;
constexpr UINT IDB_SLOPEDOWNU = 2725;
constexpr UINT IDB_SLOPEDOWND = 2726;
constexpr UINT IDB_SLOPEDOWNF = 2727;
constexpr UINT IDB_SLOPEDOWNX = 2728;

// Registers the two page templates and the sheet's caption.
void RegisterGuidelineResources();

struct CGuidelinePropertyData
{
  double x = 0.0;
  double y = 0.0;
  CVRXAngle angle;
  double width = 0.0;
  int snapToCenter = 1;
};

class CMiscGuidelinePropertyPage : public CPropertyPage
{
  DECLARE_MESSAGE_MAP()
public:
  CMiscGuidelinePropertyPage(CWorkbenchView* pView, CGuidelinePropertyData* pData);

  // Kind 0 horizontal, 1 vertical, 2 angled; the pitch per 12 and the slope for kind 2.
  static void AngleToPitch(const CVRXAngle& angle, double& pitch, int& kind, int& slopeDown);
  static CVRXAngle PitchToAngle(double pitch, int kind, int slopeDown);

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void EnableControls();
  void OnBtnSlopeUp();
  void OnBtnSlopeDown();
  void OnRadioSlopeUp();
  void OnRadioSlopeDown();
  void OnChanged();

  CBitmapButton m_btnSlopeUp;
  CBitmapButton m_btnSlopeDown;
  int m_nSlopeDown = 0;
  double m_dPitch = 0.0;
  // TRUE while the page fills its own fields: those changes are not the user's.
  BOOL m_bFilling = TRUE;
  CWorkbenchView* m_pView;
  CGuidelinePropertyData* m_pData;
};

class CPositionGuidelinePropertyPage : public CPropertyPage
{
  DECLARE_MESSAGE_MAP()
public:
  enum
  {
    ptAbsolute = 0,
    ptRelative = 1
  };
  CPositionGuidelinePropertyPage(CWorkbenchView* pView, CGuidelinePropertyData* pData);

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  void OnOK() override;
  // Shows the position the data now hold, as absolute coordinates.
  void Reload();
  int GetMode() const { return m_pt; }

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void EnableControls();
  void OnRadioRelative();
  void OnRadioAbsolute();
  void SwitchMode(int target, UINT nTargetButton, UINT nOtherButton);
  void OnChangeEditPos();
  void Fill();

  BOOL m_bFilling = TRUE;
  double m_dAbsX = 0.0;
  double m_dAbsY = 0.0;
  double m_dRelX = 0.0;
  double m_dRelY = 0.0;
  int m_pt = ptAbsolute;
  CWorkbenchView* m_pView;
  CGuidelinePropertyData* m_pData;
};

class CGuidelinePropertiesDlg : public CRetainedPropertySheet
{
  DECLARE_DYNAMIC(CGuidelinePropertiesDlg)
public:
  CGuidelinePropertiesDlg(CWorkbenchView* pView, CGuidelineItem* pGuideline, UINT iSelectPage);
  ~CGuidelinePropertiesDlg() override;

  CString GetRetainedPageTitle() override;
  void SetRetainedPageTitle(const CString& title) override;
  const CGuidelinePropertyData& GetCurrentData() const { return m_Current; }
  const CGuidelinePropertyData& GetAppliedData() const { return m_Applied; }

protected:
  void OnApplyNow() override;
  void OnOK() override;
  // Validates and saves the active page; FALSE keeps the sheet as it is.
  BOOL SaveActivePageData();
  void ApplyChanges();

  CWorkbenchView* m_pView;
  CGuidelineItem* m_pGuideline;
  CGuidelinePropertyData m_Current;
  CGuidelinePropertyData m_Applied;
  CMiscGuidelinePropertyPage* m_pMisc;
  CPositionGuidelinePropertyPage* m_pPosition;
};
