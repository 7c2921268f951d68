#include "platform/ui/wnd/Folders.h"

#include <QStandardPaths>

#include "platform/ui/wnd/QtConv.h"

CString AfxGetDocumentsFolder()
{
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}
