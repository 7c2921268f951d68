#include "ui/draw/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include <QGuiApplication>

#include "ui/draw/Dc.h"
#include "ui/draw/DcMapping.h"
#include "ui/draw/ImageData.h"
#include "ui/draw/Raster.h"
#include "ui/wnd/Resource.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CGdiObject::DeleteObject()
{
  const BOOL was = m_bCreated;
  m_bCreated = FALSE;
  m_nStock = -1;
  return was;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
  m_nStock = nIndex;
  OnStock(nIndex);
  m_bCreated = TRUE;
  return TRUE;
}

CGdiObject* CGdiObject::GetStockObject(int nIndex)
{
  // Stock objects live for the whole run; they are made on first use and never destroyed, as
  // a font holds a Qt object that must not outlive the Qt application.
  static auto* pens = new CPen[3];
  static auto* brushes = new CBrush[6];
  static auto* fonts = new CFont[3];
  static bool made = false;
  if (!made) {
    for (int i = 0; i < 6; ++i)
      brushes[i].CreateStockObject(WHITE_BRUSH + i);
    pens[0].CreateStockObject(WHITE_PEN);
    pens[1].CreateStockObject(BLACK_PEN);
    pens[2].CreateStockObject(NULL_PEN);
    fonts[0].CreateStockObject(ANSI_VAR_FONT);
    fonts[1].CreateStockObject(SYSTEM_FONT);
    fonts[2].CreateStockObject(DEFAULT_GUI_FONT);
    made = true;
  }
  switch (nIndex) {
  case WHITE_BRUSH:
  case LTGRAY_BRUSH:
  case GRAY_BRUSH:
  case DKGRAY_BRUSH:
  case BLACK_BRUSH:
  case NULL_BRUSH:
    return &brushes[nIndex - WHITE_BRUSH];
  case WHITE_PEN:
  case BLACK_PEN:
  case NULL_PEN:
    return &pens[nIndex - WHITE_PEN];
  case ANSI_VAR_FONT:
    return &fonts[0];
  case SYSTEM_FONT:
    return &fonts[1];
  case DEFAULT_GUI_FONT:
    return &fonts[2];
  default:
    return nullptr;
  }
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
  m_nStyle = nPenStyle;
  m_nWidth = nWidth;
  m_color = crColor;
  MarkCreated(TRUE);
  return TRUE;
}

void CPen::OnStock(int nIndex)
{
  m_nWidth = 0;
  m_nStyle = nIndex == NULL_PEN ? PS_NULL : PS_SOLID;
  m_color = nIndex == WHITE_PEN ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
  m_nStyle = BS_SOLID;
  m_color = crColor;
  MarkCreated(TRUE);
  return TRUE;
}

void CBrush::OnStock(int nIndex)
{
  static const COLORREF colours[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                     RGB(64, 64, 64),    RGB(0, 0, 0),       RGB(0, 0, 0)};
  m_nStyle = nIndex == NULL_BRUSH ? BS_NULL : BS_SOLID;
  m_color = colours[nIndex - WHITE_BRUSH];
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
  if (!lpLogFont)
    return FALSE;
  m_logFont = *lpLogFont;
  MarkCreated(TRUE);
  return TRUE;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
  LOGFONT lf;
  lf.lfHeight = nHeight;
  lf.lfWidth = nWidth;
  lf.lfEscapement = nEscapement;
  lf.lfOrientation = nOrientation;
  lf.lfWeight = nWeight;
  lf.lfItalic = bItalic;
  lf.lfUnderline = bUnderline;
  lf.lfStrikeOut = cStrikeOut;
  lf.lfCharSet = nCharSet;
  lf.lfOutPrecision = nOutPrecision;
  lf.lfClipPrecision = nClipPrecision;
  lf.lfQuality = nQuality;
  lf.lfPitchAndFamily = nPitchAndFamily;
  if (lpszFacename)
    std::strncpy(lf.lfFaceName, lpszFacename, sizeof(lf.lfFaceName) - 1);
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
  LOGFONT lf;
  const int logPixelsY = pDC ? pDC->GetDeviceCaps(LOGPIXELSY) : CDC::GetScreenLogPixels().cy;
  lf.lfHeight = -MulDiv(nPointSize, logPixelsY, 720);
  lf.lfWeight = FW_NORMAL;
  if (lpszFaceName)
    std::strncpy(lf.lfFaceName, lpszFaceName, sizeof(lf.lfFaceName) - 1);
  return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
  if (!pLogFont)
    return 0;
  *pLogFont = m_logFont;
  return static_cast<int>(sizeof(LOGFONT));
}

