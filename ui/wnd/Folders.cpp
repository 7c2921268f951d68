#include "ui/wnd/Folders.h"

#include <QStandardPaths>

#include "ui/wnd/QtConv.h"

CString AfxGetDocumentsFolder()
{
  return PathFromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}
