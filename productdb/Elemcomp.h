#pragma once
// ELEMCOMP: the component that plays a given element of a unit type.
#include "productdb/txrecobj.h"

class CElemCompRec : public CTXRecObj
{
public:
  CElemCompRec();
  // Finds the row by index 1; when there is none the three codes are emptied and the component
  // number stays 0.
  CElemCompRec(const CString& typeCode, const CString& subtypeCode, const CString& elementCode);

  CString GetTypeCode() const { return m_typeCode; }
  CString GetSubtypeCode() const { return m_subtypeCode; }
  CString GetElementCode() const { return m_elementCode; }
  int GetComponent() const { return m_component; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  CString m_typeCode;
  CString m_subtypeCode;
  CString m_elementCode;
  int m_component = 0;
};
