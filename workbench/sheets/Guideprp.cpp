#include "workbench/sheets/Guideprp.h"

#include <cmath>

#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "ui/dlg/DataExch.h"
#include "ui/dlg/Ddx.h"
#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/wnd/Resource.h"
#include "project/DocServices.h"
#include "support/Trace.h"
#include "workbench/items/Guideitem.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CGuidelinePropertiesDlg, CRetainedPropertySheet)

namespace {
constexpr double kMaxWidth = 120.0;
constexpr double kMinPitch = 1.2;
constexpr double kMaxPitch = 119.6;

CString& RetainedPageTitle()
{
  static CString title;
  return title;
}

CDialogItemTemplate Item(CDlgCtl kind, UINT id, const char* text, int x, int y, int cx, int cy, DWORD style = 0)
{
  return CDialogItemTemplate(kind, id, text, CRect(x, y, x + cx, y + cy), style);
}

constexpr UINT kNoId = static_cast<UINT>(-1);

void TraceData(const CGuidelinePropertyData& d)
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)
  ("X = %g Y = %g, Angle = %5.2fR (%6.2f degrees), Width = %6.2f, Snap = %d\n", d.x, d.y, d.angle.GetRadians(),
   VRXRadiansToDegrees(d.angle.GetRadians()), d.width, d.snapToCenter);
}

const char* ModeName(int mode)
{
  switch (mode) {
  case CPositionGuidelinePropertyPage::ptAbsolute:
    return "ptAbsolute";
  case CPositionGuidelinePropertyPage::ptRelative:
    return "ptRelative";
  default:
    return "Unknown";
  }
}

// A thick line rising (or falling) to the right on a light ground inside a raised frame; pressed,
// the frame is sunken and the picture moves by a pixel.
constexpr int kSlopeWidth = 39;
constexpr int kSlopeHeight = 28;

void DrawSlope(CDC* pDC, BOOL bRising, BOOL bPressed, BOOL bFocused, BOOL bDisabled)
{
  const COLORREF light = RGB(255, 255, 255);
  const COLORREF shadow = RGB(128, 128, 128);
  pDC->FillSolidRect(0, 0, kSlopeWidth, kSlopeHeight, RGB(224, 224, 224));
  pDC->FillSolidRect(0, 0, kSlopeWidth, 1, bPressed ? shadow : light);
  pDC->FillSolidRect(0, 0, 1, kSlopeHeight, bPressed ? shadow : light);
  pDC->FillSolidRect(0, kSlopeHeight - 1, kSlopeWidth, 1, bPressed ? light : shadow);
  pDC->FillSolidRect(kSlopeWidth - 1, 0, 1, kSlopeHeight, bPressed ? light : shadow);
  const int shift = bPressed ? 1 : 0;
  CPen pen(PS_SOLID, 3, bDisabled ? shadow : RGB(0, 0, 0));
  CPen* pOld = pDC->SelectObject(&pen);
  pDC->MoveTo(7 + shift, (bRising ? 21 : 6) + shift);
  pDC->LineTo(31 + shift, (bRising ? 6 : 21) + shift);
  pDC->SelectObject(pOld);
  if (bFocused) {
    CPen dots(PS_DOT, 0, RGB(0, 0, 0));
    pOld = pDC->SelectObject(&dots);
    pDC->MoveTo(3, 3);
    pDC->LineTo(kSlopeWidth - 4, 3);
    pDC->LineTo(kSlopeWidth - 4, kSlopeHeight - 4);
    pDC->LineTo(3, kSlopeHeight - 4);
    pDC->LineTo(3, 3);
    pDC->SelectObject(pOld);
  }
}

void AddSlopeBitmap(UINT nID, BOOL bRising, BOOL bPressed, BOOL bFocused, BOOL bDisabled)
{
  CBitmapTemplate bitmap;
  bitmap.width = kSlopeWidth;
  bitmap.height = kSlopeHeight;
  bitmap.draw = [=](CDC* pDC) { DrawSlope(pDC, bRising, bPressed, bFocused, bDisabled); };
  CResources::Get().AddBitmap(nID, std::move(bitmap));
}

