#include "app/Newunit.h"

#include "ui/frame/Menu.h"
#include "productdb/Subtypes.h"
#include "productdb/Typesrec.h"

void CNewUnitCommandList::Build(const KeyFilter& hasClass)
{
  m_texts.RemoveAll();
  CTypesRec type;
  BOOL atEnd = FALSE;
  int result = type.First(1);
  while (result == 0 && !IsFull()) {
    AddSubtypes(type.GetTypeCode(), type.GetShortDescription(), hasClass);
    result = type.Next(&atEnd);
    if (atEnd)
      break;
  }
}

void CNewUnitCommandList::AddSubtypes(const CString& typeCode, const CString& typeDescription,
                                      const KeyFilter& hasClass)
{
  CSubTypesRec subtype;
  subtype.SetTypeCode(typeCode);
  subtype.SetField68(0);
  BOOL atEnd = FALSE;
  int result = subtype.SeekGE(2, &atEnd);
  while (result == 0 && !atEnd && subtype.GetTypeCode() == typeCode && !IsFull()) {
    if (!hasClass || hasClass(typeCode, subtype.GetSubtypeCode())) {
      m_texts.Add(subtype.GetTypeCode());
      m_texts.Add(typeDescription);
      m_texts.Add(subtype.GetSubtypeCode());
      m_texts.Add(subtype.GetShortDescription());
    }
    result = subtype.Next(&atEnd);
  }
}

CString CNewUnitCommandList::GetText(UINT nID, int part) const
{
  if (nID < ID_NEW_UNIT_FIRST || nID > ID_NEW_UNIT_LAST)
    return CString();
  int index = static_cast<int>(nID - ID_NEW_UNIT_FIRST) * kTextsPerCommand + part;
  return index < m_texts.GetSize() ? m_texts[index] : CString();
}

BOOL CNewUnitCommandList::AppendTo(CMenu* pPopup) const
{
  CMenu* pTypePopup = nullptr;
  CString previous;
  for (int i = 0; i < GetCount(); ++i) {
    UINT nID = ID_NEW_UNIT_FIRST + static_cast<UINT>(i);
    CString description = GetTypeDescription(nID);
    if (pTypePopup == nullptr || description != previous) {
      CMenu typePopup;
      typePopup.CreatePopupMenu();
      pPopup->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(typePopup.Detach()), description);
      pTypePopup = pPopup->GetSubMenu(static_cast<int>(pPopup->GetMenuItemCount()) - 1);
      previous = description;
    }
    pTypePopup->AppendMenu(MF_STRING, nID, GetSubtypeDescription(nID));
  }
  return pTypePopup != nullptr;
}

CString CNewUnitCommandList::GetPrompt(const CString& typeCode, const CString& subtypeCode)
{
  CSubTypesRec subtype(typeCode, subtypeCode);
  if (subtype.GetTypeCode().IsEmpty())
    return CString();
  return "Create " + subtype.GetDescription();
}
