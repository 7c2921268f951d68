#pragma once
// One-pixel rasteriser with the drawing interface's rules, on a plain 32-bit pixel buffer:
// lines leave out their last pixel, every primitive touches each pixel once (so drawing it twice
// with an inverting raster operation restores the buffer), rectangles exclude their right and
// bottom edges, arcs run counter-clockwise as seen on the device. Needs no display.
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/core/Rect.h"
#include "ui/draw/GdiTypes.h"
#include "ui/draw/RectRegion.h"

// Pixels are 0xffRRGGBB, the layout of a 32-bit RGB image.
struct CPixelBuffer
{
  std::uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels per row
};

// Cosmetic pen as the rasteriser needs it.
struct CLinePen
{
  std::uint32_t color = 0xff000000u;
  int style = PS_SOLID;
  int rop = R2_COPYPEN;
  bool opaqueGaps = false;
  std::uint32_t gapColor = 0xffffffffu;
};

// Position in a styled pen's on/off pattern; it runs on across joined line segments.
struct CStyleState
{
  int position = 0;
};

// A styled pen made ready for many lines: its pattern laid out over one period, and its raster
// operation on each colour folded into two masks, the result being (~dst & flip) | (dst & keep).
struct CStyledInk
{
  static constexpr int kLongestPeriod = 24;
  std::array<bool, kLongestPeriod> on{};
  int period = 1;
  std::uint32_t onFlip = 0;
  std::uint32_t onKeep = 0;
  std::uint32_t gapFlip = 0;
  std::uint32_t gapKeep = 0;
  bool opaqueGaps = false;
};

// Where the pixels of a window lie on a surface kept at a device pixel ratio: window pixel x
// starts at device pixel At(x), so pixels are one or two device pixels wide at 150 %. A cosmetic
// pen is Pen() device pixels wide, the narrowest a window pixel gets: every line is equally
// heavy, and a line along a row of window pixels stays inside that row.
class CDeviceScale
{
public:
  explicit CDeviceScale(double ratio = 1.0);
  bool IsScaled() const { return m_ratio != 1.0; }
  double Ratio() const { return m_ratio; }
  int Pen() const { return m_pen; }
  int At(int v) const { return m_ratio == 1.0 ? v : Scaled(v); }
  CPoint At(CPoint p) const { return CPoint(At(p.x), At(p.y)); }
  CRect At(const CRect& r) const { return CRect(At(r.left), At(r.top), At(r.right), At(r.bottom)); }
  CRectRegion At(CRectRegion region) const;
  // Every device pixel a window rectangle covers in part: a window's pixel grid may lie half a
  // device pixel off the screen's, where the screen takes a rectangle's edge to either side.
  CRect Touched(const CRect& r) const;
  // Whether a move by this many window pixels moves every window pixel by the same number of
  // device pixels, and that number.
  bool MovesWhole(int v, int& device) const;

private:
  int Scaled(int v) const;
  double m_ratio;
  int m_pen;
};

class CRasterizer
{
public:
  using Span = std::pair<int, int>;

  // clip: device pixels that may change; null means the whole buffer.
  CRasterizer(const CPixelBuffer& buffer, const CRectRegion* clip);

  static std::uint32_t ToPixel(COLORREF color);
  static COLORREF ToColorRef(std::uint32_t pixel);
  static std::uint32_t Mix(int rop, std::uint32_t pen, std::uint32_t dst);
  static CStyledInk MakeInk(const CLinePen& pen);

  void SetPixel(int x, int y, std::uint32_t color, int rop);
  std::uint32_t GetPixel(int x, int y) const;
  void FillSpan(int y, int x0, int x1, std::uint32_t color, int rop);
  void FillRect(const CRect& rect, std::uint32_t color, int rop);
  void FillSpans(const std::vector<std::pair<int, Span>>& rowSpans, std::uint32_t color, int rop);

  // From a towards b; b itself is not drawn.
  void Line(CPoint a, CPoint b, const CLinePen& pen, CStyleState& state);
  // Each line as Line draws it from a fresh style position; state ends as the last line left it.
  // bounds holds every pixel of the lines, their second points included.
  void Lines(const std::vector<std::pair<CPoint, CPoint>>& lines, const CRect& bounds, const CLinePen& pen,
             CStyleState& state);
  void PlotPoints(const std::vector<CPoint>& points, const CLinePen& pen);
  // Line, width pixels across its major direction from the path on: each pixel of the path and
  // the width - 1 below it (a line more across than down) or right of it. Every pixel is drawn
  // once, b's square of width pixels is left out, and the pattern's runs are width times longer.
  void WideLine(CPoint a, CPoint b, int width, const CLinePen& pen, CStyleState& state);

  // Shapes as pixel sets, in device coordinates.
  static void EllipseSpans(const CRect& box, std::vector<std::pair<int, Span>>& rowSpans);
  // bounds, when given, limits the pixels produced (the device), so huge shapes cost little.
  static void EllipseOutline(const CRect& box, std::vector<CPoint>& outline,
                             std::vector<std::pair<int, Span>>& interior, const CRect* bounds = nullptr);
  static void ArcPoints(const CRect& box, CPoint start, CPoint end, std::vector<CPoint>& points,
                        const CRect* bounds = nullptr);
  static void PolygonSpans(const std::vector<CPoint>& points, bool winding,
                           std::vector<std::pair<int, Span>>& rowSpans);
  static void LinePoints(CPoint a, CPoint b, std::vector<CPoint>& points);
  // The pixels WideLine draws, solid, appended to points.
  static void WideLinePoints(CPoint a, CPoint b, int width, std::vector<CPoint>& points);
  // The ellipse in box as a band width pixels deep inside its edge, and what the band encloses,
  // rows limited to bounds when given.
  static void EllipseBand(const CRect& box, int width, std::vector<std::pair<int, Span>>& band,
                          std::vector<std::pair<int, Span>>& interior, const CRect* bounds = nullptr);
  // The pixels of that band from the ray through start counter-clockwise to the ray through end
  // (all of it when they are equal).
  static void ArcBandPoints(const CRect& box, int width, CPoint start, CPoint end, std::vector<CPoint>& points,
                            const CRect* bounds = nullptr);

private:
  bool InClip(int x, int y) const;
  // True when every pixel of bounds lies in the buffer and the clip.
  bool Unclipped(const CRect& bounds) const;
  void SolidLine(CPoint a, CPoint b, std::uint32_t color, int rop);
  // A styled line wholly inside the buffer and the clip.
  void StyledLine(CPoint a, CPoint b, const CLinePen& pen, CStyleState& state);
  // The ink of the pen last drawn with: a drawing of thousands of lines prepares it once.
  const CStyledInk& InkOf(const CLinePen& pen);
  void StyledPixel(int x, int y, const CLinePen& pen, CStyleState& state);

  CPixelBuffer m_buffer;
  const CRectRegion* m_pClip;
  bool m_bInkMade = false;
  CLinePen m_inkPen;
  CStyledInk m_ink;
};
