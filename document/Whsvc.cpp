#include "document/Whsvc.h"

#include "support/Exceptn.h"

namespace
{
constexpr const char* kModule = "Whsvc";
CWarehouseServices* installedServices = nullptr;
}  // namespace

CWarehouseServices& GetWarehouseServices()
{
  if (!installedServices)
    throw CAppFatalException(kModule, __LINE__);
  return *installedServices;
}

CWarehouseServices* SetWarehouseServices(CWarehouseServices* services)
{
  CWarehouseServices* previous = installedServices;
  installedServices = services;
  return previous;
}
