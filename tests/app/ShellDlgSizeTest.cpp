// Dialogs open at their templates' sizes in the dialog units of the dialog font: every control
// where its template puts it, drop-down lists sized by the template and the boxes by the font,
// "&" in labels as mnemonics, no text of a label, button, check box or group box cut; the settings
// sheets show their largest page whole.
#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QWidget>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Shellids.h"
#include "document/Whids.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/Dialog.h"
#include "ui/dlg/PropSheet.h"
#include "ui/wnd/Resource.h"
#include "workbench/sheets/Guideprp.h"

namespace {
QRect ToQRect(const CRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The controls made from a template, in template order (the host's widget children).
std::vector<QWidget*> TemplateWidgets(QWidget* host)
{
  std::vector<QWidget*> widgets;
  for (QObject* child : host->children())
    if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
      widgets.push_back(widget);
  return widgets;
}

// A label shows all its text when the lines it wraps into fit its height.
bool TextFits(const QLabel* label) { return label->heightForWidth(label->width()) <= label->height(); }

// The width a button's text needs on one line, the mnemonic's "&" left out.
int TextWidth(const QWidget* widget, QString text)
{
  text.remove(QRegularExpression("&(?!&)"));
  return widget->fontMetrics().horizontalAdvance(text);
}

// How much wider than the room the style gives it a button's text is (0 when it fits): a check
// box's or radio button's beside its indicator, a push button's inside its frame, a group box's
// title between the frame's corners.
int TextOverflow(const QWidget* widget)
{
  const QStyle* style = widget->style();
  if (auto* box = qobject_cast<const QGroupBox*>(widget)) {
    const int room = box->width() - 2 * style->pixelMetric(QStyle::PM_LayoutLeftMargin);
    return box->title().isEmpty() ? 0 : std::max(0, TextWidth(box, box->title()) - room);
  }
  auto* button = qobject_cast<const QAbstractButton*>(widget);
  if (!button || button->text().isEmpty())
    return 0;
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  QStyle::SubElement contents = QStyle::SE_PushButtonContents;
  if (qobject_cast<const QCheckBox*>(button))
    contents = QStyle::SE_CheckBoxContents;
  else if (qobject_cast<const QRadioButton*>(button))
    contents = QStyle::SE_RadioButtonContents;
  else if (auto* push = qobject_cast<const QPushButton*>(button); push && push->autoDefault())
    option.features |= QStyleOptionButton::AutoDefaultButton;
  const int room = style->subElementRect(contents, &option, button).width();
  return std::max(0, TextWidth(button, button->text()) - room);
}

// The widget made for a template item: the one at its place (group boxes are lowered, so the
// children's order is not the template's).
QWidget* WidgetAt(const std::vector<QWidget*>& widgets, const QRect& expected, bool combo)
{
  for (QWidget* widget : widgets) {
    const bool isCombo = qobject_cast<QComboBox*>(widget) != nullptr;
    if (isCombo == combo && widget->pos() == expected.topLeft() && widget->width() == expected.width() &&
        (combo || widget->height() == expected.height()))
      return widget;
  }
  return nullptr;
}

void ExpectControlsAsTemplated(const CDialogTemplate& tmpl, QWidget* host, UINT id)
{
  const std::vector<QWidget*> widgets = TemplateWidgets(host);
  ASSERT_EQ(widgets.size(), tmpl.items.size()) << "dialog " << id;
  for (size_t i = 0; i < tmpl.items.size(); ++i) {
    const CDialogItemTemplate& item = tmpl.items[i];
    const QRect expected = ToQRect(DialogUnitsToPixels(item.rect));
    const bool isCombo = item.kind == CDlgCtl::ComboBox;
    const std::string what = "dialog " + std::to_string(id) + " item " + std::to_string(i) + " " + item.text.str();
    QWidget* widget = WidgetAt(widgets, expected, isCombo);
    ASSERT_NE(widget, nullptr) << what << ": no control at its template's place";
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      // The box is as tall as the font wants; the template's height is the box and its list.
      EXPECT_EQ(combo->height(), combo->sizeHint().height()) << what;
      EXPECT_LT(combo->height(), expected.height()) << what;
      EXPECT_GE(combo->maxVisibleItems(), 1) << what;
      EXPECT_LE(combo->height() + combo->maxVisibleItems() * combo->fontMetrics().height(), expected.height()) << what;
    }
    // The Guideline page's slope buttons show pictures, which their page sets in place of the text.
    const bool picture = item.id == IDC_GUIDELINE_BTN_SLOPE_UP || item.id == IDC_GUIDELINE_BTN_SLOPE_DOWN;
    if (!picture) {
      EXPECT_EQ(TextOverflow(widget), 0) << what << ": its text is cut";
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      EXPECT_TRUE(TextFits(label)) << what << " needs " << label->heightForWidth(label->width()) << " px";
      if (label->text().contains(QLatin1Char('&'))) {
        EXPECT_NE(label->buddy(), nullptr) << what << ": the mnemonic moves the focus";
      }
    }
  }
}

class DlgSizeTest : public ShellTest
{};
}  // namespace

TEST_F(DlgSizeTest, TheBaseUnitsComeFromTheDialogFont)
{
  const CSize base = GetDialogBaseUnits();
  const QFontMetrics metrics(QApplication::font());
  EXPECT_EQ(base.cy, metrics.height());
  EXPECT_NEAR(base.cx, metrics.averageCharWidth(), 2);
  // Four horizontal and eight vertical dialog units make one character cell.
  EXPECT_EQ(DialogUnitsToPixels(CSize(4, 8)), base);
  EXPECT_EQ(DialogUnitsToPixels(CSize(200, 100)), CSize((200 * base.cx + 2) / 4, (100 * base.cy + 4) / 8));
}

TEST_F(DlgSizeTest, EveryDialogOpensAtItsTemplateSizeWithItsControlsAsTemplated)
{
  ASSERT_TRUE(Start());
  const std::vector<UINT> ids = CResources::Get().GetDialogIds();
  ASSERT_GT(ids.size(), 10u);
  for (UINT id : ids) {
    const CDialogTemplate& tmpl = *CResources::Get().FindDialog(id);
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(id)) << id;
    const CSize size = DialogUnitsToPixels(tmpl.size);
    EXPECT_EQ(dialog.GetOuterHandle()->size(), QSize(size.cx, size.cy)) << "dialog " << id;
    ExpectControlsAsTemplated(tmpl, dialog.GetChildHost(), id);
    dialog.DestroyWindow();
  }
}

