#include "ui/draw/Raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>

#include "ui/draw/GdiTypes.h"

namespace {
// On/off runs of the cosmetic styled pens, in pixels, starting with "on".
struct CStylePattern
{
  const int* runs;
  int count;
};

constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

// The runs of a styled pen; none for a solid one.
CStylePattern PatternOf(int style)
{
  switch (style) {
  case PS_DASH:
    return {kDash, 2};
  case PS_DOT:
    return {kDot, 2};
  case PS_DASHDOT:
    return {kDashDot, 4};
  case PS_DASHDOTDOT:
    return {kDashDotDot, 6};
  default:
    return {nullptr, 0};
  }
}

bool PatternOn(int style, int position)
{
  const CStylePattern p = PatternOf(style);
  if (p.count == 0)
    return true;
  int total = 0;
  for (int i = 0; i < p.count; ++i)
    total += p.runs[i];
  int pos = position % total;
  for (int i = 0; i < p.count; ++i) {
    if (pos < p.runs[i])
      return i % 2 == 0;
    pos -= p.runs[i];
  }
  return true;
}

// Inside extent of each row of the ellipse inscribed in box (right and bottom excluded).
bool EllipseRow(const CRect& box, int y, int& left, int& right)
{
  const double cx = (box.left + box.right - 1) / 2.0;
  const double cy = (box.top + box.bottom - 1) / 2.0;
  const double rx = (box.right - 1 - box.left) / 2.0;
  const double ry = (box.bottom - 1 - box.top) / 2.0;
  if (y < box.top || y >= box.bottom || box.right <= box.left)
    return false;
  double w = rx;
  if (ry > 0.0) {
    const double d = (y - cy) / ry;
    w = rx * std::sqrt(std::max(0.0, 1.0 - d * d));
  }
  left = static_cast<int>(std::floor(cx - w + 0.5));
  right = static_cast<int>(std::ceil(cx + w - 0.5));
  return left <= right;
}

double DeviceAngle(double x, double y, double cx, double cy)
{
  // Counter-clockwise as seen on the device, whose y axis points down.
  return std::atan2(-(y - cy), x - cx);
}

// A line that changes no pixel beyond its first: Line draws it as that one pixel of the pattern.
bool IsOnePixel(CPoint a, CPoint b) { return std::abs(b.x - a.x) <= 1 && std::abs(b.y - a.y) <= 1 && a != b; }

// The pixel at the given phase of the ink's pattern, mixed with what is there.
void InkPixel(std::uint32_t* px, const CStyledInk& ink, int phase)
{
  const std::uint32_t dst = *px;
  if (ink.on[static_cast<size_t>(phase)])
    *px = 0xff000000u | (~dst & ink.onFlip) | (dst & ink.onKeep);
  else if (ink.opaqueGaps)
    *px = 0xff000000u | (~dst & ink.gapFlip) | (dst & ink.gapKeep);
}

// Hands plot the address of each pixel LinePoints gives from a to b (the last left out), in
// order, without making the list; the line lies wholly inside the buffer.
template <class Plot>
void WalkLine(const CPixelBuffer& buffer, CPoint a, CPoint b, Plot&& plot)
{
  const int dx = std::abs(b.x - a.x);
  const int dy = std::abs(b.y - a.y);
  const std::ptrdiff_t stride = buffer.stride;
  const std::ptrdiff_t stepX = a.x < b.x ? 1 : -1;
  const std::ptrdiff_t stepY = a.y < b.y ? stride : -stride;
  std::uint32_t* px = buffer.bits + static_cast<std::ptrdiff_t>(a.y) * stride + a.x;
  const bool xMajor = dx >= dy;
  const int major = xMajor ? dx : dy;
  const int minor = xMajor ? dy : dx;
  const std::ptrdiff_t majorStep = xMajor ? stepX : stepY;
  const std::ptrdiff_t minorStep = xMajor ? stepY : stepX;
  int err = 2 * minor - major;
  for (int i = 0; i < major; ++i) {
    plot(px);
    if (err > 0) {
      px += minorStep;
      err -= 2 * major;
    }
    err += 2 * minor;
    px += majorStep;
  }
}

// Far outside any surface a coordinate stays far outside rather than overflowing.
int ClampedToInt(double v)
{
  return static_cast<int>(std::clamp(v, static_cast<double>(std::numeric_limits<int>::min()),
                                     static_cast<double>(std::numeric_limits<int>::max())));
}
}  // namespace

