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
// The application's project-settings command: the design list sends it on to the main window, and
// the application's Settings menu and handler use it too.
constexpr UINT ID_PROJECT_SETTINGS = 1914;

// The design clipboard format's name (string 5005).
constexpr UINT IDS_DESIGN_CLIPBOARD_FORMAT = 5005;
// The context menus of the program; the design list shows one of its popups.
constexpr UINT IDR_CONTEXT_MENUS = 5032;
constexpr int kDesignListContextPopup = 0;
