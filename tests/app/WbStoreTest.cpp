// Guards the store question of the Workbench: a design reopened and closed without a change
// closes silently and keeps its stored record (dates included), whatever the window showed, a
// unit sheet closed with OK and nothing changed or a drag cancelled; each kind of change to the
// design itself still asks once.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QKeyEvent>

#include "WbGuiFixture.h"
#include "geometry/2dline.h"
#include "model/Unit.h"
#include "project/Dsgstore.h"
#include "workbench/items/Groupitm.h"
#include "workbench/frame/Wbids.h"
#include "workbench/sheets/Itempos.h"
#include "workbench/sheets/Unitsht.h"
#include "workbench/sheets/Wbprops.h"

namespace {
constexpr const char* kQuestion = "Store changes to design 'Kitchen' in the project?";

class WbStoreTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartProgram();
    View()->SetScaleFactor(1.0 / 24.0, TRUE);
    Pump();
    const CRect client = View()->GetClientRect();
    const UINT glider = CommandFor("GL", "BA005");
    ASSERT_NE(PlaceUnit(glider, CPoint(client.Width() / 5, client.Height() / 2)), nullptr);
    ASSERT_NE(PlaceUnit(glider, CPoint(client.Width() / 2, client.Height() / 2)), nullptr);
    ASSERT_NE(PlaceUnit(CommandFor("AR", "BA011"), CPoint(client.Width() * 4 / 5, client.Height() / 2)), nullptr);
    StoreDesign("Kitchen", 2);
    ASSERT_GE(m_pDoc->FindDesign("Kitchen"), 0);
    Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
    Pump();
    ASSERT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
  }

  const CDesignStore& Stored() const { return *m_pDoc->GetStoredDesigns().GetAt(m_pDoc->FindDesign("Kitchen")); }

  void Reopen()
  {
    EditStoredDesign("Kitchen");
    ASSERT_NE(View(), nullptr);
    Pump();
  }

  CUnitItem* Unit(int index) const
  {
    POSITION pos = View()->GetItemList()->FindIndex(index);
    return pos ? dynamic_cast<CUnitItem*>(static_cast<CObject*>(View()->GetItemList()->GetAt(pos))) : nullptr;
  }

  // The group at the top of the design holding the arch (the third unit placed) and one other
  // item, the guideline; none when there is no such group.
  CGroupItem* ArchGroup() const
  {
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;) {
      auto* pGroup = dynamic_cast<CGroupItem*>(static_cast<CObject*>(View()->GetItemList()->GetNext(pos)));
      if (!pGroup || pGroup->GetMembers().GetCount() != 2)
        continue;
      int arches = 0, guidelines = 0;
      for (POSITION at = pGroup->GetMembers().GetHeadPosition(); at;) {
        auto* pMember = static_cast<CDesignItem*>(pGroup->GetMembers().GetNext(at));
        auto* pUnit = dynamic_cast<CUnitItem*>(pMember);
        arches += pUnit && pUnit->GetUnit()->GetType() == "AR";
        guidelines += pMember->GetItemType() == ditGuideline;
      }
      if (arches == 1 && guidelines == 1)
        return pGroup;
    }
    return nullptr;
  }

  // The second glider pushed against the first as a committing snap does it.
  void JoinGliders()
  {
    CUnitItem* pLeft = Unit(0);
    CUnitItem* pRight = Unit(1);
    View()->SetAlignmentModes(1, 1);
    pRight->Offset(pLeft->GetOffset() + CVRX2DVector(pLeft->GetWidth(), 0.0) - pRight->GetOffset());
    View()->UpdateAlignmentEntities(pRight);
    ASSERT_TRUE(JoinGliderToTheLeft(pLeft, pRight));
    EXPECT_EQ(View()->GetItemList()->GetCount(), 4) << "the two gliders joined";
  }

  // Closes the Workbench, answering No to a question; the number of store questions asked.
  int CloseAndCountQuestions()
  {
    const size_t before = Messages().size();
    service.messageAnswers.push_back(IDNO);
    Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
    Pump();
    service.messageAnswers.clear();
    int questions = 0;
    const std::vector<CString> messages = Messages();
    for (size_t i = before; i < messages.size(); ++i)
      questions += messages[i] == kQuestion;
    EXPECT_EQ(m_pDoc->GetWorkbenchView(), nullptr) << "the Workbench closed";
    return questions;
  }
};
}  // namespace

