#pragma once
// Registers the free-form unit classes with the unit factory; called once at start-up.
void RegisterFreeformUnits();
