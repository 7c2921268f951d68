#pragma once
// The program's icon, a window unit drawn as SVG; the same file is installed for the desktop.
extern const char* const kAppIconSvg;
