#pragma once
// SUBTYPES: the unit models of each product line.
#include "productdb/txrecobj.h"

class CSubTypesRec : public CTXRecObj
{
public:
  CSubTypesRec();
  // Finds the model by index 1; when there is none both codes are emptied.
  CSubTypesRec(const CString& typeCode, const CString& subtypeCode);

  CString GetTypeCode() const { return m_typeCode; }
  void SetTypeCode(const CString& code) { m_typeCode = code; }
  CString GetSubtypeCode() const { return m_subtypeCode; }
  void SetSubtypeCode(const CString& code) { m_subtypeCode = code; }
  CString GetDescription() const { return m_description; }
  CString GetShortDescription() const { return m_shortDescription; }
  int GetFlag58() const { return m_flag58; }
  void SetField68(short value) { m_field68 = value; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  CString m_typeCode;
  CString m_subtypeCode;
  CString m_description;
  CString m_shortDescription;
  int m_flag58 = 0;
  short m_field68 = 0;
};
