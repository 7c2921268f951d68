#include "ui/wnd/Cursor.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include <QBitmap>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

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

QCursor DrawCursor(const CCursorTemplate& tmpl)
{
  const int height = static_cast<int>(tmpl.rows.size());
  int width = 0;
  for (const char* row : tmpl.rows)
    width = std::max(width, static_cast<int>(std::strlen(row)));
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < height; ++y)
    for (int x = 0; tmpl.rows[static_cast<size_t>(y)][x]; ++x) {
      const char c = tmpl.rows[static_cast<size_t>(y)][x];
      if (c == 'X')
        image.setPixel(x, y, qRgba(0, 0, 0, 255));
      else if (c == '.')
        image.setPixel(x, y, qRgba(255, 255, 255, 255));
    }
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
