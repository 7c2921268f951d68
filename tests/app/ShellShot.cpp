// Under a real X server (Xvfb), the main window with a project open shows its toolbar, the
// project's design list and the status bar; the pictures of the window, of every page of the
// settings sheets and of the About box are kept as artifacts, once for each scale factor the
// test runs under (QT_SCALE_FACTOR: 1 gives panecraft-NAME.png, 1.5 panecraft-NAME-x1.5.png).
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <set>

#include "ShellTestApp.h"
#include "WbGuiFixture.h"
#include "geometry/2drect.h"
#include "model/Unit.h"
#include "app/Shellids.h"
#include "document/Whids.h"
#include "ui/dlg/PropSheet.h"
#include "ui/draw/Gdi.h"
#include "ui/draw/ImageData.h"
#include "ui/frame/CtrlBar.h"
#include "ui/wnd/WndImpl.h"
#include "app/About.h"
#include <QAction>
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whview.h"
#include "ui/dlg/Dialog.h"
#include "ui/frame/Frame.h"
#include "ui/docview/View.h"

namespace {
constexpr UINT kStoreDesignButton = 337;

std::string ArtifactPath(const std::string& name = "main-window")
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  const char* scale = std::getenv("QT_SCALE_FACTOR");
  const std::string suffix = scale && std::string(scale) != "1" ? std::string("-x") + scale : "";
  return std::string(binary ? binary : ".") + "/app/panecraft-" + name + suffix + ".png";
}

// Distinct colours in a picture: a window that was drawn has many, a blank grab one.
int CountColours(const QImage& image)
{
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3)
      colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

QPixmap Grab(QWidget* pWindow)
{
  const QRect frame = pWindow->frameGeometry();
  QPixmap shot = pWindow->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  return shot.isNull() ? pWindow->grab() : shot;
}
}  // namespace

TEST_F(ShellTest, TheMainWindowWithAProjectOpenShowsToolbarDesignListAndStatusBar)
{
  ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under an X server";
  ASSERT_TRUE(Start());
  CDoc* pDoc = ActiveProject();
  ASSERT_NE(pDoc, nullptr);
  SetWorkbenchQuantity(pDoc, 2);
  OnNextDialog([](CDialog& dialog) {
    SetControlText(dialog, IDC_NEW_DESIGN_NAME, "Kitchen Bay");
    ClickButton(dialog, IDOK);
  });
  pDoc->GetWorkbenchView()->GetParentFrame()->SendMessage(WM_COMMAND, kStoreDesignButton);
  // The design list in front, as after opening a project.
  Command(ID_VIEW_WORKBENCH);
  ShellApp().RunIdle();
  Pump();

  QWidget* pWindow = MainFrame()->GetOuterHandle();
  ASSERT_TRUE(pWindow->isVisible());
  ASSERT_TRUE(PumpUntil([pWindow] { return pWindow->windowHandle() && pWindow->windowHandle()->isExposed(); }));
  EXPECT_TRUE(MainFrame()->GetMainToolBar()->IsWindowVisible());
  EXPECT_EQ(MainFrame()->GetMainToolBar()->GetCount(), 21);
  EXPECT_TRUE(MainFrame()->GetStatusBar()->IsWindowVisible());
  CWarehouseView* pList = DesignList(pDoc);
  ASSERT_NE(pList, nullptr);
  EXPECT_TRUE(pList->IsWindowVisible());
  EXPECT_TRUE(pList->GetParentFrame()->IsWindowVisible());
  ASSERT_EQ(pList->GetDesignListBox()->GetCount(), 1);
  CString name;
  pList->GetDesignListBox()->GetText(0, name);
  EXPECT_EQ(name, "Kitchen Bay");
  // Every part lies inside the main window, not in a window of its own.
  EXPECT_EQ(pList->GetDesignListBox()->m_hWnd->window(), pWindow);
  EXPECT_EQ(MainFrame()->GetStatusBar()->m_hWnd->window(), pWindow);

  // The X server shows the window when it gets round to it; wait for a drawn picture, not a time.
  QPixmap shot;
  PumpUntil([&] {
    shot = Grab(pWindow);
    return CountColours(shot.toImage()) > 8;
  });
  std::filesystem::create_directories(std::filesystem::path(ArtifactPath()).parent_path());
  ASSERT_TRUE(shot.save(QString::fromStdString(ArtifactPath()), "PNG"));
  EXPECT_GT(CountColours(shot.toImage()), 8) << "the picture shows a drawn window";
}

