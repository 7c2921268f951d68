#pragma once
// GRILHDRS: which grille a unit of a given type, subtype, size and grille choice has.
#include "productdb/txrecobj.h"

class CGrilHdrsRec : public CTXRecObj
{
public:
  CGrilHdrsRec();
  // Finds the row by index 2; when there is none the codes are emptied, the choice becomes 0 and
  // the grille number stays 0.
  CGrilHdrsRec(const CString& typeCode, const CString& subtypeCode, const CString& sizeCode, int choice);

  int GetGrilleId() const { return m_grilleId; }
  CString GetTypeCode() const { return m_typeCode; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_grilleId = 0;
  CString m_typeCode;
  CString m_subtypeCode;
  CString m_sizeCode;
  int m_choice = 0;
};
