// The retained surface of a window's Qt side: its invalid region, the paints that run against
// it, what was drawn being shown, sharp pictures over the surface, resizing and scrolling.
#include <algorithm>
#include <cstring>
#include <utility>

#include <QPainter>

#include "ui/wnd/QtConv.h"
#include "ui/wnd/WndImpl.h"

namespace {
// Past this many rectangles the invalid region is kept as its bounding box. Keeping the
// rectangles disjoint walks them all for each change, and the paint clips every primitive
// against them: the handles of two thousand units deselected at once would make a region of
// sixteen thousand pieces that costs far more than painting their box once.
constexpr size_t kMostInvalidRects = 32;

void KeepSimple(CRectRegion& invalid)
{
  if (invalid.Rects().size() < 2)
    return;
  // Pieces that fill their box exactly are that one rectangle: a unit's handles invalidated
  // before the whole view would otherwise leave the view in five pieces, and every later
  // invalidation of the selection would have to be cut against all of them.
  const CRect bounds = invalid.GetBounds();
  if (invalid.Rects().size() > kMostInvalidRects ||
      invalid.Area() == static_cast<long>(bounds.Width()) * bounds.Height())
    invalid = CRectRegion(bounds);
}
}  // namespace

CRect CWndImpl::ClientRect() const
{
  return m_pClient ? CRect(0, 0, m_pClient->width(), m_pClient->height()) : CRect();
}

double CWndImpl::DeviceRatio() const { return m_pClient ? m_pClient->devicePixelRatio() : 1.0; }

CImageData* CWndImpl::Surface()
{
  const CRect client = ClientRect();
  const double ratio = DeviceRatio();
  if (m_pSurface && m_pSurface->Scale().Ratio() != ratio) {
    // On a screen of another ratio nothing drawn so far is of use: all is painted again.
    m_pSurface.reset();
    m_sharpPictures.clear();
    Invalidate(CRectRegion(client), true);
  }
  if (!m_pSurface)
    m_pSurface = std::make_unique<CImageData>(client.Width(), client.Height(), m_background, ratio);
  else if (m_pSurface->Size() != client.Size())
    m_pSurface->Resize(client.Width(), client.Height(), m_background);
  return m_pSurface.get();
}

void CWndImpl::Invalidate(const CRectRegion& region, bool erase)
{
  CRectRegion clipped(region);
  clipped.Intersect(ClientRect());
  if (clipped.IsEmpty())
    return;
  // What is invalid already has its paint asked for: the items of a large selection each
  // invalidate themselves inside a view that one of them invalidated whole.
  if (m_invalid.ContainsRect(clipped.GetBounds())) {
    m_bErase = m_bErase || erase;
    return;
  }
  m_invalid.Union(clipped);
  KeepSimple(m_invalid);
  m_bErase = m_bErase || erase;
  RequestPaint();
}

void CWndImpl::Validate(const CRectRegion& region)
{
  // A validation that would break the region into many pieces is left out: the next paint
  // draws that part again, which costs less than clipping to the pieces.
  CRectRegion rest(m_invalid);
  rest.Subtract(region);
  if (rest.Rects().size() > kMostInvalidRects)
    return;
  m_invalid = rest;
  if (m_invalid.IsEmpty())
    m_bErase = false;
}

bool CWndImpl::TakeErase()
{
  const bool erase = m_bErase;
  m_bErase = false;
  return erase;
}

void CWndImpl::RequestPaint()
{
  if (m_pClient && m_bOwnerPaints)
    m_pClient->update();
}

void CWndImpl::Blit(const CRect& rect)
{
  // The end of a paint handler's painting is shown with the rest of that paint.
  if (m_bInPaint) {
    m_touchedInPaint.UnionRect(m_touchedInPaint, rect);
    return;
  }
  if (m_pClient && m_bOwnerPaints)
    m_pClient->update(ToQRect(rect));
}

void CWndImpl::Touch(const CRect& rect)
{
  if (!m_sharpPictures.empty()) {
    const QRect touched = ToQRect(rect);
    std::erase_if(m_sharpPictures, [&touched](const CSharpPicture& p) { return p.rect.intersects(touched); });
  }
  // A paint handler draws thousands of primitives: the window is asked to show them once, when
  // the handler returns, rather than once per primitive.
  if (m_bInPaint) {
    m_touchedInPaint.UnionRect(m_touchedInPaint, rect);
    return;
  }
  // Drawing outside a paint (the handles of a whole selection, the image of a dragged group)
  // comes in runs of thousands of primitives too: the window is asked to show the run once,
  // as soon as the events that drew it are done. Asking for each primitive grows the window's
  // dirty region by one piece each time, at a cost that grows with the pieces already there.
  if (!m_pClient || !m_bOwnerPaints)
    return;
  const bool first = m_touchedOutsidePaint.IsRectEmpty();
  m_touchedOutsidePaint.UnionRect(m_touchedOutsidePaint, rect);
  if (first)
    QMetaObject::invokeMethod(
        m_pBridge.get(), [this] { ShowTouched(); }, Qt::QueuedConnection);
}

bool CWndImpl::TouchAtOnce(const CRect& bounds)
{
  const QRect touched = ToQRect(bounds);
  if (std::any_of(m_sharpPictures.begin(), m_sharpPictures.end(),
                  [&touched](const CSharpPicture& p) { return p.rect.intersects(touched); }))
    return false;
  Touch(bounds);
  return true;
}

