#include "workbench/scale/Scalexlt.h"

#include <utility>

#include "ui/draw/Dc.h"
#include "ui/draw/Gdi.h"
#include "ui/output/Clipguard.h"
#include "workbench/scale/Scalevw.h"

IMPLEMENT_DYNAMIC(CScaleViewTranslator, CDCTranslator)
IMPLEMENT_DYNAMIC(CTrackerTranslator, CScaleViewTranslator)

CScaleViewTranslator::CScaleViewTranslator(CMapECatToXLTGDIData* pMap, CDC* pDC, CScaleView* pView)
  : CDCTranslator(pMap, pDC), m_pView(pView), m_toClient(pView->GetWorldToClient())
{}

int CScaleViewTranslator::GetDrawMode() const { return R2_COPYPEN; }

void CScaleViewTranslator::InDrawMode(const std::function<void()>& draw)
{
  CSavedDC saved(GetDC());
  GetDC()->SetROP2(GetDrawMode());
  draw();
}

void CScaleViewTranslator::Translate(const CVRX2DEntityArray& entities)
{
  InDrawMode([&] { CDCTranslator::Translate(entities); });
}

void CScaleViewTranslator::TranslateDrawList(const CDrawList& list)
{
  InDrawMode([&] { CDCTranslator::TranslateDrawList(list); });
}

void CScaleViewTranslator::TranslateMoved(const CVRX2DEntityArray& entities, const CVRX2DTransformationMatrix& move)
{
  InDrawMode([&] { CDCTranslator::TranslateMoved(entities, move); });
}

void CScaleViewTranslator::TranslateMovedDrawList(const CDrawList& list, const CVRX2DTransformationMatrix& move)
{
  // Two pointers at most, kept without a heap block: every unit of a redraw comes through here.
  const std::pair<const CDrawList&, const CVRX2DTransformationMatrix&> drawn(list, move);
  InDrawMode([this, &drawn] { CDCTranslator::TranslateMovedDrawList(drawn.first, drawn.second); });
}

CPoint CScaleViewTranslator::ConvertPoint(CVRX2DPoint point) { return m_toClient(point); }

CTrackerTranslator::CTrackerTranslator(CDC* pDC, CScaleView* pView, int nPenStyle)
  : CScaleViewTranslator(nullptr, pDC, pView), m_pPen(std::make_unique<CPen>(nPenStyle, 0, RGB(0, 0, 0)))
{}

CTrackerTranslator::~CTrackerTranslator() = default;

CPen* CTrackerTranslator::GetPen(int) { return m_pPen.get(); }

int CTrackerTranslator::GetDrawMode() const { return R2_NOTXORPEN; }
