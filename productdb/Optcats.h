#pragma once
// OPTCATS: the option categories.
#include "productdb/txrecobj.h"
#include "support/Ownarray.h"

// The option categories the program itself acts on.
constexpr int kGrilleBarWidthCategory = 8;
constexpr int kGrilleFinishCategory = 35;
constexpr int kGrilleTypeCategory = 36;
// The grille types that draw no grille bars: none, and glass made ready for a grille.
constexpr int kNoGrilleChoice = 0;
constexpr int kGrilleReadyChoice = 8;
inline bool IsNoGrilleChoice(int choice) { return choice == kNoGrilleChoice || choice == kGrilleReadyChoice; }

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
