// The design list's clipboard commands: a stored design travels as its own record in the
// "Panecraft Design" clipboard format.
#include <memory>
#include <new>

#include "document/Doc.h"
#include "document/Whids.h"
#include "document/Whpaste.h"
#include "document/Whview.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "ui/output/Clipguard.h"
#include "ui/wnd/Resource.h"
#include "project/DocServices.h"
#include "project/Dsgstore.h"
#include "support/Exceptn.h"

namespace {
constexpr const char* kModule = "Whclip";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineNoFormatName = 26,
};
constexpr UINT kErrorBox = MB_OK | MB_ICONEXCLAMATION;

UINT DesignClipboardFormat()
{
  CString name;
  if (!AfxLoadString(IDS_DESIGN_CLIPBOARD_FORMAT, name))
    throw CAppFatalException(kModule, kLineNoFormatName);
  return RegisterClipboardFormat(name);
}

std::vector<BYTE> SerializeStoredDesign(CDoc* pDoc, int index)
{
  CMemFile file(1024);
  CArchive ar(&file, CArchive::store, 4096);
  pDoc->SerializeStoredDesign(ar, index);
  ar.Close();
  return file.Detach();
}

// One stored-design record from the clipboard's bytes; damaged bytes throw. The design is
// rebuilt from its block and stored again, so a block that does not make a whole design is
// refused here and the project only ever holds blocks its own writer made.
void ReadStoredDesign(const BYTE* data, UINT size, CDesignStore& store)
{
  CMemFile file(data, size);
  CArchive ar(&file, CArchive::load, 4096);
  store.Serialize(ar);
  ar.Close();
  store.SetName(store.GetName());
}

// The design on the open clipboard; the failure message, or null when it was read.
const char* ReadClipboardDesign(CDesignStore& store)
{
  // Bytes that are not one whole design record are as foreign as no data at all.
  constexpr const char* kIncompatible = "Clipboard data incompatible.  PASTE not performed!";
  HGLOBAL hData = static_cast<HGLOBAL>(GetClipboardData(DesignClipboardFormat()));
  if (!hData)
    return kIncompatible;
  CGlobalLock lock(hData);
  if (!lock.Get())
    return "Unable to lock memory for PASTE operation.  PASTE not performed!";
  try {
    ReadStoredDesign(lock.As<const BYTE>(), static_cast<UINT>(GlobalSize(hData)), store);
  } catch (const CException&) {
    return kIncompatible;
  }
  return nullptr;
}
}  // namespace

BOOL CWarehouseView::CopyDesign(int index)
{
  std::vector<BYTE> bytes;
  std::unique_ptr<CGlobalMemory> block;
  try {
    bytes = SerializeStoredDesign(GetProject(), index);
    block = std::make_unique<CGlobalMemory>(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
  } catch (const std::bad_alloc&) {
    block.reset();
  }
  if (!block || !block->Get()) {
    Inform("Unable to allocate enough memory for COPY operation.  COPY not performed!", kErrorBox);
    return FALSE;
  }
  if (!CopyIntoBlock(block->Get(), bytes.data(), bytes.size())) {
    Inform("Unable to lock memory for COPY operation.  COPY not performed!", kErrorBox);
    return FALSE;
  }
  BOOL copied = FALSE;
  {
    CClipboardSession clipboard(this);
    if (!clipboard.IsOpen()) {
      Inform("Unable to open clipboard.  COPY not performed!", kErrorBox);
      return FALSE;
    }
    EmptyClipboard();
    copied = block->SetClipboardData(DesignClipboardFormat());
  }
  if (!copied)
    Inform("Unable to copy to the clipboard.  COPY not performed!", kErrorBox);
  return copied;
}

void CWarehouseView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
  pCmdUI->Enable(IsClipboardFormatAvailable(DesignClipboardFormat()));
}

void CWarehouseView::OnEditPaste()
{
  CDesignStore store;
  const char* failure = nullptr;
  {
    CClipboardSession clipboard(this);
    failure = clipboard.IsOpen() ? ReadClipboardDesign(store) : "Unable to open clipboard.  PASTE not performed!";
  }
  if (failure) {
    Inform(failure, kErrorBox);
    return;
  }
  AddPastedDesign(store);
}

BOOL CWarehouseView::RenamePasted(CDesignStore& store, const CString& name)
{
  CWaitCursor wait;
  try {
    // The name lives inside the design's bytes too: the design is rebuilt to take it.
    store.SetName(name);
  } catch (const CCommonException&) {
    Inform("Clipboard data incompatible.  PASTE not performed!", kErrorBox);
    return FALSE;
  }
  return TRUE;
}

void CWarehouseView::AddPastedDesign(CDesignStore& store)
{
  CDoc* pDoc = GetProject();
  CString name = store.GetName();
  if (pDoc->FindDesign(name) < 0) {
    pDoc->AddDesign(store);
    return;
  }
  CString caption = GetDocServices().GetProductName();
  CPasteDesignDlg dialog(caption + " - Paste Design", name, this);
  for (;;) {
    if (dialog.DoModal() != IDOK)
      return;
    name = dialog.m_strName;
    int index = pDoc->FindDesign(name);
    CDesign* pEdited = pDoc->GetEditedDesign();
    BOOL edited = pEdited && ((index >= 0 && index == pDoc->GetEditedDesignIndex()) ||
                              name.CompareNoCase(pEdited->GetName()) == 0);
    if (edited) {
      if (MessageBox("A design with that name is currently being edited and cannot be replaced. "
                     "Please specify a different name.",
                     caption, MB_OKCANCEL) == IDOK)
        continue;
      return;
    }
    if (index >= 0) {
      CString question;
      question.Format("A design with the name '%s' already exists.\n\nDo you want to replace it?",
                      static_cast<LPCTSTR>(name));
      int answer = MessageBox(question, caption, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
      if (answer == IDNO)
        continue;
      if (answer == IDYES && RenamePasted(store, name))
        pDoc->ReplaceDesign(store, index);
      return;
    }
    if (RenamePasted(store, name))
      pDoc->AddDesign(store);
    return;
  }
}