void CWndImpl::ShowTouched()
{
  const CRect touched = std::exchange(m_touchedOutsidePaint, CRect());
  if (m_pClient && m_bOwnerPaints && !touched.IsRectEmpty())
    m_pClient->update(ToQRect(touched));
}

std::vector<QRect> CWndImpl::SharpPictureRects() const
{
  std::vector<QRect> rects;
  for (const CSharpPicture& picture : m_sharpPictures)
    rects.push_back(picture.rect);
  return rects;
}

void CWndImpl::AddSharpPicture(const QRect& rect, const QImage& image, const QRegion& clip)
{
  m_sharpPictures.push_back({rect, image, clip & rect});
  if (m_pClient && m_bOwnerPaints)
    m_pClient->update(rect);
}

void CWndImpl::PaintNow(const QRegion& showing)
{
  if (m_bInPaint || m_invalid.IsEmpty() || !m_pWnd->m_hWnd)
    return;
  m_bInPaint = true;
  m_touchedInPaint = CRect();
  m_pWnd->SendMessage(WM_PAINT);
  m_bInPaint = false;
  if (!m_touchedInPaint.IsRectEmpty() && m_pClient && m_bOwnerPaints) {
    // What the screen paint under way shows needs no second one: asking for it from inside
    // that paint would copy the whole area to the screen twice.
    const QRegion rest = QRegion(ToQRect(m_touchedInPaint)) - showing;
    if (!rest.isEmpty())
      m_pClient->update(rest);
  }
  // A handler that did not paint leaves nothing pending, so painting cannot loop.
  m_invalid.Clear();
  m_bErase = false;
}

void CWndImpl::OnPaintEvent(const QRegion& region)
{
  PaintNow(region);
  if (!m_pClient)
    return;
  const QRect rect = region.boundingRect();
  CImageData* surface = Surface();
  QPainter painter(m_pClient);
  // The surface's device pixels go to the screen's one for one, over every device pixel the
  // region touches: where the window lies half a device pixel into its top-level window (150 %,
  // an odd offset), the screen paints an edge's half-covered pixel with the region, and a pixel
  // left out keeps whatever was there before (the frame of a child window just closed).
  const CDeviceScale& scale = surface->Scale();
  const QRect source = ToQRect(scale.Touched(FromQRect(rect))) & surface->Image().rect();
  const QRectF target(source.x() / scale.Ratio(), source.y() / scale.Ratio(), source.width() / scale.Ratio(),
                      source.height() / scale.Ratio());
  painter.drawImage(target, surface->Image(), source);
  for (const CSharpPicture& picture : m_sharpPictures) {
    if (!picture.rect.intersects(rect))
      continue;
    painter.setClipRegion(picture.clip & rect);
    painter.drawImage(picture.rect.topLeft(), picture.image);
  }
}

void CWndImpl::OnResized()
{
  if (!m_pSurface)
    return;
  const CSize old = m_pSurface->Size();
  Surface();
  const CRect client = ClientRect();
  if (m_bRedrawOnSize) {
    if (client.Size() != old)
      Invalidate(CRectRegion(client), true);
    return;
  }
  // Only the newly exposed strips need painting; the rest of the surface is kept.
  CRectRegion exposed(client);
  exposed.Subtract(CRect(0, 0, old.cx, old.cy));
  if (!exposed.IsEmpty())
    Invalidate(exposed, true);
}

void CWndImpl::Scroll(int dx, int dy, const CRect& scrollRect, CRectRegion& uncovered)
{
  CImageData* surface = Surface();
  CRect area;
  area.IntersectRect(scrollRect, ClientRect());
  uncovered = CRectRegion(area);
  if (area.IsRectEmpty())
    return;
  CRect moved(area);
  moved.OffsetRect(dx, dy);
  CRect dest;
  // The pixels move when every window pixel moves by the same number of device pixels; at 150 %
  // an odd move would shift them by a pixel and a half, so all is painted again instead.
  const CDeviceScale& scale = surface->Scale();
  int ddx = 0, ddy = 0;
  if (scale.MovesWhole(dx, ddx) && scale.MovesWhole(dy, ddy) && dest.IntersectRect(moved, area)) {
    const CRect src = scale.At(CRect(dest.left - dx, dest.top - dy, dest.right - dx, dest.bottom - dy));
    QImage& image = surface->Image();
    const QImage copy = image.copy(ToQRect(src));
    const size_t rowBytes = static_cast<size_t>(copy.width()) * 4;
    for (int y = 0; y < copy.height(); ++y)
      std::memcpy(image.scanLine(src.top + ddy + y) + static_cast<ptrdiff_t>(src.left + ddx) * 4, copy.constScanLine(y),
                  rowBytes);
    uncovered.Subtract(dest);
  }
  // Pending invalid parts inside the scrolled area move with the pixels.
  CRectRegion inside(m_invalid);
  inside.Intersect(area);
  m_invalid.Subtract(area);
  inside.Offset(dx, dy);
  inside.Intersect(area);
  m_invalid.Union(inside);
  KeepSimple(m_invalid);
  Touch(area);
}
