#pragma once
// Registers the menus, strings, toolbar bitmap and dialog templates of the application shell.
// Called once at start-up, before the main frame is made (tests call it too).
void RegisterShellResources();

// The parts, one per kind of resource.
void RegisterShellMenus();
void RegisterShellStrings();
void RegisterShellDialogs();
void RegisterShellBitmaps();
