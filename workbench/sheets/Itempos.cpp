#include "workbench/sheets/Itempos.h"

#include <cmath>

#include "ui/dlg/DataExch.h"
#include "ui/dlg/Ddx.h"
#include "ui/wnd/Resource.h"
#include "project/DocServices.h"
#include "support/Trace.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/view/Wbview.h"

IMPLEMENT_DYNAMIC(CItemPositionPropertyPage, CPropertyPage)

namespace {
CDialogItemTemplate Item(CDlgCtl kind, UINT id, const char* text, int x, int y, int cx, int cy)
{
  return DialogItem(kind, id, text, x, y, cx, cy);
}

const char* PointName(int mode) { return mode == 0 ? "ptAbsolute" : mode == 1 ? "ptRelative" : "Unknown"; }
}  // namespace

void RegisterItemPositionPage()
{
  constexpr auto kNone = static_cast<UINT>(-1);
  // Each length has a row of its own, wide enough for an edit-format length to seven decimals
  // with feet ("-100'-11.1234567\"").
  CDialogTemplate dlg{"Position", CSize(190, 136), {}};
  dlg.items = {
      Item(CDlgCtl::GroupBox, kNone, "", 6, 6, 177, 58),
      Item(CDlgCtl::RadioButton, IDC_POSITION_ABSOLUTE, "From &lower left corner of design", 12, 14, 160, 10),
      Item(CDlgCtl::Static, 2709, "Horizontal:", 14, 30, 40, 8),
      Item(CDlgCtl::Edit, IDC_POSITION_ABS_X, "", 60, 28, 110, 12),
      Item(CDlgCtl::Static, 2710, "Vertical:", 14, 46, 40, 8),
      Item(CDlgCtl::Edit, IDC_POSITION_ABS_Y, "", 60, 44, 110, 12),
      Item(CDlgCtl::GroupBox, kNone, "", 6, 68, 177, 58),
      Item(CDlgCtl::RadioButton, IDC_POSITION_RELATIVE, "From &present position", 12, 76, 160, 10),
      Item(CDlgCtl::Static, 2711, "Horizontal:", 14, 92, 40, 8),
      Item(CDlgCtl::Edit, IDC_POSITION_REL_X, "", 60, 90, 110, 12),
      Item(CDlgCtl::Static, 2712, "Vertical:", 14, 108, 40, 8),
      Item(CDlgCtl::Edit, IDC_POSITION_REL_Y, "", 60, 106, 110, 12),
  };
  CResources::Get().AddDialog(IDD_ITEM_POSITION, std::move(dlg));
}

BEGIN_MESSAGE_MAP(CItemPositionPropertyPage, CPropertyPage)
  ON_BN_CLICKED(IDC_POSITION_ABSOLUTE, OnRadioAbsolute)
  ON_BN_CLICKED(IDC_POSITION_RELATIVE, OnRadioRelative)
  ON_EN_CHANGE(IDC_POSITION_ABS_X, OnEditChange)
  ON_EN_CHANGE(IDC_POSITION_ABS_Y, OnEditChange)
  ON_EN_CHANGE(IDC_POSITION_REL_X, OnEditChange)
  ON_EN_CHANGE(IDC_POSITION_REL_Y, OnEditChange)
END_MESSAGE_MAP()

CItemPositionPropertyPage::CItemPositionPropertyPage(CWorkbenchView* pView, CDesignItem* pItem)
  : CPropertyPage(IDD_ITEM_POSITION), m_pView(pView), m_pItem(pItem), m_ptAbsolute(pItem->GetOffset().AsPoint())
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CItemPositionPropertyPage::CItemPositionPropertyPage\n");
}

CItemPositionPropertyPage::~CItemPositionPropertyPage()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CItemPositionPropertyPage::~CItemPositionPropertyPage\n");
}

BOOL CItemPositionPropertyPage::OnInitDialog()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CItemPositionPropertyPage::OnInitDialog\n");
  m_nMode = 0;
  m_bFilling = TRUE;
  const BOOL result = CPropertyPage::OnInitDialog();
  m_bFilling = FALSE;
  CheckRadioButton(IDC_POSITION_ABSOLUTE, IDC_POSITION_RELATIVE, IDC_POSITION_ABSOLUTE);
  return result;
}

BOOL CItemPositionPropertyPage::OnSetActive()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("CItemPositionPropertyPage::OnSetActive\n");
  m_bFilling = TRUE;
  const BOOL result = CPropertyPage::OnSetActive();
  m_bFilling = FALSE;
  EnableControls();
  return result;
}

void CItemPositionPropertyPage::EnableControls()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CItemPositionPropertyPage::EnableControls\n");
  for (UINT id : {IDC_POSITION_ABS_X, IDC_POSITION_ABS_Y})
    if (CWnd* pEdit = GetDlgItem(static_cast<int>(id)))
      pEdit->EnableWindow(m_nMode == 0);
  for (UINT id : {IDC_POSITION_REL_X, IDC_POSITION_REL_Y})
    if (CWnd* pEdit = GetDlgItem(static_cast<int>(id)))
      pEdit->EnableWindow(m_nMode == 1);
}

