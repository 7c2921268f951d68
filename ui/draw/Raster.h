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
