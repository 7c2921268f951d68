#include "ui/dlg/DataExch.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QDockWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include "ui/dlg/Ctrls.h"
#include "ui/dlg/DialogService.h"
#include "ui/frame/MdiFrame.h"
#include "ui/wnd/QtApp.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/WndImpl.h"
#include "support/Trace.h"

namespace {
void Refuse(CDataExchange* pDX, const CString& message)
{
  AfxMessageBox(message, MB_ICONEXCLAMATION);
  pDX->Fail();
}

// What the user typed, as Qt holds it, before any conversion to program text.
QString TypedText(CWnd* control)
{
  if (auto* line = qobject_cast<QLineEdit*>(control->m_hWnd))
    return line->text();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(control->m_hWnd))
    return plain->toPlainText();
  CString text;
  control->GetWindowText(text);
  return ToQString(text);
}

CString TrimmedText(CWnd* control)
{
  CString text;
  control->GetWindowText(text);
  text.TrimLeft();
  text.TrimRight();
  return text;
}

// An optional sign and decimal digits; a number past the range of long is taken as the bound
// it passed, so that the range check after it refuses it with the field's own message.
bool ParseLong(const CString& text, long& value)
{
  if (text.IsEmpty())
    return false;
  const char* end = nullptr;
  value = StrToLong(text, &end);
  return end && *end == '\0';
}

// An optional sign, then decimal digits with at most one period: no exponent, no hexadecimal,
// no "inf" or "nan", which the C library would also read.
bool IsDecimal(const CString& text)
{
  int i = !text.IsEmpty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  int digits = 0;
  int periods = 0;
  for (; i < text.GetLength(); ++i) {
    if (text[i] == '.')
      ++periods;
    else if (text[i] >= '0' && text[i] <= '9')
      ++digits;
    else
      return false;
  }
  return digits > 0 && periods <= 1;
}

// Fifteen significant digits, written out without an exponent, so the field takes what it shows.
CString DecimalText(double value)
{
  const CString text = CString::Formatted("%.15g", value);
  if (text.Find('e') < 0)
    return text;
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  CString fixed = CString::Formatted("%.*f", std::clamp(14 - magnitude, 0, 400), value);
  if (fixed.Find('.') >= 0) {
    fixed.TrimRight('0');
    fixed.TrimRight('.');
  }
  return fixed;
}

// The control a refusal gave the keyboard back to, until the switch that may have been under
// way then has ended.
QPointer<QWidget>& RefusedControl()
{
  static QPointer<QWidget> control;
  return control;
}

// Whether the widget lies in the frame's window or in one of its floating bars; a dialog is a
// window of its own, whoever owns it.
bool LiesInFrame(const QWidget* frame, const QWidget* widget)
{
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (w == frame)
      return true;
    if (w->isWindow() && !qobject_cast<const QDockWidget*>(w))
      return false;
  }
  return false;
}

// Brings the control's child frame to the front when another one is active, then gives the
// control the keyboard.
void FocusInItsFrame(CWnd* pControl, BOOL bSelect)
{
  auto* child = dynamic_cast<CMDIChildWnd*>(pControl->GetParentFrame());
  if (CMDIFrameWnd* main = child ? child->GetMDIFrame() : nullptr;
      main && LiesInFrame(child->GetOuterHandle(), pControl->m_hWnd) && main->MDIGetActive() != child)
    child->MDIActivate();
  pControl->SetFocus();
  if (auto* edit = dynamic_cast<CEdit*>(pControl); edit && bSelect)
    edit->SetSel(0, -1);
}

