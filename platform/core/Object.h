#pragma once
// Root object and run-time class records: class names, base chain, schema and dynamic creation.
#include "platform/core/Types.h"

class CArchive;
class CObject;

// Set on a schema number when the class accepts any stored schema on loading.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;

struct CRuntimeClass
{
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serializable
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;
  // Serializable classes (those with a creation function) found by name.
  static const CRuntimeClass* FromName(const char* className);
  // Classes are registered by explicit calls at start-up (each library's Register...Classes),
  // never by static initialisers, which the linker may drop from a static library.
  static void Register(const CRuntimeClass* cls);
};

class CObject
{
public:
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual void Serialize(CArchive& ar);
  virtual BOOL IsSerializable() const;
  BOOL IsKindOf(const CRuntimeClass* cls) const;

  static const CRuntimeClass classCObject;

protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                                    \
public:                                                                                                                \
  static const CRuntimeClass class##class_name;                                                                        \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                                  \
  DECLARE_DYNAMIC(class_name)                                                                                          \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                                     \
  DECLARE_DYNCREATE(class_name)                                                                                        \
  friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define PANECRAFT_RUNTIME_CLASS(class_name, base_name, schema, pfn)                                                    \
  const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), schema, pfn, \
                                                       RUNTIME_CLASS(base_name)};                                      \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_name) PANECRAFT_RUNTIME_CLASS(class_name, base_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)                                                                     \
  CObject* class_name::CreateObject() { return new class_name; }                                                       \
  PANECRAFT_RUNTIME_CLASS(class_name, base_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_name, wSchema)                                                               \
  CObject* class_name::CreateObject() { return new class_name; }                                                       \
  PANECRAFT_RUNTIME_CLASS(class_name, base_name, wSchema, class_name::CreateObject)                                    \
  [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb)                                                \
  {                                                                                                                    \
    pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                                          \
    return ar;                                                                                                         \
  }
