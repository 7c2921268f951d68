#include "ui/draw/Dc.h"

#include <algorithm>
#include <utility>

#include <QGuiApplication>
#include <QScreen>

#include "ui/draw/DcDevice.h"
#include "ui/draw/ImageData.h"
#include "ui/draw/MetaFile.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {
CSize g_logPixelsOverride(0, 0);
}

CDC::CDC()
{
  SelectObject(static_cast<CPen*>(CGdiObject::GetStockObject(BLACK_PEN)));
  SelectObject(static_cast<CBrush*>(CGdiObject::GetStockObject(WHITE_BRUSH)));
  SelectObject(static_cast<CFont*>(CGdiObject::GetStockObject(SYSTEM_FONT)));
}

CDC::~CDC() = default;

void CDC::AttachImage(CImageData* pImage)
{
  const CSize size = pImage->Size();
  m_pDevice = std::make_unique<CRasterDevice>(pImage, CRectRegion(CRect(0, 0, size.cx, size.cy)));
}

void CDC::AttachDevice(std::unique_ptr<CDcDevice> device) { m_pDevice = std::move(device); }

int CDC::GetDeviceCaps(int nIndex) const
{
  if (m_pAttribDC)
    return m_pAttribDC->GetDeviceCaps(nIndex);
  if (m_pDevice)
    return m_pDevice->GetCaps(nIndex);
  return 0;
}

CSize CDC::GetScreenLogPixels()
{
  if (g_logPixelsOverride.cx > 0)
    return g_logPixelsOverride;
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    if (QScreen* screen = app->primaryScreen())
      return CSize(static_cast<int>(screen->logicalDotsPerInchX() + 0.5),
                   static_cast<int>(screen->logicalDotsPerInchY() + 0.5));
  return CSize(96, 96);
}

void CDC::SetScreenLogPixels(int x, int y) { g_logPixelsOverride = CSize(x, y); }

CSize CDC::GetScreenSize()
{
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    if (QScreen* screen = app->primaryScreen())
      return CSize(screen->geometry().width(), screen->geometry().height());
  return CSize(1024, 768);
}

int CDC::SaveDC()
{
  m_saved.push_back(m_state);
  return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC)
{
  // A negative number counts back from the most recent save.
  const int count = static_cast<int>(m_saved.size());
  const int index = nSavedDC < 0 ? count + nSavedDC : nSavedDC - 1;
  if (index < 0 || index >= count)
    return FALSE;
  m_state = m_saved[static_cast<size_t>(index)];
  m_saved.resize(static_cast<size_t>(index));
  ApplyClip();
  return TRUE;
}

CPen* CDC::SelectObject(CPen* pPen)
{
  CPen* old = m_state.pPen;
  if (!pPen)
    return old;
  m_state.pPen = pPen;
  m_state.penStyle = pPen->GetStyle();
  m_state.penWidth = pPen->GetWidth();
  m_state.penColor = pPen->GetColor();
  return old;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
  CBrush* old = m_state.pBrush;
  if (!pBrush)
    return old;
  m_state.pBrush = pBrush;
  m_state.brushNull = pBrush->IsNull();
  m_state.brushColor = pBrush->GetColor();
  return old;
}

CFont* CDC::SelectObject(CFont* pFont)
{
  CFont* old = m_state.pFont;
  if (!pFont)
    return old;
  m_state.pFont = pFont;
  m_state.font = pFont->GetLogFontRef();
  return old;
}

int CDC::SelectObject(CRgn* pRgn) { return SelectClipRgn(pRgn); }

CGdiObject* CDC::SelectStockObject(int nIndex)
{
  CGdiObject* obj = CGdiObject::GetStockObject(nIndex);
  if (auto* pen = dynamic_cast<CPen*>(obj))
    return SelectObject(pen);
  if (auto* brush = dynamic_cast<CBrush*>(obj))
    return SelectObject(brush);
  if (auto* font = dynamic_cast<CFont*>(obj))
    return SelectObject(font);
  return nullptr;
}

int CDC::SetROP2(int nDrawMode) { return std::exchange(m_state.rop, nDrawMode); }

COLORREF CDC::SetTextColor(COLORREF crColor) { return std::exchange(m_state.textColor, crColor); }

COLORREF CDC::SetBkColor(COLORREF crColor) { return std::exchange(m_state.bkColor, crColor); }

int CDC::SetBkMode(int nBkMode) { return std::exchange(m_state.bkMode, nBkMode); }

UINT CDC::SetTextAlign(UINT nFlags) { return std::exchange(m_state.textAlign, nFlags); }

int CDC::SetPolyFillMode(int nPolyFillMode) { return std::exchange(m_state.polyFillMode, nPolyFillMode); }

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
  const CPoint old = GetViewportOrg();
  SetViewportOrg(old.x + dx, old.y + dy);
  return old;
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
  for (int i = 0; i < nCount; ++i)
    lpPoints[i] = m_state.mapping.LPtoDP(lpPoints[i]);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
  const CPoint a = m_state.mapping.LPtoDP(CPoint(lpRect->left, lpRect->top));
  const CPoint b = m_state.mapping.LPtoDP(CPoint(lpRect->right, lpRect->bottom));
  *lpRect = CRect(a, b);
}

void CDC::LPtoDP(LPSIZE lpSize) const { *lpSize = m_state.mapping.LPtoDP(CSize(*lpSize)); }

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
  for (int i = 0; i < nCount; ++i)
    lpPoints[i] = m_state.mapping.DPtoLP(lpPoints[i]);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
  const CPoint a = m_state.mapping.DPtoLP(CPoint(lpRect->left, lpRect->top));
  const CPoint b = m_state.mapping.DPtoLP(CPoint(lpRect->right, lpRect->bottom));
  *lpRect = CRect(a, b);
}

void CDC::DPtoLP(LPSIZE lpSize) const { *lpSize = m_state.mapping.DPtoLP(CSize(*lpSize)); }

CRect CDC::ToDevice(const RECT& r) const
{
  CRect d(ToDevice(r.left, r.top), ToDevice(r.right, r.bottom));
  d.NormalizeRect();
  return d;
}

void CDC::ApplyClip()
{
  if (m_pDevice)
    m_pDevice->SetExtraClip(m_state.hasClip ? &m_state.clip : nullptr);
}

int CDC::GetClipBox(LPRECT lpRect) const
{
  CRectRegion visible = m_pDevice ? m_pDevice->EffectiveClip() : CRectRegion();
  CRect box = visible.GetBounds();
  CRect logical(box);
  DPtoLP(&logical);
  logical.NormalizeRect();
  if (lpRect)
    *lpRect = logical;
  if (visible.IsEmpty())
    return NULLREGION;
  return visible.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
  // The region is in device units, as the drawing interface defines it.
  m_state.hasClip = pRgn != nullptr;
  m_state.clip = pRgn ? pRgn->Region() : CRectRegion();
  ApplyClip();
  return GetClipBox(nullptr);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
  const CRect device = ToDevice(CRect(x1, y1, x2, y2));
  if (!m_state.hasClip) {
    m_state.hasClip = TRUE;
    m_state.clip = CRectRegion(device);
  } else
    m_state.clip.Intersect(device);
  ApplyClip();
  return GetClipBox(nullptr);
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
  return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
  if (!m_pDevice || !lpRect)
    return FALSE;
  return m_pDevice->EffectiveClip().Intersects(ToDevice(*lpRect));
}
