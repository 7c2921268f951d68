// Guards that the menus and tool bars that carry Workbench commands and the handlers that answer
// them use the same ids: every command of the item context menus, the Workbench menu and the
// Workbench tool bar reaches a handler on the Workbench frame's command route, and the per-item
// switches reach the view itself. Print and Print Preview, which the shared File menu carries, are
// answered by the views that print only.
#include <set>
#include <string>

#include "WbGuiFixture.h"
#include "app/Shellids.h"
#include "ui/frame/CtrlBar.h"
#include "ui/wnd/Resource.h"
#include "workbench/frame/Wbids.h"

namespace {

using Items = std::vector<CMenuTemplate::Item>;

void CollectIds(const Items& items, std::set<UINT>& ids)
{
  for (const CMenuTemplate::Item& item : items) {
    if (item.IsPopup())
      CollectIds(item.children, ids);
    else if (item.id != 0)
      ids.insert(item.id);
  }
}

const Items& Popup(const CMenuTemplate& menu, const char* text)
{
  for (const CMenuTemplate::Item& item : menu.items)
    if (item.text == text)
      return item.children;
  static const Items none;
  ADD_FAILURE() << "no popup " << text;
  return none;
}

class WbCommandIdsTest : public WorkbenchGuiTest
{
protected:
  BOOL ViewHandles(UINT nID) { return View()->CCmdTarget::OnCmdMsg(nID, CN_COMMAND, AfxQueryHandlerTag()); }
  // The whole command route of the Workbench frame: view, document, frames, application.
  BOOL Handled(UINT nID) { return Frame()->OnCmdMsg(nID, CN_COMMAND, AfxQueryHandlerTag()); }
};

}  // namespace

TEST_F(WbCommandIdsTest, EveryWorkbenchMenuAndToolBarCommandHasAHandler)
{
  StartProgram();
  const CMenuTemplate* pContext = CResources::Get().FindMenu(IDR_CONTEXT_MENUS);
  const CMenuTemplate* pWorkbench = CResources::Get().FindMenu(IDR_WORKBENCH);
  ASSERT_NE(pContext, nullptr);
  ASSERT_NE(pWorkbench, nullptr);
  std::set<UINT> ids;
  for (const char* popup : {"Workbench", "Design Item", "Unit Item", "Group Item", "Detail Item", "Join Item"})
    CollectIds(Popup(*pContext, popup), ids);
  // The Help and Debug popups are the application's and have no handler on any route.
  for (const CMenuTemplate::Item& popup : pWorkbench->items)
    if (popup.text != "&Help" && popup.text != "&Debug")
      CollectIds(popup.children, ids);
  CToolBar* pToolBar = Frame()->GetToolBar();
  for (int i = 0; i < pToolBar->GetCount(); ++i)
    ids.insert(pToolBar->GetItemID(i));
  ids.erase(0);
  // The placeholder that the unit commands replace when the popup opens.
  ids.erase(ID_NEW_UNIT_FIRST);
  // Only views that print answer these; on the Workbench they stay greyed.
  ids.erase(ID_FILE_PRINT);
  ids.erase(ID_FILE_PRINT_PREVIEW);
  ASSERT_GT(ids.size(), 30u);
  for (UINT nID : ids)
    EXPECT_TRUE(Handled(nID)) << "command " << nID;
}

TEST_F(WbCommandIdsTest, TheItemSwitchesAndTheAttributesDialogAreTheViewsOwn)
{
  StartProgram();
  for (UINT nID : {ID_ALIGNMENT_LINES, ID_SNAP_TO_ALIGNMENT, ID_JOINING_MARKERS, ID_SNAP_HIGHLIGHTS,
                   ID_ALIGNMENT_LINE_ATTRIBUTES, ID_REMOVE_JOINING, ID_SHOW_THIS_DETAIL, ID_REMOVE_DETAIL_SELECTOR})
    EXPECT_TRUE(ViewHandles(nID)) << "command " << nID;
  // The main tool bar carries the item switches under the ids the view answers.
  CToolBar* pMain = MainFrame()->GetMainToolBar();
  std::set<UINT> mainIds;
  for (int i = 0; i < pMain->GetCount(); ++i)
    mainIds.insert(pMain->GetItemID(i));
  for (UINT nID : {ID_ALIGNMENT_LINES, ID_SNAP_TO_ALIGNMENT, ID_JOINING_MARKERS, ID_SNAP_HIGHLIGHTS})
    EXPECT_EQ(mainIds.count(nID), 1u) << "command " << nID;
  // So do the item context menus; the attributes dialog has no menu entry and no button.
  EXPECT_EQ(mainIds.count(ID_ALIGNMENT_LINE_ATTRIBUTES), 0u);
  const CMenuTemplate* pContext = CResources::Get().FindMenu(IDR_CONTEXT_MENUS);
  ASSERT_NE(pContext, nullptr);
  for (const char* popup : {"Design Item", "Unit Item", "Group Item"}) {
    std::set<UINT> ids;
    CollectIds(Popup(*pContext, popup), ids);
    EXPECT_EQ(ids.count(ID_ALIGNMENT_LINES), 1u) << popup;
    EXPECT_EQ(ids.count(ID_SNAP_TO_ALIGNMENT), 1u) << popup;
    EXPECT_EQ(ids.count(ID_ALIGNMENT_LINE_ATTRIBUTES), 0u) << popup;
  }
}
