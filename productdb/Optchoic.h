#pragma once
// OPTCHOIC: the choices of each option category.
#include "productdb/txrecobj.h"
#include "support/Ownarray.h"

class COptChoicRec : public CTXRecObj
{
public:
  COptChoicRec();
  // Finds the pair by index 1; when there is none both become 0 (callers rely on this to drop
  // pairs the table lacks).
  COptChoicRec(int category, int choice);

  int GetCategory() const { return m_category; }
  void SetCategory(int category) { m_category = category; }
  int GetChoice() const { return m_choice; }
  void SetChoice(int choice) { m_choice = choice; }
  CString GetDescription() const { return m_description; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_category = 0;
  int m_choice = 0;
  CString m_description;
};

// Owns its records; copies are deep, element by element in order.
class COptChoicRecArray : public COwnArrayOf<COptChoicRec>
{
public:
  COptChoicRecArray() = default;
  COptChoicRecArray(const COptChoicRecArray& source);
  // The copy is built aside and swapped in, so a failed copy leaves this array as it was.
  COptChoicRecArray& operator=(const COptChoicRecArray& source);

private:
  void CopyFrom(const COptChoicRecArray& source);
};
