// Drives the Workbench clipboard in the running program: Copy and Cut put the selection on the
// system clipboard in the design-item format (read by a reader written apart from the program),
// Paste adds the items back selected and cascades, the context Paste goes to the right-click
// point, a cut whose copy failed keeps the selection, and a foreign, truncated or too deeply
// nested payload is refused with the design unchanged.
#include <cmath>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "../workbench/ClipReader.h"
#include "DeepGroups.h"
#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "ui/output/Clipbrd.h"
#include "views/Xltdata.h"
#include "workbench/items/Joinitem.h"

namespace {
constexpr UINT kSelectAll = 320;
constexpr UINT kContextPaste = 319;
constexpr const char* kMime = "application/x-panecraft-design-item";

class WbClipboardTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 24.0, TRUE);
    Pump();
    const CRect client = View()->GetClientRect();
    const UINT nID = CommandFor("GL", "BA005");
    m_pLeft = PlaceUnit(nID, CPoint(client.Width() / 4, client.Height() / 2));
    m_pRight = PlaceUnit(nID, CPoint(client.Width() * 3 / 4, client.Height() / 2));
    ASSERT_NE(m_pLeft, nullptr);
    ASSERT_NE(m_pRight, nullptr);
    View()->SetAlignmentModes(1, 1);
    Join();
    View()->DeselectAll();
  }

  // The right glider pushed against the left one as a committing snap does it.
  void Join()
  {
    m_pLeft->Offset(CVRX2DVector(10.0, 10.0) - m_pLeft->GetOffset());
    m_pRight->Offset(CVRX2DVector(10.0 + m_pLeft->GetWidth(), 10.0) - m_pRight->GetOffset());
    View()->UpdateAlignmentEntities(m_pLeft);
    View()->UpdateAlignmentEntities(m_pRight);
    ASSERT_TRUE(JoinGliderToTheLeft(m_pLeft, m_pRight));
    Pump();
    ASSERT_EQ(Count(ditJoin), 1);
  }

  int Count(int type) const
  {
    int count = 0;
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;)
      count += static_cast<CDesignItem*>(View()->GetItemList()->GetNext(pos))->GetItemType() == type;
    return count;
  }

  static std::vector<unsigned char> Payload()
  {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(kMime))
      return {};
    const QByteArray bytes = data->data(kMime);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
  }

  static void PutPayload(const std::vector<unsigned char>& bytes)
  {
    auto* data = new QMimeData;
    data->setData(kMime, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data);
  }

  // The world distance of a client step.
  CVRX2DVector Step(CSize step) const
  {
    const CPoint origin(100, 300);
    return View()->ClientToWorld(origin + step) - View()->ClientToWorld(origin);
  }

  std::vector<CUnitItem*> SelectedUnits() const
  {
    std::vector<CUnitItem*> units;
    for (POSITION pos = View()->GetSelectedItems().GetHeadPosition(); pos;)
      if (auto* pUnit = dynamic_cast<CUnitItem*>(View()->GetSelectedItems().GetNext(pos)))
        units.push_back(pUnit);
    return units;
  }

  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pRight = nullptr;
};
}  // namespace

