#pragma once
// OPERS: the operation codes and their descriptions.
#include "productdb/txrecobj.h"
#include "support/Ownarray.h"

class COpersRec : public CTXRecObj
{
public:
  COpersRec();
  // Finds the code by index 1; when there is none the code is emptied.
  explicit COpersRec(const CString& code);

  CString GetCode() const { return m_code; }
  void SetCode(const CString& code) { m_code = code; }
  CString GetDescription() const { return m_description; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  CString m_code;
  CString m_description;
};

// Owns its records: emptying or destroying the array deletes them.
class COpersRecArray : public COwnArrayOf<COpersRec>
{};
