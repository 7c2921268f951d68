#pragma once
// Conversions at the Qt boundary (internal to ui): 8-bit program text and paths to and
// from Qt strings, rectangles and points.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include "platform/core/Rect.h"
#include "platform/core/String.h"

// Program text in Windows-1252 alone.
inline QString ToQStringCodePage(const CString& s) { return QString::fromStdString(s.ToUtf8()); }
// Text shown to the user. Paths are the system's UTF-8 bytes and appear in titles, menus and
// messages beside 1252 text: a well-formed multi-byte UTF-8 sequence is shown as the character it
// encodes, every other byte as its 1252 character. (1252 text forms such a sequence only where a
// capital accented letter is followed by symbols of the upper half, as in "Ã©".)
QString ToQString(const CString& s);
inline QString ToQString(const char* s) { return ToQString(CString(s)); }
inline CString FromQString(const QString& s) { return CString::FromUtf8(s.toStdString()); }
// Paths cross the boundary as the system's bytes, unconverted both ways.
inline QString PathToQString(const CString& path) { return QString::fromUtf8(path.c_str()); }
inline CString PathFromQString(const QString& path) { return CString(path.toUtf8().toStdString()); }
inline QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
inline CRect FromQRect(const QRect& r) { return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }
inline QPoint ToQPoint(const POINT& p) { return QPoint(p.x, p.y); }
inline CPoint FromQPoint(const QPoint& p) { return CPoint(p.x(), p.y()); }
// A file-dialog filter "Name|*.a;*.b|...||" as Qt name filters, extensions in both cases.
QStringList QtFileFilters(const CString& filter);
