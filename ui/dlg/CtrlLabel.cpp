#include "ui/dlg/CtrlLabel.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

void CStaticLabel::SetMnemonicTarget(QWidget* target, bool withShortcut)
{
  m_target = withShortcut ? nullptr : target;
  m_marksWithoutShortcut = target && !withShortcut;
  setBuddy(withShortcut ? target : nullptr);
  update();
}

QWidget* CStaticLabel::MnemonicTarget() const { return m_marksWithoutShortcut ? m_target.data() : buddy(); }

void CStaticLabel::paintEvent(QPaintEvent* event)
{
  if (!m_marksWithoutShortcut) {
    QLabel::paintEvent(event);
    return;
  }
  // The text as the label draws it with a buddy, the mark underlined where the style shows it.
  QPainter painter(this);
  drawFrame(&painter);
  QStyleOption option;
  option.initFrom(this);
  const Qt::LayoutDirection direction = text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
  int flags = static_cast<int>(QStyle::visualAlignment(direction, alignment())) | Qt::TextShowMnemonic |
              (direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
  if (wordWrap())
    flags |= Qt::TextWordWrap;
  if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
    flags |= Qt::TextHideMnemonic;
  const int m = margin();
  style()->drawItemText(&painter, contentsRect().adjusted(m, m, -m, -m), flags, option.palette, isEnabled(), text(),
                        foregroundRole());
}
