#include "ui/draw/DcDevice.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_set>

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include "ui/draw/Dc.h"
#include "ui/draw/ImageData.h"

namespace {
QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QRegion ToQRegion(const CRectRegion& region)
{
  QRegion q;
  for (const CRect& r : region.Rects())
    q += QRect(r.left, r.top, r.Width(), r.Height());
  return q;
}

std::uint64_t Key(int x, int y)
{
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) | static_cast<std::uint32_t>(y);
}

CRect BoundsOf(const std::vector<CPoint>& points)
{
  if (points.empty())
    return CRect();
  CRect r(points[0].x, points[0].y, points[0].x + 1, points[0].y + 1);
  for (const CPoint& p : points)
    r.UnionRect(r, CRect(p.x, p.y, p.x + 1, p.y + 1));
  return r;
}

// Perimeter of a rectangle walked clockwise from the top left, each pixel once.
void RectPerimeter(const CRect& r, std::vector<CPoint>& points)
{
  points.clear();
  const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  if (rr < l || b < t)
    return;
  if (rr == l || b == t) {
    for (int y = t; y <= b; ++y)
      for (int x = l; x <= rr; ++x)
        points.emplace_back(x, y);
    return;
  }
  for (int x = l; x < rr; ++x)
    points.emplace_back(x, t);
  for (int y = t; y < b; ++y)
    points.emplace_back(rr, y);
  for (int x = rr; x > l; --x)
    points.emplace_back(x, b);
  for (int y = b; y > t; --y)
    points.emplace_back(l, y);
}

// The painter's angle for the point where the ray from the centre through p meets the ellipse:
// the painter measures an ellipse's angles on the circle it was stretched from.
double EllipseAngleDegrees(CPoint p, double cx, double cy, double rx, double ry)
{
  return std::atan2(-(p.y - cy) / std::max(ry, 0.5), (p.x - cx) / std::max(rx, 0.5)) * 180.0 / std::numbers::pi;
}

// Where text anchored at p with the given alignment starts, as a baseline point.
QPoint TextOrigin(CPoint p, const QFontMetrics& fm, const QString& text, UINT align)
{
  const int width = fm.horizontalAdvance(text);
  int x = p.x;
  if ((align & TA_CENTER) == TA_CENTER)
    x -= width / 2;
  else if ((align & TA_CENTER) == TA_RIGHT)
    x -= width;
  int y = p.y + fm.ascent();
  if ((align & TA_BASELINE) == TA_BASELINE)
    y = p.y;
  else if ((align & TA_BASELINE) == TA_BOTTOM)
    y = p.y - fm.descent();
  return QPoint(x, y);
}

QRect PaintText(QPainter& painter, CPoint p, const QString& text, const CDevText& t)
{
  painter.setFont(t.font);
  const QFontMetrics fm(t.font, painter.device());
  const QPoint origin = TextOrigin(p, fm, text, t.align);
  const QRect cell(origin.x(), origin.y() - fm.ascent(), fm.horizontalAdvance(text), fm.ascent() + fm.descent());
  if (t.opaque)
    painter.fillRect(cell, ToQColor(t.bkColor));
  painter.setPen(ToQColor(t.color));
  painter.drawText(origin, text);
  return cell;
}

int QtTextFlags(UINT format)
{
  int flags = 0;
  if (format & DT_CENTER)
    flags |= Qt::AlignHCenter;
  else if (format & DT_RIGHT)
    flags |= Qt::AlignRight;
  else
    flags |= Qt::AlignLeft;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
    flags |= Qt::AlignVCenter;
  else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
    flags |= Qt::AlignBottom;
  else
    flags |= Qt::AlignTop;
  if (format & DT_WORDBREAK)
    flags |= Qt::TextWordWrap;
  if (format & DT_SINGLELINE)
    flags |= Qt::TextSingleLine;
  flags |= (format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
  return flags;
}

int BoxText(QPainter& painter, QRect& box, const QString& text, UINT format, const CDevText& t)
{
  painter.setFont(t.font);
  const int flags = QtTextFlags(format);
  const QFontMetrics fm(t.font, painter.device());
  QRect bound = fm.boundingRect(box, flags, text);
  if (format & DT_CALCRECT) {
    box.setWidth(bound.width());
    box.setHeight(bound.height());
    return bound.height();
  }
  if (t.opaque)
    painter.fillRect(bound, ToQColor(t.bkColor));
  painter.setPen(ToQColor(t.color));
  painter.drawText(box, flags, text);
  return bound.height();
}

CRect ToCRect(const QRect& r) { return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }

// Every pixel a line from a to b may change, b included.
CRect LineBounds(CPoint a, CPoint b)
{
  return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
}
}  // namespace

