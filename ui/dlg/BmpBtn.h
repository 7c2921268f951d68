#pragma once
// A push button that shows pictures instead of its text: one for the button up, pressed, with
// the focus and disabled, each a bitmap resource.
#include "ui/dlg/Ctrls.h"

class CBitmapButton : public CButton
{
  DECLARE_DYNAMIC(CBitmapButton)
public:
  // FALSE when the button has no window yet or the up picture is missing; the other three are
  // optional (0).
  BOOL LoadBitmaps(UINT nIDUp, UINT nIDDown = 0, UINT nIDFocus = 0, UINT nIDDisabled = 0);
};
