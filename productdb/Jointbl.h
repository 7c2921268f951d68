#pragma once
// JOINTBL: the product pairs each join type allows, with the detail drawn for the joint.
#include "productdb/txrecobj.h"

class CJoinTblRec : public CTXRecObj
{
public:
  CJoinTblRec();

  int GetJoin() const { return m_join; }
  void SetJoin(int join) { m_join = join; }
  // n = 1: the first side's product id (ID); n = 2: the second side's (OtherID); else 0.
  int GetId(int n) const;
  // Sets ID or OtherID; any other n is ignored.
  void SetId(int n, int value);
  int GetField13() const { return m_field13; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_join = 0;
  int m_id = 0;
  int m_otherId = 0;
  int m_field13 = 0;
};
