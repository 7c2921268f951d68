#pragma once
// Reading of the profile's number lists ("192,0,0", "10,20,800,600"): each number is the leading
// run of decimal digits of what is left of the text.
#include <climits>

#include "platform/core/String.h"

// Takes the leading run of digits off the text: -1 when there is none; INT_MAX when the number
// does not fit an int.
inline int TakeDigitRun(CString& text)
{
  CString digits = text.SpanIncluding("0123456789");
  text = text.Mid(digits.GetLength());
  if (digits.IsEmpty())
    return -1;
  CString significant = digits.Mid(digits.SpanIncluding("0").GetLength());
  return significant.GetLength() > 9 ? INT_MAX : static_cast<int>(StrToLong(significant));
}
