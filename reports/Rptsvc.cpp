#include "reports/Rptsvc.h"

#include <utility>

namespace {
CReportServices* g_services = nullptr;
}

CReportServices* GetReportServices() { return g_services; }

CReportServices* SetReportServices(CReportServices* services) { return std::exchange(g_services, services); }
