#include "ui/dlg/Ctrls.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionGroupBox>
#include <QTabBar>

#include "ui/dlg/CtrlLabel.h"
#include "ui/dlg/DlgKeys.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CControl, CWnd)
IMPLEMENT_DYNAMIC(CButton, CControl)
IMPLEMENT_DYNAMIC(CStatic, CControl)
IMPLEMENT_DYNAMIC(CEdit, CControl)
IMPLEMENT_DYNAMIC(CScrollBar, CControl)
IMPLEMENT_DYNAMIC(CTabCtrl, CControl)

CSize GetDialogBaseUnits()
{
  // The average width as the dialog manager measures it: the 52 letters, halved and rounded.
  const QFontMetrics metrics(QApplication::font());
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return CSize((letters / 26 + 1) / 2, metrics.height());
}

namespace {
int MulDivRounded(int value, int numerator, int denominator)
{
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

CPoint ScalePoint(int x, int y, CSize base)
{
  return CPoint(MulDivRounded(x, base.cx, 4), MulDivRounded(y, base.cy, 8));
}

// A group box keeps what it drew and paints that again. The style makes the box's frame from a
// picture it looks up by its file's time on every paint: a conversion to local time, which first
// asks the system whether the time zone has changed. A field standing in the box repaints the box
// beneath its text cursor at every blink, twice a second while the field has the keyboard.
class CGroupBoxWidget : public QGroupBox
{
public:
  using QGroupBox::QGroupBox;

protected:
  void paintEvent(QPaintEvent* event) override
  {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_drawn.isNull() || m_drawn.size() != pixels || m_drawn.devicePixelRatio() != ratio || m_title != title()) {
      m_drawn = QPixmap(pixels);
      m_drawn.setDevicePixelRatio(ratio);
      m_drawn.fill(Qt::transparent);
      QPainter painter(&m_drawn);
      // As a painter on the widget starts.
      painter.setFont(font());
      painter.setPen(palette().color(foregroundRole()));
      painter.setBrush(palette().brush(backgroundRole()));
      QStyleOptionGroupBox option;
      initStyleOption(&option);
      style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
      m_title = title();
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, m_drawn);
  }
  // Its font, palette, style or state changed: it is drawn anew.
  void changeEvent(QEvent* event) override
  {
    m_drawn = QPixmap();
    QGroupBox::changeEvent(event);
  }

private:
  QPixmap m_drawn;
  QString m_title;
};
}  // namespace

