#pragma once
// Translators that draw on a device context: lines and arcs with the pen and colour of their
// category. Derived classes decide how a world point becomes a device point.
#include <functional>
#include <utility>
#include <vector>

#include "platform/core/Rect.h"
#include "views/Xltent.h"

class CDC;
class CDrawList;
class CMapECatToXLTGDIData;
class CPen;
class CVRX2DPoint;
class CVRX2DTransformationMatrix;

class CDCTranslator : public CEntityTranslator
{
  DECLARE_DYNAMIC(CDCTranslator)
public:
  // Neither the map nor the device context is owned; the map may be null (black, current pen).
  CDCTranslator(CMapECatToXLTGDIData* pMap, CDC* pDC);

  // The lines of one category that follow each other are drawn with one call of the device
  // context: the same pixels, set up once. An entity that throws still finds the lines before it
  // drawn.
  void Translate(const CVRX2DEntityArray& entities) override;
  // The entities a draw list was copied from, drawn as Translate draws them.
  virtual void TranslateDrawList(const CDrawList& list);
  // The entities as copies of them transformed by the matrix would be drawn by Translate; the
  // lines are not copied (the move image of a large selection, at every step of a drag).
  virtual void TranslateMoved(const CVRX2DEntityArray& entities, const CVRX2DTransformationMatrix& move);
  // The same for a draw list's copies of the entities, drawn many times moved (the move image of
  // a large selection: its lines are read side by side, not visited where each was allocated).
  virtual void TranslateMovedDrawList(const CDrawList& list, const CVRX2DTransformationMatrix& move);
  // Sends the line on to TranslateSegment, as the draw list's lines go.
  void TranslateLine(const CVRX2DLine& line) override;
  void TranslateSegment(const CVRX2DPoint& start, const CVRX2DPoint& end, int category);
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
  // A line's points moved, and another entity's copy moved, drawn.
  void TranslateMovedLine(const CVRX2DPoint& start, const CVRX2DPoint& end, int category,
                          const CVRX2DTransformationMatrix& move);
  void TranslateMovedOther(const CVRX2DEntity& entity, const CVRX2DTransformationMatrix& move);
  // Runs translate with lines gathered while the raster operation copies, and draws them.
  void Gather(const std::function<void()>& translate);
  // Draws the lines gathered and empties the list.
  void DrawGatheredLines();

  CDC* m_pDC;
  BOOL m_bClipTo16Bits = TRUE;
  BOOL m_bGathering = FALSE;
  int m_nGatheredCategory = 0;
  CPen* m_pGatheredPen = nullptr;
  COLORREF m_gatheredColor = 0;
  std::vector<std::pair<CPoint, CPoint>> m_gathered;
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
