#pragma once
// JOINOPTX: five numbers per row (this side's detail, the other side's detail, the joint's
// detail, option category, choice), all of them in index 1.
#include "productdb/txrecobj.h"

class CJoinOptXRec : public CTXRecObj
{
public:
  CJoinOptXRec();

  int GetField1() const { return m_fields[0]; }
  int GetField5() const { return m_fields[1]; }
  int GetField9() const { return m_fields[2]; }
  int GetField13() const { return m_fields[3]; }
  int GetField17() const { return m_fields[4]; }
  void SetField1(int value) { m_fields[0] = value; }
  void SetField5(int value) { m_fields[1] = value; }
  void SetField9(int value) { m_fields[2] = value; }
  void SetField13(int value) { m_fields[3] = value; }
  void SetField17(int value) { m_fields[4] = value; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_fields[5] = {};
};
