#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include "ui/draw/Dc.h"
#include "ui/draw/DcDevice.h"
#include "ui/draw/ImageData.h"
#include "ui/draw/MetaFile.h"
#include "ui/wnd/QtConv.h"

IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)

namespace {
// The largest em considered for a cell.
constexpr int kLargestEm = 1000;
// Most faces' character cell, ascent and descent, is about this many ems high.
constexpr double kUsualCellPerEm = 1.15;

// Window surfaces, bitmaps and controls; not paper or recorded pictures, whose resolution is fine
// enough for the outline's own advances.
bool OnScreenPixels(const QPaintDevice* device)
{
  if (!device)
    return false;
  const int type = device->devType();
  return type == QInternal::Image || type == QInternal::Widget || type == QInternal::Pixmap;
}

// The character cell, ascent and descent as drawn, of the font at an em of the given pixels.
int CellHeight(QFont font, int pixels, QPaintDevice* device)
{
  font.setPixelSize(pixels);
  return QFontMetrics(font, device).height();
}

// The largest em whose cell fits in the height. The cell grows with the em, so the walk finds it
// from any first guess; each size measured is a font matched anew, so the guess is the usual
// proportion, corrected once by the face's own at the guess where that is more than a pixel off.
int EmForCell(const QFont& font, int height, QPaintDevice* device)
{
  int em = std::clamp(static_cast<int>(std::lround(height / kUsualCellPerEm)), 1, kLargestEm);
  const int cell = CellHeight(font, em, device);
  if (cell <= 0)
    return height;
  if (std::abs(cell - height) > 1)
    em = std::clamp(static_cast<int>(std::lround(static_cast<double>(em) * height / cell)), 1, kLargestEm);
  while (em > 1 && CellHeight(font, em, device) > height)
    --em;
  while (em < kLargestEm && CellHeight(font, em + 1, device) <= height)
    ++em;
  return em;
}
}  // namespace

QFont MakeQFont(const LOGFONT& lf, const CDcMapping& mapping, QPaintDevice* device)
{
  QFont font(lf.lfFaceName[0] ? QString::fromLatin1(lf.lfFaceName) : QApplication::font().family());
  const int weight = lf.lfWeight == 0 ? FW_NORMAL : std::clamp(static_cast<int>(lf.lfWeight), 100, 900);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(lf.lfItalic != 0);
  font.setUnderline(lf.lfUnderline != 0);
  font.setStrikeOut(lf.lfStrikeOut != 0);
  font.setStyleStrategy(QFont::NoAntialias);
  if (OnScreenPixels(device)) {
    // Glyphs drawn without smoothing stand on whole pixels, so they go on the whole-pixel
    // advances GDI gives them, unkerned: laid out on the outline's fractional advances instead
    // they leave gaps and overlaps between letters at small sizes.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
  }
  int height = std::abs(mapping.LPtoDP(CSize(0, lf.lfHeight)).cy);
  if (lf.lfHeight == 0 || height == 0)
    height = 13;
  // A positive height is the character cell; Qt sizes the em.
  font.setPixelSize(lf.lfHeight > 0 && device ? EmForCell(font, height, device) : height);
  return font;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
  if (m_pRecording) {
    const CPoint old = m_pRecording->frameOrg;
    m_pRecording->frameOrg = CPoint(x, y);
    return old;
  }
  return m_state.mapping.SetWindowOrg(CPoint(x, y));
}

CSize CDC::SetWindowExt(int cx, int cy)
{
  if (m_pRecording) {
    const CSize old = m_pRecording->frameExt;
    m_pRecording->frameExt = CSize(cx, cy);
    return old;
  }
  return m_state.mapping.SetWindowExt(CSize(cx, cy));
}

CPoint CDC::MoveTo(int x, int y)
{
  const CPoint old = m_state.current;
  m_state.current = CPoint(x, y);
  m_state.style = CStyleState();
  return old;
}

