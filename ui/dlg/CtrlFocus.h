#pragma once
// Which of a container's controls (a form's, a dialog bar's) last had the keyboard. The container
// itself shows no focus and takes no keys: given the keyboard, it passes it on to that control,
// else to the one it starts with, as a dialog given the focus does.
#include <QObject>
#include <QPointer>
#include <QWidget>

class CControlFocusMemory
{
public:
  CControlFocusMemory() = default;
  CControlFocusMemory(const CControlFocusMemory&) = delete;
  CControlFocusMemory& operator=(const CControlFocusMemory&) = delete;
  // The container's window may outlive its owner: the watch ends with the owner.
  ~CControlFocusMemory() { QObject::disconnect(m_watch); }
  // Notes each control of the container as it takes the keyboard, while context lives.
  void Watch(QWidget* container, QObject* context);
  // To the control that last had the keyboard, else to first (none: nowhere).
  void PassOn(QWidget* container, QWidget* first, Qt::FocusReason reason) const;

private:
  QPointer<QWidget> m_pLast;
  QMetaObject::Connection m_watch;
};

// The first enabled, shown field of the container that text can be typed into; else its first
// control that takes the keyboard by tabbing; null for none.
QWidget* FirstTypingControl(QWidget* container);
