#pragma once
// Dialog templates and control ids of the settings sheets and the small application dialogs.
#include "platform/core/Types.h"

// About box: the version texts and the Important Notice button.
constexpr UINT IDC_ABOUT_VERSION = 5042;
constexpr UINT IDC_ABOUT_SPEC_VERSION = 5050;
constexpr UINT IDC_ABOUT_DATA_VERSION = 5049;
constexpr UINT IDC_ABOUT_DATE_POPULATED = 5051;
constexpr UINT IDC_IMPORTANT_NOTICE = 3501;

// Performance Tuning.
constexpr UINT IDD_PERFORMANCE_TUNING = 5034;
constexpr UINT IDC_RESIZE_TIME = 5047;
constexpr UINT IDC_RESIZE_DISTANCE = 5048;

// Store New Design.
constexpr UINT IDD_STORE_NEW_DESIGN = 204;
constexpr UINT IDC_NEW_DESIGN_NAME = 208;

// Rename Design.
constexpr UINT IDD_RENAME_DESIGN = 1905;
constexpr UINT IDC_CURRENT_NAME = 214;
constexpr UINT IDC_NEW_NAME = 215;

// Product Database Information: project values, then application values, row by row.
constexpr UINT IDD_DB_VERSION = 5035;
constexpr UINT IDC_PROJECT_DATA_VERSION = 5055;
constexpr UINT IDC_PROJECT_SPEC_VERSION = 5056;
constexpr UINT IDC_PROJECT_DATE_POPULATED = 5057;
constexpr UINT IDC_APP_DATA_VERSION = 5058;
constexpr UINT IDC_APP_SPEC_VERSION = 5060;
constexpr UINT IDC_APP_DATE_POPULATED = 5059;

// Project Information.
constexpr UINT IDD_PROJECT_INFO = 205;
constexpr UINT IDC_PROJECT_NOTES = 209;
constexpr UINT IDC_PROJECT_NAME = 210;
constexpr UINT IDC_PROJECT_DESIGNER = 211;
constexpr UINT IDC_PROJECT_CREATED = 212;
constexpr UINT IDC_PROJECT_MODIFIED = 213;

// Application settings pages.
constexpr UINT IDD_UNITS_PAGE = 2000;
constexpr UINT IDC_MEASUREMENT_UNITS = 2016;
constexpr UINT IDC_DXF_UNITS = 2017;
constexpr UINT IDD_PLAN_VIEW_PAGE = 2001;
constexpr UINT IDC_SHOW_FRAMES = 2014;
constexpr UINT IDC_SHOW_FULL_FRAME = 2015;
constexpr UINT IDC_SHOW_FRAME_LINES = 2013;
constexpr UINT IDC_SHOW_SILL_LINES = 1911;
constexpr UINT IDC_ONE_GLASS_LINE = 1912;
constexpr UINT IDC_TWO_GLASS_LINES = 1913;
constexpr UINT IDD_USER_INFO_PAGE = 2002;
constexpr UINT IDC_USER_ADDRESS = 2003;
constexpr UINT IDC_USER_CITY = 2004;
constexpr UINT IDC_USER_COMPANY = 2005;
constexpr UINT IDC_USER_CONTACT = 2006;
constexpr UINT IDC_USER_STATE = 2011;
constexpr UINT IDC_USER_ZIP_CODE = 2012;

// Option choices page.
constexpr UINT IDD_OPTION_CHOICES_PAGE = 1902;
constexpr UINT IDC_OPTION_LIST = 1906;
constexpr UINT IDC_CHOICE_LIST = 1907;
constexpr UINT IDC_UNIT_TYPE_LIST = 1908;
