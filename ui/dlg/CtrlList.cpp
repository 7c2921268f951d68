// List boxes and combo boxes: items addressed by index, sorted lists ordered without regard to
// case, item data, and selection notifications for the user's changes only; an empty list box
// marks the keyboard on its first line, and the keys that move select the line they come to.
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

#include "ui/dlg/Ctrls.h"
#include "ui/wnd/QtConv.h"
#include "ui/wnd/WndImpl.h"

IMPLEMENT_DYNAMIC(CListBox, CControl)
IMPLEMENT_DYNAMIC(CComboBox, CControl)

namespace {
// Searches on from the item after nStartAfter, wrapping round, for the first item whose whole text
// (or, for a prefix search, whose start) matches without regard to case; LB_ERR (= CB_ERR) when none.
template <class TextAt>
int FindItem(int count, int nStartAfter, const CString& find, bool prefix, TextAt textAt)
{
  for (int i = 0; i < count; ++i) {
    const int index = (nStartAfter + 1 + i) % count;
    const CString text = textAt(index);
    if ((prefix ? text.Left(find.GetLength()) : text).CompareNoCase(find) == 0)
      return index;
  }
  return LB_ERR;
}

CString TextOf(const CListBox& list, int index)
{
  CString text;
  list.GetText(index, text);
  return text;
}

CString TextOf(const CComboBox& combo, int index)
{
  CString text;
  combo.GetLBText(index, text);
  return text;
}

// A list box with no line still shows that it has the keyboard: the focus rectangle on its first
// line, as the list box draws it there. The view marks only a current line, which an empty list
// lacks, so the list kept its Tab stop with nothing to show where the keyboard went.
class CListBoxWidget : public QListWidget
{
public:
  using QListWidget::QListWidget;

protected:
  void paintEvent(QPaintEvent* event) override
  {
    QListWidget::paintEvent(event);
    if (count() > 0 || !hasFocus())
      return;
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    // As the view marks its current line.
    option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    option.backgroundColor = palette().color(QPalette::Base);
    option.rect = QRect(0, 0, viewport()->width(), LineHeight());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
  void focusInEvent(QFocusEvent* event) override
  {
    QListWidget::focusInEvent(event);
    viewport()->update();
  }
  // A key that moves the keyboard selects the line it comes to, as in a list box, also the line
  // the focus rectangle already stood on without a selection: the view selects only a line it
  // moves to from another, so Home, Down or End in a list of one line selected nothing.
  void keyPressEvent(QKeyEvent* event) override
  {
    QListWidget::keyPressEvent(event);
    QListWidgetItem* current = currentItem();
    if (IsMoveKey(event->key()) && current && !current->isSelected())
      current->setSelected(true);
  }
  void focusOutEvent(QFocusEvent* event) override
  {
    QListWidget::focusOutEvent(event);
    viewport()->update();
  }

private:
  static bool IsMoveKey(int key)
  {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    default:
      return false;
    }
  }
  // The height of a line of text, as the list lays out its lines.
  int LineHeight() const
  {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral(" ");
    return itemDelegate()->sizeHint(option, QModelIndex()).height();
  }
};
}  // namespace

HWND CListBox::MakeWidget(HWND hParentHost, const CString&, DWORD dwStyle)
{
  auto* list = new CListBoxWidget(hParentHost);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // Every line has the one height of the list's font, as in a list box, so that showing a line
  // does not measure all the others: adding and selecting one costs the same in a list of
  // thousands as in a short one. Without a horizontal scroll bar asked for, a line wider than
  // the list is cut at its edge, as there.
  list->setUniformItemSizes(true);
  if (!(dwStyle & WS_HSCROLL))
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return list;
}

QListWidget* CListBox::List() const { return qobject_cast<QListWidget*>(m_hWnd); }

void CListBox::Connect()
{
  QListWidget* list = List();
  if (!list)
    return;
  Impl()->SetInputWidget(list->viewport());
  // Only the user's changes notify the parent, as with the Windows list box. A click makes the
  // row current before it selects it, the keys the other way round: the notice goes once the
  // selected row has changed, whichever signal comes last.
  auto selectionMoved = [this] {
    const int selected = GetCurSel();
    if (selected == m_nNotifiedSel)
      return;
    m_nNotifiedSel = selected;
    if (!m_bSetting && selected != LB_ERR)
      NotifyParent(LBN_SELCHANGE);
  };
  QObject::connect(list, &QListWidget::currentRowChanged, Impl()->Bridge(), selectionMoved);
  QObject::connect(list, &QListWidget::itemSelectionChanged, Impl()->Bridge(), selectionMoved);
  QObject::connect(list, &QListWidget::itemDoubleClicked, Impl()->Bridge(), [this] { NotifyParent(LBN_DBLCLK); });
}