void Enable(CWnd* pPage, UINT nID, BOOL bEnable)
{
  if (CWnd* pCtl = pPage->GetDlgItem(static_cast<int>(nID)))
    pCtl->EnableWindow(bEnable);
}
}  // namespace

void RegisterGuidelineResources()
{
  CResources& res = CResources::Get();
  res.AddString(IDS_GUIDELINE_PROPERTIES, "Guideline Properties");
  CDialogTemplate misc{"Width And Pitch", CSize(190, 92), {}};
  misc.items = {
      Item(CDlgCtl::GroupBox, kNoId, "", 6, 6, 177, 31),
      Item(CDlgCtl::Static, kNoId, "&Width:", 9, 18, 24, 8),
      Item(CDlgCtl::Edit, IDC_GUIDELINE_WIDTH, "", 34, 16, 51, 12, WS_TABSTOP),
      Item(CDlgCtl::CheckBox, IDC_GUIDELINE_SNAP_CENTER, "Allow Snap to &Center", 92, 19, 88, 10, WS_TABSTOP),
      Item(CDlgCtl::GroupBox, kNoId, "&Pitch", 6, 43, 177, 41),
      Item(CDlgCtl::Edit, IDC_GUIDELINE_PITCH, "", 15, 61, 30, 12, WS_GROUP | WS_TABSTOP),
      Item(CDlgCtl::Static, kNoId, "/ 12", 47, 63, 20, 8),
      Item(CDlgCtl::RadioButton, IDC_GUIDELINE_SLOPE_UP, "", 71, 63, 8, 8, WS_GROUP | WS_TABSTOP),
      Item(CDlgCtl::RadioButton, IDC_GUIDELINE_SLOPE_DOWN, "", 120, 63, 8, 8),
      Item(CDlgCtl::PushButton, IDC_GUIDELINE_BTN_SLOPE_UP, "SlopeUp", 79, 60, 31, 14, WS_GROUP),
      Item(CDlgCtl::PushButton, IDC_GUIDELINE_BTN_SLOPE_DOWN, "SlopeDown", 128, 60, 32, 14),
  };
  res.AddDialog(IDD_GUIDELINE_MISC, std::move(misc));
  CDialogTemplate position{"Position", CSize(190, 130), {}};
  position.items = {
      Item(CDlgCtl::GroupBox, kNoId, "", 6, 6, 177, 56),
      Item(CDlgCtl::RadioButton, IDC_GUIDELINE_ABSOLUTE, "From &lower left corner of design", 12, 14, 160, 10,
           WS_GROUP | WS_TABSTOP),
      Item(CDlgCtl::Static, IDC_GUIDELINE_ABS_X_LABEL, "Horizontal:", 20, 30, 40, 8),
      Item(CDlgCtl::Edit, IDC_GUIDELINE_ABS_X, "", 64, 28, 60, 12, WS_TABSTOP),
      Item(CDlgCtl::Static, IDC_GUIDELINE_ABS_Y_LABEL, "Vertical:", 20, 46, 40, 8),
      Item(CDlgCtl::Edit, IDC_GUIDELINE_ABS_Y, "", 64, 44, 60, 12, WS_TABSTOP),
      Item(CDlgCtl::GroupBox, kNoId, "", 6, 68, 177, 56),
      Item(CDlgCtl::RadioButton, IDC_GUIDELINE_RELATIVE, "From &present position", 12, 76, 160, 10,
           WS_GROUP | WS_TABSTOP),
      Item(CDlgCtl::Static, IDC_GUIDELINE_REL_X_LABEL, "Horizontal:", 20, 92, 40, 8),
      Item(CDlgCtl::Edit, IDC_GUIDELINE_REL_X, "", 64, 90, 60, 12, WS_TABSTOP),
      Item(CDlgCtl::Static, IDC_GUIDELINE_REL_Y_LABEL, "Vertical:", 20, 108, 40, 8),
      Item(CDlgCtl::Edit, IDC_GUIDELINE_REL_Y, "", 64, 106, 60, 12, WS_TABSTOP),
  };
  res.AddDialog(IDD_GUIDELINE_POSITION, std::move(position));
  for (BOOL rising : {TRUE, FALSE}) {
    const UINT first = rising ? IDB_SLOPEUPU : IDB_SLOPEDOWNU;
    AddSlopeBitmap(first, rising, FALSE, FALSE, FALSE);
    AddSlopeBitmap(first + 1, rising, TRUE, FALSE, FALSE);
    AddSlopeBitmap(first + 2, rising, FALSE, TRUE, FALSE);
    AddSlopeBitmap(first + 3, rising, FALSE, FALSE, TRUE);
  }
}

