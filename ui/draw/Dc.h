#pragma once
// Device contexts with the drawing interface's semantics. Window device contexts draw into the
// window's retained surface; the same class draws on printers and into clipboard pictures.
#include <memory>
#include <utility>
#include <vector>

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "ui/draw/DcMapping.h"
#include "ui/draw/Gdi.h"
#include "ui/draw/Raster.h"

class CDcDevice;
class CImageData;
class CWnd;
class CMetaFileData;
class QPainter;
using HMETAFILE = CMetaFileData*;

class CDC : public CObject
{
  DECLARE_DYNAMIC(CDC)
public:
  CDC();
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // Attaches a device: a memory image, or a device made by platform code (window, printer).
  void AttachImage(CImageData* pImage);
  void AttachDevice(std::unique_ptr<CDcDevice> device);
  CDcDevice* GetDevice() const { return m_pDevice.get(); }
  BOOL IsPrinting() const { return m_bPrinting; }
  void SetPrinting(BOOL bPrinting) { m_bPrinting = bPrinting; }
  int GetDeviceCaps(int nIndex) const;
  // A second device context that answers the device questions (metafiles and their reference).
  void SetAttribDC(CDC* pAttribDC) { m_pAttribDC = pAttribDC; }

  // Screen resolution; tests set it so that drawings are the same on every machine.
  static CSize GetScreenLogPixels();
  static void SetScreenLogPixels(int x, int y);
  static CSize GetScreenSize();

  int SaveDC();
  BOOL RestoreDC(int nSavedDC);

  CPen* SelectObject(CPen* pPen);
  CBrush* SelectObject(CBrush* pBrush);
  CFont* SelectObject(CFont* pFont);
  int SelectObject(CRgn* pRgn);
  CGdiObject* SelectStockObject(int nIndex);
  CPen* GetCurrentPen() const { return m_state.pPen; }
  CBrush* GetCurrentBrush() const { return m_state.pBrush; }
  CFont* GetCurrentFont() const { return m_state.pFont; }

  int SetROP2(int nDrawMode);
  int GetROP2() const { return m_state.rop; }
  COLORREF SetTextColor(COLORREF crColor);
  COLORREF GetTextColor() const { return m_state.textColor; }
  COLORREF SetBkColor(COLORREF crColor);
  COLORREF GetBkColor() const { return m_state.bkColor; }
  int SetBkMode(int nBkMode);
  int GetBkMode() const { return m_state.bkMode; }
  UINT SetTextAlign(UINT nFlags);
  UINT GetTextAlign() const { return m_state.textAlign; }
  int SetPolyFillMode(int nPolyFillMode);

  int SetMapMode(int nMapMode) { return m_state.mapping.SetMapMode(nMapMode); }
  int GetMapMode() const { return m_state.mapping.GetMapMode(); }
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint SetViewportOrg(int x, int y) { return m_state.mapping.SetViewportOrg(CPoint(x, y)); }
  CPoint SetViewportOrg(POINT p) { return m_state.mapping.SetViewportOrg(p); }
  CPoint OffsetViewportOrg(int dx, int dy);
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
  CSize SetViewportExt(int cx, int cy) { return m_state.mapping.SetViewportExt(CSize(cx, cy)); }
  CSize SetViewportExt(SIZE s) { return m_state.mapping.SetViewportExt(s); }
  CPoint GetWindowOrg() const { return m_state.mapping.GetWindowOrg(); }
  CPoint GetViewportOrg() const { return m_state.mapping.GetViewportOrg(); }
  CSize GetWindowExt() const { return m_state.mapping.GetWindowExt(); }
  CSize GetViewportExt() const { return m_state.mapping.GetViewportExt(); }
  void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
  void LPtoDP(LPRECT lpRect) const;
  void LPtoDP(LPSIZE lpSize) const;
  void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
  void DPtoLP(LPRECT lpRect) const;
  void DPtoLP(LPSIZE lpSize) const;

