#include "document/Whsvc.h"

#include "support/Exceptn.h"

namespace {
constexpr const char* kModule = "Whsvc";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineNoServices = 14,
};
CWarehouseServices* installedServices = nullptr;
}  // namespace

CWarehouseServices& GetWarehouseServices()
{
  if (!installedServices)
    throw CAppFatalException(kModule, kLineNoServices);
  return *installedServices;
}

CWarehouseServices* SetWarehouseServices(CWarehouseServices* services)
{
  CWarehouseServices* previous = installedServices;
  installedServices = services;
  return previous;
}
