#pragma once
// The fixture of the Workbench's GUI tests: the real application started offscreen, with helpers
// that place units through the New Window Unit commands and click and drag on the Workbench view
// with real mouse events.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Appsheet.h"
#include "app/Dlgids.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "geometry/Angle.h"
#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whview.h"
#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "support/Unitscvt.h"
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/Dialog.h"
#include "ui/docview/DocTempl.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/frame/Wbframe.h"
#include "workbench/sheets/Unitpage.h"
#include "workbench/sheets/Unitsht.h"
#include "workbench/view/Wbview.h"

inline QMouseEvent* MakeMouse(CWnd* pWnd, QEvent::Type type, CPoint point, Qt::MouseButton button,
                              Qt::MouseButtons buttons)
{
  QWidget* widget = pWnd->m_hWnd;
  const QPointF local(point.x, point.y);
  return new QMouseEvent(type, local, local, widget->mapToGlobal(local), button, buttons, Qt::NoModifier);
}

inline void PostMouse(CWnd* pWnd, QEvent::Type type, CPoint point, Qt::MouseButton button, Qt::MouseButtons buttons)
{
  QCoreApplication::postEvent(pWnd->m_hWnd, MakeMouse(pWnd, type, point, button, buttons));
}

// Delivered at once, as the window system delivers input: a drag loop that the event starts
// then takes the events that come after it.
inline void SendMouse(CWnd* pWnd, QEvent::Type type, CPoint point, Qt::MouseButton button, Qt::MouseButtons buttons)
{
  QMouseEvent* event = MakeMouse(pWnd, type, point, button, buttons);
  QCoreApplication::sendEvent(pWnd->m_hWnd, event);
  delete event;
}

// The middle of a unit's lowest horizontal perimeter side, in client pixels; (-1, -1) without one.
inline CPoint BottomSideMiddle(CWorkbenchView* pView, CUnitItem* pItem)
{
  const CVRX2DLine* pBottom = nullptr;
  const CObArray& sides = *pItem->GetPComponentOutlines();
  for (int i = 0; i < sides.GetSize(); ++i) {
    const auto* pLine = dynamic_cast<const CVRX2DLine*>(sides[i]);
    if (pLine && pLine->IsHorizontal() && (!pBottom || pLine->GetStartPoint().GetY() < pBottom->GetStartPoint().GetY()))
      pBottom = pLine;
  }
  if (!pBottom)
    return CPoint(-1, -1);
  const CVRX2DPoint a = pBottom->GetStartPoint();
  const CVRX2DPoint b = pBottom->GetEndPoint();
  return pView->WorldToClient(CVRX2DPoint((a.GetX() + b.GetX()) / 2.0, a.GetY()));
}

// A Workbench whose selection index or alignment tables are inconsistent.
struct CInconsistentWorkbench : std::runtime_error
{
  using std::runtime_error::runtime_error;
};

class WorkbenchGuiTest : public ShellTest
{
protected:
  // Runs the program's events, then checks every open Workbench's selection index and alignment
  // tables: a fault there fails the test by name at the step that made it, instead of ending a
  // later step in a crash. Outside a nested event loop the test stops there.
  static void Pump()
  {
    ::Pump();
    CDocTemplate* pTemplate = ShellApp().GetWarehouseTemplate();
    for (POSITION pos = pTemplate ? pTemplate->GetFirstDocPosition() : nullptr; pos;) {
      auto* pView = dynamic_cast<CWorkbenchView*>(static_cast<CDoc*>(pTemplate->GetNextDoc(pos))->GetWorkbenchView());
      const std::string problem = pView ? pView->CheckConsistency() : std::string();
      if (problem.empty())
        continue;
      ADD_FAILURE() << "The Workbench is inconsistent: " << problem;
      if (QThread::currentThread()->loopLevel() == 0)
        throw CInconsistentWorkbench(problem);
    }
  }

