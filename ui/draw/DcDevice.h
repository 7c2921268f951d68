#pragma once
// The devices a CDC draws on, in device coordinates (internal to ui): a raster device
// that keeps the drawing interface's pixel rules on an image (windows, bitmaps), and a painter
// device for printers, SVG and pictures.
#include <functional>
#include <utility>
#include <vector>

#include <QFont>
#include <QString>

#include "ui/draw/GdiTypes.h"
#include "ui/draw/Raster.h"
#include "ui/draw/RectRegion.h"

class CImageData;
class QPainter;
class QPaintDevice;
class QImage;
class QRect;
class QRegion;

struct CDevPen
{
  int style = PS_SOLID;
  int width = 0;
  COLORREF color = 0;
  bool IsNull() const { return style == PS_NULL; }
};

struct CDevBrush
{
  bool isNull = false;
  COLORREF color = RGB(255, 255, 255);
};

struct CDevText
{
  QFont font;
  COLORREF color = 0;
  COLORREF bkColor = RGB(255, 255, 255);
  bool opaque = true;
  UINT align = TA_LEFT | TA_TOP;
};

class CDcMapping;
struct LOGFONT;

// A Qt font for a logical font record on a device, with the record's height mapped to device units.
QFont MakeQFont(const LOGFONT& lf, const CDcMapping& mapping, QPaintDevice* device);

class CDcDevice
{
public:
  virtual ~CDcDevice() = default;

  virtual int GetCaps(int index) const = 0;
  // The device's own drawable area (window client, paint region, page).
  virtual CRectRegion BaseClip() const = 0;
  void SetExtraClip(const CRectRegion* clip);
  CRectRegion EffectiveClip() const;

  virtual void Line(CPoint a, CPoint b, const CDevPen& pen, int rop, COLORREF bk, bool opaque, CStyleState& state) = 0;
  // Each pair as Line from its first point (with a fresh style position) followed by SetPixel of
  // its second point in endColor; state ends as the last line left it.
  virtual void Segments(const std::vector<std::pair<CPoint, CPoint>>& segments, const CDevPen& pen, int rop,
                        COLORREF bk, bool opaque, COLORREF endColor, CStyleState& state);
  // Each pair as Line with a fresh style position; state ends as the last line left it.
  virtual void Lines(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop, COLORREF bk,
                     bool opaque, CStyleState& state);
  // As Lines, where every second line is the end pixel of the line before it drawn through the
  // pen: the one-pixel line from that pixel to the next on its right.
  virtual void LinesWithEnds(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop,
                             COLORREF bk, bool opaque, CStyleState& state)
  {
    Lines(lines, pen, rop, bk, opaque, state);
  }
  virtual void SetPixel(CPoint p, COLORREF color) = 0;
  virtual COLORREF GetPixel(CPoint p) const = 0;
  virtual void Rectangle(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop) = 0;
  virtual void Ellipse(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop) = 0;
  virtual void Arc(const CRect& r, CPoint start, CPoint end, const CDevPen& pen, int rop) = 0;
  virtual void Polygon(const std::vector<CPoint>& points, bool winding, const CDevPen& pen, const CDevBrush& brush,
                       int rop) = 0;
  virtual void FillRegion(const CRectRegion& region, COLORREF color) = 0;
  // FillRegion of the region of one rectangle.
  virtual void FillRect(const CRect& r, COLORREF color) { FillRegion(CRectRegion(r), color); }
  virtual void Text(CPoint p, const QString& text, const CDevText& t) = 0;
  // Draws (or with DT_CALCRECT measures) text in a box; returns the text height.
  virtual int DrawText(QRect& box, const QString& text, UINT format, const CDevText& t) = 0;
  virtual QPaintDevice* PaintDevice() const = 0;
  // Called after every change, with the device rectangle that may have changed.
  std::function<void(const CRect&)> onTouched;
  // Offered the bounds of many primitives drawn together instead of each one's rectangle: takes
  // them as onTouched would and answers true, or answers false having done nothing where that
  // is not the same as taking each rectangle.
  std::function<bool(const CRect&)> onTouchedAtOnce;
  // Called after a picture that also exists at the screen's device pixel ratio was copied, with
  // its device rectangle, the sharp image and the clip it was copied under (windows show the
  // sharp image over the surface's pixels until something draws there).
  std::function<void(const QRect&, const QImage&, const QRegion&)> onSharpPicture;

protected:
  void Touch(const CRect& r) const;
  bool m_hasExtraClip = false;
  CRectRegion m_extraClip;
  // Counts the changes of the clip, so a device can keep what it derives from it.
  int m_clipVersion = 0;
};

// Draws on an image with the rasteriser; text goes through a painter clipped the same way. An
// image kept at a device pixel ratio (a window's surface) is drawn on at its own resolution in
// the window's pixels: lines, outlines and fills land where the window pixels they name lie,
// every primitive still changes each pixel once, and lines leave out their last window pixel.
class CRasterDevice : public CDcDevice
{
public:
  CRasterDevice(CImageData* image, const CRectRegion& baseClip);
  int GetCaps(int index) const override;
  CRectRegion BaseClip() const override { return m_baseClip; }
  void SetBaseClip(const CRectRegion& clip)
  {
    m_baseClip = clip;
    ++m_clipVersion;
  }

