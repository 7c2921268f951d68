#pragma once
// The "New Window Unit" commands: one command per unit type and subtype of the product
// database, in the order of the types' first index and, within a type, the subtypes' menu order.
// Command 1201 + i keeps four texts: type code, type short description, subtype code, subtype
// short description.
#include <functional>

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "workbench/frame/Wbids.h"

class CMenu;

class CNewUnitCommandList
{
public:
  // Whether the program can make a unit of a type and subtype; keys without a class get no command.
  using KeyFilter = std::function<bool(const CString& typeCode, const CString& subtypeCode)>;

  BOOL IsEmpty() const { return m_texts.IsEmpty(); }
  int GetCount() const { return m_texts.GetSize() / kTextsPerCommand; }

  // Walks TYPES and SUBTYPES; stops at the last command id. Database errors pass to the caller.
  void Build(const KeyFilter& hasClass);

  // Empty texts for a command outside the list.
  CString GetUnitType(UINT nID) const { return GetText(nID, 0); }
  CString GetTypeDescription(UINT nID) const { return GetText(nID, 1); }
  CString GetUnitSubtype(UINT nID) const { return GetText(nID, 2); }
  CString GetSubtypeDescription(UINT nID) const { return GetText(nID, 3); }

  // Appends one popup per run of equal type descriptions, each with its subtype commands.
  // FALSE when no popup was made.
  BOOL AppendTo(CMenu* pPopup) const;

  // "Create " and the long description of the command's subtype; empty when it is not found.
  static CString GetPrompt(const CString& typeCode, const CString& subtypeCode);

private:
  static constexpr int kTextsPerCommand = 4;
  CString GetText(UINT nID, int part) const;
  void AddSubtypes(const CString& typeCode, const CString& typeDescription, const KeyFilter& hasClass);
  BOOL IsFull() const { return GetCount() >= static_cast<int>(ID_NEW_UNIT_LAST - ID_NEW_UNIT_FIRST + 1); }

  CStringArray m_texts;
};
