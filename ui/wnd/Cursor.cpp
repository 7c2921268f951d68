#include "ui/wnd/Cursor.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "ui/draw/Raster.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/Resource.h"
#include "ui/wnd/WndImpl.h"

struct CCursorData
{
  QCursor cursor;
};

namespace {
// Never destroyed: cursors hold Qt objects that must not outlive the Qt application.
std::map<UINT, std::unique_ptr<CCursorData>>& ResourceCursors()
{
  static auto* cursors = new std::map<UINT, std::unique_ptr<CCursorData>>;
  return *cursors;
}

Qt::CursorShape ShapeFor(UINT id)
{
  switch (id) {
  case IDC_IBEAM:
    return Qt::IBeamCursor;
  case IDC_WAIT:
    return Qt::WaitCursor;
  case IDC_CROSS:
    return Qt::CrossCursor;
  case IDC_SIZEALL:
    return Qt::SizeAllCursor;
  case IDC_SIZENWSE:
    return Qt::SizeFDiagCursor;
  case IDC_SIZENESW:
    return Qt::SizeBDiagCursor;
  case IDC_SIZEWE:
    return Qt::SizeHorCursor;
  case IDC_SIZENS:
    return Qt::SizeVerCursor;
  case IDC_NO:
    return Qt::ForbiddenCursor;
  default:
    return Qt::ArrowCursor;
  }
}

// Drawn at the screen's device pixel ratio, each picture pixel filling the device pixels it
// covers, so that the cursor is as large as on a screen at 100 % and as sharp as the screen is.
QCursor DrawCursor(const CCursorTemplate& tmpl)
{
  const int height = static_cast<int>(tmpl.rows.size());
  int width = 0;
  for (const char* row : tmpl.rows)
    width = std::max(width, static_cast<int>(std::strlen(row)));
  const CDeviceScale scale(qApp ? qApp->devicePixelRatio() : 1.0);
  QImage image(scale.At(std::max(width, 1)), scale.At(std::max(height, 1)), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  for (int y = 0; y < height; ++y)
    for (int x = 0; tmpl.rows[static_cast<size_t>(y)][x]; ++x) {
      const char c = tmpl.rows[static_cast<size_t>(y)][x];
      if (c == 'X' || c == '.')
        painter.fillRect(ToQRect(scale.At(CRect(x, y, x + 1, y + 1))), c == 'X' ? Qt::black : Qt::white);
    }
  painter.end();
  image.setDevicePixelRatio(scale.Ratio());
  // The hot spot is in the cursor's own pixels, as its rows are, whatever the ratio.
  return QCursor(QPixmap::fromImage(image), tmpl.hotSpot.x, tmpl.hotSpot.y);
}
}  // namespace

HCURSOR AfxStandardCursor(UINT nIDCursor)
{
  // Never destroyed: a cursor holds a Qt object that must not outlive the Qt application.
  static auto* cursors = new std::map<UINT, std::unique_ptr<CCursorData>>;
  auto& slot = (*cursors)[nIDCursor];
  if (!slot)
    slot = std::make_unique<CCursorData>(CCursorData{QCursor(ShapeFor(nIDCursor))});
  return slot.get();
}

HCURSOR AfxResourceCursor(UINT nIDResource)
{
  // A resource's cursor is drawn once and shared by everyone who loads it, as the standard ones
  // are: tools made with every Workbench opened would otherwise each keep drawings of their own.
  auto& slot = ResourceCursors()[nIDResource];
  if (!slot) {
    const CCursorTemplate* tmpl = CResources::Get().FindCursor(nIDResource);
    if (!tmpl) {
      ResourceCursors().erase(nIDResource);
      return nullptr;
    }
    slot = std::make_unique<CCursorData>(CCursorData{DrawCursor(*tmpl)});
  }
  return slot.get();
}

BOOL DestroyCursor(HCURSOR)
{
  // Every cursor is shared and lives for the run: there is nothing to destroy.
  return TRUE;
}

void ApplyCursor(QWidget* widget, HCURSOR hCursor)
{
  if (hCursor)
    widget->setCursor(hCursor->cursor);
  else
    widget->setCursor(Qt::BlankCursor);
}