void CItemPositionPropertyPage::DoDataExchange(CDataExchange* pDX)
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CItemPositionPropertyPage::DoDataExchange\n");
  CPropertyPage::DoDataExchange(pDX);
  const CVRX2DVector present = m_pItem->GetOffset();
  if (!pDX->m_bSaveAndValidate) {
    double ax = m_ptAbsolute.GetX();
    double ay = m_ptAbsolute.GetY();
    double rx = m_vRelative.GetX();
    double ry = m_vRelative.GetY();
    if (m_nMode == 0) {
      DDX_Length(pDX, IDC_POSITION_ABS_X, ax);
      DDX_Length(pDX, IDC_POSITION_ABS_Y, ay);
      SetDlgItemText(IDC_POSITION_REL_X, "");
      SetDlgItemText(IDC_POSITION_REL_Y, "");
    } else {
      DDX_Length(pDX, IDC_POSITION_REL_X, rx);
      DDX_Length(pDX, IDC_POSITION_REL_Y, ry);
      SetDlgItemText(IDC_POSITION_ABS_X, "");
      SetDlgItemText(IDC_POSITION_ABS_Y, "");
    }
    return;
  }
  if (m_nMode == 0) {
    double x = m_ptAbsolute.GetX();
    double y = m_ptAbsolute.GetY();
    TakeLength(pDX, IDC_POSITION_ABS_X, x);
    DDV_Length(pDX, x, 0.0, kWorkbenchSquare);
    TakeLength(pDX, IDC_POSITION_ABS_Y, y);
    DDV_Length(pDX, y, 0.0, kWorkbenchSquare);
    m_ptAbsolute = CVRX2DPoint(x, y);
    m_vRelative = CVRX2DVector(x - present.GetX(), y - present.GetY());
  } else {
    double x = m_vRelative.GetX();
    double y = m_vRelative.GetY();
    TakeLength(pDX, IDC_POSITION_REL_X, x);
    DDV_Length(pDX, x, -present.GetX(), kWorkbenchSquare - present.GetX());
    TakeLength(pDX, IDC_POSITION_REL_Y, y);
    DDV_Length(pDX, y, -present.GetY(), kWorkbenchSquare - present.GetY());
    m_vRelative = CVRX2DVector(x, y);
    m_ptAbsolute = CVRX2DPoint(present.GetX() + x, present.GetY() + y);
  }
}

// A length read back as the one the field was filled with, within the rounding of its text,
// keeps that value to the last digit: taking the rounding would move the item, and join it
// afresh, where the user changed nothing.
void CItemPositionPropertyPage::TakeLength(CDataExchange* pDX, UINT nID, double& value)
{
  constexpr double kRounding = 1e-6;
  const double held = value;
  DDX_Length(pDX, static_cast<int>(nID), value);
  if (std::fabs(value - held) <= kRounding)
    value = held;
}

void CItemPositionPropertyPage::OnOK()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CItemPositionPropertyPage::OnOK\n");
  const CVRX2DVector offset = m_vRelative;
  if (!m_pItem->CanMoveTo(offset)) {
    MessageBox("One or more of the new coordinates causes the item position to be invalid.  Please enter valid "
               "values.",
               GetDocServices().GetProductName(), MB_OK);
    return;
  }
  m_pItem->Invalidate(m_pView);
  m_pItem->Offset(offset);
  m_pItem->Invalidate(m_pView);
  m_vRelative = CVRX2DVector();
  Fill();
}

void CItemPositionPropertyPage::SwitchMode(int to, UINT button)
{
  const UINT other = button == IDC_POSITION_RELATIVE ? IDC_POSITION_ABSOLUTE : IDC_POSITION_RELATIVE;
  BOOL saved = TRUE;
  if (IsDlgButtonChecked(static_cast<int>(button)) && m_nMode != to) {
    saved = UpdateData(TRUE);
    if (saved) {
      m_nMode = to;
      Fill();
    }
  }
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)
  ("CItemPositionPropertyPage::%s, m_pt = %s, Check = %d\n", to == 1 ? "OnRadioRelative" : "OnRadioAbsolute",
   PointName(m_nMode), saved);
  CheckRadioButton(IDC_POSITION_ABSOLUTE, IDC_POSITION_RELATIVE, static_cast<int>(saved ? button : other));
  EnableControls();
}

void CItemPositionPropertyPage::OnRadioAbsolute() { SwitchMode(0, IDC_POSITION_ABSOLUTE); }

void CItemPositionPropertyPage::OnRadioRelative() { SwitchMode(1, IDC_POSITION_RELATIVE); }

void CItemPositionPropertyPage::OnEditChange()
{
  PCTRACE(TT_DIALOG_BOXES, TL_VERBOSE)("CItemPositionPropertyPage::OnEditChange\n");
  if (!m_bFilling)
    SetModified(TRUE);
}

void CItemPositionPropertyPage::Fill()
{
  m_bFilling = TRUE;
  UpdateData(FALSE);
  m_bFilling = FALSE;
}