TEST_F(WbStoreTest, AnUnchangedDesignClosesWithoutAQuestionAndKeepsItsRecord)
{
  const CTime modified = Stored().GetModified();
  const DWORD crc = Stored().GetCRC();
  Reopen();
  EXPECT_EQ(CloseAndCountQuestions(), 0);
  // Scrolled, zoomed and its window moved: still the same design.
  Reopen();
  View()->SetScaleFactor(View()->GetScaleFactor() * 2.0, TRUE);
  View()->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
  CRect frame;
  Frame()->GetWindowRect(&frame);
  Frame()->MoveWindow(10, 10, frame.Width() - 40, frame.Height() - 30);
  Pump();
  EXPECT_EQ(CloseAndCountQuestions(), 0);
  EXPECT_EQ(Stored().GetModified(), modified);
  EXPECT_EQ(Stored().GetCRC(), crc);
}

TEST_F(WbStoreTest, EachKindOfChangeAsksOnce)
{
  const std::vector<std::pair<std::string, std::function<void()>>> changes{
      {"a unit moved",
       [this] {
         const CPoint at = View()->WorldToClient(Unit(0)->GetHandlePoint(0, View()) + CVRX2DVector(6.0, 6.0));
         View()->Select(Unit(0));
         Drag(at, CPoint(at.x + 20, at.y - 10));
       }},
      {"a unit resized",
       [this] {
         View()->Select(Unit(0));
         const CVRX2DPoint corner = Unit(0)->GetHandlePoint(2, View());
         Drag(View()->WorldToClient(corner), View()->WorldToClient(corner + CVRX2DVector(12.0, 0.0)));
       }},
      // As the unit's sheet changes it: the unit, then the hint that rebuilds its item.
      {"an option changed",
       [this] {
         ASSERT_TRUE(Unit(2)->GetUnit()->SetOptionChoice(36, 2));
         View()->SendItemPropertiesHint(Unit(2));
       }},
      {"the quantity", [this] { SetWorkbenchQuantity(m_pDoc, 5); }},
      {"a guideline",
       [this] {
         Command(ID_VERT_GUIDELINE_TOOL);
         Click(CPoint(View()->GetClientRect().Width() / 2, 20));
       }},
      {"a join", [this] { JoinGliders(); }},
  };
  const int items = 3;
  for (const auto& [kind, change] : changes) {
    SCOPED_TRACE(kind);
    Reopen();
    ASSERT_EQ(View()->GetItemList()->GetCount(), items);
    change();
    Pump();
    EXPECT_EQ(CloseAndCountQuestions(), 1);
  }
}

TEST_F(WbStoreTest, ADesignReadBackFromTheProjectFileClosesWithoutAQuestion)
{
  const std::string path = PathIn("Store.tpf");
  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_SAVE_AS);
  Command(ID_FILE_CLOSE);
  ASSERT_TRUE(Projects().empty());
  service.filePaths.push_back(path.c_str());
  Command(ID_FILE_OPEN);
  ASSERT_EQ(Projects().size(), 1u);
  m_pDoc = Projects()[0];
  const CTime modified = Stored().GetModified();
  Reopen();
  EXPECT_EQ(CloseAndCountQuestions(), 0);
  EXPECT_EQ(Stored().GetModified(), modified);
}

