#pragma once
// Conversions at the Qt boundary (internal to platform/ui): 8-bit program text to and from
// Qt strings, rectangles and points.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include "platform/core/Rect.h"
#include "platform/core/String.h"

inline QString ToQString(const CString& s) { return QString::fromStdString(s.ToUtf8()); }
inline QString ToQString(const char* s) { return ToQString(CString(s)); }
inline CString FromQString(const QString& s) { return CString::FromUtf8(s.toStdString()); }
inline QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
inline CRect FromQRect(const QRect& r) { return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }
inline QPoint ToQPoint(const POINT& p) { return QPoint(p.x, p.y); }
inline CPoint FromQPoint(const QPoint& p) { return CPoint(p.x(), p.y()); }
// A file-dialog filter "Name|*.a;*.b|...||" as Qt name filters, extensions in both cases.
QStringList QtFileFilters(const CString& filter);