TEST_F(WbClipboardTest, CopyWritesTheGroupAndEditPastePlacesEachCopyAStepFurther)
{
  EXPECT_FALSE(StateOf(ID_EDIT_COPY).enabled);
  Command(kSelectAll);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 3);
  ASSERT_TRUE(StateOf(ID_EDIT_COPY).enabled);
  Command(ID_EDIT_COPY);
  const std::vector<unsigned char> block = Payload();
  CClipItemImage image;
  std::string error;
  ASSERT_TRUE(ReadClipPayload(block, image, error)) << error;
  ASSERT_EQ(image.members.size(), 3u);
  EXPECT_EQ(image.x, m_pLeft->GetOffset().GetX());
  EXPECT_EQ(image.y, m_pLeft->GetOffset().GetY());
  EXPECT_EQ(image.members[0].x, m_pLeft->GetOffset().GetX());
  EXPECT_EQ(image.members[1].x, m_pRight->GetOffset().GetX());
  EXPECT_EQ(image.members[2].className, "CJoinItem");
  EXPECT_EQ(image.members[2].secondUnit, image.members[0].objectIndex);
  EXPECT_EQ(image.members[2].firstUnit, image.members[1].objectIndex);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 3);

  ASSERT_TRUE(StateOf(ID_EDIT_PASTE).enabled);
  const CVRX2DVector step = Step(CSize(20, -20));
  CVRX2DVector expected = m_pLeft->GetOffset();
  for (int paste = 1; paste <= 2; ++paste) {
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(View()->GetItemList()->GetCount(), 3 + 3 * paste);
    EXPECT_EQ(Count(ditJoin), 1 + paste);
    ASSERT_EQ(View()->GetSelectedCount(FALSE), 3);
    const std::vector<CUnitItem*> units = SelectedUnits();
    ASSERT_EQ(units.size(), 2u);
    expected = expected + step;
    // A whole number of pixels away from the copy before: within one pixel of the step.
    EXPECT_NEAR(units[0]->GetOffset().GetX(), expected.GetX(), std::fabs(step.GetX()) / 20.0);
    EXPECT_NEAR(units[0]->GetOffset().GetY(), expected.GetY(), std::fabs(step.GetY()) / 20.0);
    expected = units[0]->GetOffset();
    EXPECT_DOUBLE_EQ(units[1]->GetOffset().GetX() - units[0]->GetOffset().GetX(),
                     m_pRight->GetOffset().GetX() - m_pLeft->GetOffset().GetX());
    // The pasted join joins the pasted units, not the originals.
    auto* pJoin = dynamic_cast<CJoinItem*>(View()->GetSelectedItems().GetTail());
    ASSERT_NE(pJoin, nullptr);
    EXPECT_TRUE(pJoin->JoinsUnit(units[0]) && pJoin->JoinsUnit(units[1]));
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(WbClipboardTest, ACutTakesTheSelectionAwayOnlyOnceTheClipboardHasIt)
{
  Command(kSelectAll);
  // Another program holds the clipboard open.
  ASSERT_TRUE(OpenClipboard(nullptr));
  Command(ID_EDIT_CUT);
  CloseClipboard();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Unable to open clipboard.  COPY not performed!");
  EXPECT_EQ(View()->GetItemList()->GetCount(), 3);
  EXPECT_EQ(View()->GetSelectedCount(FALSE), 3);

  Command(ID_EDIT_CUT);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 0);
  CClipItemImage image;
  std::string error;
  ASSERT_TRUE(ReadClipPayload(Payload(), image, error)) << error;
  EXPECT_EQ(image.members.size(), 3u);
  Command(ID_EDIT_PASTE);
  EXPECT_EQ(View()->GetItemList()->GetCount(), 3);
  EXPECT_EQ(Count(ditJoin), 1);
}

TEST_F(WbClipboardTest, ACopiedJoinGoesOnlyWithBothItsUnits)
{
  View()->Select(m_pLeft);
  auto* pJoin = dynamic_cast<CJoinItem*>(View()->GetItemList()->GetTail());
  ASSERT_NE(pJoin, nullptr);
  View()->Select(pJoin);
  Command(ID_EDIT_COPY);
  CClipItemImage image;
  std::string error;
  ASSERT_TRUE(ReadClipPayload(Payload(), image, error)) << error;
  ASSERT_EQ(image.members.size(), 1u);
  EXPECT_EQ(image.members[0].className, "CUnitItem");
}

TEST_F(WbClipboardTest, AForeignOrTruncatedPayloadIsRefusedAndChangesNothing)
{
  View()->Select(m_pLeft);
  View()->Select(m_pRight);
  Command(ID_EDIT_COPY);
  const std::vector<unsigned char> good = Payload();
  ASSERT_GT(good.size(), 10u);
  const std::string foreign = "another program's data under the same format name";
  const std::vector<std::vector<unsigned char>> bad{
      std::vector<unsigned char>(good.begin(), good.begin() + static_cast<long>(good.size() / 2)),
      std::vector<unsigned char>(good.begin(), good.end() - 2),
      std::vector<unsigned char>(foreign.begin(), foreign.end())};
  size_t messages = Messages().size();
  for (const auto& bytes : bad) {
    PutPayload(bytes);
    ASSERT_TRUE(StateOf(ID_EDIT_PASTE).enabled);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(Messages().size(), ++messages);
    EXPECT_EQ(Messages().back(), "Unable to paste items from clipboard.  Paste not performed!");
    EXPECT_EQ(View()->GetItemList()->GetCount(), 3);
    EXPECT_EQ(View()->GetSelectedCount(FALSE), 2);
  }
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(StateOf(ID_EDIT_PASTE).enabled);
}