void CDcDevice::SetExtraClip(const CRectRegion* clip)
{
  // Restoring a saved state sets the clip it had, mostly the one in force: what the device
  // derived from it still holds.
  if (m_hasExtraClip == (clip != nullptr) && (!clip || *clip == m_extraClip))
    return;
  m_hasExtraClip = clip != nullptr;
  m_extraClip = clip ? *clip : CRectRegion();
  ++m_clipVersion;
}

CRectRegion CDcDevice::EffectiveClip() const
{
  CRectRegion clip = BaseClip();
  if (m_hasExtraClip)
    clip.Intersect(m_extraClip);
  return clip;
}

void CDcDevice::Segments(const std::vector<std::pair<CPoint, CPoint>>& segments, const CDevPen& pen, int rop,
                         COLORREF bk, bool opaque, COLORREF endColor, CStyleState& state)
{
  for (const auto& [a, b] : segments) {
    state = CStyleState();
    Line(a, b, pen, rop, bk, opaque, state);
    SetPixel(b, endColor);
  }
}

void CDcDevice::Lines(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop, COLORREF bk,
                      bool opaque, CStyleState& state)
{
  for (const auto& [a, b] : lines) {
    state = CStyleState();
    Line(a, b, pen, rop, bk, opaque, state);
  }
}

void CDcDevice::Touch(const CRect& r) const
{
  if (onTouched && !r.IsRectEmpty())
    onTouched(r);
}

CRasterDevice::CRasterDevice(CImageData* image, const CRectRegion& baseClip)
  : m_pImage(image), m_scale(image->Scale()), m_baseClip(baseClip)
{}

CPixelBuffer CRasterDevice::Pixels() const
{
  const QImage& image = m_pImage->Image();
  if (m_pixels.bits && image.cacheKey() == m_pixelsKey && image.isDetached())
    return m_pixels;
  m_pixels = m_pImage->Buffer();
  m_pixelsKey = image.cacheKey();
  return m_pixels;
}

const CRectRegion& CRasterDevice::RasterClip() const
{
  if (m_rasterClipVersion != m_clipVersion) {
    m_rasterClip = m_scale.At(EffectiveClip());
    m_rasterClipVersion = m_clipVersion;
  }
  return m_rasterClip;
}

int CRasterDevice::GetCaps(int index) const
{
  const CSize logPixels = CDC::GetScreenLogPixels();
  const CSize screen = CDC::GetScreenSize();
  switch (index) {
  case LOGPIXELSX:
    return logPixels.cx;
  case LOGPIXELSY:
    return logPixels.cy;
  case HORZRES:
    return screen.cx;
  case VERTRES:
    return screen.cy;
  case HORZSIZE:
    return static_cast<int>(screen.cx * 25.4 / logPixels.cx + 0.5);
  case VERTSIZE:
    return static_cast<int>(screen.cy * 25.4 / logPixels.cy + 0.5);
  case BITSPIXEL:
    return 32;
  default:
    return 0;
  }
}

QPaintDevice* CRasterDevice::PaintDevice() const { return &m_pImage->Image(); }

CRect CRasterDevice::SurfaceRect() const
{
  const QImage& image = m_pImage->Image();
  return CRect(0, 0, image.width(), image.height());
}

