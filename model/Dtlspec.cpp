#include "model/Dtlspec.h"

#include <memory>
#include <utility>

#include "model/Curropts.h"

IMPLEMENT_DYNAMIC(CDetailSpecification, CObject)

CDetailSpecification::CDetailSpecification(const CDetailSpecification& source)
  : CObject(), m_nDetailID(source.m_nDetailID), m_nOrientation(source.m_nOrientation), m_Angle(source.m_Angle)
{
  if (source.m_pOptionChoices)
    m_pOptionChoices = std::make_unique<CCurrentOptionChoices>(*source.m_pOptionChoices);
}

CDetailSpecification& CDetailSpecification::operator=(const CDetailSpecification& source)
{
  if (&source == this)
    return *this;
  std::unique_ptr<CCurrentOptionChoices> copy;
  if (source.m_pOptionChoices)
    copy = std::make_unique<CCurrentOptionChoices>(*source.m_pOptionChoices);
  m_pOptionChoices = std::move(copy);
  m_nDetailID = source.m_nDetailID;
  m_nOrientation = source.m_nOrientation;
  m_Angle = source.m_Angle;
  return *this;
}

CDetailSpecification::CDetailSpecification() = default;
CDetailSpecification::~CDetailSpecification() = default;

int CDetailSpecification::GetOptionChoice(int category) const
{
  return m_pOptionChoices ? m_pOptionChoices->GetChoice(category) : 0;
}

void CDetailSpecification::SetOptionChoice(int category, int choice)
{
  if (!m_pOptionChoices)
    m_pOptionChoices = std::make_unique<CCurrentOptionChoices>();
  m_pOptionChoices->SetChoice(category, choice);
}

void CDetailSpecification::DeleteOptionChoices() { m_pOptionChoices.reset(); }
