#include "project/TestItems.h"

IMPLEMENT_SERIAL(CDesignItem, CObject, VERSIONABLE_SCHEMA | 10000)