int CListBox::AddString(LPCTSTR lpszItem)
{
  QListWidget* list = List();
  if (!list)
    return LB_ERR;
  int index = list->count();
  if (m_dwStyle & LBS_SORT) {
    const CString item(lpszItem);
    index = 0;
    while (index < list->count() && FromQString(list->item(index)->text()).CompareNoCase(item) <= 0)
      ++index;
  }
  return InsertString(index, lpszItem);
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
  QListWidget* list = List();
  if (!list)
    return LB_ERR;
  const int index = (nIndex < 0 || nIndex > list->count()) ? list->count() : nIndex;
  m_bSetting = TRUE;
  list->insertItem(index, ToQString(CString(lpszItem)));
  list->item(index)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(0));
  m_bSetting = FALSE;
  return index;
}

int CListBox::DeleteString(UINT nIndex)
{
  QListWidget* list = List();
  if (!list || static_cast<int>(nIndex) >= list->count())
    return LB_ERR;
  m_bSetting = TRUE;
  delete list->takeItem(static_cast<int>(nIndex));
  m_bSetting = FALSE;
  return list->count();
}

void CListBox::ResetContent()
{
  if (QListWidget* list = List()) {
    m_bSetting = TRUE;
    list->clear();
    m_bSetting = FALSE;
  }
}

int CListBox::GetCount() const
{
  QListWidget* list = List();
  return list ? list->count() : LB_ERR;
}

int CListBox::GetCurSel() const
{
  QListWidget* list = List();
  if (!list || !list->currentItem() || !list->currentItem()->isSelected())
    return LB_ERR;
  return list->currentRow();
}

int CListBox::SetCurSel(int nSelect)
{
  QListWidget* list = List();
  if (!list)
    return LB_ERR;
  m_bSetting = TRUE;
  if (nSelect < 0 || nSelect >= list->count()) {
    list->clearSelection();
    list->setCurrentRow(-1);
    m_bSetting = FALSE;
    return nSelect == -1 ? 0 : LB_ERR;
  }
  list->setCurrentRow(nSelect);
  list->item(nSelect)->setSelected(true);
  m_bSetting = FALSE;
  return nSelect;
}

int CListBox::GetText(int nIndex, CString& rString) const
{
  QListWidget* list = List();
  if (!list || nIndex < 0 || nIndex >= list->count())
    return LB_ERR;
  rString = FromQString(list->item(nIndex)->text());
  return rString.GetLength();
}

int CListBox::GetTextLen(int nIndex) const
{
  CString text;
  return GetText(nIndex, text);
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
  return FindItem(GetCount(), nIndexStart, lpszFind, false, [this](int index) { return TextOf(*this, index); });
}
int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
  return FindItem(GetCount(), nStartAfter, lpszItem, true, [this](int index) { return TextOf(*this, index); });
}
int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
{
  const int index = FindString(nStartAfter, lpszItem);
  return index == LB_ERR ? LB_ERR : SetCurSel(index);
}

int CListBox::SetItemData(int nIndex, std::uintptr_t dwItemData)
{
  QListWidget* list = List();
  if (!list || nIndex < 0 || nIndex >= list->count())
    return LB_ERR;
  list->item(nIndex)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(dwItemData));
  return 0;
}

std::uintptr_t CListBox::GetItemData(int nIndex) const
{
  QListWidget* list = List();
  if (!list || nIndex < 0 || nIndex >= list->count())
    return static_cast<std::uintptr_t>(LB_ERR);
  return static_cast<std::uintptr_t>(list->item(nIndex)->data(Qt::UserRole).toULongLong());
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
  QListWidget* list = List();
  if (!list) {
    bOutside = TRUE;
    return 0;
  }
  const QPoint inViewport = list->viewport()->mapFrom(list, ToQPoint(pt));
  QListWidgetItem* item = list->itemAt(inViewport);
  bOutside = item == nullptr;
  return item ? static_cast<UINT>(list->row(item)) : static_cast<UINT>(std::max(0, list->count() - 1));
}

LRESULT CListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  const auto text = reinterpret_cast<LPCTSTR>(lParam);
  switch (message) {
  case LB_ADDSTRING:
    return AddString(text);
  case LB_INSERTSTRING:
    return InsertString(static_cast<int>(wParam), text);
  case LB_DELETESTRING:
    return DeleteString(static_cast<UINT>(wParam));
  case LB_RESETCONTENT:
    ResetContent();
    return 0;
  case LB_SETCURSEL:
    return SetCurSel(static_cast<int>(wParam));
  case LB_GETCURSEL:
    return GetCurSel();
  case LB_GETCOUNT:
    return GetCount();
  case LB_FINDSTRINGEXACT:
    return FindStringExact(static_cast<int>(wParam), text);
  default:
    return CControl::WindowProc(message, wParam, lParam);
  }
}

