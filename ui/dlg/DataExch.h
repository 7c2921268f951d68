#pragma once
// Dialog data exchange: moving values between member variables and controls (loading shows the
// values, saving reads and checks them). A value that does not pass is reported to the user, the
// control gets the focus and the whole exchange fails.
#include <vector>

#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

class CWnd;

// Thrown by value by CDataExchange::Fail; UpdateData catches it.
struct CDataExchangeFailure
{};

class CDataExchange
{
public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  // The control of the id in the window being exchanged; an unknown id is a failed exchange.
  CWnd* PrepareCtrl(int nIDC);
  CWnd* PrepareEditCtrl(int nIDC);
  // Gives the focus to the last prepared control, its text selected, and fails the exchange;
  // the focus stays where it is while the refused value cannot be typed again (below).
  [[noreturn]] void Fail();
  // Whether a refused field may take the keyboard back: not while nobody is asked (the end of the
  // session) and not while windows are being destroyed, whose focus changes would check it again.
  static BOOL MayGiveFocusBack();
  // Gives a refused control the keyboard back, where it may (above), its text selected when
  // asked, and brings its frame to the front again when another child window was activated.
  // A refusal met as the keyboard left for another window (Ctrl+Tab, a click there) comes while
  // that switch is under way, and the switch goes on after it: once it has ended, the control
  // and its frame take the keyboard and the front once more, so the switch does not happen, and
  // a press that made the switch reaches no window.
  static void GiveFocusBack(CWnd* pControl, BOOL bSelect);
  // Whether the keyboard is in the control that a refusal gave it back to, and waits there for
  // a switch under way to end: its frame's activation leaves it there.
  static BOOL IsHeldByRefusal(HWND hWnd);
  // The text a saving exchange shows in the last prepared control for the value it took. It is
  // shown only once the whole exchange has passed, so a refusal leaves every field as typed.
  void ShowTaken(const CString& text);
  // Shows the texts of ShowTaken; UpdateData calls it when the exchange has passed.
  void ShowTakenTexts();

  BOOL m_bSaveAndValidate;
  // The window whose controls are exchanged; a view may point it at its dialog bar.
  CWnd* m_pDlgWnd;
  int m_idLastControl = 0;
  BOOL m_bEditLastControl = FALSE;

private:
  struct CTakenText
  {
    CWnd* pDlgWnd;
    int nIDC;
    CString text;
  };
  std::vector<CTakenText> m_taken;
};

// Program text, held in Windows-1252: a typed character 1252 cannot hold is refused, naming it.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// The first character typed in the control that program text cannot hold (UTF-8); empty when
// it holds none.
CString FirstUnrepresentableTyped(CWnd& control);
// A path, kept as the system's bytes whatever characters it holds.
void DDX_PathText(CDataExchange* pDX, int nIDC, CString& path);
// Integers in decimal digits; one past the range of the type is taken as the bound it passed, so
// the range check after it refuses it rather than a wrapped value passing.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
// Decimal figures only (no exponent, no hexadecimal); the field then shows the value taken.
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked button of the radio group that starts at nIDC (-1 for none).
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// Binds a control object to the dialog's control of the id (once).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
