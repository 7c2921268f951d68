#pragma once
// Recovery copies, written when the fatal report is about to end the program: each project with
// unsaved changes goes to a new file beside its own ("name.recovered.tpf"), an unnamed one into
// the user's documents folder. An existing file is never written over.
#include <vector>

#include "platform/core/String.h"

class CWinApp;

// The name of the n-th candidate (n from 1) for a project at that path, or for an unnamed project
// of that title in the folder.
CString RecoveryPathFor(const CString& projectPath, const CString& title, const CString& folder, int n);

// Writes the copies of every modified project of the application's templates; the paths written.
std::vector<CString> WriteRecoveryCopies(CWinApp& app);