CRect DialogUnitsToPixels(const CRect& dlu)
{
  const CSize base = GetDialogBaseUnits();
  const CPoint topLeft = ScalePoint(dlu.left, dlu.top, base);
  const CPoint bottomRight = ScalePoint(dlu.right, dlu.bottom, base);
  return CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

CSize DialogUnitsToPixels(CSize dlu)
{
  const CPoint p = ScalePoint(dlu.cx, dlu.cy, GetDialogBaseUnits());
  return CSize(p.x, p.y);
}

void CControl::NotifyParent(UINT nCode)
{
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(m_nID), static_cast<int>(nCode)),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

void CControl::BindWidget(HWND hWnd, UINT nID, DWORD dwStyle)
{
  m_nID = nID;
  m_dwStyle = dwStyle | WS_CHILD;
  AttachHandle(hWnd, nullptr, FALSE);
  Connect();
}

HWND CControl::CreateHandle(const CREATESTRUCT& cs, HWND hParentHost)
{
  HWND widget = MakeWidget(hParentHost, cs.lpszName, cs.style);
  BindWidget(widget, cs.nID, cs.style);
  return widget;
}

namespace {
CControl* MakeControl(CDlgCtl kind)
{
  switch (kind) {
  case CDlgCtl::Static:
    return new CStatic;
  case CDlgCtl::Edit:
    return new CEdit;
  case CDlgCtl::ListBox:
    return new CListBox;
  case CDlgCtl::ComboBox:
    return new CComboBox;
  case CDlgCtl::ScrollBar:
    return new CScrollBar;
  default: {
    auto* button = new CButton;
    button->SetKind(kind);
    return button;
  }
  }
}
}  // namespace

namespace {
// A drop-down combo box's template height includes its dropped list: the box takes its own
// height and the rest tells how many items the list shows.
void FitDropDown(QComboBox* combo, int templateHeight)
{
  const int boxHeight = combo->sizeHint().height();
  combo->resize(combo->width(), boxHeight);
  const int itemHeight = std::max(1, QFontMetrics(combo->font()).height() + 2);
  combo->setMaxVisibleItems(std::max(1, (templateHeight - boxHeight) / itemHeight));
}

// "&" in a static text marks its mnemonic, which moves to the next control that takes the focus,
// as the dialog manager does.
void SetMnemonicTargets(QWidget* host)
{
  const QObjectList& children = host->children();
  for (qsizetype i = 0; i < children.size(); ++i) {
    auto* label = dynamic_cast<CStaticLabel*>(children[i]);
    if (!label || !label->text().contains(QLatin1Char('&')))
      continue;
    for (qsizetype j = i + 1; j < children.size(); ++j) {
      auto* next = qobject_cast<QWidget*>(children[j]);
      if (next && !qobject_cast<QLabel*>(next) && !qobject_cast<QGroupBox*>(next) &&
          next->focusPolicy() != Qt::NoFocus) {
        KeepMnemonicInContainer(label, next);
        break;
      }
    }
  }
}

}  // namespace

void CreateDialogControls(CWnd* pParent, const CDialogTemplate& tmpl)
{
  WatchFocusPassedOnByDisabling();
  QWidget* host = pParent->GetChildHost();
  QButtonGroup* radios = nullptr;
  for (const CDialogItemTemplate& item : tmpl.items) {
    CControl* control = MakeControl(item.kind);
    pParent->Impl()->m_templateControls.emplace_back(control);
    HWND widget = control->MakeWidget(host, item.text, item.style);
    const CRect r = DialogUnitsToPixels(item.rect);
    widget->setGeometry(r.left, r.top, r.Width(), r.Height());
    if (item.kind == CDlgCtl::ComboBox)
      FitDropDown(static_cast<QComboBox*>(widget), r.Height());
    control->BindWidget(widget, item.id, item.style);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
      KeepMnemonicInContainer(button);
    // Radio buttons are exclusive within a group, which a WS_GROUP item starts.
    if (item.kind == CDlgCtl::RadioButton) {
      if (!radios || (item.style & WS_GROUP))
        radios = new QButtonGroup(host);
      radios->addButton(static_cast<QAbstractButton*>(widget));
    } else
      radios = nullptr;
    if (auto* list = dynamic_cast<CListBox*>(control))
      for (const CString& s : item.initialItems)
        list->AddString(s);
    if (auto* combo = dynamic_cast<CComboBox*>(control))
      for (const CString& s : item.initialItems)
        combo->AddString(s);
    if (auto* edit = dynamic_cast<CEdit*>(control); edit && item.maxChars > 0)
      edit->LimitText(item.maxChars);
    if (item.kind == CDlgCtl::GroupBox)
      widget->lower();
    if (item.style & WS_DISABLED)
      widget->setEnabled(false);
    widget->setVisible(!item.hidden);
  }
  SetMnemonicTargets(host);
}

HWND CButton::MakeWidget(HWND hParentHost, const CString& text, DWORD)
{
  const QString label = ToQString(text);
  switch (m_kind) {
  case CDlgCtl::CheckBox:
    return new QCheckBox(label, hParentHost);
  case CDlgCtl::RadioButton: {
    auto* radio = new QRadioButton(label, hParentHost);
    radio->setAutoExclusive(false);
    return radio;
  }
  case CDlgCtl::GroupBox:
    return new CGroupBoxWidget(label, hParentHost);
  default: {
    auto* push = new QPushButton(label, hParentHost);
    push->setAutoDefault(false);
    push->setDefault(m_kind == CDlgCtl::DefPushButton);
    return push;
  }
  }
}

QAbstractButton* CButton::Button() const { return qobject_cast<QAbstractButton*>(m_hWnd); }

void CButton::Connect()
{
  if (QAbstractButton* b = Button())
    QObject::connect(b, &QAbstractButton::clicked, Impl()->Bridge(), [this] { NotifyParent(BN_CLICKED); });
}

int CButton::GetCheck() const
{
  QAbstractButton* b = Button();
  return b && b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
  if (QAbstractButton* b = Button()) {
    // Checking one radio button of a group by program clears the others, as the user's click does.
    // An exclusive group refuses to clear its checked button, which the program may still do
    // (a radio button alone in its group, or all of a group cleared).
    QButtonGroup* group = b->group();
    if (nCheck == BST_UNCHECKED && group && group->exclusive()) {
      group->setExclusive(false);
      b->setChecked(false);
      group->setExclusive(true);
      return;
    }
    b->setChecked(nCheck != BST_UNCHECKED);
    if (b->group() && nCheck != BST_UNCHECKED)
      for (QAbstractButton* other : b->group()->buttons())
        if (other != b)
          other->setChecked(false);
  }
}

void CButton::Click()
{
  if (QAbstractButton* b = Button(); b && b->isEnabled())
    b->click();
}

void CButton::ApplyWindowText(const CString& text)
{
  m_strText = text;
  if (auto* box = qobject_cast<QGroupBox*>(m_hWnd))
    box->setTitle(ToQString(text));
  else if (QAbstractButton* b = Button()) {
    b->setText(ToQString(text));
    KeepMnemonicInContainer(b);
  }
}

CString CButton::ReadWindowText() const
{
  if (auto* box = qobject_cast<QGroupBox*>(m_hWnd))
    return FromQString(box->title());
  QAbstractButton* b = Button();
  return b ? FromQString(b->text()) : m_strText;
}

HWND CStatic::MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle)
{
  auto* label = new CStaticLabel(ToQString(text), hParentHost);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  if (dwStyle & SS_CENTER)
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  else if (dwStyle & SS_RIGHT)
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  else
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

void CStatic::ApplyWindowText(const CString& text)
{
  m_strText = text;
  if (auto* label = qobject_cast<QLabel*>(m_hWnd))
    label->setText(ToQString(text));
}

CString CStatic::ReadWindowText() const
{
  auto* label = qobject_cast<QLabel*>(m_hWnd);
  return label ? FromQString(label->text()) : m_strText;
}

namespace {
// A multi-line field of a dialog takes Tab as the dialog does, to the next control (Shift+Tab back);
// Ctrl+Tab types the tab character instead.
class CMultiLineEdit : public QPlainTextEdit
{
public:
  using QPlainTextEdit::QPlainTextEdit;

protected:
  void keyPressEvent(QKeyEvent* event) override
  {
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier && !isReadOnly()) {
      insertPlainText(QStringLiteral("\t"));
      event->accept();
      return;
    }
    QPlainTextEdit::keyPressEvent(event);
  }
};
}  // namespace