void CRasterDevice::Plot(const std::vector<CPoint>& points, const CDevPen& pen, int rop, const CRect& bounds)
{
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  CLinePen lp;
  lp.color = CRasterizer::ToPixel(pen.color);
  lp.rop = rop;
  raster.PlotPoints(points, lp);
  Touch(bounds);
}

CLinePen CRasterDevice::MakeLinePen(const CDevPen& pen, int rop, COLORREF bk, bool opaque)
{
  CLinePen lp;
  lp.color = CRasterizer::ToPixel(pen.color);
  lp.style = pen.style;
  lp.rop = rop;
  lp.opaqueGaps = opaque && pen.style != PS_SOLID;
  lp.gapColor = CRasterizer::ToPixel(bk);
  return lp;
}

void CRasterDevice::Line(CPoint a, CPoint b, const CDevPen& pen, int rop, COLORREF bk, bool opaque, CStyleState& state)
{
  if (pen.IsNull())
    return;
  if (Scaled()) {
    CRasterizer raster(Pixels(), &RasterClip());
    ScaledLine(raster, a, b, MakeLinePen(pen, rop, bk, opaque), state);
    Touch(LineBounds(a, b));
    return;
  }
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  raster.Line(a, b, MakeLinePen(pen, rop, bk, opaque), state);
  Touch(LineBounds(a, b));
}

void CRasterDevice::Segments(const std::vector<std::pair<CPoint, CPoint>>& segments, const CDevPen& pen, int rop,
                             COLORREF bk, bool opaque, COLORREF endColor, CStyleState& state)
{
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  const CLinePen lp = MakeLinePen(pen, rop, bk, opaque);
  const std::uint32_t end = CRasterizer::ToPixel(endColor);
  for (const auto& [a, b] : segments) {
    state = CStyleState();
    if (Scaled()) {
      if (!pen.IsNull())
        ScaledLine(raster, a, b, lp, state);
      raster.FillRect(ScaledPixel(b), end, R2_COPYPEN);
    } else {
      if (!pen.IsNull())
        raster.Line(a, b, lp, state);
      raster.SetPixel(b.x, b.y, end, R2_COPYPEN);
    }
    // The line's bounds hold its last pixel.
    Touch(pen.IsNull() ? CRect(b.x, b.y, b.x + 1, b.y + 1) : LineBounds(a, b));
  }
}

void CRasterDevice::Lines(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop, COLORREF bk,
                          bool opaque, CStyleState& state)
{
  DrawLines(lines, pen, rop, bk, opaque, false, state);
}

void CRasterDevice::LinesWithEnds(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop,
                                  COLORREF bk, bool opaque, CStyleState& state)
{
  DrawLines(lines, pen, rop, bk, opaque, true, state);
}

void CRasterDevice::DrawLines(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop,
                              COLORREF bk, bool opaque, bool withEnds, CStyleState& state)
{
  if (pen.IsNull() || lines.empty())
    return;
  CRect bounds = LineBounds(lines.front().first, lines.front().second);
  for (const auto& [a, b] : lines) {
    bounds.left = std::min({bounds.left, a.x, b.x});
    bounds.top = std::min({bounds.top, a.y, b.y});
    bounds.right = std::max({bounds.right, a.x + 1, b.x + 1});
    bounds.bottom = std::max({bounds.bottom, a.y + 1, b.y + 1});
  }
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  if (Scaled()) {
    const CLinePen lp = MakeLinePen(pen, rop, bk, opaque);
    for (size_t i = 0; i < lines.size(); ++i) {
      state = CStyleState();
      const auto& [a, b] = lines[i];
      if (withEnds && i % 2 == 1 && b == CPoint(a.x + 1, a.y)) {
        // The pen's square, the first run of its pattern.
        const CRect end = ScaledPixel(a);
        raster.WideLine(end.TopLeft(), CPoint(end.right, end.top), end.Width(), lp, state);
      } else
        ScaledLine(raster, a, b, lp, state);
    }
  } else
    raster.Lines(lines, bounds, MakeLinePen(pen, rop, bk, opaque), state);
  if (!onTouched)
    return;
  // Touching the bounds of all at once is touching each line's, unless a sharp picture lies
  // between the lines: it must stay where nothing was drawn.
  if (onTouchedAtOnce && onTouchedAtOnce(bounds))
    return;
  for (const auto& [a, b] : lines)
    Touch(LineBounds(a, b));
}

