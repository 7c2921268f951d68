#include "app/Hint.h"

IMPLEMENT_DYNAMIC(CHint, CObject)