  // Clipping, in logical units where a rectangle is given.
  int GetClipBox(LPRECT lpRect) const;
  int SelectClipRgn(CRgn* pRgn);
  int IntersectClipRect(int x1, int y1, int x2, int y2);
  int IntersectClipRect(LPCRECT lpRect);
  BOOL RectVisible(LPCRECT lpRect) const;

  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  // Separate lines with the current pen, each drawn as MoveTo(first) and LineTo(second) would
  // draw it and then given its last pixel as SetPixel(second, endColor) would; the current
  // position ends at the last line's end. The lines of a whole drawing in one call cost the
  // device's set-up once. Where a window pixel is wider than the pen (150 %), the last pixel is
  // the pen's square where its window pixel starts, as SetPixel sets it.
  BOOL DrawSegments(const std::vector<std::pair<CPoint, CPoint>>& segments, COLORREF endColor);
  // The same lines for an inverting raster operation: each drawn as MoveTo(first), LineTo(second)
  // draws it, then its last pixel through the pen as MoveTo(second), LineTo(second.x + 1,
  // second.y) draws it, so that drawing them twice restores every pixel. Where a window pixel is
  // wider than the pen that last pixel is the pen's square where its window pixel starts, as in
  // DrawSegments, so it neither overlaps a line running left nor sticks out past the lines
  // that meet there. The current position and the pen's style position end as those calls
  // would leave them.
  BOOL DrawSegmentsThroughPen(const std::vector<std::pair<CPoint, CPoint>>& segments);
  CPoint GetCurrentPosition() const { return m_state.current; }
  COLORREF SetPixel(int x, int y, COLORREF crColor);
  COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
  COLORREF GetPixel(int x, int y) const;
  BOOL Rectangle(int x1, int y1, int x2, int y2);
  BOOL Rectangle(LPCRECT lpRect);
  BOOL Ellipse(int x1, int y1, int x2, int y2);
  BOOL Ellipse(LPCRECT lpRect);
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL Polygon(const POINT* lpPoints, int nCount);
  BOOL Polyline(const POINT* lpPoints, int nCount);
  void FillRect(LPCRECT lpRect, CBrush* pBrush);
  void FillSolidRect(LPCRECT lpRect, COLORREF clr);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
  BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
  void InvertRect(LPCRECT lpRect);
  // Copies a bitmap at its own size with its top left at (x, y).
  BOOL DrawBitmap(int x, int y, const CBitmap* pBitmap);

  BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
  BOOL TextOut(int x, int y, const CString& str);
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
  CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const;
  BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;

protected:
  struct State
  {
    CDcMapping mapping;
    CPen* pPen = nullptr;
    CBrush* pBrush = nullptr;
    CFont* pFont = nullptr;
    int penStyle = PS_SOLID;
    int penWidth = 0;
    COLORREF penColor = 0;
    BOOL brushNull = FALSE;
    COLORREF brushColor = RGB(255, 255, 255);
    LOGFONT font;
    int rop = R2_COPYPEN;
    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int polyFillMode = ALTERNATE;
    CPoint current;
    CStyleState style;
    BOOL hasClip = FALSE;
    CRectRegion clip;  // device coordinates
  };

  CPoint ToDevice(int x, int y) const { return m_state.mapping.LPtoDP(CPoint(x, y)); }
  CRect ToDevice(const RECT& r) const;
  // Converts the points of many segments: a mapping that only shifts shifts each alike.
  template <class Convert>
  void WithDeviceMapping(Convert&& convert) const
  {
    if (!m_state.mapping.IsIdentityScale()) {
      convert([this](CPoint p) { return ToDevice(p.x, p.y); });
      return;
    }
    const CPoint shift = ToDevice(0, 0);
    convert([shift](CPoint p) { return CPoint(p.x + shift.x, p.y + shift.y); });
  }
  void ApplyClip();

  std::unique_ptr<CDcDevice> m_pDevice;
  State m_state;
  // Kept between calls of DrawSegments, which would otherwise allocate for each.
  std::vector<std::pair<CPoint, CPoint>> m_deviceSegments;
  std::vector<State> m_saved;
  BOOL m_bPrinting = FALSE;
  CDC* m_pAttribDC = nullptr;
  // Set while recording a picture: the window origin and extent become its frame.
  CMetaFileData* m_pRecording = nullptr;
};

// A device context for painting a window's invalid region (WM_PAINT).
class CPaintDC : public CDC
{
  DECLARE_DYNAMIC(CPaintDC)
public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;

  struct PAINTSTRUCT
  {
    BOOL fErase = FALSE;
    CRect rcPaint;
  } m_ps;

protected:
  CWnd* m_pWnd;
};

// A device context on a window's whole client area, outside painting.
class CClientDC : public CDC
{
  DECLARE_DYNAMIC(CClientDC)
public:
  explicit CClientDC(CWnd* pWnd);

protected:
  CWnd* m_pWnd;
};

// Records drawing as a picture; used for the drawing put on the clipboard.
class CMetaFileDC : public CDC
{
  DECLARE_DYNAMIC(CMetaFileDC)
public:
  CMetaFileDC();
  ~CMetaFileDC() override;
  BOOL Create(LPCTSTR lpszFilename = nullptr);
  // Ends the recording; the caller owns the picture (DeleteMetaFile).
  HMETAFILE Close();

private:
  std::unique_ptr<CMetaFileData> m_pData;
  std::unique_ptr<QPainter> m_pPainter;
};

void DeleteMetaFile(HMETAFILE hMF);
