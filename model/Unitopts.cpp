// The option choices a unit's type offers, and the checks on setting one.
#include "model/Unit.h"

#include <memory>

#include "model/Curropts.h"
#include "productdb/Optcats.h"
#include "productdb/Optexcpt.h"
#include "productdb/Opttable.h"
#include "support/Trace.h"

namespace {
BOOL HasChoice(const COptChoicRecArray& choices, int choice)
{
  for (int i = 0; i < choices.GetSize(); ++i)
    if (choices.GetAt(i)->GetChoice() == choice)
      return TRUE;
  return FALSE;
}

// Appends the pair when OPTCHOIC has it and the list does not hold it yet.
void AppendChoice(COptChoicRecArray& out, int category, int choice)
{
  auto rec = std::make_unique<COptChoicRec>(category, choice);
  if (rec->GetCategory() == category && rec->GetChoice() == choice && !HasChoice(out, choice))
    out.Add(rec.release());
}

void RemoveChoices(COptChoicRecArray& out, int choice)
{
  for (int i = 0; i < out.GetSize(); ++i) {
    if (choice != 0 && out.GetAt(i)->GetChoice() != choice)
      continue;
    out.RemoveAt(i);
    if (choice != 0)
      return;
    --i;
  }
}
}  // namespace

// Offered categories in category order, each only when the unit's type offers a choice in it.
void CUnit::GetOptionCategories(COptCatsRecArray& categories) const
{
  categories.RemoveAll();
  const COptTableRecArray rows(GetType(), GetSubtype());
  COptCatsRec cursor;
  cursor.SetFlag43(TRUE);
  cursor.SetCategory(0);
  BOOL atEnd = FALSE;
  for (int found = cursor.SeekGE(2, &atEnd); found == 0 && cursor.GetFlag43(); found = cursor.Next(&atEnd)) {
    COptChoicRecArray choices;
    ChoicesOfCategory(rows, cursor.GetCategory(), choices);
    if (choices.GetSize() > 0)
      categories.Add(new COptCatsRec(cursor.GetCategory()));
  }
}

void CUnit::GetOptionChoicesOfCategory(int category, COptChoicRecArray& out) const
{
  const COptTableRecArray rows(GetType(), GetSubtype());
  ChoicesOfCategory(rows, category, out);
}

void CUnit::ChoicesOfCategory(const COptTableRecArray& rows, int category, COptChoicRecArray& out) const
{
  out.RemoveAll();
  BOOL inCategory = FALSE;
  for (int i = 0; i < rows.GetSize(); ++i) {
    const COptTableRec* row = rows.GetAt(i);
    if (row->GetCategory() != category) {
      // The rows of one category lie together.
      if (inCategory)
        break;
      continue;
    }
    inCategory = TRUE;
    AppendChoice(out, category, row->GetChoice());
  }
  ApplyOptionExceptions(category, out);
}

void CUnit::ApplyOptionExceptions(int category, COptChoicRecArray& out) const
{
  COptExcptRec row;
  row.SetTypeCode(GetType());
  row.SetSubtypeCode(GetSubtype());
  row.SetField37(category);
  row.SetField36(" ");
  row.SetField41(0);
  row.SetField1(0);
  BOOL atEnd = FALSE;
  for (int found = row.SeekGE(2, &atEnd); found == 0; found = row.Next(&atEnd)) {
    if (row.GetTypeCode() != GetType() || row.GetSubtypeCode() != GetSubtype() || row.GetField37() != category)
      break;
    if (!IsChoiceCurrent(row))
      continue;
    const CString operation = row.GetField36();
    if (operation == "+")
      AppendChoice(out, category, row.GetField41());
    else if (operation == "-")
      RemoveChoices(out, row.GetField41());
  }
}

BOOL CUnit::IsChoiceCurrent(const COptExcptRec& row) const
{
  const int category = row.GetField28();
  return category == 0 || GetCurrentOptionChoices()->GetChoice(category) == row.GetField32();
}

int CUnit::GetOptionChoice(int category, int mode) const
{
  const int choice = CProductBase::GetOptionChoice(category, mode);
  if (mode != 1 || choice == 0)
    return choice;
  COptChoicRecArray offered;
  GetOptionChoicesOfCategory(category, offered);
  return HasChoice(offered, choice) ? choice : 0;
}

BOOL CUnit::SetOptionChoice(int category, int choice)
{
  if (choice != 0) {
    COptTableRec row;
    row.SetTypeCode(GetType());
    row.SetSubtypeCode(GetSubtype());
    row.SetCategory(category);
    row.SetChoice(choice);
    if (row.Find(1) != 0) {
      PCTRACE(TT_UNIT, TL_WARNING)("Choice is not applicable for category.\n");
      return FALSE;
    }
  }
  CCurrentOptionChoices* choices = GetCurrentOptionChoices();
  choices->SetChoice(category, choice);
  // Without a grille there is no bar width or grille finish to keep.
  if (category == kGrilleTypeCategory && IsNoGrilleChoice(choice)) {
    choices->SetChoice(kGrilleBarWidthCategory, 0);
    choices->SetChoice(kGrilleFinishCategory, 0);
  }
  return TRUE;
}
