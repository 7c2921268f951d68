#include "ui/wnd/Folders.h"

#include <QDir>
#include <QStandardPaths>

#include "ui/wnd/QtConv.h"

CString AfxGetDocumentsFolder()
{
  return PathFromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

CString AfxGetHomeFolder() { return PathFromQString(QDir::homePath()); }