HWND CEdit::MakeWidget(HWND hParentHost, const CString& text, DWORD dwStyle)
{
  if (dwStyle & ES_MULTILINE) {
    auto* edit = new CMultiLineEdit(ToQString(text), hParentHost);
    edit->setTabChangesFocus(true);
    edit->setReadOnly((dwStyle & ES_READONLY) != 0);
    return edit;
  }
  auto* edit = new QLineEdit(ToQString(text), hParentHost);
  edit->setReadOnly((dwStyle & ES_READONLY) != 0);
  return edit;
}

void CEdit::Connect()
{
  if (auto* line = qobject_cast<QLineEdit*>(m_hWnd))
    QObject::connect(line, &QLineEdit::textChanged, Impl()->Bridge(), [this] { NotifyParent(EN_CHANGE); });
  else if (auto* text = qobject_cast<QPlainTextEdit*>(m_hWnd))
    QObject::connect(text, &QPlainTextEdit::textChanged, Impl()->Bridge(), [this] { NotifyParent(EN_CHANGE); });
  // Focus changes reach the window as WM_SETFOCUS and WM_KILLFOCUS; the parent hears of them.
  QObject::connect(qApp, &QApplication::focusChanged, Impl()->Bridge(), [this](QWidget* old, QWidget* now) {
    if (now == m_hWnd)
      NotifyParent(EN_SETFOCUS);
    else if (old == m_hWnd)
      NotifyParent(EN_KILLFOCUS);
  });
}

void CEdit::ApplyWindowText(const CString& text)
{
  m_strText = text;
  if (auto* line = qobject_cast<QLineEdit*>(m_hWnd)) {
    line->setText(ToQString(text));
    line->setModified(false);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(m_hWnd)) {
    plain->setPlainText(ToQString(text));
    plain->document()->setModified(false);
  }
}

CString CEdit::ReadWindowText() const
{
  if (auto* line = qobject_cast<QLineEdit*>(m_hWnd))
    return FromQString(line->text());
  if (auto* plain = qobject_cast<QPlainTextEdit*>(m_hWnd))
    return FromQString(plain->toPlainText());
  return m_strText;
}

void CEdit::LimitText(int nChars)
{
  if (auto* line = qobject_cast<QLineEdit*>(m_hWnd))
    line->setMaxLength(nChars > 0 ? nChars : 32767);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL)
{
  if (auto* line = qobject_cast<QLineEdit*>(m_hWnd)) {
    const int end = nEndChar < 0 ? line->text().size() : nEndChar;
    line->setSelection(nStartChar, end - nStartChar);
  }
}

