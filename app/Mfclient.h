#pragma once
// The area behind the MDI child frames: grey, with the maker's name embossed in its top-right
// corner, and the program's main commands on a right click.
#include <memory>

#include "ui/draw/Gdi.h"
#include "ui/wnd/Wnd.h"

class CDC;

class CMainFrameClient : public CWnd
{
  DECLARE_DYNAMIC(CMainFrameClient)
public:
  CMainFrameClient() = default;

  // The grey of the client area and the light grey of the caption.
  static constexpr COLORREF kBackground = RGB(128, 128, 128);
  static constexpr COLORREF kCaption = RGB(192, 192, 192);
  static constexpr COLORREF kHighlight = RGB(255, 255, 255);
  // The caption's picture, made on the first paint.
  static constexpr UINT kCaptionPictureId = 5091;

protected:
  void OnPaint() override;
  void OnSize(UINT nType, int cx, int cy) override;
  BOOL OnEraseBkgnd(CDC* pDC) override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
  // The object lives as long as the window it took over.
  void PostNcDestroy() override;

private:
  struct CCaptionLayout;
  static CCaptionLayout MeasureCaption(CDC& dc, int pixelsPerInch);
  static void DrawCaption(CDC& dc, int pixelsPerInch, const CCaptionLayout& layout);
  void MakeCaptionPicture(CDC& dc);

  std::unique_ptr<CBitmap> m_pCaption;
  CSize m_sizeCaption;

  int m_nLastWidth = 0;
  int m_nLastHeight = 0;
};
