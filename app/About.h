#pragma once
// The About box with the product database's version texts and the product's picture; a
// Ctrl+Shift double click on the picture opens the Credits dialog.
#include "platform/core/Rect.h"
#include "ui/dlg/Dialog.h"

class CAboutDlg : public CDialog
{
  DECLARE_DYNAMIC(CAboutDlg)
  DECLARE_MESSAGE_MAP()
public:
  static constexpr UINT IDD = 101;
  static constexpr UINT kPictureId = 5075;

  CAboutDlg();
  BOOL OnInitDialog() override;
  // Where a double click reaches the picture (set by painting).
  CRect GetPictureRect() const { return m_rectPicture; }

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint() override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;
  void OnImportantNotice();

private:
  CString m_strVersion;
  CString m_strDatePopulated;
  CString m_strProductDataVersion;
  CString m_strSpecificationVersion;
  CRect m_rectPicture;
  CBitmap m_picture;
  int m_nPictureWidth = 0;
  int m_nPictureHeight = 0;
};

class CCreditsDlg : public CDialog
{
  DECLARE_DYNAMIC(CCreditsDlg)
public:
  static constexpr UINT IDD = 5077;
  CCreditsDlg() : CDialog(IDD) {}
};
