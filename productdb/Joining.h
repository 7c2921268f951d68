#pragma once
// JOINING: the join types.
#include "productdb/txrecobj.h"

class CJoiningRec : public CTXRecObj
{
public:
  CJoiningRec();
  // Finds the join type by index 1; when there is none the number becomes 0.
  explicit CJoiningRec(int joining);

  int GetJoining() const { return m_joining; }
  void SetJoining(int joining) { m_joining = joining; }
  CString GetCode() const { return m_code; }
  CString GetDescription() const { return m_description; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_joining = 0;
  CString m_code;
  CString m_description;
};
