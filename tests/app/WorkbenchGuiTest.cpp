// Drives the Workbench through the real main frame offscreen: units placed by the New Window
// Unit commands and the mouse, drawn on the retained surface, moved and resized through the
// real drag loop, stored with their quantity and found again at the same scale, scroll position
// and frame rectangle, in this program and in a second one that opens the saved project.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "WbGuiFixture.h"
#include "WbTestReader.h"
#include "document/Doc.h"
#include "geometry/2drect.h"
#include "workbench/tools/Wbtools.h"
#include "model/Unit.h"

namespace {
const char kChildProjectVariable[] = "PANECRAFT_WORKBENCH_CHILD_PROJECT";

// Runs one test of this program in a process of its own, with the project path for it.
int RunChildTest(const char* testName, const std::string& projectPath)
{
  return RunThisTestInChild(testName, {std::string(kChildProjectVariable) + "=" + projectPath});
}

}  // namespace

TEST_F(WorkbenchGuiTest, AGliderIsPlacedDrawnMovedResizedStoredAndFoundAgain)
{
  StartProgram();
  const UINT nID = CommandFor("GL", "BA005");
  ASSERT_NE(nID, 0u);
  const CRect client = View()->GetClientRect();
  CUnitItem* pItem = PlaceUnit(nID, CPoint(client.Width() / 4, client.Height() * 3 / 4));
  ASSERT_NE(pItem, nullptr);
  EXPECT_EQ(pItem->GetType(), "GL");
  EXPECT_TRUE(View()->IsSelected(pItem));
  EXPECT_EQ(View()->GetCurrentTool(), View()->GetTool(wbtSelect)) << "the unit tool acts once";
  const CVRX2DVector placed = View()->ClientToWorld(CPoint(client.Width() / 4, client.Height() * 3 / 4)).AsVector();
  EXPECT_EQ(pItem->GetOffset(), placed);

  // Drawn: the left side of the unit is black on the surface, the inside is not.
  const CVRX2DVector offset = pItem->GetOffset();
  const CPoint left = View()->WorldToClient(CVRX2DPoint(offset.GetX(), offset.GetY() + pItem->GetHeight() / 2));
  EXPECT_EQ(View()->GetSurfacePixel(left.x, left.y), RGB(0, 0, 0));
  const CPoint inside = View()->WorldToClient(pItem->GetCenterPoint());
  EXPECT_NE(View()->GetSurfacePixel(inside.x + 3, inside.y + 3), RGB(0, 0, 0));

  // Hit test: a handle of the only selected item first, then its inside, else nothing.
  CDesignItem* pHit = nullptr;
  int handle = -1;
  const CPoint corner = View()->WorldToClient(pItem->GetHandlePoint(2, View()));
  EXPECT_EQ(View()->HitTest(corner, pHit, handle), hitHandle);
  EXPECT_EQ(pHit, pItem);
  EXPECT_EQ(handle, 2);
  EXPECT_EQ(View()->HitTest(inside, pHit, handle), hitItem);
  EXPECT_EQ(pHit, pItem);
  EXPECT_EQ(View()->HitTest(CPoint(client.Width() - 5, 5), pHit, handle), hitNothing);
  EXPECT_EQ(pHit, nullptr);

  // Move through the drag loop.
  const CPoint to(inside.x + 40, inside.y - 30);
  Drag(inside, to);
  const CVRX2DVector moved = View()->ClientToWorld(to) - View()->ClientToWorld(inside);
  EXPECT_NEAR(pItem->GetOffset().GetX(), offset.GetX() + moved.GetX(), 1e-9);
  EXPECT_NEAR(pItem->GetOffset().GetY(), offset.GetY() + moved.GetY(), 1e-9);

  // Resize: the upper right corner dragged a foot right and up gives the next standard size.
  const double width = pItem->GetWidth();
  const double height = pItem->GetHeight();
  const CVRX2DPoint grip = pItem->GetHandlePoint(2, View());
  const CPoint gripAt = View()->WorldToClient(grip);
  const CPoint gripTo = View()->WorldToClient(CVRX2DPoint(grip.GetX() + 12.0, grip.GetY() + 12.0));
  Drag(gripAt, gripTo);
  EXPECT_DOUBLE_EQ(pItem->GetWidth(), width + 12.0);
  EXPECT_DOUBLE_EQ(pItem->GetHeight(), height + 12.0);
  const CVRX2DVector afterResize = pItem->GetOffset();

  // Store with quantity 4, under a name asked for; the design list shows it.
  View()->SetScaleFactor(0.08, TRUE);
  View()->ScrollToDevicePosition(CPoint(120, 90));
  Frame()->MoveWindow(30, 20, 500, 380);
  Pump();
  const CPoint scroll = View()->GetDeviceScrollPosition();
  CRect frameRect;
  Frame()->GetWindowRect(&frameRect);
  StoreDesign("Kitchen", 4);
  ASSERT_GE(m_pDoc->FindDesign("Kitchen"), 0);
  auto* pList = dynamic_cast<CWarehouseView*>(m_pDoc->GetWarehouseView());
  EXPECT_GE(pList->GetDesignListBox()->FindStringExact(-1, "Kitchen"), 0);
  CString caption;
  Frame()->GetWindowText(caption);
  EXPECT_EQ(caption, "Kitchen (Workbench)");

  // Close and edit again: the same design at the same scale, scroll position and place.
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  EXPECT_TRUE(Messages().empty()) << "nothing changed since it was stored";
  ASSERT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
  EditStoredDesign("Kitchen");
  ASSERT_NE(View(), nullptr);
  EXPECT_DOUBLE_EQ(View()->GetScaleFactor(), 0.08);
  EXPECT_EQ(View()->GetDeviceScrollPosition(), scroll);
  CRect reopened;
  Frame()->GetWindowRect(&reopened);
  EXPECT_EQ(reopened, frameRect);
  CString quantity;
  Frame()->GetDialogBar()->GetDlgItemText(IDC_WORKBENCH_QUANTITY, quantity);
  EXPECT_EQ(quantity, "4");
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
  auto* pAgain = dynamic_cast<CUnitItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  ASSERT_NE(pAgain, nullptr);
  EXPECT_EQ(pAgain->GetOffset(), afterResize);
  EXPECT_DOUBLE_EQ(pAgain->GetWidth(), width + 12.0);

  // Saved, and read by a second program and by a reader of the design block written apart.
  const std::string path = PathIn("kitchen.tpf");
  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_SAVE_AS);
  ASSERT_TRUE(std::filesystem::exists(path));
  CStoredDesignImage image;
  ASSERT_TRUE(ReadStoredDesign(ReadFileBytes(path), "Kitchen", image)) << image.error;
  EXPECT_EQ(image.quantity, 4);
  EXPECT_DOUBLE_EQ(image.scaleFactor, 0.08);
  EXPECT_EQ(image.scroll, scroll);
  EXPECT_EQ(image.windowRect, frameRect);
  ASSERT_EQ(image.units.size(), 1u);
  EXPECT_EQ(image.units[0].type, "GL");
  EXPECT_EQ(image.units[0].subtype, "BA005");
  EXPECT_EQ(image.units[0].x, afterResize.GetX());
  EXPECT_EQ(image.units[0].y, afterResize.GetY());
  EXPECT_EQ(image.units[0].width, width + 12.0);
  EXPECT_EQ(image.units[0].attributes, pAgain->GetUnit()->GetAttributes().c_str());
  EXPECT_DOUBLE_EQ(image.designWidth, afterResize.GetX() + width + 12.0);
  EXPECT_DOUBLE_EQ(image.designHeight, afterResize.GetY() + height + 12.0);
  // The project is held locked while it is open here.
  Command(ID_FILE_CLOSE);
  EXPECT_EQ(RunChildTest("WorkbenchGuiTest.ChildOpensTheSavedKitchen", path), 0);
}