CDeviceScale::CDeviceScale(double ratio)
  : m_ratio(ratio > 0.0 ? ratio : 1.0), m_pen(std::max(1, static_cast<int>(std::floor(m_ratio + 1e-9))))
{}

int CDeviceScale::Scaled(int v) const { return ClampedToInt(std::floor(v * m_ratio + 0.5)); }

CRectRegion CDeviceScale::At(CRectRegion region) const
{
  if (!IsScaled())
    return region;
  // The rectangles stay disjoint: At keeps the order of every edge.
  CRectRegion scaled;
  for (const CRect& r : region.Rects())
    scaled.Union(At(r));
  return scaled;
}

CRect CDeviceScale::Touched(const CRect& r) const
{
  if (!IsScaled())
    return r;
  auto low = [this](int v) { return ClampedToInt(std::floor(v * m_ratio)); };
  auto high = [this](int v) { return ClampedToInt(std::ceil(v * m_ratio)); };
  return CRect(low(r.left), low(r.top), high(r.right), high(r.bottom));
}

bool CDeviceScale::MovesWhole(int v, int& device) const
{
  const double moved = v * m_ratio;
  device = static_cast<int>(std::lround(moved));
  return std::abs(moved - device) < 1e-9;
}

CRasterizer::CRasterizer(const CPixelBuffer& buffer, const CRectRegion* clip) : m_buffer(buffer), m_pClip(clip) {}

std::uint32_t CRasterizer::ToPixel(COLORREF color)
{
  return 0xff000000u | (static_cast<std::uint32_t>(GetRValue(color)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(color)) << 8) | static_cast<std::uint32_t>(GetBValue(color));
}

COLORREF CRasterizer::ToColorRef(std::uint32_t pixel)
{
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::uint32_t CRasterizer::Mix(int rop, std::uint32_t pen, std::uint32_t dst)
{
  // Bit (2 * pen + dst) of (rop - 1) is the result, applied to every colour bit.
  const unsigned table = static_cast<unsigned>(rop - 1) & 0xF;
  std::uint32_t out = 0;
  if (table & 0x1)
    out |= ~pen & ~dst;
  if (table & 0x2)
    out |= ~pen & dst;
  if (table & 0x4)
    out |= pen & ~dst;
  if (table & 0x8)
    out |= pen & dst;
  return 0xff000000u | (out & 0x00FFFFFFu);
}

bool CRasterizer::InClip(int x, int y) const
{
  if (x < 0 || y < 0 || x >= m_buffer.width || y >= m_buffer.height)
    return false;
  return !m_pClip || m_pClip->Contains(x, y);
}

void CRasterizer::SetPixel(int x, int y, std::uint32_t color, int rop)
{
  if (!InClip(x, y))
    return;
  std::uint32_t& px =
      m_buffer.bits[static_cast<size_t>(y) * static_cast<size_t>(m_buffer.stride) + static_cast<size_t>(x)];
  px = Mix(rop, color, px);
}

std::uint32_t CRasterizer::GetPixel(int x, int y) const
{
  if (x < 0 || y < 0 || x >= m_buffer.width || y >= m_buffer.height)
    return 0xffffffffu;
  return m_buffer.bits[static_cast<size_t>(y) * static_cast<size_t>(m_buffer.stride) + static_cast<size_t>(x)];
}

void CRasterizer::FillSpan(int y, int x0, int x1, std::uint32_t color, int rop)
{
  if (y < 0 || y >= m_buffer.height)
    return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, m_buffer.width);
  if (x0 >= x1)
    return;
  std::uint32_t* row = m_buffer.bits + static_cast<size_t>(y) * static_cast<size_t>(m_buffer.stride);
  // Copies are the common case of erasing and filling: they need no mixing with what is there.
  const bool copy = rop == R2_COPYPEN;
  auto fill = [&](int from, int to) {
    if (copy)
      std::fill(row + from, row + to, Mix(rop, color, 0));
    else
      for (int x = from; x < to; ++x)
        row[x] = Mix(rop, color, row[x]);
  };
  if (!m_pClip) {
    fill(x0, x1);
    return;
  }
  thread_local std::vector<Span> spans;
  spans.clear();
  m_pClip->SpansOnRow(y, x0, x1, spans);
  for (const Span& s : spans)
    fill(s.first, s.second);
}

