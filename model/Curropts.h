#pragma once
// The current option choices of a product: for each option category the chosen choice, kept in
// the order in which the categories were first set.
#include "productdb/Optchoic.h"

class CCurrentOptionChoices : public COptChoicRecArray
{
public:
  CCurrentOptionChoices() = default;
  CCurrentOptionChoices(const CCurrentOptionChoices& source) = default;
  CCurrentOptionChoices& operator=(const CCurrentOptionChoices& source) = default;

  // The choice of the category; 0 when none is set.
  int GetChoice(int category) const;
  // Sets the category's choice; a choice below 1, or a pair that OPTCHOIC lacks, clears it.
  // At most one element per category; an existing element keeps its place.
  void SetChoice(int category, int choice);
};
