#pragma once
// The widget of a static text: its "&" marks the mnemonic that moves the keyboard to the control
// after it, shown underlined once the label knows that control.
#include <QLabel>
#include <QPointer>

class CStaticLabel : public QLabel
{
public:
  using QLabel::QLabel;
  // The control the mnemonic moves the keyboard to. With the shortcut the control is the label's
  // buddy, whose shortcut is live in the label's whole window; without it the label only shows
  // the mark, and the form view or dialog bar that holds it passes the keyboard on.
  void SetMnemonicTarget(QWidget* target, bool withShortcut);
  // Null for none, or once the control went.
  QWidget* MnemonicTarget() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QPointer<QWidget> m_target;
  bool m_marksWithoutShortcut = false;
};
