#include "platform/ui/wnd/Folders.h"

#include <QStandardPaths>

#include "platform/ui/wnd/QtConv.h"

CString AfxGetDocumentsFolder()
{
  return PathFromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}
