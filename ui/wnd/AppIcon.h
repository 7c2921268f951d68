#pragma once
// The icon every window of the program shows (title bars, MDI children, the task bar).

// Sets the application's window icon from SVG text, drawn sharp at each size asked for.
void AfxSetApplicationIcon(const char* svgText);
