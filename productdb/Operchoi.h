#pragma once
// OPERCHOI: the operation codes allowed for each standard size.
#include "productdb/txrecobj.h"

class COperChoiRec : public CTXRecObj
{
public:
  COperChoiRec();

  CString GetTypeCode() const { return m_typeCode; }
  void SetTypeCode(const CString& code) { m_typeCode = code; }
  CString GetSubtypeCode() const { return m_subtypeCode; }
  void SetSubtypeCode(const CString& code) { m_subtypeCode = code; }
  CString GetSizeCode() const { return m_sizeCode; }
  void SetSizeCode(const CString& code) { m_sizeCode = code; }
  CString GetOperationCode() const { return m_operationCode; }
  void SetOperationCode(const CString& code) { m_operationCode = code; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  CString m_typeCode;
  CString m_subtypeCode;
  CString m_sizeCode;
  CString m_operationCode;
};