BOOL CDC::LineTo(int x, int y)
{
  if (!m_pDevice)
    return FALSE;
  CDevPen pen{m_state.penStyle, m_state.penWidth, m_state.penColor};
  m_pDevice->Line(ToDevice(m_state.current.x, m_state.current.y), ToDevice(x, y), pen, m_state.rop, m_state.bkColor,
                  m_state.bkMode == OPAQUE, m_state.style);
  m_state.current = CPoint(x, y);
  return TRUE;
}

BOOL CDC::DrawSegments(const std::vector<std::pair<CPoint, CPoint>>& segments, COLORREF endColor)
{
  if (!m_pDevice)
    return FALSE;
  if (segments.empty())
    return TRUE;
  m_deviceSegments.clear();
  WithDeviceMapping([&](auto toDevice) {
    for (const auto& [a, b] : segments)
      m_deviceSegments.emplace_back(toDevice(a), toDevice(b));
  });
  CDevPen pen{m_state.penStyle, m_state.penWidth, m_state.penColor};
  m_pDevice->Segments(m_deviceSegments, pen, m_state.rop, m_state.bkColor, m_state.bkMode == OPAQUE, endColor,
                      m_state.style);
  m_state.current = segments.back().second;
  return TRUE;
}

BOOL CDC::DrawSegmentsThroughPen(const std::vector<std::pair<CPoint, CPoint>>& segments)
{
  if (!m_pDevice)
    return FALSE;
  if (segments.empty())
    return TRUE;
  m_deviceSegments.clear();
  WithDeviceMapping([&](auto toDevice) {
    for (const auto& [a, b] : segments) {
      const CPoint end = toDevice(b);
      m_deviceSegments.emplace_back(toDevice(a), end);
      m_deviceSegments.emplace_back(end, toDevice(CPoint(b.x + 1, b.y)));
    }
  });
  CDevPen pen{m_state.penStyle, m_state.penWidth, m_state.penColor};
  m_state.style = CStyleState();
  m_pDevice->LinesWithEnds(m_deviceSegments, pen, m_state.rop, m_state.bkColor, m_state.bkMode == OPAQUE,
                           m_state.style);
  m_state.current = CPoint(segments.back().second.x + 1, segments.back().second.y);
  return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
  if (!m_pDevice)
    return 0xFFFFFFFFu;
  m_pDevice->SetPixel(ToDevice(x, y), crColor);
  return crColor;
}

COLORREF CDC::GetPixel(int x, int y) const { return m_pDevice ? m_pDevice->GetPixel(ToDevice(x, y)) : 0xFFFFFFFFu; }

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
  if (!m_pDevice)
    return FALSE;
  CDevPen pen{m_state.penStyle, m_state.penWidth, m_state.penColor};
  CDevBrush brush{m_state.brushNull != FALSE, m_state.brushColor};
  m_pDevice->Rectangle(ToDevice(CRect(x1, y1, x2, y2)), pen, brush, m_state.rop);
  return TRUE;
}

BOOL CDC::Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
  if (!m_pDevice)
    return FALSE;
  CDevPen pen{m_state.penStyle, m_state.penWidth, m_state.penColor};
  CDevBrush brush{m_state.brushNull != FALSE, m_state.brushColor};
  m_pDevice->Ellipse(ToDevice(CRect(x1, y1, x2, y2)), pen, brush, m_state.rop);
  return TRUE;
}

