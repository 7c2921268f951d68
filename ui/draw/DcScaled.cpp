// The raster device's primitives on an image kept at a device pixel ratio other than 1 (a window
// surface on a high-resolution screen). The program still names window pixels; here they become
// the device pixels they cover. Lines are the pen's width deep from the start of the window pixels
// they pass, so a line along a row of window pixels fills that row at 200 % and is as heavy
// everywhere at 150 %, and each primitive still changes every pixel once.
#include <cstdint>
#include <cstdlib>
#include <unordered_set>
#include <utility>
#include <vector>

#include "ui/draw/DcDevice.h"
#include "ui/draw/ImageData.h"

namespace {
std::uint64_t Key(CPoint p)
{
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.x)) << 32) | static_cast<std::uint32_t>(p.y);
}
}  // namespace

void CRasterDevice::DeviceEnds(CPoint a, CPoint b, CPoint& da, CPoint& db) const
{
  da = m_scale.At(a);
  db = m_scale.At(b);
  // A window point is the pen's square where its window pixel starts. Running towards smaller
  // coordinates the line starts at the far side of its first point's square, where the line
  // running the other way would end, and stops at the far side of its last point's square; so
  // the line across a corner stops at the other line's far side rather than a device pixel past
  // it where a window pixel is wider than the pen.
  const int far = m_scale.Pen() - 1;
  const bool xMajor = std::abs(db.x - da.x) >= std::abs(db.y - da.y);
  if (xMajor && b.x < a.x) {
    da.x += far;
    db.x += far;
  } else if (!xMajor && b.y < a.y) {
    da.y += far;
    db.y += far;
  }
}

CRect CRasterDevice::ScaledPixel(CPoint p) const
{
  const CPoint d = m_scale.At(p);
  const int w = m_scale.Pen();
  return CRect(d.x, d.y, d.x + w, d.y + w);
}

void CRasterDevice::ScaledLine(CRasterizer& raster, CPoint a, CPoint b, const CLinePen& pen, CStyleState& state) const
{
  CPoint da, db;
  DeviceEnds(a, b, da, db);
  raster.WideLine(da, db, m_scale.Pen(), pen, state);
}

void CRasterDevice::ScaledRectangle(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop)
{
  CRasterizer raster(Pixels(), &RasterClip());
  const std::uint32_t fill = CRasterizer::ToPixel(brush.color);
  if (pen.IsNull()) {
    if (!brush.isNull)
      raster.FillRect(m_scale.At(CRect(r.left, r.top, r.right - 1, r.bottom - 1)), fill, rop);
    return;
  }
  if (r.right - 1 < r.left || r.bottom - 1 < r.top)
    return;
  // The outline is the pen deep inside the window pixels of the edges; what it encloses is filled.
  const int w = m_scale.Pen();
  const CRect outer(m_scale.At(r.left), m_scale.At(r.top), m_scale.At(r.right - 1) + w, m_scale.At(r.bottom - 1) + w);
  const CRect inner(outer.left + w, outer.top + w, outer.right - w, outer.bottom - w);
  const std::uint32_t ink = CRasterizer::ToPixel(pen.color);
  if (inner.IsRectEmpty()) {
    raster.FillRect(outer, ink, rop);
    return;
  }
  raster.FillRect(CRect(outer.left, outer.top, outer.right, inner.top), ink, rop);
  raster.FillRect(CRect(outer.left, inner.top, inner.left, inner.bottom), ink, rop);
  raster.FillRect(CRect(inner.right, inner.top, outer.right, inner.bottom), ink, rop);
  raster.FillRect(CRect(outer.left, inner.bottom, outer.right, outer.bottom), ink, rop);
  if (!brush.isNull)
    raster.FillRect(inner, fill, rop);
}

void CRasterDevice::ScaledEllipse(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop)
{
  const int w = m_scale.Pen();
  const CRect box(m_scale.At(r.left), m_scale.At(r.top), m_scale.At(r.right - 1) + w, m_scale.At(r.bottom - 1) + w);
  const CRect surface = SurfaceRect();
  std::vector<std::pair<int, CRasterizer::Span>> band;
  std::vector<std::pair<int, CRasterizer::Span>> interior;
  CRasterizer::EllipseBand(box, w, band, interior, &surface);
  CRasterizer raster(Pixels(), &RasterClip());
  if (!brush.isNull) {
    raster.FillSpans(interior, CRasterizer::ToPixel(brush.color), rop);
    if (pen.IsNull())
      raster.FillSpans(band, CRasterizer::ToPixel(brush.color), rop);
  }
  if (!pen.IsNull())
    raster.FillSpans(band, CRasterizer::ToPixel(pen.color), rop);
}

void CRasterDevice::ScaledArc(const CRect& rect, CPoint start, CPoint end, const CDevPen& pen, int rop)
{
  CRect r(rect);
  r.NormalizeRect();
  const int w = m_scale.Pen();
  const CRect box(m_scale.At(r.left), m_scale.At(r.top), m_scale.At(r.right - 1) + w, m_scale.At(r.bottom - 1) + w);
  const CRect surface = SurfaceRect();
  std::vector<CPoint> points;
  // The radial points are taken at the middle of their window pixels, as the box's centre is.
  const auto middle = [this, w](CPoint p) { return CPoint(m_scale.At(p.x) + w / 2, m_scale.At(p.y) + w / 2); };
  CRasterizer::ArcBandPoints(box, w, middle(start), middle(end), points, &surface);
  CRasterizer raster(Pixels(), &RasterClip());
  CLinePen lp;
  lp.color = CRasterizer::ToPixel(pen.color);
  lp.rop = rop;
  raster.PlotPoints(points, lp);
  Touch(r);
}

void CRasterDevice::ScaledPolygon(const std::vector<CPoint>& points, bool winding, const CDevPen& pen,
                                  const CDevBrush& brush, int rop)
{
  const int w = m_scale.Pen();
  std::vector<CPoint> device;
  device.reserve(points.size());
  for (const CPoint& p : points)
    device.push_back(m_scale.At(p));
  std::vector<CPoint> outline;
  std::unordered_set<std::uint64_t> onOutline;
  if (!pen.IsNull()) {
    std::vector<CPoint> edge;
    for (size_t i = 0; i < points.size(); ++i) {
      CPoint da, db;
      DeviceEnds(points[i], points[(i + 1) % points.size()], da, db);
      edge.clear();
      CRasterizer::WideLinePoints(da, db, w, edge);
      for (const CPoint& p : edge)
        if (onOutline.insert(Key(p)).second)
          outline.push_back(p);
    }
  }
  CRasterizer raster(Pixels(), &RasterClip());
  if (!brush.isNull) {
    std::vector<std::pair<int, CRasterizer::Span>> spans;
    CRasterizer::PolygonSpans(device, winding, spans);
    const std::uint32_t fill = CRasterizer::ToPixel(brush.color);
    for (const auto& s : spans)
      for (int x = s.second.first; x < s.second.second; ++x)
        if (!onOutline.count(Key(CPoint(x, s.first))))
          raster.SetPixel(x, s.first, fill, rop);
  }
  CLinePen lp;
  lp.color = CRasterizer::ToPixel(pen.color);
  lp.rop = rop;
  raster.PlotPoints(outline, lp);
}