// Width And Pitch.

BEGIN_MESSAGE_MAP(CMiscGuidelinePropertyPage, CPropertyPage)
  ON_BN_CLICKED(IDC_GUIDELINE_BTN_SLOPE_UP, OnBtnSlopeUp)
  ON_BN_CLICKED(IDC_GUIDELINE_BTN_SLOPE_DOWN, OnBtnSlopeDown)
  ON_BN_CLICKED(IDC_GUIDELINE_SLOPE_UP, OnRadioSlopeUp)
  ON_BN_CLICKED(IDC_GUIDELINE_SLOPE_DOWN, OnRadioSlopeDown)
  ON_BN_CLICKED(IDC_GUIDELINE_SNAP_CENTER, OnChanged)
  ON_EN_CHANGE(IDC_GUIDELINE_WIDTH, OnChanged)
  ON_EN_CHANGE(IDC_GUIDELINE_PITCH, OnChanged)
END_MESSAGE_MAP()

CMiscGuidelinePropertyPage::CMiscGuidelinePropertyPage(CWorkbenchView* pView, CGuidelinePropertyData* pData)
  : CPropertyPage(IDD_GUIDELINE_MISC), m_pView(pView), m_pData(pData)
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CMiscGuidelinePropertyPage construction.\n");
}

void CMiscGuidelinePropertyPage::AngleToPitch(const CVRXAngle& angle, double& pitch, int& kind, int& slopeDown)
{
  pitch = 0.0;
  slopeDown = 0;
  if (angle == CVRXAngle(0.0) || angle == CVRXAngle(VRX_PI)) {
    kind = 0;
    return;
  }
  if (angle == CVRXAngle(VRX_HALF_PI) || angle == CVRXAngle(VRX_HALF_PI + VRX_PI)) {
    kind = 1;
    return;
  }
  kind = 2;
  CVRX2DLine unit(0, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(1.0, 0.0));
  unit.Transform(CVRX2DTransformationMatrix(angle));
  const double s = 12.0 * unit.GetSlope();
  slopeDown = s < 0 ? 1 : 0;
  pitch = std::fabs(s);
}

CVRXAngle CMiscGuidelinePropertyPage::PitchToAngle(double pitch, int kind, int slopeDown)
{
  switch (kind) {
  case 0:
    return CVRXAngle(0.0);
  case 1:
    return CVRXAngle(VRX_HALF_PI);
  case 2:
    return CVRX2DPoint(0.0, 0.0).AngleTo(CVRX2DPoint(12.0, slopeDown ? -pitch : pitch));
  default:
    return CVRXAngle(0.0);
  }
}

void CMiscGuidelinePropertyPage::DoDataExchange(CDataExchange* pDX)
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CMiscGuidelinePropertyPage::DoDataExchange\n");
  DDX_Control(pDX, IDC_GUIDELINE_BTN_SLOPE_UP, m_btnSlopeUp);
  DDX_Control(pDX, IDC_GUIDELINE_BTN_SLOPE_DOWN, m_btnSlopeDown);
  DDX_Length(pDX, IDC_GUIDELINE_WIDTH, m_pData->width);
  DDV_Length(pDX, m_pData->width, 0.0, kMaxWidth);
  DDX_Check(pDX, IDC_GUIDELINE_SNAP_CENTER, m_pData->snapToCenter);
  int kind = 0;
  AngleToPitch(m_pData->angle, m_dPitch, kind, m_nSlopeDown);
  DDX_Radio(pDX, IDC_GUIDELINE_SLOPE_UP, m_nSlopeDown);
  if (kind == 2) {
    DDX_Text(pDX, IDC_GUIDELINE_PITCH, m_dPitch);
    DDV_MinMaxDouble(pDX, m_dPitch, kMinPitch, kMaxPitch);
  }
  m_pData->angle = PitchToAngle(m_dPitch, kind, m_nSlopeDown);
  if (!pDX->m_bSaveAndValidate && kind != 2) {
    CheckDlgButton(IDC_GUIDELINE_SLOPE_UP, 0);
    CheckDlgButton(IDC_GUIDELINE_SLOPE_DOWN, 0);
  }
}

