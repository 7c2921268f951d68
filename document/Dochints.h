#pragma once
// The hint numbers with which the project document and its views tell the other views what
// changed (UpdateAllViews). Hint 0 is the plain update of the class library.
#include "ui/wnd/Msg.h"

// Every view is built afresh.
constexpr LPARAM kHintInitial = 0;
// The plan must be read again: the plan selector moved or was nudged, the Plan View was shown, the
// plan settings or the measurement units changed.
constexpr LPARAM kHintPlan = 1;
// A detail selector was made or shown (the hint object is the selector), or removed (no object).
constexpr LPARAM kHintDetailSelector = 2;
// The Elevation View was shown.
constexpr LPARAM kHintElevation = 3;
// The screen colours or the plan-section settings changed: the views build their pens again.
constexpr LPARAM kHintColours = 4;
// A field of a drawing view's own dialog bar changed; a view sends it only to itself.
constexpr LPARAM kHintBarChanged = 5;
// The properties of an item were applied on its sheet; the hint object, a CHint, names the item.
constexpr LPARAM kHintItemProperties = 6;

// The list of stored designs; the hint object is a CDesignListHint.
// A design was added under the new name.
constexpr LPARAM kHintDesignAdded = 20;
// The design of the old name is about to be deleted.
constexpr LPARAM kHintDesignDeleting = 21;
// The design of the old name now has the new name.
constexpr LPARAM kHintDesignRenamed = 22;
// The whole list is to be shown afresh from the document; no hint object.
constexpr LPARAM kHintDesignList = 23;
