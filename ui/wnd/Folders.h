#pragma once
// Folders of the user's desktop that the program writes to without asking.
#include "platform/core/String.h"

// The user's documents folder (the desktop's setting, else ~/Documents); empty when unknown.
CString AfxGetDocumentsFolder();

// The user's home folder.
CString AfxGetHomeFolder();
