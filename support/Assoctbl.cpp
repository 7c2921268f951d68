#include "support/Assoctbl.h"

#include "support/Trace.h"
#include "support/Unitscvt.h"

IMPLEMENT_DYNAMIC(CAssocIntAndString, CObject)
IMPLEMENT_DYNAMIC(CAssocMeasurementUnitsAndDescription, CAssocIntAndString)

namespace {
constexpr UINT kHashTableSize = 17;
constexpr int kBlockSize = 10;
}  // namespace

CAssocIntAndString::CAssocIntAndString() : map(kBlockSize)
{
  PCTRACE(TT_APPLICATION, TL_VERBOSE)("CAssocIntAndString construction \n");
  map.InitHashTable(kHashTableSize);
}

BOOL CAssocIntAndString::Lookup(int code, CString& text) const { return map.Lookup(code, text); }

template <class Match>
BOOL CAssocIntAndString::FindCode(Match match, int& code) const
{
  POSITION pos = map.GetStartPosition();
  while (pos) {
    int key;
    CString value;
    map.GetNextAssoc(pos, key, value);
    if (match(value)) {
      code = key;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CAssocIntAndString::LookupCode(LPCTSTR text, int& code) const
{
  return FindCode([text](const CString& value) { return value.Compare(text) == 0; }, code);
}

BOOL CAssocIntAndString::LookupCodeNoCase(LPCTSTR text, int& code) const
{
  return FindCode([text](const CString& value) { return value.CompareNoCase(text) == 0; }, code);
}

POSITION CAssocIntAndString::GetStartPosition() const { return map.GetStartPosition(); }

void CAssocIntAndString::GetNextAssoc(POSITION& pos, int& code, CString& text) const
{
  map.GetNextAssoc(pos, code, text);
}

void CAssocIntAndString::SetAt(int code, LPCTSTR text) { map.SetAt(code, text); }

void CAssocIntAndString::RemoveAll() { map.RemoveAll(); }

CAssocMeasurementUnitsAndDescription::CAssocMeasurementUnitsAndDescription()
{
  PCTRACE(TT_APPLICATION, TL_VERBOSE)("CAssocMeasurementUnitsAndDescription construction \n");
  RemoveAll();
  SetAt(CUnitsConverter::feetAndInches, "Feet And Inches");
  SetAt(CUnitsConverter::metricMillimeters, "Metric Millimeters");
}