void CRasterizer::FillRect(const CRect& rect, std::uint32_t color, int rop)
{
  // A rectangle wholly inside the clip (the sizing handles of a large selection, most erasing)
  // is written row by row without asking the clip about every row.
  if (rect.left < rect.right && rect.top < rect.bottom && Unclipped(rect)) {
    const bool copy = rop == R2_COPYPEN;
    const std::uint32_t copied = Mix(rop, color, 0);
    for (int y = rect.top; y < rect.bottom; ++y) {
      std::uint32_t* row = m_buffer.bits + static_cast<size_t>(y) * static_cast<size_t>(m_buffer.stride);
      if (copy)
        std::fill(row + rect.left, row + rect.right, copied);
      else
        for (int x = rect.left; x < rect.right; ++x)
          row[x] = Mix(rop, color, row[x]);
    }
    return;
  }
  for (int y = rect.top; y < rect.bottom; ++y)
    FillSpan(y, rect.left, rect.right, color, rop);
}

void CRasterizer::FillSpans(const std::vector<std::pair<int, Span>>& rowSpans, std::uint32_t color, int rop)
{
  for (const auto& rs : rowSpans)
    FillSpan(rs.first, rs.second.first, rs.second.second, color, rop);
}

void CRasterizer::StyledPixel(int x, int y, const CLinePen& pen, CStyleState& state)
{
  const bool on = PatternOn(pen.style, state.position++);
  if (on)
    SetPixel(x, y, pen.color, pen.rop);
  else if (pen.opaqueGaps)
    SetPixel(x, y, pen.gapColor, pen.rop);
}

void CRasterizer::LinePoints(CPoint a, CPoint b, std::vector<CPoint>& points)
{
  points.clear();
  const int dx = std::abs(b.x - a.x);
  const int dy = std::abs(b.y - a.y);
  const int sx = a.x < b.x ? 1 : -1;
  const int sy = a.y < b.y ? 1 : -1;
  int x = a.x;
  int y = a.y;
  if (dx >= dy) {
    int err = 2 * dy - dx;
    for (int i = 0; i < dx; ++i) {
      points.emplace_back(x, y);
      if (err > 0) {
        y += sy;
        err -= 2 * dx;
      }
      err += 2 * dy;
      x += sx;
    }
  } else {
    int err = 2 * dx - dy;
    for (int i = 0; i < dy; ++i) {
      points.emplace_back(x, y);
      if (err > 0) {
        x += sx;
        err -= 2 * dy;
      }
      err += 2 * dx;
      y += sy;
    }
  }
}

bool CRasterizer::Unclipped(const CRect& bounds) const
{
  if (bounds.left < 0 || bounds.top < 0 || bounds.right > m_buffer.width || bounds.bottom > m_buffer.height)
    return false;
  return !m_pClip || m_pClip->ContainsRect(bounds);
}

