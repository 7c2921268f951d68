#pragma once
// Which keys an accelerator may take: a control that edits text keeps its editing keys, and a
// command runs only while its update handler enables it.
#include "platform/core/Types.h"

class CCmdTarget;

// TRUE when the control with the keyboard focus edits text and uses the key (virtual key, FSHIFT
// and FCONTROL modifiers) itself: unmodified and shifted keys (typing, Delete, Return, arrows,
// Tab), and the control keys it claims (select all, copy, paste, undo, word moves). Function
// keys and control keys the field does not use stay accelerators.
bool FocusedControlKeepsKey(UINT nVirtKey, UINT nModifiers);

// TRUE when the command's update handler on the target's route enables it; a command without
// an update handler is enabled when the route handles it, as menus enable their items.
bool IsCommandEnabled(CCmdTarget* pTarget, UINT nID);