BOOL CMiscGuidelinePropertyPage::OnInitDialog()
{
  m_bFilling = TRUE;
  CPropertyPage::OnInitDialog();
  m_bFilling = FALSE;
  m_btnSlopeUp.LoadBitmaps(IDB_SLOPEUPU, IDB_SLOPEUPD, IDB_SLOPEUPF, IDB_SLOPEUPX);
  m_btnSlopeDown.LoadBitmaps(IDB_SLOPEDOWNU, IDB_SLOPEDOWND, IDB_SLOPEDOWNF, IDB_SLOPEDOWNX);
  EnableControls();
  return TRUE;
}

BOOL CMiscGuidelinePropertyPage::OnSetActive()
{
  m_bFilling = TRUE;
  const BOOL result = CPropertyPage::OnSetActive();
  m_bFilling = FALSE;
  return result;
}

void CMiscGuidelinePropertyPage::EnableControls()
{
  const BOOL angled = m_pData->angle != CVRXAngle(0.0) && m_pData->angle != CVRXAngle(VRX_HALF_PI);
  for (UINT nID : {IDC_GUIDELINE_SLOPE_UP, IDC_GUIDELINE_SLOPE_DOWN, IDC_GUIDELINE_BTN_SLOPE_UP,
                   IDC_GUIDELINE_BTN_SLOPE_DOWN, IDC_GUIDELINE_PITCH})
    Enable(this, nID, angled);
}

void CMiscGuidelinePropertyPage::OnBtnSlopeUp()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CMiscGuidelinePropertyPage::OnBtnSlopeUp\n");
  SetModified(TRUE);
  CheckDlgButton(IDC_GUIDELINE_SLOPE_UP, 1);
  CheckDlgButton(IDC_GUIDELINE_SLOPE_DOWN, 0);
}

void CMiscGuidelinePropertyPage::OnBtnSlopeDown()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CMiscGuidelinePropertyPage::OnBtnSlopeDown\n");
  SetModified(TRUE);
  CheckDlgButton(IDC_GUIDELINE_SLOPE_UP, 0);
  CheckDlgButton(IDC_GUIDELINE_SLOPE_DOWN, 1);
}

void CMiscGuidelinePropertyPage::OnRadioSlopeUp()
{
  if (IsDlgButtonChecked(IDC_GUIDELINE_SLOPE_UP))
    OnBtnSlopeUp();
}

void CMiscGuidelinePropertyPage::OnRadioSlopeDown()
{
  if (IsDlgButtonChecked(IDC_GUIDELINE_SLOPE_DOWN))
    OnBtnSlopeDown();
}

void CMiscGuidelinePropertyPage::OnChanged()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CMiscGuidelinePropertyPage::OnChanged\n");
  if (!m_bFilling)
    SetModified(TRUE);
}

// Position.

BEGIN_MESSAGE_MAP(CPositionGuidelinePropertyPage, CPropertyPage)
  ON_BN_CLICKED(IDC_GUIDELINE_RELATIVE, OnRadioRelative)
  ON_BN_CLICKED(IDC_GUIDELINE_ABSOLUTE, OnRadioAbsolute)
  ON_EN_CHANGE(IDC_GUIDELINE_ABS_X, OnChangeEditPos)
  ON_EN_CHANGE(IDC_GUIDELINE_ABS_Y, OnChangeEditPos)
  ON_EN_CHANGE(IDC_GUIDELINE_REL_X, OnChangeEditPos)
  ON_EN_CHANGE(IDC_GUIDELINE_REL_Y, OnChangeEditPos)
