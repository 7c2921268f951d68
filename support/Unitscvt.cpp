#include "support/Unitscvt.h"

#include <cmath>
#include <limits>

#include "support/ComExcpt.h"

IMPLEMENT_DYNAMIC(CUnitsConverter, CObject)

namespace {
constexpr const char* kModule = "Unitscvt";
constexpr int kBadKindLine = 361;
constexpr double kMillimetersPerInch = 25.4;

// The fraction as ".ddd": fixed decimals, trailing zeros and the leading zero removed.
CString Decimals(double fraction, int digits)
{
  CString text;
  text.Format("%.*f", digits, fraction);
  text.TrimRight('0');
  if (!text.IsEmpty() && text[0] == '0')
    text = text.Mid(1);
  return text;
}

// " n/d" reduced, or nothing for a whole value.
CString ThirtySeconds(double fraction)
{
  // An infinite length has no fraction; converting its NaN remainder to int is undefined.
  if (!std::isfinite(fraction))
    return CString();
  int n = static_cast<int>(std::floor(fraction * 32 + 0.5));
  int d = 32;
  while (n % 2 == 0 && n != 0) {
    n /= 2;
    d /= 2;
  }
  return n > 0 ? CString::Formatted(" %i/%i", n, d) : CString();
}

// Text already checked to be digits with one optional period; FALSE when it overflows a double.
bool ToNumber(const CString& text, double& value)
{
  double v = StrToDouble(text);
  if (!std::isfinite(v))
    return false;
  value = v;
  return true;
}
}  // namespace

CString CUnitsConverter::FormatLength(int kind, double inches) const
{
  switch (kind) {
  case feetAndInches:
    return FormatImperial(inches, TRUE, FALSE);
  case fractionalInches:
    return FormatImperial(inches, FALSE, FALSE);
  case wholeInches: {
    CString text = FormatImperial(std::floor(inches + 0.5), FALSE, FALSE);
    if (!text.IsEmpty() && text[text.GetLength() - 1] == '"')
      text = text.Left(text.GetLength() - 1);
    return text;
  }
  case metricMillimeters:
    return FormatMetric(inches, FALSE);
  case editFeetAndInches:
    return FormatImperial(inches, TRUE, TRUE);
  case editMillimeters:
    return FormatMetric(inches, TRUE);
  default:
    return CString();
  }
}

CString CUnitsConverter::FormatImperial(double inches, BOOL withFeet, BOOL forEdit) const
{
  double x7 = std::floor(inches * 10000000 + 0.5) * 0.0000001;
  double x32 = std::floor(x7 * 32 + 0.5) * 0.03125;
  double v = forEdit ? x7 : x32;
  bool asThirtySeconds = !forEdit || x7 == x32;
  bool negative = v < 0;
  v = std::fabs(v);
  double whole = std::floor(v);
  double fraction = v - whole;
  CString text = negative ? "-" : "";
  if (withFeet) {
    double feet = std::floor(whole / 12);
    whole -= 12 * feet;
    text += CString::Formatted("%.0f'-", feet);
  }
  text += CString::Formatted("%.0f", whole);
  text += asThirtySeconds ? ThirtySeconds(fraction) : Decimals(fraction, 8);
  return text + '"';
}

CString CUnitsConverter::FormatMetric(double inches, BOOL forEdit) const
{
  // Divided rather than multiplied by 1e-5, so whole millimetres come out whole.
  double mm = std::floor(inches * kMillimetersPerInch * 100000 + 0.5) / 100000;
  if (!forEdit)
    mm = std::floor(mm + 0.5);
  CString text = mm < 0 ? "-" : "";
  double magnitude = std::fabs(mm);
  double whole = std::floor(magnitude);
  text += CString::Formatted("%.0f", whole);
  if (forEdit && whole != magnitude)
    text += Decimals(magnitude - whole, 6);
  return text;
}

BOOL CUnitsConverter::ParseLength(int kind, CString text, double* inches) const
{
  switch (kind) {
  case feetAndInches:
  case fractionalInches:
  case wholeInches:
  case editFeetAndInches:
    return ParseImperial(text, inches);
  case metricMillimeters:
  case editMillimeters:
    return ParseMetric(text, inches);
  default:
    throw CCommonException(kModule, kBadKindLine);
  }
}

// "n/d" with whole numbers that fit an int; a zero denominator is no fraction.
BOOL CUnitsConverter::ParseFraction(const CString& text, double& value)
{
  int slash = text.Find('/');
  if (slash <= 0)
    return FALSE;
  CString numeratorText = text.Left(slash);
  CString denominatorText = text.Mid(slash + 1);
  if (numeratorText.IsEmpty() || denominatorText.IsEmpty() || !IsNumber(numeratorText) || !IsNumber(denominatorText))
    return FALSE;
  double numerator = StrToDouble(numeratorText);
  double denominator = StrToDouble(denominatorText);
  constexpr double kIntMax = std::numeric_limits<int>::max();
  if (numerator > kIntMax || denominator > kIntMax || denominator == 0)
    return FALSE;
  value = numerator > 0 ? numerator / denominator : 0.0;
  return TRUE;
}

BOOL CUnitsConverter::ParseImperial(CString text, double* inches) const
{
  TrimBlanks(text);
  double sign = 1.0;
  if (!text.IsEmpty() && text[0] == '-') {
    sign = -1.0;
    text = text.Mid(1);
  }
  double feet = 0.0;
  int apostrophe = text.Find('\'');
  if (apostrophe > 0) {
    CString feetText = text.Left(apostrophe);
    text = text.Mid(apostrophe + 1);
    TrimBlanks(text);
    if (!IsNumber(feetText) || !ToNumber(feetText, feet))
      return FALSE;
  }
  // The separator between feet and inches.
  if (!text.IsEmpty() && text[0] == '-')
    text = text.Mid(1);
  int inchMark = text.Find('"');
  if (inchMark > 0) {
    if (inchMark != text.GetLength() - 1)
      return FALSE;
    text = text.Left(inchMark);
  }
  TrimBlanks(text);
  CString wholeText = text;
  double fraction = 0.0;
  int slash = text.Find('/');
  if (slash > 0) {
    if (text.Find('.') >= 0)
      return FALSE;
    CString fractionText = text;
    wholeText.Empty();
    int blank = text.Find(' ');
    if (blank > 0) {
      if (blank > slash)
        return FALSE;
      wholeText = text.Left(blank);
      fractionText = text.Mid(blank + 1);
      TrimBlanks(fractionText);
    }
    if (!ParseFraction(fractionText, fraction))
      return FALSE;
  }
  double whole = 0.0;
  if (!wholeText.IsEmpty() && (!IsNumber(wholeText) || !ToNumber(wholeText, whole)))
    return FALSE;
  double value = sign * (feet * 12 + whole + fraction);
  if (!std::isfinite(value))
    return FALSE;
  if (inches)
    *inches = value;
  return TRUE;
}

BOOL CUnitsConverter::ParseMetric(CString text, double* inches) const
{
  double mm = 0.0;
  if (!IsNumber(text) || !ToNumber(text, mm))
    return FALSE;
  if (inches)
    *inches = mm / kMillimetersPerInch;
  return TRUE;
}

BOOL CUnitsConverter::IsNumber(const CString& text)
{
  int periods = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    char c = text[i];
    if (c == '.')
      ++periods;
    else if (c < '0' || c > '9')
      return FALSE;
  }
  return periods <= 1;
}

void CUnitsConverter::TrimBlanks(CString& text)
{
  text.TrimLeft(' ');
  text.TrimRight(' ');
}