TEST_F(WorkbenchGuiTest, ChildOpensTheSavedKitchen)
{
  const char* path = std::getenv(kChildProjectVariable);
  if (!path)
    GTEST_SKIP() << "runs as the second program of the test above";
  ASSERT_TRUE(Start(path));
  m_pDoc = ActiveProject();
  ASSERT_NE(m_pDoc, nullptr);
  ASSERT_GE(m_pDoc->FindDesign("Kitchen"), 0);
  EditStoredDesign("Kitchen");
  ASSERT_NE(View(), nullptr);
  EXPECT_DOUBLE_EQ(View()->GetScaleFactor(), 0.08);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
  auto* pItem = dynamic_cast<CUnitItem*>(static_cast<CObject*>(View()->GetItemList()->GetHead()));
  ASSERT_NE(pItem, nullptr);
  EXPECT_EQ(pItem->GetSubtype(), "BA005");
  EXPECT_EQ(m_pDoc->GetEditedDesign()->GetQuantity(), 4);
}

// The Workbench keeps one drawing for all like units and shares it among them: a drawing that
// followed a preference would stay as it was first made. Two casements placed either side of
// turning the project's Elevation preferences over are drawn alike, the casement's swing among
// its lines.
TEST_F(WorkbenchGuiTest, AUnitIsDrawnAlikeWhateverTheElevationPreferencesSay)
{
  StartProgram();
  const UINT nID = CommandFor("CA", "BA001");
  const CRect client = View()->GetClientRect();
  CUnitItem* pFirst = PlaceUnit(nID, CPoint(client.Width() / 3, client.Height() / 2));
  CProjectPrefs& prefs = m_pDoc->GetProjectPrefs();
  prefs.SetShowGrilles(!prefs.GetShowGrilles());
  prefs.SetShowOperation(!prefs.GetShowOperation());
  CUnitItem* pSecond = PlaceUnit(nID, CPoint(client.Width() * 2 / 3, client.Height() / 2));
  ASSERT_TRUE(pFirst && pSecond);
  // Each entity's box from the item's place, in millionths of an inch (adding zero turns a
  // rounded -0 into 0).
  const auto drawing = [](CUnitItem* pItem) {
    const auto millionths = [](double inches) { return std::round(inches * 1e6) + 0.0; };
    CVRX2DEntityArray entities = pItem->GetElevationEntities();
    std::vector<std::string> boxes;
    for (int i = 0; i < entities.GetSize(); ++i) {
      const CVRX2DRectangle box = entities[i]->GetExtents();
      const CVRX2DVector low = box.GetMinPoint() - pItem->GetOffset().AsPoint();
      const CVRX2DVector high = box.GetMaxPoint() - pItem->GetOffset().AsPoint();
      boxes.push_back(CString::Formatted("%.0f %.0f %.0f %.0f", millionths(low.GetX()), millionths(low.GetY()),
                                         millionths(high.GetX()), millionths(high.GetY()))
                          .c_str());
    }
    return boxes;
  };
  EXPECT_GT(drawing(pFirst).size(), 4u);
  EXPECT_EQ(drawing(pSecond), drawing(pFirst));
}