BOOL CDC::Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
  if (!m_pDevice)
    return FALSE;
  CDevPen pen{m_state.penStyle, m_state.penWidth, m_state.penColor};
  m_pDevice->Arc(ToDevice(CRect(x1, y1, x2, y2)), ToDevice(x3, y3), ToDevice(x4, y4), pen, m_state.rop);
  return TRUE;
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
  return Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
  if (!m_pDevice || !lpPoints || nCount < 2)
    return FALSE;
  std::vector<CPoint> points;
  for (int i = 0; i < nCount; ++i)
    points.push_back(ToDevice(lpPoints[i].x, lpPoints[i].y));
  CDevPen pen{m_state.penStyle, m_state.penWidth, m_state.penColor};
  CDevBrush brush{m_state.brushNull != FALSE, m_state.brushColor};
  m_pDevice->Polygon(points, m_state.polyFillMode == WINDING, pen, brush, m_state.rop);
  return TRUE;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
  if (!m_pDevice || !lpPoints || nCount < 2)
    return FALSE;
  // The current position is neither used nor changed, as the drawing interface defines.
  CDevPen pen{m_state.penStyle, m_state.penWidth, m_state.penColor};
  CStyleState style;
  for (int i = 0; i + 1 < nCount; ++i)
    m_pDevice->Line(ToDevice(lpPoints[i].x, lpPoints[i].y), ToDevice(lpPoints[i + 1].x, lpPoints[i + 1].y), pen,
                    m_state.rop, m_state.bkColor, m_state.bkMode == OPAQUE, style);
  return TRUE;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
  if (!m_pDevice || !lpRect || !pBrush || pBrush->IsNull())
    return;
  m_pDevice->FillRect(ToDevice(*lpRect), pBrush->GetColor());
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
  if (!m_pDevice || !lpRect)
    return;
  m_state.bkColor = clr;
  m_pDevice->FillRect(ToDevice(*lpRect), clr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
  const CRect r(x, y, x + cx, y + cy);
  FillSolidRect(&r, clr);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
  if (!m_pDevice || !pRgn || !pBrush || pBrush->IsNull())
    return FALSE;
  CRectRegion device;
  for (const CRect& r : pRgn->Region().Rects())
    device.Union(ToDevice(r));
  m_pDevice->FillRegion(device, pBrush->GetColor());
  return TRUE;
}

void CDC::InvertRect(LPCRECT lpRect)
{
  if (!m_pDevice || !lpRect)
    return;
  CDevPen none{PS_NULL, 0, 0};
  CDevBrush black{false, RGB(0, 0, 0)};
  CRect d = ToDevice(*lpRect);
  d.right += 1;
  d.bottom += 1;
  m_pDevice->Rectangle(d, none, black, R2_NOT);
}

BOOL CDC::DrawBitmap(int x, int y, const CBitmap* pBitmap)
{
  if (!m_pDevice || !pBitmap || !pBitmap->Image())
    return FALSE;
  const QImage& image = pBitmap->Image()->Image();
  const CPoint at = ToDevice(x, y);
  QPainter painter(m_pDevice->PaintDevice());
  QRegion clip;
  const CRectRegion visible = m_pDevice->EffectiveClip();
  for (const CRect& r : visible.Rects())
    clip += ToQRect(r);
  painter.setClipRegion(clip);
  // A surface kept at the screen's ratio takes the picture drawn at that ratio, pixel for pixel.
  const CImageData* sharp = pBitmap->SharpImage();
  const double ratio = m_pDevice->PaintDevice()->devicePixelRatio();
  if (ratio > 1.0 && sharp && sharp->Image().devicePixelRatio() == ratio)
    painter.drawImage(at.x, at.y, sharp->Image());
  else
    painter.drawImage(at.x, at.y, image);
  painter.end();
  if (m_pDevice->onTouched)
    m_pDevice->onTouched(CRect(at.x, at.y, at.x + image.width(), at.y + image.height()));
  if (m_pDevice->onSharpPicture && pBitmap->SharpImage())
    m_pDevice->onSharpPicture(QRect(at.x, at.y, image.width(), image.height()), pBitmap->SharpImage()->Image(), clip);
  return TRUE;
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return TextOut(x, y, CString(lpszString, nCount)); }