TEST_F(WbClipboardTest, PasteWaitsForAnEditableViewAndTheContextPasteGoesToTheClick)
{
  View()->Select(m_pLeft);
  Command(ID_EDIT_COPY);
  View()->SetReadOnly(TRUE);
  EXPECT_FALSE(StateOf(ID_EDIT_PASTE).enabled);
  EXPECT_FALSE(StateOf(kContextPaste).enabled);
  View()->SetReadOnly(FALSE);
  ASSERT_TRUE(StateOf(kContextPaste).enabled);

  const CRect client = View()->GetClientRect();
  const CPoint click(client.Width() / 2, client.Height() / 3);
  SendMouse(View(), QEvent::MouseButtonPress, click, Qt::RightButton, Qt::RightButton);
  SendMouse(View(), QEvent::MouseButtonRelease, click, Qt::RightButton, Qt::NoButton);
  Pump();
  Command(kContextPaste);
  const std::vector<CUnitItem*> units = SelectedUnits();
  ASSERT_EQ(units.size(), 1u);
  EXPECT_NE(units[0], m_pLeft);
  const CVRX2DPoint at = View()->ClientToWorld(click);
  EXPECT_NEAR(units[0]->GetOffset().GetX(), at.GetX(), 1e-9);
  EXPECT_NEAR(units[0]->GetOffset().GetY(), at.GetY(), 1e-9);
  EXPECT_EQ(View()->GetPasteOrigin().GetX(), at.GetX());
}

TEST_F(WbClipboardTest, EditPasteKeepsTheCopyInsideTheWindow)
{
  View()->Select(m_pLeft);
  const CSize size = View()->WorldToDevice(CVRX2DVector(m_pLeft->GetWidth(), m_pLeft->GetHeight()));
  const int w = std::abs(size.cx);
  const int h = std::abs(size.cy);
  ASSERT_NE(w, h);
  // After the step of 20 pixels up, the copy's top would reach above the window by its larger
  // side but not by its smaller one.
  const CRect client = View()->GetClientRect();
  const int bottom = 20 + (w + h) / 2;
  const CVRX2DPoint at = View()->ClientToWorld(CPoint(client.Width() / 3, bottom + 20));
  m_pLeft->Offset(at.AsVector() - m_pLeft->GetOffset());
  View()->Select(m_pLeft);
  Command(ID_EDIT_COPY);
  Command(ID_EDIT_PASTE);
  const std::vector<CUnitItem*> units = SelectedUnits();
  ASSERT_EQ(units.size(), 1u);
  const CPoint lowerLeft = View()->WorldToClient(units[0]->GetOffset().AsPoint());
  if (h > w) {
    EXPECT_EQ(lowerLeft.y, client.bottom - 20);
  } else {
    EXPECT_EQ(lowerLeft.y, bottom);
  }
  EXPECT_GE(lowerLeft.y - h, 0);
  EXPECT_EQ(lowerLeft.x, client.Width() / 3 + 20);
}

TEST_F(WbClipboardTest, GroupsNestedBeyondAnyRealDesignAreRefusedWithoutACrash)
{
  ASSERT_EQ(NestedItemPayload(6), RepeatMiddleLevel(NestedItemPayload(2), NestedItemPayload(3), 6));
  const int before = View()->GetItemList()->GetCount();
  size_t messages = Messages().size();
  // The clipboard's own group holds the pasted one: 64 levels in all still come in.
  PutPayload(NestedItemPayload(64));
  Command(ID_EDIT_PASTE);
  EXPECT_EQ(Messages().size(), messages);
  EXPECT_EQ(View()->GetItemList()->GetCount(), before + 1);
  for (size_t depth : {size_t{65}, size_t{100000}}) {
    PutPayload(NestedItemPayload(depth));
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(Messages().size(), ++messages) << depth;
    EXPECT_EQ(Messages().back(), "Unable to paste items from clipboard.  Paste not performed!");
    EXPECT_EQ(View()->GetItemList()->GetCount(), before + 1);
  }
}

