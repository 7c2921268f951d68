#pragma once
// Drawing objects: pens, brushes, fonts, regions and bitmaps. Each holds its attributes by value;
// a device context copies them when the object is selected.
#include <memory>

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "ui/draw/GdiTypes.h"
#include "ui/wnd/Msg.h"
#include "ui/draw/RectRegion.h"

class CDC;
class CImageData;

class CGdiObject : public CObject
{
  DECLARE_DYNAMIC(CGdiObject)
public:
  BOOL DeleteObject();
  BOOL CreateStockObject(int nIndex);
  // FALSE until the object has been created (or made from a stock object).
  BOOL IsCreated() const { return m_bCreated; }
  int GetStockIndex() const { return m_nStock; }
  static CGdiObject* GetStockObject(int nIndex);

protected:
  virtual void OnStock(int nIndex) = 0;
  void MarkCreated(BOOL created) { m_bCreated = created; }
  BOOL m_bCreated = FALSE;
  int m_nStock = -1;
};

class CPen : public CGdiObject
{
  DECLARE_DYNAMIC(CPen)
public:
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
  int GetStyle() const { return m_nStyle; }
  int GetWidth() const { return m_nWidth; }
  COLORREF GetColor() const { return m_color; }

protected:
  void OnStock(int nIndex) override;

private:
  int m_nStyle = PS_SOLID;
  int m_nWidth = 0;
  COLORREF m_color = 0;
};

class CBrush : public CGdiObject
{
  DECLARE_DYNAMIC(CBrush)
public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
  BOOL CreateSolidBrush(COLORREF crColor);
  BOOL IsNull() const { return m_nStyle == BS_NULL; }
  COLORREF GetColor() const { return m_color; }

protected:
  void OnStock(int nIndex) override;

private:
  int m_nStyle = BS_SOLID;
  COLORREF m_color = RGB(255, 255, 255);
};

class CFont : public CGdiObject
{
  DECLARE_DYNAMIC(CFont)
public:
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
  // nPointSize in tenths of a point, measured on pDC (the screen when null).
  BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
  int GetLogFont(LOGFONT* pLogFont) const;
  const LOGFONT& GetLogFontRef() const { return m_logFont; }

protected:
  void OnStock(int nIndex) override;

private:
  LOGFONT m_logFont;
};

class CRgn : public CGdiObject
{
  DECLARE_DYNAMIC(CRgn)
public:
  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(LPCRECT lpRect);
  BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nPolyFillMode);
  void SetRectRgn(int x1, int y1, int x2, int y2);
  // Combines two regions into this one (which must have been created); returns the region kind.
  int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
  int OffsetRgn(int x, int y);
  BOOL PtInRegion(int x, int y) const;
  int GetRgnBox(LPRECT lpRect) const;
  const CRectRegion& Region() const { return m_region; }

protected:
  void OnStock(int) override {}

private:
  int Kind() const;
  CRectRegion m_region;
};

// A bitmap held as an image; made from a registered bitmap resource or drawn by the program.
class CBitmap : public CGdiObject
{
  DECLARE_DYNAMIC(CBitmap)
public:
  CBitmap();
  ~CBitmap() override;
  BOOL LoadBitmap(UINT nIDResource);
  // The same picture drawn at a scale (the screen's device pixel ratio): its size stays the
  // template's and its image holds the device pixels, drawn on as a window surface at that ratio
  // is, so that it is sharp and its lines are as heavy as at 100 %.
  BOOL LoadBitmap(UINT nIDResource, double dScale);
  BOOL CreateBitmap(int nWidth, int nHeight);
  CSize GetSize() const;
  // The same picture drawn at the screen's device pixel ratio when that is above 1 (a resource
  // loaded at its own size); null otherwise.
  const CImageData* SharpImage() const { return m_pSharp.get(); }
  const CImageData* Image() const { return m_pImage.get(); }
  CImageData* Image() { return m_pImage.get(); }

protected:
  void OnStock(int) override {}

private:
  std::unique_ptr<CImageData> m_pImage;
  std::unique_ptr<CImageData> m_pSharp;
};

using HBRUSH = const CBrush*;