void CFont::OnStock(int nIndex)
{
  m_logFont = LOGFONT();
  m_logFont.lfWeight = nIndex == SYSTEM_FONT ? FW_BOLD : FW_NORMAL;
  m_logFont.lfHeight = nIndex == SYSTEM_FONT ? 16 : -11;
  std::strncpy(m_logFont.lfFaceName, nIndex == SYSTEM_FONT ? "System" : "MS Sans Serif",
               sizeof(m_logFont.lfFaceName) - 1);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
  SetRectRgn(x1, y1, x2, y2);
  MarkCreated(TRUE);
  return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
  return lpRect && CreateRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nPolyFillMode)
{
  std::vector<CPoint> points(lpPoints, lpPoints + (lpPoints ? nCount : 0));
  std::vector<std::pair<int, CRasterizer::Span>> spans;
  CRasterizer::PolygonSpans(points, nPolyFillMode == WINDING, spans);
  m_region.Clear();
  for (const auto& s : spans)
    m_region.Union(CRect(s.second.first, s.first, s.second.second, s.first + 1));
  MarkCreated(TRUE);
  return TRUE;
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
  m_region.Clear();
  m_region.Union(CRect(x1, y1, x2, y2));
}

int CRgn::Kind() const
{
  if (m_region.IsEmpty())
    return NULLREGION;
  return m_region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
  if (!pRgn1 || (nCombineMode != RGN_COPY && !pRgn2))
    return ERROR;
  CRectRegion result = pRgn1->m_region;
  switch (nCombineMode) {
  case RGN_AND:
    result.Intersect(pRgn2->m_region);
    break;
  case RGN_OR:
    result.Union(pRgn2->m_region);
    break;
  case RGN_XOR:
    result.Xor(pRgn2->m_region);
    break;
  case RGN_DIFF:
    result.Subtract(pRgn2->m_region);
    break;
  case RGN_COPY:
    break;
  default:
    return ERROR;
  }
  m_region = result;
  MarkCreated(TRUE);
  return Kind();
}

int CRgn::OffsetRgn(int x, int y)
{
  m_region.Offset(x, y);
  return Kind();
}

BOOL CRgn::PtInRegion(int x, int y) const { return m_region.Contains(x, y); }

int CRgn::GetRgnBox(LPRECT lpRect) const
{
  if (lpRect)
    *lpRect = m_region.GetBounds();
  return Kind();
}

CBitmap::CBitmap() = default;
CBitmap::~CBitmap() = default;

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
  if (!LoadBitmap(nIDResource, 1.0))
    return FALSE;
  const double ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  if (ratio > 1.0) {
    CBitmap sharp;
    if (sharp.LoadBitmap(nIDResource, ratio))
      m_pSharp = std::move(sharp.m_pImage);
  }
  return TRUE;
}

namespace {
// For each device pixel along an axis of count picture pixels at a scale, the pixel of the same
// picture drawn at the whole ratio whole that lies where it does.
std::vector<int> WholeRatioPixels(int count, const CDeviceScale& scale, int whole)
{
  std::vector<int> pixels(static_cast<size_t>(std::max(scale.At(count), 0)));
  for (int v = 0; v < count; ++v) {
    const int from = scale.At(v);
    const int n = scale.At(v + 1) - from;
    for (int k = 0; k < n; ++k)
      pixels[static_cast<size_t>(from + k)] = v * whole + k * whole / n;
  }
  return pixels;
}
}  // namespace

BOOL CBitmap::LoadBitmap(UINT nIDResource, double dScale)
{
  const CBitmapTemplate* tmpl = CResources::Get().FindBitmap(nIDResource);
  if (!tmpl || tmpl->width <= 0 || tmpl->height <= 0 || !(dScale >= 1.0))
    return FALSE;
  // The picture is kept at the scale as a window surface is at its ratio, so its drawing lands
  // on the device pixels of each of its own pixels: lines as heavy as at 100 %, only sharper.
  // Between whole ratios a picture pixel is one or two device pixels, and a pen one device pixel
  // wide would leave part of the wider ones to a fill beside it: the picture is drawn at the next
  // whole ratio and each device pixel takes the part of it that lies where it does.
  const CDeviceScale scale(dScale);
  const int whole = static_cast<int>(std::ceil(dScale - 1e-9));
  m_pSharp.reset();
  m_pImage = std::make_unique<CImageData>(tmpl->width, tmpl->height, RGB(255, 255, 255), dScale);
  MarkCreated(TRUE);
  const auto draw = [tmpl](CImageData* pTarget) {
    CDC dc;
    dc.AttachImage(pTarget);
    tmpl->draw(&dc);
  };
  if (!tmpl->draw)
    return TRUE;
  if (whole == dScale) {
    draw(m_pImage.get());
    return TRUE;
  }
  CImageData drawn(tmpl->width, tmpl->height, RGB(255, 255, 255), whole);
  draw(&drawn);
  const std::vector<int> xs = WholeRatioPixels(tmpl->width, scale, whole);
  const std::vector<int> ys = WholeRatioPixels(tmpl->height, scale, whole);
  QImage& image = m_pImage->Image();
  const QImage& source = drawn.Image();
  for (size_t y = 0; y < ys.size(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
    const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(ys[y]));
    for (size_t x = 0; x < xs.size(); ++x)
      row[x] = from[xs[x]];
  }
  return TRUE;
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight)
{
  m_pSharp.reset();
  m_pImage = std::make_unique<CImageData>(nWidth, nHeight);
  MarkCreated(TRUE);
  return TRUE;
}

CSize CBitmap::GetSize() const { return m_pImage ? m_pImage->Size() : CSize(); }
