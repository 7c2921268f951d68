#pragma once
// OPTEXCPT: option exceptions, rows that add or remove a choice of a unit type under a condition.
#include "productdb/txrecobj.h"

class COptExcptRec : public CTXRecObj
{
public:
  COptExcptRec();

  void SetField1(int number) { m_number = number; }
  CString GetTypeCode() const { return m_typeCode; }
  void SetTypeCode(const CString& code) { m_typeCode = code; }
  CString GetSubtypeCode() const { return m_subtypeCode; }
  void SetSubtypeCode(const CString& code) { m_subtypeCode = code; }
  // Conditions: the standard size and the operating choice, empty for any.
  CString GetSizeCode() const { return m_sizeCode; }
  CString GetOperationCode() const { return m_operationCode; }
  // Condition category and choice tested by the unit.
  int GetField28() const { return m_field28; }
  int GetField32() const { return m_field32; }
  // "+" adds the target choice, "-" removes it.
  CString GetField36() const { return m_field36; }
  void SetField36(const CString& letter) { m_field36 = letter; }
  // Target category and choice; choice 0 with "-" removes every choice of the category.
  int GetField37() const { return m_field37; }
  void SetField37(int category) { m_field37 = category; }
  int GetField41() const { return m_field41; }
  void SetField41(int choice) { m_field41 = choice; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_number = 0;
  CString m_typeCode;
  CString m_subtypeCode;
  CString m_sizeCode;
  CString m_operationCode;
  int m_field28 = 0;
  int m_field32 = 0;
  CString m_field36;
  int m_field37 = 0;
  int m_field41 = 0;
};
