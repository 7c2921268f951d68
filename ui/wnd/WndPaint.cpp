// The retained surface of windows: invalidation, painting, scrolling and window device contexts.
#include "ui/draw/Dc.h"
#include "ui/draw/DcDevice.h"
#include "ui/wnd/Wnd.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)

namespace {
std::unique_ptr<CRasterDevice> SurfaceDevice(CWndImpl* impl, const CRectRegion& clip)
{
  auto device = std::make_unique<CRasterDevice>(impl->Surface(), clip);
  device->onTouched = [impl](const CRect& r) { impl->Touch(r); };
  device->onTouchedAtOnce = [impl](const CRect& r) { return impl->TouchAtOnce(r); };
  device->onSharpPicture = [impl](const QRect& r, const QImage& image, const QRegion& clip) {
    impl->AddSharpPicture(r, image, clip);
  };
  return device;
}

// The region as a GDI region (created here).
void CopyToRgn(const CRectRegion& region, CRgn* pRgn)
{
  pRgn->CreateRectRgn(0, 0, 0, 0);
  for (const CRect& r : region.Rects()) {
    CRgn piece;
    piece.CreateRectRgnIndirect(&r);
    pRgn->CombineRgn(pRgn, &piece, RGN_OR);
  }
}

int RegionKind(const CRectRegion& region)
{
  if (region.IsEmpty())
    return NULLREGION;
  return region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
}  // namespace

void CWnd::Invalidate(BOOL bErase) { m_pImpl->Invalidate(CRectRegion(m_pImpl->ClientRect()), bErase != FALSE); }

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
  CRect r = lpRect ? CRect(*lpRect) : m_pImpl->ClientRect();
  r.NormalizeRect();
  m_pImpl->Invalidate(CRectRegion(r), bErase != FALSE);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
  if (!pRgn)
    Invalidate(bErase);
  else
    m_pImpl->Invalidate(pRgn->Region(), bErase != FALSE);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
  // Within a paint nothing is invalid: the handles of a large selection each validate their
  // rectangle there, and need not make a region of it to cut out of nothing.
  if (m_pImpl->InvalidRegion().IsEmpty()) {
    m_pImpl->Validate(CRectRegion());
    return;
  }
  m_pImpl->Validate(CRectRegion(lpRect ? CRect(*lpRect) : m_pImpl->ClientRect()));
}

void CWnd::ValidateRgn(CRgn* pRgn)
{
  if (!pRgn)
    ValidateRect(nullptr);
  else
    m_pImpl->Validate(pRgn->Region());
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL)
{
  const CRect bounds = m_pImpl->InvalidRegion().GetBounds();
  if (lpRect)
    *lpRect = bounds;
  return !bounds.IsRectEmpty();
}

int CWnd::GetUpdateRgn(CRgn* pRgn, BOOL)
{
  const CRectRegion& invalid = m_pImpl->InvalidRegion();
  CopyToRgn(invalid, pRgn);
  return RegionKind(invalid);
}

BOOL CWnd::IsRectInvalid(const CRect& rect) const
{
  return !rect.IsRectEmpty() && m_pImpl->InvalidRegion().ContainsRect(rect);
}

void CWnd::UpdateWindow() { m_pImpl->PaintNow(); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
  CRectRegion region;
  if (prgnUpdate)
    region = prgnUpdate->Region();
  else
    region = CRectRegion(lpRectUpdate ? CRect(*lpRectUpdate) : m_pImpl->ClientRect());
  if (flags & RDW_INVALIDATE)
    m_pImpl->Invalidate(region, (flags & RDW_ERASE) != 0);
  if (flags & RDW_VALIDATE)
    m_pImpl->Validate(region);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
    m_pImpl->PaintNow();
  return TRUE;
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
  CRect area = lpRectScroll ? CRect(*lpRectScroll) : m_pImpl->ClientRect();
  if (lpRectClip)
    area.IntersectRect(area, *lpRectClip);
  CRectRegion uncovered;
  m_pImpl->Scroll(dx, dy, area, uncovered);
  if (flags & SW_INVALIDATE)
    m_pImpl->Invalidate(uncovered, (flags & SW_ERASE) != 0);
  if (prgnUpdate)
    CopyToRgn(uncovered, prgnUpdate);
  if (lpRectUpdate)
    *lpRectUpdate = uncovered.GetBounds();
  return RegionKind(uncovered);
}

void CWnd::ScrollWindow(int dx, int dy, LPCRECT lpRect, LPCRECT lpClipRect)
{
  ScrollWindowEx(dx, dy, lpRect, lpClipRect, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
}

CDC* CWnd::GetDC()
{
  if (!m_hWnd)
    return nullptr;
  auto dc = std::make_unique<CDC>();
  dc->AttachDevice(SurfaceDevice(m_pImpl.get(), CRectRegion(m_pImpl->ClientRect())));
  CDC* result = dc.get();
  m_pImpl->m_dcs.push_back(std::move(dc));
  return result;
}

int CWnd::ReleaseDC(CDC* pDC)
{
  auto& dcs = m_pImpl->m_dcs;
  for (auto it = dcs.begin(); it != dcs.end(); ++it)
    if (it->get() == pDC) {
      dcs.erase(it);
      return 1;
    }
  return 0;
}

COLORREF CWnd::GetSurfacePixel(int x, int y) const
{
  CImageData* surface = m_pImpl->Surface();
  CRasterizer raster(surface->Buffer(), nullptr);
  const CPoint at = surface->Scale().At(CPoint(x, y));
  return CRasterizer::ToColorRef(raster.GetPixel(at.x, at.y));
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd)
{
  CWndImpl* impl = pWnd->Impl();
  CRectRegion region = impl->InvalidRegion();
  region.Intersect(impl->ClientRect());
  m_ps.rcPaint = region.GetBounds();
  const bool erase = impl->TakeErase();
  impl->ClearInvalid();
  AttachDevice(SurfaceDevice(impl, region));
  // The background is erased through the window's own handler, clipped to the paint region.
  if (erase)
    m_ps.fErase = pWnd->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<CDC*>(this)), 0) == 0;
}

CPaintDC::~CPaintDC() { m_pWnd->Impl()->Blit(m_ps.rcPaint); }

CClientDC::CClientDC(CWnd* pWnd) : m_pWnd(pWnd)
{
  if (pWnd && pWnd->m_hWnd)
    AttachDevice(SurfaceDevice(pWnd->Impl(), CRectRegion(pWnd->Impl()->ClientRect())));
}
