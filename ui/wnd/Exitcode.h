#pragma once
// The code the process ends with when its X server goes away while the message loop runs, once
// the unsaved work is kept: the toolkit's own code for a lost display.
constexpr int kDisplayLostExitCode = 1;
