#include "workbench/items/Unitproto.h"

#include "model/Unit.h"
#include "productdb/txrecobj.h"

CUnitPrototypes& CUnitPrototypes::Get()
{
  // Never destroyed: the kept units hold catalogue records, which must not outlive the
  // catalogue's own registries at exit.
  static auto* prototypes = new CUnitPrototypes;
  return *prototypes;
}

std::string CUnitPrototypes::KeyOf(const CString& type, const CString& subtype, const CString& attributes)
{
  // A code never holds a line break, so no two keys run together.
  std::string key(type.c_str());
  key += '\n';
  key += subtype.c_str();
  key += '\n';
  key += attributes.c_str();
  return key;
}

void CUnitPrototypes::FollowCatalogue()
{
  const CString catalogue = CTXRecObj::GetDatabasePath();
  if (m_strCatalogue == catalogue.c_str())
    return;
  Clear();
  m_strCatalogue = catalogue.c_str();
}

const CUnitPrototypes::CPrototype* CUnitPrototypes::Find(const CString& type, const CString& subtype,
                                                         const CString& attributes)
{
  FollowCatalogue();
  const auto found = m_Kept.find(KeyOf(type, subtype, attributes));
  return found == m_Kept.end() ? nullptr : found->second.get();
}

void CUnitPrototypes::Keep(const CString& type, const CString& subtype, const CString& attributes, const CUnit& unit,
                           const CUnitShape& shape)
{
  FollowCatalogue();
  std::string key = KeyOf(type, subtype, attributes);
  if (m_Kept.count(key))
    return;
  auto prototype = std::make_unique<CPrototype>();
  {
    const CUnitSerialPause pause;
    prototype->unit.reset(unit.Clone());
  }
  prototype->shape = shape;
  if (m_Kept.size() >= kMostPrototypes) {
    m_Kept.erase(m_Order.front());
    m_Order.pop_front();
  }
  m_Order.push_back(key);
  m_Kept.emplace(std::move(key), std::move(prototype));
}

void CUnitPrototypes::Clear()
{
  m_Kept.clear();
  m_Order.clear();
}
