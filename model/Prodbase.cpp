#include "model/Prodbase.h"

#include "model/Curropts.h"
#include "productdb/Optcats.h"

IMPLEMENT_DYNAMIC(CProductBase, CObject)

CProductBase::CProductBase(const CProductBase& source) : CObject()
{
  if (source.m_pOptionChoices)
    m_pOptionChoices = new CCurrentOptionChoices(*source.m_pOptionChoices);
}

CProductBase& CProductBase::operator=(const CProductBase& source)
{
  if (&source == this)
    return *this;
  CCurrentOptionChoices* copy = source.m_pOptionChoices ? new CCurrentOptionChoices(*source.m_pOptionChoices) : nullptr;
  delete m_pOptionChoices;
  m_pOptionChoices = copy;
  return *this;
}

CProductBase::~CProductBase() { delete m_pOptionChoices; }

void CProductBase::GetOptionCategories(COptCatsRecArray& categories) { categories.RemoveAll(); }

int CProductBase::GetOptionChoice(int category, int /*mode*/) { return GetCurrentOptionChoices()->GetChoice(category); }

BOOL CProductBase::SetOptionChoice(int category, int choice)
{
  GetCurrentOptionChoices()->SetChoice(category, choice);
  return TRUE;
}

void CProductBase::SetOptionChoices(const COptChoicRecArray& choices)
{
  // A copy first: the argument may be this product's own list, which is deleted next.
  COptChoicRecArray pairs(choices);
  DeleteOptionChoices();
  for (int i = 0; i < pairs.GetSize(); ++i) {
    const COptChoicRec* rec = pairs.GetAt(i);
    if (rec)
      SetOptionChoice(rec->GetCategory(), rec->GetChoice());
  }
}

CCurrentOptionChoices* CProductBase::GetCurrentOptionChoices()
{
  if (!m_pOptionChoices)
    m_pOptionChoices = new CCurrentOptionChoices;
  return m_pOptionChoices;
}

void CProductBase::CreateOptionChoices()
{
  DeleteOptionChoices();
  m_pOptionChoices = new CCurrentOptionChoices;
}

void CProductBase::DeleteOptionChoices()
{
  delete m_pOptionChoices;
  m_pOptionChoices = nullptr;
}
