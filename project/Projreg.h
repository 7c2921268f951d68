#pragma once
// Registers the project's persistent classes for loading by name; called once at start-up.
void RegisterProjectClasses();
