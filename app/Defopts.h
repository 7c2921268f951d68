#pragma once
// The option choices that apply when a project sets none, one per option category of the
// product database, kept in the profile section "DefaultOptions" as "Cat<category>" keys.
#include "model/Curropts.h"

class CAppDefaultOptionChoices : public CObject
{
  DECLARE_DYNAMIC(CAppDefaultOptionChoices)
public:
  CAppDefaultOptionChoices();
  ~CAppDefaultOptionChoices() override;

  CCurrentOptionChoices* GetOptionChoices() { return &m_choices; }

  // Reads the key of every category of the product database; a value of 0 or more sets the
  // choice (0, or a pair the database lacks, removes it). Always TRUE.
  BOOL Load();
  // Writes the categories that have a choice and deletes the keys of those without one; FALSE
  // when a write failed (the others are still written).
  BOOL Save();

private:
  CCurrentOptionChoices m_choices;
};