void CRasterDevice::SetPixel(CPoint p, COLORREF color)
{
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  if (Scaled())
    raster.FillRect(ScaledPixel(p), CRasterizer::ToPixel(color), R2_COPYPEN);
  else
    raster.SetPixel(p.x, p.y, CRasterizer::ToPixel(color), R2_COPYPEN);
  Touch(CRect(p.x, p.y, p.x + 1, p.y + 1));
}

COLORREF CRasterDevice::GetPixel(CPoint p) const
{
  CRasterizer raster(Pixels(), nullptr);
  const CPoint at = m_scale.At(p);
  return CRasterizer::ToColorRef(raster.GetPixel(at.x, at.y));
}

void CRasterDevice::Rectangle(const CRect& rect, const CDevPen& pen, const CDevBrush& brush, int rop)
{
  CRect r(rect);
  r.NormalizeRect();
  if (Scaled()) {
    ScaledRectangle(r, pen, brush, rop);
    Touch(r);
    return;
  }
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  if (pen.IsNull()) {
    // Without a pen the filled area is one pixel smaller in each direction.
    if (!brush.isNull)
      raster.FillRect(CRect(r.left, r.top, r.right - 1, r.bottom - 1), CRasterizer::ToPixel(brush.color), rop);
    Touch(r);
    return;
  }
  std::vector<CPoint> outline;
  RectPerimeter(r, outline);
  CLinePen lp;
  lp.color = CRasterizer::ToPixel(pen.color);
  lp.rop = rop;
  raster.PlotPoints(outline, lp);
  if (!brush.isNull)
    raster.FillRect(CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), CRasterizer::ToPixel(brush.color), rop);
  Touch(r);
}

void CRasterDevice::Ellipse(const CRect& rect, const CDevPen& pen, const CDevBrush& brush, int rop)
{
  CRect r(rect);
  r.NormalizeRect();
  if (Scaled()) {
    ScaledEllipse(r, pen, brush, rop);
    Touch(r);
    return;
  }
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  std::vector<CPoint> outline;
  std::vector<std::pair<int, CRasterizer::Span>> interior;
  if (pen.IsNull())
    CRasterizer::EllipseSpans(r, interior);
  else {
    const CRect surface = SurfaceRect();
    CRasterizer::EllipseOutline(r, outline, interior, &surface);
  }
  if (!brush.isNull)
    raster.FillSpans(interior, CRasterizer::ToPixel(brush.color), rop);
  CLinePen lp;
  lp.color = CRasterizer::ToPixel(pen.color);
  lp.rop = rop;
  if (!pen.IsNull())
    raster.PlotPoints(outline, lp);
  Touch(r);
}

void CRasterDevice::Arc(const CRect& r, CPoint start, CPoint end, const CDevPen& pen, int rop)
{
  if (pen.IsNull())
    return;
  if (Scaled()) {
    ScaledArc(r, start, end, pen, rop);
    return;
  }
  std::vector<CPoint> points;
  const CRect surface = SurfaceRect();
  CRasterizer::ArcPoints(r, start, end, points, &surface);
  Plot(points, pen, rop, BoundsOf(points));
}

