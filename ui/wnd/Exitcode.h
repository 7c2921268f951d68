#pragma once
// The code the process ends with when its X server goes away while the message loop runs, once
// the unsaved work is kept: the toolkit's own code for a lost display.
constexpr int kDisplayLostExitCode = 1;
// The code of an end by a signal, or by the session manager with nobody to ask, in which unsaved
// work could not be written to any recovery copy: whoever ended the program learns that work
// was lost.
constexpr int kWorkNotKeptExitCode = 2;
