#pragma once
// The product's picture in a borderless, topmost window centred on the screen while the program
// starts. It closes itself when its time is up or when it is clicked; keys leave it alone.
#include "ui/wnd/Wnd.h"

class CSplashWnd : public CWnd
{
  DECLARE_DYNAMIC(CSplashWnd)
public:
  static constexpr UINT kPictureId = 5033;
  static constexpr UINT_PTR kTimerId = 13;

  CSplashWnd();
  ~CSplashWnd() override;

  // Shows the picture for that many milliseconds; when the window cannot be made, nothing is
  // shown and start-up goes on.
  void Show(UINT milliseconds);
  // Closes the picture before its time; nothing when it is not shown.
  void Close();
  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  void OnPaint() override;
  void OnTimer(UINT_PTR nIDEvent) override;

private:
  CBitmap m_picture;
  int m_nPictureHeight = 0;
  int m_nPictureWidth = 0;
  UINT_PTR m_nTimerId = 0;
};
