#include "ui/dlg/WholeName.h"

#include <QFileInfo>
#include <QLineEdit>

QString CWholeNameFileDialog::ChosenPath() const
{
  return m_strTypedPath.isEmpty() ? selectedFiles().value(0) : m_strTypedPath;
}

void CWholeNameFileDialog::accept()
{
  m_strTypedPath.clear();
  // The system's own dialog has no name field of ours to read; it takes names as it is given them.
  const auto* field = findChild<QLineEdit*>("fileNameEdit");
  const QString typed = field ? field->text() : QString();
  if (typed.contains('"')) {
    const QFileInfo file(directory(), typed);
    // A folder is entered, and a name no file has is read as several names, as the dialog does.
    if (!file.isDir() && (acceptMode() == AcceptSave || file.isFile())) {
      m_strTypedPath = file.absoluteFilePath();
      QDialog::accept();
      return;
    }
  }
  QFileDialog::accept();
}