  void Line(CPoint a, CPoint b, const CDevPen& pen, int rop, COLORREF bk, bool opaque, CStyleState& state) override;
  // The clip, the pixels and the pen are taken once for all the segments.
  void Segments(const std::vector<std::pair<CPoint, CPoint>>& segments, const CDevPen& pen, int rop, COLORREF bk,
                bool opaque, COLORREF endColor, CStyleState& state) override;
  void Lines(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop, COLORREF bk, bool opaque,
             CStyleState& state) override;
  // Where a window pixel is wider than the pen, an end pixel is the pen's square there.
  void LinesWithEnds(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop, COLORREF bk,
                     bool opaque, CStyleState& state) override;
  void SetPixel(CPoint p, COLORREF color) override;
  COLORREF GetPixel(CPoint p) const override;
  void Rectangle(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop) override;
  void Ellipse(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop) override;
  void Arc(const CRect& r, CPoint start, CPoint end, const CDevPen& pen, int rop) override;
  void Polygon(const std::vector<CPoint>& points, bool winding, const CDevPen& pen, const CDevBrush& brush,
               int rop) override;
  void FillRegion(const CRectRegion& region, COLORREF color) override;
  void FillRect(const CRect& r, COLORREF color) override;
  void Text(CPoint p, const QString& text, const CDevText& t) override;
  int DrawText(QRect& box, const QString& text, UINT format, const CDevText& t) override;
  QPaintDevice* PaintDevice() const override;

private:
  static CLinePen MakeLinePen(const CDevPen& pen, int rop, COLORREF bk, bool opaque);
  bool Scaled() const { return m_scale.IsScaled(); }
  // The primitives on an image at a ratio other than 1, in window pixels.
  void ScaledLine(CRasterizer& raster, CPoint a, CPoint b, const CLinePen& pen, CStyleState& state) const;
  void ScaledRectangle(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop);
  void ScaledEllipse(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop);
  void ScaledArc(const CRect& r, CPoint start, CPoint end, const CDevPen& pen, int rop);
  void ScaledPolygon(const std::vector<CPoint>& points, bool winding, const CDevPen& pen, const CDevBrush& brush,
                     int rop);
  // The device pixels of a line's ends: the start of their window pixels, except along the
  // axis the line mostly runs when it runs towards smaller coordinates, where they are the far
  // side of the pen's square there; so a line ends where the line across it begins, whichever
  // way either runs.
  void DeviceEnds(CPoint a, CPoint b, CPoint& da, CPoint& db) const;
  // The device pixels of a set pixel or a line's end pixel: the pen's square where the window
  // pixel starts, so the end is no heavier than the line where a window pixel is wider than the
  // pen, and lies where the line would go on whichever way it runs.
  CRect ScaledPixel(CPoint p) const;
  void Plot(const std::vector<CPoint>& points, const CDevPen& pen, int rop, const CRect& bounds);
  // Lines and LinesWithEnds.
  void DrawLines(const std::vector<std::pair<CPoint, CPoint>>& lines, const CDevPen& pen, int rop, COLORREF bk,
                 bool opaque, bool withEnds, CStyleState& state);
  CRect SurfaceRect() const;

  // The effective clip, worked out once per change rather than once per primitive.
  const CRectRegion& RasterClip() const;
  // The image's writable pixels, taken once while the image keeps them to itself: asking for
  // them detaches the image, which cost more than a short line. A copy of the image made
  // meanwhile, a resize, or anyone else's write access (each changes the image's cache key or
  // shares its pixels) makes the device ask again, so it never writes into shared pixels.
  CPixelBuffer Pixels() const;

  CImageData* m_pImage;
  CDeviceScale m_scale;
  CRectRegion m_baseClip;
  mutable CRectRegion m_rasterClip;
  mutable int m_rasterClipVersion = -1;
  mutable CPixelBuffer m_pixels;
  mutable qint64 m_pixelsKey = 0;
};

// Draws through a painter: printers, SVG generators and pictures. Raster operations other than
// copying apply only where the paint device supports them.
class CPainterDevice : public CDcDevice
{
public:
  // caps answers GetDeviceCaps; the page is the drawable area in device units.
  CPainterDevice(QPainter* painter, std::function<int(int)> caps, const CRect& page);
  int GetCaps(int index) const override { return m_caps(index); }
  CRectRegion BaseClip() const override { return CRectRegion(m_page); }

  void Line(CPoint a, CPoint b, const CDevPen& pen, int rop, COLORREF bk, bool opaque, CStyleState& state) override;
  void SetPixel(CPoint p, COLORREF color) override;
  COLORREF GetPixel(CPoint p) const override;
  void Rectangle(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop) override;
  void Ellipse(const CRect& r, const CDevPen& pen, const CDevBrush& brush, int rop) override;
  void Arc(const CRect& r, CPoint start, CPoint end, const CDevPen& pen, int rop) override;
  void Polygon(const std::vector<CPoint>& points, bool winding, const CDevPen& pen, const CDevBrush& brush,
               int rop) override;
  void FillRegion(const CRectRegion& region, COLORREF color) override;
  void Text(CPoint p, const QString& text, const CDevText& t) override;
  int DrawText(QRect& box, const QString& text, UINT format, const CDevText& t) override;
  QPaintDevice* PaintDevice() const override;
  // Says whether what is drawn here is shown mirrored in one axis (a picture whose frame turns y
  // upwards); arcs then keep their turn as shown.
  void SetMirrored(std::function<bool()> mirrored) { m_mirrored = std::move(mirrored); }

private:
  void Prepare(const CDevPen* pen, const CDevBrush* brush, int rop);

  QPainter* m_pPainter;
  std::function<int(int)> m_caps;
  CRect m_page;
  std::function<bool()> m_mirrored;
};
