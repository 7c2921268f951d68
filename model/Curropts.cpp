#include "model/Curropts.h"

#include <new>

#include "support/ComExcpt.h"

namespace {
constexpr const char* kModule = "Curropts";
constexpr int kNoMemoryLine = 106;

COptChoicRec* CopyOf(const COptChoicRec& probe)
{
  auto* copy = new (std::nothrow) COptChoicRec(probe);
  if (!copy)
    throw CCommonMemoryException(kModule, kNoMemoryLine);
  return copy;
}
}  // namespace

int CCurrentOptionChoices::GetChoice(int category) const
{
  for (int i = 0; i < GetSize(); ++i) {
    const COptChoicRec* rec = GetAt(i);
    if (rec && rec->GetCategory() == category)
      return rec->GetChoice();
  }
  return 0;
}

void CCurrentOptionChoices::SetChoice(int category, int choice)
{
  // The record's key constructor resets both fields when OPTCHOIC lacks the pair.
  COptChoicRec probe(category, choice);
  if (probe.GetCategory() != category || probe.GetChoice() != choice)
    choice = 0;
  for (int i = 0; i < GetSize(); ++i) {
    COptChoicRec* rec = GetAt(i);
    if (!rec || rec->GetCategory() != category)
      continue;
    if (choice < 1) {
      RemoveAt(i);
      return;
    }
    // The whole record is replaced so that its texts match the new choice.
    COptChoicRec* replacement = CopyOf(probe);
    SetAt(i, replacement);
    delete rec;
    return;
  }
  if (choice >= 1)
    Add(CopyOf(probe));
}
