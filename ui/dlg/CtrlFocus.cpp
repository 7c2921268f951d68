#include "ui/dlg/CtrlFocus.h"

#include <QApplication>
#include <QLineEdit>

#include "ui/dlg/DlgWidget.h"

void CControlFocusMemory::Watch(QWidget* container, QObject* context)
{
  QObject::disconnect(m_watch);
  m_watch = QObject::connect(qApp, &QApplication::focusChanged, context,
                             [this, watched = QPointer<QWidget>(container)](QWidget*, QWidget* now) {
                               if (now && watched && now != watched && watched->isAncestorOf(now))
                                 m_pLast = now;
                             });
}

void CControlFocusMemory::PassOn(QWidget* container, QWidget* first, Qt::FocusReason reason) const
{
  QWidget* control = m_pLast;
  if (!control || !control->isEnabled() || !control->isVisibleTo(container))
    control = first;
  if (control)
    control->setFocus(reason);
}

QWidget* FirstTypingControl(QWidget* container)
{
  for (auto* field : container->findChildren<QLineEdit*>())
    if (field->isEnabled() && field->isVisibleTo(container) && !field->isReadOnly() &&
        (field->focusPolicy() & Qt::TabFocus))
      return field;
  return FirstFocusControl(container);
}
