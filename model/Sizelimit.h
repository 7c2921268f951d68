#pragma once
// The limit the last refused size request broke. A unit's size check is a const question asked
// during drags as well as by the sizing pages; it notes here which limit stopped it and its value,
// so a page can tell the user what is allowed without asking the check a second time.
#include "platform/core/String.h"
#include "platform/core/Types.h"

class CSizeLimit
{
public:
  enum Kind
  {
    none,          // a rule with no single value (the reason alone is told)
    minSide,       // inches
    maxSide,       // inches
    minGlassLine,  // inches
    maxShortGlassSide,
    maxLongGlassSide,
    maxArea,    // square feet
    minAngle,   // radians
    maxAngle,   // radians
    minLength,  // inches
    maxLength   // inches
  };

  // Notes a refusal; the reason is a short phrase such as "height too small".
  static void Refused(const char* reason, Kind kind = none, double value = 0.0);
  static void Clear();
  static bool HasRefusal();
  // Whether a length lies beyond the side or length bound of the last refusal; false for a
  // refusal of another kind.
  static bool IsBeyond(double length);
  // "Height too small: the shortest side allowed is 1'-0"." in the length format given; empty
  // when nothing was refused since the last Clear.
  static CString Text(int lengthFormat);
  // The answer of a range check, noting the bound broken ("<what> too small" or "too large").
  static BOOL Within(bool aboveMin, bool belowMax, const char* tooSmall, Kind minKind, double minValue,
                     const char* tooLarge, Kind maxKind, double maxValue);
};
