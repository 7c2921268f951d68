#pragma once
// DBVER: the one-row table naming the version of the product data in the file.
#include "productdb/txrecobj.h"

class CDbVerRec : public CTXRecObj
{
public:
  CDbVerRec();

  CString GetSpecificationVersion() const { return m_specificationVersion; }
  CString GetProductDataVersion() const { return m_productDataVersion; }
  CTime GetDatePopulated() const { return m_datePopulated; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  CString m_specificationVersion;
  CString m_productDataVersion;
  CTime m_datePopulated;
};
