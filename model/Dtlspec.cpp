#include "model/Dtlspec.h"

#include "model/Curropts.h"

IMPLEMENT_DYNAMIC(CDetailSpecification, CObject)

CDetailSpecification::CDetailSpecification(const CDetailSpecification& source)
  : CObject(), m_nDetailID(source.m_nDetailID), m_nOrientation(source.m_nOrientation), m_Angle(source.m_Angle)
{
  if (source.m_pOptionChoices)
    m_pOptionChoices = new CCurrentOptionChoices(*source.m_pOptionChoices);
}

CDetailSpecification& CDetailSpecification::operator=(const CDetailSpecification& source)
{
  if (&source == this)
    return *this;
  CCurrentOptionChoices* copy = source.m_pOptionChoices ? new CCurrentOptionChoices(*source.m_pOptionChoices) : nullptr;
  DeleteOptionChoices();
  m_pOptionChoices = copy;
  m_nDetailID = source.m_nDetailID;
  m_nOrientation = source.m_nOrientation;
  m_Angle = source.m_Angle;
  return *this;
}

CDetailSpecification::~CDetailSpecification() { DeleteOptionChoices(); }

int CDetailSpecification::GetOptionChoice(int category) const
{
  return m_pOptionChoices ? m_pOptionChoices->GetChoice(category) : 0;
}

void CDetailSpecification::SetOptionChoice(int category, int choice)
{
  if (!m_pOptionChoices)
    m_pOptionChoices = new CCurrentOptionChoices;
  m_pOptionChoices->SetChoice(category, choice);
}

void CDetailSpecification::DeleteOptionChoices()
{
  delete m_pOptionChoices;
  m_pOptionChoices = nullptr;
}