namespace {
// The dialog's picture as the toolkit renders it (at the device pixel ratio): a grab of the screen
// could still show the page shown before.
void Keep(QWidget* pWindow, const std::string& name)
{
  PumpUntil([pWindow] { return pWindow->windowHandle() && pWindow->windowHandle()->isExposed(); });
  Pump();
  const QPixmap shot = pWindow->grab();
  EXPECT_GT(CountColours(shot.toImage()), 8) << name;
  EXPECT_TRUE(shot.save(QString::fromStdString(ArtifactPath(name)), "PNG")) << name;
}

std::string FileName(const CString& caption)
{
  std::string name;
  for (char c : caption.str())
    if (isalnum(static_cast<unsigned char>(c)))
      name += static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return name;
}
}  // namespace

TEST_F(ShellTest, EverySettingsPageAndTheAboutBoxArePictured)
{
  ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under an X server";
  ASSERT_TRUE(Start());
  std::filesystem::create_directories(std::filesystem::path(ArtifactPath()).parent_path());
  int pictures = 0;
  for (auto sheetCommand :
       {std::pair{ID_APPLICATION_SETTINGS, "application"}, std::pair{ID_PROJECT_SETTINGS, "project"}}) {
    const auto command = sheetCommand.first;
    const char* sheetName = sheetCommand.second;
    OnNextDialog([&pictures, sheetName](CDialog& dialog) {
      auto& sheet = dynamic_cast<CPropertySheet&>(dialog);
      for (int i = 0; i < sheet.GetPageCount(); ++i) {
        ASSERT_TRUE(sheet.SetActivePage(i));
        CString caption;
        sheet.GetPage(i)->GetWindowText(caption);
        Keep(dialog.GetOuterHandle(), std::string(sheetName) + "-" + FileName(caption));
        ++pictures;
      }
      ClickButton(dialog, IDCANCEL);
    });
    Command(command);
  }
  OnNextDialog([&pictures](CDialog& dialog) {
    Keep(dialog.GetOuterHandle(), "about");
    ++pictures;
    ClickButton(dialog, IDOK);
  });
  Command(ID_APP_ABOUT);
  EXPECT_GE(pictures, 5);
}

// Under a scale factor the program's pictures are drawn at the device pixel ratio: the toolbar's
// and the About box's picture exist at that resolution, and the About box shows the sharp one.
TEST_F(ShellTest, UnderAScaleFactorPicturesAreDrawnAtTheDevicePixelRatio)
{
  const double ratio = qApp->devicePixelRatio();
  if (ratio <= 1.0)
    GTEST_SKIP() << "run under QT_SCALE_FACTOR above 1";
  ASSERT_TRUE(Start());
  CToolBar* bar = MainFrame()->GetMainToolBar();
  const QIcon icon = bar->GetAction(bar->CommandToIndex(ID_VIEW_PLAN))->icon();
  const QPixmap sharp = icon.pixmap(QSize(16, 15), ratio);
  EXPECT_EQ(sharp.devicePixelRatio(), ratio);
  EXPECT_EQ(sharp.width(), qRound(16 * ratio));

  // The maker's caption behind the child windows is such a picture, at the client's top right.
  CWnd* pClient = CWnd::FromHandle(MainFrame()->m_hWndMDIClient);
  ASSERT_NE(pClient, nullptr);
  std::vector<QRect> caption;
  PumpUntil([&] {
    caption = pClient->Impl()->SharpPictureRects();
    return !caption.empty();
  });
  ASSERT_EQ(caption.size(), 1u);
  EXPECT_EQ(caption[0].right() + 1, pClient->Impl()->ClientRect().right);
  EXPECT_EQ(caption[0].top(), 0);

  CBitmap picture;
  ASSERT_TRUE(picture.LoadBitmap(CAboutDlg::kPictureId));
  ASSERT_NE(picture.SharpImage(), nullptr);
  EXPECT_EQ(picture.SharpImage()->Image().width(), qRound(picture.GetSize().cx * ratio));
  std::vector<QRect> shown;
  OnNextDialog([&shown](CDialog& dialog) {
    QWidget* pWindow = dialog.GetOuterHandle();
    PumpUntil([&] {
      shown = dialog.Impl()->SharpPictureRects();
      return pWindow->windowHandle() && pWindow->windowHandle()->isExposed() && !shown.empty();
    });
    ClickButton(dialog, IDOK);
  });
  Command(ID_APP_ABOUT);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].size(), QSize(picture.GetSize().cx, picture.GetSize().cy));
}

