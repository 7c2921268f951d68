#pragma once
// OPTCATS: the option categories.
#include "productdb/txrecobj.h"
#include "support/Ownarray.h"

class COptCatsRec : public CTXRecObj
{
public:
  COptCatsRec();
  // Finds the category by index 1; when there is none the category becomes 0.
  explicit COptCatsRec(int category);

  int GetCategory() const { return m_category; }
  void SetCategory(int category) { m_category = category; }
  CString GetName() const { return m_name; }
  int GetField33() const { return m_field33; }
  // Whether the category is offered for units; index 2 lists offered categories first.
  int GetFlag43() const { return m_flag43; }
  void SetFlag43(int flag) { m_flag43 = flag ? 1 : 0; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_category = 0;
  CString m_name;
  int m_field33 = 0;
  int m_flag43 = 0;
};

// Owns its records; filled by its users.
class COptCatsRecArray : public COwnArrayOf<COptCatsRec>
{};
