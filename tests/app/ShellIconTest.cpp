// The program's icon on every window, MDI children included; the standard toolbar commands take
// the desktop theme's icons and fall back on the drawn pictures, which the program's own commands
// always show.
#include <filesystem>
#include <fstream>

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMdiSubWindow>
#include <QWidget>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whview.h"
#include "ui/frame/CtrlBar.h"
#include "ui/frame/Frame.h"

namespace {
// A theme holding only a "document-new" icon, as a desktop's theme would.
void MakeTheme(const std::string& root)
{
  namespace fs = std::filesystem;
  fs::create_directories(root + "/paneltest/16x16/actions");
  std::ofstream(root + "/paneltest/index.theme")
      << "[Icon Theme]\nName=paneltest\nDirectories=16x16/actions\n\n[16x16/actions]\nSize=16\nType=Fixed\n";
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::green);
  image.save(QString::fromStdString(root + "/paneltest/16x16/actions/document-new.png"));
}

class IconTest : public ShellTest
{
protected:
  QIcon ButtonIcon(UINT nID)
  {
    CToolBar* bar = MainFrame()->GetMainToolBar();
    QAction* action = bar->GetAction(bar->CommandToIndex(nID));
    return action ? action->icon() : QIcon();
  }
};
}  // namespace

TEST_F(IconTest, EveryWindowShowsTheProgramsIcon)
{
  ASSERT_TRUE(Start());
  const QIcon icon = QApplication::windowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_GE(icon.availableSizes().size(), 4) << "drawn from the SVG at several sizes";
  // Each size is drawn when asked for: the picture fills the size with opaque pixels.
  for (int size : {16, 48, 256}) {
    const QImage image = icon.pixmap(size, size).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    int opaque = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
    EXPECT_GT(opaque, size * size / 4) << size;
  }
  EXPECT_EQ(MainFrame()->GetOuterHandle()->windowIcon().cacheKey(), icon.cacheKey());
  CDoc* pDoc = ActiveProject();
  ASSERT_NE(pDoc, nullptr);
  auto* child = qobject_cast<QMdiSubWindow*>(DesignList(pDoc)->GetParentFrame()->GetOuterHandle());
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->windowIcon().cacheKey(), icon.cacheKey()) << "not the toolkit's logo";
}

TEST_F(IconTest, StandardButtonsTakeTheThemesIconsOwnCommandsTheirPictures)
{
  MakeTheme(ShellTempDir() + "/icons");
  QIcon::setThemeSearchPaths({QString::fromStdString(ShellTempDir() + "/icons")});
  QIcon::setThemeName(QStringLiteral("paneltest"));
  ASSERT_TRUE(Start());
  EXPECT_EQ(ButtonIcon(ID_FILE_NEW).name(), QStringLiteral("document-new"));
  // The theme has no cut icon: the drawn picture stands in.
  const QIcon cut = ButtonIcon(ID_EDIT_CUT);
  EXPECT_FALSE(cut.isNull());
  EXPECT_TRUE(cut.name().isEmpty());
  // The program's own commands show pictures of their own, each different.
  QImage previous;
  for (UINT id : {ID_VIEW_WORKBENCH, ID_VIEW_PLAN, ID_VIEW_ELEVATION, ID_VIEW_DETAIL, ID_JOINING_MARKERS}) {
    const QIcon picture = ButtonIcon(id);
    ASSERT_FALSE(picture.isNull()) << id;
    EXPECT_TRUE(picture.name().isEmpty()) << id;
    const QImage image = picture.pixmap(16, 15).toImage();
    EXPECT_NE(image, previous) << id;
    previous = image;
  }
}
