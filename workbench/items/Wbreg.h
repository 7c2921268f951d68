#pragma once
// Start-up registration of the Workbench: its persistent item classes with the archive, and the
// item access through which a design reads its items without knowing their classes.
void RegisterWorkbenchClasses();
