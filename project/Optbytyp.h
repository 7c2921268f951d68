#pragma once
// The option choices that new units of each unit type start with in a project (the project's
// default options), one record per TYPES row.
#include "model/Curropts.h"
#include "productdb/Optcats.h"
#include "productdb/Typesrec.h"
#include "support/Ownarray.h"

class CCurrentOptionChoicesByType : public CObject
{
  DECLARE_SERIAL(CCurrentOptionChoicesByType)
public:
  CCurrentOptionChoicesByType() = default;
  // That type with its description looked up, no choices.
  explicit CCurrentOptionChoicesByType(const CString& unitType);
  CCurrentOptionChoicesByType(const CString& unitType, const CString& description);
  CCurrentOptionChoicesByType(const CCurrentOptionChoicesByType& other);
  CCurrentOptionChoicesByType& operator=(const CCurrentOptionChoicesByType& other);

  CString GetUnitType() const { return m_strUnitType; }
  CString GetDescription() const { return m_strDescription; }
  CCurrentOptionChoices& GetChoices() { return m_choices; }
  const CCurrentOptionChoices& GetChoices() const { return m_choices; }

  // A choice below 1, or a pair the database lacks, clears the category. Returns 0.
  int SetChoice(int category, int choice);
  int GetChoice(int category) const;
  // The offered categories that OPTTABLE lists for any subtype of the type, in first appearance
  // over subtypes (SUBTYPES index order) and rows.
  void GetCategories(COptCatsRecArray& categories) const;
  // The distinct choices of a category for any subtype of the type, in first appearance.
  void GetCategoryChoices(int category, COptChoicRecArray& choices) const;

  // The unit type, then the pairs as a map of 32-bit keys to 32-bit values (count, then pairs in
  // the map's bucket order). No version stamp.
  void Serialize(CArchive& ar) override;

  // The TYPES short description of the exact type code, else the code itself.
  static CString LookUpDescription(const CString& unitType);
  static CString LookUpDescription(const CString& unitType, CTypesRec& types);
  // Loads through the caller's TYPES record, so that a whole array shares one.
  void Load(CArchive& ar, CTypesRec& types);

private:
  CString m_strDescription;
  CCurrentOptionChoices m_choices;
  CString m_strUnitType;
};

// One record per unit type; owns its records.
class COptionChoicesByTypeArray : public COwnArrayOf<CCurrentOptionChoicesByType>
{
  DECLARE_DYNAMIC(COptionChoicesByTypeArray)
public:
  // One record per TYPES row, in index 1 order, without choices.
  COptionChoicesByTypeArray();
  COptionChoicesByTypeArray& operator=(const COptionChoicesByTypeArray& other);

  // The choices of the record whose type equals the code exactly; none throws CCommonException.
  CCurrentOptionChoices& GetChoicesByType(const CString& unitType);
  // Appends an empty record, in TYPES order, for every type that has none.
  void AddMissingTypes();

  // Stamp, DWORD count, then each record (no object tags).
  void Serialize(CArchive& ar) override;

private:
  int FindType(const CString& unitType) const;
};
