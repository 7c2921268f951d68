#include "ui/wnd/Resource.h"

CResources& CResources::Get()
{
  // Never destroyed: the application object reads its resources until its destructor ends.
  static auto* resources = new CResources;
  return *resources;
}

namespace {
template <class MAP>
const typename MAP::mapped_type* FindIn(const MAP& map, UINT id)
{
  auto it = map.find(id);
  return it == map.end() ? nullptr : &it->second;
}
}  // namespace

const CString* CResources::FindString(UINT id) const { return FindIn(m_strings, id); }
const CMenuTemplate* CResources::FindMenu(UINT id) const { return FindIn(m_menus, id); }
const CDialogTemplate* CResources::FindDialog(UINT id) const { return FindIn(m_dialogs, id); }
std::vector<UINT> CResources::GetDialogIds() const
{
  std::vector<UINT> ids;
  for (const auto& entry : m_dialogs)
    ids.push_back(entry.first);
  return ids;
}

const std::vector<CAccelTemplate>* CResources::FindAccelerators(UINT id) const { return FindIn(m_accels, id); }
const CBitmapTemplate* CResources::FindBitmap(UINT id) const { return FindIn(m_bitmaps, id); }
const CCursorTemplate* CResources::FindCursor(UINT id) const { return FindIn(m_cursors, id); }

BOOL AfxLoadString(UINT nID, CString& rString)
{
  const CString* s = CResources::Get().FindString(nID);
  if (!s)
    return FALSE;
  rString = *s;
  return TRUE;
}

void AfxFormatString1(CString& rString, const char* lpszFormat, LPCTSTR lpsz1)
{
  AfxFormatString2(rString, lpszFormat, lpsz1, "");
}

void AfxFormatString2(CString& rString, const char* lpszFormat, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
  CString out;
  for (const char* p = lpszFormat; p && *p; ++p) {
    if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
      out += (p[1] == '1') ? lpsz1 : lpsz2;
      ++p;
    } else
      out += *p;
  }
  rString = out;
}
