#pragma once
// Dialog controls addressed by id: buttons, edits, statics, list boxes (sorted lists sort
// without regard to case), combo boxes, scroll bars and the tab control of property sheets.
// Each notifies its parent with WM_COMMAND (or WM_HSCROLL/WM_VSCROLL) as the Windows controls do.
#include <memory>
#include <vector>

#include "ui/wnd/Resource.h"
#include "ui/wnd/Wnd.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;
class QScrollBar;
class QTabBar;

enum : int
{
  BST_UNCHECKED = 0,
  BST_CHECKED = 1
};

class CControl : public CWnd
{
  DECLARE_DYNAMIC(CControl)
public:
  // Tells the parent about a notification of this control.
  void NotifyParent(UINT nCode);
  // Binds this object to a control widget made elsewhere (a template or another object).
  virtual void BindWidget(HWND hWnd, UINT nID, DWORD dwStyle);

protected:
  HWND CreateHandle(const CREATESTRUCT& cs, HWND hParentHost) override;
  // Makes the control's widget for a template item or a Create call.
  virtual HWND MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle) = 0;
  virtual void Connect() {}
  friend void CreateDialogControls(CWnd*, const CDialogTemplate&);
};

class CButton : public CControl
{
  DECLARE_DYNAMIC(CButton)
public:
  int GetCheck() const;
  void SetCheck(int nCheck);
  // Clicks the button as the user would (notifications included).
  void Click();
  CDlgCtl GetKind() const { return m_kind; }
  void SetKind(CDlgCtl kind) { m_kind = kind; }

protected:
  HWND MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle) override;
  void Connect() override;
  void ApplyWindowText(const CString& text) override;
  CString ReadWindowText() const override;
  QAbstractButton* Button() const;

private:
  CDlgCtl m_kind = CDlgCtl::PushButton;
};

class CStatic : public CControl
{
  DECLARE_DYNAMIC(CStatic)
protected:
  HWND MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle) override;
  void ApplyWindowText(const CString& text) override;
  CString ReadWindowText() const override;
};

class CEdit : public CControl
{
  DECLARE_DYNAMIC(CEdit)
public:
  void LimitText(int nChars);
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  BOOL GetModify() const;
  void SetModify(BOOL bModified = TRUE);
  BOOL SetReadOnly(BOOL bReadOnly = TRUE);

protected:
  HWND MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle) override;
  void Connect() override;
  void ApplyWindowText(const CString& text) override;
  CString ReadWindowText() const override;
};

class CListBox : public CControl
{
  DECLARE_DYNAMIC(CListBox)
public:
  int AddString(LPCTSTR lpszItem);
  int InsertString(int nIndex, LPCTSTR lpszItem);
  int DeleteString(UINT nIndex);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const;
  // Whole-string search without regard to case, from the item after nIndexStart, wrapping.
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int FindString(int nStartAfter, LPCTSTR lpszItem) const;
  int SelectString(int nStartAfter, LPCTSTR lpszItem);
  int SetItemData(int nIndex, std::uintptr_t dwItemData);
  std::uintptr_t GetItemData(int nIndex) const;
  UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
  HWND MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle) override;
  void Connect() override;
  QListWidget* List() const;

private:
  BOOL m_bSetting = FALSE;
  // The selection the parent last knew of, so that each change notifies once.
  int m_nNotifiedSel = LB_ERR;
};

class CComboBox : public CControl
{
  DECLARE_DYNAMIC(CComboBox)
public:
  int AddString(LPCTSTR lpszString);
  int InsertString(int nIndex, LPCTSTR lpszString);
  int DeleteString(UINT nIndex);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszString);
  int SetItemData(int nIndex, std::uintptr_t dwItemData);
  std::uintptr_t GetItemData(int nIndex) const;
  // Chooses an item as the user would (notifications included).
  void Choose(int nIndex);

protected:
  HWND MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle) override;
  void Connect() override;
  void ApplyWindowText(const CString& text) override;
  CString ReadWindowText() const override;
  QComboBox* Combo() const;
};

class CScrollBar : public CControl
{
  DECLARE_DYNAMIC(CScrollBar)
public:
  void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const;
  int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
  int GetScrollPos() const { return m_nPos; }
  BOOL IsVertical() const { return (m_dwStyle & SBS_VERT) != 0; }

protected:
  HWND MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle) override;
  void Connect() override;
  QScrollBar* Bar() const;

private:
  int m_nPos = 0;
};

struct TCITEM
{
  UINT mask = 0;
  LPTSTR pszText = nullptr;
  int cchTextMax = 0;
};
constexpr UINT TCIF_TEXT = 0x0001;

class CTabCtrl : public CControl
{
  DECLARE_DYNAMIC(CTabCtrl)
public:
  int GetItemCount() const;
  BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
  int GetCurSel() const;

protected:
  HWND MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle) override;
};

// Makes the controls of a dialog template as children of pParent, which owns them.
void CreateDialogControls(CWnd* pParent, const CDialogTemplate& tmpl);
// The dialog base units of the dialog font (the application's font): the average width of its
// letters and the height of its characters, in pixels.
CSize GetDialogBaseUnits();
// Dialog units to pixels through the base units: x * width / 4, y * height / 8, rounded.
CRect DialogUnitsToPixels(const CRect& dlu);
CSize DialogUnitsToPixels(CSize dlu);
