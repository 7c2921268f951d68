#pragma once
// Small settings are stored as integer codes and shown as texts. The table pairs them and lists
// them in the class library's hash order (buckets ascending, newest first within a bucket), which
// the dialogs' choice lists show and so must not change.
#include "platform/core/Map.h"

class CAssocIntAndString : public CObject
{
  DECLARE_DYNAMIC(CAssocIntAndString)
public:
  CAssocIntAndString();
  CAssocIntAndString(const CAssocIntAndString&) = delete;
  CAssocIntAndString& operator=(const CAssocIntAndString&) = delete;

  // FALSE for an absent code, leaving `text` unchanged.
  BOOL Lookup(int code, CString& text) const;
  // The first pair in listing order whose text matches.
  BOOL LookupCode(LPCTSTR text, int& code) const;
  BOOL LookupCodeNoCase(LPCTSTR text, int& code) const;
  POSITION GetStartPosition() const;
  void GetNextAssoc(POSITION& pos, int& code, CString& text) const;
  // Adds the pair, or replaces the text of a code already present.
  void SetAt(int code, LPCTSTR text);
  void RemoveAll();

private:
  template <class Match>
  BOOL FindCode(Match match, int& code) const;

  CMap<int, int, CString, LPCTSTR> map;
};

// The measurement units of the preferences: 0 feet and inches, 3 millimetres.
class CAssocMeasurementUnitsAndDescription : public CAssocIntAndString
{
  DECLARE_DYNAMIC(CAssocMeasurementUnitsAndDescription)
public:
  CAssocMeasurementUnitsAndDescription();
};
