// Under a real X server (Xvfb), the main window with a project open shows its toolbar, the
// project's design list and the status bar; the picture of the window is kept as an artifact.
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
#include "app/App.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Doc.h"
#include "document/Whview.h"
#include "platform/ui/dlg/Dialog.h"
#include "platform/ui/frame/Frame.h"
#include "platform/ui/docview/View.h"

namespace
{
constexpr UINT kStoreDesignButton = 337;

std::string ArtifactPath()
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  return std::string(binary ? binary : ".") + "/app/panecraft-main-window.png";
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