// A new design's view has pasted nothing yet: Ctrl+V places the copy 20 pixels right of and
// above the world's origin, in the lower left of the view where the new design starts, whatever
// place the copy had in the design it came from.
TEST_F(WbClipboardTest, ACopyPastedIntoANewDesignLandsAStepFromItsOrigin)
{
  View()->Select(m_pRight);
  Command(ID_EDIT_COPY);
  ASSERT_FALSE(Payload().empty());
  service.messageAnswers.push_back(IDNO);
  Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
  Pump();
  ASSERT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
  m_pDoc->GetWarehouseView()->SendMessage(WM_COMMAND, ID_CREATE_DESIGN);
  Pump();
  ASSERT_NE(View(), nullptr);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 0);
  QWidget* pView = View()->m_hWnd;
  pView->window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(pView->window()));
  pView->setFocus(Qt::OtherFocusReason);
  Pump();
  QTest::keyClick(pView, Qt::Key_V, Qt::ControlModifier);
  Pump();
  const std::vector<CUnitItem*> units = SelectedUnits();
  ASSERT_EQ(units.size(), 1u);
  const CPoint origin = View()->WorldToClient(CVRX2DPoint());
  const CPoint lowerLeft = View()->WorldToClient(units[0]->GetOffset().AsPoint());
  EXPECT_NEAR(lowerLeft.x, std::max(origin.x + 20, 20), 1);
  EXPECT_NEAR(lowerLeft.y, origin.y - 20, 1);
  const CRect client = View()->GetClientRect();
  const CSize size = View()->WorldToDevice(CVRX2DVector(units[0]->GetWidth(), units[0]->GetHeight()));
  EXPECT_TRUE(client.PtInRect(lowerLeft));
  EXPECT_TRUE(client.PtInRect(lowerLeft + CSize(size.cx, -size.cy))) << "the whole copy is in view";
}

// A paste only files entries: a side of a unit already drawn that comes in line with a pasted
// unit is highlighted by the paint after the paste, and no longer once the copies are deleted.
// The pasted pair keeps its join.
TEST_F(WbClipboardTest, APastedJoinedPairKeepsItsJoinAndHighlightsTheSidesInLineWithIt)
{
  View()->SetAlignmentModes(1, 0);
  ASSERT_TRUE(View()->GetSnapHighlights());
  Command(kSelectAll);
  Command(ID_EDIT_COPY);
  View()->DeselectAll();
  const CRect client = View()->GetClientRect();
  const CPoint click(client.Width() * 2 / 3, client.Height() / 3);
  const CVRX2DPoint at = View()->ClientToWorld(click);
  // A third glider whose bottom lies where the pasted pair's will, well to the left of it.
  CUnitItem* pFixed = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 4, client.Height() / 2));
  ASSERT_NE(pFixed, nullptr);
  View()->DeselectAll();
  pFixed->Offset(CVRX2DVector(at.GetX() - 1.5 * pFixed->GetWidth(), at.GetY()) - pFixed->GetOffset());
  View()->UpdateAlignmentEntities(pFixed);
  View()->Invalidate(TRUE);
  View()->UpdateWindow();
  const COLORREF highlight = View()->GetCategoryMap()->GetGDIData(ecatSnapHighlight)->GetColor();
  const CPoint fixedBottom = BottomSideMiddle(View(), pFixed);
  ASSERT_TRUE(client.PtInRect(fixedBottom));
  const COLORREF plain = View()->GetSurfacePixel(fixedBottom.x, fixedBottom.y);
  ASSERT_NE(plain, highlight) << "nothing in line yet";
  ASSERT_NE(plain, RGB(255, 255, 255));

  SendMouse(View(), QEvent::MouseButtonPress, click, Qt::RightButton, Qt::RightButton);
  SendMouse(View(), QEvent::MouseButtonRelease, click, Qt::RightButton, Qt::NoButton);
  Pump();
  Command(kContextPaste);
  View()->UpdateWindow();
  const std::vector<CUnitItem*> units = SelectedUnits();
  ASSERT_EQ(units.size(), 2u);
  ASSERT_EQ(View()->GetSelectedCount(FALSE), 3);
  ASSERT_EQ(Count(ditJoin), 2);
  for (POSITION pos = View()->GetSelectedItems().GetHeadPosition(); pos;)
    if (auto* pJoin = dynamic_cast<CJoinItem*>(View()->GetSelectedItems().GetNext(pos))) {
      EXPECT_TRUE(pJoin->JoinsUnit(units[0]));
      EXPECT_TRUE(pJoin->JoinsUnit(units[1]));
    }
  EXPECT_NEAR(units[0]->GetOffset().GetY(), at.GetY(), 1e-9);
  EXPECT_EQ(View()->GetSurfacePixel(fixedBottom.x, fixedBottom.y), highlight) << "in line with the pasted pair";
  const CPoint pastedBottom = BottomSideMiddle(View(), units[0]);
  EXPECT_EQ(View()->GetSurfacePixel(pastedBottom.x, pastedBottom.y), highlight);

  View()->SetFocus();
  QTest::keyClick(View()->m_hWnd, Qt::Key_Delete);
  Pump();
  View()->UpdateWindow();
  ASSERT_EQ(Count(ditUnit), 3);
  EXPECT_EQ(View()->GetSurfacePixel(fixedBottom.x, fixedBottom.y), plain) << "the copies are gone";
}
