#include "platform/core/Archive.h"
#include "platform/core/Array.h"
#include "platform/core/Coreclass.h"
#include "platform/core/List.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_SERIAL(CObList, CObject, 0)

void RegisterCoreClasses()
{
  for (const CRuntimeClass* cls :
       {RUNTIME_CLASS(CObArray), RUNTIME_CLASS(CStringArray), RUNTIME_CLASS(CDWordArray), RUNTIME_CLASS(CObList)})
    CRuntimeClass::Register(cls);
}

// Every object reference takes at least its two-byte tag.
constexpr unsigned long long kMinObjectBytes = 2;

void CObArray::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(GetSize()));
    for (CObject* ob : m_data)
      ar << ob;
    return;
  }
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kMinObjectBytes);
  RemoveAll();
  for (DWORD i = 0; i < count; ++i)
    Add(ar.ReadObject(nullptr));
}

void CStringArray::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(GetSize()));
    for (const CString& s : m_data)
      ar << s;
    return;
  }
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, 1);
  RemoveAll();
  for (DWORD i = 0; i < count; ++i) {
    CString s;
    ar >> s;
    Add(s);
  }
}

void CDWordArray::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(GetSize()));
    for (DWORD v : m_data)
      ar << v;
    return;
  }
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, sizeof(DWORD));
  RemoveAll();
  for (DWORD i = 0; i < count; ++i) {
    DWORD v = 0;
    ar >> v;
    Add(v);
  }
}

void CObList::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(GetCount()));
    for (POSITION pos = GetHeadPosition(); pos;)
      ar << GetNext(pos);
    return;
  }
  DWORD count = ar.ReadCount();
  ar.CheckAvailable(count, kMinObjectBytes);
  for (DWORD i = 0; i < count; ++i)
    AddTail(ar.ReadObject(nullptr));
}
