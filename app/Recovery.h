#pragma once
// Recovery copies, written when the program is about to end with unsaved work (the fatal report,
// or the end of the session with nobody to ask): each project with unsaved changes, the designs
// as the Workbench shows them included, goes to a new file beside its own
// ("name.recovered.tpf", the name shortened where the folder's limit on a name's length wants
// it). When that folder cannot be written, or the project has no file yet, the copy goes to the
// user's documents folder, and failing that to the temporary folder. An existing file is never
// written over: a name taken, even by a symbolic link or by another instance at the same moment,
// gives way to the next free name in the same folder ("name.recovered-2.tpf" ...); only a folder
// that refuses the write moves the copy on to the next folder. A copy is readable by no more
// people than its project file (an unnamed project's by its owner only).
#include <vector>

#include "platform/core/String.h"

class CWinApp;

// Enough candidates for any number of earlier crashes kept beside the file.
constexpr int kMaxRecoveryCandidates = 100;

// The name of the n-th candidate (n from 1) for a project at that path, or for an unnamed project
// of that title in the folder.
CString RecoveryPathFor(const CString& projectPath, const CString& title, const CString& folder, int n);

// One project with unsaved work: its title and file, the copy written (empty when no folder could take
// it, or when none was needed), whether anything but the Workbench had changed, and, when the
// Workbench could not be taken into the project, what it showed ("the design "Gable"") and
// whether that design had been stored before. When no folder took the copy, the reasons the
// folders gave ("File too large"), each once.
struct CRecoveryCopy
{
  CString title;
  CString path;
  bool changed = true;
  CString notTaken;
  bool notTakenWasStored = true;
  CString reason;
  // The project's own file; empty for an unnamed project.
  CString project;
};

// Writes the copies of every modified project of the application's templates.
std::vector<CRecoveryCopy> WriteRecoveryCopies(CWinApp& app);

// What the report adds about the copies: where each went, or that none could be written; empty
// when no project had changes.
CString DescribeRecoveryCopies(const std::vector<CRecoveryCopy>& copies);
