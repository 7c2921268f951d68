#include "document/Hint.h"

IMPLEMENT_DYNAMIC(CHint, CObject)