template <class T>
T Clamped(long value)
{
  return static_cast<T>(std::clamp<long>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// The radio buttons of the group that starts with the control of nIDC, in template order.
std::vector<CButton*> RadioGroup(CWnd* dialog, int nIDC)
{
  std::vector<CButton*> group;
  bool started = false;
  for (QObject* child : dialog->GetChildHost()->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (!widget)
      continue;
    auto* button = dynamic_cast<CButton*>(CWnd::FromHandlePermanent(widget));
    if (!started) {
      started = button && button->GetDlgCtrlID() == nIDC;
      if (started)
        group.push_back(button);
      continue;
    }
    if (!button || button->GetKind() != CDlgCtl::RadioButton || (button->GetStyle() & WS_GROUP))
      break;
    group.push_back(button);
  }
  return group;
}

// Exchanges an int with a check box or a list's selection: the control must be of the kind asked.
template <class Ctrl, class Get, class Set>
void ExchangeState(CDataExchange* pDX, int nIDC, int& value, Get get, Set set)
{
  auto* control = dynamic_cast<Ctrl*>(pDX->PrepareCtrl(nIDC));
  if (!control)
    pDX->Fail();
  if (pDX->m_bSaveAndValidate)
    value = (control->*get)();
  else
    (control->*set)(value);
}
}  // namespace

CWnd* CDataExchange::PrepareCtrl(int nIDC)
{
  CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
  if (!control) {
    PCTRACE(TT_DIALOG_BOXES, TL_WARNING)("Data exchange with a control id %d that the dialog does not have.\n", nIDC);
    throw CDataExchangeFailure{};
  }
  m_idLastControl = nIDC;
  m_bEditLastControl = FALSE;
  return control;
}

CWnd* CDataExchange::PrepareEditCtrl(int nIDC)
{
  CWnd* control = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return control;
}

BOOL CDataExchange::MayGiveFocusBack() { return !CUnaskedScope::IsActive() && !CWnd::IsDestroyingWindows(); }

void CDataExchange::GiveFocusBack(CWnd* pControl, BOOL bSelect)
{
  if (!pControl || !pControl->m_hWnd || !MayGiveFocusBack())
    return;
  QPointer<QWidget> widget(pControl->m_hWnd);
  RefusedControl() = widget;
  FocusInItsFrame(pControl, bSelect);
  // A click elsewhere that met the refusal acts nowhere: the user has just been told so.
  CQtApplication::DropPressUnderWay();
  QTimer::singleShot(0, widget, [widget, bSelect] {
    if (RefusedControl() != widget)
      return;
    if (CWnd* control = CWnd::FromHandlePermanent(widget); control && MayGiveFocusBack())
      FocusInItsFrame(control, bSelect);
    RefusedControl() = nullptr;
  });
}

BOOL CDataExchange::IsHeldByRefusal(HWND hWnd) { return hWnd && RefusedControl() == hWnd; }

void CDataExchange::Fail()
{
  GiveFocusBack(m_pDlgWnd ? m_pDlgWnd->GetDlgItem(m_idLastControl) : nullptr, m_bEditLastControl);
  throw CDataExchangeFailure{};
}

void CDataExchange::ShowTaken(const CString& text) { m_taken.push_back({m_pDlgWnd, m_idLastControl, text}); }

void CDataExchange::ShowTakenTexts()
{
  for (const CTakenText& taken : m_taken)
    if (CWnd* control = taken.pDlgWnd ? taken.pDlgWnd->GetDlgItem(taken.nIDC) : nullptr)
      control->SetWindowText(taken.text);
  m_taken.clear();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const CDataExchangeFailure&) {
    return FALSE;
  }
  dx.ShowTakenTexts();
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
  CWnd* control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    control->SetWindowText(value);
    return;
  }
  // The text is kept in 1252: a character it cannot hold is refused, never dropped.
  const CString misfit = FirstUnrepresentableTyped(*control);
  if (!misfit.IsEmpty())
    Refuse(pDX, CString::Formatted("The character \"%s\" cannot be used here. Please use another character.",
                                   misfit.c_str()));
  control->GetWindowText(value);
}

CString FirstUnrepresentableTyped(CWnd& control)
{
  return CString::FirstUnrepresentable(TypedText(&control).toStdString());
}

void DDX_PathText(CDataExchange* pDX, int nIDC, CString& path)
{
  CWnd* control = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    path = PathFromQString(TypedText(control));
  else if (auto* line = qobject_cast<QLineEdit*>(control->m_hWnd))
    line->setText(PathToQString(path));
  else
    control->SetWindowText(path);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
  CWnd* control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    control->SetWindowText(CString::Formatted("%ld", value));
    return;
  }
  long parsed = 0;
  if (!ParseLong(TrimmedText(control), parsed))
    Refuse(pDX, "Please enter an integer.");
  value = parsed;
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
  long v = value;
  DDX_Text(pDX, nIDC, v);
  if (pDX->m_bSaveAndValidate)
    value = Clamped<int>(v);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
  CWnd* control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    control->SetWindowText(CString::Formatted("%u", value));
    return;
  }
  long parsed = 0;
  if (!ParseLong(TrimmedText(control), parsed) || parsed < 0)
    Refuse(pDX, "Please enter a positive integer.");
  value = Clamped<UINT>(parsed);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
  CWnd* control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    control->SetWindowText(DecimalText(value));
    return;
  }
  const CString text = TrimmedText(control);
  const double parsed = IsDecimal(text) ? StrToDouble(text) : 0.0;
  if (!IsDecimal(text) || !std::isfinite(parsed))
    Refuse(pDX, "Please enter a number.");
  value = parsed;
  pDX->ShowTaken(DecimalText(value));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
  ExchangeState<CButton>(pDX, nIDC, value, &CButton::GetCheck, &CButton::SetCheck);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
  pDX->PrepareCtrl(nIDC);
  const std::vector<CButton*> group = RadioGroup(pDX->m_pDlgWnd, nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = -1;
    for (size_t i = 0; i < group.size(); ++i)
      if (group[i]->GetCheck())
        value = static_cast<int>(i);
    return;
  }
  for (size_t i = 0; i < group.size(); ++i)
    group[i]->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
  ExchangeState<CListBox>(pDX, nIDC, index, &CListBox::GetCurSel, &CListBox::SetCurSel);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
  auto* list = dynamic_cast<CListBox*>(pDX->PrepareCtrl(nIDC));
  if (!list)
    pDX->Fail();
  if (pDX->m_bSaveAndValidate) {
    const int sel = list->GetCurSel();
    if (sel == LB_ERR)
      value.Empty();
    else
      list->GetText(sel, value);
  } else
    list->SetCurSel(list->FindStringExact(-1, value));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
  ExchangeState<CComboBox>(pDX, nIDC, index, &CComboBox::GetCurSel, &CComboBox::SetCurSel);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
  CWnd* control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    control->GetWindowText(value);
  else
    control->SetWindowText(value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
  if (rControl.m_hWnd)
    return;
  CWnd* existing = pDX->PrepareCtrl(nIDC);
  auto* target = dynamic_cast<CControl*>(&rControl);
  auto* source = dynamic_cast<CControl*>(existing);
  if (!target || !source)
    pDX->Fail();
  HWND widget = source->m_hWnd;
  const DWORD style = source->GetStyle();
  if (auto* sourceButton = dynamic_cast<CButton*>(source))
    if (auto* targetButton = dynamic_cast<CButton*>(target))
      targetButton->SetKind(sourceButton->GetKind());
  source->Detach();
  target->BindWidget(widget, static_cast<UINT>(nIDC), style);
}

