#pragma once
// Resource and command ids of the design list (the warehouse form and its commands).
#include "platform/core/Types.h"

constexpr UINT IDD_WAREHOUSE_FORM = 202;
constexpr UINT IDD_PASTE_DESIGN = 203;
constexpr UINT IDC_DESIGN_LIST = 207;
constexpr UINT IDC_WAREHOUSE_PROJECT_NAME = 210;
constexpr UINT IDC_PASTE_DESIGN_NAME = 221;

constexpr UINT ID_CREATE_DESIGN = 216;
constexpr UINT ID_EDIT_DESIGN = 217;
constexpr UINT ID_RENAME_DESIGN = 218;
constexpr UINT ID_DELETE_DESIGN = 219;
constexpr UINT ID_PROJECT_INFORMATION = 2108;
constexpr UINT ID_WAREHOUSE_PROJECT_SETTINGS = 5040;
// The application's project-settings command, sent on to the main window.
constexpr UINT ID_APP_PROJECT_SETTINGS = 1914;

// The design clipboard format's name (string 5005).
constexpr UINT IDS_DESIGN_CLIPBOARD_FORMAT = 5005;
// The popup of the context menus that the design list shows.
constexpr UINT IDR_WAREHOUSE_CONTEXT_MENUS = 5032;
constexpr int kDesignListContextPopup = 0;
