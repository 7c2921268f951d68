#pragma once
// Resource and command ids of the main frame, its MDI client, the adorned child frames, the
// settings sheets and the small application dialogs.
#include "platform/core/Types.h"
#include "workbench/frame/Wbids.h"

// Menus, toolbar bitmap and document templates.
constexpr UINT IDR_MAINFRAME = 107;
constexpr UINT IDB_MAINFRAME_TOOLBAR = 102;
// The context menus (IDR_CONTEXT_MENUS) and the project-settings command (ID_PROJECT_SETTINGS) are
// shared with the design list: see document/Whids.h.
constexpr UINT IDR_WAREHOUSE = 1904;
constexpr UINT IDR_WORKBENCH = 308;
constexpr UINT IDR_PLAN_VIEW = 1502;
constexpr UINT IDR_ELEVATION_VIEW = 1602;
constexpr UINT IDR_DETAIL_VIEW = 1701;
constexpr UINT IDR_REPORT_VIEW = 3101;
// Positions of popups in the context menus and in the Workbench menu.
constexpr int kMainContextPopup = 1;
constexpr int kWorkbenchInsertPopup = 3;

// Main frame commands: show or hide the Workbench, the drawing views and the reports.
constexpr UINT ID_VIEW_WORKBENCH = 334;
constexpr UINT ID_VIEW_PLAN = 1505;
constexpr UINT ID_VIEW_ELEVATION = 1603;
constexpr UINT ID_VIEW_DETAIL = 1704;
constexpr UINT ID_VIEW_UNIT_INFO_REPORT = 3301;
constexpr UINT ID_VIEW_SCHEDULE_REPORT = 3201;
constexpr UINT ID_SHOW_PLAN = 1803;
constexpr UINT ID_SHOW_ELEVATION = 1804;
constexpr UINT ID_SHOW_DETAIL = 1805;
constexpr UINT ID_SHOW_WORKBENCH = 1806;
constexpr UINT ID_CLOSE_VIEWS = 1807;
constexpr UINT ID_REMOVE_ALL_DETAIL_SELECTORS = 1808;
constexpr UINT ID_REMOVE_PLAN_SELECTOR = 1810;
constexpr UINT ID_CLOSE_ELEVATION = 1811;
// The Workbench commands (view switches, its tool bar, the item menus): workbench/Wbids.h.

// Dialog bar toggles of the adorned frames: views/Adorned.h.

// Application commands.
constexpr UINT ID_APPLICATION_SETTINGS = 2019;
constexpr UINT ID_PERFORMANCE_TUNING = 5073;
