#pragma once
// Root of the product objects a design item owns (units and joins): the current option choices
// and the virtual operations through which the program reads and changes them.
#include <memory>

#include "platform/core/Object.h"

class CCurrentOptionChoices;
class COptCatsRecArray;
class COptChoicRecArray;

class CProductBase : public CObject
{
  DECLARE_DYNAMIC(CProductBase)
public:
  CProductBase();
  // Copies never share a choices list.
  CProductBase(const CProductBase& source);
  CProductBase& operator=(const CProductBase& source);
  ~CProductBase() override;

  // The option categories the product offers; the base product offers none.
  virtual void GetOptionCategories(COptCatsRecArray& categories) const;
  // The current choice of the category, 0 when none; the base ignores the mode.
  virtual int GetOptionChoice(int category, int mode) const;
  // Sets (or with choice 0 clears) the category's choice; TRUE when it was taken.
  virtual BOOL SetOptionChoice(int category, int choice);
  // Replaces every choice: starts from no list and sets each pair in order through
  // SetOptionChoice, so that an override checks every pair.
  virtual void SetOptionChoices(const COptChoicRecArray& choices);

  // The list, made empty on first use; never null.
  const CCurrentOptionChoices* GetCurrentOptionChoices() const;
  CCurrentOptionChoices* GetCurrentOptionChoices();
  void CreateOptionChoices();
  void DeleteOptionChoices();

private:
  mutable std::unique_ptr<CCurrentOptionChoices> m_pOptionChoices;
};
