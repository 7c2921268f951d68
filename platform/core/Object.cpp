#include "platform/core/Object.h"

#include <cstring>
#include <map>
#include <string>

#include "platform/core/Archive.h"

namespace {

std::map<std::string, const CRuntimeClass*>& Registry()
{
  // Never destroyed: objects created by name may be deleted by static objects at exit.
  static auto* registry = new std::map<std::string, const CRuntimeClass*>;
  return *registry;
}

}  // namespace

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == base)
      return TRUE;
  return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
  auto it = Registry().find(className ? className : "");
  return it == Registry().end() ? nullptr : it->second;
}

void CRuntimeClass::Register(const CRuntimeClass* cls)
{
  if (cls && cls->m_pfnCreateObject)
    Registry()[cls->m_lpszClassName] = cls;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
