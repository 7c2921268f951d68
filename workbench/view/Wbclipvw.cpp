// Cut, Copy and Paste of design items: the selection travels as one temporary group in the
// Workbench's clipboard format; a paste reads the group back, places it and ungroups it into the
// design, leaving the pasted items selected.
#include <cstdlib>
#include <memory>
#include <new>

#include "platform/core/Exception.h"
#include "ui/output/Clipguard.h"
#include "ui/wnd/CmdTarget.h"
#include "ui/wnd/WinApp.h"
#include "project/DocServices.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Wbclip.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr const char* kModule = "Wbclipvw";
constexpr int kNothingToCopyLine = 3210;
// Edit Paste places each paste this many pixels right of and above the one before.
constexpr int kCascadeStep = 20;
// A clipboard block holds one spare byte after the group's bytes.
constexpr std::size_t kSpareBytes = 1;

CWnd* ClipboardOwner(CWnd* pView)
{
  CWnd* pMain = AfxGetMainWnd();
  return pMain ? pMain : pView;
}

const char* PasteFailure(CClipboardRead read)
{
  switch (read) {
  case CClipboardRead::notOpened:
    return "Unable to open clipboard.  PASTE not performed!";
  case CClipboardRead::notLocked:
    return "Unable to lock memory for PASTE operation.  PASTE not performed!";
  default:
    return "Clipboard data incompatible.  PASTE not performed!";
  }
}
}  // namespace

void CWorkbenchView::OnEditCopy()
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("OnEditCopy()\n");
  CopyToClipboard(FALSE);
}

void CWorkbenchView::OnEditCut()
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("OnEditCut()\n");
  CopyToClipboard(TRUE);
}

void CWorkbenchView::OnUpdateEditCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(GetSelectedCount(TRUE) >= 1); }

void CWorkbenchView::OnEditPaste()
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("OnEditPaste()\n");
  PasteFromClipboard(WorldToClient(m_vPasteOrigin.AsPoint()), TRUE);
}

void CWorkbenchView::OnPopupsPaste()
{
  PCTRACE(TT_WORKBENCH, TL_DETAIL)("Entering Workbench OnPopupsPaste\n");
  PasteFromClipboard(m_ptContextPoint, FALSE);
}

void CWorkbenchView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
  BOOL available = FALSE;
  if (GetEditMode() == wemEditable) {
    CClipboardSession clipboard(ClipboardOwner(this));
    available = clipboard.IsOpen() && IsClipboardFormatAvailable(DesignItemClipboardFormat());
  }
  pCmdUI->Enable(available);
}

BOOL CWorkbenchView::CopyToClipboard(BOOL bCut)
{
  CObList items;
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(m_SelectedItems.GetNext(pos));
    if (IsCopyable(pItem))
      items.AddTail(pItem);
  }
  if (items.IsEmpty())
    throw CAppFatalException(kModule, kNothingToCopyLine);
  const CString caption = GetDocServices().GetProductName();
  std::vector<BYTE> bytes;
  try {
    // The temporary group only borrows the items: they stay in the design.
    auto* pGroup = new CGroupItem(items);
    try {
      bytes = WriteItemGroup(*pGroup);
    } catch (...) {
      pGroup->RemoveAllItems();
      delete pGroup;
      throw;
    }
    m_vPasteOrigin = pGroup->GetOffset();
    pGroup->RemoveAllItems();
    RemoveItem(pGroup);
  } catch (const CException&) {
    MessageBox("Unable to copy data to clipboard.  COPY not performed!", caption, MB_OK);
    return FALSE;
  }
  std::unique_ptr<CGlobalMemory> block;
  try {
    block = std::make_unique<CGlobalMemory>(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size() + kSpareBytes);
  } catch (const std::bad_alloc&) {
    block.reset();
  }
  if (!block || !block->Get()) {
    MessageBox("Unable to allocate enough memory for COPY operation.  COPY not performed!", caption, MB_OK);
    return FALSE;
  }
  if (!CopyIntoBlock(block->Get(), bytes.data(), bytes.size())) {
    MessageBox("Unable to lock memory for COPY operation.  COPY not performed!", caption, MB_OK);
    return FALSE;
  }
  BOOL copied = FALSE;
  {
    CClipboardSession clipboard(ClipboardOwner(this));
    if (!clipboard.IsOpen()) {
      MessageBox("Unable to open clipboard.  COPY not performed!", caption, MB_OK);
      return FALSE;
    }
    EmptyClipboard();
    copied = block->SetClipboardData(DesignItemClipboardFormat());
  }
  if (!copied) {
    // Nothing reached the clipboard: a cut must not lose the selection.
    MessageBox("Unable to copy to the clipboard.  COPY not performed!", caption, MB_OK);
    return FALSE;
  }
  if (bCut)
    OnEditDeleteItem();
  return TRUE;
}

