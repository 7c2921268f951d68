#include "model/Prodbase.h"

#include <utility>

#include "model/Curropts.h"
#include "productdb/Optcats.h"

IMPLEMENT_DYNAMIC(CProductBase, CObject)

CProductBase::CProductBase(const CProductBase& source) : CObject()
{
  if (source.m_pOptionChoices)
    m_pOptionChoices = std::make_unique<CCurrentOptionChoices>(*source.m_pOptionChoices);
}

CProductBase& CProductBase::operator=(const CProductBase& source)
{
  if (&source == this)
    return *this;
  std::unique_ptr<CCurrentOptionChoices> copy;
  if (source.m_pOptionChoices)
    copy = std::make_unique<CCurrentOptionChoices>(*source.m_pOptionChoices);
  m_pOptionChoices = std::move(copy);
  return *this;
}

CProductBase::CProductBase() = default;
CProductBase::~CProductBase() = default;

void CProductBase::GetOptionCategories(COptCatsRecArray& categories) const { categories.RemoveAll(); }

int CProductBase::GetOptionChoice(int category, int /*mode*/) const
{
  return GetCurrentOptionChoices()->GetChoice(category);
}

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

const CCurrentOptionChoices* CProductBase::GetCurrentOptionChoices() const
{
  if (!m_pOptionChoices)
    m_pOptionChoices = std::make_unique<CCurrentOptionChoices>();
  return m_pOptionChoices.get();
}

CCurrentOptionChoices* CProductBase::GetCurrentOptionChoices()
{
  std::as_const(*this).GetCurrentOptionChoices();
  return m_pOptionChoices.get();
}

void CProductBase::CreateOptionChoices() { m_pOptionChoices = std::make_unique<CCurrentOptionChoices>(); }

void CProductBase::DeleteOptionChoices() { m_pOptionChoices.reset(); }
