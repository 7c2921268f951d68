#pragma once
// The hint object of the views' update protocol (hint numbers: document/Dochints.h): the object a
// hint names, such as the item whose properties were applied (hint 6).
#include "platform/core/Object.h"

class CHint : public CObject
{
  DECLARE_DYNAMIC(CHint)
public:
  CHint() = default;
  explicit CHint(CObject* pSubject) : m_pSubject(pSubject) {}

  CObject* GetSubject() const { return m_pSubject; }

private:
  CObject* m_pSubject = nullptr;
};
