#include "project/DocServices.h"

#include "support/Exceptn.h"

namespace {
constexpr const char* kModule = "DocServices";
constexpr int kMissingLine = 16;

CDocServices* g_services = nullptr;
}  // namespace

CDocServices& GetDocServices()
{
  if (!g_services)
    throw CAppFatalException(kModule, kMissingLine);
  return *g_services;
}

CDocServices* SetDocServices(CDocServices* services)
{
  CDocServices* previous = g_services;
  g_services = services;
  return previous;
}
