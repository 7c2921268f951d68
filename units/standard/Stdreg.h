#pragma once
// Registers the standard unit classes with the unit factory; called once at start-up.
void RegisterStandardUnits();
