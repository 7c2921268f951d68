#pragma once
// The command ids of the Workbench: its view, its frame and tool bar, the item context menus and
// the main frame's Workbench switches. The menus, tool bars, handlers and tests all take them from
// here so that a menu entry and its handler cannot drift apart.
#include "document/Whids.h"
#include "platform/core/Types.h"
#include "views/Viewids.h"

// Tools.
constexpr UINT ID_SELECT_TOOL = 604;
constexpr UINT ID_JOIN_TOOL = 517;
constexpr UINT ID_LOCK_TOOL = 1001;
constexpr UINT ID_VERT_GUIDELINE_TOOL = 705;
constexpr UINT ID_ANGLED_GUIDELINE_TOOL = 706;
constexpr UINT ID_HORZ_GUIDELINE_TOOL = 707;
constexpr UINT ID_ZOOM_IN = 901;
constexpr UINT ID_ZOOM_OUT = 902;
constexpr UINT ID_SCALE_TO_SELECTION = 903;
constexpr UINT ID_SCALE_TO_FIT = 904;

// Editing the items.
constexpr UINT ID_DELETE_ITEM = 318;
constexpr UINT ID_POPUPS_PASTE = 319;
constexpr UINT ID_SELECT_ALL = 320;
constexpr UINT ID_SPACE_HORIZONTALLY = 326;
constexpr UINT ID_SPACE_VERTICALLY = 327;
constexpr UINT ID_EDIT_PROPERTIES = 328;
constexpr UINT ID_REMOVE_JOINING = 329;
constexpr UINT ID_DELETE_SELECTOR = 603;
constexpr UINT ID_GROUP_ITEMS = 801;
constexpr UINT ID_UNGROUP_ITEMS = 802;
constexpr UINT ID_WORKBENCH_PROPERTIES = 2121;
constexpr UINT ID_SNAPPING_TEST = 5074;

// Per-item switches of the item context menus and the main tool bar, and the view-wide switches
// the main tool bar also carries.
constexpr UINT ID_JOINING_MARKERS = 105;
constexpr UINT ID_SNAP_HIGHLIGHTS = 108;
constexpr UINT ID_SNAP_TO_ALIGNMENT = 109;
constexpr UINT ID_ALIGNMENT_LINES = 110;
// The alignment-line attributes dialog; no menu carries it.
constexpr UINT ID_ALIGNMENT_LINE_ATTRIBUTES = 333;

// Posted to the Workbench view when a drawing view is shown or hidden.
constexpr UINT ID_PLAN_VIEW_ON = 1506;
constexpr UINT ID_PLAN_VIEW_OFF = 1507;
constexpr UINT ID_ELEVATION_VIEW_ON = 1606;
constexpr UINT ID_ELEVATION_VIEW_OFF = 1608;
constexpr UINT ID_DETAIL_VIEW_ON = 1706;
constexpr UINT ID_DETAIL_VIEW_OFF = 1707;

// Selector items.
constexpr UINT ID_REMOVE_DETAIL_SELECTOR = 1809;
constexpr UINT ID_SHOW_THIS_DETAIL = 1812;

// The Workbench frame.
constexpr UINT ID_TOGGLE_WORKBENCH_TOOLBAR = 335;
constexpr UINT ID_TOGGLE_WORKBENCH_BAR = 336;
constexpr UINT ID_DISCARD_DESIGN = 512;
// "New Window Unit": command ID_NEW_UNIT_FIRST + i makes the i-th unit type and subtype.
constexpr UINT ID_NEW_UNIT_FIRST = 1201;
constexpr UINT ID_NEW_UNIT_LAST = 1299;
