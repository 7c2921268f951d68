#pragma once
// The hint numbers with which a project document tells its views what changed, and the run-time
// class that stands for a hint object. Hint 0 is the plain update of the class library.
#include "platform/core/Object.h"

enum UpdateHint
{
  // The plan view must be rebuilt (selector moved, view shown, plan nudged, plan settings changed).
  HINT_PLAN = 1,
  // A detail selector was made or shown (the selector is passed along), or removed (no object).
  HINT_DETAIL_SELECTOR = 2,
  // The Elevation View was shown.
  HINT_ELEVATION = 3,
  // Unit or group properties were applied.
  HINT_PROPERTIES_APPLIED = 6
};

class CHint : public CObject
{
  DECLARE_DYNAMIC(CHint)
public:
  CHint() = default;
};