void CRasterDevice::Polygon(const std::vector<CPoint>& points, bool winding, const CDevPen& pen, const CDevBrush& brush,
                            int rop)
{
  if (points.size() < 2)
    return;
  if (Scaled()) {
    ScaledPolygon(points, winding, pen, brush, rop);
    Touch(BoundsOf(points));
    return;
  }
  std::vector<CPoint> outline;
  std::unordered_set<std::uint64_t> onOutline;
  if (!pen.IsNull()) {
    std::vector<CPoint> edge;
    for (size_t i = 0; i < points.size(); ++i) {
      CRasterizer::LinePoints(points[i], points[(i + 1) % points.size()], edge);
      for (const CPoint& p : edge)
        if (onOutline.insert(Key(p.x, p.y)).second)
          outline.push_back(p);
    }
  }
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  if (!brush.isNull) {
    // The fill leaves out the outline pixels so that every pixel changes once.
    std::vector<std::pair<int, CRasterizer::Span>> spans;
    CRasterizer::PolygonSpans(points, winding, spans);
    const std::uint32_t fill = CRasterizer::ToPixel(brush.color);
    for (const auto& s : spans)
      for (int x = s.second.first; x < s.second.second; ++x)
        if (!onOutline.count(Key(x, s.first)))
          raster.SetPixel(x, s.first, fill, rop);
  }
  CLinePen lp;
  lp.color = CRasterizer::ToPixel(pen.color);
  lp.rop = rop;
  raster.PlotPoints(outline, lp);
  Touch(BoundsOf(points));
}

void CRasterDevice::FillRegion(const CRectRegion& region, COLORREF color)
{
  const CRectRegion& clip = RasterClip();
  CRasterizer raster(Pixels(), &clip);
  for (const CRect& r : region.Rects())
    raster.FillRect(m_scale.At(r), CRasterizer::ToPixel(color), R2_COPYPEN);
  Touch(region.GetBounds());
}

void CRasterDevice::FillRect(const CRect& r, COLORREF color)
{
  // The sizing handles of a large selection are thousands of small squares: none of them needs
  // a region of its own.
  CRect rect(r);
  rect.NormalizeRect();
  if (rect.IsRectEmpty())
    return;
  CRasterizer raster(Pixels(), &RasterClip());
  raster.FillRect(m_scale.At(rect), CRasterizer::ToPixel(color), R2_COPYPEN);
  Touch(rect);
}

void CRasterDevice::Text(CPoint p, const QString& text, const CDevText& t)
{
  QPainter painter(&m_pImage->Image());
  painter.setClipRegion(ToQRegion(EffectiveClip()));
  Touch(ToCRect(PaintText(painter, p, text, t)));
}

int CRasterDevice::DrawText(QRect& box, const QString& text, UINT format, const CDevText& t)
{
  QPainter painter(&m_pImage->Image());
  if (!(format & DT_NOCLIP))
    painter.setClipRegion(ToQRegion(EffectiveClip()) & QRegion(box));
  else
    painter.setClipRegion(ToQRegion(EffectiveClip()));
  const int height = BoxText(painter, box, text, format, t);
  if (!(format & DT_CALCRECT))
    Touch(ToCRect(box));
  return height;
}

CPainterDevice::CPainterDevice(QPainter* painter, std::function<int(int)> caps, const CRect& page)
  : m_pPainter(painter), m_caps(std::move(caps)), m_page(page)
{}

QPaintDevice* CPainterDevice::PaintDevice() const { return m_pPainter->device(); }

void CPainterDevice::Prepare(const CDevPen* pen, const CDevBrush* brush, int rop)
{
  m_pPainter->setClipRegion(ToQRegion(EffectiveClip()));
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  if (m_pPainter->paintEngine() && m_pPainter->paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
    switch (rop) {
    case R2_NOTXORPEN:
      mode = QPainter::RasterOp_NotSourceXorDestination;
      break;
    case R2_XORPEN:
      mode = QPainter::RasterOp_SourceXorDestination;
      break;
    case R2_NOT:
      mode = QPainter::RasterOp_NotDestination;
      break;
    case R2_MASKPEN:
      mode = QPainter::RasterOp_SourceAndDestination;
      break;
    case R2_MERGEPEN:
      mode = QPainter::RasterOp_SourceOrDestination;
      break;
    default:
      break;
    }
  }
  m_pPainter->setCompositionMode(mode);
  if (pen) {
    if (pen->IsNull())
      m_pPainter->setPen(Qt::NoPen);
    else {
      QPen qp(ToQColor(pen->color));
      qp.setWidth(pen->width);
      qp.setCosmetic(pen->width <= 1);
      static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                            Qt::DashDotDotLine};
      qp.setStyle(pen->style >= 0 && pen->style <= PS_DASHDOTDOT ? styles[pen->style] : Qt::SolidLine);
      m_pPainter->setPen(qp);
    }
  }
  if (brush)
    m_pPainter->setBrush(brush->isNull ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush->color)));
}

