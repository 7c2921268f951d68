// The consistency check of the view's selection index and of its alignment tables, which tests
// call after each step: a fault there is told by name instead of ending a later step in a crash.
#include <cstdio>
#include <string>

#include "workbench/view/Wbview.h"

std::string CWorkbenchView::CheckConsistency() const
{
  char text[160];
  if (m_SelectedAt.GetCount() != static_cast<size_t>(m_SelectedItems.GetCount())) {
    std::snprintf(text, sizeof text, "the selection holds %d items, its index %d", m_SelectedItems.GetCount(),
                  static_cast<int>(m_SelectedAt.GetCount()));
    return text;
  }
  // With as many places as items, each item found at its own place leaves none over.
  for (POSITION pos = m_SelectedItems.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    const void* pItem = m_SelectedItems.GetNext(pos);
    const POSITION* pAt = m_SelectedAt.Find(pItem);
    if (!pAt || *pAt != at) {
      std::snprintf(text, sizeof text, "selected item %p is %s", pItem,
                    pAt ? "placed elsewhere by the selection index" : "missing from the selection index");
      return text;
    }
  }
  const std::string tables = m_Snap.CheckConsistency();
  return tables.empty() ? tables : "alignment tables: " + tables;
}