namespace {
class UnitsShot : public WorkbenchGuiTest
{};
}  // namespace

// An arched, a circle-top and a free-form unit placed from the New Window Unit menu are drawn on
// their outlines: the one-line elevation covers the pixel of each outline's left edge. The
// Workbench with the three selected (handles shown) is kept as panecraft-workbench-units.png.
TEST_F(UnitsShot, ArchedCircleTopAndFreeFormUnitsAreDrawnOnTheirOutlines)
{
  ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under an X server";
  StartProgram();
  Frame()->MoveWindow(10, 10, 900, 640);
  View()->SetScaleFactor(1.0 / 20.0, TRUE);
  Pump();
  const CRect client = View()->GetClientRect();
  const struct
  {
    const char* type;
    const char* subtype;
    int x;
  } units[] = {{"AR", "BA011", 1}, {"SW", "CC006", 3}, {"VG", "HX010", 5}};
  std::vector<CUnitItem*> items;
  for (const auto& u : units) {
    CUnitItem* pItem = PlaceUnit(CommandFor(u.type, u.subtype), CPoint(client.Width() * u.x / 6, client.Height() / 2));
    ASSERT_NE(pItem, nullptr) << u.type << u.subtype;
    items.push_back(pItem);
  }
  View()->DeselectAll();
  for (CUnitItem* pItem : items)
    View()->Select(pItem);
  View()->Invalidate(TRUE);
  Pump();
  for (CUnitItem* pItem : items) {
    CVRX2DEntityArray outline;
    pItem->GetOutlineEntities(outline);
    const CVRX2DRectangle box = outline.GetExtents();
    // The middle of the left edge (a free-form hexagon's left side runs there too), and a
    // point an inch and three eighths inside it, where a line drawn inside the outline would be.
    const double y = (box.GetMinPoint().GetY() + box.GetMaxPoint().GetY()) / 2.0;
    const double x = box.GetMinPoint().GetX();
    const CPoint edge = View()->WorldToClient(CVRX2DPoint(x, y));
    const CPoint inside = View()->WorldToClient(CVRX2DPoint(x + 1.375, y));
    ASSERT_GT(inside.x - edge.x, 2) << "the scale shows the inset apart";
    int dark = 0;
    for (int dx = -1; dx <= 1; ++dx)
      dark += View()->GetSurfacePixel(edge.x + dx, edge.y) == RGB(0, 0, 0);
    EXPECT_GT(dark, 0) << pItem->GetUnit()->GetType().str() << pItem->GetUnit()->GetSubtype().str();
    EXPECT_NE(View()->GetSurfacePixel(inside.x, inside.y), RGB(0, 0, 0))
        << pItem->GetUnit()->GetType().str() << pItem->GetUnit()->GetSubtype().str();
  }
  QWidget* pWindow = MainFrame()->GetOuterHandle();
  ASSERT_TRUE(PumpUntil([pWindow] { return pWindow->windowHandle() && pWindow->windowHandle()->isExposed(); }));
  QPixmap shot;
  PumpUntil([&] {
    shot = Grab(pWindow);
    return CountColours(shot.toImage()) > 8;
  });
  std::filesystem::create_directories(std::filesystem::path(ArtifactPath()).parent_path());
  EXPECT_TRUE(shot.save(QString::fromStdString(ArtifactPath("workbench-units")), "PNG"));
}