void CPainterDevice::Line(CPoint a, CPoint b, const CDevPen& pen, int rop, COLORREF, bool, CStyleState&)
{
  if (pen.IsNull() || rop == R2_NOP)
    return;
  Prepare(&pen, nullptr, rop);
  m_pPainter->drawLine(a.x, a.y, b.x, b.y);
}

void CPainterDevice::SetPixel(CPoint p, COLORREF color)
{
  CDevPen pen;
  pen.color = color;
  Prepare(&pen, nullptr, R2_COPYPEN);
  m_pPainter->drawPoint(p.x, p.y);
}

COLORREF CPainterDevice::GetPixel(CPoint) const { return 0xFFFFFFFFu; }

void CPainterDevice::Rectangle(const CRect& rect, const CDevPen& pen, const CDevBrush& brush, int rop)
{
  CRect r(rect);
  r.NormalizeRect();
  Prepare(&pen, &brush, rop);
  m_pPainter->drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
}

void CPainterDevice::Ellipse(const CRect& rect, const CDevPen& pen, const CDevBrush& brush, int rop)
{
  CRect r(rect);
  r.NormalizeRect();
  Prepare(&pen, &brush, rop);
  m_pPainter->drawEllipse(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
}

void CPainterDevice::Arc(const CRect& rect, CPoint start, CPoint end, const CDevPen& pen, int rop)
{
  CRect r(rect);
  r.NormalizeRect();
  const double cx = (r.left + r.right - 1) / 2.0;
  const double cy = (r.top + r.bottom - 1) / 2.0;
  const double rx = (r.Width() - 1) / 2.0;
  const double ry = (r.Height() - 1) / 2.0;
  const double a0 = EllipseAngleDegrees(start, cx, cy, rx, ry);
  double span = EllipseAngleDegrees(end, cx, cy, rx, ry) - a0;
  // Counter-clockwise as the device shows it: a device shown mirrored draws the other way round
  // here, so that its arcs turn counter-clockwise once they are shown.
  if (m_mirrored && m_mirrored()) {
    while (span >= 0.0)
      span -= 360.0;
    if (start == end)
      span = -360.0;
  } else {
    while (span <= 0.0)
      span += 360.0;
    if (start == end)
      span = 360.0;
  }
  Prepare(&pen, nullptr, rop);
  m_pPainter->drawArc(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1), static_cast<int>(std::lround(a0 * 16)),
                      static_cast<int>(std::lround(span * 16)));
}

void CPainterDevice::Polygon(const std::vector<CPoint>& points, bool winding, const CDevPen& pen,
                             const CDevBrush& brush, int rop)
{
  QPolygon poly;
  for (const CPoint& p : points)
    poly << QPoint(p.x, p.y);
  Prepare(&pen, &brush, rop);
  m_pPainter->drawPolygon(poly, winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void CPainterDevice::FillRegion(const CRectRegion& region, COLORREF color)
{
  Prepare(nullptr, nullptr, R2_COPYPEN);
  for (const CRect& r : region.Rects())
    m_pPainter->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), ToQColor(color));
}

void CPainterDevice::Text(CPoint p, const QString& text, const CDevText& t)
{
  Prepare(nullptr, nullptr, R2_COPYPEN);
  PaintText(*m_pPainter, p, text, t);
}

int CPainterDevice::DrawText(QRect& box, const QString& text, UINT format, const CDevText& t)
{
  Prepare(nullptr, nullptr, R2_COPYPEN);
  return BoxText(*m_pPainter, box, text, format, t);
}
