#pragma once
// Translators that draw on a scale view: with the pens of the entity categories, or with one
// black pen in an inverting raster mode for the rubber-band feedback of a drag.
#include <memory>

#include "views/Xltgdi.h"

class CPen;
class CScaleView;

class CScaleViewTranslator : public CDCTranslator
{
  DECLARE_DYNAMIC(CScaleViewTranslator)
public:
  CScaleViewTranslator(CMapECatToXLTGDIData* pMap, CDC* pDC, CScaleView* pView);

  void Translate(const CVRX2DEntityArray& entities) override;
  CPoint ConvertPoint(CVRX2DPoint point) override;

protected:
  // The raster operation entities are drawn with.
  virtual int GetDrawMode() const;

  CScaleView* m_pView;
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
