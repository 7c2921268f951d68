#include "workbench/items/Wbsvc.h"

#include <utility>

namespace {
CWorkbenchServices* g_services = nullptr;
}

CWorkbenchServices* GetWorkbenchServices() { return g_services; }

CWorkbenchServices* SetWorkbenchServices(CWorkbenchServices* services)
{
  SetViewServices(services);
  return std::exchange(g_services, services);
}