TEST_F(WbStoreTest, ADesignWithAJoinAGuidelineAndAGroupIsUnchangedAfterItsOwnStore)
{
  Reopen();
  JoinGliders();
  Command(ID_VERT_GUIDELINE_TOOL);
  Click(CPoint(View()->GetClientRect().Width() / 2, 20));
  View()->DeselectAll();
  // The arch and the guideline grouped with Ctrl+G.
  const int before = View()->GetItemList()->GetCount();
  View()->Select(Unit(2));
  View()->Select(static_cast<CDesignItem*>(View()->GetItemList()->GetTail()));
  Key(Qt::Key_G, Qt::ControlModifier);
  ASSERT_EQ(View()->GetItemList()->GetCount(), before - 1) << "two items became one group";
  ASSERT_NE(ArchGroup(), nullptr) << "Ctrl+G grouped the arch with the guideline";
  StoreDesign("Kitchen", 2);
  EXPECT_EQ(CloseAndCountQuestions(), 0) << "just stored";
  const CTime modified = Stored().GetModified();
  Reopen();
  EXPECT_NE(ArchGroup(), nullptr) << "the group was stored";
  EXPECT_EQ(CloseAndCountQuestions(), 0);
  EXPECT_EQ(Stored().GetModified(), modified);
}

// A design whose joins were made in a changed joining order, with a group of guidelines nudged
// with the arrow keys and the arch grouped with a guideline and dragged: stored, it reads back as
// the bytes it was stored as, and reopened and closed it asks nothing.
TEST_F(WbStoreTest, ADesignWithGroupsGuidelinesAndAChangedJoiningOrderReopensUnchanged)
{
  Reopen();
  CUnitItem* pArch = Unit(2);
  OnNextDialog([](CDialog& dialog) {
    auto& sheet = dynamic_cast<CWorkbenchPropertiesDlg&>(dialog);
    sheet.SetActivePage(&sheet.m_JoiningPage);
    ClickButton(sheet.m_JoiningPage, IDC_MOVE_DOWN);
    ClickButton(sheet, IDOK);
  });
  View()->SendMessage(WM_COMMAND, ID_WORKBENCH_PROPERTIES);
  Pump();
  JoinGliders();
  const CRect client = View()->GetClientRect();
  const auto guideline = [this](UINT tool, CPoint at) {
    Command(tool);
    Click(at);
    return static_cast<CDesignItem*>(View()->GetItemList()->GetTail());
  };
  CDesignItem* pVertical = guideline(ID_VERT_GUIDELINE_TOOL, CPoint(client.Width() / 2, 20));
  CDesignItem* pHorizontal = guideline(ID_HORZ_GUIDELINE_TOOL, CPoint(client.Width() / 3, client.Height() / 4));
  CDesignItem* pBeside = guideline(ID_VERT_GUIDELINE_TOOL, CPoint(client.Width() - 30, 40));
  const auto group = [this](std::initializer_list<CDesignItem*> items) {
    View()->DeselectAll();
    for (CDesignItem* pItem : items)
      View()->Select(pItem);
    Key(Qt::Key_G, Qt::ControlModifier);
    return static_cast<CDesignItem*>(View()->GetItemList()->GetTail());
  };
  CDesignItem* pLines = group({pVertical, pHorizontal});
  ASSERT_EQ(pLines->GetItemType(), ditGroup);
  Key(Qt::Key_Up);
  Key(Qt::Key_Right);
  CDesignItem* pArchGroup = group({pArch, pBeside});
  ASSERT_EQ(pArchGroup->GetItemType(), ditGroup);
  View()->SetScaleFactor(View()->GetScaleFactor() * 1.37, TRUE);
  Pump();
  View()->DeselectAll();
  const CPoint at = View()->WorldToClient(pArch->GetCenterPoint());
  Drag(at, CPoint(at.x + 37, at.y - 23));
  StoreDesign("Kitchen", 2);
  ASSERT_EQ(CloseAndCountQuestions(), 0) << "just stored";
  const std::vector<BYTE> stored = Stored().GetBlock();
  const CTime modified = Stored().GetModified();

  Reopen();
  CDesignStore again;
  again.Store(m_pDoc->GetEditedDesign());
  EXPECT_EQ(again.GetBlock(), stored);
  EXPECT_EQ(CloseAndCountQuestions(), 0);
  EXPECT_EQ(Stored().GetModified(), modified);
}

