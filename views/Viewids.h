#pragma once
// The command, dialog and control ids of the drawing views and their frames and bars, each
// number under one name. The menus, accelerators and dialog-bar templates of the program refer
// to them by these names.
#include "platform/core/Types.h"

// Commands of the drawing views.
constexpr UINT ID_CLOSE_THE_VIEW = 103;  // "Close the View": the bar's Close button and the view menu's Close
constexpr UINT ID_VIEW_REFRESH = 106;
constexpr UINT ID_PRINT_SCALE = 331;
constexpr UINT ID_PRINT_VIEW = 1802;
constexpr UINT ID_EXPORT_DXF = 2901;
constexpr UINT ID_COPY_VIEW = 3002;
constexpr UINT ID_INSERT_VIEW_INTO_CAD = 5061;
// The elevation bar's switches; the same ids are the elevation window's menu commands.
constexpr UINT ID_TOGGLE_SHOW_GRILLES = 1604;
constexpr UINT ID_TOGGLE_SHOW_OPERATION = 1605;

// Dialog bar toggles of the adorned frames.
constexpr UINT ID_TOGGLE_PLAN_BAR = 1508;
constexpr UINT ID_TOGGLE_ELEVATION_BAR = 1607;
constexpr UINT ID_TOGGLE_DETAIL_BAR = 1708;
constexpr UINT ID_TOGGLE_REPORT_BAR = 3107;

// The dialog bars and their fields.
constexpr UINT IDD_PLAN_BAR = 1501;
constexpr UINT IDD_ELEVATION_BAR = 1601;
constexpr UINT IDD_DETAIL_BAR = 1702;
constexpr UINT IDC_PLAN_OFFSET = 1503;
constexpr UINT IDC_PLAN_EXTENTS = 1504;
constexpr UINT IDC_INSTALLATION_FLANGE = 1705;
constexpr UINT IDC_PLAN_SYMBOL_PLACEMENT = 1909;
constexpr UINT IDC_PLAN_WALL_WIDTH = 1910;
constexpr UINT IDC_DETAIL_EXTENTS = 5043;
constexpr UINT IDC_ELEVATION_EXTENTS = 5044;

// The print-scale dialogs.
constexpr UINT IDD_PRINT_SCALE = 1801;
constexpr UINT IDD_ASPECT_PRINT = 3401;
constexpr UINT IDC_PRINT_SCALE_LIST = 3402;

// Messages of the output commands.
constexpr UINT IDS_FILE_NOT_WRITTEN = 5019;
constexpr UINT IDS_PART_NOT_PRINTED = 5021;
