#include "document/Doc.h"

#include <memory>

#include "document/DocServices.h"
#include "document/Docmsg.h"
#include "document/Docviews.h"
#include "platform/core/Archive.h"
#include "platform/ui/dlg/Ctrls.h"
#include "platform/ui/wnd/Msg.h"
#include "platform/ui/docview/View.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Docdsgn";
constexpr int kBadIndexLine = 102;
constexpr int kNameUsedLine = 131;
constexpr int kListEntryLine = 163;
constexpr int kLoadingArchiveLine = 219;

constexpr const char* kDefaultNamePrefix = "Unit Type ";

BOOL IsAllLetters(const CString& text)
{
  if (text.IsEmpty())
    return FALSE;
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] < 'A' || text[i] > 'Z')
      return FALSE;
  return TRUE;
}

// Counts a rest of letters A..Z up by one, like a number: "Z" -> "AA", "AZ" -> "BA".
CString NextLetters(CString rest)
{
  for (int i = rest.GetLength() - 1; i >= 0; --i) {
    if (rest[i] != 'Z') {
      rest.SetAt(i, static_cast<char>(rest[i] + 1));
      return rest;
    }
    rest.SetAt(i, 'A');
  }
  return "A" + rest;
}

} // namespace

void CDoc::CheckIndex(int index) const
{
  if (index < 0 || index >= m_designs.GetSize())
    throw CAppException(kModule, kBadIndexLine);
}

CString CDoc::GetDesignName(int index) const
{
  CheckIndex(index);
  return m_designs.GetAt(index)->GetName();
}

void CDoc::NewEditedDesign()
{
  delete m_pEditedDesign;
  m_pEditedDesign = nullptr;
  m_pEditedDesign = new CDesign;
  m_editedSnapshot.Store(m_pEditedDesign);
}

BOOL CDoc::EditStoredDesign(int index)
{
  CheckIndex(index);
  // The design is rebuilt aside: a block that cannot be read leaves the edited design as it was.
  auto design = std::make_unique<CDesign>();
  if (!RebuildDesign(index, *design, FALSE))
    return FALSE;
  delete m_pEditedDesign;
  m_pEditedDesign = design.release();
  m_editedSnapshot = *m_designs.GetAt(index);
  return TRUE;
}

void CDoc::CloseEditedDesign()
{
  delete m_pEditedDesign;
  m_pEditedDesign = nullptr;
  m_editedSnapshot.Clear();
}

int CDoc::GetEditedDesignIndex() const { return FindDesign(m_editedSnapshot.GetName()); }

BOOL CDoc::RebuildDesign(int index, CDesign& design, BOOL reportOnce)
{
  const CDesignStore& store = *m_designs.GetAt(index);
  try {
    store.Retrieve(&design);
    return TRUE;
  } catch (const CException&) {
  } catch (const std::bad_alloc&) {
  }
  if (!reportOnce || m_reportedUnreadable.insert({store.GetName().str(), store.GetCRC()}).second)
    return ReportUnreadable(store.GetName());
  return FALSE;
}

BOOL CDoc::ReportUnreadable(const CString& designName) const
{
  PCTRACE(TT_DOCUMENT, TL_WARNING)("A stored design could not be rebuilt.\n");
  MessageBox(GetDesignUnreadableMessage(designName), MB_ICONEXCLAMATION | MB_OK);
  return FALSE;
}

int CDoc::AskReplace(const CString& name, BOOL allowCancel) const
{
  CString text;
  text.Format("A design with the name '%s' already exists.\n\n", name.c_str());
  text += "Do you want to replace it?";
  return MessageBox(text, MB_ICONEXCLAMATION | (allowCancel ? MB_YESNOCANCEL : MB_YESNO));
}

// Settles the name a design is stored under: the naming dialog until the name is free or the
// user agrees to replace the design that has it. With askReplaceFirst the given name is tried
// before the dialog is shown. FALSE when the user cancelled.
BOOL CDoc::SettleNewName(CString& name, int& index, BOOL allowCancel, BOOL askReplaceFirst)
{
  BOOL ask = askReplaceFirst;
  for (;;) {
    if (!ask && !GetDocServices().AskNewDesignName(name, allowCancel))
      return FALSE;
    ask = FALSE;
    index = FindDesign(name);
    if (index < 0)
      return TRUE;
    switch (AskReplace(name, allowCancel)) {
    case IDYES: return TRUE;
    case IDNO: continue;
    default: return FALSE;
    }
  }
}

BOOL CDoc::StoreEditedDesign(BOOL ask, BOOL allowCancel)
{
  if (!m_pEditedDesign)
    return TRUE;
  int index = FindDesign(m_editedSnapshot.GetName());
  CString name = m_pEditedDesign->GetName();
  const BOOL named = !name.IsEmpty();
  CDesignStore candidate;
  {
    CWaitCursor wait;
    candidate.Store(m_pEditedDesign);
  }
  if (candidate.GetCRC() == m_editedSnapshot.GetCRC())
    return TRUE;

  int answer = IDYES;
  if (ask) {
    CString text;
    text.Format("Store changes to design '%s' in the project?", named ? name.c_str() : "Unnamed");
    answer = MessageBox(text, MB_ICONEXCLAMATION | (allowCancel ? MB_YESNOCANCEL : MB_YESNO));
  }
  if (answer == IDNO)
    return TRUE;
  if (answer != IDYES)
    return FALSE;

  // A named design renamed on the Workbench to the name of another stored design is settled by
  // the replace question rather than stored over its own record under a clashing name.
  const int clash = named ? FindDesign(name) : -1;
  if (!named || (clash >= 0 && clash != index)) {
    const int home = index;
    if (!named)
      name = GetNewDesignName();
    if (!SettleNewName(name, index, allowCancel, named))
      return FALSE;
    // A named design given a free name still replaces the stored design it came from.
    if (named && index < 0)
      index = home;
    m_pEditedDesign->SetName(name);
    candidate.Store(m_pEditedDesign);
  }
  if (index >= 0)
    ReplaceDesign(candidate, index);
  else
    AddDesign(candidate);
  m_editedSnapshot = candidate;
  return TRUE;
}

