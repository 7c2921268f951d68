// The "New Window Unit" commands follow the catalogue: one popup per run of equal type short
// descriptions, subtypes in their menu order, only keys the unit factory can make, and a
// status prompt naming the subtype's description.
#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "ShellTestApp.h"
#include "app/App.h"
#include "app/Mainfrm.h"
#include "app/Shellids.h"
#include "document/Whids.h"
#include "model/Unitutil.h"
#include "ui/docview/DocTempl.h"
#include "ui/frame/Menu.h"

namespace {
using Row = std::map<std::string, std::string>;

// The sample catalogue's CSV rows, read on their own as the oracle of the menu.
std::vector<Row> ReadCatalogue(const char* table)
{
  std::ifstream file(std::string(std::getenv("PANECRAFT_SOURCE_DIR")) + "/productdata/catalogue/" + table + ".csv");
  std::vector<std::vector<std::string>> lines;
  std::string line;
  while (std::getline(file, line)) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
      if (c == '"')
        quoted = !quoted;
      else if (c == ',' && !quoted)
        fields.emplace_back();
      else if (c != '\r')
        fields.back() += c;
    }
    lines.push_back(fields);
  }
  std::vector<Row> rows;
  for (size_t i = 1; i < lines.size(); ++i) {
    Row row;
    for (size_t f = 0; f < lines[0].size() && f < lines[i].size(); ++f)
      row[lines[0][f]] = lines[i][f];
    rows.push_back(row);
  }
  return rows;
}

struct ExpectedCommand
{
  std::string typeDescription;
  std::string typeCode;
  std::string subtypeCode;
  std::string subtypeDescription;
  std::string longDescription;
};

bool CanMake(const std::string& type, const std::string& subtype)
{
  BOOL exists = FALSE;
  MakeUnit(type.c_str(), subtype.c_str(), &exists);
  return exists == TRUE;
}

// Types in type-code order, each type's subtypes in menu order, keys without a class left out.
std::vector<ExpectedCommand> ExpectedCommands()
{
  std::vector<Row> types = ReadCatalogue("TYPES");
  std::vector<Row> subtypes = ReadCatalogue("SUBTYPES");
  std::sort(types.begin(), types.end(), [](const Row& a, const Row& b) { return a.at("TypeCode") < b.at("TypeCode"); });
  std::stable_sort(subtypes.begin(), subtypes.end(),
                   [](const Row& a, const Row& b) { return std::stoi(a.at("Field68")) < std::stoi(b.at("Field68")); });
  std::vector<ExpectedCommand> commands;
  for (const Row& type : types)
    for (const Row& subtype : subtypes)
      if (subtype.at("TypeCode") == type.at("TypeCode") && CanMake(type.at("TypeCode"), subtype.at("SubtypeCode")))
        commands.push_back({type.at("ShortDescription"), type.at("TypeCode"), subtype.at("SubtypeCode"),
                            subtype.at("ShortDescription"), subtype.at("Description")});
  return commands;
}

CString MenuText(CMenu* pMenu, int position)
{
  CString text;
  pMenu->GetMenuString(static_cast<UINT>(position), text, MF_BYPOSITION);
  return text;
}

class NewUnitMenuTest : public ShellTest
{
protected:
  CMenu* InsertMenu()
  {
    return CMenu::FromHandle(ShellApp().GetWorkbenchTemplate()->m_hMenuShared)->GetSubMenu(kWorkbenchInsertPopup);
  }

  // Compares a filled popup with the oracle, popup by popup and item by item.
  void ExpectMenuMatches(CMenu* pPopup, const std::vector<ExpectedCommand>& expected)
  {
    UINT nID = ID_NEW_UNIT_FIRST;
    int popup = -1;
    std::string previous;
    for (const ExpectedCommand& command : expected) {
      if (popup < 0 || command.typeDescription != previous) {
        ++popup;
        previous = command.typeDescription;
        ASSERT_LT(popup, static_cast<int>(pPopup->GetMenuItemCount()));
        EXPECT_EQ(std::string(MenuText(pPopup, popup).c_str()), command.typeDescription);
      }
      CMenu* pType = pPopup->GetSubMenu(popup);
      ASSERT_NE(pType, nullptr);
      int item = static_cast<int>(nID - ID_NEW_UNIT_FIRST);
      int first = 0;
      for (int p = 0; p < popup; ++p)
        first += static_cast<int>(pPopup->GetSubMenu(p)->GetMenuItemCount());
      EXPECT_EQ(pType->GetMenuItemID(item - first), nID);
      EXPECT_EQ(std::string(MenuText(pType, item - first).c_str()), command.subtypeDescription);
      EXPECT_EQ(std::string(MainFrame()->GetUnitTypeForCommand(nID).c_str()), command.typeCode);
      EXPECT_EQ(std::string(MainFrame()->GetUnitSubtypeForCommand(nID).c_str()), command.subtypeCode);
      ++nID;
    }
    EXPECT_EQ(static_cast<int>(pPopup->GetMenuItemCount()), popup + 1);
  }
};
}  // namespace

