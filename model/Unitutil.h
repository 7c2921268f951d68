#pragma once
// The unit factory: a unit-type key (type code followed by subtype code, e.g. "ARBA011") selects
// the unit class that implements it. Leaf classes are registered by an explicit call at start-up;
// a known key whose class is not registered makes no unit.
#include "platform/core/Map.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CUnit;

// How a unit of a key is sized, which chooses its sheet's sizing page: by catalogue size; by
// catalogue size, shoulder height and arch radius; by the dimensions of a custom arch of one or
// two legs; by free-form dimensions. Keys without a unit class have none.
enum class EUnitSizing
{
  None,
  Standard,
  StandardArched,
  CustomArched,
  CustomArchedDL,
  Varigon
};

// Maps each of the 53 known keys to its index in the factory's table.
class CUnitTypeMap : public CMap<CString, const CString&, int, int>
{
public:
  static constexpr int kKeyCount = 53;

  CUnitTypeMap();

  using CMap::Lookup;
  // TRUE with the index set when type + subtype is a known key; otherwise the index is untouched.
  BOOL Lookup(const CString& type, const CString& subtype, int& index) const;

  // The key of an index 0 to 52; null for any other index.
  static const char* GetKey(int index);
  // The name of the class that makes units of the index's key; null for a key without a class
  // and for any index outside 0 to 52.
  static const char* GetClassName(int index);
  // EUnitSizing::None for a key without a class and for any index outside 0 to 52.
  static EUnitSizing GetSizing(int index);
  // The key the named class makes units of; null for a class the table does not name.
  static const char* GetKeyOfClass(const char* className);
};

// The program-wide map, made on first use.
const CUnitTypeMap& TheUnitTypeMap();

using UnitCreator = CUnit* (*)();

// Registers the class that makes units of the key (null takes a registration back). A key that
// is not known, or that is known to have no unit class, throws CUnitException.
void RegisterUnitClass(const char* key, UnitCreator creator);

// Registers the leaf class T, whose run-time class is given, for the key the table names it for.
template <class T>
void RegisterUnitClass(const CRuntimeClass* unitClass)
{
  RegisterUnitClass(CUnitTypeMap::GetKeyOfClass(unitClass->m_lpszClassName), []() -> CUnit* { return new T; });
}

// Without `checkOnly`: a new unit of the key's class, owned by the caller, or null when the key
// has no class. With it: makes nothing, sets *checkOnly to whether a class exists, returns null.
// An unknown key (keys are case-sensitive) throws CUnitException ("Unitutil", 180) in both modes.
CUnit* MakeUnit(const CString& type, const CString& subtype, BOOL* checkOnly = nullptr);
