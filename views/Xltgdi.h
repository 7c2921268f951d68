#pragma once
// Translators that draw on a device context: lines and arcs with the pen and colour of their
// category. Derived classes decide how a world point becomes a device point.
#include "platform/core/Rect.h"
#include "views/Xltent.h"

class CDC;
class CMapECatToXLTGDIData;
class CPen;
class CVRX2DPoint;

class CDCTranslator : public CEntityTranslator
{
  DECLARE_DYNAMIC(CDCTranslator)
public:
  // Neither the map nor the device context is owned; the map may be null (black, current pen).
  CDCTranslator(CMapECatToXLTGDIData* pMap, CDC* pDC);

  void TranslateLine(const CVRX2DLine& line) override;
  void TranslateArc(const CVRX2DArc& arc) override;
  // One platform arc call for an arc of equal radii or an axis along x or y.
  virtual void DrawArc(const CVRX2DArc& arc);
  virtual CPoint ConvertPoint(CVRX2DPoint point) = 0;
  // The category's pen; null without a map.
  virtual CPen* GetPen(int category);
  // The category's colour; black without a map.
  COLORREF GetColor(int category);
  CMapECatToXLTGDIData* GetGDIMap() const;
  CDC* GetDC() const { return m_pDC; }
  // Lines are cut at the 16-bit coordinate window unless this is switched off.
  void SetClipTo16Bits(BOOL bClip) { m_bClipTo16Bits = bClip; }

private:
  // The platform's lines leave out their last pixel; this sets it. In an inverting raster mode
  // it is inverted like the rest of the line, so that drawing twice restores it.
  void DrawEndPixel(CPoint point, int category);

  CDC* m_pDC;
  BOOL m_bClipTo16Bits = TRUE;
};

// Maps a world point by one scale factor; the device context's mapping does the rest.
class CGDITranslator : public CDCTranslator
{
  DECLARE_DYNAMIC(CGDITranslator)
public:
  CGDITranslator(CMapECatToXLTGDIData* pMap, CDC* pDC, double scale);

  void Translate(const CVRX2DEntityArray& entities) override;
  CPoint ConvertPoint(CVRX2DPoint point) override;

private:
  double m_dScale;
};