TEST_F(NewUnitMenuTest, TheInsertMenuListsEveryKeyTheFactoryCanMakeInCatalogueOrder)
{
  ASSERT_TRUE(Start());
  std::vector<ExpectedCommand> expected = ExpectedCommands();
  ASSERT_GE(expected.size(), 3u);
  ExpectMenuMatches(InsertMenu(), expected);
}

TEST_F(NewUnitMenuTest, TheFreeFormUnitsHaveTheirPopup)
{
  ASSERT_TRUE(Start());
  CMenu* pInsert = InsertMenu();
  CMenu* pVarigon = nullptr;
  for (int i = 0; i < static_cast<int>(pInsert->GetMenuItemCount()); ++i)
    if (MenuText(pInsert, i) == "Varigon")
      pVarigon = pInsert->GetSubMenu(i);
  ASSERT_NE(pVarigon, nullptr);
  ASSERT_EQ(pVarigon->GetMenuItemCount(), 14u);
  EXPECT_EQ(MenuText(pVarigon, 0), "Rectangle");
  EXPECT_EQ(MenuText(pVarigon, 13), "Vert Parallel");
}

TEST_F(NewUnitMenuTest, AKeyWithoutAClassGetsNoCommandAndATypeWithoutCommandsNoPopup)
{
  // The casement type keeps its other unit's command.
  RegisterUnitClass("CAPI001", nullptr);
  ASSERT_TRUE(Start());
  std::vector<ExpectedCommand> expected = ExpectedCommands();
  bool casementPicture =
      std::any_of(expected.begin(), expected.end(), [](const ExpectedCommand& c) { return c.subtypeCode == "PI001"; });
  EXPECT_FALSE(casementPicture);
  CMenu* pInsert = InsertMenu();
  for (int i = 0; i < static_cast<int>(pInsert->GetMenuItemCount()); ++i)
    EXPECT_NE(MenuText(pInsert, i), "Bay and Bow") << "BUBA020 has no unit class";
  ExpectMenuMatches(pInsert, expected);
}

TEST_F(NewUnitMenuTest, TheStatusPromptNamesTheSubtypesDescription)
{
  ASSERT_TRUE(Start());
  std::vector<ExpectedCommand> expected = ExpectedCommands();
  ASSERT_FALSE(expected.empty());
  for (size_t i = 0; i < expected.size(); ++i) {
    CString prompt;
    MainFrame()->GetMessageString(ID_NEW_UNIT_FIRST + static_cast<UINT>(i), prompt);
    EXPECT_EQ(std::string(prompt.c_str()), "Create " + expected[i].longDescription);
  }
  CString beyond = "x";
  MainFrame()->GetMessageString(ID_NEW_UNIT_FIRST + static_cast<UINT>(expected.size()), beyond);
  EXPECT_TRUE(beyond.IsEmpty());
  CString other;
  MainFrame()->GetMessageString(ID_VIEW_PLAN, other);
  EXPECT_EQ(other, "Show or hide the Plan View");
}

TEST_F(NewUnitMenuTest, AContextMenuIsFilledWithTheSameCommandsAndAFilledPopupIsLeftAlone)
{
  ASSERT_TRUE(Start());
  CMenu context;
  ASSERT_TRUE(context.LoadMenu(IDR_CONTEXT_MENUS));
  CMenu* pNewUnit = context.GetSubMenu(3)->GetSubMenu(5);
  ASSERT_NE(pNewUnit, nullptr);
  ASSERT_EQ(pNewUnit->GetMenuItemCount(), 1u);
  MainFrame()->FillNewUnitMenu(pNewUnit);
  ExpectMenuMatches(pNewUnit, ExpectedCommands());
  UINT count = pNewUnit->GetMenuItemCount();
  MainFrame()->FillNewUnitMenu(pNewUnit);
  EXPECT_EQ(pNewUnit->GetMenuItemCount(), count);
}
