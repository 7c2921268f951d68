// Guards storing designs whose groups and joins meet: two gliders joined by a drag, then grouped
// with real clicks and Ctrl+G in every way a user can (one joined glider with a third unit, both
// joined gliders with their join, nested groups, a group undone and made again), read back equal
// after Store Design, closing and editing again, and after saving and reopening the project file.
#include <QKeyEvent>

#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "WbGuiFixture.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"

namespace {
constexpr const char* kDesign = "Kitchen";

class WbGroupStoreTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartAtFourPixelsToTheInch();
    m_pLeft = PlaceGliderFromBase(0.0, 0.0);
    ASSERT_NE(m_pLeft, nullptr);
    m_pThird = PlaceGliderFromBase(0.0, m_pLeft->GetHeight() + 12.0);
    ASSERT_NE(m_pThird, nullptr);
    const double right = m_pLeft->GetOffset().GetX() + m_pLeft->GetWidth();
    m_pRight = PlaceGliderFromBase(right - m_base.GetX() + 20.0, 0.0);
    ASSERT_NE(m_pRight, nullptr);
    View()->DeselectAll();
    Pump();
    // 78 pixels left leave half an inch between the sides: the glider snaps and is joined.
    const CPoint from = View()->WorldToClient(m_pRight->GetCenterPoint());
    Drag(from, CPoint(from.x - 78, from.y));
    ASSERT_EQ(CountJoins(*View()->GetItemList()), 1) << "the drag joined the gliders";
  }

  // A click on the unit's middle; with Shift it adds to the selection.
  void ClickOn(CUnitItem* pUnit, bool shift = false)
  {
    const CPoint at = View()->WorldToClient(pUnit->GetCenterPoint());
    const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
    QWidget* widget = View()->m_hWnd;
    const QPointF local(at.x, at.y);
    QMouseEvent press(QEvent::MouseButtonPress, local, local, widget->mapToGlobal(local), Qt::LeftButton,
                      Qt::LeftButton, modifiers);
    QMouseEvent release(QEvent::MouseButtonRelease, local, local, widget->mapToGlobal(local), Qt::LeftButton,
                        Qt::NoButton, modifiers);
    QCoreApplication::postEvent(widget, release.clone());
    QCoreApplication::sendEvent(widget, &press);
    Pump();
  }

  // Clicks the first unit, Shift-clicks the others, and groups the selection with Ctrl+G.
  void GroupByClicks(std::initializer_list<CUnitItem*> units)
  {
    bool shift = false;
    for (CUnitItem* pUnit : units) {
      ClickOn(pUnit, shift);
      shift = true;
    }
    const int before = View()->GetItemList()->GetCount();
    Key(Qt::Key_G, Qt::ControlModifier);
    ASSERT_LT(View()->GetItemList()->GetCount(), before) << "Ctrl+G made a group";
  }

  int TopLevelJoins() const
  {
    int count = 0;
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;)
      count += static_cast<CDesignItem*>(View()->GetItemList()->GetNext(pos))->GetItemType() == ditJoin;
    return count;
  }
  static int CountJoins(const CObList& items)
  {
    int count = 0;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
      if (pItem->GetItemType() == ditJoin)
        ++count;
      else if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem))
        count += CountJoins(pGroup->GetMembers());
    }
    return count;
  }

  // The design as text: every item in list order with its place, groups with their members,
  // joins naming their units by the order in which the walk met them.
  static std::string Describe(const CObList& items)
  {
    std::unordered_map<const CObject*, int> units;
    Number(items, units);
    std::ostringstream out;
    Describe(items, units, out);
    return out.str();
  }
  static void Number(const CObList& items, std::unordered_map<const CObject*, int>& units)
  {
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
      if (pItem->GetItemType() == ditUnit)
        units.emplace(pItem, static_cast<int>(units.size()));
      else if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem))
        Number(pGroup->GetMembers(), units);
    }
  }
  static void Describe(const CObList& items, const std::unordered_map<const CObject*, int>& units,
                       std::ostringstream& out)
  {
    for (POSITION pos = items.GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(items.GetNext(pos));
      out << Place(*pItem);
      if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem)) {
        out << "group{";
        Describe(pGroup->GetMembers(), units, out);
        out << "} ";
      } else if (auto* pJoin = dynamic_cast<CJoinItem*>(pItem)) {
        CUnitItem* pFirst = nullptr;
        CUnitItem* pSecond = nullptr;
        pJoin->GetUnitItems(pFirst, pSecond);
        out << "join(" << UnitName(units, pFirst) << ":" << pJoin->GetFirstSide().m_nComponentIndex << ","
            << UnitName(units, pSecond) << ":" << pJoin->GetSecondSide().m_nComponentIndex << " "
            << pJoin->GetTotalSpacing() << ") ";
      } else {
        out << "unit" << UnitName(units, pItem) << " ";
      }
    }
  }
  static std::string UnitName(const std::unordered_map<const CObject*, int>& units, const CObject* pUnit)
  {
    const auto found = units.find(pUnit);
    return found == units.end() ? std::string("?") : std::to_string(found->second);
  }
  static std::string Place(const CDesignItem& item)
  {
    std::ostringstream out;
    out.precision(6);
    out << std::fixed << "@(" << item.GetOffset().GetX() << "," << item.GetOffset().GetY() << " " << item.GetWidth()
        << "x" << item.GetHeight() << ")";
    return out.str();
  }

  std::string Shown() const { return Describe(*View()->GetItemList()); }

  // Stores the design, closes the Workbench and edits the design again: it must open as it was.
  void ExpectStoredAndReadBack(const std::string& expected)
  {
    const std::vector<CVRX2DVector> places = GliderPlaces();
    StoreDesign(kDesign, 1);
    Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
    Pump();
    ASSERT_EQ(m_pDoc->GetWorkbenchView(), nullptr);
    const size_t messages = Messages().size();
    EditStoredDesign(kDesign);
    for (size_t i = messages; i < Messages().size(); ++i)
      ADD_FAILURE() << "message on editing: " << Messages()[i].c_str();
    ASSERT_NE(View(), nullptr) << "the stored design opened";
    EXPECT_EQ(Shown(), expected);
    FindGlidersAgain(places);
  }

  // The gliders read back are new objects: found again by their places.
  std::vector<CVRX2DVector> GliderPlaces() const
  {
    return {m_pLeft->GetOffset(), m_pRight->GetOffset(), m_pThird->GetOffset()};
  }
  void FindGlidersAgain(const std::vector<CVRX2DVector>& places)
  {
    CObList units;
    m_pDoc->GetEditedDesign()->GetUnitsInDesign(units, FALSE);
    CUnitItem** gliders[] = {&m_pLeft, &m_pRight, &m_pThird};
    for (size_t i = 0; i < places.size(); ++i) {
      CUnitItem** ppUnit = gliders[i];
      const CVRX2DVector& place = places[i];
      *ppUnit = nullptr;
      for (POSITION pos = units.GetHeadPosition(); pos;) {
        auto* pUnit = static_cast<CUnitItem*>(units.GetNext(pos));
        if ((pUnit->GetOffset() - place).GetLength() < 1e-9)
          *ppUnit = pUnit;
      }
      ASSERT_NE(*ppUnit, nullptr);
    }
  }

  // Saves the project, closes it, opens the file and edits the design.
  void ExpectSavedAndReopened(const std::string& expected)
  {
    const std::vector<CVRX2DVector> places = GliderPlaces();
    Frame()->SendMessage(WM_COMMAND, IDC_WORKBENCH_CLOSE);
    Pump();
    // A file of the test's own: an earlier test of the same process may have left one.
    const std::string name = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".tpf";
    const std::string path = PathIn(name.c_str());
    service.filePaths.push_back(path.c_str());
    Command(ID_FILE_SAVE_AS);
    Command(ID_FILE_CLOSE);
    ASSERT_TRUE(Projects().empty());
    service.filePaths.push_back(path.c_str());
    const size_t messages = Messages().size();
    Command(ID_FILE_OPEN);
    ASSERT_EQ(Projects().size(), 1u);
    m_pDoc = Projects()[0];
    EditStoredDesign(kDesign);
    for (size_t i = messages; i < Messages().size(); ++i)
      ADD_FAILURE() << "message on opening: " << Messages()[i].c_str();
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(Shown(), expected);
    FindGlidersAgain(places);
  }

  void ExpectKeptThroughStoreAndSave()
  {
    const std::string expected = Shown();
    ASSERT_NO_FATAL_FAILURE(ExpectStoredAndReadBack(expected));
    ExpectSavedAndReopened(expected);
  }

  CUnitItem* m_pLeft = nullptr;
  CUnitItem* m_pRight = nullptr;
  CUnitItem* m_pThird = nullptr;
};
}  // namespace

