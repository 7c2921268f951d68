#pragma once
// ELEVLINE: elevation lines of a component, several rows per component number.
#include "productdb/txrecobj.h"
#include "support/Ownarray.h"

class CElevLineRec : public CTXRecObj
{
public:
  CElevLineRec();
  // Seeks index 1 to the first row of that number; when the seek fails the members become
  // (0, -1, -1.0).
  explicit CElevLineRec(int number);

  int GetNumber() const { return m_number; }
  int GetField5() const { return m_field5; }
  double GetField7() const { return m_field7; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  friend class CElevLineRecArray;
  // The constructor's seek; its result tells whether a row was found.
  int SeekNumber(int number);

  int m_number = 0;
  short m_field5 = 0;
  float m_field7 = 0;
};

// Every row of one number, in index 1 order. Owns its records.
class CElevLineRecArray : public COwnArrayOf<CElevLineRec>
{
public:
  explicit CElevLineRecArray(int number);
};