TEST_F(DlgSizeTest, TheSettingsSheetsShowEveryPageWhole)
{
  ASSERT_TRUE(Start());
  for (UINT command : {ID_APPLICATION_SETTINGS, ID_PROJECT_SETTINGS}) {
    int pagesSeen = 0;
    OnNextDialog([&pagesSeen](CDialog& dialog) {
      auto& sheet = dynamic_cast<CPropertySheet&>(dialog);
      for (int i = 0; i < sheet.GetPageCount(); ++i) {
        ASSERT_TRUE(sheet.SetActivePage(i));
        CPropertyPage* page = sheet.GetPage(i);
        const CDialogTemplate* tmpl = CResources::Get().FindDialog(page->m_nIDHelp);
        ASSERT_NE(tmpl, nullptr);
        const CSize size = DialogUnitsToPixels(tmpl->size);
        const QSize shown = page->GetOuterHandle()->size();
        EXPECT_GE(shown.width(), size.cx) << "page " << i;
        EXPECT_GE(shown.height(), size.cy) << "page " << i;
        ++pagesSeen;
      }
      ClickButton(dialog, IDCANCEL);
    });
    Command(command);
    EXPECT_GT(pagesSeen, 0) << command;
  }
}

TEST_F(DlgSizeTest, TheAboutBoxShowsItsTextsWhole)
{
  ASSERT_TRUE(Start());
  int labels = 0;
  OnNextDialog([&labels](CDialog& dialog) {
    for (QLabel* label : dialog.GetChildHost()->findChildren<QLabel*>()) {
      EXPECT_TRUE(TextFits(label)) << label->text().toStdString();
      labels += label->text().isEmpty() ? 0 : 1;
    }
    ClickButton(dialog, IDOK);
  });
  Command(ID_APP_ABOUT);
  EXPECT_GE(labels, 8) << "the version texts were filled in";
}
