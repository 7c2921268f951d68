#pragma once
// What the report windows ask of the application they run in: its one generator of each report.
// The application installs its services at start-up; the reports never include the application.
class CScheduleReportGenerator;
class CUnitInfoReportGenerator;

class CReportServices
{
public:
  virtual ~CReportServices() = default;
  virtual CScheduleReportGenerator* GetScheduleReportGenerator() = 0;
  virtual CUnitInfoReportGenerator* GetUnitInfoReportGenerator() = 0;
};

// Null while no application has installed its services; a report window then stays empty.
CReportServices* GetReportServices();
// Installs the services (null removes them); returns the previous ones.
CReportServices* SetReportServices(CReportServices* services);