BOOL CDC::TextOut(int x, int y, const CString& str)
{
  if (!m_pDevice)
    return FALSE;
  CDevText t;
  t.font = MakeQFont(m_state.font, m_state.mapping, m_pDevice->PaintDevice());
  t.color = m_state.textColor;
  t.bkColor = m_state.bkColor;
  t.opaque = m_state.bkMode == OPAQUE;
  t.align = m_state.textAlign;
  m_pDevice->Text(ToDevice(x, y), ToQString(str), t);
  return TRUE;
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
  if (!m_pDevice || !lpRect)
    return 0;
  CDevText t;
  t.font = MakeQFont(m_state.font, m_state.mapping, m_pDevice->PaintDevice());
  t.color = m_state.textColor;
  t.bkColor = m_state.bkColor;
  t.opaque = m_state.bkMode == OPAQUE;
  QRect box = ToQRect(ToDevice(*lpRect));
  const int height = m_pDevice->DrawText(box, ToQString(str), nFormat, t);
  if (nFormat & DT_CALCRECT) {
    CRect measured = FromQRect(box);
    DPtoLP(&measured);
    lpRect->right = lpRect->left + std::abs(measured.Width());
    lpRect->bottom = lpRect->top + std::abs(measured.Height());
  }
  return std::abs(m_state.mapping.DPtoLP(CSize(0, height)).cy);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const { return GetTextExtent(CString(lpszString, nCount)); }

CSize CDC::GetTextExtent(const CString& str) const
{
  if (!m_pDevice)
    return CSize();
  const QFont font = MakeQFont(m_state.font, m_state.mapping, m_pDevice->PaintDevice());
  const QFontMetrics fm(font, m_pDevice->PaintDevice());
  const CSize device(fm.horizontalAdvance(ToQString(str)), fm.height());
  return m_state.mapping.DPtoLP(device);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
  if (!m_pDevice || !lpMetrics)
    return FALSE;
  const QFont font = MakeQFont(m_state.font, m_state.mapping, m_pDevice->PaintDevice());
  const QFontMetrics fm(font, m_pDevice->PaintDevice());
  auto toLogical = [&](int v) { return static_cast<LONG>(m_state.mapping.DPtoLP(CSize(0, v)).cy); };
  lpMetrics->tmAscent = toLogical(fm.ascent());
  lpMetrics->tmDescent = toLogical(fm.descent());
  lpMetrics->tmHeight = lpMetrics->tmAscent + lpMetrics->tmDescent;
  lpMetrics->tmInternalLeading = toLogical(std::max(0, fm.height() - font.pixelSize()));
  lpMetrics->tmExternalLeading = toLogical(std::max(0, fm.leading()));
  lpMetrics->tmAveCharWidth = static_cast<LONG>(m_state.mapping.DPtoLP(CSize(fm.averageCharWidth(), 0)).cx);
  lpMetrics->tmMaxCharWidth = static_cast<LONG>(m_state.mapping.DPtoLP(CSize(fm.maxWidth(), 0)).cx);
  lpMetrics->tmWeight = font.weight();
  return TRUE;
}

CMetaFileDC::CMetaFileDC() = default;

CMetaFileDC::~CMetaFileDC()
{
  if (m_pPainter)
    m_pPainter->end();
}

BOOL CMetaFileDC::Create(LPCTSTR)
{
  m_pData = std::make_unique<CMetaFileData>();
  m_pPainter = std::make_unique<QPainter>(&m_pData->picture);
  // The recording keeps logical units; the frame set through the window origin and extent
  // says which part of it the picture shows.
  auto caps = [this](int index) { return m_pAttribDC ? m_pAttribDC->GetDeviceCaps(index) : 0; };
  auto device = std::make_unique<CPainterDevice>(m_pPainter.get(), caps, CRect(-32768, -32768, 32767, 32767));
  // The frame in force when an arc is drawn decides how the picture will show it.
  const CMetaFileData* pData = m_pData.get();
  device->SetMirrored([pData] { return (pData->frameExt.cx < 0) != (pData->frameExt.cy < 0); });
  AttachDevice(std::move(device));
  m_pRecording = m_pData.get();
  return TRUE;
}

HMETAFILE CMetaFileDC::Close()
{
  if (!m_pData)
    return nullptr;
  m_pPainter->end();
  m_pPainter.reset();
  m_pDevice.reset();
  m_pRecording = nullptr;
  return m_pData.release();
}

void DeleteMetaFile(HMETAFILE hMF) { delete hMF; }
