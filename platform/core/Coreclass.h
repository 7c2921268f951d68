#pragma once
// Registers the persistent collection classes for loading by name; called once at start-up.
void RegisterCoreClasses();