BOOL CEdit::GetModify() const
{
  if (auto* line = qobject_cast<QLineEdit*>(m_hWnd))
    return line->isModified();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(m_hWnd))
    return plain->document()->isModified();
  return FALSE;
}

void CEdit::SetModify(BOOL bModified)
{
  if (auto* line = qobject_cast<QLineEdit*>(m_hWnd))
    line->setModified(bModified != FALSE);
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(m_hWnd))
    plain->document()->setModified(bModified != FALSE);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
  if (auto* line = qobject_cast<QLineEdit*>(m_hWnd))
    line->setReadOnly(bReadOnly != FALSE);
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(m_hWnd))
    plain->setReadOnly(bReadOnly != FALSE);
  return TRUE;
}

HWND CScrollBar::MakeWidget(HWND hParentHost, const CString&, DWORD dwStyle)
{
  auto* bar = new QScrollBar((dwStyle & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, hParentHost);
  bar->setRange(0, 0);
  return bar;
}

QScrollBar* CScrollBar::Bar() const { return qobject_cast<QScrollBar*>(m_hWnd); }

void CScrollBar::Connect()
{
  QScrollBar* bar = Bar();
  if (!bar)
    return;
  auto notify = [this](UINT code, int pos) {
    CWnd* parent = GetParent();
    if (!parent)
      return;
    parent->SendMessage(IsVertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(static_cast<int>(code), pos),
                        reinterpret_cast<LPARAM>(m_hWnd));
  };
  // The bar only reports; the owner moves the thumb, so the slider is put back to its position.
  QObject::connect(bar, &QScrollBar::actionTriggered, Impl()->Bridge(), [this, bar, notify](int action) {
    UINT code = SB_ENDSCROLL;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      code = SB_LINEDOWN;
      break;
    case QAbstractSlider::SliderSingleStepSub:
      code = SB_LINEUP;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      code = SB_PAGEDOWN;
      break;
    case QAbstractSlider::SliderPageStepSub:
      code = SB_PAGEUP;
      break;
    case QAbstractSlider::SliderToMinimum:
      code = SB_TOP;
      break;
    case QAbstractSlider::SliderToMaximum:
      code = SB_BOTTOM;
      break;
    case QAbstractSlider::SliderMove:
      code = SB_THUMBTRACK;
      break;
    default:
      return;
    }
    notify(code, bar->sliderPosition());
    bar->setSliderPosition(m_nPos);
  });
  QObject::connect(bar, &QScrollBar::sliderReleased, Impl()->Bridge(), [bar, notify] {
    notify(SB_THUMBPOSITION, bar->sliderPosition());
    notify(SB_ENDSCROLL, 0);
  });
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL)
{
  if (QScrollBar* bar = Bar()) {
    const QSignalBlocker block(bar);
    bar->setRange(nMinPos, nMaxPos);
  }
}

void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
  QScrollBar* bar = Bar();
  if (lpMinPos)
    *lpMinPos = bar ? bar->minimum() : 0;
  if (lpMaxPos)
    *lpMaxPos = bar ? bar->maximum() : 0;
}

int CScrollBar::SetScrollPos(int nPos, BOOL)
{
  const int old = m_nPos;
  QScrollBar* bar = Bar();
  m_nPos = bar ? std::clamp(nPos, bar->minimum(), bar->maximum()) : nPos;
  if (bar) {
    const QSignalBlocker block(bar);
    bar->setValue(m_nPos);
  }
  return old;
}

HWND CTabCtrl::MakeWidget(HWND hParentHost, const CString&, DWORD) { return new QTabBar(hParentHost); }

int CTabCtrl::GetItemCount() const
{
  auto* tabs = qobject_cast<QTabBar*>(m_hWnd);
  return tabs ? tabs->count() : 0;
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const
{
  auto* tabs = qobject_cast<QTabBar*>(m_hWnd);
  if (!tabs || !pTabCtrlItem || nItem < 0 || nItem >= tabs->count())
    return FALSE;
  if ((pTabCtrlItem->mask & TCIF_TEXT) && pTabCtrlItem->pszText && pTabCtrlItem->cchTextMax > 0) {
    const CString text = FromQString(tabs->tabText(nItem));
    const int n = std::min(text.GetLength(), pTabCtrlItem->cchTextMax - 1);
    std::copy_n(text.c_str(), n, pTabCtrlItem->pszText);
    pTabCtrlItem->pszText[n] = '\0';
  }
  return TRUE;
}

int CTabCtrl::GetCurSel() const
{
  auto* tabs = qobject_cast<QTabBar*>(m_hWnd);
  return tabs ? tabs->currentIndex() : -1;
}
