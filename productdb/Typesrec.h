#pragma once
// TYPES: the product lines.
#include "productdb/txrecobj.h"

class CTypesRec : public CTXRecObj
{
public:
  CTypesRec();
  // Finds the line by index 1; when there is none the type code is emptied.
  explicit CTypesRec(const CString& typeCode);

  CString GetTypeCode() const { return m_typeCode; }
  void SetTypeCode(const CString& code) { m_typeCode = code; }
  CString GetShortDescription() const { return m_shortDescription; }
  CString GetField53() const { return m_field53; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  CString m_typeCode;
  CString m_shortDescription;
  CString m_field53;
};