TEST_F(WbGroupStoreTest, AGroupHoldingOneJoinedGliderAndAThirdUnit)
{
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pLeft, m_pThird}));
  EXPECT_EQ(TopLevelJoins(), 1) << "the join is left outside the group";
  ExpectKeptThroughStoreAndSave();
}

TEST_F(WbGroupStoreTest, AGroupHoldingTheOtherJoinedGliderAndAThirdUnit)
{
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pThird, m_pRight}));
  EXPECT_EQ(TopLevelJoins(), 1);
  ExpectKeptThroughStoreAndSave();
}

TEST_F(WbGroupStoreTest, AGroupHoldingBothJoinedGlidersAndTheirJoin)
{
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pLeft, m_pRight}));
  ASSERT_EQ(View()->GetItemList()->GetCount(), 2) << "the group and the third glider";
  EXPECT_EQ(TopLevelJoins(), 0) << "the join went into the group with its gliders";
  ExpectKeptThroughStoreAndSave();
}

TEST_F(WbGroupStoreTest, NestedGroupsHoldingTheJoinedGliders)
{
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pLeft, m_pThird}));
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pLeft, m_pRight}));
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1) << "one group holding the other";
  ExpectKeptThroughStoreAndSave();
}

// The join crosses both group borders and the inner group, holding the joined glider, is the
// last member of the outer one.
TEST_F(WbGroupStoreTest, NestedGroupsHoldingOneJoinedGlider)
{
  CUnitItem* pFourth = PlaceGliderFromBase(m_pRight->GetOffset().GetX() - m_base.GetX(), m_pLeft->GetHeight() + 12.0);
  ASSERT_NE(pFourth, nullptr);
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pLeft, m_pThird}));
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({pFourth, m_pLeft}));
  ASSERT_EQ(View()->GetItemList()->GetCount(), 3) << "the other glider, the join and the outer group";
  EXPECT_EQ(TopLevelJoins(), 1);
  ExpectKeptThroughStoreAndSave();
}

