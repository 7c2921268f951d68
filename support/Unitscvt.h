#pragma once
// Lengths are inches everywhere; users see and type them in feet and inches (to 1/32 inch) or in
// millimetres. This stateless converter makes the texts of the six length kinds and parses them.
#include "platform/core/Object.h"
#include "platform/core/String.h"

// Areas (of glass and of units, against the catalogue's limits) are in square feet.
inline constexpr double kSquareInchesPerSquareFoot = 144.0;

class CUnitsConverter : public CObject
{
  DECLARE_DYNAMIC(CUnitsConverter)
public:
  // Length kinds: the measurement-units preference codes 0 and 3 are kinds too.
  enum
  {
    feetAndInches = 0,
    fractionalInches = 1,
    wholeInches = 2,
    metricMillimeters = 3,
    editFeetAndInches = 4,
    editMillimeters = 5
  };

  CUnitsConverter() = default;

  // An unknown kind gives an empty text.
  CString FormatLength(int kind, double inches) const;
  // FALSE for text that is no length, leaving *inches untouched; an unknown kind throws
  // CCommonException.
  BOOL ParseLength(int kind, CString text, double* inches) const;

protected:
  CString FormatImperial(double inches, BOOL withFeet, BOOL forEdit) const;
  CString FormatMetric(double inches, BOOL forEdit) const;
  BOOL ParseImperial(CString text, double* inches) const;
  BOOL ParseMetric(CString text, double* inches) const;
  // Digits and at most one period; the empty text is a number.
  static BOOL IsNumber(const CString& text);
  // Blanks (character 32) only, at both ends.
  static void TrimBlanks(CString& text);

private:
  static BOOL ParseFraction(const CString& text, double& value);
};