void CRasterizer::Line(CPoint a, CPoint b, const CLinePen& pen, CStyleState& state)
{
  if (pen.style == PS_NULL)
    return;
  // A line of one pixel, as the end pixel of each line of a move image is drawn: every way below
  // would draw that pixel so, after setting up for a longer line.
  if (IsOnePixel(a, b)) {
    StyledPixel(a.x, a.y, pen, state);
    return;
  }
  // A solid line that lies wholly inside the clip, the common case of a redraw, is written
  // straight into the rows without asking the clip about every pixel.
  if (pen.style == PS_SOLID || pen.style == PS_INSIDEFRAME) {
    const CRect bounds(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
    if (Unclipped(bounds)) {
      SolidLine(a, b, pen.color, pen.rop);
      state.position += std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
      return;
    }
  }
  // The dotted outlines of a dragged selection lie inside the window: their pixels need no
  // question to the clip either.
  const CRect bounds(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
  if (Unclipped(bounds)) {
    StyledLine(a, b, pen, state);
    return;
  }
  // Kept between lines: a drawing of thousands of lines would otherwise allocate for each.
  thread_local std::vector<CPoint> points;
  LinePoints(a, b, points);
  for (const CPoint& p : points)
    StyledPixel(p.x, p.y, pen, state);
}

void CRasterizer::Lines(const std::vector<std::pair<CPoint, CPoint>>& lines, const CRect& bounds, const CLinePen& pen,
                        CStyleState& state)
{
  if (pen.style == PS_NULL)
    return;
  if (!Unclipped(bounds)) {
    for (const auto& [a, b] : lines) {
      state = CStyleState();
      Line(a, b, pen, state);
    }
    return;
  }
  // All of them inside the clip, as the move image of a dragged selection is: the clip is asked
  // once, and the one-pixel lines (each line's end pixel in that image) are written in place.
  const bool solid = pen.style == PS_SOLID || pen.style == PS_INSIDEFRAME;
  const CStyledInk& ink = InkOf(pen);
  for (const auto& [a, b] : lines) {
    state = CStyleState();
    if (IsOnePixel(a, b)) {
      InkPixel(m_buffer.bits + static_cast<std::ptrdiff_t>(a.y) * m_buffer.stride + a.x, ink, 0);
      state.position = 1;
    } else if (solid) {
      SolidLine(a, b, pen.color, pen.rop);
      state.position = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    } else
      StyledLine(a, b, pen, state);
  }
}

CStyledInk CRasterizer::MakeInk(const CLinePen& pen)
{
  CStyledInk ink;
  const CStylePattern pattern = PatternOf(pen.style);
  int period = 0;
  for (int i = 0; i < pattern.count; ++i)
    for (int j = 0; j < pattern.runs[i]; ++j)
      ink.on[static_cast<size_t>(period++)] = i % 2 == 0;
  // A pen without a pattern draws every pixel.
  if (period == 0) {
    period = 1;
    ink.on[0] = true;
  }
  ink.period = period;
  // Bit (2 * pen + dst) of (rop - 1) is the result, as Mix reads it.
  const unsigned table = static_cast<unsigned>(pen.rop - 1) & 0xF;
  auto fold = [table](std::uint32_t color, std::uint32_t& flip, std::uint32_t& keep) {
    flip = ((table & 0x1) ? ~color : 0u) | ((table & 0x4) ? color : 0u);
    keep = ((table & 0x2) ? ~color : 0u) | ((table & 0x8) ? color : 0u);
    flip &= 0x00FFFFFFu;
    keep &= 0x00FFFFFFu;
  };
  fold(pen.color, ink.onFlip, ink.onKeep);
  fold(pen.gapColor, ink.gapFlip, ink.gapKeep);
  ink.opaqueGaps = pen.opaqueGaps;
  return ink;
}

const CStyledInk& CRasterizer::InkOf(const CLinePen& pen)
{
  if (!m_bInkMade || pen.color != m_inkPen.color || pen.style != m_inkPen.style || pen.rop != m_inkPen.rop ||
      pen.opaqueGaps != m_inkPen.opaqueGaps || pen.gapColor != m_inkPen.gapColor) {
    m_ink = MakeInk(pen);
    m_inkPen = pen;
    m_bInkMade = true;
  }
  return m_ink;
}

void CRasterizer::StyledLine(CPoint a, CPoint b, const CLinePen& pen, CStyleState& state)
{
  // The pattern of StyledPixel, looked up in one period of it, and the raster operation in the
  // ink's masks.
  const CStyledInk& ink = InkOf(pen);
  const int period = ink.period;
  int phase = state.position % period;
  state.position += std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
  WalkLine(m_buffer, a, b, [&](std::uint32_t* px) {
    InkPixel(px, ink, phase);
    if (++phase == period)
      phase = 0;
  });
}

void CRasterizer::SolidLine(CPoint a, CPoint b, std::uint32_t color, int rop)
{
  const bool copy = rop == R2_COPYPEN;
  const std::uint32_t copied = Mix(rop, color, 0);
  WalkLine(m_buffer, a, b, [&](std::uint32_t* px) { *px = copy ? copied : Mix(rop, color, *px); });
}

void CRasterizer::PlotPoints(const std::vector<CPoint>& points, const CLinePen& pen)
{
  if (pen.style == PS_NULL)
    return;
  for (const CPoint& p : points)
    SetPixel(p.x, p.y, pen.color, pen.rop);
}

void CRasterizer::WideLinePoints(CPoint a, CPoint b, int width, std::vector<CPoint>& points)
{
  thread_local std::vector<CPoint> path;
  LinePoints(a, b, path);
  const bool xMajor = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
  for (const CPoint& p : path)
    for (int i = 0; i < width; ++i)
      points.emplace_back(xMajor ? p.x : p.x + i, xMajor ? p.y + i : p.y);
}

void CRasterizer::WideLine(CPoint a, CPoint b, int width, const CLinePen& pen, CStyleState& state)
{
  if (pen.style == PS_NULL)
    return;
  width = std::max(width, 1);
  const CRect bounds(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + width, std::max(a.y, b.y) + width);
  const bool unclipped = Unclipped(bounds);
  const bool solid = pen.style == PS_SOLID || pen.style == PS_INSIDEFRAME;
  // The path is LinePoints' without the list: drawings at 200 % are mostly long lines.
  const int dx = std::abs(b.x - a.x);
  const int dy = std::abs(b.y - a.y);
  const bool xMajor = dx >= dy;
  const int major = xMajor ? dx : dy;
  const int minor = xMajor ? dy : dx;
  const int sx = a.x < b.x ? 1 : -1;
  const int sy = a.y < b.y ? 1 : -1;
  int x = a.x;
  int y = a.y;
  int err = 2 * minor - major;
  for (int i = 0; i < major; ++i) {
    const bool on = solid || PatternOn(pen.style, state.position / width);
    ++state.position;
    if (on || pen.opaqueGaps) {
      const std::uint32_t color = on ? pen.color : pen.gapColor;
      for (int j = 0; j < width; ++j) {
        const int px = xMajor ? x : x + j;
        const int py = xMajor ? y + j : y;
        if (unclipped) {
          std::uint32_t& dst = m_buffer.bits[static_cast<std::ptrdiff_t>(py) * m_buffer.stride + px];
          dst = Mix(pen.rop, color, dst);
        } else
          SetPixel(px, py, color, pen.rop);
      }
    }
    if (err > 0) {
      (xMajor ? y : x) += xMajor ? sy : sx;
      err -= 2 * major;
    }
    err += 2 * minor;
    (xMajor ? x : y) += xMajor ? sx : sy;
  }
}

void CRasterizer::EllipseBand(const CRect& box, int width, std::vector<std::pair<int, Span>>& band,
                              std::vector<std::pair<int, Span>>& interior, const CRect* bounds)
{
  band.clear();
  interior.clear();
  CRect inner(box);
  inner.DeflateRect(width, width);
  int top = box.top;
  int bottom = box.bottom;
  int minX = std::numeric_limits<int>::min();
  int maxX = std::numeric_limits<int>::max();
  if (bounds) {
    top = std::max(top, static_cast<int>(bounds->top));
    bottom = std::min(bottom, static_cast<int>(bounds->bottom));
    minX = bounds->left;
    maxX = bounds->right;
  }
  auto add = [&](std::vector<std::pair<int, Span>>& spans, int y, int from, int to) {
    from = std::max(from, minX);
    to = std::min(to, maxX);
    if (from < to)
      spans.push_back({y, {from, to}});
  };
  for (int y = top; y < bottom; ++y) {
    int l = 0, r = 0;
    if (!EllipseRow(box, y, l, r))
      continue;
    int il = 0, ir = 0;
    if (inner.right <= inner.left || inner.bottom <= inner.top || !EllipseRow(inner, y, il, ir)) {
      add(band, y, l, r + 1);
      continue;
    }
    il = std::max(il, l + 1);
    ir = std::min(ir, r - 1);
    if (il > ir) {
      add(band, y, l, r + 1);
      continue;
    }
    add(band, y, l, il);
    add(interior, y, il, ir + 1);
    add(band, y, ir + 1, r + 1);
  }
}

void CRasterizer::ArcBandPoints(const CRect& box, int width, CPoint start, CPoint end, std::vector<CPoint>& points,
                                const CRect* bounds)
{
  CRect b(box);
  b.NormalizeRect();
  std::vector<std::pair<int, Span>> band;
  std::vector<std::pair<int, Span>> interior;
  EllipseBand(b, width, band, interior, bounds);
  points.clear();
  const double cx = (b.left + b.right - 1) / 2.0;
  const double cy = (b.top + b.bottom - 1) / 2.0;
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  const double a0 = DeviceAngle(start.x, start.y, cx, cy);
  double sweep = DeviceAngle(end.x, end.y, cx, cy) - a0;
  while (sweep <= 0.0)
    sweep += kTwoPi;
  for (const auto& [y, span] : band)
    for (int x = span.first; x < span.second; ++x) {
      double d = DeviceAngle(x, y, cx, cy) - a0;
      while (d < 0.0)
        d += kTwoPi;
      if (start == end || d <= sweep + 1e-9)
        points.emplace_back(x, y);
    }
}

void CRasterizer::EllipseSpans(const CRect& box, std::vector<std::pair<int, Span>>& rowSpans)
{
  rowSpans.clear();
  for (int y = box.top; y < box.bottom; ++y) {
    int l = 0;
    int r = 0;
    if (EllipseRow(box, y, l, r))
      rowSpans.push_back({y, {l, r + 1}});
  }
}

void CRasterizer::EllipseOutline(const CRect& box, std::vector<CPoint>& outline,
                                 std::vector<std::pair<int, Span>>& interior, const CRect* bounds)
{
  outline.clear();
  interior.clear();
  // A pixel is on the outline when it lies inside and one of its four neighbours does not. Rows
  // are convex, so each row is an edge run, one interior span and another edge run; the work
  // grows with the rows and the outline, not with the area, and stops at the bounds.
  int top = box.top;
  int bottom = box.bottom;
  int minX = std::numeric_limits<int>::min();
  int maxX = std::numeric_limits<int>::max();
  if (bounds) {
    top = std::max(top, static_cast<int>(bounds->top));
    bottom = std::min(bottom, static_cast<int>(bounds->bottom));
    minX = bounds->left;
    maxX = bounds->right - 1;
  }
  auto edgeRun = [&](int y, int from, int to) {
    for (int x = std::max(from, minX); x <= std::min(to, maxX); ++x)
      outline.emplace_back(x, y);
  };
  for (int y = top; y < bottom; ++y) {
    int l = 0;
    int r = 0;
    if (!EllipseRow(box, y, l, r))
      continue;
    int la = 0, ra = 0, lb = 0, rb = 0;
    const bool above = EllipseRow(box, y - 1, la, ra);
    const bool below = EllipseRow(box, y + 1, lb, rb);
    const int il = std::max({l + 1, la, lb});
    const int ir = std::min({r - 1, ra, rb});
    if (!above || !below || il > ir) {
      edgeRun(y, l, r);
      continue;
    }
    edgeRun(y, l, il - 1);
    const int sl = std::max(il, minX);
    const int sr = std::min(ir, maxX);
    if (sl <= sr)
      interior.push_back({y, {sl, sr + 1}});
    edgeRun(y, ir + 1, r);
  }
}

void CRasterizer::ArcPoints(const CRect& box, CPoint start, CPoint end, std::vector<CPoint>& points,
                            const CRect* bounds)
{
  std::vector<CPoint> outline;
  std::vector<std::pair<int, Span>> interior;
  CRect b(box);
  b.NormalizeRect();
  EllipseOutline(b, outline, interior, bounds);
  points.clear();
  const double cx = (b.left + b.right - 1) / 2.0;
  const double cy = (b.top + b.bottom - 1) / 2.0;
  if (start == end) {
    points = outline;
    return;
  }
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  const double a0 = DeviceAngle(start.x, start.y, cx, cy);
  double sweep = DeviceAngle(end.x, end.y, cx, cy) - a0;
  while (sweep <= 0.0)
    sweep += kTwoPi;
  for (const CPoint& p : outline) {
    double d = DeviceAngle(p.x, p.y, cx, cy) - a0;
    while (d < 0.0)
      d += kTwoPi;
    if (d <= sweep + 1e-9)
      points.push_back(p);
  }
}

void CRasterizer::PolygonSpans(const std::vector<CPoint>& points, bool winding,
                               std::vector<std::pair<int, Span>>& rowSpans)
{
  rowSpans.clear();
  const size_t n = points.size();
  if (n < 3)
    return;
  int top = points[0].y;
  int bottom = points[0].y;
  for (const CPoint& p : points) {
    top = std::min(top, static_cast<int>(p.y));
    bottom = std::max(bottom, static_cast<int>(p.y));
  }
  std::vector<std::pair<double, int>> crossings;
  for (int y = top; y < bottom; ++y) {
    // Sample at the pixel centre so that a shared edge belongs to exactly one side.
    const double sy = y + 0.5;
    crossings.clear();
    for (size_t i = 0; i < n; ++i) {
      const CPoint& p = points[i];
      const CPoint& q = points[(i + 1) % n];
      if (p.y == q.y)
        continue;
      const bool down = q.y > p.y;
      const double y0 = down ? p.y : q.y;
      const double y1 = down ? q.y : p.y;
      if (sy < y0 || sy >= y1)
        continue;
      const double x = p.x + (sy - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y);
      crossings.emplace_back(x, down ? 1 : -1);
    }
    std::sort(crossings.begin(), crossings.end());
    int count = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      count += winding ? crossings[i].second : 1;
      const bool inside = winding ? count != 0 : (count % 2) != 0;
      if (!inside)
        continue;
      const int x0 = static_cast<int>(std::ceil(crossings[i].first - 0.5));
      const int x1 = static_cast<int>(std::ceil(crossings[i + 1].first - 0.5));
      if (x0 < x1)
        rowSpans.push_back({y, {x0, x1}});
    }
  }
}
