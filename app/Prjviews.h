#pragma once
// The dialog bar templates of the project's drawing and report windows.

void RegisterProjectViewBars();
