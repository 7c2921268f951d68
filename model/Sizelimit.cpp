#include "model/Sizelimit.h"

#include <cctype>
#include <numbers>

#include "support/Unitscvt.h"

namespace {
struct CRefusal
{
  bool refused = false;
  const char* reason = "";
  CSizeLimit::Kind kind = CSizeLimit::none;
  double value = 0.0;
};

CRefusal& Last()
{
  static CRefusal refusal;
  return refusal;
}

const char* LimitName(CSizeLimit::Kind kind)
{
  switch (kind) {
  case CSizeLimit::minSide:
    return "the shortest side allowed is ";
  case CSizeLimit::maxSide:
    return "the longest side allowed is ";
  case CSizeLimit::minGlassLine:
    return "the shortest glass line allowed is ";
  case CSizeLimit::maxShortGlassSide:
    return "the longest short glass side allowed is ";
  case CSizeLimit::maxLongGlassSide:
    return "the longest long glass side allowed is ";
  case CSizeLimit::maxArea:
    return "the largest area allowed is ";
  case CSizeLimit::minAngle:
    return "the smallest angle allowed is ";
  case CSizeLimit::maxAngle:
    return "the largest angle allowed is ";
  case CSizeLimit::minLength:
    return "the shortest length allowed is ";
  case CSizeLimit::maxLength:
    return "the longest length allowed is ";
  default:
    return "";
  }
}

// Areas are held in square feet; metric users read square metres.
CString AreaText(double squareFeet, int lengthFormat)
{
  if (lengthFormat == CUnitsConverter::metricMillimeters || lengthFormat == CUnitsConverter::editMillimeters)
    return CString::Formatted("%.2f square metres", squareFeet * 0.09290304);
  return CString::Formatted("%.2f square feet", squareFeet);
}

CString ValueText(CSizeLimit::Kind kind, double value, int lengthFormat)
{
  switch (kind) {
  case CSizeLimit::maxArea:
    return AreaText(value, lengthFormat);
  case CSizeLimit::minAngle:
  case CSizeLimit::maxAngle:
    return CString::Formatted("%.1f degrees", value * 180.0 / std::numbers::pi);
  default:
    return CUnitsConverter().FormatLength(lengthFormat, value);
  }
}
}  // namespace

void CSizeLimit::Refused(const char* reason, Kind kind, double value)
{
  Last() = CRefusal{true, reason ? reason : "", kind, value};
}

void CSizeLimit::Clear() { Last() = CRefusal{}; }

BOOL CSizeLimit::Within(bool aboveMin, bool belowMax, const char* tooSmall, Kind minKind, double minValue,
                        const char* tooLarge, Kind maxKind, double maxValue)
{
  if (!aboveMin)
    Refused(tooSmall, minKind, minValue);
  else if (!belowMax)
    Refused(tooLarge, maxKind, maxValue);
  return aboveMin && belowMax;
}

bool CSizeLimit::HasRefusal() { return Last().refused; }

bool CSizeLimit::IsBeyond(double length)
{
  const CRefusal& last = Last();
  if (!last.refused)
    return false;
  switch (last.kind) {
  case minSide:
  case minLength:
    return length < last.value;
  case maxSide:
  case maxLength:
    return length > last.value;
  default:
    return false;
  }
}

CString CSizeLimit::Text(int lengthFormat)
{
  const CRefusal& last = Last();
  if (!last.refused)
    return CString();
  CString text(last.reason);
  if (!text.IsEmpty())
    text.SetAt(0, static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
  if (last.kind == none)
    return text + ".";
  return text + ": " + LimitName(last.kind) + ValueText(last.kind, last.value, lengthFormat) + ".";
}