TEST_F(WbGroupStoreTest, AJoinedPairGroupedInsideAnotherGroup)
{
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pLeft, m_pRight}));
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pThird, m_pLeft}));
  ASSERT_EQ(View()->GetItemList()->GetCount(), 1);
  ExpectKeptThroughStoreAndSave();
}

// A group of a joined glider undone, made again and read back; then the joined pair grouped,
// undone, and the other glider grouped with the third one.
TEST_F(WbGroupStoreTest, AGroupUngroupedAndMadeAgain)
{
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pLeft, m_pThird}));
  Key(Qt::Key_U, Qt::ControlModifier);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 4) << "the group undone";
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pThird, m_pLeft}));
  ASSERT_NO_FATAL_FAILURE(ExpectStoredAndReadBack(Shown()));
  ASSERT_NO_FATAL_FAILURE(ClickOn(m_pLeft));
  Key(Qt::Key_U, Qt::ControlModifier);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 4) << "the group read back undone";
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pLeft, m_pRight}));
  Key(Qt::Key_U, Qt::ControlModifier);
  ASSERT_EQ(View()->GetItemList()->GetCount(), 4);
  ASSERT_NO_FATAL_FAILURE(GroupByClicks({m_pRight, m_pThird}));
  EXPECT_EQ(TopLevelJoins(), 1);
  ExpectKeptThroughStoreAndSave();
}
