#include "model/Varigon.h"

IMPLEMENT_DYNAMIC(CVarigonUnit, CUnit)

// One limits row, the first of its index, governs every free-form unit type.
CVarigonUnit::CVarigonUnit(const CString& type, const CString& subtype) : CUnit(type, subtype) { m_Limits.First(1); }

CUnit& CVarigonUnit::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  CUnit::operator=(source);
  if (source.IsKindOf(RUNTIME_CLASS(CVarigonUnit))) {
    const auto& other = static_cast<const CVarigonUnit&>(source);
    m_Limits = other.m_Limits;
    m_nAnchorMode = other.m_nAnchorMode;
  }
  return *this;
}

CString CVarigonUnit::GetSizeText(int lengthFormat) const
{
  return FormatSizeText(GetTypeDescription(), lengthFormat, {GetProposedWidth(), GetProposedHeight()});
}

void CVarigonUnit::GetAnchorModeNames(CStringArray& names) const
{
  names.RemoveAll();
  names.Add("Anchor To Opposite");
}
