#pragma once
// The rows each unit makes about itself for the two project reports, and the sort and merge
// that count identical units once.
#include "platform/core/String.h"
#include "support/Ownarray.h"

// One schedule row per unit.
class CScheduleReportData : public CObject
{
public:
  int m_nSerialID = 0;      // the unit's id
  CString m_strUnitKey;     // type code "," subtype code, then the unit class's fields
  CString m_strDesignName;  // set by the report generator
  CString m_strReference;   // left to the report generator
  CString m_strDescription;
  double m_dUnitHeight = 0.0;
  double m_dUnitWidth = 0.0;
  double m_dRoughOpeningHeight = 0.0;  // rounded up to 1/8 inch
  double m_dRoughOpeningWidth = 0.0;
};

// One unit-information record per unit and option choice.
class CUnitInfoReportData : public CObject
{
public:
  int m_nSerialID = 0;
  CString m_strUnitKey;  // type, subtype, then ",category:choice" per choice or ",NoOptions"
  CString m_strDesignName;
  int m_nDesignQuantity = 1;
  CString m_strReference;
  int m_nUnitQuantity = 1;  // summed when identical units are merged
  CString m_strDescription;
  CString m_strOperationCode;  // the operating choice of standard units, else empty
  int m_nOptionCategory = 0;   // the pair this record stands for; 0 and 0 without choices
  int m_nOptionChoice = 0;
};

class CScheduleReportDataArray : public COwnArrayOf<CScheduleReportData>
{
public:
  // Orders the rows by design name, reference, description and key, and deletes every row that
  // equals an earlier one in all four.
  void SortAndMerge();
};

class CUnitInfoReportDataArray : public COwnArrayOf<CUnitInfoReportData>
{
public:
  // Orders the records, then merges each unit into an earlier unit of the same design and key,
  // adding its quantities record by record.
  void SortAndMerge();

private:
  void Sort();
  // Index just past the run of records from `first` that carry its unit id.
  int GroupEnd(int first) const;
};

// Byte order of two texts, reduced to -1, 0 or 1.
int CompareReportText(const CString& a, const CString& b);
int CompareReportNumber(int a, int b);
