#pragma once
// The one place where a drawing view's rebuild meets a failure of the unit model, the product
// data or the geometry: the user is told in a message box and the view is left empty, so that
// a bad unit never ends the program. Internal errors (CAppFatalException) still do.
#include <functional>

#include "platform/core/String.h"

class CException;
class CVRX2DEntityArray;
class CWnd;

// Runs the rebuild; TRUE when it completed. On a failure the drawing is emptied, a message box
// owned by the view shows the exception's text under the product name, and FALSE is returned.
// The flag keeps one failure from being told again by every rebuild that follows it (a view
// opened is updated more than once): the box shows only while it is clear; a failure sets it
// and a completed rebuild clears it.
BOOL RunViewRebuild(CWnd* pView, CVRX2DEntityArray& drawing, BOOL& bFailureTold, const std::function<void()>& rebuild);
// The text shown for a failure.
CString GetViewFailureText(const CException& e);
