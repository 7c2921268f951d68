#include "app/Defopts.h"

#include "ui/wnd/WinApp.h"
#include "productdb/Optcats.h"
#include "support/Trace.h"

namespace {

constexpr const char* kSection = "DefaultOptions";

CString KeyOf(int category) { return CString::Formatted("Cat%d", category); }

// Calls visit with every option category number of the product database, ascending.
template <class Visit>
void ForEachCategory(Visit visit)
{
  COptCatsRec category;
  BOOL atEnd = FALSE;
  for (int found = category.First(1); found == 0; found = category.Next(&atEnd))
    visit(category.GetCategory());
}

}  // namespace

IMPLEMENT_DYNAMIC(CAppDefaultOptionChoices, CObject)

CAppDefaultOptionChoices::CAppDefaultOptionChoices()
{
  PCTRACE(TT_PREFERENCES, TL_DETAIL)("CAppDefaultOptionChoices construction \n");
}

CAppDefaultOptionChoices::~CAppDefaultOptionChoices()
{
  PCTRACE(TT_PREFERENCES, TL_DETAIL)("CAppDefaultOptionChoices destruction \n");
}

BOOL CAppDefaultOptionChoices::Load()
{
  ForEachCategory([this](int category) {
    CString key = KeyOf(category);
    int choice = AfxGetApp()->GetProfileInt(kSection, key, -1);
    if (choice >= 0) {
      PCTRACE(TT_PREFERENCES, TL_DETAIL)("Reading category %s with choice %i \n", key.c_str(), choice);
      m_choices.SetChoice(category, choice);
    }
  });
  return TRUE;
}

BOOL CAppDefaultOptionChoices::Save()
{
  BOOL result = TRUE;
  ForEachCategory([this, &result](int category) {
    CString key = KeyOf(category);
    int choice = m_choices.GetChoice(category);
    if (choice > 0) {
      PCTRACE(TT_PREFERENCES, TL_DETAIL)("Writing category %s with choice %i \n", key.c_str(), choice);
      if (!AfxGetApp()->WriteProfileInt(kSection, key, choice))
        result = FALSE;
    } else {
      PCTRACE(TT_PREFERENCES, TL_DETAIL)("Removing  category %s \n", key.c_str());
      AfxGetApp()->WriteProfileString(kSection, key, nullptr);
    }
  });
  return result;
}