END_MESSAGE_MAP()

CPositionGuidelinePropertyPage::CPositionGuidelinePropertyPage(CWorkbenchView* pView, CGuidelinePropertyData* pData)
  : CPropertyPage(IDD_GUIDELINE_POSITION), m_dAbsX(pData->x), m_dAbsY(pData->y), m_pView(pView), m_pData(pData)
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CPositionGuidelinePropertyPage construction.\n");
}

BOOL CPositionGuidelinePropertyPage::OnInitDialog()
{
  m_pt = ptAbsolute;
  m_bFilling = TRUE;
  CPropertyPage::OnInitDialog();
  m_bFilling = FALSE;
  CheckDlgButton(IDC_GUIDELINE_ABSOLUTE, 1);
  return TRUE;
}

BOOL CPositionGuidelinePropertyPage::OnSetActive()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("CPositionGuidelinePropertyPage::OnSetActive\n");
  m_bFilling = TRUE;
  const BOOL result = CPropertyPage::OnSetActive();
  m_bFilling = FALSE;
  EnableControls();
  return result;
}

void CPositionGuidelinePropertyPage::DoDataExchange(CDataExchange* pDX)
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CPositionGuidelinePropertyPage::DoDataExchange\n");
  const CVRX2DVector extent = m_pView->GetExtent();
  const double dx = m_pData->x;
  const double dy = m_pData->y;
  if (pDX->m_bSaveAndValidate) {
    if (m_pt == ptAbsolute) {
      DDX_Length(pDX, IDC_GUIDELINE_ABS_X, m_dAbsX);
      DDV_Length(pDX, m_dAbsX, 0.0, extent.GetX());
      DDX_Length(pDX, IDC_GUIDELINE_ABS_Y, m_dAbsY);
      DDV_Length(pDX, m_dAbsY, 0.0, extent.GetY());
      m_dRelX = m_dAbsX - dx;
      m_dRelY = m_dAbsY - dy;
    } else {
      DDX_Length(pDX, IDC_GUIDELINE_REL_X, m_dRelX);
      DDV_Length(pDX, m_dRelX, -dx, extent.GetX() - dx);
      DDX_Length(pDX, IDC_GUIDELINE_REL_Y, m_dRelY);
      DDV_Length(pDX, m_dRelY, -dy, extent.GetY() - dy);
      m_dAbsX = dx + m_dRelX;
      m_dAbsY = dy + m_dRelY;
    }
    return;
  }
  const BOOL absolute = m_pt == ptAbsolute;
  DDX_Length(pDX, absolute ? IDC_GUIDELINE_ABS_X : IDC_GUIDELINE_REL_X, absolute ? m_dAbsX : m_dRelX);
  DDX_Length(pDX, absolute ? IDC_GUIDELINE_ABS_Y : IDC_GUIDELINE_REL_Y, absolute ? m_dAbsY : m_dRelY);
  SetDlgItemText(absolute ? IDC_GUIDELINE_REL_X : IDC_GUIDELINE_ABS_X, "");
  SetDlgItemText(absolute ? IDC_GUIDELINE_REL_Y : IDC_GUIDELINE_ABS_Y, "");
}