namespace {
// A value outside its range is refused when the dialog saves; out-of-range initial data is only
// traced, since the user has not typed it.
void RefuseOutOfRange(CDataExchange* pDX, const char* format, const CString& minText, const CString& maxText)
{
  if (!pDX->m_bSaveAndValidate) {
    PCTRACE(TT_DIALOG_BOXES, TL_WARNING)("Initial dialog data is out of range.\n");
    return;
  }
  CString message;
  AfxFormatString2(message, format, minText, maxText);
  Refuse(pDX, message);
}
}  // namespace

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
  if (value < minVal || value > maxVal)
    RefuseOutOfRange(pDX, "Please enter an integer between %1 and %2.", CString::Formatted("%ld", minVal),
                     CString::Formatted("%ld", maxVal));
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
  DDV_MinMaxLong(pDX, value, minVal, maxVal);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
  DDV_MinMaxLong(pDX, static_cast<long>(value), static_cast<long>(minVal), static_cast<long>(maxVal));
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
  // Asked as "inside" so that a NaN is refused too.
  if (!(value >= minVal && value <= maxVal))
    RefuseOutOfRange(pDX, "Please enter a number between %1 and %2.", CString::Formatted("%.15g", minVal),
                     CString::Formatted("%.15g", maxVal));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
  if (!pDX->m_bSaveAndValidate) {
    if (auto* edit = dynamic_cast<CEdit*>(pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl)))
      edit->LimitText(nChars);
    return;
  }
  if (value.GetLength() <= nChars)
    return;
  CString message;
  AfxFormatString1(message, "Please enter no more than %1 characters.", CString::Formatted("%d", nChars));
  Refuse(pDX, message);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
  if (auto* button = dynamic_cast<CButton*>(GetDlgItem(nIDButton)))
    button->SetCheck(static_cast<int>(nCheck));
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
  auto* button = dynamic_cast<CButton*>(GetDlgItem(nIDButton));
  return button ? static_cast<UINT>(button->GetCheck()) : 0;
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    CheckDlgButton(id, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    if (IsDlgButtonChecked(id))
      return id;
  return 0;
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
  if (CWnd* item = GetDlgItem(nID))
    item->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
  rString.Empty();
  if (CWnd* item = GetDlgItem(nID))
    item->GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
  SetDlgItemText(nID, bSigned ? CString::Formatted("%d", static_cast<int>(nValue)) : CString::Formatted("%u", nValue));
}

namespace {
// An update request for a dialog control: the control takes the states.
class CDialogControlCmdUI : public CCmdUI
{
public:
  CWnd* m_pControl = nullptr;
  void Enable(BOOL bOn) override
  {
    CCmdUI::Enable(bOn);
    m_pControl->EnableWindow(bOn);
  }
  void SetCheck(int nCheck) override
  {
    CCmdUI::SetCheck(nCheck);
    if (auto* button = dynamic_cast<CButton*>(m_pControl))
      button->SetCheck(nCheck);
  }
  void SetText(LPCTSTR lpszText) override
  {
    CCmdUI::SetText(lpszText);
    m_pControl->SetWindowText(lpszText);
  }
};
}  // namespace

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
  if (!m_hWnd)
    return;
  for (QObject* child : GetChildHost()->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    CWnd* control = widget ? FromHandlePermanent(widget) : nullptr;
    if (!control || control->GetParent() != this || control->GetDlgCtrlID() == 0 || control->GetDlgCtrlID() == 0xFFFF ||
        dynamic_cast<CStatic*>(control))
      continue;
    // Only push buttons are greyed for want of a handler; other controls act through notifications.
    auto* button = dynamic_cast<CButton*>(control);
    const bool push =
        button && (button->GetKind() == CDlgCtl::PushButton || button->GetKind() == CDlgCtl::DefPushButton);
    CDialogControlCmdUI state;
    state.m_pControl = control;
    state.m_nID = static_cast<UINT>(control->GetDlgCtrlID());
    state.m_pOther = control;
    state.DoUpdate(pTarget, bDisableIfNoHandler && push);
  }
}
