#pragma once
// Translators that draw on a scale view: with the pens of the entity categories, or with one
// black pen in an inverting raster mode for the rubber-band feedback of a drag.
#include <functional>
#include <memory>

#include "views/Xltgdi.h"
#include "workbench/scale/Scalevw.h"

class CPen;

class CScaleViewTranslator : public CDCTranslator
{
  DECLARE_DYNAMIC(CScaleViewTranslator)
public:
  // Takes the view's scale, scroll position and client size as they are now: a translator
  // draws at one moment and is not kept.
  CScaleViewTranslator(CMapECatToXLTGDIData* pMap, CDC* pDC, CScaleView* pView);

  void Translate(const CVRX2DEntityArray& entities) override;
  void TranslateDrawList(const CDrawList& list) override;
  void TranslateMoved(const CVRX2DEntityArray& entities, const CVRX2DTransformationMatrix& move) override;
  void TranslateMovedDrawList(const CDrawList& list, const CVRX2DTransformationMatrix& move) override;
  CPoint ConvertPoint(CVRX2DPoint point) override;

protected:
  // The raster operation entities are drawn with.
  virtual int GetDrawMode() const;

  CScaleView* m_pView;

private:
  // Runs draw with the DC in the draw mode, and puts the DC's state back after.
  void InDrawMode(const std::function<void()>& draw);

  CWorldToClient m_toClient;
};

class CTrackerTranslator : public CScaleViewTranslator
{
  DECLARE_DYNAMIC(CTrackerTranslator)
public:
  // Draws everything with a black pen of the style (2 dotted, 0 solid), inverting.
  CTrackerTranslator(CDC* pDC, CScaleView* pView, int nPenStyle);
  ~CTrackerTranslator() override;

  CPen* GetPen(int category) override;

protected:
  int GetDrawMode() const override;

private:
  std::unique_ptr<CPen> m_pPen;
};