void CPositionGuidelinePropertyPage::EnableControls()
{
  const double a = m_pData->angle.GetRadians();
  const BOOL horizontal = a == 0.0 || a == VRX_PI;
  const BOOL vertical = a == VRX_HALF_PI || a == VRX_HALF_PI + VRX_PI;
  if (!horizontal && !vertical) {
    // An angled guideline is positioned only relative to where it is.
    CheckDlgButton(IDC_GUIDELINE_ABSOLUTE, 0);
    Enable(this, IDC_GUIDELINE_ABSOLUTE, FALSE);
    CheckDlgButton(IDC_GUIDELINE_RELATIVE, 1);
    OnRadioRelative();
  }
  // Only the chosen way of placing is open, as on the item position page: a value typed into the
  // other would be emptied unread. A line along an axis has no position along it.
  struct
  {
    UINT edit;
    UINT label;
    int mode;
    BOOL xField;
  } const fields[] = {{IDC_GUIDELINE_ABS_X, IDC_GUIDELINE_ABS_X_LABEL, ptAbsolute, TRUE},
                      {IDC_GUIDELINE_ABS_Y, IDC_GUIDELINE_ABS_Y_LABEL, ptAbsolute, FALSE},
                      {IDC_GUIDELINE_REL_X, IDC_GUIDELINE_REL_X_LABEL, ptRelative, TRUE},
                      {IDC_GUIDELINE_REL_Y, IDC_GUIDELINE_REL_Y_LABEL, ptRelative, FALSE}};
  for (const auto& field : fields) {
    const BOOL open = m_pt == field.mode && !(field.xField ? horizontal : vertical);
    Enable(this, field.edit, open);
    Enable(this, field.label, open);
  }
}

void CPositionGuidelinePropertyPage::SwitchMode(int target, UINT nTargetButton, UINT nOtherButton)
{
  BOOL ok = TRUE;
  if (IsDlgButtonChecked(static_cast<int>(nTargetButton)) && m_pt != target) {
    ok = UpdateData(TRUE);
    if (ok) {
      m_pt = target;
      Fill();
    }
  }
  CheckDlgButton(static_cast<int>(ok ? nTargetButton : nOtherButton), 1);
  CheckDlgButton(static_cast<int>(ok ? nOtherButton : nTargetButton), 0);
}

void CPositionGuidelinePropertyPage::OnRadioRelative()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)
  ("CPositionGuidelinePropertyPage::OnRadioRelative, m_pt = %s, Check = %d\n", ModeName(m_pt),
   IsDlgButtonChecked(IDC_GUIDELINE_RELATIVE));
  SwitchMode(ptRelative, IDC_GUIDELINE_RELATIVE, IDC_GUIDELINE_ABSOLUTE);
  // The angled case of EnableControls calls this handler: it must not recurse.
  const double a = m_pData->angle.GetRadians();
  if (a == 0.0 || a == VRX_PI || a == VRX_HALF_PI || a == VRX_HALF_PI + VRX_PI)
    EnableControls();
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("Returning from OnRadioRelative.\n");
}

void CPositionGuidelinePropertyPage::OnRadioAbsolute()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)
  ("CPositionGuidelinePropertyPage::OnRadioAbsolute, m_pt = %s, Check = %d\n", ModeName(m_pt),
   IsDlgButtonChecked(IDC_GUIDELINE_ABSOLUTE));
  SwitchMode(ptAbsolute, IDC_GUIDELINE_ABSOLUTE, IDC_GUIDELINE_RELATIVE);
  EnableControls();
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("Returning from OnRadioAbsolute.\n");
}

void CPositionGuidelinePropertyPage::OnChangeEditPos()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CPositionGuidelinePropertyPage::OnChangeEditPos\n");
  if (!m_bFilling)
    SetModified(TRUE);
}

void CPositionGuidelinePropertyPage::Fill()
{
  m_bFilling = TRUE;
  UpdateData(FALSE);
  m_bFilling = FALSE;
}

void CPositionGuidelinePropertyPage::OnOK()
{
  m_pData->x = m_dAbsX;
  m_pData->y = m_dAbsY;
  SetModified(FALSE);
  m_dRelX = 0.0;
  m_dRelY = 0.0;
  Fill();
}

void CPositionGuidelinePropertyPage::Reload()
{
  m_dAbsX = m_pData->x;
  m_dAbsY = m_pData->y;
  m_dRelX = 0.0;
  m_dRelY = 0.0;
  if (GetSafeHwnd())
    Fill();
}

// The sheet.