// A joined unit's sheet looked through and closed with OK, even with a position retyped as it
// was, leaves the unit and its joins as they were: the design closes without a question. Apply
// waits for the user's first change.
TEST_F(WbStoreTest, AJoinedUnitsSheetClosedWithOkAndNoChangeLeavesTheDesign)
{
  Reopen();
  // Where the position fields show only a rounding of the position.
  Unit(0)->Offset(CVRX2DVector(0.123456789, 0.0987654321));
  View()->UpdateAlignmentEntities(Unit(0));
  JoinGliders();
  StoreDesign("Kitchen", 2);
  ASSERT_EQ(CloseAndCountQuestions(), 0) << "just stored";
  const std::vector<BYTE> stored = Stored().GetBlock();
  Reopen();
  const auto edit = [this](CUnitItem* pItem, std::function<void(CUnitSheetDlg&)> action) {
    bool opened = false;
    OnNextUnitSheet(opened, std::move(action));
    View()->DeselectAll();
    View()->Select(pItem);
    Key(Qt::Key_Return);
    return opened;
  };
  const auto applyEnabled = [](CUnitSheetDlg& sheet) { return sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled(); };
  for (CUnitItem* pItem : {Unit(0), Unit(1)}) {
    ASSERT_TRUE(edit(pItem, [&](CUnitSheetDlg& sheet) {
      EXPECT_FALSE(applyEnabled(sheet));
      for (int i = sheet.GetPageCount() - 1; i >= 0; --i) {
        ASSERT_TRUE(sheet.SetActivePage(i));
        EXPECT_FALSE(applyEnabled(sheet)) << "page " << i << " shown";
      }
      ClickButton(sheet, IDOK);
    }));
  }
  ASSERT_TRUE(edit(Unit(1), [&](CUnitSheetDlg& sheet) {
    CPropertyPage& position = *sheet.GetPage(sheet.GetPageCount() - 1);
    ASSERT_TRUE(sheet.SetActivePage(&position));
    EXPECT_FALSE(applyEnabled(sheet));
    SetControlText(position, IDC_POSITION_ABS_X, ControlText(position, IDC_POSITION_ABS_X) + " ");
    EXPECT_TRUE(applyEnabled(sheet)) << "the first change";
    ClickButton(sheet, IDOK);
  }));
  EXPECT_EQ(CloseAndCountQuestions(), 0);
  EXPECT_EQ(Stored().GetBlock(), stored);
}

// A joined unit dragged and cancelled, with Esc or a press of the right button, leaves the design
// byte for byte as it was stored, its join where it stood among the items.
TEST_F(WbStoreTest, AJoinedUnitsCancelledDragLeavesTheDesignAsStored)
{
  Reopen();
  JoinGliders();
  // An item after the join: the join is not the last item of the design.
  Command(ID_VERT_GUIDELINE_TOOL);
  Click(CPoint(View()->GetClientRect().Width() / 2, 20));
  StoreDesign("Kitchen", 2);
  ASSERT_EQ(CloseAndCountQuestions(), 0) << "just stored";
  const std::vector<BYTE> stored = Stored().GetBlock();
  Reopen();
  ASSERT_EQ(Joins().size(), 1u);
  const CPoint from = View()->WorldToClient(Unit(0)->GetHandlePoint(0, View()) + CVRX2DVector(6.0, 6.0));
  const CPoint to(from.x + 16, from.y);
  CWnd* pView = View();
  for (const bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Esc" : "right button");
    View()->DeselectAll();
    View()->Select(Unit(0));
    QTimer::singleShot(0, [pView, to, escape] {
      SendMouse(pView, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
      QTimer::singleShot(0, [pView, to, escape] {
        if (!escape) {
          SendMouse(pView, QEvent::MouseButtonPress, to, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
          return;
        }
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(pView->m_hWnd, &key);
      });
    });
    SendMouse(pView, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Pump();
    SendMouse(pView, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    Pump();
    CDesignStore again;
    again.Store(m_pDoc->GetEditedDesign());
    EXPECT_TRUE(again.GetBlock() == stored) << "the design as it was stored, byte for byte";
  }
  EXPECT_EQ(CloseAndCountQuestions(), 0);
}
