#pragma once
// The system's file dialog, taking the name typed in its name field whole. The dialog reads a
// name field holding double quotes as several names, each between its quotes ("a" "b"), so that
// Patio "Door".pdf would write Door.pdf: a typed name holding a double quote is taken as typed
// where it names a file to write, or an existing file to open.
#include <QFileDialog>
#include <QString>

class CWholeNameFileDialog : public QFileDialog
{
public:
  using QFileDialog::QFileDialog;

  // The path of the file chosen: the typed name whole where the dialog took it so; empty when
  // none was chosen.
  QString ChosenPath() const;

protected:
  void accept() override;

private:
  QString m_strTypedPath;
};