  void StartProgram(const CString& commandLine = CString())
  {
    ASSERT_TRUE(Start(commandLine));
    m_pDoc = ActiveProject();
    ASSERT_NE(m_pDoc, nullptr);
    ASSERT_NE(View(), nullptr);
  }
  CWorkbenchView* View() const { return dynamic_cast<CWorkbenchView*>(m_pDoc->GetWorkbenchView()); }
  CWorkbenchFrame* Frame() const { return View()->GetWorkbenchFrame(); }

  UINT CommandFor(const char* type, const char* subtype)
  {
    const CNewUnitCommandList& commands = MainFrame()->GetNewUnitCommands();
    for (int i = 0; i < commands.GetCount(); ++i) {
      const UINT nID = ID_NEW_UNIT_FIRST + static_cast<UINT>(i);
      if (commands.GetUnitType(nID) == type && commands.GetUnitSubtype(nID) == subtype)
        return nID;
    }
    return 0;
  }

  // A key pressed and released on the Workbench view, as the keyboard sends it.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
  {
    View()->SetFocus();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(View()->m_hWnd, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(View()->m_hWnd, &release);
    Pump();
  }

  void Click(CPoint point)
  {
    PostMouse(View(), QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
    SendMouse(View(), QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    Pump();
  }

  // The press runs the drag loop; the moves in steps and the release come once it runs, as a
  // pointer's would.
  void Drag(CPoint from, CPoint to, bool cancel = false)
  {
    CWnd* pView = View();
    for (int step = 1; step <= 4; ++step) {
      CPoint at(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4);
      QTimer::singleShot(0, [pView, at] { SendMouse(pView, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); });
    }
    QTimer::singleShot(0, [pView, to, cancel] {
      if (cancel)
        SendMouse(pView, QEvent::MouseButtonPress, to, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
      SendMouse(pView, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    });
    SendMouse(pView, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Pump();
  }

  // A drag whose steps the loop takes one by one, each before the next comes: a step waits until
  // the cursor is the one it names, however long a loaded machine takes (after a hang's worth of
  // time it goes on anyway), and the release comes at the last step's point. Gives the cursor
  // each step left.
  std::vector<HCURSOR> DragShowing(CPoint from, const std::vector<std::pair<CPoint, HCURSOR>>& steps)
  {
    constexpr qint64 kHangLimitMs = 20000;
    CWnd* pView = View();
    std::vector<HCURSOR> shown;
    size_t next = 0;
    QElapsedTimer waited;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (next > 0 && GetCursor() != steps[next - 1].second && waited.elapsed() < kHangLimitMs)
        return;
      if (next > 0)
        shown.push_back(GetCursor());
      if (next == steps.size()) {
        poll.stop();
        SendMouse(pView, QEvent::MouseButtonRelease, steps.back().first, Qt::LeftButton, Qt::NoButton);
        return;
      }
      SendMouse(pView, QEvent::MouseMove, steps[next++].first, Qt::NoButton, Qt::LeftButton);
      waited.start();
    });
    poll.start(1);
    SendMouse(pView, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    poll.stop();
    Pump();
    return shown;
  }

  // Applies the measurement units of the description on the Units page of "Application Settings".
  void ApplyUnits(const char* description)
  {
    bool ran = false;
    OnNextDialog([&](CDialog& dialog) {
      ran = true;
      auto& sheet = dynamic_cast<CApplicationPreferencesSheetDlg&>(dialog);
      ASSERT_TRUE(sheet.SetActivePage(2));
      CPropertyPage& page = *sheet.GetActivePage();
      auto* pList = dynamic_cast<CComboBox*>(page.GetDlgItem(IDC_MEASUREMENT_UNITS));
      ASSERT_NE(pList, nullptr);
      SelectLine(page, IDC_MEASUREMENT_UNITS, pList->FindStringExact(-1, description));
      ClickButton(sheet, IDOK);
    });
    Command(ID_APPLICATION_SETTINGS);
    Pump();
    ASSERT_TRUE(ran);
  }
  // The item a command's tool places with a click there; null when the click placed none.
  template <class Item>
  Item* PlaceWith(UINT nID, CPoint at)
  {
    const int before = View()->GetItemList()->GetCount();
    Command(nID);
    Click(at);
    if (View()->GetItemList()->GetCount() != before + 1)
      return nullptr;
    return dynamic_cast<Item*>(static_cast<CObject*>(View()->GetItemList()->GetTail()));
  }

  CUnitItem* PlaceUnit(UINT nID, CPoint at) { return PlaceWith<CUnitItem>(nID, at); }

  // The join items of the design, in the order of its item list.
  std::vector<CJoinItem*> Joins() const
  {
    std::vector<CJoinItem*> joins;
    for (POSITION pos = View()->GetItemList()->GetHeadPosition(); pos;)
      if (auto* pJoin = dynamic_cast<CJoinItem*>(View()->GetItemList()->GetNext(pos)))
        joins.push_back(pJoin);
    return joins;
  }

  // The next dialog, when it is a unit sheet, is answered by the action; opened tells whether it was.
  void OnNextUnitSheet(bool& opened, std::function<void(CUnitSheetDlg&)> action)
  {
    opened = false;
    OnNextDialog([&opened, action = std::move(action)](CDialog& dialog) {
      auto* pSheet = dynamic_cast<CUnitSheetDlg*>(&dialog);
      opened = pSheet != nullptr;
      if (pSheet)
        action(*pSheet);
    });
  }

  // Opens the item's sheet as the user does, with a double click on the unit; the action
  // answers the sheet. False when no unit sheet opened.
  bool DoubleClick(CUnitItem* pItem, std::function<void(CUnitSheetDlg&)> action)
  {
    bool opened = false;
    OnNextUnitSheet(opened, std::move(action));
    // The unit is brought to the middle of the window first, as the user would scroll to it.
    const CRect client = View()->GetClientRect();
    CPoint at = View()->WorldToClient(pItem->GetCenterPoint());
    const CPoint scroll = View()->GetDeviceScrollPosition();
    View()->ScrollToDevicePosition(
        CPoint(scroll.x + at.x - client.Width() / 2, scroll.y - (at.y - client.Height() / 2)));
    Pump();
    at = View()->WorldToClient(pItem->GetCenterPoint());
    EXPECT_TRUE(client.PtInRect(at));
    Click(at);
    PostMouse(View(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    SendMouse(View(), QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    Pump();
    return opened;
  }

  // Starts the program on a copy (the path given) of the sample project kept with the sources.
  void StartOnTheKeptSampleHouse(const std::string& copy)
  {
    const char* source = std::getenv("PANECRAFT_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::filesystem::copy_file(std::string(source) + "/samples/Sample House.tpf", copy);
    ASSERT_TRUE(Start(copy.c_str()));
    m_pDoc = ActiveProject();
    ASSERT_NE(m_pDoc, nullptr);
  }

  // Starts the program at two pixels to the inch, scrolled to the world's lower left corner,
  // where a patio door and what stands over it stay in the window.
  void StartAtTwoPixelsToTheInch()
  {
    StartProgram();
    View()->SetScaleFactor(1.0 / 48.0, TRUE);
    View()->ScrollToDevicePosition(CPoint(0, 0));
    Pump();
  }

  // Starts the program at four pixels to the inch (a pixel of the pointer is a quarter inch) and
  // takes the world point 20 pixels in from the view's lower left as the base gliders are placed from.
  void StartAtFourPixelsToTheInch()
  {
    StartProgram();
    View()->SetScaleFactor(1.0 / 24.0, TRUE);
    Pump();
    const CRect client = View()->GetClientRect();
    m_base = View()->ClientToWorld(CPoint(20, client.Height() - 20));
  }

  // A glider placed through its menu command, then moved to the base plus (dx, dy).
  CUnitItem* PlaceGliderFromBase(double dx, double dy)
  {
    const CRect client = View()->GetClientRect();
    CUnitItem* pItem = PlaceUnit(CommandFor("GL", "BA005"), CPoint(client.Width() / 2, client.Height() / 2));
    if (pItem) {
      pItem->Offset(CVRX2DVector(m_base.GetX() + dx, m_base.GetY() + dy) - pItem->GetOffset());
      View()->UpdateAlignmentEntities(pItem);
      View()->Invalidate(TRUE);
      Pump();
    }
    return pItem;
  }

  // Joins a glider lying beside another by the join search, as a push of its left jamb against the
  // other's right jamb would: false when the search finds no join.
  bool JoinGliderToTheLeft(CUnitItem* pLeft, CUnitItem* pRight) { return JoinByJambs(pLeft, 2, pRight, 5); }

  // Joins the moving unit's side to the still unit's by the join search toward the angle, the
  // moving unit offset by the snap it finds (from a search length given), its alignment taken anew
  // where asked.
  bool JoinByJambs(CUnitItem* pStill, int stillJamb, CUnitItem* pMoving, int movingJamb, double length = 0,
                   bool realign = false, double angle = VRX_PI)
  {
    CJoinSnapRecord snap;
    snap.category = ecatJoinSnap;
    snap.length = length;
    snap.angle = angle;
    CVRX2DEntityArray stationary;
    stationary.Add(pStill->GetComponentOutlines()->GetAt(stillJamb)->Clone());
    CDWordArray indices;
    indices.Add(stillJamb);
    const auto& moving = *static_cast<const CVRX2DLine*>(pMoving->GetComponentOutlines()->GetAt(movingJamb));
    if (!View()->EvaluateSnapForJoin(moving, pMoving, movingJamb, pStill, stationary, indices, snap, TRUE))
      return false;
    pMoving->Offset(CVRX2DVector(snap.length, CVRXAngle(snap.angle)));
    if (realign)
      View()->UpdateAlignmentEntities(pMoving);
    View()->AddJoin();
    return true;
  }

  void StoreDesign(const char* name, int quantity)
  {
    SetWorkbenchQuantity(m_pDoc, quantity);
    if (m_pDoc->GetEditedDesign()->GetName().IsEmpty())
      OnNextDialog([name](CDialog& dialog) {
        SetControlText(dialog, IDC_NEW_DESIGN_NAME, name);
        ClickButton(dialog, IDOK);
      });
    Frame()->SendMessage(WM_COMMAND, IDC_STORE_DESIGN);
    Pump();
  }

  void EditStoredDesign(const char* name)
  {
    auto* pList = dynamic_cast<CWarehouseView*>(m_pDoc->GetWarehouseView());
    CListBox* pBox = pList->GetDesignListBox();
    pBox->SetCurSel(pBox->FindStringExact(-1, name));
    pList->SendMessage(WM_COMMAND, ID_EDIT_DESIGN);
    Pump();
  }

  // Answers the next unit sheet: the height chosen on its open page, then OK; `opened` tells
  // whether a unit sheet came.
  void ChooseHeightInNextUnitSheet(double height, bool& opened)
  {
    OnNextDialog([height, &opened](CDialog& dialog) {
      auto* pSheet = dynamic_cast<CUnitSheetDlg*>(&dialog);
      opened = pSheet != nullptr;
      if (!pSheet)
        return;
      CWnd& sizing = *pSheet->GetActivePage();
      auto* pHeights = static_cast<CComboBox*>(sizing.GetDlgItem(IDC_UNIT_HEIGHT));
      SelectLine(sizing, IDC_UNIT_HEIGHT, pHeights->FindStringExact(-1, CUnitsConverter().FormatLength(0, height)));
      ClickButton(*pSheet, IDOK);
    });
  }

  CDoc* m_pDoc = nullptr;
  CVRX2DPoint m_base;
};