HWND CComboBox::MakeWidget(HWND hParentHost, const CString&, DWORD dwStyle)
{
  auto* combo = new QComboBox(hParentHost);
  combo->setEditable((dwStyle & CBS_DROPDOWNLIST) == CBS_DROPDOWN);
  combo->setInsertPolicy(QComboBox::NoInsert);
  return combo;
}

QComboBox* CComboBox::Combo() const { return qobject_cast<QComboBox*>(m_hWnd); }

void CComboBox::Connect()
{
  if (QComboBox* combo = Combo())
    QObject::connect(combo, qOverload<int>(&QComboBox::activated), Impl()->Bridge(), [this] {
      NotifyParent(CBN_SELCHANGE);
      NotifyParent(CBN_SELENDOK);
    });
}

int CComboBox::AddString(LPCTSTR lpszString)
{
  QComboBox* combo = Combo();
  if (!combo)
    return CB_ERR;
  int index = combo->count();
  if (m_dwStyle & CBS_SORT) {
    index = 0;
    while (index < combo->count() && FromQString(combo->itemText(index)).CompareNoCase(lpszString) <= 0)
      ++index;
  }
  return InsertString(index, lpszString);
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
  QComboBox* combo = Combo();
  if (!combo)
    return CB_ERR;
  const int index = (nIndex < 0 || nIndex > combo->count()) ? combo->count() : nIndex;
  const QSignalBlocker block(combo);
  const int current = combo->currentIndex();
  combo->insertItem(index, ToQString(CString(lpszString)), QVariant::fromValue<qulonglong>(0));
  // A Windows combo box has no selection until one is set.
  combo->setCurrentIndex(current < 0 ? -1 : (index <= current ? current + 1 : current));
  return index;
}

int CComboBox::DeleteString(UINT nIndex)
{
  QComboBox* combo = Combo();
  if (!combo || static_cast<int>(nIndex) >= combo->count())
    return CB_ERR;
  const QSignalBlocker block(combo);
  combo->removeItem(static_cast<int>(nIndex));
  return combo->count();
}

void CComboBox::ResetContent()
{
  if (QComboBox* combo = Combo()) {
    const QSignalBlocker block(combo);
    combo->clear();
  }
}

int CComboBox::GetCount() const
{
  QComboBox* combo = Combo();
  return combo ? combo->count() : CB_ERR;
}

int CComboBox::GetCurSel() const
{
  QComboBox* combo = Combo();
  return combo && combo->currentIndex() >= 0 ? combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int nSelect)
{
  QComboBox* combo = Combo();
  if (!combo)
    return CB_ERR;
  const QSignalBlocker block(combo);
  if (nSelect < 0 || nSelect >= combo->count()) {
    combo->setCurrentIndex(-1);
    return CB_ERR;
  }
  combo->setCurrentIndex(nSelect);
  return nSelect;
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
  QComboBox* combo = Combo();
  rString = combo && nIndex >= 0 && nIndex < combo->count() ? FromQString(combo->itemText(nIndex)) : CString();
}

int CComboBox::GetLBTextLen(int nIndex) const
{
  CString text;
  GetLBText(nIndex, text);
  return text.GetLength();
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
  return FindItem(GetCount(), nIndexStart, lpszFind, false, [this](int index) { return TextOf(*this, index); });
}
int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
  const int index = FindItem(GetCount(), nStartAfter, lpszString, true, [this](int i) { return TextOf(*this, i); });
  return index == CB_ERR ? CB_ERR : SetCurSel(index);
}
int CComboBox::SetItemData(int nIndex, std::uintptr_t dwItemData)
{
  QComboBox* combo = Combo();
  if (!combo || nIndex < 0 || nIndex >= combo->count())
    return CB_ERR;
  combo->setItemData(nIndex, QVariant::fromValue<qulonglong>(dwItemData));
  return 0;
}

std::uintptr_t CComboBox::GetItemData(int nIndex) const
{
  QComboBox* combo = Combo();
  if (!combo || nIndex < 0 || nIndex >= combo->count())
    return static_cast<std::uintptr_t>(CB_ERR);
  return static_cast<std::uintptr_t>(combo->itemData(nIndex).toULongLong());
}

void CComboBox::Choose(int nIndex)
{
  if (QComboBox* combo = Combo(); combo && nIndex >= 0 && nIndex < combo->count()) {
    combo->setCurrentIndex(nIndex);
    emit combo->activated(nIndex);
  }
}

void CComboBox::ApplyWindowText(const CString& text)
{
  m_strText = text;
  QComboBox* combo = Combo();
  if (!combo)
    return;
  if (combo->isEditable())
    combo->setEditText(ToQString(text));
  else
    SetCurSel(FindStringExact(-1, text));
}

CString CComboBox::ReadWindowText() const
{
  QComboBox* combo = Combo();
  return combo ? FromQString(combo->currentText()) : m_strText;
}
