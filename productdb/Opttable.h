#pragma once
// OPTTABLE: the option categories and choices each unit type offers, one row per choice.
#include "productdb/txrecobj.h"
#include "support/Ownarray.h"

class COptTableRec : public CTXRecObj
{
public:
  COptTableRec();
  // Seeks index 1 to the first row of the unit type (category and choice 0); when the seek fails
  // both codes are emptied. The row found may belong to the next unit type: callers compare.
  COptTableRec(const CString& typeCode, const CString& subtypeCode);

  CString GetTypeCode() const { return m_typeCode; }
  void SetTypeCode(const CString& code) { m_typeCode = code; }
  CString GetSubtypeCode() const { return m_subtypeCode; }
  void SetSubtypeCode(const CString& code) { m_subtypeCode = code; }
  int GetCategory() const { return m_category; }
  void SetCategory(int category) { m_category = category; }
  int GetChoice() const { return m_choice; }
  void SetChoice(int choice) { m_choice = choice; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  CString m_typeCode;
  CString m_subtypeCode;
  int m_category = 0;
  int m_choice = 0;
};

// The option rows a unit type offers, in category and choice order, only of offered categories.
class COptTableRecArray : public COwnArrayOf<COptTableRec>
{
public:
  COptTableRecArray(const CString& typeCode, const CString& subtypeCode);
  void Load(const CString& typeCode, const CString& subtypeCode);
};