CGuidelinePropertiesDlg::CGuidelinePropertiesDlg(CWorkbenchView* pView, CGuidelineItem* pGuideline, UINT iSelectPage)
  : CRetainedPropertySheet(IDS_GUIDELINE_PROPERTIES, nullptr, iSelectPage), m_pView(pView), m_pGuideline(pGuideline)
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CGuidelinePropertiesDlg construction.\n");
  const CVRX2DVector offset = pGuideline->GetOffset();
  m_Current.x = offset.GetX();
  m_Current.y = offset.GetY();
  m_Current.angle = pGuideline->GetAngle();
  m_Current.width = pGuideline->GetGuidelineWidth();
  m_Current.snapToCenter = pGuideline->GetSnapToCenter();
  m_Applied = m_Current;
  m_pMisc = new CMiscGuidelinePropertyPage(pView, &m_Current);
  m_pPosition = new CPositionGuidelinePropertyPage(pView, &m_Current);
  AddPage(m_pMisc);
  AddPage(m_pPosition);
}

CGuidelinePropertiesDlg::~CGuidelinePropertiesDlg()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CGuidelinePropertiesDlg destruction.\n");
  if (m_hWnd)
    DestroyWindow();
  for (int i = GetPageCount() - 1; i >= 0; --i)
    delete GetPage(i);
}

CString CGuidelinePropertiesDlg::GetRetainedPageTitle() { return RetainedPageTitle(); }

void CGuidelinePropertiesDlg::SetRetainedPageTitle(const CString& title) { RetainedPageTitle() = title; }

BOOL CGuidelinePropertiesDlg::SaveActivePageData()
{
  CPropertyPage* pActive = GetActivePage();
  if (pActive && !pActive->OnKillActive())
    return FALSE;
  if (pActive)
    pActive->OnOK();
  return TRUE;
}

void CGuidelinePropertiesDlg::OnApplyNow()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("CGuidelinePropertiesDlg::OnApply\n");
  if (!SaveActivePageData())
    return;
  ApplyChanges();
  CancelToClose();
  for (int i = 0; i < GetPageCount(); ++i)
    GetPage(i)->SetModified(FALSE);
  if (CWnd* pApply = GetDlgItem(ID_APPLY_NOW))
    pApply->EnableWindow(FALSE);
}

void CGuidelinePropertiesDlg::OnOK()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("CGuidelinePropertiesDlg::OnOK\n");
  if (!SaveActivePageData())
    return;
  ApplyChanges();
  CRetainedPropertySheet::OnOK();
}

void CGuidelinePropertiesDlg::ApplyChanges()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("Applying changes to guideline\n");
  TraceData(m_Current);
  const BOOL changed = m_Current.x != m_Applied.x || m_Current.y != m_Applied.y || m_Current.angle != m_Applied.angle ||
                       m_Current.width != m_Applied.width;
  if (changed)
    m_pGuideline->Invalidate(m_pView);
  if (m_Current.angle != m_Applied.angle)
    m_pGuideline->Rotate(m_Current.angle - m_Applied.angle, m_pGuideline->GetVisibleMidpoint());
  if (m_Current.width != m_Applied.width)
    m_pGuideline->SetGuidelineWidth(m_Current.width);
  if (m_Current.snapToCenter != m_Applied.snapToCenter)
    m_pGuideline->SetSnapToCenter(m_Current.snapToCenter);
  if (m_Current.x != m_Applied.x || m_Current.y != m_Applied.y) {
    const CVRX2DVector v(m_Current.x - m_Applied.x, m_Current.y - m_Applied.y);
    if (m_pGuideline->CanMoveTo(v))
      m_pGuideline->Offset(v);
    else
      MessageBox("The guildeline could not be repositioned as requested.", GetDocServices().GetProductName(),
                 MB_OK | MB_ICONEXCLAMATION);
  }
  if (changed)
    m_pGuideline->Invalidate(m_pView);
  // The guideline keeps its offset at the middle of its clipped centre line, which is seldom the
  // point typed (and a refused move leaves it where it was): the next Apply compares with, and
  // the page shows, where the guideline really is.
  const CVRX2DVector actual = m_pGuideline->GetOffset();
  m_Current.x = actual.GetX();
  m_Current.y = actual.GetY();
  m_Applied = m_Current;
  m_pPosition->Reload();
  m_pView->SendItemPropertiesHint(m_pGuideline);
}