BOOL CDoc::OkToCloseEditedDesign()
{
  if (auto* source = dynamic_cast<CWorkbenchDataSource*>(GetWorkbenchView()))
    source->UpdateDesignWithWorkbenchData();
  return StoreEditedDesign(TRUE, TRUE);
}

void CDoc::AddDesign(const CDesignStore& store)
{
  if (FindDesign(store.GetName()) >= 0)
    throw CAppException(kModule, kNameUsedLine);
  m_designs.Add(new CDesignStore(store));
  if (CListBox* list = GetDesignListBox())
    list->SetCurSel(list->AddString(store.GetName()));
}

void CDoc::RenameListEntry(const CString& oldName, const CString& newName)
{
  CListBox* list = GetDesignListBox();
  if (!list || oldName == newName)
    return;
  int entry = list->FindStringExact(-1, oldName);
  if (entry < 0)
    throw CAppException(kModule, kListEntryLine);
  list->DeleteString(static_cast<UINT>(entry));
  list->SetCurSel(list->AddString(newName));
}

void CDoc::ReplaceDesign(const CDesignStore& store, int index)
{
  CheckIndex(index);
  int other = FindDesign(store.GetName());
  if (other >= 0 && other != index)
    throw CAppException(kModule, kNameUsedLine);
  // The record is overwritten next, so only its list entry needs the new name.
  RenameListEntry(m_designs.GetAt(index)->GetName(), store.GetName());
  *m_designs.GetAt(index) = store;
}

void CDoc::DeleteDesign(int index)
{
  CheckIndex(index);
  if (CListBox* list = GetDesignListBox()) {
    int entry = list->FindStringExact(-1, m_designs.GetAt(index)->GetName());
    if (entry < 0)
      throw CAppException(kModule, kListEntryLine);
    list->DeleteString(static_cast<UINT>(entry));
  }
  m_designs.RemoveAt(index);
}

BOOL CDoc::RenameDesign(int index, const CString& newName)
{
  CheckIndex(index);
  int other = FindDesign(newName);
  if (other >= 0 && other != index)
    throw CAppException(kModule, kNameUsedLine);
  CDesignStore& store = *m_designs.GetAt(index);
  const CString oldName = store.GetName();
  CDesignStore renamed(store);
  try {
    renamed.SetName(newName);
  } catch (const CException&) {
    return ReportUnreadable(oldName);
  } catch (const std::bad_alloc&) {
    return ReportUnreadable(oldName);
  }
  store = renamed;
  RenameListEntry(oldName, newName);
  return TRUE;
}

void CDoc::FillDesignList()
{
  CListBox* list = GetDesignListBox();
  if (!list)
    return;
  list->ResetContent();
  for (int i = 0; i < m_designs.GetSize(); ++i)
    list->AddString(m_designs.GetAt(i)->GetName());
}

void CDoc::SerializeStoredDesign(CArchive& ar, int index)
{
  if (ar.IsLoading())
    throw CAppException(kModule, kLoadingArchiveLine);
  CheckIndex(index);
  m_designs.GetAt(index)->Serialize(ar);
}

CDesign* CDoc::GetFirstDesign()
{
  m_nIterationIndex = -1;
  return GetNextDesign();
}

CDesign* CDoc::GetNextDesign()
{
  delete m_pIterationDesign;
  m_pIterationDesign = nullptr;
  while (m_nIterationIndex < m_designs.GetSize() && ++m_nIterationIndex < m_designs.GetSize()) {
    auto design = std::make_unique<CDesign>();
    if (RebuildDesign(m_nIterationIndex, *design, TRUE)) {
      m_pIterationDesign = design.release();
      return m_pIterationDesign;
    }
  }
  return nullptr;
}

CString CDoc::GetNewDesignName() const
{
  const CString prefix = kDefaultNamePrefix;
  CString greatest;
  for (int i = 0; i < m_designs.GetSize(); ++i) {
    const CString name = m_designs.GetAt(i)->GetName();
    if (name.GetLength() <= prefix.GetLength() || name.Left(prefix.GetLength()).CompareNoCase(prefix) != 0)
      continue;
    CString rest = name.Mid(prefix.GetLength());
    rest.MakeUpper();
    if (!IsAllLetters(rest))
      continue;
    // The longest rest is the greatest; among equally long ones the greatest in byte order.
    if (rest.GetLength() > greatest.GetLength() || (rest.GetLength() == greatest.GetLength() && rest > greatest))
      greatest = rest;
  }
  return prefix + (greatest.IsEmpty() ? CString("A") : NextLetters(greatest));
}
