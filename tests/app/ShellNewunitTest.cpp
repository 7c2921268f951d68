// The new-unit command list stops at its last command id, and consecutive types with the same
// short description share one popup; checked on catalogues with rows added for the purpose.
#include <string>

#include <gtest/gtest.h>

#include "app/Newunit.h"
#include "model/OddCatalogue.h"
#include "ui/frame/Menu.h"

namespace {
bool AnyKey(const CString&, const CString&) { return true; }

std::string Code(int i)
{
  char code[8];
  std::snprintf(code, sizeof code, "X%04d", i);
  return code;
}
}  // namespace

TEST(NewUnitCommandList, StopsAtTheLastCommandId)
{
  COddCatalogue catalogue;
  std::vector<std::string> codes;
  std::vector<std::string> ordinals;
  for (int i = 0; i < 120; ++i) {
    codes.push_back(Code(i));
    ordinals.push_back(std::to_string(1000 + i));
  }
  for (int i = 0; i < 120; ++i)
    catalogue.AddRow(
        "SUBTYPES", {"BU", codes[i].c_str(), "Extra Bay", "Extra", "TRUE", "TRUE", "TRUE", "4.5", ordinals[i].c_str()});
  catalogue.Use();
  CNewUnitCommandList commands;
  commands.Build(AnyKey);
  EXPECT_EQ(commands.GetCount(), static_cast<int>(ID_NEW_UNIT_LAST - ID_NEW_UNIT_FIRST + 1));
  EXPECT_FALSE(commands.GetUnitType(ID_NEW_UNIT_LAST).IsEmpty());
  EXPECT_TRUE(commands.GetUnitType(ID_NEW_UNIT_LAST + 1).IsEmpty());
}

TEST(NewUnitCommandList, ATypeWithTheSameShortDescriptionContinuesThePopup)
{
  COddCatalogue catalogue;
  // "AS" sorts right after "AR" and carries AR's short description.
  catalogue.AddRow("TYPES", {"AS", "Tarvex Custom Arched Extras", "Custom Arched", "W"});
  catalogue.AddRow("SUBTYPES", {"AS", "EX001", "Arched Extra", "Extra", "TRUE", "TRUE", "FALSE", "4.5", "10"});
  catalogue.Use();
  CNewUnitCommandList commands;
  commands.Build([](const CString& type, const CString&) { return type == "AR" || type == "AS"; });
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  ASSERT_TRUE(commands.AppendTo(&popup));
  ASSERT_EQ(popup.GetMenuItemCount(), 1u);
  CMenu* pArched = popup.GetSubMenu(0);
  ASSERT_NE(pArched, nullptr);
  EXPECT_EQ(static_cast<int>(pArched->GetMenuItemCount()), commands.GetCount());
  CString last;
  pArched->GetMenuString(pArched->GetMenuItemCount() - 1, last, MF_BYPOSITION);
  EXPECT_EQ(last, "Extra");
  EXPECT_EQ(commands.GetUnitType(ID_NEW_UNIT_FIRST + static_cast<UINT>(commands.GetCount()) - 1), "AS");
}

TEST(NewUnitCommandList, NoCommandsMakeNoPopup)
{
  COddCatalogue catalogue;
  catalogue.Use();
  CNewUnitCommandList commands;
  commands.Build([](const CString&, const CString&) { return false; });
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  EXPECT_FALSE(commands.AppendTo(&popup));
  EXPECT_EQ(popup.GetMenuItemCount(), 0u);
}