BOOL CWorkbenchView::PasteFromClipboard(CPoint point, BOOL bCascade)
{
  const CString caption = GetDocServices().GetProductName();
  if (GetEditMode() != wemEditable || !m_pItemList)
    return FALSE;
  std::vector<BYTE> bytes;
  const CClipboardRead read = ReadClipboardBytes(ClipboardOwner(this), DesignItemClipboardFormat(), bytes);
  if (read != CClipboardRead::notOpened) {
    PCTRACE(TT_WORKBENCH, TL_DETAIL)("Paste at (%d, %d)\n", point.x, point.y);
  }
  if (read != CClipboardRead::ok) {
    MessageBox(PasteFailure(read), caption, MB_OK);
    return FALSE;
  }
  // Everything that can fail is done before the design is touched: a refused block changes
  // nothing.
  std::unique_ptr<CGroupItem> group;
  try {
    group = ReadItemGroup(bytes.data(), bytes.size());
  } catch (const CException&) {
    MessageBox("Unable to paste items from clipboard.  Paste not performed!", caption, MB_OK);
    return FALSE;
  }
  const CVRX2DVector g = group->GetOffset();
  const CRect client = GetClientRect();
  if (bCascade) {
    point.Offset(kCascadeStep, -kCascadeStep);
    const CSize size = WorldToDevice(CVRX2DVector(group->GetWidth(), group->GetHeight()));
    if (point.x > client.right - std::abs(size.cx) || point.x < kCascadeStep)
      point.x = kCascadeStep;
    // The group's top must stay in the window: its height is what reaches upward.
    if (point.y - std::abs(size.cy) < 0 || point.y > client.bottom - kCascadeStep)
      point.y = client.bottom - kCascadeStep;
  } else if (g.GetX() < 0.0 && g.GetY() < 0.0) {
    point = CPoint(0, client.bottom);
  }
  const CVRX2DPoint w = ClientToWorld(point);
  const CVRX2DVector offset = w.AsVector() - g;
  // The group never enters the alignment tables: it goes as soon as its members are in place.
  if (group->CanMoveTo(offset))
    group->Offset(offset);
  m_vPasteOrigin = w.AsVector();
  const CSizeTextBatch batch(this);
  // The items take the Workbench's alignment settings before they enter the alignment tables,
  // and their place is invalid before they are selected, so that the paint to come draws
  // their handles once. The selection goes after that: where a pasted unit made the whole view
  // invalid, thousands of deselected units add no handle to it one by one.
  for (POSITION pos = group->GetMembers().GetHeadPosition(); pos;) {
    auto* pItem = static_cast<CDesignItem*>(group->GetMembers().GetNext(pos));
    ApplyAlignmentSettings(pItem);
    pItem->Invalidate(this);
  }
  DeselectAll();
  group->Ungroup(this);
  // The emptied group was never in the design's lists or tables, and holds no unit a join could
  // cross to: what removing it would still do is its invalidation.
  group->Invalidate(this);
  return TRUE;
}
