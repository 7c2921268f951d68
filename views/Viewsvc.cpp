#include "views/Viewsvc.h"

#include <utility>

namespace {
CViewServices* g_services = nullptr;
}

CViewServices* GetViewServices() { return g_services; }

CViewServices* SetViewServices(CViewServices* services) { return std::exchange(g_services, services); }
