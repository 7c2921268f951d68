#pragma once
// What the user is told of recovery copies after the program has ended without them: the end
// that wrote them notes them in the profile, and the next start names each copy still there and
// offers to open it; opening a project whose recovery copy beside it is newer than the file says
// so and offers the copy instead. A copy is forgotten by the profile once the user was told of
// it; the file itself stays, the user's to open or remove.
#include <vector>

#include "platform/core/String.h"

class CApp;
struct CRecoveryCopy;

// Notes the written copies for the next start and puts them first in the recent files, both in
// the profile at once: the end that wrote them may never reach the exit that writes the rest.
void NoteRecoveryCopies(CApp& app, const std::vector<CRecoveryCopy>& copies);

// At start: for each noted copy that is still there, names it and offers to open it. Where
// nobody can be asked the copies stay noted for a start where somebody can.
void OfferNotedRecoveryCopies(CApp& app);

// The newest recovery copy beside the project file that was changed after the file; empty when
// there is none.
CString NewerRecoveryCopyOf(const CString& projectPath);

// The path to open for a project file: with a newer recovery copy beside it, the user is told of
// the copy and chooses between the two; where nobody can be asked, the file as given.
CString ChooseProjectOrNewerCopy(CApp& app, const CString& projectPath);
